#include "core/settings/webinstelling.h"

#include "core/settings/extrainstellingen.h"

namespace
{
const QString sAan = QStringLiteral("Web/Aan");
const QString sPoort = QStringLiteral("Web/Poort");
} // namespace

WebInstelling WebInstelling::lees(const ExtraInstellingen& e)
{
    WebInstelling w;
    w.aan = e.janee(sAan, w.aan);
    bool getal = false;
    const int poort = e.waarde(sPoort).toString().trimmed().toInt(&getal);
    if (getal && poort >= 1 && poort <= 65535) w.poort = poort;
    return w;
}

void WebInstelling::schrijf(ExtraInstellingen& e) const
{
    e.zet(sAan, aan);
    e.zet(sPoort, poort);
}

const QString WebInstelling::gebruik = QStringLiteral("Gebruik: zorvak [--web POORT]");

bool WebInstelling::uitArgumenten(const QStringList& argumenten, WebInstelling* web, QString* fout)
{
    for (int i = 1; i < argumenten.size(); ++i) {
        const QString& a = argumenten[i];
        QString waarde;
        if (a == QLatin1String("--web") && i + 1 < argumenten.size()) {
            waarde = argumenten[++i];
        } else if (a.startsWith(QLatin1String("--web="))) {
            waarde = a.mid(6);
        } else if (!a.startsWith(QLatin1String("--"))) {
            continue; // Qt's own options (-platform, -style) are Qt's
        } else {
            *fout = QStringLiteral("Onbekend argument \"%1\".\n%2").arg(a, gebruik);
            return false;
        }
        bool getal = false;
        const int poort = waarde.toInt(&getal);
        if (!getal || poort < 1 || poort > 65535) {
            *fout = QStringLiteral("\"%1\" is geen poort: geef een getal van 1 tot 65535.\n%2").arg(waarde, gebruik);
            return false;
        }
        *web = {true, poort};
    }
    return true;
}
