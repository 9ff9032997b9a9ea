#pragma once

#include <QColor>
#include <QPalette>
#include <QRect>
#include <QSize>
#include <QString>

class QAbstractButton;
class QDialog;
class QFrame;
class QLabel;
class QPushButton;
class QWidget;

// What every dialog of the program shares: modal, a fixed single border with only a close
// button, the background RGB(220,220,190); its size is given for the whole window, border
// and title bar included, and it opens centred on the screen.
inline const QColor dialoogKleur(220, 220, 190);
// The dark grey of the dialogs' texts.
inline const QColor dialoogTekstKleur(64, 64, 64);
void richtDialoogIn(QDialog& dialoog, const QString& naam, const QString& titel, int buitenBreedte, int buitenHoogte);
// Centres the dialog, frame included, on the screen of its parent.
void centreerDialoog(QDialog& dialoog, int buitenBreedte, int buitenHoogte);

// Where dialogs and message boxes open. With a second screen this is the organiser's window, so
// the hall's screen shows none of them; null (one screen) leaves them over their own parent.
void zetDialoogThuis(QWidget* thuis);
QWidget* dialoogThuis();

// On a large screen, where the stage is scaled above 1.5, dialogs and message boxes grow with
// it, so they stay readable from the organiser's chair: their fonts, sizes and places scaled by
// the stage's factor as they first show. Elsewhere they keep their size and place.
// schaalDialogen() makes that so for the whole program (once is enough).
double dialoogFactor(QSize scherm);
void schaalDialogen();

void zetKleur(QWidget* w, QPalette::ColorRole rol, QColor kleur);
// A caption in Arial in the dialogs' dark grey on a transparent background, sized to its text.
QLabel* dialoogTekst(QWidget* ouder, const QString& naam, const QString& tekst, double punten = 8.25);
// A button that shows its own colour, flat on every style, captioned in Arial 8.25 pt.
QPushButton* dialoogKnop(QWidget* ouder, const QString& naam, const QString& tekst, QColor kleur);
// A box with a single-line border in the given colour; `rect` in logical pixels.
QFrame* dialoogKader(QWidget* ouder, const QString& naam, const QRect& rect, QColor kleur);
// A double-click on the button is one click: the second press of it is passed over.
void enkeleKlik(QAbstractButton* knop);
