// The game on the stage: new games, draws, the board's input and the draw lock.
#include "core/game/trommel.h"
#include "core/screen/plaatjes.h"
#include "testhulp.h"
#include "widgets/game/bord.h"
#include "widgets/game/opdrachtbalk.h"

#include <QComboBox>
#include <QLabel>
#include <QtTest>

#include <cmath>

namespace
{
QImage cel(Main& m, int n)
{
    const QPoint hoek = Trommel::cel(n);
    return m.Pic->deel(hoek.x(), hoek.y(), Trommel::balMaat, Trommel::balMaat).convertToFormat(QImage::Format_RGB32);
}

// Pixels of the image in the number colour, which the fixture sets to pure green.
int groen(const QImage& beeld)
{
    const QImage b = beeld.convertToFormat(QImage::Format_RGB32);
    const auto* p = reinterpret_cast<const QRgb*>(b.constBits());
    return int(std::count_if(p, p + b.sizeInBytes() / 4, [](QRgb c) { return qGreen(c) > 200 && qRed(c) < 60; }));
}

// Whether the big display shows a letter and number.
bool grootGetal(Main& m)
{
    const QRect vak = Trommel::grootVak(m.avond().spel().aantalBallen());
    const QImage b = m.Pic->deel(vak.x(), vak.y(), vak.width(), vak.height()).convertToFormat(QImage::Format_RGB32);
    const auto* p = reinterpret_cast<const QRgb*>(b.constBits());
    return std::any_of(p, p + b.sizeInBytes() / 4, [](QRgb c) { return qGray(c) > 150; });
}

// Contrast as readability standards reckon it, from relative luminance.
double luminantie(QRgb c)
{
    const auto lin = [](int v) {
        const double s = v / 255.0;
        return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * lin(qRed(c)) + 0.7152 * lin(qGreen(c)) + 0.0722 * lin(qBlue(c));
}

// In a box of the board as drawn: the ground is its most common colour, the text the most
// common of the rest (its solid strokes); the contrast between them, and how many pixel rows
// the text spans.
QPair<double, int> contrastIn(Main& m, const QRect& vak)
{
    const QImage b = m.Pic->deel(vak.x(), vak.y(), vak.width(), vak.height()).convertToFormat(QImage::Format_RGB32);
    QHash<QRgb, int> tel;
    for (int y = 0; y < b.height(); ++y)
        for (int x = 0; x < b.width(); ++x)
            ++tel[b.pixel(x, y)];
    QRgb grond = 0, tekst = 0;
    for (auto it = tel.cbegin(); it != tel.cend(); ++it)
        if (it.value() > tel.value(grond)) grond = it.key();
    int meest = 0;
    for (auto it = tel.cbegin(); it != tel.cend(); ++it)
        if (it.key() != grond && it.value() > meest) meest = it.value(), tekst = it.key();
    int boven = b.height(), onder = -1;
    for (int y = 0; y < b.height(); ++y)
        for (int x = 0; x < b.width(); ++x)
            if (b.pixel(x, y) == tekst) boven = std::min(boven, y), onder = std::max(onder, y);
    const double l1 = luminantie(grond), l2 = luminantie(tekst);
    return {(std::max(l1, l2) + 0.05) / (std::min(l1, l2) + 0.05), onder - boven + 1};
}

void klikBord(Main& m)
{
    QTest::mouseClick(m.Pic, Qt::LeftButton, {}, QPoint(5, 5));
}
} // namespace

class TstBord : public QObject
{
    Q_OBJECT
    std::unique_ptr<TestHulp::Opstelling> m_o;
    Algemeen& alg() { return m_o->alg(); }
    Avond& avond() { return m_o->avond(); }
    Spel& spel() { return m_o->model(); }
    int getrokken() { return int(spel().ballen().size()); }
    Main& m() { return m_o->main(); }

