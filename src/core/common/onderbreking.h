#pragma once

// Ctrl-C, SIGTERM and SIGHUP ask a long job to stop instead of ending the program at once: the
// job looks at the request between two steps and leaves everything as it found it. Once vang()
// is called; without it the signals end the program as usual.
namespace Onderbreking
{
void vang();
// The signal that asked the job to stop; 0 while none did.
int signaal();
inline bool gevraagd()
{
    return signaal() != 0;
}
// For tests: asks to stop as the signal would (0 takes the request back).
void zet(int signaal);
} // namespace Onderbreking
