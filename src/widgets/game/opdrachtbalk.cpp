#include "widgets/game/opdrachtbalk.h"

#include "core/common/wacht.h"
#include "core/game/spel.h"
#include "core/game/trommel.h"
#include "core/screen/plaatjes.h"
#include "core/screen/twips.h"
#include "widgets/cards/kaartcontrole.h"
#include "widgets/common/plaatjeknop.h"
#include "widgets/common/stijl.h"

#include <QComboBox>
#include <QLabel>

namespace
{
const QColor balkKleur(40, 40, 60);
const QColor lijstKleur(150, 150, 170);
// The captions in a light grey: the usual black text is lost on the dark bar.
const QColor tekstKleur(225, 225, 235);

QLabel* maakLabel(QWidget* ouder, const char* naam, const QString& tekst)
{
    auto* label = new QLabel(tekst, ouder);
    label->setObjectName(QString::fromLatin1(naam));
    label->setFont(Twips::schermLettertype(QStringLiteral("Arial"), 20.25, true));
    label->setAttribute(Qt::WA_TranslucentBackground);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, tekstKleur);
    label->setPalette(pal);
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

PlaatjeKnop* maakKnop(QWidget* ouder, const QString& naam, const QString& tip)
{
    auto* knop = new PlaatjeKnop(ouder);
    knop->setObjectName(naam);
    knop->setToolTip(tip);
    knop->setCursor(Plaatjes::hand());
    return knop;
}

QStringList regels(const QComboBox* lijst)
{
    QStringList uit;
    uit.reserve(lijst->count());
    for (int i = 0; i < lijst->count(); ++i)
        uit << lijst->itemText(i);
    return uit;
}
} // namespace

Opdrachtbalk::Opdrachtbalk(const Spel& spel, QWidget* ouder) : Doek(ouder, balkKleur), m_spel(spel)
{
    setObjectName(QStringLiteral("KnopPic"));
    const std::array<const char*, 5> tips = {" Help ", " Kaarten Afdrukken ", " Layout Kaart ", " Instellingen ",
                                             " Spel beginnen "};
    for (int i = 0; i < 5; ++i) {
        Knop[i] = maakKnop(this, QStringLiteral("Knop%1").arg(i), QString::fromLatin1(tips[i]));
        connect(Knop[i], &PlaatjeKnop::clicked, this, [this, i] { druk(i); });
    }
    Label1 = maakLabel(this, "Label1", QStringLiteral("Start"));
    Combo1 = maakLijst(this, "Combo1", QStringLiteral(" Op volgorde "));
    Combo2 = maakLijst(this, "Combo2", QStringLiteral(" Gesorteerd "));
    Label2 = maakLabel(this, "Label2", QStringLiteral("Bal : 0"));
    KaartPic = new Doek(this, balkKleur);
    KaartPic->setObjectName(QStringLiteral("KaartPic"));
    KaartPic->hide();
    ExitLabel = maakLabel(this, "ExitLabel", QStringLiteral("Exit"));
    ExitKnop = maakKnop(this, QStringLiteral("ExitKnop"), QStringLiteral(" Exit "));
    connect(ExitKnop, &PlaatjeKnop::clicked, this, &Opdrachtbalk::drukExit);
    // In the free space of the bar, between the settings and the start button.
    ControleKnop = maakKnop(this, QStringLiteral("ControleKnop"), QStringLiteral(" Kaart controleren (K) "));
    connect(ControleKnop, &PlaatjeKnop::clicked, this, [this] {
        if (ControleKnop->druk()) emit kaartControleren();
    });

    // The pattern button at start-up: both diagonals.
    m_patroon = PatroonKaart::diagonalen();
    m_midden = PatroonKaart::markKleur;
}

void Opdrachtbalk::legUit(int schermBreedte, int schermHoogte, qreal schaal, qreal dpr)
{
    const int breedte = schermBreedte;
    const auto px = [schaal](double twips) { return Twips::naarPixels(twips, schaal); };
    for (Doek* doek : {static_cast<Doek*>(this), KaartPic})
        doek->zetSchaal(schaal, dpr);
    for (PlaatjeKnop* knop : Knop)
        knop->zetSchaal(schaal);
    ExitKnop->zetSchaal(schaal);
    const QString arial = QStringLiteral("Arial");
    for (QLabel* label : {Label1, Label2, ExitLabel}) {
        label->setFont(Twips::schermLettertype(arial, 20.25, true, schaal));
        label->adjustSize();
    }
    for (QComboBox* lijst : {Combo1, Combo2}) {
        lijst->setFont(Twips::schermLettertype(arial, 15.75, false, schaal));
        zetLijstSchaal(lijst, schaal);
    }
    zetPlaats(0, schermHoogte - 1200, breedte, 1200);

    // The band: the dot texture, then the shine, black at its edges and light grey in its middle.
    zetAchtergrond(balkKleur);
    stippen(0, 10, breedte, 1200, 45, QColor(70, 70, 90));
    for (int i = 0; i <= 120; i += 15) {
        const QColor grijs(2 * i, 2 * i, 2 * i);
        lijn(0, i, breedte, i, grijs);
        lijn(0, 240 - i, breedte, 240 - i, grijs);
    }

    const std::array<int, 5> links = {150, 1200, 2250, 3300, 5400};
    for (int i = 0; i < 5; ++i)
        Knop[i]->zetPlaats(links[i], 330, 720, 720);
    Label1->move(px(6210), px(480));
    Combo1->setGeometry(px(7500), px(480), px(1200), Combo1->sizeHint().height());
    Combo2->setGeometry(px(8760), px(480), px(1200), Combo2->sizeHint().height());
    Label2->move(px(10200), px(480));
    KaartPic->zetPlaats(12690, 360, 645, 645);
    ExitLabel->move(px(breedte - 1680), px(480));
    ExitKnop->zetPlaats(breedte - 825, 345, 720, 720);

    // Every picture drawn for the size it shows at. Below 1 a painter draws no finer than one
    // pixel per design pixel: those pictures are made at 1 and shown smaller.
    const qreal f = std::max<qreal>(1.0, dpr * schaal);
    Knop[KnopHelp]->zetPlaatje(Plaatjes::helpKnop(f));
    Knop[KnopAfdrukken]->zetPlaatje(Plaatjes::printer(48, f));
    Knop[KnopInstellingen]->zetPlaatje(Plaatjes::tandwielen(f));
    Knop[KnopStart]->zetPlaatje(Plaatjes::startPijlen(f));
    ExitKnop->zetPlaatje(Plaatjes::exitKnop(f));
    tekenPatroonKnop();
    ControleKnop->zetSchaal(schaal);
    ControleKnop->zetPlaats(4350, 330, 720, 720);
    ControleKnop->zetPlaatje(KaartControle::knopPlaatje(f));
}

