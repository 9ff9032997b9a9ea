#include "core/common/veiligbestand.h"
#include "core/common/veiligbestand_plat.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <cerrno>

namespace VeiligBestand
{

namespace Plat
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

std::nullopt_t teGroot(const QString& pad, QString* fout)
{
    mislukt(fout, QStringLiteral("Het bestand \"%1\" is te groot.").arg(toon(pad)));
    return std::nullopt;
}

} // namespace Plat

using namespace Plat;

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

namespace
{
std::optional<QByteArray> leesMetNaam(const QString& pad, qint64 maximum, Deel deel, QString* fout)
{
    if (pad.isEmpty()) {
        mislukt(fout, QStringLiteral("Er is geen bestandsnaam opgegeven."));
        return std::nullopt;
    }
    return Plat::leesDeel(pad, maximum, deel, fout);
}
} // namespace

std::optional<QByteArray> lees(const QString& pad, qint64 maximum, QString* fout)
{
    return leesMetNaam(pad, maximum, Deel::Heel, fout);
}

std::optional<QByteArray> leesBegin(const QString& pad, qint64 aantal, QString* fout)
{
    return leesMetNaam(pad, aantal, Deel::Begin, fout);
}

std::optional<QByteArray> leesEinde(const QString& pad, qint64 aantal, QString* fout)
{
    return leesMetNaam(pad, aantal, Deel::Einde, fout);
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
        if (ruimWeg(map.filePath(naam))) ++weg;
    }
    return weg;
}

} // namespace VeiligBestand
