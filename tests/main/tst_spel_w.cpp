// The game on the main window: new games, draws, the board's input and the clock.
#include "common/doek_w.h"
#include "common/plaatjeknop_w.h"
#include "common/plaatjes.h"
#include "common/twips.h"
#include "main/trommel.h"
#include "testhulp.h"

#include <QComboBox>
#include <QLabel>
#include <QRegularExpression>
#include <QtTest>

namespace
{
const QColor getalKleur(0, 255, 0);

// What the board shows of a ball picture where the number never comes: the top strip above
// the number and the strip down the left side.
QImage buitenGetal(const QImage& cel)
{
    QImage uit = cel.convertToFormat(QImage::Format_RGB32);
    QPainter p(&uit);
    p.fillRect(QRect(7, 9, 53, 51), Qt::black);
    return uit;
}

QImage celBeeld(Main& m, int n)
{
    const QPoint hoek = Trommel::cel(n);
    return m.Pic->deel(hoek.x(), hoek.y(), Trommel::balMaat, Trommel::balMaat);
}

// A ball picture as the board paints it into a cell.
QImage zoalsGeschilderd(const QImage& bal)
{
    QImage uit(60, 60, QImage::Format_RGB32);
    uit.fill(Plaatjes::bordKleur);
    QPainter p(&uit);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    QImage bron = bal;
    bron.setDevicePixelRatio(1.0);
    p.drawImage(QRect(0, 0, 60, 60), bron);
    return uit;
}

bool toontBal(Main& m, int n, const QImage& bal)
{
    return buitenGetal(celBeeld(m, n)) == buitenGetal(zoalsGeschilderd(bal));
}

int telPixels(const QImage& beeld, const std::function<bool(QColor)>& past)
{
    int aantal = 0;
    for (int y = 0; y < beeld.height(); ++y)
        for (int x = 0; x < beeld.width(); ++x)
            aantal += past(beeld.pixelColor(x, y)) ? 1 : 0;
    return aantal;
}

int getalPixels(Main& m, int n)
{
    return telPixels(celBeeld(m, n), [](QColor c) { return c.green() > 200 && c.red() < 60 && c.blue() < 60; });
}

QImage grootBeeld(Main& m)
{
    const QRect vak = Trommel::grootVak(m.algemeen().AantalBallen);
    return m.Pic->deel(vak.x(), vak.y(), vak.width() + 15, vak.height() + 15);
}

int lichtePixels(const QImage& beeld)
{
    return telPixels(beeld, [](QColor c) { return c.red() > 150 && c.green() > 150 && c.blue() > 150; });
}

QStringList regels(const QComboBox* lijst)
{
    QStringList uit;
    for (int i = 0; i < lijst->count(); ++i)
        uit << lijst->itemText(i);
    return uit;
}

void klikBord(Main& m)
{
    QTest::mouseClick(m.Pic, Qt::LeftButton, {}, QPoint(5, 5));
}

void herhaalSpatie(QWidget* doel)
{
    QKeyEvent e(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "), true);
    QApplication::sendEvent(doel, &e);
}

// What the Start button does once the organiser said Ja.
void startSpel(TestHulp::Opstelling& o, int aantal)
{
    o.alg.AantalBallen = static_cast<std::uint8_t>(aantal);
    o.alg.RondeTeller += 1;
    o.main().NieuwSpel();
}

bool toonVenster(TestHulp::Opstelling& o)
{
    o.main().show();
    o.main().activateWindow();
    return QTest::qWaitForWindowActive(&o.main());
}
} // namespace

class TstSpel : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void voorHetEersteSpel();
    void nieuwSpel_data();
    void nieuwSpel();
    void heelSpel_data();
    void heelSpel();
    void getrokkenBalOpHetBord();
    void zonderKnipperenOpOngetrokkenBal();
    void toetsen();
    void vastgehoudenSpatie();
    void nieuwSpelTijdensKnipperen();
    void afsluitenTijdensKnipperen();
    void afsluitenTijdensInschuiven();
    void klok();
    void balAantalTeltVanafHetVolgendeSpel();
};

