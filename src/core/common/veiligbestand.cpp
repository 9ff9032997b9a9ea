#include "core/common/veiligbestand.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <cerrno>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#else
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>
#endif

namespace VeiligBestand
{

namespace
{

QString toon(const QString& pad)
{
    return QDir::toNativeSeparators(pad);
}

bool mislukt(QString* fout, const QString& reden)
{
    if (fout) *fout = reden;
    return false;
}

int synchroniseer(int fd)
{
    if (const auto& haak = syncHaak()) return haak(fd);
#ifdef Q_OS_UNIX
    return ::fsync(fd);
#else
    return ::_commit(fd);
#endif
}

QString geenGewoonBestand(const QString& pad)
{
    return QStringLiteral("\"%1\" is geen gewoon bestand.").arg(toon(pad));
}

QString redenBijLezen(int nummer, const QString& pad)
{
    switch (nummer) {
    case ENOENT:
    case ENOTDIR:
        return QStringLiteral("Het bestand \"%1\" bestaat niet.").arg(toon(pad));
    case EACCES:
    case EPERM:
        return QStringLiteral("Geen toestemming om \"%1\" te lezen.").arg(toon(pad));
    case EIO:
        return QStringLiteral("De schijf gaf een fout bij het lezen van \"%1\".").arg(toon(pad));
    default:
        return reden(nummer, pad);
    }
}

// Six characters from letters and digits with at least one digit, so that the clean-up at the
// next start always recognises the name as a temporary one.
QString achtervoegsel()
{
    static const char tekens[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    auto* toeval = QRandomGenerator::global();
    QString uit;
    for (int i = 0; i < 6; ++i)
        uit += QLatin1Char(tekens[toeval->bounded(62)]);
    uit[toeval->bounded(6)] = QLatin1Char(static_cast<char>('0' + toeval->bounded(10)));
    return uit;
}

// What stands at the target's name before writing.
struct Doel {
    bool bestaat = false;
    bool koppeling = false;
    int modus = -1; // permissions of an existing regular file
    long eigenaar = -1;
    long groep = -1;
};

#ifdef Q_OS_UNIX

QByteArray plat(const QString& pad)
{
    return QFile::encodeName(pad);
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

// 0 when all bytes went out, otherwise the error number.
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

// Gives the new file the old one's permissions, syncs it, and puts it in the target's place.
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

#else // Windows: the C runtime's descriptors, _commit for the flush to disk.

QString plat(const QString& pad)
{
    return QDir::toNativeSeparators(pad);
}

bool bekijk(const QString& pad, Doel& doel, QString* fout)
{
    doel = {};
    const QFileInfo info(pad);
    if (info.isSymLink()) {
        doel.bestaat = doel.koppeling = true;
        return true;
    }
    if (!info.exists()) return true;
    doel.bestaat = true;
    if (info.isDir()) return mislukt(fout, reden(EISDIR, pad));
    if (!info.isFile()) return mislukt(fout, geenGewoonBestand(pad));
    if (!info.isWritable()) return mislukt(fout, reden(EACCES, pad));
    doel.modus = 1;
    return true;
}

int maakTijdelijk(const QString& pad, QString& tijdelijk, QString* fout)
{
    for (int poging = 0; poging < 100; ++poging) {
        tijdelijk = pad + QLatin1Char('.') + achtervoegsel();
        const int fd = ::_wopen(reinterpret_cast<const wchar_t*>(plat(tijdelijk).utf16()),
                                _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT, _S_IREAD | _S_IWRITE);
        if (fd >= 0) return fd;
        if (errno == EEXIST) continue;
        mislukt(fout, reden(errno, pad));
        return -1;
    }
    mislukt(fout, reden(EEXIST, pad));
    return -1;
}

int schrijfAlles(int fd, const char* data, qint64 lengte)
{
    while (lengte > 0) {
        const int n = ::_write(fd, data, static_cast<unsigned>(qMin<qint64>(lengte, 1 << 30)));
        if (n < 0) return errno;
        if (n == 0) return EIO;
        data += n;
        lengte -= n;
    }
    return 0;
}

void gooiWeg(int fd, const QString& tijdelijk)
{
    if (fd >= 0) ::_close(fd);
    ::_wunlink(reinterpret_cast<const wchar_t*>(plat(tijdelijk).utf16()));
}

int vanWindows(DWORD code)
{
    switch (code) {
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return ENOSPC;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
        return EACCES;
    case ERROR_PATH_NOT_FOUND:
        return ENOENT;
    default:
        return EIO;
    }
}

bool zetOpZijnPlaats(int fd, const QString& tijdelijk, const QString& pad, const Doel&, QString* fout)
{
    if (synchroniseer(fd) != 0) {
        const int nummer = errno;
        gooiWeg(fd, tijdelijk);
        return mislukt(fout, reden(nummer, pad));
    }
    if (::_close(fd) != 0) {
        const int nummer = errno;
        gooiWeg(-1, tijdelijk);
        return mislukt(fout, reden(nummer, pad));
    }
    if (!::MoveFileExW(reinterpret_cast<const wchar_t*>(plat(tijdelijk).utf16()),
                       reinterpret_cast<const wchar_t*>(plat(pad).utf16()),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const int nummer = vanWindows(::GetLastError());
        gooiWeg(-1, tijdelijk);
        return mislukt(fout, reden(nummer, pad));
    }
    return true;
}

#endif

} // namespace

QString reden(int nummer, const QString& pad)
{
    const QString p = toon(pad);
    switch (nummer) {
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return QStringLiteral("De schijf is vol.");
    case EFBIG:
        return QStringLiteral("Het bestand \"%1\" wordt groter dan is toegestaan.").arg(p);
    case EACCES:
    case EPERM:
        return QStringLiteral("Geen toestemming om \"%1\" te schrijven.").arg(p);
    case EROFS:
        return QStringLiteral("\"%1\" staat op een schijf die alleen gelezen kan worden.").arg(p);
    case EIO:
        return QStringLiteral("De schijf gaf een fout bij het schrijven van \"%1\".").arg(p);
    case ENOENT:
    case ENOTDIR:
        return QStringLiteral("De map \"%1\" bestaat niet.").arg(toon(QFileInfo(pad).absolutePath()));
    case EISDIR:
        return QStringLiteral("\"%1\" is een map, geen bestand.").arg(p);
    case ENAMETOOLONG:
        return QStringLiteral("De naam \"%1\" is te lang.").arg(p);
    case ELOOP:
        return QStringLiteral("\"%1\" is een symbolische koppeling; daar wordt niet doorheen geschreven.").arg(p);
    case EMFILE:
    case ENFILE:
        return QStringLiteral("Er zijn te veel bestanden tegelijk open.");
    case EBUSY:
    case ETXTBSY:
        return QStringLiteral("\"%1\" is in gebruik.").arg(p);
    case EEXIST:
        return QStringLiteral("Er kon naast \"%1\" geen tijdelijk bestand worden gemaakt.").arg(p);
    case ENXIO:
    case ENODEV:
        return geenGewoonBestand(pad);
    default:
        return QStringLiteral("Onbekende fout (nummer %1) bij \"%2\".").arg(nummer).arg(p);
    }
}

bool schrijf(const QString& pad, const QByteArray& inhoud, QString* fout)
{
    Schrijver schrijver(pad);
    if (!schrijver.open(fout)) return false;
    schrijver.apparaat()->write(inhoud);
    return schrijver.voltooi(fout);
}

// The temporary file as a device: writes are gathered and go out in large pieces; the first
// failure is remembered and makes every later write fail, so a writer that never looks at what
// write() returned still cannot produce a file that looks complete.
class Schrijver::Apparaat : public QIODevice
{
public:
    Apparaat(int fd, QString tijdelijk, const Doel& doel) : m_fd(fd), m_tijdelijk(std::move(tijdelijk)), m_doel(doel)
    {
        QIODevice::open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    }
    ~Apparaat() override { breekAf(); }

    bool isSequential() const override { return true; }

    bool leeg()
    {
        if (m_fout == 0 && !m_buffer.isEmpty()) m_fout = schrijfAlles(m_fd, m_buffer.constData(), m_buffer.size());
        m_buffer.clear();
        return m_fout == 0;
    }

    bool voltooi(const QString& pad, QString* fout)
    {
        if (m_fd < 0) return mislukt(fout, reden(EBADF, pad));
        QIODevice::close();
        if (!leeg()) {
            const QString uitleg = reden(m_fout, pad);
            breekAf();
            return mislukt(fout, uitleg);
        }
        const int fd = m_fd;
        m_fd = -1;
        return zetOpZijnPlaats(fd, m_tijdelijk, pad, m_doel, fout);
    }

    void breekAf()
    {
        if (m_fd < 0) return;
        gooiWeg(m_fd, m_tijdelijk);
        m_fd = -1;
    }

    QString tijdelijk() const { return m_fd >= 0 ? m_tijdelijk : QString(); }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 lengte) override
    {
        if (m_fout != 0 || m_fd < 0) return -1;
        m_buffer.append(data, lengte);
        if (m_buffer.size() >= (1 << 16) && !leeg()) return -1;
        return lengte;
    }

private:
    int m_fd;
    QString m_tijdelijk;
    Doel m_doel;
    QByteArray m_buffer;
    int m_fout = 0;
};

Schrijver::Schrijver(const QString& pad) : m_pad(pad) {}

Schrijver::~Schrijver() = default;

bool Schrijver::open(QString* fout)
{
    m_apparaat.reset();
    if (m_pad.isEmpty()) return mislukt(fout, QStringLiteral("Er is geen bestandsnaam opgegeven."));
    Doel doel;
    if (!bekijk(m_pad, doel, fout)) return false;
    QString tijdelijk;
    const int fd = maakTijdelijk(m_pad, tijdelijk, fout);
    if (fd < 0) return false;
    m_apparaat = std::make_unique<Apparaat>(fd, tijdelijk, doel);
    return true;
}

QIODevice* Schrijver::apparaat()
{
    return m_apparaat.get();
}

bool Schrijver::voltooi(QString* fout)
{
    if (!m_apparaat) return mislukt(fout, reden(EBADF, m_pad));
    const bool gelukt = m_apparaat->voltooi(m_pad, fout);
    m_apparaat.reset();
    return gelukt;
}

void Schrijver::breekAf()
{
    m_apparaat.reset();
}

QString Schrijver::tijdelijkPad() const
{
    return m_apparaat ? m_apparaat->tijdelijk() : QString();
}

bool voegToe(const QString& pad, const QByteArray& regel, QString* fout)
{
#ifdef Q_OS_UNIX
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
#else
    Doel doel;
    if (!bekijk(pad, doel, fout)) return false;
    if (doel.koppeling) return mislukt(fout, reden(ELOOP, pad));
    const int fd = ::_wopen(reinterpret_cast<const wchar_t*>(plat(pad).utf16()),
                            _O_WRONLY | _O_APPEND | _O_CREAT | _O_BINARY | _O_NOINHERIT, _S_IREAD | _S_IWRITE);
    if (fd < 0) return mislukt(fout, reden(errno, pad));
    const long long begin = ::_filelengthi64(fd);
    int nummer = schrijfAlles(fd, regel.constData(), regel.size());
    if (nummer == 0 && synchroniseer(fd) != 0) nummer = errno;
    if (nummer != 0 && begin >= 0) ::_chsize_s(fd, begin);
    if (::_close(fd) != 0 && nummer == 0) nummer = errno;
    return nummer == 0 || mislukt(fout, reden(nummer, pad));
#endif
}

namespace
{
enum class Deel { Heel, Begin, Einde };

// Reads the whole file (refused when larger than `maximum`), or at most `maximum` bytes from its
// beginning or its end.
std::optional<QByteArray> leesDeel(const QString& pad, qint64 maximum, Deel deel, QString* fout)
{
    const auto teGroot = [&] {
        mislukt(fout, QStringLiteral("Het bestand \"%1\" is te groot.").arg(toon(pad)));
        return std::nullopt;
    };
    if (pad.isEmpty()) {
        mislukt(fout, QStringLiteral("Er is geen bestandsnaam opgegeven."));
        return std::nullopt;
    }
#ifdef Q_OS_UNIX
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
    if (deel == Deel::Heel && st.st_size > maximum) return teGroot();
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
    if (deel == Deel::Heel && gelezen > maximum) return teGroot();
    inhoud.truncate(static_cast<qsizetype>(gelezen));
    return inhoud;
#else
    const QFileInfo info(pad);
    if (!info.exists()) {
        mislukt(fout, redenBijLezen(ENOENT, pad));
        return std::nullopt;
    }
    if (!info.isFile()) {
        mislukt(fout, info.isDir() ? reden(EISDIR, pad) : geenGewoonBestand(pad));
        return std::nullopt;
    }
    if (deel == Deel::Heel && info.size() > maximum) return teGroot();
    QFile bestand(pad);
    if (!bestand.open(QIODevice::ReadOnly)) {
        mislukt(fout, redenBijLezen(EACCES, pad));
        return std::nullopt;
    }
    if (deel == Deel::Einde && bestand.size() > maximum) bestand.seek(bestand.size() - maximum);
    QByteArray inhoud = bestand.read(deel == Deel::Heel ? maximum + 1 : maximum);
    if (bestand.error() != QFileDevice::NoError) {
        mislukt(fout, redenBijLezen(EIO, pad));
        return std::nullopt;
    }
    if (deel == Deel::Heel && inhoud.size() > maximum) return teGroot();
    return inhoud;
#endif
}
} // namespace

std::optional<QByteArray> lees(const QString& pad, qint64 maximum, QString* fout)
{
    return leesDeel(pad, maximum, Deel::Heel, fout);
}

std::optional<QByteArray> leesBegin(const QString& pad, qint64 aantal, QString* fout)
{
    return leesDeel(pad, aantal, Deel::Begin, fout);
}

std::optional<QByteArray> leesEinde(const QString& pad, qint64 aantal, QString* fout)
{
    return leesDeel(pad, aantal, Deel::Einde, fout);
}

bool overschrijf(const QString& pad, const QByteArray& inhoud, QString* fout)
{
#ifdef Q_OS_UNIX
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
#else
    Doel doel;
    if (!bekijk(pad, doel, fout)) return false;
    if (doel.koppeling || !doel.bestaat) return mislukt(fout, geenGewoonBestand(pad));
    const int fd = ::_wopen(reinterpret_cast<const wchar_t*>(plat(pad).utf16()), _O_WRONLY | _O_BINARY | _O_NOINHERIT);
    if (fd < 0) return mislukt(fout, reden(errno, pad));
    if (::_filelengthi64(fd) != inhoud.size()) {
        ::_close(fd);
        return mislukt(fout, geenGewoonBestand(pad));
    }
    int nummer = schrijfAlles(fd, inhoud.constData(), inhoud.size());
    if (nummer == 0 && synchroniseer(fd) != 0) nummer = errno;
    if (::_close(fd) != 0 && nummer == 0) nummer = errno;
    return nummer == 0 || mislukt(fout, reden(nummer, pad));
#endif
}

QString identiteit(const QString& pad)
{
#ifdef Q_OS_UNIX
    struct stat st = {};
    if (pad.isEmpty() || ::stat(plat(pad).constData(), &st) != 0) return {};
    return QStringLiteral("%1:%2").arg(quint64(st.st_dev)).arg(quint64(st.st_ino));
#else
    // The volume's serial number and the file's index: what NTFS keeps through a rename.
    if (pad.isEmpty()) return {};
    const HANDLE greep = ::CreateFileW(reinterpret_cast<const wchar_t*>(plat(pad).utf16()), 0,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                       OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (greep == INVALID_HANDLE_VALUE) return {};
    BY_HANDLE_FILE_INFORMATION info = {};
    const bool gelukt = ::GetFileInformationByHandle(greep, &info);
    ::CloseHandle(greep);
    if (!gelukt) return {};
    return QStringLiteral("%1:%2")
        .arg(quint64(info.dwVolumeSerialNumber))
        .arg((quint64(info.nFileIndexHigh) << 32) | info.nFileIndexLow);
#endif
}

bool zelfdeBestand(const QString& a, const QString& b)
{
    if (a.isEmpty() || b.isEmpty()) return false;
    const QString ia = identiteit(a);
    if (!ia.isEmpty() && ia == identiteit(b)) return true;
    const auto kanoniek = [](const QString& pad) {
        const QFileInfo info(pad);
        if (info.exists()) return info.canonicalFilePath();
        const QString map = QFileInfo(info.absolutePath()).canonicalFilePath();
        return map.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : map + QLatin1Char('/') + info.fileName();
    };
#ifdef Q_OS_WIN
    return kanoniek(a).compare(kanoniek(b), Qt::CaseInsensitive) == 0;
#else
    return kanoniek(a) == kanoniek(b);
#endif
}

Slot::Slot(QString pad) : m_pad(std::move(pad)) {}

Slot::~Slot()
{
    laatLos();
}

bool Slot::isGenomen() const
{
    return m_greep != -1;
}

#ifdef Q_OS_UNIX

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

#else

namespace
{
HANDLE openSlot(const QString& pad)
{
    return ::CreateFileW(reinterpret_cast<const wchar_t*>(plat(pad).utf16()), GENERIC_READ,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
}

bool vergrendel(HANDLE greep)
{
    OVERLAPPED plek = {};
    return ::LockFileEx(greep, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &plek);
}
} // namespace

Slot::Uitkomst Slot::neem(QString* fout)
{
    if (isGenomen()) return Uitkomst::Genomen;
    if (!QFileInfo::exists(m_pad) && !schrijf(m_pad, {}, fout)) return Uitkomst::Mislukt;
    const HANDLE greep = openSlot(m_pad);
    if (greep == INVALID_HANDLE_VALUE) {
        mislukt(fout, redenBijLezen(vanWindows(::GetLastError()), m_pad));
        return Uitkomst::Mislukt;
    }
    if (!vergrendel(greep)) {
        const DWORD code = ::GetLastError();
        ::CloseHandle(greep);
        if (code == ERROR_LOCK_VIOLATION || code == ERROR_IO_PENDING) return Uitkomst::Bezet;
        mislukt(fout, reden(vanWindows(code), m_pad));
        return Uitkomst::Mislukt;
    }
    m_greep = reinterpret_cast<qintptr>(greep);
    return Uitkomst::Genomen;
}

void Slot::laatLos(bool verwijder)
{
    if (!isGenomen()) return;
    if (verwijder) ::DeleteFileW(reinterpret_cast<const wchar_t*>(plat(m_pad).utf16()));
    ::CloseHandle(reinterpret_cast<HANDLE>(m_greep));
    m_greep = -1;
}

bool Slot::isVrij(const QString& pad)
{
    const HANDLE greep = openSlot(pad);
    if (greep == INVALID_HANDLE_VALUE) return ::GetLastError() == ERROR_FILE_NOT_FOUND;
    const bool vrij = vergrendel(greep);
    ::CloseHandle(greep);
    return vrij;
}

#endif

bool isGewoonBestand(const QString& pad)
{
#ifdef Q_OS_UNIX
    struct stat st = {};
    return !pad.isEmpty() && ::stat(plat(pad).constData(), &st) == 0 && S_ISREG(st.st_mode);
#else
    return !pad.isEmpty() && QFileInfo(pad).isFile();
#endif
}

bool isAlleenLezen(const QString& pad)
{
#ifdef Q_OS_UNIX
    struct stat st = {};
    return ::lstat(plat(pad).constData(), &st) == 0 && S_ISREG(st.st_mode) &&
           (::access(plat(pad).constData(), W_OK) != 0 || (st.st_mode & 0222) == 0);
#else
    const QFileInfo info(pad);
    return info.isFile() && !info.isSymLink() && !info.isWritable();
#endif
}

std::function<int(int)>& syncHaak()
{
    static std::function<int(int)> haak;
    return haak;
}

int ruimOp(const QString& pad)
{
    const QFileInfo doel(pad);
    const QDir map = doel.absoluteDir();
    const QRegularExpression patroon(QStringLiteral("^%1\\.(?=[A-Za-z0-9]*[A-Z0-9])[A-Za-z0-9]{6}$")
                                         .arg(QRegularExpression::escape(doel.fileName())));
    int weg = 0;
    const QStringList namen =
        map.entryList({doel.fileName() + QStringLiteral(".??????")}, QDir::Files | QDir::Hidden | QDir::NoSymLinks);
    for (const QString& naam : namen) {
        if (!patroon.match(naam).hasMatch()) continue;
        const QString stray = map.filePath(naam);
#ifdef Q_OS_UNIX
        struct stat st = {};
        if (::lstat(plat(stray).constData(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::geteuid()) continue;
        // A writer that still holds its file is alive; removed only while held here.
        const int fd = ::open(plat(stray).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        if (fd < 0) continue;
        const bool vrij = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
        if (vrij && ::unlink(plat(stray).constData()) == 0) ++weg;
        ::close(fd);
#else
        // A file another program still has open cannot be removed.
        if (QFile::remove(stray)) ++weg;
#endif
    }
    return weg;
}

} // namespace VeiligBestand
