#pragma once

#include <QRect>
#include <QString>

class QScrollBar;
class QWidget;

// A horizontal scroll bar of a dialog, placed in twips (x, y, width, height), going from van to
// tot a step at a time. Every one answers keys and the wheel in the same direction, as scroll
// bars everywhere do: left, up, page up and the wheel turned away from the user go towards
// the lower end.
QScrollBar* maakSchuifbalk(QWidget* ouder, const QString& naam, const QRect& twips, int van, int tot);
