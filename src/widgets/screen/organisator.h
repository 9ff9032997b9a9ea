#pragma once

#include <QWidget>

class Avond;
class Bord;
class KaartControle;
class Main;
class OrganisatorStrook;
class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QTimer;

// The organiser's window on the primary screen while the hall's screen shows the stage: the
// board small, the last ball, the counter, the round and the time, and a button for every
// command of the bar plus drawing a ball, taking the last one back and checking a card. A
// checked card shows here too, over the small board; what is for the organiser alone (a voice
// that stopped working, a refusal, balls by hand) is said in a line of its own, and so is the address of the board on the network with its code. Keys work here as on the board. Dialogs and questions open over this
// window. It follows the evening and its game; what it shows it draws itself.
class Organisator : public QWidget
{
    Q_OBJECT
public:
    Organisator(Main& podium, Avond& avond, QWidget* ouder = nullptr);

    // The screens the hall's stage can go to (the system's name and what the list shows), and
    // the one it is on.
    struct SchermRegel {
        QString naam;
        QString tekst;
    };
    void zetSchermen(const QList<SchermRegel>& schermen, const QString& zaal);

    QWidget* Spiegel = nullptr;
    QLabel* LaatsteLabel = nullptr;
    QLabel* TellerLabel = nullptr;
    QLabel* RondeLabel = nullptr;
    QLabel* TijdLabel = nullptr;
    QPushButton* TrekKnop = nullptr;
    QPushButton* TerugKnop = nullptr;
    QPushButton* ControleKnop = nullptr;
    QComboBox* SchermLijst = nullptr;
    QCheckBox* BalkKeuze = nullptr;
    // What the screens tell the organiser alone: the marker of balls by hand, a refusal, what to
    // press after a round, a silent voice.
    OrganisatorStrook* Strook = nullptr;
    // The board on the network: where the hall opens it, and its code for a phone's camera.
    QLabel* WebLabel = nullptr;
    QLabel* WebCode = nullptr;
    KaartControle* KaartScherm = nullptr;
    // The programme of the evening, its current stage marked, and what it asks of the organiser.
    QListWidget* ProgrammaLijst = nullptr;
    QPushButton* ProgrammaKnop = nullptr;
    QPushButton* StartProgrammaKnop = nullptr;
    QPushButton* WinnaarKnop = nullptr;
    QPushButton* WinnaarTerugKnop = nullptr;
    QPushButton* VerslagKnop = nullptr;

signals:
    void zaalGekozen(const QString& naam);

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void toonStand();
    void toonProgramma();
    void toonWeb();

    Main& m_podium;
    Avond& m_avond;
    QTimer* m_klok = nullptr;
};
