// The printed pages: positions, fonts and colours of what is painted, the page read back from
// a PDF file, and the pixels of the FREE picture and the Kien fields.

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

// Card corners and positions as the page layout gives them.
int bingoX0(int kaart)
{
    return kaart % 2 == 0 ? 600 : 6210;
}
int bingoY0(int kaart)
{
    return QList<int>{600, 5760, 10920}.at(kaart / 2);
}

struct Woord {
    QString tekst;
    double x, y; // top-left, in twips
};

// The words of every page of a PDF file, with pdftotext -bbox.
QList<QList<Woord>> leesWoorden(const QString& pdf, QSizeF* paginaGrootte = nullptr)
{
    QProcess proces;
    proces.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    proces.waitForFinished(60000);
    const QString html = QString::fromUtf8(proces.readAllStandardOutput());
    QList<QList<Woord>> paginas;
    static const QRegularExpression pagina(QStringLiteral("<page width=\"([0-9.]+)\" height=\"([0-9.]+)\">"));
    static const QRegularExpression woord(
        QStringLiteral("<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"[0-9.]+\" yMax=\"[0-9.]+\">([^<]*)</word>"));
    const QStringList stukken = html.split(QStringLiteral("<page "));
    for (int i = 1; i < stukken.size(); ++i) {
        const QString stuk = QStringLiteral("<page ") + stukken[i];
        const auto m = pagina.match(stuk);
        if (paginaGrootte && m.hasMatch()) *paginaGrootte = QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble());
        QList<Woord> woorden;
        for (auto it = woord.globalMatch(stuk); it.hasNext();) {
            const auto w = it.next();
            woorden << Woord{w.captured(3), w.captured(1).toDouble() * 20, w.captured(2).toDouble() * 20};
        }
        paginas << woorden;
    }
    return paginas;
}

const Woord* zoek(const QList<Woord>& woorden, const QString& tekst, double x, double y, double marge)
{
    for (const Woord& w : woorden)
        if (w.tekst == tekst && qAbs(w.x - x) <= marge && qAbs(w.y - y) <= marge) return &w;
    return nullptr;
}

Kaarten::BingoPagina bingoPagina(int aantal, quint32 zaad)
{
    VasteToeval toeval(zaad);
    return Kaarten::maakBingoPagina(aantal, toeval);
}

// A Bingo page whose every card has a number below 10 and one above in column B.
Kaarten::BingoPagina gemengdePagina()
{
    for (quint32 zaad = 1;; ++zaad) {
        const Kaarten::BingoPagina p = bingoPagina(75, zaad);
        bool alle = true;
        for (const auto& k : p.kaarten) {
            const auto& b = k.getal[0];
            alle = alle && std::any_of(b.begin(), b.end(), [](int n) { return n < 10; }) &&
                   std::any_of(b.begin(), b.end(), [](int n) { return n >= 10; });
        }
        if (alle) return p;
    }
}

} // namespace

