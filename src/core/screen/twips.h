#pragma once

#include <QFont>
#include <QRect>
#include <QString>
#include <algorithm>
#include <cmath>

// Every position of the program is kept in twips (1440 to the inch). On screen a logical
// pixel is 15 twips (96 dpi); Qt's logical pixels keep that true on scaled screens.
namespace Twips
{

inline constexpr int perPixel = 15;

// schaal: logical pixels per 96-dpi pixel of the design. The stage of the main window is laid
// out in the twips of a 1024 x 768 design and shown larger or smaller by that factor; dialogs
// keep 1.
inline int naarPixels(double twips, double schaal = 1.0)
{
    return static_cast<int>(std::lround(twips * schaal / perPixel));
}
inline int vanPixels(double pixels, double schaal = 1.0)
{
    return static_cast<int>(std::lround(pixels * perPixel / schaal));
}

// A rectangle given in twips, in logical pixels.
inline QRect rect(int x, int y, int breedte, int hoogte, double schaal = 1.0)
{
    const int links = naarPixels(x, schaal);
    const int boven = naarPixels(y, schaal);
    return {links, boven, naarPixels(x + breedte, schaal) - links, naarPixels(y + hoogte, schaal) - boven};
}

// A font for a painter whose unit is the twip: a point is 20 twips. Sizing by pixels keeps the
// device's dpi out of it, on screen and on paper alike.
inline QFont lettertype(const QString& familie, double punten, bool vet = false)
{
    QFont f(familie);
    f.setPixelSize(static_cast<int>(std::lround(punten * 20)));
    f.setBold(vet);
    return f;
}

// The same font for a widget on screen (96 dpi: a point is 4/3 logical pixel).
inline QFont schermLettertype(const QString& familie, double punten, bool vet = false, double schaal = 1.0)
{
    QFont f(familie);
    f.setPixelSize(std::max(1, static_cast<int>(std::lround(punten * 96.0 / 72.0 * schaal))));
    f.setBold(vet);
    return f;
}

// A dialog's size is given for the whole window, border and title bar included. Its client
// area is that less a usual frame: 60 twips (4 pixels) on every side and a 390-twip title bar.
inline constexpr int dialoogRand = 60;
inline constexpr int dialoogTitelbalk = 390;
inline QSize dialoogBinnenmaat(int buitenBreedte, int buitenHoogte)
{
    return rect(0, 0, buitenBreedte - 2 * dialoogRand, buitenHoogte - dialoogTitelbalk - 2 * dialoogRand).size();
}

} // namespace Twips
