#include "core/game/avondprogramma.h"

#include "core/common/veiligbestand.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>

#include <cmath>

namespace
{
// A programme stays far below this; more is no programme of ours.
constexpr qint64 grootsteBestand = 1024 * 1024;
constexpr qint64 hoogsteBedrag = 100000000; // one million euros, in cents

QJsonValue euros(std::optional<qint64> centen)
{
    if (!centen) return QJsonValue();
    if (*centen % 100 == 0) return QJsonValue(static_cast<qint64>(*centen / 100));
    return QJsonValue(static_cast<double>(*centen) / 100.0);
}

// An amount in euros, in cents; none when it is left out. Empty when it can be read, otherwise
// what is wrong with it, to follow "het bedrag" or "de kaartprijs".
QString leesBedrag(const QJsonValue& waarde, std::optional<qint64>* uit)
{
    if (waarde.isUndefined() || waarde.isNull()) return {};
    const double v = waarde.toDouble();
    if (!waarde.isDouble() || !std::isfinite(v)) return QStringLiteral("is geen bedrag");
    if (v < 0) return QStringLiteral("mag niet negatief zijn");
    if (v * 100 > hoogsteBedrag) return QStringLiteral("is meer dan een miljoen euro");
    *uit = std::llround(v * 100);
    return {};
}

QJsonArray patroonRegels(const PatroonKaart::Patroon& patroon)
{
    QJsonArray regels;
    for (int rij = 0; rij < 5; ++rij) {
        QString regel;
        for (int kolom = 0; kolom < 5; ++kolom)
            regel += patroon[rij * 5 + kolom + 1] != 0 ? QLatin1Char('X') : QLatin1Char('.');
        regels.append(regel);
    }
    return regels;
}

std::optional<PatroonKaart::Patroon> leesPatroon(const QJsonValue& waarde)
{
    const QJsonArray regels = waarde.toArray();
    if (regels.size() != 5) return std::nullopt;
    PatroonKaart::Patroon patroon{};
    for (int rij = 0; rij < 5; ++rij) {
        const QString regel = regels[rij].toString().remove(QLatin1Char(' '));
        if (regel.size() != 5) return std::nullopt;
        for (int kolom = 0; kolom < 5; ++kolom) {
            const QChar c = regel[kolom].toUpper();
            if (c != QLatin1Char('X') && c != QLatin1Char('.')) return std::nullopt;
            patroon[rij * 5 + kolom + 1] = c == QLatin1Char('X') ? 1 : 0;
        }
    }
    return patroon;
}

// A stage's name goes into a column of the evening's record: no commas, no line ends.
QString schoneNaam(const QString& naam)
{
    QString uit = naam.simplified();
    uit.replace(QLatin1Char(','), QLatin1Char(';'));
    uit.replace(QLatin1Char('"'), QLatin1Char('\''));
    return uit.left(40);
}
} // namespace

QString AvondProgramma::pad(const QString& instellingenMap)
{
    return QDir(instellingenMap).filePath(bestandsNaam);
}

QString AvondProgramma::spelNaam(Soort soort)
{
    switch (soort) {
    case Soort::Bingo75:
        return QStringLiteral("Bingo 75");
    case Soort::Bingo90:
        return QStringLiteral("Bingo 90");
    case Soort::Kienen:
        return QStringLiteral("Kienen");
    }
    return {};
}

std::optional<AvondProgramma::Soort> AvondProgramma::soortVan(const QString& naam)
{
    for (Soort s : {Soort::Bingo75, Soort::Bingo90, Soort::Kienen})
        if (naam.compare(spelNaam(s), Qt::CaseInsensitive) == 0) return s;
    return std::nullopt;
}

int AvondProgramma::aantalBallen(Soort soort)
{
    return soort == Soort::Bingo75 ? 75 : 90;
}

QStringList AvondProgramma::kienFasen()
{
    return {QStringLiteral("1 rij"), QStringLiteral("2 rijen"), QStringLiteral("volle kaart")};
}

int AvondProgramma::kienRijen(const QString& fase)
{
    const int i = kienFasen().indexOf(fase);
    return i < 0 ? 3 : i + 1;
}

QStringList AvondProgramma::patroonNamen()
{
    return {QStringLiteral("Rij"), QStringLiteral("Vier hoeken"), QStringLiteral("Kruis"),
            QStringLiteral("Volle kaart")};
}