class TestPagina : public QObject
{
    Q_OBJECT
private slots:
    // Bingo: grid lines, header letters twice, numbers with their leading blank, fonts and
    // colours, the FREE pictures and the text line, as painted.
    void bingoGetekend()
    {
        const Kaarten::BingoPagina pagina = gemengdePagina();
        Opname::Apparaat apparaat;
        QPainter p(&apparaat);
        Pagina::tekenBingo(p, pagina, QStringLiteral("Kienavond"), Pagina::freePlaatje());
        p.end();
        const Opname::Pagina& o = apparaat.pagina();

        QCOMPARE(o.lijnen.size(), 6 * 13);
        for (int kaart = 0; kaart < 6; ++kaart) {
            const int x0 = bingoX0(kaart), y0 = bingoY0(kaart);
            for (int i = 0; i <= 6; ++i)
                QVERIFY(o.lijnen.contains(QLineF(x0, y0 + 780 * i, x0 + 4500, y0 + 780 * i)));
            for (int j = 0; j <= 5; ++j)
                QVERIFY(o.lijnen.contains(QLineF(x0 + 900 * j, y0, x0 + 900 * j, y0 + 4680)));
            QVERIFY(o.plaatjes.contains(QRectF(x0 + 1875, y0 + 2415, 750, 630)));
        }
        QCOMPARE(o.plaatjes.size(), 6);

        QList<Opname::Tekst> letters, getallen, regels;
        for (const Opname::Tekst& t : o.teksten)
            (t.kleur == QColor(0, 0, 0) ? letters : t.kleur == QColor(90, 90, 90) ? getallen : regels) << t;
        QCOMPARE(letters.size(), 60);
        QCOMPARE(getallen.size(), 150);
        QCOMPARE(regels.size(), 1);

        const QFontMetricsF letterMaat(letters[0].font);
        QCOMPARE(letters[0].font.pixelSize(), 640);
        QVERIFY(letters[0].font.bold());
        QCOMPARE(QFontInfo(letters[0].font).family(), QFontInfo(QFont(QStringLiteral("Comic Sans MS"))).family());
        for (int kaart = 0; kaart < 6; ++kaart)
            for (int j = 0; j < 5; ++j) {
                const QString letter = QString(QLatin1String("BINGO")[j]);
                for (const QPointF hoek : {QPointF(bingoX0(kaart) + 900 * j + 210, bingoY0(kaart) - 90),
                                           QPointF(bingoX0(kaart) + 900 * j + 240, bingoY0(kaart) - 60)}) {
                    const QPointF basis = hoek + QPointF(0, letterMaat.ascent());
                    QVERIFY2(std::any_of(letters.begin(), letters.end(),
                                         [&](const Opname::Tekst& t) {
                                             return t.tekst == letter && qAbs(t.basis.x() - basis.x()) < 0.5 &&
                                                    qAbs(t.basis.y() - basis.y()) < 0.5;
                                         }),
                             qPrintable(QStringLiteral("%1 of card %2").arg(letter).arg(kaart)));
                }
            }

        const QFontMetricsF getalMaat(getallen[0].font);
        QCOMPARE(getallen[0].font.pixelSize(), 480);
        QVERIFY(getallen[0].font.bold());
        for (int kaart = 0; kaart < 6; ++kaart)
            for (int k = 0; k < 5; ++k)
                for (int i = 0; i < 5; ++i) {
                    const int n = pagina.kaarten[kaart].getal[k][i];
                    const QPointF basis(bingoX0(kaart) + 900 * k - 45 + (n < 10 ? 180 : 0),
                                        bingoY0(kaart) + 840 + 780 * i + getalMaat.ascent());
                    QVERIFY2(std::any_of(getallen.begin(), getallen.end(),
                                         [&](const Opname::Tekst& t) {
                                             return t.tekst == QStringLiteral(" %1").arg(n) &&
                                                    qAbs(t.basis.x() - basis.x()) < 0.5 &&
                                                    qAbs(t.basis.y() - basis.y()) < 0.5;
                                         }),
                             qPrintable(QStringLiteral("%1 on card %2").arg(n).arg(kaart)));
                }

        QCOMPARE(regels[0].tekst, QStringLiteral("Kienavond"));
        QCOMPARE(regels[0].kleur, QColor(160, 160, 160));
        QCOMPARE(regels[0].font.pixelSize(), 220);
        QVERIFY(regels[0].font.bold());
        QCOMPARE(regels[0].basis, QPointF(600, 15720 + QFontMetricsF(regels[0].font).ascent()));
    }

    // Kien: grey fields, cell outlines, numbers at their rows and columns, the text line.
    void kienGetekend()
    {
        VasteToeval toeval(77);
        const Kaarten::KienPagina pagina = Kaarten::maakKienPagina(toeval);
        Opname::Apparaat apparaat;
        QPainter p(&apparaat);
        Pagina::tekenKien(p, pagina, QStringLiteral("Tekst"));
        p.end();
        const Opname::Pagina& o = apparaat.pagina();

        int velden = 0, randen = 0;
        for (const Opname::Vlak& v : o.vlakken) {
            if (v.gevuld) {
                ++velden;
                QCOMPARE(v.kleur, QColor(240, 240, 240));
            } else {
                ++randen;
                QCOMPARE(v.kleur, QColor(0, 0, 0));
            }
        }
        QCOMPARE(velden, 6);
        QCOMPARE(randen, 6 * 27);
        for (int k = 0; k < 6; ++k) {
            const int boven = 600 + 2640 * k;
            QVERIFY(std::any_of(o.vlakken.begin(), o.vlakken.end(), [&](const Opname::Vlak& v) {
                return v.gevuld && v.rect == QRectF(600, boven, 10530, 1980);
            }));
            QVERIFY(std::any_of(o.vlakken.begin(), o.vlakken.end(), [&](const Opname::Vlak& v) {
                return !v.gevuld && v.rect == QRectF(600 + 1170 * 8, boven + 1320, 1170, 660);
            }));
        }

        QList<Opname::Tekst> getallen;
        for (const Opname::Tekst& t : o.teksten)
            if (t.kleur == QColor(60, 60, 60)) getallen << t;
        QCOMPARE(getallen.size(), 90);
        QCOMPARE(getallen[0].font.pixelSize(), 400);
        const double ascent = QFontMetricsF(getallen[0].font).ascent();
        for (int r = 1; r <= 23; ++r)
            for (int j = 1; j <= 9; ++j) {
                const int n = pagina.getal[r - 1][j - 1];
                if (!n) continue;
                const QPointF basis(750 + 1170 * (j - 1) + (n < 10 ? 180 : 0), 660 * r + ascent);
                QVERIFY2(std::any_of(getallen.begin(), getallen.end(),
                                     [&](const Opname::Tekst& t) {
                                         return t.tekst == QStringLiteral(" %1").arg(n) &&
                                                qAbs(t.basis.x() - basis.x()) < 0.5 &&
                                                qAbs(t.basis.y() - basis.y()) < 0.5;
                                     }),
                         qPrintable(QStringLiteral("%1 at row %2").arg(n).arg(r)));
            }
        const Opname::Tekst& regel = o.teksten.last();
        QCOMPARE(regel.tekst, QStringLiteral("Tekst"));
        QCOMPARE(regel.kleur, QColor(160, 160, 160));
        QCOMPARE(regel.basis.x(), 600.0);
        QCOMPARE(regel.basis.y(), 15900 + QFontMetricsF(regel.font).ascent());
    }

