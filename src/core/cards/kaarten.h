#pragma once

#include <array>

class Toeval;

// The cards of one printed page, decided before anything is painted.
namespace Kaarten
{

// A Bingo card: five columns B I N G O of five numbers each, top to bottom in the order they
// were drawn. The centre number is drawn too; the FREE picture covers it when printed.
struct BingoKaart {
    std::array<std::array<int, 5>, 5> getal{}; // [column][row]
};

// Six Bingo cards, two side by side and three below each other: index = row * 2 + column.
struct BingoPagina {
    std::array<BingoKaart, 6> kaarten{};
};

// Width of the number range of one column: 15 with 75 numbers, 18 with 90.
int kolomBreedte(int aantalGetallen);
// Lowest and highest number of Bingo column k (0..4).
int bingoLaag(int aantalGetallen, int k);
int bingoHoog(int aantalGetallen, int k);

// aantalGetallen is 75 or 90; any other value counts as 75.
BingoKaart maakBingoKaart(int aantalGetallen, Toeval& toeval);
BingoPagina maakBingoPagina(int aantalGetallen, Toeval& toeval);

// The five page layouts of the Kien cards: 23 rows of nine marks each, '1' where that row of a
// card has a number in that column. Rows 1-3 are the top card, 5-7 the second, ... 21-23 the
// sixth; rows 4, 8, 12, 16 and 20 lie between the cards and are empty.
inline constexpr int kienRijen = 23;
inline constexpr int kienIndelingen = 5;
// KienIndeling[L - 1][r - 1] is row r of layout L.
extern const std::array<std::array<const char*, kienRijen>, kienIndelingen> KienIndeling;

// Lowest and highest number of Kien column j (1..9): 1-9, 10-19 ... 70-79, 80-90.
int kienLaag(int j);
int kienHoog(int j);

// A Kien page: the layout (1..5) and the numbers in the 23 rows of the layout, 0 where the
// layout has no mark. Every number 1..90 stands on the page once.
struct KienPagina {
    int indeling = 1;
    std::array<std::array<int, 9>, kienRijen> getal{}; // [r - 1][j - 1]
};

KienPagina maakKienPagina(Toeval& toeval);

} // namespace Kaarten
