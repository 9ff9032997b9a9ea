#pragma once

#include "core/cards/kaartpatroon.h"
#include "core/cards/kaartregister.h"
#include "core/common/ballen.h"

#include <QStringList>

// Checking a card that a player calls out: which of its numbers are drawn, and whether it wins.
namespace Controle
{

using Ballen::Getrokken;
using PatroonKaart::Patroon; // cells 1..25 row by row, 1 = must be complete

// A pattern counts when it marks a cell besides the centre, which is always played.
bool heeftPatroon(const Patroon& patroon);

// The ball that made a stage of a card complete: its number and its place in the draw (1 for the
// first ball), and how many balls came after it. A card that was complete before the last ball
// (a "sleeper") is seen by `geleden`, so the organiser can apply the hall's rule.
struct Voltooid {
    QString fase;    // "bingo" (a line or the pattern), or Kien's "1 rij", "2 rijen", "volle kaart"
    int bal = 0;     // 0: the stage is not complete
    int plaats = 0;  // 1..the balls drawn
    int geleden = 0; // balls drawn after it
    bool compleet() const { return bal > 0; }
};

struct Uitslag {
    bool gewonnen = false;
    QString oordeel;       // for the hall: "BINGO: rij 2, kolom N", "Geen kien: 1 rij (nodig: 2 rijen)", ...
    QStringList vol;       // what is complete: "rij 1" .. "kolom B" .. "diagonaal ..." .. "volle kaart"; Kien "2 rijen"
    QList<int> ontbrekend; // numbers still to be drawn, in card order (with a pattern: those in it)
    QList<bool> gedekt;    // per cell: its number is drawn, or it is the FREE centre
    QList<Voltooid> fasen; // Bingo: its win; Kien: 1 rij, 2 rijen, volle kaart (only from controleer)
    int beslissend = -1;   // the stage in fasen that the verdict is about
};

// A Bingo card's 25 cells row by row (0 = FREE). With a pattern, the card wins when every
// cell of it is drawn; without one, every complete row, column and diagonal wins.
Uitslag bingo(const QList<int>& cellen, const Getrokken& getrokken, const Patroon* patroon = nullptr);
// A Kien card's 27 cells row by row (0 = empty); it wins with at least `rijen` full rows.
Uitslag kien(const QList<int>& cellen, const Getrokken& getrokken, int rijen = 1);
// A numbered card against the balls in the order they were drawn: the verdict, and for every
// stage the ball that completed it.
Uitslag controleer(const RegisterKaart& kaart, const QList<int>& ballen, const Patroon* patroon, int rijen);
// The stages' completing balls as lines: "Bingo met bal 43 (de 27e bal)", "Kien 1 rij al compleet
// bij bal 38 (de 24e bal), 3 ballen geleden", "Kien volle kaart: nog niet compleet".
QStringList voltooidRegels(const Uitslag& uitslag);
// The line of the stage the verdict is about; empty when there is none.
QString beslissendeRegel(const Uitslag& uitslag);

// "1 rij", "2 rijen", "volle kaart" (and "geen volle rij").
QString kienRijen(int rijen);
// "Nog niet getrokken: 4, 17, 33" or that all are.
QString ontbrekendTekst(const Uitslag& uitslag);
// The card as lines of text, drawn numbers in brackets, for a terminal.
QString alsTekst(const RegisterKaart& kaart, const Uitslag& uitslag);

} // namespace Controle
