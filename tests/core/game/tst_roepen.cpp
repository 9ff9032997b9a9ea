// What the caller says and the settings it keeps, without any window; and the system's speech
// engine itself where one is installed.
#include "core/game/roepen.h"
#include "core/game/stem.h"
#include "core/settings/extrainstellingen.h"
#include "core/settings/roepinstellingen.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

class TstRoepen : public QObject
{
    Q_OBJECT
private slots:
    // Bingo: letter, number and maybe the digits; Kienen: the number alone; one digit is not repeated.
    void watGezegdWordt()
    {
        QCOMPARE(Roepen::balDelen("G", 56, true), QStringList({"G", "zesenvijftig", "vijf, zes"}));
        QCOMPARE(Roepen::balDelen("G", 56, false), QStringList({"G", "zesenvijftig"}));
        QCOMPARE(Roepen::balDelen({}, 7, true), QStringList({"zeven"}));
        QCOMPARE(Roepen::balDelen({}, 10, true), QStringList({"tien", "één, nul"}));
        QCOMPARE(Roepen::nieuwSpel(2), QStringLiteral("Nieuw spel, ronde 2"));
        for (const auto& [n, woord] :
             QList<QPair<int, QString>>{{1, "één"}, {13, "dertien"}, {21, "eenentwintig"}, {80, "tachtig"}})
            QCOMPARE(Roepen::getalWoord(n), woord);
    }

    // Off by default; kept across a restart, in a settings folder that was not there yet;
    // values from a hand-edited file come back in range.
    void instellingen()
    {
        QTemporaryDir tmp;
        const QDir map(tmp.filePath(QStringLiteral("nieuw/Zorvak")));
        QVERIFY(RoepInstellingen::lees(ExtraInstellingen(map.path())) == RoepInstellingen());
        QVERIFY(!RoepInstellingen().spreken && !RoepInstellingen().zelfTrekken);
        RoepInstellingen r;
        r.spreken = r.cijfers = r.zelfTrekken = true;
        r.stem = QStringLiteral("nl_NL|Dutch+Anna");
        r.tempo = -3;
        r.interval = 25;
        ExtraInstellingen extra(map.path());
        r.schrijf(extra);
        QVERIFY(extra.bewaar());
        QCOMPARE(RoepInstellingen::lees(ExtraInstellingen(map.path())), r);

        extra.zet(QStringLiteral("ZelfTrekken/Interval"), 1);
        extra.zet(QStringLiteral("Spraak/Volume"), 400);
        extra.zet(QStringLiteral("Spraak/Aan"), QStringLiteral("misschien"));
        const RoepInstellingen b = RoepInstellingen::lees(extra);
        QVERIFY(b.interval == RoepInstellingen::minInterval && b.volume == 100 && !b.spreken);
        extra.zet(QStringLiteral("ZelfTrekken/Interval"), 999);
        QCOMPARE(RoepInstellingen::lees(extra).interval, RoepInstellingen::maxInterval);
    }

    // The real engine lists Dutch voices first, speaks without holding up the program, and
    // lets go when it is done.
    void echteStem()
    {
        QElapsedTimer klok;
        klok.start();
        auto stem = maakSysteemStem();
        QVERIFY2(klok.elapsed() < 100, "starting the engine holds up the program");
        for (int i = 0; i < 200 && !stem->gereed(); ++i) // listing its voices takes seconds
            QTest::qWait(100);
        if (!stem->beschikbaar()) QSKIP("No speech engine with a voice answers on this computer");
        bool ander = false;
        for (const StemKeuze& s : stem->stemmen()) {
            QVERIFY2(!(s.nederlands && ander), "a Dutch voice after another language's");
            ander = ander || !s.nederlands;
        }
        stem->stel({}, 0.0, 0.5);
        // Without a sound device the speech server stalls at the first sound it cannot play,
        // and stays stalled for every program after this one.
        if (!QFileInfo::exists(QStringLiteral("/dev/snd"))) QSKIP("Voices listed; no sound device to speak on");
        klok.restart();
        stem->zeg(Roepen::balDelen("G", 56, true));
        stem->zeg({Roepen::nieuwSpel(2)});
        QTest::qWait(300);
        stem.reset();
        QVERIFY2(klok.elapsed() < 3000, "the engine kept the program waiting");
    }
};

QTEST_GUILESS_MAIN(TstRoepen)
#include "tst_roepen.moc"
