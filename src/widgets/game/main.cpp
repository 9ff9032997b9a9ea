#include "widgets/game/main.h"

#include "core/game/avond.h"
#include "core/game/balinvoer.h"
#include "core/game/organisatortekst.h"
#include "core/game/roeper.h"
#include "core/game/spel.h"
#include "core/screen/plaatjes.h"
#include "core/screen/toneel.h"
#include "core/screen/twips.h"
#include "core/settings/algemeen.h"
#include "core/web/adrescode.h"
#include "core/web/webvoeding.h"
#include "widgets/cards/kaartcontrole.h"
#include "widgets/common/bezigewijzer.h"
#include "widgets/common/melding.h"
#include "widgets/common/plaatjeknop.h"
#include "widgets/common/scaninvoer.h"
#include "widgets/game/achtergrond.h"
#include "widgets/game/bord.h"
#include "widgets/game/dialogen.h"
#include "widgets/game/hulppaneel.h"
#include "widgets/game/opdrachtbalk.h"
#include "widgets/game/organisatorstrook.h"
#include "widgets/game/webscherm.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QLabel>
#include <QLocale>
#include <QScreen>
#include <QTimer>
#include <QWindow>

namespace
{
QLabel* maakRegel(QWidget* ouder, const char* naam, const QString& tekst, QColor kleur)
{
    auto* label = new QLabel(tekst, ouder);
    label->setObjectName(QString::fromLatin1(naam));
    label->setAttribute(Qt::WA_TranslucentBackground);
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, kleur);
    label->setPalette(pal);
    label->hide();
    return label;
}
} // namespace

Main::Main(Avond& avond, QScreen* scherm, QWidget* ouder) : QWidget(ouder), m_avond(avond)
{
    setObjectName(QStringLiteral("Main"));
    setWindowTitle(QStringLiteral(" Zorvak"));
    setWindowIcon(Plaatjes::vensterIcoon());
    setWindowFlag(Qt::FramelessWindowHint);

    maakBesturing();
    if (!scherm) scherm = QGuiApplication::primaryScreen();
    legUit(scherm ? scherm->geometry() : QRect(0, 0, 1024, 768), scherm ? scherm->devicePixelRatio() : 1.0);
    verbind();
    klokTik();
    Timer1->start();
}

Main::~Main()
{
    // The strip follows the organiser's texts and the check screen: it goes before they do.
    delete Strook;
}

