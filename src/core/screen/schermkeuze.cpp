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
