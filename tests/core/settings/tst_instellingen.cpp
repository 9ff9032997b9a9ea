// The settings file Zorvak.ini: its exact bytes, reading and recovery, round trips and the
// fall-back folder. (That the reader survives any input, fuzz/ tries.)
#include "core/common/vertaling.h"
#include "core/settings/algemeen.h"
#include "core/settings/cp1252.h"
#include "core/settings/instellingen.h"
#include "testhulp.h"

#include <QTemporaryDir>
#include <QtTest>

#ifdef Q_OS_LINUX
#include <iconv.h>
#endif

namespace
{
const QByteArray kop = "\"Quenderbrook Software 2011\"\r\n\"--------------------------\"\r\n";
} // namespace

class TstInstellingen : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { Instellingen::zetSchrijfProef({}); }

    // A first run writes the seven lines at once, with an empty background entry, and shows
    // the default background; what the record held before starts anew.
    void eersteStart()
    {
        QTemporaryDir map;
        Algemeen alg;
        alg.KnipperAantal = 9;
        alg.KaartTekst.clear();
        QVERIFY(!InstellingenBestand(map.path()).laadBijStart(alg));
        // The default background is in the fresh file from its first write: a first evening
        // that ends in a crash keeps it.
        QVERIFY(alg.AchtergrondBestand.endsWith(QDir::toNativeSeparators("/Backgrounds/Background-01.jpg")));
        QCOMPARE(TestHulp::leesBestand(map.filePath("Zorvak.ini")),
                 kop + "2,3,75\r\n\"" + alg.AchtergrondBestand.toUtf8() + "\"\r\n\"" +
                     Algemeen::standaardKaartTekst().toLatin1() + "\"\r\n7,3\r\n0,0,0\r\n");
        QVERIFY(!QFile::exists(map.filePath("Zorvak.ini.bak")));
    }

    // Values on one line read as the seven-line file does; an empty background is no fault and
    // leaves the file untouched.
    void eenRegelEnLegeAchtergrond()
    {
        const QByteArray zeven = kop + "4,6,90\r\n\"C:\\Zorvak\\b.jpg\"\r\n\"Hallo\"\r\n2,5\r\n10,20,30\r\n";
        Algemeen een;
        QVERIFY(Instellingen::leesInhoud(QByteArray(zeven).replace("\r\n", ","), een));
        QCOMPARE(Instellingen::maakInhoud(een), zeven);

        QTemporaryDir map;
        const QByteArray leeg = kop + "2,3,75\r\n\"\"\r\n\"tekst\"\r\n7,3\r\n0,0,0\r\n";
        TestHulp::schrijfBestand(map.filePath("Zorvak.ini"), leeg);
        Algemeen alg;
        QVERIFY(InstellingenBestand(map.path()).laadBijStart(alg));
        QVERIFY(alg.AchtergrondBestand.isEmpty());
        QCOMPARE(TestHulp::leesBestand(map.filePath("Zorvak.ini")), leeg);
    }

    void velden_data()
    {
        QTest::addColumn<QByteArray>("regel3"); // speed, count, balls
        QTest::addColumn<QByteArray>("regel6"); // ball pictures
        QTest::addColumn<bool>("goed");
        QTest::addColumn<QByteArray>("herschreven"); // line 3 as written back
        QTest::newRow("255 fits a byte") << QByteArray("255,0,75") << QByteArray("7,3") << true
                                         << QByteArray("255,0,75");
        QTest::newRow("256 does not") << QByteArray("256,3,75") << QByteArray("7,3") << false << QByteArray("2,3,75");
        QTest::newRow("empty field is 0") << QByteArray("4,,90") << QByteArray("7,3") << true << QByteArray("4,0,90");
        QTest::newRow("negatief") << QByteArray("-5,3,75") << QByteArray("7,3") << false << QByteArray("2,3,75");
        QTest::newRow("1e400") << QByteArray("1e400,3,75") << QByteArray("7,3") << false << QByteArray("2,3,75");
        QTest::newRow("geen getal") << QByteArray("4,twee,75") << QByteArray("7,3") << false << QByteArray("4,3,75");
        QTest::newRow("rounded half to even")
            << QByteArray("7.6,2.5,75") << QByteArray("7,3") << true << QByteArray("8,2,75");
        QTest::newRow("balplaatje 9") << QByteArray("4,3,75") << QByteArray("9,3") << false << QByteArray("4,3,75");
        QTest::newRow("knipperplaatje 0") << QByteArray("4,3,75") << QByteArray("7,0") << false << QByteArray("4,3,75");
        QTest::newRow("balplaatje 8") << QByteArray("4,3,75") << QByteArray("8,8") << true << QByteArray("4,3,75");
    }
    // Each field against the ends of what it holds. A fault starts the recovery: the file is
    // written anew from what was read before it, the damaged one kept as Zorvak.ini.bak; a bad
    // ball picture number stays, so the recovery runs again at the next start.
    void velden()
    {
        QFETCH(QByteArray, regel3);
        QFETCH(QByteArray, regel6);
        QFETCH(bool, goed);
        QFETCH(QByteArray, herschreven);
        QTemporaryDir map;
        const QByteArray inhoud = kop + regel3 + "\r\n\"\"\r\n\"t\"\r\n" + regel6 + "\r\n0,0,0\r\n";
        TestHulp::schrijfBestand(map.filePath("Zorvak.ini"), inhoud);
        Algemeen alg;
        QCOMPARE(InstellingenBestand(map.path()).laadBijStart(alg), goed);
        QCOMPARE(Instellingen::maakInhoud(alg).split('\n')[2], herschreven + "\r");
        QCOMPARE(QFile::exists(map.filePath("Zorvak.ini.bak")), !goed);
        if (goed) return;
        QCOMPARE(TestHulp::leesBestand(map.filePath("Zorvak.ini.bak")), inhoud);
        const QList<QByteArray> uit = TestHulp::leesBestand(map.filePath("Zorvak.ini")).split('\n');
        QCOMPARE(uit.size(), 8);
        QCOMPARE(uit[2], herschreven + "\r");
        QCOMPARE(uit[5], regel6 + "\r");
        QCOMPARE(InstellingenBestand(map.path()).laadBijStart(alg), regel6 == "7,3");
    }

    // Every field comes back after a save and a start, texts with quotes and characters of the
    // code page included; fractions of the general numbers are kept as the file held them.
    void elkVeldKomtTerug()
    {
        QTemporaryDir map;
        InstellingenBestand ini(map.path());
        Algemeen a;
        a.KnipperSnelheid = 10;
        a.AantalBallen = 90;
        a.AchtergrondBestand = QStringLiteral("C:\\Program Files\\Zorvak\\Backgrounds\\Café \"Het Hoekje\".jpg");
        a.KaartTekst = QStringLiteral("Bingo in café \"De Zwaan\" – entree € 5, \"\" en ,, Ÿ");
        a.BalKleur = 6.5;
        a.KnipperKleur = 8;
        a.GetalKleurR = 255.4;
        a.GetalKleurB = 7;
        QVERIFY(ini.schrijf(a));
        const QByteArray bytes = TestHulp::leesBestand(ini.pad());
        QVERIFY(bytes.contains("caf\xe9") && bytes.contains("\x80 5") && bytes.contains("\x96 entree"));
        QVERIFY(bytes.contains("\r\n6.5,8\r\n255.4,0,7\r\n"));
        Algemeen b;
        QVERIFY(ini.laadBijStart(b));
        QCOMPARE(b.KaartTekst, a.KaartTekst);
        QCOMPARE(b.AchtergrondBestand, a.AchtergrondBestand);
        QCOMPARE(Instellingen::maakInhoud(b), Instellingen::maakInhoud(a));
        QCOMPARE(b.balKleurIndex(), 6);
        QCOMPARE(b.getalKleurR(), 255);
    }

    // A background under a folder Windows-1252 cannot name comes back after a restart, the file
    // keeping its seven lines ('?' for what it cannot hold); with two candidates it stays as kept.
    void achtergrondBuitenDeCodeTabel()
    {
        QTemporaryDir map;
        const QString plaatje = map.filePath(QStringLiteral("łukasz/Zee 😀.jpg"));
        Algemeen a, b;
        a.AchtergrondBestand = plaatje;
        QVERIFY(TestHulp::schrijfBestand(plaatje, "x") && InstellingenBestand(map.path()).schrijf(a));
        QVERIFY(TestHulp::leesBestand(map.filePath("Zorvak.ini")).contains("/?ukasz/Zee ??.jpg\"\r\n\""));
        QVERIFY(InstellingenBestand(map.path()).laadBijStart(b) && QDir::fromNativeSeparators(b.AchtergrondBestand) == plaatje);
        QVERIFY(TestHulp::schrijfBestand(map.filePath(QStringLiteral("ńukasz/Zee 😀.jpg")), "x"));
        QVERIFY(InstellingenBestand(map.path()).laadBijStart(b));
        QCOMPARE(b.AchtergrondBestand, map.filePath(QStringLiteral("?ukasz/Zee ??.jpg")));
    }

    // A program folder the user cannot write: a file shipped in it is the start until the
    // user's own copy exists in the reserve folder, which later starts read; the shipped file
    // stays. The real check behind the test's: a folder can be written, a file or nothing cannot.
    void alleenLezenProgrammaMap()
    {
        QTemporaryDir tmp;
        const QString programma = tmp.filePath("programma"), reserve = tmp.filePath("config/Zorvak");
        const QByteArray meegeleverd = kop + "4,5,90\r\n\"\"\r\n\"Meegeleverd\"\r\n7,3\r\n0,0,0\r\n";
        TestHulp::schrijfBestand(programma + "/Zorvak.ini", meegeleverd);
        QVERIFY(Instellingen::kanSchrijvenIn(programma));
        QVERIFY(!Instellingen::kanSchrijvenIn(programma + "/Zorvak.ini") &&
                !Instellingen::kanSchrijvenIn(tmp.filePath("x")));
#ifdef Q_OS_LINUX
        QVERIFY(!Instellingen::kanSchrijvenIn(QStringLiteral("/proc"))); // a folder not even root can write
#endif
        Instellingen::zetSchrijfProef([programma](const QString& map) { return map != programma; });
        InstellingenBestand ini(programma, reserve);
        QVERIFY(ini.inReserveMap());
        QCOMPARE(ini.pad(), reserve + "/Zorvak.ini");
        Algemeen alg;
        QVERIFY(ini.laadBijStart(alg));
        QCOMPARE(alg.KaartTekst, QStringLiteral("Meegeleverd"));
        alg.KaartTekst = QStringLiteral("Eigen");
        QVERIFY(ini.schrijf(alg));
        Algemeen terug;
        QVERIFY(InstellingenBestand(programma, reserve).laadBijStart(terug));
        QCOMPARE(terug.KaartTekst, QStringLiteral("Eigen"));
        QCOMPARE(TestHulp::leesBestand(programma + "/Zorvak.ini"), meegeleverd);
    }

    // Every byte of the code page means what Windows-1252 says, both ways; the five bytes it
    // leaves open keep their own code point. Checked against a few well-known characters, and
    // against the system's own converter where there is one.
    void codepagina()
    {
        const QByteArray bytes("\x80\x8A\x96\x9C\x9E\x9F\x81\xFF");
        const QString tekens = QStringLiteral("\u20ac\u0160\u2013\u0153\u017e\u0178\u0081\u00ff");
        QCOMPARE(Cp1252::naarTekst(bytes), tekens);
        QCOMPARE(Cp1252::naarBytes(tekens), bytes);
        QCOMPARE(Cp1252::naarBytes(QString::fromUtf8("\u20ac \u2211")), QByteArray("\x80 ?"));
#ifdef Q_OS_LINUX
        iconv_t omzetter = iconv_open("UTF-16LE", "WINDOWS-1252");
        QVERIFY(omzetter != iconv_t(-1));
        for (int b = 0; b < 256; ++b) {
            char byte = char(b), *in = &byte, *uit = nullptr;
            char16_t teken = 0;
            std::size_t inLengte = 1, uitLengte = 2;
            uit = reinterpret_cast<char*>(&teken);
            if (iconv(omzetter, &in, &inLengte, &uit, &uitLengte) == std::size_t(-1)) continue; // left open
            QCOMPARE(Cp1252::naarTekst(QByteArray(1, byte)), QString(QChar(teken)));
            QCOMPARE(Cp1252::naarBytes(QString(QChar(teken))), QByteArray(1, byte));
        }
        iconv_close(omzetter);
#endif
    }

    // Qt's own texts (its file dialog, why a file failed) come in Dutch.
    void qtInHetNederlands()
    {
        QVERIFY(Vertaling::laadQtNederlands(QDir::tempPath()));
        QVERIFY(QCoreApplication::translate("QFileDialog", "Look in:") != QStringLiteral("Look in:"));
        QFile weg(QDir::temp().filePath(QStringLiteral("zorvak-weg")));
        QVERIFY(!weg.open(QIODevice::ReadOnly) && !weg.errorString().contains(QStringLiteral("No such")));
    }
};

QTEST_GUILESS_MAIN(TstInstellingen)
#include "tst_instellingen.moc"
