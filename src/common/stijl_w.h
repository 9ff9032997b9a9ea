#pragma once

// One look on every system: the coloured buttons and lists of the dialogs need a style that
// honours their colours.
void zetProgrammaStijl();
