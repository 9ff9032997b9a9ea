#include "core/game/roeper.h"

#include "core/common/wacht.h"
#include "core/game/roepen.h"
#include "core/game/stem.h"
#include "core/game/trommel.h"
#include "core/settings/extrainstellingen.h"

#include <cmath>

Roeper::Roeper(ExtraInstellingen& extra, QObject* ouder) : QObject(ouder), m_extra(extra)
{
    m_inst = RoepInstellingen::lees(m_extra);
    // An engine can take many seconds to start: begin now, so the first ball is heard.
    if (m_inst.spreken) stem();
    m_klok.setSingleShot(true);
    connect(&m_klok, &QTimer::timeout, this, &Roeper::trekNu);
}

Roeper::~Roeper() = default;

bool Roeper::zetInstellingen(const RoepInstellingen& nieuw, QString* fout)
{
    const bool andereStem = nieuw.stem != m_inst.stem || nieuw.tempo != m_inst.tempo || nieuw.volume != m_inst.volume;
    const bool anderTempo = nieuw.zelfTrekken != m_inst.zelfTrekken || nieuw.interval != m_inst.interval;
    m_inst = nieuw;
    if (m_inst.spreken) stem();
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
    if (!m_stem) {
        m_stem = maakStem();
        stelStem();
    }
    return m_stem.get();
}

void Roeper::zetStem(std::unique_ptr<Stem> stem)
{
    m_stem = std::move(stem);
    if (m_stem) stelStem();
}

void Roeper::stelStem()
{
    if (m_stem) m_stem->stel(m_inst.stem, m_inst.tempo / 10.0, m_inst.volume / 100.0);
}

void Roeper::zeg(const QStringList& delen)
{
    if (!m_inst.spreken) return;
    Stem* s = stem();
    if (s) s->zeg(delen);
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

void Roeper::balGetrokken(int getal, int aantalBallen, int inTrommel)
{
    zeg(Roepen::balDelen(m_inst.kienen ? QString() : Trommel::letter(getal, aantalBallen), getal, m_inst.cijfers));
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
