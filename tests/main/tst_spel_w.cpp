// The game on the main window: new games, draws, the board's input and the clock.
#include "common/doek_w.h"
#include "common/plaatjeknop_w.h"
#include "common/plaatjes.h"
#include "main/trommel.h"
#include "testhulp.h"

#include <QComboBox>
#include <QLabel>
#include <QRegularExpression>
#include <QtTest>

namespace
{
const QString legeTrommel = QStringLiteral("Alle %1 ballen zijn geweest!\nDruk op de startknop voor een nieuw spel.");

int telPixels(const QImage& beeld, const std::function<bool(QColor)>& past)
{
    int aantal = 0;
    for (int y = 0; y < beeld.height(); ++y)
        for (int x = 0; x < beeld.width(); ++x)
            aantal += past(beeld.pixelColor(x, y));
    return aantal;
}

QImage celBeeld(Main& m, int n)
{
    const QPoint hoek = Trommel::cel(n);
    return m.Pic->deel(hoek.x(), hoek.y(), Trommel::balMaat, Trommel::balMaat);
}

// A ball cell without the part where the number goes.
QImage buitenGetal(const QImage& cel)
{
    QImage uit = cel.convertToFormat(QImage::Format_RGB32);
    QPainter(&uit).fillRect(QRect(7, 9, 53, 51), Qt::black);
    return uit;
}

// Whether the cell shows this ball picture, as the board paints it.
bool toontBal(Main& m, int n, QImage bal)
{
    QImage geschilderd(60, 60, QImage::Format_RGB32);
    geschilderd.fill(Plaatjes::bordKleur);
    QPainter p(&geschilderd);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    bal.setDevicePixelRatio(1.0);
    p.drawImage(QRect(0, 0, 60, 60), bal);
    p.end();
    return buitenGetal(celBeeld(m, n)) == buitenGetal(geschilderd);
}

// Pixels in the number colour (set to pure green by the fixture).
int getalPixels(Main& m, int n)
{
    return telPixels(celBeeld(m, n), [](QColor c) { return c.green() > 200 && c.red() < 60 && c.blue() < 60; });
}

// Light pixels of the big display: its letter and number.
int grootLicht(Main& m)
{
    const QRect vak = Trommel::grootVak(m.algemeen().AantalBallen);
    return telPixels(m.Pic->deel(vak.x(), vak.y(), vak.width() + 15, vak.height() + 15),
                     [](QColor c) { return c.red() > 150 && c.green() > 150 && c.blue() > 150; });
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
} // namespace

class TstSpel : public QObject
{
    Q_OBJECT
    std::unique_ptr<TestHulp::Opstelling> m_o;
    TestHulp::Opstelling& o() { return *m_o; }
    Main& m() { return m_o->main(); }

    // What the Start button does once the organiser said Ja.
    void startSpel(int aantal)
    {
        o().alg.AantalBallen = static_cast<std::uint8_t>(aantal);
        o().alg.RondeTeller += 1;
        m().NieuwSpel();
    }

private slots:
    void init()
    {
        m_o = std::make_unique<TestHulp::Opstelling>();
        o().alg.GetalKleurR = 0;
        o().alg.GetalKleurG = 255;
        o().alg.GetalKleurB = 0;
        m().show();
        m().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&m()));
    }
    void cleanup() { m_o.reset(); }

    void nieuwSpel_data();
    void nieuwSpel();
    void heelSpel_data();
    void heelSpel();
    void getrokkenBalOpHetBord_data();
    void getrokkenBalOpHetBord();
    void toetsen();
    void vastgehoudenSpatie();
    void nieuwSpelTijdensKnipperen();
    void afsluiten_data();
    void afsluiten();
    void klok();
};

void TstSpel::nieuwSpel_data()
{
    QTest::addColumn<int>("aantal");
    QTest::addColumn<int>("hoogte");
    QTest::newRow("75") << 75 << 6600;
    QTest::newRow("90") << 90 << 7560;
}

// A new game: the board at its height with a grid of undrawn balls, the round under it, the
// counters at zero, the board ready with the focus.
void TstSpel::nieuwSpel()
{
    QFETCH(int, aantal);
    QFETCH(int, hoogte);
    o().alg.RondeTeller = 6;
    startSpel(aantal);
    QCOMPARE(m().Pic->twipsHoogte(), hoogte);
    QCOMPARE(m().Label2->text(), QStringLiteral("Bal : 0 / %1").arg(aantal));
    QCOMPARE(m().InfoLabel->text(),
             QStringLiteral("Ronde 7 / Druk op de spatiebalk of klik met de muis op het scherm."));
    QVERIFY(!o().alg.Bezig);
    QVERIFY(m().Pic->hasFocus());
    QCOMPARE(grootLicht(m()), 0);
    for (int n : {1, 15, 16, aantal})
        QVERIFY2(toontBal(m(), n, m().Bal1), qPrintable(QString::number(n)));
    if (aantal == 75)
        QCOMPARE(m().Pic->pixel(Trommel::cel(76).x() + 450, Trommel::cel(76).y() + 450), Plaatjes::bordKleur);
}

