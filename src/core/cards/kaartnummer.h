#pragma once

#include "core/cards/kaarten.h"

#include <QList>
#include <QString>

// The three kinds of card the program prints.
enum class KaartSoort { Bingo75, Bingo90, Kien };

// A card's number as printed and typed, and a card's cells as the register keeps them.
namespace KaartNummer
{
// "A-0017": the series, a hyphen and the running number in at least four digits.
QString tekst(const QString& serie, int nummer);
// A series name as the register keeps it (a letter, then letters and digits, at most 12, upper
// case): ASCII only, so no letter is quietly mapped onto another (ß onto SS); empty when the text
// is no series name.
QString serie(const QString& tekst);
// Reads "A-0017", "a-17" or "A17" into its series and number; false when it is none.
bool lees(const QString& tekst, QString* serie, int* nummer);
// A scanned code as a card number. A scanner set to an American keyboard, on a computer with a
// Belgian or French (AZERTY) one, types "Q)\u00e0\u00e0&\u00e8" for "A-0017": text that is no card
// number as it stands is read back through that layout.
QString vanScanner(const QString& code);
QString soortNaam(KaartSoort soort); // "Bingo 75", "Bingo 90", "Kien"
int aantalCellen(KaartSoort soort);

// A card's cells as the register keeps them, and back.
QList<int> cellen(const Kaarten::BingoKaart& kaart);
QList<int> cellen(const Kaarten::KienPagina& pagina, int kaart); // card 0..5 of the page
Kaarten::BingoKaart bingoKaart(const QList<int>& cellen);
void zetKienKaart(Kaarten::KienPagina& pagina, int kaart, const QList<int>& cellen);
} // namespace KaartNummer
