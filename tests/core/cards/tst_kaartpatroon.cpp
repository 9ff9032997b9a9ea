// Where a press on the large pattern card lands, and what it decides.
#include "core/cards/kaartpatroon.h"

#include <QtTest>

using namespace PatroonKaart;

class TstKaartPatroon : public QObject
{
    Q_OBJECT
private slots:
    // Every hit window lies strictly inside its outline, holds the whole mark, meets no other.
    void venstersBinnenOmtrek()
    {
        for (int k = 1; k <= aantalVakken; ++k) {
            const QRect o = omtrek(k), v = venster(k);
            QVERIFY(v.contains(markering(k)));
            QVERIFY(v.left() > o.left() && v.right() < o.right() && v.top() > o.top() && v.bottom() < o.bottom());
            for (int m = k + 1; m <= aantalVakken; ++m)
                QVERIFY2(!v.intersects(venster(m)), qPrintable(QStringLiteral("%1 %2").arg(k).arg(m)));
        }
    }

    void vakOnderPunt_data()
    {
        QTest::addColumn<QPoint>("pixel");
        QTest::addColumn<int>("vak");
        QTest::newRow("buiten de kaart") << QPoint(0, 0) << 0;
        QTest::newRow("net binnen vak 1") << QPoint(2, 2) << 1;
        QTest::newRow("lijn tussen vak 1 en 2") << QPoint(66, 30) << 0;
        QTest::newRow("net binnen vak 2") << QPoint(67, 30) << 2;
        QTest::newRow("net binnen vak 6") << QPoint(30, 67) << 6;
        QTest::newRow("laatste vak") << QPoint(325, 325) << 25;
        QTest::newRow("omtrek rechtsonder") << QPoint(326, 326) << 0;
        QTest::newRow("negatief") << QPoint(-1, 100) << 0;
    }
    void vakOnderPunt()
    {
        QFETCH(QPoint, pixel);
        QFETCH(int, vak);
        QCOMPARE(vakOnder(pixel * 15), vak);
    }
};

QTEST_GUILESS_MAIN(TstKaartPatroon)
#include "tst_kaartpatroon.moc"
