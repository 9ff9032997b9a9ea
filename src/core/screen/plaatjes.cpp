#include "core/screen/plaatjes.h"

#include "core/common/ballen.h"

#include <QGuiApplication>
#include <QIconEngine>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QRadialGradient>
#include <QScreen>

#include <algorithm>
#include <cmath>
#include <functional>

namespace
{

constexpr double pi = 3.14159265358979323846;

// An empty picture of b x h logical pixels for a screen with device pixel ratio dpr.
QImage leeg(qreal b, qreal h, qreal dpr, QColor achtergrond = Qt::transparent,
            QImage::Format formaat = QImage::Format_ARGB32_Premultiplied)
{
    QImage img(qRound(b * dpr), qRound(h * dpr), formaat);
    img.setDevicePixelRatio(dpr);
    img.fill(achtergrond);
    return img;
}

int kanaal(double v)
{
    return std::clamp(static_cast<int>(std::lround(v)), 0, 255);
}

// a on the way to b: t = 0 gives a, t = 1 gives b; the alpha of a is kept.
QColor meng(const QColor& a, const QColor& b, qreal t)
{
    return QColor(kanaal(a.red() + (b.red() - a.red()) * t), kanaal(a.green() + (b.green() - a.green()) * t),
                  kanaal(a.blue() + (b.blue() - a.blue()) * t), a.alpha());
}

QColor maal(const QColor& c, qreal f)
{
    return QColor(kanaal(c.red() * f), kanaal(c.green() * f), kanaal(c.blue() * f));
}

QColor metAlfa(QColor c, int alfa)
{
    c.setAlpha(alfa);
    return c;
}

void zetGlad(QPainter& p)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
}

constexpr std::array<QRgb, 8> balKleuren = {qRgb(124, 65, 47),   qRgb(37, 175, 196), qRgb(194, 194, 3),
                                            qRgb(160, 160, 161), qRgb(2, 169, 2),    qRgb(174, 69, 173),
                                            qRgb(195, 2, 2),     qRgb(42, 2, 134)};

// A shaded sphere in r, lit from the upper left: the light falls on the body colour around a
// point a third of the way in, the far side sinks into shadow towards `schaduw`, and a small
// white highlight sits on the lit spot. glans scales the highlight (0 = none).
void tekenBol(QPainter& p, const QRectF& r, const QColor& lichaam, qreal glans = 1.0, const QColor& schaduw = Qt::black)
{
    const QPointF licht = r.topLeft() + QPointF(r.width() / 3.0, r.height() / 3.0);
    QRadialGradient g(r.center(), r.width() / 2.0, licht);
    g.setColorAt(0.00, meng(lichaam, Qt::white, 0.40));
    g.setColorAt(0.14, meng(lichaam, Qt::white, 0.16));
    g.setColorAt(0.38, lichaam);
    g.setColorAt(0.70, meng(lichaam, schaduw, 0.22));
    g.setColorAt(0.90, meng(lichaam, schaduw, 0.52));
    g.setColorAt(1.00, meng(lichaam, schaduw, 0.70));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(r);

    // Light thrown back from below onto the shadow side.
    QRadialGradient terug(r.center() + QPointF(r.width() * 0.16, r.height() * 0.30), r.width() * 0.30);
    terug.setColorAt(0, metAlfa(meng(lichaam, Qt::white, 0.3), 70));
    terug.setColorAt(1, metAlfa(lichaam, 0));
    p.setBrush(terug);
    p.drawEllipse(r);

    if (glans > 0) {
        const qreal straal = r.width() * 0.12 * glans;
        QRadialGradient hl(licht, straal);
        hl.setColorAt(0.0, QColor(255, 255, 255, 245));
        hl.setColorAt(0.35, QColor(255, 255, 255, 200));
        hl.setColorAt(1.0, QColor(255, 255, 255, 0));
        p.setBrush(hl);
        p.drawEllipse(licht, straal, straal);
    }
}

