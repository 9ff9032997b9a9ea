#include "widgets/game/main.h"

#include "widgets/common/doek.h"
#include "core/settings/extrainstellingen.h"
#include "core/settings/instellingen.h"
#include "widgets/common/melding.h"
#include "widgets/common/plaatjeknop.h"
#include "core/screen/plaatjes.h"
#include "core/game/spel.h"
#include "widgets/common/stijl.h"
#include "core/game/trommel.h"
#include "core/screen/twips.h"
#include "core/common/wacht.h"
#include "widgets/settings/extra.h"
#include "widgets/game/achtergrond.h"
#include "core/game/roeper.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTimer>

#include <algorithm>

namespace
{
const QColor balkKleur(40, 40, 60);
const QColor lijstKleur(150, 150, 170);
const QColor klokKleur(160, 160, 160);
const QColor balkTekstKleur(225, 225, 235);

QLabel* maakLabel(QWidget* ouder, const char* naam, const QString& tekst, double punten, bool vet)
{
    auto* label = new QLabel(tekst, ouder);
    label->setObjectName(QString::fromLatin1(naam));
    label->setFont(Twips::schermLettertype(QStringLiteral("Arial"), punten, vet));
    label->setAttribute(Qt::WA_TranslucentBackground);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    return label;
}

QComboBox* maakLijst(QWidget* ouder, const char* naam, const QString& tip)
{
    auto* lijst = new QComboBox(ouder);
    lijst->setObjectName(QString::fromLatin1(naam));
    lijst->setToolTip(tip);
    lijst->setMaxVisibleItems(20);
    QPalette pal = lijst->palette();
    for (auto rol : {QPalette::Base, QPalette::Button, QPalette::Window})
        pal.setColor(rol, lijstKleur);
    for (auto rol : {QPalette::Text, QPalette::ButtonText, QPalette::WindowText})
        pal.setColor(rol, Qt::black);
    lijst->setPalette(pal);
    maakVlak(lijst);
    return lijst;
}
} // namespace

Main::Main(Algemeen& alg, Spel& spel, const InstellingenBestand& bestand, Toeval& toeval, QWidget* ouder)
    : QWidget(ouder), m_alg(alg), m_spel(spel), m_bestand(bestand), m_toeval(toeval),
      m_beeindig([this] { QCoreApplication::exit(m_afsluitCode); })
{
    setObjectName(QStringLiteral("Main"));
    setWindowTitle(QStringLiteral(" Zorvak"));
    setWindowIcon(Plaatjes::vensterIcoon());
    setWindowFlag(Qt::FramelessWindowHint);

    maakBesturing();
    maakKaartControle();
    // The pattern button at start-up: both diagonals.
    for (int k : {1, 7, 13, 19, 25, 5, 9, 17, 21})
        m_knopPatroon[k] = 1;
    m_knopMidden = QColor(200, 0, 0);

    // The settings before the layout: they choose the ball pictures, made with the rest of the
    // pictures at the screen's size, and the background.
    m_bestand.laadBijStart(m_alg);
    BackImage->laadVooruit(m_alg.AchtergrondBestand);
    QScreen* scherm = QGuiApplication::primaryScreen();
    legUit(scherm ? scherm->geometry() : QRect(0, 0, 1024, 768), scherm ? scherm->devicePixelRatio() : 1.0);
    m_extra = std::make_unique<ExtraInstellingen>(m_bestand.instellingenMap());
    m_roeper = std::make_unique<Roeper>(*m_extra);
    verbindRoeper();

    verbind();
    volgSpel();
    klokTik();
    Timer1->start();
}

Main::~Main() = default;

void Main::extraDialoog(QWidget* ouder)
{
    const Roeper::Pauze pauze(m_roeper.get(), Roeper::Dialoog);
    Extra dlg(ouder ? ouder : this, m_roeper->instellingen(), m_roeper->stem());
    if (dlg.exec() != QDialog::Accepted) {
        // A voice tried out with "Luister" goes back to the one that was kept.
        m_roeper->stelStem();
        return;
    }
    QString fout;
    if (!m_roeper->zetInstellingen(dlg.waarden(), &fout))
        Melding::meld(this, QStringLiteral(" Extra"),
                      QStringLiteral("De instellingen konden niet worden bewaard.\n") + fout);
}

QString Main::programmaMap() const
{
    return m_bestand.programmaMap();
}

QString Main::instellingenMap() const
{
    return m_bestand.instellingenMap();
}

