#include "core/settings/instellingen.h"

#include "core/common/veiligbestand.h"
#include "core/settings/algemeen.h"
#include "core/settings/cp1252.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

#include <cmath>

namespace
{

// No real settings file comes near this; anything larger is not ours.
constexpr qint64 maxGrootte = 1 << 20;

QByteArray tekstVeld(const QString& tekst)
{
    // The format has no escape for a double quote; it is written twice, which this reader
    // reads back as one and which never shifts the fields after it.
    QByteArray bytes = Cp1252::naarBytes(Instellingen::veiligeTekst(tekst));
    bytes.replace("\"", "\"\"");
    return '"' + bytes + '"';
}

QByteArray getalVeld(double waarde)
{
    if (waarde == std::floor(waarde) && std::fabs(waarde) < 1e15)
        return QByteArray::number(static_cast<qint64>(waarde));
    return QByteArray::number(waarde, 'g', 15);
}

// Reads fields the way a sequential-file "input" statement does: blanks before a field are
// skipped, a comma or a line end ends it, a quoted field runs to its closing quote.
class VeldLezer
{
public:
    explicit VeldLezer(const QByteArray& inhoud) : m_data(inhoud) {}

    bool volgende(QByteArray& veld)
    {
        while (m_pos < m_data.size() && (m_data[m_pos] == ' ' || m_data[m_pos] == '\t'))
            ++m_pos;
        if (m_pos >= m_data.size()) return false;
        veld.clear();
        if (m_data[m_pos] == '"') {
            // A doubled quote inside the text stands for one double quote.
            qsizetype begin = m_pos + 1;
            for (;;) {
                const qsizetype eind = m_data.indexOf('"', begin);
                if (eind < 0) return false;
                veld += m_data.mid(begin, eind - begin);
                if (eind + 1 < m_data.size() && m_data[eind + 1] == '"') {
                    veld += '"';
                    begin = eind + 2;
                    continue;
                }
                m_pos = eind + 1;
                break;
            }
            // Whatever stands between the closing quote and the next separator is passed over.
            while (m_pos < m_data.size() && !isScheiding(m_data[m_pos]))
                ++m_pos;
        } else {
            const qsizetype begin = m_pos;
            while (m_pos < m_data.size() && !isScheiding(m_data[m_pos]))
                ++m_pos;
            veld = m_data.mid(begin, m_pos - begin).trimmed();
        }
        slaScheidingOver();
        return true;
    }

private:
    static bool isScheiding(char c) { return c == ',' || c == '\r' || c == '\n'; }

    void slaScheidingOver()
    {
        if (m_pos >= m_data.size()) return;
        if (m_data[m_pos] == '\r') {
            ++m_pos;
            if (m_pos < m_data.size() && m_data[m_pos] == '\n') ++m_pos;
        } else {
            ++m_pos;
        }
    }

    const QByteArray& m_data;
    qsizetype m_pos = 0;
};

// A number as the file writes it: sign, digits, optional fraction and exponent. An empty
// field counts as 0, as it always has.
bool leesGetal(const QByteArray& veld, double& waarde)
{
    if (veld.isEmpty()) {
        waarde = 0;
        return true;
    }
    qsizetype i = 0;
    const qsizetype n = veld.size();
    auto cijfers = [&] {
        const qsizetype begin = i;
        while (i < n && veld[i] >= '0' && veld[i] <= '9')
            ++i;
        return i - begin;
    };
    if (veld[i] == '+' || veld[i] == '-') ++i;
    qsizetype aantal = cijfers();
    if (i < n && veld[i] == '.') {
        ++i;
        aantal += cijfers();
    }
    if (aantal == 0) return false;
    if (i < n && (veld[i] == 'e' || veld[i] == 'E')) {
        ++i;
        if (i < n && (veld[i] == '+' || veld[i] == '-')) ++i;
        if (cijfers() == 0) return false;
    }
    if (i != n) return false;
    bool ok = false;
    waarde = veld.toDouble(&ok);
    return ok && std::isfinite(waarde);
}

bool leesByte(VeldLezer& lezer, std::uint8_t& doel)
{
    QByteArray veld;
    double waarde = 0;
    if (!lezer.volgende(veld) || !leesGetal(veld, waarde)) return false;
    const double r = std::nearbyint(waarde);
    if (r < 0 || r > 255) return false;
    doel = static_cast<std::uint8_t>(r);
    return true;
}

bool leesDouble(VeldLezer& lezer, double& doel)
{
    QByteArray veld;
    double waarde = 0;
    if (!lezer.volgende(veld) || !leesGetal(veld, waarde)) return false;
    doel = waarde;
    return true;
}

bool leesTekst(VeldLezer& lezer, QString& doel)
{
    QByteArray veld;
    if (!lezer.volgende(veld)) return false;
    doel = Cp1252::naarTekst(veld);
    return true;
}

bool isBalPlaatje(int index)
{
    return index >= 1 && index <= 8;
}

std::function<bool(const QString&)>& schrijfProef()
{
    static std::function<bool(const QString&)> proef;
    return proef;
}

} // namespace

