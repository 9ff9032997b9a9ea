// The card register's file: whose it is, opening it, making or bringing it up to date, and
// setting a damaged register of ours aside. Any file that is not ours is left as it was.

#include "core/cards/kaartregister.h"
#include "core/cards/kaartregister_intern.h"
#include "core/common/veiligbestand.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

using namespace KaartRegisterIntern;

namespace
{

constexpr int sqliteAlleenLezen = 8, sqliteHerstelNodig = 776; // SQLITE_READONLY, .._ROLLBACK

// SQLite's own texts are English; the organiser reads this instead.
QString sqliteReden(const QSqlError& fout)
{
    switch (foutCode(fout)) {
    case 3:  // SQLITE_PERM
    case 23: // SQLITE_AUTH
        return QStringLiteral("er is geen toestemming voor");
    case sqliteBezig:
    case sqliteVergrendeld:
        return QStringLiteral("het is in gebruik door een ander programma");
    case 7: // SQLITE_NOMEM
        return QStringLiteral("er is te weinig geheugen");
    case sqliteAlleenLezen:
        return QStringLiteral("het bestand of de map mag alleen worden gelezen");
    case 9: // SQLITE_INTERRUPT
        return QStringLiteral("het werk is onderbroken");
    case 10: // SQLITE_IOERR
        return QStringLiteral("de schijf gaf een fout bij het lezen of schrijven");
    case sqliteBeschadigd:
        return QStringLiteral("het bestand is beschadigd");
    case 13: // SQLITE_FULL
        return QStringLiteral("de schijf is vol");
    case 14: // SQLITE_CANTOPEN
        return QStringLiteral("het bestand kan niet worden geopend");
    case 15: // SQLITE_PROTOCOL
        return QStringLiteral("het bestand kan niet worden vergrendeld (staat het in een netwerkmap?)");
    case 18: // SQLITE_TOOBIG
        return QStringLiteral("een gegeven is te groot");
    case sqliteBeperking:
        return QStringLiteral("de kaart staat er al in");
    case 22: // SQLITE_NOLFS
        return QStringLiteral("het bestand is te groot voor dit systeem");
    case sqliteGeenDatabase:
        return QStringLiteral("het is geen database");
    default:
        return QStringLiteral("onbekende fout (code %1) van SQLite").arg(fout.nativeErrorCode());
    }
}

// The marks in a database's header: "SQLite format 3", the journal's kind, the schema version
// and the application id (big-endian at 60 and 68).
constexpr int kopGrootte = 100;
quint32 kopGetal(const QByteArray& kop, int plek)
{
    quint32 n = 0;
    for (int i = 0; i < 4; ++i)
        n = (n << 8) | static_cast<quint8>(kop[plek + i]);
    return n;
}

// A register a job left in the middle of a change: only a job that writes it may finish that.
QString herstelNodig(const QString& naam)
{
    return QStringLiteral("Het kaartregister \"%1\" is midden in een afdruk achtergelaten en moet eerst worden "
                          "hersteld. Dat gebeurt vanzelf bij de volgende keer afdrukken met nummers.")
        .arg(naam);
}

// The columns of the table of cards, as a register restored from a dump is known by.
const QStringList kaartenKolommen = {QStringLiteral("serie"),    QStringLiteral("nummer"),  QStringLiteral("soort"),
                                     QStringLiteral("getallen"), QStringLiteral("sleutel"), QStringLiteral("gedrukt")};

QStringList kolommenVanKaarten(QSqlQuery& q)
{
    QStringList kolommen;
    if (q.exec(QStringLiteral("PRAGMA table_info(kaarten)")))
        while (q.next())
            kolommen << q.value(1).toString();
    return kolommen;
}

// Whether a database without marks, whose last write was cut off (a journal beside it), holds
// the table of a register. SQLite must roll such a write back before anything can be read, so
// that is done in a copy of the file and its journal: the file itself stays as it is. Nothing
// when the copy cannot be made or read.
std::optional<bool> heeftKaartenNaHerstel(const QString& pad)
{
    QTemporaryDir map;
    const QString kopie = map.filePath(QStringLiteral("kopie.db"));
    const auto kopieer = [](const QString& van, const QString& naar) {
        return QFile::copy(van, naar) && QFile::setPermissions(naar, QFile::ReadOwner | QFile::WriteOwner);
    };
    if (!map.isValid() || !kopieer(pad, kopie) ||
        !kopieer(pad + QStringLiteral("-journal"), kopie + QStringLiteral("-journal")))
        return std::nullopt;
    std::optional<bool> uit;
    const QString verbinding = QStringLiteral("kaartregister-kopie-%1").arg(volgnummer.fetchAndAddRelaxed(1));
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), verbinding);
        db.setDatabaseName(kopie);
        if (db.open()) {
            QSqlQuery q(db);
            if (q.exec(QStringLiteral("SELECT count(*) FROM sqlite_master"))) {
                q.finish();
                uit = kolommenVanKaarten(q) == kaartenKolommen;
            }
        }
    }
    QSqlDatabase::removeDatabase(verbinding);
    return uit;
}
} // namespace

