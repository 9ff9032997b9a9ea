// The game model without any window: draws, taking balls back, taking a game up again; the
// drum and the column letters beneath it, and the program's own random source.
#include "core/common/toeval.h"
#include "core/game/spel.h"
#include "core/game/trommel.h"

#include <QSignalSpy>
#include <QtTest>

#include <set>

class TstSpel : public QObject
{
    Q_OBJECT
private slots:
    // A whole game of either size gives every number once, then nothing; each draw is
    // signalled and the drum counts down.
    void heelSpelZonderHerhaling()
    {
        Spel spel;
        VasteToeval toeval(7);
        QCOMPARE(spel.trek(toeval), 0); // no game yet
        for (int aantal : {75, 90}) {
            spel.nieuwSpel(aantal, 3);
            QSignalSpy getrokken(&spel, &Spel::balGetrokken);
            std::set<int> gezien;
            for (int i = 1; i <= aantal; ++i) {
                const int n = spel.trek(toeval);
                QVERIFY(n >= 1 && n <= aantal);
                QVERIFY(gezien.insert(n).second);
                QCOMPARE(spel.inTrommel(), aantal - i);
                QCOMPARE(spel.laatste(), n);
            }
            QCOMPARE(spel.trek(toeval), 0);
            QCOMPARE(getrokken.count(), aantal);
            QCOMPARE(spel.ballen().size(), aantal);
        }
        QCOMPARE(spel.spelNummer(), 2);
        QCOMPARE(spel.ronde(), 3);
    }

    // Taking back walks down to the first ball; a ball taken back is in the drum again and
    // can come out once more, and the game still never repeats.
    void terugleggenEnOpnieuwTrekken()
    {
        Spel spel;
        VasteToeval toeval(11);
        spel.nieuwSpel(75, 1);
        QCOMPARE(spel.neemTerug(), 0);
        QList<int> volgorde;
        for (int i = 0; i < 5; ++i)
            volgorde << spel.trek(toeval);
        QSignalSpy terug(&spel, &Spel::balTeruggelegd);
        for (int i = 4; i >= 1; --i) {
            QCOMPARE(spel.neemTerug(), volgorde[i]);
            QVERIFY(!spel.isGetrokken(volgorde[i]));
            QCOMPARE(spel.laatste(), volgorde[i - 1]);
        }
        QCOMPARE(terug.count(), 4);
        QCOMPARE(spel.inTrommel(), 74);

        // Draw the rest: the balls taken back come out again, each once.
        std::set<int> gezien{volgorde[0]};
        while (const int n = spel.trek(toeval))
            QVERIFY(gezien.insert(n).second);
        QCOMPARE(int(gezien.size()), 75);
    }

    // A game taken up again is the same game; balls that no draw could give are left out.
    void herstellen()
    {
        Spel bron;
        VasteToeval toeval(5);
        bron.nieuwSpel(90, 4);
        for (int i = 0; i < 30; ++i)
            bron.trek(toeval);
        Spel spel;
        QSignalSpy hersteld(&spel, &Spel::spelHersteld);
        spel.herstel(bron.stand());
        QCOMPARE(hersteld.count(), 1);
        QVERIFY(spel.stand() == bron.stand());
        QCOMPARE(spel.rondeTeller(), 4); // the next game's round follows the game taken up
        QCOMPARE(spel.inTrommel(), 60);

        Spel::Stand vreemd{75, 1, 9, {{76, {}}, {5, {}}, {5, {}}, {0, {}}}};
        spel.herstel(vreemd);
        QCOMPARE(spel.ballen().size(), 1);
        QCOMPARE(spel.laatste(), 5);
        spel.nieuwSpel(75, 2);
        QCOMPARE(spel.spelNummer(), 10);
    }

    // The letter changes exactly at the column bounds of both games, up to the last ball.
    void letters()
    {
        const QList<std::tuple<int, int, int, QString>> kolommen = {
            {75, 1, 15, "B"}, {75, 16, 30, "I"}, {75, 31, 45, "N"}, {75, 46, 60, "G"}, {75, 61, 75, "O"},
            {90, 1, 18, "B"}, {90, 19, 36, "I"}, {90, 37, 54, "N"}, {90, 55, 72, "G"}, {90, 73, 90, "O"}};
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

QTEST_GUILESS_MAIN(TstSpel)
#include "tst_spel.moc"
