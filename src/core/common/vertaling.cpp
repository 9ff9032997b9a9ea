#include "core/common/vertaling.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>

bool Vertaling::laadQtNederlands(const QString& programmaMap)
{
    auto* vertaler = new QTranslator(QCoreApplication::instance());
    for (const QString& map : {QDir(programmaMap).filePath(QStringLiteral("translations")),
                               QLibraryInfo::path(QLibraryInfo::TranslationsPath)})
        if (vertaler->load(QStringLiteral("qtbase_nl"), map)) return QCoreApplication::installTranslator(vertaler);
    delete vertaler;
    return false;
}
