// The caller on the stage: each ball said aloud as it starts to blink, and the next ball drawn
// by itself when the interval runs out.
#include "widgets/common/doek.h"
#include "core/game/spel.h"
#include "core/screen/twips.h"
#include "widgets/game/main.h"
#include "core/game/roeper.h"

#include <QApplication>
#include <QLabel>

void Main::verbindRoeper()
{
    PauzeLabel = new QLabel(QStringLiteral("Zelf trekken staat stil / Druk op de spatiebalk om verder te gaan."), this);
    PauzeLabel->setObjectName(QStringLiteral("PauzeLabel"));
    PauzeLabel->setAttribute(Qt::WA_TranslucentBackground);
    PauzeLabel->setAttribute(Qt::WA_TransparentForMouseEvents);
    QPalette pal = PauzeLabel->palette();
    pal.setColor(QPalette::WindowText, QColor(230, 200, 120));
    PauzeLabel->setPalette(pal);
    PauzeLabel->hide();

    // Said as the model draws, which is when the ball's blink starts; a ball taken back is
    // not said, but the drum is no longer empty.
    connect(&m_spel, &Spel::nieuwSpelGestart, this, [this] { m_roeper->nieuwSpel(m_spel.ronde()); });
    connect(&m_spel, &Spel::balGetrokken, this,
            [this](int n) { m_roeper->balGetrokken(n, m_spel.aantalBallen(), m_spel.inTrommel()); });
    connect(&m_spel, &Spel::balTeruggelegd, this, [this] { m_roeper->zetPauze(Roeper::Leeg, false); });
    connect(&m_spel, &Spel::spelHersteld, this, [this] {
        m_roeper->zetPauze(Roeper::Leeg, m_spel.inTrommel() == 0);
        m_roeper->spelKlaar();
    });
    connect(m_roeper.get(), &Roeper::trekNu, this, &Main::zelfTrekNu);
    connect(m_roeper.get(), &Roeper::pauzeGewijzigd, this, &Main::toonPauze);
}

void Main::zelfTrekNu()
{
    // The same road as the space bar, and never past the lock. Whatever else holds the stage
    // (a box from elsewhere, the help panel) gives the hall a whole interval again.
    if (m_alg.Bezig || HelpPic->isVisible() || QApplication::activeModalWidget() || QApplication::activePopupWidget()) {
        m_roeper->herstart();
        return;
    }
    m_alg.Bezig = true;
    TrekBal();
}

// In the place of the instruction under the board, which it hides.
void Main::toonPauze()
{
    if (!PauzeLabel) return;
    const bool tonen = m_roeper->zelfTrekken() && m_roeper->gepauzeerd(Roeper::Spatiebalk);
    if (tonen) {
        InfoLabel->hide();
        PauzeLabel->setFont(Twips::schermLettertype(QStringLiteral("Comic Sans MS"), 16, false, m_schaal));
        PauzeLabel->adjustSize();
        const int onder = Pic->twipsY() + Pic->twipsHoogte() + 150;
        PauzeLabel->move(px(m_schermB / 2.0) - PauzeLabel->width() / 2, px(onder));
        PauzeLabel->raise();
    }
    PauzeLabel->setVisible(tonen);
}
