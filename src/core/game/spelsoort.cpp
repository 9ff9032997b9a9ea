#include "core/game/spelsoort.h"

QList<KaartSoort> SpelSoort::kaarten() const
{
    if (ronde) {
        switch (*ronde) {
        case AvondProgramma::Soort::Bingo75:
            return {KaartSoort::Bingo75};
        case AvondProgramma::Soort::Bingo90:
            return {KaartSoort::Bingo90};
        case AvondProgramma::Soort::Kienen:
            return {KaartSoort::Kien};
        }
    }
    if (aantalBallen == 75) return {KaartSoort::Bingo75};
    if (aantalBallen == 90) return {KaartSoort::Bingo90, KaartSoort::Kien};
    return {KaartSoort::Bingo75, KaartSoort::Bingo90, KaartSoort::Kien};
}

QString SpelSoort::naam() const
{
    if (ronde) return AvondProgramma::spelNaam(*ronde);
    if (aantalBallen == 75) return QStringLiteral("Bingo 75");
    return QStringLiteral("met %1 ballen").arg(aantalBallen);
}

QString SpelSoort::weigering(const QString& nummer, KaartSoort soort) const
{
    return QStringLiteral("%1 is %2; er wordt nu %3 gespeeld.").arg(nummer, kaartNaam(soort), naam());
}

QString SpelSoort::kaartNaam(KaartSoort soort)
{
    switch (soort) {
    case KaartSoort::Bingo90:
        return QStringLiteral("een Bingokaart (90)");
    case KaartSoort::Kien:
        return QStringLiteral("een Kienkaart");
    case KaartSoort::Bingo75:
        break;
    }
    return QStringLiteral("een Bingokaart (75)");
}
