// The command bar, the help panel and the screen information on a real main window.
#include "testhulp.h"

#include "core/screen/openbestand.h"
#include "widgets/common/doek.h"
#include "widgets/common/plaatjeknop.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QtTest>

namespace
{
// Clicks a button; the objectName of a modal dialog that opened meanwhile (closed again).
QString klikEnZieDialoog(QAbstractButton* knop)
{
    QString gezien;
    QTimer bewaker;
    bewaker.setInterval(10);
    QObject::connect(&bewaker, &QTimer::timeout, [&] {
        if (QWidget* modaal = QApplication::activeModalWidget()) {
            gezien = modaal->objectName();
            modaal->close();
        }
    });
    bewaker.start();
    knop->click();
    QCoreApplication::processEvents();
    return gezien;
}
} // namespace

class TstOpdrachtbalk : public QObject
{
    Q_OBJECT
    std::unique_ptr<TestHulp::Opstelling> m_op;
    QStringList m_geopend;

    Main& hoofd() { return m_op->main(); }
    PlaatjeKnop* knop(int i) { return hoofd().KnopPic->Knop[i]; }

private slots:
    void init()
    {
        m_op = std::make_unique<TestHulp::Opstelling>();
        m_geopend.clear();
        OpenBestandHaak::zet([this](const QString& pad) { m_geopend << pad; });
        hoofd().show();
        QVERIFY(QTest::qWaitForWindowExposed(&hoofd()));
    }
    void cleanup()
    {
        OpenBestandHaak::zet({});
        Melding::neemGetoond();
        m_op.reset();
    }

    // Each dialog button opens its own dialog. Help, even double-clicked, opens the panel once,
    // a second Help closes it; while it shows only Help, Exit and the minimise icon answer,
    // and the space bar draws nothing the hall cannot see.
    void helpPaneel()
    {
        QCOMPARE(klikEnZieDialoog(knop(Opdrachtbalk::KnopAfdrukken)), QStringLiteral("Afdrukken"));
        QCOMPARE(klikEnZieDialoog(knop(Opdrachtbalk::KnopLayout)), QStringLiteral("Layout"));
        QCOMPARE(klikEnZieDialoog(knop(Opdrachtbalk::KnopInstellingen)), QStringLiteral("Config"));
        m_op->alg().KnipperAantal = 0;
        Melding::zetVolgendAntwoord(true);
        knop(Opdrachtbalk::KnopStart)->click();
        Melding::neemGetoond();
        hoofd().HelpPic->vul(3000, 5000, 3100, 5100, Qt::green);
        TestHulp::dubbelklik(knop(Opdrachtbalk::KnopHelp), {9, 9});
        QVERIFY(!hoofd().HelpPic->isHidden());
        const QImage paneel = hoofd().HelpPic->beeld().convertToFormat(QImage::Format_RGB32);
        const auto* p = reinterpret_cast<const QRgb*>(paneel.constBits());
        QVERIFY(std::count(p, p + paneel.sizeInBytes() / 4, qRgb(0, 255, 0)) == 0); // a clean panel
        for (int i : {Opdrachtbalk::KnopAfdrukken, Opdrachtbalk::KnopLayout, Opdrachtbalk::KnopInstellingen})
            QCOMPARE(klikEnZieDialoog(knop(i)), QString());
        knop(Opdrachtbalk::KnopStart)->click();
        QTest::keyClick(hoofd().Pic, Qt::Key_Space);
        QVERIFY(Melding::neemGetoond().isEmpty());
        QCOMPARE(m_op->model().ballen().size(), 0);
        hoofd().KnopPic->ExitKnop->click(); // answered Nee
        QCOMPARE(Melding::neemGetoond().size(), 1);
        hoofd().Image1->click();
        QVERIFY(hoofd().windowState() & Qt::WindowMinimized);

        TestHulp::dubbelklik(knop(Opdrachtbalk::KnopHelp), {9, 9});
        QVERIFY(hoofd().HelpPic->isHidden());
        for (int i = 0; i < 5; ++i)
            QVERIFY(knop(i)->isEnabled());
        QTest::keyClick(hoofd().Pic, Qt::Key_Space);
        QCOMPARE(m_op->model().ballen().size(), 1);
    }

    // Start: Nee leaves the round counter alone; Ja, even double-clicked, adds exactly one.
    void startVraag()
    {
        m_op->model().zetRondeTeller(7);
        knop(Opdrachtbalk::KnopStart)->click(); // answered Nee
        QCOMPARE(Melding::neemGetoond().size(), 1);
        QCOMPARE(m_op->model().rondeTeller(), 7);
        Melding::zetVolgendAntwoord(true);
        TestHulp::dubbelklik(knop(Opdrachtbalk::KnopStart), {9, 9});
        QCOMPARE(Melding::neemGetoond().size(), 1);
        QCOMPARE(m_op->model().rondeTeller(), 8);
        QVERIFY(hoofd().InfoLabel->text().startsWith(QStringLiteral("Ronde 8 / ")));
    }

    // The information box names this screen's resolution and size, then the document opens,
    // whether it is there or not; the other icon opens the manual.
    void schermInformatie()
    {
        knop(Opdrachtbalk::KnopHelp)->click();
        const QString document = m_op->map.filePath(QStringLiteral("Beeldscherm.pdf"));
        hoofd().HelpPic->DpiImg->click();
        const auto getoond = Melding::neemGetoond();
        QCOMPARE(getoond.size(), 1);
        QVERIFY(getoond[0].tekst.contains(QStringLiteral(": 96 Dpi")));
        QVERIFY(getoond[0].tekst.contains(QStringLiteral(": 1024 x 768 Pixels")));
        QVERIFY(TestHulp::schrijfBestand(document, "%PDF-1.4\n"));
        hoofd().HelpPic->DpiImg->click();
        hoofd().HelpPic->PdfImg->click();
        QCOMPARE(m_geopend, QStringList({document, document, m_op->map.filePath(QStringLiteral("Zorvak.pdf"))}));
    }
};

QTEST_MAIN(TstOpdrachtbalk)
#include "tst_opdrachtbalk.moc"
