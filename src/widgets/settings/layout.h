#pragma once

#include <QColor>
#include <QDialog>
#include <QPoint>

class Doek;
class Spel;
class QLabel;
class QPushButton;

// The card pattern editor " Kaarten": the organiser marks the cells of a 5 x 5 card on a large
// card; a small card previews the pattern, and on Ok it is handed on as the picture of the
// pattern button. Every press writes the game's pattern at once, so Cancel undoes nothing;
// it only leaves the pattern button as it was.
class Layout : public QDialog
{
    Q_OBJECT
public:
    explicit Layout(Spel& spel, QWidget* ouder = nullptr);

    // The controls, under the names the program gives them (also their objectName).
    QLabel* Label1 = nullptr;
    Doek* Picture1 = nullptr;
    QLabel* Label3 = nullptr;
    QPushButton* ResetKnop = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    Doek* Pic = nullptr;
    QLabel* Label2 = nullptr;
    QPushButton* CancelKnop = nullptr;
    QPushButton* OkKnop = nullptr;

    // Redraws the small card from the pattern; the centre cell always counts as marked.
    void TekenKaartje();

signals:
    // Ok: the game's pattern is the pattern button's, its centre in this colour.
    void patroonBevestigd(const QColor& midden);

private:
    void maakBesturing();
    void tekenKaarten();
    void tekenGroot();
    void tekenKlein(QColor midden);
    void zetVak(int vak, int waarde);
    void drukOpKaart(QPoint twips);
    void reset();
    void ok();

    Spel& m_spel;
};
