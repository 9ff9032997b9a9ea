#pragma once

#include "core/cards/kaartpatroon.h"
#include "core/game/trommel.h"

#include <QDateTime>
#include <QList>
#include <QObject>

#include <functional>

class Toeval;

// The game being played: the ball count it was set up with, its round and number, and the
// balls drawn so far, in order, each with the moment it came out; beside it the round counter
// and the pattern played for. Windows show it, the record writes it down, and nothing else
// keeps the game. Every change of the game is signalled.
class Spel : public QObject
{
    Q_OBJECT
public:
    struct Bal {
        int getal = 0;
        QDateTime tijd;
        bool hand = false; // entered by the organiser from a real drum
        bool operator==(const Bal& b) const { return getal == b.getal && tijd == b.tijd && hand == b.hand; }
    };

    // What a game is made of; also what the record keeps and gives back.
    struct Stand {
        int aantalBallen = 0; // 0: no game yet
        int ronde = 0;
        int spelNummer = 0;
        QList<Bal> ballen;
        bool operator==(const Stand& s) const
        {
            return aantalBallen == s.aantalBallen && ronde == s.ronde && spelNummer == s.spelNummer &&
                   ballen == s.ballen;
        }
    };

    // What changed, as the record writes it down.
    enum class Gebeurtenis { NieuwSpel, Getrokken, Teruggelegd, Afgesloten, Opgegeven };

    explicit Spel(QObject* ouder = nullptr);

    int aantalBallen() const { return m_stand.aantalBallen; }
    int ronde() const { return m_stand.ronde; }
    int spelNummer() const { return m_stand.spelNummer; }
    const QList<Bal>& ballen() const { return m_stand.ballen; }
    const Stand& stand() const { return m_stand; }
    bool heeftSpel() const { return m_stand.aantalBallen != 0; }
    // The last ball drawn; 0 when none.
    int laatste() const { return m_stand.ballen.isEmpty() ? 0 : m_stand.ballen.last().getal; }
    bool isGetrokken(int getal) const;
    // Balls still in the drum.
    int inTrommel() const;

    // Empties the drum for a game of 75 or 90 balls (any other count plays 90) in this round;
    // the game number goes up by one.
    void nieuwSpel(int aantalBallen, int ronde);
    // Draws one of the balls still in the drum, every one equally likely; 0 when it is empty.
    int trek(Toeval& toeval);
    // A ball drawn from a real drum, entered by hand; false, and nothing changes, when there is
    // no game, the number is not one of it, or it is already drawn.
    bool voerIn(int getal);
    // Puts the last ball back in the drum; returns it, or 0 when none was drawn.
    int neemTerug();
    // Takes up a game as it was written down, without signalling each ball.
    void herstel(const Stand& stand);
    // The next new game gets the number after this one (the record's last game).
    void zetLaatsteNummer(int nummer) { m_stand.spelNummer = nummer; }
    // The round counter: the round the next new game is played in. The Start button raises
    // it, the settings can put it back to 0, and a game taken up raises it to that game's round.
    int rondeTeller() const { return m_rondeTeller; }
    void zetRondeTeller(int ronde) { m_rondeTeller = ronde; }
    // How the balls of this game are called where the hall sees and hears them: with their column
    // letter, or by the number alone (in a Kien round of the programme). The evening answers;
    // until it does, with letters. The record writes the letter either way.
    void zetLetterVraag(std::function<bool()> vraag) { m_letterVraag = std::move(vraag); }
    bool metLetters() const { return !m_letterVraag || m_letterVraag(); }
    // A ball as called: its letter ("G", or empty without letters), its entry in the lists of
    // drawn balls ("G-65", "65") and its text in large ("G65", "65").
    QString letter(int getal) const;
    QString lijstRegel(int getal) const;
    QString grootTekst(int getal) const;
    // The evening's answer may have changed: lettersGewijzigd() follows when it did.
    void herzieLetters();
    // The pattern the game is played for on a 5 x 5 card; not written down in the record.
    const PatroonKaart::Patroon& patroon() const { return m_patroon; }
    void zetPatroon(const PatroonKaart::Patroon& patroon)
    {
        if (patroon == m_patroon) return;
        m_patroon = patroon;
        emit patroonGewijzigd();
    }
    // The organiser confirmed the exit: only written down.
    void meldAfgesloten();

    // Called for every change before it is signalled, so that what is written down is on
    // disk before anything shows it. The record installs one; the program has one at most.
    using Schrijver = std::function<void(Gebeurtenis, int getal)>;
    void zetSchrijver(Schrijver schrijver) { m_schrijver = std::move(schrijver); }

    // The clock of the balls' times; tests set their own.
    void zetKlok(std::function<QDateTime()> klok) { m_klok = std::move(klok); }

signals:
    void nieuwSpelGestart();
    void balGetrokken(int getal);
    void balTeruggelegd(int getal);
    // The whole game changed at once (taken up from the record).
    void spelHersteld();
    // The balls are called with their letter now, or without it, where they were not before.
    void lettersGewijzigd();
    // Another pattern is played for.
    void patroonGewijzigd();

private:
    void schrijf(Gebeurtenis g, int getal);

    Stand m_stand;
    Trommel::Getrokken m_getrokken{};
    int m_rondeTeller = 0;
    PatroonKaart::Patroon m_patroon{};
    Schrijver m_schrijver;
    std::function<bool()> m_letterVraag;
    bool m_letters = true;
    std::function<QDateTime()> m_klok;
};
