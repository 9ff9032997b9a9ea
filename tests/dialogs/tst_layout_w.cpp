// The card pattern editor: presses on the large card, Reset, Ok and Cancel, seen through
// KaartPatroon, the canvases and the pixels of the pattern button's picture.
#include "testhulp.h"

#include "common/doek_w.h"
#include "common/plaatjeknop_w.h"
#include "common/plaatjes.h"
#include "common/twips.h"
#include "dialogs/layout_w.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

namespace
{
const QColor wit(255, 255, 255), rood(200, 0, 0), middenRood(240, 0, 0);

// A press at a logical pixel of the large card.
void druk(Layout& dlg, int x, int y, Qt::MouseButton knop = Qt::LeftButton)
{
    QTest::mousePress(dlg.Picture1, knop, Qt::NoModifier, QPoint(x, y));
    QTest::mouseRelease(dlg.Picture1, knop, Qt::NoModifier, QPoint(x, y));
}

// The corners and the middle of the mark of cell k on the large card all show the colour.
bool markIs(Layout& dlg, int k, const QColor& kleur)
{
    const int l = 5 + 65 * ((k - 1) % 5), b = 5 + 65 * ((k - 1) / 5);
    for (const QPoint p :
         {QPoint(l, b), QPoint(l + 57, b), QPoint(l, b + 57), QPoint(l + 57, b + 57), QPoint(l + 28, b + 28)})
        if (dlg.Picture1->pixel(p.x() * 15, p.y() * 15) != kleur) return false;
    return true;
}
} // namespace

class TstLayout : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestHulp::Opstelling> m_o;
    Main& hoofd() { return m_o->main(); }
    auto& patroon() { return hoofd().algemeen().KaartPatroon; }
    static QColor klein(Layout& dlg, int x, int y) { return dlg.Pic->pixel(x * 15, y * 15); }
    QImage knopBeeld() { return hoofd().Knop[Main::KnopLayout]->plaatje().convertToFormat(QImage::Format_RGB32); }
    // Cell (i, j) of the small card on the pattern button.
    QColor knopVak(int i, int j) { return knopBeeld().pixelColor(10 + 7 * j, 10 + 7 * i); }
    std::unique_ptr<Layout> open()
    {
        auto dlg = std::make_unique<Layout>(hoofd());
        dlg->show();
        if (!QTest::qWaitForWindowExposed(dlg.get())) qWarning("window not exposed");
        return dlg;
    }

