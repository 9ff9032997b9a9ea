#pragma once
// A main window on a fresh settings folder, silent, with a new game on the board at the normal
// pace: where the benches of drawing start from.
#include "common/algemeen.h"
#include "common/instellingen.h"
#include "common/melding_w.h"
#include "common/spel.h"
#include "common/toeval.h"
#include "common/wacht.h"
#include "main/main_w.h"

#include <QApplication>
#include <QTemporaryDir>

struct BenchSpel {
    QTemporaryDir map;
    bool stil = (Melding::zetStil(true), true); // before the window can ask anything
    Algemeen alg;
    InstellingenBestand bestand{map.path(), map.filePath(QStringLiteral("reserve"))};
    Spel spel;
    Main hoofd{alg, spel, bestand, Toeval::systeem()};

    BenchSpel()
    {
        hoofd.zetBeeindiger([] {});
        hoofd.show();
        QApplication::processEvents();
        WachtTempo::zet(0);
        alg.RondeTeller = 1;
        hoofd.NieuwSpel();
        WachtTempo::zet(1);
        QApplication::processEvents();
    }
};
