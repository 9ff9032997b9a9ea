// The programme of the evening: its file, the limits of a club game, an evening of three rounds
// played from it with winners confirmed, shared and taken back, balls entered by hand, and the
// report made from the record.
#include "core/game/roepen.h"
#include "core/game/trommel.h"
#include "core/game/verslag.h"
#include "opnamestem.h"
#include "testhulp.h"

#include <QProcess>
#include <QSignalSpy>
#include <QtTest>

using TestHulp::Gesprek;

namespace
{
AvondProgramma drieRondes()
{
    using S = AvondProgramma::Soort;
    AvondProgramma p;
    AvondProgramma::Ronde kien{S::Kienen, AvondProgramma::standaardFasen(S::Kienen), 250, 40};
    kien.fasen[0].prijs = QStringLiteral("Taart");
    kien.fasen[0].bedrag = 1000;
    kien.fasen[1].bedrag = 1500;
    kien.fasen[2].prijs = QStringLiteral("Boodschappenmand");
    kien.fasen[2].bedrag = 5000;
    PatroonKaart::Patroon hoeken = *AvondProgramma::vastPatroon(QStringLiteral("Vier hoeken"));
    AvondProgramma::Ronde bingo{
        S::Bingo75,
        {{QStringLiteral("Vier hoeken"), hoeken, QStringLiteral("Fles wijn"), std::nullopt},
         {QStringLiteral("Volle kaart"), AvondProgramma::vastPatroon(QStringLiteral("Volle kaart")), {}, 2550}},
        std::nullopt,
        0};
    PatroonKaart::Patroon eigen{};
    eigen[1] = eigen[7] = eigen[19] = eigen[25] = 1;
    AvondProgramma::Ronde negentig{S::Bingo90, {{QStringLiteral("Rij"), std::nullopt, {}, 2000}}, 300, 12};
    p.rondes = {kien, bingo, negentig};
    // A stage with the pattern drawn in the editor travels with the file as its cells.
    p.rondes[1].fasen.insert(1, {AvondProgramma::eigenPatroon, eigen, {}, 500});
    return p;
}

// Card K-0001 of a Kien series printed in the folder.
RegisterKaart kienKaart(const QString& map, Toeval& kans)
{
    return TestHulp::drukKaarten(map, KaartSoort::Kien, "K", 1, kans).value(0);
}

QString pdfTekst(const QString& pdf)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}
} // namespace

class TstProgramma : public QObject
{
    Q_OBJECT
    VasteToeval m_kans{29};

private slots:
    void init()
    {
        WachtTempo::zet(0);
        WachtTempo::zetBeeindigd(false);
    }

    // Kept, read back, exported and imported unchanged; a person can read it. A damaged file is
    // put aside whole and said; a programme of the wrong shape is refused with the place named.
    void bestand()
    {
        QTemporaryDir map;
        const AvondProgramma p = drieRondes();
        QString fout;
        QVERIFY(p.bewaar(map.path(), &fout));
        const QString tekst = QString::fromUtf8(TestHulp::leesBestand(AvondProgramma::pad(map.path())));
        QVERIFY(tekst.contains(QStringLiteral("\"spel\": \"Kienen\"")) && tekst.contains(QStringLiteral("\"X....\"")) &&
                tekst.contains(QStringLiteral("\"kaartprijs\": 2.5")));
        QString melding;
        QCOMPARE(AvondProgramma::lees(map.path(), &melding), std::optional<AvondProgramma>(p));
        const QString elders = map.filePath(QStringLiteral("mee.json"));
        QVERIFY(p.exporteer(elders, &fout));
        QCOMPARE(AvondProgramma::importeer(elders, &fout), std::optional<AvondProgramma>(p));

        const QByteArray kapot = TestHulp::leesBestand(AvondProgramma::pad(map.path())).left(200);
        QVERIFY(TestHulp::schrijfBestand(AvondProgramma::pad(map.path()), kapot));
        Gesprek gesprek;
        {
            Avond avond({map.path(), {}, &m_kans, false});
            avond.zetGesprek(gesprek.maak());
            avond.hervatBijStart();
            QVERIFY(avond.programma().inhoud().leeg());
        }
        QVERIFY(gesprek.gezegd.value(0).contains(QStringLiteral("kan niet worden gelezen")));
        QVERIFY(!QFileInfo::exists(AvondProgramma::pad(map.path())));
        QCOMPARE(TestHulp::leesBestand(map.filePath(QStringLiteral("Zorvak-programma-beschadigd.json"))), kapot);

        // Each refusal names its place. An amount: negative, no number, too much; nought is an
        // amount.
        const auto ronde = [](const char* spel, const char* fase) {
            return QStringLiteral(R"({"programma":"Zorvak","rondes":[{"spel":"%1",%2}]})").arg(spel, fase).toUtf8();
        };
        const QList<std::pair<QByteArray, QString>> gevallen{
            {ronde("Kienen", R"("fasen":[{"fase":"Vier hoeken"}])"),
             "ronde 1, fase 1: Kienen speelt voor 1 rij, 2 rijen of volle kaart"},
            {ronde("Bingo 75", R"("fasen":[{"fase":"Ster"}])"), "ronde 1, fase 1: het patroon \"Ster\" bestaat niet"},
            {ronde("Kienen", R"("fasen":[{"fase":"1 rij","bedrag":-5}])"),
             "ronde 1, fase 1: het bedrag mag niet negatief zijn"},
            {ronde("Kienen", R"("kaartprijs":-0.01,"fasen":[{"fase":"1 rij"}])"),
             "ronde 1: de kaartprijs mag niet negatief zijn"},
            {ronde("Kienen", R"("fasen":[{"fase":"1 rij","bedrag":"5"}])"),
             "ronde 1, fase 1: het bedrag is geen bedrag"},
            {ronde("Kienen", R"("fasen":[{"fase":"1 rij","bedrag":1000000.01}])"),
             "ronde 1, fase 1: het bedrag is meer dan een miljoen euro"},
            {ronde("Kienen", R"("kaartprijs":0,"fasen":[{"fase":"1 rij","bedrag":1000000}])"), "gelezen"},
            {"{\"programma\":\"Zorvak\",\n\"rondes\": [,]}", "de tekst klopt niet in regel 2"}};
        for (const auto& [json, verwacht] : gevallen) {
            QString reden;
            QCOMPARE(AvondProgramma::uitJson(json, &reden) ? QStringLiteral("gelezen") : reden, verwacht);
        }
    }