void TstSpel::heelSpel_data()
{
    QTest::addColumn<int>("aantal");
    QTest::newRow("75, then 90 (balAantalTeltVanafHetVolgendeSpel)") << 75;
    QTest::newRow("90") << 90;
}

// A whole game draws every number once, keeps both lists, then only says the drum is empty.
// The settings may switch to 90 balls in the middle of a game: that counts from the next one.
void TstSpel::heelSpel()
{
    QFETCH(int, aantal);
    o().alg.KnipperAantal = 0;
    startSpel(aantal);
    o().alg.AantalBallen = 90;
    QStringList volgorde;
    for (int i = 1; i <= aantal; ++i) {
        klikBord(m());
        QCOMPARE(o().alg.AantalGetrokken, i);
        QCOMPARE(m().Combo1->currentText(), Trommel::lijstRegel(o().alg.GetrokkenBal, aantal));
        volgorde << m().Combo1->currentText();
    }
    QCOMPARE(m().Label2->text(), QStringLiteral("Bal : %1 / %1").arg(aantal));
    QCOMPARE(regels(m().Combo1), volgorde);
    std::sort(volgorde.begin(), volgorde.end());
    QVERIFY(std::adjacent_find(volgorde.begin(), volgorde.end()) == volgorde.end()); // each number once
    QCOMPARE(regels(m().Combo2), volgorde);
    QVERIFY(volgorde.indexOf(QStringLiteral("B-10")) < volgorde.indexOf(QStringLiteral("B-2")));
    QVERIFY(Melding::neemGetoond().isEmpty());

    const QImage bord = m().Pic->beeld();
    for (int keer = 0; keer < 3; ++keer) {
        if (keer == 1)
            QTest::keyClick(m().Pic, Qt::Key_Space);
        else
            klikBord(m());
        const auto getoond = Melding::neemGetoond();
        QCOMPARE(getoond.size(), 1);
        QCOMPARE(getoond[0].titel, QStringLiteral("Zorvak"));
        QCOMPARE(getoond[0].tekst, legeTrommel.arg(aantal));
    }
    QCOMPARE(m().Combo1->count(), aantal);
    QCOMPARE(m().Pic->beeld(), bord);

    m().NieuwSpel();
    QCOMPARE(m().Pic->twipsHoogte(), 7560);
    QCOMPARE(m().Label2->text(), QStringLiteral("Bal : 0 / 90"));
}

void TstSpel::getrokkenBalOpHetBord_data()
{
    QTest::addColumn<int>("knipper");
    QTest::newRow("blinking: drawn-ball picture") << 2;
    QTest::newRow("no blinking: undrawn picture") << 0;
}

// The drawn ball's cell shows its picture with the number in the number colour; the big
// display shows letter and number.
void TstSpel::getrokkenBalOpHetBord()
{
    QFETCH(int, knipper);
    o().alg.KnipperAantal = static_cast<std::uint8_t>(knipper);
    startSpel(75);
    QTest::keyClick(m().Pic, Qt::Key_Space);
    const int n = o().alg.GetrokkenBal;
    QVERIFY(toontBal(m(), n, knipper ? m().Bal2 : m().Bal1));
    QVERIFY(!toontBal(m(), n, knipper ? m().Bal1 : m().Bal2));
    QVERIFY(getalPixels(m(), n) > 20);
    QCOMPARE(getalPixels(m(), n == 1 ? 2 : 1), 0);

    QVERIFY(grootLicht(m()) > 50);
    QVERIFY(!m().InfoLabel->isVisible());
    QCOMPARE(m().Label2->text(), QStringLiteral("Bal : 1 / 75"));
}

// Before the first game nothing draws. Then only the space bar draws, and only while the board
// has the focus; a click on the board draws and takes the focus back from a list.
void TstSpel::toetsen()
{
    Main& m = this->m();
    m.Pic->setFocus();
    klikBord(m);
    QTest::keyClick(m.Pic, Qt::Key_Space);
    QCOMPARE(o().alg.AantalGetrokken, 0);
    QVERIFY(Melding::neemGetoond().isEmpty());

    o().alg.KnipperAantal = 0;
    startSpel(75);
    for (auto toets : {Qt::Key_A, Qt::Key_Return, Qt::Key_Escape, Qt::Key_Down})
        QTest::keyClick(m.Pic, toets);
    QCOMPARE(o().alg.AantalGetrokken, 0);
    QTest::keyClick(m.Pic, Qt::Key_Space, Qt::ShiftModifier);
    QCOMPARE(o().alg.AantalGetrokken, 1);

    QTest::mouseClick(m.Combo1, Qt::LeftButton);
    m.Combo1->hidePopup();
    QVERIFY(QTest::qWaitFor([&] { return QApplication::focusWidget() == m.Combo1; }));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    m.Combo1->hidePopup();
    QCOMPARE(o().alg.AantalGetrokken, 1);

    klikBord(m);
    QVERIFY(m.Pic->hasFocus());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QCOMPARE(o().alg.AantalGetrokken, 3);
}

