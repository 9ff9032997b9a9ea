#include "common/dialoog_w.h"

#include "common/twips.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>

void richtDialoogIn(QDialog& dialoog, const QString& naam, const QString& titel, int buitenBreedte, int buitenHoogte)
{
    dialoog.setObjectName(naam);
    dialoog.setWindowTitle(titel);
    dialoog.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                           Qt::MSWindowsFixedSizeDialogHint);
    dialoog.setModal(true);
    dialoog.setFixedSize(Twips::dialoogBinnenmaat(buitenBreedte, buitenHoogte));
    dialoog.setAutoFillBackground(true);
    QPalette pal = dialoog.palette();
    pal.setColor(QPalette::Window, dialoogKleur);
    dialoog.setPalette(pal);
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
    return knop;
}