private slots:
    void init() { m_o = std::make_unique<TestHulp::Opstelling>(); }
    void cleanup() { m_o.reset(); }

    // The window; a press on a cell's white margin marks the whole mark, a second clears it;
    // the right button does the same.
    void drukOpMarge()
    {
        auto dlg = open();
        QCOMPARE(dlg->windowTitle(), QStringLiteral(" Kaarten"));
        QCOMPARE(dlg->size(), Twips::dialoogBinnenmaat(9000, 6000));
        QCOMPARE(dlg->Label6->text(), QStringLiteral("Vak : 0"));
        QVERIFY(markIs(*dlg, 1, wit));
        druk(*dlg, 3, 3);
        QVERIFY(markIs(*dlg, 1, rood));
        QCOMPARE(patroon()[1], 1);
        QCOMPARE(dlg->Label6->text(), QStringLiteral("Vak : 1"));
        QCOMPARE(klein(*dlg, 3, 3), rood);
        druk(*dlg, 3, 3);
        QVERIFY(markIs(*dlg, 1, wit));
        QCOMPARE(patroon()[1], 0);
        QCOMPARE(klein(*dlg, 3, 3), wit);

        druk(*dlg, 259, 259, Qt::RightButton);
        QVERIFY(markIs(*dlg, 19, rood));
        QCOMPARE(dlg->Label6->text(), QStringLiteral("Vak : 19"));
        druk(*dlg, 259, 259, Qt::RightButton);
        QVERIFY(markIs(*dlg, 19, wit));
        QCOMPARE(patroon()[19], 0);
    }

    // Outlines and the centre mark never answer; just inside the left edge of the second cell
    // of the top row toggles that cell, not its neighbour.
    void omtrekEnMidden()
    {
        auto dlg = open();
        druk(*dlg, 8, 8);
        const auto voor = patroon();
        for (const QPoint p :
             {QPoint(1, 30), QPoint(66, 30), QPoint(30, 66), QPoint(135, 135), QPoint(163, 163), QPoint(327, 327)}) {
            druk(*dlg, p.x(), p.y());
            QVERIFY2(patroon() == voor, qPrintable(QStringLiteral("%1,%2").arg(p.x()).arg(p.y())));
            QCOMPARE(dlg->Label6->text(), QStringLiteral("Vak : 1"));
        }
        QVERIFY(markIs(*dlg, 13, middenRood));

        druk(*dlg, 67, 30);
        QVERIFY(markIs(*dlg, 2, rood));
        QVERIFY(markIs(*dlg, 1, rood));
        QCOMPARE(dlg->Label6->text(), QStringLiteral("Vak : 2"));
    }

    // The centre's margin toggles it on the large card while the small card keeps it marked.
    // Reset clears it until the next press.
    void middenVak()
    {
        auto dlg = open();
        druk(*dlg, 132, 132);
        QVERIFY(markIs(*dlg, 13, rood));
        QCOMPARE(dlg->Label6->text(), QStringLiteral("Vak : 13"));
        druk(*dlg, 150, 150);
        QVERIFY(markIs(*dlg, 13, wit));
        QCOMPARE(patroon()[13], 1);
        QCOMPARE(klein(*dlg, 17, 17), rood);

        QTest::mouseClick(dlg->ResetKnop, Qt::LeftButton);
        QCOMPARE(patroon()[13], 0);
        QVERIFY(markIs(*dlg, 13, middenRood));
        QCOMPARE(klein(*dlg, 17, 17), middenRood);
        druk(*dlg, 1, 30); // an outline: no cell, yet the centre counts again
        QCOMPARE(patroon()[13], 1);
        QCOMPARE(klein(*dlg, 17, 17), rood);
    }

    // After Reset and Ok the button shows an empty card with the centre in its own red; after
    // any press the small centre is the mark colour again.
    void resetEnOk()
    {
        auto dlg = open();
        druk(*dlg, 8, 8);
        QTest::mouseClick(dlg->ResetKnop, Qt::LeftButton);
        QTest::mouseClick(dlg->OkKnop, Qt::LeftButton);
        QCOMPARE(dlg->result(), int(QDialog::Accepted));
        for (int i = 0; i < 5; ++i)
            for (int j = 0; j < 5; ++j)
                QCOMPARE(knopVak(i, j), (i == 2 && j == 2) ? middenRood : wit);

        dlg = open();
        QTest::mouseClick(dlg->ResetKnop, Qt::LeftButton);
        druk(*dlg, 0, 0); // misses every cell
        QTest::mouseClick(dlg->OkKnop, Qt::LeftButton);
        QCOMPARE(knopVak(2, 2), rood);
        QCOMPARE(knopVak(0, 0), wit);
    }

    // Ok on a pattern of both diagonals gives exactly the button's picture at start-up.
    void diagonalenIsStartPlaatje()
    {
        const QImage start = knopBeeld();
        QCOMPARE(start, Plaatjes::startPatroon().convertToFormat(QImage::Format_RGB32));
        for (int k : {1, 7, 13, 19, 25, 5, 9, 17, 21})
            patroon()[k] = 1;
        auto dlg = open();
        hoofd().Knop[Main::KnopLayout]->zetPlaatje(QImage());
        QTest::mouseClick(dlg->OkKnop, Qt::LeftButton);
        QCOMPARE(knopBeeld(), start);
    }

    // Cancel keeps the toggled cells for the next opening but leaves the button as it was.
    void cancelHoudtVakken()
    {
        const QImage start = knopBeeld();
        auto dlg = open();
        druk(*dlg, 8, 8);
        druk(*dlg, 268, 268);
        QTest::mouseClick(dlg->CancelKnop, Qt::LeftButton);
        QCOMPARE(dlg->result(), int(QDialog::Rejected));
        QCOMPARE(knopBeeld(), start);

        dlg = open();
        QVERIFY(markIs(*dlg, 1, rood));
        QVERIFY(markIs(*dlg, 25, rood));
        QVERIFY(markIs(*dlg, 2, wit));
        QCOMPARE(klein(*dlg, 31, 31), rood);
    }
};

QTEST_MAIN(TstLayout)
#include "tst_layout_w.moc"
