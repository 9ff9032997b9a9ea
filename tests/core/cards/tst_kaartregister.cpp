// Numbered cards and the card register: numbers run on across jobs, no two cards of a series
// are equal, what is printed is what is registered, a job whose one document fails or that is
// killed leaves nothing behind, the number stands in the card's margin, only a register of ours
// is used and only a damaged one of ours set aside; the verdicts, and the check screen's boxes.

#include "opname.h"

#include "core/cards/controle.h"
#include "core/cards/controleindeling.h"
#include "core/cards/genummerd.h"
#include "core/cards/pagina.h"
#include "core/common/toeval.h"
#include "core/game/organisatortekst.h"
#include "testhulp.h"

#include <QSqlDatabase>
#include <QSqlQuery>
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
        const auto klaar = [&](std::optional<KaartRegister::Reeks> r) {
            if (r) reg.bevestig(*r, r->laatste()) && reg.rondAf(*r);
            return r;
        };
        Herhaler tweeGelijk(2);
        const auto eerste = klaar(reg.registreer(KaartSoort::Bingo75, QStringLiteral("A"), 2, tweeGelijk));
        QVERIFY(eerste);
        QCOMPARE(eerste->eerste, 1);
        QCOMPARE(eerste->aantal, 12);
        VasteToeval toeval(4);
        const auto tweede = klaar(reg.registreer(KaartSoort::Kien, QStringLiteral("A"), 2, toeval));
        QVERIFY(tweede);
        QCOMPARE(tweede->eerste, 13);
        QCOMPARE(klaar(reg.registreer(KaartSoort::Bingo90, QStringLiteral("B"), 1, toeval))->eerste, 1);

        const QList<RegisterKaart> kaarten = reg.kaarten(QStringLiteral("A"), 1, 24);
        QCOMPARE(kaarten.size(), 24);
        QSet<QList<int>> verschillend;
        for (const RegisterKaart& k : kaarten)
            verschillend << gesorteerd(k.getallen);
        QCOMPARE(verschillend.size(), 24);

        Herhaler altijdGelijk(1 << 20);
        QString fout;
        QVERIFY(!reg.registreer(KaartSoort::Bingo75, QStringLiteral("C"), 1, altijdGelijk, &fout));
        QVERIFY2(fout.contains(QStringLiteral("nieuwe serie")), qPrintable(fout));
        QCOMPARE(reg.aantalKaarten(QStringLiteral("C")), 0);
    }

    // What the pages show is what the register holds, after closing and opening again; a job
    // whose one document fails takes all its cards out.
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

    // Each number stands in the margin above its own card, clear of the cards and of every
    // other word on the page.
    void nummerInMarge()
    {
        for (const KaartSoort soort : {KaartSoort::Bingo75, KaartSoort::Kien}) {
            KaartRegister reg(nieuwPad());
            Opname::Uitvoer uit;
            VasteToeval toeval(2);
            QVERIFY(Afdruk::genummerd(uit, reg, soort, QStringLiteral("A"), 1, QStringLiteral("Zaal"), toeval, false,
                                      nullptr, nullptr));
            const QList<Opname::Tekst> woorden = uit.paginas.value(0).teksten;
            const bool kien = soort == KaartSoort::Kien;
            // Where the layout lies on the paper.
            const QTransform plaats =
                Pagina::plaatsing(uit.afdrukbaar(), kien ? Pagina::kienOmvang() : Pagina::bingoOmvang());
            for (int k = 0; k < 6; ++k) {
                // The card, and the free space above it up to the card before it or the layout's top.
                const QRectF kaart = kien ? QRectF(600, 600 + 2640 * k, 10530, 1980)
                                          : QRectF(Pagina::bingoKaartHoek(k), QSizeF(4500, 4680));
                const double vrijBoven = k < (kien ? 1 : 2) ? 0 : kaart.top() - (kien ? 660 : 480);
                const QRectF marge =
                    plaats.mapRect(QRectF(kaart.left(), vrijBoven, kaart.width(), kaart.top() - vrijBoven));
                const QString nummer = KaartNummer::tekst(QStringLiteral("A"), k + 1);
                const auto gevonden = std::find_if(woorden.begin(), woorden.end(),
                                                   [&](const Opname::Tekst& w) { return w.tekst.trimmed() == nummer; });
                QVERIFY2(gevonden != woorden.end() && marge.contains(gevonden->inkt()), qPrintable(nummer));
                for (const Opname::Tekst& ander : woorden)
                    QVERIFY2(&ander == &*gevonden || !ander.inkt().intersects(gevonden->inkt()),
                             qPrintable(nummer + QLatin1Char('/') + ander.tekst));
                // Its code in the same margin, a quiet zone of ten modules from the number, on no text.
                QRectF code;
                for (const QRectF& vlak : uit.paginas.value(0).vlakken)
                    if (marge.contains(vlak)) code |= vlak;
                QVERIFY2(code.width() > 1000 && code.right() + 10 * Pagina::codeModule <= gevonden->inkt().left() + 1,
                         qPrintable(nummer));
                for (const Opname::Tekst& woord : woorden)
                    QVERIFY2(!woord.inkt().intersects(code), qPrintable(nummer + QLatin1Char('/') + woord.tekst));
            }
        }
    }

    // A scanner set to an American keyboard on an AZERTY one types other characters; they are
    // read back. A code that reads as it is stays as it is.
    void vanScanner()
    {
        QCOMPARE(KaartNummer::vanScanner(QStringLiteral("Q)\u00e0\u00e0&\u00e8")), QStringLiteral("A-0017"));
        QCOMPARE(KaartNummer::vanScanner(QStringLiteral("W)\u00e0\u00e0\u00e0(")), QStringLiteral("Z-0005"));
        QCOMPARE(KaartNummer::vanScanner(QStringLiteral("QA-0017")), QStringLiteral("QA-0017"));
        QCOMPARE(KaartNummer::vanScanner(QStringLiteral("8712345678901")), QStringLiteral("8712345678901"));
    }

    // Only a register of Zorvak's own is used, and only one that is really damaged is set aside,
    // by a job that writes it. Anything else (text, another program's database, also one in use,
    // a folder) is refused and stays byte for byte as it was, with the files beside it. Reading
    // never makes, writes or moves anything. An empty file is a register whose first job was
    // killed: printing takes it. A register of an older version, or restored from a dump without
    // its marks, is brought up to date in place.
    void alleenEigenRegister()
    {
        const QString map = QFileInfo(nieuwPad()).absolutePath();
        QVERIFY(QDir().mkpath(map));
        const auto bytes = [](const QString& pad) {
            QByteArray alles;
            for (const QString& p : QStringList{pad} + KaartRegister::bijBestanden(pad))
                alles += p.right(4).toUtf8() + TestHulp::leesBestand(p);
            return alles;
        };
        const auto probeer = [&](const QString& pad, KaartRegister::Modus modus) -> QString {
            const QByteArray voor = bytes(pad);
            KaartRegister reg(pad, modus);
            QString melding;
            const bool open = reg.open(&melding);
            if (modus == KaartRegister::Modus::Lezen && bytes(pad) != voor) return QStringLiteral("veranderd");
            if (QFileInfo::exists(pad + QStringLiteral(".beschadigd"))) return QStringLiteral("opzijgezet");
            return open ? QStringLiteral("open") : melding;
        };
        const auto database = [&](const QString& naam, const QStringList& sql) {
            {
                QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), naam);
                db.setDatabaseName(QDir(map).filePath(naam));
                QVERIFY(db.open());
                for (const QString& opdracht : sql)
                    QVERIFY2(QSqlQuery(db).exec(opdracht), qPrintable(opdracht));
            }
            QSqlDatabase::removeDatabase(naam);
        };
        const QString tekst = QDir(map).filePath(QStringLiteral("tekst.db"));
        QVERIFY(TestHulp::schrijfBestand(tekst, QByteArray(5000, 'x')));
        // Another program's database, with a write of it under way.
        QSqlDatabase bezig = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bezig"));
        bezig.setDatabaseName(QDir(map).filePath(QStringLiteral("bezig.db")));
        QVERIFY(bezig.open());
        for (const char* opdracht :
             {"PRAGMA journal_mode=WAL", "CREATE TABLE iets (x)", "BEGIN", "INSERT INTO iets VALUES (1)"})
            QVERIFY(QSqlQuery(bezig).exec(QString::fromLatin1(opdracht)));
        for (const QString& naam : {QStringLiteral("tekst.db"), QStringLiteral("bezig.db")})
            for (auto modus : {KaartRegister::Modus::Schrijven, KaartRegister::Modus::Lezen}) {
                const QString pad = QDir(map).filePath(naam);
                const QByteArray voor = bytes(pad);
                QVERIFY(probeer(pad, modus).contains(QStringLiteral("geen kaartregister van Zorvak")));
                QCOMPARE(bytes(pad), voor);
            }
        QSqlQuery(bezig).exec(QStringLiteral("ROLLBACK"));
        bezig.close();

        const QString leeg = QDir(map).filePath(QStringLiteral("leeg.db")), geen = QDir(map).filePath("geen.db");
        QVERIFY(TestHulp::schrijfBestand(leeg, {}));
        QVERIFY(probeer(leeg, KaartRegister::Modus::Lezen).contains(QStringLiteral("leeg")));
        QVERIFY(probeer(geen, KaartRegister::Modus::Lezen).contains(QStringLiteral("nog geen kaartregister")));
        QVERIFY(!QFileInfo::exists(geen));
        QCOMPARE(probeer(leeg, KaartRegister::Modus::Schrijven), QStringLiteral("open"));
        QVERIFY(QDir().mkpath(QDir(map).filePath(QStringLiteral("map.db"))));
        QVERIFY(probeer(QDir(map).filePath("map.db"), KaartRegister::Modus::Schrijven).contains("geen gewoon bestand"));

        // A register of version 1, and one restored from a dump: used as they are, read or
        // written, their cards kept.
        const QString kaarten = QStringLiteral("CREATE TABLE kaarten (serie TEXT NOT NULL, nummer INTEGER NOT NULL, "
                                               "soort TEXT NOT NULL, getallen TEXT NOT NULL, sleutel BLOB NOT NULL, "
                                               "gedrukt TEXT NOT NULL, PRIMARY KEY (serie, nummer))");
        QString cellen = QStringLiteral("1");
        for (int i = 2; i <= 25; ++i)
            cellen += QStringLiteral(",%1").arg(i == 13 ? 0 : i);
        const QString kaart =
            QStringLiteral("INSERT INTO kaarten VALUES ('A', 1, 'bingo75', '%1', x'01', '')").arg(cellen);
        database(QStringLiteral("v1.db"),
                 {kaarten, kaart, "PRAGMA application_id = 1517253238", "PRAGMA user_version = 1"});
        database(QStringLiteral("dump.db"), {kaarten, kaart});
        for (const QString& naam : {QStringLiteral("v1.db"), QStringLiteral("dump.db")})
            for (auto modus : {KaartRegister::Modus::Lezen, KaartRegister::Modus::Schrijven}) {
                KaartRegister reg(QDir(map).filePath(naam), modus);
                QVERIFY(reg.kaart(QStringLiteral("A"), 1));
            }
        QCOMPARE(KaartRegister::herken(TestHulp::leesBestand(QDir(map).filePath("dump.db")).left(100)),
                 KaartRegister::Soort::Zorvak);

        // A database without marks whose last write was cut off: a journal beside it that nobody
        // writes. Another program's is refused as such and stays as it is, journal and all; ours
        // (restored from a dump) waits for a job that writes it, which rolls the write back.
        const auto afgebroken = [&](const QString& naam, const QStringList& sql, const QString& wijziging) {
            const QString bron = QDir(map).filePath(naam + QStringLiteral("-bron.db"));
            {
                QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), bron);
                db.setDatabaseName(bron);
                QVERIFY(db.open());
                // A cache of one page spills the change: the journal is made hot, the file changed.
                for (const QString& opdracht : sql + QStringList{"PRAGMA cache_size = 1", "BEGIN", wijziging})
                    QVERIFY2(QSqlQuery(db).exec(opdracht), qPrintable(opdracht));
                for (const QString& bij : {QString(), QStringLiteral("-journal")})
                    QVERIFY(QFile::copy(bron + bij, QDir(map).filePath(naam) + bij));
                QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
            }
            QSqlDatabase::removeDatabase(bron);
        };
        afgebroken(QStringLiteral("ander.db"), {"CREATE TABLE iets (x)", "INSERT INTO iets VALUES (1)"},
                   QStringLiteral("INSERT INTO iets VALUES (zeroblob(100000))"));
        afgebroken(QStringLiteral("dumpkapot.db"), {kaarten, kaart},
                   QStringLiteral("UPDATE kaarten SET gedrukt = hex(zeroblob(100000))"));
        for (auto modus : {KaartRegister::Modus::Lezen, KaartRegister::Modus::Schrijven}) {
            const QString pad = QDir(map).filePath(QStringLiteral("ander.db"));
            const QByteArray voor = bytes(pad);
            KaartRegister reg(pad, modus);
            QString melding;
            QVERIFY(!reg.open(&melding));
            QVERIFY2(reg.toestand() == KaartRegister::Toestand::Vreemd &&
                         melding.contains(QStringLiteral("geen kaartregister van Zorvak")),
                     qPrintable(melding));
            QCOMPARE(bytes(pad), voor);
        }
        const QString dumpKapot = QDir(map).filePath(QStringLiteral("dumpkapot.db"));
        const QString gelezen = probeer(dumpKapot, KaartRegister::Modus::Lezen);
        QVERIFY2(gelezen.contains(QStringLiteral("midden in een afdruk")), qPrintable(gelezen));
        {
            KaartRegister reg(dumpKapot);
            const auto hersteld = reg.kaart(QStringLiteral("A"), 1);
            QVERIFY2(hersteld && hersteld->gedrukt.isNull(), qPrintable(reg.pad()));
        }
        QVERIFY(!QFileInfo::exists(dumpKapot + QStringLiteral("-journal")));

        // Our own register, damaged in its first page: reported when read, set aside when written.
        const QString eigen = QDir(map).filePath(QStringLiteral("eigen.db"));
        QByteArray beschadigd = TestHulp::leesBestand(QDir(map).filePath("v1.db"));
        beschadigd.replace(100, 900, QByteArray(900, '\xff'));
        QVERIFY(TestHulp::schrijfBestand(eigen, beschadigd));
        QVERIFY(probeer(eigen, KaartRegister::Modus::Lezen).contains(QStringLiteral("beschadigd")));
        KaartRegister reg(eigen);
        QVERIFY(!reg.open());
        QCOMPARE(reg.toestand(), KaartRegister::Toestand::Beschadigd);
        QCOMPARE(TestHulp::leesBestand(reg.opzijPad()), beschadigd);
        QVERIFY(!QFileInfo::exists(eigen));
    }

    // The cards of a job are pending until its pages are out: nobody else finds them. A job that
    // dies without ending leaves them, and its temporary file, to the next job, which takes them
    // out, unless the temporary file took the target's place: then they were printed.
    void afgebrokenOpdracht()
    {
        const QString pad = nieuwPad(), pdf = QFileInfo(pad).absolutePath() + QStringLiteral("/k.pdf");
        VasteToeval toeval(6);
        const auto sterf = [&](int paginas, bool opZijnPlaats) {
            KaartRegister reg(pad);
            const auto reeks = reg.registreer(KaartSoort::Kien, QStringLiteral("P"), paginas, toeval, nullptr, pdf);
            QVERIFY(reeks);
            const QString tijdelijk = pdf + QStringLiteral(".AB12cd");
            QVERIFY(TestHulp::schrijfBestand(tijdelijk, "%PDF"));
            QVERIFY(reg.zetTijdelijk(*reeks, tijdelijk));
            QCOMPARE(reg.kaarten(QStringLiteral("P"), reeks->eerste, 6).size(), 6); // the job reads its own
            QCOMPARE(KaartRegister(pad, KaartRegister::Modus::Lezen).aantalKaarten(QStringLiteral("P")), 0);
            if (opZijnPlaats) QVERIFY(QFile::rename(tijdelijk, pdf));
        }; // the job's lock goes with it, as with a kill
        sterf(2, false);
        KaartRegister later(pad);
        QCOMPARE(later.aantalKaarten(QStringLiteral("P")), 0);
        QCOMPARE(QDir(QFileInfo(pad).absolutePath()).entryList(QDir::Files), QStringList{"Kaartregister.db"});
        later.sluit();
        sterf(1, true);
        QCOMPARE(later.aantalKaarten(QStringLiteral("P")), 6);
        QCOMPARE(later.kaart(QStringLiteral("P"), 1)->nummer, 1);
    }

