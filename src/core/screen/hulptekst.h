#pragma once

#include <QColor>
#include <QString>

#include <vector>

// What the help panel says and where, and the text of the screen-information box. Plain
// values: the panel paints them, the tests read them.
namespace HulpTekst
{

// Colours of the panel.
inline const QColor achtergrond{40, 20, 20};
inline const QColor stip{70, 70, 90};
inline const QColor titelSchaduw{255, 0, 0};
inline const QColor titel{250, 230, 160};
inline const QColor gewoon{170, 170, 170};
inline const QColor koppeling{150, 150, 250};
inline const QColor sluiten{100, 250, 250};

// Positions in twips on the panel.
inline constexpr int logoX = 9450;
inline constexpr int logoY = 6450;
inline constexpr int stipStap = 45;
inline constexpr int stipBoven = 10;
inline constexpr int titelX = 600;
inline constexpr int titelY = 300;
inline constexpr int titelVerschuiving = 30; // the light copy lies this much right and down
inline constexpr double titelPunten = 30;
inline constexpr double tekstPunten = 12;
inline constexpr int pdfX = 510;
inline constexpr int pdfY = 6600;
inline constexpr int dpiX = 510;
inline constexpr int dpiY = 7440;

// One line of the help text; (x, y) is the top-left corner of its line box, in twips.
struct Regel {
    int x;
    int y;
    QColor kleur;
    QString tekst;
};

// Every line of the help text, top to bottom.
const std::vector<Regel>& regels();

// The resolution the program reports, in dots per inch: 1440 divided by the twips per
// physical pixel, rounded. Qt gives a logical dpi and a device pixel ratio; their product is
// what the screen really has (96 at 100 % scaling, 120 at 125 %).
int resolutie(double logischeDpi, double pixelVerhouding);

// The seven lines of the screen-information box, joined by CR LF.
QString schermInformatie(int resolutie, int breedtePixels, int hoogtePixels);

} // namespace HulpTekst
