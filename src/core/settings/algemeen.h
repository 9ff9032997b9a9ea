#pragma once

#include <QString>
#include <cstdint>

// The organiser's settings, as Zorvak.ini keeps them: the record every window reads and the
// dialogs change. The evening owns one; windows receive it by reference, tests make their own.
// The game itself is not kept here (see Spel).
struct Algemeen {
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
