// Time and PDF size of 20 pages of Bingo and of Kien cards, against a bare QPdfWriter that
// writes the same number of text items and lines on 20 pages.

#include "core/cards/uitvoer.h"
#include "core/common/toeval.h"
#include "core/screen/twips.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>

namespace
{

constexpr int paginas = 20;

struct Meting {
    double ms;
    qint64 bytes;
};

Meting meet(const QString& pad, const std::function<void()>& schrijf)
{
    double beste = 1e18;
    for (int i = 0; i < 3; ++i) {
        QElapsedTimer t;
        t.start();
        schrijf();
        beste = qMin(beste, t.nsecsElapsed() / 1e6);
    }
    return {beste, QFileInfo(pad).size()};
}

// The bare writer: per page the given numbers of lines, outlined and filled boxes and text
// items, in the same fonts.
void kaal(const QString& pad, int lijnen, int kaders, int vlakken, int grootTekst, int tekst, double punten)
{
    QPdfWriter pdf(pad);
    pdf.setResolution(1440);
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
    QPainter p(&pdf);
    for (int pagina = 0; pagina < paginas; ++pagina) {
        if (pagina > 0) pdf.newPage();
        p.setPen(QPen(Qt::black, 0));
        for (int i = 0; i < lijnen; ++i)
            p.drawLine(600, 600 + 60 * i, 5100, 600 + 60 * i);
        for (int i = 0; i < vlakken; ++i)
            p.fillRect(600, 600 + 2640 * i, 10530, 1980, QColor(240, 240, 240));
        for (int i = 0; i < kaders; ++i)
            p.drawRect(600 + 1170 * (i % 9), 600 + 660 * (i / 9), 1170, 660);
        p.setFont(Twips::lettertype(QStringLiteral("Comic Sans MS"), 32, true));
        for (int i = 0; i < grootTekst; ++i)
            p.drawText(600 + 900 * (i % 5), 1000 + 300 * (i / 5), QString(QLatin1String("BINGO")[i % 5]));
        p.setFont(Twips::lettertype(QStringLiteral("Comic Sans MS"), punten, true));
        for (int i = 0; i < tekst; ++i)
            p.drawText(600 + 900 * (i % 10), 1000 + 100 * (i / 10),
                       QStringLiteral(" %1").arg(1 + (i * 7 + pagina) % 90));
        p.setFont(Twips::lettertype(QStringLiteral("Arial"), 11, true));
        p.drawText(600, 15900, QStringLiteral("Zorvak Bingo & Kienen"));
    }
}

void rij(const char* naam, double gemeten, double basis, const char* eenheid)
{
    std::printf("%s | %.1f %s | %.1f %s | %.2f\n", naam, gemeten, eenheid, basis, eenheid, gemeten / basis);
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTemporaryDir map;
    const QString tekst = QStringLiteral("Zorvak Bingo & Kienen");
    VasteToeval toeval(1);

    const QString bingoPad = map.filePath(QStringLiteral("bingo.pdf"));
    const QString kaalBingoPad = map.filePath(QStringLiteral("kaal-bingo.pdf"));
    const Meting bingo = meet(bingoPad, [&] {
        PdfUitvoer pdf(bingoPad);
        Afdruk::bingo(pdf, 75, paginas, tekst, toeval, false, nullptr);
    });
    // Per page 6 x 13 lines, 60 letters and 150 numbers.
    const Meting kaalBingo = meet(kaalBingoPad, [&] { kaal(kaalBingoPad, 78, 0, 0, 60, 150, 24); });

    const QString kienPad = map.filePath(QStringLiteral("kien.pdf"));
    const QString kaalKienPad = map.filePath(QStringLiteral("kaal-kien.pdf"));
    const Meting kien = meet(kienPad, [&] {
        PdfUitvoer pdf(kienPad);
        Afdruk::kien(pdf, paginas, tekst, toeval, false, nullptr);
    });
    // Per page 6 grey fields, 162 cell outlines and 90 numbers.
    const Meting kaalKien = meet(kaalKienPad, [&] { kaal(kaalKienPad, 0, 162, 6, 0, 90, 20); });

    rij("bingo 20 pages, time", bingo.ms, kaalBingo.ms, "ms");
    rij("bingo 20 pages, PDF size", bingo.bytes / 1024.0, kaalBingo.bytes / 1024.0, "KiB");
    rij("kien 20 pages, time", kien.ms, kaalKien.ms, "ms");
    rij("kien 20 pages, PDF size", kien.bytes / 1024.0, kaalKien.bytes / 1024.0, "KiB");
    return 0;
}
