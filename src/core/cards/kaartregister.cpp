#include "core/cards/kaartregister.h"

#include "core/common/onderbreking.h"
#include "core/common/toeval.h"
#include "core/common/veiligbestand.h"

#include <QAtomicInt>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <algorithm>

namespace
{

// "Zorv": marks the database as a card register of this program.
constexpr int toepassingsId = 0x5A6F7276;
constexpr int schemaVersie = 2; // 2: print jobs
// A series that cannot find a new card in this many draws is as good as full.
constexpr int maxPogingen = 1000;

const QString soortBingo75 = QStringLiteral("bingo75");
const QString soortBingo90 = QStringLiteral("bingo90");
const QString soortKien = QStringLiteral("kien");

QString soortTekst(KaartSoort soort)
{
    switch (soort) {
    case KaartSoort::Bingo90:
        return soortBingo90;
    case KaartSoort::Kien:
        return soortKien;
    case KaartSoort::Bingo75:
        break;
    }
    return soortBingo75;
}

std::optional<KaartSoort> leesSoort(const QString& tekst)
{
    if (tekst == soortBingo75) return KaartSoort::Bingo75;
    if (tekst == soortBingo90) return KaartSoort::Bingo90;
    if (tekst == soortKien) return KaartSoort::Kien;
    return std::nullopt;
}

QString getallenTekst(const QList<int>& cellen)
{
    QString uit;
    uit.reserve(cellen.size() * 3);
    for (int i = 0; i < cellen.size(); ++i) {
        if (i > 0) uit += QLatin1Char(',');
        uit += QString::number(cellen[i]);
    }
    return uit;
}

// The card's numbers without their places: two cards with the same numbers are the same card
// to the players, however they stand.
QByteArray sleutel(const QList<int>& cellen)
{
    QByteArray uit;
    for (int n : cellen)
        if (n > 0) uit.append(static_cast<char>(n));
    std::sort(uit.begin(), uit.end(), [](char a, char b) { return quint8(a) < quint8(b); });
    return uit;
}

int foutCode(const QSqlError& fout)
{
    return fout.nativeErrorCode().toInt() & 0xff; // the primary code of SQLite's (extended) code
}

constexpr int sqliteBezig = 5, sqliteVergrendeld = 6, sqliteBeschadigd = 11, sqliteGeenDatabase = 26,
              sqliteBeperking = 19;

QAtomicInt volgnummer;

} // namespace

