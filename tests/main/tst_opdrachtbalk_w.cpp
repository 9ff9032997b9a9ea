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

// Clicks a button and reports the objectName of a modal dialog that opened meanwhile (closing
// it), or an empty text when none did.
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

    // Each of the three dialog buttons opens its own dialog while the panel is closed.
    void knoppenOpenenHunDialoog()
    {
        QVERIFY(hoofd().HelpPic->isHidden());
        QCOMPARE(klikEnZieDialoog(knop(Main::KnopAfdrukken)), QStringLiteral("Afdrukken"));
        QCOMPARE(klikEnZieDialoog(knop(Main::KnopLayout)), QStringLiteral("Layout"));
        QCOMPARE(klikEnZieDialoog(knop(Main::KnopInstellingen)), QStringLiteral("Config"));
        for (int i = 0; i < 5; ++i)
            QCOMPARE(knop(i)->twipsY(), 330);
    }

    // Help opens the panel, a second Help closes it; while it shows only Help, Exit and the
    // minimise icon answer.
    void helpTweemaal()
    {
        knop(Main::KnopHelp)->click();
        QVERIFY(!hoofd().HelpPic->isHidden());
        QVERIFY(knop(Main::KnopHelp)->isEnabled());
        for (int i : {Main::KnopAfdrukken, Main::KnopLayout, Main::KnopInstellingen, Main::KnopStart})
            QVERIFY2(!knop(i)->isEnabled(), qPrintable(QString::number(i)));
        QCOMPARE(hoofd().PdfImg->twipsX(), 510);
        QCOMPARE(hoofd().PdfImg->twipsY(), 6600);
        QCOMPARE(hoofd().DpiImg->twipsX(), 510);
        QCOMPARE(hoofd().DpiImg->twipsY(), 7440);
        QVERIFY(QGuiApplication::overrideCursor() == nullptr);

        for (int i : {Main::KnopAfdrukken, Main::KnopLayout, Main::KnopInstellingen})
            QCOMPARE(klikEnZieDialoog(knop(i)), QString());
        knop(Main::KnopStart)->click();
        QVERIFY(Melding::neemGetoond().isEmpty());
        QCOMPARE(m_op->alg.RondeTeller, 0);

        // Exit still asks its question (answered Nee here), the minimise icon still minimises.
        hoofd().ExitKnop->click();
        const auto getoond = Melding::neemGetoond();
        QCOMPARE(getoond.size(), 1);
        QCOMPARE(getoond[0].titel, QStringLiteral(" Exit programma"));
        QCOMPARE(m_op->beeindigd, 0);
        QCOMPARE(hoofd().ExitKnop->twipsX(), hoofd().schermBreedte() - 825);
        QCOMPARE(hoofd().ExitKnop->twipsY(), 345);
        hoofd().Image1->click();
        QVERIFY(hoofd().windowState() & Qt::WindowMinimized);
        QVERIFY(!hoofd().HelpPic->isHidden());

        knop(Main::KnopHelp)->click();
        QVERIFY(hoofd().HelpPic->isHidden());
        for (int i = 0; i < 5; ++i)
            QVERIFY(knop(i)->isEnabled());
        QCOMPARE(klikEnZieDialoog(knop(Main::KnopAfdrukken)), QStringLiteral("Afdrukken"));
    }

    // Nee leaves the round counter alone; Ja adds exactly one and enables every button again.
    void startVraag()
    {
        m_op->alg.RondeTeller = 7;
        Melding::zetVolgendAntwoord(false);
        knop(Main::KnopStart)->click();
        auto getoond = Melding::neemGetoond();
        QCOMPARE(getoond.size(), 1);
        QCOMPARE(getoond[0].titel, QStringLiteral("Nieuw Spel"));
        QCOMPARE(getoond[0].tekst, QStringLiteral("Nieuwe spel en/of nieuwe ronde spelen?"));
        QCOMPARE(m_op->alg.RondeTeller, 7);

        knop(Main::KnopHelp)->setEnabled(false);
        Melding::zetVolgendAntwoord(true);
        knop(Main::KnopStart)->click();
        QCOMPARE(Melding::neemGetoond().size(), 1);
        QCOMPARE(m_op->alg.RondeTeller, 8);
        QVERIFY(hoofd().InfoLabel->text().startsWith(QStringLiteral("Ronde 8 / ")));
        for (int i = 0; i < 5; ++i)
            QVERIFY(knop(i)->isEnabled());
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

        dubbelKlik(knop(Main::KnopStart)); // answered Nee
        QCOMPARE(Melding::neemGetoond().size(), 1);
    }

    // With the help panel over the board, the space bar draws nothing the hall cannot see.
    void geenTrekkingAchterHetHulppaneel()
    {
        m_op->alg.KnipperAantal = 0;
        Melding::zetVolgendAntwoord(true);
        knop(Main::KnopStart)->click();
        QVERIFY(!m_op->alg.Bezig);
        knop(Main::KnopHelp)->click();
        QTest::keyClick(hoofd().Pic, Qt::Key_Space);
        QCOMPARE(m_op->alg.AantalGetrokken, 0);
        knop(Main::KnopHelp)->click();
        QTest::keyClick(hoofd().Pic, Qt::Key_Space);
        QCOMPARE(m_op->alg.AantalGetrokken, 1);
    }

    // The double-click hides and shows the bar and the clock together, and leaves the panel.
    void dubbelklikAchtergrond()
    {
        knop(Main::KnopHelp)->click();
        QTest::mouseDClick(hoofd().BackImage, Qt::LeftButton);
        QVERIFY(hoofd().KnopPic->isHidden());
        QVERIFY(hoofd().KlokLabel->isHidden());
        QVERIFY(!hoofd().HelpPic->isHidden());
        QTest::mouseDClick(hoofd().BackImage, Qt::LeftButton);
        QVERIFY(!hoofd().KnopPic->isHidden());
        QVERIFY(!hoofd().KlokLabel->isHidden());
        QVERIFY(!hoofd().HelpPic->isHidden());
    }

    // A click on an empty part of the bar gives the keyboard focus back to the board.
    void klikOpBalkGeeftBordFocus()
    {
        hoofd().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&hoofd()));
        hoofd().Combo1->setFocus();
        QCOMPARE(hoofd().focusWidget(), static_cast<QWidget*>(hoofd().Combo1));
        QTest::mouseClick(hoofd().KnopPic, Qt::LeftButton, {}, QPoint(30, 5));
        QCOMPARE(hoofd().focusWidget(), static_cast<QWidget*>(hoofd().Pic));
    }

    // Buttons clicked during each other's press animation each end at their own place.
    void animatiesDoorElkaar()
    {
        WachtTempo::zet(1);
        QPoint startTijdensDruk, helpTijdensDruk, startTijdensHelp;
        QTimer::singleShot(60, this, [&] {
            startTijdensDruk = {knop(Main::KnopStart)->twipsX(), knop(Main::KnopStart)->twipsY()};
            QTimer::singleShot(60, this, [&] {
                helpTijdensDruk = {knop(Main::KnopHelp)->twipsX(), knop(Main::KnopHelp)->twipsY()};
                startTijdensHelp = {knop(Main::KnopStart)->twipsX(), knop(Main::KnopStart)->twipsY()};
            });
            knop(Main::KnopHelp)->click();
        });
        knop(Main::KnopStart)->click();
        QCOMPARE(startTijdensDruk, QPoint(5430, 360));
        QCOMPARE(helpTijdensDruk, QPoint(180, 360));
        QCOMPARE(startTijdensHelp, QPoint(5430, 360));
        QCOMPARE(knop(Main::KnopStart)->twipsX(), 5400);
        QCOMPARE(knop(Main::KnopStart)->twipsY(), 330);
        QCOMPARE(knop(Main::KnopHelp)->twipsX(), 150);
        QCOMPARE(knop(Main::KnopHelp)->twipsY(), 330);
        QCOMPARE(Melding::neemGetoond().size(), 1); // the Start question, asked once
        QVERIFY(!hoofd().HelpPic->isHidden());

        // The same button twice: it ends at its place and runs its command twice.
        knop(Main::KnopHelp)->click();
        QTimer::singleShot(60, this, [&] { knop(Main::KnopStart)->click(); });
        knop(Main::KnopStart)->click();
        QCOMPARE(knop(Main::KnopStart)->twipsX(), 5400);
        QCOMPARE(knop(Main::KnopStart)->twipsY(), 330);
        QCOMPARE(Melding::neemGetoond().size(), 2);

        // The icons of the panel use fixed places: a second click ends at rest too.
        knop(Main::KnopHelp)->click();
        QTimer::singleShot(60, this, [&] { hoofd().PdfImg->click(); });
        hoofd().PdfImg->click();
        QCOMPARE(hoofd().PdfImg->twipsX(), 510);
        QCOMPARE(hoofd().PdfImg->twipsY(), 6600);
        QCOMPARE(m_geopend.size(), 2);
    }

    // The information box for the 1024 x 768 screen at 96 dpi, then the document, whether it
    // is there or not.
    void schermInformatie()
    {
        knop(Main::KnopHelp)->click();
        const QString map = m_op->map.path();
        const QString document = QDir(map).filePath(QStringLiteral("Beeldscherm.pdf"));
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
        QCOMPARE(hoofd().DpiImg->twipsX(), 510);
        QCOMPARE(hoofd().DpiImg->twipsY(), 7440);

        QVERIFY(TestHulp::schrijfBestand(document, "%PDF-1.4\n"));
        hoofd().DpiImg->click();
        QCOMPARE(Melding::neemGetoond().size(), 1);
        QCOMPARE(m_geopend, (QStringList{document, document}));

        m_geopend.clear();
        hoofd().PdfImg->click();
        QVERIFY(Melding::neemGetoond().isEmpty());
        QCOMPARE(m_geopend, QStringList{QDir(map).filePath(QStringLiteral("Zorvak.pdf"))});
    }

    // The panel's pixels: background, dots over the logo, both title colours, a line of each
    // text colour at its place; each opening starts from a clean panel.
    void pixelsVanHetPaneel()
    {
        Doek& paneel = *hoofd().HelpPic;
        paneel.vul(3000, 5000, 3100, 5100, Qt::green);
        const QColor logoKleur(200, 100, 0);
        QImage logo(300, 182, QImage::Format_RGB32);
        logo.fill(logoKleur);
        hoofd().LogoPic = logo;
        knop(Main::KnopHelp)->click();

        QCOMPARE(paneel.pixel(15, 15), achtergrond);
        QCOMPARE(paneel.pixel(0, 10), stip);
        QCOMPARE(paneel.pixel(45, 55), stip);
        QCOMPARE(paneel.pixel(3015, 5010), achtergrond);
        QVERIFY(!heeftKleur(paneel, 3000, 5000, 120, 120, Qt::green));
        // The lowest row of dots reaches the panel's bottom edge.
        const int onder = paneel.twipsHoogte() - 15;
        QVERIFY(heeftKleur(paneel, 0, onder - 45, 300, 60, stip));

        // The logo at its own size with its corner at (9450, 6450), the dots on top of it.
        QCOMPARE(paneel.pixel(9450 + 15, 6450 + 15), logoKleur);
        QCOMPARE(paneel.pixel(9450 + 15 * 298, 6450 + 15 * 181), logoKleur);
        QCOMPARE(paneel.pixel(9450 - 15, 6450 + 15), achtergrond);
        QCOMPARE(paneel.pixel(9450 + 15, 6450 - 15), achtergrond);
        QCOMPARE(paneel.pixel(9450 + 15 * 301, 6450 + 15), achtergrond);
        QCOMPARE(paneel.pixel(9450 + 15, 6450 + 15 * 182), achtergrond);
        QCOMPARE(paneel.pixel(9450, 6480), stip); // pixel (630, 432) lies on the dot grid

        // Title: the red shadow up left, the light copy over it.
        QVERIFY(heeftKleur(paneel, 600, 300, 3000, 1100, QColor(255, 0, 0)));
        QVERIFY(heeftKleur(paneel, 630, 330, 3000, 1100, QColor(250, 230, 160)));
        QVERIFY(!heeftKleur(paneel, 0, 0, 600, 1400, QColor(255, 0, 0)));

        // One line of each colour, in its own band and starting at its x.
        const QColor grijs(170, 170, 170), blauw(150, 150, 250), cyaan(100, 250, 250);
        QVERIFY(heeftKleur(paneel, 600, 1500, 6000, 300, grijs));
        QVERIFY(!heeftKleur(paneel, 0, 1500, 585, 300, grijs));
        QVERIFY(heeftKleur(paneel, 1380, 6810, 6000, 300, blauw));
        QVERIFY(!heeftKleur(paneel, 0, 6810, 1365, 300, blauw));
        QVERIFY(!heeftKleur(paneel, 1380, 6810, 6000, 300, grijs));
        QVERIFY(heeftKleur(paneel, 600, 8400, 6000, 300, cyaan));
        QVERIFY(!heeftKleur(paneel, 600, 4800, 6000, 1200, grijs)); // nothing between 4500 and 6000
    }
};

QTEST_MAIN(TstOpdrachtbalk)
#include "tst_opdrachtbalk_w.moc"
