// Telling a scanner from a person: bursts of keys by their pace, the Enter that ends a code, and
// the capital K and W of a card's series.
#include "core/common/scanherkenner.h"

#include <QtTest>

class TstScanHerkenner : public QObject
{
    Q_OBJECT

    // One letter per verdict: Door, Vasthouden, Uitstellen, Gescand.
    static QChar letter(ScanHerkenner::Oordeel o) { return QStringLiteral("DVUG").at(int(o)); }

    // Keys typed `poos` ms apart, then Enter `enterNa` ms after the last (none when negative).
    // Escape stands for a key without text (an arrow, Escape).
    static QString reeks(const QString& toetsen, int poos, int enterNa, ScanHerkenner& h)
    {
        QString uit;
        qint64 ms = 1000;
        for (const QChar c : toetsen) {
            uit += letter(h.toets(c == QLatin1Char('\x1b') ? QString() : QString(c), false, ms));
            ms += poos;
        }
        if (enterNa >= 0) uit += letter(h.toets({}, true, ms - poos + enterNa));
        return uit;
    }

private slots:
    // Each key's verdict and the code a burst gives: too slow, at the burst limit and past it,
    // too short a code, a capital K or W alone or at the head of a code, a key without text.
    void burst_data()
    {
        QTest::addColumn<QString>("toetsen");
        QTest::addColumn<int>("poos");
        QTest::addColumn<int>("enterNa");
        QTest::addColumn<QString>("oordelen");
        QTest::addColumn<QString>("code");
        const int grens = ScanHerkenner::tussenpoos;
        const auto rij = [](const char* naam, const char* toetsen, int poos, int enterNa, const char* oordelen,
                            const char* code) {
            QTest::newRow(naam) << QString::fromLatin1(toetsen) << poos << enterNa << QString::fromLatin1(oordelen)
                                << QString::fromLatin1(code);
        };
        rij("snel", "A-0017", 5, 5, "DVVVVVG", "A-0017");
        rij("precies de grens", "A-0017", grens, grens, "DVVVVVG", "A-0017");
        rij("net te traag", "A-0017", grens + 1, 5, "DDDDDDD", "");
        rij("Enter net te laat", "A-0017", 5, grens + 1, "DVVVVVD", "");
        rij("Enter na drie", "A-0", 5, 5, "DVVD", "");
        rij("Enter na vier", "A-00", 5, 5, "DVVVG", "A-00");
        rij("getal van een bal", "12", 5, 5, "DVD", "");
        rij("bordtoetsen", " kw k", 5, 5, "DDDDDD", "");
        rij("K alleen", "K", 5, -1, "U", "");
        rij("W alleen", "W", 5, -1, "U", "");
        rij("K alleen, Enter laat", "K", 5, 500, "UD", "");
        rij("K en cijfers", "K0012", 5, 5, "UVVVVG", "K0012");
        rij("W en cijfers", "W0012", 5, 5, "UVVVVG", "W0012");
        rij("W en cijfers, precies de grens", "W0012", grens, grens, "UVVVVG", "W0012");
        rij("kleine w en cijfers", "w0012", 5, 5, "DVVVVG", "w0012");
        // A key without text breaks a burst: what follows starts anew and the Enter after it ends no code.
        rij("toets zonder tekst",
            "A-0\x1b"
            "1",
            5, 5, "DVVDDD", "");
    }
    void burst()
    {
        QFETCH(QString, toetsen);
        QFETCH(int, poos);
        QFETCH(int, enterNa);
        QFETCH(QString, oordelen);
        QFETCH(QString, code);
        ScanHerkenner h;
        QCOMPARE(reeks(toetsen, poos, enterNa, h), oordelen);
        if (!code.isEmpty()) QCOMPARE(h.code(), code);
        // A capital waits: held until the burst is over.
        if (enterNa < 0) QVERIFY(h.houdtVast());
    }
};

QTEST_GUILESS_MAIN(TstScanHerkenner)
#include "tst_scanherkenner.moc"
