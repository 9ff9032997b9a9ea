// The evening's settings: each option of the hall's view and the real drum's switch written and
// read back on its own, their signals, and a settings file that cannot be written.
#include "core/settings/algemeen.h"
#include "core/settings/avondinstellingen.h"
#include "core/settings/extrainstellingen.h"
#include "core/settings/instellingen.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

class TstAvondInstellingen : public QObject
{
    Q_OBJECT
private slots:
    void terugGelezen_data()
    {
        QTest::addColumn<int>("optie");
        QTest::newRow("contrast") << 0;
        QTest::newRow("vorige ballen") << 1;
        QTest::newRow("balk in de zaal") << 2;
        QTest::newRow("handmatig") << 3;
    }
    // One option on, read back by the next evening with every other still off; then off again.
    void terugGelezen()
    {
        QFETCH(int, optie);
        QTemporaryDir map;
        Weergave aan;
        (optie == 0 ? aan.contrast : optie == 1 ? aan.vorigeBallen : aan.balkInZaal) = optie < 3;
        {
            AvondInstellingen inst(map.path(), map.path());
            QCOMPARE(inst.weergave(), Weergave{});
            QVERIFY(!inst.handmatig());
            QSignalSpy weergave(&inst, &AvondInstellingen::weergaveGewijzigd);
            QSignalSpy hand(&inst, &AvondInstellingen::handmatigGewijzigd);
            QVERIFY(optie == 3 ? inst.zetHandmatig(true) : inst.zetWeergave(aan));
            QCOMPARE(weergave.size(), optie == 3 ? 0 : 1);
            QCOMPARE(hand.size(), optie == 3 ? 1 : 0);
            // The same view again is no change.
            QVERIFY(inst.zetWeergave(inst.weergave()));
            QCOMPARE(weergave.size(), optie == 3 ? 0 : 1);
        }
        {
            AvondInstellingen inst(map.path(), map.path());
            QCOMPARE(inst.weergave(), aan);
            QCOMPARE(inst.handmatig(), optie == 3);
            QVERIFY(inst.zetWeergave({}) && inst.zetHandmatig(false));
        }
        AvondInstellingen inst(map.path(), map.path());
        QVERIFY(inst.weergave() == Weergave{} && !inst.handmatig());
    }

    // A settings file that cannot be written: a reason in Dutch, and the choice counts all the
    // same until the program ends. Zorvak.ini itself is written at the exit.
    void nietTeSchrijven()
    {
        QTemporaryDir map;
        AvondInstellingen inst(map.path(), map.path());
        QVERIFY(QDir(inst.instellingenMap()).mkpath(QStringLiteral("Zorvak-extra.ini")));
        QString fout;
        QVERIFY(!inst.zetWeergave({true, false, false}, &fout));
        QVERIFY(!fout.isEmpty());
        QVERIFY(inst.weergave().contrast);
        fout.clear();
        QVERIFY(!inst.zetHandmatig(true, &fout) && !fout.isEmpty());
        QVERIFY(inst.handmatig());

        inst.algemeen().AantalBallen = 90;
        QVERIFY(inst.bewaar(&fout));
        AvondInstellingen weer(map.path(), map.path());
        QCOMPARE(weer.algemeen().AantalBallen, 90);
        QCOMPARE(weer.bestand().pad(), inst.bestand().pad());
    }
};

QTEST_GUILESS_MAIN(TstAvondInstellingen)
#include "tst_avondinstellingen.moc"
