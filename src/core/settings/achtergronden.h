#pragma once

#include <QString>
#include <QStringList>

// The pictures offered as background: the files of the Backgrounds folder beside the program.
namespace Achtergronden
{

// The folder of background pictures in the given program folder.
QString map(const QString& programmaMap);

// Names (without folder) of the files in the folder whose extension is jpg, bmp or gif in any
// letter case, in alphabetical order regardless of case. Sub-folders, other files and anything
// that is not a regular file are left out; a missing or unreadable folder gives an empty list.
QStringList plaatjes(const QString& map);

// The full path of a listed name, with the system's separators.
QString pad(const QString& map, const QString& naam);

} // namespace Achtergronden
