#include "core/game/programmagang.h"

#include "core/game/spel.h"
#include "core/game/verloop.h"
#include "core/settings/extrainstellingen.h"

#include <algorithm>
#include <cmath>

ProgrammaGang::ProgrammaGang(const Spel& spel, Verloop* verloop, ExtraInstellingen& extra,
                             const QString& instellingenMap, QObject* ouder)
    : QObject(ouder), m_spel(spel), m_verloop(verloop), m_extra(extra), m_map(instellingenMap)
{
    m_programma = AvondProgramma::lees(m_map, &m_melding).value_or(AvondProgramma{});
}

bool ProgrammaGang::zet(const AvondProgramma& programma, QString* fout)
{
    if (!programma.bewaar(m_map, fout)) return false;
    m_programma = programma;
    // The winners and the card judged belong to the programme that was.
    m_winnaars.clear();
    if (m_loopt) {
        m_ronde = m_fase = 0;
        m_loopt = !m_programma.leeg();
        // A change while the programme runs goes into the record as such.
        if (m_loopt && m_spel.heeftSpel()) schrijfProgramma();
    }
    emit winnaarsHerzien();
    emit gewijzigd();
    return true;
}

void ProgrammaGang::start()
{
    if (m_programma.leeg()) return;
    m_loopt = true;
    m_ronde = m_fase = 0;
    m_winnaars.clear();
    emit winnaarsHerzien();
    emit gewijzigd();
}

void ProgrammaGang::stop()
{
    m_loopt = false;
    emit winnaarsHerzien();
    emit gewijzigd();
}

int ProgrammaGang::aantalBallen() const
{
    return speeltRonde() ? AvondProgramma::aantalBallen(m_programma.rondes[m_ronde].spel) : 0;
}

void ProgrammaGang::rondeBegonnen()
{
    // Each round's record carries the programme as it is played, for the report.
    schrijfProgramma();
    naarFase(m_ronde, m_fase, true);
}

int ProgrammaGang::winnaarsVan(int ronde, int fase) const
{
    return static_cast<int>(std::count_if(m_winnaars.cbegin(), m_winnaars.cend(),
                                          [&](const Winnaar& w) { return w.ronde == ronde && w.fase == fase; }));
}

bool ProgrammaGang::heeftGewonnen(const QString& kaart, int ronde, int fase) const
{
    return std::any_of(m_winnaars.cbegin(), m_winnaars.cend(),
                       [&](const Winnaar& w) { return w.kaart == kaart && w.ronde == ronde && w.fase == fase; });
}

QString ProgrammaGang::regel() const
{
    if (!m_loopt) return {};
    // A prize just won by more than one card: the hall sees that it is shared.
    if (!m_winnaars.isEmpty()) {
        const Winnaar& w = m_winnaars.last();
        const int delers = winnaarsVan(w.ronde, w.fase);
        if (delers > 1 && w.spel == m_spel.spelNummer() && w.aantal == m_spel.ballen().size()) {
            const AvondProgramma::Fase& f = m_programma.rondes[w.ronde].fasen[w.fase];
            const auto deel = AvondProgramma::deel(f, delers);
            return QStringLiteral("Ronde %1 · %2 gedeeld door %3 winnaars%4")
                .arg(w.ronde + 1)
                .arg(f.naam)
                .arg(delers)
                .arg(deel ? QStringLiteral(" · %1 elk").arg(AvondProgramma::bedragTekst(*deel)) : QString());
        }
    }
    // The hall reads that the round is over; what to press is for the organiser.
    if (rondeAfgelopen())
        return klaar() ? QStringLiteral("Ronde %1 is afgelopen: alle prijzen van de avond zijn gewonnen")
                             .arg(m_spel.ronde())
                       : QStringLiteral("Ronde %1 is afgelopen").arg(m_spel.ronde());
    if (klaar()) return QStringLiteral("Alle prijzen van de avond zijn gewonnen");
    return m_programma.regel(m_ronde, m_fase);
}

bool ProgrammaGang::rondeAfgelopen() const
{
    if (!m_loopt || !m_spel.heeftSpel()) return false;
    const int ronde = m_spel.ronde() - 1;
    return ronde >= 0 && ronde < m_ronde && ronde < m_programma.rondes.size();
}

