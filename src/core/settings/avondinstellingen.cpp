#include "core/settings/avondinstellingen.h"

#include "core/settings/algemeen.h"
#include "core/settings/extrainstellingen.h"
#include "core/settings/instellingen.h"

namespace
{
const QString handSleutel = QStringLiteral("Trekken/Handmatig");
} // namespace

AvondInstellingen::AvondInstellingen(const QString& programmaMap, const QString& reserveMap, QObject* ouder)
    : QObject(ouder), m_alg(std::make_unique<Algemeen>()),
      m_bestand(std::make_unique<InstellingenBestand>(programmaMap, reserveMap))
{
    m_bestand->laadBijStart(*m_alg);
    m_extra = std::make_unique<ExtraInstellingen>(m_bestand->instellingenMap());
    m_weergave = Weergave::lees(*m_extra);
}

AvondInstellingen::~AvondInstellingen() = default;

QString AvondInstellingen::programmaMap() const
{
    return m_bestand->programmaMap();
}

QString AvondInstellingen::instellingenMap() const
{
    return m_bestand->instellingenMap();
}

bool AvondInstellingen::zetWeergave(const Weergave& weergave, QString* fout)
{
    const bool anders = weergave != m_weergave;
    m_weergave = weergave;
    if (anders) emit weergaveGewijzigd();
    m_weergave.schrijf(*m_extra);
    return m_extra->bewaar(fout);
}

bool AvondInstellingen::handmatig() const
{
    return m_extra->janee(handSleutel, false);
}

bool AvondInstellingen::zetHandmatig(bool aan, QString* fout)
{
    m_extra->zet(handSleutel, aan);
    const bool bewaard = m_extra->bewaar(fout);
    emit handmatigGewijzigd();
    return bewaard;
}

bool AvondInstellingen::bewaar(QString* fout)
{
    return m_bestand->schrijf(*m_alg, fout);
}
