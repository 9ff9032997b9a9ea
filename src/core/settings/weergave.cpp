#include "core/settings/weergave.h"

#include "core/settings/extrainstellingen.h"

namespace
{
const QString sContrast = QStringLiteral("Weergave/Contrast");
const QString sVorige = QStringLiteral("Weergave/VorigeBallen");
const QString sBalk = QStringLiteral("Weergave/BalkInZaal");
} // namespace

Weergave Weergave::lees(const ExtraInstellingen& e)
{
    Weergave w;
    w.contrast = e.janee(sContrast, w.contrast);
    w.vorigeBallen = e.janee(sVorige, w.vorigeBallen);
    w.balkInZaal = e.janee(sBalk, w.balkInZaal);
    return w;
}

void Weergave::schrijf(ExtraInstellingen& e) const
{
    e.zet(sContrast, contrast);
    e.zet(sVorige, vorigeBallen);
    e.zet(sBalk, balkInZaal);
}
