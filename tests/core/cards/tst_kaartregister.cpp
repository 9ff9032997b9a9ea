// Numbered cards and the card register: numbers run on across jobs, no two cards of a series
// are equal, what is printed is what is registered, a failed job leaves nothing behind, the
// number stands in the card's margin, a damaged register is set aside; and the verdicts.

#include "opname.h"

#include "core/cards/controle.h"
#include "core/cards/genummerd.h"
#include "core/cards/pagina.h"
#include "core/common/toeval.h"

#include <QProcess>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace
{
// Deals the same Bingo card (25 draws) `herhaal` times, then draws freely.
struct Herhaler : Toeval {
    int herhaal, teller = 0;
    std::unique_ptr<VasteToeval> vast;
    VasteToeval vrij{9};
    explicit Herhaler(int n) : herhaal(n) {}
    int getal(int laag, int hoog) override
    {
        if (teller >= herhaal * 25) return vrij.getal(laag, hoog);
        if (teller++ % 25 == 0) vast = std::make_unique<VasteToeval>(5);
        return vast->getal(laag, hoog);
    }
};

QList<int> gesorteerd(QList<int> getallen)
{
    getallen.removeAll(0);
    std::sort(getallen.begin(), getallen.end());
    return getallen;
}
} // namespace

class TestKaartRegister : public QObject
{
    Q_OBJECT
    QTemporaryDir map;
    int volgnummer = 0;
    QString nieuwPad() { return map.filePath(QStringLiteral("r%1/Kaartregister.db").arg(++volgnummer)); }

private slots:
    // Two equal cards in a row: the second is drawn again. Numbers run on across jobs, and a
    // series that cannot find new cards stops with a message, registering nothing.
    void uniekInSerie()
    {
        KaartRegister reg(nieuwPad());
        Herhaler tweeGelijk(2);
        const auto eerste = reg.registreer(KaartSoort::Bingo75, QStringLiteral("A"), 2, tweeGelijk);
        QVERIFY(eerste);
        QCOMPARE(eerste->eerste, 1);
        QCOMPARE(eerste->aantal, 12);
        VasteToeval toeval(4);
        const auto tweede = reg.registreer(KaartSoort::Kien, QStringLiteral("A"), 2, toeval);
        QVERIFY(tweede);
        QCOMPARE(tweede->eerste, 13);
        QCOMPARE(reg.registreer(KaartSoort::Bingo90, QStringLiteral("B"), 1, toeval)->eerste, 1);

        const QList<RegisterKaart> kaarten = reg.kaarten(QStringLiteral("A"), 1, 24);
        QCOMPARE(kaarten.size(), 24);
        QSet<QList<int>> verschillend;
        for (const RegisterKaart& k : kaarten)
            verschillend << gesorteerd(k.getallen);
        QCOMPARE(verschillend.size(), 24);
        for (int blad = 0; blad < 2; ++blad) { // a Kien page still holds 1..90 once
            QList<int> alle;
            for (int k = 0; k < 6; ++k)
                alle += kaarten[12 + 6 * blad + k].getallen;
            QCOMPARE(gesorteerd(alle).size(), 90);
            QCOMPARE(QSet<int>(alle.begin(), alle.end()).size(), 91);
        }

        Herhaler altijdGelijk(1 << 20);
        QString fout;
        QVERIFY(!reg.registreer(KaartSoort::Bingo75, QStringLiteral("C"), 1, altijdGelijk, &fout));
        QVERIFY2(fout.contains(QStringLiteral("nieuwe serie")), qPrintable(fout));
        QCOMPARE(reg.aantalKaarten(QStringLiteral("C")), 0);
    }

    // What the pages show is what the register holds, after closing and opening again; a
    // failed job takes its cards out, and a page that did go out keeps its cards.
    void rondgangEnMislukteOpdracht()
    {
        const QString pad = nieuwPad();
        VasteToeval toeval(11);
        Opname::Uitvoer uit;
        KaartRegister::Reeks reeks;
        {
            KaartRegister reg(pad);
            QVERIFY(Afdruk::genummerd(uit, reg, KaartSoort::Bingo90, QStringLiteral("Z9"), 2, QString(), toeval, true,
                                      &reeks, nullptr));
        }
        QCOMPARE(uit.documenten, 2);
        KaartRegister reg(pad);
        for (int blad = 0; blad < 2; ++blad) {
            QStringList getoond;
            for (const Opname::Tekst& t : uit.paginas[blad].teksten)
                getoond << t.tekst.trimmed();
            for (int k = 0; k < 6; ++k) {
                const auto kaart = reg.kaart(QStringLiteral("Z9"), 6 * blad + k + 1);
                QVERIFY(kaart);
                QCOMPARE(kaart->soort, KaartSoort::Bingo90);
                QVERIFY(qAbs(kaart->gedrukt.secsTo(QDateTime::currentDateTimeUtc())) < 60);
                QVERIFY(getoond.contains(KaartNummer::tekst(QStringLiteral("Z9"), 6 * blad + k + 1)));
                for (int n : kaart->getallen)
                    QVERIFY(n == 0 || getoond.contains(QString::number(n)));
            }
        }
        QVERIFY(!reg.kaart(QStringLiteral("Z9"), 13));

        uit.foutTekst = QStringLiteral("Printer weg");
        QString fout;
        QVERIFY(!Afdruk::genummerd(uit, reg, KaartSoort::Kien, QStringLiteral("Z9"), 3, QString(), toeval, false,
                                   &reeks, &fout));
        QCOMPARE(fout, uit.foutTekst);
        QCOMPARE(reeks.aantal, 0);
        QCOMPARE(reg.aantalKaarten(), 12);
    }

