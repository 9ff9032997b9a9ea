#pragma once

#include <QString>

class QWidget;

// The program's message boxes: exact title and text, no icon, Dutch buttons.
// Tests answer them in advance and read what would have been shown.
namespace Melding
{

// Where a box opens over its window: in the middle, or at the bottom over the command bar
// (a question for the organiser alone, off the board the hall watches). With a second screen
// every box opens over the organiser's window, in the middle.
enum class Plek { Midden, Onder };

// A question with the buttons "Ja" and "Nee"; true for Ja. Enter picks Ja, or Nee when
// jaStandaard is false.
bool vraag(QWidget* ouder, const QString& titel, const QString& tekst, bool jaStandaard = true,
           Plek plek = Plek::Midden);
// A notice with only "OK".
void meld(QWidget* ouder, const QString& titel, const QString& tekst);

// For tests: the next questions are answered with these (first in, first out) and the
// boxes are not shown; notices are then not shown either while the queue is in use.
void zetVolgendAntwoord(bool ja);
// For tests: no box is shown at all; questions are answered Nee unless queued otherwise.
void zetStil(bool stil);
struct Getoond {
    QString titel;
    QString tekst;
    QWidget* ouder = nullptr; // the window the box opens over
    Plek plek = Plek::Midden;
};
// Every box asked for since the last call, oldest first.
QList<Getoond> neemGetoond();

} // namespace Melding
