#include "core/settings/configwaarden.h"

#include "core/settings/algemeen.h"

#include <algorithm>

ConfigWaarden ConfigWaarden::uit(const Algemeen& alg)
{
    ConfigWaarden w;
    w.getalKleurR = std::clamp(alg.getalKleurR(), 0, 255);
    w.getalKleurG = std::clamp(alg.getalKleurG(), 0, 255);
    w.getalKleurB = std::clamp<int>(alg.GetalKleurB, 0, 255);
    w.balKleur = std::clamp(alg.balKleurIndex(), 1, 8);
    w.knipperKleur = std::clamp<int>(alg.KnipperKleur, 1, 8);
    w.knipperSnelheid = std::clamp<int>(alg.KnipperSnelheid, 1, 10);
    w.knipperAantal = std::clamp<int>(alg.KnipperAantal, 2, 10);
    w.aantalBallen = alg.AantalBallen <= 82 ? 75 : 90;
    return w;
}
