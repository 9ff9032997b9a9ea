#include "core/settings/achtergronden.h"

#include "core/common/veiligbestand.h"

#include <QDir>

QString Achtergronden::map(const QString& programmaMap)
{
    return programmaMap + QStringLiteral("/Backgrounds");
}

QStringList Achtergronden::plaatjes(const QString& map)
{
    if (map.isEmpty()) return {};
    // Name filters match without regard to case; "*.jpg" does not take "*.jpeg".
    const QDir dir(map, QStringLiteral("*.jpg;*.bmp;*.gif"), QDir::Name | QDir::IgnoreCase, QDir::Files);
    // A FIFO or a device under a picture's name would hang the program when clicked.
    QStringList namen = dir.entryList();
    namen.removeIf([&](const QString& naam) { return !VeiligBestand::isGewoonBestand(dir.filePath(naam)); });
    return namen;
}

QString Achtergronden::pad(const QString& map, const QString& naam)
{
    return QDir::toNativeSeparators(map + QLatin1Char('/') + naam);
}
