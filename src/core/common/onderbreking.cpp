#include "core/common/onderbreking.h"

#include <QtGlobal>

#include <csignal>

namespace
{
volatile std::sig_atomic_t gevangen = 0;

extern "C" void vangSignaal(int nummer)
{
    gevangen = nummer;
}
} // namespace

namespace Onderbreking
{

void vang()
{
#ifdef Q_OS_UNIX
    struct sigaction actie = {};
    actie.sa_handler = vangSignaal;
    sigemptyset(&actie.sa_mask);
    actie.sa_flags = SA_RESTART; // a write that is interrupted goes on; the job stops at its next step
    for (int nummer : {SIGINT, SIGTERM, SIGHUP})
        sigaction(nummer, &actie, nullptr);
#else
    std::signal(SIGINT, vangSignaal);
    std::signal(SIGTERM, vangSignaal);
#endif
}

int signaal()
{
    return gevangen;
}

void zet(int nummer)
{
    gevangen = nummer;
}

} // namespace Onderbreking
