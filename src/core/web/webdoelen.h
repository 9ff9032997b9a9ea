#pragma once

#include "core/cards/kaartpatroon.h"
#include "core/game/avondprogramma.h"

#include <QJsonObject>
#include <QList>
#include <QString>

// What a player's card on the board's page plays for: the stages, in order, for each kind of
// card, each as the figures that win it. A figure is a set of the card's cells (row by row from
// 0, as the register keeps them); the card has it when every cell in it is drawn, empty or FREE.
// The page counts from them what a card still needs ("nog 2 voor 1 rij") by the same rules the
// organiser's check judges it by.
namespace WebDoelen
{

struct Doel {
    QString naam; // "1 rij", "volle kaart", a pattern's name, "het patroon"
    QList<QList<int>> figuren;
};
struct Doelen {
    QList<Doel> bingo; // Bingo cards (5 x 5)
    QList<Doel> kien;  // Kien cards (3 x 9)
};

// A Bingo card: every row, column and diagonal; with a pattern that marks a cell besides the
// centre, that pattern alone.
QList<QList<int>> bingoFiguren(const PatroonKaart::Patroon* patroon);
// A Kien card: any `rijen` of its three rows (3: the whole card).
QList<QList<int>> kienFiguren(int rijen);
// The stage of the programme played for now: that stage alone, for the cards of its game.
Doelen vanFase(AvondProgramma::Soort spel, const AvondProgramma::Fase& fase);
// Without a programme: Bingo one line (or the pattern of the pattern button) then the full
// card; Kien 1 row, 2 rows, the full card.
Doelen zonderProgramma(const PatroonKaart::Patroon& patroon);

// {"bingo":[{"naam":"1 rij","figuren":[[0,1,2,3,4],...]},...],"kien":[...]}
QJsonObject json(const Doelen& doelen);

} // namespace WebDoelen
