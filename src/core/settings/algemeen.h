#pragma once

#include <QString>
#include <array>
#include <cstdint>

// The program-wide record that every window reads and writes: the organiser's settings
// (kept in Zorvak.ini), the state of the running game and the card pattern.
// The application owns one; windows receive it by reference, tests make their own.
struct Algemeen {
    // Organiser's settings, saved in Zorvak.ini.
    std::uint8_t KnipperSnelheid = 2; // one blink phase, in tenths of a second
    std::uint8_t KnipperAantal = 3;   // blink cycles of a newly drawn ball
    std::uint8_t AantalBallen = 75;   // 75 or 90
    QString AchtergrondBestand;       // full path of the background picture
    QString KaartTekst;               // line printed under the cards
    double BalKleur = 7;              // ball picture of undrawn balls (rounded where used)
    std::uint8_t KnipperKleur = 3;    // ball picture of drawn balls
    double GetalKleurR = 0;           // colour of the number on a drawn ball
    double GetalKleurG = 0;
    std::uint8_t GetalKleurB = 0;

    // State of the game; never saved.
    int RondeTeller = 0;
    std::int32_t AantalGetrokken = 0;
    std::array<std::uint8_t, 91> Getrokken{}; // [n] == 1 once n has been drawn; [0] unused
    std::uint8_t GetrokkenBal = 0;
    QString BalLetter;
    bool Bezig = true;                           // input lock: no draw while true
    std::array<std::uint8_t, 26> KaartPatroon{}; // cells 1..25 of the pattern being played; [0] unused

    Algemeen() { zetStartwaarden(); }

    // The values every run starts with.
    void zetStartwaarden();

    // BalKleur, GetalKleurR and GetalKleurG may hold fractions when the file held them;
    // they count as whole numbers (rounded half to even) where they are used.
    int balKleurIndex() const;
    int getalKleurR() const;
    int getalKleurG() const;

    static QString standaardKaartTekst();
};

// Rounds half to even, as the settings always have been rounded; clamps to int.
int rondAf(double waarde);