    // A warning, never a refusal, above the limits per prize and per evening; at the limit none.
    void grenzen()
    {
        AvondProgramma p = drieRondes();
        p.rondes[0].fasen[2].bedrag = 40000;
        p.rondes[1].fasen[2].bedrag = 0;
        QCOMPARE(p.totaalPrijzen(), 40000 + 1000 + 1500 + 500 + 2000);
        QVERIFY(p.waarschuwingen(40000, 155000).isEmpty());
        p.rondes[0].fasen[2].bedrag = 40001;
        p.rondes[1].fasen[2].bedrag = 155000 - 45001;
        QCOMPARE(p.waarschuwingen(40000, 155000).value(0),
                 QStringLiteral("Ronde 1, volle kaart: € 400,01 is meer dan € 400 per prijs."));
        QCOMPARE(p.waarschuwingen(40000, 155000).size(), 2);
        p.rondes[1].fasen[2].bedrag = *p.rondes[1].fasen[2].bedrag + 1;
        QCOMPARE(p.waarschuwingen(40000, 155000).value(2),
                 QStringLiteral("De prijzen samen (€ 1.550,01) zijn meer dan € 1.550 per avond."));
    }

    // Three rounds with all their stages, balls from a real drum. Two cards that complete a row
    // on the same ball share the prize; winners taken back put the programme back. The record
    // holds every winner, a restart takes the programme's place up, and the report names it all.
    void avondVanDrieRondes()
    {
        QTemporaryDir map;
        const QList<RegisterKaart> kien = TestHulp::drukKaarten(map.path(), KaartSoort::Kien, "K", 2, m_kans);
        const RegisterKaart bingo = TestHulp::drukKaarten(map.path(), KaartSoort::Bingo75, "B", 1, m_kans).value(0);
        const RegisterKaart negentig = TestHulp::drukKaarten(map.path(), KaartSoort::Bingo90, "C", 1, m_kans).value(0);
        QVERIFY(kien.size() == 12 && negentig.nummer == 1);
        // Two cards of different pages with a number in common in a row of each.
        int a = -1, b = -1, gedeeld = 0, rijVanA = 0;
        QList<int> rijA, rijB;
        for (int i = 0; i < 6 && a < 0; ++i)
            for (int j = 6; j < 12 && a < 0; ++j)
                for (int ri = 0; ri < 3 && a < 0; ++ri)
                    for (int rj = 0; rj < 3 && a < 0; ++rj)
                        for (int n : kien[i].getallen.mid(ri * 9, 9))
                            if (n && kien[j].getallen.mid(rj * 9, 9).contains(n)) {
                                a = i, b = j, gedeeld = n, rijVanA = ri;
                                rijA = kien[i].getallen.mid(ri * 9, 9), rijB = kien[j].getallen.mid(rj * 9, 9);
                            }
        QVERIFY(a >= 0);

        Gesprek gesprek;
        auto avond = std::make_unique<Avond>(Avond::Opzet{map.path(), {}, &m_kans});
        avond->zetGesprek(gesprek.maak());
        QVERIFY(avond->instellingen().zetHandmatig(true));
        // The pattern editor's own pattern, which no stage may change.
        PatroonKaart::Patroon editor{};
        editor[3] = editor[8] = 1;
        avond->spel().zetPatroon(editor);
        QVERIFY(avond->programma().zet(drieRondes()));
        const auto voerIn = [&](const QList<int>& ballen) {
            for (int n : ballen)
                if (n && !avond->spel().isGetrokken(n)) QVERIFY(avond->voerBalIn(n));
        };
        QList<Avond::GecontroleerdeKaart> getoond;
        connect(avond.get(), &Avond::kaartGecontroleerd, this,
                [&](const Avond::GecontroleerdeKaart& k) { getoond << k; });
        const auto controleer = [&](const RegisterKaart& kaart) {
            gesprek.kaart = {KaartNummer::tekst(kaart.serie, kaart.nummer), 1};
            avond->kaartWeg();
            avond->controleerKaart();
            return getoond.last().kanBevestigen;
        };
        const auto nummer = [](const RegisterKaart& k) { return KaartNummer::tekst(k.serie, k.nummer); };
        // A ball as the evening calls it, entered by hand: what the voice says, the refusal of it
        // once more, and the question before it goes back (answered Nee).
        OpnameStem* stem = OpnameStem::zetIn(avond->roeper());
        RoepInstellingen roep = avond->roeper().instellingen();
        roep.spreken = true;
        QVERIFY(avond->roeper().zetInstellingen(roep));
        QSignalSpy geweigerd(avond.get(), &Avond::invoerGeweigerd);
        const auto roepUit = [&](int n) {
            avond->voerBalIn(n);
            const QString gezegd = stem->gezegd.value(stem->gezegd.size() - 1).join(QLatin1Char('|'));
            avond->voerBalIn(n);
            gesprek.antwoorden = {false};
            avond->legLaatsteTerugVraag();
            return QStringList{gezegd, geweigerd.value(geweigerd.size() - 1).value(0).toString(), gesprek.gezegd.last(),
                               avond->spel().grootTekst(n)};
        };
        const auto zoRoepen = [](const QString& letter, int n) {
            const QString lijst = letter.isEmpty() ? QString::number(n) : QStringLiteral("%1-%2").arg(letter).arg(n);
            return QStringList{Roepen::balDelen(letter, n, false).join(QLatin1Char('|')),
                               QStringLiteral("Bal %1 is al getrokken.").arg(lijst),
                               QStringLiteral("Bal %1 terugleggen in de trommel?").arg(lijst),
                               letter + QString::number(n)};
        };

        avond->startProgramma();
        QCOMPARE(avond->spel().ronde(), 1);
        QCOMPARE(avond->programma().regel(), QStringLiteral("Ronde 1 · 1 rij · Taart (€ 10)"));
        // Round 1, 1 rij: both rows but the shared number, then that one.
        QList<int> voor = rijA + rijB;
        voor.removeAll(gedeeld);
        // Kienen is called by the number alone; the record keeps the letter all the same.
        QVERIFY(!avond->spel().metLetters());
        QCOMPARE(roepUit(voor[0]), zoRoepen({}, voor[0]));
        QVERIFY(
            TestHulp::leesBestand(Verloop::dagBestand(map.path(), QDate::currentDate()))
                .contains(
                    QStringLiteral(",getrokken,%1,%2,90,").arg(voor[0]).arg(Trommel::letter(voor[0], 90)).toLatin1()));
        voerIn(voor);
        QVERIFY(!controleer(kien[a]));
        // F9 on a card that does not win, or on one checked before the last ball, is refused with
        // the reason; one confirmed is not confirmed twice.
        QSignalSpy geweigerdF9(avond.get(), &Avond::invoerGeweigerd);
        QVERIFY(!avond->bevestigWinnaar());
        QCOMPARE(geweigerdF9.value(0).value(0).toString(),
                 QStringLiteral("Kaart %1 wint niet: er is geen winnaar te bevestigen.").arg(nummer(kien[a])));
        voerIn({gedeeld});
        QCOMPARE(avond->nietBevestigbaar(),
                 QStringLiteral("Er is een bal bij gekomen: controleer kaart %1 opnieuw.").arg(nummer(kien[a])));
        const int bijWinst = static_cast<int>(avond->spel().ballen().size());
        QVERIFY(controleer(kien[a]));
        QCOMPARE(getoond.last().fase, QStringLiteral("Ronde 1 · 1 rij · Taart (€ 10)"));
        QVERIFY(avond->bevestigWinnaar());
        QVERIFY(!avond->bevestigWinnaar());
        QCOMPARE(avond->nietBevestigbaar(), QStringLiteral("Kaart %1 is al bevestigd.").arg(nummer(kien[a])));
        QCOMPARE(avond->programma().fase(), 1);
        QVERIFY(controleer(kien[b]));
        QVERIFY(avond->bevestigWinnaar());
        QCOMPARE(avond->programma().regel(), QStringLiteral("Ronde 1 · 1 rij gedeeld door 2 winnaars · € 5 elk"));
        // Both taken back, the last first: the programme plays for one row again.
        gesprek.antwoorden = {true, true};
        avond->neemWinnaarTerugVraag();
        QCOMPARE(avond->programma().fase(), 1);
        avond->neemWinnaarTerugVraag();
        QCOMPARE(avond->programma().fase(), 0);
        QVERIFY(avond->programma().winnaars().isEmpty());
        QVERIFY(controleer(kien[a]) && avond->bevestigWinnaar());
        // The next ball closes the shared prize: card b now counts for two rows and does not win.
        // The rows of card a one at a time, each completed by its last ball.
        const auto rij = [&](int r) {
            QList<int> uit;
            for (int n : kien[a].getallen.mid(((rijVanA + r) % 3) * 9, 9))
                if (n && !avond->spel().isGetrokken(n)) uit << n;
            return uit;
        };
        const QList<int> tweeRijen = rij(1);
        voerIn(tweeRijen.mid(0, tweeRijen.size() - 1));
        QVERIFY(!controleer(kien[b]));
        QCOMPARE(getoond.last().fase, QStringLiteral("Ronde 1 · 2 rijen · € 15"));
        voerIn(tweeRijen.mid(tweeRijen.size() - 1));
        QVERIFY(controleer(kien[a]) && avond->bevestigWinnaar());
        voerIn(rij(2));
        QVERIFY(controleer(kien[a]) && avond->bevestigWinnaar());
        QCOMPARE(avond->programma().ronde(), 1);
        avond->kaartWeg();

        // Round 1 is over: until Start nothing enters its game, by a draw, a typed ball or a
        // click on a ball's place; each try says so, and the record stays as it is.
        // The hall reads that it is over; what to press is for the organiser.
        const QString uit = QStringLiteral("Ronde 1 is afgelopen. Druk op Start voor ronde 2.");
        QVERIFY(avond->programma().rondeAfgelopen());
        QCOMPARE(avond->programma().regel(), QStringLiteral("Ronde 1 is afgelopen"));
        QCOMPARE(avond->programma().rondeAfgelopenTekst(), uit);
        // The pattern button already shows what the next round plays for.
        QCOMPARE(avond->programma().fasePatroon(), AvondProgramma::vastPatroon(QStringLiteral("Vier hoeken")));
        {
            const QByteArray verloopVoor = TestHulp::leesBestand(Verloop::dagBestand(map.path(), QDate::currentDate()));
            const auto ballenVoor = avond->spel().ballen();
            QSignalSpy geweigerd(avond.get(), &Avond::invoerGeweigerd);
            int vrij = 1;
            while (avond->spel().isGetrokken(vrij))
                ++vrij;
            QVERIFY(!avond->voerBalIn(vrij));
            QVERIFY(!avond->voerBalInOp(Trommel::cel(vrij) + QPoint(450, 450)));
            QVERIFY(avond->instellingen().zetHandmatig(false));
            QVERIFY(!avond->trekAlsKlaar());
            QVERIFY(avond->instellingen().zetHandmatig(true));
            QCOMPARE(geweigerd.size(), 3);
            for (const QList<QVariant>& g : geweigerd)
                QCOMPARE(g.value(0).toString(), uit);
            QCOMPARE(avond->spel().ballen(), ballenVoor);
            QCOMPARE(TestHulp::leesBestand(Verloop::dagBestand(map.path(), QDate::currentDate())), verloopVoor);
        }

        // Round 2: Bingo 75 with its patterns, which the pattern button shows; the editor's
        // own pattern stays as it was drawn.
        gesprek.antwoorden = {true};
        QVERIFY(avond->nieuwSpelVraag());
        QCOMPARE(avond->spel().aantalBallen(), 75);
        QCOMPARE(avond->spel().ronde(), 2);
        QVERIFY(!avond->programma().rondeAfgelopen());
        QCOMPARE(avond->programma().regel(), QStringLiteral("Ronde 2 · Vier hoeken · Fles wijn"));
        QCOMPARE(avond->programma().fasePatroon(), AvondProgramma::vastPatroon(QStringLiteral("Vier hoeken")));
        QCOMPARE(avond->spel().patroon(), editor);
        // A Bingo round is called with the letters.
        const int b1 = bingo.getallen[0];
        QCOMPARE(roepUit(b1), zoRoepen(Trommel::letter(b1, 75), b1));
        voerIn({bingo.getallen[0], bingo.getallen[4], bingo.getallen[20]});
        QVERIFY(!controleer(bingo));
        voerIn({bingo.getallen[24]});
        QVERIFY(controleer(bingo) && avond->bevestigWinnaar());
        voerIn({bingo.getallen[6], bingo.getallen[18]});
        QVERIFY(controleer(bingo) && avond->bevestigWinnaar());
        voerIn(bingo.getallen);
        QVERIFY(controleer(bingo) && avond->bevestigWinnaar());

        // Round 3: Bingo 90, any row.
        gesprek.antwoorden = {true};
        QVERIFY(avond->nieuwSpelVraag());
        QCOMPARE(avond->spel().aantalBallen(), 90);
        voerIn(negentig.getallen.mid(0, 5));
        QCOMPARE(avond->programma().fasePatroon(), std::optional<PatroonKaart::Patroon>(PatroonKaart::Patroon{}));
        QVERIFY(controleer(negentig) && avond->bevestigWinnaar());
        QVERIFY(avond->programma().klaar());
        QVERIFY(avond->programma().rondeAfgelopen() && !avond->programma().fasePatroon());
        avond->kaartWeg();
        QCOMPARE(avond->spel().patroon(), editor);

        // The record: a line per winner and per stage, with the card, the stage and the count.
        const QString dag = Verloop::dagBestand(map.path(), QDate::currentDate());
        const QList<Verloop::Regel> regels = Verloop::alleRegels(TestHulp::leesBestand(dag));
        QStringList winnaars;
        int fasen = 0;
        for (const Verloop::Regel& r : regels) {
            if (r.gebeurtenis.startsWith(QStringLiteral("winnaar")))
                winnaars << QStringLiteral("%1 %2 %3 %4")
                                .arg(r.gebeurtenis, r.extra.kaart, r.extra.fase)
                                .arg(r.extra.aantal);
            fasen += r.gebeurtenis == QStringLiteral("fase");
            if (r.gebeurtenis == QStringLiteral("getrokken")) QVERIFY(r.hand);
        }
        QCOMPARE(winnaars.size(), 11);
        QCOMPARE(winnaars[0], QStringLiteral("winnaar %1 1 rij %2").arg(nummer(kien[a])).arg(bijWinst));
        QCOMPARE(winnaars[2], QStringLiteral("winnaar teruggenomen %1 1 rij %2").arg(nummer(kien[b])).arg(bijWinst));
        // Each stage as its game plays for it: three, one taken back, three, one.
        QCOMPARE(fasen, 9);

        // A start after a crash takes the last game up with its place in the programme.
        avond.reset();
        {
            Avond weer({map.path(), {}, &m_kans});
            Gesprek ja;
            ja.antwoorden = {true};
            weer.zetGesprek(ja.maak());
            weer.hervatBijStart();
            QVERIFY(weer.programma().klaar());
            // Every winner since the programme began, over all its games.
            QCOMPARE(weer.programma().winnaars().size(), 7);
            QCOMPARE(weer.spel().ballen().size(), 5);
            QVERIFY(weer.spel().ballen().first().hand);
        }

        // The report: every round, stage and winner, the shared prize gone, the totals.
        // A check after the evening, with no game, adds no round.
        Verloop::Regel losseControle;
        losseControle.tijd = regels.last().tijd;
        losseControle.gebeurtenis = QStringLiteral("gecontroleerd");
        const Verslag::Inhoud inhoud = Verslag::inhoud(regels + QList<Verloop::Regel>{losseControle});
        QCOMPARE(inhoud.rondes.size(), 3);
        QCOMPARE(inhoud.rondes[0].fasen.size(), 3);
        QCOMPARE(inhoud.rondes[0].fasen[0].winnaars.size(), 1);
        QCOMPARE(inhoud.prijzen, 1000 + 1500 + 5000 + 500 + 2550 + 2000);
        QCOMPARE(inhoud.opbrengst, 250 * 40 + 300 * 12);
        const QString pdf = map.filePath(QStringLiteral("verslag.pdf"));
        QString fout;
        QVERIFY2(Verslag::maak(dag, pdf, &fout), qPrintable(fout));
        // Under Wine there is no pdftotext: the report is then only a PDF.
        QVERIFY(TestHulp::leesBestand(pdf).startsWith("%PDF-"));
        if (TestHulp::buitenProgramma(QStringLiteral("pdftotext")).isEmpty()) return;
        const QString tekst = pdfTekst(pdf).simplified();
        for (const QString& moet :
             {QStringLiteral("Verslag van de avond"), QStringLiteral("Ronde 1 · Kienen"),
              QStringLiteral("Ronde 2 · Bingo 75"), QStringLiteral("Ronde 3 · Bingo 90"),
              QStringLiteral("kaart %1, gewonnen bij de %2e bal").arg(nummer(kien[a])).arg(bijWinst),
              QStringLiteral("Boodschappenmand € 50"), QStringLiteral("Prijzen uitgekeerd € 125,50"),
              QStringLiteral("Opbrengst van de kaarten € 136"), QStringLiteral("Handtekening:")})
            QVERIFY2(tekst.contains(moet), qPrintable(moet + QStringLiteral(" in: ") + tekst));
        QVERIFY(!tekst.contains(nummer(kien[b])));
    }

