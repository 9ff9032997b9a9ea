#pragma once

#include <QString>

class ExtraInstellingen;

// How the caller calls: aloud or not, with which voice, and whether balls come by themselves.
// Kept in Zorvak-extra.ini.
struct RoepInstellingen {
    static constexpr int minInterval = 3;
    static constexpr int maxInterval = 60;

    bool spreken = false;
    QString stem;         // empty: a Dutch voice when there is one
    int tempo = 0;        // -10..10
    int volume = 100;     // 0..100
    bool cijfers = false; // repeat the digits: "zesenvijftig ... vijf, zes"
    bool kienen = false;  // the number alone, without the column letter
    bool zelfTrekken = false;
    int interval = 10; // seconds between two balls drawn by themselves

    // Values from the file; anything out of range comes back inside it.
    static RoepInstellingen lees(const ExtraInstellingen& extra);
    void schrijf(ExtraInstellingen& extra) const;

    bool operator==(const RoepInstellingen& o) const;
    bool operator!=(const RoepInstellingen& o) const { return !(*this == o); }
};
