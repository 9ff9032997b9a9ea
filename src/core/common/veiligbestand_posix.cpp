// The safe file routines on POSIX systems: file descriptors, fsync, rename and flock.

#include "core/common/veiligbestand.h"

#include <QtGlobal>

#ifdef Q_OS_UNIX

#include "core/common/veiligbestand_plat.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace VeiligBestand
{

namespace
{
QByteArray plat(const QString& pad)
{
    return QFile::encodeName(pad);
}
} // namespace

namespace Plat
{

int synchroniseer(int fd)
{
    if (const auto& haak = syncHaak()) return haak(fd);
    return ::fsync(fd);
}

bool bekijk(const QString& pad, Doel& doel, QString* fout)
{
    doel = {};
    struct stat st = {};
    if (::lstat(plat(pad).constData(), &st) != 0) {
        if (errno == ENOENT) return true;
        return mislukt(fout, reden(errno, pad));
    }
    doel.bestaat = true;
    if (S_ISLNK(st.st_mode)) {
        doel.koppeling = true;
        return true;
    }
    if (S_ISDIR(st.st_mode)) return mislukt(fout, reden(EISDIR, pad));
    if (!S_ISREG(st.st_mode)) return mislukt(fout, geenGewoonBestand(pad));
    // A file without any write permission was made read-only on purpose, also when root could
    // write it anyway.
    const bool magSchrijven = ::access(plat(pad).constData(), W_OK) == 0;
    if (!magSchrijven || (st.st_mode & 0222) == 0)
        return mislukt(fout, reden(!magSchrijven && errno == EROFS ? EROFS : EACCES, pad));
    doel.modus = static_cast<int>(st.st_mode & 07777);
    doel.eigenaar = static_cast<long>(st.st_uid);
    doel.groep = static_cast<long>(st.st_gid);
    return true;
}

int maakTijdelijk(const QString& pad, QString& tijdelijk, QString* fout)
{
    for (int poging = 0; poging < 100; ++poging) {
        tijdelijk = pad + QLatin1Char('.') + achtervoegsel();
        const int fd = ::open(plat(tijdelijk).constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd >= 0) {
            // Held while it is written: the clean-up of another copy leaves it alone.
            (void)::flock(fd, LOCK_EX | LOCK_NB);
            return fd;
        }
        if (errno == EINTR || errno == EEXIST) continue;
        const int nummer = errno;
        if (nummer == EACCES || nummer == EPERM)
            mislukt(fout, QStringLiteral("Geen toestemming om in de map \"%1\" te schrijven.")
                              .arg(toon(QFileInfo(pad).absolutePath())));
        else
            mislukt(fout, reden(nummer, pad));
        return -1;
    }
    mislukt(fout, reden(EEXIST, pad));
    return -1;
}

int schrijfAlles(int fd, const char* data, qint64 lengte)
{
    while (lengte > 0) {
        const ssize_t n = ::write(fd, data, static_cast<size_t>(qMin<qint64>(lengte, 1 << 30)));
        if (n < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        if (n == 0) return EIO;
        data += n;
        lengte -= n;
    }
    return 0;
}

void gooiWeg(int fd, const QString& tijdelijk)
{
    if (fd >= 0) ::close(fd);
    ::unlink(plat(tijdelijk).constData());
}

bool zetOpZijnPlaats(int fd, const QString& tijdelijk, const QString& pad, const Doel& doel, QString* fout)
{
    if (doel.modus >= 0) {
        // Only root may give a file to someone else; for anyone else the owner is already right.
        if (::geteuid() == 0) (void)!::fchown(fd, static_cast<uid_t>(doel.eigenaar), static_cast<gid_t>(doel.groep));
        (void)!::fchmod(fd, static_cast<mode_t>(doel.modus));
    }
    if (synchroniseer(fd) != 0) {
        const int nummer = errno;
        gooiWeg(fd, tijdelijk);
        return mislukt(fout, reden(nummer, pad));
    }
    if (::close(fd) != 0) {
        const int nummer = errno;
        gooiWeg(-1, tijdelijk);
        return mislukt(fout, reden(nummer, pad));
    }
    if (::rename(plat(tijdelijk).constData(), plat(pad).constData()) != 0) {
        const int nummer = errno;
        gooiWeg(-1, tijdelijk);
        return mislukt(fout, reden(nummer, pad));
    }
    // The new name itself must survive a power cut too.
    const int map = ::open(plat(QFileInfo(pad).absolutePath()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (map >= 0) {
        synchroniseer(map);
        ::close(map);
    }
    return true;
}

std::optional<QByteArray> leesDeel(const QString& pad, qint64 maximum, Deel deel, QString* fout)
{
    // Looked at before it is opened: opening a device can already do something.
    struct stat st = {};
    if (::stat(plat(pad).constData(), &st) != 0) {
        mislukt(fout, redenBijLezen(errno, pad));
        return std::nullopt;
    }
    if (!S_ISREG(st.st_mode)) {
        mislukt(fout, S_ISDIR(st.st_mode) ? reden(EISDIR, pad) : geenGewoonBestand(pad));
        return std::nullopt;
    }
    if (deel == Deel::Heel && st.st_size > maximum) return teGroot(pad, fout);
    const int fd = ::open(plat(pad).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        mislukt(fout, redenBijLezen(errno, pad));
        return std::nullopt;
    }
    // Something else may have taken the name in between.
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        mislukt(fout, geenGewoonBestand(pad));
        return std::nullopt;
    }
    if (deel == Deel::Einde && st.st_size > maximum && ::lseek(fd, st.st_size - maximum, SEEK_SET) < 0) {
        const int nummer = errno;
        ::close(fd);
        mislukt(fout, redenBijLezen(nummer, pad));
        return std::nullopt;
    }
    // A whole file may have grown since it was looked at; one byte more than allowed tells.
    const qint64 grens = deel == Deel::Heel ? maximum + 1 : maximum;
    QByteArray inhoud;
    inhoud.resize(static_cast<qsizetype>(qMin<qint64>(grens, qMax<qint64>(st.st_size + 1, 4096))));
    qint64 gelezen = 0;
    for (;;) {
        if (gelezen == inhoud.size()) {
            if (gelezen >= grens) break;
            inhoud.resize(static_cast<qsizetype>(qMin<qint64>(grens, inhoud.size() * 2)));
        }
        const ssize_t n = ::read(fd, inhoud.data() + gelezen, static_cast<size_t>(inhoud.size() - gelezen));
        if (n < 0) {
            if (errno == EINTR) continue;
            const int nummer = errno;
            ::close(fd);
            mislukt(fout, redenBijLezen(nummer, pad));
            return std::nullopt;
        }
        if (n == 0) break;
        gelezen += n;
    }
    ::close(fd);
    if (deel == Deel::Heel && gelezen > maximum) return teGroot(pad, fout);
    inhoud.truncate(static_cast<qsizetype>(gelezen));
    return inhoud;
}

bool ruimWeg(const QString& tijdelijk)
{
    struct stat st = {};
    if (::lstat(plat(tijdelijk).constData(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::geteuid())
        return false;
    // A writer that still holds its file is alive; removed only while held here.
    const int fd = ::open(plat(tijdelijk).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool weg = ::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::unlink(plat(tijdelijk).constData()) == 0;
    ::close(fd);
    return weg;
}

} // namespace Plat

using namespace Plat;

bool voegToe(const QString& pad, const QByteArray& regel, QString* fout)
{
    struct stat st = {};
    if (::lstat(plat(pad).constData(), &st) == 0) {
        if (S_ISLNK(st.st_mode)) return mislukt(fout, reden(ELOOP, pad));
        if (S_ISDIR(st.st_mode)) return mislukt(fout, reden(EISDIR, pad));
        if (!S_ISREG(st.st_mode)) return mislukt(fout, geenGewoonBestand(pad));
    } else if (errno != ENOENT) {
        return mislukt(fout, reden(errno, pad));
    }
    const int fd = ::open(plat(pad).constData(),
                          O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
    if (fd < 0) return mislukt(fout, reden(errno, pad));
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return mislukt(fout, geenGewoonBestand(pad));
    }
    int nummer = schrijfAlles(fd, regel.constData(), regel.size());
    if (nummer == 0 && synchroniseer(fd) != 0) nummer = errno;
    if (nummer != 0) {
        // Half a line would spoil the next one; what was there before stays.
        if (::ftruncate(fd, st.st_size) == 0) synchroniseer(fd);
    }
    if (::close(fd) != 0 && nummer == 0) nummer = errno;
    return nummer == 0 || mislukt(fout, reden(nummer, pad));
}

bool overschrijf(const QString& pad, const QByteArray& inhoud, QString* fout)
{
    const int fd = ::open(plat(pad).constData(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return mislukt(fout, reden(errno, pad));
    struct stat st = {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size != inhoud.size()) {
        ::close(fd);
        return mislukt(fout, geenGewoonBestand(pad));
    }
    int nummer = 0;
    for (qint64 klaar = 0; nummer == 0 && klaar < inhoud.size();) {
        const ssize_t n = ::pwrite(fd, inhoud.constData() + klaar, static_cast<size_t>(inhoud.size() - klaar), klaar);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0)
            nummer = n < 0 ? errno : EIO;
        else
            klaar += n;
    }
    if (nummer == 0 && synchroniseer(fd) != 0) nummer = errno;
    if (::close(fd) != 0 && nummer == 0) nummer = errno;
    return nummer == 0 || mislukt(fout, reden(nummer, pad));
}

QString identiteit(const QString& pad)
{
    struct stat st = {};
    if (pad.isEmpty() || ::stat(plat(pad).constData(), &st) != 0) return {};
    return QStringLiteral("%1:%2").arg(quint64(st.st_dev)).arg(quint64(st.st_ino));
}

namespace
{
// Opens the lock's file for reading; -1 when it cannot be.
int openSlot(const QString& pad)
{
    const int fd = ::open(plat(pad).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return -1;
    struct stat st = {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        errno = ENXIO;
        return -1;
    }
    return fd;
}
} // namespace

Slot::Uitkomst Slot::neem(QString* fout)
{
    if (isGenomen()) return Uitkomst::Genomen;
    // Whoever removes a free lock's file does so while holding it; a lock taken on a file that
    // was removed meanwhile holds nothing, so it is taken again on the file that is there now.
    for (int poging = 0; poging < 5; ++poging) {
        struct stat st = {};
        if (::lstat(plat(m_pad).constData(), &st) != 0 && errno == ENOENT && !schrijf(m_pad, {}, fout))
            return Uitkomst::Mislukt;
        const int fd = openSlot(m_pad);
        if (fd < 0) {
            if (errno == ENOENT) continue;
            mislukt(fout, errno == ENXIO ? geenGewoonBestand(m_pad) : redenBijLezen(errno, m_pad));
            return Uitkomst::Mislukt;
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const int nummer = errno;
            ::close(fd);
            if (nummer == EWOULDBLOCK) return Uitkomst::Bezet;
            mislukt(fout, reden(nummer, m_pad));
            return Uitkomst::Mislukt;
        }
        struct stat open = {};
        if (::fstat(fd, &open) == 0 && ::stat(plat(m_pad).constData(), &st) == 0 && open.st_dev == st.st_dev &&
            open.st_ino == st.st_ino) {
            m_greep = fd;
            return Uitkomst::Genomen;
        }
        ::close(fd);
    }
    mislukt(fout, reden(EBUSY, m_pad));
    return Uitkomst::Mislukt;
}

void Slot::laatLos(bool verwijder)
{
    if (!isGenomen()) return;
    // Removed while still held, so no one else can have taken it in between.
    if (verwijder) ::unlink(plat(m_pad).constData());
    ::close(static_cast<int>(m_greep));
    m_greep = -1;
}

bool Slot::isVrij(const QString& pad)
{
    const int fd = openSlot(pad);
    if (fd < 0) return errno == ENOENT;
    const bool vrij = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    ::close(fd);
    return vrij;
}

bool isGewoonBestand(const QString& pad)
{
    struct stat st = {};
    return !pad.isEmpty() && ::stat(plat(pad).constData(), &st) == 0 && S_ISREG(st.st_mode);
}

bool isAlleenLezen(const QString& pad)
{
    struct stat st = {};
    return ::lstat(plat(pad).constData(), &st) == 0 && S_ISREG(st.st_mode) &&
           (::access(plat(pad).constData(), W_OK) != 0 || (st.st_mode & 0222) == 0);
}

} // namespace VeiligBestand

#endif
