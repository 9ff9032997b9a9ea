// The caller on the stage: what is said and when, through a voice that records, and calling by
// itself at a fast pace: a whole game, the space bar, the pauses for the help panel and the
// dialogs, the empty drum and a new game.
#include "core/game/roeper.h"
#include "core/game/spel.h"
#include "opnamestem.h"
#include "testhulp.h"
#include "widgets/common/doek.h"
#include "widgets/common/plaatjeknop.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QTest>
#include <QTimer>

class TstZelfTrekken : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestHulp::Opstelling> m_op;
    OpnameStem* m_stem = nullptr;

    Main& hoofd() { return m_op->main(); }
    int getrokken() { return int(hoofd().avond().spel().ballen().size()); }
    void spatie() { QTest::keyClick(hoofd().Pic, Qt::Key_Space); }

    void zet(bool spreken, bool zelf, bool kienen = false)
    {
        RoepInstellingen r;
        r.spreken = spreken, r.zelfTrekken = zelf, r.kienen = kienen, r.interval = RoepInstellingen::minInterval;
        hoofd().avond().roeper().zetInstellingen(r);
    }
    // Nothing is drawn for a while: many intervals at the fast pace.
    bool blijftStaan()
    {
        const int voor = getrokken();
        QTest::qWait(200);
        return getrokken() == voor;
    }

    // The Start button, answered Ja: the round goes up by one.
    void nieuwSpel()
    {
        Melding::zetVolgendAntwoord(true);
        hoofd().KnopPic->Knop[Opdrachtbalk::KnopStart]->click();
        Melding::neemGetoond();
    }

private slots:
    void init()
    {
        m_op = std::make_unique<TestHulp::Opstelling>(QByteArray(), false);
        m_stem = OpnameStem::zetIn(hoofd().avond().roeper());
        hoofd().show();
        QVERIFY(QTest::qWaitForWindowExposed(&hoofd()));
    }

    void cleanup()
    {
        m_op.reset();
        WachtTempo::zet(0);
    }

    // Each ball is said as its blink starts, before it reaches the lists; Kienen says the number
    // alone. (What is said in a whole evening the seeded evening keeps.)
    void wanneer()
    {
        zet(true, false, true);
        int inLijstBijZeggen = -1;
        m_stem->bijZeggen = [&] { inLijstBijZeggen = hoofd().KnopPic->Combo1->count(); };
        nieuwSpel();
        spatie();
        QCOMPARE(inLijstBijZeggen, 0);
        QCOMPARE(m_stem->gezegd.last().size(), 1);
    }

    // At a fast pace a whole game runs by itself: every ball once, and no more once the drum is
    // empty (no notice of an empty drum either).
    void heelSpelVanzelf()
    {
        zet(false, true);
        nieuwSpel();
        QTRY_COMPARE_WITH_TIMEOUT(getrokken(), 75, 20000);
        QVERIFY(blijftStaan() && hoofd().avond().roeper().gepauzeerd(Roeper::Leeg));
        QVERIFY(Melding::neemGetoond().isEmpty());
        // A new game starts it again from a full drum.
        nieuwSpel();
        QTRY_VERIFY(getrokken() > 0);
    }

    // The space bar pauses and resumes, and the stage says so; a new game lifts the pause.
    void spatiebalk()
    {
        WachtTempo::zet(0.01); // three seconds become 30 ms
        zet(false, true);
        nieuwSpel();
        QTRY_VERIFY(getrokken() >= 2);
        spatie();
        QTRY_VERIFY(!hoofd().avond().bezig());
        const int stil = getrokken();
        QVERIFY(hoofd().PauzeLabel->isVisible());
        QVERIFY(blijftStaan());
        spatie();
        QVERIFY(hoofd().PauzeLabel->isHidden());
        QTRY_VERIFY(getrokken() > stil);

        spatie();
        nieuwSpel();
        QVERIFY(hoofd().PauzeLabel->isHidden());
        QTRY_VERIFY(getrokken() >= 2);
    }

    // Nothing comes while the help panel or a dialog is open; it goes on afterwards.
    void pauzeVoorHulpEnDialoog()
    {
        WachtTempo::zet(0.01);
        zet(false, true);
        nieuwSpel();
        QTRY_VERIFY(getrokken() >= 1);

        hoofd().KnopPic->Knop[Opdrachtbalk::KnopHelp]->click();
        QTRY_VERIFY(hoofd().HelpPic->isVisible());
        QTRY_VERIFY(!hoofd().avond().bezig());
        int stil = getrokken();
        QVERIFY(blijftStaan());
        hoofd().KnopPic->Knop[Opdrachtbalk::KnopHelp]->click();
        QTRY_VERIFY(getrokken() > stil);

        // Watched for until it is open: on a busy machine the button's press takes a while.
        bool stilTijdensDialoog = false;
        QTimer bewaker;
        connect(&bewaker, &QTimer::timeout, this, [&] {
            if (QWidget* dialoog = QApplication::activeModalWidget()) {
                bewaker.stop();
                stilTijdensDialoog = blijftStaan();
                dialoog->close();
            }
        });
        bewaker.start(10);
        hoofd().KnopPic->Knop[Opdrachtbalk::KnopInstellingen]->click();
        QVERIFY(stilTijdensDialoog);
        stil = getrokken();
        QTRY_VERIFY(getrokken() > stil);
    }
};

QTEST_MAIN(TstZelfTrekken)
#include "tst_zelftrekken.moc"
