// Reading a record back: its lines for the report of the evening, and its last game for a
// restart. The live record, written as the game changes, is in verloop.cpp.
#include "core/game/verloop.h"

#include "core/common/veiligbestand.h"
#include "core/game/trommel.h"
#include "core/game/verloop_intern.h"

#include <QDir>
#include <QRegularExpression>
#include <QTimeZone>

#include <array>
#include <cctype>
#include <cstring>

namespace
{
using VerloopIntern::naam;

// A record of an evening stays far below this; more is no record of ours.
constexpr qint64 grootsteBestand = 64 * 1024 * 1024;

const QString dagPatroon = QStringLiteral("^\\d{4}-\\d{2}-\\d{2}\\.csv$");

std::optional<Spel::Gebeurtenis> gebeurtenisVan(const QByteArray& tekst)
{
    for (auto g : {Spel::Gebeurtenis::NieuwSpel, Spel::Gebeurtenis::Getrokken, Spel::Gebeurtenis::Teruggelegd,
                   Spel::Gebeurtenis::Afgesloten, Spel::Gebeurtenis::Opgegeven})
        if (tekst == naam(g)) return g;
    return std::nullopt;
}

// Lines a restart does not need: they are read as lines of a record and passed over.
bool isBijregel(const QByteArray& gebeurtenis)
{
    return gebeurtenis == "gecontroleerd" || gebeurtenis == "winnaar" || gebeurtenis == "winnaar teruggenomen" ||
           gebeurtenis == "fase" || gebeurtenis == "programma" || gebeurtenis == "ontbreekt";
}

std::optional<int> getal(const QByteArray& tekst, int laag, int hoog)
{
    bool goed = false;
    const int n = tekst.toInt(&goed);
    if (!goed || n < laag || n > hoog) return std::nullopt;
    return n;
}

// A time as the record writes it, "2026-12-06T20:15:03.120+01:00" or with "Z", checked by its
// form alone: far faster than reading it, which only the balls of the last game need.
bool heeftTijdVorm(const QByteArray& t)
{
    static const char vorm[] = "dddd-dd-ddTdd:dd:dd.ddd";
    if (t.size() != 24 && t.size() != 29) return false;
    for (int i = 0; i < 23; ++i)
        if (vorm[i] == 'd' ? (t[i] < '0' || t[i] > '9') : t[i] != vorm[i]) return false;
    if (t.size() == 24) return t[23] == 'Z';
    return (t[23] == '+' || t[23] == '-') && t[26] == ':' && std::isdigit(static_cast<unsigned char>(t[24])) &&
           std::isdigit(static_cast<unsigned char>(t[25])) && std::isdigit(static_cast<unsigned char>(t[27])) &&
           std::isdigit(static_cast<unsigned char>(t[28]));
}

QDateTime leesTijd(const QByteArray& tekst)
{
    return QDateTime::fromString(QString::fromLatin1(tekst), Qt::ISODateWithMs);
}

// The column letter of each ball, for games of 75 and of 90 balls.
char letterVan(int bal, int aantalBallen)
{
    static const auto letters = [] {
        std::array<std::array<char, 91>, 2> uit{};
        for (int n = 1; n <= 90; ++n)
            for (int soort = 0; soort < 2; ++soort) {
                const QString l = Trommel::letter(n, soort == 0 ? 75 : 90);
                uit[soort][n] = l.isEmpty() ? '\0' : l[0].toLatin1();
            }
        return uit;
    }();
    return letters[aantalBallen == 75 ? 0 : 1][bal];
}

constexpr int velden12 = 12;

// Splits a line at its commas into at most twelve fields; -1 when it has more.
int splits(const QByteArray& lijn, QByteArray* velden)
{
    const char* veld = lijn.constData();
    const char* const eind = veld + lijn.size();
    int aantal = 0;
    for (const char* c = veld;; ++c) {
        if (c != eind && *c != ',') continue;
        if (aantal == velden12) return -1;
        velden[aantal++] = QByteArray::fromRawData(veld, c - veld);
        if (c == eind) break;
        veld = c + 1;
    }
    return aantal;
}

// What a record says so far, line by line.
struct Lezer {
    Verloop::Laatste& l;
    const char* basis; // the record's first byte
    bool spelGezien = false;
    std::array<bool, 91> getrokken{};
    QList<qsizetype> tijden; // where the times of the game's balls are; read at the end

