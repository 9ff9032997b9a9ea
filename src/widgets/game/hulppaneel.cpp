#include "widgets/game/hulppaneel.h"

#include "core/screen/hulptekst.h"
#include "core/screen/openbestand.h"
#include "core/screen/plaatjes.h"
#include "core/screen/twips.h"
#include "widgets/common/melding.h"
#include "widgets/common/plaatjeknop.h"

#include <QDir>
#include <QGuiApplication>
#include <QScreen>

HulpPaneel::HulpPaneel(const QString& programmaMap, QWidget* ouder)
    : Doek(ouder, HulpTekst::achtergrond), m_map(programmaMap)
{
    setObjectName(QStringLiteral("HelpPic"));
    PdfImg = new PlaatjeKnop(this);
    PdfImg->setObjectName(QStringLiteral("PdfImg"));
    PdfImg->setToolTip(QStringLiteral(" Ja hier klikken "));
    PdfImg->setCursor(Plaatjes::hand());
    PdfImg->zetPlaats(HulpTekst::pdfX, HulpTekst::pdfY, 720, 720);
    DpiImg = new PlaatjeKnop(this);
    DpiImg->setObjectName(QStringLiteral("DpiImg"));
    DpiImg->zetPlaats(HulpTekst::dpiX, HulpTekst::dpiY, 720, 720);
    connect(PdfImg, &PlaatjeKnop::clicked, this, &HulpPaneel::pdfGeklikt);
    connect(DpiImg, &PlaatjeKnop::clicked, this, &HulpPaneel::dpiGeklikt);
}

void HulpPaneel::legUit(int schermBreedte, int schermHoogte, qreal schaal, qreal dpr)
{
    m_schermB = schermBreedte;
    m_schermH = schermHoogte;
    m_factor = std::max<qreal>(1.0, dpr * schaal);
    zetSchaal(schaal, dpr);
    PdfImg->zetSchaal(schaal);
    DpiImg->zetSchaal(schaal);
    zetPlaats(0, 0, schermBreedte, schermHoogte - 1200);
    // The logo and the two icons only show on the panel: they are drawn when the panel is.
    LogoPic = QImage();
    PdfImg->zetPlaatje(QImage());
    DpiImg->zetPlaatje(QImage());
    if (isVisible()) tekenPaneel();
}

void HulpPaneel::tekenPaneel()
{
    using namespace HulpTekst;
    if (LogoPic.isNull()) LogoPic = Plaatjes::logo(m_factor);
    if (PdfImg->plaatje().isNull()) PdfImg->zetPlaatje(Plaatjes::pdfIcoon(m_factor));
    if (DpiImg->plaatje().isNull()) DpiImg->zetPlaatje(Plaatjes::dpiIcoon(m_factor));
    zetAchtergrond(HulpTekst::achtergrond);

    // The logo at its own size: its logical size, in twips.
    const QSizeF maat = LogoPic.deviceIndependentSize();
    plaatje(LogoPic, logoX, logoY, Twips::vanPixels(maat.width()), Twips::vanPixels(maat.height()));

    // The texture is laid over the logo as one tiled fill; a line per dot would take tens of
    // thousands of strokes on a large screen.
    stippen(0, stipBoven, twipsBreedte(), twipsHoogte(), stipStap, stip);

    const QFont kop = Twips::lettertype(QStringLiteral("Comic Sans MS"), titelPunten, true);
    const QFont gewoon = Twips::lettertype(QStringLiteral("Comic Sans MS"), tekstPunten);
    const QString naam = QStringLiteral("Zorvak");
    tekst(titelX, titelY, naam, kop, titelSchaduw);
    tekst(titelX + titelVerschuiving, titelY + titelVerschuiving, naam, kop, titel);
    for (const Regel& r : regels())
        tekst(r.x, r.y, r.tekst, gewoon, r.kleur);
    PdfImg->zetPositie(pdfX, pdfY);
    DpiImg->zetPositie(dpiX, dpiY);
}

void HulpPaneel::pdfGeklikt()
{
    if (!PdfImg->druk()) return;
    OpenBestand(window(), QDir(m_map).filePath(QStringLiteral("Zorvak.pdf")));
}

void HulpPaneel::dpiGeklikt()
{
    if (!DpiImg->druk()) return;
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
    Melding::meld(window(), QStringLiteral(" Beeldscherm"),
                  HulpTekst::schermInformatie(dpi, pixels.width(), pixels.height()));
    OpenBestand(window(), QDir(m_map).filePath(QStringLiteral("Beeldscherm.pdf")));
}
