#pragma once

#include <QColor>
#include <QDialog>
#include <QPoint>

struct Algemeen;
class Doek;
class QLabel;
class QPushButton;

// The card pattern editor " Kaarten": the organiser marks the cells of a 5 x 5 card on a large
// card; a small card previews the pattern, and on Ok it is handed on as the picture of the
// pattern button. Every press writes KaartPatroon at once, so Cancel undoes nothing;
// it only leaves the pattern button as it was.
class Layout : public QDialog
{
    Q_OBJECT
public:
    explicit Layout(Algemeen& alg, QWidget* ouder = nullptr);

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

    // Redraws the small card from KaartPatroon; the centre cell always counts as marked.
    void TekenKaartje();

signals:
    // Ok: KaartPatroon is the pattern of the pattern button, its centre in this colour.
    void patroonBevestigd(const QColor& midden);

private:
    void maakBesturing();
    void tekenKaarten();
    void tekenGroot();
    void tekenKlein(QColor midden);
    void drukOpKaart(QPoint twips);
    void reset();
    void ok();

    Algemeen& m_alg;
};
