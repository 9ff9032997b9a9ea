#pragma once

#include "core/common/ballen.h"

#include <QRect>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>

class Toeval;

// The drum and the board, without any widget: which number comes out, which letter it has,
// where its ball lies on the board and how it is written. The game window paints from these.
namespace Trommel
{

using Ballen::Getrokken;

// Draws one of the numbers 1..maximum still in the drum, every one equally likely, and marks
// it. Returns 0, and marks nothing, when none is left. One call of the random source per draw.
int trek(Getrokken& getrokken, int maximum, Toeval& toeval);
// How many of 1..maximum are still in the drum.
int inTrommel(const Getrokken& getrokken, int maximum);

// "B", "I", "N", "G" or "O" for a number of a 75- or 90-ball game; empty for anything else.
// The record always writes it; whether the hall sees and hears it, the game says (Spel::letter).
QString letter(int getal, int aantalBallen);
// "B-7": the entry of the lists of drawn balls; "7" for a ball called without its letter.
QString lijstRegel(const QString& letter, int getal);
// "B7": the text of the big display; "7" without a letter.
QString grootTekst(const QString& letter, int getal);
// "1 bal", "30 ballen": a count of balls as a sentence says it.
QString aantalTekst(qsizetype aantal);

// Top-left corner of the cell of number 1..90 on the board, in twips: 15 balls to a row,
// 960 twips apart, starting at (300, 300).
QPoint cel(int getal);
inline constexpr int celAfstand = 960;
inline constexpr int balMaat = 900;
// The number whose ball on the board holds the point (twips of the board), or 0.
int balOnder(QPoint twips, int aantalBallen);
// Where the number printed on a ball starts, relative to its cell (the leading blank counted in).
int getalX(int getal);
inline constexpr int getalY = 135;

// The balls on the board: 75 for a 75-ball game, 90 for any other.
int aantalCellen(int aantalBallen);
// The board height: 6600 twips for 75 balls, 7560 for 90.
int bordHoogte(int aantalBallen);
// The board's resting top: centred on the screen, 450 twips higher.
int rustBoven(int schermHoogte, int bordHoogte);
// Where the board's slide-in ends: the last step of 60 twips from -9000 that is not below its
// resting top.
int eindBoven(int schermHoogte, int bordHoogte);
// The box of the big display, corners included, in twips. Its high-contrast form is wider, for
// a larger number.
QRect grootVak(int aantalBallen);
QRect grootVakContrast(int aantalBallen);
// The strip of the balls before the last, right of the big display in either form.
QRect strookVak(int aantalBallen);
inline constexpr int strookAantal = 5;
// The balls the strip shows: up to five drawn before the last, the newest first.
QList<int> vorigeBallen(const QList<int>& getrokken);

// Where an entry goes in a list kept in plain text order ("B-10" before "B-2"): after every
// entry that sorts before it or equal to it. Numbers called without a letter go in the order of
// their value ("2" before "10"), as a Kien caller reads them.
int sorteerPlaats(const QStringList& lijst, const QString& regel);

} // namespace Trommel
