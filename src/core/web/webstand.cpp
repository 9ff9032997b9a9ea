#include "core/web/webstand.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace WebStand
{

QByteArray json(const Gegevens& g, quint64 versie)
{
    QJsonArray getrokken;
    for (int b : g.ballen)
        getrokken.append(b);
    const auto tekstOfNull = [](const QString& s) { return s.isEmpty() ? QJsonValue() : QJsonValue(s); };
    const QJsonObject o{
        {QStringLiteral("versie"), static_cast<qint64>(versie)},
        {QStringLiteral("spel"), g.spelNummer},
        {QStringLiteral("ronde"), g.ronde},
        {QStringLiteral("ballen"), g.aantalBallen},
        {QStringLiteral("aantal"), getrokken.size()},
        {QStringLiteral("getrokken"), getrokken},
        {QStringLiteral("laatste"), g.ballen.isEmpty() ? QJsonValue() : QJsonValue(g.ballen.last())},
        {QStringLiteral("letters"), g.letters},
        {QStringLiteral("fase"), tekstOfNull(g.fase)},
        {QStringLiteral("prijs"), tekstOfNull(g.prijs)},
        {QStringLiteral("avond"), g.avond},
        {QStringLiteral("spelsoort"), QJsonObject{{QStringLiteral("naam"), g.spelNaam},
                                                  {QStringLiteral("kaarten"), QJsonArray::fromStringList(g.kaarten)}}},
        {QStringLiteral("doelen"), WebDoelen::json(g.doelen)},
    };
    return QJsonDocument(o).toJson(QJsonDocument::Compact);
}

} // namespace WebStand
