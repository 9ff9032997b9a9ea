// The pattern card's geometry and the decision a press on the large card makes.
#include "dialogs/kaartpatroon.h"

#include <QtTest>

using namespace PatroonKaart;

namespace
{
// The twips a press at a logical pixel arrives with.
QPoint bijPixel(int x, int y)
{
    return {x * 15, y * 15};
}
} // namespace

class TstKaartPatroon : public QObject
{
    Q_OBJECT
private slots:
    // Every window lies inside its outline, holds the whole mark, and no two windows meet.
    void venstersBinnenOmtrek()
    {
        for (int k = 1; k <= aantalVakken; ++k) {
            const QRect o = omtrek(k), v = venster(k);
            QVERIFY(v.contains(markering(k)));
            QVERIFY(o.contains(v));
            QVERIFY(v.left() > o.left() && v.right() < o.right() && v.top() > o.top() && v.bottom() < o.bottom());
            for (int m = k + 1; m <= aantalVakken; ++m)
                QVERIFY2(!v.intersects(venster(m)), qPrintable(QStringLiteral("%1 %2").arg(k).arg(m)));
        }
        QCOMPARE(markering(middenVak), middenMarkering());
        QVERIFY(omtrek(0).isNull());
        QVERIFY(venster(26).isNull());
    }

    void vakOnderPunt_data()
    {
        QTest::addColumn<QPoint>("punt");
        QTest::addColumn<int>("vak");
        QTest::newRow("linksboven buiten de kaart") << bijPixel(0, 0) << 0;
        QTest::newRow("omtrek links van vak 1") << bijPixel(1, 30) << 0;
        QTest::newRow("net binnen vak 1") << bijPixel(2, 2) << 1;
        QTest::newRow("laatste pixel van vak 1") << bijPixel(65, 65) << 1;
        QTest::newRow("lijn tussen vak 1 en 2") << bijPixel(66, 30) << 0;
        QTest::newRow("net binnen vak 2") << bijPixel(67, 30) << 2;
        QTest::newRow("twips 1020,500") << QPoint(1020, 500) << 2;
        QTest::newRow("lijn onder vak 1") << bijPixel(30, 66) << 0;
        QTest::newRow("net binnen vak 6") << bijPixel(30, 67) << 6;
        QTest::newRow("midden") << QPoint(2450, 2450) << middenVak;
        QTest::newRow("laatste vak") << bijPixel(325, 325) << 25;
        QTest::newRow("rechtsonder omtrek") << bijPixel(326, 326) << 0;
        QTest::newRow("rechts van de kaart") << bijPixel(327, 100) << 0;
        QTest::newRow("negatief") << QPoint(-15, 100) << 0;
    }
    void vakOnderPunt()
    {
        QFETCH(QPoint, punt);
        QFETCH(int, vak);
        QCOMPARE(vakOnder(punt), vak);
    }

    // Only white and the mark colour answer; the press toggles the cell as the card shows it.
    // Other colours and points outside every window do nothing.
    void drukNaarKleur()
    {
        const QPoint inVak7 = bijPixel(67 + 10, 67 + 10);
        QCOMPARE(druk(inVak7, leegKleur, leegKleur).vak, 7);
        QCOMPARE(druk(inVak7, leegKleur, leegKleur).waarde, 1);
        QCOMPARE(druk(inVak7, markKleur, markKleur).vak, 7);
        QCOMPARE(druk(inVak7, markKleur, markKleur).waarde, 0);
        // The white margin of a marked cell clears it; the margin beside the centre mark marks.
        QCOMPARE(druk(inVak7, leegKleur, markKleur).waarde, 0);
        QCOMPARE(druk(inVak7, leegKleur, middenKleur).waarde, 1);
        QCOMPARE(druk(inVak7, middenKleur, middenKleur).vak, 0);
        QCOMPARE(druk(inVak7, omtrekKleur, leegKleur).vak, 0);
        QCOMPARE(druk(inVak7, QColor(201, 0, 0), leegKleur).vak, 0);
        QCOMPARE(druk(inVak7, QColor(), leegKleur).vak, 0);
        QCOMPARE(druk(bijPixel(0, 0), leegKleur, leegKleur).vak, 0);
        QCOMPARE(druk(bijPixel(327, 5), leegKleur, leegKleur).vak, 0);
    }

    // The small card: 7-pixel cells whose marks leave one pixel of white inside the lines.
    void kleineKaart()
    {
        QCOMPARE(kleinOmtrek(1), QRect(QPoint(0, 0), QPoint(105, 105)));
        QCOMPARE(kleinOmtrek(25), QRect(QPoint(420, 420), QPoint(525, 525)));
        QCOMPARE(kleinMarkering(middenVak), QRect(QPoint(225, 225), QPoint(300, 300)));
        QVERIFY(kleinOmtrek(25).right() < kleinFormaat);
    }
};

QTEST_GUILESS_MAIN(TstKaartPatroon)
#include "tst_kaartpatroon.moc"
