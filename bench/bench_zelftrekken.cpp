// What calling by itself costs while it waits for the next ball: the processor time of the
// whole program over a few seconds of waiting, against the same program left idle.
#include "benchhulp.h"
#include "benchspel.h"

#include "core/game/roeper.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

using namespace BenchHulp;

namespace
{
// Processor seconds used while the event loop runs for `seconden`.
double tijdens(double seconden)
{
    const double p0 = processorTijd();
    QEventLoop lus;
    QTimer::singleShot(static_cast<int>(seconden * 1000), &lus, &QEventLoop::quit);
    lus.exec();
    return processorTijd() - p0;
}
} // namespace

int main(int argc, char** argv)
{
    zonderScherm();
    QApplication app(argc, argv);
    BenchSpel b;
    Roeper& roeper = b.avond.roeper();

    constexpr double duur = 4.0;
    const double rust = tijdens(duur);

    RoepInstellingen r = roeper.instellingen();
    r.zelfTrekken = true;
    r.interval = RoepInstellingen::maxInterval; // no ball comes while it is measured
    roeper.zetInstellingen(r);
    const bool wacht = roeper.wachtOpBal();
    const double zelf = tijdens(duur);

    rij("zelftrekken: processor time over 4 s waiting for the next ball", zelf * 1000, rust * 1000, "ms",
        "idle program");
    return wacht && b.avond.spel().ballen().isEmpty() ? 0 : 1;
}
