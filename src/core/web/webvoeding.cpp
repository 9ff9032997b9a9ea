#include "core/web/webvoeding.h"

#include "core/game/avond.h"
#include "core/settings/extrainstellingen.h"
#include "core/web/webbord.h"
#include "core/web/webstand.h"

WebVoeding::WebVoeding(Avond& avond, QObject* ouder)
    : QObject(ouder), m_avond(avond), m_instelling(WebInstelling::lees(avond.instellingen().extra()))
{
    // The pages hear of every change as soon as the stage has shown it.
    Spel& spel = avond.spel();
    for (auto signaal : {&Spel::nieuwSpelGestart, &Spel::spelHersteld})
        connect(&spel, signaal, this, &WebVoeding::stuurStraks);
    for (auto signaal : {&Spel::balGetrokken, &Spel::balTeruggelegd})
        connect(&spel, signaal, this, &WebVoeding::stuurStraks);
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
        if (!m_bord) m_bord = std::make_unique<WebBord>();
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
    return QStringLiteral("Open %1 op een telefoon of tv in de zaal.").arg(lijst.first());
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
    WebStand::Gegevens g{spel.aantalBallen(), spel.ronde(), spel.spelNummer(), {}, {}, {}, spel.metLetters()};
    for (const Spel::Bal& b : spel.ballen())
        g.ballen << b.getal;
    // While a programme runs: the stage played for now and its prize ("Taart (€ 10)"), as the stage says them.
    if (m_avond.programma().loopt() && !m_avond.programma().klaar()) {
        const AvondProgramma::Fase& f =
            m_avond.programma().inhoud().rondes[m_avond.programma().ronde()].fasen[m_avond.programma().fase()];
        g.fase = f.naam;
        g.prijs = AvondProgramma::prijsTekst(f);
    }
    m_bord->zetStand(WebStand::json(g, ++m_versie));
}
