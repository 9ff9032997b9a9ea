// The game on the main window: drawing a ball, setting up a new game, taking a ball back,
// the board's input and the clock. The game itself is the model; this file shows it.
#include "widgets/game/main.h"

#include "widgets/common/doek.h"
#include "widgets/common/melding.h"
#include "widgets/common/plaatjeknop.h"
#include "core/screen/plaatjes.h"
#include "core/game/spel.h"
#include "core/game/trommel.h"
#include "core/screen/twips.h"
#include "core/game/verloop.h"
#include "core/common/wacht.h"
#include "core/game/roeper.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDateTime>
#include <QLabel>
#include <QLocale>

#include <algorithm>

namespace
{
QStringList regels(const QComboBox* lijst)
{
    QStringList uit;
    uit.reserve(lijst->count());
    for (int i = 0; i < lijst->count(); ++i)
        uit << lijst->itemText(i);
    return uit;
}
} // namespace

void Main::volgSpel()
{
    connect(&m_spel, &Spel::nieuwSpelGestart, this, [this] {
        spelNaarAlgemeen();
        Combo1->clear();
        Combo2->clear();
    });
    connect(&m_spel, &Spel::balGetrokken, this, [this](int n) {
        spelNaarAlgemeen();
        m_alg.GetrokkenBal = static_cast<std::uint8_t>(n);
        toonTeller();
    });
    connect(&m_spel, &Spel::balTeruggelegd, this, &Main::toonTeruggelegd);
    connect(&m_spel, &Spel::spelHersteld, this, &Main::toonSpel);
}

// The game fields of the settings record follow the model, for whoever still reads them.
void Main::spelNaarAlgemeen()
{
    m_alg.AantalGetrokken = static_cast<std::int32_t>(m_spel.ballen().size());
    for (int n = 1; n <= 90; ++n)
        m_alg.Getrokken[n] = m_spel.isGetrokken(n) ? 1 : 0;
}

void Main::toonTeller()
{
    Label2->setText(QStringLiteral("Bal : %1 / %2").arg(m_spel.ballen().size()).arg(m_spel.aantalBallen()));
    Label2->adjustSize();
}

// The last ball large below the grid, or the box empty when none is drawn.
void Main::toonLaatste()
{
    const QRect vak = Trommel::grootVak(m_spel.aantalBallen());
    if (m_spel.laatste() == 0)
        Pic->vul(vak.left(), vak.top(), vak.right(), vak.bottom(), Plaatjes::bordKleur);
    else
        tekenGrootGetal(m_spel.laatste(), m_spel.aantalBallen());
}

void Main::toonInfo()
{
    InfoLabel->setText(
        QStringLiteral("Ronde %1 / Druk op de spatiebalk of klik met de muis op het scherm.").arg(m_spel.ronde()));
    QPalette pal = InfoLabel->palette();
    pal.setColor(QPalette::WindowText, QColor(160, 160, 160));
    InfoLabel->setPalette(pal);
    plaatsInfo();
    InfoLabel->show();
}

int Main::TrekGetal(int maximum)
{
    const int n = m_spel.trek(m_toeval);
    if (n == 0)
        Melding::meld(
            this, QStringLiteral("Zorvak"),
            QStringLiteral("Alle %1 ballen zijn geweest!\nDruk op de startknop voor een nieuw spel.").arg(maximum));
    return n;
}

void Main::TrekBal()
{
    const int spel = m_spelNummer;
    const int aantal = m_spel.aantalBallen();
    // Every wait lets the program run on: the organiser may start a new game, which empties
    // the board this ball would land on, or end the program. Either way this draw stops.
    const auto loopt = [this, spel] { return m_spelNummer == spel && !WachtTempo::beeindigd(); };

    if (aantal == 75 || aantal == 90) {
        const int n = TrekGetal(aantal);
        if (!loopt()) return;
        if (n > 0) {
            m_alg.BalLetter = Trommel::letter(n, aantal);
            const QPoint hoek = Trommel::cel(n);
            const int maat = Trommel::balMaat;
            const double fase = m_alg.KnipperSnelheid / 10.0;
            const int keer = m_alg.KnipperAantal;
            for (int i = 0; i < keer; ++i) {
                Pic->plaatje(Bal1(), hoek.x(), hoek.y(), maat, maat);
                if (!Wacht(fase) || !loopt()) return;
                Pic->plaatje(Bal2(), hoek.x(), hoek.y(), maat, maat);
                if (!Wacht(fase) || !loopt()) return;
            }

            tekenGetal(n);
            tekenGrootGetal(n, aantal);

            const QString regel = Trommel::lijstRegel(n, aantal);
            Combo1->addItem(regel);
            Combo1->setCurrentIndex(Combo1->count() - 1);
            Combo2->insertItem(Trommel::sorteerPlaats(regels(Combo2), regel), regel);
            Combo2->setCurrentIndex(Combo2->count() - 1);
        }
    }
    m_alg.Bezig = false;
    InfoLabel->hide();
    // The next ball by itself comes a whole interval after this one is shown.
    m_roeper->herstart();
}