void Main::maakBesturing()
{
    BackImage = new Achtergrond(this);
    BackImage->setObjectName(QStringLiteral("BackImage"));

    Pic = new Doek(this, Plaatjes::bordKleur);
    Pic->setObjectName(QStringLiteral("Pic"));
    Pic->setFocusPolicy(Qt::StrongFocus);

    InfoLabel = new QLabel(this);
    InfoLabel->setObjectName(QStringLiteral("InfoLabel"));
    InfoLabel->setFont(Twips::schermLettertype(QStringLiteral("Comic Sans MS"), 16));
    InfoLabel->setAttribute(Qt::WA_TranslucentBackground);
    InfoLabel->hide();

    HelpPic = new Doek(this, QColor(40, 20, 20));
    HelpPic->setObjectName(QStringLiteral("HelpPic"));
    HelpPic->hide();

    PdfImg = new PlaatjeKnop(HelpPic);
    PdfImg->setObjectName(QStringLiteral("PdfImg"));
    PdfImg->setToolTip(QStringLiteral(" Ja hier klikken "));
    PdfImg->setCursor(Plaatjes::hand());
    PdfImg->zetPlaats(510, 6600, 720, 720);

    DpiImg = new PlaatjeKnop(HelpPic);
    DpiImg->setObjectName(QStringLiteral("DpiImg"));
    DpiImg->zetPlaats(510, 7440, 720, 720);

    Image1 = new PlaatjeKnop(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setToolTip(QStringLiteral(" Scherm verkleinen "));

    KnopPic = new Doek(this, balkKleur);
    KnopPic->setObjectName(QStringLiteral("KnopPic"));

    const std::array<const char*, 5> tips = {" Help ", " Kaarten Afdrukken ", " Layout Kaart ", " Instellingen ",
                                             " Spel beginnen "};
    for (int i = 0; i < 5; ++i) {
        Knop[i] = new PlaatjeKnop(KnopPic);
        Knop[i]->setObjectName(QStringLiteral("Knop%1").arg(i));
        Knop[i]->setToolTip(QString::fromLatin1(tips[i]));
        Knop[i]->setCursor(Plaatjes::hand());
    }

    Label1 = maakLabel(KnopPic, "Label1", QStringLiteral("Start"), 20.25, true);
    Combo1 = maakLijst(KnopPic, "Combo1", QStringLiteral(" Op volgorde "));
    Combo2 = maakLijst(KnopPic, "Combo2", QStringLiteral(" Gesorteerd "));
    Label2 = maakLabel(KnopPic, "Label2", QStringLiteral("Bal : 0"), 20.25, true);

    KaartPic = new Doek(KnopPic, balkKleur);
    KaartPic->setObjectName(QStringLiteral("KaartPic"));
    KaartPic->hide();

    ExitLabel = maakLabel(KnopPic, "ExitLabel", QStringLiteral("Exit"), 20.25, true);
    // The bar's captions in a light grey: the usual black text is lost on the dark bar.
    for (QLabel* label : {Label1, Label2, ExitLabel}) {
        QPalette pal = label->palette();
        pal.setColor(QPalette::WindowText, balkTekstKleur);
        label->setPalette(pal);
    }
    ExitKnop = new PlaatjeKnop(KnopPic);
    ExitKnop->setObjectName(QStringLiteral("ExitKnop"));
    ExitKnop->setToolTip(QStringLiteral(" Exit "));
    ExitKnop->setCursor(Plaatjes::hand());

    KlokLabel = maakLabel(this, "KlokLabel", QString(), 9.75, false);
    KlokLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QPalette pal = KlokLabel->palette();
    pal.setColor(QPalette::WindowText, klokKleur);
    KlokLabel->setPalette(pal);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
}

void Main::plaatsBesturing()
{
    const int w = m_schermB;
    const int h = m_schermH;
    BackImage->setGeometry(Twips::rect(0, 0, w, h, m_schaal));
    HelpPic->zetPlaats(0, 0, w, h - 1200);
    Image1->zetPlaats(w - 540, 120, 390, 270);
    KnopPic->zetPlaats(0, h - 1200, w, 1200);
    tekenKnopPic();

    const std::array<int, 5> links = {150, 1200, 2250, 3300, 5400};
    for (int i = 0; i < 5; ++i)
        Knop[i]->zetPlaats(links[i], 330, 720, 720);
    Label1->move(px(6210), px(480));
    Combo1->setGeometry(px(7500), px(480), px(1200), Combo1->sizeHint().height());
    Combo2->setGeometry(px(8760), px(480), px(1200), Combo2->sizeHint().height());
    Label2->move(px(10200), px(480));
    KaartPic->zetPlaats(12690, 360, 645, 645);
    ExitLabel->move(px(w - 1680), px(480));
    ExitKnop->zetPlaats(w - 825, 345, 720, 720);
    // A board at rest stays where the slide ends.
    const int boven = m_bordRust ? Trommel::eindBoven(h, Pic->twipsHoogte()) : Pic->twipsY();
    Pic->zetPlaats(w / 2 - 7455, m_spelNummer == 0 ? -9000 : boven, 14910,
                   m_spelNummer == 0 ? 8790 : Pic->twipsHoogte());
    plaatsKlok();

    // Stacking: the background at the bottom, the help panel over the board, the bar on top.
    BackImage->lower();
    HelpPic->raise();
    KnopPic->raise();
    KlokLabel->raise();
    Image1->raise();
}

void Main::tekenKnopPic()
{
    const int w = m_schermB;
    KnopPic->zetAchtergrond(balkKleur);
    KnopPic->stippen(0, 10, w, 1200, 45, QColor(70, 70, 90));
    for (int i = 0; i <= 120; i += 15) {
        const QColor grijs(2 * i, 2 * i, 2 * i);
        KnopPic->lijn(0, i, w, i, grijs);
        KnopPic->lijn(0, 240 - i, w, 240 - i, grijs);
    }
}

// The clock is right-justified: its text ends 150 twips from the right edge of the screen,
// whatever the length of the date.
void Main::plaatsKlok()
{
    KlokLabel->adjustSize();
    const int rechts = px(m_schermB - 150);
    KlokLabel->move(rechts - KlokLabel->width(), px(m_schermH - 1530));
}

void Main::zetBalPlaatjes()
{
    const qreal dpr = std::max<qreal>(1.0, Pic->beeldFactor());
    const auto kies = [dpr](BalKeuze& keuze, int index, int anders) {
        const bool bestaat = index >= 1 && index <= Plaatjes::aantalBallen;
        if (!bestaat && keuze.index != 0) return;
        keuze = BalKeuze{bestaat ? index : anders, dpr, QImage()};
    };
    kies(m_bal1, m_alg.balKleurIndex(), 7);
    kies(m_bal2, m_alg.KnipperKleur, 3);
}

const QImage& Main::Free()
{
    if (m_free.isNull()) m_free = Plaatjes::free();
    return m_free;
}

const QImage& Main::balPlaatje(BalKeuze& keuze)
{
    if (keuze.plaatje.isNull()) keuze.plaatje = Plaatjes::bal(keuze.index, keuze.dpr);
    return keuze.plaatje;
}

bool Main::zetAchtergrond(const QString& pad)
{
    return BackImage->laad(pad);
}

void Main::verbind()
{
    connect(Timer1, &QTimer::timeout, this, &Main::klokTik);
    connect(Pic, &Doek::geklikt, this, &Main::bordGeklikt);
    connect(Pic, &Doek::toetsIngedrukt, this, &Main::bordToets);
    for (int i = 0; i < 5; ++i)
        connect(Knop[i], &PlaatjeKnop::clicked, this, [this, i] { knopGeklikt(i); });
    connect(ExitKnop, &PlaatjeKnop::clicked, this, &Main::exitGeklikt);
    connect(BackImage, &Achtergrond::dubbelGeklikt, this, &Main::achtergrondDubbelklik);
    connect(KnopPic, &Doek::geklikt, this, &Main::balkGeklikt);
    connect(PdfImg, &PlaatjeKnop::clicked, this, &Main::pdfGeklikt);
    connect(DpiImg, &PlaatjeKnop::clicked, this, &Main::dpiGeklikt);
    connect(Image1, &PlaatjeKnop::clicked, this, &Main::showMinimized);
}

void Main::closeEvent(QCloseEvent* e)
{
    if (m_afgesloten) {
        e->accept();
        return;
    }
    if (m_vraagtAfsluiten) {
        e->ignore();
        return;
    }
    m_vraagtAfsluiten = true;
    bool ja = false;
    {
        const Roeper::Pauze pauze(m_roeper.get(), Roeper::Vraag);
        ja = Melding::vraag(this, QStringLiteral(" Exit programma"),
                            QStringLiteral("Wilt u dit programma nu afsluiten?"));
    }
    m_vraagtAfsluiten = false;
    if (!ja) {
        e->ignore();
        return;
    }
    m_afgesloten = true;
    m_spel.meldAfgesloten();
    Timer1->stop();
    WachtTempo::zetBeeindigd(true);
    QString fout;
    if (!m_bestand.schrijf(m_alg, &fout)) {
        // Said to the organiser, and to whatever started the program: it did not end well.
        m_afsluitCode = 1;
        Melding::meld(this, QStringLiteral(" Exit programma"),
                      QStringLiteral("De instellingen konden niet worden bewaard in\n%1\n\n%2")
                          .arg(QDir::toNativeSeparators(m_bestand.pad()), fout));
    }
    e->accept();
    m_beeindig();
}
