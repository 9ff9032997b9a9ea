#include "common/dialoog_w.h"

#include "common/twips.h"

#include <QDialog>

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
