#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QWidget>

// A picture box that keeps what is drawn on it: it owns an image at the screen's resolution
// and offers its drawing operations in twips. Geometry (lines, boxes) lands on the 96-dpi grid
// of logical pixels, so it looks the same on every screen; text and pictures use every
// device pixel there is.
class Doek : public QWidget
{
    Q_OBJECT
public:
    explicit Doek(QWidget* ouder = nullptr, QColor achtergrond = Qt::white);

    // Position and size in twips, in the parent's coordinates.
    void zetPlaats(int x, int y, int breedte, int hoogte);
    // Shows the canvas schaal times its size in twips (the main window's stage on a screen
    // other than 1024 x 768), on a screen with this device pixel ratio. A change clears the
    // drawing: whoever draws on the canvas draws again, at the new resolution.
    void zetSchaal(qreal schaal, qreal dpr);
    void zetPositie(int x, int y);
    int twipsX() const { return m_x; }
    int twipsY() const { return m_y; }
    int twipsBreedte() const { return m_b; }
    int twipsHoogte() const { return m_h; }

    // A new background colour clears everything drawn, as does wis().
    void zetAchtergrond(QColor kleur);
    QColor achtergrond() const { return m_achtergrond; }
    void wis();

    // Corners are included: a box from (0,0) to (15,15) covers two pixels each way.
    void lijn(int x1, int y1, int x2, int y2, QColor kleur);
    void kader(int x1, int y1, int x2, int y2, QColor kleur);
    void vul(int x1, int y1, int x2, int y2, QColor kleur);
    // Text whose line box has its top-left corner at (x, y); the font is sized in twips.
    void tekst(int x, int y, const QString& tekst, const QFont& lettertype, QColor kleur);
    // A picture stretched into the box of the given size in twips.
    void plaatje(const QImage& beeld, int x, int y, int breedte, int hoogte);
    // One dot every stap twips in both directions, starting at (x0, y0), up to (x1, y1):
    // a texture drawn in one pass.
    void stippen(int x0, int y0, int x1, int y1, int stap, QColor kleur);

    QColor pixel(int x, int y) const;
    // A part of the drawing, at device resolution.
    QImage deel(int x, int y, int breedte, int hoogte) const;
    // The drawing at device resolution, carrying the screen's pixel ratio.
    QImage beeld() const;
    // The same drawing without a copy, for a view that scales it anyway.
    const QImage& tekening() const { return maakBeeld(); }
    qreal dpr() const { return m_dpr; }
    // Device pixels per 96-dpi pixel of the design: the ratio a picture for this canvas is made at.
    qreal beeldFactor() const { return m_dpr * m_schaal; }

    // Draw freely with a painter whose unit is the twip.
    template <class F> void teken(F&& f)
    {
        {
            QPainter p(&maakBeeld());
            p.scale(beeldFactor() / 15.0, beeldFactor() / 15.0);
            f(p);
        }
        update();
    }

signals:
    // Every press, the second of a double-click too.
    void muisIngedrukt(QPoint twips, Qt::MouseButton knop);
    void geklikt();
    void dubbelGeklikt();
    void toetsIngedrukt(int toets, bool herhaling);

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;
    void mouseDoubleClickEvent(QMouseEvent*) override;
    void keyPressEvent(QKeyEvent*) override;

private:
    int px(int twips) const; // device pixel where a twip position falls, snapped to the logical grid
    QRect blok(int x1, int y1, int x2, int y2) const;
    QSize beeldMaat() const;
    // The image at the canvas's present size, made when first needed: what was drawn stays,
    // new room is the background colour.
    QImage& maakBeeld() const;
    // A point of the widget in twips of the design.
    QPoint inTwips(QPointF pos) const;
    // A new size reaches an image already made; one not made yet waits until it is drawn on.
    void volgMaat();

    // Device pixels; kept at ratio 1 so painting on it needs no second scale. Empty until the
    // first drawing: until then the canvas is all background.
    mutable QImage m_beeld;
    QColor m_achtergrond;
    qreal m_dpr = 1.0;
    qreal m_schaal = 1.0;
    int m_x = 0, m_y = 0, m_b = 0, m_h = 0;
    bool m_ingedrukt = false;
};
