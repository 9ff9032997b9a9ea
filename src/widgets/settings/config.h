#pragma once

#include <QDialog>
#include <QString>

#include <array>

struct Algemeen;
class QButtonGroup;
class QFrame;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;
class QScrollBar;

// The configuration dialog: number colour, ball pictures, blink speed and count, 75 or 90
// balls, background picture and the reset of the round counter. It works directly on the
// settings record: most choices count at once, the blink settings only by Ok. It signals the
// background, the ball pictures and the reset of the round counter to whoever keeps them.
class Config : public QDialog
{
    Q_OBJECT
public:
    Config(Algemeen& alg, const QString& programmaMap, QWidget* ouder = nullptr);

    // The whole window including its frame, in twips.
    static constexpr int vensterBreedte = 7500;
    static constexpr int vensterHoogte = 3900;

    static const QColor achtergrondKleur;
    static const QColor resetKleur;
    static const QColor resetGedaanKleur;

    // The controls, under the names the program gives them (also their objectName; the
    // arrays as ColorScroll1..3 and Option75, Option90).
    QFrame* Label1 = nullptr;
    std::array<QScrollBar*, 3> ColorScroll{};
    QFrame* Label9 = nullptr;
    QLabel* Label2 = nullptr;
    QFrame* Label3 = nullptr;
    QLabel* Image1 = nullptr;
    QFrame* Label4 = nullptr;
    QLabel* Image2 = nullptr;
    QFrame* Label5 = nullptr;
    QScrollBar* HScroll1 = nullptr;
    QFrame* Label6 = nullptr;
    QScrollBar* HScroll2 = nullptr;
    QLabel* Label7 = nullptr;
    QFrame* Label8 = nullptr;
    QScrollBar* HScroll3 = nullptr;
    QLabel* Label10 = nullptr;
    QFrame* Label12 = nullptr;
    QScrollBar* HScroll4 = nullptr;
    QLabel* Label13 = nullptr;
    QFrame* Frame1 = nullptr;
    QRadioButton* Option75 = nullptr;
    QRadioButton* Option90 = nullptr;
    QFrame* Label14 = nullptr;
    QPushButton* ResetKnop = nullptr;
    QLabel* Label15 = nullptr;
    QListWidget* List1 = nullptr;
    QLabel* Label11 = nullptr;
    QFrame* BackKnoppen = nullptr;
    QPushButton* CancelKnop = nullptr;
    QPushButton* OkKnop = nullptr;
    // The way to the dialog "Extra", above Ok where the dialog had room.
    QFrame* Label16 = nullptr;
    QPushButton* ExtraKnop = nullptr;

signals:
    // The organiser asks for the dialog "Extra"; whoever keeps those settings opens it.
    void extraGevraagd();

public slots:
    // Cancel, Escape and the window's close: only close, but a ball picture chosen in this
    // opening goes back to what it was, as the main window never showed it.
    void reject() override;
    void done(int r) override;

signals:
    // A background picture was chosen (it may not load; the path is kept all the same).
    void achtergrondGekozen(const QString& pad);
    // Ok: the ball pictures of BalKleur and KnipperKleur count from now on.
    void balPlaatjesBevestigd();
    // "Reset Rondeteller": the next game is round 1 again.
    void rondeTellerGewist();

protected:
    void showEvent(QShowEvent* e) override;

private:
    void maakBesturing();
    void zetTabVolgorde();
    void verbind();
    // Brings every control to the settings as they are now (the opening of the dialog).
    void laad();

    void kleurGewijzigd(int index, int waarde);
    void balKleurGewijzigd(int waarde);
    void knipperKleurGewijzigd(int waarde);
    void toonSnelheid(int waarde);
    void toonAantal(int waarde);
    void toonStaal();
    void resetGeklikt();
    void lijstGekozen();
    void okGeklikt();

    Algemeen& m_alg;
    QButtonGroup* m_opties = nullptr;
    QString m_map;
    bool m_laden = false;
    bool m_herladen = false;
    int m_gekozenRij = -1;
    double m_oudBalKleur = 0;
    int m_oudKnipperKleur = 0;
};
