// The settings file Zorvak.ini: its exact bytes, reading and recovery, round trips, the
// fall-back folder, and a reader that survives any input.
#include "common/algemeen.h"
#include "common/instellingen.h"
#include "testhulp.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

class TstInstellingen : public QObject
{
    Q_OBJECT

    QByteArray bestand(const QList<QByteArray>& regels) { return regels.join("\r\n") + "\r\n"; }
    const QByteArray kop = "\"Quenderbrook Software 2011\"\r\n\"--------------------------\"\r\n";

private slots:
    void eersteStartSchrijftZevenRegels()
    {
        QTemporaryDir map;
        InstellingenBestand ini(map.path());
        Algemeen alg;
        QVERIFY(!ini.laadBijStart(alg));
        const QByteArray verwacht =
            kop + "2,3,75\r\n\"\"\r\n\"" + Algemeen::standaardKaartTekst().toLatin1() + "\"\r\n7,3\r\n0,0,0\r\n";
        QCOMPARE(TestHulp::leesBestand(map.filePath("Zorvak.ini")), verwacht);
        QCOMPARE(alg.AchtergrondBestand, Instellingen::standaardAchtergrond(map.path()));
        QVERIFY(alg.AchtergrondBestand.endsWith(QDir::toNativeSeparators("/Backgrounds/Background-01.jpg")));
        QVERIFY(!QFile::exists(map.filePath("Zorvak.ini.bak")));
    }

    void bestandNaRegelDrieHersteltDeRest()
    {
        QTemporaryDir map;
        TestHulp::schrijfBestand(map.filePath("Zorvak.ini"), kop + "5,4,90\r\n");
        InstellingenBestand ini(map.path());
        Algemeen alg;
        QVERIFY(!ini.laadBijStart(alg));
        QCOMPARE(alg.KnipperSnelheid, 5);
        QCOMPARE(alg.KnipperAantal, 4);
        QCOMPARE(alg.AantalBallen, 90);
        QCOMPARE(alg.balKleurIndex(), 7);
        QCOMPARE(alg.AchtergrondBestand, Instellingen::standaardAchtergrond(map.path()));
        const QByteArray herschreven = TestHulp::leesBestand(map.filePath("Zorvak.ini"));
        QVERIFY(herschreven.startsWith(kop + "5,4,90\r\n\"\"\r\n"));
        QCOMPARE(herschreven.count("\r\n"), 7);
        // The damaged original is kept.
        QCOMPARE(TestHulp::leesBestand(map.filePath("Zorvak.ini.bak")), kop + "5,4,90\r\n");
    }

    void alleWaardenOpEenRegel()
    {
        Algemeen alg;
        const QByteArray regel =
            "\"kop\",\"---\",4,6,90,\"C:\\Zorvak\\Backgrounds\\b.jpg\",\"Hallo zaal\",2,5,10,20,30";
        QVERIFY(Instellingen::leesInhoud(regel, alg));
        QCOMPARE(alg.KnipperSnelheid, 4);
        QCOMPARE(alg.KnipperAantal, 6);
        QCOMPARE(alg.AantalBallen, 90);
        QCOMPARE(alg.AchtergrondBestand, QStringLiteral("C:\\Zorvak\\Backgrounds\\b.jpg"));
        QCOMPARE(alg.KaartTekst, QStringLiteral("Hallo zaal"));
        QCOMPARE(alg.balKleurIndex(), 2);
        QCOMPARE(alg.KnipperKleur, 5);
        QCOMPARE(alg.getalKleurR(), 10);
        QCOMPARE(alg.getalKleurG(), 20);
        QCOMPARE(alg.GetalKleurB, 30);
    }

    void legeAchtergrondIsGeenFout()
    {
        QTemporaryDir map;
        const QByteArray inhoud = kop + bestand({"2,3,75", "\"\"", "\"tekst\"", "7,3", "0,0,0"});
        TestHulp::schrijfBestand(map.filePath("Zorvak.ini"), inhoud);
        Algemeen alg;
        QVERIFY(InstellingenBestand(map.path()).laadBijStart(alg));
        QVERIFY(alg.AchtergrondBestand.isEmpty());
        QCOMPARE(TestHulp::leesBestand(map.filePath("Zorvak.ini")), inhoud); // untouched
    }

