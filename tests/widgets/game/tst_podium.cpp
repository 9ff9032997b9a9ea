// The game on the stage: new games, draws, the board's input and the draw lock; the command
// bar, the help panel and the screen information; calling by itself at a fast pace (a whole
// game, the space bar, the pauses for the help panel and the dialogs); the card check's
// question. (What is said in an evening the seeded evening keeps.)
#include "core/game/trommel.h"
#include "core/screen/openbestand.h"
#include "core/screen/plaatjes.h"
#include "opnamestem.h"
#include "testhulp.h"
#include "widgets/common/doek.h"
#include "widgets/common/plaatjeknop.h"
#include "widgets/common/scaninvoer.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <cmath>

namespace
{
QImage deel(Main& m, const QRect& r)
{
    return m.Pic->deel(r.x(), r.y(), r.width(), r.height()).convertToFormat(QImage::Format_RGB32);
}

QImage cel(Main& m, int n)
{
    return deel(m, QRect(Trommel::cel(n), QSize(Trommel::balMaat, Trommel::balMaat)));
}

// Pixels of the image in the number colour, which the fixture sets to pure green.
int groen(const QImage& beeld)
{
    const QImage b = beeld.convertToFormat(QImage::Format_RGB32);
    const auto* p = reinterpret_cast<const QRgb*>(b.constBits());
    return int(std::count_if(p, p + b.sizeInBytes() / 4, [](QRgb c) { return qGreen(c) > 200 && qRed(c) < 60; }));
}

// How wide the text of the big display is, as a share of its box: the light pixels' extent
// (0: it shows no number).
double grootBreedte(Main& m)
{
    const QImage b = deel(m, Trommel::grootVak(m.avond().spel().aantalBallen()));
    int links = b.width(), rechts = -1;
    for (int y = 0; y < b.height(); ++y)
        for (int x = 0; x < b.width(); ++x)
            if (qGray(b.pixel(x, y)) > 150) links = std::min(links, x), rechts = std::max(rechts, x);
    return rechts < links ? 0.0 : double(rechts - links + 1) / b.width();
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
    const QImage b = deel(m, vak);
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

// Clicks a button; the objectName of a modal dialog that opened meanwhile (closed again).
QString klikEnZieDialoog(QAbstractButton* knop)
{
    QString gezien;
    TestHulp::metDialoog([knop] { knop->click(); }, [&](QWidget* d) { gezien = d->objectName(); });
    return gezien;
}
} // namespace

class TstPodium : public QObject
{
    Q_OBJECT
    std::unique_ptr<TestHulp::Opstelling> m_o;
    QStringList m_geopend;
    Algemeen& alg() { return m_o->alg(); }
    Avond& avond() { return m_o->avond(); }
    Spel& spel() { return m_o->model(); }
    int getrokken() { return int(spel().ballen().size()); }
    Main& m() { return m_o->main(); }
    PlaatjeKnop* knop(int i) { return m().KnopPic->Knop[i]; }
    void spatie() { QTest::keyClick(m().Pic, Qt::Key_Space); }
    // Keys and Enter, at the pace of the keys' clock: typed, or a scanner's code.
    static void scan(QWidget* w, const QString& tekst)
    {
        QTest::keyClicks(w, tekst);
        QTest::keyClick(w, Qt::Key_Return);
    }
    // The organiser's message of the moment, which the strip shows.
    QString organisator()
    {
        const QString bericht = m().organisatorTekst().bericht();
        return m().Strook->isVisible() && m().Strook->text().contains(bericht) ? bericht
                                                                               : QStringLiteral("(niet getoond)");
    }

