#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

class QIODevice;

// The one way the program writes a file. A new file is written beside the target under a
// temporary name ("<name>.XXXXXX"), every write and the flush are checked, the data is synced to
// the disk, and only then does it take the target's place in one step. On any failure the old
// file stays exactly as it was and the reason comes back in Dutch.
//
// What stands at the target's name:
// - a regular file: replaced; its permissions are kept. A file the user may not write is
//   refused, as any program would.
// - a symbolic link: the link itself is replaced by the new file; the file it points to is never
//   opened for writing. The link may point anywhere (another user's document, a device when run
//   as root, a file in a shared folder); writing through it would change a file that is not
//   ours. Refusing instead would leave the organiser with settings that can never be saved.
// - anything else (a folder, a FIFO, a device, a socket): refused, nothing is opened.
// A new file gets the user's default permissions (0666 less the umask).
namespace VeiligBestand
{

// Replaces `pad` in one step with `inhoud`: writes a temp file beside it, checks every write and
// the flush, fsyncs, renames. On any failure the old file is untouched; false with a Dutch reason
// in *fout. Refuses a target that exists but is not a regular file.
bool schrijf(const QString& pad, const QByteArray& inhoud, QString* fout = nullptr);

// Streaming form for large outputs (PDF): open(), write to apparaat(), voltooi() or it is
// discarded (also when the Schrijver is destroyed without voltooi()).
class Schrijver
{
public:
    explicit Schrijver(const QString& pad);
    ~Schrijver();
    Schrijver(const Schrijver&) = delete;
    Schrijver& operator=(const Schrijver&) = delete;

    bool open(QString* fout = nullptr);
    // Valid between open() and voltooi(). A failed write makes every later write fail too.
    QIODevice* apparaat();
    // The temporary file being written, between open() and voltooi(). The writer holds it
    // locked, so that ruimOp() never takes it for one left behind by a kill.
    QString tijdelijkPad() const;
    bool voltooi(QString* fout = nullptr);
    // Throws the temporary file away; the target stays as it was.
    void breekAf();

    class Apparaat;

private:
    QString m_pad;
    std::unique_ptr<Apparaat> m_apparaat;
};

// Appends bytes (one record line) to `pad`, creating it if missing; flush + fsync before
// returning. A failed append is taken back, so the file never ends in half a line. A symbolic
// link or anything but a regular file is refused.
bool voegToe(const QString& pad, const QByteArray& regel, QString* fout = nullptr);

// Overwrites an existing regular file in place with bytes of exactly its length, and syncs it.
// No new space on the disk is needed, so this works on a full disk: the record keeps a mark
// this way. Refuses a file of another length, a symbolic link, anything but a regular file.
bool overschrijf(const QString& pad, const QByteArray& inhoud, QString* fout = nullptr);

// Reads a regular file without blocking (no FIFOs/devices), at most `maximum` bytes; nullopt +
// reason. Symbolic links are followed: reading cannot harm what they point to.
std::optional<QByteArray> lees(const QString& pad, qint64 maximum, QString* fout = nullptr);
// The same for a part of a file of any size: its first `aantal` bytes, or its last.
std::optional<QByteArray> leesBegin(const QString& pad, qint64 aantal, QString* fout = nullptr);
std::optional<QByteArray> leesEinde(const QString& pad, qint64 aantal, QString* fout = nullptr);

// The identity of the file at `pad` (its device and inode; on Windows its volume and file
// index); empty when there is none or the system gives none. A file keeps its identity when it is renamed.
QString identiteit(const QString& pad);
// Whether two paths name one file, existing or not: by their canonical paths (links followed)
// and, for files that exist, by their identity (hard links).
bool zelfdeBestand(const QString& a, const QString& b);

// An exclusive lock on a file, held until let go, and let go by the operating system when the
// holder ends in whatever way: a crash or a kill never leaves a lock behind. The file is made
// empty by this routine when missing and is never written; holding it changes nothing on disk.
class Slot
{
public:
    enum class Uitkomst { Genomen, Bezet, Mislukt };
    explicit Slot(QString pad);
    ~Slot();
    Slot(const Slot&) = delete;
    Slot& operator=(const Slot&) = delete;

    Uitkomst neem(QString* fout = nullptr);
    // Lets go; with verwijder the file goes too (only while it was held).
    void laatLos(bool verwijder = false);
    bool isGenomen() const;
    QString pad() const { return m_pad; }
    // Whether nobody holds the lock on `pad` now; a missing file is free too.
    static bool isVrij(const QString& pad);

private:
    QString m_pad;
    qintptr m_greep = -1;
};

// True when `pad` names a regular file (following links).
bool isGewoonBestand(const QString& pad);

// True when a write to `pad` would be refused because the file is there but may not be written.
bool isAlleenLezen(const QString& pad);

// Removes temporary files that a write to `pad` left behind when the program was killed in the
// middle of it: regular files named "<name>.XXXXXX" beside `pad` whose six characters hold a digit
// or a capital (as every temporary name does), so a "<name>.backup" of the user's is left alone.
// A temporary file that a writer still holds (another copy writing the same file) stays.
// Returns how many were removed.
int ruimOp(const QString& pad);

// The Dutch reason for a system error number while working on `pad`.
QString reden(int foutNummer, const QString& pad);

// What puts a file's bytes on the disk: fsync (_commit on Windows), called for the temporary file
// before it takes the target's place, for the folder after that, for each appended line and for a
// file overwritten in place.
// Empty means the system's own call; a test puts its own in to see what is synced when, or to
// make a sync fail (-1 with errno set).
std::function<int(int fd)>& syncHaak();

} // namespace VeiligBestand
