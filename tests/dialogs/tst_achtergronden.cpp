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

    static void maak(const QString& pad, const QByteArray& inhoud = "x")
    {
        QFile f(pad);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(inhoud);
    }

private slots:
    // Only jpg, bmp and gif in any letter case, no sub-folders, sorted without regard to case.
    void gemengdeMap()
    {
        QTemporaryDir tmp;
        const QDir d(tmp.path());
        for (const char* naam : {"zon.jpg", "Avond.JPG", "bos.Bmp", "Cirkel.GIF", "duin.jpeg", "eiland.png",
                                 "kapot.jpg", "lees.txt", "jpg", "zonder.jpg.bak", "strand.jPg"})
            maak(d.filePath(QString::fromLatin1(naam)));
        QVERIFY(d.mkdir(QStringLiteral("map.jpg")));
        maak(d.filePath(QStringLiteral("map.jpg/binnen.jpg")));

        const QStringList verwacht = {QStringLiteral("Avond.JPG"),  QStringLiteral("bos.Bmp"),
                                      QStringLiteral("Cirkel.GIF"), QStringLiteral("kapot.jpg"),
                                      QStringLiteral("strand.jPg"), QStringLiteral("zon.jpg")};
        QCOMPARE(Achtergronden::plaatjes(tmp.path()), verwacht);
    }

    void legeEnOntbrekendeMap()
    {
        QTemporaryDir tmp;
        QVERIFY(Achtergronden::plaatjes(tmp.path()).isEmpty());
        QVERIFY(Achtergronden::plaatjes(tmp.filePath(QStringLiteral("bestaat-niet"))).isEmpty());
        QVERIFY(Achtergronden::plaatjes(QString()).isEmpty());
        // A file where the folder should be is no folder.
        maak(tmp.filePath(QStringLiteral("Backgrounds")));
        QVERIFY(Achtergronden::plaatjes(tmp.filePath(QStringLiteral("Backgrounds"))).isEmpty());
    }

    void pad()
    {
        const QString map = Achtergronden::map(QStringLiteral("/opt/zorvak"));
        QCOMPARE(Achtergronden::pad(map, QStringLiteral("Background-01.jpg")),
                 QDir::toNativeSeparators(QStringLiteral("/opt/zorvak/Backgrounds/Background-01.jpg")));
    }

    // Settings outside the offered ranges show at the nearest end of their control.
    void getoondeWaarden_data()
    {
        QTest::addColumn<double>("balKleur");
        QTest::addColumn<int>("knipperKleur");
        QTest::addColumn<int>("snelheid");
        QTest::addColumn<int>("aantal");
        QTest::addColumn<int>("ballen");
        QTest::addColumn<double>("rood");
        QTest::addColumn<QList<int>>("verwacht"); // bal, knipper, snelheid, aantal, ballen, rood

        QTest::newRow("start") << 7.0 << 3 << 2 << 3 << 75 << 0.0 << QList<int>{7, 3, 2, 3, 75, 0};
        QTest::newRow("onder") << 0.0 << 0 << 0 << 0 << 0 << -4.0 << QList<int>{1, 1, 1, 2, 75, 0};
        QTest::newRow("boven") << 12.0 << 255 << 255 << 255 << 255 << 300.0 << QList<int>{8, 8, 10, 10, 90, 255};
        QTest::newRow("tussen") << 2.5 << 8 << 10 << 2 << 80 << 254.5 << QList<int>{2, 8, 10, 2, 75, 254};
        QTest::newRow("dichtbij 90") << 3.5 << 1 << 1 << 10 << 83 << 1e300 << QList<int>{4, 1, 1, 10, 90, 255};
        QTest::newRow("geen getal") << std::numeric_limits<double>::quiet_NaN() << 4 << 5 << 6 << 90
                                    << std::numeric_limits<double>::quiet_NaN() << QList<int>{1, 4, 5, 6, 90, 0};
    }

    void getoondeWaarden()
    {
        QFETCH(double, balKleur);
        QFETCH(int, knipperKleur);
        QFETCH(int, snelheid);
        QFETCH(int, aantal);
        QFETCH(int, ballen);
        QFETCH(double, rood);
        QFETCH(QList<int>, verwacht);
        Algemeen alg;
        alg.BalKleur = balKleur;
        alg.KnipperKleur = static_cast<std::uint8_t>(knipperKleur);
        alg.KnipperSnelheid = static_cast<std::uint8_t>(snelheid);
        alg.KnipperAantal = static_cast<std::uint8_t>(aantal);
        alg.AantalBallen = static_cast<std::uint8_t>(ballen);
        alg.GetalKleurR = rood;
        alg.GetalKleurG = rood;
        const ConfigWaarden w = ConfigWaarden::uit(alg);
        QCOMPARE(
            (QList<int>{w.balKleur, w.knipperKleur, w.knipperSnelheid, w.knipperAantal, w.aantalBallen, w.getalKleurR}),
            verwacht);
        QCOMPARE(w.getalKleurG, w.getalKleurR);
    }
};

QTEST_GUILESS_MAIN(TstAchtergronden)
#include "tst_achtergronden.moc"
