// The safe file routines on Windows: the C runtime's descriptors, _commit for the flush to disk,
// MoveFileEx for the replacement and LockFileEx for the locks.

#include "core/common/veiligbestand.h"

#include <QtGlobal>

#ifdef Q_OS_WIN

#include "core/common/veiligbestand_plat.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

namespace VeiligBestand
{

namespace
{
QString plat(const QString& pad)
{
    return QDir::toNativeSeparators(pad);
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
} // namespace

namespace Plat
{

int synchroniseer(int fd)
{
    if (const auto& haak = syncHaak()) return haak(fd);
    return ::_commit(fd);
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

std::optional<QByteArray> leesDeel(const QString& pad, qint64 maximum, Deel deel, QString* fout)
{
    const QFileInfo info(pad);
    if (!info.exists()) {
        mislukt(fout, redenBijLezen(ENOENT, pad));
        return std::nullopt;
    }
    if (!info.isFile()) {
        mislukt(fout, info.isDir() ? reden(EISDIR, pad) : geenGewoonBestand(pad));
        return std::nullopt;
    }
    if (deel == Deel::Heel && info.size() > maximum) return teGroot(pad, fout);
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
    if (deel == Deel::Heel && inhoud.size() > maximum) return teGroot(pad, fout);
    return inhoud;
}

bool ruimWeg(const QString& tijdelijk)
{
    // A file another program still has open cannot be removed.
    return QFile::remove(tijdelijk);
}

} // namespace Plat

using namespace Plat;

bool voegToe(const QString& pad, const QByteArray& regel, QString* fout)
{
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
}

bool overschrijf(const QString& pad, const QByteArray& inhoud, QString* fout)
{
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
}

QString identiteit(const QString& pad)
{
    // The volume's serial number and the file's index: what NTFS keeps through a rename.
    if (pad.isEmpty()) return {};
    const HANDLE greep = ::CreateFileW(reinterpret_cast<const wchar_t*>(plat(pad).utf16()), 0,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                       FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (greep == INVALID_HANDLE_VALUE) return {};
    BY_HANDLE_FILE_INFORMATION info = {};
    const bool gelukt = ::GetFileInformationByHandle(greep, &info);
    ::CloseHandle(greep);
    if (!gelukt) return {};
    return QStringLiteral("%1:%2")
        .arg(quint64(info.dwVolumeSerialNumber))
        .arg((quint64(info.nFileIndexHigh) << 32) | info.nFileIndexLow);
}

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

bool isGewoonBestand(const QString& pad)
{
    return !pad.isEmpty() && QFileInfo(pad).isFile();
}

bool isAlleenLezen(const QString& pad)
{
    const QFileInfo info(pad);
    return info.isFile() && !info.isSymLink() && !info.isWritable();
}

} // namespace VeiligBestand

#endif
