#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

class Avond;

// What the screens tell the organiser and not the hall: the marker of balls from a real drum,
// what to press once a round is over, a voice that stopped working, why something asked was
// refused (a typed ball, F9 on a card that does not win), the ball being typed, and under a
// checked card how to confirm it and go back. The hall's own texts (the board, the programme's
// line, a card's verdict and its stage) are not here. Where these texts go, the windows decide:
// with one screen a strip of the stage that stays off the board and the card, with two the
// organiser's window only.
class OrganisatorTekst : public QObject
{
    Q_OBJECT
public:
    explicit OrganisatorTekst(Avond& avond, QObject* ouder = nullptr);

    // How long a refusal stays.
    static constexpr int berichtMs = 4000;
    static QString terugHint() { return QStringLiteral("Klik of druk op een toets om terug te gaan."); }
    static QString f9Hint() { return QStringLiteral("F9 bevestigt de winnaar."); }

    // "Handmatig trekken" while the balls come from a real drum; empty otherwise.
    QString marker() const;
    // What holds while it holds: the round that is over and what to press, a silent voice.
    QStringList vast() const;
    // The last refusal while it lasts, else the ball being typed; empty for none.
    QString bericht() const;
    // The strip's whole line: the marker, what holds and the message.
    QString regel() const;
    // Under a checked card: the message while it lasts, else F9 when the card can be confirmed
    // and how to go back.
    QString kaartRegel() const;

    // A refusal from the stage itself (a typed key that is no ball); it goes by itself.
    void meld(const QString& tekst);
    // The ball being typed ("Bal: 12"); empty when there is none. It stays until it changes.
    void zetInvoer(const QString& tekst);

signals:
    void gewijzigd();

private:
    Avond& m_avond;
    QString m_bericht;
    QString m_invoer;
    QTimer m_weg;
};
