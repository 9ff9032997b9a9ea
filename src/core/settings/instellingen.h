#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

struct Algemeen;
namespace VeiligBestand
{
class Slot;
}

// Zorvak.ini: seven lines of comma-separated values, texts in double quotes, CRLF,
// Windows-1252. Read once at start-up, written at a confirmed exit.
namespace Instellingen
{

inline constexpr const char* bestandsNaam = "Zorvak.ini";
// The lock of a settings folder that a running program holds.
inline constexpr const char* slotNaam = "Zorvak.slot";
inline constexpr const char* kopTekst = "Quenderbrook Software 2011";
inline constexpr const char* streepjes = "--------------------------";

// The file's bytes for the current values.
QByteArray maakInhoud(const Algemeen& alg);

// Reads the fields of a file's bytes into the record, in file order. Returns false at the
// first field that is missing or does not fit; the fields read before it keep their values.
// Also false when a ball picture number names no picture (outside 1..8).
bool leesInhoud(const QByteArray& inhoud, Algemeen& alg);

// A text as the file keeps it: one line, so line breaks become blanks.
QString veiligeTekst(const QString& tekst);

// The default background: the program folder, then Backgrounds/Background-01.jpg.
QString standaardAchtergrond(const QString& programmaMap);

// Whether the settings file can be kept in this folder: it exists and a file can be made in
// it. Replaceable, since a test running as root can write anywhere; an empty function puts
// the real check back.
bool kanSchrijvenIn(const QString& map);
void zetSchrijfProef(std::function<bool(const QString&)> proef);

} // namespace Instellingen

// Where Zorvak.ini lives. Normally in the program's own folder; when that folder cannot be
// written (an installed program), in the user's configuration folder. A file in the program
// folder is then still read as the starting point until the user's own copy exists.
class InstellingenBestand
{
public:
    // reserveMap: the user's configuration folder; empty means the system's standard one.
    explicit InstellingenBestand(const QString& programmaMap, const QString& reserveMap = {});

    QString programmaMap() const { return m_programmaMap; }
    QString pad() const { return m_pad; }
    // The folder where Zorvak.ini is kept; the program's other settings files go beside it.
    QString instellingenMap() const;
    bool inReserveMap() const { return m_reserve; }

    // Start-up: start values, read the file, and when reading fails fall back to the default
    // background and write the file anew from what was read so far, with that background.
    // Returns true when the file was read without fault.
    bool laadBijStart(Algemeen& alg) const;

    // Replaces the file in one step; a failed write leaves the old file as it was.
    bool schrijf(const Algemeen& alg, QString* fout = nullptr) const;

    // One copy of the program per settings folder: a second one would write the same record.
    // The folder's lock (Instellingen::slotNaam) is taken into `slot` and held while the program runs;
    // the system lets go of it when the program ends in any way. False, with a Dutch message,
    // when another copy holds it, and as well when it cannot be taken at all (a folder in its
    // place, a folder that cannot be written): unguarded, two copies could write one record.
    QString slotPad() const;
    bool neemSlot(VeiligBestand::Slot& slot, QString* melding) const;

private:
    QString m_programmaMap;
    QString m_pad;
    QString m_leesPad;
    bool m_reserve = false;
};
