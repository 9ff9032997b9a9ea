#include "core/game/trommel.h"

#include "core/common/toeval.h"
#include "core/settings/algemeen.h"

#include <algorithm>

namespace Trommel
{

int inTrommel(const Getrokken& getrokken, int maximum)
{
    maximum = std::clamp(maximum, 0, 90);
    return static_cast<int>(std::count(getrokken.begin() + 1, getrokken.begin() + 1 + maximum, 0));
}

int trek(Getrokken& getrokken, int maximum, Toeval& toeval)
{
    maximum = std::clamp(maximum, 0, 90);
    const int over = inTrommel(getrokken, maximum);
    if (over == 0) return 0;
    // The k-th number still in the drum: uniform over what is left, and bounded time however
    // few remain.
    int k = std::clamp(toeval.getal(1, over), 1, over);
    for (int n = 1; n <= maximum; ++n) {
        if (getrokken[n] == 0 && --k == 0) {
            getrokken[n] = 1;
            return n;
        }
    }
    return 0;
}

QString letter(int getal, int aantalBallen)
{
    if ((aantalBallen != 75 && aantalBallen != 90) || getal < 1 || getal > aantalBallen) return {};
    const int perLetter = aantalBallen / 5; // 15 or 18
    return Ballen::kolomLetter((getal - 1) / perLetter);
}

QString lijstRegel(const QString& letter, int getal)
{
    return letter.isEmpty() ? QString::number(getal) : letter + QLatin1Char('-') + QString::number(getal);
}

QString grootTekst(const QString& letter, int getal)
{
    return letter + QString::number(getal);
}

QString aantalTekst(qsizetype aantal)
{
    return aantal == 1 ? QStringLiteral("1 bal") : QStringLiteral("%1 ballen").arg(aantal);
}

QPoint cel(int getal)
{
    const int i = std::clamp(getal, 1, 90) - 1;
    return {300 + celAfstand * (i % 15), 300 + celAfstand * (i / 15)};
}

int getalX(int getal)
{
    if (getal < 10) return 165;
    if (getal < 20) return 0;
    return 30;
}

int aantalCellen(int aantalBallen)
{
    return aantalBallen == 75 ? 75 : 90;
}

int bordHoogte(int aantalBallen)
{
    return aantalBallen == 75 ? 6600 : 7560;
}

int rustBoven(int schermHoogte, int bordHoogte)
{
    return rondAf((schermHoogte - bordHoogte) / 2.0 - 450);
}

int eindBoven(int schermHoogte, int bordHoogte)
{
    return -9000 + 60 * ((rustBoven(schermHoogte, bordHoogte) + 9000) / 60);
}

QRect grootVak(int aantalBallen)
{
    const int boven = aantalBallen == 75 ? 5040 : 6000;
    return QRect(QPoint(300, boven), QPoint(2700, boven + 1260));
}

QRect grootVakContrast(int aantalBallen)
{
    const QRect vak = grootVak(aantalBallen);
    return QRect(vak.topLeft(), QPoint(3300, vak.bottom()));
}

QRect strookVak(int aantalBallen)
{
    const QRect vak = grootVak(aantalBallen);
    return QRect(QPoint(3600, vak.top()), QPoint(14580, vak.bottom()));
}

QList<int> vorigeBallen(const QList<int>& getrokken)
{
    QList<int> uit;
    for (qsizetype i = getrokken.size() - 2; i >= 0 && uit.size() < strookAantal; --i)
        uit << getrokken[i];
    return uit;
}

int sorteerPlaats(const QStringList& lijst, const QString& regel)
{
    const auto plaats = std::upper_bound(lijst.begin(), lijst.end(), regel, [](const QString& a, const QString& b) {
        // Whole numbers without leading zeros: the shorter is the smaller.
        const bool getallen = !a.isEmpty() && a.front().isDigit() && !b.isEmpty() && b.front().isDigit();
        if (getallen && a.size() != b.size()) return a.size() < b.size();
        return QString::compare(a, b, Qt::CaseSensitive) < 0;
    });
    return static_cast<int>(plaats - lijst.begin());
}

} // namespace Trommel

int Trommel::balOnder(QPoint twips, int aantalBallen)
{
    for (int n = 1; n <= aantalCellen(aantalBallen); ++n)
        if (QRect(cel(n), QSize(balMaat, balMaat)).contains(twips)) return n;
    return 0;
}
