// The configuration dialog on a real main window: what it shows when it opens, what each
// control stores and when, and what Ok and Cancel do.
#include "core/screen/plaatjes.h"
#include "testhulp.h"
#include "widgets/common/doek.h"
#include "widgets/common/plaatjeknop.h"
#include "widgets/common/stijl.h"
#include "widgets/game/achtergrond.h"
#include "widgets/settings/config.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>

namespace
{
QColor midden(QWidget* w)
{
    return w->grab().toImage().pixelColor(w->width() / 2, w->height() / 2);
}
// The sphere of a ball picture below its highlight, where its own colour shows.
QColor balKleur(const QImage& b)
{
    return b.pixelColor(b.width() / 2, b.height() * 3 / 4);
}
QColor balKleur(QLabel* voorbeeld)
{
    return balKleur(voorbeeld->pixmap().toImage());
}
} // namespace

class TstConfig : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestHulp::Opstelling> m_op;

    Main& hoofd() { return m_op->main(); }
    Algemeen& alg() { return m_op->main().avond().algemeen(); }

    std::unique_ptr<Config> open()
    {
        auto dlg = hoofd().maakConfig();
        dlg->show();
        if (!QTest::qWaitForWindowExposed(dlg.get())) return nullptr;
        return dlg;
    }

private slots:
    void initTestCase() { zetProgrammaStijl(); }

    void init()
    {
        m_op = std::make_unique<TestHulp::Opstelling>(QByteArray(), false);
        hoofd().show();
        QVERIFY(QTest::qWaitForWindowExposed(&hoofd()));
        Melding::neemGetoond();
    }

    void cleanup()
    {
        QVERIFY2(Melding::neemGetoond().isEmpty(), "the dialog showed no message");
        m_op.reset();
    }

    void openen_data()
    {
        QTest::addColumn<int>("ballen");
        QTest::newRow("75 stored") << 75;
        QTest::newRow("90 stored") << 90;
    }
    // The stored values show; Ok without a change keeps them, the ball count included.
    void openen()
    {
        QFETCH(int, ballen);
        alg().AantalBallen = static_cast<std::uint8_t>(ballen);
        auto dlg = open();
        QVERIFY(dlg);
        QCOMPARE(dlg->windowTitle(), QStringLiteral(" Configuratie"));
        QCOMPARE(midden(dlg->Label9), QColor(Qt::black));
        for (QScrollBar* balk : dlg->ColorScroll)
            QCOMPARE(balk->value(), 0);
        QCOMPARE(balKleur(dlg->Image1), balKleur(Plaatjes::bal(7)));
        QCOMPARE(balKleur(dlg->Image2), balKleur(Plaatjes::bal(3)));
        QCOMPARE(dlg->Label10->text(), QStringLiteral("Knippersnelheid (2)"));
        QCOMPARE(dlg->Label13->text(), QStringLiteral("Knipperaantal (3)"));
        QVERIFY((ballen == 90 ? dlg->Option90 : dlg->Option75)->isChecked());
        QCOMPARE(dlg->focusWidget(), dlg->OkKnop);
        QVERIFY(TestHulp::isVlak(dlg->OkKnop, QColor(192, 192, 255)));
        const QByteArray voor = Instellingen::maakInhoud(alg());
        QTest::mouseClick(dlg->OkKnop, Qt::LeftButton);
        QCOMPARE(Instellingen::maakInhoud(alg()), voor);
    }

    // Colour bars, ball pictures and the number of balls store at once and stay after Cancel,
    // except the ball pictures, which Cancel puts back.
    void directOpgeslagen()
    {
        auto dlg = open();
        QVERIFY(dlg);
        dlg->ColorScroll[0]->setValue(255);
        dlg->ColorScroll[1]->setFocus();
        QTest::keyClick(dlg->ColorScroll[1], Qt::Key_Right);
        QCOMPARE(midden(dlg->Label9), QColor(255, 1, 0));
        QTest::mouseClick(dlg->Option90, Qt::LeftButton);
        dlg->HScroll1->setValue(2);
        dlg->HScroll2->setValue(8);
        QCOMPARE(alg().balKleurIndex(), 2);
        QCOMPARE(int(alg().KnipperKleur), 8);
        QCOMPARE(balKleur(dlg->Image1), balKleur(Plaatjes::bal(2)));
        const QImage bal1 = hoofd().Pic->Bal1();
        QTest::mouseClick(dlg->CancelKnop, Qt::LeftButton);
        QVERIFY(!dlg->isVisible());
        QCOMPARE(QList<int>({alg().getalKleurR(), alg().getalKleurG(), alg().AantalBallen}), QList<int>({255, 1, 90}));
        QCOMPARE(alg().BalKleur, 7.0);
        QCOMPARE(int(alg().KnipperKleur), 3);
        QCOMPARE(hoofd().Pic->Bal1(), bal1);
    }

    // Reset sets the counter to 0 at once; the next game is round 1.
    void resetRondeteller()
    {
        hoofd().avond().spel().zetRondeTeller(5);
        auto dlg = open();
        QTest::mouseClick(dlg->ResetKnop, Qt::LeftButton);
        QCOMPARE(hoofd().avond().spel().rondeTeller(), 0);
        QVERIFY(TestHulp::isVlak(dlg->ResetKnop, Config::resetGedaanKleur)); // flat in its new colour
        Melding::zetVolgendAntwoord(true);
        hoofd().KnopPic->Knop[Opdrachtbalk::KnopStart]->click();
        QCOMPARE(Melding::neemGetoond().size(), 1);
        QTRY_VERIFY(hoofd().InfoLabel->text().startsWith(QStringLiteral("Ronde 1 ")));
    }

    // Ball pictures out of range in the file (9 and 0): Ok applies what the previews show.
    void balPlaatjeBuitenBereik()
    {
        alg().BalKleur = 9;
        alg().KnipperKleur = 0;
        auto dlg = open();
        const QList<QColor> getoond = {balKleur(dlg->Image1), balKleur(dlg->Image2)};
        QTest::mouseClick(dlg->OkKnop, Qt::LeftButton);
        QCOMPARE(QList<QColor>({balKleur(hoofd().Pic->Bal1()), balKleur(hoofd().Pic->Bal2())}), getoond);
    }
};

QTEST_MAIN(TstConfig)
#include "tst_config.moc"
