#pragma once
// A main window on a fresh settings folder, silent, with a new game on the board at the normal
// pace: where the benches of drawing start from.
#include "core/settings/algemeen.h"
#include "core/settings/instellingen.h"
#include "widgets/common/melding.h"
#include "core/game/spel.h"
#include "core/common/toeval.h"
#include "core/common/wacht.h"
#include "widgets/game/main.h"

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
