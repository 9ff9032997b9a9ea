#include "core/cards/kaartregister.h"

#include "core/common/toeval.h"
#include "core/common/veiligbestand.h"

#include <QAtomicInt>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include <algorithm>

namespace
{

// "Zorv": marks the database as a card register of this program.
constexpr int toepassingsId = 0x5A6F7276;
constexpr int schemaVersie = 1;
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
    static const QRegularExpression vorm(QStringLiteral("^[A-Z][A-Z0-9]{0,11}$"));
    const QString s = tekst.trimmed().toUpper();
    return vorm.match(s).hasMatch() ? s : QString();
}

bool lees(const QString& tekst, QString* serieUit, int* nummerUit)
{
    static const QRegularExpression vorm(QStringLiteral("^(?:([A-Z][A-Z0-9]{0,11}?)-?)?([0-9]{1,9})$"));
    QString s = tekst.toUpper();
    s.remove(QRegularExpression(QStringLiteral("\\s")));
    const auto m = vorm.match(s);
    if (!m.hasMatch()) return false;
    const int nummer = m.captured(2).toInt();
    if (nummer < 1) return false;
    if (serieUit) *serieUit = m.captured(1);
    if (nummerUit) *nummerUit = nummer;
    return true;
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

QString KaartRegister::padIn(const QString& instellingenMap)
{
    return QDir(instellingenMap).filePath(bestandsNaam);
}

KaartRegister::KaartRegister(QString pad)
    : m_pad(std::move(pad)), m_verbinding(QStringLiteral("kaartregister-%1").arg(volgnummer.fetchAndAddRelaxed(1)))
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

bool KaartRegister::open(QString* melding)
{
    sluit();
    m_opzij.clear();
    const QString naam = QDir::toNativeSeparators(m_pad);
    const QFileInfo info(m_pad);
    // SQLite would open a pipe or a device too, and could wait on it for ever.
    if ((info.exists() || info.isSymLink()) && !VeiligBestand::isGewoonBestand(m_pad)) {
        m_toestand = Toestand::Geweigerd;
        if (melding)
            *melding = QStringLiteral("Het kaartregister \"%1\" is geen gewoon bestand en wordt niet gebruikt. "
                                      "Zonder nummering afdrukken kan gewoon.")
                           .arg(naam);
        return false;
    }
    if (!QDir().mkpath(info.absolutePath())) {
        m_toestand = Toestand::Onbruikbaar;
        if (melding)
            *melding = QStringLiteral("De map voor het kaartregister \"%1\" kon niet worden gemaakt.").arg(naam);
        return false;
    }

    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_verbinding);
        if (!db.isValid()) {
            m_toestand = Toestand::Onbruikbaar;
            if (melding)
                *melding = QStringLiteral("Het kaartregister kan niet worden geopend: het onderdeel voor SQLite "
                                          "ontbreekt (op Debian het pakket libqt6sql6-sqlite).");
            sluit();
            return false;
        }
        db.setDatabaseName(m_pad);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=2000"));
        if (!db.open()) return mislukt(db.lastError(), QStringLiteral("geopend"), melding);
    }
    QSqlQuery q(QSqlDatabase::database(m_verbinding, false));
    if (!q.exec(QStringLiteral("PRAGMA application_id")) || !q.next())
        return mislukt(q.lastError(), QStringLiteral("gelezen"), melding);
    const int id = q.value(0).toInt();
    if (id == 0) {
        if (!q.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")) || !q.next())
            return mislukt(q.lastError(), QStringLiteral("gelezen"), melding);
        if (q.value(0).toInt() > 0) return zetOpzij(melding); // someone else's database
        q.finish();
        if (!maakSchema(melding)) return false;
    } else if (id != toepassingsId) {
        return zetOpzij(melding);
    } else {
        if (!q.exec(QStringLiteral("PRAGMA user_version")) || !q.next())
            return mislukt(q.lastError(), QStringLiteral("gelezen"), melding);
        if (q.value(0).toInt() > schemaVersie) {
            m_toestand = Toestand::Onbruikbaar;
            if (melding)
                *melding = QStringLiteral("Het kaartregister \"%1\" is gemaakt door een nieuwere versie van Zorvak "
                                          "en wordt niet veranderd.")
                               .arg(naam);
            q.finish();
            sluit();
            return false;
        }
        if (!q.exec(QStringLiteral("SELECT serie, nummer, soort, getallen, sleutel, gedrukt FROM kaarten LIMIT 1")))
            return mislukt(q.lastError(), QStringLiteral("gelezen"), melding);
    }
    m_toestand = Toestand::Open;
    return true;
}