QString Instellingen::veiligeTekst(const QString& tekst)
{
    QString veilig = tekst;
    veilig.replace(QLatin1Char('\r'), QLatin1Char(' '));
    veilig.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return veilig;
}

bool Instellingen::kanSchrijvenIn(const QString& map)
{
    if (schrijfProef()) return schrijfProef()(map);
    if (!QFileInfo(map).isDir()) return false;
    QTemporaryFile proef(QDir(map).filePath(QStringLiteral(".zorvak-XXXXXX")));
    return proef.open();
}

void Instellingen::zetSchrijfProef(std::function<bool(const QString&)> proef)
{
    schrijfProef() = std::move(proef);
}

QString Instellingen::standaardAchtergrond(const QString& programmaMap)
{
    return QDir::toNativeSeparators(programmaMap + QStringLiteral("/Backgrounds/Background-01.jpg"));
}

QByteArray Instellingen::maakInhoud(const Algemeen& a)
{
    const QByteArray eol = "\r\n";
    QByteArray uit;
    uit += '"' + QByteArray(kopTekst) + '"' + eol;
    uit += '"' + QByteArray(streepjes) + '"' + eol;
    uit += getalVeld(a.KnipperSnelheid) + ',' + getalVeld(a.KnipperAantal) + ',' + getalVeld(a.AantalBallen) + eol;
    uit += tekstVeld(a.AchtergrondBestand) + eol;
    uit += tekstVeld(a.KaartTekst) + eol;
    uit += getalVeld(a.BalKleur) + ',' + getalVeld(a.KnipperKleur) + eol;
    uit += getalVeld(a.GetalKleurR) + ',' + getalVeld(a.GetalKleurG) + ',' + getalVeld(a.GetalKleurB) + eol;
    return uit;
}

bool Instellingen::leesInhoud(const QByteArray& inhoud, Algemeen& a)
{
    VeldLezer lezer(inhoud);
    QString kop;
    const bool gelezen =
        leesTekst(lezer, kop) && leesTekst(lezer, kop) && leesByte(lezer, a.KnipperSnelheid) &&
        leesByte(lezer, a.KnipperAantal) && leesByte(lezer, a.AantalBallen) && leesTekst(lezer, a.AchtergrondBestand) &&
        leesTekst(lezer, a.KaartTekst) && leesDouble(lezer, a.BalKleur) && leesByte(lezer, a.KnipperKleur) &&
        leesDouble(lezer, a.GetalKleurR) && leesDouble(lezer, a.GetalKleurG) && leesByte(lezer, a.GetalKleurB);
    return gelezen && isBalPlaatje(a.balKleurIndex()) && isBalPlaatje(a.KnipperKleur);
}

