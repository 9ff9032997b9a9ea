#pragma once

#include "core/cards/kaarten.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

class QSqlError;
class Toeval;

enum class KaartSoort { Bingo75, Bingo90, Kien };

// One numbered card as it was printed: its numbers row by row, left to right, 0 for an empty
// cell of a Kien card and for the FREE centre of a Bingo card.
struct RegisterKaart {
    QString serie;
    int nummer = 0;
    KaartSoort soort = KaartSoort::Bingo75;
    QList<int> getallen; // 25 for Bingo (5 x 5), 27 for Kien (3 x 9)
    QDateTime gedrukt;
};

namespace KaartNummer
{
// "A-0017": the series, a hyphen and the running number in at least four digits.
QString tekst(const QString& serie, int nummer);
// A series name as the register keeps it (letters and digits, at most 12, upper case); empty
// when the text is no series name.
QString serie(const QString& tekst);
// Reads "A-0017", "a-17" or "A17" into its series and number; false when it is none.
bool lees(const QString& tekst, QString* serie, int* nummer);
QString soortNaam(KaartSoort soort); // "Bingo 75", "Bingo 90", "Kien"
int aantalCellen(KaartSoort soort);

// A card's cells as the register keeps them, and back.
QList<int> cellen(const Kaarten::BingoKaart& kaart);
QList<int> cellen(const Kaarten::KienPagina& pagina, int kaart); // card 0..5 of the page
Kaarten::BingoKaart bingoKaart(const QList<int>& cellen);
void zetKienKaart(Kaarten::KienPagina& pagina, int kaart, const QList<int>& cellen);
} // namespace KaartNummer

// The card register: every numbered card that was printed, in an SQLite database in the
// settings folder, so a card can be checked by its number on any later evening.
// A series numbers its cards 1, 2, 3 ... across print jobs, and holds no two cards with the
// same numbers. The register is opened for one job or one check and closed again, so other
// copies of the program can use it in between.
class KaartRegister
{
public:
    static inline const QString bestandsNaam = QStringLiteral("Kaartregister.db");
    static QString padIn(const QString& instellingenMap);

    enum class Toestand {
        Dicht,
        Open,
        Beschadigd,  // it was no readable register: it has been moved aside (opzijPad)
        InGebruik,   // another program holds it locked
        Geweigerd,   // the path is no regular file
        Onbruikbaar, // it cannot be opened or made (a folder that cannot be written, ...)
    };

    explicit KaartRegister(QString pad);
    ~KaartRegister();
    KaartRegister(const KaartRegister&) = delete;
    KaartRegister& operator=(const KaartRegister&) = delete;

    // Opens the register, making a new one where there is none. A file that is no readable
    // register is moved aside and not used: numbering waits for the organiser, because a new
    // register would start the series again. False, with a Dutch message, when not open.
    bool open(QString* melding = nullptr);
    void sluit();
    Toestand toestand() const { return m_toestand; }
    QString pad() const { return m_pad; }
    QString opzijPad() const { return m_opzij; }

    // The cards of one print job: series, first number, number of cards.
    struct Reeks {
        QString serie;
        int eerste = 0;
        int aantal = 0;
        int laatste() const { return eerste + aantal - 1; }
    };
    // Draws the cards of `paginas` pages (six to a page) and registers them under the next
    // numbers of the series, all in one transaction. A card whose numbers the series already
    // holds is drawn again; a Kien page is drawn again whole, so it keeps 1..90 once.
    std::optional<Reeks> registreer(KaartSoort soort, const QString& serie, int paginas, Toeval& toeval,
                                    QString* fout = nullptr);
    // Takes the cards `vanaf`..last of a job out again.
    bool trekTerug(const Reeks& reeks, int vanaf, QString* fout = nullptr);

    std::optional<RegisterKaart> kaart(const QString& serie, int nummer, QString* fout = nullptr);
    // Cards eerste .. eerste + aantal - 1 of a series, in number order.
    QList<RegisterKaart> kaarten(const QString& serie, int eerste, int aantal, QString* fout = nullptr);
    // The series of the card printed last; empty when there is none.
    QString laatsteSerie();
    int aantalKaarten(const QString& serie = {});

private:
    bool maakSchema(QString* melding);
    bool zetOpzij(QString* melding);
    bool mislukt(const QSqlError& fout, const QString& wat, QString* melding);

    QString m_pad;
    QString m_verbinding;
    QString m_opzij;
    Toestand m_toestand = Toestand::Dicht;
};
