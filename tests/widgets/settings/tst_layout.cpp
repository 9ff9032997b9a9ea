// The card pattern editor: presses on the large card, Reset, Ok and Cancel, seen in the
// record, on both cards and on the pattern button.
#include "testhulp.h"

#include "core/cards/kaartpatroon.h"
#include "core/screen/plaatjes.h"
#include "widgets/common/doek.h"
#include "widgets/common/plaatjeknop.h"
#include "widgets/settings/layout.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

using namespace PatroonKaart;

namespace
{
// A press on the large card at a point in twips.
void druk(Layout& dlg, QPoint twips, Qt::MouseButton knop = Qt::LeftButton)
{
    QTest::mouseClick(dlg.Picture1, knop, Qt::NoModifier, twips / 15);
}
// The colour in the middle of cell k's mark, on the large and on the small card.
QColor groot(Layout& dlg, int k)
{
    const QPoint p = markering(k).center();
    return dlg.Picture1->pixel(p.x(), p.y());
}
QColor klein(Layout& dlg, int k)
{
    const QPoint p = kleinMarkering(k).center();
    return dlg.Pic->pixel(p.x(), p.y());
}
} // namespace

class TstLayout : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestHulp::Opstelling> m_o;
    Main& hoofd() { return m_o->main(); }
    const auto& patroon() { return hoofd().avond().spel().patroon(); }
    QImage knopBeeld()
    {
        return hoofd().KnopPic->Knop[Opdrachtbalk::KnopLayout]->plaatje().convertToFormat(QImage::Format_RGB32);
    }
    std::unique_ptr<Layout> open()
    {
        auto dlg = hoofd().maakLayout();
        dlg->show();
        if (!QTest::qWaitForWindowExposed(dlg.get())) qWarning("window not exposed");
        return dlg;
    }

private slots:
    void init() { m_o = std::make_unique<TestHulp::Opstelling>(); }
    void cleanup() { m_o.reset(); }

    // A press on a cell's white margin, either button, marks it on both cards; a second
    // clears it; an outline changes nothing.
    void drukOpVak()
    {
        auto dlg = open();
        QCOMPARE(dlg->Label6->text(), QStringLiteral("Vak : 0"));
        for (int k : {1, 19}) {
            const QPoint marge = venster(k).topLeft() + QPoint(15, 15);
            const auto knop = k == 1 ? Qt::LeftButton : Qt::RightButton;
            druk(*dlg, marge, knop);
            QCOMPARE(groot(*dlg, k), markKleur);
            QCOMPARE(klein(*dlg, k), markKleur);
            QCOMPARE(int(patroon()[k]), 1);
            QCOMPARE(dlg->Label6->text(), QStringLiteral("Vak : %1").arg(k));
            druk(*dlg, omtrek(k).topLeft() + QPoint(0, 300), knop);
            QCOMPARE(int(patroon()[k]), 1);
            druk(*dlg, marge, knop);
            QCOMPARE(groot(*dlg, k), leegKleur);
            QCOMPARE(klein(*dlg, k), leegKleur);
            QCOMPARE(int(patroon()[k]), 0);
            TestHulp::dubbelklik(dlg->Picture1, marge / 15); // both presses toggle
            QCOMPARE(int(patroon()[k]), 0);
        }
    }

    // Ok on both diagonals gives the button's start picture; Cancel keeps the cells for the
    // next opening but leaves the button as it was.
    void okEnCancel()
    {
        const QImage start = knopBeeld();
        QCOMPARE(start, PatroonKaart::startPlaatje().convertToFormat(QImage::Format_RGB32));
        auto dlg = open();
        for (int k : {1, 7, 19, 25, 5, 9, 17, 21})
            druk(*dlg, venster(k).center());
        hoofd().KnopPic->Knop[Opdrachtbalk::KnopLayout]->zetPlaatje(QImage());
        QTest::mouseClick(dlg->OkKnop, Qt::LeftButton);
        QCOMPARE(knopBeeld(), start);

        dlg = open();
        druk(*dlg, venster(2).center());
        QTest::mouseClick(dlg->CancelKnop, Qt::LeftButton);
        QCOMPARE(knopBeeld(), start);
        QCOMPARE(klein(*open(), 2), markKleur);
    }
};

QTEST_MAIN(TstLayout)
#include "tst_layout.moc"