namespace KaartNummer
{

QString tekst(const QString& serie, int nummer)
{
    return QStringLiteral("%1-%2").arg(serie).arg(nummer, 4, 10, QLatin1Char('0'));
}

QString serie(const QString& tekst)
{
    // Checked before it is made upper case: toUpper() turns some letters into ASCII ones.
    static const QRegularExpression vorm(QStringLiteral("^[A-Za-z][A-Za-z0-9]{0,11}$"));
    const QString s = tekst.trimmed();
    return vorm.match(s).hasMatch() ? s.toUpper() : QString();
}

bool lees(const QString& tekst, QString* serieUit, int* nummerUit)
{
    static const QRegularExpression vorm(QStringLiteral("^(?:([A-Za-z][A-Za-z0-9]{0,11}?)-?)?([0-9]{1,9})$"));
    QString s = tekst;
    s.remove(QRegularExpression(QStringLiteral("\\s")));
    const auto m = vorm.match(s);
    if (!m.hasMatch()) return false;
    const int nummer = m.captured(2).toInt();
    if (nummer < 1) return false;
    if (serieUit) *serieUit = m.captured(1).toUpper();
    if (nummerUit) *nummerUit = nummer;
    return true;
}

QString vanScanner(const QString& code)
{
    if (lees(code, nullptr, nullptr)) return code;
    // What the AZERTY layouts give for the keys of an American one.
    static const QHash<QChar, QChar> azerty = {
        {u'&', u'1'}, {u'\u00e9', u'2'}, {u'"', u'3'}, {u'\'', u'4'}, {u'(', u'5'},      {u'\u00a7', u'6'},
        {u'-', u'6'}, {u'\u00e8', u'7'}, {u'!', u'8'}, {u'_', u'8'},  {u'\u00e7', u'9'}, {u'\u00e0', u'0'},
        {u')', u'-'}, {u'Q', u'A'},      {u'A', u'Q'}, {u'q', u'a'},  {u'a', u'q'},      {u'W', u'Z'},
        {u'Z', u'W'}, {u'w', u'z'},      {u'z', u'w'}, {u',', u'M'},  {u'?', u'M'}};
    QString terug = code;
    for (QChar& c : terug)
        c = azerty.value(c, c);
    return lees(terug, nullptr, nullptr) ? terug : code;
}

QString soortNaam(KaartSoort soort)
{
    switch (soort) {
    case KaartSoort::Bingo90:
        return QStringLiteral("Bingo 90");
    case KaartSoort::Kien:
        return QStringLiteral("Kien");
    case KaartSoort::Bingo75:
        break;
    }
    return QStringLiteral("Bingo 75");
}

int aantalCellen(KaartSoort soort)
{
    return soort == KaartSoort::Kien ? 27 : 25;
}

QList<int> cellen(const Kaarten::BingoKaart& kaart)
{
    QList<int> uit;
    uit.reserve(25);
    for (std::size_t rij = 0; rij < 5; ++rij)
        for (std::size_t kolom = 0; kolom < 5; ++kolom)
            uit.append(rij == 2 && kolom == 2 ? 0 : kaart.getal[kolom][rij]);
    return uit;
}

QList<int> cellen(const Kaarten::KienPagina& pagina, int kaart)
{
    QList<int> uit;
    uit.reserve(27);
    for (int rij = 0; rij < 3; ++rij)
        for (std::size_t j = 0; j < 9; ++j)
            uit.append(pagina.getal[static_cast<std::size_t>(4 * kaart + rij)][j]);
    return uit;
}

Kaarten::BingoKaart bingoKaart(const QList<int>& cellen)
{
    Kaarten::BingoKaart kaart;
    for (int i = 0; i < 25 && i < cellen.size(); ++i)
        kaart.getal[static_cast<std::size_t>(i % 5)][static_cast<std::size_t>(i / 5)] = cellen[i];
    return kaart;
}

void zetKienKaart(Kaarten::KienPagina& pagina, int kaart, const QList<int>& cellen)
{
    for (int i = 0; i < 27 && i < cellen.size(); ++i)
        pagina.getal[static_cast<std::size_t>(4 * kaart + i / 9)][static_cast<std::size_t>(i % 9)] = cellen[i];
}

} // namespace KaartNummer

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

