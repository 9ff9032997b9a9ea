#pragma once

#include "core/cards/kaarten.h"

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QTransform>

class QPainter;

// One printed page of cards, drawn on any painter whose unit is the twip. The positions below
// count from the top-left corner of the printable area of a portrait A4 page; plaatsing puts
// them on the paper.
namespace Pagina
{

inline constexpr int a4Breedte = 11906; // twips
inline constexpr int a4Hoogte = 16838;

// Office printers leave the outer 4 to 5 mm blank, whatever margin they report: the layout
// starts at least 5 mm inside the paper's edge, also in a PDF, which has no edge of its own.
inline constexpr double veiligeMarge = 5 * 1440 / 25.4; // twips
// The area the layout may use: the printable area (twips from the paper's top-left corner),
// but never within veiligeMarge of the edge.
QRectF bedrukbaar(const QRectF& afdrukbaar);
// The layout's twips onto the paper's: its origin at bedrukbaar's top-left corner, and where
// the layout (omvang, counted from there) would run past that area, the whole of it shrunk to
// fit, the same in both directions. Never enlarged.
QTransform plaatsing(const QRectF& afdrukbaar, const QSizeF& omvang);
// How far a page reaches from the origin: the cards, the numbers and codes above them, the
// text line under them.
QSizeF bingoOmvang();
QSizeF kienOmvang();

// Bingo: six cards of 5 x 6 cells (a header row and five rows of numbers).
inline constexpr int bingoCelBreedte = 900;
inline constexpr int bingoCelHoogte = 780;
// Top-left corner of card 0..5 (row * 2 + column).
QPoint bingoKaartHoek(int kaart);
// Text position of the number in column k, row i (0..4): the leading blank counted in,
// numbers below 10 180 twips further right.
QPoint bingoGetalPositie(int kaart, int k, int i, int getal);
// Header letter of column k, first (pas 0) and second (pas 1) pass.
QPoint bingoLetterPositie(int kaart, int k, int pas);
// Where the FREE picture is stretched: the centre cell less 75 on every side.
QRect bingoFreeRect(int kaart);
inline constexpr QPoint bingoTekstPositie{600, 15720};
inline const QColor bingoGetalKleur{90, 90, 90};

// Kien: six cards of 9 x 3 cells, below each other.
inline constexpr int kienCelBreedte = 1170;
inline constexpr int kienCelHoogte = 660;
int kienKaartBoven(int kaart);
// Text position of the number in column j (1..9) of layout row r (1..23).
QPoint kienGetalPositie(int j, int r, int getal);
inline constexpr QPoint kienTekstPositie{600, 15900};
inline const QColor kienVeldKleur{240, 240, 240};
inline const QColor kienGetalKleur{60, 60, 60};

inline const QColor tekstKleur{160, 160, 160};
// The text line runs under the cards from x 600 to the right edge of the right-hand Bingo
// cards; a longer text would leave the paper. Its line box is at most tekstHoogte high.
inline constexpr int tekstRuimte = 10110;
inline constexpr int tekstHoogte = 260;
QFont tekstLettertype();
// True when the text, in the printed font, fits that line.
bool tekstPast(const QString& tekst);

// A numbered card carries its number small in the margin above it, flush with its right edge,
// between the card and whatever lies above it (the card before it or the paper's edge).
QRect bingoNummerVak(int kaart);
QRect kienNummerVak(int kaart);
inline const QColor nummerKleur{90, 90, 90};
// Beside the number, in the same margin, the number as a Code 128 strip for a scanner: its
// bars fill the height of the card's code box, and it ends a quiet zone's width left of the
// number's text. Its module is 18 twips (0.32 mm), narrower only for a long number, never
// below 8; a number too long even then goes without a code.
QRect bingoCodeVak(int kaart);
QRect kienCodeVak(int kaart);
inline constexpr int codeModule = 18;
inline constexpr int kleinsteCodeModule = 8;
// Where the strip of `nummer` goes in a card's code box (empty: it does not fit), with the
// width of the number's text as printed.
QRect codePlaats(const QRect& codeVak, int modules, int tekstBreedte);
// The numbers of the six cards of a page, each with its code (an empty text draws nothing).
void tekenBingoNummers(QPainter& p, const std::array<QString, 6>& nummers, bool metCode = true);
void tekenKienNummers(QPainter& p, const std::array<QString, 6>& nummers, bool metCode = true);

// A number as it is printed: one blank before the digits.
QString getalTekst(int getal);
// The FREE picture as printed: drawn at eight times its size, so it stays sharp on paper.
QImage freePlaatje();

// Text with its line box's top-left corner at positie.
void tekst(QPainter& p, QPoint positie, const QString& tekst);

void tekenBingo(QPainter& p, const Kaarten::BingoPagina& pagina, const QString& kaartTekst, const QImage& free);
void tekenKien(QPainter& p, const Kaarten::KienPagina& pagina, const QString& kaartTekst);

} // namespace Pagina
