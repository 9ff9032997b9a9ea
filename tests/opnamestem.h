#pragma once

// A voice that records what it would have said, for the tests.
#include "core/game/roeper.h"
#include "core/game/stem.h"

#include <functional>
#include <memory>

struct OpnameStem : Stem {
    bool heeftStemmen = true;
    QList<QStringList> gezegd;
    QString stemId;
    std::function<void()> bijZeggen; // runs as each thing is said

    bool gereed() override { return true; }
    QList<StemKeuze> stemmen() override
    {
        if (!heeftStemmen) return {};
        return {{QStringLiteral("nl_NL|Anna"), QStringLiteral("Anna (Nederlands)"), true},
                {QStringLiteral("de_DE|Karl"), QStringLiteral("Karl (Duits)"), false}};
    }
    void stel(const QString& id, double, double) override { stemId = id; }
    void zeg(const QStringList& delen) override
    {
        gezegd << delen;
        if (bijZeggen) bijZeggen();
    }

    // Every voice the program makes from now on records, and what all of them say lands in `alles`.
    // Null puts the system's voice back.
    static void neemVoortaanOp(QList<QStringList>* alles)
    {
        if (!alles) return zetStemMaker({});
        zetStemMaker([alles] {
            auto stem = std::make_unique<OpnameStem>();
            stem->bijZeggen = [s = stem.get(), alles] { *alles << s->gezegd.last(); };
            return stem;
        });
    }

    // Gives the caller a new recording voice and returns it, for the test to read.
    static OpnameStem* zetIn(Roeper& roeper)
    {
        auto stem = std::make_unique<OpnameStem>();
        OpnameStem* uit = stem.get();
        roeper.zetStem(std::move(stem));
        return uit;
    }
};