// The ball picture for a given body colour, 60 x 60 on the board colour.
QImage balMetLichaam(const QColor& lichaam, qreal dpr)
{
    QImage img = leeg(60, 60, dpr, Plaatjes::bordKleur, QImage::Format_RGB32);
    QPainter p(&img);
    zetGlad(p);
    tekenBol(p, QRectF(0.25, 0.25, 59.5, 59.5), lichaam);
    return img;
}

// The mean colour of the sphere of a 60 x 60 ball picture (its rim left out).
std::array<double, 3> gemiddelde(const QImage& img)
{
    std::array<double, 3> som{0, 0, 0};
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const double dx = x + 0.5 - img.width() / 2.0, dy = y + 0.5 - img.height() / 2.0;
            if (std::hypot(dx, dy) > img.width() * 28.5 / 60.0) continue;
            const QRgb c = img.pixel(x, y);
            som[0] += qRed(c);
            som[1] += qGreen(c);
            som[2] += qBlue(c);
            ++n;
        }
    for (double& s : som)
        s /= n;
    return som;
}

// The body colour of ball i (0..7), chosen so that the sphere, light and shadow together, has
// the ball's mean colour. Each is worked out the first time its ball is drawn: a start shows
// two of the eight.
QColor lichaamsKleur(int i)
{
    static std::array<QColor, 8> kleuren;
    if (kleuren[i].isValid()) return kleuren[i];
    const QColor doel(balKleuren[i]);
    const std::array<double, 3> gewenst{double(doel.red()), double(doel.green()), double(doel.blue())};
    std::array<double, 3> lichaam = gewenst;
    for (int stap = 0; stap < 8; ++stap) {
        const QColor c(kanaal(lichaam[0]), kanaal(lichaam[1]), kanaal(lichaam[2]));
        const auto m = gemiddelde(balMetLichaam(c, 1.0));
        for (int k = 0; k < 3; ++k)
            lichaam[k] = std::clamp(lichaam[k] + gewenst[k] - m[k], 0.0, 255.0);
    }
    kleuren[i] = QColor(kanaal(lichaam[0]), kanaal(lichaam[1]), kanaal(lichaam[2]));
    return kleuren[i];
}

// The outline of a text in a bold sans-serif face, scaled to fit the box and centred in it.
QPainterPath tekstIn(const QString& tekst, const QRectF& vak, bool vet = true)
{
    QFont f(QStringLiteral("Arial"));
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(100);
    f.setBold(vet);
    QPainterPath pad;
    pad.addText(0, 0, f, tekst);
    const QRectF b = pad.boundingRect();
    if (b.isEmpty()) return pad;
    const qreal s = std::min(vak.width() / b.width(), vak.height() / b.height());
    QTransform t;
    t.translate(vak.center().x(), vak.center().y());
    t.scale(s, s);
    t.translate(-b.center().x(), -b.center().y());
    return t.map(pad);
}

// The round red button of Help and Exit: a metal rim, a glossy red face; the symbol is drawn
// by the caller, white with a dark red shadow.
QImage rondeKnop(qreal dpr, const std::function<void(QPainter&)>& symbool)
{
    QImage img = leeg(48, 48, dpr);
    QPainter p(&img);
    zetGlad(p);
    p.setPen(Qt::NoPen);
    // Shadow on the bar.
    QRadialGradient sch(QPointF(25, 26.5), 22.5);
    sch.setColorAt(0.80, QColor(0, 0, 0, 130));
    sch.setColorAt(1.00, QColor(0, 0, 0, 0));
    p.setBrush(sch);
    p.drawEllipse(QPointF(25, 26.5), 22.5, 22.5);
    // Rim.
    QLinearGradient rand(0, 2, 0, 45);
    rand.setColorAt(0, QColor(235, 235, 240));
    rand.setColorAt(0.5, QColor(150, 150, 160));
    rand.setColorAt(1, QColor(60, 60, 70));
    p.setBrush(rand);
    p.drawEllipse(QRectF(2.5, 2, 43, 43));
    // Face.
    QRadialGradient vlak(QPointF(24, 23.5), 18.5, QPointF(18, 16));
    vlak.setColorAt(0, QColor(255, 120, 105));
    vlak.setColorAt(0.45, QColor(220, 30, 25));
    vlak.setColorAt(1, QColor(120, 0, 0));
    p.setBrush(vlak);
    p.drawEllipse(QRectF(5.5, 5, 37, 37));
    // Gloss on the upper half.
    QLinearGradient glans(0, 6, 0, 24);
    glans.setColorAt(0, QColor(255, 255, 255, 150));
    glans.setColorAt(1, QColor(255, 255, 255, 0));
    p.setBrush(glans);
    p.drawEllipse(QRectF(10, 6, 28, 18));

    p.save();
    p.translate(0.9, 1.1);
    p.setOpacity(0.6);
    symbool(p);
    p.restore();
    symbool(p);
    return img;
}

