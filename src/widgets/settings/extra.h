#pragma once

#include "core/settings/roepinstellingen.h"
#include "core/settings/weergave.h"
#include "core/settings/webinstelling.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QSpinBox;
class QTimer;
class Stem;

// The dialog "Extra": calling aloud (voice, tempo, volume, the digits, Bingo or Kienen),
// calling by itself (on or off, the interval) and what the hall sees (the last ball in high
// contrast, the balls before it, the bar on the hall's screen) and the board on the local network
// (on or off, its port, where it is or why it is not). It changes nothing until Ok; then
// waarden(), weergave() and web() hold the new settings.
class Extra : public QDialog
{
    Q_OBJECT
public:
    // stem: the speech engine, or nullptr when there is none.
    Extra(QWidget* ouder, const RoepInstellingen& begin, Stem* stem);

    static constexpr int vensterBreedte = 6900;
    static constexpr int vensterHoogte = 6390;
    static const QString geenSpraakTekst;
    static const QString startTekst;

    RoepInstellingen waarden() const;
    void zetWeergave(const Weergave& w);
    Weergave weergave() const;
    // Balls from a real drum, entered by hand.
    void zetHandmatig(bool aan);
    bool handmatig() const;
    // Whether the evening is played by its programme.
    void zetProgrammaLoopt(bool aan);
    bool programmaLoopt() const;
    // The board on the network as it is now: its line says where it is, or why it is not.
    void zetWeb(const WebInstelling& web, const QString& uitleg, bool fout);
    WebInstelling web() const;
    // Why the voice is not heard although it is there; empty while it works.
    void zetSpraakFout(const QString& fout);

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
    QLabel* Label6 = nullptr;    // no speech on this computer
    QCheckBox* Check3 = nullptr; // calling by itself
    QFrame* Label8 = nullptr;
    QScrollBar* HScroll3 = nullptr; // interval
    QLabel* Label9 = nullptr;
    QLabel* Label10 = nullptr;
    QFrame* WeergaveKader = nullptr;
    QCheckBox* ContrastKeuze = nullptr;
    QCheckBox* VorigeKeuze = nullptr;
    QCheckBox* BalkKeuze = nullptr;
    QFrame* AvondKader = nullptr;
    QCheckBox* HandmatigKeuze = nullptr;
    QCheckBox* ProgrammaKeuze = nullptr;
    QPushButton* ProgrammaKnop = nullptr;
    QPushButton* VerslagKnop = nullptr;
    QFrame* WebKader = nullptr;
    QCheckBox* WebKeuze = nullptr;
    QLabel* PoortLabel = nullptr;
    QSpinBox* PoortVeld = nullptr;
    QLabel* WebLabel = nullptr;
    QFrame* BackKnoppen = nullptr;
    QPushButton* CancelKnop = nullptr;
    QPushButton* OkKnop = nullptr;

signals:
    // The programme of the evening, or its report, asked for from here.
    void programmaGevraagd();
    void verslagGevraagd();

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
    QString m_spraakFout;
    QTimer* m_wachtOpStem = nullptr;
};
