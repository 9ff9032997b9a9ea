// The main window: its layout on a 1024 x 768 screen, the settings it starts with, and the
// exit question.
#include "common/doek_w.h"
#include "common/plaatjeknop_w.h"
#include "common/plaatjes.h"
#include "main/achtergrond_w.h"
#include "testhulp.h"

#include <QComboBox>
#include <QLabel>
#include <QTimer>
#include <QtTest>

class TstMain : public QObject
{
    Q_OBJECT

    const QByteArray geldig = "\"Quenderbrook Software 2011\",\"--------------------------\",4,5,90,\"\","
                              "\"Kaart\",2,6,10,20,30\r\n";

private slots:
    void indelingOp1024x768()
    {
        TestHulp::Opstelling o;
        Main& m = o.main();
        QCOMPARE(m.schermBreedte(), 15360);
        QCOMPARE(m.schermHoogte(), 11520);
        QCOMPARE(m.windowTitle(), QStringLiteral(" Zorvak"));
        QVERIFY(m.windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(m.KnopPic->geometry(), QRect(0, 10320 / 15, 1024, 80));
        QCOMPARE(m.Pic->geometry(), QRect(225 / 15, -9000 / 15, 994, 586));
        QCOMPARE(m.HelpPic->geometry(), QRect(0, 0, 1024, 688));
        QVERIFY(m.HelpPic->isHidden());
        QCOMPARE(m.Image1->pos(), QPoint((15360 - 540) / 15, 120 / 15));
        // The clock label stands at (14640, 9990) and grows to the left: its text ends 150
        // twips from the right edge of the screen.
        QCOMPARE(m.KlokLabel->y(), 9990 / 15);
        QCOMPARE(m.KlokLabel->geometry().right() + 1, (15360 - 150) / 15);
        QVERIFY(m.KlokLabel->x() <= 14640 / 15);
        QVERIFY(m.KlokLabel->text().startsWith(' '));
        const std::array<int, 5> links = {150, 1200, 2250, 3300, 5400};
        for (int i = 0; i < 5; ++i)
            QCOMPARE(m.Knop[i]->geometry(), QRect(links[i] / 15, 330 / 15, 48, 48));
        QCOMPARE(m.Knop[Main::KnopHelp]->toolTip(), QStringLiteral(" Help "));
        QCOMPARE(m.Knop[Main::KnopStart]->toolTip(), QStringLiteral(" Spel beginnen "));
        QCOMPARE(m.ExitKnop->pos(), QPoint((15360 - 825) / 15, 345 / 15));
        QCOMPARE(m.ExitLabel->pos(), QPoint((15360 - 1680) / 15, 480 / 15));
        QCOMPARE(m.Combo1->geometry().topLeft(), QPoint(500, 32));
        QCOMPARE(m.Combo2->geometry().topLeft(), QPoint(584, 32));
        QCOMPARE(m.Label2->text(), QStringLiteral("Bal : 0"));
        QVERIFY(m.KaartPic->isHidden());
        QVERIFY(m.algemeen().Bezig);
        QVERIFY(m.Timer1->isActive());
        QCOMPARE(m.Timer1->interval(), 1000);
    }

    // The bar's texture and shine: black at its top edge, light grey at y = 120, and the
    // background colour with dots lower down.
    void opdrachtbalkIsGetekend()
    {
        TestHulp::Opstelling o;
        Doek* balk = o.main().KnopPic;
        QCOMPARE(balk->pixel(600, 0), QColor(0, 0, 0));
        QCOMPARE(balk->pixel(600, 120), QColor(240, 240, 240));
        QCOMPARE(balk->pixel(600, 240), QColor(0, 0, 0));
        QCOMPARE(balk->pixel(0, 1000), QColor(70, 70, 90));
        QCOMPARE(balk->pixel(15, 1000), QColor(40, 40, 60));
    }

    void eersteStartToontStandaardAchtergrond()
    {
        TestHulp::Opstelling o;
        QVERIFY(o.main().BackImage->heeftPlaatje());
        QVERIFY(o.alg.AchtergrondBestand.endsWith(QStringLiteral("Background-01.jpg")));
        // Default ball pictures: red undrawn, yellow drawn.
        QCOMPARE(o.main().Bal1, Plaatjes::bal(7, o.main().Pic->dpr()));
        QCOMPARE(o.main().Bal2, Plaatjes::bal(3, o.main().Pic->dpr()));
    }

    void instellingenKiezenDeBallen()
    {
        TestHulp::Opstelling o(geldig);
        QCOMPARE(o.alg.AantalBallen, 90);
        QCOMPARE(o.main().Bal1, Plaatjes::bal(2, o.main().Pic->dpr()));
        QCOMPARE(o.main().Bal2, Plaatjes::bal(6, o.main().Pic->dpr()));
        QVERIFY(!o.main().BackImage->heeftPlaatje()); // empty background entry: none
    }

    void kapotteAchtergrondGeeftGeenPlaatje()
    {
        TestHulp::Opstelling o;
        const QString kapot = o.map.filePath("Backgrounds/kapot.jpg");
        TestHulp::schrijfBestand(kapot, "dit is geen jpeg");
        QVERIFY(!o.main().zetAchtergrond(kapot));
        QVERIFY(o.main().BackImage->heeftPlaatje()); // the old one stays
    }

    void sluitenMetNeeHoudtAllesOpen()
    {
        TestHulp::Opstelling o(geldig);
        o.hoofd->show();
        o.alg.KaartTekst = QStringLiteral("gewijzigd");
        Melding::zetVolgendAntwoord(false);
        QVERIFY(!o.hoofd->close());
        QVERIFY(o.hoofd->isVisible());
        QCOMPARE(o.beeindigd, 0);
        QCOMPARE(TestHulp::leesBestand(o.iniPad()), geldig);
        const auto getoond = Melding::neemGetoond();
        QCOMPARE(getoond.size(), 1);
        QCOMPARE(getoond[0].titel, QStringLiteral(" Exit programma"));
        QCOMPARE(getoond[0].tekst, QStringLiteral("Wilt u dit programma nu afsluiten?"));
    }

    void sluitenMetJaSchrijftEnStopt()
    {
        TestHulp::Opstelling o(geldig);
        o.hoofd->show();
        Melding::zetVolgendAntwoord(true);
        QVERIFY(o.hoofd->close());
        QCOMPARE(o.beeindigd, 1);
        QVERIFY(WachtTempo::beeindigd());
        // Written even though nothing changed: now in seven lines.
        const QByteArray inhoud = TestHulp::leesBestand(o.iniPad());
        QCOMPARE(inhoud.count("\r\n"), 7);
        QVERIFY(inhoud.contains("\r\n4,5,90\r\n"));
        QVERIFY(inhoud.contains("\r\n2,6\r\n10,20,30\r\n"));
    }
};

QTEST_MAIN(TstMain)
#include "tst_main_w.moc"