void Main::NieuwSpel()
{
    // The lock is held from the first step to the last: no ball can land on a board that is
    // still being set up. A draw that is still blinking sees the new game number and stops.
    m_alg.Bezig = true;
    const int spel = ++m_spelNummer;
    const auto loopt = [this, spel] { return m_spelNummer == spel && !WachtTempo::beeindigd(); };

    const int aantal = m_alg.AantalBallen;
    m_spel.nieuwSpel(aantal, m_alg.RondeTeller);
    for (auto* knop : Knop)
        knop->setEnabled(false);
    InfoLabel->hide();

    const int hoogte = Trommel::bordHoogte(aantal);
    Pic->wis();
    Pic->zetPlaats(Pic->twipsX(), Pic->twipsY(), Pic->twipsBreedte(), hoogte);
    Pic->wis();
    m_bordRust = false;

    for (int i = 0; i <= 120; i += 15)
        Pic->kader(i, i, 14895 - i, hoogte - 15 - i, QColor(2 * i, 2 * i, 2 * i));

    // The resting place is asked at every step: the screen may change during the slide.
    for (int boven = -9000; boven <= Trommel::rustBoven(m_schermH, hoogte); boven += 60) {
        Pic->zetPositie(Pic->twipsX(), boven);
        if (!Wacht(0.01) || !loopt()) return;
        QCoreApplication::processEvents();
        if (!loopt()) return;
    }

    m_bordRust = true;
    toonInfo();

    const int cellen = Trommel::aantalCellen(aantal);
    for (int n = 1; n <= cellen; ++n) {
        const QPoint hoek = Trommel::cel(n);
        Pic->plaatje(Bal1(), hoek.x(), hoek.y(), Trommel::balMaat, Trommel::balMaat);
        if (!Wacht(0.02) || !loopt()) return;
    }

    toonTeller();
    Pic->setFocus(Qt::OtherFocusReason);
    m_alg.Bezig = false;
    m_roeper->spelKlaar();
}

// The whole game at once, as the model holds it: the board where a slide-in would have left
// it, every ball in its cell, the big display, both lists and the counter. No animation runs,
// and a draw that was still blinking stops.
void Main::toonSpel()
{
    ++m_spelNummer;
    spelNaarAlgemeen();
    const int aantal = m_spel.aantalBallen();
    m_alg.GetrokkenBal = static_cast<std::uint8_t>(m_spel.laatste());
    m_alg.BalLetter = Trommel::letter(m_spel.laatste(), aantal);
    m_alg.RondeTeller = std::max(m_alg.RondeTeller, m_spel.ronde());
    Combo1->clear();
    Combo2->clear();
    if (aantal == 0) return;

    const int hoogte = Trommel::bordHoogte(aantal);
    Pic->zetPlaats(Pic->twipsX(), Trommel::eindBoven(m_schermH, hoogte), Pic->twipsBreedte(), hoogte);
    m_bordRust = true;
    tekenBordOpnieuw();

    QStringList gesorteerd;
    for (const Spel::Bal& bal : m_spel.ballen()) {
        const QString regel = Trommel::lijstRegel(bal.getal, aantal);
        Combo1->addItem(regel);
        gesorteerd.insert(Trommel::sorteerPlaats(gesorteerd, regel), regel);
    }
    Combo2->addItems(gesorteerd);
    Combo1->setCurrentIndex(Combo1->count() - 1);
    Combo2->setCurrentIndex(Combo2->count() - 1);
    toonTeller();
    if (m_spel.ballen().isEmpty())
        toonInfo();
    else
        InfoLabel->hide();
    for (auto* knop : Knop)
        knop->setEnabled(true);
    Pic->setFocus(Qt::OtherFocusReason);
    m_alg.Bezig = false;
}