void TstSpel::init()
{
    WachtTempo::zet(0);
}

// Before the first game the board answers neither a click nor the space bar.
void TstSpel::voorHetEersteSpel()
{
    TestHulp::Opstelling o;
    QVERIFY(toonVenster(o));
    o.main().Pic->setFocus();
    klikBord(o.main());
    QTest::keyClick(o.main().Pic, Qt::Key_Space);
    QCOMPARE(o.alg.AantalGetrokken, 0);
    QCOMPARE(o.main().Combo1->count(), 0);
    QVERIFY(Melding::neemGetoond().isEmpty());
    QVERIFY(o.alg.Bezig);
}

void TstSpel::nieuwSpel_data()
{
    QTest::addColumn<int>("aantal");
    QTest::addColumn<int>("hoogte");
    QTest::newRow("75") << 75 << 6600;
    QTest::newRow("90") << 90 << 7560;
}

// A new game: the board at its height and resting place with its frame and a full grid of
// undrawn balls, the round under it, the counters at zero, the board ready with the focus.
void TstSpel::nieuwSpel()
{
    QFETCH(int, aantal);
    QFETCH(int, hoogte);
    TestHulp::Opstelling o;
    QVERIFY(toonVenster(o));
    Main& m = o.main();
    // A game already played is wiped clean.
    o.alg.KnipperAantal = 0;
    startSpel(o, 90);
    for (int i = 0; i < 5; ++i)
        klikBord(m);
    o.alg.RondeTeller = 6;
    bool bezigTijdensOpbouw = false;
    QTimer::singleShot(0, [&] {
        bezigTijdensOpbouw = o.alg.Bezig;
        klikBord(m); // no ball onto a board being set up
        QTest::keyClick(m.Pic, Qt::Key_Space);
    });
    startSpel(o, aantal);
    QVERIFY(bezigTijdensOpbouw);

    QCOMPARE(m.Pic->twipsHoogte(), hoogte);
    const int rust = Trommel::rustBoven(m.schermHoogte(), hoogte);
    QCOMPARE(m.Pic->twipsY(), -9000 + 60 * ((rust + 9000) / 60));
    QCOMPARE(o.alg.AantalGetrokken, 0);
    QVERIFY(std::all_of(o.alg.Getrokken.begin(), o.alg.Getrokken.end(), [](auto g) { return g == 0; }));
    QCOMPARE(m.Combo1->count(), 0);
    QCOMPARE(m.Combo2->count(), 0);
    QCOMPARE(m.Label2->text(), QStringLiteral("Bal : 0 / %1").arg(aantal));
    QVERIFY(!o.alg.Bezig);
    QVERIFY(m.Pic->hasFocus());
    for (auto* knop : m.Knop)
        QVERIFY(!knop->isEnabled()); // the Start button enables them again

    QVERIFY(m.InfoLabel->isVisible());
    QCOMPARE(m.InfoLabel->text(), QStringLiteral("Ronde 7 / Druk op de spatiebalk of klik met de muis op het scherm."));
    QCOMPARE(m.InfoLabel->y(), Twips::naarPixels(m.Pic->twipsY() + hoogte + 150));
    QVERIFY(qAbs(m.InfoLabel->geometry().center().x() - m.width() / 2) <= 1);
    QCOMPARE(m.InfoLabel->palette().color(QPalette::WindowText), QColor(160, 160, 160));

    // The frame: black at the edge, grey 240 inside; the big display box empty.
    QCOMPARE(m.Pic->pixel(0, 0), QColor(0, 0, 0));
    QCOMPARE(m.Pic->pixel(14895, hoogte - 15), QColor(0, 0, 0));
    QCOMPARE(m.Pic->pixel(120, 2000), QColor(240, 240, 240));
    QCOMPARE(lichtePixels(grootBeeld(m)), 0);
    for (int n = 1; n <= aantal; ++n)
        QVERIFY2(toontBal(m, n, m.Bal1), qPrintable(QString::number(n)));
    if (aantal == 75)
        QCOMPARE(m.Pic->pixel(Trommel::cel(76).x() + 450, Trommel::cel(76).y() + 450), Plaatjes::bordKleur);
}

