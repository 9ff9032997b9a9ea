#include "core/web/adrescode.h"

#include "core/common/scancode.h"

QImage adresCode(const QString& adres)
{
    return ScanCode::afbeelding(ScanCode::Soort::QR, ScanCode::maak(ScanCode::Soort::QR, adres), 1);
}