std::optional<PatroonKaart::Patroon> AvondProgramma::vastPatroon(const QString& naam)
{
    PatroonKaart::Patroon p{};
    if (naam == QLatin1String("Vier hoeken")) {
        p[1] = p[5] = p[21] = p[25] = 1;
    } else if (naam == QLatin1String("Kruis")) {
        p = PatroonKaart::diagonalen();
    } else if (naam == QLatin1String("Volle kaart")) {
        p.fill(1);
        p[0] = 0;
    } else {
        return std::nullopt;
    }
    return p;
}

QList<AvondProgramma::Fase> AvondProgramma::standaardFasen(Soort soort)
{
    QList<Fase> fasen;
    if (soort == Soort::Kienen) {
        for (const QString& naam : kienFasen())
            fasen.append({naam, std::nullopt, {}, std::nullopt});
    } else {
        fasen.append({QStringLiteral("Rij"), std::nullopt, {}, std::nullopt});
        fasen.append({QStringLiteral("Volle kaart"), vastPatroon(QStringLiteral("Volle kaart")), {}, std::nullopt});
    }
    return fasen;
}

QByteArray AvondProgramma::alsJson() const
{
    QJsonArray lijst;
    for (const Ronde& r : rondes) {
        QJsonObject ronde;
        ronde.insert(QStringLiteral("spel"), spelNaam(r.spel));
        if (r.kaartPrijs) ronde.insert(QStringLiteral("kaartprijs"), euros(r.kaartPrijs));
        if (r.kaarten > 0) ronde.insert(QStringLiteral("kaarten"), r.kaarten);
        QJsonArray fasen;
        for (const Fase& f : r.fasen) {
            QJsonObject fase;
            fase.insert(QStringLiteral("fase"), f.naam);
            fase.insert(QStringLiteral("prijs"), f.prijs);
            if (f.bedrag) fase.insert(QStringLiteral("bedrag"), euros(f.bedrag));
            if (f.patroon && !vastPatroon(f.naam)) fase.insert(QStringLiteral("patroon"), patroonRegels(*f.patroon));
            fasen.append(fase);
        }
        ronde.insert(QStringLiteral("fasen"), fasen);
        lijst.append(ronde);
    }
    QJsonObject alles;
    alles.insert(QStringLiteral("programma"), QStringLiteral("Zorvak"));
    alles.insert(QStringLiteral("rondes"), lijst);
    return QJsonDocument(alles).toJson(QJsonDocument::Indented);
}

std::optional<AvondProgramma> AvondProgramma::uitJson(const QByteArray& tekst, QString* fout)
{
    const auto mis = [fout](const QString& reden) {
        if (fout) *fout = reden;
        return std::nullopt;
    };
    QJsonParseError foutJson{};
    const QJsonDocument doc = QJsonDocument::fromJson(tekst, &foutJson);
    if (foutJson.error != QJsonParseError::NoError) {
        const int regel = static_cast<int>(tekst.left(foutJson.offset).count('\n')) + 1;
        return mis(QStringLiteral("de tekst klopt niet in regel %1").arg(regel));
    }
    const QJsonObject alles = doc.object();
    if (!doc.isObject() || alles.value(QStringLiteral("programma")).toString() != QLatin1String("Zorvak") ||
        !alles.value(QStringLiteral("rondes")).isArray())
        return mis(QStringLiteral("het is geen programma van Zorvak"));
    AvondProgramma programma;
    const QJsonArray lijst = alles.value(QStringLiteral("rondes")).toArray();
    for (int i = 0; i < lijst.size(); ++i) {
        const QString waar = QStringLiteral("ronde %1").arg(i + 1);
        const QJsonObject o = lijst[i].toObject();
        Ronde r;
        const auto soort = soortVan(o.value(QStringLiteral("spel")).toString());
        if (!soort) return mis(waar + QStringLiteral(": het spel is niet Bingo 75, Bingo 90 of Kienen"));
        r.spel = *soort;
        if (const QString reden = leesBedrag(o.value(QStringLiteral("kaartprijs")), &r.kaartPrijs); !reden.isEmpty())
            return mis(waar + QStringLiteral(": de kaartprijs ") + reden);
        const QJsonValue kaarten = o.value(QStringLiteral("kaarten"));
        if (!kaarten.isUndefined() && !kaarten.isNull()) {
            const double k = kaarten.toDouble(-1);
            if (!kaarten.isDouble() || k < 0 || k > 1000000 || k != std::floor(k))
                return mis(waar + QStringLiteral(": het aantal kaarten is geen geheel getal"));
            r.kaarten = static_cast<int>(k);
        }
        const QJsonArray fasen = o.value(QStringLiteral("fasen")).toArray();
        if (fasen.isEmpty()) return mis(waar + QStringLiteral(" heeft geen fasen"));
        for (int j = 0; j < fasen.size(); ++j) {
            const QString waarFase = waar + QStringLiteral(", fase %1").arg(j + 1);
            const QJsonObject fo = fasen[j].toObject();
            Fase f;
            f.naam = schoneNaam(fo.value(QStringLiteral("fase")).toString());
            f.prijs = fo.value(QStringLiteral("prijs")).toString().simplified();
            if (const QString reden = leesBedrag(fo.value(QStringLiteral("bedrag")), &f.bedrag); !reden.isEmpty())
                return mis(waarFase + QStringLiteral(": het bedrag ") + reden);
            if (r.spel == Soort::Kienen) {
                if (!kienFasen().contains(f.naam))
                    return mis(waarFase + QStringLiteral(": Kienen speelt voor 1 rij, 2 rijen of volle kaart"));
            } else if (fo.contains(QStringLiteral("patroon"))) {
                f.patroon = leesPatroon(fo.value(QStringLiteral("patroon")));
                if (!f.patroon)
                    return mis(waarFase + QStringLiteral(": het patroon is geen vijf regels van vijf X of ."));
                if (f.naam.isEmpty()) f.naam = eigenPatroon;
            } else {
                f.patroon = vastPatroon(f.naam);
                if (!f.patroon && f.naam != QLatin1String("Rij"))
                    return mis(waarFase + QStringLiteral(": het patroon \"%1\" bestaat niet").arg(f.naam));
            }
            r.fasen.append(f);
        }
        programma.rondes.append(r);
    }
    const QStringList fouten = programma.fouten();
    if (!fouten.isEmpty()) return mis(fouten.first());
    return programma;
}

