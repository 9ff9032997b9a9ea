// The evening without any window: the order of a draw, a resume and an exit, and the register
// side of a card check.
#include "testhulp.h"

#include <QSignalSpy>
#include <QtTest>

using TestHulp::Gesprek;

class TstAvond : public QObject
{
    Q_OBJECT
    VasteToeval m_kans{11};

private slots:
    void init()
    {
        WachtTempo::zet(0);
        WachtTempo::zetBeeindigd(false);
    }

    // Nothing is drawn before the first game. A ball is in the record before anything follows
    // it, then it blinks with the lock held, then it shows and the lock is free; a click while
    // it blinks draws nothing.
    void trekking()
    {
        QTemporaryDir map;
        Avond avond({map.path(), {}, &m_kans});
        QVERIFY(!avond.trekAlsKlaar());
        avond.NieuwSpel();
        QStringList gebeurd;
        connect(&avond.spel(), &Spel::balGetrokken, this, [&] {
            const QFile record(Verloop::dagBestand(map.path(), QDate::currentDate()));
            gebeurd << QStringLiteral("getrokken, in het verloop %1").arg(record.size() > 0);
        });
        connect(&avond, &Avond::knipperBal, this,
                [&] { gebeurd << QStringLiteral("knippert %1 %2").arg(avond.bezig()).arg(avond.trekAlsKlaar()); });
        connect(&avond, &Avond::balGetoond, this, [&] { gebeurd << QStringLiteral("getoond %1").arg(avond.bezig()); });
        connect(&avond, &Avond::trekkingKlaar, this, [&] { gebeurd << QStringLiteral("klaar %1").arg(avond.bezig()); });
        QVERIFY(avond.trekAlsKlaar());
        QCOMPARE(gebeurd, QStringList({"getrokken, in het verloop 1", "knippert 1 0", "getoond 1", "klaar 0"}));
        QCOMPARE(avond.spel().ballen().size(), 1);
    }

    // A game left unfinished is offered at the next start: Nee writes down that it was given
    // up; Ja takes it up and the board is ready. A record that could not be written to the end
    // (a full disk until the program died): the question says that balls the hall saw may be
    // missing.
    void hervatten()
    {
        QTemporaryDir map;
        Gesprek gesprek;
        const auto speel = [&](bool schijfVol) {
            Avond avond({map.path(), {}, &m_kans});
            avond.NieuwSpel();
            avond.trekAlsKlaar();
            if (schijfVol)
                avond.verloop()->zetAanvuller([](const QString&, const QByteArray&, QString*) { return false; });
            avond.trekAlsKlaar();
        };
        speel(true);
        {
            Avond avond({map.path(), {}, &m_kans});
            avond.zetGesprek(gesprek.maak());
            avond.hervatBijStart();
            QVERIFY(!avond.spel().heeftSpel());
        }
        QVERIFY(gesprek.gezegd.value(0).contains(
            QStringLiteral("(1 bal in het verloop). Het verloop kon niet tot het eind worden geschreven")));
        QVERIFY(Verloop::laatsteSpel(map.path())->afgemaakt);
        speel(false);
        Avond avond({map.path(), {}, &m_kans});
        avond.zetGesprek(gesprek.maak());
        gesprek.antwoorden = {true};
        avond.hervatBijStart();
        QVERIFY(gesprek.gezegd.size() == 2 && !gesprek.gezegd[1].contains(QStringLiteral("niet tot het eind")));
        QVERIFY(avond.spel().ballen().size() == 2 && !avond.bezig());
    }

