#include "core/screen/schermkeuze.h"

SchermKeuze::Verdeling SchermKeuze::verdeel(const QList<Scherm>& schermen, const QString& gekozen)
{
    Verdeling v;
    if (schermen.size() < 2) {
        v.zaal = schermen.isEmpty() ? -1 : 0;
        return v;
    }
    for (int i = 0; i < schermen.size() && v.zaal < 0; ++i)
        if (!gekozen.isEmpty() && schermen[i].naam == gekozen) v.zaal = i;
    for (int i = 0; i < schermen.size() && v.zaal < 0; ++i)
        if (!schermen[i].primair) v.zaal = i;
    for (int i = 0; i < schermen.size() && v.organisator < 0; ++i)
        if (i != v.zaal && schermen[i].primair) v.organisator = i;
    for (int i = 0; i < schermen.size() && v.organisator < 0; ++i)
        if (i != v.zaal) v.organisator = i;
    return v;
}

QStringList SchermKeuze::teksten(const QList<Scherm>& schermen)
{
    QStringList uit;
    for (const Scherm& s : schermen) {
        QString naam = s.model.trimmed();
        const QString fabrikant = s.fabrikant.trimmed();
        if (!naam.isEmpty() && !fabrikant.isEmpty() && !naam.startsWith(fabrikant, Qt::CaseInsensitive))
            naam = fabrikant + QLatin1Char(' ') + naam;
        if (naam.isEmpty()) naam = s.naam;
        uit << QStringLiteral("%1 (%2 x %3)").arg(naam).arg(s.pixels.width()).arg(s.pixels.height());
    }
    const QStringList eerst = uit;
    for (int i = 0; i < uit.size(); ++i)
        if (eerst.count(eerst[i]) > 1) uit[i] += QStringLiteral(", scherm %1").arg(i + 1);
    return uit;
}