QStringList AvondProgramma::fouten() const
{
    QStringList uit;
    for (int i = 0; i < rondes.size(); ++i)
        for (int j = 0; j < rondes[i].fasen.size(); ++j) {
            const Fase& f = rondes[i].fasen[j];
            if (rondes[i].spel == Soort::Kienen || !f.patroon || vastPatroon(f.naam)) continue;
            bool getekend = false;
            for (int k = 1; k <= 25; ++k)
                getekend = getekend || (k != PatroonKaart::middenVak && (*f.patroon)[static_cast<std::size_t>(k)]);
            if (!getekend)
                uit << QStringLiteral("ronde %1, fase %2: het eigen patroon is leeg; teken eerst het patroon")
                           .arg(i + 1)
                           .arg(j + 1);
        }
    return uit;
}

QByteArray AvondProgramma::alsVerloopTekst(qint64 maxPrijs, qint64 maxAvond) const
{
    QJsonObject alles = QJsonDocument::fromJson(alsJson()).object();
    alles.insert(QStringLiteral("maxprijs"), euros(maxPrijs));
    alles.insert(QStringLiteral("maxavond"), euros(maxAvond));
    return QJsonDocument(alles).toJson(QJsonDocument::Compact);
}

std::optional<AvondProgramma::Gespeeld> AvondProgramma::uitVerloopTekst(const QByteArray& tekst)
{
    auto programma = uitJson(tekst, nullptr);
    if (!programma) return std::nullopt;
    Gespeeld uit{*programma, std::nullopt, std::nullopt};
    const QJsonObject alles = QJsonDocument::fromJson(tekst).object();
    if (!leesBedrag(alles.value(QStringLiteral("maxprijs")), &uit.maxPrijs).isEmpty() ||
        !leesBedrag(alles.value(QStringLiteral("maxavond")), &uit.maxAvond).isEmpty())
        return std::nullopt;
    return uit;
}

std::optional<AvondProgramma> AvondProgramma::importeer(const QString& bestand, QString* fout)
{
    QString reden;
    const auto inhoud = VeiligBestand::lees(bestand, grootsteBestand, &reden);
    if (!inhoud) {
        if (fout) *fout = reden;
        return std::nullopt;
    }
    return uitJson(*inhoud, fout);
}

