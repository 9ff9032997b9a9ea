// How the programme is played, with a game and a record and no evening: stages won, shared and
// taken back, the end of a round, the pattern and the kind of game of the stage, the limits, and
// the place taken up from the record after a restart.
#include "core/game/programmagang.h"
#include "core/game/spel.h"
#include "core/game/verloop.h"
#include "core/settings/extrainstellingen.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

namespace
{
// A Kien round of two stages (one prize in cents, one shared), then a Bingo round of four corners.
AvondProgramma tweeRondes()
{
    using S = AvondProgramma::Soort;
    AvondProgramma p;
    AvondProgramma::Ronde kien{S::Kienen, AvondProgramma::standaardFasen(S::Kienen).mid(0, 2), 250, 40};
    kien.fasen[0].prijs = QStringLiteral("Taart");
    kien.fasen[0].bedrag = 1000;
    kien.fasen[1].bedrag = 1500;
    AvondProgramma::Ronde bingo{
        S::Bingo75,
        {{QStringLiteral("Vier hoeken"), AvondProgramma::vastPatroon(QStringLiteral("Vier hoeken")),
          QStringLiteral("Fles wijn"), std::nullopt}},
        std::nullopt,
        0};
    p.rondes = {kien, bingo};
    return p;
}

// One programme played in a folder: the game, its record and the programme's run.
struct Gang {
    explicit Gang(const QString& map) : extra(map), verloop(map), gang(spel, &verloop, extra, map)
    {
        verloop.volg(spel);
    }
    ProgrammaGang::Winnaar winnaar(const QString& kaart) const
    {
        return {kaart, gang.ronde(), gang.fase(), int(spel.ballen().size()), spel.laatste(), spel.spelNummer(), 0, 0};
    }
    void nieuweRonde()
    {
        spel.nieuwSpel(gang.aantalBallen(), gang.ronde() + 1);
        gang.rondeBegonnen();
    }
    Spel spel;
    ExtraInstellingen extra;
    Verloop verloop;
    ProgrammaGang gang;
};
} // namespace

class TstProgrammaGang : public QObject
{
    Q_OBJECT
private slots:
    // A stage won moves on and is named once; a second winner on the same ball shares it; taking
    // one back keeps the stage won, taking both back plays for it again. The round's last stage
    // ends the round until its game is over.
    void winnaarsEnRondes()
    {
        QTemporaryDir map;
        Gang g(map.path());
        QVERIFY(!g.gang.speeltRonde() && g.gang.regel().isEmpty() && !g.gang.fasePatroon());
        g.gang.start(); // no programme kept: nothing starts
        QVERIFY(!g.gang.loopt());
        QVERIFY(g.gang.zet(tweeRondes()));
        g.gang.start();
        QVERIFY(g.gang.speeltRonde());
        QCOMPARE(g.gang.aantalBallen(), 90);
        QSignalSpy genoemd(&g.gang, &ProgrammaGang::faseBereikt);
        g.nieuweRonde();
        QCOMPARE(genoemd.size(), 1);
        QCOMPARE(genoemd.last().at(0).toString(), QStringLiteral("1 rij"));
        QVERIFY(g.gang.spelSoort().kienen());
        QVERIFY(!g.gang.fasePatroon()); // a Kien round plays no pattern
        QCOMPARE(g.gang.regel(), QStringLiteral("Ronde 1 · 1 rij · Taart (€ 10)"));
        QCOMPARE(g.gang.beoordeeldeFase(), std::make_optional(std::make_pair(0, 0)));

        for (int bal : {5, 17, 33})
            QVERIFY(g.spel.voerIn(bal));
        g.gang.voegWinnaarToe(g.winnaar(QStringLiteral("A-0001")));
        QCOMPARE(g.gang.fase(), 1);
        QCOMPARE(genoemd.size(), 2);
        // Until the next ball, a card is still judged for the stage just won.
        QCOMPARE(g.gang.beoordeeldeFase(), std::make_optional(std::make_pair(0, 0)));
        g.gang.voegWinnaarToe({QStringLiteral("A-0002"), 0, 0, 3, 33, g.spel.spelNummer(), 33, 3});
        QCOMPARE(g.gang.fase(), 1);
        QCOMPARE(genoemd.size(), 2);
        QCOMPARE(g.gang.regel(), QStringLiteral("Ronde 1 · 1 rij gedeeld door 2 winnaars · € 5 elk"));
        QVERIFY(g.gang.heeftGewonnen(QStringLiteral("A-0002"), 0, 0));
        QVERIFY(!g.gang.heeftGewonnen(QStringLiteral("A-0002"), 0, 1));
        QSignalSpy herzien(&g.gang, &ProgrammaGang::winnaarsHerzien);
        g.gang.neemWinnaarTerug();
        QCOMPARE(herzien.size(), 1);
        QCOMPARE(g.gang.fase(), 1);
        g.gang.neemWinnaarTerug();
        QCOMPARE(g.gang.fase(), 0);
        QVERIFY(g.gang.winnaars().isEmpty());
        g.gang.neemWinnaarTerug(); // none left: nothing happens
        QCOMPARE(herzien.size(), 2);

        g.gang.voegWinnaarToe(g.winnaar(QStringLiteral("A-0001")));
        QVERIFY(g.spel.voerIn(40));
        QVERIFY(!g.gang.rondeAfgelopen());
        QCOMPARE(g.gang.beoordeeldeFase(), std::make_optional(std::make_pair(0, 1)));
        g.gang.voegWinnaarToe(g.winnaar(QStringLiteral("A-0003")));
        QVERIFY(g.gang.rondeAfgelopen());
        QCOMPARE(g.gang.ronde(), 1);
        QCOMPARE(genoemd.size(), 3); // a new round is named when its game begins
        QCOMPARE(g.gang.regel(), QStringLiteral("Ronde 1 is afgelopen"));
        QCOMPARE(g.gang.rondeAfgelopenTekst(), QStringLiteral("Ronde 1 is afgelopen. Druk op Start voor ronde 2."));
        QVERIFY(g.gang.spelSoort().kienen()); // the game on the board is still the Kien round's
        QCOMPARE(g.gang.fasePatroon(), AvondProgramma::vastPatroon(QStringLiteral("Vier hoeken")));

        g.nieuweRonde();
        QCOMPARE(g.gang.aantalBallen(), 75);
        QVERIFY(!g.gang.rondeAfgelopen() && !g.gang.spelSoort().kienen());
        QCOMPARE(genoemd.last().at(0).toString(), QStringLiteral("Vier hoeken"));
        g.gang.voegWinnaarToe(g.winnaar(QStringLiteral("B-0001")));
        QVERIFY(g.gang.klaar() && g.gang.rondeAfgelopen());
        QCOMPARE(g.gang.regel(), QStringLiteral("Ronde 2 is afgelopen: alle prijzen van de avond zijn gewonnen"));
        QVERIFY(!g.gang.fasePatroon() && !g.gang.speeltRonde());

        // A new programme while it runs starts from its first round, without winners.
        QVERIFY(g.gang.zet(tweeRondes()));
        QVERIFY(g.gang.loopt() && g.gang.ronde() == 0 && g.gang.winnaars().isEmpty());
        g.gang.stop();
        QVERIFY(!g.gang.loopt() && g.gang.regel().isEmpty() && !g.gang.beoordeeldeFase());
    }

