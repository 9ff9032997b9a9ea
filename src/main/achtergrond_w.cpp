#include "main/achtergrond_w.h"

#include "common/plaatjes.h"
#include "common/veiligbestand.h"

#include <QBuffer>
#include <QImageReader>
#include <QPaintEvent>
#include <QPainter>

Achtergrond::Achtergrond(QWidget* ouder) : QWidget(ouder)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

bool Achtergrond::laad(const QString& pad)
{
    // Read whole first, from a regular file only: a FIFO named as the background would block the
    // program before its window appears. No picture of a hall comes near the limit.
    std::optional<QByteArray> inhoud = VeiligBestand::lees(pad, qint64(256) << 20);
    if (!inhoud) return false;
    QBuffer buffer(&*inhoud);
    buffer.open(QIODevice::ReadOnly);
    QImageReader lezer(&buffer);
    const QByteArray soort = lezer.format().toLower();
    if (soort != "jpeg" && soort != "jpg" && soort != "bmp" && soort != "gif") return false;
    QImage beeld = lezer.read();
    if (beeld.isNull()) return false;
    m_bron = beeld.convertToFormat(QImage::Format_RGB32);
    m_geschaald = QImage();
    update();
    return true;
}

void Achtergrond::wisPlaatje()
{
    m_bron = QImage();
    m_geschaald = QImage();
    update();
}

void Achtergrond::paintEvent(QPaintEvent* e)
{
    QPainter p(this);
    if (m_bron.isNull()) {
        p.fillRect(e->rect(), Plaatjes::bordKleur);
        return;
    }
    const qreal dpr = devicePixelRatioF();
    const QSize doel(qRound(width() * dpr), qRound(height() * dpr));
    if (m_geschaald.size() != doel) {
        m_geschaald = m_bron.scaled(doel, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        m_geschaald.setDevicePixelRatio(dpr);
    }
    p.drawImage(QPoint(0, 0), m_geschaald);
}

void Achtergrond::mouseDoubleClickEvent(QMouseEvent*)
{
    emit dubbelGeklikt();
}