// A ball back in the drum: its cell shows an undrawn ball again, it leaves both lists, and
// the big display shows the ball before it.
void Main::toonTeruggelegd(int n)
{
    spelNaarAlgemeen();
    const int aantal = m_spel.aantalBallen();
    m_alg.GetrokkenBal = static_cast<std::uint8_t>(m_spel.laatste());
    m_alg.BalLetter = Trommel::letter(m_spel.laatste(), aantal);
    const QPoint hoek = Trommel::cel(n);
    const int rand = Trommel::balMaat - Twips::perPixel;
    Pic->vul(hoek.x(), hoek.y(), hoek.x() + rand, hoek.y() + rand, Plaatjes::bordKleur);
    Pic->plaatje(Bal1(), hoek.x(), hoek.y(), Trommel::balMaat, Trommel::balMaat);
    toonLaatste();

    const QString regel = Trommel::lijstRegel(n, aantal);
    for (QComboBox* lijst : {Combo1, Combo2}) {
        const int i = lijst->findText(regel, Qt::MatchExactly);
        if (i >= 0) lijst->removeItem(i);
        lijst->setCurrentIndex(lijst->count() - 1);
    }
    toonTeller();
}

void Main::zetVerloop(Verloop* verloop)
{
    m_verloop = verloop;
    if (m_verloop)
        m_verloop->zetMelder([this](const QString& tekst) { Melding::meld(this, QStringLiteral("Zorvak"), tekst); });
}

void Main::hervatVorigSpel()
{
    if (!m_verloop) return;
    const auto laatste = m_verloop->bijStart();
    if (!laatste) return;
    m_spel.zetLaatsteNummer(laatste->stand.spelNummer);
    const auto getrokken = laatste->stand.ballen.size();
    if (laatste->afgemaakt || getrokken == 0) return;
    if (Melding::vraag(this, QStringLiteral("Zorvak"),
                       QStringLiteral("Het vorige spel is niet afgemaakt (%1 ballen getrokken). Wilt u verder spelen?")
                           .arg(getrokken))) {
        m_verloop->hervat(*laatste);
        m_spel.herstel(laatste->stand);
    } else {
        m_verloop->geefOp(*laatste);
    }
}

void Main::bordGeklikt()
{
    if (m_alg.Bezig) return;
    m_alg.Bezig = true;
    TrekBal();
}

// A space bar held down repeats its key; the lock lets one draw run at a time.
void Main::bordToets(int toets, bool herhaling)
{
    // While balls come by themselves, the space bar pauses and resumes that instead.
    if (toets == Qt::Key_Space && m_roeper->zelfTrekken() && !HelpPic->isVisible()) {
        if (!herhaling) m_roeper->wisselSpatiebalk();
        return;
    }
    // Behind the help panel the hall would not see the ball: no draw while it shows.
    if (m_alg.Bezig || HelpPic->isVisible()) return;
    if (toets == Qt::Key_Backspace && !herhaling) {
        terugleggenVraag();
        return;
    }
    if (toets == Qt::Key_K && !herhaling) {
        controleerKaart();
        return;
    }
    if (toets != Qt::Key_Space) return;
    m_alg.Bezig = true;
    TrekBal();
}

// Backspace: the last ball back in the drum, once the organiser confirmed it. The lock is held
// while the question shows, so nothing is drawn meanwhile.
void Main::terugleggenVraag()
{
    const int n = m_spel.laatste();
    if (n == 0) return;
    m_alg.Bezig = true;
    bool ja = false;
    {
        const Roeper::Pauze pauze(m_roeper.get(), Roeper::Vraag);
        ja = Melding::vraag(
            this, QStringLiteral("Zorvak"),
            QStringLiteral("Bal %1 terugleggen in de trommel?").arg(Trommel::lijstRegel(n, m_spel.aantalBallen())),
            false);
    }
    m_alg.Bezig = false;
    if (ja && m_spel.laatste() == n) m_spel.neemTerug();
}

void Main::klokTik()
{
    const QDateTime nu = QDateTime::currentDateTime();
    KlokLabel->setText(QLatin1Char(' ') + nu.time().toString(QStringLiteral("h:mm:ss")) + QStringLiteral(" / ") +
                       QLocale::system().toString(nu.date(), QLocale::ShortFormat));
    plaatsKlok();
}
