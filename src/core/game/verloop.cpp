// The live record: a line for every change of the game as it happens, the lines a failed write
// left out caught up with the next, and the mark of a record left incomplete. Reading a record
// back is in verloop_lezen.cpp.
#include "core/game/verloop.h"

#include "core/common/veiligbestand.h"
#include "core/game/trommel.h"
#include "core/game/verloop_intern.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace
{
using VerloopIntern::naam;

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
        const auto inhoud = leesBestand(bestand, &fout);
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
