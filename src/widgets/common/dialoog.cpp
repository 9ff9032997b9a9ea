#include "widgets/common/dialoog.h"

#include "core/screen/toneel.h"
#include "core/screen/twips.h"
#include "widgets/common/doek.h"
#include "widgets/common/stijl.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QPointer>
#include <QPushButton>
#include <QScreen>

namespace
{
QPointer<QWidget> g_thuis;
} // namespace

void zetDialoogThuis(QWidget* thuis)
{
    g_thuis = thuis;
}

QWidget* dialoogThuis()
{
    return g_thuis.data();
}

void richtDialoogIn(QDialog& dialoog, const QString& naam, const QString& titel, int buitenBreedte, int buitenHoogte)
{
    dialoog.setObjectName(naam);
    dialoog.setWindowTitle(titel);
    if (QWidget* thuis = dialoogThuis(); thuis && dialoog.parentWidget() != thuis) dialoog.setParent(thuis);
    dialoog.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                           Qt::MSWindowsFixedSizeDialogHint);
    dialoog.setModal(true);
    dialoog.setFixedSize(Twips::dialoogBinnenmaat(buitenBreedte, buitenHoogte));
    dialoog.setAutoFillBackground(true);
    QPalette pal = dialoog.palette();
    pal.setColor(QPalette::Window, dialoogKleur);
    dialoog.setPalette(pal);
    centreerDialoog(dialoog, buitenBreedte, buitenHoogte);
}

void centreerDialoog(QDialog& dialoog, int buitenBreedte, int buitenHoogte)
{
    QWidget* ouder = dialoog.parentWidget();
    QScreen* scherm = ouder && ouder->screen() ? ouder->screen() : QGuiApplication::primaryScreen();
    if (!scherm) return;
    const QRect g = scherm->geometry();
    const QSize buiten = Twips::rect(0, 0, buitenBreedte, buitenHoogte).size();
    dialoog.move(g.x() + (g.width() - buiten.width()) / 2, g.y() + (g.height() - buiten.height()) / 2);
}

double dialoogFactor(QSize scherm)
{
    const double f = Toneel::schaal(scherm);
    return f > 1.5 ? f : 1.0;
}

namespace
{
QFont groter(QFont f, double factor)
{
    if (f.pixelSize() > 0)
        f.setPixelSize(std::max(1, static_cast<int>(std::lround(f.pixelSize() * factor))));
    else
        f.setPointSizeF(f.pointSizeF() * factor);
    return f;
}

QRect groter(const QRect& r, double f)
{
    const auto n = [f](int v) { return static_cast<int>(std::lround(v * f)); };
    return {QPoint(n(r.left()), n(r.top())), QPoint(n(r.right() + 1) - 1, n(r.bottom() + 1) - 1)};
}

// Everything in the dialog f times as large. Controls placed by hand get their place and size
// scaled; those in a layout follow their fonts. A canvas keeps its drawing, scaled with it,
// until it is drawn again.
void vergroot(QWidget& dialoog, double f)
{
    const QList<QWidget*> delen = dialoog.findChildren<QWidget*>();
    QList<QPair<QWidget*, QFont>> letters;
    for (QWidget* w : delen)
        if (w->testAttribute(Qt::WA_SetFont)) letters.append({w, w->font()});
    dialoog.setFont(groter(dialoog.font(), f));
    for (const auto& [w, font] : letters)
        w->setFont(groter(font, f));
    for (QWidget* w : delen) {
        QWidget* ouder = w->parentWidget();
        if (w->isWindow() || !ouder || ouder->layout()) continue;
        if (auto* doek = qobject_cast<Doek*>(w)) {
            const QImage was = doek->beeld();
            doek->zetSchaal(f, doek->dpr());
            doek->plaatje(was, 0, 0, doek->twipsBreedte(), doek->twipsHoogte());
            continue;
        }
        const QRect nieuw = groter(w->geometry(), f);
        if (w->minimumSize() == w->maximumSize()) w->setFixedSize(nieuw.size());
        w->setGeometry(nieuw);
    }
    if (!dialoog.layout()) {
        const QSize maat = groter(QRect(QPoint(0, 0), dialoog.size()), f).size();
        if (dialoog.minimumSize() == dialoog.maximumSize())
            dialoog.setFixedSize(maat);
        else
            dialoog.resize(maat);
        if (QScreen* scherm = dialoog.screen()) {
            const QRect g = scherm->availableGeometry();
            dialoog.move(g.x() + (g.width() - maat.width()) / 2, g.y() + (g.height() - maat.height()) / 2);
        }
    }
}

class DialoogSchaal : public QObject
{
public:
    using QObject::QObject;
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() != QEvent::Show) return false;
        auto* dialoog = qobject_cast<QDialog*>(o);
        if (!dialoog || dialoog->property(geschaald).isValid()) return false;
        QWidget* ouder = dialoog->parentWidget();
        QScreen* scherm = ouder && ouder->screen() ? ouder->screen() : dialoog->screen();
        const double f = scherm ? dialoogFactor(scherm->geometry().size()) : 1.0;
        dialoog->setProperty(geschaald, f);
        if (f > 1.0) vergroot(*dialoog, f);
        return false;
    }
    static constexpr const char* geschaald = "zorvakGeschaald";
};
} // namespace