    // A PDF page read back: A4, numbers where the layout puts them (digits one blank right of
    // the text position, single digits 180 further), letters, the text line; fonts embedded.
    void pdfTerugGelezen()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) QSKIP("pdftotext is not installed");
        QTemporaryDir map;
        const QString pad = map.filePath(QStringLiteral("kaarten.pdf"));
        const Kaarten::BingoPagina bingo = gemengdePagina();
        VasteToeval toeval(5);
        const Kaarten::KienPagina kien = Kaarten::maakKienPagina(toeval);
        PdfUitvoer pdf(pad);
        QString fout;
        QVERIFY(pdf.druk(
            QStringLiteral("Test"), 2,
            [&](QPainter& p, int i) {
                if (i == 0)
                    Pagina::tekenBingo(p, bingo, QStringLiteral("Bingo-avond"), Pagina::freePlaatje());
                else
                    Pagina::tekenKien(p, kien, QStringLiteral("Kienen"));
            },
            &fout));
        QVERIFY(fout.isEmpty());

        QSizeF grootte;
        const auto paginas = leesWoorden(pad, &grootte);
        QCOMPARE(paginas.size(), 2);
        QVERIFY(qAbs(grootte.width() - 595.28) < 0.5 && qAbs(grootte.height() - 841.89) < 0.5);

        // Where the digits start relative to the text position must be the same for every
        // number (the blank's width); y likewise.
        const double blank = QFontMetricsF(Twips::lettertype(QStringLiteral("Comic Sans MS"), 24, true))
                                 .horizontalAdvance(QLatin1Char(' '));
        const QList<Woord>& b = paginas[0];
        for (int kaart = 0; kaart < 6; ++kaart)
            for (int k = 0; k < 5; ++k)
                for (int i = 0; i < 5; ++i) {
                    if (k == 2 && i == 2) continue; // under the FREE picture
                    const int n = bingo.kaarten[kaart].getal[k][i];
                    const double x = bingoX0(kaart) + 900 * k - 45 + (n < 10 ? 180 : 0) + blank;
                    const double y = bingoY0(kaart) + 840 + 780 * i;
                    QVERIFY2(
                        zoek(b, QString::number(n), x, y, 45),
                        qPrintable(QStringLiteral("%1 on card %2 not near (%3, %4)").arg(n).arg(kaart).arg(x).arg(y)));
                }
        for (int kaart = 0; kaart < 6; ++kaart)
            for (int j = 0; j < 5; ++j)
                QVERIFY(zoek(b, QString(QLatin1String("BINGO")[j]), bingoX0(kaart) + 900 * j + 240, bingoY0(kaart) - 60,
                             150));
        QVERIFY(zoek(b, QStringLiteral("Bingo-avond"), 600, 15720, 60));

        const double kienBlank = QFontMetricsF(Twips::lettertype(QStringLiteral("Comic Sans MS"), 20, true))
                                     .horizontalAdvance(QLatin1Char(' '));
        for (int r = 1; r <= 23; ++r)
            for (int j = 1; j <= 9; ++j)
                if (const int n = kien.getal[r - 1][j - 1])
                    QVERIFY2(zoek(paginas[1], QString::number(n), 750 + 1170 * (j - 1) + (n < 10 ? 180 : 0) + kienBlank,
                                  660 * r, 45),
                             qPrintable(QString::number(n)));
        QVERIFY(zoek(paginas[1], QStringLiteral("Kienen"), 600, 15900, 60));

        QProcess fonts;
        fonts.start(QStringLiteral("pdffonts"), {pad});
        if (fonts.waitForFinished(30000) && fonts.exitCode() == 0) {
            const QStringList regels = QString::fromUtf8(fonts.readAllStandardOutput()).split(QLatin1Char('\n'));
            for (const QString& regel : regels.mid(2))
                if (!regel.trimmed().isEmpty()) QVERIFY2(regel.contains(QStringLiteral(" yes ")), qPrintable(regel));
        }
    }

    // An empty text still prints the page, and nothing shows under the cards.
    void legeTekst()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) QSKIP("pdftotext is not installed");
        QTemporaryDir map;
        const QString pad = map.filePath(QStringLiteral("leeg.pdf"));
        PdfUitvoer pdf(pad);
        VasteToeval toeval(3);
        QVERIFY(Afdruk::bingo(pdf, 90, 1, QString(), toeval, false, nullptr));
        const auto paginas = leesWoorden(pad);
        QCOMPARE(paginas.size(), 1);
        // Letters (the two passes read as one) and numbers, the covered centre ones included.
        QCOMPARE(paginas[0].size(), 6 * 5 + 6 * 25);
        for (const Woord& w : paginas[0])
            QVERIFY(w.y < 15000);
    }

    // The FREE picture fills the centre cell of every card, over the number drawn there.
    void freeInElkMidden()
    {
        BeeldUitvoer beeld(288); // five twips a pixel: every edge of the picture on a pixel
        VasteToeval toeval(9);
        QVERIFY(Afdruk::bingo(beeld, 75, 1, QStringLiteral("x"), toeval, false, nullptr));
        QCOMPARE(beeld.paginas.size(), 1);
        const QImage& pagina = beeld.paginas[0];

        QImage los(pagina.size(), QImage::Format_RGB32);
        los.fill(Qt::white);
        {
            QPainter p(&los);
            p.scale(0.2, 0.2);
            p.setRenderHint(QPainter::SmoothPixmapTransform);
            for (int kaart = 0; kaart < 6; ++kaart)
                p.drawImage(QRectF(bingoX0(kaart) + 1875, bingoY0(kaart) + 2415, 750, 630), Pagina::freePlaatje());
        }
        const QColor veld = Pagina::freePlaatje().pixelColor(0, 0);
        for (int kaart = 0; kaart < 6; ++kaart) {
            const QRect r((bingoX0(kaart) + 1875) / 5, (bingoY0(kaart) + 2415) / 5, 150, 126);
            int donker = 0;
            for (int y = r.top(); y <= r.bottom(); ++y)
                for (int x = r.left(); x <= r.right(); ++x) {
                    QCOMPARE(pagina.pixel(x, y), los.pixel(x, y));
                    donker += qGray(pagina.pixel(x, y)) < 60;
                }
            QVERIFY(donker > 100); // the word FREE
            QCOMPARE(pagina.pixelColor(r.left() + 2, r.top() + 2), veld);
            QCOMPARE(pagina.pixelColor(r.right() - 2, r.bottom() - 2), veld);
            // Just outside the picture the cell is white paper.
            QCOMPARE(pagina.pixelColor(r.left() - 3, r.top() - 3), QColor(Qt::white));
        }
    }

    // The Kien fields are light grey inside, black on their cell borders, white between cards.
    void kienVelden()
    {
        BeeldUitvoer beeld(288);
        VasteToeval toeval(10);
        QVERIFY(Afdruk::kien(beeld, 1, QString(), toeval, false, nullptr));
        const QImage& pagina = beeld.paginas[0];
        for (int k = 0; k < 6; ++k) {
            const int boven = 600 + 2640 * k;
            QCOMPARE(pagina.pixelColor((600 + 1170 * 4 + 585) / 5, (boven + 630) / 5), QColor(240, 240, 240));
            QVERIFY(qGray(pagina.pixel((600 + 1170 * 4) / 5, (boven + 330) / 5)) < 60);
            if (k < 5) QCOMPARE(pagina.pixelColor(2000 / 5, (boven + 1980 + 330) / 5), QColor(Qt::white));
        }
    }
};

QTEST_MAIN(TestPagina)
#include "tst_pagina.moc"
