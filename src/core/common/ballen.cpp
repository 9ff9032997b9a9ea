#include "core/common/ballen.h"

namespace Ballen
{

QString kolomLetter(int kolom)
{
    return kolom >= 0 && kolom < 5 ? QString(QLatin1Char(kolomLetters[kolom])) : QString();
}

Getrokken getrokken(const QList<int>& ballen)
{
    Getrokken uit{};
    for (int n : ballen)
        if (n >= 1 && n <= 90) uit[static_cast<std::size_t>(n)] = 1;
    return uit;
}

} // namespace Ballen
