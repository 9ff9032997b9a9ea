// The card check on its own, with a game, a programme and a record and no evening: when a card
// that wins can be confirmed, and why not in every other case.
#include "core/common/toeval.h"
#include "core/game/kaartkeuring.h"
#include "core/game/spel.h"
#include "core/game/verloop.h"
#include "core/settings/extrainstellingen.h"
#include "testhulp.h"

#include <QTemporaryDir>
#include <QtTest>

class TstKaartKeuring : public QObject
{
    Q_OBJECT
private slots:
    void bevestigen()
    {
        QTemporaryDir map;
        Spel spel;
        ExtraInstellingen extra(map.path());
        Verloop verloop(map.path());
        verloop.volg(spel);
        ProgrammaGang gang(spel, &verloop, extra, map.path());
        QStringList gezegd;
        KaartKeuring keuring(spel, gang, &verloop, map.path(),
                             [&](const QString&, const QString& tekst) { gezegd << tekst; });
        VasteToeval kans{7};
        const RegisterKaart kaart = TestHulp::drukKaarten(map.path(), KaartSoort::Kien, "K", 1, kans).value(0);
        QList<int> rij;
        for (int n : kaart.getallen.mid(0, 9))
            if (n) rij << n;
        QCOMPARE(rij.size(), 5);

        // Without a programme a card is judged, but there is no prize to confirm.
        spel.nieuwSpel(90, 1);
        for (int n : rij)
            QVERIFY(spel.voerIn(n));
        auto gekeurd = keuring.keur({QStringLiteral("K-1"), 1});
        QVERIFY(gekeurd && gekeurd->uitslag.gewonnen && gekeurd->fase.isEmpty() && gekeurd->faseRegel().isEmpty());
        QVERIFY(keuring.getoond() && !keuring.kanBevestigen(false));
        QCOMPARE(keuring.nietBevestigbaar(false),
                 QStringLiteral("Er speelt geen programma: er is geen prijs om te bevestigen."));
        // A scanned card is judged for the rows asked for last.
        QVERIFY(keuring.keur({QStringLiteral("K-1"), 2}) &&
                !keuring.keurCode(QStringLiteral("K-0001"))->uitslag.gewonnen);

        AvondProgramma p;
        p.rondes = {{AvondProgramma::Soort::Kienen, AvondProgramma::standaardFasen(AvondProgramma::Soort::Kienen),
                     std::nullopt, 0}};
        QVERIFY(gang.zet(p));
        gang.start();
        spel.nieuwSpel(90, 1);
        gang.rondeBegonnen();
        for (int n : rij.mid(0, 4))
            QVERIFY(spel.voerIn(n));
        // One number short: judged for the stage, not a winner.
        gekeurd = keuring.keur({QStringLiteral("K-1"), 3});
        QCOMPARE(gekeurd->faseRegel(), QStringLiteral("Ronde 1 · 1 rij: wint niet"));
        QCOMPARE(keuring.nietBevestigbaar(false),
                 QStringLiteral("Kaart K-0001 wint niet: er is geen winnaar te bevestigen."));
        QVERIFY(spel.voerIn(rij.last()));
        QCOMPARE(keuring.nietBevestigbaar(false),
                 QStringLiteral("Er is een bal bij gekomen: controleer kaart K-0001 opnieuw."));
        // Exactly enough: the stage decides the rows, whatever was asked.
        gekeurd = keuring.keur({QStringLiteral("K-1"), 3});
        QVERIFY(gekeurd->kanBevestigen && keuring.kanBevestigen(false));
        QCOMPARE(gekeurd->faseRegel(), QStringLiteral("Ronde 1 · 1 rij: wint"));
        QVERIFY(!keuring.kanBevestigen(true));
        QCOMPARE(keuring.nietBevestigbaar(true), QStringLiteral("Wacht tot de bal getoond is."));
        QVERIFY(keuring.winnaarRegel().isEmpty());

        const ProgrammaGang::Winnaar w = keuring.bevestig();
        QCOMPARE(w.kaart, QStringLiteral("K-0001"));
        QCOMPARE(w.compleetBal, rij.last());
        QCOMPARE(w.compleetPlaats, 5);
        QVERIFY(!keuring.kanBevestigen(false));
        gang.voegWinnaarToe(w);
        QCOMPARE(keuring.winnaarRegel(), QStringLiteral("Winnaar K-0001 bevestigd. Nu: Ronde 1 · 2 rijen"));
        // Checked again before the next ball: judged for the stage it won, and not twice.
        gekeurd = keuring.keur({QStringLiteral("K-1"), 1});
        QCOMPARE(gekeurd->faseRegel(), QStringLiteral("Ronde 1 · 1 rij: al bevestigd"));
        QCOMPARE(keuring.nietBevestigbaar(false), QStringLiteral("Kaart K-0001 is al bevestigd."));
        // Another card checked after it is not the winner.
        QVERIFY(keuring.keur({QStringLiteral("K-2"), 1}) && keuring.winnaarRegel().isEmpty());

        // The winner taken back: what was judged cannot be confirmed until the card is checked again.
        gekeurd = keuring.keur({QStringLiteral("K-1"), 1});
        gang.neemWinnaarTerug();
        keuring.vergeet();
        QVERIFY(!keuring.kanBevestigen(false));
        QVERIFY(keuring.keur({QStringLiteral("K-1"), 1})->kanBevestigen);
        QVERIFY(keuring.weg() && !keuring.weg());
        QCOMPARE(keuring.nietBevestigbaar(false), QStringLiteral("Controleer eerst een kaart (K)."));

        // A Bingo card in this Kien round is refused, written down and said.
        const RegisterKaart bingo = TestHulp::drukKaarten(map.path(), KaartSoort::Bingo75, "B", 1, kans).value(0);
        QVERIFY(!keuring.keur({QStringLiteral("B-1"), 1}) && !keuring.getoond());
        QVERIFY(gezegd.last().contains(QStringLiteral("B-0001")));
        QVERIFY(
            Verloop::leesBestand(Verloop::laatsteSpel(map.path())->bestand, nullptr)->contains("geweigerd: Bingo 75"));
        Q_UNUSED(bingo);
    }
};

QTEST_GUILESS_MAIN(TstKaartKeuring)
#include "tst_kaartkeuring.moc"