    // Applies one line to the game read so far; false, and nothing changed, when the line is no
    // line of a record or cannot follow what came before.
    bool pasToe(const QByteArray& lijn)
    {
        QByteArray velden[velden12];
        const int aantal = splits(lijn, velden);
        if (aantal < 7) return false;
        // A time in another form than ours must still be a time.
        if (!heeftTijdVorm(velden[0]) && !leesTijd(velden[0]).isValid()) return false;
        // Lines about the programme and the checks say nothing about the balls.
        if (isBijregel(velden[3])) {
            // A game the record names as missing keeps its number: no later game takes it.
            if (velden[3] == "ontbreekt")
                if (const auto spel = getal(velden[1], 1, std::numeric_limits<int>::max()))
                    l.hoogsteSpel = std::max(l.hoogsteSpel, *spel);
            return true;
        }
        const auto spel = getal(velden[1], 1, std::numeric_limits<int>::max());
        const auto ronde = getal(velden[2], 0, std::numeric_limits<int>::max());
        const auto g = gebeurtenisVan(velden[3]);
        const auto ballen = getal(velden[6], 75, 90);
        if (!spel || !ronde || !g || !ballen || (*ballen != 75 && *ballen != 90)) return false;

        Spel::Stand& s = l.stand;
        const bool zonderBal = velden[4].isEmpty() && velden[5].isEmpty();
        if (*g == Spel::Gebeurtenis::NieuwSpel) {
            if (!zonderBal) return false;
            s = {*ballen, *ronde, *spel, {}};
            getrokken.fill(false);
            tijden.clear();
            l.afgemaakt = false;
            spelGezien = true;
            return true;
        }
        // Every other line belongs to the game begun before it.
        if (!spelGezien || *spel != s.spelNummer || *ronde != s.ronde || *ballen != s.aantalBallen) return false;
        if (*g == Spel::Gebeurtenis::Afgesloten || *g == Spel::Gebeurtenis::Opgegeven) {
            if (!zonderBal) return false;
            l.afgemaakt = true;
            return true;
        }
        const auto bal = getal(velden[4], 1, s.aantalBallen);
        if (!bal || velden[5].size() != 1 || velden[5][0] != letterVan(*bal, s.aantalBallen)) return false;
        if (*g == Spel::Gebeurtenis::Getrokken) {
            if (getrokken[*bal]) return false;
            getrokken[*bal] = true;
            s.ballen.append(Spel::Bal{*bal, QDateTime(), aantal > 11 && velden[11] == "hand"});
            tijden.append(velden[0].constData() - basis);
            l.afgemaakt = false;
            return true;
        }
        if (s.ballen.isEmpty() || s.ballen.last().getal != *bal) return false;
        getrokken[*bal] = false;
        s.ballen.removeLast();
        tijden.removeLast();
        l.afgemaakt = false;
        return true;
    }