QPen symboolPen(const QColor& kleur, qreal dikte)
{
    return QPen(kleur, dikte, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// A gear wheel of n teeth around c.
QPainterPath tandwiel(QPointF c, qreal buiten, qreal binnen, int n, qreal gat, qreal draai)
{
    QPolygonF punten;
    for (int i = 0; i < n; ++i) {
        const qreal a = draai + 2 * pi * i / n;
        const qreal stap = 2 * pi / n;
        const std::array<std::pair<qreal, qreal>, 4> hoeken = {std::pair{a - stap * 0.25, binnen},
                                                               {a - stap * 0.14, buiten},
                                                               {a + stap * 0.14, buiten},
                                                               {a + stap * 0.25, binnen}};
        for (const auto& [hoek, straal] : hoeken)
            punten << c + QPointF(std::cos(hoek) * straal, std::sin(hoek) * straal);
    }
    QPainterPath wiel;
    wiel.addPolygon(punten);
    wiel.closeSubpath();
    QPainterPath midden;
    midden.addEllipse(c, gat, gat);
    return wiel.subtracted(midden);
}

void tekenTandwiel(QPainter& p, QPointF c, qreal buiten, qreal binnen, int n, qreal draai, const QColor& licht,
                   const QColor& donker)
{
    const QPainterPath wiel = tandwiel(c, buiten, binnen, n, binnen * 0.32, draai);
    QLinearGradient g(c - QPointF(buiten, buiten), c + QPointF(buiten, buiten));
    g.setColorAt(0, licht);
    g.setColorAt(1, donker);
    p.setBrush(g);
    p.setPen(QPen(maal(donker, 0.45), 1.0));
    p.drawPath(wiel);
    // A sunken ring around the hub.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0, 0, 0, 70), binnen * 0.14));
    p.drawEllipse(c, binnen * 0.62, binnen * 0.62);
    p.setPen(QPen(QColor(255, 255, 255, 90), 0.8));
    p.drawEllipse(c, binnen * 0.72, binnen * 0.72);
}

} // namespace

QColor Plaatjes::balKleur(int index)
{
    return index >= 1 && index <= aantalBallen ? QColor(balKleuren[index - 1]) : QColor();
}

QImage Plaatjes::bal(int index, qreal dpr)
{
    if (index < 1 || index > aantalBallen) return {};
    return balMetLichaam(lichaamsKleur(index - 1), dpr);
}

QImage Plaatjes::helpKnop(qreal dpr)
{
    return rondeKnop(dpr, [](QPainter& p) {
        p.setPen(symboolPen(p.opacity() < 1 ? QColor(70, 0, 0) : Qt::white, 4.0));
        p.setBrush(Qt::NoBrush);
        QPainterPath vraag;
        const QRectF boog(18.5, 11.5, 11, 11);
        vraag.arcMoveTo(boog, 155);
        vraag.arcTo(boog, 155, -235);
        vraag.quadTo(QPointF(24, 24), QPointF(24, 27.5));
        p.drawPath(vraag);
        p.setPen(Qt::NoPen);
        p.setBrush(p.opacity() < 1 ? QColor(70, 0, 0) : Qt::white);
        p.drawEllipse(QPointF(24, 33.5), 2.5, 2.5);
    });
}

QImage Plaatjes::exitKnop(qreal dpr)
{
    return rondeKnop(dpr, [](QPainter& p) {
        p.setPen(symboolPen(p.opacity() < 1 ? QColor(70, 0, 0) : Qt::white, 3.8));
        p.setBrush(Qt::NoBrush);
        const QRectF r(14.5, 15, 19, 19);
        QPainterPath boog;
        boog.arcMoveTo(r, 58);
        boog.arcTo(r, 58, -296);
        p.drawPath(boog);
        p.drawLine(QPointF(24, 11.5), QPointF(24, 23));
    });
}

QImage Plaatjes::printer(int grootte, qreal dpr)
{
    QImage img = leeg(grootte, grootte, dpr);
    QPainter p(&img);
    zetGlad(p);
    p.scale(grootte / 48.0, grootte / 48.0);
    p.setPen(Qt::NoPen);
    // Shadow.
    p.setBrush(QColor(0, 0, 0, 90));
    p.drawRoundedRect(QRectF(5, 36, 40, 6), 3, 3);
    // The paper waiting at the back.
    p.setPen(QPen(QColor(150, 150, 150), 0.8));
    p.setBrush(QColor(250, 250, 250));
    p.drawRect(QRectF(13.5, 3.5, 21, 16));
    // The body.
    QLinearGradient kast(0, 15, 0, 38);
    kast.setColorAt(0, QColor(225, 228, 235));
    kast.setColorAt(0.45, QColor(175, 180, 190));
    kast.setColorAt(1, QColor(95, 100, 112));
    p.setBrush(kast);
    p.setPen(QPen(QColor(45, 45, 55), 1.0));
    p.drawRoundedRect(QRectF(3.5, 15.5, 41, 22), 4, 4);
    // The top edge catches the light.
    p.setPen(QPen(QColor(255, 255, 255, 170), 1.0));
    p.drawLine(QPointF(7, 17), QPointF(41, 17));
    // Controls: a green lamp and two keys.
    p.setPen(Qt::NoPen);
    QRadialGradient lamp(QPointF(38.5, 21.5), 2.2);
    lamp.setColorAt(0, QColor(200, 255, 170));
    lamp.setColorAt(1, QColor(20, 170, 20));
    p.setBrush(lamp);
    p.drawEllipse(QPointF(38.5, 21.5), 1.8, 1.8);
    p.setBrush(QColor(70, 75, 90));
    p.drawRoundedRect(QRectF(29, 20.5, 4, 2), 0.8, 0.8);
    p.drawRoundedRect(QRectF(23.5, 20.5, 4, 2), 0.8, 0.8);
    // The slot and the printed sheet coming out of it.
    p.setBrush(QColor(30, 30, 38));
    p.drawRoundedRect(QRectF(9, 27, 30, 3.5), 1.2, 1.2);
    p.setPen(QPen(QColor(130, 130, 130), 0.8));
    p.setBrush(QColor(255, 255, 255));
    QPainterPath vel;
    vel.moveTo(11.5, 29);
    vel.lineTo(36.5, 29);
    vel.lineTo(37.5, 45.5);
    vel.lineTo(10.5, 45.5);
    vel.closeSubpath();
    p.drawPath(vel);
    p.setPen(QPen(QColor(80, 110, 170), 1.2));
    for (int i = 0; i < 3; ++i)
        p.drawLine(QPointF(14.5, 34 + 3.5 * i), QPointF(i == 2 ? 26 : 33.5, 34 + 3.5 * i));
    return img;
}

QImage Plaatjes::tandwielen(qreal dpr)
{
    QImage img = leeg(48, 48, dpr);
    QPainter p(&img);
    zetGlad(p);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 80));
    p.drawPath(tandwiel(QPointF(19.5, 20.5), 17, 13, 12, 4, 0.1));
    p.drawPath(tandwiel(QPointF(34.5, 35.5), 11.5, 8.5, 9, 2.6, 0.3));
    tekenTandwiel(p, QPointF(18.5, 19), 17, 13, 12, 0.1, QColor(240, 242, 248), QColor(105, 110, 125));
    tekenTandwiel(p, QPointF(33.5, 34), 11.5, 8.5, 9, 0.3, QColor(255, 220, 120), QColor(175, 110, 20));
    return img;
}

