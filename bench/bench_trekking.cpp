// What a draw costs: the processor time used while a ball blinks, as a share of the time it
// blinks, and the time from the space bar to the first blink phase on screen.
#include "benchhulp.h"
#include "benchspel.h"

#include "core/settings/algemeen.h"
#include "widgets/common/doek.h"
#include "widgets/game/bord.h"

#include <QApplication>
#include <QKeyEvent>

using namespace BenchHulp;

namespace
{
struct Aandeel {
    double processor = 0;
    double wand = 0;
    double procent() const { return wand > 0 ? 100.0 * processor / wand : 0; }
};

template <class F> Aandeel meet(F&& f)
{
    QElapsedTimer wand;
    const double p0 = processorTijd();
    wand.start();
    f();
    return {processorTijd() - p0, wand.nsecsElapsed() / 1e9};
}

void spatie(QWidget* bord)
{
    QKeyEvent neer(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
    QApplication::sendEvent(bord, &neer);
}
} // namespace

int main(int argc, char** argv)
{
    zonderScherm();
    QApplication app(argc, argv);
    BenchSpel b;
    Algemeen& alg = b.alg;
    Main& hoofd = b.hoofd;

    // The processor during draws with the start values: 3 cycles of 0.2 s phases.
    alg.KnipperAantal = 3;
    alg.KnipperSnelheid = 2;
    Aandeel trekking;
    for (int i = 0; i < 3; ++i) {
        const Aandeel a = meet([&] { spatie(hoofd.Pic); });
        trekking.processor += a.processor;
        trekking.wand += a.wand;
    }
    // The same time spent the old way: running the events in a loop until the time is up.
    const double duur = trekking.wand / 3;
    const Aandeel draaien = meet([&] {
        QElapsedTimer t;
        t.start();
        while (t.nsecsElapsed() / 1e9 < duur)
            QCoreApplication::processEvents();
    });
    rij("trekking: processor share during a 1.2 s draw", trekking.procent(), draaien.procent(), "%",
        "busy waiting loop");

    // Space bar to the first blink phase painted on the board.
    alg.KnipperAantal = 1;
    alg.KnipperSnelheid = 1;
    PaintKlok klok(hoofd.Pic);
    std::vector<double> trek;
    std::vector<double> kaal;
    for (int i = 0; i < 25; ++i) {
        klok.start();
        spatie(hoofd.Pic);
        if (klok.klaar()) trek.push_back(klok.ms());
        // The bare path of one repaint of the board: the floor under any draw.
        klok.start();
        hoofd.Pic->update();
        QElapsedTimer grens;
        grens.start();
        while (!klok.klaar() && grens.elapsed() < 1000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        if (klok.klaar()) kaal.push_back(klok.ms());
    }
    rij("trekking: space bar to first blink phase painted (median)", mediaan(trek), mediaan(kaal), "ms",
        "bare repaint of the board");
    rij("trekking: space bar to first blink phase painted (median)", mediaan(trek), 1000.0 / 60, "ms",
        "one frame at 60 Hz");
    return trek.size() == 25 ? 0 : 1;
}
