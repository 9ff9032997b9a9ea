// The printed pages: where numbers, letters, the FREE pictures and the text line land, on the
// recording device and read back from a PDF file.

#include "opname.h"

#include "common/toeval.h"
#include "common/twips.h"
#include "printing/kaarten.h"
#include "printing/pagina.h"
#include "printing/uitvoer.h"

#include <QFontMetricsF>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace
{
// Whether the text stands with the top of its line at the point.
bool staat(const QList<Opname::Tekst>& teksten, const QString& tekst, QPointF top)
{
    return std::any_of(teksten.begin(), teksten.end(), [&](const Opname::Tekst& t) {
        const QPointF p = t.basis - QPointF(0, QFontMetricsF(t.font).ascent());
        return t.tekst == tekst && qAbs(p.x() - top.x()) < 0.5 && qAbs(p.y() - top.y()) < 0.5;
    });
}

// A Bingo page whose every card has a number below 10 and one above in column B.
Kaarten::BingoPagina gemengdePagina()
{
    for (quint32 zaad = 1;; ++zaad) {
        VasteToeval toeval(zaad);
        const Kaarten::BingoPagina p = Kaarten::maakBingoPagina(75, toeval);
        if (std::all_of(p.kaarten.begin(), p.kaarten.end(), [](const Kaarten::BingoKaart& k) {
                return *std::min_element(k.getal[0].begin(), k.getal[0].end()) < 10 &&
                       *std::max_element(k.getal[0].begin(), k.getal[0].end()) >= 10;
            }))
            return p;
    }
}

Opname::Pagina opgenomen(const std::function<void(QPainter&)>& teken)
{
    Opname::Apparaat apparaat;
    QPainter p(&apparaat);
    teken(p);
    p.end();
    return apparaat.pagina();
}
} // namespace

class TestPagina : public QObject
{
    Q_OBJECT
    // Top-left corner of Bingo card 0..5, two side by side, three below each other; where the
    // digits of n start in column k, row i (the blank before them aside).
    static QPointF bingoHoek(int kaart) { return {kaart % 2 == 0 ? 600.0 : 6210.0, 600.0 + 5160 * (kaart / 2)}; }
    static QPointF bingoGetal(int kaart, int k, int i, int n)
    {
        return bingoHoek(kaart) + QPointF(900 * k - 45 + (n < 10 ? 180 : 0), 840 + 780 * i);
    }

private slots:
    // Bingo: header letters in both passes, numbers with their leading blank, FREE over every
    // centre cell, the text line.
    void bingoGetekend()
    {
        const Kaarten::BingoPagina pagina = gemengdePagina();
        const Opname::Pagina o = opgenomen(
            [&](QPainter& p) { Pagina::tekenBingo(p, pagina, QStringLiteral("Kienavond"), Pagina::freePlaatje()); });
        QCOMPARE(o.teksten.size(), 6 * (2 * 5 + 25) + 1);
        QCOMPARE(o.plaatjes.size(), 6);
        for (int kaart = 0; kaart < 6; ++kaart) {
            const QPointF hoek = bingoHoek(kaart);
            QVERIFY(o.plaatjes.contains(QRectF(hoek + QPointF(1875, 2415), QSizeF(750, 630))));
            for (int k = 0; k < 5; ++k) {
                const QString letter(QLatin1String("BINGO")[k]);
                QVERIFY(staat(o.teksten, letter, hoek + QPointF(900 * k + 210, -90)));
                QVERIFY(staat(o.teksten, letter, hoek + QPointF(900 * k + 240, -60)));
                for (int i = 0; i < 5; ++i) {
                    const int n = pagina.kaarten[kaart].getal[k][i];
                    QVERIFY2(staat(o.teksten, QStringLiteral(" %1").arg(n), bingoGetal(kaart, k, i, n)),
                             qPrintable(QStringLiteral("%1 on card %2").arg(n).arg(kaart)));
                }
            }
        }
        QVERIFY(staat(o.teksten, QStringLiteral("Kienavond"), QPointF(600, 15720)));
        QCOMPARE(o.teksten.last().kleur, QColor(160, 160, 160));
    }