    // A new game on a full disk, then a crash: the start names the game the record never got and
    // the game it ends with, offers that one only with Nee as the answer to a plain Enter, and
    // writes the missing game into the record; until that line is in, the mark stays. Game
    // numbers go on after the missing game.
    void nieuwSpelOpVolleSchijf()
    {
        QTemporaryDir map;
        {
            Avond avond({map.path(), {}, &m_kans});
            avond.NieuwSpel();
            for (int i = 0; i < 3; ++i)
                avond.trekAlsKlaar();
        }
        // Game 1 taken up, game 2 begun with three balls, then the program dies without an exit.
        const auto tweedeSpel = [&](const std::function<void(Avond&)>& schijfVol) {
            Avond avond({map.path(), {}, &m_kans});
            avond.zetGesprek({[](const QString&, const QString&, bool) { return true; },
                              [](const QString&, const QString&) {},
                              {},
                              {}});
            avond.hervatBijStart();
            schijfVol(avond);
            avond.NieuwSpel();
            for (int i = 0; i < 3; ++i)
                avond.trekAlsKlaar();
            return avond.spel().spelNummer() == 2 && avond.verloop()->isAchter();
        };
#ifdef Q_OS_UNIX
        // In a copy of the program on a disk that is full from now on.
        const qint64 vol = QFileInfo(Verloop::dagBestand(map.path(), QDate::currentDate())).size();
        QCOMPARE(TestHulp::metGrens(static_cast<rlim_t>(vol), [&](QString&) { return tweedeSpel([](Avond&){}); }),
                 QStringLiteral("MISLUKT"));
#else
        QVERIFY(tweedeSpel([](Avond& avond) {
            avond.verloop()->zetAanvuller([](const QString&, const QByteArray&, QString*) { return false; });
        }));
#endif
        const QString stand = map.filePath(QStringLiteral("Verloop/stand.txt"));
        for (int keer = 0; keer < 2; ++keer) {
            Gesprek gesprek;
            QList<bool> standaard;
            Avond avond({map.path(), {}, &m_kans});
            avond.zetGesprek({[&](const QString&, const QString& tekst, bool ja) {
                                  gesprek.gezegd << tekst;
                                  standaard << ja;
                                  return false;
                              },
                              [&](const QString&, const QString& tekst) { gesprek.gezegd << tekst; },
                              {},
                              {}});
            // The first time the disk is still full: nothing may be marked whole.
            if (keer == 0)
                avond.verloop()->zetAanvuller([](const QString&, const QByteArray&, QString*) { return false; });
            avond.hervatBijStart();
            // With the disk still full, that the record cannot be kept is said too.
            QCOMPARE(gesprek.gezegd.size(), keer == 0 ? 2 : 1);
            QVERIFY2(
                gesprek.gezegd[0].startsWith(
                    QStringLiteral("Spel 2 is begonnen maar staat niet volledig in het verloop")) &&
                    gesprek.gezegd[0].contains(QStringLiteral("Het verloop eindigt met spel 1 (3 ballen getrokken).")),
                qPrintable(gesprek.gezegd[0]));
            QCOMPARE(standaard, QList<bool>{false});
            QVERIFY(!avond.spel().heeftSpel());
            QCOMPARE(TestHulp::leesBestand(stand).startsWith("heel"), keer == 1);
        }
        Avond avond({map.path(), {}, &m_kans});
        avond.hervatBijStart();
        avond.NieuwSpel();
        QCOMPARE(avond.spel().spelNummer(), 3);
        const QByteArray verloop = TestHulp::leesBestand(Verloop::dagBestand(map.path(), QDate::currentDate()));
        QVERIFY(verloop.contains(",2,0,ontbreekt,,,75,,,niet in het verloop,,"));
        QCOMPARE(verloop.count(",ontbreekt,"), 1);
    }

