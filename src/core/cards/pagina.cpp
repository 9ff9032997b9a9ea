#include "core/cards/pagina.h"

#include "core/common/ballen.h"
#include "core/common/scancode.h"
#include "core/screen/plaatjes.h"
#include "core/screen/twips.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QtMath>

namespace Pagina
{

namespace
{

// One device pixel wide, whatever the scale.
QPen lijnPen(const QColor& kleur)
{
    QPen pen(kleur, 0);
    pen.setCosmetic(true);
    return pen;
}

int verschuiving(int getal)
{
    return getal < 10 ? 180 : 0;
}
} // namespace

QPoint bingoKaartHoek(int kaart)
{
    return {600 + 5610 * (kaart % 2), 600 + 5160 * (kaart / 2)};
}

QPoint bingoGetalPositie(int kaart, int k, int i, int getal)
{
    const QPoint hoek = bingoKaartHoek(kaart);
    return {hoek.x() + 900 * k - 45 + verschuiving(getal), hoek.y() + 840 + 780 * i};
}

QPoint bingoLetterPositie(int kaart, int k, int pas)
{
    const QPoint hoek = bingoKaartHoek(kaart);
    return pas == 0 ? QPoint(hoek.x() + 900 * k + 210, hoek.y() - 90) : QPoint(hoek.x() + 900 * k + 240, hoek.y() - 60);
}

QRect bingoFreeRect(int kaart)
{
    const QPoint hoek = bingoKaartHoek(kaart);
    return {hoek.x() + 1875, hoek.y() + 2415, 750, 630};
}

int kienKaartBoven(int kaart)
{
    return 600 + 2640 * kaart;
}

QPoint kienGetalPositie(int j, int r, int getal)
{
    return {750 + 1170 * (j - 1) + verschuiving(getal), 660 * r};
}

QRectF bedrukbaar(const QRectF& afdrukbaar)
{
    const QRectF veilig =
        QRectF(0, 0, a4Breedte, a4Hoogte).adjusted(veiligeMarge, veiligeMarge, -veiligeMarge, -veiligeMarge);
    const QRectF binnen = afdrukbaar.intersected(veilig);
    // A printer that claims no room inside the margin at all: the margin is all there is to go on.
    return binnen.isEmpty() ? veilig : binnen;
}

QTransform plaatsing(const QRectF& afdrukbaar, const QSizeF& omvang)
{
    const QRectF vak = bedrukbaar(afdrukbaar);
    if (omvang.width() <= 0 || omvang.height() <= 0) return QTransform::fromTranslate(vak.left(), vak.top());
    const double breed = qMin(1.0, vak.width() / omvang.width());
    const double hoog = qMin(1.0, vak.height() / omvang.height());
    const double schaal = qMin(breed, hoog);
    return QTransform::fromTranslate(vak.left(), vak.top()).scale(schaal, schaal);
}

QSizeF bingoOmvang()
{
    return QSize(bingoKaartHoek(5).x() + 5 * bingoCelBreedte, bingoTekstPositie.y() + tekstHoogte);
}

QSizeF kienOmvang()
{
    return QSize(600 + 9 * kienCelBreedte, kienTekstPositie.y() + tekstHoogte);
}

QString getalTekst(int getal)
{
    return QStringLiteral(" %1").arg(getal);
}

QImage freePlaatje()
{
    return Plaatjes::free(8);
}

QFont tekstLettertype()
{
    return Twips::lettertype(QStringLiteral("Arial"), 11, true);
}

bool tekstPast(const QString& tekst)
{
    return QFontMetricsF(tekstLettertype()).horizontalAdvance(tekst) <= tekstRuimte;
}

void tekst(QPainter& p, QPoint positie, const QString& tekst)
{
    if (tekst.isEmpty()) return;
    const QFontMetricsF maat(p.font());
    p.drawText(QPointF(positie.x(), positie.y() + maat.ascent()), tekst);
}

void tekenBingo(QPainter& p, const Kaarten::BingoPagina& pagina, const QString& kaartTekst, const QImage& free)
{
    p.save();
    p.setBackgroundMode(Qt::TransparentMode);
    p.setFont(Twips::lettertype(QStringLiteral("Comic Sans MS"), 32, true));

    // Grids and header letters; each letter twice, a little apart, for a thick shadowed look.
    for (int kaart = 0; kaart < 6; ++kaart) {
        const QPoint hoek = bingoKaartHoek(kaart);
        p.setPen(lijnPen(Qt::black));
        for (int i = 0; i <= 6; ++i)
            p.drawLine(QPointF(hoek.x(), hoek.y() + 780 * i), QPointF(hoek.x() + 4500, hoek.y() + 780 * i));
        for (int j = 0; j <= 5; ++j)
            p.drawLine(QPointF(hoek.x() + 900 * j, hoek.y()), QPointF(hoek.x() + 900 * j, hoek.y() + 4680));
        p.setPen(Qt::black);
        for (int k = 0; k < 5; ++k)
            for (int pas = 0; pas < 2; ++pas)
                tekst(p, bingoLetterPositie(kaart, k, pas), Ballen::kolomLetter(k));
    }

    p.setFont(Twips::lettertype(QStringLiteral("Comic Sans MS"), 24, true));
    p.setPen(bingoGetalKleur);
    for (int kaart = 0; kaart < 6; ++kaart) {
        const Kaarten::BingoKaart& k = pagina.kaarten[static_cast<std::size_t>(kaart)];
        for (int kolom = 0; kolom < 5; ++kolom)
            for (int rij = 0; rij < 5; ++rij) {
                // Nothing under the FREE picture: what is not on the paper is not in a PDF either.
                if (kolom == 2 && rij == 2) continue;
                const int n = k.getal[static_cast<std::size_t>(kolom)][static_cast<std::size_t>(rij)];
                if (n > 0) tekst(p, bingoGetalPositie(kaart, kolom, rij, n), getalTekst(n));
            }
    }

    p.setRenderHint(QPainter::SmoothPixmapTransform);
    for (int kaart = 0; kaart < 6; ++kaart)
        p.drawImage(QRectF(bingoFreeRect(kaart)), free);

    p.setFont(tekstLettertype());
    p.setPen(tekstKleur);
    tekst(p, bingoTekstPositie, kaartTekst);
    p.restore();
}

void tekenKien(QPainter& p, const Kaarten::KienPagina& pagina, const QString& kaartTekst)
{
    p.save();
    p.setBackgroundMode(Qt::TransparentMode);
    for (int kaart = 0; kaart < 6; ++kaart) {
        const int boven = kienKaartBoven(kaart);
        p.fillRect(QRectF(600, boven, 9 * kienCelBreedte, 3 * kienCelHoogte), kienVeldKleur);
        p.setPen(lijnPen(Qt::black));
        p.setBrush(Qt::NoBrush);
        for (int j = 1; j <= 9; ++j) {
            const int x = 600 + kienCelBreedte * (j - 1);
            for (int q = 0; q < 3; ++q)
                p.drawRect(QRectF(x, boven + kienCelHoogte * q, kienCelBreedte, kienCelHoogte));
        }
    }

    p.setFont(Twips::lettertype(QStringLiteral("Comic Sans MS"), 20, true));
    p.setPen(kienGetalKleur);
    for (int j = 1; j <= 9; ++j)
        for (int r = 1; r <= Kaarten::kienRijen; ++r) {
            const int n = pagina.getal[static_cast<std::size_t>(r - 1)][static_cast<std::size_t>(j - 1)];
            if (n > 0) tekst(p, kienGetalPositie(j, r, n), getalTekst(n));
        }

    p.setFont(tekstLettertype());
    p.setPen(tekstKleur);
    tekst(p, kienTekstPositie, kaartTekst);
    p.restore();
}

namespace
{
void tekenNummers(QPainter& p, const std::array<QString, 6>& nummers, QRect (*vak)(int), QRect (*codeVak)(int),
                  bool metCode)
{
    p.save();
    const QFont lettertype = Twips::lettertype(QStringLiteral("Arial"), 8);
    p.setFont(lettertype);
    const QFontMetricsF maat(lettertype, p.device());
    for (int kaart = 0; kaart < 6; ++kaart) {
        const QString& nummer = nummers[static_cast<std::size_t>(kaart)];
        if (nummer.isEmpty()) continue;
        p.setPen(nummerKleur);
        p.drawText(vak(kaart), Qt::AlignRight | Qt::AlignVCenter, nummer);
        if (!metCode) continue;
        const ScanCode::Modules code = ScanCode::maak(ScanCode::Soort::Code128, nummer);
        const QRect plaats = codePlaats(codeVak(kaart), code.breedte, qCeil(maat.horizontalAdvance(nummer)));
        if (!plaats.isEmpty()) ScanCode::teken(p, plaats, code, Qt::black);
    }
    p.restore();
}
} // namespace

// 8 points need about 185 twips; the gap above a Bingo card is 480 twips and the header
// letters reach 90 twips above the card's top line, a Kien card has 660 twips above it.
QRect bingoNummerVak(int kaart)
{
    const QPoint hoek = bingoKaartHoek(kaart);
    return {hoek.x() + 2700, hoek.y() - 370, 1800, 230};
}

QRect kienNummerVak(int kaart)
{
    return {600 + 9 * kienCelBreedte - 2700, kienKaartBoven(kaart) - 440, 2700, 230};
}

// The strip keeps 30 twips from the card above and 30 from the header letters below.
QRect bingoCodeVak(int kaart)
{
    const QPoint hoek = bingoKaartHoek(kaart);
    return {hoek.x() + 180, hoek.y() - 450, 5 * bingoCelBreedte - 180, 330};
}

QRect kienCodeVak(int kaart)
{
    return {600 + 180, kienKaartBoven(kaart) - 600, 9 * kienCelBreedte - 180, 500};
}

QRect codePlaats(const QRect& codeVak, int modules, int tekstBreedte)
{
    if (modules <= 0) return {};
    // The strip, a quiet zone, the number: all within the box's width.
    const int ruimte = codeVak.width() - tekstBreedte;
    const int stil = ScanCode::stilteZone(ScanCode::Soort::Code128);
    const int module = qMin(codeModule, ruimte / (modules + stil));
    if (module < kleinsteCodeModule) return {};
    const int rechts = codeVak.left() + ruimte - stil * module;
    return {rechts - modules * module, codeVak.top(), modules * module, codeVak.height()};
}

void tekenBingoNummers(QPainter& p, const std::array<QString, 6>& nummers, bool metCode)
{
    tekenNummers(p, nummers, bingoNummerVak, bingoCodeVak, metCode);
}

void tekenKienNummers(QPainter& p, const std::array<QString, 6>& nummers, bool metCode)
{
    tekenNummers(p, nummers, kienNummerVak, kienCodeVak, metCode);
}

} // namespace Pagina
