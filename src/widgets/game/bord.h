#pragma once

#include "core/settings/weergave.h"
#include "widgets/common/doek.h"

#include <QImage>

struct Algemeen;
class Spel;

// The board: the canvas on which the balls of the game are drawn, 14910 twips wide. It shows
// the game as the model holds it and animates what the evening asks: the slide-in of a new
// game and the blink of a drawn ball. Its look comes from the settings (ball pictures, blink,
// the number's colour). The stage and the organiser's mirror each have one.
class Bord : public Doek
{
    Q_OBJECT
public:
    Bord(const Spel& spel, const Algemeen& alg, QWidget* ouder = nullptr);

    static constexpr int breedte = 14910;

    // Places the board centred on a screen of this width and height in twips, at the stage's
    // scale: above the screen before the first game, else where the slide-in ends. The drawing
    // is made anew at the new resolution.
    void legUit(int schermBreedte, int schermHoogte, qreal schaal, qreal dpr);
    // True once the board of the current game has slid in and rests.
    bool inRust() const { return m_rust; }

    // A new game: the board empties, gets its height and frame, slides in from above and fills
    // with undrawn balls, each step after a short wait. False when it was stopped on the way (a
    // newer game, a game taken up, the end of the program).
    bool schuifIn(int aantalBallen);
    // A drawn ball blinks in its cell between the two ball pictures; false when stopped.
    bool knipper(int getal);
    // The drawn ball's number on its ball and large in the big display.
    void toonBal(int getal);
    // A ball back in the drum: its cell shows an undrawn ball, the big display the ball before.
    void toonTeruggelegd(int getal);
    // The whole game at once, where a slide-in would have left it; a blink still running stops.
    void toonSpel();
    // Everything drawn anew from the game: frame, balls, numbers, the big display.
    void tekenOpnieuw();
    // The big display and the strip anew: the last ball as the game calls it, or empty.
    void toonLaatste();

    // The big display in its high-contrast form or as ever, and the strip of the balls before
    // the last or none; the board is drawn anew.
    void zetWeergave(const Weergave& weergave);
    // The colour of the last ball in its high-contrast form and of the strip's balls.
    static const QColor contrastKleur;

    // Bal1 and Bal2 take the ball pictures of BalKleur and KnipperKleur; a number that names no
    // picture leaves the picture as it was. Each is made when first asked for.
    void zetBalPlaatjes();
    const QImage& Bal1() { return balPlaatje(m_bal1); }
    const QImage& Bal2() { return balPlaatje(m_bal2); }

signals:
    // The slide-in has reached its resting place; the balls follow.
    void rust();

private:
    // A ball picture as zetBalPlaatjes chose it: which of the set, at what resolution, and the
    // picture once made.
    struct BalKeuze {
        int index = 0;
        qreal dpr = 1.0;
        QImage plaatje;
    };
    const QImage& balPlaatje(BalKeuze& keuze);
    void tekenKader();
    void tekenCel(int getal, const QImage& bal);
    void tekenGetal(int getal);
    void tekenGrootGetal(int getal);
    void tekenStrook();
    bool loopt(int generatie) const;

    const Spel& m_spel;
    const Algemeen& m_alg;
    int m_schermHoogte = 11520;
    bool m_rust = false;
    // Raised by every slide-in and every game shown at once: an animation of an older board stops.
    int m_generatie = 0;
    BalKeuze m_bal1;
    BalKeuze m_bal2;
    Weergave m_weergave;
};
