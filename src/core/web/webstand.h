#pragma once

#include "core/web/webdoelen.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// The game as the board on the network shows it, and as /stand.json gives it: one line of JSON,
// made on the program's own thread at each change and handed to the server as it is.
namespace WebStand
{

struct Gegevens {
    int aantalBallen = 0; // 75 or 90; 0 before the first game
    int ronde = 0;
    int spelNummer = 0;
    QList<int> ballen; // drawn, in order
    // The stage played for and its prize; empty while the evening has no programme.
    QString fase;
    QString prijs;
    // The balls are called with their column letter; not in a Kien round (the number alone).
    bool letters = true;
    // The evening ("2026-12-08"): the players' cards on a page are kept until another one begins.
    QString avond;
    // The game's name ("Kienen", "Bingo 75", "met 90 ballen") and the kinds of card it is played
    // with ("Kien", "Bingo 90"): a card of another kind cannot win in it.
    QString spelNaam;
    QStringList kaarten;
    // What a player's card plays for now, per kind of card.
    WebDoelen::Doelen doelen;
};

// {"versie":..,"spel":..,"ronde":..,"ballen":75,"aantal":3,"getrokken":[12,40,7],"laatste":7,
//  "letters":true,"fase":null,"prijs":null,"avond":"2026-12-08","spelsoort":{"naam":"Bingo 75",
//  "kaarten":["Bingo 75"]},"doelen":{"bingo":[...],"kien":[...]}}; "ballen" is 0 and "laatste" null before the first
// game. "ronde" is the round the stage shows; "spel" only counts the games of the evening.
QByteArray json(const Gegevens& gegevens, quint64 versie);

} // namespace WebStand
