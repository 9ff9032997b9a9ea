#include "core/settings/algemeen.h"

#include <cmath>
#include <limits>

void Algemeen::zetStartwaarden()
{
    GetalKleurR = 0;
    GetalKleurG = 0;
    GetalKleurB = 0;
    AantalBallen = 75;
    BalKleur = 7;
    KnipperKleur = 3;
    KnipperSnelheid = 2;
    KnipperAantal = 3;
    KaartTekst = standaardKaartTekst();
}

QString Algemeen::standaardKaartTekst()
{
    return QStringLiteral("Zorvak Bingo & Kienen  -  www.zorvak.nl");
}

int rondAf(double waarde)
{
    if (std::isnan(waarde)) return 0;
    const double r = std::nearbyint(waarde); // default rounding mode: half to even
    if (r >= static_cast<double>(std::numeric_limits<int>::max())) return std::numeric_limits<int>::max();
    if (r <= static_cast<double>(std::numeric_limits<int>::min())) return std::numeric_limits<int>::min();
    return static_cast<int>(r);
}

int Algemeen::balKleurIndex() const
{
    return rondAf(BalKleur);
}
int Algemeen::getalKleurR() const
{
    return rondAf(GetalKleurR);
}
int Algemeen::getalKleurG() const
{
    return rondAf(GetalKleurG);
}
