#pragma once

#include <QWidget>

#include <functional>

class Main;
class QComboBox;
class QLabel;
class QPushButton;
class QTimer;

// The organiser's window on the primary screen while the hall's screen shows the stage: the
// board small, the last ball, the counter, the round and the time, and a button for every
// command of the bar plus drawing a ball and taking the last one back. Keys work here as on
// the board. Dialogs and questions open over this window.
class Organisator : public QWidget
{
    Q_OBJECT
public:
    explicit Organisator(Main& hoofd, QWidget* ouder = nullptr);

    // Checks a card; the button shows once this is set.
    void zetKaartControle(std::function<void()> controle);
    // The screens the hall's stage can go to, by name, and the one it is on.
    void zetSchermen(const QStringList& namen, const QString& zaal);

    QWidget* Spiegel = nullptr;
    QLabel* LaatsteLabel = nullptr;
    QLabel* TellerLabel = nullptr;
    QLabel* RondeLabel = nullptr;
    QLabel* TijdLabel = nullptr;
    QPushButton* TrekKnop = nullptr;
    QPushButton* TerugKnop = nullptr;
    QPushButton* ControleKnop = nullptr;
    QComboBox* SchermLijst = nullptr;

signals:
    void zaalGekozen(const QString& naam);

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void ververs();

    Main& m_hoofd;
    QTimer* m_tik = nullptr;
    std::function<void()> m_controle;
};
