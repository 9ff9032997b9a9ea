#include "core/web/webdoelen.h"

#include "core/cards/controle.h"

#include <QJsonArray>

namespace WebDoelen
{

namespace
{
QList<int> alle(int cellen)
{
    QList<int> uit;
    for (int i = 0; i < cellen; ++i)
        uit << i;
    return uit;
}
} // namespace

QList<QList<int>> bingoFiguren(const PatroonKaart::Patroon* patroon)
{
    if (patroon && Controle::heeftPatroon(*patroon)) {
        QList<int> cellen;
        for (int k = 1; k <= PatroonKaart::aantalVakken; ++k)
            if ((*patroon)[static_cast<std::size_t>(k)]) cellen << k - 1;
        return {cellen};
    }
    QList<QList<int>> uit;
    for (int i = 0; i < 5; ++i) {
        QList<int> rij, kolom;
        for (int j = 0; j < 5; ++j) {
            rij << i * 5 + j;
            kolom << j * 5 + i;
        }
        uit << rij << kolom;
    }
    QList<int> daal, stijg;
    for (int i = 0; i < 5; ++i) {
        daal << i * 5 + i;
        stijg << i * 5 + 4 - i;
    }
    return uit << daal << stijg;
}

QList<QList<int>> kienFiguren(int rijen)
{
    const auto rij = [](int r) {
        QList<int> cellen;
        for (int k = 0; k < 9; ++k)
            cellen << r * 9 + k;
        return cellen;
    };
    if (rijen >= 3) return {alle(27)};
    if (rijen == 2) return {rij(0) + rij(1), rij(0) + rij(2), rij(1) + rij(2)};
    return {rij(0), rij(1), rij(2)};
}

Doelen vanFase(AvondProgramma::Soort spel, const AvondProgramma::Fase& fase)
{
    Doelen uit;
    if (spel == AvondProgramma::Soort::Kienen)
        uit.kien << Doel{fase.naam, kienFiguren(AvondProgramma::kienRijen(fase.naam))};
    else
        uit.bingo << Doel{fase.naam, bingoFiguren(fase.patroon ? &*fase.patroon : nullptr)};
    return uit;
}

Doelen zonderProgramma(const PatroonKaart::Patroon& patroon)
{
    Doelen uit;
    const bool metPatroon = Controle::heeftPatroon(patroon);
    uit.bingo << Doel{metPatroon ? QStringLiteral("het patroon") : Controle::kienRijen(1), bingoFiguren(&patroon)}
              << Doel{QStringLiteral("volle kaart"), {alle(25)}};
    for (int rijen = 1; rijen <= 3; ++rijen)
        uit.kien << Doel{Controle::kienRijen(rijen), kienFiguren(rijen)};
    return uit;
}

QJsonObject json(const Doelen& doelen)
{
    const auto lijst = [](const QList<Doel>& d) {
        QJsonArray uit;
        for (const Doel& doel : d) {
            QJsonArray figuren;
            for (const QList<int>& figuur : doel.figuren) {
                QJsonArray cellen;
                for (int c : figuur)
                    cellen.append(c);
                figuren.append(cellen);
            }
            uit.append(QJsonObject{{QStringLiteral("naam"), doel.naam}, {QStringLiteral("figuren"), figuren}});
        }
        return uit;
    };
    return {{QStringLiteral("bingo"), lijst(doelen.bingo)}, {QStringLiteral("kien"), lijst(doelen.kien)}};
}

} // namespace WebDoelen
