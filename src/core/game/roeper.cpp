#include "core/game/roeper.h"

#include "core/common/wacht.h"
#include "core/game/roepen.h"
#include "core/game/stem.h"
#include "core/settings/extrainstellingen.h"

#include <algorithm>
#include <cmath>

Roeper::Roeper(ExtraInstellingen& extra, QObject* ouder) : QObject(ouder), m_extra(extra)
{
    m_inst = RoepInstellingen::lees(m_extra);
    m_klok.setSingleShot(true);
    connect(&m_klok, &QTimer::timeout, this, &Roeper::trekNu);
    m_waakhond.setSingleShot(true);
    connect(&m_waakhond, &QTimer::timeout, this, [this] { kijkNaarStem(true); });
    connect(&m_kijk, &QTimer::timeout, this, [this] { kijkNaarStem(false); });
    // An engine can take many seconds to start: begin now, so the first ball is heard.
    if (m_inst.spreken) stem();
}

Roeper::~Roeper() = default;

bool Roeper::zetInstellingen(const RoepInstellingen& nieuw, QString* fout)
{
    const bool andereStem = nieuw.stem != m_inst.stem || nieuw.tempo != m_inst.tempo || nieuw.volume != m_inst.volume;
    const bool anderTempo = nieuw.zelfTrekken != m_inst.zelfTrekken || nieuw.interval != m_inst.interval;
    const bool andersSpreken = nieuw.spreken != m_inst.spreken;
    m_inst = nieuw;
    if (m_inst.spreken) stem();
    // Whoever says that the voice does not work says it only while it is to be heard.
    if (andersSpreken && !m_spraakFout.isEmpty()) emit spraakGewijzigd();
    if (m_stem && andereStem) stelStem();
    if (anderTempo) {
        // Turned off, a pause by the space bar goes with it; turned on, the count starts anew.
        if (!m_inst.zelfTrekken) m_pauze &= ~static_cast<unsigned>(Spatiebalk);
        herstart();
        emit pauzeGewijzigd();
    }
    m_inst.schrijf(m_extra);
    return m_extra.bewaar(fout);
}

Stem* Roeper::stem()
{
    if (!m_stem) zetStem(maakStem());
    return m_stem.get();
}

void Roeper::zetStem(std::unique_ptr<Stem> stem)
{
    m_stem = std::move(stem);
    m_waakhond.stop();
    m_kijk.stop();
    m_wachtOpAntwoord = false;
    zetSpraakFout({});
    if (!m_stem) return;
    stelStem();
    m_klaar = m_stem->antwoord().klaar;
    // A start that hangs is noticed as one that never ends.
    waakOverStem(false);
}

// Looks at the voice now and then until it has answered. The time to answer runs from the
// first thing it has not answered yet.
void Roeper::waakOverStem(bool opAntwoord)
{
    m_wachtOpAntwoord = m_wachtOpAntwoord || opAntwoord;
    if (!m_waakhond.isActive())
        m_waakhond.start(std::max(1, static_cast<int>(std::lround(antwoordTijdMs * WachtTempo::factor()))));
    m_kijk.start(std::max(1, static_cast<int>(std::lround(250 * WachtTempo::factor()))));
    kijkNaarStem(false);
}

void Roeper::kijkNaarStem(bool tijdOm)
{
    if (!m_stem) return;
    const bool gereed = m_stem->gereed();
    const Stem::Antwoord a = gereed ? m_stem->antwoord() : Stem::Antwoord{};
    const auto klaar = [this] {
        m_waakhond.stop();
        m_kijk.stop();
        m_wachtOpAntwoord = false;
    };
    if (!a.fout.isEmpty()) {
        klaar();
        zetSpraakFout(QStringLiteral("De spraak werkt niet: %1.").arg(a.fout));
    } else if (gereed && m_inst.spreken && m_stem->stemmen().isEmpty()) {
        klaar();
        zetSpraakFout(QStringLiteral("De spraak werkt niet: er is geen stem op deze computer."));
    } else if (gereed && (a.klaar < 0 || a.klaar > m_klaar || !m_wachtOpAntwoord)) {
        m_klaar = a.klaar;
        klaar();
        zetSpraakFout({});
    } else if (tijdOm) {
        // It keeps being looked at: a late answer still counts.
        zetSpraakFout(gereed ? QStringLiteral("De spraak antwoordt niet: de ballen worden niet genoemd.")
                             : QStringLiteral("De spraak start niet: de ballen worden niet genoemd."));
    }
}

void Roeper::zetSpraakFout(const QString& fout)
{
    if (fout == m_spraakFout) return;
    m_spraakFout = fout;
    emit spraakGewijzigd();
}

void Roeper::stelStem()
{
    if (m_stem) m_stem->stel(m_inst.stem, m_inst.tempo / 10.0, m_inst.volume / 100.0);
}

void Roeper::zeg(const QStringList& delen)
{
    if (!m_inst.spreken) return;
    Stem* s = stem();
    if (!s) return;
    s->zeg(delen);
    if (s->gereed()) waakOverStem(s->antwoord().klaar >= 0);
}

void Roeper::zegFase(const QString& fase)
{
    QString gezegd = fase.toLower();
    if (fase == QLatin1String("1 rij")) gezegd = QStringLiteral("één rij");
    if (fase == QLatin1String("2 rijen")) gezegd = QStringLiteral("twee rijen");
    zeg({QStringLiteral("We spelen nu voor ") + gezegd});
}

void Roeper::nieuwSpel(int ronde)
{
    zeg({Roepen::nieuwSpel(ronde)});
    // A new game starts with a clean slate: not paused, a full drum; it waits for the board.
    const unsigned voor = m_pauze;
    m_pauze = (m_pauze & ~static_cast<unsigned>(Spatiebalk | Leeg)) | GeenSpel;
    herstart();
    if (m_pauze != voor) emit pauzeGewijzigd();
}

void Roeper::spelKlaar()
{
    zetPauze(GeenSpel, false);
    herstart();
}

void Roeper::balGetrokken(const QString& letter, int getal, int inTrommel)
{
    zeg(Roepen::balDelen(m_inst.kienen ? QString() : letter, getal, m_inst.cijfers));
    if (inTrommel == 0)
        zetPauze(Leeg, true);
    else
        herstart(); // the interval counts from the last ball, however it was drawn
}

void Roeper::zetPauze(Reden r, bool aan)
{
    const unsigned voor = m_pauze;
    if (aan)
        m_pauze |= r;
    else
        m_pauze &= ~static_cast<unsigned>(r);
    if (m_pauze == voor) return;
    // After any pause the hall gets a whole interval again.
    herstart();
    emit pauzeGewijzigd();
}

int Roeper::wachttijd() const
{
    return static_cast<int>(std::lround(m_inst.interval * 1000.0 * WachtTempo::factor()));
}

void Roeper::herstart()
{
    if (m_inst.zelfTrekken && m_pauze == 0)
        m_klok.start(wachttijd());
    else
        m_klok.stop();
}

Roeper::Pauze::Pauze(Roeper* r, Reden reden) : m_roeper(r), m_reden(reden), m_had(r && r->gepauzeerd(reden))
{
    if (m_roeper && !m_had) m_roeper->zetPauze(m_reden, true);
}

Roeper::Pauze::~Pauze()
{
    if (m_roeper && !m_had) m_roeper->zetPauze(m_reden, false);
}
