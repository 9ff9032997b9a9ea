#include "widgets/game/webscherm.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

WebScherm::WebScherm(QWidget* ouder) : QWidget(ouder)
{
    setObjectName(QStringLiteral("WebPic"));
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void WebScherm::zet(const QString& tekst, const QImage& code)
{
    m_tekst = tekst;
    m_code = code;
    update();
}

WebScherm::Indeling WebScherm::indeling(QSize maat, int modules)
{
    const int b = maat.width();
    const int h = maat.height();
    Indeling i;
    i.titel = QRect(0, h * 5 / 100, b, h * 14 / 100);
    i.adres = QRect(0, h * 76 / 100, b, h * 12 / 100);
    i.uitleg = QRect(b / 20, h * 88 / 100, b - b / 10, h * 7 / 100);
    const int ruimte = std::min(b * 8 / 10, i.adres.top() - i.titel.bottom() - h * 4 / 100);
    const int perModule = modules > 0 ? std::max(1, ruimte / modules) : 0;
    const int zijde = modules * perModule;
    i.code = QRect((b - zijde) / 2, i.titel.bottom() + (i.adres.top() - i.titel.bottom() - zijde) / 2, zijde, zijde);
    return i;
}

void WebScherm::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), QColor(16, 32, 74));
    const Indeling i = indeling(size(), m_code.isNull() ? 0 : m_code.width());
    QFont f(QStringLiteral("Arial"));
    f.setBold(true);
    f.setPixelSize(std::max(12, i.titel.height() / 2));
    p.setFont(f);
    p.setPen(QColor(255, 212, 0));
    p.drawText(i.titel, Qt::AlignCenter, QStringLiteral("Het bord op uw telefoon"));
    if (!m_code.isNull()) p.drawImage(i.code, m_code);
    f.setPixelSize(std::max(12, i.adres.height() / 2));
    p.setFont(f);
    p.setPen(Qt::white);
    if (m_code.isNull()) {
        f.setPixelSize(std::max(12, i.adres.height() / 3));
        p.setFont(f);
        p.drawText(rect().adjusted(width() / 10, 0, -width() / 10, 0), Qt::AlignCenter | Qt::TextWordWrap, m_tekst);
    } else {
        p.drawText(i.adres, Qt::AlignCenter, m_tekst);
        f.setBold(false);
        f.setPixelSize(std::max(10, i.uitleg.height() / 2));
        p.setFont(f);
        p.setPen(QColor(200, 210, 235));
        p.drawText(i.uitleg, Qt::AlignCenter | Qt::TextWordWrap,
                   QStringLiteral("Telefoon op het wifi van de zaal, camera op de code, of typ het adres."));
    }
}

void WebScherm::mousePressEvent(QMouseEvent* e)
{
    e->accept();
    emit gesloten();
}
