#include "core/web/adrescode.h"

QImage adresCode(const QString& adres)
{
    Q_UNUSED(adres)
    return {};
}