QImage Plaatjes::startPijlen(qreal dpr)
{
    QImage img = leeg(48, 48, dpr);
    QPainter p(&img);
    zetGlad(p);
    QPainterPath pijl;
    for (qreal x : {4.0, 21.0}) {
        QPainterPath punt;
        punt.moveTo(x, 8);
        punt.lineTo(x + 22, 24);
        punt.lineTo(x, 40);
        punt.closeSubpath();
        pijl = pijl.united(punt);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 100));
    p.drawPath(pijl.translated(1.2, 1.8));
    QLinearGradient g(0, 8, 0, 40);
    g.setColorAt(0, QColor(150, 240, 110));
    g.setColorAt(0.5, QColor(40, 175, 35));
    g.setColorAt(1, QColor(5, 100, 10));
    p.setBrush(g);
    p.setPen(QPen(QColor(0, 70, 0), 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(pijl);
    // Gloss over the upper half.
    QPainterPath boven;
    boven.addRect(QRectF(0, 0, 48, 24));
    QLinearGradient glans(0, 9, 0, 24);
    glans.setColorAt(0, QColor(255, 255, 255, 130));
    glans.setColorAt(1, QColor(255, 255, 255, 20));
    p.setPen(Qt::NoPen);
    p.setBrush(glans);
    p.drawPath(pijl.intersected(boven).translated(0, 0.8).intersected(pijl));
    return img;
}

QImage Plaatjes::verklein(qreal dpr)
{
    QImage img = leeg(26, 18, dpr);
    QPainter p(&img);
    zetGlad(p);
    QLinearGradient tegel(0, 0, 0, 18);
    tegel.setColorAt(0, QColor(120, 120, 126));
    tegel.setColorAt(1, QColor(50, 50, 56));
    p.setBrush(tegel);
    p.setPen(QPen(QColor(25, 25, 30), 1.0));
    p.drawRoundedRect(QRectF(0.5, 0.5, 25, 17), 3, 3);
    p.setPen(QPen(QColor(255, 255, 255, 60), 1.0));
    p.drawLine(QPointF(3, 1.5), QPointF(23, 1.5));
    // The window: a frame with a title bar.
    p.setPen(QPen(QColor(235, 235, 235), 1.0));
    p.setBrush(QColor(40, 40, 48));
    p.drawRect(QRectF(7.5, 4.5, 11, 9));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(235, 235, 235));
    p.drawRect(QRectF(7.5, 4.5, 11, 2.5));
    return img;
}

