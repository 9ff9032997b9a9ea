// The main window: the settings it starts with, the stage laid out once at start, the exit
// question.
#include "core/screen/plaatjes.h"
#include "testhulp.h"
#include "widgets/game/achtergrond.h"
#include "widgets/game/bord.h"

#include <QtTest>

class TstMain : public QObject
{
    Q_OBJECT

    const QByteArray geldig = "\"Quenderbrook Software 2011\",\"--------------------------\",4,5,90,\"\","
                              "\"Kaart\",2,6,10,20,30\r\n";

private slots:
    // The settings choose the ball pictures and the background. A start as the program makes
    // it, full-screen and with its screens arranged, lays the stage out once; another screen
    // size lays it out again, the same size does not.
    void start()
    {
        TestHulp::Opstelling o(geldig);
        Main& m = o.main();
        QCOMPARE(m.windowTitle(), QStringLiteral(" Zorvak"));
        QVERIFY(m.windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(o.alg().AantalBallen, 90);
        QCOMPARE(m.Pic->Bal1(), Plaatjes::bal(2, m.Pic->dpr()));
        QCOMPARE(m.Pic->Bal2(), Plaatjes::bal(6, m.Pic->dpr()));
        QVERIFY(!m.BackImage->heeftPlaatje()); // empty background entry: none

        o.programma->start();
        QVERIFY(QTest::qWaitForWindowExposed(&m));
        QCOMPARE(m.uitleggingen(), 1);
        m.legUit(QRect(0, 0, 1920, 1080));
        m.legUit(QRect(0, 0, 1920, 1080));
        QCOMPARE(m.uitleggingen(), 2);
    }

    // Nee keeps everything open and writes nothing; Ja ends the evening once. (What Ja writes
    // the seeded evening keeps.)
    void sluiten()
    {
        TestHulp::Opstelling o(geldig);
        Main& m = o.main();
        m.show();
        o.alg().KaartTekst = QStringLiteral("gewijzigd");
        QVERIFY(!m.close());
        QVERIFY(m.isVisible() && o.beeindigd == 0);
        QCOMPARE(TestHulp::leesBestand(o.iniPad()), geldig);
        QCOMPARE(Melding::neemGetoond().value(0).tekst, QStringLiteral("Wilt u dit programma nu afsluiten?"));
        Melding::zetVolgendAntwoord(true);
        QVERIFY(m.close() && m.close());
        QVERIFY(o.beeindigd == 1 && WachtTempo::beeindigd());
        QVERIFY(TestHulp::leesBestand(o.iniPad()).contains("\"gewijzigd\""));
    }
};

QTEST_MAIN(TstMain)
#include "tst_main.moc"
