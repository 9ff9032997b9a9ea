#include "core/cards/kaartpatroon.h"

#include <QImage>
#include <QPainter>

namespace PatroonKaart
{

namespace
{
constexpr int stap = 975;      // cell pitch of the large card
constexpr int kleinStap = 105; // cell pitch of the small card
constexpr int pixel = 15;

QRect hoeken(int l, int b, int r, int o)
{
    return QRect(QPoint(l, b), QPoint(r, o));
}

bool geldig(int k)
{
    return k >= 1 && k <= aantalVakken;
}
} // namespace

Patroon diagonalen()
{
    Patroon p{};
    for (int k = 1; k <= aantalVakken; ++k)
        p[k] = rij(k) == kolom(k) || rij(k) + kolom(k) == 4 ? 1 : 0;
    return p;
}

QRect omtrek(int k)
{
    if (!geldig(k)) return {};
    const int x = stap * kolom(k), y = stap * rij(k);
    return hoeken(15 + x, 15 + y, 990 + x, 990 + y);
}

QRect markering(int k)
{
    if (!geldig(k)) return {};
    const int x = stap * kolom(k), y = stap * rij(k);
    return hoeken(75 + x, 75 + y, 930 + x, 930 + y);
}

QRect middenMarkering()
{
    return hoeken(2025, 2025, 2880, 2880);
}

QRect venster(int k)
{
    // The outline is one pixel wide on each side; the window starts in the pixel after the
    // left and top lines and ends in the last pixel before the right and bottom lines.
    const QRect o = omtrek(k);
    if (o.isNull()) return {};
    return hoeken(o.left() + pixel, o.top() + pixel, o.right() - 1, o.bottom() - 1);
}

int vakOnder(QPoint twips)
{
    for (int k = 1; k <= aantalVakken; ++k)
        if (venster(k).contains(twips)) return k;
    return 0;
}

QRect kleinOmtrek(int k)
{
    if (!geldig(k)) return {};
    const int x = kleinStap * kolom(k), y = kleinStap * rij(k);
    return hoeken(x, y, x + kleinStap, y + kleinStap);
}

QRect kleinMarkering(int k)
{
    if (!geldig(k)) return {};
    const int x = kleinStap * kolom(k), y = kleinStap * rij(k);
    return hoeken(x + 15, y + 15, x + 90, y + 90);
}

Druk druk(QPoint twips, QColor kleur, QColor markeringKleur)
{
    const auto zelfde = [](QColor a, QColor b) { return (a.rgb() & 0xFFFFFF) == (b.rgb() & 0xFFFFFF); };
    if (!zelfde(kleur, leegKleur) && !zelfde(kleur, markKleur)) return {};
    const int k = vakOnder(twips);
    if (k == 0) return {};
    return {k, zelfde(markeringKleur, markKleur) ? 0 : 1};
}

namespace
{
// A picture drawn on in twips at 15 to a pixel, boxes with their corners included, as a canvas
// on the stage draws at the 1024 x 768 design's size.
struct TwipsBeeld {
    QImage& beeld;
    void vul(int x1, int y1, int x2, int y2, const QColor& kleur)
    {
        QPainter(&beeld).fillRect(QRect(QPoint(x1 / 15, y1 / 15), QPoint(x2 / 15, y2 / 15)), kleur);
    }
    void kader(int x1, int y1, int x2, int y2, const QColor& kleur)
    {
        vul(x1, y1, x2, y1, kleur);
        vul(x1, y2, x2, y2, kleur);
        vul(x1, y1, x1, y2, kleur);
        vul(x2, y1, x2, y2, kleur);
    }
};
} // namespace

QImage startPlaatje()
{
    QImage img(43, 43, QImage::Format_RGB32);
    img.fill(QColor(40, 40, 60));
    TwipsBeeld doek{img};
    tekenKlein(doek, diagonalen(), markKleur, 105);
    return img;
}

QImage kleinPlaatje(const Patroon& patroon)
{
    QImage img(kleinFormaat / 15, kleinFormaat / 15, QImage::Format_RGB32);
    img.fill(leegKleur);
    TwipsBeeld doek{img};
    tekenKlein(doek, patroon, markKleur);
    return img;
}

} // namespace PatroonKaart
