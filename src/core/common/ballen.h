#pragma once

#include <QList>
#include <QString>

#include <array>
#include <cstdint>

// What the game and the cards share about the balls: the column letters of the board and of a
// Bingo card, and the set of drawn balls a game keeps and a card is checked against.
namespace Ballen
{

// The column letters, left to right.
inline constexpr char kolomLetters[] = "BINGO";
// "B" for column 0 up to "O" for column 4; empty for any other.
QString kolomLetter(int kolom);

// The set of drawn balls: [n] == 1 once ball n has been drawn; entry 0 is unused.
using Getrokken = std::array<std::uint8_t, 91>;
// The set of these balls (numbers outside 1..90 left out).
Getrokken getrokken(const QList<int>& ballen);

} // namespace Ballen
