// The main window and its stage: on screens of every size whole on the screen, nothing on the
// bar overlapping, large on large screens; the settings it starts with, the stage laid out once
// at start, the exit question. (The game kept when the screen changes: tst_tweeschermen.)
#include "core/game/trommel.h"
#include "core/screen/plaatjes.h"
#include "opnamestem.h"
#include "testhulp.h"
#include "widgets/common/doek.h"
#include "widgets/common/plaatjeknop.h"
#include "widgets/game/dialogen.h"

#include <QComboBox>
#include <QLabel>
#include <QtTest>

namespace
{
QRect inVenster(const QWidget* w, const Main& m)
{
    return QRect(w->mapTo(&m, QPoint(0, 0)), w->size());
}
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

class TstToneel : public QObject
{
    Q_OBJECT
    const QByteArray geldig = "\"Quenderbrook Software 2011\",\"--------------------------\",4,5,90,\"\","
                              "\"Kaart\",2,6,10,20,30\r\n";

private slots:
    void opElkScherm_data()
    {
        QTest::addColumn<QSize>("scherm");
        QTest::addColumn<qreal>("dpr");
        QTest::addColumn<int>("minBord");
        QTest::newRow("800x600") << QSize(800, 600) << 1.0 << 700;
        QTest::newRow("1280x1024") << QSize(1280, 1024) << 1.0 << 1200;
        QTest::newRow("1920x1080 at 200 %") << QSize(1920, 1080) << 2.0 << 1300;
        QTest::newRow("3840x2160") << QSize(3840, 2160) << 1.0 << 2600;
        QTest::newRow("portrait 1080x1920") << QSize(1080, 1920) << 1.0 << 1000;
        QTest::newRow("ultra-wide 3440x1440") << QSize(3440, 1440) << 1.0 << 1800;
    }
    // Everything the hall and the organiser see lies on the screen, the controls of the bar
    // and the big parts of the stage do not overlap, and the board is centred and large.
    void opElkScherm()
    {
        QFETCH(QSize, scherm);
        QFETCH(qreal, dpr);
        QFETCH(int, minBord);
        TestHulp::Opstelling o;
        Main& m = o.main();
        m.legUit(QRect(QPoint(0, 0), scherm), dpr);
        o.alg().AantalBallen = 75; // a game with twelve balls drawn
        o.avond().NieuwSpel();
        for (int i = 0; i < 12; ++i)
            o.avond().trekAlsKlaar();
        QCOMPARE(m.geometry(), QRect(QPoint(0, 0), scherm));

        QList<QWidget*> balk = {m.KnopPic->Label1, m.KnopPic->Combo1,    m.KnopPic->Combo2,
                                m.KnopPic->Label2, m.KnopPic->ExitLabel, m.KnopPic->ExitKnop};
        for (auto* knop : m.KnopPic->Knop)
            balk << knop;
        const QList<QWidget*> delen = {m.Pic, m.InfoLabel, m.KnopPic, m.KlokLabel, m.Image1};
        for (const auto& groep : {balk, delen})
            for (int i = 0; i < groep.size(); ++i) {
                QVERIFY2(m.rect().contains(inVenster(groep[i], m)), qPrintable(groep[i]->objectName()));
                for (int j = i + 1; j < groep.size(); ++j)
                    QVERIFY2(!inVenster(groep[i], m).intersects(inVenster(groep[j], m)),
                             qPrintable(groep[i]->objectName() + QLatin1Char('/') + groep[j]->objectName()));
            }

        QVERIFY(m.Pic->width() >= minBord);
        QVERIFY(qAbs(m.Pic->geometry().center().x() - m.rect().center().x()) <= 1);
        // Drawn at the shown size: the canvas holds a device pixel for each pixel shown.
        QCOMPARE(m.Pic->beeld().width(), qRound(m.Pic->width() * dpr));
        QCOMPARE(m.Pic->Bal1().width(), qRound(60 * std::max<qreal>(1, dpr * m.schaal())));
        // Nothing of a ball is cut off: the cell's bottom right shows the board, not the ball.
        const QPoint hoek = Trommel::cel(75);
        QCOMPARE(m.Pic->pixel(hoek.x() + 885, hoek.y() + 885), QColor(20, 20, 40));
        QVERIFY(m.Pic->pixel(hoek.x() + 450, hoek.y() + 870) != QColor(20, 20, 40));
    }

    // The settings choose the ball pictures and the background. A start as the program makes
    // it, full-screen and with its screens arranged, lays the stage out once; another screen
    // size lays it out again, the same size does not.
    void start()
    {
        TestHulp::Opstelling o(geldig);
        Main& m = o.main();
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
        // It is the organiser's: in the strip, and nowhere else on the stage.
        const auto gezegdOpPodium = [&m] {
            QStringList waar;
            for (QLabel* l : m.findChildren<QLabel*>())
                if (l->isVisibleTo(&m) && l->text().contains(QStringLiteral("De spraak"))) waar << l->objectName();
            return waar;
        };
        QCOMPARE(gezegdOpPodium(), QStringList{QStringLiteral("OrganisatorStrook")});
        stem->gestart = true;
        QTRY_VERIFY(o.roeper().spraakFout().isEmpty());
        QVERIFY(gezegdOpPodium().isEmpty());

        o.avond().NieuwSpel();
        o.avond().trekAlsKlaar();
        QVERIFY(o.roeper().spraakFout().isEmpty());
        stem->antwoordt = false;
        o.avond().trekAlsKlaar();
        QTRY_COMPARE(o.roeper().spraakFout(),
                     QStringLiteral("De spraak antwoordt niet: de ballen worden niet genoemd."));
        QCOMPARE(gezegdOpPodium(), QStringList{QStringLiteral("OrganisatorStrook")});
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
        m.dialogen().extraDialoog(&m);
        QCOMPARE(uitleg, QStringLiteral("De spraak werkt niet: geen geluid."));

        stem->antwoordt = true;
        stem->a.fout.clear();
        o.avond().trekAlsKlaar();
        QVERIFY(o.roeper().spraakFout().isEmpty());
        QVERIFY(gezegdOpPodium().isEmpty());
    }
};

QTEST_MAIN(TstToneel)
#include "tst_toneel.moc"
