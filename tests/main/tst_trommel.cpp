// The drum and the board geometry, without any window.
#include "common/toeval.h"
#include "main/trommel.h"

#include <QtTest>

#include <deque>

namespace
{
// Answers with the values given, then with the lowest number allowed.
class GespeeldeToeval : public Toeval
{
public:
    explicit GespeeldeToeval(std::deque<int> waarden) : m_waarden(std::move(waarden)) {}
    int getal(int laag, int hoog) override
    {
        ++aanroepen;
        laatsteHoog = hoog;
        if (m_waarden.empty()) return laag;
        const int w = m_waarden.front();
        m_waarden.pop_front();
        return w;
    }
    int aanroepen = 0;
    int laatsteHoog = 0;

private:
    std::deque<int> m_waarden;
};
} // namespace

class TstTrommel : public QObject
{
    Q_OBJECT
private slots:
    void letters_data();
    void letters();
    void teksten();
    void cellen();
    void vakkenEnHoogtes();
    void sorteerPlaats();
    void heleSpelZonderHerhaling_data();
    void heleSpelZonderHerhaling();
    void trektUitWatOverIs();
    void eersteBalEerlijk_data();
    void eersteBalEerlijk();
};

void TstTrommel::letters_data()
{
    QTest::addColumn<int>("getal");
    QTest::addColumn<int>("aantal");
    QTest::addColumn<QString>("letter");
    QTest::newRow("75: 1") << 1 << 75 << "B";
    QTest::newRow("75: 15") << 15 << 75 << "B";
    QTest::newRow("75: 16") << 16 << 75 << "I";
    QTest::newRow("75: 30/31") << 31 << 75 << "N";
    QTest::newRow("75: 45") << 45 << 75 << "N";
    QTest::newRow("75: 46") << 46 << 75 << "G";
    QTest::newRow("75: 60") << 60 << 75 << "G";
    QTest::newRow("75: 61") << 61 << 75 << "O";
    QTest::newRow("75: 75") << 75 << 75 << "O";
    QTest::newRow("90: 18") << 18 << 90 << "B";
    QTest::newRow("90: 19") << 19 << 90 << "I";
    QTest::newRow("90: 36/37") << 37 << 90 << "N";
    QTest::newRow("90: 55") << 55 << 90 << "G";
    QTest::newRow("90: 72") << 72 << 90 << "G";
    QTest::newRow("90: 73") << 73 << 90 << "O";
    QTest::newRow("90: 90") << 90 << 90 << "O";
    // Nothing outside the game.
    QTest::newRow("75: 0") << 0 << 75 << "";
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

// The list writes letter-hyphen-number, the big display letter and number, no leading zeros.
void TstTrommel::teksten()
{
    QCOMPARE(Trommel::lijstRegel(7, 75), QStringLiteral("B-7"));
    QCOMPARE(Trommel::lijstRegel(42, 75), QStringLiteral("N-42"));
    QCOMPARE(Trommel::lijstRegel(75, 75), QStringLiteral("O-75"));
    QCOMPARE(Trommel::lijstRegel(36, 90), QStringLiteral("I-36"));
    QCOMPARE(Trommel::grootTekst(7, 75), QStringLiteral("B7"));
    QCOMPARE(Trommel::grootTekst(90, 90), QStringLiteral("O90"));
    QCOMPARE(Trommel::getalX(9), 165);
    QCOMPARE(Trommel::getalX(10), 0);
    QCOMPARE(Trommel::getalX(19), 0);
    QCOMPARE(Trommel::getalX(20), 30);
}

// The cells match the walk over the board: 15 to a row, wrapping when x passes 14300.
void TstTrommel::cellen()
{
    QCOMPARE(Trommel::cel(1), QPoint(300, 300));
    QCOMPARE(Trommel::cel(15), QPoint(13740, 300));
    QCOMPARE(Trommel::cel(16), QPoint(300, 1260));
    QCOMPARE(Trommel::cel(90), QPoint(13740, 5100));
    int x = 300, y = 300;
    for (int k = 1; k <= 90; ++k) {
        QCOMPARE(Trommel::cel(k), QPoint(x, y));
        x += 960;
        if (x > 14300) {
            x = 300;
            y += 960;
        }
    }
}

void TstTrommel::vakkenEnHoogtes()
{
    QCOMPARE(Trommel::grootVak(75), QRect(QPoint(300, 5040), QPoint(2700, 6300)));
    QCOMPARE(Trommel::grootVak(90), QRect(QPoint(300, 6000), QPoint(2700, 7260)));
    QCOMPARE(Trommel::bordHoogte(75), 6600);
    QCOMPARE(Trommel::bordHoogte(90), 7560);
    QCOMPARE(Trommel::aantalCellen(75), 75);
    QCOMPARE(Trommel::aantalCellen(90), 90);
    // 768 pixels high: (11520 - 6600) / 2 - 450.
    QCOMPARE(Trommel::rustBoven(11520, 6600), 2010);
    QCOMPARE(Trommel::rustBoven(11520, 7560), 1530);
    // The big display lies below the last row of balls, inside the board.
    for (int aantal : {75, 90}) {
        const QPoint laatste = Trommel::cel(aantal);
        QVERIFY(Trommel::grootVak(aantal).top() >= laatste.y() + Trommel::balMaat);
        QVERIFY(Trommel::grootVak(aantal).bottom() < Trommel::bordHoogte(aantal));
    }
}

// Plain text order: B-10 before B-2; a new entry goes after its equals.
void TstTrommel::sorteerPlaats()
{
    QStringList lijst;
    for (const char* regel : {"B-2", "G-50", "B-10", "O-61", "B-1", "I-16", "N-31"})
        lijst.insert(Trommel::sorteerPlaats(lijst, QLatin1String(regel)), QLatin1String(regel));
    QCOMPARE(lijst, QStringList({"B-1", "B-10", "B-2", "G-50", "I-16", "N-31", "O-61"}));
    QCOMPARE(Trommel::sorteerPlaats({}, QStringLiteral("B-1")), 0);
    QCOMPARE(Trommel::sorteerPlaats(lijst, QStringLiteral("O-9")), lijst.size());
}

void TstTrommel::heleSpelZonderHerhaling_data()
{
    QTest::addColumn<int>("aantal");
    QTest::newRow("75") << 75;
    QTest::newRow("90") << 90;
}

// A game draws every number once, then the empty drum gives 0 again and again.
void TstTrommel::heleSpelZonderHerhaling()
{
    QFETCH(int, aantal);
    VasteToeval toeval(7);
    Trommel::Getrokken getrokken{};
    QSet<int> gezien;
    for (int i = 0; i < aantal; ++i) {
        const int n = Trommel::trek(getrokken, aantal, toeval);
        QVERIFY(n >= 1 && n <= aantal);
        QVERIFY2(!gezien.contains(n), qPrintable(QStringLiteral("%1 twice").arg(n)));
        gezien.insert(n);
        QCOMPARE(Trommel::inTrommel(getrokken, aantal), aantal - i - 1);
    }
    for (int i = 0; i < 3; ++i)
        QCOMPARE(Trommel::trek(getrokken, aantal, toeval), 0);
    QCOMPARE(getrokken[0], std::uint8_t(0));
}

// The random source chooses among what is left, once per draw, however few remain.
void TstTrommel::trektUitWatOverIs()
{
    GespeeldeToeval toeval({2, 9, 1});
    Trommel::Getrokken getrokken{};
    QCOMPARE(Trommel::trek(getrokken, 75, toeval), 2);
    QCOMPARE(toeval.laatsteHoog, 75);
    // 9th of 1, 3, 4, ...: the 2 is skipped.
    QCOMPARE(Trommel::trek(getrokken, 75, toeval), 10);
    QCOMPARE(toeval.laatsteHoog, 74);
    getrokken.fill(1);
    getrokken[40] = 0;
    QCOMPARE(Trommel::trek(getrokken, 75, toeval), 40);
    QCOMPARE(toeval.laatsteHoog, 1);
    QCOMPARE(toeval.aanroepen, 3);
    // A number beyond the game's maximum is never drawn, even when marked free.
    getrokken.fill(1);
    getrokken[80] = 0;
    QCOMPARE(Trommel::trek(getrokken, 75, toeval), 0);
}

void TstTrommel::eersteBalEerlijk_data()
{
    QTest::addColumn<int>("aantal");
    QTest::newRow("75") << 75;
    QTest::newRow("90") << 90;
}

// Fairness, as a sanity check: over many games from a seeded source every number comes out
// first about equally often. With 1000 expected per number the bounds are some six standard
// deviations wide: a range one off at either end, or a skewed mapping, still falls far outside.
void TstTrommel::eersteBalEerlijk()
{
    QFETCH(int, aantal);
    VasteToeval toeval(20240611);
    const int verwacht = 1000;
    std::array<int, 92> eerste{};
    std::array<int, 92> derde{};
    for (int spel = 0; spel < aantal * verwacht; ++spel) {
        Trommel::Getrokken getrokken{};
        ++eerste[Trommel::trek(getrokken, aantal, toeval)];
        Trommel::trek(getrokken, aantal, toeval);
        ++derde[Trommel::trek(getrokken, aantal, toeval)];
    }
    QCOMPARE(eerste[0], 0);
    QCOMPARE(eerste[aantal + 1], 0);
    for (int n = 1; n <= aantal; ++n) {
        QVERIFY2(eerste[n] > 800 && eerste[n] < 1200, qPrintable(QStringLiteral("%1 first %2x").arg(n).arg(eerste[n])));
        QVERIFY2(derde[n] > 800 && derde[n] < 1200, qPrintable(QStringLiteral("%1 third %2x").arg(n).arg(derde[n])));
    }
}

QTEST_GUILESS_MAIN(TstTrommel)
#include "tst_trommel.moc"
