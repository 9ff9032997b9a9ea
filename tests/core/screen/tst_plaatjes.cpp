// The pictures drawn in code: ball pictures at any scale, the FREE picture, and the
// background pictures that ship with the program.
#include "core/screen/plaatjes.h"

#include <QDir>
#include <QImageReader>
#include <QtTest>

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
};

QTEST_MAIN(TstPlaatjes)
#include "tst_plaatjes.moc"
