// The command bar, the help panel and the screen information on a real main window.
#include "testhulp.h"

#include "common/doek_w.h"
#include "common/openbestand.h"
#include "common/plaatjeknop_w.h"
#include "main/achtergrond_w.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QtTest>

namespace
{
const QColor achtergrond(40, 20, 20);
const QColor stip(70, 70, 90);

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

// Whether a pixel of exactly this colour lies in the box (twips) of the canvas.
bool heeftKleur(const Doek& doek, int x, int y, int breedte, int hoogte, QColor kleur)
{
    const QImage deel = doek.deel(x, y, breedte, hoogte);
    for (int j = 0; j < deel.height(); ++j)
        for (int i = 0; i < deel.width(); ++i)
            if (deel.pixelColor(i, j) == kleur) return true;
    return false;
}
} // namespace

class TstOpdrachtbalk : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<TestHulp::Opstelling> m_op;
    QStringList m_geopend;

    Main& hoofd() { return m_op->main(); }
    PlaatjeKnop* knop(int i) { return hoofd().Knop[i]; }

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
        WachtTempo::zet(0);
        Melding::neemGetoond();
        m_op.reset();
    }

    // Each dialog button opens its own dialog. Help opens the panel, a second Help closes it;
    // while it shows only Help, Exit and the minimise icon answer.
    void helpTweemaal()
    {
        QCOMPARE(klikEnZieDialoog(knop(Main::KnopAfdrukken)), QStringLiteral("Afdrukken"));
        QCOMPARE(klikEnZieDialoog(knop(Main::KnopLayout)), QStringLiteral("Layout"));
        QCOMPARE(klikEnZieDialoog(knop(Main::KnopInstellingen)), QStringLiteral("Config"));
        knop(Main::KnopHelp)->click();
        QVERIFY(!hoofd().HelpPic->isHidden());
        QVERIFY(knop(Main::KnopHelp)->isEnabled());
        for (int i : {Main::KnopAfdrukken, Main::KnopLayout, Main::KnopInstellingen})
            QCOMPARE(klikEnZieDialoog(knop(i)), QString());
        knop(Main::KnopStart)->click();
        QVERIFY(Melding::neemGetoond().isEmpty());
        QCOMPARE(m_op->alg.RondeTeller, 0);

        hoofd().ExitKnop->click(); // answered Nee
        const auto getoond = Melding::neemGetoond();
        QCOMPARE(getoond.size(), 1);
        QCOMPARE(getoond[0].titel, QStringLiteral(" Exit programma"));
        hoofd().Image1->click();
        QVERIFY(hoofd().windowState() & Qt::WindowMinimized);

        knop(Main::KnopHelp)->click();
        QVERIFY(hoofd().HelpPic->isHidden());
        for (int i = 0; i < 5; ++i)
            QVERIFY(knop(i)->isEnabled());
    }

    // Nee leaves the round counter alone; Ja adds exactly one and starts the game.
    void startVraag()
    {
        m_op->alg.RondeTeller = 7;
        knop(Main::KnopStart)->click(); // answered Nee
        auto getoond = Melding::neemGetoond();
        QCOMPARE(getoond.size(), 1);
        QCOMPARE(getoond[0].tekst, QStringLiteral("Nieuwe spel en/of nieuwe ronde spelen?"));
        QCOMPARE(m_op->alg.RondeTeller, 7);

        Melding::zetVolgendAntwoord(true);
        knop(Main::KnopStart)->click();
        QCOMPARE(m_op->alg.RondeTeller, 8);
        QVERIFY(hoofd().InfoLabel->text().startsWith(QStringLiteral("Ronde 8 / ")));
    }

    // A double-click on a picture button runs its command once, not twice.
    void dubbelklikOpKnopIsEenKlik()
    {
        // What the window system sends: press, release, double-click, release.
        const auto dubbelKlik = [](QWidget* w) {
            QTest::mouseClick(w, Qt::LeftButton);
            QTest::mouseDClick(w, Qt::LeftButton);
            QTest::mouseRelease(w, Qt::LeftButton);
        };
        dubbelKlik(knop(Main::KnopHelp));
        QVERIFY(!hoofd().HelpPic->isHidden());
        dubbelKlik(knop(Main::KnopHelp));
        QVERIFY(hoofd().HelpPic->isHidden());
        dubbelKlik(knop(Main::KnopStart));
        QCOMPARE(Melding::neemGetoond().size(), 1);
    }

    // With the help panel over the board, the space bar draws nothing the hall cannot see.
    void geenTrekkingAchterHetHulppaneel()
    {
        m_op->alg.KnipperAantal = 0;
        Melding::zetVolgendAntwoord(true);
        knop(Main::KnopStart)->click();
        knop(Main::KnopHelp)->click();
        QTest::keyClick(hoofd().Pic, Qt::Key_Space);
        QCOMPARE(m_op->alg.AantalGetrokken, 0);
        knop(Main::KnopHelp)->click();
        QTest::keyClick(hoofd().Pic, Qt::Key_Space);
        QCOMPARE(m_op->alg.AantalGetrokken, 1);
    }

    // The background double-click hides and shows bar and clock together; a click on an empty
    // part of the bar gives the keyboard focus back to the board.
    void achtergrondEnBalk()
    {
        for (bool verborgen : {true, false}) {
            QTest::mouseDClick(hoofd().BackImage, Qt::LeftButton);
            QCOMPARE(hoofd().KnopPic->isHidden(), verborgen);
            QCOMPARE(hoofd().KlokLabel->isHidden(), verborgen);
        }
        hoofd().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&hoofd()));
        hoofd().Combo1->setFocus();
        QTest::mouseClick(hoofd().KnopPic, Qt::LeftButton, {}, QPoint(30, 5));
        QCOMPARE(hoofd().focusWidget(), static_cast<QWidget*>(hoofd().Pic));
    }

    // Buttons clicked during each other's press animation each end at their own place.
    void animatiesDoorElkaar()
    {
        WachtTempo::zet(1);
        const auto plek = [this](int i) { return QPoint(knop(i)->twipsX(), knop(i)->twipsY()); };
        QPoint startTijdensDruk, helpTijdensDruk;
        QTimer::singleShot(60, this, [&] {
            startTijdensDruk = plek(Main::KnopStart);
            QTimer::singleShot(60, this, [&] { helpTijdensDruk = plek(Main::KnopHelp); });
            knop(Main::KnopHelp)->click();
        });
        knop(Main::KnopStart)->click();
        QCOMPARE(startTijdensDruk, QPoint(5430, 360));
        QCOMPARE(helpTijdensDruk, QPoint(180, 360));
        QCOMPARE(plek(Main::KnopStart), QPoint(5400, 330));
        QCOMPARE(plek(Main::KnopHelp), QPoint(150, 330));
        QCOMPARE(Melding::neemGetoond().size(), 1);
        QVERIFY(!hoofd().HelpPic->isHidden());
    }

    // The information box for the 1024 x 768 screen at 96 dpi, then the document, whether it
    // is there or not; the other icon opens the manual.
    void schermInformatie()
    {
        knop(Main::KnopHelp)->click();
        const QString document = m_op->map.filePath(QStringLiteral("Beeldscherm.pdf"));
        QVERIFY(!QFile::exists(document));
        hoofd().DpiImg->click();
        const auto getoond = Melding::neemGetoond();
        QCOMPARE(getoond.size(), 1);
        QCOMPARE(getoond[0].titel, QStringLiteral(" Beeldscherm"));
        QCOMPARE(getoond[0].tekst, QStringLiteral("Schermresolutie... : 96 Dpi (Dots / Inch)\r\n"
                                                  "Schermgrootte..... : 1024 x 768 Pixels\r\n"
                                                  "------------------------------------------\r\n"
                                                  "Is de Schermresolutie ongelijk als 96 Dpi,\r\n"
                                                  "kijk dan vervolgens voor het wijzigen\r\n"
                                                  "van de Schermresolutie voor de versies\r\n"
                                                  "Windows XP en Windows 7."));
        QCOMPARE(m_geopend, QStringList{document});

        QVERIFY(TestHulp::schrijfBestand(document, "%PDF-1.4\n"));
        hoofd().DpiImg->click();
        QCOMPARE(m_geopend, (QStringList{document, document}));

        m_geopend.clear();
        hoofd().PdfImg->click();
        QCOMPARE(m_geopend, QStringList{m_op->map.filePath(QStringLiteral("Zorvak.pdf"))});
    }

    // The panel's pixels: background and dots, both title colours, a line of each text colour
    // at its place; each opening starts from a clean panel.
    void pixelsVanHetPaneel()
    {
        Doek& paneel = *hoofd().HelpPic;
        paneel.vul(3000, 5000, 3100, 5100, Qt::green);
        knop(Main::KnopHelp)->click();

        QCOMPARE(paneel.pixel(15, 15), achtergrond);
        QCOMPARE(paneel.pixel(0, 10), stip);
        QVERIFY(!heeftKleur(paneel, 3000, 5000, 120, 120, Qt::green));
        QVERIFY(heeftKleur(paneel, 600, 300, 3000, 1100, QColor(255, 0, 0)));
        QVERIFY(heeftKleur(paneel, 630, 330, 3000, 1100, QColor(250, 230, 160)));

        const QColor grijs(170, 170, 170), blauw(150, 150, 250), cyaan(100, 250, 250);
        QVERIFY(heeftKleur(paneel, 600, 1500, 6000, 300, grijs));
        QVERIFY(!heeftKleur(paneel, 0, 1500, 585, 300, grijs));
        QVERIFY(heeftKleur(paneel, 1380, 6810, 6000, 300, blauw));
        QVERIFY(heeftKleur(paneel, 600, 8400, 6000, 300, cyaan));
    }
};

QTEST_MAIN(TstOpdrachtbalk)
#include "tst_opdrachtbalk_w.moc"
