#include "core/game/verloop.h"

#include "core/common/veiligbestand.h"
#include "core/game/trommel.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

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

std::optional<int> getal(const QByteArray& tekst, int laag, int hoog)
{
    bool goed = false;
    const int n = tekst.toInt(&goed);
    if (!goed || n < laag || n > hoog) return std::nullopt;
    return n;
}

// Applies one line to the game read so far; false when the line is no line of a record or
// cannot follow what came before.
bool pasToe(const QByteArray& lijn, Verloop::Laatste& l, bool& spelGezien)
{
    const QList<QByteArray> velden = lijn.split(',');
    if (velden.size() != 7) return false;
    const QDateTime tijd = QDateTime::fromString(QString::fromLatin1(velden[0]), Qt::ISODateWithMs);
    const auto spel = getal(velden[1], 1, std::numeric_limits<int>::max());
    const auto ronde = getal(velden[2], 0, std::numeric_limits<int>::max());
    const auto g = gebeurtenisVan(velden[3]);
    const auto ballen = getal(velden[6], 75, 90);
    if (!tijd.isValid() || !spel || !ronde || !g || !ballen || (*ballen != 75 && *ballen != 90)) return false;

    Spel::Stand& s = l.stand;
    if (*g == Spel::Gebeurtenis::NieuwSpel) {
        if (!velden[4].isEmpty() || !velden[5].isEmpty()) return false;
        s = {*ballen, *ronde, *spel, {}};
        l.afgemaakt = false;
        spelGezien = true;
        return true;
    }
    // Every other line belongs to the game begun before it.
    if (!spelGezien || *spel != s.spelNummer || *ronde != s.ronde || *ballen != s.aantalBallen) return false;
    if (*g == Spel::Gebeurtenis::Afgesloten || *g == Spel::Gebeurtenis::Opgegeven) {
        l.afgemaakt = true;
        return velden[4].isEmpty() && velden[5].isEmpty();
    }
    const auto bal = getal(velden[4], 1, s.aantalBallen);
    if (!bal || velden[5] != Trommel::letter(*bal, s.aantalBallen).toLatin1()) return false;
    if (*g == Spel::Gebeurtenis::Getrokken) {
        for (const Spel::Bal& b : s.ballen)
            if (b.getal == *bal) return false;
        s.ballen.append({*bal, tijd});
        l.afgemaakt = false;
        return true;
    }
    if (s.ballen.isEmpty() || s.ballen.last().getal != *bal) return false;
    s.ballen.removeLast();
    l.afgemaakt = false;
    return true;
}
} // namespace

Verloop::Verloop(const QString& instellingenMap)
    : m_map(instellingenMap), m_klok([] { return QDateTime::currentDateTime(); })
{
}

QString Verloop::dagBestand(const QString& instellingenMap, const QDate& dag)
{
    return QDir(instellingenMap)
        .filePath(mapNaam + QLatin1Char('/') + dag.toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral(".csv"));
}

QByteArray Verloop::regel(const QDateTime& tijd, const Spel::Stand& stand, Spel::Gebeurtenis gebeurtenis, int bal)
{
    QByteArray uit = tijd.toOffsetFromUtc(tijd.offsetFromUtc()).toString(Qt::ISODateWithMs).toLatin1();
    uit += ',' + QByteArray::number(stand.spelNummer) + ',' + QByteArray::number(stand.ronde) + ',' +
           naam(gebeurtenis) + ',';
    if (bal > 0)
        uit += QByteArray::number(bal) + ',' + Trommel::letter(bal, stand.aantalBallen).toLatin1();
    else
        uit += ',';
    uit += ',' + QByteArray::number(stand.aantalBallen) + "\r\n";
    return uit;
}