    // What the Start button does once the organiser said Ja.
    void startSpel(int aantal, int knipper = 0)
    {
        alg().AantalBallen = static_cast<std::uint8_t>(aantal);
        alg().KnipperAantal = static_cast<std::uint8_t>(knipper);
        spel().zetRondeTeller(spel().rondeTeller() + 1);
        avond().NieuwSpel();
    }
    // A fresh board: the same undrawn ball in every cell of the game, no number anywhere.
    bool bordLeeg(int aantal)
    {
        for (int n = 2; n <= aantal; ++n)
            if (cel(m(), n) != cel(m(), 1)) return false;
        return cel(m(), 1).pixelColor(30, 30) != Plaatjes::bordKleur && groen(m().Pic->beeld()) == 0 &&
               !grootGetal(m());
    }

private slots:
    void init()
    {
        m_o = std::make_unique<TestHulp::Opstelling>();
        alg().GetalKleurG = 255;
        m().show();
        m().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&m()));
    }
    void cleanup() { m_o.reset(); }

    void heelSpel_data()
    {
        QTest::addColumn<int>("aantal");
        QTest::newRow("75, then 90") << 75;
        QTest::newRow("90") << 90;
    }
    // A new game: round and counters, focus, an empty board. Every number comes once, the
    // highest too, in both lists; then the drum only says it is empty. A switch to 90 balls
    // during the game counts from the next one. (The board's look after a few draws the seeded
    // evening keeps.)
    void heelSpel()
    {
        QFETCH(int, aantal);
        spel().zetRondeTeller(6);
        startSpel(aantal, aantal == 75 ? 1 : 0);
        QCOMPARE(m().KnopPic->Label2->text() + m().InfoLabel->text().left(10),
                 QStringLiteral("Bal : 0 / %1Ronde 7 / ").arg(aantal));
        QVERIFY(!avond().bezig() && m().Pic->hasFocus());
        QVERIFY(bordLeeg(aantal));
        alg().AantalBallen = 90;

        QStringList volgorde;
        for (int i = 1; i <= aantal; ++i) {
            klikBord(m());
            QCOMPARE(getrokken(), i);
            volgorde << m().KnopPic->Combo1->currentText();
        }
        QCOMPARE(TestHulp::regels(m().KnopPic->Combo1), volgorde);
        QVERIFY(volgorde.contains(QStringLiteral("O-%1").arg(aantal)));
        std::sort(volgorde.begin(), volgorde.end());
        QVERIFY(std::adjacent_find(volgorde.begin(), volgorde.end()) == volgorde.end());
        QCOMPARE(TestHulp::regels(m().KnopPic->Combo2), volgorde);
        QVERIFY(Melding::neemGetoond().isEmpty());

        const QImage bord = m().Pic->beeld();
        klikBord(m());
        QTest::keyClick(m().Pic, Qt::Key_Space);
        const auto getoond = Melding::neemGetoond();
        QCOMPARE(getoond.size(), 2);
        QVERIFY(getoond[1].tekst.startsWith(QStringLiteral("Alle %1 ballen zijn geweest!").arg(aantal)));
        QCOMPARE(m().KnopPic->Label2->text(), QStringLiteral("Bal : %1 / %1").arg(aantal));
        QCOMPARE(m().Pic->beeld(), bord);
        avond().NieuwSpel();
        QVERIFY(bordLeeg(90));
    }

    void bezigTijdensInschuiven_data()
    {
        QTest::addColumn<int>("knipper");
        QTest::newRow("no draw running") << 0;
        QTest::newRow("a ball blinking") << 3;
    }
    // While a new game's board slides in, with or without a ball still blinking from the old
    // game, the board is busy: a click draws nothing, and the old ball shows nowhere.
    void bezigTijdensInschuiven()
    {
        QFETCH(int, knipper);
        startSpel(75);
        klikBord(m());
        alg().KnipperAantal = static_cast<std::uint8_t>(knipper);
        WachtTempo::zet(1);
        bool bezig = false, geklikt = false;
        QTimer::singleShot(50, [&] {
            WachtTempo::zet(0.2);
            QTimer::singleShot(20, [&] {
                bezig = avond().bezig();
                klikBord(m());
                QTest::keyClick(m().Pic, Qt::Key_Space);
                geklikt = true;
            });
            startSpel(75, knipper);
        });
        if (knipper) klikBord(m());
        QTRY_VERIFY(geklikt && !avond().bezig());
        QVERIFY(bezig);
        QCOMPARE(getrokken(), 0);
        QCOMPARE(m().KnopPic->Combo1->count() + m().KnopPic->Combo2->count(), 0);
        QVERIFY(bordLeeg(75));
        klikBord(m());
        QCOMPARE(getrokken(), 1);
    }

    // Exit answered Ja in the middle of a draw or a set-up: the program ends once, the drawing
    // stops, the board takes no further draws.
    void afsluiten()
    {
        for (bool inschuiven : {false, true}) {
            init();
            if (!inschuiven) startSpel(75, 3);
            alg().KnipperSnelheid = 5;
            WachtTempo::zet(1);
            QTimer::singleShot(100, [&] {
                Melding::zetVolgendAntwoord(true);
                m().close();
            });
            if (inschuiven)
                startSpel(75, 3);
            else
                QTest::keyClick(m().Pic, Qt::Key_Space);
            QCOMPARE(m_o->beeindigd, 1);
            QVERIFY(groen(m().Pic->beeld()) == 0 && !grootGetal(m()) && m().KnopPic->Combo1->count() == 0);
            const int voor = getrokken();
            emit m().Pic->geklikt();
            QCOMPARE(getrokken(), voor);
        }
    }
    // The last ball for the back row, at 1920 x 1080: as ever it stands at about 1.6:1 on the
    // board; in its high-contrast form at least 7:1, as are the balls before it in their strip.
    // Both options are kept for the next start, and turned off the board is as it was.
    void achterInDeZaal()
    {
        m().legUit(QRect(0, 0, 1920, 1080));
        startSpel(75, 1);
        for (int i = 0; i < 7; ++i)
            klikBord(m());
        const QImage gewoon = m().Pic->beeld();
        const auto [voor, voorHoogte] = contrastIn(m(), Trommel::grootVak(75));
        QVERIFY(voor < 2.0);

        QVERIFY(m_o->avond().zetWeergave({true, true, false}));
        const auto [na, naHoogte] = contrastIn(m(), Trommel::grootVakContrast(75));
        const auto [strook, strookHoogte] = contrastIn(m(), Trommel::strookVak(75));
        qInfo("contrast of the last ball %.2f:1 (text %d px high), high-contrast %.2f:1 (%d px), strip %.2f:1 (%d px)",
              voor, voorHoogte, na, naHoogte, strook, strookHoogte);
        QVERIFY(na >= 7.0 && strook >= 7.0);
        QVERIFY(naHoogte > voorHoogte);
        QVERIFY(strookHoogte > 20);

        m_o->avond().zetWeergave({});
        QCOMPARE(m().Pic->beeld(), gewoon);
        m_o->avond().zetWeergave({true, true, false});
        m_o->herstart();
        QCOMPARE(m_o->avond().weergave(), (Weergave{true, true, false}));
    }

    // Backspace asks, Nee first; Ja puts the last ball back: the board is as before that draw,
    // down to the first ball; with nothing left it asks nothing.
    void terugleggen()
    {
        startSpel(75, 1);
        const QImage leeg = m().Pic->beeld();
        klikBord(m());
        const QImage na1 = m().Pic->beeld();
        klikBord(m());
        QTest::keyClick(m().Pic, Qt::Key_Backspace);
        QCOMPARE(getrokken(), 2);
        for (const QImage& voor : {na1, leeg}) {
            Melding::zetVolgendAntwoord(true);
            QTest::keyClick(m().Pic, Qt::Key_Backspace);
            QCOMPARE(m().Pic->beeld(), voor);
        }
        QTest::keyClick(m().Pic, Qt::Key_Backspace);
        QCOMPARE(Melding::neemGetoond().size(), 3);
    }
};

QTEST_MAIN(TstBord)
#include "tst_bord.moc"
