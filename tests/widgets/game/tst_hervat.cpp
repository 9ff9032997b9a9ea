// Taking a game up again after the program ended the hard way, and taking balls back.
#include "core/game/trommel.h"
#include "core/game/verloop.h"
#include "testhulp.h"
#include "widgets/game/bord.h"
#include "widgets/game/opdrachtbalk.h"

#include <QComboBox>
#include <QLabel>
#include <QtTest>

namespace
{
QStringList regels(const QComboBox* lijst)
{
    QStringList uit;
    for (int i = 0; i < lijst->count(); ++i)
        uit << lijst->itemText(i);
    return uit;
}

// One start of the program on the folder of the set-up, with the evening's record.
struct Herstart : Programma {
    explicit Herstart(TestHulp::Opstelling& o)
        : Programma({o.map.path(), o.map.filePath(QStringLiteral("reserve")), &o.toeval})
    {
    }
    Algemeen& alg() { return avond.algemeen(); }
    Spel& spel() { return avond.spel(); }
};
} // namespace

class TstHervat : public QObject
{
    Q_OBJECT
private slots:
    void init() { Melding::neemGetoond(); }

    // Ja shows the game at once as it was, and the next draw belongs to it; an exit ends it,
    // so the start after that asks nothing. Nee writes down that the game was given up.
    void hervatten()
    {
        TestHulp::Opstelling o;
        Herstart eerst(o);
        eerst.alg().AantalBallen = 90;
        eerst.alg().KnipperAantal = 1;
        eerst.spel().zetRondeTeller(4);
        eerst.avond.NieuwSpel();
        for (int i = 0; i < 7; ++i)
            QTest::keyClick(eerst.hoofd.Pic, Qt::Key_Space);

        const QString vraag =
            QStringLiteral("Het vorige spel is niet afgemaakt (%1 ballen getrokken). Wilt u verder spelen?");
        {
            Herstart weer(o);
            weer.alg().KnipperAantal = 1;
            Melding::zetVolgendAntwoord(true);
            weer.avond.hervatBijStart();
            QCOMPARE(Melding::neemGetoond().value(0).tekst, vraag.arg(7));
            QVERIFY(weer.spel().stand() == eerst.spel().stand());
            QCOMPARE(weer.hoofd.Pic->beeld(), eerst.hoofd.Pic->beeld());
            QCOMPARE(weer.hoofd.Pic->twipsY(), eerst.hoofd.Pic->twipsY());
            QCOMPARE(regels(weer.hoofd.KnopPic->Combo1), regels(eerst.hoofd.KnopPic->Combo1));
            QCOMPARE(regels(weer.hoofd.KnopPic->Combo2), regels(eerst.hoofd.KnopPic->Combo2));
            QCOMPARE(weer.hoofd.KnopPic->Label2->text(), QStringLiteral("Bal : 7 / 90"));
            QTest::keyClick(weer.hoofd.Pic, Qt::Key_Space);
            QCOMPARE(weer.spel().ballen().size(), 8);
            QCOMPARE(weer.spel().spelNummer(), eerst.spel().spelNummer());
            Melding::zetVolgendAntwoord(true);
            QVERIFY(weer.hoofd.close());
            Melding::neemGetoond();
            Herstart daarna(o);
            daarna.avond.hervatBijStart();
            QVERIFY(Melding::neemGetoond().isEmpty());
            QVERIFY(!daarna.spel().heeftSpel());
        }
        WachtTempo::zetBeeindigd(false);
        eerst.avond.NieuwSpel();
        QTest::keyClick(eerst.hoofd.Pic, Qt::Key_Space);
        Herstart weer(o);
        weer.avond.hervatBijStart();
        QCOMPARE(Melding::neemGetoond().value(0).tekst, vraag.arg(1));
        QVERIFY(!weer.spel().heeftSpel());
        QVERIFY(Verloop::laatsteSpel(o.map.path())->afgemaakt);
    }

    // Backspace asks, Nee first; Ja puts the last ball back: the board and both lists are as
    // before that draw, down to the first ball of the game.
    void terugleggen()
    {
        TestHulp::Opstelling o;
        Main& m = o.main();
        m.show();
        QVERIFY(QTest::qWaitForWindowActive(&m));
        o.alg().KnipperAantal = 1;
        m.avond().NieuwSpel();
        const QImage leeg = m.Pic->beeld();
        QTest::keyClick(m.Pic, Qt::Key_Space);
        const QImage na1 = m.Pic->beeld();
        const QStringList lijst1 = regels(m.KnopPic->Combo1);
        QTest::keyClick(m.Pic, Qt::Key_Space);
        const int n = o.model().laatste();

        QTest::keyClick(m.Pic, Qt::Key_Backspace);
        QCOMPARE(Melding::neemGetoond().value(0).tekst,
                 QStringLiteral("Bal %1 terugleggen in de trommel?").arg(Trommel::lijstRegel(n, 75)));
        QCOMPARE(o.model().ballen().size(), 2);

        Melding::zetVolgendAntwoord(true);
        QTest::keyClick(m.Pic, Qt::Key_Backspace);
        QCOMPARE(m.Pic->beeld(), na1);
        QCOMPARE(regels(m.KnopPic->Combo1), lijst1);
        QCOMPARE(regels(m.KnopPic->Combo2), lijst1);
        QCOMPARE(m.KnopPic->Label2->text(), QStringLiteral("Bal : 1 / 75"));
        QVERIFY(!o.model().isGetrokken(n));

        Melding::zetVolgendAntwoord(true);
        QTest::keyClick(m.Pic, Qt::Key_Backspace);
        QCOMPARE(m.Pic->beeld(), leeg);
        QCOMPARE(m.KnopPic->Combo1->count() + m.KnopPic->Combo2->count(), 0);
        QTest::keyClick(m.Pic, Qt::Key_Backspace);
        QVERIFY(Melding::neemGetoond().size() == 2); // nothing left to take back: no question
    }
};

QTEST_MAIN(TstHervat)
#include "tst_hervat.moc"
