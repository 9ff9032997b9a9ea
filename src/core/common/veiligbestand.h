#pragma once

#include <QByteArray>
#include <QString>

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

// Reads a regular file without blocking (no FIFOs/devices), at most `maximum` bytes; nullopt +
// reason. Symbolic links are followed: reading cannot harm what they point to.
std::optional<QByteArray> lees(const QString& pad, qint64 maximum, QString* fout = nullptr);

// True when `pad` names a regular file (following links).
bool isGewoonBestand(const QString& pad);

// True when a write to `pad` would be refused because the file is there but may not be written.
bool isAlleenLezen(const QString& pad);

// Removes temporary files that a write to `pad` left behind when the program was killed in the
// middle of it: regular files named "<name>.XXXXXX" beside `pad` whose six characters hold a digit
// or a capital (as every temporary name does), so a "<name>.backup" of the user's is left alone.
// Returns how many were removed.
int ruimOp(const QString& pad);

// The Dutch reason for a system error number while working on `pad`.
QString reden(int foutNummer, const QString& pad);

} // namespace VeiligBestand
