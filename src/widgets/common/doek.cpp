#include "widgets/common/doek.h"

#include "core/screen/twips.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QScreen>

#include <cmath>

namespace
{
int vloer15(int twips)
{
    return static_cast<int>(std::floor(twips / 15.0));
}
} // namespace

Doek::Doek(QWidget* ouder, QColor achtergrond) : QWidget(ouder), m_achtergrond(achtergrond)
{
    if (auto* scherm = QGuiApplication::primaryScreen()) m_dpr = scherm->devicePixelRatio();
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void Doek::zetPlaats(int x, int y, int breedte, int hoogte)
{
    m_x = x;
    m_y = y;
    m_b = breedte;
    m_h = hoogte;
    setGeometry(Twips::rect(x, y, breedte, hoogte, m_schaal));
    volgMaat(); // a hidden widget hears of its new size only when shown
}

void Doek::zetSchaal(qreal schaal, qreal dpr)
{
    if (schaal <= 0 || dpr <= 0) return;
    if (qFuzzyCompare(schaal, m_schaal) && qFuzzyCompare(dpr, m_dpr)) return;
    m_schaal = schaal;
    m_dpr = dpr;
    m_beeld = QImage();
    setGeometry(Twips::rect(m_x, m_y, m_b, m_h, m_schaal));
    update();
}

void Doek::zetPositie(int x, int y)
{
    zetPlaats(x, y, m_b, m_h);
}

QSize Doek::beeldMaat() const
{
    return QSize(std::max(1, qRound(width() * m_dpr)), std::max(1, qRound(height() * m_dpr)));
}

void Doek::volgMaat()
{
    if (!m_beeld.isNull()) maakBeeld();
}

QImage& Doek::maakBeeld() const
{
    const QSize grootte = beeldMaat();
    if (m_beeld.size() == grootte) return m_beeld;
    QImage nieuw(grootte, QImage::Format_RGB32);
    nieuw.fill(m_achtergrond);
    if (!m_beeld.isNull()) {
        QPainter p(&nieuw);
        p.drawImage(QPoint(0, 0), m_beeld);
    }
    m_beeld = nieuw;
    return m_beeld;
}

void Doek::zetAchtergrond(QColor kleur)
{
    m_achtergrond = kleur;
    wis();
}

void Doek::wis()
{
    // A canvas that was never drawn on is its background already; it is made when drawn on.
    if (!m_beeld.isNull()) m_beeld.fill(m_achtergrond);
    update();
}

int Doek::px(int twips) const
{
    return qRound(vloer15(twips) * beeldFactor());
}

QRect Doek::blok(int x1, int y1, int x2, int y2) const
{
    const int l = std::min(x1, x2), r = std::max(x1, x2);
    const int b = std::min(y1, y2), o = std::max(y1, y2);
    return QRect(QPoint(px(l), px(b)), QPoint(px(r + 15) - 1, px(o + 15) - 1));
}

void Doek::lijn(int x1, int y1, int x2, int y2, QColor kleur)
{
    if (x1 == x2 || y1 == y2) {
        vul(x1, y1, x2, y2, kleur);
        return;
    }
    {
        QPainter p(&maakBeeld());
        p.scale(beeldFactor(), beeldFactor());
        p.setPen(QPen(kleur, 1.0, Qt::SolidLine, Qt::SquareCap));
        p.drawLine(QPointF(vloer15(x1) + 0.5, vloer15(y1) + 0.5), QPointF(vloer15(x2) + 0.5, vloer15(y2) + 0.5));
    }
    update();
}

void Doek::kader(int x1, int y1, int x2, int y2, QColor kleur)
{
    const int l = std::min(x1, x2), r = std::max(x1, x2);
    const int b = std::min(y1, y2), o = std::max(y1, y2);
    vul(l, b, r, b, kleur);
    vul(l, o, r, o, kleur);
    vul(l, b, l, o, kleur);
    vul(r, b, r, o, kleur);
}

void Doek::vul(int x1, int y1, int x2, int y2, QColor kleur)
{
    {
        QPainter p(&maakBeeld());
        p.fillRect(blok(x1, y1, x2, y2), kleur);
    }
    update();
}

void Doek::tekst(int x, int y, const QString& tekst, const QFont& lettertype, QColor kleur)
{
    teken([&](QPainter& p) {
        p.setRenderHint(QPainter::TextAntialiasing);
        p.setFont(lettertype);
        p.setPen(kleur);
        const QFontMetricsF maat(lettertype);
        p.drawText(QPointF(x, y + maat.ascent()), tekst);
    });
}

void Doek::plaatje(const QImage& beeld, int x, int y, int breedte, int hoogte)
{
    if (beeld.isNull()) return;
    {
        QPainter p(&maakBeeld());
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        const QRect doel(px(x), px(y), qRound(Twips::naarPixels(breedte) * beeldFactor()),
                         qRound(Twips::naarPixels(hoogte) * beeldFactor()));
        QImage bron = beeld;
        bron.setDevicePixelRatio(1.0);
        p.drawImage(doel, bron);
    }
    update();
}

void Doek::stippen(int x0, int y0, int x1, int y1, int stap, QColor kleur)
{
    // The dots lie on the logical grid. On a screen scaled by a fraction (125 %, 150 %) one
    // period is no whole number of device pixels, so the tile spans as many periods as it
    // takes to end on a whole pixel again.
    const int d = std::max(1, qRound(beeldFactor()));
    const double periode = std::max(1, vloer15(stap)) * beeldFactor();
    int keer = 1;
    while (keer < 16 && std::fabs(keer * periode - std::round(keer * periode)) > 1e-6)
        ++keer;
    const int tegelMaat = std::max(1, static_cast<int>(std::lround(keer * periode)));
    QImage tegel(tegelMaat, tegelMaat, QImage::Format_ARGB32_Premultiplied);
    tegel.fill(Qt::transparent);
    {
        QPainter t(&tegel);
        for (int i = 0; i < keer; ++i)
            for (int j = 0; j < keer; ++j)
                t.fillRect(
                    QRect(static_cast<int>(std::lround(i * periode)), static_cast<int>(std::lround(j * periode)), d, d),
                    kleur);
    }
    {
        QPainter p(&maakBeeld());
        QBrush kwast(tegel);
        p.setBrushOrigin(px(x0), px(y0));
        p.fillRect(blok(x0, y0, x1, y1), kwast);
    }
    update();
}

QColor Doek::pixel(int x, int y) const
{
    const QPoint punt(px(x), px(y));
    const QImage& beeld = maakBeeld();
    return beeld.rect().contains(punt) ? beeld.pixelColor(punt) : QColor();
}

QImage Doek::deel(int x, int y, int breedte, int hoogte) const
{
    return maakBeeld().copy(px(x), px(y), qRound(Twips::naarPixels(breedte) * beeldFactor()),
                            qRound(Twips::naarPixels(hoogte) * beeldFactor()));
}

void Doek::paintEvent(QPaintEvent* e)
{
    // The image holds device pixels; drawn into the logical rectangle they land one to one.
    // Only the part that needs painting is copied.
    QPainter p(this);
    if (m_beeld.isNull()) {
        p.fillRect(e->rect(), m_achtergrond);
        return;
    }
    const QRectF doel(e->rect());
    const QRectF bron(doel.x() * m_dpr, doel.y() * m_dpr, doel.width() * m_dpr, doel.height() * m_dpr);
    p.drawImage(doel, m_beeld, bron);
}

QPoint Doek::inTwips(QPointF pos) const
{
    return QPoint(Twips::vanPixels(pos.x(), m_schaal), Twips::vanPixels(pos.y(), m_schaal));
}

QImage Doek::beeld() const
{
    QImage kopie = maakBeeld();
    kopie.setDevicePixelRatio(beeldFactor());
    return kopie;
}

void Doek::resizeEvent(QResizeEvent*)
{
    volgMaat();
}

void Doek::mousePressEvent(QMouseEvent* e)
{
    m_ingedrukt = true;
    emit muisIngedrukt(inTwips(e->position()), e->button());
}

void Doek::mouseReleaseEvent(QMouseEvent* e)
{
    const bool klik = m_ingedrukt && rect().contains(e->position().toPoint());
    m_ingedrukt = false;
    if (klik) emit geklikt();
}

// Qt delivers the second press of a double-click as a double-click: it is a press all the
// same. It does not make a second click of the pair.
void Doek::mouseDoubleClickEvent(QMouseEvent* e)
{
    emit muisIngedrukt(inTwips(e->position()), e->button());
    emit dubbelGeklikt();
}

void Doek::keyPressEvent(QKeyEvent* e)
{
    emit toetsIngedrukt(e->key(), e->isAutoRepeat());
    e->accept();
}
