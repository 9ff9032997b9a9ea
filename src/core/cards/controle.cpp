#include "core/cards/controle.h"

#include <algorithm>
#include <array>
#include <limits>

namespace Controle
{

namespace
{
QString opsomming(const QList<int>& getallen)
{
    QStringList delen;
    for (int n : getallen)
        delen << QString::number(n);
    return delen.join(QStringLiteral(", "));
}

QList<bool> gedekteCellen(const QList<int>& cellen, const Getrokken& getrokken)
{
    QList<bool> uit;
    for (int n : cellen)
        uit << (n <= 0 || (n <= 90 && getrokken[static_cast<std::size_t>(n)] != 0));
    return uit;
}
} // namespace

bool heeftPatroon(const Patroon& patroon)
{
    for (int k = 1; k <= 25; ++k)
        if (k != 13 && patroon[static_cast<std::size_t>(k)]) return true;
    return false;
}

Uitslag bingo(const QList<int>& cellen, const Getrokken& getrokken, const Patroon* patroon)
{
    Uitslag u;
    u.gedekt = gedekteCellen(cellen, getrokken);
    auto gedekt = [&](int rij, int kolom) { return u.gedekt.value(rij * 5 + kolom); };
    auto lijn = [&](auto cel) {
        for (int i = 0; i < 5; ++i)
            if (!cel(i)) return false;
        return true;
    };
    for (int rij = 0; rij < 5; ++rij)
        if (lijn([&](int i) { return gedekt(rij, i); })) u.vol << QStringLiteral("rij %1").arg(rij + 1);
    for (int kolom = 0; kolom < 5; ++kolom)
        if (lijn([&](int i) { return gedekt(i, kolom); }))
            u.vol << QStringLiteral("kolom %1").arg(Ballen::kolomLetter(kolom));
    if (lijn([&](int i) { return gedekt(i, i); })) u.vol << QStringLiteral("diagonaal linksboven-rechtsonder");
    if (lijn([&](int i) { return gedekt(i, 4 - i); })) u.vol << QStringLiteral("diagonaal rechtsboven-linksonder");
    const bool volleKaart = !u.gedekt.contains(false);
    if (volleKaart) u.vol << QStringLiteral("volle kaart");

    const bool metPatroon = patroon && heeftPatroon(*patroon);
    for (int i = 0; i < cellen.size(); ++i)
        if (!u.gedekt[i] && (!metPatroon || (*patroon)[static_cast<std::size_t>(i + 1)])) u.ontbrekend << cellen[i];
    if (metPatroon) {
        u.gewonnen = u.ontbrekend.isEmpty();
        u.oordeel = u.gewonnen ? QStringLiteral("BINGO: het patroon is vol")
                               : QStringLiteral("Geen bingo: het patroon is nog niet vol");
    } else {
        u.gewonnen = !u.vol.isEmpty();
        u.oordeel =
            u.gewonnen ? QStringLiteral("BINGO: ") + u.vol.join(QStringLiteral(", ")) : QStringLiteral("Geen bingo");
    }
    return u;
}

QString kienRijen(int rijen)
{
    switch (rijen) {
    case 0:
        return QStringLiteral("geen volle rij");
    case 1:
        return QStringLiteral("1 rij");
    case 2:
        return QStringLiteral("2 rijen");
    default:
        return QStringLiteral("volle kaart");
    }
}

Uitslag kien(const QList<int>& cellen, const Getrokken& getrokken, int rijen)
{
    Uitslag u;
    u.gedekt = gedekteCellen(cellen, getrokken);
    int vol = 0;
    for (int rij = 0; rij < 3; ++rij) {
        bool heel = true;
        for (int j = 0; j < 9; ++j)
            heel = heel && u.gedekt.value(rij * 9 + j);
        vol += heel ? 1 : 0;
    }
    for (int i = 0; i < cellen.size(); ++i)
        if (!u.gedekt[i]) u.ontbrekend << cellen[i];
    if (vol > 0) u.vol << kienRijen(vol);
    const int nodig = qBound(1, rijen, 3);
    u.gewonnen = vol >= nodig;
    u.oordeel = u.gewonnen ? QStringLiteral("KIEN: ") + kienRijen(vol)
                           : QStringLiteral("Geen kien: %1 (nodig: %2)").arg(kienRijen(vol), kienRijen(nodig));
    return u;
}

namespace
{
constexpr int nooit = std::numeric_limits<int>::max();

// The place in the draw from which every cell of the group counts: the latest of their places
// (an empty cell and the FREE centre count from the start); `nooit` while one is not drawn.
template <typename Cellen>
int compleetVanaf(const Cellen& cellen, const QList<int>& getallen, const std::array<int, 91>& plaats)
{
    int laatst = 0;
    for (int i : cellen) {
        const int n = getallen.value(i);
        if (n <= 0) continue;
        const int p = n <= 90 ? plaats[static_cast<std::size_t>(n)] : 0;
        if (p == 0) return nooit;
        laatst = qMax(laatst, p);
    }
    return laatst;
}

Voltooid voltooid(const QString& fase, int vanaf, const QList<int>& ballen)
{
    Voltooid v{fase, 0, 0, 0};
    if (vanaf == nooit || vanaf < 1) return v;
    v.bal = ballen[vanaf - 1];
    v.plaats = vanaf;
    v.geleden = static_cast<int>(ballen.size()) - vanaf;
    return v;
}
} // namespace

Uitslag controleer(const RegisterKaart& kaart, const QList<int>& ballen, const Patroon* patroon, int rijen)
{
    const Getrokken getrokken = Ballen::getrokken(ballen);
    std::array<int, 91> plaats{};
    for (int i = 0; i < ballen.size(); ++i)
        if (ballen[i] >= 1 && ballen[i] <= 90 && plaats[static_cast<std::size_t>(ballen[i])] == 0)
            plaats[static_cast<std::size_t>(ballen[i])] = i + 1;
    const QList<int>& g = kaart.getallen;

    if (kaart.soort == KaartSoort::Kien) {
        Uitslag u = kien(g, getrokken, rijen);
        std::array<int, 3> rij{};
        for (int r = 0; r < 3; ++r) {
            std::array<int, 9> cellen{};
            for (int j = 0; j < 9; ++j)
                cellen[static_cast<std::size_t>(j)] = r * 9 + j;
            rij[static_cast<std::size_t>(r)] = compleetVanaf(cellen, g, plaats);
        }
        std::sort(rij.begin(), rij.end());
        for (int k = 1; k <= 3; ++k)
            u.fasen << voltooid(kienRijen(k), rij[static_cast<std::size_t>(k - 1)], ballen);
        u.beslissend = qBound(1, rijen, 3) - 1;
        return u;
    }

    Uitslag u = bingo(g, getrokken, patroon);
    int vanaf = nooit;
    if (patroon && heeftPatroon(*patroon)) {
        QList<int> cellen;
        for (int k = 1; k <= 25; ++k)
            if ((*patroon)[static_cast<std::size_t>(k)]) cellen << k - 1;
        vanaf = compleetVanaf(cellen, g, plaats);
    } else {
        // The first of the twelve lines to be complete: five rows, five columns, two diagonals.
        for (int a = 0; a < 5; ++a) {
            std::array<int, 5> rij{}, kolom{}, diagonaal{}, andere{};
            for (int i = 0; i < 5; ++i) {
                rij[static_cast<std::size_t>(i)] = a * 5 + i;
                kolom[static_cast<std::size_t>(i)] = i * 5 + a;
                diagonaal[static_cast<std::size_t>(i)] = i * 5 + i;
                andere[static_cast<std::size_t>(i)] = i * 5 + 4 - i;
            }
            vanaf = std::min({vanaf, compleetVanaf(rij, g, plaats), compleetVanaf(kolom, g, plaats),
                              compleetVanaf(diagonaal, g, plaats), compleetVanaf(andere, g, plaats)});
        }
    }
    u.fasen << voltooid(QStringLiteral("bingo"), vanaf, ballen);
    u.beslissend = 0;
    return u;
}

namespace
{
QString regel(const Voltooid& v, bool kienKaart)
{
    const QString naam = kienKaart ? QStringLiteral("Kien ") + v.fase : QStringLiteral("Bingo");
    if (!v.compleet()) return naam + QStringLiteral(": nog niet compleet");
    const QString bal = QStringLiteral("bal %1 (de %2e bal)").arg(v.bal).arg(v.plaats);
    if (v.geleden == 0) return naam + QStringLiteral(" met ") + bal;
    return naam + QStringLiteral(" al compleet bij %1, %2 %3 geleden")
                      .arg(bal)
                      .arg(v.geleden)
                      .arg(v.geleden == 1 ? QStringLiteral("bal") : QStringLiteral("ballen"));
}
} // namespace

QStringList voltooidRegels(const Uitslag& uitslag)
{
    QStringList uit;
    const bool kienKaart = uitslag.fasen.size() > 1;
    for (const Voltooid& v : uitslag.fasen)
        uit << regel(v, kienKaart);
    return uit;
}

QString beslissendeRegel(const Uitslag& uitslag)
{
    if (uitslag.beslissend < 0 || uitslag.beslissend >= uitslag.fasen.size()) return {};
    return regel(uitslag.fasen[uitslag.beslissend], uitslag.fasen.size() > 1);
}

QString ontbrekendTekst(const Uitslag& uitslag)
{
    if (uitslag.ontbrekend.isEmpty()) return QStringLiteral("Alle getallen die nodig zijn, zijn getrokken.");
    return QStringLiteral("Nog niet getrokken: ") + opsomming(uitslag.ontbrekend);
}

QString alsTekst(const RegisterKaart& kaart, const Uitslag& uitslag)
{
    const bool kienKaart = kaart.soort == KaartSoort::Kien;
    const int breedte = kienKaart ? 9 : 5;
    QString uit = QStringLiteral("Kaart %1 (%2), gedrukt op %3\n")
                      .arg(KaartNummer::tekst(kaart.serie, kaart.nummer), KaartNummer::soortNaam(kaart.soort),
                           kaart.gedrukt.toLocalTime().toString(QStringLiteral("dd-MM-yyyy HH:mm")));
    if (!kienKaart) {
        for (int k = 0; k < 5; ++k)
            uit += QStringLiteral("   %1 ").arg(Ballen::kolomLetter(k));
        uit += QLatin1Char('\n');
    }
    for (int i = 0; i < kaart.getallen.size(); ++i) {
        const int n = kaart.getallen[i];
        if (n == 0)
            uit += kienKaart ? QStringLiteral("   . ") : QStringLiteral(" FREE");
        else if (uitslag.gedekt.value(i))
            uit += QStringLiteral(" [%1]").arg(n, 2);
        else
            uit += QStringLiteral("  %1 ").arg(n, 2);
        if (i % breedte == breedte - 1) uit += QLatin1Char('\n');
    }
    uit += QStringLiteral("[..] = getrokken\n");
    return uit;
}

} // namespace Controle
