// The list of background pictures and the values the configuration dialog shows.
#include "core/settings/achtergronden.h"
#include "core/settings/algemeen.h"
#include "core/settings/configwaarden.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <limits>

class TstAchtergronden : public QObject
{
    Q_OBJECT
private slots:
    // Only jpg, bmp and gif in any letter case, no sub-folders, sorted without regard to case;
    // an empty, a missing or a file for a folder gives an empty list.
    void gemengdeMap()
    {
        QTemporaryDir tmp;
        const QDir d(tmp.path());
        for (const char* naam : {"zon.jpg", "Avond.JPG", "bos.Bmp", "Cirkel.GIF", "duin.jpeg", "eiland.png", "lees.txt",
                                 "zonder.jpg.bak", "strand.jPg"})
            QFile(d.filePath(QString::fromLatin1(naam))).open(QIODevice::WriteOnly);
        QVERIFY(d.mkdir(QStringLiteral("map.jpg")));
        QCOMPARE(Achtergronden::plaatjes(tmp.path()),
                 QStringList({"Avond.JPG", "bos.Bmp", "Cirkel.GIF", "strand.jPg", "zon.jpg"}));
        for (const QString& leeg : {d.filePath("map.jpg"), d.filePath("weg"), d.filePath("zon.jpg")})
            QVERIFY(Achtergronden::plaatjes(leeg).isEmpty());
    }

    // Settings outside the offered ranges show at the nearest end of their control.
    void getoondeWaarden()
    {
        const double nan = std::numeric_limits<double>::quiet_NaN();
        const QList<std::tuple<double, int, int, double, QList<int>>> gevallen = {
            // ball picture; blink picture, speed and count; balls; red -> what the controls show
            {7.0, 3, 75, 0.0, {7, 3, 3, 3, 75, 0}},        {0.0, 0, 0, -4.0, {1, 1, 1, 2, 75, 0}},
            {12.0, 255, 255, 300.0, {8, 8, 10, 10, 90, 255}}, {3.5, 5, 83, 254.5, {4, 5, 5, 5, 90, 254}},
            {8.0, 8, 90, 255.0, {8, 8, 8, 8, 90, 255}},   {nan, 4, 82, nan, {1, 4, 4, 4, 75, 0}}};
        for (const auto& [balKleur, klein, ballen, rood, verwacht] : gevallen) {
            Algemeen alg;
            alg.BalKleur = balKleur;
            alg.KnipperKleur = alg.KnipperSnelheid = alg.KnipperAantal = static_cast<std::uint8_t>(klein);
            alg.AantalBallen = static_cast<std::uint8_t>(ballen);
            alg.GetalKleurR = rood;
            const ConfigWaarden w = ConfigWaarden::uit(alg);
            QCOMPARE((QList<int>{w.balKleur, w.knipperKleur, w.knipperSnelheid, w.knipperAantal, w.aantalBallen,
                                 w.getalKleurR}),
                     verwacht);
        }
    }
};

QTEST_GUILESS_MAIN(TstAchtergronden)
#include "tst_achtergronden.moc"
