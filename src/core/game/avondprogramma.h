#pragma once

#include "core/cards/kaartpatroon.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>
#include <utility>

// The programme of an evening: a list of rounds, each a game with its stages in order, and a
// prize per stage. It lives in "Zorvak-programma.json" beside Zorvak.ini: JSON, because a person
// can read and mend it in any text editor, it copies to another computer as one file, a pattern
// reads as five lines of X and ., and Qt reads it with a precise place for any error.
//
//     {
//       "programma": "Zorvak",
//       "rondes": [
//         { "spel": "Kienen", "kaartprijs": 2.5, "kaarten": 40,
//           "fasen": [ { "fase": "1 rij", "prijs": "Taart", "bedrag": 10 }, ... ] },
//         { "spel": "Bingo 75",
//           "fasen": [ { "fase": "Eigen patroon", "prijs": "Fles wijn", "bedrag": 15,
//                        "patroon": [ "X...X", ".X.X.", "..X..", ".X.X.", "X...X" ] } ] }
//       ]
//     }
//
// Amounts are in euros; inside the program they are whole cents.
struct AvondProgramma {
    enum class Soort { Bingo75, Bingo90, Kienen };

    struct Fase {
        QString naam;                                 // "1 rij", "2 rijen", "volle kaart", or a pattern's name
        std::optional<PatroonKaart::Patroon> patroon; // Bingo: the cells to be drawn; none: any line
        QString prijs;                                // the prize as text, may be empty
        std::optional<qint64> bedrag;                 // in cents
        bool operator==(const Fase& f) const
        {
            return naam == f.naam && patroon == f.patroon && prijs == f.prijs && bedrag == f.bedrag;
        }
    };

    struct Ronde {
        Soort spel = Soort::Kienen;
        QList<Fase> fasen;
        std::optional<qint64> kaartPrijs; // in cents
        int kaarten = 0;                  // cards sold
        bool operator==(const Ronde& r) const
        {
            return spel == r.spel && fasen == r.fasen && kaartPrijs == r.kaartPrijs && kaarten == r.kaarten;
        }
    };

    QList<Ronde> rondes;
    bool operator==(const AvondProgramma& p) const { return rondes == p.rondes; }
    bool leeg() const { return rondes.isEmpty(); }

    inline static const QString bestandsNaam = QStringLiteral("Zorvak-programma.json");
    static QString pad(const QString& instellingenMap);

    // The file's text, and the programme read from it; none, with a Dutch reason, when it is no
    // programme of ours.
    QByteArray alsJson() const;
    static std::optional<AvondProgramma> uitJson(const QByteArray& tekst, QString* fout);

    // The programme kept in the settings folder. Nothing when there is none; a damaged file is
    // put aside (never written over) and *melding says so in Dutch.
    static std::optional<AvondProgramma> lees(const QString& instellingenMap, QString* melding);
    bool bewaar(const QString& instellingenMap, QString* fout) const;
    // Another file, chosen by the organiser: to take a programme from another computer, or give it.
    static std::optional<AvondProgramma> importeer(const QString& pad, QString* fout);
    bool exporteer(const QString& pad, QString* fout) const;

    // What keeps the programme from being played: a stage of its own pattern with no cell drawn,
    // which any line would win. Empty when it can be played.
    QStringList fouten() const;

    // The programme with the club's limits as one line of the evening's record, so that a report
    // says what was played whatever becomes of the file; and read back.
    struct Gespeeld;
    QByteArray alsVerloopTekst(qint64 maxPrijs, qint64 maxAvond) const;
    static std::optional<Gespeeld> uitVerloopTekst(const QByteArray& tekst);

    // Every prize over the limit per prize, and the evening's total over the limit per evening,
    // as lines the organiser reads. Limits in cents.
    QStringList waarschuwingen(qint64 maxPrijs, qint64 maxAvond) const;
    qint64 totaalPrijzen() const;

    static QString spelNaam(Soort soort);
    static std::optional<Soort> soortVan(const QString& naam);
    static int aantalBallen(Soort soort);
    // The stages a new round of this game starts with.
    static QList<Fase> standaardFasen(Soort soort);
    // Kien: the stages by their full rows.
    static QStringList kienFasen();
    // Bingo: the built-in patterns by name; "Rij" (any row, column or diagonal) has none.
    static QStringList patroonNamen();
    static std::optional<PatroonKaart::Patroon> vastPatroon(const QString& naam);
    inline static const QString eigenPatroon = QStringLiteral("Eigen patroon");
    // Kien: the full rows a stage asks for (1, 2, or 3 for the full card).
    static int kienRijen(const QString& fase);

    // "€ 15" or "€ 12,50"; "€ 1.550" with thousands.
    static QString bedragTekst(qint64 centen);
    // A stage's prize as the hall reads it: "Taart (€ 10)", "Taart", "€ 10", or empty.
    static QString prijsTekst(const Fase& fase);
    // What the stage says is played for: "Ronde 3 · 2 rijen · Taart (€ 15)", without a prize
    // "Ronde 3 · 2 rijen".
    QString regel(int ronde, int fase) const;
    // Where the programme goes once a stage is won: its next stage, or the next round's first
    // (one past the last round when the evening's prizes are all won).
    std::pair<int, int> naWinst(int ronde, int fase) const
    {
        return fase + 1 < rondes[ronde].fasen.size() ? std::make_pair(ronde, fase + 1) : std::make_pair(ronde + 1, 0);
    }
    // The prize of a stage for one of `delers` winners, when it has an amount.
    static std::optional<qint64> deel(const Fase& fase, int delers);
};

struct AvondProgramma::Gespeeld {
    AvondProgramma programma;
    std::optional<qint64> maxPrijs; // in cents
    std::optional<qint64> maxAvond;
};
