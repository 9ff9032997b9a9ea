#pragma once

#include "core/cards/kaartregister.h"

class PaginaUitvoer;

namespace Afdruk
{
// Numbered cards. All cards of the job are drawn and registered first, in one transaction,
// pending; the pages are then printed from the register, each card with its number, and the
// cards count once their pages are out (the PDF in its place, a page at the printer). When a
// page does not go out, its cards and those after it are taken out of the register again. With
// elkePaginaApart every page is a document of its own (a print job per page). reeks receives
// the numbers that went out.
bool genummerd(PaginaUitvoer& uitvoer, KaartRegister& kaartRegister, KaartSoort soort, const QString& serie,
               int paginas, const QString& kaartTekst, Toeval& toeval, bool elkePaginaApart,
               KaartRegister::Reeks* reeks, QString* fout);
} // namespace Afdruk
