#pragma once

#include <QString>

// The fonts that come with the program on Windows, in a folder "fonts" beside it: Liberation
// Sans (the metric twin of Arial) and Comic Neue (a look-alike of Comic Sans MS). They stand in
// for those two families wherever a platform does not have them, as Debian's fontconfig does on
// Linux. Qt's offscreen platform on Windows, which zorvak-kaarten and the tests use, sees no
// system fonts at all: without these its texts come out as empty boxes.
namespace Lettertypen
{
// Registers every font file in `map` with Qt's font database and, when any was taken, the two
// stand-ins. Returns the number of files taken; a missing folder is no fault (Linux has none).
int laadMeegeleverd(const QString& map);
} // namespace Lettertypen
