#include "core/settings/roepinstellingen.h"

#include "core/settings/extrainstellingen.h"

#include <QVariant>

#include <algorithm>

namespace
{
const QString sSpreken = QStringLiteral("Spraak/Aan");
const QString sStem = QStringLiteral("Spraak/Stem");
const QString sTempo = QStringLiteral("Spraak/Tempo");
const QString sVolume = QStringLiteral("Spraak/Volume");
const QString sCijfers = QStringLiteral("Spraak/Cijfers");
const QString sKienen = QStringLiteral("Spraak/Kienen");
const QString sZelf = QStringLiteral("ZelfTrekken/Aan");
const QString sInterval = QStringLiteral("ZelfTrekken/Interval");

int getal(const ExtraInstellingen& e, const QString& sleutel, int standaard, int laag, int hoog)
{
    bool ok = false;
    const int n = e.waarde(sleutel, standaard).toString().trimmed().toInt(&ok);
    return ok ? std::clamp(n, laag, hoog) : standaard;
}
} // namespace

RoepInstellingen RoepInstellingen::lees(const ExtraInstellingen& e)
{
    RoepInstellingen r;
    r.spreken = e.janee(sSpreken, r.spreken);
    r.stem = e.waarde(sStem, QString()).toString();
    r.tempo = getal(e, sTempo, r.tempo, -10, 10);
    r.volume = getal(e, sVolume, r.volume, 0, 100);
    r.cijfers = e.janee(sCijfers, r.cijfers);
    r.kienen = e.janee(sKienen, r.kienen);
    r.zelfTrekken = e.janee(sZelf, r.zelfTrekken);
    r.interval = getal(e, sInterval, r.interval, minInterval, maxInterval);
    return r;
}

void RoepInstellingen::schrijf(ExtraInstellingen& e) const
{
    e.zet(sSpreken, spreken);
    e.zet(sStem, stem);
    e.zet(sTempo, tempo);
    e.zet(sVolume, volume);
    e.zet(sCijfers, cijfers);
    e.zet(sKienen, kienen);
    e.zet(sZelf, zelfTrekken);
    e.zet(sInterval, interval);
}

bool RoepInstellingen::operator==(const RoepInstellingen& o) const
{
    return spreken == o.spreken && stem == o.stem && tempo == o.tempo && volume == o.volume && cijfers == o.cijfers &&
           kienen == o.kienen && zelfTrekken == o.zelfTrekken && interval == o.interval;
}
