#include "widgets/common/stijl.h"

#include <QApplication>
#include <QPainter>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOption>

namespace
{

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
