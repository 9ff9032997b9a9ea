// The evening's settings: the real drum's switch written and read back, the signals, and a
// settings file that cannot be written.
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
    // The real drum's switch read back by the next evening, and off again; a view chosen again
    // unchanged is no change. (Each view option's round trip is tried through "Extra".)
    void terugGelezen()
    {
        QTemporaryDir map;
        {
            AvondInstellingen inst(map.path(), map.path());
            QVERIFY(!inst.handmatig());
            QSignalSpy weergave(&inst, &AvondInstellingen::weergaveGewijzigd);
            QSignalSpy hand(&inst, &AvondInstellingen::handmatigGewijzigd);
            QVERIFY(inst.zetHandmatig(true));
            QCOMPARE(hand.size(), 1);
            QVERIFY(inst.zetWeergave(inst.weergave()));
            QCOMPARE(weergave.size(), 0);
            QVERIFY(inst.zetWeergave({false, true, false}));
            QCOMPARE(weergave.size(), 1);
        }
        {
            AvondInstellingen inst(map.path(), map.path());
            QVERIFY(inst.handmatig() && inst.weergave().vorigeBallen);
            QVERIFY(inst.zetHandmatig(false));
        }
        QVERIFY(!AvondInstellingen(map.path(), map.path()).handmatig());
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
