#include "widgets/screen/programma.h"

#include "core/web/webvoeding.h"
#include "widgets/common/dialoog.h"
#include "widgets/common/melding.h"
#include "widgets/screen/tweeschermen.h"

#include <QScreen>

Programma::Programma(const Avond::Opzet& opzet)
    : avond(opzet), hoofd(avond, TweeSchermen::zaal(avond.instellingen().extra()))
{
    schaalDialogen();
}

Programma::~Programma() = default;

void Programma::start()
{
    hoofd.showFullScreen();
    // Without a window manager the full-screen request is ignored; the geometry is not.
    hoofd.setGeometry(hoofd.screen()->geometry());
    m_schermen = std::make_unique<TweeSchermen>(hoofd, avond);
    m_schermen->pasToe();
    // The board on the network as the settings have it, unless it was started already (--web).
    if (avond.web().instelling().aan && !avond.web().draait()) avond.web().zet(avond.web().instelling(), false);
    // A board that could not start (its port taken) is said where the organiser looks.
    if (!avond.web().fout().isEmpty()) Melding::meld(&hoofd, QStringLiteral("Zorvak"), avond.web().fout());
    avond.hervatBijStart();
}
