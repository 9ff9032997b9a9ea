#pragma once

#include <QImage>
#include <QWidget>

// What the stage shows the hall between rounds: where to open the board on a phone, the
// address large and its code for the camera. It covers the stage until a key or a click.
class WebScherm : public QWidget
{
    Q_OBJECT
public:
    explicit WebScherm(QWidget* ouder = nullptr);

    // The address, and its code (a null image: the text alone); without an address, why there
    // is none.
    void zet(const QString& tekst, const QImage& code);
    QString tekst() const { return m_tekst; }
    QImage code() const { return m_code; }

    // Where the parts go on a stage of this size: the code as a square of whole pixels per
    // module, centred, the title above, the address below it and how to open it under that.
    struct Indeling {
        QRect titel;
        QRect code;
        QRect adres;
        QRect uitleg;
    };
    static Indeling indeling(QSize maat, int modules);

signals:
    void gesloten();

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;

private:
    QString m_tekst;
    QImage m_code;
};
