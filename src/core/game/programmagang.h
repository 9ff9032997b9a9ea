#pragma once

#include "core/cards/kaartpatroon.h"
#include "core/game/avondprogramma.h"
#include "core/game/spelsoort.h"

#include <QList>
#include <QObject>
#include <QString>

#include <optional>
#include <utility>

class ExtraInstellingen;
class Spel;
class Verloop;

// How the programme of the evening is played: which round and stage is played for, who won
// what, when a round is over, and the club's limits. It follows the game on the board and
// writes every step in the evening's record, from which it is taken up again after a restart.
// Without a programme, or while it does not run, the evening is what it always was.
class ProgrammaGang : public QObject
{
    Q_OBJECT
public:
    // A winner confirmed from a card check: the card, the programme's round and stage (from
    // 0), the balls drawn when it was confirmed and the last of them, the game it was won in,
    // and the ball that made the card complete with its place in the draw.
    struct Winnaar {
        QString kaart;
        int ronde = 0;
        int fase = 0;
        int aantal = 0;
        int bal = 0;
        int spel = 0;
        int compleetBal = 0;
        int compleetPlaats = 0;
    };

    // The programme is read from the settings folder; the limits live in Zorvak-extra.ini.
    // verloop: none when the evening keeps no record.
    ProgrammaGang(const Spel& spel, Verloop* verloop, ExtraInstellingen& extra, const QString& instellingenMap,
                  QObject* ouder = nullptr);

    // The programme as kept in its file (empty: none), and why it could not be read.
    const AvondProgramma& inhoud() const { return m_programma; }
    QString leesMelding() const { return m_melding; }
    // Keeps a new programme in its file; false with a Dutch reason when it could not be
    // written. A programme that runs starts anew from its first round.
    bool zet(const AvondProgramma& programma, QString* fout = nullptr);
    // From the first stage, with no winners; the evening sets up its game. stop() lets the
    // evening go on without it.
    void start();
    void stop();
    bool loopt() const { return m_loopt; }
    // The round and stage played for now (from 0); the round is past the last when all is won.
    int ronde() const { return m_ronde; }
    int fase() const { return m_fase; }
    bool klaar() const { return m_loopt && m_ronde >= m_programma.rondes.size(); }
    // A round is still to be played: a new game is that round's, with its ball count.
    bool speeltRonde() const { return m_loopt && !klaar(); }
    int aantalBallen() const;
    // The game of the round has been set up: the programme and the stage go into the record,
    // and the caller names the stage.
    void rondeBegonnen();

    // The line the stage shows while the programme runs, for the hall ("Ronde 1 is afgelopen"
    // once its round is over); empty when it does not run.
    QString regel() const;
    // The programme has gone past the round of the game on the board: its last stage is won.
    // Until Start, nothing enters that game; every try is answered with rondeAfgelopenTekst(),
    // which tells the organiser what to press.
    bool rondeAfgelopen() const;
    QString rondeAfgelopenTekst() const;
    // The game on the board and the cards it is played with.
    SpelSoort spelSoort() const;
    // The pattern of the Bingo stage played for now; none while no programme plays a Bingo stage
    // (an empty pattern: any line).
    std::optional<PatroonKaart::Patroon> fasePatroon() const;
    // The stage a card is judged for: one just won while no ball has come since, else the one
    // played for now, when this game is its round's; none without a programme.
    std::optional<std::pair<int, int>> beoordeeldeFase() const;

    const QList<Winnaar>& winnaars() const { return m_winnaars; }
    bool heeftGewonnen(const QString& kaart, int ronde, int fase) const;
    // A winner confirmed: written down, and the programme moves on when the stage had none yet
    // (further winners of it share the prize).
    void voegWinnaarToe(const Winnaar& winnaar);
    // The last winner taken back: written down, and its stage is played for again when nobody
    // else won it.
    void neemWinnaarTerug();
    // The programme's place and its winners taken up from a record file.
    void herstel(const QString& bestand);

    // The limits of a club game, per prize and per evening, in cents.
    qint64 maxPrijs() const;
    qint64 maxAvond() const;
    bool zetLimieten(qint64 perPrijs, qint64 perAvond, QString* fout = nullptr);

signals:
    // The programme, its place or its winners changed.
    void gewijzigd();
    // The winners were cleared or one taken back: a card judged before is judged anew.
    void winnaarsHerzien();
    // A new stage of the game on the board is played for: the caller names it.
    void faseBereikt(const QString& naam);

private:
    int winnaarsVan(int ronde, int fase) const;
    void naarFase(int ronde, int fase, bool zeg);
    void schrijfFase();
    void schrijfProgramma();

    const Spel& m_spel;
    Verloop* m_verloop;
    ExtraInstellingen& m_extra;
    QString m_map;
    AvondProgramma m_programma;
    QString m_melding;
    bool m_loopt = false;
    int m_ronde = 0;
    int m_fase = 0;
    QList<Winnaar> m_winnaars;
};
