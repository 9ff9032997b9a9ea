#include "core/common/lettertypen.h"
#include "core/common/veiligbestand.h"
#include "core/common/vertaling.h"
#include "core/settings/instellingen.h"
#include "core/web/webvoeding.h"
#include "widgets/common/melding.h"
#include "widgets/common/stijl.h"
#include "widgets/screen/programma.h"

#include <QApplication>
#include <QDir>

#include <cstdio>

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
#ifdef Q_OS_WIN
    // The JIT stack of Qt's regular expressions crashes when a thread ends under MinGW-w64
    // (seen under Wine); the expressions run interpreted instead.
    qputenv("QT_ENABLE_REGEXP_JIT", "0");
#endif
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zorvak"));
    zetProgrammaStijl();
    Vertaling::laadQtNederlands(QApplication::applicationDirPath());
    Lettertypen::laadMeegeleverd(QDir(QApplication::applicationDirPath()).filePath(QStringLiteral("fonts")));

    // One copy per settings folder, before anything there is read or written.
    const InstellingenBestand bestand(QApplication::applicationDirPath());
    VeiligBestand::Slot slot(bestand.slotPad());
    QString bezet;
    if (!bestand.neemSlot(slot, &bezet)) {
        Melding::meld(nullptr, QStringLiteral("Zorvak"), bezet);
        return 2;
    }
    // A hall computer that starts Zorvak by itself can switch the board on the network on.
    WebInstelling web;
    QString fout;
    if (!WebInstelling::uitArgumenten(QApplication::arguments(), &web, &fout)) {
        Melding::meld(nullptr, QStringLiteral("Zorvak"), fout);
        return 2;
    }
    Programma programma(Avond::Opzet(QApplication::applicationDirPath()));
    if (web.aan && !programma.avond.web().zet(web, false, &fout)) std::fprintf(stderr, "%s\n", qPrintable(fout));
    QObject::connect(&programma.avond, &Avond::afgesloten, &app, [](int code) { QCoreApplication::exit(code); });
    programma.start();
    return QApplication::exec();
}
