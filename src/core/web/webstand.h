#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

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
};

// {"versie":..,"spel":..,"ronde":..,"ballen":75,"aantal":3,"getrokken":[12,40,7],"laatste":7,
//  "letters":true,"fase":null,"prijs":null}; "ballen" is 0 and "laatste" null before the first
// game. "ronde" is the round the stage shows; "spel" only counts the games of the evening.
QByteArray json(const Gegevens& gegevens, quint64 versie);

} // namespace WebStand
