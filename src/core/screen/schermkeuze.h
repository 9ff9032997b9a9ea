#pragma once

#include <QList>
#include <QSize>
#include <QString>
#include <QStringList>

// Which screen shows the hall the stage and which one the organiser, when the computer has more
// than one: a projector beside a laptop, as an extended desktop.
namespace SchermKeuze
{

struct Scherm {
    QString naam;
    bool primair = false;
    // What the screen says of itself, for the organiser's list.
    QString fabrikant;
    QString model;
    QSize pixels;
};

struct Verdeling {
    int zaal = -1;        // the stage, full-screen
    int organisator = -1; // the organiser's window; -1: one screen, the stage alone as ever
};

// The screen the organiser chose for the hall while it is there; otherwise the first screen that
// is not the primary one. The organiser's window goes to the primary screen, or to the first
// other one when the hall has the primary.
Verdeling verdeel(const QList<Scherm>& schermen, const QString& gekozen);

// The screens as the organiser's list names them: maker, model and size in pixels, as in
// "DELL U2720Q (3840 x 2160)", or the system's name where the screen does not tell its model.
// No two are alike: screens that would be get their place in the list added.
QStringList teksten(const QList<Scherm>& schermen);

} // namespace SchermKeuze