QImage Plaatjes::pdfIcoon(qreal dpr)
{
    QImage img = leeg(48, 48, dpr);
    QPainter p(&img);
    zetGlad(p);
    // The document, its top right corner folded.
    QPainterPath blad;
    blad.moveTo(8.5, 2.5);
    blad.lineTo(30.5, 2.5);
    blad.lineTo(39.5, 11.5);
    blad.lineTo(39.5, 44.5);
    blad.lineTo(8.5, 44.5);
    blad.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 110));
    p.drawPath(blad.translated(1.5, 1.5));
    QLinearGradient papier(8, 2, 40, 45);
    papier.setColorAt(0, QColor(255, 255, 255));
    papier.setColorAt(1, QColor(210, 212, 220));
    p.setBrush(papier);
    p.setPen(QPen(QColor(90, 90, 100), 1.0));
    p.drawPath(blad);
    QPainterPath vouw;
    vouw.moveTo(30.5, 2.5);
    vouw.lineTo(30.5, 11.5);
    vouw.lineTo(39.5, 11.5);
    vouw.closeSubpath();
    p.setBrush(QColor(185, 188, 200));
    p.drawPath(vouw);
    // A red title band and lines of text.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 25, 25));
    p.drawRect(QRectF(12, 6, 14, 4.5));
    p.setPen(QPen(QColor(140, 145, 160), 1.3));
    for (int i = 0; i < 6; ++i)
        p.drawLine(QPointF(12, 15 + 4 * i), QPointF(i % 3 == 2 ? 28 : 36, 15 + 4 * i));

    // The pencil, lying from the lower left upwards.
    p.save();
    p.translate(4, 45);
    p.rotate(-52);
    p.setPen(QPen(QColor(60, 40, 20), 0.7));
    QPainterPath tip;
    tip.moveTo(0, 0);
    tip.lineTo(7, -2.6);
    tip.lineTo(7, 2.6);
    tip.closeSubpath();
    p.setBrush(QColor(235, 195, 145));
    p.drawPath(tip);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 40, 45));
    QPainterPath stift;
    stift.moveTo(0, 0);
    stift.lineTo(2.4, -0.9);
    stift.lineTo(2.4, 0.9);
    stift.closeSubpath();
    p.drawPath(stift);
    QLinearGradient lak(0, -2.6, 0, 2.6);
    lak.setColorAt(0, QColor(255, 225, 90));
    lak.setColorAt(0.5, QColor(245, 180, 20));
    lak.setColorAt(1, QColor(190, 120, 0));
    p.setBrush(lak);
    p.setPen(QPen(QColor(110, 70, 0), 0.7));
    p.drawRect(QRectF(7, -2.6, 17, 5.2));
    p.setBrush(QColor(195, 200, 210));
    p.drawRect(QRectF(24, -2.6, 2.8, 5.2));
    p.setBrush(QColor(240, 130, 150));
    p.drawRoundedRect(QRectF(26.8, -2.6, 3.6, 5.2), 1.2, 1.2);
    p.restore();

    // The magnifying glass over the page.
    p.setPen(symboolPen(QColor(50, 30, 20), 4.5));
    p.drawLine(QPointF(34, 35), QPointF(42.5, 43.5));
    p.setPen(symboolPen(QColor(120, 80, 50), 2.0));
    p.drawLine(QPointF(35.5, 36.5), QPointF(41.5, 42.5));
    QRadialGradient lens(QPointF(26, 26), 8.5, QPointF(23.5, 23.5));
    lens.setColorAt(0, QColor(235, 245, 255, 150));
    lens.setColorAt(1, QColor(110, 170, 230, 150));
    p.setBrush(lens);
    p.setPen(QPen(QColor(60, 65, 80), 2.4));
    p.drawEllipse(QPointF(28, 28), 7.5, 7.5);
    p.setPen(symboolPen(QColor(255, 255, 255, 220), 1.3));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(23, 23, 10, 10), 100 * 16, 70 * 16);
    return img;
}

