#pragma once

#include <QImage>
#include <QWidget>

// The background of the main window: a picture stretched over the whole screen.
class Achtergrond : public QWidget
{
    Q_OBJECT
public:
    explicit Achtergrond(QWidget* ouder = nullptr);

    // Loads a JPEG, BMP or GIF picture; false (and the picture stays as it was) when the
    // file is missing or is no picture.
    bool laad(const QString& pad);
    void wisPlaatje();
    bool heeftPlaatje() const { return !m_bron.isNull(); }
    const QImage& plaatje() const { return m_bron; }

signals:
    void dubbelGeklikt();

protected:
    void paintEvent(QPaintEvent*) override;
    void mouseDoubleClickEvent(QMouseEvent*) override;

private:
    QImage m_bron;
    QImage m_geschaald; // the picture at the widget's device size, made once per size
};
