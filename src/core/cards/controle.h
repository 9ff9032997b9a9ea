#pragma once

#include "core/cards/kaartpatroon.h"
#include "core/cards/kaartregister.h"
#include "core/common/ballen.h"

#include <QStringList>

// Checking a card that a player calls out: which of its numbers are drawn, and whether it wins.
namespace Controle
{

using PatroonKaart::Patroon; // cells 1..25 row by row, 1 = must be complete
using Ballen::Getrokken;

// A pattern counts when it marks a cell besides the centre, which is always played.
bool heeftPatroon(const Patroon& patroon);

struct Uitslag {
    bool gewonnen = false;
    QString oordeel;       // for the hall: "BINGO: rij 2, kolom N", "Geen kien: 1 rij (nodig: 2 rijen)", ...
    QStringList vol;       // what is complete: "rij 1" .. "kolom B" .. "diagonaal ..." .. "volle kaart"; Kien "2 rijen"
    QList<int> ontbrekend; // numbers still to be drawn, in card order (with a pattern: those in it)
    QList<bool> gedekt;    // per cell: its number is drawn, or it is the FREE centre
};

// A Bingo card's 25 cells row by row (0 = FREE). With a pattern, the card wins when every
// cell of it is drawn; without one, every complete row, column and diagonal wins.
Uitslag bingo(const QList<int>& cellen, const Getrokken& getrokken, const Patroon* patroon = nullptr);
// A Kien card's 27 cells row by row (0 = empty); it wins with at least `rijen` full rows.
Uitslag kien(const QList<int>& cellen, const Getrokken& getrokken, int rijen = 1);
Uitslag controleer(const RegisterKaart& kaart, const Getrokken& getrokken, const Patroon* patroon, int rijen);

// "1 rij", "2 rijen", "volle kaart" (and "geen volle rij").
QString kienRijen(int rijen);
// "Nog niet getrokken: 4, 17, 33" or that all are.
QString ontbrekendTekst(const Uitslag& uitslag);
// The card as lines of text, drawn numbers in brackets, for a terminal.
QString alsTekst(const RegisterKaart& kaart, const Uitslag& uitslag);

} // namespace Controle
