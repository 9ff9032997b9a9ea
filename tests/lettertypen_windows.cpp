// Linked into every test program on Windows: the offscreen platform there sees no system fonts,
// so the tests take the fonts that come with the program, as zorvak-kaarten does; and regular
// expressions run without their JIT, as in the program (app/main.cpp).
#include "core/common/lettertypen.h"

#include <QGuiApplication>

namespace
{
// Qt reads this once, at the first expression it compiles, and that can come before the
// application's start-up functions run (Qt Test and the platform use expressions too): so it
// is set before main.
const bool zonderJit = qputenv("QT_ENABLE_REGEXP_JIT", "0");

void laadLettertypen()
{
    // Tests without a GUI application have no font database.
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        Lettertypen::laadMeegeleverd(QStringLiteral(ZORVAK_LETTERTYPEN_MAP));
}
} // namespace
Q_COREAPP_STARTUP_FUNCTION(laadLettertypen)
