#include "core/common/lettertypen.h"

#include <QDir>
#include <QFont>
#include <QFontDatabase>

int Lettertypen::laadMeegeleverd(const QString& map)
{
    int genomen = 0;
    const QDir dir(map);
    for (const QString& naam :
         dir.entryList({QStringLiteral("*.ttf"), QStringLiteral("*.otf")}, QDir::Files, QDir::Name))
        if (QFontDatabase::addApplicationFont(dir.filePath(naam)) >= 0) ++genomen;
    if (genomen > 0) {
        // A substitute is only asked for when the family itself is missing: a Windows PC with
        // Arial and Comic Sans MS keeps using those.
        QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
        QFont::insertSubstitution(QStringLiteral("Comic Sans MS"), QStringLiteral("Comic Neue"));
    }
    return genomen;
}