QString nieuweOpdracht()
{
    return QString::number(QRandomGenerator::global()->generate64() & 0xffffffffffffULL, 16);
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

KaartRegister::KaartRegister(QString pad, Modus modus)
    : m_pad(std::move(pad)), m_modus(modus),
      m_verbinding(QStringLiteral("kaartregister-%1").arg(volgnummer.fetchAndAddRelaxed(1)))
{
}

KaartRegister::~KaartRegister()
{
    sluit();
}

void KaartRegister::sluit()
{
    if (QSqlDatabase::contains(m_verbinding)) {
        {
            QSqlDatabase db = QSqlDatabase::database(m_verbinding, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(m_verbinding);
    }
    if (m_toestand == Toestand::Open) m_toestand = Toestand::Dicht;
}

QString KaartRegister::slotPad(const QString& opdracht) const
{
    return m_pad + QStringLiteral(".opdracht-") + opdracht;
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
bool KaartRegister::ruimOpdrachtenOp(QString* melding)
{
    QSqlDatabase db = QSqlDatabase::database(m_verbinding, false);
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("SELECT id, serie, gedrukt, laatste, doel, tijdelijk, identiteit FROM opdrachten")))
        return mislukt(q.lastError(), QStringLiteral("gelezen"), melding);
    QSet<QString> bekend;
    struct Dood {
        QString id, serie, doel;
        int gedrukt, laatste;
        bool uit;
    };
    QList<Dood> dood;
    std::vector<std::unique_ptr<VeiligBestand::Slot>> sloten;
    while (q.next()) {
        const QString id = q.value(0).toString();
        bekend << id;
        auto slot = std::make_unique<VeiligBestand::Slot>(slotPad(id));
        if (id == m_opdracht || slot->neem() != VeiligBestand::Slot::Uitkomst::Genomen) continue;
        // The pages are out when the temporary file took the target's place: the target is now
        // that file.
        const QString doel = q.value(4).toString(), tijdelijk = q.value(5).toString(),
                      identiteit = q.value(6).toString();
        const bool uit =
            !tijdelijk.isEmpty() && !QFileInfo::exists(tijdelijk) &&
            (identiteit.isEmpty() ? QFileInfo::exists(doel) : VeiligBestand::identiteit(doel) == identiteit);
        dood.append({id, q.value(1).toString(), doel, q.value(2).toInt(), q.value(3).toInt(), uit});
        sloten.push_back(std::move(slot));
    }
    q.finish();
    if (!dood.isEmpty()) {
        if (!q.exec(QStringLiteral("BEGIN IMMEDIATE")))
            return mislukt(q.lastError(), QStringLiteral("bijgewerkt"), melding);
        for (const Dood& d : dood) {
            q.prepare(QStringLiteral("DELETE FROM kaarten WHERE serie = ? AND nummer > ? AND nummer <= ?"));
            q.addBindValue(d.serie);
            q.addBindValue(d.uit ? d.laatste : d.gedrukt);
            q.addBindValue(d.laatste);
            const bool goed = q.exec();
            q.prepare(QStringLiteral("DELETE FROM opdrachten WHERE id = ?"));
            q.addBindValue(d.id);
            if (!goed || !q.exec()) {
                const QSqlError fout = q.lastError();
                q.exec(QStringLiteral("ROLLBACK"));
                return mislukt(fout, QStringLiteral("bijgewerkt"), melding);
            }
        }
        if (!q.exec(QStringLiteral("COMMIT"))) {
            const QSqlError fout = q.lastError();
            q.exec(QStringLiteral("ROLLBACK"));
            return mislukt(fout, QStringLiteral("bijgewerkt"), melding);
        }
        for (const Dood& d : dood)
            if (!d.doel.isEmpty()) VeiligBestand::ruimOp(d.doel);
    }
    for (auto& slot : sloten)
        slot->laatLos(true);
    // The lock of a job killed before its cards were in.
    const QFileInfo info(m_pad);
    const QString voor = info.fileName() + QStringLiteral(".opdracht-");
    for (const QString& naam : info.dir().entryList({voor + QLatin1Char('*')}, QDir::Files | QDir::Hidden)) {
        const QString id = naam.mid(voor.size());
        if (bekend.contains(id) || id == m_opdracht) continue;
        VeiligBestand::Slot slot(info.dir().filePath(naam));
        if (slot.neem() == VeiligBestand::Slot::Uitkomst::Genomen) slot.laatLos(true);
    }
    return true;
}

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

// The condition that leaves out the cards of other jobs that are not out yet.
QString KaartRegister::nietInAfdruk(const QString& tabel) const
{
    if (!m_metOpdrachten) return {};
    return QStringLiteral(" AND NOT EXISTS (SELECT 1 FROM opdrachten o WHERE o.serie = %1.serie AND %1.nummer > "
                          "o.gedrukt AND %1.nummer <= o.laatste AND o.id <> '%2')")
        .arg(tabel, m_opdracht);
}

std::optional<KaartRegister::Reeks> KaartRegister::registreer(KaartSoort soort, const QString& serie, int paginas,
                                                              Toeval& toeval, QString* fout, const QString& doel)
{
    if (m_toestand != Toestand::Open && !open(fout)) return std::nullopt;
    if (m_modus == Modus::Lezen || !m_opdracht.isEmpty()) return std::nullopt;
    // The job's lock tells every later job that it is still running.
    const QString opdracht = nieuweOpdracht();
    auto slot = std::make_unique<VeiligBestand::Slot>(slotPad(opdracht));
    QString reden;
    if (slot->neem(&reden) != VeiligBestand::Slot::Uitkomst::Genomen) {
        if (fout) *fout = QStringLiteral("Het kaartregister kan niet worden bijgewerkt: %1").arg(reden);
        return std::nullopt;
    }
    QSqlQuery q(QSqlDatabase::database(m_verbinding, false));
    if (!q.exec(QStringLiteral("BEGIN IMMEDIATE"))) {
        slot->laatLos(true);
        mislukt(q.lastError(), QStringLiteral("bijgewerkt"), fout);
        return std::nullopt;
    }
    auto breekAf = [&](const QSqlError& reden) {
        const QSqlError r = reden;
        q.finish();
        QSqlQuery(QSqlDatabase::database(m_verbinding, false)).exec(QStringLiteral("ROLLBACK"));
        slot->laatLos(true);
        mislukt(r, QStringLiteral("bijgewerkt"), fout);
        return std::nullopt;
    };

    // Numbers run on after every card of the series, pending ones too.
    q.prepare(QStringLiteral("SELECT coalesce(max(nummer), 0) + 1 FROM kaarten WHERE serie = ?"));
    q.addBindValue(serie);
    if (!q.exec() || !q.next()) return breekAf(q.lastError());
    const Reeks reeks{serie, q.value(0).toInt(), 6 * qMax(0, paginas), opdracht};
    q.finish();
    q.prepare(QStringLiteral("INSERT INTO opdrachten (id, serie, laatste, gedrukt, doel, begonnen) "
                             "VALUES (?, ?, ?, ?, ?, ?)"));
    for (const QVariant& waarde : {QVariant(opdracht), QVariant(serie), QVariant(reeks.laatste()),
                                   QVariant(reeks.eerste - 1), QVariant(doel.isNull() ? QStringLiteral("") : doel),
                                   QVariant(QDateTime::currentDateTimeUtc().toString(Qt::ISODate))})
        q.addBindValue(waarde);
    if (!q.exec()) return breekAf(q.lastError());

    QSqlQuery invoegen(QSqlDatabase::database(m_verbinding, false));
    invoegen.prepare(QStringLiteral("INSERT INTO kaarten (serie, nummer, soort, getallen, sleutel, gedrukt) "
                                    "VALUES (?, ?, ?, ?, ?, ?)"));
    const QString soortNaam = soortTekst(soort);
    const QString tijd = QDateTime::currentDateTimeUtc().toString(Qt::ISODate);
    // 1: in, 0: the series holds these numbers already, -1: the database failed.
    auto voegIn = [&](int nummer, const QList<int>& cellen) {
        invoegen.bindValue(0, serie);
        invoegen.bindValue(1, nummer);
        invoegen.bindValue(2, soortNaam);
        invoegen.bindValue(3, getallenTekst(cellen));
        invoegen.bindValue(4, sleutel(cellen));
        invoegen.bindValue(5, tijd);
        if (invoegen.exec()) return 1;
        return foutCode(invoegen.lastError()) == sqliteBeperking ? 0 : -1;
    };
    auto stop = [&](const QString& tekst) {
        invoegen.finish();
        q.finish();
        QSqlQuery(QSqlDatabase::database(m_verbinding, false)).exec(QStringLiteral("ROLLBACK"));
        slot->laatLos(true);
        if (fout) *fout = tekst;
        return std::nullopt;
    };
    auto vol = [&]() {
        return stop(QStringLiteral("In serie %1 konden geen nieuwe, andere kaarten meer worden gemaakt. Kies een "
                                   "nieuwe serie.")
                        .arg(serie));
    };

    int nummer = reeks.eerste;
    for (int pagina = 0; pagina < paginas; ++pagina) {
        if (Onderbreking::gevraagd())
            return stop(QStringLiteral("Het afdrukken is onderbroken; er is niets in het kaartregister gezet."));
        if (soort == KaartSoort::Kien) {
            for (int poging = 0;; ++poging) {
                if (poging == maxPogingen) return vol();
                if (!q.exec(QStringLiteral("SAVEPOINT pagina"))) return breekAf(q.lastError());
                const Kaarten::KienPagina kien = Kaarten::maakKienPagina(toeval);
                int uitkomst = 1;
                for (int k = 0; k < 6 && uitkomst == 1; ++k)
                    uitkomst = voegIn(nummer + k, KaartNummer::cellen(kien, k));
                if (uitkomst < 0) return breekAf(invoegen.lastError());
                if (uitkomst == 1) {
                    if (!q.exec(QStringLiteral("RELEASE pagina"))) return breekAf(q.lastError());
                    break;
                }
                // The whole page is drawn again, so it still holds 1..90 once.
                if (!q.exec(QStringLiteral("ROLLBACK TO pagina")) || !q.exec(QStringLiteral("RELEASE pagina")))
                    return breekAf(q.lastError());
            }
            nummer += 6;
            continue;
        }
        const int getallen = soort == KaartSoort::Bingo90 ? 90 : 75;
        for (int k = 0; k < 6; ++k, ++nummer)
            for (int poging = 0;; ++poging) {
                if (poging == maxPogingen) return vol();
                const int uitkomst = voegIn(nummer, KaartNummer::cellen(Kaarten::maakBingoKaart(getallen, toeval)));
                if (uitkomst < 0) return breekAf(invoegen.lastError());
                if (uitkomst == 1) break;
            }
    }
    invoegen.finish();
    if (!q.exec(QStringLiteral("COMMIT"))) return breekAf(q.lastError());
    m_opdracht = opdracht;
    m_opdrachtSlot = std::move(slot);
    return reeks;
}

bool KaartRegister::zetTijdelijk(const Reeks& reeks, const QString& tijdelijk, QString* fout)
{
    if (m_toestand != Toestand::Open || reeks.opdracht != m_opdracht || m_opdracht.isEmpty()) return false;
    QSqlQuery q(QSqlDatabase::database(m_verbinding, false));
    // A file without identity (a null string, bound as NULL) is stored as ''.
    q.prepare(QStringLiteral("UPDATE opdrachten SET tijdelijk = ?, identiteit = coalesce(?, '') WHERE id = ?"));
    q.addBindValue(tijdelijk);
    q.addBindValue(VeiligBestand::identiteit(tijdelijk));
    q.addBindValue(reeks.opdracht);
    return q.exec() || mislukt(q.lastError(), QStringLiteral("bijgewerkt"), fout);
}

bool KaartRegister::bevestig(const Reeks& reeks, int totEnMet, QString* fout)
{
    if (m_toestand != Toestand::Open || reeks.opdracht != m_opdracht || m_opdracht.isEmpty()) return false;
    QSqlQuery q(QSqlDatabase::database(m_verbinding, false));
    q.prepare(QStringLiteral("UPDATE opdrachten SET gedrukt = max(gedrukt, ?) WHERE id = ?"));
    q.addBindValue(qMin(totEnMet, reeks.laatste()));
    q.addBindValue(reeks.opdracht);
    return q.exec() || mislukt(q.lastError(), QStringLiteral("bijgewerkt"), fout);
}

bool KaartRegister::rondAf(const Reeks& reeks, QString* fout)
{
    if (reeks.opdracht.isEmpty() || reeks.opdracht != m_opdracht) return true;
    if (m_toestand != Toestand::Open && !open(fout)) return false;
    QSqlQuery q(QSqlDatabase::database(m_verbinding, false));
    const QStringList opdrachten = {
        QStringLiteral("BEGIN IMMEDIATE"),
        QStringLiteral("DELETE FROM kaarten WHERE serie = :serie AND nummer <= :laatste AND nummer > "
                       "(SELECT gedrukt FROM opdrachten WHERE id = :id)"),
        QStringLiteral("DELETE FROM opdrachten WHERE id = :id"),
        QStringLiteral("COMMIT"),
    };
    for (const QString& opdracht : opdrachten) {
        q.prepare(opdracht);
        if (opdracht.contains(QLatin1String(":serie"))) {
            q.bindValue(QStringLiteral(":serie"), reeks.serie);
            q.bindValue(QStringLiteral(":laatste"), reeks.laatste());
        }
        if (opdracht.contains(QLatin1String(":id"))) q.bindValue(QStringLiteral(":id"), reeks.opdracht);
        if (!q.exec()) {
            // The job stays as it is; its lock goes with this program, and the next job tidies up.
            const QSqlError reden = q.lastError();
            q.exec(QStringLiteral("ROLLBACK"));
            return mislukt(reden, QStringLiteral("bijgewerkt"), fout);
        }
    }
    m_opdracht.clear();
    if (m_opdrachtSlot) m_opdrachtSlot->laatLos(true);
    m_opdrachtSlot.reset();
    return true;
}

QList<RegisterKaart> KaartRegister::kaarten(const QString& serie, int eerste, int aantal, QString* fout)
{
    QList<RegisterKaart> uit;
    if (m_toestand != Toestand::Open && !open(fout)) return uit;
    QSqlQuery q(QSqlDatabase::database(m_verbinding, false));
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT nummer, soort, getallen, gedrukt FROM kaarten "
                             "WHERE serie = ? AND nummer BETWEEN ? AND ?%1 ORDER BY nummer")
                  .arg(nietInAfdruk(QStringLiteral("kaarten"))));
    q.addBindValue(serie);
    q.addBindValue(eerste);
    q.addBindValue(eerste + aantal - 1);
    if (!q.exec()) {
        mislukt(q.lastError(), QStringLiteral("gelezen"), fout);
        return uit;
    }
    while (q.next()) {
        RegisterKaart kaart;
        kaart.serie = serie;
        kaart.nummer = q.value(0).toInt();
        const auto soort = leesSoort(q.value(1).toString());
        const QStringList delen = q.value(2).toString().split(QLatin1Char(','));
        bool goed = soort.has_value() && delen.size() == KaartNummer::aantalCellen(*soort);
        for (const QString& deel : delen) {
            bool getal = false;
            const int n = deel.toInt(&getal);
            goed = goed && getal && n >= 0 && n <= 90;
            kaart.getallen.append(n);
        }
        if (!goed) {
            if (fout)
                *fout = QStringLiteral("Kaart %1 staat onleesbaar in het kaartregister.")
                            .arg(KaartNummer::tekst(serie, kaart.nummer));
            return {};
        }
        kaart.soort = *soort;
        kaart.gedrukt = QDateTime::fromString(q.value(3).toString(), Qt::ISODate);
        uit.append(kaart);
    }
    if (q.lastError().isValid()) {
        mislukt(q.lastError(), QStringLiteral("gelezen"), fout);
        return {};
    }
    return uit;
}

