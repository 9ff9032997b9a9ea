#pragma once

#include "core/settings/roepinstellingen.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QTimer;
class Stem;

// The dialog "Extra": calling aloud (voice, tempo, volume, the digits, Bingo or Kienen) and
// calling by itself (on or off, the interval). It changes nothing until Ok; then waarden()
// holds the new settings.
class Extra : public QDialog
{
    Q_OBJECT
public:
    // stem: the speech engine, or nullptr when there is none.
    Extra(QWidget* ouder, const RoepInstellingen& begin, Stem* stem);

    static constexpr int vensterBreedte = 6900;
    static constexpr int vensterHoogte = 4050;
    static const QString geenSpraakTekst;
    static const QString startTekst;

    RoepInstellingen waarden() const;

    // The controls, under the names the program gives them (also their objectName).
    QCheckBox* Check1 = nullptr; // calling aloud
    QFrame* Label7 = nullptr;
    QPushButton* ProefKnop = nullptr;
    QComboBox* Combo1 = nullptr; // the voices
    QLabel* Label1 = nullptr;
    QFrame* Label2 = nullptr;
    QScrollBar* HScroll1 = nullptr; // tempo
    QLabel* Label3 = nullptr;
    QFrame* Label4 = nullptr;
    QScrollBar* HScroll2 = nullptr; // volume
    QLabel* Label5 = nullptr;
    QCheckBox* Check2 = nullptr; // digits
    QFrame* Frame1 = nullptr;
    QRadioButton* OptionBingo = nullptr;
    QRadioButton* OptionKien = nullptr;
    QLabel* Label6 = nullptr; // no speech on this computer
    QCheckBox* Check3 = nullptr; // calling by itself
    QFrame* Label8 = nullptr;
    QScrollBar* HScroll3 = nullptr; // interval
    QLabel* Label9 = nullptr;
    QLabel* Label10 = nullptr;
    QFrame* BackKnoppen = nullptr;
    QPushButton* CancelKnop = nullptr;
    QPushButton* OkKnop = nullptr;

protected:
    void showEvent(QShowEvent* e) override;

private:
    void maakBesturing();
    void laad(const RoepInstellingen& r);
    // The voice part as the engine allows: usable, still starting, or not there.
    void toonSpraak();
    void proef();

    Stem* m_stem = nullptr;
    QString m_stemId;
    QTimer* m_wachtOpStem = nullptr;
};
