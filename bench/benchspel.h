#pragma once
// The program on a fresh settings folder, silent, with a new game on the board at the normal
// pace: where the benches of drawing start from.
#include "core/common/wacht.h"
#include "core/game/avond.h"
#include "core/game/spel.h"
#include "widgets/common/melding.h"
#include "widgets/screen/programma.h"

#include <QApplication>
#include <QTemporaryDir>

struct BenchSpel {
    QTemporaryDir map;
    bool stil = (Melding::zetStil(true), true); // before the window can ask anything
    Programma programma{{map.path(), map.filePath(QStringLiteral("reserve")), nullptr, false}};
    Avond& avond = programma.avond;
    Algemeen& alg = programma.avond.instellingen().algemeen();
    Main& hoofd = programma.hoofd;

    BenchSpel()
    {
        hoofd.show();
        QApplication::processEvents();
        WachtTempo::zet(0);
        avond.spel().zetRondeTeller(1);
        avond.NieuwSpel();
        WachtTempo::zet(1);
        QApplication::processEvents();
    }
};
