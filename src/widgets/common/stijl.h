#pragma once

class QStyle;
class QWidget;

// One look on every system: the coloured buttons and lists of the dialogs need a style that
// honours their colours.
void zetProgrammaStijl();

// Buttons and drop-down lists drawn flat in their palette's button colour, with a thin border,
// whatever style the program or the system uses. One shared style; widgets do not own it.
QStyle* vlakkeStijl();
void maakVlak(QWidget* w);
