// Writes the program's icon as a 256 x 256 PNG for the desktop.
#include "core/screen/plaatjes.h"

#include <QGuiApplication>

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 2) return 2;
    const QImage icoon = Plaatjes::vensterIcoon().pixmap(256, 256).toImage().scaled(256, 256);
    return icoon.save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
