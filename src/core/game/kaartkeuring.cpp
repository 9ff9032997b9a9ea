#include "core/game/kaartkeuring.h"

#include "core/cards/kaartnummer.h"
#include "core/game/spel.h"
#include "core/game/verloop.h"

KaartKeuring::KaartKeuring(const Spel& spel, const ProgrammaGang& programma, Verloop* verloop, QString instellingenMap,
                           Melder meld)
    : m_spel(spel), m_programma(programma), m_verloop(verloop), m_map(std::move(instellingenMap)),
      m_meld(std::move(meld))
{
}

QString KaartKeuring::Gekeurd::faseRegel() const
{
    if (fase.isEmpty()) return {};
    if (kanBevestigen) return QStringLiteral("%1: wint").arg(fase);
    return QStringLiteral("%1: %2").arg(fase, uitslag.gewonnen ? QStringLiteral("al bevestigd")
                                                               : QStringLiteral("wint niet"));
}

std::optional<KaartKeuring::Gekeurd> KaartKeuring::keurCode(const QString& code)
{
    return keur({KaartNummer::vanScanner(code), m_kienRijen});
}

std::optional<KaartKeuring::Gekeurd> KaartKeuring::keur(const Vraag& gevraagd)
{
    m_kienRijen = gevraagd.rijen;
    std::optional<RegisterKaart> kaart = zoek(gevraagd);
    const SpelSoort soort = m_programma.spelSoort();
    if (kaart && !soort.past(kaart->soort)) {
        // Judged by the rules of another game, a card could win what it cannot: it is refused.
        const QString nummer = KaartNummer::tekst(kaart->serie, kaart->nummer);
        if (m_verloop)
            m_verloop->schrijfControle(nummer, {}, QStringLiteral("geweigerd: ") + KaartNummer::soortNaam(kaart->soort),
                                       0, 0);
        m_meld(QStringLiteral("Kaart controleren"), soort.weigering(nummer, kaart->soort));
        kaart.reset();
    }
    if (!kaart) return std::nullopt;
    QList<int> ballen;
    for (const Spel::Bal& bal : m_spel.ballen())
        ballen << bal.getal;
    Gekeurd gekeurd{*kaart, {}, {}, {}, false};
    int rijen = gevraagd.rijen;
    m_beoordeeld.reset();
    const auto fase = m_programma.beoordeeldeFase();
    if (fase) {
        // The stage decides what wins, whatever was chosen in the question.
        const AvondProgramma::Fase& f = m_programma.inhoud().rondes[fase->first].fasen[fase->second];
        rijen = AvondProgramma::kienRijen(f.naam);
        if (f.patroon) gekeurd.patroon = *f.patroon;
        gekeurd.fase = m_programma.inhoud().regel(fase->first, fase->second);
    } else if (Controle::heeftPatroon(m_spel.patroon())) {
        gekeurd.patroon = m_spel.patroon();
    }
    gekeurd.uitslag = Controle::controleer(*kaart, ballen, gekeurd.patroon ? &*gekeurd.patroon : nullptr, rijen);
    const QString nummer = KaartNummer::tekst(kaart->serie, kaart->nummer);
    if (fase) {
        const bool alGewonnen = m_programma.heeftGewonnen(nummer, fase->first, fase->second);
        const Controle::Voltooid compleet = gekeurd.uitslag.fasen.value(gekeurd.uitslag.beslissend);
        m_beoordeeld = Beoordeeld{{nummer, fase->first, fase->second, int(m_spel.ballen().size()), m_spel.laatste(),
                                   m_spel.spelNummer(), compleet.bal, compleet.plaats},
                                  gekeurd.uitslag.gewonnen && !alGewonnen};
        gekeurd.kanBevestigen = m_beoordeeld->wint;
    }
    schrijf(gekeurd, nummer, rijen, fase);
    m_getoond = true;
    return gekeurd;
}

void KaartKeuring::schrijf(const Gekeurd& gekeurd, const QString& nummer, int rijen,
                           const std::optional<std::pair<int, int>>& fase)
{
    if (!m_verloop) return;
    const Controle::Uitslag& u = gekeurd.uitslag;
    const Controle::Voltooid beslissend = u.fasen.value(u.beslissend);
    const bool kien = gekeurd.kaart.soort == KaartSoort::Kien;
    QString faseNaam = kien ? Controle::kienRijen(qBound(1, rijen, 3))
                            : (gekeurd.patroon ? QStringLiteral("patroon") : QStringLiteral("lijn"));
    if (fase) faseNaam = m_programma.inhoud().rondes[fase->first].fasen[fase->second].naam;
    QString oordeel = u.gewonnen ? (kien ? QStringLiteral("kien") : QStringLiteral("bingo"))
                                 : (kien ? QStringLiteral("geen kien") : QStringLiteral("geen bingo"));
    if (u.gewonnen && beslissend.geleden > 0) oordeel += QStringLiteral(" al eerder compleet");
    m_verloop->schrijfControle(nummer, faseNaam, oordeel, u.gewonnen ? beslissend.bal : 0,
                               u.gewonnen ? beslissend.plaats : 0);
}

