#pragma once

#include <QImage>
#include <QWidget>

#include <future>

// The background of the main window: a picture stretched over the whole screen.
class Achtergrond : public QWidget
{
    Q_OBJECT
public:
    explicit Achtergrond(QWidget* ouder = nullptr);

    // Loads a JPEG, BMP or GIF picture; false (and the picture stays as it was) when the
    // file is missing or is no picture.
    bool laad(const QString& pad);
    // The same at start-up, without waiting: the picture is decoded beside the building of the
    // window and is there by the time anything paints or asks for it. No answer: a file that is
    // no picture shows none.
    void laadVooruit(const QString& pad);
    void wisPlaatje();
    bool heeftPlaatje() const { return !bron().isNull(); }
    const QImage& plaatje() const { return bron(); }

signals:
    void dubbelGeklikt();

protected:
    void paintEvent(QPaintEvent*) override;
    void mouseDoubleClickEvent(QMouseEvent*) override;

private:
    // The picture, after the one decoded beside the start has come in.
    const QImage& bron() const;

    mutable QImage m_bron;
    mutable std::future<QImage> m_komend;
    QImage m_geschaald; // the picture at the widget's device size, made once per size
};
