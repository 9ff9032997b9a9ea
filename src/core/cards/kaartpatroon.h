#pragma once

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QRect>

#include <array>
#include <cstdint>

// The geometry of the pattern card, large (in the editor) and small (the preview and the
// pattern button), and what a press on the large card does. All rectangles are in twips with
// both corners included, as the canvas fills and outlines them. Cell k = 1..25 lies in row
// (k - 1) / 5 and column (k - 1) % 5, counted from the top left.
namespace PatroonKaart
{

using Patroon = std::array<std::uint8_t, 26>; // [k] == 1: cell k is marked; [0] unused

inline constexpr int aantalVakken = 25;
inline constexpr int middenVak = 13;

inline const QColor omtrekKleur{0, 0, 0};
inline const QColor leegKleur{255, 255, 255};
inline const QColor markKleur{200, 0, 0};
// The centre mark of the large card; the centre cell is always played and never responds.
inline const QColor middenKleur{240, 0, 0};

// Both diagonals: the pattern the pattern button shows before the organiser chose one.
Patroon diagonalen();
// The pattern button's picture at start-up: 43 x 43 pixels, a 7-pixel margin in RGB(40,40,60)
// left and top, then the small card of both diagonals.
QImage startPlaatje();
// The small card of a pattern alone (36 x 36 pixels, its centre in the mark colour): the picture
// of a stage's pattern in the programme's lists.
QImage kleinPlaatje(const Patroon& patroon);

inline int rij(int k)
{
    return (k - 1) / 5;
}
inline int kolom(int k)
{
    return (k - 1) % 5;
}

// Large card, in the coordinates of its canvas.
QRect omtrek(int k);
QRect markering(int k);
QRect middenMarkering();
// Where a press belongs to cell k: the white area inside its outline, not the outline itself.
QRect venster(int k);
// The cell whose window holds the point, or 0.
int vakOnder(QPoint twips);

// Small card, in the coordinates of its own canvas; it fills 540 x 540 twips.
inline constexpr int kleinFormaat = 540;
QRect kleinOmtrek(int k);
QRect kleinMarkering(int k);

// Draws the small card on a canvas that outlines and fills boxes in twips, corners included:
// each cell's outline and its mark (the pattern's colour or white), the centre cell in its own
// colour, all `marge` twips right and down from the canvas's corner. The one drawing of the
// small card: the pattern editor's preview, the pattern button and its start-up picture.
template <class Doek> void tekenKlein(Doek& doek, const Patroon& patroon, const QColor& midden, int marge = 0)
{
    for (int k = 1; k <= aantalVakken; ++k) {
        const QRect omtrek = kleinOmtrek(k).translated(marge, marge);
        doek.kader(omtrek.left(), omtrek.top(), omtrek.right(), omtrek.bottom(), omtrekKleur);
        const QRect vak = kleinMarkering(k).translated(marge, marge);
        const QColor kleur = k == middenVak ? midden : (patroon[k] != 0 ? markKleur : leegKleur);
        doek.vul(vak.left(), vak.top(), vak.right(), vak.bottom(), kleur);
    }
}

// What a press on the large card does. Only white and the mark colour under the pointer
// answer (outlines and the centre mark never do); the press then toggles the cell under the
// pointer as the card shows it: a cell whose mark shows in the mark colour is cleared, any
// other is marked. So a press on a marked cell's white margin clears it too.
struct Druk {
    int vak = 0;    // 0: nothing happens
    int waarde = 0; // the cell's new value: 1 marked, 0 cleared
};
Druk druk(QPoint twips, QColor kleur, QColor markeringKleur);

} // namespace PatroonKaart
