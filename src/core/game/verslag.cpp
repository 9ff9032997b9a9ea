#include "core/game/verslag.h"

#include "core/cards/kaartregister.h"
#include "core/cards/uitvoer.h"
#include "core/common/veiligbestand.h"
#include "core/game/trommel.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QHash>
#include <QLocale>
#include <QPainter>

#include <algorithm>

namespace Verslag
{

namespace
{
Fase* faseMet(Ronde& ronde, const QString& naam)
{
    for (Fase& f : ronde.fasen)
        if (f.naam == naam) return &f;
    ronde.fasen.append(Fase{naam, {}, std::nullopt, {}});
    return &ronde.fasen.last();
}
} // namespace

Inhoud inhoud(const QList<Verloop::Regel>& regels, const QList<int>& onleesbaar)
{
    Inhoud uit;
    uit.onleesbaar = onleesbaar;
    // The games in the order they were played, each with the balls it had when it ended.
    struct Spelverloop {
        int spel = 0;
        int ronde = 0;
        int ballenSoort = 0;
        QList<int> ballen;
        QList<bool> hand;
        bool metProgramma = false;
    };
    QList<Spelverloop> spellen;
    QList<Ronde> rondes;
    const auto rondeVan = [&rondes](int nummer) -> Ronde& {
        for (Ronde& r : rondes)
            if (r.ronde == nummer) return r;
        rondes.append(Ronde{});
        rondes.last().ronde = nummer;
        return rondes.last();
    };
    // The programme as the record says it was played: the one in force when a round's stages
    // were played, by round.
    std::optional<AvondProgramma::Gespeeld> programma;
    QHash<int, AvondProgramma::Gespeeld> gespeeld;
    for (const Verloop::Regel& r : regels) {
        if (!uit.datum.isValid()) uit.datum = r.tijd.date();
        if (r.gebeurtenis == QLatin1String("programma")) {
            if (auto g = AvondProgramma::uitVerloopTekst(r.extra.programma))
                programma = *g;
            else
                uit.onleesbaar.append(r.nummer);
            continue;
        }
        // A card check says nothing the report names; one without a game belongs to none.
        if (r.spel < 1 || r.gebeurtenis == QLatin1String("gecontroleerd")) continue;
        if (r.gebeurtenis == QLatin1String("nieuw spel") || spellen.isEmpty() || spellen.last().spel != r.spel)
            spellen.append({r.spel, r.ronde, r.ballen, {}, {}, false});
        Spelverloop& s = spellen.last();
        Ronde& ronde = rondeVan(s.ronde);
        if (!ronde.begin.isValid()) ronde.begin = r.tijd;
        ronde.eind = r.tijd;
        if (ronde.spel.isEmpty())
            ronde.spel = s.ballenSoort == 75 ? QStringLiteral("Bingo 75") : QStringLiteral("90 ballen");
        if (r.gebeurtenis == QLatin1String("getrokken")) {
            s.ballen.append(r.bal);
            s.hand.append(r.hand);
        } else if (r.gebeurtenis == QLatin1String("teruggelegd") && !s.ballen.isEmpty()) {
            s.ballen.removeLast();
            s.hand.removeLast();
        } else if (r.gebeurtenis == QLatin1String("fase")) {
            s.metProgramma = true;
            faseMet(ronde, r.extra.fase);
            if (programma) gespeeld.insert(ronde.ronde, *programma);
        } else if (r.gebeurtenis == QLatin1String("winnaar")) {
            const auto [bal, plaats] = Verloop::winnaarCompleet(r.extra.uitslag);
            faseMet(ronde, r.extra.fase)->winnaars.append({r.extra.kaart, r.extra.aantal, r.bal, bal, plaats});
        } else if (r.gebeurtenis == QLatin1String("winnaar teruggenomen")) {
            QList<Winst>& w = faseMet(ronde, r.extra.fase)->winnaars;
            for (qsizetype i = w.size() - 1; i >= 0; --i)
                if (w[i].kaart == r.extra.kaart) {
                    w.removeAt(i);
                    break;
                }
        }
    }
    // A "Nieuw spel" with no ball drawn is no game.
    for (const Spelverloop& s : spellen) {
        if (s.ballen.isEmpty()) continue;
        Ronde& ronde = rondeVan(s.ronde);
        ronde.spellen.append({s.spel, s.ballen});
        ronde.handBallen += static_cast<int>(std::count(s.hand.cbegin(), s.hand.cend(), true));
        uit.metProgramma = uit.metProgramma || s.metProgramma;
    }
    rondes.erase(std::remove_if(rondes.begin(), rondes.end(),
                                [](const Ronde& r) {
                                    return r.spellen.isEmpty() &&
                                           std::none_of(r.fasen.cbegin(), r.fasen.cend(),
                                                        [](const Fase& f) { return !f.winnaars.isEmpty(); });
                                }),
                 rondes.end());
    // The programme's round n was played as the games of round n.
    for (Ronde& ronde : rondes) {
        if (ronde.fasen.isEmpty()) continue;
        const auto g = gespeeld.constFind(ronde.ronde);
        if (g == gespeeld.cend() || ronde.ronde < 1 || ronde.ronde > g->programma.rondes.size()) {
            // A record from before it kept the programme: its stages and winners, no prizes.
            for (Fase& f : ronde.fasen) {
                f.prijsBekend = false;
                uit.prijzenOnbekend = uit.prijzenOnbekend || !f.winnaars.isEmpty();
            }
            continue;
        }
        const AvondProgramma::Ronde& p = g->programma.rondes[ronde.ronde - 1];
        ronde.spel = AvondProgramma::spelNaam(p.spel);
        ronde.kaartPrijs = p.kaartPrijs;
        ronde.kaarten = p.kaarten;
        // The programme's stages in its order; a stage the record names beside them keeps its winners.
        QList<Fase> fasen;
        for (const AvondProgramma::Fase& pf : p.fasen) {
            Fase f = *faseMet(ronde, pf.naam);
            f.prijs = pf.prijs;
            f.bedrag = pf.bedrag;
            f.boven = pf.bedrag && g->maxPrijs && *pf.bedrag > *g->maxPrijs;
            fasen.append(f);
        }
        for (Fase& f : ronde.fasen)
            if (std::none_of(fasen.cbegin(), fasen.cend(), [&f](const Fase& pf) { return pf.naam == f.naam; })) {
                f.prijsBekend = false;
                uit.prijzenOnbekend = uit.prijzenOnbekend || !f.winnaars.isEmpty();
                fasen.append(f);
            }
        ronde.fasen = fasen;
        uit.kaarten += ronde.kaarten;
        if (ronde.kaartPrijs) uit.opbrengst += *ronde.kaartPrijs * ronde.kaarten;
        // Only a prize that was won is paid out.
        for (const Fase& f : ronde.fasen)
            if (!f.winnaars.isEmpty() && f.bedrag && f.prijsBekend) uit.prijzen += *f.bedrag;
    }
    if (programma && programma->maxAvond && uit.prijzen > *programma->maxAvond) uit.maxAvond = programma->maxAvond;
    uit.rondes = rondes;
    std::sort(uit.onleesbaar.begin(), uit.onleesbaar.end());
    return uit;
}

QString onleesbaarTekst(const QList<int>& onleesbaar)
{
    if (onleesbaar.isEmpty()) return {};
    // A few numbers say where to look; a long list would not fit on the page's line.
    constexpr int genoemd = 4;
    QStringList nummers;
    for (int n : onleesbaar.mid(0, genoemd))
        nummers << QString::number(n);
    const qsizetype meer = onleesbaar.size() - nummers.size();
    QString regels = nummers.join(QStringLiteral(", "));
    if (meer > 0)
        regels += QStringLiteral(" en %1 andere").arg(meer);
    else if (nummers.size() > 1)
        regels =
            nummers.mid(0, nummers.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" en ") + nummers.last();
    return QStringLiteral("regel %1 van het verloop %2 niet worden gelezen")
        .arg(regels, onleesbaar.size() == 1 ? QStringLiteral("kon") : QStringLiteral("konden"));
}

namespace
{
// A4 in twips, with a margin of 2 cm.
constexpr int paginaBreedte = 11906;
constexpr int paginaHoogte = 16838;
constexpr int marge = 1134;
constexpr int breedte = paginaBreedte - 2 * marge;
constexpr int onderRand = paginaHoogte - marge - 400;

struct Rij {
    enum Soort { Titel, Kop, Tekst, Klein, Totaal, Handtekening } soort = Tekst;
    QString links;
    QString rechts;
    int inspringen = 0;
};

int hoogte(Rij::Soort soort)
{
    switch (soort) {
    case Rij::Titel:
        return 720;
    case Rij::Kop:
        return 520;
    case Rij::Handtekening:
        return 1500;
    default:
        return 300;
    }
}

QString tijd(const QDateTime& t)
{
    return t.time().toString(QStringLiteral("HH:mm"));
}

QString balTekst(int aantal)
{
    return QStringLiteral("de %1e bal").arg(aantal);
}

QList<Rij> rijen(const Inhoud& in)
{
    const QLocale nl(QLocale::Dutch, QLocale::Netherlands);
    QList<Rij> uit;
    uit.append({Rij::Titel, QStringLiteral("Verslag van de avond"), {}, 0});
    uit.append({Rij::Tekst,
                in.datum.isValid() ? nl.toString(in.datum, QStringLiteral("dddd d MMMM yyyy"))
                                   : QStringLiteral("Er is geen spel gespeeld."),
                {},
                0});
    uit.append({Rij::Klein, QStringLiteral("Gemaakt door Zorvak uit het verloop van de avond."), {}, 0});
    if (!in.onleesbaar.isEmpty()) {
        QString tekst = onleesbaarTekst(in.onleesbaar);
        tekst[0] = tekst[0].toUpper();
        uit.append({Rij::Totaal, QStringLiteral("Let op: dit verslag is onvolledig."), {}, 0});
        uit.append({Rij::Tekst, tekst + QLatin1Char('.'), {}, 0});
    }
    for (const Ronde& r : in.rondes) {
        const QString kop = QStringLiteral("Ronde %1 · %2").arg(r.ronde).arg(r.spel);
        uit.append({Rij::Kop, kop, QStringLiteral("%1 – %2").arg(tijd(r.begin), tijd(r.eind)), 0});
        QStringList aantallen;
        for (const SpelBallen& s : r.spellen)
            aantallen << QString::number(s.ballen.size());
        QString ballen =
            r.spellen.size() == 1
                ? QStringLiteral("1 spel, %1 getrokken").arg(Trommel::aantalTekst(r.spellen[0].ballen.size()))
                : QStringLiteral("%1 spellen, ballen getrokken: %2")
                      .arg(r.spellen.size())
                      .arg(aantallen.join(QStringLiteral(", ")));
        if (r.handBallen > 0) ballen += QStringLiteral(" (%1 met de hand uit de trommel)").arg(r.handBallen);
        uit.append({Rij::Tekst, ballen, {}, 0});
        for (const Fase& f : r.fasen) {
            QString prijs = f.prijs;
            if (f.bedrag)
                prijs += (prijs.isEmpty() ? QString() : QStringLiteral(" ")) + AvondProgramma::bedragTekst(*f.bedrag);
            if (!f.prijsBekend) prijs = QStringLiteral("prijs niet in het verloop");
            uit.append(
                {Rij::Tekst, f.boven ? f.naam + QStringLiteral(" (boven de grens per prijs)") : f.naam, prijs, 300});
            if (f.winnaars.isEmpty()) uit.append({Rij::Klein, QStringLiteral("niet gevallen"), {}, 900});
            const auto deel = AvondProgramma::Fase{f.naam, std::nullopt, f.prijs, f.bedrag};
            const auto perWinnaar = AvondProgramma::deel(deel, static_cast<int>(f.winnaars.size()));
            for (const Winst& w : f.winnaars) {
                QString regel = QStringLiteral("kaart %1, ").arg(w.kaart);
                if (w.compleetPlaats <= 0)
                    regel += QStringLiteral("bevestigd na %1").arg(balTekst(w.aantal));
                else if (w.compleetPlaats == w.aantal)
                    regel += QStringLiteral("gewonnen bij %1").arg(balTekst(w.aantal));
                else
                    regel += QStringLiteral("compleet bij %1, bevestigd na de %2e")
                                 .arg(balTekst(w.compleetPlaats))
                                 .arg(w.aantal);
                if (f.winnaars.size() > 1) regel += QStringLiteral(", gedeeld door %1").arg(f.winnaars.size());
                uit.append({Rij::Klein, regel,
                            f.winnaars.size() > 1 && perWinnaar && f.prijsBekend
                                ? AvondProgramma::bedragTekst(*perWinnaar)
                                : QString(),
                            900});
            }
        }
        if (r.kaarten > 0) {
            QString verkoop = QStringLiteral("%1 kaarten verkocht").arg(r.kaarten);
            uit.append({Rij::Tekst, verkoop,
                        r.kaartPrijs ? QStringLiteral("%1 × %2 = %3")
                                           .arg(r.kaarten)
                                           .arg(AvondProgramma::bedragTekst(*r.kaartPrijs),
                                                AvondProgramma::bedragTekst(*r.kaartPrijs * r.kaarten))
                                     : QString(),
                        300});
        }
        // Each game's balls in the order they were drawn, so the evening can be checked afterwards.
        for (const SpelBallen& s : r.spellen) {
            constexpr int perRegel = 25;
            for (int i = 0; i < s.ballen.size(); i += perRegel) {
                QStringList getallen;
                for (int n : s.ballen.mid(i, perRegel))
                    getallen << QString::number(n);
                const QString begin = i == 0 ? QStringLiteral("Spel %1: ").arg(s.nummer) : QString();
                uit.append({Rij::Klein, begin + getallen.join(QStringLiteral(", ")), {}, i == 0 ? 300 : 900});
            }
        }
    }
    uit.append({Rij::Kop, QStringLiteral("Totalen"), {}, 0});
    if (in.metProgramma) {
        uit.append({Rij::Totaal, QStringLiteral("Prijzen uitgekeerd"), AvondProgramma::bedragTekst(in.prijzen), 0});
        if (in.prijzenOnbekend)
            uit.append({Rij::Klein,
                        QStringLiteral("Zonder de prijzen die niet in het verloop staan: dit verloop is van voor "
                                       "Zorvak het programma erin bewaarde."),
                        {},
                        0});
        if (in.maxAvond)
            uit.append({Rij::Totaal, QStringLiteral("Boven de grens per avond"),
                        AvondProgramma::bedragTekst(*in.maxAvond), 0});
        if (in.kaarten > 0) {
            uit.append({Rij::Totaal, QStringLiteral("Kaarten verkocht"), QString::number(in.kaarten), 0});
            uit.append({Rij::Totaal, QStringLiteral("Opbrengst van de kaarten"),
                        AvondProgramma::bedragTekst(in.opbrengst), 0});
        }
    } else {
        uit.append({Rij::Tekst,
                    QStringLiteral("Er is zonder programma gespeeld: het verslag noemt de spellen en de ballen."),
                    {},
                    0});
    }
    int spellen = 0;
    for (const Ronde& r : in.rondes)
        spellen += static_cast<int>(r.spellen.size());
    uit.append({Rij::Totaal, QStringLiteral("Rondes / spellen"),
                QStringLiteral("%1 / %2").arg(in.rondes.size()).arg(spellen), 0});
    uit.append({Rij::Handtekening, QStringLiteral("Organisator"), QStringLiteral("Tweede ondertekenaar"), 0});
    return uit;
}

void tekenRij(QPainter& p, const Rij& rij, int y)
{
    QFont font(QStringLiteral("Arial"));
    const int punt = rij.soort == Rij::Titel ? 20 : rij.soort == Rij::Kop ? 13 : rij.soort == Rij::Klein ? 10 : 11;
    font.setPixelSize(punt * 20);
    font.setBold(rij.soort == Rij::Titel || rij.soort == Rij::Kop || rij.soort == Rij::Totaal);
    p.setFont(font);
    p.setPen(Qt::black);
    const int h = hoogte(rij.soort);
    if (rij.soort == Rij::Handtekening) {
        const int helft = (breedte - 600) / 2;
        for (int i = 0; i < 2; ++i) {
            const int x = marge + i * (helft + 600);
            p.drawText(QRect(x, y + 200, helft, 300), Qt::AlignLeft | Qt::AlignVCenter,
                       i == 0 ? rij.links : rij.rechts);
            p.drawText(QRect(x, y + 500, helft, 300), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Naam:"));
            p.drawLine(x + 900, y + 760, x + helft, y + 760);
            p.drawText(QRect(x, y + 1050, helft, 300), Qt::AlignLeft | Qt::AlignVCenter,
                       QStringLiteral("Handtekening:"));
            p.drawLine(x + 1600, y + 1310, x + helft, y + 1310);
        }
        return;
    }
    const int tekstY = rij.soort == Rij::Kop ? y + 160 : y;
    const int hoog = h - (tekstY - y);
    p.drawText(QRect(marge + rij.inspringen, tekstY, breedte - rij.inspringen, hoog), Qt::AlignLeft | Qt::AlignVCenter,
               rij.links);
    if (!rij.rechts.isEmpty())
        p.drawText(QRect(marge, tekstY, breedte, hoog), Qt::AlignRight | Qt::AlignVCenter, rij.rechts);
    if (rij.soort == Rij::Kop) p.drawLine(marge, y + h - 20, marge + breedte, y + h - 20);
}
} // namespace

bool teken(const Inhoud& in, PaginaUitvoer& uitvoer, QString* fout)
{
    // The rows divided over pages; a signature block is never split.
    const QList<Rij> alle = rijen(in);
    QList<QList<Rij>> paginas(1);
    int y = marge;
    for (const Rij& rij : alle) {
        const int h = hoogte(rij.soort);
        // A round's heading does not stand alone at the bottom of a page.
        const int nodig = rij.soort == Rij::Kop ? h + 3 * hoogte(Rij::Tekst) : h;
        if (y + nodig > onderRand && !paginas.last().isEmpty()) {
            paginas.append(QList<Rij>());
            y = marge;
        }
        paginas.last().append(rij);
        y += h;
    }
    const int aantal = static_cast<int>(paginas.size());
    return uitvoer.druk(
        QStringLiteral("Verslag van de avond"), aantal,
        [&](QPainter& p, int pagina) {
            int y = marge;
            for (const Rij& rij : paginas[pagina]) {
                tekenRij(p, rij, y);
                y += hoogte(rij.soort);
            }
            QFont klein(QStringLiteral("Arial"));
            klein.setPixelSize(180);
            p.setFont(klein);
            p.drawText(QRect(marge, paginaHoogte - marge, breedte, 300), Qt::AlignCenter,
                       QStringLiteral("Pagina %1 van %2").arg(pagina + 1).arg(aantal));
        },
        fout);
}

bool maak(const QString& verloop, const QString& pdf, QString* fout, QString* waarschuwing)
{
    const QString naam = QDir::toNativeSeparators(verloop);
    const auto mislukt = [fout](const QString& reden) {
        if (fout) *fout = reden;
        return false;
    };
    // The record lives in Verloop in the settings folder: the report never takes the place of
    // the record or of one of the files beside it.
    QDir map = QFileInfo(verloop).absoluteDir();
    if (map.dirName() == Verloop::mapNaam) map.cdUp();
    const QString eigen = VeiligBestand::zelfdeBestand(pdf, verloop)
                              ? QStringLiteral("het verloop van de avond")
                              : Afdruk::beschermdDoel(pdf, map.path(), KaartRegister::padIn(map.path()),
                                                      QCoreApplication::applicationDirPath());
    if (!eigen.isEmpty())
        return mislukt(QStringLiteral("\"%1\" is %2; daar komt geen verslag in. Kies een ander bestand.")
                           .arg(QDir::toNativeSeparators(pdf), eigen));
    QList<Verloop::Regel> regels;
    QList<int> onleesbaar;
    if (QFileInfo::exists(verloop)) {
        QString reden;
        const auto inhoud = Verloop::leesBestand(verloop, &reden);
        if (!inhoud) return mislukt(QStringLiteral("Het verloop %1 kan niet worden gelezen: %2").arg(naam, reden));
        regels = Verloop::alleRegels(*inhoud, &onleesbaar);
    }
    // Not one line could be read: a report would say that nothing was played.
    if (regels.isEmpty() && !onleesbaar.isEmpty())
        return mislukt(QStringLiteral("Het verloop %1 kan niet worden gelezen: geen enkele regel is een regel van een "
                                      "verloop. Er is geen verslag gemaakt.")
                           .arg(naam));
    const Inhoud in = inhoud(regels, onleesbaar);
    if (waarschuwing)
        *waarschuwing = in.onleesbaar.isEmpty() ? QString()
                                                : QStringLiteral("Let op: %1 (%2); het verslag is onvolledig.")
                                                      .arg(onleesbaarTekst(in.onleesbaar), naam);
    PdfUitvoer uitvoer(pdf);
    return teken(in, uitvoer, fout);
}

bool maakVanDeAvond(const QString& instellingenMap, const QString& pdf, QString* fout)
{
    const auto laatste = Verloop::laatsteSpel(instellingenMap);
    return maak(laatste ? laatste->bestand : Verloop::dagBestand(instellingenMap, QDate::currentDate()), pdf, fout);
}

} // namespace Verslag
