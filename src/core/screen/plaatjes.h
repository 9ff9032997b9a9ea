#pragma once

#include <QColor>
#include <QCursor>
#include <QIcon>
#include <QImage>

#include <array>
#include <cstdint>

// Every picture of the program, drawn in code so it stays crisp at any scale.
// Sizes are logical pixels (96 dpi); dpr is the screen's device pixel ratio, and the image
// returned carries it, so it paints at its logical size on any screen.
namespace Plaatjes
{

inline constexpr int aantalBallen = 8;
// The background of the board and of the ball pictures.
inline const QColor bordKleur{20, 20, 40};

// Ball picture 1..8 of the set: a shaded sphere, 60 x 60, on the board colour, lit from the
// upper left. Another index gives a null image.
QImage bal(int index, qreal dpr = 1.0);
// The mean colour of the sphere of ball picture 1..8.
QColor balKleur(int index);

QImage helpKnop(qreal dpr = 1.0);                  // 48 x 48: red round button with a white question mark
QImage printer(int grootte = 48, qreal dpr = 1.0); // a printer
QImage tandwielen(qreal dpr = 1.0);                // 48 x 48: gear wheels
QImage startPijlen(qreal dpr = 1.0);               // 48 x 48: green double arrow pointing right
QImage exitKnop(qreal dpr = 1.0);                  // 48 x 48: red round button with a white power symbol
QImage verklein(qreal dpr = 1.0);                  // 26 x 18: dark grey tile with a small window symbol
QImage pdfIcoon(qreal dpr = 1.0);                  // 48 x 48: document with magnifying glass and pencil
QImage dpiIcoon(qreal dpr = 1.0);                  // 48 x 48: a computer monitor
QImage logo(qreal dpr = 1.0);                      // 300 x 182: five dim balls B I N G O on RGB(40,20,20)
// The FREE picture of the Bingo cards: the word FREE in black on a grey field, 50 x 40 in
// shape; schaal multiplies the pixel size, for sharp print.
QImage free(qreal schaal = 1.0);

QIcon vensterIcoon();
// The hand-shaped pointer over the picture buttons.
QCursor hand();

} // namespace Plaatjes
