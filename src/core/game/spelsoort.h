#pragma once

#include "core/cards/kaartregister.h"
#include "core/game/avondprogramma.h"

#include <QList>
#include <QString>

#include <optional>

// The kind of game on the board, and the cards it is played with. A round of the programme names
// its game; without one, 75 balls is Bingo 75 and 90 balls is played with Bingo 90 or Kien cards.
// A card of another kind is never judged in it.
struct SpelSoort {
    int aantalBallen = 0;                       // 0: no game yet, any card may be looked at
    std::optional<AvondProgramma::Soort> ronde; // the programme's round the game is played for

    QList<KaartSoort> kaarten() const;
    bool past(KaartSoort soort) const { return kaarten().contains(soort); }
    // Whether the game is Kienen for sure: a Kien round of the programme.
    bool kienen() const { return ronde == AvondProgramma::Soort::Kienen; }
    // "Kienen", "Bingo 75", "Bingo 90", or "met 90 ballen" for a 90-ball game of no programme.
    QString naam() const;
    // "B-0027 is een Bingokaart (75); er wordt nu Kienen gespeeld."
    QString weigering(const QString& nummer, KaartSoort soort) const;
    // "een Bingokaart (75)", "een Bingokaart (90)", "een Kienkaart".
    static QString kaartNaam(KaartSoort soort);
};
