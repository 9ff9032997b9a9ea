#pragma once

#include <QColor>
#include <QImage>
#include <QList>
#include <QRectF>
#include <QString>

class QPainter;

// Machine-readable codes of a short text, made by the zint library: a Code 128 strip, which
// every barcode scanner reads (also the many that read strips only) and a phone's camera too,
// or a QR code, which a phone reads best. Deciding the modules is kept apart from painting
// them, so a page, a picture or a web page can each draw them their own way.
namespace ScanCode
{

enum class Soort { Code128, QR };

// The modules of a code, row by row, dark or light, without the light quiet zone around it
// (the one who places the code keeps that free). A Code 128 strip is one row high: its bars
// run the height of wherever it is drawn.
struct Modules {
    int breedte = 0;
    int hoogte = 0;
    QList<bool> donker;
    bool isLeeg() const { return breedte <= 0 || hoogte <= 0; }
    bool isDonker(int x, int y) const
    {
        return x >= 0 && y >= 0 && x < breedte && y < hoogte && donker[y * breedte + x];
    }
};

// The light modules a reader needs on every side: ten for a strip (left and right), four for a QR code.
int stilteZone(Soort soort);

// The code of `tekst` (UTF-8 for a QR code; a Code 128 strip takes Latin-1 only). Empty, with
// a Dutch reason in *fout, when the text cannot be coded that way.
Modules maak(Soort soort, const QString& tekst, QString* fout = nullptr);

// Paints the dark modules into `vak` (each module vak.width() / breedte wide, the rows sharing
// the height), as few rectangles as there are runs of dark modules in a row.
void teken(QPainter& p, const QRectF& vak, const Modules& modules, const QColor& kleur = Qt::black);

// The code as a picture: every module `schaal` pixels square (a strip `hoogte` modules high),
// dark on white, with the quiet zone around it.
QImage afbeelding(Soort soort, const Modules& modules, int schaal, int hoogte = 0);

} // namespace ScanCode
