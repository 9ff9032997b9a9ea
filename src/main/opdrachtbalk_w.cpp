// The command bar, the help panel and the screen information.
#include "main/main_w.h"

void Main::knopGeklikt(int /*index*/) {}

void Main::exitGeklikt() { close(); }

void Main::achtergrondDubbelklik() {}

void Main::balkGeklikt() {}
