#include "core/screen/toneel.h"

#include "core/screen/twips.h"

#include <algorithm>

double Toneel::schaal(QSize scherm)
{
    if (scherm.width() <= 0 || scherm.height() <= 0) return 1.0;
    return std::min(static_cast<double>(scherm.width()) / ontwerpBreedte,
                    static_cast<double>(scherm.height()) / ontwerpHoogte);
}

QSize Toneel::twips(QSize scherm)
{
    const double s = schaal(scherm);
    return {Twips::vanPixels(scherm.width(), s), Twips::vanPixels(scherm.height(), s)};
}