    // The report is made from the record alone: a stage nobody won is not paid out, a ball taken
    // back and a game with no ball do not count, a prize over the club's limit is marked, a
    // winner names the ball that completed the card, and each game lists its balls in order.
    // Editing, replacing or deleting the programme's file afterwards changes nothing; a record
    // from before it kept the programme still comes out, and says it lacks the prizes.
    void verslagUitHetVerloop()
    {
        QTemporaryDir map;
        const RegisterKaart kaart = kienKaart(map.path(), m_kans);
        using S = AvondProgramma::Soort;
        AvondProgramma p;
        p.rondes = {{S::Kienen, AvondProgramma::standaardFasen(S::Kienen), 200, 30}};
        p.rondes[0].fasen[0].prijs = QStringLiteral("Taart");
        p.rondes[0].fasen[0].bedrag = 1000;
        p.rondes[0].fasen[1].bedrag = 3000;
        p.rondes[0].fasen[2].bedrag = 2000; // at the limit: not over it

        Gesprek gesprek;
        QList<int> getrokken;
        {
            Avond avond({map.path(), {}, &m_kans});
            avond.zetGesprek(gesprek.maak());
            QVERIFY(avond.instellingen().zetHandmatig(true) && avond.programma().zetLimieten(2000, 10000) &&
                    avond.programma().zet(p));
            avond.startProgramma();
            // A game begun again before its first ball is no game.
            gesprek.antwoorden = {true};
            QVERIFY(avond.nieuwSpelVraag());
            QList<int> rij;
            for (int n : kaart.getallen.mid(0, 9))
                if (n) rij << n;
            QList<int> anders;
            for (int n = 1; anders.size() < 3; ++n)
                if (!kaart.getallen.contains(n)) anders << n;
            for (int n : rij + anders.mid(0, 2) + anders.mid(2))
                QVERIFY(avond.voerBalIn(n));
            gesprek.antwoorden = {true};
            avond.legLaatsteTerugVraag();
            getrokken = rij + anders.mid(0, 2);
            gesprek.kaart = {QStringLiteral("K-1"), 1};
            avond.controleerKaart();
            QVERIFY(avond.bevestigWinnaar());
            const Avond::Winnaar w = avond.programma().winnaars().last();
            QCOMPARE(w.compleetPlaats, rij.size());
            QCOMPARE(w.compleetBal, rij.last());
            QCOMPARE(w.aantal, rij.size() + 2);
        }
        const QString dag = Verloop::dagBestand(map.path(), QDate::currentDate());
        const QList<Verloop::Regel> regels = Verloop::alleRegels(TestHulp::leesBestand(dag));
        const Verslag::Inhoud in = Verslag::inhoud(regels);
        QCOMPARE(in.rondes.size(), 1);
        QCOMPARE(in.rondes[0].spellen.size(), 1);
        QCOMPARE(in.rondes[0].spellen[0].ballen, getrokken);
        QCOMPARE(in.rondes[0].fasen.size(), 3);
        QCOMPARE(in.rondes[0].fasen[0].winnaars.size(), 1);
        QVERIFY(in.rondes[0].fasen[1].winnaars.isEmpty() && in.rondes[0].fasen[1].boven);
        QVERIFY(!in.rondes[0].fasen[0].boven && !in.rondes[0].fasen[2].boven);
        QCOMPARE(in.prijzen, 1000);
        QCOMPARE(in.opbrengst, 200 * 30);
        QVERIFY(!in.prijzenOnbekend && !in.maxAvond);

        const QString pdf = map.filePath(QStringLiteral("verslag.pdf"));
        const auto verslag = [&] {
            QString fout;
            if (!Verslag::maak(dag, pdf, &fout)) return fout;
            return pdfTekst(pdf).simplified();
        };
        if (TestHulp::buitenProgramma(QStringLiteral("pdftotext")).isEmpty()) return;
        const QString eerst = verslag();
        QStringList ballen;
        for (int n : getrokken)
            ballen << QString::number(n);
        for (const QString& moet :
             {QStringLiteral("1 rij Taart € 10"), QStringLiteral("2 rijen (boven de grens per prijs) € 30"),
              QStringLiteral("niet gevallen"),
              QStringLiteral("kaart K-0001, compleet bij de %1e bal, bevestigd na de %2e")
                  .arg(getrokken.size() - 2)
                  .arg(getrokken.size()),
              QStringLiteral("Spel 2: ") + ballen.join(QStringLiteral(", ")),
              QStringLiteral("1 spel, %1 ballen getrokken").arg(getrokken.size()),
              QStringLiteral("Prijzen uitgekeerd € 10"), QStringLiteral("Kaarten verkocht 30"),
              QStringLiteral("Rondes / spellen 1/1")})
            QVERIFY2(eerst.contains(moet), qPrintable(moet + QStringLiteral(" in: ") + eerst));

        // The programme's file edited, replaced and deleted: the report stays word for word.
        AvondProgramma later = p;
        later.rondes[0].fasen[0].prijs = QStringLiteral("Fiets");
        later.rondes[0].fasen[0].bedrag = 9900;
        later.rondes[0].kaarten = 0;
        QVERIFY(later.bewaar(map.path(), nullptr));
        QCOMPARE(verslag(), eerst);
        AvondProgramma ander;
        ander.rondes = {{S::Bingo75, AvondProgramma::standaardFasen(S::Bingo75), 100, 5}};
        QVERIFY(ander.bewaar(map.path(), nullptr));
        QCOMPARE(verslag(), eerst);
        QVERIFY(QFile::remove(AvondProgramma::pad(map.path())));
        QCOMPARE(verslag(), eerst);

        // A record from before the programme went into it: stages and winners, no prizes, said.
        QByteArray oud;
        for (const QByteArray& lijn : TestHulp::leesBestand(dag).split('\n'))
            if (!lijn.contains(",programma,") && !lijn.isEmpty()) oud += lijn + '\n';
        QVERIFY(TestHulp::schrijfBestand(dag, oud));
        const QString zonder = verslag();
        for (const QString& moet : {QStringLiteral("1 rij prijs niet in het verloop"),
                                    QStringLiteral("Zonder de prijzen die niet in het verloop staan")})
            QVERIFY2(zonder.contains(moet), qPrintable(moet + QStringLiteral(" in: ") + zonder));
        QVERIFY(!zonder.contains(QStringLiteral("Taart")));
        const Verslag::Inhoud oudIn = Verslag::inhoud(Verloop::alleRegels(oud));
        QVERIFY(oudIn.prijzenOnbekend && oudIn.metProgramma);
        QCOMPARE(oudIn.prijzen, 0);

        // A programme in the record that cannot be read is a line that could not be read.
        Verloop::Extra kapot;
        kapot.programma = "{\"programma\": \"Zorvak\"";
        const QByteArray metKapot =
            oud + Verloop::regel(regels.last().tijd, Spel::Stand{90, 1, 2, {}}, "programma", 0, kapot);
        QList<int> onleesbaar;
        const QList<Verloop::Regel> gelezen = Verloop::alleRegels(metKapot, &onleesbaar);
        QVERIFY(onleesbaar.isEmpty());
        QCOMPARE(Verslag::inhoud(gelezen, {4}).onleesbaar, (QList<int>{4, static_cast<int>(metKapot.count('\n'))}));

        // The report, also from its dialog, never takes the place of the record or the programme.
        QVERIFY(later.bewaar(map.path(), nullptr));
        for (const QString& doel : {dag, AvondProgramma::pad(map.path())}) {
            const QByteArray voor = TestHulp::leesBestand(doel);
            QString fout;
            QVERIFY(!Verslag::maak(dag, doel, &fout));
            QVERIFY2(fout.contains(QStringLiteral("daar komt geen verslag in")), qPrintable(fout));
            QCOMPARE(TestHulp::leesBestand(doel), voor);
        }
    }

