// The command bar, the help panel and the screen information.
#include "widgets/common/bezigewijzer.h"
#include "widgets/common/doek.h"
#include "widgets/common/melding.h"
#include "core/screen/openbestand.h"
#include "widgets/common/plaatjeknop.h"
#include "core/screen/twips.h"
#include "core/common/wacht.h"
#include "widgets/settings/config.h"
#include "widgets/settings/layout.h"
#include "widgets/game/achtergrond.h"
#include "widgets/game/hulppaneel.h"
#include "core/screen/hulptekst.h"
#include "widgets/game/main.h"
#include "core/game/roeper.h"
#include "widgets/cards/afdrukken.h"
#include "core/cards/kaartregister.h"

#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

namespace
{
constexpr double drukTijd = 0.2; // seconds a picture button stays pressed
} // namespace

// Each click remembers where its button was; a click on another button during the wait keeps
// its own position and so both buttons end where they belong.
void Main::knopGeklikt(int index)
{
    if (index < 0 || index >= static_cast<int>(Knop.size())) return;
    PlaatjeKnop* knop = Knop[index];
    const int links = knop->twipsX();
    knop->zetPositie(links + 30, 360);
    const bool verder = Wacht(drukTijd);
    knop->zetPositie(links, 330);
    if (!verder) return;

    switch (index) {
    case KnopHelp:
        helpPaneel();
        break;
    case KnopAfdrukken: {
        const Roeper::Pauze pauze(m_roeper.get(), Roeper::Dialoog);
        maakAfdrukken()->exec();
        break;
    }
    case KnopLayout: {
        const Roeper::Pauze pauze(m_roeper.get(), Roeper::Dialoog);
        maakLayout()->exec();
        break;
    }
    case KnopInstellingen: {
        const Roeper::Pauze pauze(m_roeper.get(), Roeper::Dialoog);
        maakConfig()->exec();
        break;
    }
    case KnopStart:
        nieuwSpelVraag();
        break;
    default:
        break;
    }
}

std::unique_ptr<Config> Main::maakConfig()
{
    auto dlg = std::make_unique<Config>(m_alg, programmaMap(), this);
    connect(dlg.get(), &Config::extraGevraagd, this, [this, d = dlg.get()] { extraDialoog(d); });
    connect(dlg.get(), &Config::achtergrondGekozen, this, &Main::zetAchtergrond);
    connect(dlg.get(), &Config::balPlaatjesBevestigd, this, &Main::zetBalPlaatjes);
    return dlg;
}

std::unique_ptr<Layout> Main::maakLayout()
{
    auto dlg = std::make_unique<Layout>(m_alg, this);
    connect(dlg.get(), &Layout::patroonBevestigd, this,
            [this](const QColor& midden) { zetPatroonKnop(m_alg.KaartPatroon, midden); });
    return dlg;
}

std::unique_ptr<Afdrukken> Main::maakAfdrukken()
{
    auto dlg = std::make_unique<Afdrukken>(m_alg, m_toeval, this);
    dlg->zetRegisterPad(KaartRegister::padIn(instellingenMap()));
    return dlg;
}

void Main::nieuwSpelVraag()
{
    {
        const Roeper::Pauze pauze(m_roeper.get(), Roeper::Vraag);
        if (!Melding::vraag(this, QStringLiteral("Nieuw Spel"),
                            QStringLiteral("Nieuwe spel en/of nieuwe ronde spelen?")))
            return;
    }
    m_alg.RondeTeller += 1;
    NieuwSpel();
    for (PlaatjeKnop* knop : Knop)
        knop->setEnabled(true);
}

// Opens or closes the help panel. While it shows, only Help, Exit and the minimise icon answer.
void Main::helpPaneel()
{
    if (!HelpPic->isHidden()) {
        HelpPic->hide();
        m_roeper->zetPauze(Roeper::Hulp, false);
        for (int i : {KnopAfdrukken, KnopLayout, KnopInstellingen, KnopStart})
            Knop[i]->setEnabled(true);
        return;
    }
    {
        const BezigeWijzer wijzer;
        for (int i : {KnopAfdrukken, KnopLayout, KnopInstellingen, KnopStart})
            Knop[i]->setEnabled(false);
        tekenHulp();
    }
    m_roeper->zetPauze(Roeper::Hulp, true);
    HelpPic->show();
}

void Main::exitGeklikt()
{
    const int binnen = KnopPic->twipsBreedte();
    ExitKnop->zetPositie(binnen - 795, 375);
    const bool verder = Wacht(drukTijd);
    ExitKnop->zetPositie(binnen - 825, 345);
    if (!verder || !Wacht(drukTijd)) return;
    close();
}

void Main::achtergrondDubbelklik()
{
    const bool tonen = KnopPic->isHidden();
    KnopPic->setVisible(tonen);
    KlokLabel->setVisible(tonen);
}

void Main::balkGeklikt()
{
    Pic->setFocus(Qt::MouseFocusReason);
}

void Main::pdfGeklikt()
{
    PdfImg->zetPositie(HulpTekst::pdfX + 30, HulpTekst::pdfY + 30);
    const bool verder = Wacht(drukTijd);
    PdfImg->zetPositie(HulpTekst::pdfX, HulpTekst::pdfY);
    if (!verder) return;
    OpenBestand(this, QDir(programmaMap()).filePath(QStringLiteral("Zorvak.pdf")));
}

void Main::dpiGeklikt()
{
    DpiImg->zetPositie(HulpTekst::dpiX + 30, HulpTekst::dpiY + 30);
    const bool verder = Wacht(drukTijd);
    DpiImg->zetPositie(HulpTekst::dpiX, HulpTekst::dpiY);
    if (!verder) return;

    // The whole screen in real pixels: Qt's logical size times the device pixel ratio.
    QScreen* scherm = screen() ? screen() : QGuiApplication::primaryScreen();
    int dpi = 96;
    QSize pixels(Twips::naarPixels(m_schermB), Twips::naarPixels(m_schermH));
    if (scherm) {
        const qreal verhouding = scherm->devicePixelRatio();
        dpi = HulpTekst::resolutie(scherm->logicalDotsPerInchX(), verhouding);
        pixels =
            QSize(qRound(scherm->geometry().width() * verhouding), qRound(scherm->geometry().height() * verhouding));
    }
    Melding::meld(this, QStringLiteral(" Beeldscherm"),
                  HulpTekst::schermInformatie(dpi, pixels.width(), pixels.height()));
    OpenBestand(this, QDir(programmaMap()).filePath(QStringLiteral("Beeldscherm.pdf")));
}