    // Read back from a PDF: each number stands in the margin above its own card, clear of
    // the cards and of every other word on the page.
    void nummerInMarge()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) QSKIP("pdftotext is not installed");
        for (const KaartSoort soort : {KaartSoort::Bingo75, KaartSoort::Kien}) {
            const QString pdfPad = map.filePath(QStringLiteral("genummerd.pdf"));
            KaartRegister reg(nieuwPad());
            PdfUitvoer pdf(pdfPad);
            VasteToeval toeval(2);
            QVERIFY(Afdruk::genummerd(pdf, reg, soort, QStringLiteral("A"), 1, QStringLiteral("Zaal"), toeval, false,
                                      nullptr, nullptr));
            QProcess p;
            p.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdfPad, QStringLiteral("-")});
            QVERIFY(p.waitForFinished(60000));
            static const QRegularExpression woord(QStringLiteral(
                "<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" yMax=\"([0-9.]+)\">([^<]*)<"));
            const QString html = QString::fromUtf8(p.readAllStandardOutput());
            QCOMPARE(html.count(QStringLiteral("<page width=\"595.")), 1); // one A4 page
            QList<QPair<QString, QRectF>> woorden;                         // in twips
            for (auto it = woord.globalMatch(html); it.hasNext();) {
                const auto w = it.next();
                auto twips = [&](int i) { return w.captured(i).toDouble() * 20; };
                woorden << qMakePair(w.captured(5), QRectF(QPointF(twips(1), twips(2)), QPointF(twips(3), twips(4))));
            }
            const bool kien = soort == KaartSoort::Kien;
            for (int k = 0; k < 6; ++k) {
                // The card, and the free space above it up to the card before it or the paper.
                const QRectF kaart = kien ? QRectF(600, 600 + 2640 * k, 10530, 1980)
                                          : QRectF(Pagina::bingoKaartHoek(k), QSizeF(4500, 4680));
                const double vrijBoven = k < (kien ? 1 : 2) ? 0 : kaart.top() - (kien ? 660 : 480);
                const QRectF marge(kaart.left(), vrijBoven, kaart.width(), kaart.top() - vrijBoven);
                const QString nummer = KaartNummer::tekst(QStringLiteral("A"), k + 1);
                const auto gevonden =
                    std::find_if(woorden.begin(), woorden.end(), [&](const auto& w) { return w.first == nummer; });
                QVERIFY2(gevonden != woorden.end(), qPrintable(nummer));
                QVERIFY2(marge.contains(gevonden->second), qPrintable(nummer));
                for (const auto& ander : woorden)
                    QVERIFY2(ander.first == nummer || !ander.second.intersects(gevonden->second),
                             qPrintable(nummer + QLatin1Char('/') + ander.first));
            }
        }
    }

    // Junk, another program's database and a folder in the register's place: the first two
    // are set aside whole, the folder is refused; numbering works again afterwards.
    void beschadigdRegister()
    {
        const QString pad = nieuwPad();
        QDir().mkpath(QFileInfo(pad).absolutePath());
        QFile junk(pad);
        QVERIFY(junk.open(QIODevice::WriteOnly) && junk.write(QByteArray(5000, 'x')) == 5000);
        junk.close();
        KaartRegister reg(pad);
        QString melding;
        QVERIFY(!reg.open(&melding));
        QCOMPARE(reg.toestand(), KaartRegister::Toestand::Beschadigd);
        QVERIFY(melding.contains(QStringLiteral("opzijgezet")));
        QCOMPARE(QFile(reg.opzijPad()).size(), 5000);
        QVERIFY(reg.open());
        QCOMPARE(reg.aantalKaarten(), 0);
        reg.sluit();

        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("vreemd"));
            db.setDatabaseName(pad + QStringLiteral(".vreemd"));
            QVERIFY(db.open());
            QVERIFY(QSqlQuery(db).exec(QStringLiteral("CREATE TABLE iets (x)")));
        }
        QSqlDatabase::removeDatabase(QStringLiteral("vreemd"));
        KaartRegister vreemd(pad + QStringLiteral(".vreemd"));
        QVERIFY(!vreemd.open());
        QCOMPARE(vreemd.toestand(), KaartRegister::Toestand::Beschadigd);

        QVERIFY(QDir().mkpath(pad + QStringLiteral(".map")));
        KaartRegister geenBestand(pad + QStringLiteral(".map"));
        VasteToeval toeval(1);
        QVERIFY(!geenBestand.registreer(KaartSoort::Kien, QStringLiteral("A"), 1, toeval, &melding));
        QCOMPARE(geenBestand.toestand(), KaartRegister::Toestand::Geweigerd);
        QVERIFY(melding.contains(QStringLiteral("geen gewoon bestand")));
        QVERIFY(QFileInfo(pad + QStringLiteral(".map")).isDir());
    }

    void oordelen_data()
    {
        QTest::addColumn<QList<int>>("ballen");
        QTest::addColumn<QList<int>>("patroon");
        QTest::addColumn<QString>("oordeel");
        QTest::addColumn<int>("ontbrekend");
        // The card: B 1-5, I 16-20, N 31-35 (33 under FREE), G 46-50, O 61-65, top to bottom.
        QTest::newRow("rij") << QList<int>{3, 18, 48, 63} << QList<int>{} << "BINGO: rij 3" << 20;
        QTest::newRow("kolom") << QList<int>{31, 32, 34, 35} << QList<int>{} << "BINGO: kolom N" << 20;
        QTest::newRow("diagonaal") << QList<int>{1, 17, 49, 65} << QList<int>{}
                                   << "BINGO: diagonaal linksboven-rechtsonder" << 20;
        QTest::newRow("geen") << QList<int>{1, 2, 3, 4, 16, 61} << QList<int>{} << "Geen bingo" << 18;
        QTest::newRow("hoeken") << QList<int>{1, 5, 61, 65} << QList<int>{1, 5, 21, 25} << "BINGO: het patroon is vol"
                                << 0;
        QTest::newRow("hoeken niet") << QList<int>{1, 5, 61, 3, 18, 48, 63} << QList<int>{1, 5, 21, 25}
                                     << "Geen bingo: het patroon is nog niet vol" << 1;
        QList<int> alle;
        for (int n : {1, 2, 3, 4, 5, 16, 17, 18, 19, 20, 31, 32, 34, 35, 46, 47, 48, 49, 50, 61, 62, 63, 64, 65})
            alle << n;
        QTest::newRow("vol") << alle << QList<int>{}
                             << "BINGO: rij 1, rij 2, rij 3, rij 4, rij 5, kolom B, kolom I, "
                                "kolom N, kolom G, kolom O, diagonaal linksboven-rechtsonder, "
                                "diagonaal rechtsboven-linksonder, volle kaart"
                             << 0;
    }
    void oordelen()
    {
        QFETCH(QList<int>, ballen);
        QFETCH(QList<int>, patroon);
        QList<int> cellen;
        for (int rij = 0; rij < 5; ++rij)
            for (int kolom = 0; kolom < 5; ++kolom)
                cellen << (rij == 2 && kolom == 2 ? 0 : 15 * kolom + rij + 1);
        Controle::Patroon p{};
        for (int vak : patroon)
            p[vak] = 1;
        const Controle::Uitslag u = Controle::bingo(cellen, Ballen::getrokken(ballen), &p);
        QTEST(u.oordeel, "oordeel");
        QTEST(int(u.ontbrekend.size()), "ontbrekend");
        QCOMPARE(u.gewonnen, u.oordeel.startsWith(QStringLiteral("BINGO")));
    }

    // Kien: full rows count, and a card wins from the rows asked for.
    void kienRijen()
    {
        QList<int> cellen(27, 0);
        for (int rij = 0; rij < 3; ++rij)
            for (int j = 0; j < 5; ++j)
                cellen[rij * 9 + 2 * j] = 10 * (2 * j) + rij + 1; // 1 2 3, 21 22 23, ...
        QList<int> ballen = {1, 21, 41, 61, 81, 2, 22, 42, 62};
        QCOMPARE(Controle::kien(cellen, Ballen::getrokken(ballen), 1).oordeel, QStringLiteral("KIEN: 1 rij"));
        const Controle::Uitslag twee = Controle::kien(cellen, Ballen::getrokken(ballen), 2);
        QCOMPARE(twee.oordeel, QStringLiteral("Geen kien: 1 rij (nodig: 2 rijen)"));
        QCOMPARE(twee.ontbrekend, (QList<int>{82, 3, 23, 43, 63, 83}));
        ballen << 82;
        QCOMPARE(Controle::kien(cellen, Ballen::getrokken(ballen), 2).oordeel, QStringLiteral("KIEN: 2 rijen"));
        ballen << 3 << 23 << 43 << 63 << 83;
        QCOMPARE(Controle::kien(cellen, Ballen::getrokken(ballen), 3).oordeel, QStringLiteral("KIEN: volle kaart"));
    }
};

QTEST_MAIN(TestKaartRegister)
#include "tst_kaartregister.moc"