QString ProgrammaGang::rondeAfgelopenTekst() const
{
    if (klaar())
        return QStringLiteral("Ronde %1 is afgelopen: alle prijzen van de avond zijn gewonnen. Druk op Start voor een "
                              "nieuw spel.")
            .arg(m_spel.ronde());
    return QStringLiteral("Ronde %1 is afgelopen. Druk op Start voor ronde %2.").arg(m_spel.ronde()).arg(m_ronde + 1);
}

SpelSoort ProgrammaGang::spelSoort() const
{
    SpelSoort soort{m_spel.heeftSpel() ? m_spel.aantalBallen() : 0, std::nullopt};
    // The game of a programme's round: a game set up by the programme has that round's number
    // and ball count.
    const int ronde = m_spel.ronde() - 1;
    if (m_loopt && m_spel.heeftSpel() && ronde >= 0 && ronde < m_programma.rondes.size() &&
        AvondProgramma::aantalBallen(m_programma.rondes[ronde].spel) == m_spel.aantalBallen())
        soort.ronde = m_programma.rondes[ronde].spel;
    return soort;
}

std::optional<PatroonKaart::Patroon> ProgrammaGang::fasePatroon() const
{
    if (!speeltRonde() || m_programma.rondes[m_ronde].spel == AvondProgramma::Soort::Kienen) return std::nullopt;
    return m_programma.rondes[m_ronde].fasen[m_fase].patroon.value_or(PatroonKaart::Patroon{});
}

std::optional<std::pair<int, int>> ProgrammaGang::beoordeeldeFase() const
{
    if (!m_loopt || !m_spel.heeftSpel()) return std::nullopt;
    if (!m_winnaars.isEmpty()) {
        const Winnaar& w = m_winnaars.last();
        if (w.spel == m_spel.spelNummer() && w.aantal == m_spel.ballen().size()) return std::make_pair(w.ronde, w.fase);
    }
    if (klaar() || m_spel.ronde() != m_ronde + 1) return std::nullopt;
    return std::make_pair(m_ronde, m_fase);
}

// Where the programme stands: the game plays for the stage's pattern, the record and the hall
// are told.
void ProgrammaGang::naarFase(int ronde, int fase, bool zeg)
{
    m_ronde = ronde;
    m_fase = fase;
    if (!klaar() && m_spel.heeftSpel() && m_spel.ronde() == m_ronde + 1) {
        schrijfFase();
        if (zeg) emit faseBereikt(m_programma.rondes[m_ronde].fasen[m_fase].naam);
    }
    emit gewijzigd();
}

// The programme as it is now, with the club's limits, in one line of the record: the report of
// the evening is made from the record alone, whatever becomes of the programme's file.
void ProgrammaGang::schrijfProgramma()
{
    if (!m_verloop) return;
    Verloop::Extra extra;
    extra.programma = m_programma.alsVerloopTekst(maxPrijs(), maxAvond());
    m_verloop->schrijfRegel("programma", 0, extra);
}

void ProgrammaGang::schrijfFase()
{
    if (!m_verloop) return;
    Verloop::Extra extra;
    extra.fase = m_programma.rondes[m_ronde].fasen[m_fase].naam;
    extra.aantal = static_cast<int>(m_spel.ballen().size());
    m_verloop->schrijfRegel("fase", m_spel.laatste(), extra);
}

void ProgrammaGang::voegWinnaarToe(const Winnaar& w)
{
    const bool eerste = winnaarsVan(w.ronde, w.fase) == 0;
    m_winnaars.append(w);
    if (m_verloop) {
        Verloop::Extra extra{w.kaart,
                             m_programma.rondes[w.ronde].fasen[w.fase].naam,
                             Verloop::winnaarUitslag(w.compleetBal, w.compleetPlaats),
                             w.aantal,
                             {}};
        m_verloop->schrijfRegel("winnaar", w.bal, extra);
    }
    if (eerste) {
        const auto [ronde, fase] = m_programma.naWinst(w.ronde, w.fase);
        // The caller names a new stage of the same round; a new round begins with a new game.
        naarFase(ronde, fase, ronde == w.ronde);
    } else {
        emit gewijzigd();
    }
}