// Each press remembers where its button was; a press on another button during the wait keeps
// its own position, and so both buttons end where they belong.
void Opdrachtbalk::druk(int knop)
{
    if (knop < 0 || knop >= static_cast<int>(Knop.size())) return;
    if (!Knop[knop]->druk()) return;
    switch (knop) {
    case KnopHelp:
        emit help();
        break;
    case KnopAfdrukken:
        emit afdrukken();
        break;
    case KnopLayout:
        emit layoutKaart();
        break;
    case KnopInstellingen:
        emit instellingen();
        break;
    case KnopStart:
        emit spelBeginnen();
        break;
    default:
        break;
    }
}

// Exit waits another moment after its press before the window closes.
void Opdrachtbalk::drukExit()
{
    if (ExitKnop->druk() && Wacht(0.2)) emit afsluiten();
}

void Opdrachtbalk::zetKnoppen(bool aan)
{
    for (PlaatjeKnop* knop : Knop)
        knop->setEnabled(aan);
}

void Opdrachtbalk::zetHulpOpen(bool open)
{
    for (int i : {KnopAfdrukken, KnopLayout, KnopInstellingen, KnopStart})
        Knop[i]->setEnabled(!open);
}

void Opdrachtbalk::zetPatroon(const PatroonKaart::Patroon& patroon, const QColor& midden)
{
    m_patroon = patroon;
    m_midden = midden;
    tekenPatroonKnop();
}

void Opdrachtbalk::zetFasePatroon(const std::optional<PatroonKaart::Patroon>& patroon)
{
    if (patroon == m_fasePatroon) return;
    m_fasePatroon = patroon;
    tekenPatroonKnop();
}

// The small card with a margin of the bar's colour left and top, composed on KaartPic.
void Opdrachtbalk::tekenPatroonKnop()
{
    KaartPic->wis();
    if (m_fasePatroon)
        PatroonKaart::tekenKlein(*KaartPic, *m_fasePatroon, PatroonKaart::markKleur, 105);
    else
        PatroonKaart::tekenKlein(*KaartPic, m_patroon, m_midden, 105);
    Knop[KnopLayout]->zetPlaatje(KaartPic->beeld());
}

void Opdrachtbalk::verbergWijzer(bool verbergen)
{
    const QCursor wijzer = verbergen ? QCursor(Qt::BlankCursor) : Plaatjes::hand();
    for (PlaatjeKnop* knop : Knop)
        knop->setCursor(wijzer);
    ExitKnop->setCursor(wijzer);
}

void Opdrachtbalk::leegLijsten()
{
    Combo1->clear();
    Combo2->clear();
}

void Opdrachtbalk::voegToe(int getal)
{
    const QString regel = m_spel.lijstRegel(getal);
    Combo1->addItem(regel);
    Combo1->setCurrentIndex(Combo1->count() - 1);
    Combo2->insertItem(Trommel::sorteerPlaats(regels(Combo2), regel), regel);
    Combo2->setCurrentIndex(Combo2->count() - 1);
}

void Opdrachtbalk::haalWeg(int getal)
{
    const QString regel = m_spel.lijstRegel(getal);
    for (QComboBox* lijst : {Combo1, Combo2}) {
        const int i = lijst->findText(regel, Qt::MatchExactly);
        if (i >= 0) lijst->removeItem(i);
        lijst->setCurrentIndex(lijst->count() - 1);
    }
    toonTeller();
}

void Opdrachtbalk::toonSpel()
{
    leegLijsten();
    if (!m_spel.heeftSpel()) return;
    QStringList gesorteerd;
    for (const Spel::Bal& bal : m_spel.ballen()) {
        const QString regel = m_spel.lijstRegel(bal.getal);
        Combo1->addItem(regel);
        gesorteerd.insert(Trommel::sorteerPlaats(gesorteerd, regel), regel);
    }
    Combo2->addItems(gesorteerd);
    Combo1->setCurrentIndex(Combo1->count() - 1);
    Combo2->setCurrentIndex(Combo2->count() - 1);
    toonTeller();
}

void Opdrachtbalk::toonTeller()
{
    Label2->setText(QStringLiteral("Bal : %1 / %2").arg(m_spel.ballen().size()).arg(m_spel.aantalBallen()));
    Label2->adjustSize();
}
