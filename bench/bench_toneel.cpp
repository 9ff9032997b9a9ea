// The stage at 3840 x 2160: one frame of the board sliding in and one blink phase of a ball,
// each painted on the window, against a bare window filling the same area.
#include "benchhulp.h"

#include "core/common/toeval.h"
#include "core/common/wacht.h"
#include "core/game/spel.h"
#include "core/game/trommel.h"
#include "core/screen/twips.h"
#include "core/settings/algemeen.h"
#include "core/settings/instellingen.h"
#include "widgets/common/doek.h"
#include "widgets/game/bord.h"
#include "widgets/game/main.h"

#include <QApplication>
#include <QTemporaryDir>

using namespace BenchHulp;

int main(int argc, char** argv)
{
    zonderScherm();
    QApplication app(argc, argv);
    QTemporaryDir map;
    Programma programma(Avond::Opzet(map.path()));
    Main& hoofd = programma.hoofd;
    const QRect scherm(0, 0, 3840, 2160);
    hoofd.legUit(scherm);
    hoofd.show();
    WachtTempo::zet(0);
    programma.avond.NieuwSpel();
    QCoreApplication::processEvents();

    QWidget kaal;
    kaal.setWindowFlag(Qt::FramelessWindowHint);
    kaal.setAutoFillBackground(true);
    kaal.setGeometry(scherm);
    kaal.show();
    QCoreApplication::processEvents();

    // One step of the slide: the board moves 60 twips down; the window paints what changed,
    // the background it uncovers and the board at its new place.
    Doek* bord = hoofd.Pic;
    const int rust = bord->twipsY();
    int stap = 0;
    const auto verschuif = [&] {
        const QRect voor = bord->geometry();
        bord->zetPositie(bord->twipsX(), rust - 600 + 60 * (stap++ % 10));
        hoofd.repaint(voor.united(bord->geometry()));
    };
    const QRect schuifVlak = bord->geometry().adjusted(0, -Twips::naarPixels(60, hoofd.schaal()), 0, 0);
    const double schuif = meet(verschuif, 41);
    const double schuifKaal = meet([&] { kaal.repaint(schuifVlak); }, 41);
    rij("slide-in frame at 3840x2160 vs bare fill of the same area", schuif, schuifKaal);
    bord->zetPositie(bord->twipsX(), rust);

    // One blink phase: a ball picture painted into its cell, and the cell shown.
    const QPoint hoek = Trommel::cel(38);
    const QRect cel =
        Twips::rect(hoek.x(), hoek.y(), Trommel::balMaat, Trommel::balMaat, hoofd.schaal()).translated(bord->pos());
    int fase = 0;
    const double knipper = meet(
        [&] {
            bord->plaatje(fase++ % 2 ? hoofd.Pic->Bal2() : hoofd.Pic->Bal1(), hoek.x(), hoek.y(), Trommel::balMaat,
                          Trommel::balMaat);
            hoofd.repaint(cel);
        },
        101);
    const double knipperKaal = meet([&] { kaal.repaint(cel); }, 101);
    rij("blink phase at 3840x2160 vs bare fill of the same area", knipper, knipperKaal);
    // The target: one frame in half a frame of a 60 Hz screen.
    rij("slide-in frame at 3840x2160 vs half a 60 Hz frame", schuif, 8.0);
    rij("blink phase at 3840x2160 vs half a 60 Hz frame", knipper, 8.0);
    return 0;
}
