#pragma once

#include <QColor>
#include <QString>

class QDialog;

// What every dialog of the program shares: modal, a fixed single border with only a close
// button, the background RGB(220,220,190); its size is given for the whole window, border
// and title bar included.
inline const QColor dialoogKleur(220, 220, 190);
void richtDialoogIn(QDialog& dialoog, const QString& naam, const QString& titel, int buitenBreedte, int buitenHoogte);
