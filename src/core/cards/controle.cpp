#include "core/cards/controle.h"

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

Uitslag controleer(const RegisterKaart& kaart, const Getrokken& getrokken, const Patroon* patroon, int rijen)
{
    return kaart.soort == KaartSoort::Kien ? kien(kaart.getallen, getrokken, rijen)
                                           : bingo(kaart.getallen, getrokken, patroon);
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
