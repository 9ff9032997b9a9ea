#include "printing/afdrukken_w.h"

#include "main/main_w.h"

Afdrukken::Afdrukken(Main& hoofd) : QDialog(&hoofd), m_hoofd(hoofd)
{
    setObjectName(QStringLiteral("Afdrukken"));
    setWindowTitle(QStringLiteral(" Afdrukken Kaarten"));
}