void TstSpel::heelSpel_data()
{
    QTest::addColumn<int>("aantal");
    QTest::newRow("75") << 75;
    QTest::newRow("90") << 90;
}

// A whole game draws every number once, keeps both lists, and then only says the drum is empty.
void TstSpel::heelSpel()
{
    QFETCH(int, aantal);
    TestHulp::Opstelling o;
    QVERIFY(toonVenster(o));
    Main& m = o.main();
    o.alg.KnipperAantal = 0;
    startSpel(o, aantal);

    QStringList volgorde;
    for (int i = 1; i <= aantal; ++i) {
        klikBord(m);
        QCOMPARE(o.alg.AantalGetrokken, i);
        QVERIFY(!o.alg.Bezig);
        const int n = o.alg.GetrokkenBal;
        QCOMPARE(m.Combo1->currentText(), Trommel::lijstRegel(n, aantal));
        QCOMPARE(m.Combo1->currentIndex(), i - 1);
        QCOMPARE(m.Combo2->currentIndex(), i - 1);
        QCOMPARE(o.alg.BalLetter, Trommel::letter(n, aantal));
        if (i == 1) QCOMPARE(m.Label2->text(), QStringLiteral("Bal : 1 / %1").arg(aantal));
        volgorde << Trommel::lijstRegel(n, aantal);
    }
    QCOMPARE(m.Label2->text(), QStringLiteral("Bal : %1 / %1").arg(aantal));
    QCOMPARE(regels(m.Combo1), volgorde);
    QStringList alle;
    for (int n = 1; n <= aantal; ++n)
        alle << Trommel::lijstRegel(n, aantal);
    QStringList gesorteerd = alle;
    std::sort(gesorteerd.begin(), gesorteerd.end());
    QCOMPARE(regels(m.Combo2), gesorteerd);
    QVERIFY(regels(m.Combo2).indexOf(QStringLiteral("B-10")) < regels(m.Combo2).indexOf(QStringLiteral("B-2")));
    std::sort(volgorde.begin(), volgorde.end());
    QCOMPARE(volgorde, gesorteerd); // every number exactly once
    QVERIFY(Melding::neemGetoond().isEmpty());

    const QImage bord = m.Pic->beeld();
    for (int keer = 0; keer < 3; ++keer) {
        if (keer == 1)
            QTest::keyClick(m.Pic, Qt::Key_Space);
        else
            klikBord(m);
        const auto getoond = Melding::neemGetoond();
        QCOMPARE(getoond.size(), 1);
        QCOMPARE(getoond[0].titel, QStringLiteral("Zorvak"));
        QCOMPARE(getoond[0].tekst, QStringLiteral("Alle %1 ballen zijn geweest!\nDruk op de startknop voor een nieuw "
                                                  "spel.")
                                       .arg(aantal));
        QVERIFY(!o.alg.Bezig);
    }
    QCOMPARE(m.Combo1->count(), aantal);
    QCOMPARE(o.alg.AantalGetrokken, aantal);
    QCOMPARE(m.Pic->beeld(), bord);
}