void Main::maakBesturing()
{
    // The background first: its picture is decoded while the rest of the stage is built.
    BackImage = new Achtergrond(this);
    BackImage->setObjectName(QStringLiteral("BackImage"));
    BackImage->laadVooruit(m_avond.instellingen().algemeen().AchtergrondBestand);

    Pic = new Bord(m_avond.spel(), m_avond.instellingen().algemeen(), this);
    Pic->zetWeergave(m_avond.instellingen().weergave());
    InfoLabel = maakRegel(this, "InfoLabel", QString(), QColor(160, 160, 160));
    HelpPic = new HulpPaneel(m_avond.instellingen().programmaMap(), this);
    HelpPic->hide();
    WebPic = new WebScherm(this);
    WebPic->hide();

    Image1 = new PlaatjeKnop(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setToolTip(QStringLiteral(" Scherm verkleinen "));

    KnopPic = new Opdrachtbalk(m_avond.spel(), this);

    KlokLabel = new QLabel(this);
    KlokLabel->setObjectName(QStringLiteral("KlokLabel"));
    KlokLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    KlokLabel->setAttribute(Qt::WA_TranslucentBackground);
    KlokLabel->setAttribute(Qt::WA_TransparentForMouseEvents);
    QPalette pal = KlokLabel->palette();
    pal.setColor(QPalette::WindowText, QColor(160, 160, 160));
    KlokLabel->setPalette(pal);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);

    KaartControleScherm = new KaartControle(this);
    m_organisatorTekst = std::make_unique<OrganisatorTekst>(m_avond);
    m_balInvoer = std::make_unique<BalInvoer>(m_avond, *m_organisatorTekst);
    m_dialogen = new Dialogen(m_avond, this);
    Strook = new OrganisatorStrook(*m_organisatorTekst, KaartControleScherm, true, this);
    PauzeLabel = maakRegel(this, "PauzeLabel",
                           QStringLiteral("Zelf trekken staat stil / Druk op de spatiebalk om verder te gaan."),
                           QColor(230, 200, 120));
    PauzeLabel->setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Main::legUit(const QRect& scherm, qreal dpr)
{
    dpr = dpr > 0 ? dpr : 1.0;
    setGeometry(scherm);
    if (m_uitleggingen > 0 && scherm == m_uitgelegdOp && qFuzzyCompare(dpr, m_dpr)) return;
    ++m_uitleggingen;
    m_uitgelegdOp = scherm;
    m_schaal = Toneel::schaal(scherm.size());
    m_dpr = dpr;
    const QSize maat = Toneel::twips(scherm.size());
    m_schermB = maat.width();
    m_schermH = maat.height();

    const qreal f = std::max<qreal>(1.0, m_dpr * m_schaal);
    BackImage->setGeometry(Twips::rect(0, 0, m_schermB, m_schermH, m_schaal));
    HelpPic->legUit(m_schermB, m_schermH, m_schaal, m_dpr);
    Image1->zetSchaal(m_schaal);
    Image1->zetPlaats(m_schermB - 540, 120, 390, 270);
    Image1->zetPlaatje(Plaatjes::verklein(f));
    KnopPic->legUit(m_schermB, m_schermH, m_schaal, m_dpr);
    Pic->legUit(m_schermB, m_schermH, m_schaal, m_dpr);
    const QString arial = QStringLiteral("Arial");
    KlokLabel->setFont(Twips::schermLettertype(arial, 9.75, false, m_schaal));
    InfoLabel->setFont(Twips::schermLettertype(QStringLiteral("Comic Sans MS"), 16, false, m_schaal));
    klokTik();

    // Stacking: the background at the bottom, the help panel over the board, the bar on top.
    BackImage->lower();
    HelpPic->raise();
    KnopPic->raise();
    KlokLabel->raise();
    Image1->raise();
    // A hidden line of information is placed when it is next shown.
    if (!InfoLabel->isHidden()) plaatsOnderBord(InfoLabel);
    toonPauze();
    if (KaartControleScherm->isVisible()) KaartControleScherm->setGeometry(rect());
    if (ProgrammaLabel) toonProgramma();
    // The organiser's strip: the clock's height above the command bar, left of the clock.
    Strook->zetPlek(Twips::rect(150, m_schermH - 1560, m_schermB * 3 / 5, 330, m_schaal), m_schaal);
    if (WebPic->isVisible()) WebPic->setGeometry(rect());
}

void Main::verbind()
{
    m_avond.zetGesprek({
        [this](const QString& titel, const QString& tekst, bool ja) { return Melding::vraag(this, titel, tekst, ja); },
        [this](const QString& titel, const QString& tekst) { Melding::meld(this, titel, tekst); },
        [this] { return KaartControle::vraagHaak()(this); },
        // With one screen, over the command bar, not over the board the hall watches.
        [this](const QString& titel, const QString& tekst, bool ja) {
            return Melding::vraag(this, titel, tekst, ja, Melding::Plek::Onder);
        },
    });
    m_avond.zetPodiumVrij([this] {
        return !HelpPic->isVisible() && !WebPic->isVisible() && !QApplication::activeModalWidget() &&
               !QApplication::activePopupWidget();
    });

    ScanInvoer::programma().volg(this, [this](const QString& code) { scan(code); });

    connect(Timer1, &QTimer::timeout, this, &Main::klokTik);
    connect(Pic, &Doek::geklikt, &m_avond, &Avond::trekAlsKlaar);
    // Balls from a real drum: a click on a ball's place enters that ball.
    connect(Pic, &Doek::muisIngedrukt, this, [this](QPoint twips, Qt::MouseButton knop) {
        if (knop == Qt::LeftButton && !HelpPic->isVisible() && Pic->inRust()) m_avond.voerBalInOp(twips);
    });
    connect(&m_avond.programma(), &ProgrammaGang::gewijzigd, this, &Main::toonProgramma);
    connect(Pic, &Doek::toetsIngedrukt, this, &Main::toets);
    connect(Pic, &Bord::rust, this, &Main::toonInfo);
    connect(BackImage, &Achtergrond::dubbelGeklikt, this, [this] {
        const bool tonen = KnopPic->isHidden();
        KnopPic->setVisible(tonen);
        KlokLabel->setVisible(tonen);
    });
    connect(Image1, &PlaatjeKnop::clicked, this, &Main::showMinimized);

    // The bar's commands. A dialog holds calling by itself while it is open.
    connect(KnopPic, &Opdrachtbalk::help, this, &Main::helpPaneel);
    connect(KnopPic, &Opdrachtbalk::afdrukken, m_dialogen, &Dialogen::afdrukken);
    connect(KnopPic, &Opdrachtbalk::layoutKaart, m_dialogen, &Dialogen::layoutKaart);
    connect(KnopPic, &Opdrachtbalk::instellingen, m_dialogen, &Dialogen::instellingen);
    connect(m_dialogen, &Dialogen::achtergrondGekozen, BackImage, &Achtergrond::laad);
    connect(m_dialogen, &Dialogen::balPlaatjesBevestigd, Pic, &Bord::zetBalPlaatjes);
    connect(m_dialogen, &Dialogen::patroonBevestigd, this,
            [this](const QColor& midden) { KnopPic->zetPatroon(m_avond.spel().patroon(), midden); });
    connect(m_dialogen, &Dialogen::programmaBegonnen, this, [this] { KnopPic->zetKnoppen(true); });
    connect(KnopPic, &Opdrachtbalk::spelBeginnen, this, [this] {
        if (m_avond.nieuwSpelVraag()) KnopPic->zetKnoppen(true);
    });
    connect(KnopPic, &Opdrachtbalk::kaartControleren, this, &Main::controleerKaart);
    connect(KnopPic, &Opdrachtbalk::afsluiten, this, &Main::close);
    connect(KnopPic, &Doek::geklikt, this, [this] { Pic->setFocus(Qt::MouseFocusReason); });

    // The game as the model changes it.
    Spel& spel = m_avond.spel();
    connect(&spel, &Spel::nieuwSpelGestart, KnopPic, &Opdrachtbalk::leegLijsten);
    connect(&spel, &Spel::balGetrokken, KnopPic, &Opdrachtbalk::toonTeller);
    connect(&spel, &Spel::balTeruggelegd, this, [this](int n) {
        Pic->toonTeruggelegd(n);
        KnopPic->haalWeg(n);
    });
    // A game taken up shows at once, as the model holds it, without animation.
    connect(&spel, &Spel::spelHersteld, this, [this] {
        Pic->toonSpel();
        KnopPic->toonSpel();
        if (!m_avond.spel().heeftSpel()) return;
        if (m_avond.spel().ballen().isEmpty())
            toonInfo();
        else
            InfoLabel->hide();
        KnopPic->zetKnoppen(true);
        Pic->setFocus(Qt::OtherFocusReason);
    });

    // What the evening does around it.
    connect(&m_avond, &Avond::spelBegonnen, this, [this] {
        KnopPic->zetKnoppen(false);
        InfoLabel->hide();
    });
    connect(&m_avond, &Avond::schuifBordIn, Pic, &Bord::schuifIn);
    connect(&m_avond, &Avond::spelKlaar, this, [this] {
        KnopPic->toonTeller();
        Pic->setFocus(Qt::OtherFocusReason);
    });
    connect(&m_avond, &Avond::knipperBal, Pic, &Bord::knipper);
    connect(&m_avond, &Avond::balGetoond, this, [this](int n) {
        Pic->toonBal(n);
        KnopPic->voegToe(n);
    });
    connect(&m_avond, &Avond::trekkingKlaar, InfoLabel, &QWidget::hide);
    // The balls called anew, with their letters or without; a ball that still blinks first shows.
    connect(&spel, &Spel::lettersGewijzigd, this, [this] {
        const auto toon = [this] {
            Pic->toonLaatste();
            KnopPic->toonSpel();
        };
        if (m_avond.bezig())
            connect(&m_avond, &Avond::trekkingKlaar, this, toon, Qt::SingleShotConnection);
        else
            toon();
    });
    KaartControleScherm->volg(m_avond);
    connect(KaartControleScherm, &KaartControle::gesloten, &m_avond, &Avond::kaartWeg);
    connect(WebPic, &WebScherm::gesloten, this, [this] { toonWebScherm(false); });
    connect(&m_avond, &Avond::kaartWeggezet, this, [this] { Pic->setFocus(); });
    connect(&m_avond.roeper(), &Roeper::pauzeGewijzigd, this, &Main::toonPauze);
    connect(&m_avond.instellingen(), &AvondInstellingen::weergaveGewijzigd, this, [this] {
        Pic->zetWeergave(m_avond.instellingen().weergave());
        toonBalk();
    });
}

void Main::opdracht(int knop)
{
    KnopPic->druk(knop);
}

void Main::exit()
{
    KnopPic->drukExit();
}

// A space bar held down repeats its key; the lock lets one draw run at a time.
void Main::toets(int toets, bool herhaling)
{
    if (KaartControleScherm->isVisible()) {
        KaartControleScherm->toets(toets);
        return;
    }
    // The address for the hall goes away with any key.
    if (WebPic->isVisible()) {
        if (!herhaling) toonWebScherm(false);
        return;
    }
    // F1 opens and closes the help panel, as the help button does (the organiser's window too).
    if (toets == Qt::Key_F1) {
        if (!herhaling) opdracht(Opdrachtbalk::KnopHelp);
        return;
    }
    // While balls come by themselves, the space bar pauses and resumes that instead.
    Roeper& roeper = m_avond.roeper();
    if (toets == Qt::Key_Space && roeper.zelfTrekken() && !HelpPic->isVisible()) {
        if (!herhaling) roeper.wisselSpatiebalk();
        return;
    }
    // Behind the help panel the hall would not see the ball: no draw while it shows.
    if (HelpPic->isVisible()) return;
    // The next ball from a real drum may be typed while the last one still blinks.
    if (m_balInvoer->toets(toets) || m_avond.bezig()) return;
    if (toets == Qt::Key_F10 && !herhaling)
        m_avond.neemWinnaarTerugVraag();
    else if (toets == Qt::Key_Backspace && !herhaling)
        m_avond.legLaatsteTerugVraag();
    else if (toets == Qt::Key_K && !herhaling)
        controleerKaart();
    else if (toets == Qt::Key_W && !herhaling)
        toonWebScherm(true);
    else if (toets == Qt::Key_Space)
        m_avond.trekAlsKlaar();
}

void Main::controleerKaart()
{
    // A second K, or the button again, puts the card away.
    if (!KaartControleScherm->isHidden()) {
        KaartControleScherm->sluit();
        return;
    }
    if (!HelpPic->isHidden() || QApplication::activeModalWidget()) return;
    m_avond.controleerKaart();
}

void Main::scan(const QString& code)
{
    // The first key of a scanned code may have reached the ball being typed: that goes.
    m_balInvoer->wis();
    if (QApplication::activeModalWidget()) return;
    KaartControleScherm->hide();
    m_avond.controleerGescand(code);
}

// Opens or closes the help panel. While it shows, only Help, Exit and the minimise icon answer.
void Main::helpPaneel()
{
    if (!HelpPic->isHidden()) {
        HelpPic->hide();
        m_avond.roeper().zetPauze(Roeper::Hulp, false);
        KnopPic->zetHulpOpen(false);
        return;
    }
    {
        const BezigeWijzer wijzer;
        KnopPic->zetHulpOpen(true);
        HelpPic->tekenPaneel();
    }
    m_avond.roeper().zetPauze(Roeper::Hulp, true);
    HelpPic->show();
    HelpPic->raise();
}

// Between rounds: the address of the board on the network, large, with its code. Calling by
// itself waits while it shows, as behind the help panel.
void Main::toonWebScherm(bool tonen)
{
    if (tonen == WebPic->isVisible()) return;
    m_avond.roeper().zetPauze(Roeper::Hulp, tonen);
    if (!tonen) {
        WebPic->hide();
        return;
    }
    const QStringList adressen = m_avond.web().adressen();
    if (adressen.isEmpty())
        WebPic->zet(m_avond.web().uitleg(), {});
    else
        WebPic->zet(adressen.first(), adresCode(adressen.first()));
    WebPic->setGeometry(rect());
    WebPic->raise();
    WebPic->show();
}

// What is played for now, centred above the board, large enough for the back of the hall.
void Main::toonProgramma()
{
    // The hall reads the game played from the pattern button: the stage's pattern while there is one.
    KnopPic->zetFasePatroon(m_avond.programma().fasePatroon());
    const QString regel = m_avond.programma().regel();
    if (!ProgrammaLabel) {
        if (regel.isEmpty()) return;
        ProgrammaLabel = maakRegel(this, "ProgrammaLabel", QString(), QColor(250, 220, 120));
        ProgrammaLabel->setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    ProgrammaLabel->setText(regel);
    ProgrammaLabel->setFont(Twips::schermLettertype(QStringLiteral("Arial"), 22, true, m_schaal));
    ProgrammaLabel->adjustSize();
    ProgrammaLabel->move(Twips::naarPixels(m_schermB / 2.0, m_schaal) - ProgrammaLabel->width() / 2,
                         Twips::naarPixels(420, m_schaal));
    ProgrammaLabel->raise();
    ProgrammaLabel->setVisible(!regel.isEmpty());
    // A card being checked and the help panel stay in front.
    if (KaartControleScherm->isVisible()) KaartControleScherm->raise();
    if (!HelpPic->isHidden()) HelpPic->raise();
}

// The round and the instruction, centred 150 twips under the board.
void Main::toonInfo()
{
    InfoLabel->setText((m_avond.instellingen().handmatig()
                            ? QStringLiteral("Ronde %1 / Typ het getal van de bal en Enter, of klik op de bal.")
                            : QStringLiteral("Ronde %1 / Druk op de spatiebalk of klik met de muis op het scherm."))
                           .arg(m_avond.spel().ronde()));
    plaatsOnderBord(InfoLabel);
    InfoLabel->show();
}

// In the place of the instruction under the board, which it hides.
void Main::toonPauze()
{
    const Roeper& roeper = m_avond.roeper();
    const bool tonen = roeper.zelfTrekken() && roeper.gepauzeerd(Roeper::Spatiebalk);
    if (tonen) {
        InfoLabel->hide();
        PauzeLabel->setFont(Twips::schermLettertype(QStringLiteral("Comic Sans MS"), 16, false, m_schaal));
        plaatsOnderBord(PauzeLabel);
        PauzeLabel->raise();
    }
    PauzeLabel->setVisible(tonen);
}

void Main::plaatsOnderBord(QLabel* label)
{
    label->adjustSize();
    const int onder = Pic->twipsY() + Pic->twipsHoogte() + 150;
    label->move(Twips::naarPixels(m_schermB / 2.0, m_schaal) - label->width() / 2, Twips::naarPixels(onder, m_schaal));
}

// The clock is right-justified: its text ends 150 twips from the right edge of the screen,
// whatever the length of the date.
void Main::klokTik()
{
    const QDateTime nu = QDateTime::currentDateTime();
    KlokLabel->setText(QLatin1Char(' ') + nu.time().toString(QStringLiteral("h:mm:ss")) + QStringLiteral(" / ") +
                       QLocale::system().toString(nu.date(), QLocale::ShortFormat));
    KlokLabel->adjustSize();
    KlokLabel->move(Twips::naarPixels(m_schermB - 150, m_schaal) - KlokLabel->width(),
                    Twips::naarPixels(m_schermH - 1530, m_schaal));
}

void Main::verbergWijzer(bool verbergen)
{
    if (verbergen)
        setCursor(Qt::BlankCursor);
    else
        unsetCursor();
    // The picture buttons have the hand of their own.
    KnopPic->verbergWijzer(verbergen);
    HelpPic->PdfImg->setCursor(verbergen ? QCursor(Qt::BlankCursor) : Plaatjes::hand());
}

void Main::zetZaalScherm(bool zaal)
{
    m_zaalScherm = zaal;
    Strook->zetAan(!zaal);
    toonBalk();
}

void Main::toonBalk()
{
    const bool balk = !m_zaalScherm || m_avond.instellingen().weergave().balkInZaal;
    KnopPic->setVisible(balk);
    Image1->setVisible(balk);
}

void Main::closeEvent(QCloseEvent* e)
{
    if (!m_avond.vraagAfsluiten()) {
        e->ignore();
        return;
    }
    Timer1->stop();
    e->accept();
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
