#pragma once

#include "core/cards/kaartnummer.h"
#include "core/common/veiligbestand.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <memory>
#include <optional>

class QSqlError;
class Toeval;

// One numbered card as it was printed: its numbers row by row, left to right, 0 for an empty
// cell of a Kien card and for the FREE centre of a Bingo card.
struct RegisterKaart {
    QString serie;
    int nummer = 0;
    KaartSoort soort = KaartSoort::Bingo75;
    QList<int> getallen; // 25 for Bingo (5 x 5), 27 for Kien (3 x 9)
    QDateTime gedrukt;
};

// The card register: every numbered card that was printed, in an SQLite database in the
// settings folder, so a card can be checked by its number on any later evening.
// A series numbers its cards 1, 2, 3 ... across print jobs, and holds no two cards with the
// same numbers. The register is opened for one job or one check and closed again, so other
// copies of the program can use it in between.
//
// A register carries its own marks (SQLite's application id and schema version); a register
// restored from a dump without them is known by its table. Any other file is never used,
// changed or moved. Only a register of ours that is really damaged is set aside.
//
// The cards of a print job stay pending until its pages are out (the PDF in its place): a
// check does not find them, and when the job dies without ending (a kill, a crash), the next
// job takes them out again, with the job's temporary file.
class KaartRegister
{
public:
    static inline const QString bestandsNaam = QStringLiteral("Kaartregister.db");
    static QString padIn(const QString& instellingenMap);
    // The files SQLite keeps beside a register while it writes it.
    static QStringList bijBestanden(const QString& pad);

    enum class Modus {
        Schrijven, // printing: a missing register is made, a damaged one set aside
        Lezen,     // checking: nothing is ever made, written or moved
    };
    enum class Toestand {
        Dicht,
        Open,
        Beschadigd,  // our register, damaged: it has been moved aside (opzijPad)
        InGebruik,   // another program holds it locked
        Geweigerd,   // the path is no regular file
        Onbruikbaar, // it cannot be opened or made (a folder that cannot be written, ...)
        Vreemd,      // a file that is not a card register of Zorvak: left exactly as it was
        Ontbreekt,   // reading: there is no register, or it is empty
    };
    // What a file's first bytes (at least 100 of them, when it has them) say it is.
    enum class Soort { Leeg, Zorvak, ZonderMerk, Vreemd };
    static Soort herken(const QByteArray& begin);

    explicit KaartRegister(QString pad, Modus modus = Modus::Schrijven);
    ~KaartRegister();
    KaartRegister(const KaartRegister&) = delete;
    KaartRegister& operator=(const KaartRegister&) = delete;

    // Opens the register; writing, it makes a new one where there is none. A register of ours
    // that is damaged is moved aside when writing, and not used: numbering waits for the
    // organiser, because a new register would start the series again. False, with a Dutch
    // message, when not open.
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
        QString opdracht; // the job that holds them pending
        int laatste() const { return eerste + aantal - 1; }
    };
    // Draws the cards of `paginas` pages (six to a page) and registers them, pending, under the
    // next numbers of the series, all in one transaction. A card whose numbers the series already
    // holds is drawn again; a Kien page is drawn again whole, so it keeps 1..90 once. doel: the
    // file the pages go to, if any.
    std::optional<Reeks> registreer(KaartSoort soort, const QString& serie, int paginas, Toeval& toeval,
                                    QString* fout = nullptr, const QString& doel = {});
    // The temporary file the job's pages are being written to, before they are.
    bool zetTijdelijk(const Reeks& reeks, const QString& tijdelijk, QString* fout = nullptr);
    // The job's cards up to totEnMet are out: they count from now on.
    bool bevestig(const Reeks& reeks, int totEnMet, QString* fout = nullptr);
    // The job ends: its cards that were not confirmed leave the register.
    bool rondAf(const Reeks& reeks, QString* fout = nullptr);

    std::optional<RegisterKaart> kaart(const QString& serie, int nummer, QString* fout = nullptr);
    // Cards eerste .. eerste + aantal - 1 of a series, in number order.
    QList<RegisterKaart> kaarten(const QString& serie, int eerste, int aantal, QString* fout = nullptr);
    // The series of the card printed last, of one of these kinds (none given: of any kind);
    // empty when there is none.
    QString laatsteSerie(const QList<KaartSoort>& soorten = {});
    // Every series with cards that are out, the one printed last first.
    QStringList series();
    int aantalKaarten(const QString& serie = {});

private:
    bool openDatabase(bool alleenLezen, QString* melding);
    bool maakOfWerkBij(bool nieuw, QString* melding);
    bool ruimOpdrachtenOp(QString* melding);
    bool weiger(Toestand toestand, const QString& tekst, QString* melding);
    bool zetOpzij(QString* melding);
    bool mislukt(const QSqlError& fout, const QString& wat, QString* melding);
    QString nietInAfdruk(const QString& tabel) const;
    QString slotPad(const QString& opdracht) const;

    QString m_pad;
    Modus m_modus;
    QString m_verbinding;
    QString m_opzij;
    Toestand m_toestand = Toestand::Dicht;
    bool m_eigen = false;         // known to be a register of ours
    bool m_metOpdrachten = false; // the register keeps print jobs (schema version 2)
    QString m_opdracht;           // the job this object runs
    std::unique_ptr<VeiligBestand::Slot> m_opdrachtSlot;
};
