#include "widgets/game/achtergrond.h"

#include "core/common/veiligbestand.h"
#include "core/screen/plaatjes.h"

#include <QBuffer>
#include <QImageReader>
#include <QPaintEvent>
#include <QPainter>

Achtergrond::Achtergrond(QWidget* ouder) : QWidget(ouder)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

namespace
{
// Read whole first, from a regular file only: a FIFO named as the background would block the
// program before its window appears. No picture of a hall comes near the limit.
std::optional<QByteArray> leesBestand(const QString& pad)
{
    return VeiligBestand::lees(pad, qint64(256) << 20);
}

// A JPEG, BMP or GIF picture as RGB32; null when the bytes are none of those.
QImage decodeer(QByteArray inhoud)
{
    QBuffer buffer(&inhoud);
    buffer.open(QIODevice::ReadOnly);
    QImageReader lezer(&buffer);
    const QByteArray soort = lezer.format().toLower();
    if (soort != "jpeg" && soort != "jpg" && soort != "bmp" && soort != "gif") return {};
    const QImage beeld = lezer.read();
    if (beeld.isNull()) return {};
    return beeld.convertToFormat(QImage::Format_RGB32);
}
} // namespace

bool Achtergrond::laad(const QString& pad)
{
    bron();
    const std::optional<QByteArray> inhoud = leesBestand(pad);
    if (!inhoud) return false;
    QImage beeld = decodeer(*inhoud);
    if (beeld.isNull()) return false;
    m_bron = beeld;
    m_geschaald = QImage();
    update();
    return true;
}

void Achtergrond::laadVooruit(const QString& pad)
{
    bron();
    std::optional<QByteArray> inhoud = leesBestand(pad);
    if (!inhoud) return;
    m_komend = std::async(std::launch::async, decodeer, std::move(*inhoud));
    m_geschaald = QImage();
    update();
}

const QImage& Achtergrond::bron() const
{
    if (m_komend.valid()) {
        QImage beeld = m_komend.get();
        if (!beeld.isNull()) m_bron = beeld;
    }
    return m_bron;
}

void Achtergrond::wisPlaatje()
{
    bron();
    m_bron = QImage();
    m_geschaald = QImage();
    update();
}

void Achtergrond::paintEvent(QPaintEvent* e)
{
    QPainter p(this);
    if (bron().isNull()) {
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
