#pragma once

#include "core/game/avond.h"
#include "widgets/game/main.h"

#include <memory>

class TweeSchermen;

// The program as it runs an evening: the evening and its stage. The program, its tests and
// its benchmarks all build it this way.
class Programma
{
public:
    explicit Programma(const Avond::Opzet& opzet);
    ~Programma();

    // What the program does once it is built: the stage full-screen (on the hall's screen, with
    // the organiser's window on the other, when there are two), then the question about an
    // unfinished game.
    void start();
    TweeSchermen* schermen() const { return m_schermen.get(); }

    Avond avond;
    Main hoofd;

private:
    std::unique_ptr<TweeSchermen> m_schermen;
};
