#include "core/settings/algemeen.h"
#include "core/settings/instellingen.h"
#include "core/game/spel.h"
#include "widgets/common/stijl.h"
#include "core/common/toeval.h"
#include "core/game/verloop.h"
#include "core/common/vertaling.h"
#include "widgets/game/main.h"
#include "widgets/screen/tweeschermen.h"

#include <QApplication>
#include <QScreen>

#ifdef Q_OS_UNIX
#include <csignal>
#endif

int main(int argc, char* argv[])
{
#ifdef Q_OS_UNIX
    // A file-size limit then makes a write fail with a reason the organiser sees, instead of
    // ending the program in the middle of saving.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zorvak"));
    zetProgrammaStijl();
    Vertaling::laadQtNederlands(QApplication::applicationDirPath());

    Algemeen alg;
    const InstellingenBestand bestand(QApplication::applicationDirPath());
    Spel spel;
    Verloop verloop(bestand.instellingenMap());
    verloop.volg(spel);
    Main hoofd(alg, spel, bestand, Toeval::systeem());
    hoofd.zetVerloop(&verloop);
    hoofd.showFullScreen();
    // Without a window manager the full-screen request is ignored; the geometry is not.
    hoofd.setGeometry(hoofd.screen()->geometry());
    // With a second screen the stage goes to the hall's one and the organiser gets a window.
    TweeSchermen schermen(hoofd);
    schermen.pasToe();
    hoofd.hervatVorigSpel();
    return QApplication::exec();
}
