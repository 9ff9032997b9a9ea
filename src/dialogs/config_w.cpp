#include "dialogs/config_w.h"

#include "main/main_w.h"

Config::Config(Main& hoofd) : QDialog(&hoofd), m_hoofd(hoofd)
{
    setObjectName(QStringLiteral("Config"));
    setWindowTitle(QStringLiteral(" Configuratie"));
}
