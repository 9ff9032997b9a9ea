// The configuration dialog on a real main window: what it shows when it opens, what each
// control stores and when, and what Ok and Cancel do.
#include "common/doek_w.h"
#include "common/plaatjeknop_w.h"
#include "common/plaatjes.h"
#include "common/stijl_w.h"
#include "common/twips.h"
#include "dialogs/achtergronden.h"
#include "dialogs/config_w.h"
#include "main/achtergrond_w.h"
#include "testhulp.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>

class TstConfig : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestHulp::Opstelling> m_op;

    Main& hoofd() { return m_op->main(); }
    Algemeen& alg() { return m_op->main().algemeen(); }
    QString map() const { return m_op->map.filePath(QStringLiteral("Backgrounds")); }

    static QColor midden(QWidget* w) { return w->grab().toImage().pixelColor(w->width() / 2, w->height() / 2); }
    // The sphere of a ball picture below its highlight, where its own colour shows.
    static QColor balKleur(const QImage& b) { return b.pixelColor(b.width() / 2, b.height() * 3 / 4); }
    static QColor balKleur(QLabel* voorbeeld) { return balKleur(voorbeeld->pixmap().toImage()); }
    static bool isRood(QColor c) { return c.red() > 80 && c.red() > qMax(c.green(), c.blue()) + 60; }
    static bool isGeel(QColor c) { return c.red() > 80 && c.green() > 80 && qMin(c.red(), c.green()) > c.blue() + 60; }
    static bool isGroen(QColor c) { return c.green() > 60 && c.green() > qMax(c.red(), c.blue()) + 40; }

    std::unique_ptr<Config> open()
    {
        auto dlg = std::make_unique<Config>(hoofd());
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

    void openenMetStartwaarden()
    {
        auto dlg = open();
        QVERIFY(dlg);
        QCOMPARE(dlg->windowTitle(), QStringLiteral(" Configuratie"));
        QCOMPARE(dlg->size(), Twips::dialoogBinnenmaat(7500, 3900));
        QCOMPARE(dlg->OkKnop->geometry(), Twips::rect(6360, 2850, 840, 330));
        QCOMPARE(midden(dlg->Label9), QColor(Qt::black));
        for (QScrollBar* balk : dlg->ColorScroll)
            QCOMPARE(balk->value(), balk->minimum());
        QVERIFY(isRood(balKleur(dlg->Image1)));
        QVERIFY(isGeel(balKleur(dlg->Image2)));
        QCOMPARE(dlg->Label10->text(), QStringLiteral("Knippersnelheid (2)"));
        QCOMPARE(dlg->Label13->text(), QStringLiteral("Knipperaantal (3)"));
        QVERIFY(dlg->Option75->isChecked());
        QCOMPARE(dlg->Option75->text(), QStringLiteral("75 Ballen"));
        QCOMPARE(dlg->focusWidget(), dlg->OkKnop);
    }

    // Colour bars and the number of balls store at once; Cancel keeps them.
    void kleurBalken()
    {
        auto dlg = open();
        QVERIFY(dlg);
        dlg->ColorScroll[0]->setValue(255);
        QCOMPARE(alg().getalKleurR(), 255);
        dlg->ColorScroll[1]->setFocus();
        QTest::keyClick(dlg->ColorScroll[1], Qt::Key_Right);
        QCOMPARE(alg().getalKleurG(), 1);
        QCOMPARE(midden(dlg->Label9), QColor(255, 1, 0));
        QTest::mouseClick(dlg->Option90, Qt::LeftButton);
        QCOMPARE(int(alg().AantalBallen), 90);

        QTest::mouseClick(dlg->CancelKnop, Qt::LeftButton);
        QVERIFY(!dlg->isVisible());
        QCOMPARE(alg().getalKleurR(), 255);
        QCOMPARE(alg().getalKleurG(), 1);
        QCOMPARE(int(alg().AantalBallen), 90);
    }

    void knipperBalken_data()
    {
        QTest::addColumn<int>("snelheid");
        QTest::addColumn<int>("aantal");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QPoint>("getoond"); // speed and count in the captions
        QTest::addColumn<QPoint>("bewaard"); // and in the record after Ok or Cancel
        QTest::newRow("cancel") << 7 << 9 << false << QPoint(7, 9) << QPoint(2, 3);
        QTest::newRow("onder") << 0 << 1 << true << QPoint(1, 2) << QPoint(1, 2);
        QTest::newRow("boven") << 11 << 200 << true << QPoint(10, 10) << QPoint(10, 10);
    }
    // Blink speed and count: only captions until Ok; Cancel drops them; limits 1, 2 and 10.
    void knipperBalken()
    {
        QFETCH(int, snelheid);
        QFETCH(int, aantal);
        QFETCH(bool, ok);
        QFETCH(QPoint, getoond);
        QFETCH(QPoint, bewaard);
        auto dlg = open();
        QVERIFY(dlg);
        dlg->HScroll3->setValue(snelheid);
        dlg->HScroll4->setValue(aantal);
        QCOMPARE(dlg->Label10->text(), QStringLiteral("Knippersnelheid (%1)").arg(getoond.x()));
        QCOMPARE(dlg->Label13->text(), QStringLiteral("Knipperaantal (%1)").arg(getoond.y()));
        QCOMPARE(int(alg().KnipperSnelheid), 2);
        QTest::mouseClick(ok ? dlg->OkKnop : dlg->CancelKnop, Qt::LeftButton);
        QVERIFY(!dlg->isVisible());
        QCOMPARE(QPoint(alg().KnipperSnelheid, alg().KnipperAantal), bewaard);
    }

    // Picture 5 for drawn balls: after Ok the next drawn ball ends green on the board.
    void knipperBalGroen()
    {
        auto dlg = open();
        QVERIFY(dlg);
        dlg->HScroll2->setValue(5);
        QVERIFY(isGroen(balKleur(dlg->Image2)));
        QTest::mouseClick(dlg->OkKnop, Qt::LeftButton);
        QVERIFY(isGroen(balKleur(hoofd().Bal2)));

        hoofd().NieuwSpel();
        QTest::keyClick(hoofd().Pic, Qt::Key_Space);
        QVERIFY2(alg().GetrokkenBal != 0, "a ball was drawn");
        const int k = alg().GetrokkenBal;
        const int x = 300 + 960 * ((k - 1) % 15), y = 300 + 960 * ((k - 1) / 15);
        // Below and left of the number printed on the ball.
        for (const QColor c : {hoofd().Pic->pixel(x + 450, y + 780), hoofd().Pic->pixel(x + 90, y + 450)})
            QVERIFY2(isGroen(c), qPrintable(c.name()));
    }

    // The ball pictures count at once in the record; Cancel and Escape put back this
    // opening's choice.
    void balPlaatjesEnCancel()
    {
        auto dlg = open();
        QVERIFY(dlg);
        const QImage bal1 = hoofd().Bal1;
        dlg->HScroll1->setValue(2);
        dlg->HScroll2->setValue(8);
        QCOMPARE(alg().balKleurIndex(), 2);
        QCOMPARE(int(alg().KnipperKleur), 8);
        QCOMPARE(balKleur(dlg->Image1), balKleur(Plaatjes::bal(2)));
        QTest::mouseClick(dlg->CancelKnop, Qt::LeftButton);
        QCOMPARE(alg().BalKleur, 7.0);
        QCOMPARE(int(alg().KnipperKleur), 3);
        QCOMPARE(hoofd().Bal1, bal1);
        QVERIFY(isGeel(balKleur(hoofd().Bal2)));

        dlg = open();
        dlg->HScroll1->setValue(4);
        QTest::keyClick(dlg.get(), Qt::Key_Escape);
        QVERIFY(!dlg->isVisible());
        QCOMPARE(alg().BalKleur, 7.0);
    }

    // Reset twice: counter 0, button light green; orange again at the next opening; the next
    // new game is round 1.
    void resetRondeteller()
    {
        const QColor oranje(240, 190, 150);
        alg().RondeTeller = 5;
        auto dlg = open();
        QVERIFY(dlg);
        QTest::mouseClick(dlg->ResetKnop, Qt::LeftButton);
        alg().RondeTeller = 2;
        QTest::mouseClick(dlg->ResetKnop, Qt::LeftButton);
        QCOMPARE(alg().RondeTeller, 0);
        QCOMPARE(dlg->ResetKnop->palette().color(QPalette::Button), QColor(190, 240, 150));
        const QColor vlak = dlg->ResetKnop->grab().toImage().pixelColor(6, dlg->ResetKnop->height() / 2);
        QVERIFY2(vlak.green() > vlak.red() + 30, qPrintable(vlak.name()));
        QTest::mouseClick(dlg->CancelKnop, Qt::LeftButton);
        QCOMPARE(alg().RondeTeller, 0);
        dlg->show();
        QCOMPARE(dlg->ResetKnop->palette().color(QPalette::Button), oranje);
        dlg->reject();
        QCOMPARE(open()->ResetKnop->palette().color(QPalette::Button), oranje);

        Melding::zetVolgendAntwoord(true);
        hoofd().Knop[Main::KnopStart]->click();
        QCOMPARE(Melding::neemGetoond().size(), 1);
        QCOMPARE(alg().RondeTeller, 1);
        QTRY_VERIFY(hoofd().InfoLabel->text().startsWith(QStringLiteral("Ronde 1 ")));
    }

    // A folder of mixed files: only the pictures, alphabetically, nothing selected; a click or
    // an arrow key sets the background at once; a broken picture changes nothing visible.
    void achtergrondLijst()
    {
        QVERIFY(QDir().mkpath(map()));
        const QDir d(map());
        const auto beeld = [&](const char* naam, QColor kleur) {
            QImage b(40, 30, QImage::Format_RGB32);
            b.fill(kleur);
            return b.save(d.filePath(QString::fromLatin1(naam)));
        };
        QVERIFY(beeld("blauw.BMP", QColor(0, 0, 200)) && beeld("Groen.jpg", QColor(0, 200, 0)));
        QVERIFY(beeld("wit.jpeg", Qt::white) && beeld("wit.png", Qt::white));
        QVERIFY(TestHulp::schrijfBestand(d.filePath(QStringLiteral("kapot.jpg")), "geen plaatje"));
        QVERIFY(d.mkdir(QStringLiteral("map.jpg")));

        auto dlg = open();
        QVERIFY(dlg);
        QStringList namen;
        for (int i = 0; i < dlg->List1->count(); ++i)
            namen << dlg->List1->item(i)->text();
        QCOMPARE(namen, QStringList({"blauw.BMP", "Groen.jpg", "kapot.jpg"}));
        QCOMPARE(dlg->List1->selectedItems().size(), 0);

        const auto achtergrond = [&] { return hoofd().BackImage->plaatje().pixelColor(0, 0); };
        QTest::mouseClick(dlg->List1->viewport(), Qt::LeftButton, {},
                          dlg->List1->visualItemRect(dlg->List1->item(0)).center());
        QCOMPARE(alg().AchtergrondBestand, Achtergronden::pad(map(), QStringLiteral("blauw.BMP")));
        QCOMPARE(achtergrond(), QColor(0, 0, 200));
        QTest::keyClick(dlg->List1, Qt::Key_Down);
        QCOMPARE(alg().AchtergrondBestand, Achtergronden::pad(map(), QStringLiteral("Groen.jpg")));
        QVERIFY(isGroen(achtergrond()));
        QTest::keyClick(dlg->List1, Qt::Key_Down);
        QCOMPARE(alg().AchtergrondBestand, Achtergronden::pad(map(), QStringLiteral("kapot.jpg")));
        QVERIFY(isGroen(achtergrond()));
    }

    void legeEnOntbrekendeMap()
    {
        const QString voor = alg().AchtergrondBestand;
        for (bool bestaat : {false, true}) {
            if (bestaat) QVERIFY(QDir().mkpath(map()));
            auto dlg = open();
            QVERIFY(dlg);
            QCOMPARE(dlg->List1->count(), 0);
            QTest::mouseClick(dlg->List1->viewport(), Qt::LeftButton, {}, QPoint(20, 20));
            QTest::keyClick(dlg->List1, Qt::Key_Down);
            QCOMPARE(alg().AchtergrondBestand, voor);
        }
    }

    // Settings out of range (a settings file edited by hand): the dialog shows the nearest
    // values and leaves the record alone until a control is changed.
    void waardenBuitenBereik()
    {
        alg().BalKleur = 12;
        alg().KnipperKleur = 0;
        alg().KnipperSnelheid = 0;
        alg().KnipperAantal = 0;
        alg().GetalKleurR = 300;
        auto dlg = open();
        QVERIFY(dlg);
        QCOMPARE(dlg->HScroll1->value(), 8);
        QCOMPARE(dlg->Label10->text(), QStringLiteral("Knippersnelheid (1)"));
        QCOMPARE(dlg->Label13->text(), QStringLiteral("Knipperaantal (2)"));
        QCOMPARE(midden(dlg->Label9), QColor(255, 0, 0));
        QCOMPARE(balKleur(dlg->Image1), balKleur(Plaatjes::bal(8)));
        dlg->reject();
        QCOMPARE(alg().BalKleur, 12.0);
        QCOMPARE(int(alg().KnipperAantal), 0);
        QCOMPARE(alg().GetalKleurR, 300.0);
    }
};

QTEST_MAIN(TstConfig)
#include "tst_config_w.moc"
