#pragma once

#include "core/settings/roepinstellingen.h"

#include <QObject>
#include <QTimer>

#include <memory>

class ExtraInstellingen;
class Stem;

// The caller: says each drawn ball aloud and, when asked to, draws the next ball by itself at
// a steady pace. It decides; the main window draws.
class Roeper : public QObject
{
    Q_OBJECT
public:
    // Why calling by itself waits. Several may hold at once; it runs again when none holds.
    enum Reden : unsigned {
        GeenSpel = 1u << 0,   // no game on the board yet, or one being set up
        Spatiebalk = 1u << 1, // the organiser paused it
        Hulp = 1u << 2,       // the help panel covers the board
        Vraag = 1u << 3,      // a question or notice is open
        Dialoog = 1u << 4,    // a dialog is open
        Controle = 1u << 5,   // a card is being checked
        Leeg = 1u << 6,       // the drum is empty
    };

    explicit Roeper(ExtraInstellingen& extra, QObject* ouder = nullptr);
    ~Roeper() override;

    const RoepInstellingen& instellingen() const { return m_inst; }
    // Takes new settings and keeps them in Zorvak-extra.ini; false with a Dutch reason when
    // the file could not be written (the settings count all the same until the program ends).
    bool zetInstellingen(const RoepInstellingen& nieuw, QString* fout = nullptr);

    // The voice. The system's engine is only started when it is first needed.
    Stem* stem();
    void zetStem(std::unique_ptr<Stem> stem);
    // Gives the voice the kept settings again (after trying another one).
    void stelStem();
    // Why the voice is not heard: it has not started, gave no answer in time, or reported a
    // fault. Empty while it works. Calling goes on either way.
    QString spraakFout() const { return m_spraakFout; }
    // How long the voice may take to start or to finish what it says before it counts as not
    // answering (at the pace of the waits).
    static constexpr int antwoordTijdMs = 12000;

    // What happens in the game.
    void nieuwSpel(int ronde);
    void spelKlaar();
    // The programme moves on: "We spelen nu voor twee rijen".
    void zegFase(const QString& fase);
    // letter: as the game calls the ball ("G", or empty for the number alone).
    void balGetrokken(const QString& letter, int getal, int inTrommel);

    // Calling by itself.
    bool zelfTrekken() const { return m_inst.zelfTrekken; }
    bool gepauzeerd(Reden r) const { return (m_pauze & r) != 0; }
    void zetPauze(Reden r, bool aan);
    // The space bar while calling by itself: stops it or lets it go on.
    void wisselSpatiebalk() { zetPauze(Spatiebalk, !gepauzeerd(Spatiebalk)); }
    // The wait for the next ball, in milliseconds (the interval at the current pace).
    int wachttijd() const;
    bool wachtOpBal() const { return m_klok.isActive(); }
    // Starts the wait for the next ball anew (when it runs and nothing holds it).
    void herstart();

    // Holds a pause for as long as it lives: a dialog, a question.
    class Pauze
    {
    public:
        Pauze(Roeper* r, Reden reden);
        ~Pauze();
        Pauze(const Pauze&) = delete;
        Pauze& operator=(const Pauze&) = delete;

    private:
        Roeper* m_roeper;
        Reden m_reden;
        bool m_had;
    };

signals:
    // The interval ran out: the next ball, please (the main window decides whether it can).
    void trekNu();
    // The pauses changed; the stage shows whether the organiser paused it.
    void pauzeGewijzigd();
    // The voice stopped or started working again, or calling aloud was turned on or off:
    // spraakFout() says how the voice is now.
    void spraakGewijzigd();

private:
    void zeg(const QStringList& delen);
    void waakOverStem(bool opAntwoord);
    void kijkNaarStem(bool tijdOm);
    void zetSpraakFout(const QString& fout);

    ExtraInstellingen& m_extra;
    RoepInstellingen m_inst;
    std::unique_ptr<Stem> m_stem;
    QTimer m_klok;
    unsigned m_pauze = GeenSpel;
    // Watching the voice: the time it has to answer, a look at it now and then, how often it
    // had answered, and whether something said waits for its answer.
    QTimer m_waakhond;
    QTimer m_kijk;
    int m_klaar = -1;
    bool m_wachtOpAntwoord = false;
    QString m_spraakFout;
};
