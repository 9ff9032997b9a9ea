// The drum and the column letters, without any window; the program's own random source.
#include "core/common/toeval.h"
#include "core/game/trommel.h"

#include <QtTest>

class TstTrommel : public QObject
{
    Q_OBJECT
private slots:
    // The letter changes exactly at the column bounds of both games, up to the last ball.
    void letters()
    {
        const QList<std::tuple<int, int, int, QString>> kolommen = {
            {75, 1, 15, "B"},  {75, 16, 30, "I"}, {75, 31, 45, "N"}, {75, 46, 60, "G"}, {75, 61, 75, "O"},
            {90, 1, 18, "B"},  {90, 19, 36, "I"}, {90, 37, 54, "N"}, {90, 55, 72, "G"}, {90, 73, 90, "O"}};
        for (const auto& [aantal, laag, hoog, letter] : kolommen)
            for (int n = laag; n <= hoog; ++n)
                QCOMPARE(Trommel::letter(n, aantal), letter);
        for (const auto& [n, aantal] : {std::pair{0, 75}, {76, 75}, {91, 90}, {5, 80}})
            QCOMPARE(Trommel::letter(n, aantal), QString());
    }

    // Over many seeded games every number comes out first (and third) about equally often, and
    // nothing outside the game: bounds some six standard deviations wide.
    void eersteBalEerlijk()
    {
        for (int aantal : {75, 90}) {
            VasteToeval toeval(20240611);
            std::array<int, 92> eerste{}, derde{};
            for (int spel = 0; spel < aantal * 1000; ++spel) {
                Trommel::Getrokken getrokken{};
                ++eerste[Trommel::trek(getrokken, aantal, toeval)];
                Trommel::trek(getrokken, aantal, toeval);
                ++derde[Trommel::trek(getrokken, aantal, toeval)];
            }
            QCOMPARE(eerste[0] + eerste[aantal + 1], 0);
            for (int n = 1; n <= aantal; ++n)
                QVERIFY2(eerste[n] > 800 && eerste[n] < 1200 && derde[n] > 800 && derde[n] < 1200,
                         qPrintable(QStringLiteral("%1: %2 first, %3 third").arg(n).arg(eerste[n]).arg(derde[n])));
        }
    }

    // The program's own source reaches both ends of a range and nothing beyond, however narrow.
    void systeemBron()
    {
        for (const auto& [laag, hoog] : {std::pair{1, 2}, {1, 75}, {0, 0}}) {
            QSet<int> gezien;
            for (int i = 0; i < 3000; ++i)
                gezien << Toeval::systeem().getal(laag, hoog);
            QCOMPARE(gezien.size(), hoog - laag + 1);
            QVERIFY(gezien.contains(laag) && gezien.contains(hoog));
        }
    }
};

QTEST_GUILESS_MAIN(TstTrommel)
#include "tst_trommel.moc"
