// The card pattern editor: its window, presses on the large card, Reset, Ok and Cancel, seen
// through KaartPatroon, the canvases and the pixels of the pattern button's picture.
#include "common/twips.h"
#include "testhulp.h"

#include "common/doek_w.h"
#include "common/plaatjeknop_w.h"
#include "common/plaatjes.h"
#include "dialogs/layout_w.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

namespace
{
const QColor wit(255, 255, 255), rood(200, 0, 0), middenRood(240, 0, 0), zwart(0, 0, 0), kantKleur(40, 40, 60);

// Logical pixel of a press or a colour check on the large card.
void druk(Layout& dlg, int x, int y, Qt::MouseButton knop = Qt::LeftButton)
{
    QTest::mousePress(dlg.Picture1, knop, Qt::NoModifier, QPoint(x, y));
    QTest::mouseRelease(dlg.Picture1, knop, Qt::NoModifier, QPoint(x, y));
}

QColor groot(Layout& dlg, int x, int y)
{
    return dlg.Picture1->pixel(x * 15, y * 15);
}
QColor klein(Layout& dlg, int x, int y)
{
    return dlg.Pic->pixel(x * 15, y * 15);
}

// Left, top, right and bottom pixel of the mark of cell k on the large card.
struct Mark {
    int l, b, r, o;
};
Mark markVan(int k)
{
    const int i = (k - 1) / 5, j = (k - 1) % 5;
    return {5 + 65 * j, 5 + 65 * i, 62 + 65 * j, 62 + 65 * i};
}

bool markIs(Layout& dlg, int k, const QColor& kleur)
{
    const Mark m = markVan(k);
    return groot(dlg, m.l, m.b) == kleur && groot(dlg, m.r, m.o) == kleur && groot(dlg, m.l, m.o) == kleur &&
           groot(dlg, m.r, m.b) == kleur && groot(dlg, (m.l + m.r) / 2, (m.b + m.o) / 2) == kleur;
}

// The colour of cell (i, j) of the small card on the pattern button (43 x 43, margin 7).
QColor knopVak(Main& hoofd, int i, int j)
{
    return hoofd.Knop[Main::KnopLayout]->plaatje().pixelColor(7 + 7 * j + 3, 7 + 7 * i + 3);
}

QImage knopBeeld(Main& hoofd)
{
    return hoofd.Knop[Main::KnopLayout]->plaatje().convertToFormat(QImage::Format_RGB32);
}
} // namespace