#ifdef Q_OS_UNIX // a full disk: a file-size limit in a child process
    // SQLite's reasons come in Dutch: the register on a disk that fills up.
    void redenInHetNederlands()
    {
        const QString pad = nieuwPad();
        const QString uit = TestHulp::metGrens(40000, [&](QString& fout) {
            VasteToeval toeval(1);
            return KaartRegister(pad)
                .registreer(KaartSoort::Bingo75, QStringLiteral("V"), 200, toeval, &fout)
                .has_value();
        });
        QVERIFY2(uit.contains("de schijf is vol") || uit.contains("de schijf gaf een fout"), qPrintable(uit));
        QVERIFY2(!uit.contains("disk") && !uit.contains("database"), qPrintable(uit));
    }
#endif

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
        QTest::newRow("meer dan genoeg") << QList<int>{1, 16, 31, 46, 61, 3, 18, 48, 63, 5, 19, 47} << QList<int>{}
                                         << "BINGO: rij 1, rij 3, diagonaal rechtsboven-linksonder" << 12;
        QTest::newRow("alleen het midden") << QList<int>{3, 18, 48, 63} << QList<int>{13} << "BINGO: rij 3" << 20;
        QTest::newRow("hoeken en meer") << QList<int>{1, 5, 61, 65, 2, 3, 18} << QList<int>{1, 5, 21, 25}
                                        << "BINGO: het patroon is vol" << 0;
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

    // The check screen's boxes on every screen and in the organiser's window, for the card with
    // the most numbers still missing and every text there can be: no two boxes overlap, each
    // lies on the screen, each text fits its box, and the card gives way before the texts do.
    void controleIndeling_data()
    {
        QTest::addColumn<QSize>("scherm");
        QTest::addColumn<bool>("kien");
        QTest::addColumn<bool>("programma");
        for (const QSize maat : {QSize(800, 600), QSize(1024, 768), QSize(1920, 1080), QSize(3840, 2160),
                                 QSize(736, 574), QSize(400, 180)})
            for (const bool kien : {false, true})
                for (const bool programma : {false, true})
                    QTest::addRow("%dx%d %s %s", maat.width(), maat.height(), kien ? "kien" : "bingo",
                                  programma ? "programma" : "los")
                        << maat << kien << programma;
    }
    void controleIndeling()
    {
        QFETCH(QSize, scherm);
        QFETCH(bool, kien);
        QFETCH(bool, programma);
        ControleIndeling::Inhoud inhoud;
        Controle::Uitslag u;
        // Two digits each: the longest line of numbers a card can miss.
        for (int i = 0; i < (kien ? 15 : 24); ++i)
            u.ontbrekend << (kien ? 10 + 5 * i : 11 + 3 * i);
        inhoud.kolommen = kien ? 9 : 5;
        inhoud.rijen = kien ? 3 : 6;
        inhoud.titel = kien ? QStringLiteral("Kaart A-0017  (Kien)") : QStringLiteral("Kaart A-0017  (Bingo 75)");
        inhoud.oordeel = kien ? QStringLiteral("Geen kien: geen volle rij (nodig: volle kaart)")
                              : QStringLiteral("Geen bingo: het patroon is nog niet vol");
        inhoud.balRegel = QStringLiteral("Kien 1 rij al compleet bij bal 38 (de 24e bal), 3 ballen geleden");
        inhoud.fasen = QStringLiteral("Kien 2 rijen: nog niet compleet   ·   Kien volle kaart: nog niet compleet");
        inhoud.ontbrekend = Controle::ontbrekendTekst(u);
        if (programma)
            inhoud.fase = QStringLiteral("Ronde 12 · Volle kaart · Taart met slagroom en een fles wijn (€ 450): "
                                         "wint niet");
        inhoud.hint = OrganisatorTekst::f9Hint() + QLatin1Char(' ') + OrganisatorTekst::terugHint();
        const ControleIndeling d = ControleIndeling::maak(scherm, inhoud);

        const QList<QRectF> vakken = d.vakken();
        QCOMPARE(vakken.size(), programma ? 7 : 6);
        const QRectF beeld(QPointF(0, 0), QSizeF(scherm));
        for (int i = 0; i < vakken.size(); ++i) {
            QVERIFY2(!vakken[i].isEmpty() || vakken[i] == d.kaart, qPrintable(QString::number(i)));
            QVERIFY2(beeld.contains(vakken[i]), qPrintable(QString::number(i)));
            for (int j = i + 1; j < vakken.size(); ++j)
                QVERIFY2(!vakken[i].intersects(vakken[j]), qPrintable(QStringLiteral("%1 en %2").arg(i).arg(j)));
        }
        QVERIFY(d.band.contains(d.oordeel.vak) && d.band.contains(d.bal.vak));
        QVERIFY(!d.oordeel.vak.intersects(d.bal.vak));
        for (const ControleIndeling::Tekst* t : {&d.titel, &d.oordeel, &d.bal, &d.fasen, &d.ontbrekend, &d.fase,
                                                 &d.hint}) {
            if (t->leeg()) continue;
            const QRectF nodig = QFontMetricsF(t->letter).boundingRect(QRectF(0, 0, t->vak.width(), 1e6),
                                                                        ControleIndeling::tekstVlaggen(), t->tekst);
            QVERIFY2(nodig.width() <= t->vak.width() && nodig.height() <= t->vak.height() + 0.5,
                     qPrintable(t->tekst));
        }
        QVERIFY(d.fase.leeg() != programma);
        QCOMPARE(d.kaart.width(), d.cel * inhoud.kolommen);
        QCOMPARE(d.kaart.height(), d.cel * inhoud.rijen);
        if (scherm.height() >= 574) {
            // On a real screen the card keeps a good part of it, and the texts their size.
            QVERIFY(d.kaart.height() >= scherm.height() * 0.3);
            QCOMPARE(d.tekstSchaal, 1.0);
        }
        if (programma) {
            // The stage's line takes its room from the card, never from another text.
            inhoud.fase.clear();
            const ControleIndeling zonder = ControleIndeling::maak(scherm, inhoud);
            QVERIFY(zonder.cel >= d.cel);
            QCOMPARE(zonder.ontbrekend.letter.pixelSize(), d.ontbrekend.letter.pixelSize());
        }
    }

    // Kien: full rows count, a row short of its last number does not, and a card wins with the
    // rows asked for or more.
    void kienRijen()
    {
        QList<int> cellen(27, 0);
        for (int rij = 0; rij < 3; ++rij)
            for (int j = 0; j < 5; ++j)
                cellen[rij * 9 + 2 * j] = 10 * (2 * j) + rij + 1; // 1 2 3, 21 22 23, ...
        QList<int> ballen = {1, 21, 41, 61, 81, 2, 22, 42, 62};
        auto oordeel = [&](int rijen) { return Controle::kien(cellen, Ballen::getrokken(ballen), rijen).oordeel; };
        QCOMPARE(oordeel(1), QStringLiteral("KIEN: 1 rij"));
        const Controle::Uitslag twee = Controle::kien(cellen, Ballen::getrokken(ballen), 2);
        QCOMPARE(twee.oordeel, QStringLiteral("Geen kien: 1 rij (nodig: 2 rijen)"));
        QCOMPARE(twee.ontbrekend, (QList<int>{82, 3, 23, 43, 63, 83}));
        ballen << 82;
        QCOMPARE(oordeel(2), QStringLiteral("KIEN: 2 rijen"));
        QCOMPARE(oordeel(1), QStringLiteral("KIEN: 2 rijen"));
        QCOMPARE(oordeel(3), QStringLiteral("Geen kien: 2 rijen (nodig: volle kaart)"));
        ballen << 3 << 23 << 43 << 63 << 83;
        QCOMPARE(oordeel(3), QStringLiteral("KIEN: volle kaart"));
        QCOMPARE(oordeel(2), QStringLiteral("KIEN: volle kaart"));
    }
    // The ball that completed a card, over rows, columns, both diagonals (through FREE), a
    // pattern (lines do not count then), a card complete before the last ball, a ball taken back
    // and drawn again later, and Kien's three stages.
    void voltooid_data()
    {
        QTest::addColumn<bool>("kien");
        QTest::addColumn<QList<int>>("ballen");
        QTest::addColumn<QList<int>>("patroon");
        QTest::addColumn<int>("rijen");
        QTest::addColumn<QString>("regels");
        QTest::addColumn<bool>("gewonnen");
        const QList<int> geen;
        QTest::newRow("rij met de laatste bal")
            << false << QList<int>{7, 1, 16, 31, 46, 61} << geen << 1 << "Bingo met bal 61 (de 6e bal)" << true;
        QTest::newRow("kolom, twee ballen eerder")
            << false << QList<int>{1, 2, 3, 4, 5, 70, 71} << geen << 1
            << "Bingo al compleet bij bal 5 (de 5e bal), 2 ballen geleden" << true;
        QTest::newRow("diagonaal door FREE")
            << false << QList<int>{65, 49, 17, 1} << geen << 1 << "Bingo met bal 1 (de 4e bal)" << true;
        QTest::newRow("andere diagonaal, een bal eerder")
            << false << QList<int>{61, 47, 19, 5, 9} << geen << 1
            << "Bingo al compleet bij bal 5 (de 4e bal), 1 bal geleden" << true;
        QTest::newRow("de eerste lijn telt") << false << QList<int>{61, 62, 63, 64, 1, 16, 31, 46, 65} << geen << 1
                                             << "Bingo al compleet bij bal 46 (de 8e bal), 1 bal geleden" << true;
        QTest::newRow("nog niet") << false << QList<int>{1, 16, 31, 46} << geen << 1 << "Bingo: nog niet compleet"
                                  << false;
        QTest::newRow("patroon, de rij ervoor telt niet")
            << false << QList<int>{1, 16, 31, 46, 61, 5, 65} << QList<int>{1, 5, 21, 25} << 1
            << "Bingo met bal 65 (de 7e bal)" << true;
        QTest::newRow("teruggelegd en later weer getrokken")
            << false << QList<int>{1, 2, 3, 4, 9, 10, 5} << geen << 1 << "Bingo met bal 5 (de 7e bal)" << true;
        QTest::newRow("kien, drie fasen")
            << true << QList<int>{2, 22, 42, 62, 82, 1, 21, 41, 61, 81, 90} << geen << 2
            << "Kien 1 rij al compleet bij bal 82 (de 5e bal), 6 ballen geleden | Kien 2 rijen al compleet bij bal "
               "81 (de 10e bal), 1 bal geleden | Kien volle kaart: nog niet compleet"
            << true;
        QTest::newRow("kien, volle kaart met de laatste bal")
            << true << QList<int>{1, 21, 41, 61, 81, 2, 22, 42, 62, 82, 3, 23, 43, 63, 83} << geen << 3
            << "Kien 1 rij al compleet bij bal 81 (de 5e bal), 10 ballen geleden | Kien 2 rijen al compleet bij bal "
               "82 (de 10e bal), 5 ballen geleden | Kien volle kaart met bal 83 (de 15e bal)"
            << true;
    }
    void voltooid()
    {
        QFETCH(bool, kien);
        QFETCH(QList<int>, ballen);
        QFETCH(QList<int>, patroon);
        QFETCH(int, rijen);
        RegisterKaart kaart;
        kaart.soort = kien ? KaartSoort::Kien : KaartSoort::Bingo75;
        if (kien) {
            kaart.getallen = QList<int>(27, 0);
            for (int rij = 0; rij < 3; ++rij)
                for (int j = 0; j < 5; ++j)
                    kaart.getallen[rij * 9 + 2 * j] = 10 * (2 * j) + rij + 1;
        } else {
            for (int rij = 0; rij < 5; ++rij)
                for (int kolom = 0; kolom < 5; ++kolom)
                    kaart.getallen << (rij == 2 && kolom == 2 ? 0 : 15 * kolom + rij + 1);
        }
        Controle::Patroon p{};
        for (int vak : patroon)
            p[vak] = 1;
        const Controle::Uitslag u = Controle::controleer(kaart, ballen, patroon.isEmpty() ? nullptr : &p, rijen);
        QTEST(Controle::voltooidRegels(u).join(QStringLiteral(" | ")), "regels");
        QTEST(u.gewonnen, "gewonnen");
        QCOMPARE(Controle::beslissendeRegel(u), Controle::voltooidRegels(u).value(kien ? rijen - 1 : 0));
    }
};

QTEST_MAIN(TestKaartRegister)
#include "tst_kaartregister.moc"
