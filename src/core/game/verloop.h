#pragma once

#include "core/game/spel.h"

#include <QByteArray>
#include <QSet>
#include <QString>

#include <functional>
#include <optional>

// The evening's record: every change of the game as one line of a CSV file, one file a day,
// "Verloop/JJJJ-MM-DD.csv" in the settings folder. Each line is on the disk before the change
// shows. The record is all a restart needs to take an unfinished game up again, and a person
// or a spreadsheet can read it:
//
//     tijd,spel,ronde,gebeurtenis,bal,letter,ballen
//     2026-12-06T20:15:03.120+01:00,3,3,nieuw spel,,,75
//     2026-12-06T20:15:09.871+01:00,3,3,getrokken,56,G,75
//
// tijd: the moment, ISO 8601 with the offset from UTC; spel: the game number; ronde: the
// round; gebeurtenis: "nieuw spel", "getrokken", "teruggelegd", "afgesloten" (the organiser
// ended the program) or "opgegeven" (the unfinished game was not taken up again); bal and
// letter: the ball of a draw or take-back; ballen: the ball count of the game (75 or 90).
// A game that runs past midnight stays in the file where it began.
class Verloop
{
public:
    static inline const QString mapNaam = QStringLiteral("Verloop");
    static inline const QByteArray kopRegel = QByteArrayLiteral("tijd,spel,ronde,gebeurtenis,bal,letter,ballen");

    // The last game of a record, as far as the record could be read.
    struct Laatste {
        Spel::Stand stand;
        bool afgemaakt = false;   // ended by a confirmed exit or given up
        QString bestand;          // the record it was read from
        bool beschadigd = false;  // the file is no record: a line in it cannot be read
        QString fout;             // why, in Dutch
        qsizetype gelezenTot = 0; // the bytes that hold the header and whole, readable lines
    };

    // The last game of the newest record under the settings folder; nothing when there is no
    // record or it holds no game. Only reads; a damaged file comes back marked as such.
    static std::optional<Laatste> laatsteSpel(const QString& instellingenMap);
    // Reads the bytes of one record. A last line cut off by a crash is passed over.
    static Laatste leesInhoud(const QByteArray& inhoud);
    // One line of the record, with its line end.
    static QByteArray regel(const QDateTime& tijd, const Spel::Stand& stand, Spel::Gebeurtenis gebeurtenis, int bal);
    // The record of a day.
    static QString dagBestand(const QString& instellingenMap, const QDate& dag);

    explicit Verloop(const QString& instellingenMap);

    // Start: the last game of the newest record. A damaged record is kept aside, and said,
    // so the evening goes on with a new one.
    std::optional<Laatste> bijStart();
    // Writes every change of this game from now on.
    void volg(Spel& spel);
    // The game read at start is taken up again: its lines go on in its own file.
    void hervat(const Laatste& laatste);
    // The game read at start is not taken up again: the record says it was given up.
    void geefOp(const Laatste& laatste);
    // Keeps a damaged record aside under another name; returns that name, empty on failure.
    static QString zetApart(const QString& bestand);

    // Whoever can tell the organiser: a record that cannot be written is said once.
    void zetMelder(std::function<void(const QString&)> melder) { m_melder = std::move(melder); }
    // The clock of the record's lines; tests set their own.
    void zetKlok(std::function<QDateTime()> klok) { m_klok = std::move(klok); }

private:
    void schrijfGebeurtenis(Spel::Gebeurtenis gebeurtenis, int bal);
    bool voegToe(const QString& bestand, const QByteArray& regel);
    bool bereidVoor(const QString& bestand, QByteArray& voorloop);
    void meld(const QString& tekst);
    void meldBeschadigd(const QString& bestand, const QString& fout, const QString& apart);

    QString m_map;
    Spel* m_spel = nullptr;
    QString m_bestand;
    QSet<QString> m_klaar; // files checked this session
    bool m_foutGemeld = false;
    std::function<void(const QString&)> m_melder;
    std::function<QDateTime()> m_klok;
};