    // The check only reads: a missing register is not made, a file in its place that is no
    // register of ours is said and left as it is. A bare number with no series of the game's kind
    // printed is answered. A card found is signalled and holds calling by itself until it is put
    // away.
    void kaartControle()
    {
        QTemporaryDir map;
        Gesprek gesprek;
        Avond avond({map.path(), {}, &m_kans, false});
        avond.zetGesprek(gesprek.maak(QStringLiteral("A-0002")));
        const QString pad = KaartRegister::padIn(map.path());
        avond.controleerKaart();
        QVERIFY(gesprek.gezegd.value(0).startsWith(QStringLiteral("Er zijn nog geen genummerde")));
        QVERIFY(!QFileInfo::exists(pad) && !avond.roeper().gepauzeerd(Roeper::Controle));
        QFile vreemd(pad);
        QVERIFY(vreemd.open(QIODevice::WriteOnly) && vreemd.write("van iemand anders") > 0);
        vreemd.close();
        avond.controleerKaart();
        QVERIFY(gesprek.gezegd.value(1).contains(QStringLiteral("geen kaartregister van Zorvak")));
        QCOMPARE(QDir(map.path()).entryList({QStringLiteral("Kaartregister*")}), QStringList{"Kaartregister.db"});
        QVERIFY(QFile::remove(pad));

        QList<Avond::GecontroleerdeKaart> getoond;
        connect(&avond, &Avond::kaartGecontroleerd, this, [&](const Avond::GecontroleerdeKaart& k) { getoond << k; });
        const auto controleer = [&](const QString& nummer, int rijen, const QList<int>& ballen) {
            // Each card in a game of its own kind.
            avond.spel().herstel(TestHulp::standMet(nummer.startsWith(QLatin1Char('K')) ? 90 : 75, ballen));
            gesprek.kaart = {nummer, rijen};
            avond.kaartWeg();
            avond.controleerKaart();
            return getoond.isEmpty() ? QString() : getoond.last().uitslag.oordeel;
        };
        // With only Kien cards printed, a bare number in a Bingo 75 game is answered, not taken
        // from another kind.
        const RegisterKaart kien = TestHulp::drukKaarten(map.path(), KaartSoort::Kien, "K", 1, m_kans).value(0);
        QVERIFY(controleer(QStringLiteral("3"), 1, {}).isEmpty());
        QCOMPARE(gesprek.gezegd.value(2),
                 QStringLiteral("Er is nog geen reeks kaarten voor dit spel (Bingo 75) afgedrukt. Typ het nummer met "
                                "de letter van de reeks, bijvoorbeeld A-0017."));
        QVERIFY(!avond.roeper().gepauzeerd(Roeper::Controle));
        // Then B and A: A is printed last, though B sorts after it and runs to higher numbers.
        QVERIFY(TestHulp::drukKaarten(map.path(), KaartSoort::Bingo75, "B", 2, m_kans).size() == 12);
        const RegisterKaart kaart = TestHulp::drukKaarten(map.path(), KaartSoort::Bingo75, "A", 1, m_kans).value(3);
        // A bare number is of the series printed last; its top row is a bingo.
        QVERIFY(
            controleer(QStringLiteral("4"), 1, kaart.getallen.mid(0, 5)).startsWith(QStringLiteral("BINGO: rij 1")));
        QCOMPARE(KaartNummer::tekst(getoond.last().kaart.serie, getoond.last().kaart.nummer), QStringLiteral("A-0004"));
        QVERIFY(avond.stand().kaartInBeeld && avond.roeper().gepauzeerd(Roeper::Controle));
        // With the four corners as the evening's pattern, a full row is not enough.
        avond.spel().zetPatroon(*AvondProgramma::vastPatroon(QStringLiteral("Vier hoeken")));
        QCOMPARE(controleer(QStringLiteral("A-4"), 1, kaart.getallen.mid(0, 5)),
                 QStringLiteral("Geen bingo: het patroon is nog niet vol"));
        avond.spel().zetPatroon({});
        // A Kien card with its top row drawn wins one row, not the two rows asked for.
        QVERIFY(controleer(QStringLiteral("K-1"), 1, kien.getallen.mid(0, 9)).startsWith(QStringLiteral("KIEN")));
        QCOMPARE(controleer(QStringLiteral("K-1"), 2, kien.getallen.mid(0, 9)),
                 QStringLiteral("Geen kien: 1 rij (nodig: 2 rijen)"));
        avond.kaartWeg();
        QVERIFY(!avond.kaartInBeeld() && !avond.roeper().gepauzeerd(Roeper::Controle));
    }

