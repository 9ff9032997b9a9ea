#include "common/stijl_w.h"

#include <QApplication>
#include <QStyleFactory>

void zetProgrammaStijl()
{
    if (QStyle* stijl = QStyleFactory::create(QStringLiteral("Fusion"))) QApplication::setStyle(stijl);
}
