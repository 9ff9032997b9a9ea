// The printed pages, checked as a reader of the paper would: every number inside its own cell
// under its own column, FREE over the centre, nothing off the page.

#include "opname.h"

#include "core/cards/kaarten.h"
#include "core/cards/kaartregister.h"
#include "core/cards/pagina.h"
#include "core/common/scancode.h"
#include "core/common/toeval.h"
#include "testhulp.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace
{
// The box between the nearest grid lines around the point.
QRectF celRond(const QList<QLineF>& lijnen, QPointF p)
{
    QRectF cel(QPointF(-1e9, -1e9), QPointF(1e9, 1e9));
    for (const QLineF& l : lijnen) {
        if (l.x1() == l.x2() && p.y() > qMin(l.y1(), l.y2()) && p.y() < qMax(l.y1(), l.y2())) {
            if (l.x1() < p.x())
                cel.setLeft(qMax(cel.left(), l.x1()));
            else
                cel.setRight(qMin(cel.right(), l.x1()));
        } else if (l.y1() == l.y2() && p.x() > qMin(l.x1(), l.x2()) && p.x() < qMax(l.x1(), l.x2())) {
            if (l.y1() < p.y())
                cel.setTop(qMax(cel.top(), l.y1()));
            else
                cel.setBottom(qMin(cel.bottom(), l.y1()));
        }
    }
    return cel;
}

// Everything on the page lies within the layout's reach, which plaatsing puts on the paper.
void nietsBuitenOmvang(const Opname::Pagina& o, const QSizeF& omvang)
{
    const QRectF binnen(QPointF(0, 0), omvang);
    for (const Opname::Tekst& t : o.teksten)
        QVERIFY2(binnen.contains(t.inkt()), qPrintable(t.tekst));
    for (const QRectF& r : o.plaatjes + o.vlakken)
        QVERIFY(binnen.contains(r));
    for (const QLineF& l : o.lijnen)
        QVERIFY(binnen.contains(l.p1()) && binnen.contains(l.p2()));
}

// A printable area: the A4 sheet less these margins in millimetres.
QRectF binnenRand(double links, double boven, double rechts, double onder)
{
    const auto t = [](double mm) { return mm * 1440 / 25.4; };
    return QRectF(0, 0, Pagina::a4Breedte, Pagina::a4Hoogte).adjusted(t(links), t(boven), -t(rechts), -t(onder));
}
} // namespace

class TestPagina : public QObject
{
    Q_OBJECT
private slots:
    // Bingo: each number in a cell of its own, under its column's letter; FREE inside the
    // centre cell with no number under it; the text line; nothing off the page.
    void bingo()
    {
        VasteToeval toeval(5);
        const Kaarten::BingoPagina pagina = Kaarten::maakBingoPagina(75, toeval);
        const Opname::Pagina o = Opname::neemOp(
            [&](QPainter& p) { Pagina::tekenBingo(p, pagina, QStringLiteral("Kienavond"), Pagina::freePlaatje()); });
        nietsBuitenOmvang(o, Pagina::bingoOmvang());
        QCOMPARE(o.plaatjes.size(), 6);
        QList<QRectF> cellen;
        int bedekt = 0;
        for (const Opname::Tekst& t : o.teksten) {
            const int n = t.tekst.trimmed().toInt();
            if (n == 0) continue;
            const QRectF inkt = t.inkt(), cel = celRond(o.lijnen, inkt.center());
            QVERIFY2(cel.contains(inkt) && !cellen.contains(cel), qPrintable(t.tekst));
            cellen << cel;
            const Opname::Tekst* letter = nullptr; // the nearest letter above, in the same column
            for (const Opname::Tekst& l : o.teksten)
                if (l.tekst.size() == 1 && l.tekst[0].isLetter() && l.inkt().bottom() < cel.top() &&
                    l.inkt().center().x() > cel.left() && l.inkt().center().x() < cel.right() &&
                    (!letter || l.basis.y() > letter->basis.y()))
                    letter = &l;
            QVERIFY2(letter && letter->tekst == QString(QStringLiteral("BINGO")[(n - 1) / 15]), qPrintable(t.tekst));
            for (const QRectF& free : o.plaatjes)
                bedekt += free.intersects(inkt) || !celRond(o.lijnen, free.center()).contains(free);
        }
        QCOMPARE(cellen.size(), 6 * 24);
        QCOMPARE(bedekt, 0);
        QCOMPARE(o.teksten.last().tekst, QStringLiteral("Kienavond"));
        QVERIFY(o.teksten.last().basis.y() > cellen.last().bottom());
    }

