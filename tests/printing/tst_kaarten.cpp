// The card generators: Bingo cards and Kien pages, and the Kien layout table they rest on.

#include "common/toeval.h"
#include "printing/kaarten.h"

#include <QtTest>

#include <set>

using namespace Kaarten;

namespace
{

// Counts the draws of another source.
class TelToeval : public Toeval
{
public:
    explicit TelToeval(Toeval& bron) : m_bron(bron) {}
    int getal(int laag, int hoog) override
    {
        ++trekkingen;
        return m_bron.getal(laag, hoog);
    }
    int trekkingen = 0;

private:
    Toeval& m_bron;
};

// A source stuck on one answer: a retrying draw would never end with it.
class StarreToeval : public Toeval
{
public:
    explicit StarreToeval(bool hoogste) : m_hoogste(hoogste) {}
    int getal(int laag, int hoog) override { return m_hoogste ? hoog : laag; }

private:
    bool m_hoogste;
};

char teken(int L, int r, int j)
{
    return KienIndeling[std::size_t(L - 1)][std::size_t(r - 1)][j - 1];
}

bool isKaartRij(int r)
{
    return r % 4 != 0;
}

// The three rows of card k (0..5) of layout L.
QStringList kaart(int L, int k)
{
    QStringList uit;
    for (int q = 1; q <= 3; ++q)
        uit << QString::fromLatin1(KienIndeling[std::size_t(L - 1)][std::size_t(4 * k + q - 1)]);
    return uit;
}

void controleerBingoKaart(const BingoKaart& k, int aantal)
{
    std::set<int> gezien;
    for (int kolom = 0; kolom < 5; ++kolom)
        for (int rij = 0; rij < 5; ++rij) {
            const int n = k.getal[std::size_t(kolom)][std::size_t(rij)];
            QVERIFY2(n >= bingoLaag(aantal, kolom) && n <= bingoHoog(aantal, kolom),
                     qPrintable(QStringLiteral("%1 in column %2 with %3").arg(n).arg(kolom).arg(aantal)));
            QVERIFY2(gezien.insert(n).second, qPrintable(QStringLiteral("%1 twice on a card").arg(n)));
        }
}

void controleerKienPagina(const KienPagina& p)
{
    QVERIFY(p.indeling >= 1 && p.indeling <= 5);
    std::array<int, 91> aantal{};
    for (int r = 1; r <= kienRijen; ++r) {
        int inRij = 0;
        for (int j = 1; j <= 9; ++j) {
            const int n = p.getal[std::size_t(r - 1)][std::size_t(j - 1)];
            QCOMPARE(n != 0, teken(p.indeling, r, j) == '1');
            if (n == 0) continue;
            ++inRij;
            QVERIFY2(n >= kienLaag(j) && n <= kienHoog(j), qPrintable(QStringLiteral("%1 in column %2").arg(n).arg(j)));
            ++aantal[std::size_t(n)];
        }
        QCOMPARE(inRij, isKaartRij(r) ? 5 : 0);
    }
    for (int n = 1; n <= 90; ++n)
        QVERIFY2(aantal[std::size_t(n)] == 1, qPrintable(QStringLiteral("%1 stands %2 times").arg(n).arg(aantal[n])));
    for (int k = 0; k < 6; ++k)
        for (int j = 1; j <= 9; ++j) {
            int inKolom = 0;
            for (int q = 1; q <= 3; ++q)
                inKolom += p.getal[std::size_t(4 * k + q - 1)][std::size_t(j - 1)] != 0;
            QVERIFY2(inKolom >= 1, qPrintable(QStringLiteral("card %1 column %2 empty").arg(k).arg(j)));
        }
}

} // namespace

class TestKaarten : public QObject
{
    Q_OBJECT
private slots:
    // Every layout: rows of five, empty gap rows, every column of every card used, and the
    // column totals equal to the sizes of the column ranges, so a page can always be filled.
    void indelingenKloppen()
    {
        for (int L = 1; L <= kienIndelingen; ++L) {
            std::array<int, 10> kolomTotaal{};
            for (int r = 1; r <= kienRijen; ++r) {
                QCOMPARE(int(qstrlen(KienIndeling[std::size_t(L - 1)][std::size_t(r - 1)])), 9);
                int enen = 0;
                for (int j = 1; j <= 9; ++j) {
                    const char c = teken(L, r, j);
                    QVERIFY(c == '0' || c == '1');
                    enen += c == '1';
                    kolomTotaal[std::size_t(j)] += c == '1';
                }
                QCOMPARE(enen, isKaartRij(r) ? 5 : 0);
            }
            for (int j = 1; j <= 9; ++j)
                QCOMPARE(kolomTotaal[std::size_t(j)], kienHoog(j) - kienLaag(j) + 1);
            for (int k = 0; k < 6; ++k)
                for (int j = 1; j <= 9; ++j) {
                    const QStringList rijen = kaart(L, k);
                    QVERIFY(rijen[0][j - 1] == '1' || rijen[1][j - 1] == '1' || rijen[2][j - 1] == '1');
                }
        }
        QCOMPARE(kienLaag(1), 1);
        QCOMPARE(kienHoog(1), 9);
        QCOMPARE(kienLaag(2), 10);
        QCOMPARE(kienHoog(8), 79);
        QCOMPARE(kienLaag(9), 80);
        QCOMPARE(kienHoog(9), 90);
    }

