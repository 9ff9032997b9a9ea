#pragma once

#include "core/game/spel.h"

#include <QByteArray>
#include <QHash>
#include <QSet>
#include <QString>

#include <functional>
#include <optional>

// The evening's record: every change of the game as one line of a CSV file, one file a day,
// "Verloop/JJJJ-MM-DD.csv" in the settings folder. Each line is on the disk before the change
// shows. The record is all a restart needs to take an unfinished game up again, and a person
// or a spreadsheet can read it:
//
//     tijd,spel,ronde,gebeurtenis,bal,letter,ballen,kaart,fase,uitslag,aantal,herkomst
//     2026-12-06T20:15:03.120+01:00,3,3,nieuw spel,,,75,,,,,
//     2026-12-06T20:15:09.871+01:00,3,3,getrokken,56,G,75,,,,,
//     2026-12-06T20:31:40.002+01:00,3,3,gecontroleerd,43,G,75,A-0017,lijn,bingo,27,
//
// tijd: the moment, ISO 8601 with the offset from UTC; spel: the game number; ronde: the
// round; gebeurtenis: "nieuw spel", "getrokken", "teruggelegd", "afgesloten" (the organiser
// ended the program), "opgegeven" (the unfinished game was not taken up again) or
// "gecontroleerd" (a card was checked); bal and letter: the ball of a draw or take-back, or the
// ball that completed a checked card; ballen: the ball count of the game (75 or 90). The
// columns after it are empty where they do not apply: kaart (a card's number), fase (the
// stage it was checked for), uitslag (the verdict), aantal (the place in the draw of the ball
// in bal), herkomst ("hand" for a ball entered from a real drum). With a programme of the
// evening, "fase" (the programme moves to the stage in fase), "winnaar" and "winnaar
// teruggenomen" (the card, the stage, the last ball and the ball count when it was confirmed,
// and for a winner the ball that made the card complete in uitslag) come in, and at the start of
// each round "programma": the programme and the club's limits as they were played, whole in the
// uitslag column. Records of seven columns, from before, are read all the same, and lines
// that say more than a restart needs are passed over.
// A game that runs past midnight stays in the file where it began.
//
// The game in memory is the truth. A line that cannot be written (a full disk) is not lost:
// the next line that can be written brings the file level with the game first, "nieuw spel"
// included. Until then the record is marked incomplete in "Verloop/stand.txt", a small file
// made at start and later only overwritten in place, which needs no new space on a full disk;
// a start after a crash reads that mark and says that balls may be missing.
class Verloop
{
public:
    static inline const QString mapNaam = QStringLiteral("Verloop");
    static inline const QString standNaam = QStringLiteral("stand.txt");
    static inline const QByteArray kopRegel =
        QByteArrayLiteral("tijd,spel,ronde,gebeurtenis,bal,letter,ballen,kaart,fase,uitslag,aantal,herkomst");
    // The header of records written before the columns after `ballen` came.
    static inline const QByteArray kopRegelZeven = QByteArrayLiteral("tijd,spel,ronde,gebeurtenis,bal,letter,ballen");

    // What a line may hold after "ballen", each empty when it does not apply: the card, the
    // stage played for, a check's verdict, the ball's place in the draw, and "hand" for a ball
    // entered from a real drum.
    struct Extra {
        QString kaart;
        QString fase;
        QString uitslag;
        int aantal = 0;
        // A "programma" line: the programme as played, in the uitslag column, whole (its commas,
        // quotes and line ends written as %2C, %22, %0D and %0A, and % as %25).
        QByteArray programma;
    };
    // A winner's verdict names the ball that made the card complete and its place in the draw:
    // "gewonnen met bal 71 (de 39e bal)"; plain "gewonnen" when that is not known.
    static QString winnaarUitslag(int bal, int plaats);
    // The ball and its place from such a verdict; {0, 0} when it names none.
    static std::pair<int, int> winnaarCompleet(const QString& uitslag);
    // Any line of a record, as a person reads it; for the report of the evening.
    struct Regel {
        int nummer = 0; // its line in the file; the header is line 1
        QDateTime tijd;
        int spel = 0;
        int ronde = 0;
        QString gebeurtenis;
        int bal = 0;
        int ballen = 0;
        Extra extra;
        bool hand = false;
    };
    // The lines of a record that can be read. A line that is no line of a record, or names what
    // no game can hold (ball 999, the -7th ball, a game of 80 balls), is left out and its number
    // goes into *onleesbaar, so nobody takes what is left for the whole evening.
    static QList<Regel> alleRegels(const QByteArray& inhoud, QList<int>* onleesbaar = nullptr);
    // The record of a day (or the one `controleer` takes when none is given), whole.
    static std::optional<QByteArray> leesBestand(const QString& pad, QString* fout);

    // The last game of a record, as far as the record could be read.
    struct Laatste {
        Spel::Stand stand;
        bool afgemaakt = false;   // ended by a confirmed exit or given up
        bool onvolledig = false;  // the record lacks lines of this game: balls may be missing
        int hoogsteSpel = 0;      // the highest game number the record names as missing
        QString bestand;          // the record it was read from
        bool beschadigd = false;  // the file is no record: a line in it cannot be read
        QString fout;             // why, in Dutch
        qsizetype gelezenTot = 0; // the bytes that hold the header and whole, readable lines
        qint64 grootte = 0;       // the size of the file when it was read
    };

