#pragma once

#include "core/cards/uitvoer.h"

// The system's default printer: each document is one print job, A4 portrait, drawn from the
// top-left corner of the printable area.
class PrinterUitvoer : public PaginaUitvoer
{
public:
    bool druk(const QString& documentNaam, int aantal, const Tekenaar& teken, QString* fout) override;

    // False when the system has no printer at all.
    static bool aanwezig();
};