void ProgrammaGang::neemWinnaarTerug()
{
    if (m_winnaars.isEmpty()) return;
    const Winnaar w = m_winnaars.takeLast();
    emit winnaarsHerzien();
    if (m_verloop) {
        Verloop::Extra extra{w.kaart, m_programma.rondes[w.ronde].fasen[w.fase].naam, {}, w.aantal, {}};
        m_verloop->schrijfRegel("winnaar teruggenomen", m_spel.laatste(), extra);
    }
    if (winnaarsVan(w.ronde, w.fase) == 0)
        naarFase(w.ronde, w.fase, false);
    else
        emit gewijzigd();
}

// At start, the programme's place and its winners are taken up from the record: the last stage
// it names and the winners since the programme began, over all the games of the record.
void ProgrammaGang::herstel(const QString& bestand)
{
    if (m_programma.leeg()) return;
    const auto inhoud = Verloop::leesBestand(bestand, nullptr);
    if (!inhoud) return;
    std::optional<std::pair<int, int>> plek;
    QList<Winnaar> winnaars;
    const auto zoekFase = [this](int ronde, const QString& naam) {
        if (ronde < 0 || ronde >= m_programma.rondes.size()) return -1;
        const auto& fasen = m_programma.rondes[ronde].fasen;
        for (int i = 0; i < fasen.size(); ++i)
            if (fasen[i].naam == naam) return i;
        return -1;
    };
    for (const Verloop::Regel& r : Verloop::alleRegels(*inhoud)) {
        const int fase = zoekFase(r.ronde - 1, r.extra.fase);
        if (fase < 0) continue;
        if (r.gebeurtenis == QLatin1String("fase")) {
            // The programme's first stage comes only when it starts (anew): no winners before it count.
            if (r.ronde == 1 && fase == 0 && r.extra.aantal == 0) winnaars.clear();
            plek = std::make_pair(r.ronde - 1, fase);
        } else if (r.gebeurtenis == QLatin1String("winnaar")) {
            const auto [bal, plaats] = Verloop::winnaarCompleet(r.extra.uitslag);
            winnaars.append({r.extra.kaart, r.ronde - 1, fase, r.extra.aantal, r.bal, r.spel, bal, plaats});
            plek = m_programma.naWinst(r.ronde - 1, fase);
        } else if (r.gebeurtenis == QLatin1String("winnaar teruggenomen") && !winnaars.isEmpty()) {
            winnaars.removeLast();
            const bool gedeeld = std::any_of(winnaars.cbegin(), winnaars.cend(), [&](const Winnaar& w) {
                return w.ronde == r.ronde - 1 && w.fase == fase;
            });
            plek = gedeeld ? m_programma.naWinst(r.ronde - 1, fase) : std::make_pair(r.ronde - 1, fase);
        }
    }
    if (!plek) return;
    m_loopt = true;
    m_winnaars = winnaars;
    m_ronde = plek->first;
    m_fase = plek->second;
    emit gewijzigd();
}

namespace
{
const QString maxPrijsSleutel = QStringLiteral("Programma/MaxPrijs");
const QString maxAvondSleutel = QStringLiteral("Programma/MaxAvond");

qint64 centen(const QVariant& waarde, qint64 standaard)
{
    bool goed = false;
    const double euros = waarde.toDouble(&goed);
    return goed && euros >= 0 && euros < 1e7 ? std::llround(euros * 100) : standaard;
}
} // namespace

qint64 ProgrammaGang::maxPrijs() const
{
    return centen(m_extra.waarde(maxPrijsSleutel), 40000);
}

qint64 ProgrammaGang::maxAvond() const
{
    return centen(m_extra.waarde(maxAvondSleutel), 155000);
}

bool ProgrammaGang::zetLimieten(qint64 perPrijs, qint64 perAvond, QString* fout)
{
    m_extra.zet(maxPrijsSleutel, static_cast<double>(perPrijs) / 100.0);
    m_extra.zet(maxAvondSleutel, static_cast<double>(perAvond) / 100.0);
    return m_extra.bewaar(fout);
}
