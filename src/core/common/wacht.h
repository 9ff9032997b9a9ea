#pragma once

// Waits while the window events keep being handled; the processor sleeps meanwhile.
// Returns false when the program is ending: the caller then stops what it was showing.
bool Wacht(double seconden);

namespace WachtTempo
{
// Factor on every wait: 1 in the program; tests set 0 to run animations at once.
void zet(double factor);
double factor();
// Set when the organiser confirmed the exit: every wait returns at once from then on.
void zetBeeindigd(bool beeindigd);
bool beeindigd();
} // namespace WachtTempo