    // After a restart the programme stands where the record left it: the stage, the winners
    // since it started, a winner taken back not among them; winners of a programme started
    // anew later do not count.
    void hersteldUitHetVerloop()
    {
        QTemporaryDir map;
        {
            Gang g(map.path());
            QVERIFY(g.gang.zet(tweeRondes()));
            g.gang.start();
            g.nieuweRonde();
            QVERIFY(g.spel.voerIn(7));
            g.gang.voegWinnaarToe(g.winnaar(QStringLiteral("A-0009")));
            g.gang.start(); // anew: the winner above no longer counts
            g.nieuweRonde();
            QVERIFY(g.spel.voerIn(8));
            g.gang.voegWinnaarToe(g.winnaar(QStringLiteral("A-0001")));
            g.gang.voegWinnaarToe({QStringLiteral("A-0002"), 0, 0, 1, 8, g.spel.spelNummer(), 8, 1});
            QVERIFY(g.spel.voerIn(9));
            g.gang.voegWinnaarToe(g.winnaar(QStringLiteral("A-0003")));
            g.gang.neemWinnaarTerug();
        }
        Gang weer(map.path());
        QVERIFY(!weer.gang.loopt());
        weer.gang.herstel(Verloop::laatsteSpel(map.path())->bestand);
        QVERIFY(weer.gang.loopt());
        QCOMPARE(weer.gang.ronde(), 0);
        QCOMPARE(weer.gang.fase(), 1);
        QCOMPARE(weer.gang.winnaars().size(), 2);
        QCOMPARE(weer.gang.winnaars().at(1).kaart, QStringLiteral("A-0002"));
        QCOMPARE(weer.gang.winnaars().at(1).compleetBal, 8);

        // Without a programme of its own, nothing is taken up.
        QTemporaryDir leeg;
        Gang ander(leeg.path());
        ander.gang.herstel(Verloop::laatsteSpel(map.path())->bestand);
        QVERIFY(!ander.gang.loopt());
    }

    // The club's limits: the defaults, each written and read back on its own, and nonsense in
    // the file read as the default.
    void limieten()
    {
        QTemporaryDir map;
        {
            Gang g(map.path());
            QCOMPARE(g.gang.maxPrijs(), 40000);
            QCOMPARE(g.gang.maxAvond(), 155000);
            QVERIFY(g.gang.zetLimieten(25000, 100050));
        }
        {
            Gang g(map.path());
            QCOMPARE(g.gang.maxPrijs(), 25000);
            QCOMPARE(g.gang.maxAvond(), 100050);
            g.extra.zet(QStringLiteral("Programma/MaxPrijs"), QStringLiteral("veel"));
            g.extra.zet(QStringLiteral("Programma/MaxAvond"), -5);
            QCOMPARE(g.gang.maxPrijs(), 40000);
            QCOMPARE(g.gang.maxAvond(), 155000);
        }
    }
};

QTEST_GUILESS_MAIN(TstProgrammaGang)
#include "tst_programmagang.moc"