    // A crash between a new game and its first ball: the restart asks nothing (there is nothing
    // to take up), but the programme goes on at its place with its winners; Start plays round 2.
    void crashVoorDeEersteBal()
    {
        QTemporaryDir map;
        const RegisterKaart kaart = kienKaart(map.path(), m_kans);
        using S = AvondProgramma::Soort;
        AvondProgramma p;
        p.rondes = {{S::Kienen, {AvondProgramma::standaardFasen(S::Kienen).first()}, std::nullopt, 0},
                    {S::Bingo75, AvondProgramma::standaardFasen(S::Bingo75), std::nullopt, 0}};
        {
            Gesprek gesprek;
            Avond avond({map.path(), {}, &m_kans});
            avond.zetGesprek(gesprek.maak());
            QVERIFY(avond.instellingen().zetHandmatig(true) && avond.programma().zet(p));
            avond.startProgramma();
            for (int n : kaart.getallen.mid(0, 9))
                if (n) QVERIFY(avond.voerBalIn(n));
            gesprek.kaart = {QStringLiteral("K-1"), 1};
            avond.controleerKaart();
            QVERIFY(avond.bevestigWinnaar());
            gesprek.antwoorden = {true};
            QVERIFY(avond.nieuwSpelVraag());
            QCOMPARE(avond.spel().ronde(), 2);
        }
        Gesprek gesprek;
        Avond weer({map.path(), {}, &m_kans});
        weer.zetGesprek(gesprek.maak());
        weer.hervatBijStart();
        QVERIFY(gesprek.gezegd.isEmpty());
        QVERIFY(weer.programma().loopt());
        QCOMPARE(weer.programma().ronde(), 1);
        QCOMPARE(weer.programma().winnaars().size(), 1);
        QCOMPARE(weer.programma().regel(), QStringLiteral("Ronde 2 · Rij"));
        gesprek.antwoorden = {true};
        QVERIFY(weer.nieuwSpelVraag());
        QCOMPARE(weer.spel().aantalBallen(), 75);
        QCOMPARE(weer.spel().spelNummer(), 3);
    }