QString KaartRegister::padIn(const QString& instellingenMap)
{
    return QDir(instellingenMap).filePath(bestandsNaam);
}

QStringList KaartRegister::bijBestanden(const QString& pad)
{
    return {pad + QStringLiteral("-journal"), pad + QStringLiteral("-wal"), pad + QStringLiteral("-shm")};
}

KaartRegister::Soort KaartRegister::herken(const QByteArray& begin)
{
    if (begin.isEmpty()) return Soort::Leeg;
    if (begin.size() < kopGrootte || !begin.startsWith(QByteArrayLiteral("SQLite format 3\0"))) return Soort::Vreemd;
    const quint32 id = kopGetal(begin, 68);
    if (id == quint32(toepassingsId)) return Soort::Zorvak;
    // Without marks only a database in the journal mode of ours (not WAL) can be a register.
    if (id == 0 && begin[18] == 1 && begin[19] == 1) return Soort::ZonderMerk;
    return Soort::Vreemd;
}

bool KaartRegister::weiger(Toestand toestand, const QString& tekst, QString* melding)
{
    sluit();
    m_toestand = toestand;
    if (melding) *melding = tekst;
    return false;
}

bool KaartRegister::openDatabase(bool alleenLezen, QString* melding)
{
    sluit();
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_verbinding);
    if (!db.isValid())
        return weiger(Toestand::Onbruikbaar,
                      QStringLiteral("Het kaartregister kan niet worden geopend: het onderdeel voor SQLite "
                                     "ontbreekt (op Debian het pakket libqt6sql6-sqlite)."),
                      melding);
    db.setDatabaseName(m_pad);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=2000") +
                         (alleenLezen ? QStringLiteral(";QSQLITE_OPEN_READONLY") : QString()));
    if (!db.open()) return mislukt(db.lastError(), QStringLiteral("geopend"), melding);
    return true;
}