    // Kien: each number in a cell of its own, in the column of its range counted from the
    // left; an empty text prints nothing under the cards.
    void kien()
    {
        VasteToeval toeval(77);
        const Opname::Pagina o =
            Opname::neemOp([&](QPainter& p) { Pagina::tekenKien(p, Kaarten::maakKienPagina(toeval), QString()); });
        nietsBuitenOmvang(o, Pagina::kienOmvang());
        QCOMPARE(o.teksten.size(), 90);
        for (const Opname::Tekst& t : o.teksten) {
            const int n = t.tekst.trimmed().toInt();
            const QRectF inkt = t.inkt();
            QRectF cel;
            for (const QRectF& r : o.vlakken)
                if (r.contains(inkt) && (cel.isNull() || r.width() < cel.width())) cel = r;
            int kolom = 1;
            for (const QRectF& r : o.vlakken)
                kolom += r.size() == cel.size() && r.top() == cel.top() && r.left() < cel.left();
            QVERIFY2(n >= Kaarten::kienLaag(kolom) && n <= Kaarten::kienHoog(kolom), qPrintable(t.tekst));
        }
    }

    // A page with the longest numbers and their codes and the longest text line stays within
    // the layout's reach, and reaches its right and bottom edges: the reach is neither too small
    // (plaatsing would let the page run off the paper) nor larger than the page.
    void omvang()
    {
        VasteToeval toeval(9);
        std::array<QString, 6> nummers;
        for (std::size_t k = 0; k < 6; ++k)
            nummers[k] = KaartNummer::tekst(QStringLiteral("ABCDEFGHIJKL"), 99990 + static_cast<int>(k));
        QVERIFY(QFontMetricsF(Pagina::tekstLettertype()).height() <= Pagina::tekstHoogte);
        QString tekst;
        while (Pagina::tekstPast(tekst + QLatin1Char('W')))
            tekst += QLatin1Char('W');
        for (const bool kien : {false, true}) {
            const QSizeF omvang = kien ? Pagina::kienOmvang() : Pagina::bingoOmvang();
            const Opname::Pagina o = Opname::neemOp([&](QPainter& p) {
                if (kien) {
                    Pagina::tekenKien(p, Kaarten::maakKienPagina(toeval), tekst);
                    Pagina::tekenKienNummers(p, nummers);
                } else {
                    Pagina::tekenBingo(p, Kaarten::maakBingoPagina(75, toeval), tekst, Pagina::freePlaatje());
                    Pagina::tekenBingoNummers(p, nummers);
                }
            });
            QVERIFY(o.vlakken.size() > 6 * 20); // the codes' bars are there
            nietsBuitenOmvang(o, omvang);
            double rechts = 0;
            for (const QLineF& l : o.lijnen)
                rechts = qMax(rechts, qMax(l.x1(), l.x2()));
            for (const QRectF& r : o.vlakken)
                rechts = qMax(rechts, r.right());
            QCOMPARE(rechts, omvang.width());
            const QRectF regel = o.teksten.value(kien ? 90 : 6 * 24 + 60).inkt();
            QVERIFY(regel.bottom() > omvang.height() - 100);
        }
    }