    // Balls from a real drum: nothing at random, a ball drawn or outside the game refused with a
    // reason and nothing changed, Backspace's take-back as ever, and the record says "hand". A
    // click on a ball's place enters it, but nothing while the program draws by itself; a draw
    // does nothing while balls come from a real drum.
    void handmatig()
    {
        QTemporaryDir map;
        Gesprek gesprek;
        Avond avond({map.path(), {}, &m_kans});
        avond.zetGesprek(gesprek.maak());
        QSignalSpy geweigerd(&avond, &Avond::invoerGeweigerd);
        QVERIFY(!avond.voerBalIn(5));
        QCOMPARE(geweigerd.last().value(0).toString(), QStringLiteral("Begin eerst een nieuw spel."));
        QVERIFY(avond.instellingen().zetHandmatig(true));
        avond.NieuwSpel();
        QVERIFY(!avond.trekAlsKlaar());
        QSignalSpy getoond(&avond, &Avond::balGetoond);
        QVERIFY(avond.voerBalIn(75));
        QCOMPARE(getoond.size(), 1);
        QVERIFY(!avond.voerBalIn(75));
        QVERIFY(!avond.voerBalIn(76));
        QVERIFY(!avond.voerBalIn(0));
        QCOMPARE(geweigerd.size(), 4);
        QCOMPARE(geweigerd[1].value(0).toString(), QStringLiteral("Bal O-75 is al getrokken."));
        QCOMPARE(geweigerd[2].value(0).toString(), QStringLiteral("76 hoort niet bij dit spel (1 tot en met 75)."));
        QCOMPARE(avond.spel().ballen().size(), 1);
        QVERIFY(avond.voerBalIn(3));
        gesprek.antwoorden = {true};
        avond.legLaatsteTerugVraag();
        QCOMPARE(avond.spel().laatste(), 75);
        const QByteArray verloop = TestHulp::leesBestand(Verloop::dagBestand(map.path(), QDate::currentDate()));
        QVERIFY(verloop.contains(",getrokken,75,O,75,,,,,hand\r\n"));
        QVERIFY(verloop.contains(",teruggelegd,3,B,75,,,,,\r\n"));

        const auto op = [](int n) { return Trommel::cel(n) + QPoint(Trommel::balMaat / 2, Trommel::balMaat / 2); };
        QVERIFY(avond.voerBalInOp(op(40)));
        QCOMPARE(avond.spel().laatste(), 40);
        QVERIFY(!avond.trekAlsKlaar());
        QVERIFY(avond.instellingen().zetHandmatig(false) && !avond.instellingen().handmatig());
        QVERIFY(!avond.voerBalInOp(op(41)));
        QCOMPARE(avond.spel().ballen().size(), 2);
        QVERIFY(avond.trekAlsKlaar());
        QCOMPARE(avond.spel().ballen().size(), 3);
    }

