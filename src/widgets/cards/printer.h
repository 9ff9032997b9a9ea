#pragma once

#include "core/cards/uitvoer.h"

class QPrinter;

// The system's default printer: each document is one print job, A4 portrait. Pages are drawn
// from the paper's corner, and the printer's printable area is what it reports for A4.
class PrinterUitvoer : public PaginaUitvoer
{
public:
    PrinterUitvoer() = default;
    // Prints on the given printer instead (a test gives one that writes a PDF file).
    explicit PrinterUitvoer(QPrinter& printer) : m_printer(&printer) {}
    bool druk(const QString& documentNaam, int aantal, const Tekenaar& teken, QString* fout) override;

    // False when the system has no printer at all.
    static bool aanwezig();

private:
    QPrinter* m_printer = nullptr;
};
