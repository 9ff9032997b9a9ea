#include "core/game/organisatortekst.h"

#include "core/game/avond.h"
#include "core/game/roeper.h"
#include "core/settings/avondinstellingen.h"

OrganisatorTekst::OrganisatorTekst(Avond& avond, QObject* ouder) : QObject(ouder), m_avond(avond)
{
    m_weg.setSingleShot(true);
    m_weg.setInterval(berichtMs);
    connect(&m_weg, &QTimer::timeout, this, [this] {
        m_bericht.clear();
        emit gewijzigd();
    });
    connect(&avond, &Avond::invoerGeweigerd, this, &OrganisatorTekst::meld);
    for (auto signaal : {&Avond::kaartWeggezet, &Avond::trekkingKlaar, &Avond::spelKlaar})
        connect(&avond, signaal, this, &OrganisatorTekst::gewijzigd);
    connect(&avond.instellingen(), &AvondInstellingen::handmatigGewijzigd, this, &OrganisatorTekst::gewijzigd);
    connect(&avond.programma(), &ProgrammaGang::gewijzigd, this, &OrganisatorTekst::gewijzigd);
    // A card checked starts with its own hint, not with a refusal from before.
    connect(&avond, &Avond::kaartGecontroleerd, this, [this] {
        m_bericht.clear();
        m_weg.stop();
        emit gewijzigd();
    });
    connect(&avond.roeper(), &Roeper::spraakGewijzigd, this, &OrganisatorTekst::gewijzigd);
}

QString OrganisatorTekst::marker() const
{
    return m_avond.instellingen().handmatig() ? QStringLiteral("Handmatig trekken") : QString();
}

QStringList OrganisatorTekst::vast() const
{
    QStringList uit;
    if (m_avond.programma().rondeAfgelopen()) uit << m_avond.programma().rondeAfgelopenTekst();
    const Roeper& roeper = m_avond.roeper();
    if (!roeper.spraakFout().isEmpty() && roeper.instellingen().spreken)
        uit << roeper.spraakFout() + QStringLiteral(" Het spel gaat door; zie Extra.");
    return uit;
}

QString OrganisatorTekst::bericht() const
{
    return m_bericht.isEmpty() ? m_invoer : m_bericht;
}

QString OrganisatorTekst::regel() const
{
    QStringList delen = vast();
    if (!marker().isEmpty()) delen.prepend(marker());
    if (!bericht().isEmpty()) delen << bericht();
    return delen.join(QStringLiteral("  \u00b7  "));
}

QString OrganisatorTekst::kaartRegel() const
{
    if (!m_bericht.isEmpty()) return m_bericht;
    return m_avond.kanWinnaarBevestigen() ? f9Hint() + QLatin1Char(' ') + terugHint() : terugHint();
}

void OrganisatorTekst::meld(const QString& tekst)
{
    m_bericht = tekst;
    m_weg.start();
    emit gewijzigd();
}

void OrganisatorTekst::zetInvoer(const QString& tekst)
{
    if (tekst == m_invoer) return;
    m_invoer = tekst;
    // A new ball typed takes the place of the refusal before it.
    if (!tekst.isEmpty()) {
        m_bericht.clear();
        m_weg.stop();
    }
    emit gewijzigd();
}
