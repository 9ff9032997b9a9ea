// Time to draw the help panel on large screens, against one plain fill of the same canvas.
// A third row shows what a stroke per dot of the texture would cost instead.
#include "benchhulp.h"

#include "core/screen/hulptekst.h"
#include "widgets/common/doek.h"
#include "widgets/game/hulppaneel.h"

#include <QApplication>

using namespace BenchHulp;

int main(int argc, char** argv)
{
    zonderScherm();
    QApplication app(argc, argv);
    struct Scherm {
        int b, h;
        const char* paneel;
        const char* perStip;
    };
    for (const Scherm& s :
         {Scherm{1920, 1080, "help panel 1920x1080 vs one fill", "stroke per dot 1920x1080 vs one fill"},
          Scherm{3840, 2160, "help panel 3840x2160 vs one fill", "stroke per dot 3840x2160 vs one fill"}}) {
        HulpPaneel paneel{QString()};
        const int breedte = s.b * 15, hoogte = s.h * 15 - 1200;
        paneel.legUit(breedte, hoogte + 1200, 1.0, 1.0);
        paneel.tekenPaneel(); // the logo and the icons are made the first time

        const double vul = meet([&] { paneel.zetAchtergrond(HulpTekst::achtergrond); }, 21);
        const double hulp = meet([&] { paneel.tekenPaneel(); }, 21);
        const double perStip = meet(
            [&] {
                paneel.teken([&](QPainter& p) {
                    p.setPen(QPen(HulpTekst::stip, 0));
                    for (int x = 0; x <= breedte; x += 45)
                        for (int y = 10; y <= hoogte; y += 45)
                            p.drawLine(x, y, x + 15, y + 15);
                });
            },
            3);
        rij(s.paneel, hulp, vul);
        rij(s.perStip, perStip, vul);
    }
    return 0;
}
