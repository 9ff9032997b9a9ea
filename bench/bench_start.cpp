// Start-up of the main window to its first painted frame, against a bare full-screen Qt window;
// and reading the settings file at start-up, against reading the same bytes plainly.
#include "common/algemeen.h"
#include "common/instellingen.h"
#include "common/spel.h"
#include "common/toeval.h"
#include "main/main_w.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QScreen>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace
{
class VerfTeller : public QObject
{
public:
    bool geverfd = false;
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Paint) geverfd = true;
        return false;
    }
};

// Shows the window and lets the event loop run until something of it was painted.
template <class Maak> double totEersteBeeld(Maak maak)
{
    VerfTeller teller;
    qApp->installEventFilter(&teller);
    QElapsedTimer klok;
    klok.start();
    auto venster = maak();
    venster->setGeometry(venster->screen()->geometry());
    venster->show();
    while (!teller.geverfd)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    const double ms = klok.nsecsElapsed() / 1e6;
    qApp->removeEventFilter(&teller);
    return ms;
}

double mediaan(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

void rij(const char* naam, double gemeten, double basis)
{
    std::printf("%s | %.3f ms | %.3f ms | %.1f\n", naam, gemeten, basis, gemeten / basis);
}
} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QTemporaryDir map;
    std::vector<double> zorvak, kaal, lezen, bytes;
    for (int i = 0; i < 7; ++i) {
        Algemeen alg;
        Spel spel;
        InstellingenBestand ini(map.path());
        zorvak.push_back(totEersteBeeld([&] { return std::make_unique<Main>(alg, spel, ini, Toeval::systeem()); }));
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
