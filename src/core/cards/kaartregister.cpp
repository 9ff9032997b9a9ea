// The card register: numbering and registering the cards of a print job, the job's end, and
// finding cards again. Opening the file is in kaartregister_openen.cpp.

#include "core/cards/kaartregister.h"
#include "core/cards/kaartregister_intern.h"
#include "core/common/onderbreking.h"
#include "core/common/toeval.h"
#include "core/common/veiligbestand.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include <algorithm>

using namespace KaartRegisterIntern;

namespace
{

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

QString nieuweOpdracht()
{
    return QString::number(QRandomGenerator::global()->generate64() & 0xffffffffffffULL, 16);
}

} // namespace

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

QStringList KaartRegister::series()
{
    QStringList uit;
    if (m_toestand != Toestand::Open && !open()) return uit;
    QSqlQuery q(QSqlDatabase::database(m_verbinding, false));
    if (q.exec(QStringLiteral("SELECT serie FROM kaarten k WHERE 1%1 GROUP BY serie ORDER BY max(rowid) DESC")
                   .arg(nietInAfdruk(QStringLiteral("k")))))
        while (q.next())
            uit << q.value(0).toString();
    return uit;
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
