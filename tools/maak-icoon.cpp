// Writes the program's icon: a 256 x 256 PNG for the Linux desktop, or, for a name ending in
// ".ico", a Windows icon with the sizes that Explorer, the taskbar and the Start menu ask for.
#include "core/common/veiligbestand.h"
#include "core/screen/plaatjes.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QtEndian>

namespace
{
QImage icoon(int maat)
{
    return Plaatjes::vensterIcoon().pixmap(maat, maat).toImage().scaled(maat, maat);
}

// An .ico file whose images are PNGs (read by every Windows since Vista): a header, one entry
// of 16 bytes per image, then the images.
QByteArray alsIco(const QList<int>& maten)
{
    QByteArray kop(6, '\0');
    QByteArray lijst;
    QByteArray beelden;
    qToLittleEndian<quint16>(1, kop.data() + 2);
    qToLittleEndian<quint16>(static_cast<quint16>(maten.size()), kop.data() + 4);
    for (int maat : maten) {
        QByteArray png;
        QBuffer buf(&png);
        buf.open(QIODevice::WriteOnly);
        icoon(maat).save(&buf, "PNG");
        QByteArray ingang(16, '\0');
        ingang[0] = static_cast<char>(maat % 256); // 0 stands for 256
        ingang[1] = static_cast<char>(maat % 256);
        qToLittleEndian<quint16>(1, ingang.data() + 4);
        qToLittleEndian<quint16>(32, ingang.data() + 6);
        qToLittleEndian<quint32>(static_cast<quint32>(png.size()), ingang.data() + 8);
        qToLittleEndian<quint32>(static_cast<quint32>(6 + 16 * maten.size() + beelden.size()), ingang.data() + 12);
        lijst += ingang;
        beelden += png;
    }
    return kop + lijst + beelden;
}
} // namespace

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 2) return 2;
    const QString doel = QString::fromLocal8Bit(argv[1]);
    if (!doel.endsWith(QStringLiteral(".ico"))) return icoon(256).save(doel) ? 0 : 1;
    return VeiligBestand::schrijf(doel, alsIco({16, 24, 32, 48, 64, 128, 256})) ? 0 : 1;
}
