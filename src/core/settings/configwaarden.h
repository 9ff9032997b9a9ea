#pragma once

struct Algemeen;

// What the configuration dialog shows for the settings: each value brought within the range
// that its control offers. A settings file edited by hand may hold anything; the dialog still
// opens, and the record keeps such a value until the organiser changes it.
struct ConfigWaarden {
    int getalKleurR = 0; // 0..255
    int getalKleurG = 0;
    int getalKleurB = 0;
    int balKleur = 7;        // 1..8
    int knipperKleur = 3;    // 1..8
    int knipperSnelheid = 2; // 1..10
    int knipperAantal = 3;   // 2..10
    int aantalBallen = 75;   // 75 or 90: the nearer of the two, 75 on a tie

    static ConfigWaarden uit(const Algemeen& alg);
};
