#pragma once

#include "core/game/kaartkeuring.h"
#include "core/game/programmagang.h"
#include "core/game/spel.h"
#include "core/settings/avondinstellingen.h"

#include <QObject>
#include <QPoint>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

class Roeper;
class Toeval;
class Verloop;
class WebVoeding;

// The evening: the one place that runs the game's flow, without any window. It owns the parts
// of one evening and wires them together: the settings, the game, the evening's record, the
// caller, the programme's run, the card check and the board's feed; it keeps the draw lock.
// Windows ask it to act (a draw, a new game, a ball back, a card check, the exit) and follow
// its signals, the game's and the parts'.
//
// What happens to the game itself (a ball drawn, a ball taken back, a new game, a game taken
// up again) is signalled by spel(); what the evening does around it is signalled here. Two
// signals ask the stage to animate and return when it is done: the evening waits for the board
// to slide in before the first draw, and for a ball to blink before it counts as shown.
class Avond : public QObject
{
    Q_OBJECT
public:
    // How an evening is set up. The program gives its own folder and the system's chance; tests
    // give a temporary folder and a seeded chance.
    struct Opzet {
        Opzet(QString programma, QString reserve = {}, Toeval* kans = nullptr, bool metVerloop = true,
              std::function<QDateTime()> tijd = {})
            : programmaMap(std::move(programma)), reserveMap(std::move(reserve)), toeval(kans), verloop(metVerloop),
              klok(std::move(tijd))
        {
        }
        QString programmaMap;
        QString reserveMap;              // the user's configuration folder; empty: the system's
        Toeval* toeval;                  // nullptr: the operating system's secure generator
        bool verloop;                    // keep the evening's record
        std::function<QDateTime()> klok; // the clock of the balls and the record; empty: the real one
    };

    // How the evening speaks to the organiser. The stage gives message boxes and the card
    // question; without them every question is answered Nee and notices go unsaid.
    using KaartVraag = KaartKeuring::Vraag;
    using GecontroleerdeKaart = KaartKeuring::Gekeurd;
    using Winnaar = ProgrammaGang::Winnaar;
    struct Gesprek {
        std::function<bool(const QString& titel, const QString& tekst, bool jaStandaard)> vraag;
        std::function<void(const QString& titel, const QString& tekst)> meld;
        std::function<std::optional<KaartVraag>()> kaartVraag;
        // A question for the organiser alone (taking a winner back), kept off the board where
        // the stage can; empty: asked as any other.
        std::function<bool(const QString& titel, const QString& tekst, bool jaStandaard)> organisatorVraag;
    };

    // A plain-value picture of the evening, for whoever shows it somewhere else.
    struct Stand {
        Spel::Stand spel;
        int rondeTeller = 0;
        bool bezig = true;
        bool kaartInBeeld = false;
        PatroonKaart::Patroon patroon{};
    };

    // Reads the settings (writing Zorvak.ini anew when it cannot be read) and sets up the
    // caller and the record. Nothing is asked yet: hervatBijStart() does that once the stage
    // shows.
    explicit Avond(const Opzet& opzet, QObject* ouder = nullptr);
    ~Avond() override;

    // Zorvak.ini, Zorvak-extra.ini, the hall's view and the real drum's switch.
    AvondInstellingen& instellingen() { return *m_instellingen; }
    const AvondInstellingen& instellingen() const { return *m_instellingen; }
    Spel& spel() { return m_spel; }
    const Spel& spel() const { return m_spel; }
    Roeper& roeper() { return *m_roeper; }
    Toeval& toeval() { return *m_toeval; }
    // The evening's record; none when the evening keeps no record.
    Verloop* verloop() { return m_verloop.get(); }

    void zetGesprek(Gesprek gesprek) { m_gesprek = std::move(gesprek); }
    // The board on the local network (the options of "Extra", or --web for this run only): it
    // follows this evening by itself.
    WebVoeding& web() { return *m_web; }

    // Whether the stage can show a ball drawn by itself now (no box or menu over it).
    void zetPodiumVrij(std::function<bool()> vrij) { m_podiumVrij = std::move(vrij); }

    // The draw lock: set before the first game, while a game is set up, while a ball is drawn
    // and shown and while a question about the game is open.
    bool bezig() const { return m_bezig; }
    Stand stand() const;

    // A click on the board or the space bar: draws a ball when the board is ready for one.
    bool trekAlsKlaar();
    // The Start button: asks, and on Ja raises the round counter and sets up a new game.
    // True when a new game was set up.
    bool nieuwSpelVraag();
    // Sets up a new game at once: the drum full, the round counter's round, the ball count of
    // the settings.
    void NieuwSpel();
    // Backspace: the last ball back in the drum, once the organiser confirmed it.
    void legLaatsteTerugVraag();
    // Start, once the stage shows: says when Zorvak-extra.ini could not be read. Then, when the
    // record ends in a game with balls drawn and no confirmed exit, offers to play on. Ja takes that game up at once;
    // Nee writes down that it was given up.
    void hervatBijStart();
    // Exit: asks, and on Ja writes down the end, saves the settings and ends the evening. True
    // when the evening has ended (also when it had already).
    bool vraagAfsluiten();
    bool afgelopen() const { return m_afgesloten; }
    // 1 when the settings could not be saved at the exit, else 0.
    int afsluitCode() const { return m_afsluitCode; }

