#pragma once

#include <QString>

// Qt's own texts (the file and print dialogs, the context menus of text boxes, the reasons a
// file could not be opened) in Dutch, like the rest of the program. Qt's Dutch translation is
// looked for beside the program first (a Windows installation carries it in "translations"),
// then where Qt keeps its translations. False when none was found: Qt then speaks English.
namespace Vertaling
{
bool laadQtNederlands(const QString& programmaMap);
} // namespace Vertaling
