// The main window: the stage on a 1024 x 768 screen, the settings it starts with, the exit
// question.
#include "widgets/common/doek.h"
#include "core/screen/plaatjes.h"
#include "widgets/game/achtergrond.h"
#include "testhulp.h"

#include <QLabel>
#include <QTimer>
#include <QtTest>

class TstMain : public QObject
{
    Q_OBJECT

    const QByteArray geldig = "\"Quenderbrook Software 2011\",\"--------------------------\",4,5,90,\"\","
                              "\"Kaart\",2,6,10,20,30\r\n";

private slots:
    // The stage after eight draws looks as tests/main/podium.png shows, the clock left out.
    // ZORVAK_NIEUW_PODIUM=1 writes the picture anew after a deliberate change of the look.
    void podiumOp1024x768()
    {
        TestHulp::Opstelling o({}, false);
        Main& m = o.main();
        QCOMPARE(m.windowTitle(), QStringLiteral(" Zorvak"));
        QVERIFY(m.windowFlags() & Qt::FramelessWindowHint);
        QVERIFY(m.algemeen().Bezig); // nothing draws before the first game
        m.show();
        QVERIFY(QTest::qWaitForWindowExposed(&m));
        o.alg.KnipperAantal = 0;
        m.NieuwSpel();
        for (int i = 0; i < 8; ++i)
            QTest::keyClick(m.Pic, Qt::Key_Space);
        m.Timer1->stop();
        // The clock's width follows the hour and the date; blank a fixed one, right-aligned as
        // the clock is.
        const int klokRechts = m.KlokLabel->geometry().right();
        m.KlokLabel->setText(QStringLiteral(" 00:00:00 / 00-00-0000"));
        m.KlokLabel->adjustSize();
        m.KlokLabel->move(klokRechts + 1 - m.KlokLabel->width(), m.KlokLabel->y());
        QImage beeld = m.grab().toImage().convertToFormat(QImage::Format_RGB32);
        QPainter(&beeld).fillRect(m.KlokLabel->geometry(), Qt::black);

        const QString referentie = QStringLiteral(ZORVAK_SOURCE_DIR "/tests/widgets/game/podium.png");
        if (qEnvironmentVariableIsSet("ZORVAK_NIEUW_PODIUM")) QVERIFY(beeld.save(referentie));
        const QImage verwacht = QImage(referentie).convertToFormat(QImage::Format_RGB32);
        QCOMPARE(beeld.size(), verwacht.size());
        int anders = 0;
        for (int y = 0; y < beeld.height(); ++y)
            for (int x = 0; x < beeld.width(); ++x) {
                const QRgb a = beeld.pixel(x, y), b = verwacht.pixel(x, y);
                anders += qAbs(qRed(a) - qRed(b)) + qAbs(qGreen(a) - qGreen(b)) + qAbs(qBlue(a) - qBlue(b)) > 60;
            }
        if (anders > 40) beeld.save(QDir::temp().filePath(QStringLiteral("podium-nu.png")));
        QVERIFY2(anders <= 40, qPrintable(QStringLiteral("%1 pixels differ; see podium-nu.png in the temporary "
                                                         "folder")
                                              .arg(anders)));
    }

    // The settings choose the ball pictures and the background.
    void startInstellingen()
    {
        TestHulp::Opstelling o(geldig);
        QCOMPARE(o.alg.AantalBallen, 90);
        QCOMPARE(o.main().Bal1(), Plaatjes::bal(2, o.main().Pic->dpr()));
        QCOMPARE(o.main().Bal2(), Plaatjes::bal(6, o.main().Pic->dpr()));
        QVERIFY(!o.main().BackImage->heeftPlaatje()); // empty background entry: none
    }

    // Nee keeps everything open and writes nothing; Ja writes the seven lines and ends once.
    void sluiten()
    {
        TestHulp::Opstelling o(geldig);
        o.hoofd->show();
        o.alg.KaartTekst = QStringLiteral("gewijzigd");
        QVERIFY(!o.hoofd->close());
        QVERIFY(o.hoofd->isVisible());
        QCOMPARE(o.beeindigd, 0);
        QCOMPARE(TestHulp::leesBestand(o.iniPad()), geldig);
        const auto getoond = Melding::neemGetoond();
        QCOMPARE(getoond.size(), 1);
        QCOMPARE(getoond[0].titel, QStringLiteral(" Exit programma"));
        QCOMPARE(getoond[0].tekst, QStringLiteral("Wilt u dit programma nu afsluiten?"));

        Melding::zetVolgendAntwoord(true);
        QVERIFY(o.hoofd->close());
        QCOMPARE(o.beeindigd, 1);
        QVERIFY(WachtTempo::beeindigd());
        const QByteArray inhoud = TestHulp::leesBestand(o.iniPad());
        QCOMPARE(inhoud.count("\r\n"), 7);
        QVERIFY(inhoud.contains("\r\n4,5,90\r\n\"\"\r\n\"gewijzigd\"\r\n2,6\r\n10,20,30\r\n"));
    }
};

QTEST_MAIN(TstMain)
#include "tst_main.moc"
