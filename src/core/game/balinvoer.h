#pragma once

#include <QList>
#include <QObject>
#include <QString>

class Avond;
class OrganisatorTekst;

// Balls from a real drum, typed: digits, then Enter. Backspace takes a digit back first; a
// letter or a sign before Enter spoils the entry (a card's code typed on the board is no ball),
// Escape starts again. A ball typed while the one before still shows waits in turn and goes in
// once that one is done. The ball being typed and a spoiled entry's refusal go to the
// organiser's texts, never to the hall. A new game empties the queue. With the program's own
// drum it takes no key.
class BalInvoer : public QObject
{
    Q_OBJECT
public:
    BalInvoer(Avond& avond, OrganisatorTekst& tekst, QObject* ouder = nullptr);

    // The most digits a ball has; a key past them is taken and changes nothing.
    static constexpr int maxCijfers = 3;
    // How often a waiting ball asks whether the one before is done.
    static constexpr int wachtMs = 100;

    // A key of the board or the organiser's window (Qt::Key); true when it belonged to the
    // entry and must do nothing else (the space bar too: nothing is drawn at random).
    bool toets(int toets);
    // What was typed goes, as when a scanner's code began on the board.
    void wis();

    QString cijfers() const { return m_cijfers; }
    bool bedorven() const { return m_bedorven; }
    // The balls typed while one still showed, in the order they go in.
    QList<int> wachtrij() const { return m_wachtrij; }

private:
    bool enter();
    void voerWachtrijIn();

    Avond& m_avond;
    OrganisatorTekst& m_tekst;
    QString m_cijfers;
    bool m_bedorven = false;
    QList<int> m_wachtrij;
};
