#pragma once

// A voice that records what it would have said, for the tests.
#include "common/stem.h"

#include <functional>

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
};