// After a draw the ball's cell shows the drawn-ball picture with its number in the number
// colour, and the big display shows letter and number, light over dark.
void TstSpel::getrokkenBalOpHetBord()
{
    TestHulp::Opstelling o;
    QVERIFY(toonVenster(o));
    Main& m = o.main();
    o.alg.KnipperAantal = 2;
    o.alg.GetalKleurR = getalKleur.red();
    o.alg.GetalKleurG = getalKleur.green();
    o.alg.GetalKleurB = static_cast<std::uint8_t>(getalKleur.blue());
    startSpel(o, 75);
    QVERIFY(buitenGetal(zoalsGeschilderd(m.Bal1)) != buitenGetal(zoalsGeschilderd(m.Bal2)));

    QTest::keyClick(m.Pic, Qt::Key_Space);
    const int n = o.alg.GetrokkenBal;
    QVERIFY(n >= 1 && n <= 75);
    QVERIFY(toontBal(m, n, m.Bal2));
    QVERIFY(getalPixels(m, n) > 20);
    const int ander = n == 1 ? 2 : 1;
    QVERIFY(toontBal(m, ander, m.Bal1));
    QCOMPARE(getalPixels(m, ander), 0);

    const QImage groot = grootBeeld(m);
    QVERIFY(lichtePixels(groot) > 50);
    QVERIFY(telPixels(groot, [](QColor c) { return c == QColor(60, 60, 60); }) > 200);
    QVERIFY(!m.InfoLabel->isVisible());
    QCOMPARE(m.Label2->text(), QStringLiteral("Bal : 1 / 75"));

    // The next draw replaces the big display instead of writing over it.
    QTest::keyClick(m.Pic, Qt::Key_Space);
    const QImage tweede = grootBeeld(m);
    QVERIFY(lichtePixels(tweede) > 50);
    m.Pic->vul(300, 5040, 2700, 6300, Plaatjes::bordKleur);
    m.Pic->tekst(300, 5040, Trommel::grootTekst(o.alg.GetrokkenBal, 75),
                 Twips::lettertype(QStringLiteral("Arial"), 60, true), QColor(200, 200, 200));
    m.Pic->tekst(315, 5055, Trommel::grootTekst(o.alg.GetrokkenBal, 75),
                 Twips::lettertype(QStringLiteral("Arial"), 60, true), QColor(60, 60, 60));
    QCOMPARE(grootBeeld(m), tweede);
}

// Without blinking the number lands on the undrawn ball picture.
void TstSpel::zonderKnipperenOpOngetrokkenBal()
{
    TestHulp::Opstelling o;
    QVERIFY(toonVenster(o));
    Main& m = o.main();
    o.alg.KnipperAantal = 0;
    o.alg.GetalKleurR = getalKleur.red();
    o.alg.GetalKleurG = getalKleur.green();
    o.alg.GetalKleurB = static_cast<std::uint8_t>(getalKleur.blue());
    startSpel(o, 90);
    klikBord(m);
    const int n = o.alg.GetrokkenBal;
    QVERIFY(toontBal(m, n, m.Bal1));
    QVERIFY(getalPixels(m, n) > 20);
    QCOMPARE(m.Label2->text(), QStringLiteral("Bal : 1 / 90"));
}

// Only the space bar draws, and only while the board has the focus; a click on the board
// draws and takes the focus back from a list.
void TstSpel::toetsen()
{
    TestHulp::Opstelling o;
    QVERIFY(toonVenster(o));
    Main& m = o.main();
    o.alg.KnipperAantal = 0;
    startSpel(o, 75);
    QVERIFY(m.Pic->hasFocus());

    for (auto toets : {Qt::Key_A, Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape, Qt::Key_Tab, Qt::Key_Down})
        QTest::keyClick(m.Pic, toets);
    QTest::keyClick(m.Pic, Qt::Key_B, Qt::ShiftModifier);
    QCOMPARE(o.alg.AantalGetrokken, 0);

    QTest::keyClick(m.Pic, Qt::Key_Space, Qt::ShiftModifier); // the shift state does not matter
    QCOMPARE(o.alg.AantalGetrokken, 1);

    QTest::mouseClick(m.Combo1, Qt::LeftButton);
    m.Combo1->hidePopup();
    QVERIFY(QTest::qWaitFor([&] { return QApplication::focusWidget() == m.Combo1; }));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    m.Combo1->hidePopup();
    QCOMPARE(o.alg.AantalGetrokken, 1);

    klikBord(m);
    QCOMPARE(o.alg.AantalGetrokken, 2);
    QVERIFY(m.Pic->hasFocus());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QCOMPARE(o.alg.AantalGetrokken, 3);
}