QImage Plaatjes::dpiIcoon(qreal dpr)
{
    QImage img = leeg(48, 48, dpr);
    QPainter p(&img);
    zetGlad(p);
    // Foot and neck.
    QLinearGradient voet(0, 38, 0, 44);
    voet.setColorAt(0, QColor(190, 192, 200));
    voet.setColorAt(1, QColor(90, 92, 100));
    p.setPen(QPen(QColor(35, 35, 40), 0.8));
    p.setBrush(voet);
    p.drawRect(QRectF(20.5, 33, 7, 7));
    p.drawRoundedRect(QRectF(12.5, 39.5, 23, 4.5), 2, 2);
    // The cabinet.
    QLinearGradient kast(0, 5, 0, 35);
    kast.setColorAt(0, QColor(105, 108, 120));
    kast.setColorAt(1, QColor(35, 36, 42));
    p.setBrush(kast);
    p.setPen(QPen(QColor(15, 15, 18), 1.0));
    p.drawRoundedRect(QRectF(2.5, 5.5, 43, 29.5), 2.5, 2.5);
    // The screen, with a glare across it.
    const QRectF scherm(5.5, 8.5, 37, 22.5);
    QLinearGradient beeld(scherm.topLeft(), scherm.bottomRight());
    beeld.setColorAt(0, QColor(120, 190, 250));
    beeld.setColorAt(0.55, QColor(40, 105, 200));
    beeld.setColorAt(1, QColor(15, 45, 120));
    p.setBrush(beeld);
    p.setPen(QPen(QColor(10, 10, 14), 0.8));
    p.drawRect(scherm);
    QPainterPath glans;
    glans.moveTo(scherm.topLeft());
    glans.lineTo(scherm.left() + 22, scherm.top());
    glans.lineTo(scherm.left() + 9, scherm.bottom());
    glans.lineTo(scherm.left(), scherm.bottom());
    glans.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 45));
    p.drawPath(glans.intersected([&] {
        QPainterPath r;
        r.addRect(scherm);
        return r;
    }()));
    // Power lamp.
    p.setBrush(QColor(90, 230, 90));
    p.drawEllipse(QPointF(41, 33), 0.9, 0.9);
    return img;
}