    void rondAf()
    {
        for (int i = 0; i < l.stand.ballen.size(); ++i) {
            const char* tijd = basis + tijden[i];
            l.stand.ballen[i].tijd = leesTijd(QByteArray(tijd, std::strchr(tijd, ',') - tijd));
        }
    }
};

// The moment of the last line of a record that can be read, from its last few lines; none when
// no line can be.
std::optional<qint64> laatsteTijd(const QString& bestand)
{
    const auto staart = VeiligBestand::leesEinde(bestand, 4096);
    if (!staart) return std::nullopt;
    const QList<QByteArray> lijnen = staart->split('\n');
    for (auto it = lijnen.crbegin(); it != lijnen.crend(); ++it) {
        const QDateTime tijd = leesTijd(it->left(it->indexOf(',')));
        if (tijd.isValid()) return tijd.toMSecsSinceEpoch();
    }
    return std::nullopt;
}

// One line of a record as the report reads it; nothing when it cannot be one. ballenVan holds
// the ball count of each game begun so far: a line of a game has that count too.
std::optional<Verloop::Regel> leesRegel(const QByteArray& lijn, QHash<int, int>& ballenVan)
{
    QByteArray velden[velden12];
    const int aantal = splits(lijn, velden);
    if (aantal < 7) return std::nullopt;
    Verloop::Regel r;
    r.tijd = leesTijd(velden[0]);
    if (!r.tijd.isValid()) return std::nullopt;
    const QByteArray& g = velden[3];
    const bool balRegel = g == "getrokken" || g == "teruggelegd";
    if (!balRegel && !isBijregel(g) && !gebeurtenisVan(g)) return std::nullopt;
    // Only a card checked with no game being played has no game.
    const bool zonderSpel = g == "gecontroleerd" && velden[1].isEmpty();
    if (zonderSpel) {
        if (!velden[2].isEmpty() || !velden[6].isEmpty()) return std::nullopt;
    } else {
        const auto spel = getal(velden[1], 1, std::numeric_limits<int>::max());
        const auto ronde = getal(velden[2], 0, std::numeric_limits<int>::max());
        const auto ballen = getal(velden[6], 75, 90);
        if (!spel || !ronde || !ballen || (*ballen != 75 && *ballen != 90)) return std::nullopt;
        if (g == "nieuw spel") ballenVan.insert(*spel, *ballen);
        if (ballenVan.value(*spel, *ballen) != *ballen) return std::nullopt;
        r.spel = *spel;
        r.ronde = *ronde;
        r.ballen = *ballen;
    }
    // A ball, with its letter, where a line names one: always on a draw and a take-back.
    if (!velden[4].isEmpty() || !velden[5].isEmpty() || balRegel) {
        const auto bal = getal(velden[4], 1, r.ballen);
        if (zonderSpel || !bal || velden[5].size() != 1 || velden[5][0] != letterVan(*bal, r.ballen))
            return std::nullopt;
        r.bal = *bal;
    }
    r.gebeurtenis = QString::fromUtf8(g);
    if (aantal > 7) r.extra.kaart = QString::fromUtf8(velden[7]);
    if (aantal > 8) r.extra.fase = QString::fromUtf8(velden[8]);
    if (aantal > 9 && g == "programma")
        r.extra.programma = QByteArray::fromPercentEncoding(velden[9]);
    else if (aantal > 9)
        r.extra.uitslag = QString::fromUtf8(velden[9]);
    // A place in the draw is one of the game's balls.
    if (aantal > 10 && !velden[10].isEmpty()) {
        const auto plaats = getal(velden[10], 1, r.ballen);
        if (!plaats) return std::nullopt;
        r.extra.aantal = *plaats;
    }
    if (aantal > 11 && !velden[11].isEmpty() && velden[11] != "hand") return std::nullopt;
    r.hand = aantal > 11 && velden[11] == "hand";
    // A winner's completing ball and its place belong to the game as well.
    if (const auto [bal, plaats] = Verloop::winnaarCompleet(r.extra.uitslag); bal != 0 || plaats != 0) {
        if (bal < 1 || bal > r.ballen || plaats < 1 || plaats > r.ballen) return std::nullopt;
    }
    return r;
}
} // namespace

QString Verloop::winnaarUitslag(int bal, int plaats)
{
    if (bal <= 0 || plaats <= 0) return QStringLiteral("gewonnen");
    return QStringLiteral("gewonnen met bal %1 (de %2e bal)").arg(bal).arg(plaats);
}

std::pair<int, int> Verloop::winnaarCompleet(const QString& uitslag)
{
    static const QRegularExpression vorm(QStringLiteral("^gewonnen met bal (\\d{1,2}) \\(de (\\d{1,3})e bal\\)$"));
    const QRegularExpressionMatch m = vorm.match(uitslag);
    if (!m.hasMatch()) return {0, 0};
    return {m.captured(1).toInt(), m.captured(2).toInt()};
}

QList<Verloop::Regel> Verloop::alleRegels(const QByteArray& inhoud, QList<int>* onleesbaar)
{
    QList<Regel> uit;
    QHash<int, int> ballenVan;
    qsizetype lengte = inhoud.size();
    // A crash may leave the end of a file zeroed: that held no line.
    while (lengte > 0 && inhoud[lengte - 1] == '\0')
        --lengte;
    const QList<QByteArray> lijnen = inhoud.left(lengte).split('\n');
    for (int i = 0; i < lijnen.size(); ++i) {
        QByteArray lijn = lijnen[i];
        if (lijn.endsWith('\r')) lijn.chop(1);
        // The header, and an empty line, say nothing of the evening.
        if (lijn.isEmpty() || (i == 0 && (lijn == kopRegel || lijn == kopRegelZeven))) continue;
        std::optional<Regel> r = leesRegel(lijn, ballenVan);
        if (!r) {
            if (onleesbaar) onleesbaar->append(i + 1);
            continue;
        }
        r->nummer = i + 1;
        uit.append(*r);
    }
    return uit;
}

