// The pictures drawn in code: ball pictures at any scale, the FREE picture; the background
// pictures that ship with the program, the list of backgrounds, and the values the
// configuration dialog shows.
#include "core/screen/plaatjes.h"
#include "core/settings/achtergronden.h"
#include "core/settings/algemeen.h"
#include "core/settings/configwaarden.h"

#include <QDir>
#include <QImageReader>
#include <QTemporaryDir>
#include <QtTest>

#include <limits>

class TstPlaatjes : public QObject
{
    Q_OBJECT
private slots:
    // Eight different balls on the board's colour, lit from the upper left; no ninth.
    void ballen()
    {
        QSet<QRgb> kleuren;
        for (int i = 1; i <= Plaatjes::aantalBallen; ++i) {
            const QImage bal = Plaatjes::bal(i, 2.0);
            QCOMPARE(bal.pixelColor(0, bal.height() - 1).rgb(), Plaatjes::bordKleur.rgb());
            QVERIFY(qGray(bal.pixel(bal.width() / 3, bal.height() / 3)) >
                    qGray(bal.pixel(bal.width() * 2 / 3, bal.height() * 2 / 3)));
            kleuren << Plaatjes::balKleur(i).rgb();
        }
        QCOMPARE(kleuren.size(), Plaatjes::aantalBallen);
        QVERIFY(Plaatjes::bal(0).isNull() && Plaatjes::bal(9).isNull());
    }

    // FREE keeps its shape at any scale; a nonsense scale gives the plain picture.
    void free()
    {
        QCOMPARE(Plaatjes::free(8.0).size(), QSize(400, 320));
        QCOMPARE(Plaatjes::free(0).size(), QSize(50, 40));
        QCOMPARE(Plaatjes::free(1e9).size(), QSize(50, 40));
    }

    // The shipped backgrounds, the default among them, load and stay small.
    void achtergronden()
    {
        const QDir map(QStringLiteral(ZORVAK_SOURCE_DIR "/Backgrounds"));
        const QStringList bestanden = map.entryList({"*.jpg", "*.bmp", "*.gif"}, QDir::Files);
        QVERIFY(bestanden.contains(QStringLiteral("Background-01.jpg")));
        for (const QString& naam : bestanden) {
            QVERIFY2(QFileInfo(map.filePath(naam)).size() < 1024 * 1024, qPrintable(naam));
            QVERIFY2(!QImageReader(map.filePath(naam)).read().isNull(), qPrintable(naam));
        }
    }

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
            {7.0, 3, 75, 0.0, {7, 3, 3, 3, 75, 0}},           {0.0, 0, 0, -4.0, {1, 1, 1, 2, 75, 0}},
            {12.0, 255, 255, 300.0, {8, 8, 10, 10, 90, 255}}, {3.5, 5, 83, 254.5, {4, 5, 5, 5, 90, 254}},
            {8.0, 8, 90, 255.0, {8, 8, 8, 8, 90, 255}},       {nan, 4, 82, nan, {1, 4, 4, 4, 75, 0}}};
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

QTEST_MAIN(TstPlaatjes)
#include "tst_plaatjes.moc"
