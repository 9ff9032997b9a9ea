// Start-up of the main window to its first painted frame, against a bare full-screen Qt window;
// and reading the settings file at start-up, against reading the same bytes plainly.
#include "benchhulp.h"

#include "core/common/toeval.h"
#include "core/game/spel.h"
#include "core/settings/algemeen.h"
#include "core/settings/instellingen.h"
#include "widgets/game/main.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

using namespace BenchHulp;

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QTemporaryDir map;
    std::vector<double> zorvak, kaal, lezen, bytes;
    for (int i = 0; i < 7; ++i) {
        zorvak.push_back(totEersteBeeld([&] { return std::make_unique<Programma>(Avond::Opzet{map.path()}); }));
        kaal.push_back(totEersteBeeld([] {
            auto w = std::make_unique<QWidget>();
            w->setWindowFlag(Qt::FramelessWindowHint);
            w->setAutoFillBackground(true);
            return w;
        }));
    }
    const QString pad = map.filePath(QStringLiteral("Zorvak.ini"));
    for (int i = 0; i < 2001; ++i) {
        QElapsedTimer klok;
        klok.start();
        Algemeen alg;
        InstellingenBestand(map.path()).laadBijStart(alg);
        lezen.push_back(klok.nsecsElapsed() / 1e6);
        klok.restart();
        QFile f(pad);
        f.open(QIODevice::ReadOnly);
        volatile qsizetype n = f.readAll().size();
        (void)n;
        bytes.push_back(klok.nsecsElapsed() / 1e6);
    }
    rij("start-up to first frame (vs bare full-screen window)", mediaan(zorvak), mediaan(kaal));
    rij("settings file read at start-up (vs reading its bytes)", mediaan(lezen), mediaan(bytes));
    return 0;
}