std::optional<QByteArray> Verloop::leesBestand(const QString& pad, QString* fout)
{
    return VeiligBestand::lees(pad, grootsteBestand, fout);
}

Verloop::Laatste Verloop::leesInhoud(const QByteArray& inhoud)
{
    Laatste l;
    qsizetype lengte = inhoud.size();
    // A crash may leave the end of a file zeroed, or a line without its line end.
    while (lengte > 0 && inhoud[lengte - 1] == '\0')
        --lengte;
    Lezer lezer{l, inhoud.constData(), false, {}, {}};
    qsizetype begin = 0;
    // After the last line end there is nothing, or a line cut off.
    for (qsizetype eind = inhoud.indexOf('\n'), nummer = 1; eind >= 0 && eind < lengte; ++nummer) {
        const qsizetype volgende = inhoud.indexOf('\n', eind + 1);
        const bool laatste = volgende < 0 || volgende >= lengte;
        qsizetype tot = eind;
        if (tot > begin && inhoud[tot - 1] == '\r') --tot;
        const QByteArray lijn = QByteArray::fromRawData(inhoud.constData() + begin, tot - begin);
        begin = eind + 1;
        eind = volgende;
        if (nummer == 1) {
            if (lijn != kopRegel && lijn != kopRegelZeven) {
                l.beschadigd = true;
                l.fout = QStringLiteral("de eerste regel is niet de kop van een verloop");
                return l;
            }
            l.gelezenTot = begin;
            continue;
        }
        if (lezer.pasToe(lijn)) {
            l.gelezenTot = begin;
            continue;
        }
        // The last line may be half written when the power went; any other is damage.
        if (laatste) break;
        l.beschadigd = true;
        l.fout = QStringLiteral("regel %1 kan niet worden gelezen").arg(nummer);
        return l;
    }
    lezer.rondAf();
    return l;
}

std::optional<Verloop::Laatste> Verloop::laatsteSpel(const QString& instellingenMap, QStringList* toekomst,
                                                     const QDateTime& nu)
{
    const QDir map(QDir(instellingenMap).filePath(mapNaam));
    const QRegularExpression patroon(dagPatroon);
    const QString vandaag = dagBestand(instellingenMap, nu.date());
    bool metVandaag = false;
    QString gekozen;
    qint64 nieuwste = std::numeric_limits<qint64>::min();
    for (const QString& naam : map.entryList(QDir::Files, QDir::Name)) {
        if (!patroon.match(naam).hasMatch()) continue;
        const QString pad = map.filePath(naam);
        const QDate dag = QDate::fromString(naam.left(10), QStringLiteral("yyyy-MM-dd"));
        // Dated after today by its name or by its lines: left by a clock once set ahead.
        const auto tijd = laatsteTijd(pad);
        if ((dag.isValid() && dag > nu.date()) ||
            (tijd && QDateTime::fromMSecsSinceEpoch(*tijd, nu.timeZone()).date() > nu.date())) {
            if (toekomst) *toekomst << pad;
        } else if (pad == vandaag) {
            metVandaag = true;
        } else if (tijd && *tijd >= nieuwste) {
            nieuwste = *tijd;
            gekozen = pad;
        }
    }
    const auto lees = [](const QString& bestand) {
        QString fout;
        const auto inhoud = VeiligBestand::lees(bestand, grootsteBestand, &fout);
        Laatste l;
        if (inhoud) {
            l = leesInhoud(*inhoud);
            l.grootte = inhoud->size();
        } else {
            l.beschadigd = true;
            l.fout = fout;
        }
        l.bestand = bestand;
        return l;
    };
    if (metVandaag) {
        const Laatste l = lees(vandaag);
        if (l.beschadigd || l.stand.aantalBallen != 0) return l;
    }
    if (gekozen.isEmpty()) return std::nullopt;
    const Laatste l = lees(gekozen);
    if (!l.beschadigd && l.stand.aantalBallen == 0) return std::nullopt;
    return l;
}
