#include "widgets/common/stijl.h"

#include <QApplication>
#include <QPainter>
#include <QPointer>
#include <QPolygonF>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOption>

namespace
{
const char* const schaalNaam = "zorvakSchaal";

bool groot(const QWidget* w)
{
    return w && w->property(schaalNaam).toDouble() > 1.5;
}

// Fusion draws the panel of a button, and of a list that cannot be typed in, as a gradient.
// Here that panel is one flat colour; everything else (text, arrow, focus) stays Fusion's.
class VlakkeStijl : public QProxyStyle
{
public:
    VlakkeStijl() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

    void drawPrimitive(PrimitiveElement element, const QStyleOption* optie, QPainter* p,
                       const QWidget* w) const override
    {
        if (element != PE_PanelButtonCommand) {
            QProxyStyle::drawPrimitive(element, optie, p, w);
            return;
        }
        const QColor kleur = optie->palette.color(QPalette::Button);
        const bool ingedrukt = optie->state & (State_Sunken | State_On);
        const QRect r = optie->rect.adjusted(0, 0, -1, -1);
        p->save();
        p->setRenderHint(QPainter::Antialiasing, false);
        p->fillRect(optie->rect, ingedrukt ? kleur.darker(115) : kleur);
        p->setPen((optie->state & State_HasFocus) ? QColor(Qt::black) : kleur.darker(170));
        p->setBrush(Qt::NoBrush);
        p->drawRect(r);
        p->restore();
    }

    QRect subControlRect(ComplexControl cc, const QStyleOptionComplex* optie, SubControl sc,
                         const QWidget* w) const override
    {
        QRect r = QProxyStyle::subControlRect(cc, optie, sc, w);
        if (cc != CC_ComboBox || !groot(w)) return r;
        const int pijl = optie->rect.height();
        if (sc == SC_ComboBoxArrow) return {optie->rect.right() - pijl + 1, optie->rect.top(), pijl, pijl};
        if (sc == SC_ComboBoxEditField) r.setRight(optie->rect.right() - pijl);
        return r;
    }

    void drawComplexControl(ComplexControl cc, const QStyleOptionComplex* optie, QPainter* p,
                            const QWidget* w) const override
    {
        QProxyStyle::drawComplexControl(cc, optie, p, w);
        if (cc != CC_ComboBox || !groot(w)) return;
        // The style's small arrow gives way to one that fits the list's height.
        const QRectF vak = subControlRect(cc, optie, SC_ComboBoxArrow, w).adjusted(1, 1, -1, -1);
        const double b = vak.height() * 0.36;
        const QPointF m = vak.center();
        p->save();
        p->setRenderHint(QPainter::Antialiasing);
        p->fillRect(vak, optie->palette.color(QPalette::Button));
        p->setPen(Qt::NoPen);
        p->setBrush(optie->palette.color(QPalette::ButtonText));
        p->drawPolygon(QPolygonF({m + QPointF(-b / 2, -b / 4), m + QPointF(b / 2, -b / 4), m + QPointF(0, b / 4)}));
        p->restore();
    }
};

} // namespace

void zetProgrammaStijl()
{
    if (QStyle* stijl = QStyleFactory::create(QStringLiteral("Fusion"))) QApplication::setStyle(stijl);
}

QStyle* vlakkeStijl()
{
    // Made once per application and ended with it.
    static QPointer<QStyle> stijl;
    if (!stijl) {
        stijl = new VlakkeStijl;
        stijl->setParent(qApp);
    }
    return stijl;
}

void maakVlak(QWidget* w)
{
    w->setStyle(vlakkeStijl());
}

void zetLijstSchaal(QWidget* lijst, double schaal)
{
    lijst->setProperty(schaalNaam, schaal);
    lijst->update();
}