    // Every built-in pattern: a card with exactly its cells drawn wins, with any one of them
    // missing it does not. "Rij" has no cells of its own: any complete line wins.
    void patroonOordeel_data()
    {
        QTest::addColumn<QString>("naam");
        QTest::addColumn<QList<QList<int>>>("winnend"); // sets of cells 1..25 that each win
        QList<QList<int>> lijnen;
        for (int r = 0; r < 5; ++r)
            lijnen << QList<int>{r * 5 + 1, r * 5 + 2, r * 5 + 3, r * 5 + 4, r * 5 + 5};
        for (int k = 1; k <= 5; ++k)
            lijnen << QList<int>{k, k + 5, k + 10, k + 15, k + 20};
        lijnen << QList<int>{1, 7, 13, 19, 25} << QList<int>{5, 9, 13, 17, 21};
        QList<int> alles;
        for (int k = 1; k <= 25; ++k)
            alles << k;
        QCOMPARE(AvondProgramma::patroonNamen(), (QStringList{"Rij", "Vier hoeken", "Kruis", "Volle kaart"}));
        QTest::newRow("Rij") << "Rij" << lijnen;
        QTest::newRow("Vier hoeken") << "Vier hoeken" << QList<QList<int>>{{1, 5, 21, 25}};
        QTest::newRow("Kruis") << "Kruis" << QList<QList<int>>{{1, 5, 7, 9, 13, 17, 19, 21, 25}};
        QTest::newRow("Volle kaart") << "Volle kaart" << QList<QList<int>>{alles};
    }
    void patroonOordeel()
    {
        QFETCH(QString, naam);
        QFETCH(QList<QList<int>>, winnend);
        // Column k of the card holds 15k+1..15k+5 top to bottom; the centre (cell 13) is FREE.
        QList<int> cellen;
        for (int k = 1; k <= 25; ++k)
            cellen << (k == 13 ? 0 : 15 * ((k - 1) % 5) + (k - 1) / 5 + 1);
        const auto patroon = AvondProgramma::vastPatroon(naam);
        QCOMPARE(patroon.has_value(), naam != QStringLiteral("Rij"));
        if (patroon) {
            // The pattern marks exactly these cells.
            for (int k = 1; k <= 25; ++k)
                QCOMPARE(bool((*patroon)[k]), winnend[0].contains(k));
        }
        const PatroonKaart::Patroon* p = patroon ? &*patroon : nullptr;
        const auto getrokken = [&](const QList<int>& vakken) {
            QList<int> ballen;
            for (int k : vakken)
                if (k != 13) ballen << cellen[k - 1];
            return Ballen::getrokken(ballen);
        };
        for (const QList<int>& vakken : winnend) {
            QVERIFY2(Controle::bingo(cellen, getrokken(vakken), p).gewonnen, qPrintable(naam));
            for (int weg : vakken) {
                if (weg == 13) continue;
                QList<int> minder = vakken;
                minder.removeOne(weg);
                const auto u = Controle::bingo(cellen, getrokken(minder), p);
                QVERIFY2(!u.gewonnen, qPrintable(naam + QStringLiteral(" zonder vak %1").arg(weg)));
                if (p) QCOMPARE(u.ontbrekend, QList<int>{cellen[weg - 1]});
            }
        }
    }
};

QTEST_MAIN(TstProgramma)
#include "tst_programma.moc"
