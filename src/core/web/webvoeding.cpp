#include "core/web/webvoeding.h"

#include "core/cards/kaartnummer.h"
#include "core/game/avond.h"
#include "core/settings/extrainstellingen.h"
#include "core/web/webbord.h"
#include "core/web/webkaarten.h"
#include "core/web/webstand.h"

WebVoeding::WebVoeding(Avond& avond, QObject* ouder)
    : QObject(ouder), m_avond(avond), m_instelling(WebInstelling::lees(avond.instellingen().extra())),
      // An evening runs past midnight: a start before six in the morning is the evening before's.
      m_avondDatum(QDateTime::currentDateTime().addSecs(-6 * 3600).date())
{
    // The pages hear of every change as soon as the stage has shown it.
    Spel& spel = avond.spel();
    for (auto signaal : {&Spel::nieuwSpelGestart, &Spel::spelHersteld})
        connect(&spel, signaal, this, &WebVoeding::stuurStraks);
    for (auto signaal : {&Spel::balGetrokken, &Spel::balTeruggelegd})
        connect(&spel, signaal, this, &WebVoeding::stuurStraks);
    connect(&spel, &Spel::patroonGewijzigd, this, &WebVoeding::stuurStraks);
    connect(&avond.programma(), &ProgrammaGang::gewijzigd, this, &WebVoeding::stuurStraks);
    connect(&avond, &Avond::afgesloten, this, [this] {
        if (m_bord) m_bord->stop();
    });
}

WebVoeding::~WebVoeding() = default;

bool WebVoeding::zet(const WebInstelling& web, bool bewaren, QString* fout)
{
    const bool eerder = draait();
    const int eerderePoort = eerder ? m_bord->poort() : 0;
    m_instelling = web;
    m_fout.clear();
    if (!web.aan) {
        if (m_bord) m_bord->stop();
    } else if (!eerder || eerderePoort != web.poort) {
        if (!m_bord) {
            m_bord = std::make_unique<WebBord>();
            // The players' cards, from the register in the settings folder.
            m_bord->zetKaarten(std::make_shared<WebKaarten>(
                KaartRegister::padIn(m_avond.instellingen().instellingenMap())));
        }
        stuur();
        if (!m_bord->start(web.poort, &m_fout)) {
            // Back on the port it had, when there was one.
            if (eerder) m_bord->start(eerderePoort);
        }
    }
    if (bewaren) {
        web.schrijf(m_avond.instellingen().extra());
        QString bewaarFout;
        if (!m_avond.instellingen().extra().bewaar(&bewaarFout) && m_fout.isEmpty()) m_fout = bewaarFout;
    }
    if (fout) *fout = m_fout;
    emit gewijzigd();
    return m_fout.isEmpty();
}

bool WebVoeding::draait() const
{
    return m_bord && m_bord->draait();
}

QStringList WebVoeding::adressen() const
{
    return draait() ? WebBord::adressen(m_bord->poort()) : QStringList();
}

QString WebVoeding::uitleg() const
{
    if (!m_fout.isEmpty()) return m_fout;
    if (!draait())
        return QStringLiteral("Uit. Aan: telefoons en tv's op het netwerk van deze computer tonen het bord.");
    const QStringList lijst = adressen();
    if (lijst.isEmpty())
        return QStringLiteral("Deze computer is op geen netwerk aangesloten: het bord is alleen hier te zien, op "
                              "http://127.0.0.1:%1/")
            .arg(m_bord->poort());
    return QStringLiteral("Open %1 op een telefoon of tv in de zaal. %2").arg(lijst.first(), kaartenUitleg);
}

// The stage paints a drawn ball before the pages hear of it: the game is sent once the
// program is back in its event loop, once for any number of changes made before then.
void WebVoeding::stuurStraks()
{
    if (!m_bord || m_gepland) return;
    m_gepland = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_gepland = false;
            stuur();
        },
        Qt::QueuedConnection);
}

void WebVoeding::stuur()
{
    if (!m_bord) return;
    const Spel& spel = m_avond.spel();
    const ProgrammaGang& programma = m_avond.programma();
    WebStand::Gegevens g;
    g.aantalBallen = spel.aantalBallen();
    g.ronde = spel.ronde();
    g.spelNummer = spel.spelNummer();
    g.letters = spel.metLetters();
    for (const Spel::Bal& b : spel.ballen())
        g.ballen << b.getal;
    g.avond = m_avondDatum.toString(Qt::ISODate);
    const SpelSoort soort = programma.spelSoort();
    g.spelNaam = soort.naam();
    for (KaartSoort k : soort.kaarten())
        g.kaarten << KaartNummer::soortNaam(k);
    // While a programme runs: the stage played for now and its prize ("Taart (€ 10)"), as the stage says them.
    if (programma.loopt() && !programma.klaar()) {
        const AvondProgramma::Ronde& r = programma.inhoud().rondes[programma.ronde()];
        const AvondProgramma::Fase& f = r.fasen[programma.fase()];
        g.fase = f.naam;
        g.prijs = AvondProgramma::prijsTekst(f);
        // The cards play for the stage only in its round's game; between rounds, for nothing.
        if (soort.ronde && spel.ronde() - 1 == programma.ronde()) g.doelen = WebDoelen::vanFase(r.spel, f);
    } else if (!programma.loopt()) {
        g.doelen = WebDoelen::zonderProgramma(spel.patroon());
    }
    m_bord->zetStand(WebStand::json(g, ++m_versie));
}