std::optional<RegisterKaart> KaartRegister::kaart(const QString& serie, int nummer, QString* fout)
{
    QString reden;
    const QList<RegisterKaart> gevonden = kaarten(serie, nummer, 1, &reden);
    if (gevonden.size() == 1) return gevonden.first();
    if (fout)
        *fout =
            !reden.isEmpty()
                ? reden
                : QStringLiteral("Kaart %1 staat niet in het kaartregister.").arg(KaartNummer::tekst(serie, nummer));
    return std::nullopt;
}

QString KaartRegister::laatsteSerie(const QList<KaartSoort>& soorten)
{
    if (m_toestand != Toestand::Open && !open()) return {};
    QStringList namen;
    for (KaartSoort soort : soorten)
        namen << QStringLiteral("'%1'").arg(soortTekst(soort));
    const QString welke = namen.isEmpty() ? QString() : QStringLiteral(" AND soort IN (%1)").arg(namen.join(','));
    QSqlQuery q(QSqlDatabase::database(m_verbinding, false));
    if (q.exec(QStringLiteral("SELECT serie FROM kaarten k WHERE 1%1%2 ORDER BY rowid DESC LIMIT 1")
                   .arg(welke, nietInAfdruk(QStringLiteral("k")))) &&
        q.next())
        return q.value(0).toString();
    return {};
}

int KaartRegister::aantalKaarten(const QString& serie)
{
    if (m_toestand != Toestand::Open && !open()) return 0;
    QSqlQuery q(QSqlDatabase::database(m_verbinding, false));
    q.prepare(QStringLiteral("SELECT count(*) FROM kaarten k WHERE %1%2")
                  .arg(serie.isEmpty() ? QStringLiteral("1") : QStringLiteral("serie = ?"),
                       nietInAfdruk(QStringLiteral("k"))));
    if (!serie.isEmpty()) q.addBindValue(serie);
    return q.exec() && q.next() ? q.value(0).toInt() : 0;
}
