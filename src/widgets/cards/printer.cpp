#include "widgets/cards/printer.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

bool PrinterUitvoer::aanwezig()
{
    return !QPrinterInfo::defaultPrinter().isNull();
}

bool PrinterUitvoer::druk(const QString& documentNaam, int aantal, const Tekenaar& teken, QString* fout)
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    auto mislukt = [&](const QString& tekst) {
        if (fout) *fout = tekst;
        return false;
    };
    if (info.isNull()) return mislukt(QStringLiteral("Er is geen printer geïnstalleerd."));

    QPrinter printer(info, QPrinter::HighResolution);
    printer.setDocName(documentNaam);
    printer.setFullPage(false);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setCopyCount(1);

    const QString naam = info.printerName();
    QPainter p;
    if (!p.begin(&printer))
        return mislukt(QStringLiteral("De printer \"%1\" kon niet worden gestart. Controleer of de printer aan staat "
                                      "en klaar is voor gebruik.")
                           .arg(naam));
    // The painter's origin is already the top-left corner of the printable area.
    p.scale(printer.resolution() / 1440.0, printer.resolution() / 1440.0);
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
