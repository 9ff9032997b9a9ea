// The stage on screens of every size: whole on the screen, nothing on the bar overlapping,
// large on large screens, and the game kept when the screen changes.
#include "core/game/trommel.h"
#include "testhulp.h"
#include "widgets/common/doek.h"
#include "widgets/common/plaatjeknop.h"

#include <QComboBox>
#include <QLabel>
#include <QtTest>

namespace
{
// A game of 75 balls with a few drawn.
void speel(Main& m, int ballen)
{
    m.avond().algemeen().AantalBallen = 75;
    m.avond().NieuwSpel();
    for (int i = 0; i < ballen; ++i) {
        m.avond().trekAlsKlaar();
    }
}

QRect inVenster(const QWidget* w, const Main& m)
{
    return QRect(w->mapTo(&m, QPoint(0, 0)), w->size());
}
} // namespace

class TstToneel : public QObject
{
    Q_OBJECT
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
        speel(m, 12);
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

    // Another resolution in the middle of a game and back: the game, the lists and every
    // pixel of the board and the bar are as they were.
    void andereResolutieHoudtSpel()
    {
        TestHulp::Opstelling o;
        Main& m = o.main();
        speel(m, 9);
        const QImage bord = m.Pic->beeld();
        const QImage balk = m.KnopPic->beeld();
        const QImage patroon = m.KnopPic->Knop[Opdrachtbalk::KnopLayout]->plaatje();
        const QRect plek = m.Pic->geometry();
        const QRect info = m.InfoLabel->geometry();
        const Spel::Stand getrokken = m.avond().spel().stand();

        m.legUit(QRect(0, 0, 1920, 1080));
        QVERIFY(m.Pic->y() > 0 && m.Pic->geometry().bottom() < m.KnopPic->y());
        m.legUit(QRect(0, 0, 800, 600));
        m.legUit(QRect(0, 0, 1024, 768));

        QVERIFY(m.avond().spel().stand() == getrokken);
        QCOMPARE(m.KnopPic->Combo1->count(), 9);
        QCOMPARE(m.KnopPic->Combo2->count(), 9);
        QCOMPARE(m.Pic->geometry(), plek);
        QCOMPARE(m.InfoLabel->geometry(), info);
        QCOMPARE(m.Pic->beeld(), bord);
        QCOMPARE(m.KnopPic->beeld(), balk);
        QCOMPARE(m.KnopPic->Knop[Opdrachtbalk::KnopLayout]->plaatje(), patroon);

        // Drawing goes on where it was.
        m.avond().trekAlsKlaar();
        QCOMPARE(m.KnopPic->Combo1->count(), 10);
    }
};

QTEST_MAIN(TstToneel)
#include "tst_toneel.moc"