    // The card check: asks for a card's number, looks it up in the register and judges it
    // against the game. A card that shows holds calling by itself until kaartWeg(). Every
    // check of a card number is written in the evening's record.
    void controleerKaart();
    // A scanned card code: checked at once, without asking; a card that shows makes way for it.
    // A Kien card is judged for the rows asked for last (one row at first).
    void controleerGescand(const QString& code);
    void kaartWeg();
    bool kaartInBeeld() const { return m_keuring->getoond(); }

    // The programme of the evening and how it is played: its rounds, stages, winners and limits.
    // The game on the board and the cards it is played with come from there too (in a Kien round
    // its balls are called by the number alone: the game asks this of the evening).
    ProgrammaGang& programma() { return *m_programma; }
    const ProgrammaGang& programma() const { return *m_programma; }
    // Starts the programme at its first stage with a new game.
    void startProgramma();
    // The card check's verdicts, and whether the card shown can be confirmed as a winner.
    const KaartKeuring& keuring() const { return *m_keuring; }
    // The card shown wins the stage it was judged for: it is written down as its winner, and
    // the programme moves on. Until the next ball, further winners of that stage share it.
    // Anything else is refused with a reason (invoerGeweigerd), nietBevestigbaar().
    bool bevestigWinnaar();
    bool kanWinnaarBevestigen() const { return m_keuring->kanBevestigen(m_bezig); }
    QString nietBevestigbaar() const { return m_keuring->nietBevestigbaar(m_bezig); }
    // The last winner of this game taken back, once the organiser confirmed it.
    void neemWinnaarTerugVraag();

    // Balls from a real drum (AvondInstellingen::handmatig).
    // A ball entered by hand: shown, said and written down as a drawn ball is. A ball already
    // drawn or outside the game gets a short message and changes nothing.
    bool voerBalIn(int getal);
    // A click on a ball's place on the board (in twips): that ball entered by hand; nothing
    // when the balls come from the program's own drum or the click is beside the balls.
    bool voerBalInOp(QPoint twips);


signals:
    // A new game is being set up (after the game emptied its drum).
    void spelBegonnen(int aantalBallen);
    // Asks the stage to slide the board in and fill it; returns when that is done or stopped.
    void schuifBordIn(int aantalBallen);
    // The new game's board is ready for the first draw.
    void spelKlaar();
    // Asks the stage to let a drawn ball blink in its place; returns when that is done or stopped.
    void knipperBal(int getal);
    // The drawn ball is shown in full: its number, the big display, the lists.
    void balGetoond(int getal);
    // A draw has ended (also one that found the drum empty); the lock is free.
    void trekkingKlaar();
    void kaartGecontroleerd(const Avond::GecontroleerdeKaart& kaart);
    void kaartWeggezet();
    // What the organiser asked could not be done (a typed ball, a draw after the round's end, a
    // winner to confirm): why, in a few words. It is for the organiser, never for the hall.
    void invoerGeweigerd(const QString& reden);
    // The organiser confirmed the exit; the program ends with this code.
    void afgesloten(int code);

private:
    void TrekBal();
    int TrekGetal(int maximum);
    void volgSpel();
    void zelfTrekken();
    bool loopt(int generatie) const;
    bool vraag(const QString& titel, const QString& tekst, bool jaStandaard = true);
    void meld(const QString& titel, const QString& tekst);
    void toonKaart(const std::optional<GecontroleerdeKaart>& kaart);

    std::unique_ptr<AvondInstellingen> m_instellingen;
    Toeval* m_toeval = nullptr;
    Spel m_spel;
    std::unique_ptr<Verloop> m_verloop;
    std::unique_ptr<Roeper> m_roeper;
    std::unique_ptr<ProgrammaGang> m_programma;
    std::unique_ptr<KaartKeuring> m_keuring;
    Gesprek m_gesprek;
    std::function<bool()> m_podiumVrij;
    bool m_bezig = true;
    // Raised by every new game and every game taken up: a draw that waited across one stops
    // instead of showing its ball on the new board.
    int m_generatie = 0;
    bool m_vraagtAfsluiten = false;
    bool m_afgesloten = false;
    int m_afsluitCode = 0;
    // Last, so it goes first: it follows the game and the evening to the end.
    std::unique_ptr<WebVoeding> m_web;
};
