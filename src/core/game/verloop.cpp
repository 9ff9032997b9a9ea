#include "core/game/verloop.h"

#include "core/common/veiligbestand.h"
#include "core/game/trommel.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTimeZone>

#include <array>
#include <cctype>
#include <cstring>

namespace
{
// A record of an evening stays far below this; more is no record of ours.
constexpr qint64 grootsteBestand = 64 * 1024 * 1024;

const QString dagPatroon = QStringLiteral("^\\d{4}-\\d{2}-\\d{2}\\.csv$");

const char* naam(Spel::Gebeurtenis g)
{
    switch (g) {
    case Spel::Gebeurtenis::NieuwSpel:
        return "nieuw spel";
    case Spel::Gebeurtenis::Getrokken:
        return "getrokken";
    case Spel::Gebeurtenis::Teruggelegd:
        return "teruggelegd";
    case Spel::Gebeurtenis::Afgesloten:
        return "afgesloten";
    case Spel::Gebeurtenis::Opgegeven:
        return "opgegeven";
    }
    return "";
}

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

// A text for a column of its own: no comma, quote or line end can shift the columns after it.
QByteArray veld(const QString& tekst)
{
    QByteArray uit = tekst.left(40).toUtf8();
    for (char& c : uit)
        if (c == ',' || c == '"' || c == '\r' || c == '\n') c = ' ';
    return uit;
}

// A long text kept whole in one column: what would end the column or the line is written as %XX.
QByteArray heelVeld(const QByteArray& tekst)
{
    QByteArray uit;
    uit.reserve(tekst.size());
    for (const char c : tekst) {
        const auto b = static_cast<unsigned char>(c);
        if (c == ',' || c == '"' || c == '%' || b < 0x20 || b == 0x7f)
            uit += '%' + QByteArray::number(b, 16).rightJustified(2, '0').toUpper();
        else
            uit += c;
    }
    return uit;
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
} // namespace

Verloop::Verloop(const QString& instellingenMap)
    : m_map(instellingenMap), m_klok([] { return QDateTime::currentDateTime(); }),
      m_aanvuller([](const QString& pad, const QByteArray& regels, QString* fout) {
          return VeiligBestand::voegToe(pad, regels, fout);
      })
{
}

QString Verloop::dagBestand(const QString& instellingenMap, const QDate& dag)
{
    return QDir(instellingenMap)
        .filePath(mapNaam + QLatin1Char('/') + dag.toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral(".csv"));
}

QByteArray Verloop::regel(const QDateTime& tijd, const Spel::Stand& stand, Spel::Gebeurtenis gebeurtenis, int bal,
                          bool hand)
{
    return regel(tijd, stand, naam(gebeurtenis), bal, {}, hand);
}

// A line has all twelve fields, the later ones empty where they say nothing.
QByteArray Verloop::regel(const QDateTime& tijd, const Spel::Stand& stand, const QByteArray& gebeurtenis, int bal,
                          const Extra& extra, bool hand)
{
    QByteArray uit = tijd.toOffsetFromUtc(tijd.offsetFromUtc()).toString(Qt::ISODateWithMs).toLatin1();
    uit += ',' + QByteArray::number(stand.spelNummer) + ',' + QByteArray::number(stand.ronde) + ',' + gebeurtenis + ',';
    if (bal > 0)
        uit += QByteArray::number(bal) + ',' + Trommel::letter(bal, stand.aantalBallen).toLatin1();
    else
        uit += ',';
    uit += ',' + QByteArray::number(stand.aantalBallen) + ',' + veld(extra.kaart) + ',' + veld(extra.fase) + ',' +
           (extra.programma.isEmpty() ? veld(extra.uitslag) : heelVeld(extra.programma)) + ',' +
           (extra.aantal > 0 ? QByteArray::number(extra.aantal) : QByteArray()) + ',' +
           (hand ? QByteArrayLiteral("hand") : QByteArray()) + "\r\n";
    return uit;
}

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

namespace
{
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

QString Verloop::zetApart(const QString& bestand)
{
    const QFileInfo info(bestand);
    for (int i = 1; i < 1000; ++i) {
        const QString achter = i == 1 ? QString() : QStringLiteral("-%1").arg(i);
        const QString doel = info.dir().filePath(info.completeBaseName() + QStringLiteral("-beschadigd") + achter +
                                                 QStringLiteral(".csv"));
        if (QFileInfo::exists(doel)) continue;
        return QFile::rename(bestand, doel) ? doel : QString();
    }
    return {};
}

std::optional<Verloop::Laatste> Verloop::bijStart()
{
    QStringList toekomst;
    auto laatste = laatsteSpel(m_map, &toekomst, m_klok());
    if (!toekomst.isEmpty() && m_melder) {
        for (QString& pad : toekomst)
            pad = QDir::toNativeSeparators(pad);
        m_melder(QStringLiteral("Het verloop %1 heeft een datum na vandaag; de klok van deze computer heeft eens "
                                "verkeerd gestaan. Het wordt niet gebruikt om een spel te hervatten. Zet het opzij als "
                                "het niet klopt.")
                     .arg(toekomst.join(QStringLiteral(", "))));
    }
    // The mark the last run left: which game's record could not be written to the end.
    const auto oud = VeiligBestand::leesBegin(QDir(m_map).filePath(mapNaam + QLatin1Char('/') + standNaam), 256);
    zorgVoorStand();
    if (laatste && laatste->beschadigd) {
        meldBeschadigd(laatste->bestand, laatste->fout, zetApart(laatste->bestand));
        laatste.reset();
    }
    if (laatste) {
        m_bestand = laatste->bestand;
        m_waar = laatste->stand;
        laatste->onvolledig = oud && oud->trimmed() == standTekst(true, m_bestand, m_waar.spelNummer);
        // Read once: the first line written to it needs no second look, unless it changed.
        if (laatste->gelezenTot == laatste->grootte) m_bekend.insert(laatste->bestand, laatste->grootte);
    }
    // A mark for a game after the record's last: that game began but none of it is in the record.
    static const QRegularExpression vorm(QStringLiteral("^onvolledig (\\S+\\.csv) spel (\\d{1,9})$"));
    const QRegularExpressionMatch m = vorm.match(QString::fromUtf8(oud.value_or(QByteArray()).trimmed()));
    if (m.hasMatch()) {
        const QString bestand = QDir(m_map).filePath(mapNaam + QLatin1Char('/') + m.captured(1));
        const int spel = m.captured(2).toInt();
        const bool later = !laatste || (bestand == laatste->bestand
                                            ? spel > laatste->stand.spelNummer
                                            : QFileInfo(bestand).fileName() > QFileInfo(laatste->bestand).fileName());
        if (later) {
            m_ontbrekend = spel;
            m_ontbrekendIn = bestand;
        }
    }
    if (!m_ontbrekend && (!laatste || !laatste->onvolledig)) markeer(false);
    return laatste;
}

void Verloop::meldBeschadigd(const QString& bestand, const QString& fout, const QString& apart)
{
    if (!m_melder) return;
    if (apart.isEmpty())
        m_melder(QStringLiteral("Het verloop %1 is beschadigd (%2) en kan niet opzij worden gezet.")
                     .arg(QDir::toNativeSeparators(bestand), fout));
    else
        m_melder(QStringLiteral("Het verloop %1 is beschadigd (%2). Het is bewaard als %3; een nieuw verloop begint.")
                     .arg(QDir::toNativeSeparators(bestand), fout, QDir::toNativeSeparators(apart)));
}

void Verloop::volg(Spel& spel)
{
    m_spel = &spel;
    spel.zetSchrijver([this](Spel::Gebeurtenis g, int bal) { schrijfGebeurtenis(g, bal); });
}

void Verloop::hervat(const Laatste& laatste)
{
    m_bestand = laatste.bestand;
    m_waar = m_inBestand = laatste.stand;
    m_kopInBestand = true;
    m_achter = false;
    // Balls that were lost stay lost: the mark stays with this game until it ends.
    m_gatInSpel = laatste.onvolledig;
    m_begin = laatste.stand.ballen.isEmpty() ? m_klok() : laatste.stand.ballen.first().tijd;
}

void Verloop::geefOp(const Laatste& laatste)
{
    if (voegToe(laatste.bestand, regel(m_klok(), laatste.stand, Spel::Gebeurtenis::Opgegeven, 0)) && !m_ontbrekend)
        markeer(false);
}

bool Verloop::noteerOntbrekend(int aantalBallen)
{
    if (!m_ontbrekend) return true;
    const Spel::Stand stand{aantalBallen, 0, m_ontbrekend, {}};
    Extra extra;
    extra.uitslag = QStringLiteral("niet in het verloop");
    QByteArray voorloop;
    if (!bereidVoor(m_ontbrekendIn, voorloop) ||
        !m_aanvuller(m_ontbrekendIn, voorloop + regel(m_klok(), stand, "ontbreekt", 0, extra), nullptr))
        return false;
    m_ontbrekend = 0;
    markeer(false);
    return true;
}

void Verloop::schrijfGebeurtenis(Spel::Gebeurtenis gebeurtenis, int)
{
    if (!m_spel || !m_spel->heeftSpel()) return;
    const QDateTime nu = m_klok();
    if (gebeurtenis == Spel::Gebeurtenis::NieuwSpel) {
        // What the file of the game that just ended still lacks goes in before the new game.
        if (m_achter && !m_bestand.isEmpty()) werkBij({});
        m_bestand = dagBestand(m_map, nu.date());
        m_inBestand = {};
        m_kopInBestand = false;
        m_begin = nu;
        m_achter = false;
        m_gatInSpel = false;
    }
    m_waar = m_spel->stand();
    if (m_bestand.isEmpty()) return;
    const bool slot = gebeurtenis == Spel::Gebeurtenis::Afgesloten || gebeurtenis == Spel::Gebeurtenis::Opgegeven;
    werkBij(slot ? regel(nu, m_waar, gebeurtenis, 0) : QByteArray());
}

bool Verloop::schrijfRegel(const QByteArray& gebeurtenis, int bal, const Extra& extra)
{
    if (!m_spel || !m_spel->heeftSpel() || m_bestand.isEmpty()) return false;
    m_waar = m_spel->stand();
    return werkBij(regel(m_klok(), m_waar, gebeurtenis, bal, extra));
}

void Verloop::schrijfControle(const QString& kaart, const QString& fase, const QString& uitslag, int bal, int aantal)
{
    const QDateTime nu = m_klok();
    const bool metSpel = m_spel && m_spel->heeftSpel() && !m_bestand.isEmpty();
    const Spel::Stand stand = metSpel ? m_spel->stand() : Spel::Stand{};
    QByteArray lijn = nu.toOffsetFromUtc(nu.offsetFromUtc()).toString(Qt::ISODateWithMs).toLatin1() + ',';
    if (metSpel)
        lijn += QByteArray::number(stand.spelNummer) + ',' + QByteArray::number(stand.ronde);
    else
        lijn += ',';
    lijn += ",gecontroleerd,";
    if (metSpel && bal > 0)
        lijn += QByteArray::number(bal) + ',' + Trommel::letter(bal, stand.aantalBallen).toLatin1();
    else
        lijn += ',';
    lijn += ',' + (metSpel ? QByteArray::number(stand.aantalBallen) : QByteArray()) + ',' + veld(kaart) + ',' +
            veld(fase) + ',' + veld(uitslag) + ',' + (metSpel && bal > 0 ? QByteArray::number(aantal) : QByteArray()) +
            ",\r\n";
    if (metSpel) {
        m_waar = m_spel->stand();
        werkBij(lijn);
    } else {
        voegToe(dagBestand(m_map, nu.date()), lijn);
    }
}

// The lines that bring the file level with the game in memory: the game's first line when the
// file lacks it, balls the file holds that the game no longer has taken back, and the balls
// drawn since, each with the moment it was drawn.
QByteArray Verloop::inhaalRegels() const
{
    QByteArray uit;
    const QDateTime nu = m_klok();
    if (!m_kopInBestand) uit += regel(m_begin.isValid() ? m_begin : nu, m_waar, Spel::Gebeurtenis::NieuwSpel, 0);
    const QList<Spel::Bal> oud = m_kopInBestand ? m_inBestand.ballen : QList<Spel::Bal>();
    const QList<Spel::Bal>& nieuw = m_waar.ballen;
    qsizetype gelijk = 0;
    while (gelijk < oud.size() && gelijk < nieuw.size() && oud[gelijk].getal == nieuw[gelijk].getal)
        ++gelijk;
    for (qsizetype i = oud.size() - 1; i >= gelijk; --i)
        uit += regel(nu, m_waar, Spel::Gebeurtenis::Teruggelegd, oud[i].getal);
    for (qsizetype i = gelijk; i < nieuw.size(); ++i)
        uit += regel(nieuw[i].tijd, m_waar, Spel::Gebeurtenis::Getrokken, nieuw[i].getal, nieuw[i].hand);
    return uit;
}

// Brings the game's file level with the game, then adds `slot` (an exit or a given-up game).
bool Verloop::werkBij(const QByteArray& slot)
{
    QByteArray voorloop;
    bool opnieuw = false;
    QString fout;
    bool goed = bereidVoor(m_bestand, voorloop, &opnieuw);
    if (goed) {
        // A damaged file was kept aside: the new one gets the whole game.
        if (opnieuw) m_kopInBestand = false;
        goed = m_aanvuller(m_bestand, voorloop + inhaalRegels() + slot, &fout);
        if (!goed) {
            // The header must come again with the next line if this one never reached the file.
            if (!voorloop.isEmpty()) m_klaar.remove(m_bestand);
            meld(fout);
        }
    }
    if (!goed) {
        m_achter = true;
        markeer(true);
        return false;
    }
    m_inBestand = m_waar;
    m_kopInBestand = true;
    markeer(m_gatInSpel);
    if (m_achter) {
        m_achter = false;
        m_foutGemeld = false;
        if (m_melder)
            m_melder(QStringLiteral("Het verloop van de avond wordt weer bijgehouden; de regels die ontbraken zijn "
                                    "erbij geschreven."));
    }
    return true;
}

QByteArray Verloop::standTekst(bool onvolledig, const QString& bestand, int spel)
{
    if (!onvolledig) return QByteArrayLiteral("heel");
    return "onvolledig " + QFileInfo(bestand).fileName().toUtf8() + " spel " + QByteArray::number(spel);
}

// The mark is made once, at its full length, while there is room; from then on it is only
// overwritten in place.
void Verloop::zorgVoorStand()
{
    if (!m_standPad.isEmpty()) return;
    const QString pad = QDir(m_map).filePath(mapNaam + QLatin1Char('/') + standNaam);
    if (QFileInfo(pad).size() == standGrootte && VeiligBestand::isGewoonBestand(pad) && !QFileInfo(pad).isSymLink()) {
        m_standPad = pad;
        m_stand = VeiligBestand::leesBegin(pad, standGrootte).value_or(QByteArray());
        return;
    }
    if (!QDir().mkpath(QFileInfo(pad).absolutePath())) return;
    const QByteArray heel = standTekst(false, {}, 0).leftJustified(standGrootte - 2, ' ') + "\r\n";
    if (VeiligBestand::schrijf(pad, heel)) {
        m_standPad = pad;
        m_stand = heel;
    }
}

void Verloop::markeer(bool onvolledig)
{
    zorgVoorStand();
    if (m_standPad.isEmpty()) return;
    const QByteArray tekst =
        standTekst(onvolledig, m_bestand, m_waar.spelNummer).leftJustified(standGrootte - 2, ' ', true) + "\r\n";
    if (tekst != m_stand && VeiligBestand::overschrijf(m_standPad, tekst)) m_stand = tekst;
}

// Before the first line of this session goes into a file, the file must be a record that a
// line can follow: a new file gets the header, a line cut off at the end is taken away, and a
// damaged file is kept aside so that a new one begins (*opnieuw). The record read at start
// needs no second look while its size is what it was.
bool Verloop::bereidVoor(const QString& bestand, QByteArray& voorloop, bool* opnieuw)
{
    if (m_klaar.contains(bestand)) return true;
    const QFileInfo info(bestand);
    if (m_bekend.contains(bestand) && !info.isSymLink() && info.isFile() && info.size() == m_bekend.value(bestand)) {
        m_klaar.insert(bestand);
        return true;
    }
    if (!QDir().mkpath(info.absolutePath())) {
        meld(QStringLiteral("De map %1 kan niet worden gemaakt.").arg(QDir::toNativeSeparators(info.absolutePath())));
        return false;
    }
    if (info.exists() || info.isSymLink()) {
        QString fout;
        const auto inhoud = VeiligBestand::lees(bestand, grootsteBestand, &fout);
        Laatste gelezen;
        if (inhoud) gelezen = leesInhoud(*inhoud);
        if (!inhoud || gelezen.beschadigd) {
            const QString apart = zetApart(bestand);
            if (apart.isEmpty()) {
                m_foutGemeld = true;
                meldBeschadigd(bestand, inhoud ? gelezen.fout : fout, apart);
                return false;
            }
            meldBeschadigd(bestand, inhoud ? gelezen.fout : fout, apart);
            voorloop = kopRegel + "\r\n";
            if (opnieuw) *opnieuw = true;
        } else if (gelezen.gelezenTot < inhoud->size()) {
            // What a crash left of a line (cut off, zeroed, or garbled up to its line end): the
            // file without it takes its place in one step, so the next line does not follow it.
            const QByteArray heel = inhoud->left(gelezen.gelezenTot);
            if (!VeiligBestand::schrijf(bestand, heel.isEmpty() ? kopRegel + "\r\n" : heel, &fout)) {
                meld(fout);
                return false;
            }
        } else if (inhoud->isEmpty()) {
            voorloop = kopRegel + "\r\n";
        }
    } else {
        voorloop = kopRegel + "\r\n";
    }
    m_klaar.insert(bestand);
    return true;
}

bool Verloop::voegToe(const QString& bestand, const QByteArray& regel)
{
    QByteArray voorloop;
    if (!bereidVoor(bestand, voorloop)) return false;
    QString fout;
    if (!m_aanvuller(bestand, voorloop + regel, &fout)) {
        if (!voorloop.isEmpty()) m_klaar.remove(bestand);
        meld(fout);
        return false;
    }
    return true;
}

void Verloop::meld(const QString& tekst)
{
    if (m_foutGemeld) return;
    m_foutGemeld = true;
    if (m_melder)
        m_melder(
            QStringLiteral("Het verloop van de avond kan niet worden bijgehouden:\n%1\n\nHet spel gaat gewoon door; "
                           "wat niet is geschreven, schrijft Zorvak erbij zodra het weer kan.")
                .arg(tekst));
}