bool KaartRegister::maakSchema(QString* melding)
{
    QSqlQuery q(QSqlDatabase::database(m_verbinding, false));
    const char* const opdrachten[] = {
        "BEGIN IMMEDIATE",
        "CREATE TABLE kaarten (serie TEXT NOT NULL, nummer INTEGER NOT NULL, soort TEXT NOT NULL, "
        "getallen TEXT NOT NULL, sleutel BLOB NOT NULL, gedrukt TEXT NOT NULL, PRIMARY KEY (serie, nummer))",
        "CREATE UNIQUE INDEX kaarten_uniek ON kaarten (serie, sleutel)",
        "PRAGMA application_id = 1517253238",
        "PRAGMA user_version = 1",
        "COMMIT",
    };
    static_assert(toepassingsId == 1517253238 && schemaVersie == 1);
    for (const char* opdracht : opdrachten)
        if (!q.exec(QString::fromLatin1(opdracht))) {
            const QSqlError fout = q.lastError();
            q.exec(QStringLiteral("ROLLBACK"));
            return mislukt(fout, QStringLiteral("gemaakt"), melding);
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
    if (!QFile::rename(m_pad, opzij)) {
        m_toestand = Toestand::Onbruikbaar;
        if (melding)
            *melding = QStringLiteral("Het kaartregister \"%1\" is beschadigd en kon niet opzij worden gezet. "
                                      "Kaarten nummeren kan nu niet; zonder nummering afdrukken kan gewoon.")
                           .arg(naam);
        return false;
    }
    // A journal left beside it belongs to the damaged file and must not be played into a new one.
    for (const char* bij : {"-journal", "-wal", "-shm"})
        if (QFileInfo::exists(m_pad + QLatin1String(bij)))
            QFile::rename(m_pad + QLatin1String(bij), opzij + QLatin1String(bij));
    m_opzij = opzij;
    m_toestand = Toestand::Beschadigd;
    if (melding)
        *melding = QStringLiteral("Het kaartregister was beschadigd en is opzijgezet als \"%1\". Bij de volgende "
                                  "keer nummeren begint een nieuw register; kies dan een nieuwe serie, zodat geen "
                                  "kaartnummer twee keer voorkomt. Zonder nummering afdrukken kan gewoon.")
                       .arg(QDir::toNativeSeparators(opzij));
    return false;
}

bool KaartRegister::mislukt(const QSqlError& fout, const QString& wat, QString* melding)
{
    const int code = foutCode(fout);
    if (code == sqliteBeschadigd || code == sqliteGeenDatabase) return zetOpzij(melding);
    sluit();
    const QString naam = QDir::toNativeSeparators(m_pad);
    if (code == sqliteBezig || code == sqliteVergrendeld) {
        m_toestand = Toestand::InGebruik;
        if (melding)
            *melding = QStringLiteral("Het kaartregister \"%1\" is in gebruik door een ander programma. Probeer het "
                                      "straks opnieuw; zonder nummering afdrukken kan gewoon.")
                           .arg(naam);
    } else {
        m_toestand = Toestand::Onbruikbaar;
        if (melding)
            *melding = QStringLiteral("Het kaartregister \"%1\" kon niet worden %2: %3")
                           .arg(naam, wat, fout.databaseText().isEmpty() ? fout.text() : fout.databaseText());
    }
    return false;
}

std::optional<KaartRegister::Reeks> KaartRegister::registreer(KaartSoort soort, const QString& serie, int paginas,
                                                              Toeval& toeval, QString* fout)
{
    if (m_toestand != Toestand::Open && !open(fout)) return std::nullopt;
    QSqlQuery q(QSqlDatabase::database(m_verbinding, false));
    if (!q.exec(QStringLiteral("BEGIN IMMEDIATE"))) {
        mislukt(q.lastError(), QStringLiteral("bijgewerkt"), fout);
        return std::nullopt;
    }
    auto breekAf = [&](const QSqlError& reden) {
        const QSqlError r = reden;
        q.finish();
        QSqlQuery(QSqlDatabase::database(m_verbinding, false)).exec(QStringLiteral("ROLLBACK"));
        mislukt(r, QStringLiteral("bijgewerkt"), fout);
        return std::nullopt;
    };

    q.prepare(QStringLiteral("SELECT coalesce(max(nummer), 0) + 1 FROM kaarten WHERE serie = ?"));
    q.addBindValue(serie);
    if (!q.exec() || !q.next()) return breekAf(q.lastError());
    const Reeks reeks{serie, q.value(0).toInt(), 6 * qMax(0, paginas)};
    q.finish();

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
    auto vol = [&]() {
        invoegen.finish();
        QSqlQuery(QSqlDatabase::database(m_verbinding, false)).exec(QStringLiteral("ROLLBACK"));
        if (fout)
            *fout = QStringLiteral("In serie %1 konden geen nieuwe, andere kaarten meer worden gemaakt. Kies een "
                                   "nieuwe serie.")
                        .arg(serie);
        return std::nullopt;
    };

    int nummer = reeks.eerste;
    for (int pagina = 0; pagina < paginas; ++pagina) {
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
    return reeks;
}

bool KaartRegister::trekTerug(const Reeks& reeks, int vanaf, QString* fout)
{
    if (reeks.aantal <= 0 || vanaf > reeks.laatste()) return true;
    if (m_toestand != Toestand::Open && !open(fout)) return false;
    QSqlQuery q(QSqlDatabase::database(m_verbinding, false));
    q.prepare(QStringLiteral("DELETE FROM kaarten WHERE serie = ? AND nummer BETWEEN ? AND ?"));
    q.addBindValue(reeks.serie);
    q.addBindValue(qMax(vanaf, reeks.eerste));
    q.addBindValue(reeks.laatste());
    if (!q.exec()) return mislukt(q.lastError(), QStringLiteral("bijgewerkt"), fout);
    return true;
}

QList<RegisterKaart> KaartRegister::kaarten(const QString& serie, int eerste, int aantal, QString* fout)
{
    QList<RegisterKaart> uit;
    if (m_toestand != Toestand::Open && !open(fout)) return uit;
    QSqlQuery q(QSqlDatabase::database(m_verbinding, false));
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT nummer, soort, getallen, gedrukt FROM kaarten "
                             "WHERE serie = ? AND nummer BETWEEN ? AND ? ORDER BY nummer"));
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

QString KaartRegister::laatsteSerie()
{
    if (m_toestand != Toestand::Open && !open()) return {};
    QSqlQuery q(QSqlDatabase::database(m_verbinding, false));
    if (q.exec(QStringLiteral("SELECT serie FROM kaarten ORDER BY rowid DESC LIMIT 1")) && q.next())
        return q.value(0).toString();
    return {};
}

int KaartRegister::aantalKaarten(const QString& serie)
{
    if (m_toestand != Toestand::Open && !open()) return 0;
    QSqlQuery q(QSqlDatabase::database(m_verbinding, false));
    q.prepare(serie.isEmpty() ? QStringLiteral("SELECT count(*) FROM kaarten")
                              : QStringLiteral("SELECT count(*) FROM kaarten WHERE serie = ?"));
    if (!serie.isEmpty()) q.addBindValue(serie);
    return q.exec() && q.next() ? q.value(0).toInt() : 0;
}