bool KaartRegister::open(QString* melding)
{
    sluit();
    m_opzij.clear();
    m_eigen = false;
    m_metOpdrachten = false;
    const bool lezen = m_modus == Modus::Lezen;
    const QString naam = QDir::toNativeSeparators(m_pad);
    const QFileInfo info(m_pad);
    const QString geenRegister = QStringLiteral("Er is nog geen kaartregister (\"%1\").").arg(naam);
    const QString vreemd = QStringLiteral("\"%1\" is geen kaartregister van Zorvak. Het wordt niet gebruikt en niet "
                                          "veranderd; kies een ander bestand of zet dit opzij.")
                               .arg(naam);
    // SQLite would open a pipe or a device too, and could wait on it for ever.
    if ((info.exists() || info.isSymLink()) && !VeiligBestand::isGewoonBestand(m_pad))
        return weiger(Toestand::Geweigerd,
                      QStringLiteral("Het kaartregister \"%1\" is geen gewoon bestand en wordt niet gebruikt. "
                                     "Zonder nummering afdrukken kan gewoon.")
                          .arg(naam),
                      melding);

    // The file's own first bytes say whether it is ours, before SQLite touches it.
    Soort soort = Soort::Leeg;
    if (info.exists()) {
        QString reden;
        const auto begin = VeiligBestand::leesBegin(m_pad, kopGrootte, &reden);
        if (!begin) return weiger(Toestand::Onbruikbaar, reden, melding);
        soort = herken(*begin);
    } else if (lezen) {
        return weiger(Toestand::Ontbreekt, geenRegister, melding);
    } else if (!QDir().mkpath(info.absolutePath())) {
        return weiger(Toestand::Onbruikbaar,
                      QStringLiteral("De map voor het kaartregister \"%1\" kon niet worden gemaakt.").arg(naam),
                      melding);
    }
    if (soort == Soort::Vreemd) return weiger(Toestand::Vreemd, vreemd, melding);
    if (soort == Soort::Leeg && info.exists()) {
        if (lezen)
            return weiger(Toestand::Ontbreekt,
                          QStringLiteral("Het kaartregister \"%1\" is leeg: er zijn nog geen genummerde kaarten "
                                         "afgedrukt.")
                              .arg(naam),
                          melding);
        // An empty file holds nothing to lose: what a register's first job left when it was
        // killed before its first commit. A log of another database beside it says otherwise.
        for (const QString& bij : bijBestanden(m_pad))
            if (QFileInfo(bij).size() > 0) return weiger(Toestand::Vreemd, vreemd, melding);
    }
    // SQLite reads a log of changes beside the file (-wal) only by making or changing its index
    // (-shm): a register is never left in that state by this program, and reading leaves it.
    if (lezen && QFileInfo::exists(m_pad + QStringLiteral("-wal")))
        return weiger(Toestand::Onbruikbaar, herstelNodig(naam), melding);
    m_eigen = soort == Soort::Zorvak;
    // A database without marks is looked at without any chance of a change first.
    if (!openDatabase(lezen || soort == Soort::ZonderMerk, melding)) return false;

    QSqlQuery q(QSqlDatabase::database(m_verbinding, false));
    auto lees = [&](const QString& opdracht) { return q.exec(opdracht) && q.next(); };
    if (!lees(QStringLiteral("PRAGMA application_id"))) {
        const QSqlError fout = q.lastError();
        // Looked at read-only, a database without marks whose last write was cut off cannot be
        // read at all: whose it is decides what is said, and whether a job may finish it.
        if (soort != Soort::ZonderMerk || fout.nativeErrorCode().toInt() != sqliteHerstelNodig)
            return mislukt(fout, QStringLiteral("gelezen"), melding);
        q = QSqlQuery();
        const std::optional<bool> register_ = heeftKaartenNaHerstel(m_pad);
        if (!register_)
            return weiger(Toestand::Onbruikbaar,
                          QStringLiteral("\"%1\" kan niet worden gelezen: het is midden in een wijziging "
                                         "achtergelaten.")
                              .arg(naam),
                          melding);
        if (!*register_) return weiger(Toestand::Vreemd, vreemd, melding);
        if (lezen) return weiger(Toestand::Onbruikbaar, herstelNodig(naam), melding);
        // Our register: opened to write, SQLite rolls the cut-off write back.
        m_eigen = true;
        if (!openDatabase(false, melding)) return false;
        q = QSqlQuery(QSqlDatabase::database(m_verbinding, false));
        if (!lees(QStringLiteral("PRAGMA application_id")))
            return mislukt(q.lastError(), QStringLiteral("gelezen"), melding);
    }
    const int id = q.value(0).toInt();
    if (!lees(QStringLiteral("PRAGMA user_version"))) return mislukt(q.lastError(), QStringLiteral("gelezen"), melding);
    const int versie = q.value(0).toInt();
    if (!lees(QStringLiteral("SELECT count(*) FROM sqlite_master")))
        return mislukt(q.lastError(), QStringLiteral("gelezen"), melding);
    const int tabellen = q.value(0).toInt();
    if (id != 0 && id != toepassingsId) return weiger(Toestand::Vreemd, vreemd, melding);
    bool nieuw = false;
    if (tabellen == 0) {
        // Nothing in it yet: a new register, or one whose first job was undone.
        if (soort == Soort::ZonderMerk) return weiger(Toestand::Vreemd, vreemd, melding);
        if (lezen) return weiger(Toestand::Ontbreekt, geenRegister, melding);
        nieuw = true;
    } else if (id == 0) {
        // A copy made from a dump keeps the table but not the marks.
        if (kolommenVanKaarten(q) != kaartenKolommen) return weiger(Toestand::Vreemd, vreemd, melding);
        m_eigen = true;
        if (!lezen) {
            q = QSqlQuery();
            if (!openDatabase(false, melding)) return false;
            q = QSqlQuery(QSqlDatabase::database(m_verbinding, false));
        }
    }
    m_eigen = true;
    if (versie > schemaVersie) {
        q.finish();
        return weiger(Toestand::Onbruikbaar,
                      QStringLiteral("Het kaartregister \"%1\" is gemaakt door een nieuwere versie van Zorvak en wordt "
                                     "niet veranderd.")
                          .arg(naam),
                      melding);
    }
    if (!nieuw &&
        !q.exec(QStringLiteral("SELECT serie, nummer, soort, getallen, sleutel, gedrukt FROM kaarten LIMIT 1")))
        return mislukt(q.lastError(), QStringLiteral("gelezen"), melding);
    if (!lees(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE name = 'opdrachten'")))
        return mislukt(q.lastError(), QStringLiteral("gelezen"), melding);
    m_metOpdrachten = q.value(0).toInt() > 0;
    q.finish();
    if (!lezen && (id == 0 || versie < schemaVersie)) {
        if (!maakOfWerkBij(nieuw, melding)) return false;
        m_metOpdrachten = true;
    }
    if (!lezen && !ruimOpdrachtenOp(melding)) return false;
    m_toestand = Toestand::Open;
    return true;
}

// Makes the tables of a new register, or brings an older one up to date in place; the marks are
// set in the same transaction, so a register has them all or none.
bool KaartRegister::maakOfWerkBij(bool nieuw, QString* melding)
{
    QSqlQuery q(QSqlDatabase::database(m_verbinding, false));
    QStringList opdrachten{QStringLiteral("BEGIN IMMEDIATE")};
    if (nieuw)
        opdrachten << QStringLiteral("CREATE TABLE kaarten (serie TEXT NOT NULL, nummer INTEGER NOT NULL, soort TEXT "
                                     "NOT NULL, getallen TEXT NOT NULL, sleutel BLOB NOT NULL, gedrukt TEXT NOT NULL, "
                                     "PRIMARY KEY (serie, nummer))")
                   << QStringLiteral("CREATE UNIQUE INDEX kaarten_uniek ON kaarten (serie, sleutel)");
    // Version 2: the print jobs whose cards are pending until their pages are out.
    opdrachten << QStringLiteral(
        "CREATE TABLE IF NOT EXISTS opdrachten (id TEXT PRIMARY KEY, serie TEXT NOT NULL, laatste "
        "INTEGER NOT NULL, gedrukt INTEGER NOT NULL, doel TEXT NOT NULL, tijdelijk TEXT "
        "NOT NULL DEFAULT '', identiteit TEXT NOT NULL DEFAULT '', begonnen TEXT NOT "
        "NULL)");
    opdrachten << QStringLiteral("PRAGMA application_id = %1").arg(toepassingsId)
               << QStringLiteral("PRAGMA user_version = %1").arg(schemaVersie) << QStringLiteral("COMMIT");
    for (const QString& opdracht : opdrachten)
        if (!q.exec(opdracht)) {
            const QSqlError fout = q.lastError();
            q.exec(QStringLiteral("ROLLBACK"));
            return mislukt(fout, nieuw ? QStringLiteral("gemaakt") : QStringLiteral("bijgewerkt"), melding);
        }
    return true;
}

// Jobs that ended without ending well (killed, crashed): a job whose lock is free is gone. Its
// cards that did not go out leave the register; its temporary file and lock go too.

bool KaartRegister::zetOpzij(QString* melding)
{
    sluit();
    QString opzij = m_pad + QStringLiteral(".beschadigd");
    if (QFileInfo::exists(opzij))
        opzij = m_pad + QStringLiteral(".beschadigd-") +
                QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss-zzz"));
    const QString naam = QDir::toNativeSeparators(m_pad);
    if (!QFile::rename(m_pad, opzij))
        return weiger(Toestand::Onbruikbaar,
                      QStringLiteral("Het kaartregister \"%1\" is beschadigd en kon niet opzij worden gezet. "
                                     "Kaarten nummeren kan nu niet; zonder nummering afdrukken kan gewoon.")
                          .arg(naam),
                      melding);
    // A journal left beside it belongs to the damaged file and must not be played into a new one.
    for (const QString& bij : bijBestanden(m_pad))
        if (QFileInfo::exists(bij)) QFile::rename(bij, opzij + bij.mid(m_pad.size()));
    m_opzij = opzij;
    return weiger(Toestand::Beschadigd,
                  QStringLiteral("Het kaartregister was beschadigd en is opzijgezet als \"%1\". Bij de volgende "
                                 "keer nummeren begint een nieuw register; kies dan een nieuwe serie, zodat geen "
                                 "kaartnummer twee keer voorkomt. Zonder nummering afdrukken kan gewoon.")
                      .arg(QDir::toNativeSeparators(opzij)),
                  melding);
}

bool KaartRegister::mislukt(const QSqlError& fout, const QString& wat, QString* melding)
{
    const int code = foutCode(fout);
    const QString naam = QDir::toNativeSeparators(m_pad);
    if (code == sqliteBeschadigd || code == sqliteGeenDatabase) {
        // Only a register of ours is set aside, and only by a job that writes it.
        if (!m_eigen)
            return weiger(Toestand::Vreemd,
                          QStringLiteral("\"%1\" is geen kaartregister van Zorvak. Het wordt niet gebruikt en niet "
                                         "veranderd; kies een ander bestand of zet dit opzij.")
                              .arg(naam),
                          melding);
        if (m_modus == Modus::Schrijven) return zetOpzij(melding);
        return weiger(Toestand::Onbruikbaar,
                      QStringLiteral("Het kaartregister \"%1\" is beschadigd en kan niet worden gelezen. Het wordt "
                                     "opzijgezet bij de volgende keer afdrukken met nummers.")
                          .arg(naam),
                      melding);
    }
    if (code == sqliteBezig || code == sqliteVergrendeld)
        return weiger(Toestand::InGebruik,
                      QStringLiteral("Het kaartregister \"%1\" is in gebruik door een ander programma. Probeer het "
                                     "straks opnieuw; zonder nummering afdrukken kan gewoon.")
                          .arg(naam),
                      melding);
    if (fout.nativeErrorCode().toInt() == sqliteHerstelNodig)
        return weiger(Toestand::Onbruikbaar, herstelNodig(naam), melding);
    return weiger(Toestand::Onbruikbaar,
                  QStringLiteral("Het kaartregister \"%1\" kon niet worden %2: %3.").arg(naam, wat, sqliteReden(fout)),
                  melding);
}