// A space bar held down sends repeats while the ball blinks: they start no second draw.
void TstSpel::vastgehoudenSpatie()
{
    TestHulp::Opstelling o;
    QVERIFY(toonVenster(o));
    Main& m = o.main();
    startSpel(o, 75);
    o.alg.KnipperAantal = 2;
    o.alg.KnipperSnelheid = 2;
    WachtTempo::zet(1);

    int herhaald = 0;
    QTimer herhaling;
    herhaling.setInterval(20);
    connect(&herhaling, &QTimer::timeout, [&] {
        ++herhaald;
        QCOMPARE(o.alg.AantalGetrokken, 1);
        herhaalSpatie(m.Pic);
        klikBord(m);
    });
    herhaling.start();
    QTest::keyPress(m.Pic, Qt::Key_Space);
    herhaling.stop();
    QVERIFY(herhaald >= 3);
    QCOMPARE(o.alg.AantalGetrokken, 1);
    QCOMPARE(m.Combo1->count(), 1);
    QVERIFY(!o.alg.Bezig);
}

// A new game started while a ball blinks: that ball shows neither on the new board nor in
// the new lists, and goes back into the drum.
void TstSpel::nieuwSpelTijdensKnipperen()
{
    TestHulp::Opstelling o;
    QVERIFY(toonVenster(o));
    Main& m = o.main();
    o.alg.GetalKleurR = getalKleur.red();
    o.alg.GetalKleurG = getalKleur.green();
    o.alg.GetalKleurB = static_cast<std::uint8_t>(getalKleur.blue());
    startSpel(o, 75);
    klikBord(m); // one ball at full speed, so the old game has something on its board
    const int eerste = o.alg.GetrokkenBal;
    o.alg.KnipperAantal = 3;
    o.alg.KnipperSnelheid = 2;
    WachtTempo::zet(1);

    int knipperend = 0;
    bool bezigTijdensOpbouw = false;
    QTimer::singleShot(100, [&] {
        knipperend = o.alg.GetrokkenBal;
        WachtTempo::zet(0);
        QTimer::singleShot(0, [&] {
            bezigTijdensOpbouw = o.alg.Bezig;
            klikBord(m); // no ball onto a board being set up
        });
        startSpel(o, 75);
    });
    klikBord(m);
    QVERIFY(knipperend != 0 && knipperend != eerste);
    QVERIFY(bezigTijdensOpbouw);

    QCOMPARE(o.alg.AantalGetrokken, 0);
    QCOMPARE(o.alg.Getrokken[knipperend], std::uint8_t(0));
    QCOMPARE(m.Combo1->count(), 0);
    QCOMPARE(m.Combo2->count(), 0);
    QCOMPARE(m.Label2->text(), QStringLiteral("Bal : 0 / 75"));
    QVERIFY(!o.alg.Bezig);
    QVERIFY(m.InfoLabel->isVisible());
    for (int n : {eerste, knipperend}) {
        QVERIFY(toontBal(m, n, m.Bal1));
        QCOMPARE(getalPixels(m, n), 0);
    }
    QCOMPARE(lichtePixels(grootBeeld(m)), 0);

    // The new game draws normally.
    klikBord(m);
    QCOMPARE(o.alg.AantalGetrokken, 1);
    QCOMPARE(m.Combo1->count(), 1);
}

