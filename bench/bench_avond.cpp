// A long evening in fast motion on a real main window: 500 games of 90 balls, the help panel
// and each dialog 200 times through the command bar, 200 pages of cards printed. Reports the
// memory in use at the end against that after the first round; a ratio near 1 means nothing
// piles up over an evening.
#include "benchhulp.h"

#include "core/cards/uitvoer.h"
#include "core/common/toeval.h"
#include "core/common/wacht.h"
#include "core/game/spel.h"
#include "core/settings/algemeen.h"
#include "core/settings/instellingen.h"
#include "widgets/cards/afdrukken.h"
#include "widgets/common/doek.h"
#include "widgets/common/melding.h"
#include "widgets/common/plaatjeknop.h"
#include "widgets/game/bord.h"
#include "widgets/game/main.h"
#include "widgets/game/opdrachtbalk.h"
#include "widgets/settings/config.h"
#include "widgets/settings/layout.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <fstream>

#ifdef Q_OS_LINUX
#include <unistd.h>
#endif

namespace
{
constexpr int aantalSpellen = 500;
constexpr int aantalRondes = 200; // help panel, each dialog and a page of cards

// Resident set size in MiB; 0 where the system does not tell.
double geheugen()
{
#ifdef Q_OS_LINUX
    std::ifstream statm("/proc/self/statm");
    long totaal = 0, resident = 0;
    if (statm >> totaal >> resident) return static_cast<double>(resident) * sysconf(_SC_PAGESIZE) / (1024.0 * 1024.0);
#endif
    return 0;
}

int g_paginas = 0;
struct TelUitvoer : BeeldUitvoer {
    TelUitvoer() : BeeldUitvoer(36) {}
    ~TelUitvoer() override { g_paginas += static_cast<int>(paginas.size()); }
};

// Clicks a command bar button and ends the modal dialog it opens with sluit.
template <typename Dialoog> bool viaKnop(QAbstractButton* knop, const std::function<void(Dialoog*)>& sluit)
{
    bool gezien = false;
    QTimer bewaker;
    bewaker.setInterval(0);
    QObject::connect(&bewaker, &QTimer::timeout, [&] {
        auto* dlg = qobject_cast<Dialoog*>(QApplication::activeModalWidget());
        if (!dlg || !dlg->isVisible()) return;
        bewaker.stop();
        gezien = true;
        sluit(dlg);
    });
    bewaker.start();
    knop->click();
    return gezien;
}

void klik(QWidget* w, QPoint p)
{
    for (auto type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent e(type, p, w->mapToGlobal(p), Qt::LeftButton,
                      type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(w, &e);
    }
}

// One game of 90 balls from the Start button, drawn by board clicks and the space bar in turn.
bool spel(Main& hoofd, int nummer)
{
    Melding::zetVolgendAntwoord(true);
    hoofd.KnopPic->Knop[Opdrachtbalk::KnopStart]->click();
    for (int k = 1; k <= 90; ++k) {
        if ((nummer + k) % 2) {
            klik(hoofd.Pic, QPoint(5, 5));
        } else {
            QKeyEvent e(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
            QApplication::sendEvent(hoofd.Pic, &e);
        }
    }
    klik(hoofd.Pic, QPoint(5, 5)); // the drum is empty: a message, nothing else
    return hoofd.avond().spel().ballen().size() == 90 && hoofd.KnopPic->Combo2->count() == 90 &&
           Melding::neemGetoond().size() == 2;
}

// The help panel; Config ended by Cancel, its window's close and Ok in turn; the pattern
// editor with one cell pressed, then Cancel or Ok; one page of cards, Bingo 75, Bingo 90 and
// Kien in turn.
bool dialogen(Main& hoofd, Algemeen& alg, int keer)
{
    hoofd.KnopPic->Knop[Opdrachtbalk::KnopHelp]->click();
    hoofd.KnopPic->Knop[Opdrachtbalk::KnopHelp]->click();
    bool goed = viaKnop<Config>(hoofd.KnopPic->Knop[Opdrachtbalk::KnopInstellingen], [keer](Config* dlg) {
        if (keer % 3 == 0)
            dlg->CancelKnop->click();
        else if (keer % 3 == 1)
            dlg->close();
        else
            dlg->OkKnop->click();
    });
    alg.KnipperAantal = 0; // Ok takes the blink count from its slider
    goed &= viaKnop<Layout>(hoofd.KnopPic->Knop[Opdrachtbalk::KnopLayout], [keer](Layout* dlg) {
        klik(dlg->Picture1, QPoint(40, 60));
        (keer % 2 ? dlg->OkKnop : dlg->CancelKnop)->click();
    });
    const int voor = g_paginas;
    goed &= viaKnop<Afdrukken>(hoofd.KnopPic->Knop[Opdrachtbalk::KnopAfdrukken], [keer](Afdrukken* dlg) {
        dlg->Combo1->setEditText(QStringLiteral("1"));
        if (keer % 3 == 2) {
            dlg->KienKnop->click();
        } else {
            dlg->option1(keer % 3 == 0 ? 75 : 90)->click();
            dlg->BingoKnop->click();
        }
        dlg->ExitKnop->click();
    });
    return goed && g_paginas == voor + 1;
}
} // namespace

int main(int argc, char** argv)
{
    BenchHulp::zonderScherm();
    QApplication app(argc, argv);
    QTemporaryDir map;
    VasteToeval toeval(2026);
    WachtTempo::zet(0);
    Melding::zetStil(true);
    Afdrukken::haken().printer = [] { return std::make_unique<TelUitvoer>(); };
    Programma programma({map.path(), map.filePath(QStringLiteral("reserve")), &toeval, false});
    Main& hoofd = programma.hoofd;
    Algemeen& alg = programma.avond.instellingen().algemeen();
    alg.AantalBallen = 90;
    alg.KnipperAantal = 0;
    hoofd.show();
    QApplication::processEvents();

    double naOpwarmen = 0;
    int rondes = 0;
    bool goed = true;
    for (int i = 0; i < aantalSpellen && goed; ++i) {
        goed = spel(hoofd, i);
        // The other activities are spread over the evening: two games in five.
        if ((i * 2) % 5 < 2 && rondes < aantalRondes) goed &= dialogen(hoofd, alg, rondes++);
        if (i == 0) naOpwarmen = geheugen();
    }
    const double aanHetEind = geheugen();
    if (!goed || rondes != aantalRondes) {
        std::fprintf(stderr, "bench_avond: the evening went wrong after %d rounds\n", rondes);
        return 1;
    }
    if (naOpwarmen <= 0) return 0; // nothing to compare on this system
    std::printf("avond: resident memory after 500 games, 200 dialog rounds | %.1f MiB | %.1f MiB (after the first "
                "round) | %.3f\n",
                aanHetEind, naOpwarmen, aanHetEind / naOpwarmen);
    return 0;
}
