#include "common/plaatjeknop_w.h"

#include "common/twips.h"

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
    m_b = breedte;
    m_h = hoogte;
    setGeometry(Twips::rect(x, y, breedte, hoogte));
}

void PlaatjeKnop::zetPositie(int x, int y)
{
    zetPlaats(x, y, m_b, m_h);
}

QSize PlaatjeKnop::sizeHint() const
{
    return Twips::rect(0, 0, m_b, m_h).size();
}

void PlaatjeKnop::paintEvent(QPaintEvent*)
{
    if (m_plaatje.isNull()) return;
    QPainter p(this);
    // Like a picture control: the picture at its own size from the top-left corner.
    p.drawImage(QPoint(0, 0), m_plaatje);
}

void PlaatjeKnop::mouseDoubleClickEvent(QMouseEvent* e)
{
    e->accept();
}
