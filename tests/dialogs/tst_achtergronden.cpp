// The list of background pictures and the values the configuration dialog shows.
#include "common/algemeen.h"
#include "dialogs/achtergronden.h"
#include "dialogs/configwaarden.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <limits>

class TstAchtergronden : public QObject
{
    Q_OBJECT

    static void maak(const QString& pad)
    {
        QFile f(pad);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("x");
    }

private slots:
    // Only jpg, bmp and gif in any letter case, no sub-folders, sorted without regard to case.
    void gemengdeMap()
    {
        QTemporaryDir tmp;
        const QDir d(tmp.path());
        for (const char* naam : {"zon.jpg", "Avond.JPG", "bos.Bmp", "Cirkel.GIF", "duin.jpeg", "eiland.png", "lees.txt",
                                 "zonder.jpg.bak", "strand.jPg"})
            maak(d.filePath(QString::fromLatin1(naam)));
        QVERIFY(d.mkdir(QStringLiteral("map.jpg")));
        QCOMPARE(Achtergronden::plaatjes(tmp.path()),
                 QStringList({"Avond.JPG", "bos.Bmp", "Cirkel.GIF", "strand.jPg", "zon.jpg"}));

        QTemporaryDir leeg;
        QVERIFY(Achtergronden::plaatjes(leeg.path()).isEmpty());
        QVERIFY(Achtergronden::plaatjes(leeg.filePath(QStringLiteral("bestaat-niet"))).isEmpty());
        QVERIFY(Achtergronden::plaatjes(d.filePath(QStringLiteral("zon.jpg"))).isEmpty()); // a file, no folder
    }

    // Settings outside the offered ranges show at the nearest end of their control.
    void getoondeWaarden_data()
    {
        QTest::addColumn<double>("balKleur");
        QTest::addColumn<int>("klein"); // blink picture, speed and count
        QTest::addColumn<int>("ballen");
        QTest::addColumn<double>("rood");
        QTest::addColumn<QList<int>>("verwacht"); // ball, blink, speed, count, balls, red

        QTest::newRow("start") << 7.0 << 3 << 75 << 0.0 << QList<int>{7, 3, 3, 3, 75, 0};
        QTest::newRow("onder") << 0.0 << 0 << 0 << -4.0 << QList<int>{1, 1, 1, 2, 75, 0};
        QTest::newRow("boven") << 12.0 << 255 << 255 << 300.0 << QList<int>{8, 8, 10, 10, 90, 255};
        QTest::newRow("tussen") << 3.5 << 5 << 83 << 254.5 << QList<int>{4, 5, 5, 5, 90, 254};
        QTest::newRow("geen getal") << std::numeric_limits<double>::quiet_NaN() << 4 << 90
                                    << std::numeric_limits<double>::quiet_NaN() << QList<int>{1, 4, 4, 4, 90, 0};
    }
    void getoondeWaarden()
    {
        QFETCH(double, balKleur);
        QFETCH(int, klein);
        QFETCH(int, ballen);
        QFETCH(double, rood);
        QFETCH(QList<int>, verwacht);
        Algemeen alg;
        alg.BalKleur = balKleur;
        alg.KnipperKleur = alg.KnipperSnelheid = alg.KnipperAantal = static_cast<std::uint8_t>(klein);
        alg.AantalBallen = static_cast<std::uint8_t>(ballen);
        alg.GetalKleurR = rood;
        const ConfigWaarden w = ConfigWaarden::uit(alg);
        QCOMPARE(
            (QList<int>{w.balKleur, w.knipperKleur, w.knipperSnelheid, w.knipperAantal, w.aantalBallen, w.getalKleurR}),
            verwacht);
    }
};

QTEST_GUILESS_MAIN(TstAchtergronden)
#include "tst_achtergronden.moc"