class TstLayout : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestHulp::Opstelling> m_o;
    Main& hoofd() { return m_o->main(); }
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

    // The window and its controls at their places, with their texts, fonts and colours.
    void venster()
    {
        auto dlg = open();
        QCOMPARE(dlg->windowTitle(), QStringLiteral(" Kaarten"));
        QCOMPARE(dlg->size(), Twips::dialoogBinnenmaat(9000, 6000));
        QCOMPARE(dlg->minimumSize(), dlg->maximumSize());
        QCOMPARE(dlg->palette().color(QPalette::Window), QColor(220, 220, 190));
        QVERIFY(dlg->isModal());

        const QList<QPair<const char*, QRect>> plaatsen = {
            {"Label1", QRect(16, 16, 340, 340)},  {"Picture1", QRect(22, 22, 328, 328)},
            {"Label3", QRect(380, 18, 60, 26)},   {"ResetKnop", QRect(382, 20, 56, 22)},
            {"Label5", QRect(380, 60, 190, 140)}, {"Pic", QRect(380, 260, 36, 36)},
            {"Label2", QRect(462, 330, 116, 26)}, {"CancelKnop", QRect(464, 332, 56, 22)},
            {"OkKnop", QRect(520, 332, 56, 22)}};
        for (const auto& [naam, r] : plaatsen) {
            auto* w = dlg->findChild<QWidget*>(QString::fromLatin1(naam));
            QVERIFY2(w, naam);
            QCOMPARE(w->geometry(), r);
        }
        QCOMPARE(dlg->Label4->pos(), QPoint(446, 24));
        QCOMPARE(dlg->Label6->pos(), QPoint(380, 200));

        QCOMPARE(dlg->Label4->text(), QStringLiteral("Maak kaart leeg"));
        QCOMPARE(dlg->Label6->text(), QStringLiteral("Vak : 0"));
        QCOMPARE(
            dlg->Label5->text(),
            QStringLiteral("Klik op het midden van de vakjes om aan te geven voor welke rij er bingo wordt gespeeld. "
                           "Klik nogmaals om de rode vakjes (behalve de middelste) om deze weer te verwijderen. "
                           "Klik als laatste op de button Ok."));
        QVERIFY(dlg->Label5->wordWrap());
        QCOMPARE(dlg->ResetKnop->text(), QStringLiteral("Reset"));
        QCOMPARE(dlg->CancelKnop->text(), QStringLiteral("Cancel"));
        QCOMPARE(dlg->OkKnop->text(), QStringLiteral("Ok"));
        QCOMPARE(dlg->ResetKnop->palette().color(QPalette::Button), QColor(192, 192, 255));
        QCOMPARE(dlg->CancelKnop->palette().color(QPalette::Button), QColor(255, 192, 192));
        QCOMPARE(dlg->OkKnop->palette().color(QPalette::Button), QColor(192, 255, 192));
        for (QLabel* l : {dlg->Label4, dlg->Label5, dlg->Label6}) {
            QCOMPARE(l->font().family(), QStringLiteral("Arial"));
            QCOMPARE(l->palette().color(QPalette::WindowText), QColor(64, 64, 64));
        }
        QCOMPARE(dlg->Label4->font().pixelSize(), 11);
        QCOMPARE(dlg->Label6->font().pixelSize(), 13);
        QCOMPARE(dlg->Picture1->cursor().shape(), Plaatjes::hand().shape());

        // Both cards as they open on an empty pattern: outlines, the centre marked.
        QCOMPARE(groot(*dlg, 1, 30), zwart);
        QVERIFY(markIs(*dlg, 1, wit));
        QVERIFY(markIs(*dlg, 13, middenRood));
        QCOMPARE(klein(*dlg, 0, 10), zwart);
        QCOMPARE(klein(*dlg, 17, 17), rood);
        QCOMPARE(klein(*dlg, 3, 3), wit);
    }

    // A press on a cell's white margin marks the whole mark; a second clears it; the right
    // button does the same.
    void drukOpMarge()
    {
        auto dlg = open();
        auto& patroon = hoofd().algemeen().KaartPatroon;
        druk(*dlg, 3, 3);
        QVERIFY(markIs(*dlg, 1, rood));
        QCOMPARE(groot(*dlg, 3, 3), wit);
        QCOMPARE(patroon[1], 1);
        QCOMPARE(dlg->Label6->text(), QStringLiteral("Vak : 1"));
        QCOMPARE(klein(*dlg, 3, 3), rood);

        druk(*dlg, 3, 3); // the same spot again
        QVERIFY(markIs(*dlg, 1, wit));
        QCOMPARE(patroon[1], 0);
        QCOMPARE(klein(*dlg, 3, 3), wit);
        druk(*dlg, 30, 30); // on the mark area: marks again, and again clears
        QVERIFY(markIs(*dlg, 1, rood));
        druk(*dlg, 30, 30);
        QVERIFY(markIs(*dlg, 1, wit));

        const Mark m = markVan(19);
        druk(*dlg, m.r + 2, m.o + 2, Qt::RightButton);
        QVERIFY(markIs(*dlg, 19, rood));
        QCOMPARE(patroon[19], 1);
        QCOMPARE(dlg->Label6->text(), QStringLiteral("Vak : 19"));
        druk(*dlg, m.l, m.b, Qt::RightButton);
        QVERIFY(markIs(*dlg, 19, wit));
        QCOMPARE(patroon[19], 0);
    }

    // Outlines and the centre mark never answer; a press just inside a cell's left or top
    // edge toggles that cell, not its neighbour.
    void omtrekEnMidden()
    {
        auto dlg = open();
        auto& patroon = hoofd().algemeen().KaartPatroon;
        druk(*dlg, 8, 8);
        QCOMPARE(dlg->Label6->text(), QStringLiteral("Vak : 1"));
        const auto voor = patroon;

        for (const QPoint p : {QPoint(1, 30), QPoint(66, 30), QPoint(30, 66), QPoint(131, 140), QPoint(135, 135),
                               QPoint(163, 163), QPoint(190, 190), QPoint(0, 0), QPoint(327, 327)}) {
            druk(*dlg, p.x(), p.y());
            QVERIFY2(patroon == voor, qPrintable(QStringLiteral("%1,%2").arg(p.x()).arg(p.y())));
            QCOMPARE(dlg->Label6->text(), QStringLiteral("Vak : 1"));
        }
        QVERIFY(markIs(*dlg, 13, middenRood));
        QVERIFY(markIs(*dlg, 2, wit));

        druk(*dlg, 67, 30); // just inside the left edge of the second cell
        QVERIFY(markIs(*dlg, 2, rood));
        QVERIFY(markIs(*dlg, 1, rood));
        QCOMPARE(patroon[2], 1);
        QCOMPARE(dlg->Label6->text(), QStringLiteral("Vak : 2"));
        druk(*dlg, 30, 67); // just inside the top edge of the first cell of the second row
        QCOMPARE(patroon[6], 1);
        druk(*dlg, 2, 140); // just inside the first column
        QCOMPARE(patroon[11], 1);
    }

    // The centre's margin toggles it on the large card; the small card keeps it marked.
    // Reset clears it until the next press.
    void middenVak()
    {
        auto dlg = open();
        auto& patroon = hoofd().algemeen().KaartPatroon;
        druk(*dlg, 132, 132);
        QVERIFY(markIs(*dlg, 13, rood));
        QCOMPARE(patroon[13], 1);
        QCOMPARE(dlg->Label6->text(), QStringLiteral("Vak : 13"));
        druk(*dlg, 150, 150);
        QVERIFY(markIs(*dlg, 13, wit));
        QCOMPARE(patroon[13], 1);
        QCOMPARE(klein(*dlg, 17, 17), rood);

        druk(*dlg, 8, 8);
        QTest::mouseClick(dlg->ResetKnop, Qt::LeftButton);
        QCOMPARE(patroon[13], 0);
        QCOMPARE(patroon[1], 0);
        QCOMPARE(dlg->Label6->text(), QStringLiteral("Vak : 1"));
        QVERIFY(markIs(*dlg, 1, wit));
        QVERIFY(markIs(*dlg, 13, middenRood));
        QCOMPARE(klein(*dlg, 17, 17), middenRood);
        QCOMPARE(klein(*dlg, 3, 3), wit);
        druk(*dlg, 1, 30); // an outline: no cell, yet the small card is redrawn
        QCOMPARE(patroon[13], 1);
        QCOMPARE(klein(*dlg, 17, 17), rood);
    }

    // After Reset and Ok the button shows an empty card with the centre in its own red; after
    // any press the small centre is the mark colour again.
    void resetEnOk()
    {
        {
            auto dlg = open();
            druk(*dlg, 8, 8);
            QTest::mouseClick(dlg->ResetKnop, Qt::LeftButton);
            QTest::mouseClick(dlg->OkKnop, Qt::LeftButton);
            QVERIFY(!dlg->isVisible());
            QCOMPARE(dlg->result(), int(QDialog::Accepted));
        }
        const QImage leeg = knopBeeld(hoofd());
        QCOMPARE(leeg.size(), QSize(43, 43));
        QCOMPARE(leeg.pixelColor(3, 3), kantKleur);
        QCOMPARE(leeg.pixelColor(42, 10), zwart);
        QCOMPARE(leeg.pixelColor(7, 20), zwart);
        for (int i = 0; i < 5; ++i)
            for (int j = 0; j < 5; ++j)
                QCOMPARE(knopVak(hoofd(), i, j), (i == 2 && j == 2) ? middenRood : wit);

        {
            auto dlg = open();
            QTest::mouseClick(dlg->ResetKnop, Qt::LeftButton);
            druk(*dlg, 0, 0); // misses every cell
            QTest::mouseClick(dlg->OkKnop, Qt::LeftButton);
        }
        QCOMPARE(knopVak(hoofd(), 2, 2), rood);
        QCOMPARE(knopVak(hoofd(), 0, 0), wit);
    }

    // Ok on a pattern of both diagonals gives exactly the button's picture at start-up.
    void startPlaatjeIsZelfdeFormaat()
    {
        const QImage start = knopBeeld(hoofd());
        QCOMPARE(start, Plaatjes::startPatroon().convertToFormat(QImage::Format_RGB32));
        auto& patroon = hoofd().algemeen().KaartPatroon;
        for (int k : {1, 7, 13, 19, 25, 5, 9, 17, 21})
            patroon[k] = 1;
        auto dlg = open();
        QVERIFY(markIs(*dlg, 7, rood));
        QVERIFY(markIs(*dlg, 13, middenRood));
        hoofd().Knop[Main::KnopLayout]->zetPlaatje(QImage());
        QTest::mouseClick(dlg->OkKnop, Qt::LeftButton);
        QCOMPARE(knopBeeld(hoofd()), start);
    }

    // Cancel and closing keep the toggled cells but leave the button as it was.
    void cancelHoudtVakken()
    {
        const QImage start = knopBeeld(hoofd());
        {
            auto dlg = open();
            druk(*dlg, 8, 8);
            druk(*dlg, 8 + 65 * 4, 8 + 65 * 4);
            QTest::mouseClick(dlg->CancelKnop, Qt::LeftButton);
            QVERIFY(!dlg->isVisible());
            QCOMPARE(dlg->result(), int(QDialog::Rejected));
        }
        QCOMPARE(knopBeeld(hoofd()), start);
        {
            auto dlg = open();
            QVERIFY(markIs(*dlg, 1, rood));
            QVERIFY(markIs(*dlg, 25, rood));
            QVERIFY(markIs(*dlg, 2, wit));
            QCOMPARE(klein(*dlg, 3, 3), rood);
            QCOMPARE(klein(*dlg, 31, 31), rood);
            QCOMPARE(dlg->Label6->text(), QStringLiteral("Vak : 0"));
            QTest::mouseClick(dlg->ResetKnop, Qt::LeftButton);
            dlg->close();
            QVERIFY(!dlg->isVisible());
        }
        QCOMPARE(knopBeeld(hoofd()), start);
        QCOMPARE(hoofd().algemeen().KaartPatroon[1], 0);
    }
};

QTEST_MAIN(TstLayout)
#include "tst_layout_w.moc"
