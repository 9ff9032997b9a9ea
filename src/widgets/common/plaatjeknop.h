#pragma once

#include <QAbstractButton>
#include <QImage>

// A button that is only a picture, placed in twips; the picture shows at its own size (times
// the button's scale).
// It keeps its look when disabled: it only stops answering.
class PlaatjeKnop : public QAbstractButton
{
    Q_OBJECT
public:
    explicit PlaatjeKnop(QWidget* ouder = nullptr);

    void zetPlaatje(const QImage& plaatje);
    const QImage& plaatje() const { return m_plaatje; }

    // Position and size in twips, in the parent's coordinates.
    void zetPlaats(int x, int y, int breedte, int hoogte);
    void zetPositie(int x, int y);
    int twipsX() const { return m_x; }
    int twipsY() const { return m_y; }
    // Shows the button schaal times its size in twips. A picture made at schaal times the
    // screen's pixel ratio then lands one to one on the device pixels.
    void zetSchaal(qreal schaal);

    QSize sizeHint() const override;

    // The press of every picture button: 30 twips right and down for 0.2 seconds, then back to
    // the place it rests. Each press remembers where it began, so a second press during the
    // first ends where the first began. False when the program is ending meanwhile.
    bool druk();

protected:
    void paintEvent(QPaintEvent*) override;
    // A double-click is one click and a double-click, never a second command.
    void mouseDoubleClickEvent(QMouseEvent* e) override;

private:
    QImage m_plaatje;
    int m_x = 0, m_y = 0, m_b = 720, m_h = 720;
    int m_rustBoven = 0; // the top it rests at, outside a press
    int m_drukken = 0;   // presses running
    qreal m_schaal = 1.0;
};