QImage Plaatjes::logo(qreal dpr)
{
    const QColor achtergrond(40, 20, 20);
    QImage img = leeg(300, 182, dpr, achtergrond, QImage::Format_RGB32);
    QPainter p(&img);
    zetGlad(p);
    const std::array<QColor, 5> kleuren = {QColor(170, 30, 30), QColor(35, 60, 170), QColor(35, 135, 45),
                                           QColor(205, 110, 20), QColor(120, 40, 145)};
    const qreal straal = 27;
    const qreal y = 86;
    // Shadows first, cast towards the lower right onto the floor the balls stand on.
    for (int i = 0; i < 5; ++i) {
        const QPointF c(30 + 60 * i + 8, y + straal + 3);
        QRadialGradient s(c, 1.0);
        s.setColorAt(0, QColor(0, 0, 0, 190));
        s.setColorAt(0.5, QColor(0, 0, 0, 110));
        s.setColorAt(1, QColor(0, 0, 0, 0));
        p.save();
        p.translate(c);
        p.scale(26, 6.5);
        p.translate(-c);
        p.setPen(Qt::NoPen);
        p.setBrush(s);
        p.drawEllipse(c, 1.0, 1.0);
        p.restore();
    }
    for (int i = 0; i < 5; ++i) {
        const QPointF c(30 + 60 * i, y);
        const QRectF r(c.x() - straal, c.y() - straal, 2 * straal, 2 * straal);
        // Dimly lit: the shadow side sinks into the panel's own colour.
        tekenBol(p, r, kleuren[i], 0.0, maal(achtergrond, 0.6));
        // The letter on a pale disc.
        QRadialGradient schijf(c, 11.5, c - QPointF(4, 4));
        schijf.setColorAt(0, QColor(235, 228, 210));
        schijf.setColorAt(1, QColor(165, 155, 140));
        p.setPen(Qt::NoPen);
        p.setBrush(schijf);
        p.drawEllipse(c, 11, 11);
        p.setBrush(QColor(45, 25, 25));
        p.drawPath(tekstIn(Ballen::kolomLetter(i), QRectF(c.x() - 7, c.y() - 6.5, 14, 13)));
        // A faint highlight on the upper left, clear of the disc.
        const QPointF licht = c - QPointF(13, 13);
        QRadialGradient hl(licht, 4.5);
        hl.setColorAt(0, QColor(255, 255, 255, 170));
        hl.setColorAt(1, QColor(255, 255, 255, 0));
        p.setBrush(hl);
        p.drawEllipse(licht, 4.5, 4.5);
    }
    // A dim veil over the whole: the balls glow faintly rather than shine.
    p.fillRect(QRectF(0, 0, 300, 182), QColor(40, 20, 20, 60));
    return img;
}

QImage Plaatjes::free(qreal schaal)
{
    if (!(schaal > 0) || schaal > 100) schaal = 1.0;
    const int b = std::max(1, qRound(50 * schaal));
    const int h = std::max(1, qRound(40 * schaal));
    QImage img(b, h, QImage::Format_RGB32);
    img.fill(QColor(192, 192, 192));
    QPainter p(&img);
    zetGlad(p);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawPath(tekstIn(QStringLiteral("FREE"), QRectF(b * 0.1, h * 0.28, b * 0.8, h * 0.44)));
    return img;
}

namespace
{
QIcon maakVensterIcoon()
{
    QIcon icoon;
    // The letter's outline is the same at every size: the painter scales it.
    const QRectF vak(20, 15, 26, 34);
    const QPainterPath schaduw = tekstIn(QStringLiteral("B"), vak.translated(1.5, 2));
    const QPainterPath letter = tekstIn(QStringLiteral("B"), vak);
    for (int maat : {16, 24, 32, 48, 64, 128, 256}) {
        QImage img(maat, maat, QImage::Format_ARGB32_Premultiplied);
        img.fill(Qt::transparent);
        QPainter p(&img);
        zetGlad(p);
        p.scale(maat / 64.0, maat / 64.0);
        tekenBol(p, QRectF(1, 1, 62, 62), QColor(215, 20, 20), 0.8);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(90, 0, 0, 170));
        p.drawPath(schaduw);
        p.setBrush(Qt::white);
        p.drawPath(letter);
        p.end();
        icoon.addPixmap(QPixmap::fromImage(img));
    }
    return icoon;
}