bool KaartKeuring::weg()
{
    if (!m_getoond) return false;
    m_getoond = false;
    return true;
}

std::optional<RegisterKaart> KaartKeuring::zoek(const Vraag& vraag)
{
    const QString titel = QStringLiteral("Kaart controleren");
    QString serie;
    int nummer = 0;
    if (!KaartNummer::lees(vraag.nummer, &serie, &nummer)) {
        m_meld(titel, QStringLiteral("\"%1\" is geen kaartnummer. Typ het nummer zoals het op de kaart staat, "
                                     "bijvoorbeeld A-0017.")
                          .arg(vraag.nummer.trimmed()));
        return std::nullopt;
    }
    // A check only reads the register: it never makes, writes or moves anything.
    KaartRegister kaartRegister(KaartRegister::padIn(m_map), KaartRegister::Modus::Lezen);
    QString melding;
    if (!kaartRegister.open(&melding)) {
        if (kaartRegister.toestand() == KaartRegister::Toestand::Ontbreekt)
            melding = QStringLiteral("Er zijn nog geen genummerde kaarten afgedrukt, dus er is geen kaart om te "
                                     "controleren.");
        m_meld(titel, melding);
        return std::nullopt;
    }
    if (serie.isEmpty()) {
        // A bare number belongs to the series of this game's kind printed last.
        const SpelSoort soort = m_programma.spelSoort();
        serie = kaartRegister.laatsteSerie(soort.kaarten());
        if (serie.isEmpty()) {
            kaartRegister.sluit();
            m_meld(titel, QStringLiteral("Er is nog geen reeks kaarten voor dit spel (%1) afgedrukt. Typ het nummer "
                                         "met de letter van de reeks, bijvoorbeeld A-0017.")
                              .arg(soort.naam()));
            return std::nullopt;
        }
    }
    std::optional<RegisterKaart> kaart = kaartRegister.kaart(serie, nummer, &melding);
    kaartRegister.sluit();
    if (!kaart) {
        if (m_verloop)
            m_verloop->schrijfControle(KaartNummer::tekst(serie, nummer), {}, QStringLiteral("niet gevonden"), 0, 0);
        m_meld(titel, melding);
    }
    return kaart;
}

bool KaartKeuring::kanBevestigen(bool bezig) const
{
    return m_beoordeeld && m_beoordeeld->wint && m_getoond && !bezig &&
           m_beoordeeld->winnaar.spel == m_spel.spelNummer() && m_beoordeeld->winnaar.aantal == m_spel.ballen().size();
}

QString KaartKeuring::nietBevestigbaar(bool bezig) const
{
    if (kanBevestigen(bezig)) return {};
    if (!m_programma.loopt()) return QStringLiteral("Er speelt geen programma: er is geen prijs om te bevestigen.");
    if (!m_getoond || !m_beoordeeld) return QStringLiteral("Controleer eerst een kaart (K).");
    const ProgrammaGang::Winnaar& w = m_beoordeeld->winnaar;
    if (w.spel != m_spel.spelNummer() || w.aantal != m_spel.ballen().size())
        return QStringLiteral("Er is een bal bij gekomen: controleer kaart %1 opnieuw.").arg(w.kaart);
    if (bezig) return QStringLiteral("Wacht tot de bal getoond is.");
    if (m_programma.heeftGewonnen(w.kaart, w.ronde, w.fase))
        return QStringLiteral("Kaart %1 is al bevestigd.").arg(w.kaart);
    return QStringLiteral("Kaart %1 wint niet: er is geen winnaar te bevestigen.").arg(w.kaart);
}

ProgrammaGang::Winnaar KaartKeuring::bevestig()
{
    m_beoordeeld->wint = false;
    return m_beoordeeld->winnaar;
}

QString KaartKeuring::winnaarRegel() const
{
    const auto& winnaars = m_programma.winnaars();
    if (!m_beoordeeld || winnaars.isEmpty()) return {};
    const ProgrammaGang::Winnaar& w = winnaars.last();
    if (w.kaart != m_beoordeeld->winnaar.kaart || w.spel != m_spel.spelNummer()) return {};
    return QStringLiteral("Winnaar %1 bevestigd. Nu: %2").arg(w.kaart, m_programma.regel());
}
