#include "core/settings/extrainstellingen.h"

#include "core/common/veiligbestand.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>

namespace
{

// Far more than a settings file of this program ever holds.
constexpr qint64 maxGrootte = 4 << 20;

// QSettings only works on files. The bytes pass through a private copy in a temporary folder,
// so the real file is only ever read and written through the safe routine.
QString kopiePad(const QTemporaryDir& map)
{
    return map.filePath(QStringLiteral("kopie.ini"));
}

} // namespace

ExtraInstellingen::ExtraInstellingen(const QString& map) : m_pad(QDir(map).filePath(bestandsNaam))
{
    VeiligBestand::ruimOp(m_pad);
    if (!QFileInfo::exists(m_pad) && !QFileInfo(m_pad).isSymLink()) return;
    const std::optional<QByteArray> inhoud = VeiligBestand::lees(m_pad, maxGrootte, &m_leesFout);
    QTemporaryDir tijdelijk;
    if (!inhoud || !tijdelijk.isValid() || !VeiligBestand::schrijf(kopiePad(tijdelijk), *inhoud, &m_leesFout)) return;
    const QSettings ini(kopiePad(tijdelijk), QSettings::IniFormat);
    for (const QString& sleutel : ini.allKeys())
        m_waarden.insert(sleutel, ini.value(sleutel));
    if (ini.status() == QSettings::FormatError)
        m_leesFout = QStringLiteral("\"%1\" is beschadigd.").arg(QDir::toNativeSeparators(m_pad));
}

bool ExtraInstellingen::janee(const QString& sleutel, bool standaard) const
{
    const QString t = waarde(sleutel, standaard).toString().trimmed().toLower();
    if (t == QLatin1String("true") || t == QLatin1String("1")) return true;
    if (t == QLatin1String("false") || t == QLatin1String("0")) return false;
    return standaard;
}

QVariant ExtraInstellingen::waarde(const QString& sleutel, const QVariant& standaard) const
{
    return m_waarden.value(sleutel, standaard);
}

void ExtraInstellingen::zet(const QString& sleutel, const QVariant& waarde)
{
    m_waarden.insert(sleutel, waarde);
}

void ExtraInstellingen::wis(const QString& sleutel)
{
    m_waarden.remove(sleutel);
}

QString ExtraInstellingen::leesMelding() const
{
    if (m_leesFout.isEmpty()) return {};
    return QStringLiteral("De extra instellingen konden niet worden gelezen:\n%1\n\nHet bestand blijft zoals het is; "
                          "wat u deze keer aan de extra instellingen verandert, wordt niet bewaard.")
        .arg(m_leesFout);
}

bool ExtraInstellingen::bewaar(QString* fout)
{
    // What could not be read would be lost if the file were written anew.
    if (!m_leesFout.isEmpty()) {
        if (fout)
            *fout = QStringLiteral("\"%1\" kon bij het starten niet worden gelezen en wordt niet overschreven.")
                        .arg(QDir::toNativeSeparators(m_pad));
        return false;
    }
    QTemporaryDir tijdelijk;
    if (!tijdelijk.isValid()) {
        if (fout) *fout = QStringLiteral("Er kon geen tijdelijke map worden gemaakt.");
        return false;
    }
    {
        QSettings ini(kopiePad(tijdelijk), QSettings::IniFormat);
        for (auto it = m_waarden.cbegin(); it != m_waarden.cend(); ++it)
            ini.setValue(it.key(), it.value());
        ini.sync();
        if (ini.status() != QSettings::NoError) {
            if (fout) *fout = QStringLiteral("De instellingen konden niet worden samengesteld.");
            return false;
        }
    }
    // No values at all leave QSettings without a file to write.
    const std::optional<QByteArray> inhoud = QFileInfo::exists(kopiePad(tijdelijk))
                                                 ? VeiligBestand::lees(kopiePad(tijdelijk), maxGrootte, fout)
                                                 : std::optional<QByteArray>(QByteArray());
    if (!inhoud) return false;
    QDir().mkpath(QFileInfo(m_pad).absolutePath());
    return VeiligBestand::schrijf(m_pad, *inhoud, fout);
}