    // Fields that do not fit: the recovery runs, what was read before the fault stays.
    void waardenDieNietPassen_data()
    {
        QTest::addColumn<QByteArray>("regels");
        QTest::addColumn<int>("snelheid");
        QTest::addColumn<QByteArray>("herschrevenRegel6");
        QTest::addColumn<bool>("blijftFout");
        QTest::newRow("300 in een byte") << QByteArray("300,3,75\r\n") << 2 << QByteArray("7,3") << false;
        QTest::newRow("negatief") << QByteArray("-5,3,75\r\n") << 2 << QByteArray("7,3") << false;
        QTest::newRow("1e400") << QByteArray("1e400,3,75\r\n") << 2 << QByteArray("7,3") << false;
        QTest::newRow("geen getal") << QByteArray("twee,3,75\r\n") << 2 << QByteArray("7,3") << false;
        QTest::newRow("balplaatje 9") << QByteArray("4,3,75\r\n\"\"\r\n\"t\"\r\n9,3\r\n0,0,0\r\n") << 4
                                      << QByteArray("9,3") << true;
        QTest::newRow("knipperplaatje 0")
            << QByteArray("4,3,75\r\n\"\"\r\n\"t\"\r\n7,0\r\n0,0,0\r\n") << 4 << QByteArray("7,0") << true;
    }
    void waardenDieNietPassen()
    {
        QFETCH(QByteArray, regels);
        QFETCH(int, snelheid);
        QFETCH(QByteArray, herschrevenRegel6);
        QFETCH(bool, blijftFout);
        QTemporaryDir map;
        TestHulp::schrijfBestand(map.filePath("Zorvak.ini"), kop + regels);
        Algemeen alg;
        QVERIFY(!InstellingenBestand(map.path()).laadBijStart(alg));
        QCOMPARE(int(alg.KnipperSnelheid), snelheid);
        const QList<QByteArray> uit = TestHulp::leesBestand(map.filePath("Zorvak.ini")).split('\n');
        QCOMPARE(uit.size(), 8);
        QCOMPARE(uit[5], herschrevenRegel6 + "\r");
        // A bad ball number stays in the file, so the recovery runs again at the next start;
        // any other fault is gone from the rewritten file.
        Algemeen opnieuw;
        QCOMPARE(InstellingenBestand(map.path()).laadBijStart(opnieuw), !blijftFout);
    }

    void breukenWordenAfgerond()
    {
        Algemeen alg;
        QVERIFY(Instellingen::leesInhoud(kop + "7.6,2.5,75\r\n\"\"\r\n\"\"\r\n6.5,3\r\n0.4,255.4,0\r\n", alg));
        QCOMPARE(alg.KnipperSnelheid, 8);
        QCOMPARE(alg.KnipperAantal, 2); // half to even
        QCOMPARE(alg.balKleurIndex(), 6);
        QCOMPARE(alg.getalKleurG(), 255);
        // The general numbers keep what the file held.
        QCOMPARE(Instellingen::maakInhoud(alg).split('\n')[5], QByteArray("6.5,3\r"));
    }

    void elkVeldKomtTerug()
    {
        QTemporaryDir map;
        InstellingenBestand ini(map.path());
        Algemeen a;
        a.KnipperSnelheid = 10;
        a.KnipperAantal = 2;
        a.AantalBallen = 90;
        a.AchtergrondBestand = QStringLiteral("C:\\Program Files\\Zorvak\\Backgrounds\\Café \"Het Hoekje\".jpg");
        a.KaartTekst = QStringLiteral("Bingo in café \"De Zwaan\" – entree € 5, \"\" en ,,");
        a.BalKleur = 1;
        a.KnipperKleur = 8;
        a.GetalKleurR = 255;
        a.GetalKleurG = 128;
        a.GetalKleurB = 7;
        QVERIFY(ini.schrijf(a));
        const QByteArray bytes = TestHulp::leesBestand(ini.pad());
        QVERIFY(bytes.contains("caf\xe9")); // Windows-1252, not UTF-8
        QVERIFY(bytes.contains("\x80 5"));
        QCOMPARE(bytes.count('\n'), 7);
        Algemeen b;
        QVERIFY(ini.laadBijStart(b));
        QCOMPARE(b.KnipperSnelheid, a.KnipperSnelheid);
        QCOMPARE(b.KnipperAantal, a.KnipperAantal);
        QCOMPARE(b.AantalBallen, a.AantalBallen);
        QCOMPARE(b.AchtergrondBestand, a.AchtergrondBestand);
        QCOMPARE(b.KaartTekst, a.KaartTekst);
        QCOMPARE(b.BalKleur, a.BalKleur);
        QCOMPARE(b.KnipperKleur, a.KnipperKleur);
        QCOMPARE(b.GetalKleurR, a.GetalKleurR);
        QCOMPARE(b.GetalKleurG, a.GetalKleurG);
        QCOMPARE(b.GetalKleurB, a.GetalKleurB);
    }

