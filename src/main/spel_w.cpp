// The game on the main window: drawing a ball, setting up a new game, the board's input
// and the clock.
#include "main/main_w.h"

#include "common/doek_w.h"
#include "common/melding_w.h"
#include "common/plaatjeknop_w.h"
#include "common/plaatjes.h"
#include "common/twips.h"
#include "common/wacht.h"
#include "main/trommel.h"

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

int Main::TrekGetal(int maximum)
{
    const int n = Trommel::trek(m_alg.Getrokken, maximum, m_toeval);
    if (n == 0) {
        Melding::meld(
            this, QStringLiteral("Zorvak"),
            QStringLiteral("Alle %1 ballen zijn geweest!\nDruk op de startknop voor een nieuw spel.").arg(maximum));
        return 0;
    }
    m_alg.AantalGetrokken += 1;
    m_alg.GetrokkenBal = static_cast<std::uint8_t>(n);
    Label2->setText(QStringLiteral("Bal : %1 / %2").arg(m_alg.AantalGetrokken).arg(maximum));
    Label2->adjustSize();
    return n;
}

void Main::TrekBal()
{
    const int spel = m_spelNummer;
    const int aantal = m_spelBallen;
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
                Pic->plaatje(Bal1, hoek.x(), hoek.y(), maat, maat);
                if (!Wacht(fase) || !loopt()) return;
                Pic->plaatje(Bal2, hoek.x(), hoek.y(), maat, maat);
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
}

void Main::NieuwSpel()
{
    // The lock is held from the first step to the last: no ball can land on a board that is
    // still being set up. A draw that is still blinking sees the new game number and stops.
    m_alg.Bezig = true;
    const int spel = ++m_spelNummer;
    const auto loopt = [this, spel] { return m_spelNummer == spel && !WachtTempo::beeindigd(); };

    m_alg.AantalGetrokken = 0;
    m_alg.Getrokken.fill(0);
    for (auto* knop : Knop)
        knop->setEnabled(false);
    Combo1->clear();
    Combo2->clear();
    InfoLabel->hide();

    const int aantal = m_alg.AantalBallen;
    m_spelBallen = aantal;
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
    InfoLabel->setText(
        QStringLiteral("Ronde %1 / Druk op de spatiebalk of klik met de muis op het scherm.").arg(m_alg.RondeTeller));
    QPalette pal = InfoLabel->palette();
    pal.setColor(QPalette::WindowText, QColor(160, 160, 160));
    InfoLabel->setPalette(pal);
    plaatsInfo();
    InfoLabel->show();

    const int cellen = Trommel::aantalCellen(aantal);
    for (int n = 1; n <= cellen; ++n) {
        const QPoint hoek = Trommel::cel(n);
        Pic->plaatje(Bal1, hoek.x(), hoek.y(), Trommel::balMaat, Trommel::balMaat);
        if (!Wacht(0.02) || !loopt()) return;
    }

    Label2->setText(QStringLiteral("Bal : 0 / %1").arg(aantal));
    Label2->adjustSize();
    Pic->setFocus(Qt::OtherFocusReason);
    m_alg.Bezig = false;
}

void Main::bordGeklikt()
{
    if (m_alg.Bezig) return;
    m_alg.Bezig = true;
    TrekBal();
}

// A space bar held down repeats its key; the lock lets one draw run at a time.
void Main::bordToets(int toets, bool /*herhaling*/)
{
    // Behind the help panel the hall would not see the ball: no draw while it shows.
    if (m_alg.Bezig || toets != Qt::Key_Space || HelpPic->isVisible()) return;
    m_alg.Bezig = true;
    TrekBal();
}

void Main::klokTik()
{
    const QDateTime nu = QDateTime::currentDateTime();
    KlokLabel->setText(QLatin1Char(' ') + nu.time().toString(QStringLiteral("h:mm:ss")) + QStringLiteral(" / ") +
                       QLocale::system().toString(nu.date(), QLocale::ShortFormat));
    plaatsKlok();
}
