// The card generators: Bingo cards and Kien pages, and the Kien layout table they rest on; where
// a press on the large pattern card lands.

#include "core/cards/kaarten.h"
#include "core/cards/kaartpatroon.h"
#include "core/common/toeval.h"

#include <QtTest>

#include <set>

using namespace Kaarten;

namespace
{
// A source stuck on one answer: a draw that retries until it finds a new number never ends.
struct StarreToeval : Toeval {
    bool hoogste;
    explicit StarreToeval(bool h) : hoogste(h) {}
    int getal(int laag, int hoog) override { return hoogste ? hoog : laag; }
};

// Kien column j (1..9) holds 1-9, 10-19 ... 70-79, 80-90.
bool inKienKolom(int n, int j)
{
    return n >= (j == 1 ? 1 : 10 * (j - 1)) && n <= (j == 9 ? 90 : 10 * j - 1);
}

void controleerBingoKaart(const BingoKaart& k, int aantal)
{
    const int breedte = aantal == 90 ? 18 : 15;
    std::set<int> gezien;
    for (int kolom = 0; kolom < 5; ++kolom)
        for (int n : k.getal[std::size_t(kolom)]) {
            QVERIFY2(n > breedte * kolom && n <= breedte * (kolom + 1),
                     qPrintable(QStringLiteral("%1 in column %2 with %3").arg(n).arg(kolom).arg(aantal)));
            QVERIFY2(gezien.insert(n).second, qPrintable(QStringLiteral("%1 twice on a card").arg(n)));
        }
}

// 1..90 once each, rows of five where the layout has them, every column of every card filled.
void controleerKienPagina(const KienPagina& p)
{
    QVERIFY(p.indeling >= 1 && p.indeling <= 5);
    std::array<int, 91> aantal{};
    for (int r = 1; r <= kienRijen; ++r) {
        int inRij = 0;
        for (int j = 1; j <= 9; ++j) {
            const int n = p.getal[std::size_t(r - 1)][std::size_t(j - 1)];
            QCOMPARE(n != 0, KienIndeling[std::size_t(p.indeling - 1)][std::size_t(r - 1)][j - 1] == '1');
            if (n == 0) continue;
            ++inRij;
            ++aantal[std::size_t(n)];
            QVERIFY2(inKienKolom(n, j), qPrintable(QStringLiteral("%1 in column %2").arg(n).arg(j)));
        }
        QCOMPARE(inRij, r % 4 == 0 ? 0 : 5);
    }
    QCOMPARE(std::count(aantal.begin() + 1, aantal.end(), 1), 90);
    for (int k = 0; k < 6; ++k)
        for (std::size_t j = 0; j < 9; ++j)
            QVERIFY2(p.getal[4 * k][j] || p.getal[4 * k + 1][j] || p.getal[4 * k + 2][j],
                     qPrintable(QStringLiteral("card %1 column %2 empty").arg(k).arg(j + 1)));
}
} // namespace

class TestKaarten : public QObject
{
    Q_OBJECT
private slots:
    // Over thousands of cards, from a seeded source and from the program's own: columns in
    // their ranges, no repeats, every number reached up to the highest, and columns in drawing
    // order (five random numbers are in ascending order once in 120).
    void bingoKaarten()
    {
        VasteToeval vast(7);
        for (int aantal : {75, 90})
            for (Toeval* toeval : {static_cast<Toeval*>(&vast), &Toeval::systeem()}) {
                std::set<int> getrokken;
                int oplopend = 0;
                for (int i = 0; i < 500; ++i)
                    for (const BingoKaart& k : maakBingoPagina(aantal, *toeval).kaarten) {
                        controleerBingoKaart(k, aantal);
                        if (QTest::currentTestFailed()) return;
                        for (const auto& kolom : k.getal) {
                            oplopend += std::is_sorted(kolom.begin(), kolom.end());
                            getrokken.insert(kolom.begin(), kolom.end());
                        }
                    }
                QVERIFY2(oplopend < 3000 * 5 / 40, qPrintable(QString::number(oplopend)));
                QCOMPARE(int(getrokken.size()), aantal);
            }
    }

    // Over a thousand pages every page is sound and all five layouts occur.
    void kienPaginas()
    {
        VasteToeval toeval(4711);
        std::array<int, 6> indelingen{};
        for (int i = 0; i < 1200; ++i) {
            const KienPagina p = maakKienPagina(toeval);
            controleerKienPagina(p);
            if (QTest::currentTestFailed()) return;
            ++indelingen[std::size_t(p.indeling)];
        }
        for (int L = 1; L <= 5; ++L)
            QVERIFY2(indelingen[std::size_t(L)] > 150, qPrintable(QString::number(L)));
    }

    // A source that always gives the same answer still fills cards and pages without hanging.
    void starreBronHangtNiet()
    {
        for (bool hoogste : {false, true}) {
            StarreToeval toeval(hoogste);
            controleerBingoKaart(maakBingoKaart(90, toeval), 90);
            controleerBingoKaart(maakBingoKaart(75, toeval), 75);
            controleerKienPagina(maakKienPagina(toeval));
        }
    }

    // Every hit window lies strictly inside its outline, holds the whole mark, meets no other.
    void venstersBinnenOmtrek()
    {
        for (int k = 1; k <= PatroonKaart::aantalVakken; ++k) {
            const QRect o = PatroonKaart::omtrek(k), v = PatroonKaart::venster(k);
            QVERIFY(v.contains(PatroonKaart::markering(k)));
            QVERIFY(v.left() > o.left() && v.right() < o.right() && v.top() > o.top() && v.bottom() < o.bottom());
            for (int m = k + 1; m <= PatroonKaart::aantalVakken; ++m)
                QVERIFY2(!v.intersects(PatroonKaart::venster(m)), qPrintable(QStringLiteral("%1 %2").arg(k).arg(m)));
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
        QCOMPARE(PatroonKaart::vakOnder(pixel * 15), vak);
    }
};

QTEST_GUILESS_MAIN(TestKaarten)
#include "tst_kaarten.moc"
