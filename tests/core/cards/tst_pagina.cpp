// The printed pages, checked as a reader of the paper would: every number inside its own cell
// under its own column, FREE over the centre, nothing off the page.

#include "opname.h"

#include "core/cards/kaarten.h"
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

void nietsVanDePagina(const Opname::Pagina& o)
{
    const QRectF a4(0, 0, Pagina::a4Breedte, Pagina::a4Hoogte);
    for (const Opname::Tekst& t : o.teksten)
        QVERIFY2(a4.contains(t.inkt()), qPrintable(t.tekst));
    for (const QRectF& r : o.plaatjes + o.vlakken)
        QVERIFY(a4.contains(r));
    for (const QLineF& l : o.lijnen)
        QVERIFY(a4.contains(l.p1()) && a4.contains(l.p2()));
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
        nietsVanDePagina(o);
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
        nietsVanDePagina(o);
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
