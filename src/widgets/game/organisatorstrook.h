#pragma once

#include <QLabel>

class KaartControle;
class OrganisatorTekst;

// The organiser's texts (OrganisatorTekst) in a small line of their own, and the hint under a
// checked card. On the stage (opPodium) it lies just above the command bar, left of the clock,
// off the board; while a card is checked it moves into the hint's box at the bottom of the
// check screen, which is kept free for it, so nothing lies over the card. Turned off (the
// hall's screen when there are two) it shows nothing and the check screen has no hint. In the
// organiser's window it is a line of its layout, and the check screen there draws the hint.
class OrganisatorStrook : public QLabel
{
    Q_OBJECT
public:
    OrganisatorStrook(OrganisatorTekst& tekst, KaartControle* kaart, bool opPodium, QWidget* ouder);

    // On the stage: its place above the command bar and the stage's scale.
    void zetPlek(const QRect& plek, qreal schaal);
    void zetAan(bool aan);
    bool aan() const { return m_aan; }

protected:
    bool eventFilter(QObject* object, QEvent* e) override;

private:
    void toon();

    OrganisatorTekst& m_tekst;
    KaartControle* m_kaart;
    bool m_opPodium;
    bool m_aan = true;
    QRect m_plek;
    qreal m_schaal = 1.0;
};