Verloop::Laatste Verloop::leesInhoud(const QByteArray& inhoud)
{
    Laatste l;
    QByteArray tekst = inhoud;
    // A crash may leave the end of a file zeroed, or a line without its line end.
    while (tekst.endsWith('\0'))
        tekst.chop(1);
    QList<QByteArray> lijnen = tekst.split('\n');
    lijnen.removeLast();     // after the last line end: empty, or a line cut off
    QList<qsizetype> einden; // where each line ends in the file, its line end included
    for (QByteArray& lijn : lijnen) {
        einden << (einden.isEmpty() ? 0 : einden.last()) + lijn.size() + 1;
        if (lijn.endsWith('\r')) lijn.chop(1);
    }
    if (lijnen.isEmpty()) return l;
    if (lijnen.first() != kopRegel) {
        l.beschadigd = true;
        l.fout = QStringLiteral("de eerste regel is niet de kop van een verloop");
        return l;
    }
    l.gelezenTot = einden.first();
    bool spelGezien = false;
    for (int i = 1; i < lijnen.size(); ++i) {
        Laatste poging = l;
        if (pasToe(lijnen[i], poging, spelGezien)) {
            l = poging;
            l.gelezenTot = einden[i];
            continue;
        }
        // The last line may be half written when the power went; any other is damage.
        if (i == lijnen.size() - 1) break;
        l.beschadigd = true;
        l.fout = QStringLiteral("regel %1 kan niet worden gelezen").arg(i + 1);
        return l;
    }
    return l;
}

std::optional<Verloop::Laatste> Verloop::laatsteSpel(const QString& instellingenMap)
{
    const QDir map(QDir(instellingenMap).filePath(mapNaam));
    const QRegularExpression patroon(dagPatroon);
    QStringList namen = map.entryList(QDir::Files, QDir::Name);
    namen.erase(
        std::remove_if(namen.begin(), namen.end(), [&](const QString& n) { return !patroon.match(n).hasMatch(); }),
        namen.end());
    if (namen.isEmpty()) return std::nullopt;
    const QString bestand = map.filePath(namen.last());
    QString fout;
    const auto inhoud = VeiligBestand::lees(bestand, grootsteBestand, &fout);
    Laatste l;
    if (inhoud) {
        l = leesInhoud(*inhoud);
    } else {
        l.beschadigd = true;
        l.fout = fout;
    }
    l.bestand = bestand;
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
    auto laatste = laatsteSpel(m_map);
    if (!laatste || !laatste->beschadigd) return laatste;
    meldBeschadigd(laatste->bestand, laatste->fout, zetApart(laatste->bestand));
    return std::nullopt;
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
}

void Verloop::geefOp(const Laatste& laatste)
{
    voegToe(laatste.bestand, regel(m_klok(), laatste.stand, Spel::Gebeurtenis::Opgegeven, 0));
}

void Verloop::schrijfGebeurtenis(Spel::Gebeurtenis gebeurtenis, int bal)
{
    if (!m_spel || !m_spel->heeftSpel()) return;
    QDateTime tijd = m_klok();
    if (gebeurtenis == Spel::Gebeurtenis::NieuwSpel) m_bestand = dagBestand(m_map, tijd.date());
    if (gebeurtenis == Spel::Gebeurtenis::Getrokken && !m_spel->ballen().isEmpty()) tijd = m_spel->ballen().last().tijd;
    if (m_bestand.isEmpty()) return;
    voegToe(m_bestand, regel(tijd, m_spel->stand(), gebeurtenis, bal));
}

// Before the first line of this session goes into a file, the file must be a record that a
// line can follow: a new file gets the header, a line cut off at the end is taken away, and a
// damaged file is kept aside so that a new one begins.
bool Verloop::bereidVoor(const QString& bestand, QByteArray& voorloop)
{
    if (m_klaar.contains(bestand)) return true;
    const QFileInfo info(bestand);
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
    if (!VeiligBestand::voegToe(bestand, voorloop + regel, &fout)) {
        // The header must come again with the next line if this one never reached the file.
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
            QStringLiteral("Het verloop van de avond kan niet worden bijgehouden:\n%1\n\nHet spel gaat gewoon door.")
                .arg(tekst));
}
