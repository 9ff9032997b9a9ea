#pragma once

#include "core/cards/controle.h"
#include "core/cards/kaartregister.h"
#include "core/game/programmagang.h"

#include <QString>

#include <functional>
#include <optional>

class Spel;
class Verloop;

// The card check: a card's number looked up in the register (read only), its kind held against
// the game on the board, its verdict by the pattern or the programme's stage, the ball that made
// it complete, and whether it can be confirmed as the stage's winner. Every check is written in
// the evening's record. What the organiser must hear (an unknown number, a card of another
// game) goes to the message given.
class KaartKeuring
{
public:
    struct Vraag {
        QString nummer; // as typed: "A-0017", or "17" for the last series
        int rijen = 1;  // Kien: the full rows that win
    };

    // A card checked: the card, its verdict, and the pattern it was judged by (none: every
    // row, column and diagonal counts).
    struct Gekeurd {
        RegisterKaart kaart;
        Controle::Uitslag uitslag;
        std::optional<PatroonKaart::Patroon> patroon;
        // While a programme runs: the stage the card was judged for ("Ronde 2 · 1 rij"), and
        // whether it can be confirmed as that stage's winner.
        QString fase;
        bool kanBevestigen = false;
        // The line both windows show under the verdict; empty without a programme.
        QString faseRegel() const;
    };

    using Melder = std::function<void(const QString& titel, const QString& tekst)>;
    KaartKeuring(const Spel& spel, const ProgrammaGang& programma, Verloop* verloop, QString instellingenMap,
                 Melder meld);

    // The card asked for, judged; none when there is no such card or it is of another game
    // (the organiser has heard why). A card judged is shown until weg().
    std::optional<Gekeurd> keur(const Vraag& vraag);
    // A scanned code: a Kien card is judged for the rows asked for last (one row at first).
    std::optional<Gekeurd> keurCode(const QString& code);
    bool getoond() const { return m_getoond; }
    // The card shown goes away; false when none showed.
    bool weg();

    // The card shown wins the stage it was judged for, no ball has come since, and the stage has
    // not got it as a winner yet; bezig: a ball is still being drawn or shown.
    bool kanBevestigen(bool bezig) const;
    // Why the card shown cannot be confirmed, in a few words; empty when it can.
    QString nietBevestigbaar(bool bezig) const;
    // The winner the card shown becomes; it cannot be confirmed twice.
    ProgrammaGang::Winnaar bevestig();
    // Under the card shown, once it is confirmed: "Winnaar A-0002 bevestigd. Nu: ..."; empty otherwise.
    QString winnaarRegel() const;
    // The winners changed: what was judged can no longer be confirmed.
    void vergeet() { m_beoordeeld.reset(); }

private:
    std::optional<RegisterKaart> zoek(const Vraag& vraag);
    void schrijf(const Gekeurd& gekeurd, const QString& nummer, int rijen,
                 const std::optional<std::pair<int, int>>& fase);

    const Spel& m_spel;
    const ProgrammaGang& m_programma;
    Verloop* m_verloop;
    QString m_map;
    Melder m_meld;
    int m_kienRijen = 1;
    bool m_getoond = false;
    // The card shown, as the winner it becomes when confirmed: judged at this ball count and ball.
    struct Beoordeeld {
        ProgrammaGang::Winnaar winnaar;
        bool wint = false;
    };
    std::optional<Beoordeeld> m_beoordeeld;
};