    // A card is judged only in a game of its own kind: every kind of card in every kind of game,
    // by its full number, by a bare number and by a scan, with the programme on and off. A card
    // of another kind is refused in words, written to the record as refused, and never
    // confirmable; a bare number is of the series of the game's kind printed last.
    void kaartSoorten_data()
    {
        QTest::addColumn<int>("ballen");
        QTest::addColumn<int>("ronde");        // -1: no programme; else the programme's round 0..2
        QTest::addColumn<QString>("past");     // the series judged in this game
        QTest::addColumn<QString>("kaal");     // the series a bare number is taken from
        QTest::addColumn<QString>("spelNaam"); // as the refusal names the game
        QTest::newRow("75 ballen") << 75 << -1 << "B" << QString("B") << "Bingo 75";
        QTest::newRow("90 ballen") << 90 << -1 << "KN" << QString("N") << "met 90 ballen";
        QTest::newRow("Kienen") << 90 << 0 << "K" << QString("K") << "Kienen";
        QTest::newRow("Bingo 75") << 75 << 1 << "B" << QString("B") << "Bingo 75";
        QTest::newRow("Bingo 90") << 90 << 2 << "N" << QString("N") << "Bingo 90";
    }
    void kaartSoorten()
    {
        QFETCH(int, ballen);
        QFETCH(int, ronde);
        QFETCH(QString, past);
        QFETCH(QString, kaal);
        QFETCH(QString, spelNaam);
        QTemporaryDir map;
        // Printed in this order: the Bingo 75 series B last but one, Bingo 90 last.
        QHash<QString, RegisterKaart> kaarten;
        const QList<std::pair<KaartSoort, QString>> reeksen{
            {KaartSoort::Kien, "K"}, {KaartSoort::Bingo75, "B"}, {KaartSoort::Bingo90, "N"}};
        for (const auto& [soort, serie] : reeksen)
            kaarten.insert(serie, TestHulp::drukKaarten(map.path(), soort, serie, 1, m_kans).value(4));
        QVERIFY(kaarten["N"].nummer == 5);

        Gesprek gesprek;
        Avond avond({map.path(), {}, &m_kans});
        avond.zetGesprek(gesprek.maak());
        QVERIFY(avond.instellingen().zetHandmatig(true));
        if (ronde >= 0) {
            using S = AvondProgramma::Soort;
            AvondProgramma p;
            for (S soort : {S::Kienen, S::Bingo75, S::Bingo90})
                p.rondes.append({soort, {AvondProgramma::standaardFasen(soort).first()}, std::nullopt, 0});
            QVERIFY(avond.programma().zet(p));
            avond.startProgramma();
            // The earlier rounds won by a card of their own, so the programme plays this round.
            for (int r = 0; r < ronde; ++r) {
                const RegisterKaart& eigen = kaarten[r == 0 ? QStringLiteral("K") : QStringLiteral("B")];
                for (int n : eigen.getallen)
                    if (n && !avond.spel().isGetrokken(n)) QVERIFY(avond.voerBalIn(n));
                gesprek.kaart = {KaartNummer::tekst(eigen.serie, eigen.nummer), 1};
                avond.controleerKaart();
                QVERIFY(avond.bevestigWinnaar());
                avond.kaartWeg();
                gesprek.antwoorden = {true};
                QVERIFY(avond.nieuwSpelVraag());
            }
            QCOMPARE(avond.programma().ronde(), ronde);
        } else {
            avond.instellingen().algemeen().AantalBallen = ballen;
            avond.NieuwSpel();
        }
        QCOMPARE(avond.spel().aantalBallen(), ballen);
        // Every number of every card drawn that this game has: a card judged wins.
        for (const RegisterKaart& k : kaarten)
            for (int n : k.getallen)
                if (n && n <= ballen && !avond.spel().isGetrokken(n)) QVERIFY(avond.voerBalIn(n));

        QList<Avond::GecontroleerdeKaart> getoond;
        connect(&avond, &Avond::kaartGecontroleerd, this, [&](const Avond::GecontroleerdeKaart& k) { getoond << k; });
        const QString dag = Verloop::dagBestand(map.path(), QDate::currentDate());
        for (const QString& serie : {QStringLiteral("K"), QStringLiteral("B"), QStringLiteral("N")}) {
            const QString nummer = KaartNummer::tekst(serie, 5);
            for (int manier = 0; manier < 2; ++manier) {
                getoond.clear();
                gesprek.gezegd.clear();
                avond.kaartWeg();
                if (manier == 0) {
                    gesprek.kaart = {nummer, 1};
                    avond.controleerKaart();
                } else {
                    avond.controleerGescand(nummer);
                }
                const QString hoe = QStringLiteral("%1 (%2)").arg(nummer, manier ? "scan" : "getypt");
                if (past.contains(serie)) {
                    QVERIFY2(getoond.size() == 1 && gesprek.gezegd.isEmpty(), qPrintable(hoe));
                    QVERIFY2(getoond.last().uitslag.gewonnen, qPrintable(hoe));
                    QCOMPARE(getoond.last().kanBevestigen, ronde >= 0);
                } else {
                    QVERIFY2(getoond.isEmpty() && !avond.kaartInBeeld(), qPrintable(hoe));
                    QVERIFY2(!avond.kanWinnaarBevestigen() && !avond.bevestigWinnaar(), qPrintable(hoe));
                    QCOMPARE(gesprek.gezegd.value(0),
                             QStringLiteral("%1 is %2; er wordt nu %3 gespeeld.")
                                 .arg(nummer, SpelSoort::kaartNaam(kaarten[serie].soort), spelNaam));
                    const QByteArray laatste = TestHulp::leesBestand(dag).trimmed().split('\n').last();
                    QVERIFY2(laatste.contains(",gecontroleerd,,,") && laatste.contains(nummer.toUtf8()) &&
                                 laatste.contains(",geweigerd: "),
                             laatste.constData());
                }
            }
        }
        // A bare number: the series of this game's kind printed last.
        getoond.clear();
        avond.kaartWeg();
        gesprek.kaart = {QStringLiteral("5"), 1};
        avond.controleerKaart();
        QCOMPARE(getoond.size(), 1);
        QCOMPARE(getoond.last().kaart.serie, kaal);
        QVERIFY(avond.programma().winnaars().size() == std::max(ronde, 0));
    }

