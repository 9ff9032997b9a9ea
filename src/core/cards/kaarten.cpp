#include "core/cards/kaarten.h"

#include "core/common/toeval.h"

#include <vector>

namespace Kaarten
{

namespace
{

// Takes one of the numbers that remain, every one equally likely, and removes it: no number
// comes twice and a draw never has to be retried.
int neemUit(std::vector<int>& over, Toeval& toeval)
{
    if (over.empty()) return 0;
    const int i = toeval.getal(0, static_cast<int>(over.size()) - 1);
    const int n = over[static_cast<std::size_t>(i)];
    over.erase(over.begin() + i);
    return n;
}

std::vector<int> reeks(int laag, int hoog)
{
    std::vector<int> uit;
    uit.reserve(static_cast<std::size_t>(hoog - laag + 1));
    for (int n = laag; n <= hoog; ++n)
        uit.push_back(n);
    return uit;
}

} // namespace

int kolomBreedte(int aantalGetallen)
{
    return aantalGetallen == 90 ? 18 : 15;
}
int bingoLaag(int aantalGetallen, int k)
{
    return k * kolomBreedte(aantalGetallen) + 1;
}
int bingoHoog(int aantalGetallen, int k)
{
    return (k + 1) * kolomBreedte(aantalGetallen);
}

BingoKaart maakBingoKaart(int aantalGetallen, Toeval& toeval)
{
    BingoKaart kaart;
    for (int k = 0; k < 5; ++k) {
        std::vector<int> over = reeks(bingoLaag(aantalGetallen, k), bingoHoog(aantalGetallen, k));
        for (int i = 0; i < 5; ++i)
            kaart.getal[static_cast<std::size_t>(k)][static_cast<std::size_t>(i)] = neemUit(over, toeval);
    }
    return kaart;
}

BingoPagina maakBingoPagina(int aantalGetallen, Toeval& toeval)
{
    BingoPagina pagina;
    for (BingoKaart& kaart : pagina.kaarten)
        kaart = maakBingoKaart(aantalGetallen, toeval);
    return pagina;
}

// clang-format off
const std::array<std::array<const char*, kienRijen>, kienIndelingen> KienIndeling = {{
    {"110110100", "001011011", "100101011", "000000000", "101010011", "010110110", "010101101", "000000000",
     "001101011", "010110110", "101001101", "000000000", "101011010", "011010101", "010101011", "000000000",
     "011010110", "101001101", "110110100", "000000000", "110100101", "101011010", "011101001"},
    {"011101001", "101011010", "110100101", "000000000", "110110100", "101001101", "011010110", "000000000",
     "010101011", "011010101", "101011010", "000000000", "101001101", "010110110", "001101011", "000000000",
     "010101101", "010110110", "101010011", "000000000", "100101011", "001011011", "110110100"},
    {"101011010", "011010101", "010101011", "000000000", "110110100", "001011011", "100101011", "000000000",
     "011010110", "101001101", "110110100", "000000000", "001101011", "010110110", "101001101", "000000000",
     "101010011", "010110110", "010101101", "000000000", "110100101", "101011010", "011101001"},
    {"110100101", "101011010", "011101001", "000000000", "001101011", "010110110", "101001101", "000000000",
     "110110100", "001011011", "100101011", "000000000", "101010011", "010110110", "010101101", "000000000",
     "101011010", "011010101", "010101011", "000000000", "011010110", "101001101", "110110100"},
    {"101010011", "010110110", "010101101", "000000000", "011010110", "101001101", "110110100", "000000000",
     "110100101", "101011010", "011101001", "000000000", "110110100", "001011011", "100101011", "000000000",
     "001101011", "010110110", "101001101", "000000000", "101011010", "011010101", "010101011"},
}};
// clang-format on

int kienLaag(int j)
{
    return j == 1 ? 1 : 10 * (j - 1);
}
int kienHoog(int j)
{
    return j == 9 ? 90 : 10 * (j - 1) + 9;
}

KienPagina maakKienPagina(Toeval& toeval)
{
    KienPagina pagina;
    pagina.indeling = toeval.getal(1, kienIndelingen);
    const auto& indeling = KienIndeling[static_cast<std::size_t>(pagina.indeling - 1)];
    for (int j = 1; j <= 9; ++j) {
        std::vector<int> over = reeks(kienLaag(j), kienHoog(j));
        for (int r = 1; r <= kienRijen; ++r)
            if (indeling[static_cast<std::size_t>(r - 1)][j - 1] == '1')
                pagina.getal[static_cast<std::size_t>(r - 1)][static_cast<std::size_t>(j - 1)] = neemUit(over, toeval);
    }
    return pagina;
}

} // namespace Kaarten