// The window's icon, drawn at its seven sizes only when something asks for it: a window
// system that shows icons asks when the window appears, one that shows none never does.
class VensterIcoonMotor : public QIconEngine
{
public:
    QIconEngine* clone() const override { return new VensterIcoonMotor(*this); }
    QString key() const override { return QStringLiteral("ZorvakVenster"); }
    bool isNull() override { return false; }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return icoon().availableSizes(mode, state);
    }
    QPixmap pixmap(const QSize& maat, QIcon::Mode mode, QIcon::State state) override
    {
        return icoon().pixmap(maat, 1.0, mode, state);
    }
    QSize actualSize(const QSize& maat, QIcon::Mode mode, QIcon::State state) override
    {
        return pixmap(maat, mode, state).size();
    }
    void paint(QPainter* p, const QRect& vak, QIcon::Mode mode, QIcon::State state) override
    {
        const qreal dpr = p->device() ? p->device()->devicePixelRatio() : 1.0;
        p->drawPixmap(vak, pixmap(vak.size() * dpr, mode, state));
    }

private:
    const QIcon& icoon()
    {
        if (m_icoon.isNull()) m_icoon = maakVensterIcoon();
        return m_icoon;
    }
    QIcon m_icoon;
};
} // namespace

QIcon Plaatjes::vensterIcoon()
{
    return QIcon(new VensterIcoonMotor);
}

QCursor Plaatjes::hand()
{
    const QScreen* scherm = QGuiApplication::primaryScreen();
    const qreal dpr = scherm ? scherm->devicePixelRatio() : 1.0;
    // Every picture button asks for the hand: it is drawn once per pixel ratio. Kept to the end
    // of the program, so no pixmap outlives the application in a static.
    static QCursor* bewaard = nullptr;
    static qreal bewaardVoor = 0;
    if (bewaard && bewaardVoor == dpr) return *bewaard;
    // The pointing finger, three curled fingers, the thumb and the palm, as one outline.
    static const QPainterPath hand = [] {
        QPainterPath omtrek;
        auto voeg = [&omtrek](const QRectF& r, qreal ronding) {
            QPainterPath deel;
            deel.addRoundedRect(r, ronding, ronding);
            omtrek = omtrek.united(deel);
        };
        voeg(QRectF(8.5, 0.5, 6, 19), 3);
        voeg(QRectF(14, 10, 5.5, 11), 2.7);
        voeg(QRectF(19, 11, 5.5, 11), 2.7);
        voeg(QRectF(24, 12.5, 5, 10), 2.5);
        voeg(QRectF(8.5, 16, 20.5, 13.5), 4.5);
        QPainterPath duim;
        duim.addRoundedRect(QRectF(-3, -2.6, 12, 5.2), 2.6, 2.6);
        return omtrek.united(QTransform().translate(6.5, 19.5).rotate(48).map(duim));
    }();
    QImage img = leeg(32, 32, dpr);
    QPainter p(&img);
    zetGlad(p);
    p.setPen(QPen(Qt::black, 1.1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::white);
    p.drawPath(hand);
    // Folds between the curled fingers.
    p.setPen(QPen(Qt::black, 0.9, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(14.2, 12), QPointF(14.2, 17));
    p.drawLine(QPointF(19.2, 13), QPointF(19.2, 17.5));
    p.drawLine(QPointF(24.2, 14.5), QPointF(24.2, 18));
    p.end();
    // The hot spot is the tip of the pointing finger.
    delete bewaard;
    bewaard = new QCursor(QPixmap::fromImage(img), 11, 1);
    bewaardVoor = dpr;
    return *bewaard;
}
