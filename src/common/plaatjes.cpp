#include "common/plaatjes.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace {
QImage leeg(int b, int h, qreal dpr, QColor achtergrond = Qt::transparent)
{
    QImage img(qRound(b * dpr), qRound(h * dpr), QImage::Format_ARGB32_Premultiplied);
    img.setDevicePixelRatio(dpr);
    img.fill(achtergrond);
    return img;
}

constexpr std::array<QRgb, 8> balKleuren = {qRgb(124, 65, 47), qRgb(37, 175, 196), qRgb(194, 194, 3),
                                            qRgb(160, 160, 161), qRgb(2, 169, 2),   qRgb(174, 69, 173),
                                            qRgb(195, 2, 2),     qRgb(42, 2, 134)};

QImage rondeKnop(QColor kleur, qreal dpr)
{
    QImage img = leeg(48, 48, dpr);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(kleur);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QRectF(3, 3, 42, 42));
    return img;
}
} // namespace

QColor Plaatjes::balKleur(int index)
{
    return index >= 1 && index <= aantalBallen ? QColor(balKleuren[index - 1]) : QColor();
}

QImage Plaatjes::bal(int index, qreal dpr)
{
    if (index < 1 || index > aantalBallen)
        return {};
    QImage img = leeg(60, 60, dpr, bordKleur);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor kleur = balKleur(index);
    QRadialGradient g(QPointF(22, 22), 40);
    g.setColorAt(0, kleur.lighter(150));
    g.setColorAt(1, kleur.darker(170));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(QRectF(0.5, 0.5, 59, 59));
    return img;
}

QImage Plaatjes::helpKnop(qreal dpr) { return rondeKnop(QColor(200, 30, 30), dpr); }
QImage Plaatjes::printer(int grootte, qreal dpr) { return leeg(grootte, grootte, dpr, Qt::lightGray); }
QImage Plaatjes::tandwielen(qreal dpr) { return leeg(48, 48, dpr, Qt::gray); }
QImage Plaatjes::startPijlen(qreal dpr) { return leeg(48, 48, dpr, Qt::darkGreen); }
QImage Plaatjes::exitKnop(qreal dpr) { return rondeKnop(QColor(200, 30, 30), dpr); }
QImage Plaatjes::verklein(qreal dpr) { return leeg(26, 18, dpr, Qt::darkGray); }
QImage Plaatjes::pdfIcoon(qreal dpr) { return leeg(48, 48, dpr, Qt::white); }
QImage Plaatjes::dpiIcoon(qreal dpr) { return leeg(48, 48, dpr, Qt::black); }
QImage Plaatjes::logo(qreal dpr) { return leeg(300, 182, dpr, QColor(40, 20, 20)); }

QImage Plaatjes::free(qreal schaal)
{
    QImage img = leeg(qRound(50 * schaal), qRound(40 * schaal), 1.0, QColor(190, 190, 190));
    QPainter p(&img);
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(qRound(16 * schaal));
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::black);
    p.drawText(img.rect(), Qt::AlignCenter, QStringLiteral("FREE"));
    return img;
}

QImage Plaatjes::startPatroon()
{
    QImage img(43, 43, QImage::Format_RGB32);
    img.fill(QColor(40, 40, 60));
    for (int i = 0; i < 5; ++i)
        for (int j = 0; j < 5; ++j) {
            const int x = 7 + 7 * j, y = 7 + 7 * i;
            for (int a = 0; a <= 7; ++a) {
                img.setPixel(x + a, y, qRgb(0, 0, 0));
                img.setPixel(x + a, y + 7, qRgb(0, 0, 0));
                img.setPixel(x, y + a, qRgb(0, 0, 0));
                img.setPixel(x + 7, y + a, qRgb(0, 0, 0));
            }
            const QRgb binnen = (i == j || i + j == 4) ? qRgb(200, 0, 0) : qRgb(255, 255, 255);
            for (int a = 1; a < 7; ++a)
                for (int b = 1; b < 7; ++b)
                    img.setPixel(x + a, y + b, binnen);
        }
    return img;
}

QIcon Plaatjes::vensterIcoon() { return QIcon(QPixmap::fromImage(bal(7, 1.0))); }
QCursor Plaatjes::hand() { return QCursor(Qt::PointingHandCursor); }
