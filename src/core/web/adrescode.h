#pragma once

#include <QImage>
#include <QString>

// The square code of an address that a phone's camera reads (QR), black on white with its
// quiet border, one pixel per module: scale it up without smoothing. A null image when it
// cannot be made; the address is then shown as text alone.
QImage adresCode(const QString& adres);