    void spelstandBegintAltijdOpNul()
    {
        QTemporaryDir map;
        InstellingenBestand ini(map.path());
        Algemeen alg;
        alg.RondeTeller = 12;
        alg.KaartPatroon[7] = 1;
        QVERIFY(ini.schrijf(alg));
        ini.laadBijStart(alg);
        QCOMPARE(alg.RondeTeller, 0);
        QCOMPARE(alg.KaartPatroon[7], 0);
        QVERIFY(alg.Bezig);
    }

    void onbeschrijfbareMapValtTerugOpGebruikersmap()
    {
        QTemporaryDir tmp;
        // A folder beneath a plain file can be neither made nor written, not even by root.
        TestHulp::schrijfBestand(tmp.filePath("bestand"), "x");
        const QString programmaMap = tmp.filePath("bestand/zorvak");
        const QString reserve = tmp.filePath("config/Zorvak");
        InstellingenBestand ini(programmaMap, reserve);
        QVERIFY(ini.inReserveMap());
        QCOMPARE(ini.pad(), QDir(reserve).filePath("Zorvak.ini"));
        Algemeen alg;
        QVERIFY(!ini.laadBijStart(alg)); // first run: written to the user's folder
        QVERIFY(QFile::exists(ini.pad()));
        alg.KaartTekst = QStringLiteral("bewaard");
        QVERIFY(ini.schrijf(alg));
        Algemeen terug;
        QVERIFY(InstellingenBestand(programmaMap, reserve).laadBijStart(terug));
        QCOMPARE(terug.KaartTekst, QStringLiteral("bewaard"));
    }

    void mislukteSchrijfpogingMeldtZich()
    {
        QTemporaryDir map;
        QDir(map.path()).mkdir("Zorvak.ini"); // a folder in the way
        InstellingenBestand ini(map.path());
        QString fout;
        QVERIFY(!ini.schrijf(Algemeen(), &fout));
        QVERIFY(!fout.isEmpty());
        QVERIFY(QFileInfo(map.filePath("Zorvak.ini")).isDir());
    }

    // Whatever the file holds, the reader ends, and its answer is a clean yes or no.
    void lezerOverleeftElkeInvoer()
    {
        QList<QByteArray> invoer = {
            QByteArray(),
            QByteArray(1000, '\0'),
            kop + "\"open aanhalingsteken,2,3",
            kop + QByteArray(10 * 1024 * 1024, 'x'),
            kop + "2,3,75\r\n\"" + QByteArray(10 * 1024 * 1024, 'y'),
            QByteArray(5000, ','),
            QByteArray(5000, '\n'),
            QByteArray(5000, '"'),
            kop + "2,3,75\r\n\"\"\r\n\"\"\r\n1e308,3\r\n1e308,-1e308,0\r\n",
        };
        QRandomGenerator gen(7);
        for (int i = 0; i < 200; ++i) {
            QByteArray b(gen.bounded(1, 400), '\0');
            for (auto& c : b)
                c = static_cast<char>(gen.bounded(256));
            invoer << b << kop + b;
        }
        for (const QByteArray& b : invoer) {
            Algemeen alg;
            Instellingen::leesInhoud(b, alg);
            // Whatever was read writes a file that reads back the same.
            Algemeen terug;
            const QByteArray geschreven = Instellingen::maakInhoud(alg);
            Instellingen::leesInhoud(geschreven, terug);
            QCOMPARE(Instellingen::maakInhoud(terug), geschreven);
        }
    }
};

QTEST_GUILESS_MAIN(TstInstellingen)
#include "tst_instellingen.moc"
