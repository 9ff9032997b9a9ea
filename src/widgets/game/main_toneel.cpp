// The main window on screens of every size: the stage laid out from the 1024 x 768 design by
// one factor, its pictures and texts drawn at the screen's own resolution, and laid out again
// when the screen changes.
#include "widgets/game/main.h"

#include "widgets/common/doek.h"
#include "widgets/common/plaatjeknop.h"
#include "core/screen/plaatjes.h"
#include "core/game/spel.h"
#include "core/game/trommel.h"
#include "core/screen/twips.h"
#include "core/cards/kaartpatroon.h"
#include "widgets/game/hulppaneel.h"
#include "core/screen/hulptekst.h"
#include "core/screen/toneel.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QShowEvent>
#include <QWindow>

#include <algorithm>

int Main::px(double twips) const
{
    return Twips::naarPixels(twips, m_schaal);
}

void Main::legUit(const QRect& scherm, qreal dpr)
{
    m_schaal = Toneel::schaal(scherm.size());
    m_dpr = dpr > 0 ? dpr : 1.0;
    const QSize maat = Toneel::twips(scherm.size());
    m_schermB = maat.width();
    m_schermH = maat.height();
    setGeometry(scherm);

    for (Doek* doek : {Pic, HelpPic, KnopPic, KaartPic})
        doek->zetSchaal(m_schaal, m_dpr);
    for (PlaatjeKnop* knop : {Image1, ExitKnop, PdfImg, DpiImg})
        knop->zetSchaal(m_schaal);
    for (PlaatjeKnop* knop : Knop)
        knop->zetSchaal(m_schaal);
    zetLettertypen();
    plaatsBesturing();
    maakPlaatjes();
    tekenBordOpnieuw();
    // A hidden line of information is placed when it is next shown.
    if (!InfoLabel->isHidden()) plaatsInfo();
    toonPauze();
    plaatsKaartControle();
    if (HelpPic->isVisible()) tekenHulp();
}

void Main::zetLettertypen()
{
    const QString arial = QStringLiteral("Arial");
    for (QLabel* label : {Label1, Label2, ExitLabel}) {
        label->setFont(Twips::schermLettertype(arial, 20.25, true, m_schaal));
        label->adjustSize();
    }
    for (QComboBox* lijst : {Combo1, Combo2})
        lijst->setFont(Twips::schermLettertype(arial, 15.75, false, m_schaal));
    KlokLabel->setFont(Twips::schermLettertype(arial, 9.75, false, m_schaal));
    InfoLabel->setFont(Twips::schermLettertype(QStringLiteral("Comic Sans MS"), 16, false, m_schaal));
}

// Every picture is drawn for the size it shows at: one device pixel per pixel of the screen.
// Below 1 a painter draws no finer than one pixel per design pixel: those pictures are made at
// 1 and shown smaller.
void Main::maakPlaatjes()
{
    const qreal f = std::max<qreal>(1.0, m_dpr * m_schaal);
    Knop[KnopHelp]->zetPlaatje(Plaatjes::helpKnop(f));
    Knop[KnopAfdrukken]->zetPlaatje(Plaatjes::printer(48, f));
    Knop[KnopInstellingen]->zetPlaatje(Plaatjes::tandwielen(f));
    Knop[KnopStart]->zetPlaatje(Plaatjes::startPijlen(f));
    ExitKnop->zetPlaatje(Plaatjes::exitKnop(f));
    Image1->zetPlaatje(Plaatjes::verklein(f));
    // The logo and the two icons only show on the help panel: they are drawn when the panel is.
    LogoPic = QImage();
    PdfImg->zetPlaatje(QImage());
    DpiImg->zetPlaatje(QImage());
    zetBalPlaatjes();
    tekenPatroonKnop();
}

// The help panel with its logo and its two icons, at the stage's resolution.
void Main::tekenHulp()
{
    const qreal f = std::max<qreal>(1.0, m_dpr * m_schaal);
    if (LogoPic.isNull()) LogoPic = Plaatjes::logo(f);
    if (PdfImg->plaatje().isNull()) PdfImg->zetPlaatje(Plaatjes::pdfIcoon(f));
    if (DpiImg->plaatje().isNull()) DpiImg->zetPlaatje(Plaatjes::dpiIcoon(f));
    tekenHulpPaneel(*HelpPic, LogoPic);
    PdfImg->zetPositie(HulpTekst::pdfX, HulpTekst::pdfY);
    DpiImg->zetPositie(HulpTekst::dpiX, HulpTekst::dpiY);
}

void Main::zetPatroonKnop(const std::array<std::uint8_t, 26>& patroon, const QColor& midden)
{
    m_knopPatroon = patroon;
    m_knopMidden = midden;
    tekenPatroonKnop();
}

