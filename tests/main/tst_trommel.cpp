// The drum and the board geometry, without any window.
#include "common/toeval.h"
#include "main/trommel.h"

#include <QtTest>

class TstTrommel : public QObject
{
    Q_OBJECT
private slots:
    void letters_data();
    void letters();
    void teksten();
    void geometrie();
    void eersteBalEerlijk_data();
    void eersteBalEerlijk();
};

void TstTrommel::letters_data()
{
    QTest::addColumn<int>("getal");
    QTest::addColumn<int>("aantal");
    QTest::addColumn<QString>("letter");
    QTest::newRow("75: 15") << 15 << 75 << "B";
    QTest::newRow("75: 16") << 16 << 75 << "I";
    QTest::newRow("75: 60") << 60 << 75 << "G";
    QTest::newRow("75: 61") << 61 << 75 << "O";
    QTest::newRow("90: 18") << 18 << 90 << "B";
    QTest::newRow("90: 19") << 19 << 90 << "I";
    QTest::newRow("90: 72") << 72 << 90 << "G";
    QTest::newRow("90: 73") << 73 << 90 << "O";
    QTest::newRow("75: 76") << 76 << 75 << "";
    QTest::newRow("80 balls") << 5 << 80 << "";
}

// The column letter changes exactly at the bounds of the 75- and the 90-ball game.
void TstTrommel::letters()
{
    QFETCH(int, getal);
    QFETCH(int, aantal);
    QFETCH(QString, letter);
    QCOMPARE(Trommel::letter(getal, aantal), letter);
}

void TstTrommel::teksten()
{
    QCOMPARE(Trommel::lijstRegel(7, 75), QStringLiteral("B-7"));
    QCOMPARE(Trommel::lijstRegel(36, 90), QStringLiteral("I-36"));
    QCOMPARE(Trommel::grootTekst(7, 75), QStringLiteral("B7"));
}

// 15 cells to a row; the big display below the last row, inside the board.
void TstTrommel::geometrie()
{
    QCOMPARE(Trommel::cel(15), QPoint(13740, 300));
    QCOMPARE(Trommel::cel(16), QPoint(300, 1260));
    QCOMPARE(Trommel::cel(90), QPoint(13740, 5100));
    for (int aantal : {75, 90}) {
        QVERIFY(Trommel::grootVak(aantal).top() >= Trommel::cel(aantal).y() + Trommel::balMaat);
        QVERIFY(Trommel::grootVak(aantal).bottom() < Trommel::bordHoogte(aantal));
    }
}

void TstTrommel::eersteBalEerlijk_data()
{
    QTest::addColumn<int>("aantal");
    QTest::newRow("75") << 75;
    QTest::newRow("90") << 90;
}

// Over many seeded games every number comes out first (and third) about equally often, and
// nothing outside the game: the bounds are some six standard deviations wide, so an
// off-by-one range or a skewed mapping still falls outside.
void TstTrommel::eersteBalEerlijk()
{
    QFETCH(int, aantal);
    VasteToeval toeval(20240611);
    std::array<int, 92> eerste{};
    std::array<int, 92> derde{};
    for (int spel = 0; spel < aantal * 1000; ++spel) {
        Trommel::Getrokken getrokken{};
        ++eerste[Trommel::trek(getrokken, aantal, toeval)];
        Trommel::trek(getrokken, aantal, toeval);
        ++derde[Trommel::trek(getrokken, aantal, toeval)];
    }
    QCOMPARE(eerste[0] + eerste[aantal + 1], 0);
    for (int n = 1; n <= aantal; ++n) {
        QVERIFY2(eerste[n] > 800 && eerste[n] < 1200, qPrintable(QStringLiteral("%1 first %2x").arg(n).arg(eerste[n])));
        QVERIFY2(derde[n] > 800 && derde[n] < 1200, qPrintable(QStringLiteral("%1 third %2x").arg(n).arg(derde[n])));
    }
}

QTEST_GUILESS_MAIN(TstTrommel)
#include "tst_trommel.moc"
