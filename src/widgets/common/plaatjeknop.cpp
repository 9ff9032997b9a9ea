#include "widgets/common/plaatjeknop.h"

#include "core/common/wacht.h"
#include "core/screen/twips.h"

#include <QMouseEvent>
#include <QPainter>

PlaatjeKnop::PlaatjeKnop(QWidget* ouder) : QAbstractButton(ouder)
{
    setFocusPolicy(Qt::NoFocus);
}

void PlaatjeKnop::zetPlaatje(const QImage& plaatje)
{
    m_plaatje = plaatje;
    update();
}

void PlaatjeKnop::zetPlaats(int x, int y, int breedte, int hoogte)
{
    m_x = x;
    m_y = y;
    if (m_drukken == 0) m_rustBoven = y;
    m_b = breedte;
    m_h = hoogte;
    setGeometry(Twips::rect(x, y, breedte, hoogte, m_schaal));
}

void PlaatjeKnop::zetSchaal(qreal schaal)
{
    if (schaal <= 0) return;
    m_schaal = schaal;
    zetPlaats(m_x, m_y, m_b, m_h);
    update();
}

void PlaatjeKnop::zetPositie(int x, int y)
{
    zetPlaats(x, y, m_b, m_h);
}

bool PlaatjeKnop::druk()
{
    const int links = m_x;
    ++m_drukken;
    zetPositie(links + 30, m_rustBoven + 30);
    const bool verder = Wacht(0.2);
    zetPositie(links, m_rustBoven);
    --m_drukken;
    return verder;
}

QSize PlaatjeKnop::sizeHint() const
{
    return Twips::rect(0, 0, m_b, m_h, m_schaal).size();
}

void PlaatjeKnop::paintEvent(QPaintEvent*)
{
    if (m_plaatje.isNull()) return;
    QPainter p(this);
    // Like a picture control: the picture at its own size from the top-left corner.
    if (m_schaal == 1.0) {
        p.drawImage(QPoint(0, 0), m_plaatje);
        return;
    }
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(QRectF(QPointF(0, 0), m_plaatje.deviceIndependentSize() * m_schaal), m_plaatje);
}

void PlaatjeKnop::mouseDoubleClickEvent(QMouseEvent* e)
{
    e->accept();
}
