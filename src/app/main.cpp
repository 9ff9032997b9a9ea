#include "common/algemeen.h"
#include "common/instellingen.h"
#include "common/melding_w.h"
#include "common/spel.h"
#include "common/stijl_w.h"
#include "common/toeval.h"
#include "common/veiligbestand.h"
#include "common/verloop.h"
#include "common/vertaling.h"
#include "main/main_w.h"
#include "main/tweeschermen_w.h"

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
    VeiligBestand::Slot slot(bestand.slotPad());
    QString bezet;
    if (!bestand.neemSlot(slot, &bezet)) {
        Melding::meld(nullptr, QStringLiteral("Zorvak"), bezet);
        return 2;
    }
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