    // The layout on the paper: from the corner of the printable area, never within 5 mm of the
    // edge, and where it would run past that area shrunk to fit, the same in both directions.
    void plaatsing_data()
    {
        QTest::addColumn<QRectF>("afdrukbaar");
        QTest::addColumn<bool>("kien");
        QTest::addColumn<QPointF>("hoek"); // where the layout's origin lands
        QTest::addColumn<bool>("geschaald");
        const double m = Pagina::veiligeMarge;
        const QRectF a4(0, 0, Pagina::a4Breedte, Pagina::a4Hoogte);
        QTest::newRow("pdf bingo") << a4 << false << QPointF(m, m) << false;
        QTest::newRow("pdf kien") << a4 << true << QPointF(m, m) << false;
        QTest::newRow("printer 3 mm") << binnenRand(3, 3, 3, 3) << true << QPointF(m, m) << false;
        const QRectF precies(QPointF(300, 300), Pagina::kienOmvang());
        QTest::newRow("printer just enough") << precies << true << QPointF(300, 300) << false;
        QTest::newRow("printer a twip short") << precies.adjusted(0, 0, 0, -1) << true << QPointF(300, 300) << true;
        QTest::newRow("printer a twip narrow") << precies.adjusted(0, 0, -1, 0) << true << QPointF(300, 300) << true;
        QTest::newRow("printer 6.35 mm kien")
            << binnenRand(6.35, 6.35, 6.35, 6.35) << true << QPointF(360, 360) << true;
        QTest::newRow("printer 6.35 mm bingo")
            << binnenRand(6.35, 6.35, 6.35, 6.35) << false << QPointF(360, 360) << false;
        QTest::newRow("printer 25 mm") << binnenRand(25, 25, 25, 25) << false << binnenRand(25, 25, 25, 25).topLeft()
                                       << true;
        const QRectF ongelijk = binnenRand(30, 12, 4, 40);
        QTest::newRow("printer uneven") << ongelijk << true << QPointF(ongelijk.left(), ongelijk.top()) << true;
        QTest::newRow("printer with no area") << QRectF() << false << QPointF(m, m) << false;
    }
    void plaatsing()
    {
        QFETCH(QRectF, afdrukbaar);
        QFETCH(bool, kien);
        QFETCH(QPointF, hoek);
        QFETCH(bool, geschaald);
        const QSizeF omvang = kien ? Pagina::kienOmvang() : Pagina::bingoOmvang();
        const QTransform t = Pagina::plaatsing(afdrukbaar, omvang);
        QVERIFY(t.type() <= QTransform::TxScale);
        QCOMPARE(t.m11(), t.m22());
        QCOMPARE(t.map(QPointF(0, 0)), hoek);
        const QRectF papier = t.mapRect(QRectF(QPointF(0, 0), omvang));
        const QRectF vak = Pagina::bedrukbaar(afdrukbaar);
        const double m = Pagina::veiligeMarge;
        QVERIFY(QRectF(0, 0, Pagina::a4Breedte, Pagina::a4Hoogte).adjusted(m, m, -m, -m).contains(vak));
        QVERIFY(afdrukbaar.isEmpty() || afdrukbaar.contains(vak));
        // The whole layout on the printable area; shrunk, as large as that area allows.
        QVERIFY2(vak.adjusted(-0.01, -0.01, 0.01, 0.01).contains(papier),
                 qPrintable(QStringLiteral("%1 %2").arg(papier.right()).arg(papier.bottom())));
        if (geschaald) {
            QVERIFY(t.m11() < 1);
            QVERIFY(qAbs(papier.right() - vak.right()) < 0.01 || qAbs(papier.bottom() - vak.bottom()) < 0.01);
        } else {
            QCOMPARE(t.m11(), 1.0);
        }
    }

    // The QR code of an address, as a picture, reads back with a real decoder; a strip refuses a
    // text it cannot hold, with a reason, and a number too long for the margin goes without one.
    void codes()
    {
        const QString adres = QStringLiteral("http://192.168.1.20:8080/");
        const ScanCode::Modules qr = ScanCode::maak(ScanCode::Soort::QR, adres);
        QVERIFY(qr.breedte == qr.hoogte && qr.breedte >= 21);
        QString fout;
        QVERIFY(ScanCode::maak(ScanCode::Soort::Code128, QStringLiteral("\u03a9-1"), &fout).isLeeg());
        QVERIFY(fout.contains(QStringLiteral("Latijnse letters")));
        QVERIFY(Pagina::codePlaats(Pagina::bingoCodeVak(0), 500, 600).isEmpty());
        if (TestHulp::buitenProgramma(QStringLiteral("zbarimg")).isEmpty()) return;
        QTemporaryDir map;
        const QString pad = map.filePath(QStringLiteral("qr.png"));
        QVERIFY(ScanCode::afbeelding(ScanCode::Soort::QR, qr, 4).save(pad));
        QProcess zbar;
        zbar.start(QStringLiteral("zbarimg"), {QStringLiteral("--raw"), QStringLiteral("-q"), pad});
        QVERIFY(zbar.waitForFinished(30000));
        QCOMPARE(QString::fromUtf8(zbar.readAllStandardOutput()).trimmed(), adres);
    }
};

QTEST_MAIN(TestPagina)
#include "tst_pagina.moc"