std::optional<AvondProgramma> AvondProgramma::lees(const QString& instellingenMap, QString* melding)
{
    const QString bestand = pad(instellingenMap);
    if (!QFileInfo::exists(bestand)) return std::nullopt;
    QString fout;
    auto programma = importeer(bestand, &fout);
    if (programma) return programma;
    // Kept aside under a name of its own, so that nothing the organiser wrote is lost.
    const QFileInfo info(bestand);
    QString apart;
    for (int i = 1; i < 1000 && apart.isEmpty(); ++i) {
        const QString doel =
            info.dir().filePath(info.completeBaseName() + QStringLiteral("-beschadigd") +
                                (i == 1 ? QString() : QStringLiteral("-%1").arg(i)) + QStringLiteral(".json"));
        if (!QFileInfo::exists(doel)) apart = QFile::rename(bestand, doel) ? doel : QStringLiteral("-");
    }
    if (melding) {
        *melding = QStringLiteral("Het programma van de avond %1 kan niet worden gelezen (%2).")
                       .arg(QDir::toNativeSeparators(bestand), fout);
        if (apart.size() > 1)
            *melding += QStringLiteral(" Het is bewaard als %1; maak het programma opnieuw of herstel dat bestand.")
                            .arg(QDir::toNativeSeparators(apart));
        else
            *melding += QStringLiteral(" Het kon niet opzij worden gezet: bewaar het zelf voordat u een nieuw "
                                       "programma maakt, want dat komt op dezelfde plaats.");
    }
    return std::nullopt;
}

bool AvondProgramma::exporteer(const QString& bestand, QString* fout) const
{
    // A file is only ever written with a programme that can be played.
    const QStringList fouten = this->fouten();
    if (!fouten.isEmpty()) {
        if (fout) *fout = QStringLiteral("Het programma kan zo niet worden gespeeld: %1.").arg(fouten.first());
        return false;
    }
    return VeiligBestand::schrijf(bestand, alsJson(), fout);
}

bool AvondProgramma::bewaar(const QString& instellingenMap, QString* fout) const
{
    return exporteer(pad(instellingenMap), fout);
}

qint64 AvondProgramma::totaalPrijzen() const
{
    qint64 totaal = 0;
    for (const Ronde& r : rondes)
        for (const Fase& f : r.fasen)
            totaal += f.bedrag.value_or(0);
    return totaal;
}

QStringList AvondProgramma::waarschuwingen(qint64 maxPrijs, qint64 maxAvond) const
{
    QStringList uit;
    for (int i = 0; i < rondes.size(); ++i)
        for (const Fase& f : rondes[i].fasen)
            if (f.bedrag && *f.bedrag > maxPrijs)
                uit << QStringLiteral("Ronde %1, %2: %3 is meer dan %4 per prijs.")
                           .arg(i + 1)
                           .arg(f.naam, bedragTekst(*f.bedrag), bedragTekst(maxPrijs));
    const qint64 totaal = totaalPrijzen();
    if (totaal > maxAvond)
        uit << QStringLiteral("De prijzen samen (%1) zijn meer dan %2 per avond.")
                   .arg(bedragTekst(totaal), bedragTekst(maxAvond));
    return uit;
}

QString AvondProgramma::bedragTekst(qint64 centen)
{
    const QLocale nl(QLocale::Dutch, QLocale::Netherlands);
    const QString euro = nl.toString(centen / 100);
    if (centen % 100 == 0) return QStringLiteral("€ ") + euro;
    return QStringLiteral("€ %1,%2").arg(euro).arg(centen % 100, 2, 10, QLatin1Char('0'));
}

QString AvondProgramma::regel(int ronde, int fase) const
{
    if (ronde < 0 || ronde >= rondes.size() || fase < 0 || fase >= rondes[ronde].fasen.size()) return {};
    const Fase& f = rondes[ronde].fasen[fase];
    QString uit = QStringLiteral("Ronde %1 · %2").arg(ronde + 1).arg(f.naam);
    const QString prijs = prijsTekst(f);
    if (!prijs.isEmpty()) uit += QStringLiteral(" · ") + prijs;
    return uit;
}

QString AvondProgramma::prijsTekst(const Fase& fase)
{
    if (!fase.bedrag) return fase.prijs;
    const QString bedrag = bedragTekst(*fase.bedrag);
    return fase.prijs.isEmpty() ? bedrag : QStringLiteral("%1 (%2)").arg(fase.prijs, bedrag);
}

std::optional<qint64> AvondProgramma::deel(const Fase& fase, int delers)
{
    if (!fase.bedrag || delers < 1) return std::nullopt;
    // Whole cents each; what cannot be shared stays with the club.
    return *fase.bedrag / delers;
}
