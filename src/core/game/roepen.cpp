#include "core/game/roepen.h"

#include <array>

namespace
{
const std::array<const char*, 20> onderTwintig = {
    "nul",     "één",      "twee",     "drie",      "vier",      "vijf",     "zes",
    "zeven",   "acht",     "negen",    "tien",      "elf",       "twaalf",   "dertien",
    "veertien", "vijftien", "zestien", "zeventien", "achttien", "negentien"};
const std::array<const char*, 10> tientallen = {"",       "",       "twintig",  "dertig",   "veertig",
                                                "vijftig", "zestig", "zeventig", "tachtig", "negentig"};
} // namespace

QString Roepen::getalWoord(int n)
{
    if (n < 0 || n > 99) return QString::number(n);
    if (n < 20) return QString::fromUtf8(onderTwintig[static_cast<std::size_t>(n)]);
    const QString tien = QString::fromUtf8(tientallen[static_cast<std::size_t>(n / 10)]);
    const int eenheid = n % 10;
    if (eenheid == 0) return tien;
    // In a compound the one loses its accents; "twee" and "drie" take a diaeresis before "en".
    const QString voor = eenheid == 1 ? QStringLiteral("een") : QString::fromUtf8(onderTwintig[eenheid]);
    const QString en = voor.endsWith(QLatin1Char('e')) ? QStringLiteral("ën") : QStringLiteral("en");
    return voor + en + tien;
}

QStringList Roepen::balDelen(const QString& letter, int n, bool cijfers)
{
    QStringList delen;
    if (!letter.isEmpty()) delen << letter;
    delen << getalWoord(n);
    if (cijfers && n >= 10) {
        QStringList los;
        for (const QChar c : QString::number(n))
            los << getalWoord(c.digitValue());
        delen << los.join(QStringLiteral(", "));
    }
    return delen;
}

QString Roepen::nieuwSpel(int ronde)
{
    return QStringLiteral("Nieuw spel, ronde %1").arg(ronde);
}
