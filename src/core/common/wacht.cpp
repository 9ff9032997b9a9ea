#include "core/common/wacht.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <cmath>

namespace
{
double g_factor = 1.0;
bool g_beeindigd = false;
} // namespace

void WachtTempo::zet(double factor)
{
    g_factor = factor;
}
double WachtTempo::factor()
{
    return g_factor;
}
void WachtTempo::zetBeeindigd(bool beeindigd)
{
    g_beeindigd = beeindigd;
}
bool WachtTempo::beeindigd()
{
    return g_beeindigd;
}

bool Wacht(double seconden)
{
    if (g_beeindigd) return false;
    const double ms = seconden * 1000.0 * g_factor;
    if (!(ms > 0.5)) {
        // No time to wait, but the waits always let pending events run once.
        QCoreApplication::processEvents();
        return !g_beeindigd;
    }
    // A monotonic clock: the wait ends right across midnight or a change of the system time.
    QElapsedTimer klok;
    klok.start();
    const auto totaal = static_cast<qint64>(std::llround(ms));
    while (!g_beeindigd) {
        const qint64 rest = totaal - klok.elapsed();
        if (rest <= 0) break;
        QEventLoop lus;
        QTimer::singleShot(static_cast<int>(rest), Qt::PreciseTimer, &lus, &QEventLoop::quit);
        lus.exec();
    }
    return !g_beeindigd;
}