    // What the Start button does once the organiser said Ja; numbers drawn in pure green.
    void startSpel(int aantal, int knipper = 0)
    {
        alg().GetalKleurG = 255;
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
               grootBreedte(m()) == 0;
    }
    void zelfTrekken()
    {
        RoepInstellingen r;
        r.zelfTrekken = true, r.interval = RoepInstellingen::minInterval;
        avond().roeper().zetInstellingen(r);
    }
    // Nothing is drawn for a while: many intervals at the fast pace.
    bool blijftStaan()
    {
        const int voor = getrokken();
        QTest::qWait(200);
        return getrokken() == voor;
    }
    // K asks in the real dialog, for one row.
    static void echteKaartVraag()
    {
        KaartControle::vraagHaak() = [](QWidget* w) {
            KaartVraag vraag(w);
            if (vraag.exec() != QDialog::Accepted) return std::optional<Avond::KaartVraag>();
            return std::optional<Avond::KaartVraag>(Avond::KaartVraag{vraag.NummerTekst->text(), 1});
        };
    }
    // The Start button, answered Ja: the round goes up by one.
    void nieuwSpel()
    {
        Melding::zetVolgendAntwoord(true);
        knop(Opdrachtbalk::KnopStart)->click();
        Melding::neemGetoond();
    }

private slots:
    void init()
    {
        m_o = std::make_unique<TestHulp::Opstelling>();
        m_geopend.clear();
        OpenBestandHaak::zet([this](const QString& pad) { m_geopend << pad; });
        OpnameStem::zetIn(avond().roeper());
        m().show();
        m().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&m()));
    }
    void cleanup()
    {
        OpenBestandHaak::zet({});
        Melding::neemGetoond();
        m_o.reset();
        WachtTempo::zet(0);
    }

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

    void achterInDeZaal_data()
    {
        QTest::addColumn<bool>("licht");
        QTest::newRow("light big number and strip") << true;
        QTest::newRow("strip alone") << false;
    }
    // The last ball for the back row, at 1920 x 1080: as ever it stands at about 1.6:1 on the
    // board; in its light form at least 7:1 and taller, as are the balls before it in their
    // strip. The strip on its own leaves the big number's box and the board exactly their usual
    // pixels, and the next draw moves it on beside the usual big number. Turned off, the board
    // is as it was.
    void achterInDeZaal()
    {
        QFETCH(bool, licht);
        m().legUit(QRect(0, 0, 1920, 1080));
        startSpel(75, 1);
        for (int i = 0; i < 7; ++i)
            klikBord(m());
        const QRect groot = Trommel::grootVak(75), strook = Trommel::strookVak(75);
        const QRect bord(QPoint(0, 0), Trommel::cel(75) + QPoint(Trommel::balMaat - 1, Trommel::balMaat - 1));
        const QImage gewoon = m().Pic->beeld(), grootVoor = deel(m(), groot), bordVoor = deel(m(), bord);
        const QImage strookVoor = deel(m(), strook);
        const auto [voor, voorHoogte] = contrastIn(m(), groot);
        QVERIFY(voor < 2.0);

        QVERIFY(avond().instellingen().zetWeergave({licht, true, false}));
        const auto [strookContrast, strookHoogte] = contrastIn(m(), strook);
        QVERIFY2(strookContrast >= 7.0 && strookHoogte > 20, qPrintable(QString::number(strookContrast)));
        QVERIFY(deel(m(), strook) != strookVoor);
        if (licht) {
            const auto [na, naHoogte] = contrastIn(m(), Trommel::grootVakContrast(75));
            qInfo("contrast of the last ball %.2f:1 (text %d px high), light %.2f:1 (%d px), strip %.2f:1 (%d px)",
                  voor, voorHoogte, na, naHoogte, strookContrast, strookHoogte);
            QVERIFY(na >= 7.0 && naHoogte > voorHoogte);
        } else {
            QCOMPARE(deel(m(), groot), grootVoor);
            QCOMPARE(deel(m(), bord), bordVoor);
        }
        QVERIFY(avond().instellingen().zetWeergave({}));
        QCOMPARE(m().Pic->beeld(), gewoon);
        if (licht) return;
        QVERIFY(avond().instellingen().zetWeergave({false, true, false}));
        const QImage strookNu = deel(m(), strook);
        klikBord(m());
        QVERIFY(deel(m(), strook) != strookNu && grootBreedte(m()) > 0);
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
            QVERIFY(groen(m().Pic->beeld()) == 0 && grootBreedte(m()) == 0 && m().KnopPic->Combo1->count() == 0);
            const int voor = getrokken();
            emit m().Pic->geklikt();
            QCOMPARE(getrokken(), voor);
        }
    }
    // K asks in a dialog for the card and the Kien rows: a Kien card with its top row drawn,
    // asked for two full rows, does not win.
    void kaartVraag()
    {
        const auto kien = TestHulp::drukKaarten(m_o->map.path(), KaartSoort::Kien, "K", 1, m_o->toeval);
        spel().herstel(TestHulp::standMet(90, kien.value(0).getallen.mid(0, 9)));
        TestHulp::metDialoog([this] { QTest::keyClick(m().Pic, Qt::Key_K); },
                             [](QWidget* d) {
                                 auto* vraag = qobject_cast<KaartVraag*>(d);
                                 vraag->NummerTekst->setText(QStringLiteral("K-1"));
                                 vraag->RijenKeuze->setCurrentIndex(1);
                                 vraag->findChild<QPushButton*>(QStringLiteral("OkKnop"))->click();
                             });
        QCOMPARE(m_o->kaartOordeel(), QStringLiteral("Geen kien: 1 rij (nodig: 2 rijen)"));
    }

    // Keys that waited while the program was busy arrive in one batch, long after they were
    // typed: their own stamps say how fast they came. A scan's keys, stamped a few milliseconds
    // apart, are a scan however late they arrive; the same keys without stamps, arriving as a
    // person types, are typed.
    void toetsenMetStempel()
    {
        QWidget venster;
        QStringList gescand;
        ScanInvoer::programma().volg(&venster, [&](const QString& code) { gescand << code; });
        TestHulp::ScanKlok klok(3 * ScanHerkenner::tussenpoos);
        const auto typ = [&](bool gestempeld) {
            ulong stempel = 10;
            for (const QChar c : QStringLiteral("A-0017\r")) {
                const int sleutel = c == QLatin1Char('\r') ? int(Qt::Key_Return) : c.toUpper().unicode();
                QKeyEvent toets(QEvent::KeyPress, sleutel, Qt::NoModifier, QString(c));
                toets.setTimestamp(gestempeld ? (stempel += 8) : 0);
                QCoreApplication::sendEvent(&venster, &toets);
            }
            QCoreApplication::processEvents();
        };
        typ(true);
        QTRY_COMPARE(gescand, QStringList{QStringLiteral("A-0017")});
        typ(false);
        QTest::qWait(50);
        QCOMPARE(gescand.size(), 1);
    }

    // A scanner types a code fast and ends it with Enter. On the board, without K, the card shows
    // at once with its verdict and the ball that completed it, in place of a card that showed; a
    // code not in the register gets the message a typed one gets; another kind of code and a
    // stray Enter draw no ball and show nothing; a scan answers no question; in K's dialog a scan
    // answers it, and a person typing there, slowly or with quick fingers, still types.
    void scanner()
    {
        const QList<int> rij = TestHulp::drukKaarten(m_o->map.path(), KaartSoort::Bingo75, "A", 1, m_o->toeval)
                                   .value(0)
                                   .getallen.mid(0, 5);
        Spel::Stand stand = TestHulp::standMet(75, rij);
        spel().herstel(stand);
        // Keys of the test before are no part of this burst.
        QTest::qWait(2 * ScanHerkenner::tussenpoos);
        scan(m().Pic, QStringLiteral("A-0001"));
        QTRY_VERIFY(m().KaartControleScherm->isVisible());
        QCOMPARE(m().KaartControleScherm->kaart().nummer, 1);
        QCOMPARE(Controle::beslissendeRegel(m().KaartControleScherm->uitslag()),
                 QStringLiteral("Bingo met bal %1 (de 5e bal)").arg(rij.last()));
        // The screenshot script takes the manual's picture of a scanned card here.
        const QString map = qEnvironmentVariable("ZORVAK_SCHERMAFDRUKKEN");
        if (!map.isEmpty()) m().grab().save(map + QStringLiteral("/schermafdruk-scan.png"));
        for (int n = 1; stand.ballen.size() < 7; ++n)
            if (!rij.contains(n)) stand.ballen << Spel::Bal{n, QDateTime::currentDateTime()};
        spel().herstel(stand);
        scan(m().KaartControleScherm, QStringLiteral("A-0001"));
        QTRY_COMPARE(Controle::beslissendeRegel(m().KaartControleScherm->uitslag()),
                     QStringLiteral("Bingo al compleet bij bal %1 (de 5e bal), 2 ballen geleden").arg(rij.last()));
        scan(m().KaartControleScherm, QStringLiteral("A-0002"));
        QTRY_COMPARE(m().KaartControleScherm->kaart().nummer, 2);
        QVERIFY(m().KaartControleScherm->isVisible());
        QTest::keyClick(m().KaartControleScherm, Qt::Key_Escape);
        QVERIFY(!avond().kaartInBeeld());

        m_o->zetKaartVraag(QStringLiteral("A-0099"), 1);
        QTest::keyClick(m().Pic, Qt::Key_K);
        const auto getypt = Melding::neemGetoond();
        QTest::qWait(60);
        scan(m().Pic, QStringLiteral("A-0099"));
        QList<Melding::Getoond> gescand;
        QTRY_VERIFY((gescand += Melding::neemGetoond(), !gescand.isEmpty()));
        QVERIFY(!getypt.isEmpty());
        QCOMPARE(gescand[0].tekst, getypt[0].tekst);

        // Another kind of code is no card number (said once); a stray Enter does nothing.
        scan(m().Pic, QStringLiteral("87 12345 k6789"));
        scan(m().Pic, QString());
        QTest::qWait(100);
        QCOMPARE(getrokken(), 7);
        const auto anders = Melding::neemGetoond();
        QCOMPARE(anders.size(), 1);
        QVERIFY(anders[0].tekst.contains(QStringLiteral("geen kaartnummer")));
        QVERIFY(!m().KaartControleScherm->isVisible());

        // A card of series K: its capital K waits, so K's question does not cut the scan in two;
        // a capital K alone still asks, a moment later.
        QVERIFY(!TestHulp::drukKaarten(m_o->map.path(), KaartSoort::Bingo75, "K", 1, m_o->toeval).isEmpty());
        int gevraagd = 0;
        KaartControle::vraagHaak() = [&gevraagd](QWidget*) {
            ++gevraagd;
            return std::optional<Avond::KaartVraag>();
        };
        scan(m().Pic, QStringLiteral("K-0001"));
        QTRY_VERIFY(m().KaartControleScherm->isVisible());
        QCOMPARE(m().KaartControleScherm->kaart().serie, QStringLiteral("K"));
        QTest::keyClick(m().KaartControleScherm, Qt::Key_Escape);
        QTest::keyClicks(m().Pic, QStringLiteral("K"));
        QCOMPARE(gevraagd, 0);
        QTRY_COMPARE(gevraagd, 1);

        // A real question box, Ja by default: the scan's Enter does not answer it.
        Melding::zetStil(false);
        const int spelNummer = spel().spelNummer();
        bool open = false;
        TestHulp::metDialoog([this] { avond().nieuwSpelVraag(); },
                             [&](QWidget* d) {
                                 scan(d, QStringLiteral("A-0001"));
                                 QTest::qWait(100);
                                 open = d->isVisible();
                             });
        Melding::zetStil(true);
        QVERIFY(open);
        QCOMPARE(spel().spelNummer(), spelNummer);
        QVERIFY(!m().KaartControleScherm->isVisible());

        // K's own question: a scan answers it with its code; typed by hand, a person's keys stay.
        echteKaartVraag();
        QString typ;
        TestHulp::metDialoog([this] { QTest::keyClick(m().Pic, Qt::Key_K); },
                             [&](QWidget* d) {
                                 auto* vraag = qobject_cast<KaartVraag*>(d);
                                 QTest::keyClicks(vraag->NummerTekst, QStringLiteral("17"));
                                 QTest::qWait(150);
                                 typ = vraag->NummerTekst->text();
                                 scan(vraag->NummerTekst, QStringLiteral("A-0003"));
                                 QTRY_VERIFY(!d->isVisible());
                             });
        QCOMPARE(typ, QStringLiteral("17"));
        QTRY_COMPARE(m().KaartControleScherm->kaart().nummer, 3);
        QTest::keyClick(m().KaartControleScherm, Qt::Key_Escape);
        {
            TestHulp::ScanKlok klok(200);
            TestHulp::metDialoog([this] { QTest::keyClick(m().Pic, Qt::Key_K); },
                                 [&](QWidget* d) { scan(qobject_cast<KaartVraag*>(d)->NummerTekst, "A-0004"); });
        }
        QCOMPARE(m().KaartControleScherm->kaart().nummer, 4);
        QCOMPARE(getrokken(), 7);
    }

    // Typed input arrives whole, judged by when each key was pressed: two digits exactly at the
    // burst limit and just past it, keypad rollover, keys that waited in a batch but carry their
    // own times, a held capital K followed by digits in K's question. Nothing typed by a person is
    // lost or reordered, and a scan still checks its card.
    void getypteInvoer()
    {
        QVERIFY(avond().instellingen().zetHandmatig(true));
        startSpel(75);
        const auto echteKlok = ScanInvoer::klokHaak();
        qint64 nu = 100000;
        ScanInvoer::klokHaak() = [&nu] { return nu; };
        // Each key `stap` ms after the one before; Enter `enter` ms after the last.
        const auto typ = [&](QWidget* w, const QString& tekst, qint64 stap, qint64 enter) {
            nu += 1000;
            for (const QChar c : tekst) {
                QTest::keyClicks(w, QString(c));
                nu += stap;
            }
            nu += enter - stap;
            if (enter >= 0) QTest::keyClick(w, Qt::Key_Return);
        };
        typ(m().Pic, QStringLiteral("30"), ScanHerkenner::tussenpoos, ScanHerkenner::tussenpoos);
        QCOMPARE(spel().laatste(), 30);
        typ(m().Pic, QStringLiteral("42"), ScanHerkenner::tussenpoos + 1, ScanHerkenner::tussenpoos + 1);
        QCOMPARE(spel().laatste(), 42);
        typ(m().Pic, QStringLiteral("17"), 3, 150);
        QCOMPARE(spel().laatste(), 17);
        typ(m().Pic, QStringLiteral("64"), 3, 3);
        QCOMPARE(spel().laatste(), 64);
        // Keys handled in one batch after a busy moment, stamped 100 ms apart when pressed.
        nu += 1000;
        ulong stempel = 5000;
        for (const auto& [sleutel, tekst] : {std::pair{Qt::Key_6, "6"}, {Qt::Key_2, "2"}, {Qt::Key_Return, ""}}) {
            QKeyEvent toets(QEvent::KeyPress, sleutel, Qt::NoModifier, QString::fromLatin1(tekst));
            toets.setTimestamp(stempel += 100);
            QApplication::sendEvent(m().Pic, &toets);
        }
        QCOMPARE(spel().laatste(), 62);
        QCOMPARE(getrokken(), 5);
        // A code at exactly the burst's pace is a scan (there is no register yet); a key slower it
        // is typing.
        Melding::neemGetoond();
        typ(m().Pic, QStringLiteral("A-0001"), ScanHerkenner::tussenpoos, ScanHerkenner::tussenpoos);
        QList<Melding::Getoond> gezien;
        QTRY_VERIFY((gezien += Melding::neemGetoond(), !gezien.isEmpty()));
        QVERIFY(gezien[0].tekst.contains(QStringLiteral("nog geen genummerde kaarten")));
        typ(m().Pic, QStringLiteral("A-0001"), ScanHerkenner::tussenpoos + 1, ScanHerkenner::tussenpoos + 1);
        QCOMPARE(organisator(), QStringLiteral("Geen bal: typ alleen het getal van de bal."));
        QVERIFY(Melding::neemGetoond().isEmpty());

        // K's question: a capital K held back and digits at a scanner's pace are given back whole.
        echteKaartVraag();
        QStringList gelezen;
        for (const QString& nummer : {QStringLiteral("K12"), QStringLiteral("K-0029")})
            TestHulp::metDialoog([this] { QTest::keyClick(m().Pic, Qt::Key_K); },
                                 [&](QWidget* d) {
                                     auto* vraag = qobject_cast<KaartVraag*>(d);
                                     typ(vraag->NummerTekst, nummer, 10, -1);
                                     nu += 1000;
                                     QTRY_COMPARE(vraag->NummerTekst->text(), nummer);
                                     gelezen << vraag->NummerTekst->text();
                                     vraag->reject();
                                 });
        QCOMPARE(gelezen, QStringList({"K12", "K-0029"}));
        ScanInvoer::klokHaak() = echteKlok;
        QCOMPARE(getrokken(), 5);
    }

    // Each dialog button opens its own dialog. Start: Nee leaves the round counter alone; Ja,
    // even double-clicked, adds exactly one. Help, even double-clicked, opens the panel once, a
    // second Help closes it; while it shows only Help, Exit and the minimise icon answer, and
    // the space bar draws nothing the hall cannot see. The panel's information box names this
    // screen's resolution and size, then the document opens, whether it is there or not; the
    // other icon opens the manual.
    void helpPaneel()
    {
        QCOMPARE(klikEnZieDialoog(knop(Opdrachtbalk::KnopAfdrukken)), QStringLiteral("Afdrukken"));
        QCOMPARE(klikEnZieDialoog(knop(Opdrachtbalk::KnopLayout)), QStringLiteral("Layout"));
        QCOMPARE(klikEnZieDialoog(knop(Opdrachtbalk::KnopInstellingen)), QStringLiteral("Config"));
        m_o->alg().KnipperAantal = 0;
        spel().zetRondeTeller(7);
        knop(Opdrachtbalk::KnopStart)->click(); // answered Nee
        QCOMPARE(Melding::neemGetoond().size(), 1);
        QCOMPARE(spel().rondeTeller(), 7);
        Melding::zetVolgendAntwoord(true);
        TestHulp::dubbelklik(knop(Opdrachtbalk::KnopStart), {9, 9});
        QCOMPARE(Melding::neemGetoond().size(), 1);
        QCOMPARE(spel().rondeTeller(), 8);
        QVERIFY(m().InfoLabel->text().startsWith(QStringLiteral("Ronde 8 / ")));
        m().HelpPic->vul(3000, 5000, 3100, 5100, Qt::green);
        TestHulp::dubbelklik(knop(Opdrachtbalk::KnopHelp), {9, 9});
        QVERIFY(!m().HelpPic->isHidden());
        const QImage paneel = m().HelpPic->beeld().convertToFormat(QImage::Format_RGB32);
        const auto* p = reinterpret_cast<const QRgb*>(paneel.constBits());
        QVERIFY(std::count(p, p + paneel.sizeInBytes() / 4, qRgb(0, 255, 0)) == 0); // a clean panel
        for (int i : {Opdrachtbalk::KnopAfdrukken, Opdrachtbalk::KnopLayout, Opdrachtbalk::KnopInstellingen})
            QCOMPARE(klikEnZieDialoog(knop(i)), QString());
        knop(Opdrachtbalk::KnopStart)->click();
        QTest::keyClick(m().Pic, Qt::Key_Space);
        QVERIFY(Melding::neemGetoond().isEmpty());
        QCOMPARE(m_o->model().ballen().size(), 0);
        m().KnopPic->ExitKnop->click(); // answered Nee
        QCOMPARE(Melding::neemGetoond().size(), 1);
        const QString document = m_o->map.filePath(QStringLiteral("Beeldscherm.pdf"));
        m().HelpPic->DpiImg->click();
        const auto getoond = Melding::neemGetoond();
        QCOMPARE(getoond.size(), 1);
        QVERIFY(getoond[0].tekst.contains(QStringLiteral(": 96 Dpi")));
        QVERIFY(getoond[0].tekst.contains(QStringLiteral(": 1024 x 768 Pixels")));
        QVERIFY(TestHulp::schrijfBestand(document, "%PDF-1.4\n"));
        m().HelpPic->DpiImg->click();
        m().HelpPic->PdfImg->click();
        QCOMPARE(m_geopend, QStringList({document, document, m_o->map.filePath(QStringLiteral("Zorvak.pdf"))}));
        m().Image1->click();
        QVERIFY(m().windowState() & Qt::WindowMinimized);

        TestHulp::dubbelklik(knop(Opdrachtbalk::KnopHelp), {9, 9});
        QVERIFY(m().HelpPic->isHidden());
        for (int i = 0; i < 5; ++i)
            QVERIFY(knop(i)->isEnabled());
        QTest::keyClick(m().Pic, Qt::Key_Space);
        QCOMPARE(m_o->model().ballen().size(), 1);
        // F1 opens and closes it as the button does; held down, it does not flicker.
        QTest::keyClick(m().Pic, Qt::Key_F1);
        QVERIFY(!m().HelpPic->isHidden() && !knop(Opdrachtbalk::KnopStart)->isEnabled());
        QKeyEvent herhaald(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier, QString(), true);
        QApplication::sendEvent(m().Pic, &herhaald);
        QVERIFY(!m().HelpPic->isHidden());
        QTest::keyClick(m().Pic, Qt::Key_F1);
        QVERIFY(m().HelpPic->isHidden());
    }

    // At a fast pace a whole game runs by itself: every ball once, and no more once the drum is
    // empty (no notice of an empty drum either); a new game starts it again from a full drum.
    // The space bar pauses and resumes, and the stage says so; a new game lifts the pause.
    // Nothing comes while the help panel or a dialog is open; it goes on afterwards.
    void vanzelfEnPauzes()
    {
        zelfTrekken();
        nieuwSpel();
        QTRY_COMPARE_WITH_TIMEOUT(getrokken(), 75, 20000);
        QVERIFY(blijftStaan() && m().avond().roeper().gepauzeerd(Roeper::Leeg));
        QVERIFY(Melding::neemGetoond().isEmpty());
        WachtTempo::zet(0.01); // three seconds become 30 ms
        nieuwSpel();
        QTRY_VERIFY(getrokken() >= 2);
        spatie();
        QTRY_VERIFY(!m().avond().bezig());
        int stil = getrokken();
        QVERIFY(m().PauzeLabel->isVisible());
        QVERIFY(blijftStaan());
        spatie();
        QVERIFY(m().PauzeLabel->isHidden());
        QTRY_VERIFY(getrokken() > stil);
        spatie();
        nieuwSpel();
        QVERIFY(m().PauzeLabel->isHidden());
        QTRY_VERIFY(getrokken() >= 2);

        knop(Opdrachtbalk::KnopHelp)->click();
        QTRY_VERIFY(m().HelpPic->isVisible());
        QTRY_VERIFY(!m().avond().bezig());
        stil = getrokken();
        QVERIFY(blijftStaan());
        knop(Opdrachtbalk::KnopHelp)->click();
        QTRY_VERIFY(getrokken() > stil);
        bool stilTijdensDialoog = false;
        TestHulp::metDialoog([&] { knop(Opdrachtbalk::KnopInstellingen)->click(); },
                             [&](QWidget*) { stilTijdensDialoog = blijftStaan(); });
        QVERIFY(stilTijdensDialoog);
        stil = getrokken();
        QTRY_VERIFY(getrokken() > stil);
    }

    // Balls from a real drum on the stage: digits and Enter, or a click on the ball's place; a
    // card's code typed by a scanner is no ball and the space bar draws nothing. (The keys of
    // the entry are tst_balinvoer's.) The programme's line shows above the board and grows
    // with the stage.
    void handmatigEnProgramma()
    {
        QVERIFY(avond().instellingen().zetHandmatig(true));
        startSpel(75);
        // A person types at a person's pace; a scanner's code of digits is no ball.
        TestHulp::ScanKlok klok(200);
        QTest::keyClicks(m().Pic, QStringLiteral("12"));
        QCOMPARE(organisator(), QStringLiteral("Bal: 12"));
        QTest::keyClick(m().Pic, Qt::Key_Return);
        QCOMPARE(spel().laatste(), 12);
        QVERIFY(spel().ballen().last().hand);
        spatie();
        klok.zet(5);
        scan(m().Pic, QStringLiteral("1234"));
        QTest::qWait(100);
        klok.zet(200);
        QCOMPARE(getrokken(), 1);
        const QPoint midden = Trommel::cel(40) + QPoint(Trommel::balMaat / 2, Trommel::balMaat / 2);
        QTest::mouseClick(m().Pic, Qt::LeftButton, {}, midden / 15);
        QCOMPARE(spel().laatste(), 40);

        AvondProgramma p;
        p.rondes = {
            {AvondProgramma::Soort::Kienen, AvondProgramma::standaardFasen(AvondProgramma::Soort::Kienen), {}, 0}};
        p.rondes[0].fasen[0].bedrag = 1500;
        QVERIFY(avond().programma().zet(p));
        QVERIFY(!m().ProgrammaLabel);
        avond().startProgramma();
        QCOMPARE(spel().aantalBallen(), 90);
        QVERIFY(m().ProgrammaLabel->isVisible());
        QCOMPARE(m().ProgrammaLabel->text(), QStringLiteral("Ronde 1 · 1 rij · € 15"));
        // A Kien round calls the number alone: large and in both lists, the sorted one by value.
        scan(m().Pic, QStringLiteral("47"));
        scan(m().Pic, QStringLiteral("5"));
        QCOMPARE(TestHulp::regels(m().KnopPic->Combo1), (QStringList{"47", "5"}));
        QCOMPARE(TestHulp::regels(m().KnopPic->Combo2), (QStringList{"5", "47"}));
        const double zonderLetter = grootBreedte(m());
        QVERIFY(zonderLetter > 0);
        const int hoog = m().ProgrammaLabel->height();
        QVERIFY(qAbs(m().ProgrammaLabel->geometry().center().x() - 512) <= 1);
        m().legUit(QRect(0, 0, 1920, 1080));
        QVERIFY(m().ProgrammaLabel->height() > hoog * 1.3);
        avond().programma().stop();
        QVERIFY(m().ProgrammaLabel->isHidden());
        // Without the programme the same game has its letters again, at once.
        QCOMPARE(TestHulp::regels(m().KnopPic->Combo1), (QStringList{"N-47", "B-5"}));
        QCOMPARE(TestHulp::regels(m().KnopPic->Combo2), (QStringList{"B-5", "N-47"}));
        QVERIFY2(grootBreedte(m()) > zonderLetter * 1.5, qPrintable(QString::number(grootBreedte(m()) / zonderLetter)));

        // The pattern button shows a Bingo stage's pattern while the programme plays it, and the
        // editor's own (both diagonals at start) again once it stops.
        m().legUit(QRect(0, 0, 1024, 768));
        const auto vak = [this](int k) {
            const QImage beeld = m().KnopPic->Knop[Opdrachtbalk::KnopLayout]->plaatje();
            return QColor(beeld.pixel((PatroonKaart::kleinMarkering(k).center() + QPoint(105, 105)) / 15));
        };
        QCOMPARE(vak(7), PatroonKaart::markKleur);
        p.rondes = {{AvondProgramma::Soort::Bingo75,
                     {{QStringLiteral("Vier hoeken"),
                       AvondProgramma::vastPatroon(QStringLiteral("Vier hoeken")),
                       {},
                       std::nullopt}},
                     {},
                     0}};
        QVERIFY(avond().programma().zet(p));
        avond().startProgramma();
        QCOMPARE(vak(1), PatroonKaart::markKleur);
        QCOMPARE(vak(7), PatroonKaart::leegKleur);
        avond().programma().stop();
        QCOMPARE(vak(7), PatroonKaart::markKleur);
        QCOMPARE(vak(2), PatroonKaart::leegKleur);
    }

    // With one screen, what is for the organiser alone shows in the organiser's strip and in no
    // other part of the stage, never over the board or a checked card: the marker of balls by
    // hand, the ball being typed and its refusal, F9's hint and its refusal, what to press once
    // a round is over; F10's question opens over the command bar. The hall reads the verdict
    // for the stage and that the round is over. The check screen paints in its layout's boxes.
    void organisatorTekstNietVoorDeZaal()
    {
        const auto zaalZiet = [this](const QString& tekst) {
            QStringList waar;
            for (QLabel* l : m().findChildren<QLabel*>())
                if (l != m().Strook && l->isVisibleTo(&m()) && l->text().contains(tekst)) waar << l->objectName();
            KaartControle* k = m().KaartControleScherm;
            if (!k->isHidden() && (k->faseTekst().contains(tekst) || (k->hintZelf() && k->hint().contains(tekst))))
                waar << k->objectName();
            return waar;
        };
        const auto inStrook = [this](const QString& tekst) {
            QLabel* strook = m().Strook;
            if (!strook->isVisibleTo(&m()) || !strook->text().contains(tekst)) return false;
            KaartControle* k = m().KaartControleScherm;
            if (!k->isHidden()) return strook->geometry() == k->indeling().hint.vak.toAlignedRect();
            return !strook->geometry().intersects(m().Pic->geometry()) && m().rect().contains(strook->geometry());
        };
        VasteToeval kans(3);
        const RegisterKaart wint = TestHulp::drukKaarten(m_o->map.path(), KaartSoort::Kien, "A", 1, kans).value(1);
        QVERIFY(avond().instellingen().zetHandmatig(true));
        QVERIFY(inStrook(QStringLiteral("Handmatig trekken")));
        QVERIFY(zaalZiet(QStringLiteral("Handmatig")).isEmpty());
        AvondProgramma p;
        const auto rij = AvondProgramma::standaardFasen(AvondProgramma::Soort::Kienen).mid(0, 1);
        p.rondes = {{AvondProgramma::Soort::Kienen, rij, {}, 0}, {AvondProgramma::Soort::Kienen, rij, {}, 0}};
        p.rondes[0].fasen[0].bedrag = 1000;
        QVERIFY(avond().programma().zet(p));
        avond().startProgramma();

        {
            TestHulp::ScanKlok klok(200);
            QTest::keyClicks(m().Pic, QStringLiteral("91"));
            QVERIFY(inStrook(QStringLiteral("Bal: 91")));
            QTest::keyClick(m().Pic, Qt::Key_Return);
        }
        const QString buiten = QStringLiteral("91 hoort niet bij dit spel");
        QVERIFY(inStrook(buiten) && zaalZiet(buiten).isEmpty() && zaalZiet(QStringLiteral("Bal: 91")).isEmpty());
        for (int i = 0; i < 9; ++i)
            if (wint.getallen[i]) QVERIFY(avond().voerBalIn(wint.getallen[i]));

        // A card that does not win: the hall reads so, F9 tells the organiser why nothing happens.
        m_o->zetKaartVraag(QStringLiteral("A-0001"), 1);
        QTest::keyClick(m().Pic, Qt::Key_K);
        QTRY_VERIFY(!m().KaartControleScherm->isHidden());
        QCOMPARE(m().KaartControleScherm->faseTekst(), QStringLiteral("Ronde 1 · 1 rij · € 10: wint niet"));
        QVERIFY(inStrook(OrganisatorTekst::terugHint()));
        QTest::keyClick(m().KaartControleScherm, Qt::Key_F9);
        const QString nee = QStringLiteral("Kaart A-0001 wint niet: er is geen winnaar te bevestigen.");
        QVERIFY(inStrook(nee) && zaalZiet(nee).isEmpty());
        QVERIFY(avond().programma().winnaars().isEmpty());
        QTest::keyClick(m().KaartControleScherm, Qt::Key_Escape);

        // The winner: the hall reads that it wins, the organiser how to confirm it.
        m_o->zetKaartVraag(QStringLiteral("A-0002"), 1);
        QTest::keyClick(m().Pic, Qt::Key_K);
        QTRY_VERIFY(!m().KaartControleScherm->isHidden());
        QCOMPARE(m().KaartControleScherm->faseTekst(), QStringLiteral("Ronde 1 · 1 rij · € 10: wint"));
        QVERIFY(inStrook(OrganisatorTekst::f9Hint()));
        QVERIFY(zaalZiet(QStringLiteral("F9")).isEmpty());
        // The stage's line is painted in its box and nowhere else.
        const QImage beeld = m().KaartControleScherm->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QRect geel;
        for (int y = 0; y < beeld.height(); ++y)
            for (int x = 0; x < beeld.width(); ++x)
                if (beeld.pixel(x, y) == qRgb(250, 220, 120)) geel |= QRect(x, y, 1, 1);
        const QRectF faseVak = m().KaartControleScherm->indeling().fase.vak;
        QVERIFY2(
            !geel.isEmpty() && faseVak.adjusted(-1, -1, 1, 1).contains(QRectF(geel)),
            qPrintable(QStringLiteral("%1,%2 %3x%4").arg(geel.x()).arg(geel.y()).arg(geel.width()).arg(geel.height())));
        QTest::keyClick(m().KaartControleScherm, Qt::Key_F9);
        QCOMPARE(avond().programma().winnaars().size(), 1);
        QTest::keyClick(m().KaartControleScherm, Qt::Key_Escape);

        // The round is over: the hall reads that, the organiser what to press.
        QCOMPARE(m().ProgrammaLabel->text(), QStringLiteral("Ronde 1 is afgelopen"));
        QVERIFY(inStrook(QStringLiteral("Druk op Start voor ronde 2.")));
        QVERIFY(zaalZiet(QStringLiteral("Druk op Start")).isEmpty());
        Melding::neemGetoond();
        QTest::keyClick(m().Pic, Qt::Key_F10);
        const QList<Melding::Getoond> vraag = Melding::neemGetoond();
        QCOMPARE(vraag.size(), 1);
        QVERIFY(vraag[0].tekst.startsWith(QStringLiteral("Winnaar A-0002 van")));
        QVERIFY(vraag[0].ouder == &m() && vraag[0].plek == Melding::Plek::Onder);
        QVERIFY(avond().instellingen().zetHandmatig(false));
        QVERIFY(!m().Strook->text().contains(QStringLiteral("Handmatig")));
    }

    // Backspace asks: Nee keeps the ball, Ja puts it back and the board is as after the draw
    // before. With the light big number on, its box shows the ball before it, and with the only
    // ball back it is empty again; no trace of the number taken back stays, in the wider box or
    // the strip. With nothing drawn it asks nothing.
    void terugleggen()
    {
        QVERIFY(avond().instellingen().zetWeergave({true, true, false}));
        startSpel(75, 1);
        const QRect groot = Trommel::grootVakContrast(75);
        QVERIFY(groot.contains(Trommel::grootVak(75)));
        QList<QImage> bordNa{m().Pic->beeld()}, grootNa{deel(m(), groot)};
        for (int i = 0; i < 3; ++i) {
            klikBord(m());
            bordNa << m().Pic->beeld();
            grootNa << deel(m(), groot);
        }
        QVERIFY(grootNa[3] != grootNa[2] && grootNa[1] != grootNa[0]);
        QTest::keyClick(m().Pic, Qt::Key_Backspace);
        QCOMPARE(getrokken(), 3);
        for (int n = 2; n >= 0; --n) {
            Melding::zetVolgendAntwoord(true);
            QTest::keyClick(m().Pic, Qt::Key_Backspace);
            QCOMPARE(getrokken(), n);
            QCOMPARE(m().Pic->beeld(), bordNa[n]);
        }
        QTest::keyClick(m().Pic, Qt::Key_Backspace);
        QCOMPARE(Melding::neemGetoond().size(), 4);
    }
};

QTEST_MAIN(TstPodium)
#include "tst_podium.moc"