    // Kien: numbers at their rows and columns, the text line.
    void kienGetekend()
    {
        VasteToeval toeval(77);
        const Kaarten::KienPagina pagina = Kaarten::maakKienPagina(toeval);
        const Opname::Pagina o = opgenomen([&](QPainter& p) { Pagina::tekenKien(p, pagina, QStringLiteral("Tekst")); });
        QCOMPARE(o.teksten.size(), 91);
        for (int r = 1; r <= 23; ++r)
            for (int j = 1; j <= 9; ++j)
                if (const int n = pagina.getal[r - 1][j - 1])
                    QVERIFY2(staat(o.teksten, QStringLiteral(" %1").arg(n),
                                   QPointF(750 + 1170 * (j - 1) + (n < 10 ? 180 : 0), 660 * r)),
                             qPrintable(QStringLiteral("%1 at row %2").arg(n).arg(r)));
        QVERIFY(staat(o.teksten, QStringLiteral("Tekst"), QPointF(600, 15900)));
    }

    // An empty text still prints the page, with nothing under the cards.
    void legeTekst()
    {
        Opname::Uitvoer uit;
        VasteToeval toeval(3);
        QVERIFY(Afdruk::bingo(uit, 90, 1, QString(), toeval, false, nullptr));
        QCOMPARE(uit.paginas.size(), 1);
        QCOMPARE(uit.paginas[0].teksten.size(), 6 * (2 * 5 + 25));
    }

    // A PDF page read back with pdftotext: A4, one word per letter and number, the digits one
    // blank right of the text position, nothing under the cards when the text is empty.
    void pdfTerugGelezen()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) QSKIP("pdftotext is not installed");
        QTemporaryDir map;
        const QString pad = map.filePath(QStringLiteral("kaarten.pdf"));
        const Kaarten::BingoPagina bingo = gemengdePagina();
        PdfUitvoer pdf(pad);
        QVERIFY(pdf.druk(
            QStringLiteral("Test"), 1,
            [&](QPainter& p, int) { Pagina::tekenBingo(p, bingo, QString(), Pagina::freePlaatje()); }, nullptr));

        QProcess proces;
        proces.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pad, QStringLiteral("-")});
        QVERIFY(proces.waitForFinished(60000));
        const QString html = QString::fromUtf8(proces.readAllStandardOutput());
        QCOMPARE(html.count(QStringLiteral("<page ")), 1);
        QVERIFY(html.contains(QStringLiteral("<page width=\"595.")));
        QList<QPair<QString, QPointF>> woorden; // with their top-left corners in twips
        static const QRegularExpression woord(
            QStringLiteral("<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\"[^>]*>([^<]*)<"));
        for (auto it = woord.globalMatch(html); it.hasNext();) {
            const auto w = it.next();
            woorden << qMakePair(w.captured(3), QPointF(w.captured(1).toDouble(), w.captured(2).toDouble()) * 20);
            QVERIFY(woorden.last().second.y() < 15000);
        }
        QCOMPARE(woorden.size(), 6 * 5 + 6 * 25); // the two letter passes read as one word

        const double blank = QFontMetricsF(Twips::lettertype(QStringLiteral("Comic Sans MS"), 24, true))
                                 .horizontalAdvance(QLatin1Char(' '));
        for (int kaart = 0; kaart < 6; ++kaart)
            for (int k = 0; k < 5; ++k)
                for (int i = 0; i < 5; ++i) {
                    if (k == 2 && i == 2) continue; // under the FREE picture
                    const int n = bingo.kaarten[kaart].getal[k][i];
                    const QPointF plek = bingoGetal(kaart, k, i, n) + QPointF(blank, 0);
                    QVERIFY2(std::any_of(woorden.begin(), woorden.end(),
                                         [&](const auto& w) {
                                             return w.first == QString::number(n) &&
                                                    qMax(qAbs(w.second.x() - plek.x()),
                                                         qAbs(w.second.y() - plek.y())) <= 45;
                                         }),
                             qPrintable(QStringLiteral("%1 on card %2").arg(n).arg(kaart)));
                }
    }
};

QTEST_MAIN(TestPagina)
#include "tst_pagina.moc"
