// The picture-box canvas on a screen scaled by 125 % (tests/CMakeLists.txt gives it that
// screen): geometry lands on the logical grid, corners are included, and the dot texture keeps
// its pitch of three logical pixels.
#include "widgets/common/doek.h"

#include <QtTest>

class TstDoek : public QObject
{
    Q_OBJECT

private slots:
    void hoekenHorenErbij()
    {
        Doek doek(nullptr, Qt::white);
        doek.zetPlaats(0, 0, 1500, 1500); // 100 x 100 logical pixels
        QCOMPARE(doek.beeld().size(), QSize(125, 125));
        doek.vul(150, 150, 300, 300, Qt::red); // logical pixels 10..20
        QCOMPARE(doek.pixel(150, 150), QColor(Qt::red));
        QCOMPARE(doek.pixel(300, 300), QColor(Qt::red));
        QCOMPARE(doek.pixel(315, 300), QColor(Qt::white));
        QCOMPARE(doek.pixel(135, 150), QColor(Qt::white));
        doek.kader(450, 450, 900, 900, Qt::black);
        QCOMPARE(doek.pixel(450, 600), QColor(Qt::black));
        QCOMPARE(doek.pixel(900, 600), QColor(Qt::black));
        QCOMPARE(doek.pixel(600, 600), QColor(Qt::white));
    }

    void stippenOpHetLogischeRaster()
    {
        Doek doek(nullptr, Qt::black);
        doek.zetPlaats(0, 0, 1500, 300);
        doek.stippen(0, 10, 1500, 300, 45, Qt::white);
        const QImage& beeld = doek.beeld();
        int stippen = 0;
        for (int x = 0; x < beeld.width(); ++x)
            if (beeld.pixelColor(x, 0) == Qt::white && (x == 0 || beeld.pixelColor(x - 1, 0) != Qt::white)) ++stippen;
        QCOMPARE(stippen, 34); // one every 3 logical pixels over 100: 0, 3, ..., 99
        for (int k = 0; k < 33; ++k)
            QCOMPARE(doek.pixel(45 * k, 10), QColor(Qt::white));
        QCOMPARE(doek.pixel(15, 10), QColor(Qt::black));
    }
};

QTEST_MAIN(TstDoek)
#include "tst_doek.moc"