// The small card with a margin of the bar's colour left and top, drawn on KaartPic.
void Main::tekenPatroonKnop()
{
    using namespace PatroonKaart;
    constexpr int marge = 105;
    KaartPic->wis();
    const auto schuif = [](QRect r) { return r.translated(marge, marge); };
    for (int k = 1; k <= aantalVakken; ++k) {
        const QRect omtrek = schuif(kleinOmtrek(k));
        KaartPic->kader(omtrek.left(), omtrek.top(), omtrek.right(), omtrek.bottom(), omtrekKleur);
        const QRect vak = schuif(kleinMarkering(k));
        const QColor kleur = k == middenVak ? m_knopMidden : (m_knopPatroon[k] != 0 ? markKleur : leegKleur);
        KaartPic->vul(vak.left(), vak.top(), vak.right(), vak.bottom(), kleur);
    }
    Knop[KnopLayout]->zetPlaatje(KaartPic->beeld());
}

void Main::tekenGetal(int getal)
{
    const QColor kleur(std::clamp(m_alg.getalKleurR(), 0, 255), std::clamp(m_alg.getalKleurG(), 0, 255),
                       std::clamp(static_cast<int>(m_alg.GetalKleurB), 0, 255));
    const QPoint hoek = Trommel::cel(getal);
    Pic->tekst(hoek.x() + Trommel::getalX(getal), hoek.y() + Trommel::getalY, QStringLiteral(" %1").arg(getal),
               Twips::lettertype(QStringLiteral("Arial"), 26, true), kleur);
}

// The last ball large in its box: a light copy, and over it a dark one a pixel lower and to
// the right, so the light one shows as an edge.
void Main::tekenGrootGetal(int getal, int aantal)
{
    const QRect vak = Trommel::grootVak(aantal);
    const QFont groot = Twips::lettertype(QStringLiteral("Arial"), 60, true);
    const QString tekst = Trommel::grootTekst(getal, aantal);
    Pic->vul(vak.left(), vak.top(), vak.right(), vak.bottom(), Plaatjes::bordKleur);
    Pic->tekst(vak.left(), vak.top(), tekst, groot, QColor(200, 200, 200));
    Pic->tekst(vak.left() + 15, vak.top() + 15, tekst, groot, QColor(60, 60, 60));
}

// The board of the game in progress, from the game itself: frame, balls drawn and not, the
// numbers on the drawn ones and the last ball large.
void Main::tekenBordOpnieuw()
{
    if (m_spelNummer == 0 || !m_spel.heeftSpel()) return;
    const int hoogte = Pic->twipsHoogte();
    Pic->wis();
    for (int i = 0; i <= 120; i += 15)
        Pic->kader(i, i, 14895 - i, hoogte - 15 - i, QColor(2 * i, 2 * i, 2 * i));
    for (int n = 1; n <= Trommel::aantalCellen(m_spel.aantalBallen()); ++n) {
        const QPoint hoek = Trommel::cel(n);
        const bool getrokken = m_spel.isGetrokken(n);
        Pic->plaatje(getrokken ? Bal2() : Bal1(), hoek.x(), hoek.y(), Trommel::balMaat, Trommel::balMaat);
        if (getrokken) tekenGetal(n);
    }
    if (m_spel.laatste() != 0) tekenGrootGetal(m_spel.laatste(), m_spel.aantalBallen());
}

// The round and the instruction, centred 150 twips under the board.
void Main::plaatsInfo()
{
    InfoLabel->adjustSize();
    const int onder = Pic->twipsY() + Pic->twipsHoogte() + 150;
    InfoLabel->move(px(m_schermB / 2.0) - InfoLabel->width() / 2, px(onder));
}

void Main::showEvent(QShowEvent* e)
{
    QWidget::showEvent(e);
    if (QWindow* venster = windowHandle(); venster && !m_volgtScherm) {
        m_volgtScherm = true;
        connect(venster, &QWindow::screenChanged, this, [this](QScreen* scherm) {
            volgGeometrie(scherm);
            volgScherm();
        });
        volgGeometrie(venster->screen());
    }
}

void Main::volgGeometrie(QScreen* scherm)
{
    disconnect(m_geometrieVerbinding);
    if (scherm) m_geometrieVerbinding = connect(scherm, &QScreen::geometryChanged, this, &Main::volgScherm);
}

// The window follows its screen: another screen, another resolution, another pixel ratio.
void Main::volgScherm()
{
    QScreen* scherm = screen();
    if (!scherm) return;
    if (scherm->geometry() == geometry() && qFuzzyCompare(scherm->devicePixelRatio(), m_dpr)) return;
    legUit(scherm->geometry(), scherm->devicePixelRatio());
}

void Main::verbergWijzer(bool verbergen)
{
    if (verbergen) {
        setCursor(Qt::BlankCursor);
    } else {
        unsetCursor();
    }
    // The picture buttons have the hand of their own.
    QList<PlaatjeKnop*> knoppen = {ExitKnop, PdfImg};
    for (PlaatjeKnop* knop : Knop)
        knoppen << knop;
    for (PlaatjeKnop* knop : knoppen)
        knop->setCursor(verbergen ? QCursor(Qt::BlankCursor) : Plaatjes::hand());
}
