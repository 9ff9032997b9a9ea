// Feeds arbitrary bytes to the settings file reader. Whatever it reads must write a file that
// reads back to the same bytes; it must never crash, hang or leak.
#include "core/settings/algemeen.h"
#include "core/settings/instellingen.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray invoer(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    Algemeen alg;
    Instellingen::leesInhoud(invoer, alg);
    const QByteArray geschreven = Instellingen::maakInhoud(alg);
    Algemeen terug;
    if (!Instellingen::leesInhoud(geschreven, terug) && alg.balKleurIndex() >= 1 && alg.balKleurIndex() <= 8 &&
        alg.KnipperKleur >= 1 && alg.KnipperKleur <= 8)
        std::abort();
    if (Instellingen::maakInhoud(terug) != geschreven) std::abort();
    return 0;
}