// Exit answered Ja while a ball blinks: the program ends once, the draw stops drawing.
void TstSpel::afsluitenTijdensKnipperen()
{
    TestHulp::Opstelling o;
    QVERIFY(toonVenster(o));
    Main& m = o.main();
    o.alg.GetalKleurR = getalKleur.red();
    o.alg.GetalKleurG = getalKleur.green();
    o.alg.GetalKleurB = static_cast<std::uint8_t>(getalKleur.blue());
    startSpel(o, 75);
    o.alg.KnipperAantal = 3;
    o.alg.KnipperSnelheid = 5;
    WachtTempo::zet(1);

    QTimer::singleShot(100, [&] {
        Melding::zetVolgendAntwoord(true);
        m.close();
    });
    QTest::keyClick(m.Pic, Qt::Key_Space);
    QCOMPARE(o.beeindigd, 1);
    QVERIFY(QFile::exists(o.iniPad()));
    const int n = o.alg.GetrokkenBal;
    QCOMPARE(getalPixels(m, n), 0);
    QCOMPARE(lichtePixels(grootBeeld(m)), 0);
    QCOMPARE(m.Combo1->count(), 0);
}

// Exit answered Ja while the board slides in: the set-up stops, the board takes no draws.
void TstSpel::afsluitenTijdensInschuiven()
{
    TestHulp::Opstelling o;
    QVERIFY(toonVenster(o));
    Main& m = o.main();
    WachtTempo::zet(1);
    QTimer::singleShot(100, [&] {
        Melding::zetVolgendAntwoord(true);
        m.close();
    });
    startSpel(o, 75);
    QCOMPARE(o.beeindigd, 1);
    QVERIFY(m.Pic->twipsY() < 0);
    QVERIFY(!m.InfoLabel->isVisible());
    QCOMPARE(m.Pic->pixel(750, 750), Plaatjes::bordKleur); // no balls put on it
    QVERIFY(o.alg.Bezig);
    emit m.Pic->geklikt();
    QCOMPARE(o.alg.AantalGetrokken, 0);
}

// The clock: a blank, the time as h:mm:ss, " / " and the date.
void TstSpel::klok()
{
    TestHulp::Opstelling o;
    Main& m = o.main();
    m.KlokLabel->clear();
    QVERIFY(QTest::qWaitFor([&] { return !m.KlokLabel->text().isEmpty(); }, 2500));
    const QRegularExpression vorm(QStringLiteral("^ ([1-9]|1[0-9]|2[0-3]|0):[0-5][0-9]:[0-5][0-9] / \\S.*$"));
    QVERIFY2(vorm.match(m.KlokLabel->text()).hasMatch(), qPrintable(m.KlokLabel->text()));
    QVERIFY(m.KlokLabel->text().endsWith(QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat)) ||
            QTime::currentTime() < QTime(0, 0, 3));
}

QTEST_MAIN(TstSpel)
#include "tst_spel_w.moc"

// The settings dialog may switch to 90 balls in the middle of a 75-ball game: the game that
// is showing goes on with 75, the next one has 90.
void TstSpel::balAantalTeltVanafHetVolgendeSpel()
{
    TestHulp::Opstelling o;
    Main& m = o.main();
    o.alg.KnipperAantal = 0;
    startSpel(o, 75);
    o.alg.AantalBallen = 90;
    for (int i = 0; i < 75; ++i) {
        klikBord(m);
        QVERIFY(o.alg.GetrokkenBal >= 1 && o.alg.GetrokkenBal <= 75);
    }
    QCOMPARE(m.Label2->text(), QStringLiteral("Bal : 75 / 75"));
    Melding::neemGetoond();
    klikBord(m);
    const auto getoond = Melding::neemGetoond();
    QCOMPARE(getoond.size(), 1);
    QVERIFY(getoond[0].tekst.startsWith(QStringLiteral("Alle 75 ballen")));

    o.alg.RondeTeller += 1;
    m.NieuwSpel();
    QCOMPARE(m.Pic->twipsHoogte(), 7560);
    QCOMPARE(m.Label2->text(), QStringLiteral("Bal : 0 / 90"));
}
