#include "widgets/common/dialoog.h"

#include "core/screen/twips.h"
#include "widgets/common/stijl.h"

#include <QAbstractButton>
#include <QDialog>
#include <QEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
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