    // Exit answered Ja ends the evening once, with code 0; the next start on the same folder
    // asks nothing, and game numbers go on, whether the last game had balls or none yet.
    void spelNummerNaAfsluiten()
    {
        QTemporaryDir map;
        int verwacht = 1;
        for (const int ballen : {2, 0, 3}) {
            Gesprek gesprek;
            Avond avond({map.path(), {}, &m_kans});
            avond.zetGesprek(gesprek.maak());
            avond.hervatBijStart();
            QVERIFY(!avond.spel().heeftSpel());
            for (int spel = 0; spel < 2; ++spel) {
                avond.NieuwSpel();
                QCOMPARE(avond.spel().spelNummer(), verwacht++);
                for (int i = 0; i < ballen; ++i)
                    QVERIFY(avond.trekAlsKlaar());
            }
            QSignalSpy afgesloten(&avond, &Avond::afgesloten);
            gesprek.antwoorden = {true};
            QVERIFY(avond.vraagAfsluiten() && afgesloten.count() == 1 && avond.afsluitCode() == 0);
            WachtTempo::zetBeeindigd(false);
            // Only the exit was asked: a start after an exit asks nothing.
            QVERIFY2(gesprek.gezegd.size() == 1, qPrintable(gesprek.gezegd.join(QLatin1Char('|'))));
        }
    }
};

QTEST_GUILESS_MAIN(TstAvond)
#include "tst_avond.moc"