InstellingenBestand::InstellingenBestand(const QString& programmaMap, const QString& reserveMap)
    : m_programmaMap(programmaMap)
{
    const QString eigen = QDir(programmaMap).filePath(QString::fromLatin1(Instellingen::bestandsNaam));
    m_pad = m_leesPad = eigen;
    // A read-only Zorvak.ini says the same as a read-only folder: the user's copy goes elsewhere.
    if (Instellingen::kanSchrijvenIn(programmaMap) && !VeiligBestand::isAlleenLezen(eigen)) return;
    const QString map =
        reserveMap.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) : reserveMap;
    m_reserve = true;
    m_pad = QDir(map).filePath(QString::fromLatin1(Instellingen::bestandsNaam));
    // Until the user has a copy of their own, a file shipped in the program folder is the start.
    m_leesPad = QFileInfo::exists(m_pad) || !QFileInfo::exists(eigen) ? m_pad : eigen;
}

QString InstellingenBestand::instellingenMap() const
{
    return QFileInfo(m_pad).absolutePath();
}

bool InstellingenBestand::laadBijStart(Algemeen& alg) const
{
    alg.zetStartwaarden();
    // What a write cut short by a kill left behind.
    VeiligBestand::ruimOp(m_pad);
    // Only a regular file is read: a FIFO or a device in its place would block or never end.
    const std::optional<QByteArray> inhoud = VeiligBestand::lees(m_leesPad, maxGrootte);
    const bool gelezen = inhoud && Instellingen::leesInhoud(*inhoud, alg);
    // A background whose path the code page could not hold in full (a program folder under
    // "/home/łukasz") is found again from what the file kept of it.
    alg.AchtergrondBestand = Cp1252::zoekPad(alg.AchtergrondBestand);
    if (gelezen) return true;

    // A damaged file is kept beside the new one, so nothing the organiser had is lost. An
    // earlier copy only gives way once the new copy exists: what cannot be copied (a folder in
    // the way, a file that cannot be read) leaves it as it was.
    if (m_leesPad == m_pad && VeiligBestand::isGewoonBestand(m_pad)) {
        const std::optional<QByteArray> oud = inhoud ? inhoud : VeiligBestand::lees(m_pad, 64 * maxGrootte);
        if (oud) VeiligBestand::schrijf(m_pad + QStringLiteral(".bak"), *oud);
    }
    // The fresh file holds the background the program shows, so a first evening that ends
    // without Exit (a crash, a kill) does not lose it.
    alg.AchtergrondBestand = Instellingen::standaardAchtergrond(m_programmaMap);
    schrijf(alg);
    return false;
}

bool InstellingenBestand::schrijf(const Algemeen& alg, QString* fout) const
{
    QDir().mkpath(QFileInfo(m_pad).absolutePath());
    return VeiligBestand::schrijf(m_pad, Instellingen::maakInhoud(alg), fout);
}

QString InstellingenBestand::slotPad() const
{
    return QDir(instellingenMap()).filePath(QString::fromLatin1(Instellingen::slotNaam));
}

bool InstellingenBestand::neemSlot(VeiligBestand::Slot& slot, QString* melding) const
{
    QDir().mkpath(instellingenMap());
    QString reden;
    const VeiligBestand::Slot::Uitkomst uitkomst = slot.neem(&reden);
    if (uitkomst == VeiligBestand::Slot::Uitkomst::Genomen) return true;
    if (!melding) return false;
    const QString map = QDir::toNativeSeparators(instellingenMap());
    if (uitkomst == VeiligBestand::Slot::Uitkomst::Bezet) {
        *melding = QStringLiteral("Zorvak is al gestart met de instellingen in %1. Met dezelfde instellingen kan maar "
                                  "één Zorvak tegelijk werken, anders lopen de spellen in het verloop door elkaar. "
                                  "Gebruik het Zorvak dat al open is.")
                       .arg(map);
        return false;
    }
    if (QFileInfo(slot.pad()).isDir())
        reden = QStringLiteral("Op de plaats van het slot staat een map met de naam %1. Haal die map weg.")
                    .arg(QString::fromLatin1(Instellingen::slotNaam));
    *melding =
        QStringLiteral("Zorvak start niet: het slot \"%1\", dat ervoor zorgt dat maar één Zorvak tegelijk met de "
                       "instellingen in %2 werkt, kan niet worden genomen.\n%3\nZonder slot kunnen twee keer "
                       "Zorvak de spellen in hetzelfde verloop door elkaar schrijven.")
            .arg(QDir::toNativeSeparators(slot.pad()), map, reden);
    return false;
}