void schaalDialogen()
{
    static DialoogSchaal* filter = nullptr;
    if (filter || !qApp) return;
    filter = new DialoogSchaal(qApp);
    qApp->installEventFilter(filter);
}

void zetKleur(QWidget* w, QPalette::ColorRole rol, QColor kleur)
{
    QPalette pal = w->palette();
    pal.setColor(rol, kleur);
    w->setPalette(pal);
}

QLabel* dialoogTekst(QWidget* ouder, const QString& naam, const QString& tekst, double punten)
{
    auto* label = new QLabel(tekst, ouder);
    label->setObjectName(naam);
    label->setFont(Twips::schermLettertype(QStringLiteral("Arial"), punten));
    zetKleur(label, QPalette::WindowText, dialoogTekstKleur);
    label->setAttribute(Qt::WA_TranslucentBackground);
    label->adjustSize();
    return label;
}

QPushButton* dialoogKnop(QWidget* ouder, const QString& naam, const QString& tekst, QColor kleur)
{
    auto* knop = new QPushButton(tekst, ouder);
    knop->setObjectName(naam);
    knop->setFont(Twips::schermLettertype(QStringLiteral("Arial"), 8.25));
    QPalette pal = knop->palette();
    pal.setColor(QPalette::Button, kleur);
    pal.setColor(QPalette::ButtonText, dialoogTekstKleur);
    knop->setPalette(pal);
    maakVlak(knop);
    return knop;
}

QFrame* dialoogKader(QWidget* ouder, const QString& naam, const QRect& rect, QColor kleur)
{
    auto* kader = new QFrame(ouder);
    kader->setObjectName(naam);
    kader->setFrameStyle(QFrame::Box | QFrame::Plain);
    kader->setLineWidth(1);
    kader->setAutoFillBackground(true);
    QPalette pal = kader->palette();
    pal.setColor(QPalette::Window, kleur);
    pal.setColor(QPalette::WindowText, Qt::black);
    kader->setPalette(pal);
    kader->setGeometry(rect);
    kader->setFocusPolicy(Qt::NoFocus);
    return kader;
}

namespace
{
class EnkeleKlik : public QObject
{
public:
    using QObject::QObject;
    bool eventFilter(QObject*, QEvent* e) override { return e->type() == QEvent::MouseButtonDblClick; }
};
} // namespace

void enkeleKlik(QAbstractButton* knop)
{
    knop->installEventFilter(new EnkeleKlik(knop));
}
