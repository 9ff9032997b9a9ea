#include "dialogs/layout_w.h"

#include "main/main_w.h"

Layout::Layout(Main& hoofd) : QDialog(&hoofd), m_hoofd(hoofd)
{
    setObjectName(QStringLiteral("Layout"));
    setWindowTitle(QStringLiteral(" Kaarten"));
}
