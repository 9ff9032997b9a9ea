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
// A flat drop-down list on a stage scaled above 1.5 gets an arrow in proportion to its height;
// elsewhere it keeps the style's own.
void zetLijstSchaal(QWidget* lijst, double schaal);