// A space bar held down sends repeats while the ball blinks: they start no second draw.
void TstSpel::vastgehoudenSpatie()
{
    startSpel(75);
    o().alg.KnipperAantal = 2;
    o().alg.KnipperSnelheid = 2;
    WachtTempo::zet(1);
    int herhaald = 0;
    QTimer herhaling;
    herhaling.setInterval(20);
    connect(&herhaling, &QTimer::timeout, [&] {
        ++herhaald;
        QCOMPARE(o().alg.AantalGetrokken, 1);
        QKeyEvent e(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "), true);
        QApplication::sendEvent(m().Pic, &e);
        klikBord(m());
    });
    herhaling.start();
    QTest::keyPress(m().Pic, Qt::Key_Space);
    herhaling.stop();
    QVERIFY(herhaald >= 3);
    QCOMPARE(m().Combo1->count(), 1);
}

// A new game started while a ball blinks: the board is busy while it is set up (a click then
// draws nothing), and the blinking ball shows neither on the new board nor in the lists.
void TstSpel::nieuwSpelTijdensKnipperen()
{
    Main& m = this->m();
    startSpel(75);
    klikBord(m); // one ball at full speed, so the old game has something on its board
    const int eerste = o().alg.GetrokkenBal;
    o().alg.KnipperAantal = 3;
    o().alg.KnipperSnelheid = 2;
    WachtTempo::zet(1);

    int knipperend = 0;
    bool bezigTijdensOpbouw = false;
    QTimer::singleShot(100, [&] {
        knipperend = o().alg.GetrokkenBal;
        WachtTempo::zet(0);
        QTimer::singleShot(0, [&] {
            bezigTijdensOpbouw = o().alg.Bezig;
            klikBord(m);
        });
        startSpel(75);
    });
    klikBord(m);
    QVERIFY(knipperend != 0 && knipperend != eerste);
    QVERIFY(bezigTijdensOpbouw);
    QCOMPARE(o().alg.AantalGetrokken, 0);
    QCOMPARE(o().alg.Getrokken[knipperend], std::uint8_t(0));
    QCOMPARE(m.Combo1->count() + m.Combo2->count(), 0);
    for (int n : {eerste, knipperend}) {
        QVERIFY(toontBal(m, n, m.Bal1));
        QCOMPARE(getalPixels(m, n), 0);
    }
    QCOMPARE(grootLicht(m), 0);
    klikBord(m);
    QCOMPARE(o().alg.AantalGetrokken, 1);
}

void TstSpel::afsluiten_data()
{
    QTest::addColumn<bool>("inschuiven");
    QTest::newRow("while a ball blinks") << false;
    QTest::newRow("while the board slides in") << true;
}

// Exit answered Ja in the middle of a draw or a set-up: the program ends once, the drawing
// stops, the board takes no further draws.
void TstSpel::afsluiten()
{
    QFETCH(bool, inschuiven);
    if (!inschuiven) startSpel(75);
    o().alg.KnipperAantal = 3;
    o().alg.KnipperSnelheid = 5;
    WachtTempo::zet(1);
    QTimer::singleShot(100, [&] {
        Melding::zetVolgendAntwoord(true);
        m().close();
    });
    if (inschuiven)
        startSpel(75);
    else
        QTest::keyClick(m().Pic, Qt::Key_Space);
    QCOMPARE(o().beeindigd, 1);
    QCOMPARE(grootLicht(m()), 0);
    QCOMPARE(m().Combo1->count(), 0);
    if (inschuiven)
        QCOMPARE(m().Pic->pixel(750, 750), Plaatjes::bordKleur); // no balls put on it
    else
        QCOMPARE(getalPixels(m(), o().alg.GetrokkenBal), 0);
    const int getrokken = o().alg.AantalGetrokken;
    emit m().Pic->geklikt();
    QCOMPARE(o().alg.AantalGetrokken, getrokken);
}

// The clock: a blank, the time as h:mm:ss, " / " and the date.
void TstSpel::klok()
{
    m().KlokLabel->clear();
    QVERIFY(QTest::qWaitFor([&] { return !m().KlokLabel->text().isEmpty(); }, 2500));
    const QRegularExpression vorm(QStringLiteral("^ ([1-9]|1[0-9]|2[0-3]|0):[0-5][0-9]:[0-5][0-9] / \\S.*$"));
    QVERIFY2(vorm.match(m().KlokLabel->text()).hasMatch(), qPrintable(m().KlokLabel->text()));
}

QTEST_MAIN(TstSpel)
#include "tst_spel_w.moc"
