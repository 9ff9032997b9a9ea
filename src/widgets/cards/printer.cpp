#include "widgets/cards/printer.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

#include <memory>

bool PrinterUitvoer::aanwezig()
{
    return !QPrinterInfo::defaultPrinter().isNull();
}

bool PrinterUitvoer::druk(const QString& documentNaam, int aantal, const Tekenaar& teken, QString* fout)
{
    auto mislukt = [&](const QString& tekst) {
        if (fout) *fout = tekst;
        return false;
    };
    std::unique_ptr<QPrinter> standaard;
    if (!m_printer) {
        const QPrinterInfo info = QPrinterInfo::defaultPrinter();
        if (info.isNull()) return mislukt(QStringLiteral("Er is geen printer geïnstalleerd."));
        standaard = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    }
    QPrinter& printer = m_printer ? *m_printer : *standaard;
    printer.setDocName(documentNaam);
    printer.setFullPage(false);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setCopyCount(1);

    const QString naam = printer.printerName();
    QPainter p;
    if (!p.begin(&printer))
        return mislukt(QStringLiteral("De printer \"%1\" kon niet worden gestart. Controleer of de printer aan staat "
                                      "en klaar is voor gebruik.")
                           .arg(naam));
    // The painter's origin is the top-left corner of the printable area; the pages are drawn
    // from the paper's.
    const QRectF gebied = printer.pageLayout().paintRect(QPageLayout::Point);
    const QPointF hoek = gebied.topLeft() * 20;
    m_afdrukbaar = QRectF(hoek, gebied.size() * 20);
    p.scale(printer.resolution() / 1440.0, printer.resolution() / 1440.0);
    p.translate(-hoek);
    for (int i = 0; i < aantal; ++i) {
        if (i > 0 && !printer.newPage()) {
            printer.abort();
            p.end();
            return mislukt(QStringLiteral("Het afdrukken op de printer \"%1\" is mislukt.").arg(naam));
        }
        p.save();
        teken(p, i);
        p.restore();
    }
    if (!p.end() || printer.printerState() == QPrinter::Error)
        return mislukt(QStringLiteral("Het afdrukken op de printer \"%1\" is mislukt.").arg(naam));
    return true;
}