    // Layout 2 is layout 1 read from the bottom up; layouts 3 to 5 hold layout 1's cards.
    void indelingenZijnVerwant()
    {
        for (int r = 1; r <= kienRijen; ++r)
            QCOMPARE(QByteArray(KienIndeling[1][std::size_t(r - 1)]),
                     QByteArray(KienIndeling[0][std::size_t(kienRijen - r)]));
        QList<QStringList> kaarten1;
        for (int k = 0; k < 6; ++k)
            kaarten1 << kaart(1, k);
        for (int L = 3; L <= 5; ++L) {
            QList<QStringList> rest = kaarten1;
            for (int k = 0; k < 6; ++k)
                QVERIFY2(rest.removeOne(kaart(L, k)), qPrintable(QStringLiteral("layout %1 card %2").arg(L).arg(k)));
        }
        // The example of a column with three numbers: the fifth card of layout 1, column 7.
        const QStringList vijfde = kaart(1, 4);
        QVERIFY(vijfde[0][6] == '1' && vijfde[1][6] == '1' && vijfde[2][6] == '1');
    }

    void bingoKaarten_data()
    {
        QTest::addColumn<int>("aantal");
        QTest::newRow("75") << 75;
        QTest::newRow("90") << 90;
    }

    // Over thousands of cards: columns in their ranges, no repeats, every number of a range
    // reached, columns in drawing order (not sorted), 25 draws a card.
    void bingoKaarten()
    {
        QFETCH(int, aantal);
        VasteToeval bron(aantal);
        TelToeval toeval(bron);
        std::array<int, 91> hoeVaak{};
        int oplopend = 0;
        const int kaarten = 3000;
        for (int i = 0; i < kaarten / 6; ++i) {
            const int voor = toeval.trekkingen;
            const BingoPagina p = maakBingoPagina(aantal, toeval);
            QCOMPARE(toeval.trekkingen - voor, 6 * 25);
            for (const BingoKaart& k : p.kaarten) {
                controleerBingoKaart(k, aantal);
                if (QTest::currentTestFailed()) return;
                for (const auto& kolom : k.getal) {
                    oplopend += std::is_sorted(kolom.begin(), kolom.end());
                    for (int n : kolom)
                        ++hoeVaak[std::size_t(n)];
                }
            }
        }
        // Five random numbers are in ascending order once in 120 columns.
        QVERIFY2(oplopend < kaarten * 5 / 40, qPrintable(QString::number(oplopend)));
        const double verwacht = kaarten * 5.0 / kolomBreedte(aantal);
        for (int n = 1; n <= aantal; ++n)
            QVERIFY2(hoeVaak[std::size_t(n)] > verwacht * 0.85 && hoeVaak[std::size_t(n)] < verwacht * 1.15,
                     qPrintable(
                         QStringLiteral("%1 drawn %2 times, about %3 expected").arg(n).arg(hoeVaak[n]).arg(verwacht)));
        for (int n = aantal + 1; n <= 90; ++n)
            QCOMPARE(hoeVaak[std::size_t(n)], 0);
    }

    // Over a thousand pages: each holds 1..90 once, rows of five, every column of every card
    // filled, ranges kept; all five layouts occur; one draw per number plus the layout.
    void kienPaginas()
    {
        VasteToeval bron(4711);
        TelToeval toeval(bron);
        std::array<int, 6> indelingen{};
        int oplopend = 0;
        for (int i = 0; i < 1200; ++i) {
            const int voor = toeval.trekkingen;
            const KienPagina p = maakKienPagina(toeval);
            QCOMPARE(toeval.trekkingen - voor, 91);
            controleerKienPagina(p);
            if (QTest::currentTestFailed()) return;
            ++indelingen[std::size_t(p.indeling)];
            QList<int> kolom1;
            for (int r = 1; r <= kienRijen; ++r)
                if (p.getal[std::size_t(r - 1)][0]) kolom1 << p.getal[std::size_t(r - 1)][0];
            oplopend += std::is_sorted(kolom1.begin(), kolom1.end());
        }
        for (int L = 1; L <= 5; ++L)
            QVERIFY2(indelingen[std::size_t(L)] > 150,
                     qPrintable(QStringLiteral("layout %1: %2").arg(L).arg(indelingen[L])));
        QVERIFY(oplopend < 10);
    }

    // A source that always gives the same answer still fills cards and pages, without
    // repeats and without hanging: every draw picks from the numbers that remain.
    void vastgelopenBronHangtNiet()
    {
        for (bool hoogste : {false, true}) {
            StarreToeval toeval(hoogste);
            controleerBingoKaart(maakBingoKaart(90, toeval), 90);
            controleerBingoKaart(maakBingoKaart(75, toeval), 75);
            controleerKienPagina(maakKienPagina(toeval));
        }
    }

    // Any numbers count other than 90 gives 75-number cards.
    void andereAantallenWorden75()
    {
        VasteToeval toeval(1);
        controleerBingoKaart(maakBingoKaart(0, toeval), 75);
        controleerBingoKaart(maakBingoKaart(255, toeval), 75);
    }
};

QTEST_GUILESS_MAIN(TestKaarten)
#include "tst_kaarten.moc"
