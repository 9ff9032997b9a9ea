#include "core/common/scancode.h"

#include <QPainter>

#include <zint.h>

#include <memory>

namespace ScanCode
{

int stilteZone(Soort soort)
{
    return soort == Soort::QR ? 4 : 10;
}

Modules maak(Soort soort, const QString& tekst, QString* fout)
{
    const auto weiger = [&](const QString& reden) {
        if (fout) *fout = reden;
        return Modules{};
    };
    if (tekst.isEmpty()) return weiger(QStringLiteral("Een lege tekst heeft geen code."));
    QByteArray data;
    if (soort == Soort::Code128) {
        for (const QChar c : tekst)
            if (c.unicode() > 0xFF)
                return weiger(QStringLiteral("\"%1\" kan niet als streepjescode: alleen Latijnse letters passen erin.")
                                  .arg(tekst));
        data = tekst.toLatin1();
    } else {
        data = tekst.toUtf8();
    }
    const std::unique_ptr<zint_symbol, void (*)(zint_symbol*)> symbool(ZBarcode_Create(), ZBarcode_Delete);
    if (!symbool) return weiger(QStringLiteral("Er is geen geheugen voor de code."));
    symbool->symbology = soort == Soort::QR ? BARCODE_QRCODE : BARCODE_CODE128;
    symbool->input_mode = soort == Soort::QR ? UNICODE_MODE : DATA_MODE;
    if (soort == Soort::QR) symbool->option_1 = 2; // error correction M: a card survives a fold or a smudge
    const int uitkomst = ZBarcode_Encode(symbool.get(), reinterpret_cast<const unsigned char*>(data.constData()),
                                         static_cast<int>(data.size()));
    if (uitkomst >= ZINT_ERROR)
        return weiger(QStringLiteral("\"%1\" kan niet als code worden gemaakt: %2")
                          .arg(tekst, QString::fromLatin1(symbool->errtxt)));
    Modules m;
    m.breedte = symbool->width;
    m.hoogte = symbool->rows;
    m.donker.reserve(m.breedte * m.hoogte);
    for (int y = 0; y < m.hoogte; ++y)
        for (int x = 0; x < m.breedte; ++x)
            m.donker << (((symbool->encoded_data[y][x >> 3] >> (x & 7)) & 1) != 0);
    return m;
}

void teken(QPainter& p, const QRectF& vak, const Modules& modules, const QColor& kleur)
{
    if (modules.isLeeg()) return;
    const double modBreedte = vak.width() / modules.breedte;
    const double rijHoogte = vak.height() / modules.hoogte;
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(kleur);
    for (int y = 0; y < modules.hoogte; ++y)
        for (int x = 0; x < modules.breedte;) {
            if (!modules.isDonker(x, y)) {
                ++x;
                continue;
            }
            int eind = x;
            while (eind < modules.breedte && modules.isDonker(eind, y))
                ++eind;
            p.drawRect(
                QRectF(vak.left() + x * modBreedte, vak.top() + y * rijHoogte, (eind - x) * modBreedte, rijHoogte));
            x = eind;
        }
    p.restore();
}

QImage afbeelding(Soort soort, const Modules& modules, int schaal, int hoogte)
{
    if (modules.isLeeg() || schaal <= 0) return {};
    const int stil = stilteZone(soort);
    const int rijen = modules.hoogte == 1 ? qMax(1, hoogte) : modules.hoogte;
    const int boven = modules.hoogte == 1 ? 0 : stil;
    QImage beeld((modules.breedte + 2 * stil) * schaal, (rijen + 2 * boven) * schaal, QImage::Format_RGB32);
    beeld.fill(Qt::white);
    QPainter p(&beeld);
    teken(p, QRectF(stil * schaal, boven * schaal, modules.breedte * schaal, rijen * schaal), modules);
    return beeld;
}

} // namespace ScanCode