    // The last game of the record under the settings folder: today's record when it holds a
    // game, otherwise the record written last by the times in its lines, whatever the names.
    // A record dated after today (left by a clock once set ahead) is never taken: such files
    // are named in *toekomst. Nothing when there is no record or it holds no game. Only reads;
    // a damaged file comes back marked as such.
    static std::optional<Laatste> laatsteSpel(const QString& instellingenMap, QStringList* toekomst = nullptr,
                                              const QDateTime& nu = QDateTime::currentDateTime());
    // Reads the bytes of one record. A last line cut off by a crash is passed over.
    static Laatste leesInhoud(const QByteArray& inhoud);
    // One line of the record, with its line end.
    static QByteArray regel(const QDateTime& tijd, const Spel::Stand& stand, Spel::Gebeurtenis gebeurtenis, int bal,
                            bool hand = false);
    static QByteArray regel(const QDateTime& tijd, const Spel::Stand& stand, const QByteArray& gebeurtenis, int bal,
                            const Extra& extra, bool hand = false);
    // The record of a day.
    static QString dagBestand(const QString& instellingenMap, const QDate& dag);

    explicit Verloop(const QString& instellingenMap);

    // Start: the last game of the record, read once. A damaged record is kept aside, and said,
    // so the evening goes on with a new one; a record dated in the future is named once.
    std::optional<Laatste> bijStart();
    // Writes every change of this game from now on.
    void volg(Spel& spel);
    // The game read at start is taken up again: its lines go on in its own file.
    void hervat(const Laatste& laatste);
    // The game read at start is not taken up again: the record says it was given up.
    void geefOp(const Laatste& laatste);
    // A game newer than the record's last began but never reached the record (a full disk, then
    // a crash): its number, from the mark the last run left; 0 when none is missing. Until the
    // record says so itself (noteerOntbrekend), the mark stays.
    int ontbrekendSpel() const { return m_ontbrekend; }
    // Writes into the record that that game is missing, with the ball count of its kind; the
    // mark is made whole once that line is in.
    bool noteerOntbrekend(int aantalBallen);
    // Keeps a damaged record aside under another name; returns that name, empty on failure.
    static QString zetApart(const QString& bestand);
    // A line about the game being played that is no change of its balls ("fase", "winnaar",
    // "winnaar teruggenomen"); what the file lacks of the game goes in before it. False when it
    // could not be written (the organiser has been told).
    bool schrijfRegel(const QByteArray& gebeurtenis, int bal, const Extra& extra);
    // A card check, beside the game: the card's number, the stage it was checked for, the
    // verdict, and the ball that completed the card with its place in the draw (0: none).
    // Without a game the line goes into today's record with the game's columns empty.
    void schrijfControle(const QString& kaart, const QString& fase, const QString& uitslag, int bal, int aantal);
    // Whether the file lacks lines of the game in memory.
    bool isAchter() const { return m_achter; }

    // Whoever can tell the organiser: a record that cannot be written is said once.
    void zetMelder(std::function<void(const QString&)> melder) { m_melder = std::move(melder); }
    // The clock of the record's lines; tests set their own.
    void zetKlok(std::function<QDateTime()> klok) { m_klok = std::move(klok); }
    // How a line is appended (VeiligBestand::voegToe); tests make it fail as a full disk does.
    using Aanvuller = std::function<bool(const QString& pad, const QByteArray& regels, QString* fout)>;
    void zetAanvuller(Aanvuller aanvuller) { m_aanvuller = std::move(aanvuller); }

private:
    void schrijfGebeurtenis(Spel::Gebeurtenis gebeurtenis, int bal);
    bool werkBij(const QByteArray& slot);
    QByteArray inhaalRegels() const;
    bool voegToe(const QString& bestand, const QByteArray& regel);
    bool bereidVoor(const QString& bestand, QByteArray& voorloop, bool* opnieuw = nullptr);
    void zorgVoorStand();
    void markeer(bool onvolledig);
    static QByteArray standTekst(bool onvolledig, const QString& bestand, int spel);
    static constexpr int standGrootte = 64;
    void meld(const QString& tekst);
    void meldBeschadigd(const QString& bestand, const QString& fout, const QString& apart);

    QString m_map;
    Spel* m_spel = nullptr;
    QString m_bestand;
    QSet<QString> m_klaar;           // files checked this session
    QHash<QString, qint64> m_bekend; // files read whole at start, by their size then
    bool m_foutGemeld = false;
    std::function<void(const QString&)> m_melder;
    std::function<QDateTime()> m_klok;
    Aanvuller m_aanvuller;

    // The game as memory has it, and as its file holds it.
    Spel::Stand m_waar;
    Spel::Stand m_inBestand;
    bool m_kopInBestand = false; // its "nieuw spel" line is in the file
    QDateTime m_begin;           // when it began
    bool m_achter = false;
    bool m_gatInSpel = false; // taken up from a record that lacked lines: balls may be missing
    int m_ontbrekend = 0;     // a game missing from the record, read from the mark at start
    QString m_ontbrekendIn;   // the record it belongs in
    QString m_standPad;       // the mark, once it exists
    QByteArray m_stand;       // what it says now
};
