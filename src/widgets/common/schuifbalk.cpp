#include "widgets/common/schuifbalk.h"

#include "core/screen/twips.h"

#include <QKeyEvent>
#include <QScrollBar>

namespace
{
// Qt's scroll bars keep their controls inverted for the wheel's and the up and down keys' sake,
// which turns only the left and right keys the wrong way; those are turned back here.
class Schuifbalk : public QScrollBar
{
public:
    explicit Schuifbalk(QWidget* ouder) : QScrollBar(Qt::Horizontal, ouder) {}

protected:
    void keyPressEvent(QKeyEvent* e) override
    {
        const bool zijwaarts = e->key() == Qt::Key_Left || e->key() == Qt::Key_Right;
        if (zijwaarts) setInvertedControls(false);
        QScrollBar::keyPressEvent(e);
        if (zijwaarts) setInvertedControls(true);
    }
};
} // namespace

QScrollBar* maakSchuifbalk(QWidget* ouder, const QString& naam, const QRect& twips, int van, int tot)
{
    auto* balk = new Schuifbalk(ouder);
    balk->setObjectName(naam);
    balk->setRange(van, tot);
    balk->setSingleStep(1);
    balk->setPageStep(1);
    balk->setFocusPolicy(Qt::StrongFocus);
    balk->setGeometry(Twips::rect(twips.x(), twips.y(), twips.width(), twips.height()));
    return balk;
}
