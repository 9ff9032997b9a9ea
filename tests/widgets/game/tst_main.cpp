// The main window: the settings it starts with, the stage laid out once at start, the exit
// question, a voice that stops working.
#include "core/screen/plaatjes.h"
#include "opnamestem.h"
#include "testhulp.h"
#include "widgets/game/achtergrond.h"
#include "widgets/game/bord.h"

#include <QLabel>
#include <QtTest>

namespace
{
// A voice that tells how it answers, as the test decides: started or not, finishing what it
// says or not, and its fault.
struct AntwoordStem : OpnameStem {
    bool gestart = true;
    bool antwoordt = true;
    Antwoord a{0, {}};
    bool gereed() override { return gestart; }
    Antwoord antwoord() override { return a; }
    void zeg(const QStringList& delen) override
    {
        OpnameStem::zeg(delen);
        if (antwoordt) ++a.klaar;
    }
};
} // namespace

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

    // A voice that never starts, one that stops answering after its first call, one that
    // reports a fault and one that recovers: each fault is said on the stage and in "Extra",
    // the draws go on, and the notice goes when the voice works again.
    void stemDieZwijgt()
    {
        TestHulp::Opstelling o;
        Main& m = o.main();
        auto* stem = new AntwoordStem;
        stem->gestart = false;
        o.roeper().zetStem(std::unique_ptr<Stem>(stem));
        RoepInstellingen r = o.roeper().instellingen();
        r.spreken = true;
        o.roeper().zetInstellingen(r);
        QTRY_COMPARE(o.roeper().spraakFout(), QStringLiteral("De spraak start niet: de ballen worden niet genoemd."));
        QVERIFY(m.SpraakLabel && m.SpraakLabel->isVisibleTo(&m));
        stem->gestart = true;
        QTRY_VERIFY(o.roeper().spraakFout().isEmpty());
        QVERIFY(!m.SpraakLabel->isVisibleTo(&m));

        o.avond().NieuwSpel();
        o.avond().trekAlsKlaar();
        QVERIFY(o.roeper().spraakFout().isEmpty());
        stem->antwoordt = false;
        o.avond().trekAlsKlaar();
        QTRY_COMPARE(o.roeper().spraakFout(),
                     QStringLiteral("De spraak antwoordt niet: de ballen worden niet genoemd."));
        QVERIFY(m.SpraakLabel->isVisibleTo(&m));
        stem->a.fout = QStringLiteral("geen geluid");
        o.avond().trekAlsKlaar();
        QCOMPARE(o.roeper().spraakFout(), QStringLiteral("De spraak werkt niet: geen geluid."));
        QCOMPARE(o.model().ballen().size(), 3);
        QCOMPARE(stem->gezegd.size(), 4);

        QString uitleg;
        QTimer::singleShot(0, [&] {
            QWidget* extra = QApplication::activeModalWidget();
            if (auto* l = extra ? extra->findChild<QLabel*>(QStringLiteral("Label6")) : nullptr;
                l && l->isVisibleTo(extra))
                uitleg = l->text();
            if (extra) extra->close();
        });
        m.extraDialoog(&m);
        QCOMPARE(uitleg, QStringLiteral("De spraak werkt niet: geen geluid."));

        stem->antwoordt = true;
        stem->a.fout.clear();
        o.avond().trekAlsKlaar();
        QVERIFY(o.roeper().spraakFout().isEmpty());
        QVERIFY(!m.SpraakLabel->isVisibleTo(&m));
    }
};

QTEST_MAIN(TstMain)
#include "tst_main.moc"
