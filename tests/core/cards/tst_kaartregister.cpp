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

// The card of the verdicts: Bingo 75 with 1..5 under B, 16..20 under I, ...; Kien with 1 2 3 in
// its first column, 21 22 23 in its third, ... 81 82 83 in its ninth.
RegisterKaart kaart(bool kien)
{
    RegisterKaart k;
    k.soort = kien ? KaartSoort::Kien : KaartSoort::Bingo75;
    k.getallen = QList<int>(kien ? 27 : 25, 0);
    for (int rij = 0; rij < (kien ? 3 : 5); ++rij)
        for (int j = 0; j < 5; ++j)
            if (kien)
                k.getallen[rij * 9 + 2 * j] = 10 * (2 * j) + rij + 1;
            else if (rij != 2 || j != 2)
                k.getallen[rij * 5 + j] = 15 * j + rij + 1;
    return k;
}

Controle::Patroon patroonVan(const QList<int>& vakken)
{
    Controle::Patroon p{};
    for (int vak : vakken)
        p[static_cast<std::size_t>(vak)] = 1;
    return p;
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

    // A card's number: a series of at most twelve characters and a number from 1; a scanner set
    // to an American keyboard on an AZERTY one types other characters, which are read back, and
    // a code that reads as it is stays as it is. A Bingo card's cells come back as they stood.
    void kaartNummer()
    {
        QCOMPARE(KaartNummer::serie(QStringLiteral("abcdefghijkl")), QStringLiteral("ABCDEFGHIJKL"));
        QCOMPARE(KaartNummer::serie(QStringLiteral("ABCDEFGHIJKLM")), QString());
        int nummer = 0;
        QVERIFY(KaartNummer::lees(QStringLiteral("a-1"), nullptr, &nummer) && nummer == 1);
        QVERIFY(!KaartNummer::lees(QStringLiteral("A-0000"), nullptr, nullptr));
        VasteToeval toeval(3);
        Kaarten::BingoKaart kaart = Kaarten::maakBingoKaart(75, toeval);
        kaart.getal[2][2] = 0;
        QVERIFY(KaartNummer::bingoKaart(KaartNummer::cellen(kaart)).getal == kaart.getal);

        QCOMPARE(KaartNummer::vanScanner(QStringLiteral("Q)\u00e0\u00e0&\u00e8")), QStringLiteral("A-0017"));
        QCOMPARE(KaartNummer::vanScanner(QStringLiteral("W)\u00e0\u00e0\u00e0(")), QStringLiteral("Z-0005"));
        QCOMPARE(KaartNummer::vanScanner(QStringLiteral("QA-0017")), QStringLiteral("QA-0017"));
        QCOMPARE(KaartNummer::vanScanner(QStringLiteral("8712345678901")), QStringLiteral("8712345678901"));
    }

    // Only a register of Zorvak's own is used, and only one that is really damaged is set aside,
    // by a job that writes it. Anything else (text, another program's database, also one in use,
    // one damaged, one with a cut-off write, a folder) is refused and stays byte for byte as it
    // was, with the files beside it. Reading never makes, writes or moves anything. An empty file
    // is a register whose first job was killed: printing takes it. A register of an older
    // version, or restored from a dump without its marks, is brought up to date in place.
    void alleenEigenRegister()
    {
        const QDir map(QFileInfo(nieuwPad()).absolutePath());
        QVERIFY(QDir().mkpath(map.path()));
        const auto bytes = [](const QString& pad) {
            QByteArray alles;
            for (const QString& p : QStringList{pad} + KaartRegister::bijBestanden(pad))
                alles += p.right(4).toUtf8() + TestHulp::leesBestand(p);
            return alles;
        };
        // "open", "veranderd" (when read), "opzijgezet", or the state and the message of a refusal.
        const auto probeer = [&](const QString& naam, KaartRegister::Modus modus) -> QString {
            const QString pad = map.filePath(naam);
            const QByteArray voor = bytes(pad);
            KaartRegister reg(pad, modus);
            QString melding;
            const bool open = reg.open(&melding);
            if (modus == KaartRegister::Modus::Lezen && bytes(pad) != voor) return QStringLiteral("veranderd");
            if (QFileInfo::exists(pad + QStringLiteral(".beschadigd"))) return QStringLiteral("opzijgezet");
            return open ? QStringLiteral("open") : QString::number(int(reg.toestand())) + melding;
        };
        const auto database = [&](const QString& naam, const QStringList& sql, QSqlDatabase* open = nullptr) {
            {
                QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), naam);
                db.setDatabaseName(map.filePath(naam));
                QVERIFY(db.open());
                for (const QString& opdracht : sql)
                    QVERIFY2(QSqlQuery(db).exec(opdracht), qPrintable(opdracht));
                if (open) *open = db;
            }
            if (!open) QSqlDatabase::removeDatabase(naam);
        };
        // A database without marks whose last write was cut off: a journal beside it that nobody
        // writes. A cache of one page spills the change: the journal is made hot, the file changed.
        const auto afgebroken = [&](const QString& naam, const QStringList& sql, const QString& wijziging) {
            QSqlDatabase db;
            database(naam + QStringLiteral("-bron.db"), sql + QStringList{"PRAGMA cache_size = 1", "BEGIN", wijziging},
                     &db);
            for (const QString& bij : {QString(), QStringLiteral("-journal")})
                QVERIFY(QFile::copy(db.databaseName() + bij, map.filePath(naam) + bij));
            QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
            db.close();
            db = {};
            QSqlDatabase::removeDatabase(naam + QStringLiteral("-bron.db"));
        };
        const QString kaarten = QStringLiteral("CREATE TABLE kaarten (serie TEXT NOT NULL, nummer INTEGER NOT NULL, "
                                               "soort TEXT NOT NULL, getallen TEXT NOT NULL, sleutel BLOB NOT NULL, "
                                               "gedrukt TEXT NOT NULL, PRIMARY KEY (serie, nummer))");
        QString cellen = QStringLiteral("1");
        for (int i = 2; i <= 25; ++i)
            cellen += QStringLiteral(",%1").arg(i == 13 ? 0 : i);
        const QString kaart =
            QStringLiteral("INSERT INTO kaarten VALUES ('A', 1, 'bingo75', '%1', x'01', '')").arg(cellen);

        QVERIFY(TestHulp::schrijfBestand(map.filePath("tekst.db"), QByteArray(5000, 'x')));
        // Another program's database: damaged in its first page's tree, past the file's header.
        database(QStringLiteral("kapot.db"), {"CREATE TABLE leden (naam TEXT)", "INSERT INTO leden VALUES ('Jansen')"});
        QByteArray kapot = TestHulp::leesBestand(map.filePath("kapot.db"));
        QVERIFY(TestHulp::schrijfBestand(map.filePath("kapot.db"), kapot.replace(100, 300, QByteArray(300, '\xa5'))));
        afgebroken(QStringLiteral("ander.db"), {"CREATE TABLE iets (x)", "INSERT INTO iets VALUES (1)"},
                   QStringLiteral("INSERT INTO iets VALUES (zeroblob(100000))"));
        // One with a write of it under way.
        QSqlDatabase bezig;
        database(QStringLiteral("bezig.db"),
                 {"PRAGMA journal_mode=WAL", "CREATE TABLE iets (x)", "BEGIN", "INSERT INTO iets VALUES (1)"}, &bezig);
        const QString vreemd = QString::number(int(KaartRegister::Toestand::Vreemd));
        for (const char* naam : {"tekst.db", "kapot.db", "ander.db", "bezig.db"})
            for (auto modus : {KaartRegister::Modus::Schrijven, KaartRegister::Modus::Lezen}) {
                const QByteArray voor = bytes(map.filePath(naam));
                const QString uitkomst = probeer(naam, modus);
                QVERIFY2(uitkomst.startsWith(vreemd) && uitkomst.contains("geen kaartregister van Zorvak"), naam);
                QCOMPARE(bytes(map.filePath(naam)), voor);
            }
        QSqlQuery(bezig).exec(QStringLiteral("ROLLBACK"));
        bezig.close();

        QVERIFY(TestHulp::schrijfBestand(map.filePath("leeg.db"), {}));
        QVERIFY(probeer("leeg.db", KaartRegister::Modus::Lezen).contains(QStringLiteral("leeg")));
        QVERIFY(probeer("geen.db", KaartRegister::Modus::Lezen).contains(QStringLiteral("nog geen kaartregister")));
        QVERIFY(!map.exists("geen.db"));
        QCOMPARE(probeer("leeg.db", KaartRegister::Modus::Schrijven), QStringLiteral("open"));
        QVERIFY(map.mkpath(QStringLiteral("map.db")));
        QVERIFY(probeer("map.db", KaartRegister::Modus::Schrijven).contains("geen gewoon bestand"));

        // A register of version 1, and one restored from a dump: used as they are, read or
        // written, their cards kept.
        database(QStringLiteral("v1.db"),
                 {kaarten, kaart, "PRAGMA application_id = 1517253238", "PRAGMA user_version = 1"});
        database(QStringLiteral("dump.db"), {kaarten, kaart});
        for (const QString& naam : {QStringLiteral("v1.db"), QStringLiteral("dump.db")})
            for (auto modus : {KaartRegister::Modus::Lezen, KaartRegister::Modus::Schrijven})
                QVERIFY(KaartRegister(map.filePath(naam), modus).kaart(QStringLiteral("A"), 1));
        QCOMPARE(KaartRegister::herken(TestHulp::leesBestand(map.filePath("dump.db")).left(100)),
                 KaartRegister::Soort::Zorvak);

        // Ours, restored from a dump, with a cut-off write: it waits for a job that writes it,
        // which rolls the write back.
        afgebroken(QStringLiteral("dumpkapot.db"), {kaarten, kaart},
                   QStringLiteral("UPDATE kaarten SET gedrukt = hex(zeroblob(100000))"));
        const QString gelezen = probeer("dumpkapot.db", KaartRegister::Modus::Lezen);
        QVERIFY2(gelezen.contains(QStringLiteral("midden in een afdruk")), qPrintable(gelezen));
        {
            KaartRegister reg(map.filePath("dumpkapot.db"));
            const auto hersteld = reg.kaart(QStringLiteral("A"), 1);
            QVERIFY2(hersteld && hersteld->gedrukt.isNull(), qPrintable(reg.pad()));
        }
        QVERIFY(!map.exists("dumpkapot.db-journal"));

        // Our own register, damaged in its first page: reported when read, set aside when written.
        const QString eigen = map.filePath(QStringLiteral("eigen.db"));
        QByteArray beschadigd = TestHulp::leesBestand(map.filePath("v1.db"));
        beschadigd.replace(100, 900, QByteArray(900, '\xff'));
        QVERIFY(TestHulp::schrijfBestand(eigen, beschadigd));
        QVERIFY(probeer("eigen.db", KaartRegister::Modus::Lezen).contains(QStringLiteral("beschadigd")));
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
        for (const ControleIndeling::Tekst* t :
             {&d.titel, &d.oordeel, &d.bal, &d.fasen, &d.ontbrekend, &d.fase, &d.hint}) {
            if (t->leeg()) continue;
            const QRectF nodig = QFontMetricsF(t->letter).boundingRect(QRectF(0, 0, t->vak.width(), 1e6),
                                                                       ControleIndeling::tekstVlaggen(), t->tekst);
            QVERIFY2(nodig.width() <= t->vak.width() && nodig.height() <= t->vak.height() + 0.5, qPrintable(t->tekst));
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

    // The verdict for the hall and the numbers still missing, and the ball that completed a card:
    // over rows, columns, both diagonals (through FREE), a pattern (lines do not count then), a
    // card complete before the last ball, a ball taken back and drawn again later, and Kien's
    // three stages.
    void oordelen_data()
    {
        QTest::addColumn<bool>("kien");
        QTest::addColumn<QList<int>>("ballen");
        QTest::addColumn<QList<int>>("patroon");
        QTest::addColumn<int>("rijen");
        QTest::addColumn<QString>("oordeel"); // empty: not checked, nor the numbers missing
        QTest::addColumn<int>("ontbrekend");
        QTest::addColumn<QString>("regels"); // the stages completed; empty: not checked
        const auto rij = [](const char* naam, bool kien, const QList<int>& ballen, const QList<int>& patroon, int rijen,
                            const char* oordeel, int ontbrekend) {
            QTest::newRow(naam) << kien << ballen << patroon << rijen << QString::fromUtf8(oordeel) << ontbrekend
                                << QString();
        };
        const auto voltooid = [](const char* naam, bool kien, const QList<int>& ballen, const QList<int>& patroon,
                                 int rijen, const char* regels) {
            QTest::newRow(naam) << kien << ballen << patroon << rijen << QString() << 0 << QString::fromUtf8(regels);
        };
        // Bingo, the card of kaart(): B 1-5, I 16-20, N 31-35 (33 under FREE), G 46-50, O 61-65.
        rij("rij", false, {3, 18, 48, 63}, {}, 1, "BINGO: rij 3", 20);
        rij("kolom", false, {31, 32, 34, 35}, {}, 1, "BINGO: kolom N", 20);
        rij("diagonaal", false, {1, 17, 49, 65}, {}, 1, "BINGO: diagonaal linksboven-rechtsonder", 20);
        rij("meer dan genoeg", false, {1, 16, 31, 46, 61, 3, 18, 48, 63, 5, 19, 47}, {}, 1,
            "BINGO: rij 1, rij 3, diagonaal rechtsboven-linksonder", 12);
        rij("alleen het midden", false, {3, 18, 48, 63}, {13}, 1, "BINGO: rij 3", 20);
        rij("hoeken en meer", false, {1, 5, 61, 65, 2, 3, 18}, {1, 5, 21, 25}, 1, "BINGO: het patroon is vol", 0);
        rij("geen", false, {1, 2, 3, 4, 16, 61}, {}, 1, "Geen bingo", 18);
        rij("hoeken", false, {1, 5, 61, 65}, {1, 5, 21, 25}, 1, "BINGO: het patroon is vol", 0);
        rij("hoeken niet", false, {1, 5, 61, 3, 18, 48, 63}, {1, 5, 21, 25}, 1,
            "Geen bingo: het patroon is nog niet vol", 1);
        rij("vol", false, {1, 2, 3, 4, 5, 16, 17, 18, 19, 20, 31, 32, 34, 35, 46, 47, 48, 49, 50, 61, 62, 63, 64, 65},
            {}, 1,
            "BINGO: rij 1, rij 2, rij 3, rij 4, rij 5, kolom B, kolom I, kolom N, kolom G, kolom O, "
            "diagonaal linksboven-rechtsonder, diagonaal rechtsboven-linksonder, volle kaart",
            0);
        // Kien: full rows count, a row short of its last number does not, and a card wins with
        // the rows asked for or more.
        const QList<int> eenRij = {1, 21, 41, 61, 81, 2, 22, 42, 62}, tweeRijen = eenRij + QList<int>{82},
                         vol = tweeRijen + QList<int>{3, 23, 43, 63, 83};
        rij("1 rij", true, eenRij, {}, 1, "KIEN: 1 rij", 6);
        rij("1 rij van 2", true, eenRij, {}, 2, "Geen kien: 1 rij (nodig: 2 rijen)", 6);
        rij("2 rijen van 2", true, tweeRijen, {}, 2, "KIEN: 2 rijen", 5);
        rij("2 rijen van 1", true, tweeRijen, {}, 1, "KIEN: 2 rijen", 5);
        rij("2 rijen van 3", true, tweeRijen, {}, 3, "Geen kien: 2 rijen (nodig: volle kaart)", 5);
        rij("vol van 3", true, vol, {}, 3, "KIEN: volle kaart", 0);
        rij("vol van 2", true, vol, {}, 2, "KIEN: volle kaart", 0);
        voltooid("rij met de laatste bal", false, {7, 1, 16, 31, 46, 61}, {}, 1, "Bingo met bal 61 (de 6e bal)");
        voltooid("kolom, twee ballen eerder", false, {1, 2, 3, 4, 5, 70, 71}, {}, 1,
                 "Bingo al compleet bij bal 5 (de 5e bal), 2 ballen geleden");
        voltooid("diagonaal door FREE", false, {65, 49, 17, 1}, {}, 1, "Bingo met bal 1 (de 4e bal)");
        voltooid("andere diagonaal, een bal eerder", false, {61, 47, 19, 5, 9}, {}, 1,
                 "Bingo al compleet bij bal 5 (de 4e bal), 1 bal geleden");
        voltooid("de eerste lijn telt", false, {61, 62, 63, 64, 1, 16, 31, 46, 65}, {}, 1,
                 "Bingo al compleet bij bal 46 (de 8e bal), 1 bal geleden");
        voltooid("nog niet", false, {1, 16, 31, 46}, {}, 1, "Bingo: nog niet compleet");
        voltooid("patroon, de rij ervoor telt niet", false, {1, 16, 31, 46, 61, 5, 65}, {1, 5, 21, 25}, 1,
                 "Bingo met bal 65 (de 7e bal)");
        voltooid("teruggelegd en later weer getrokken", false, {1, 2, 3, 4, 9, 10, 5}, {}, 1,
                 "Bingo met bal 5 (de 7e bal)");
        voltooid("kien, drie fasen", true, {2, 22, 42, 62, 82, 1, 21, 41, 61, 81, 90}, {}, 2,
                 "Kien 1 rij al compleet bij bal 82 (de 5e bal), 6 ballen geleden | Kien 2 rijen al compleet bij "
                 "bal 81 (de 10e bal), 1 bal geleden | Kien volle kaart: nog niet compleet");
        voltooid("kien, volle kaart met de laatste bal", true,
                 {1, 21, 41, 61, 81, 2, 22, 42, 62, 82, 3, 23, 43, 63, 83}, {}, 3,
                 "Kien 1 rij al compleet bij bal 81 (de 5e bal), 10 ballen geleden | Kien 2 rijen al compleet bij "
                 "bal 82 (de 10e bal), 5 ballen geleden | Kien volle kaart met bal 83 (de 15e bal)");
    }
    void oordelen()
    {
        QFETCH(bool, kien);
        QFETCH(QList<int>, ballen);
        QFETCH(QList<int>, patroon);
        QFETCH(int, rijen);
        QFETCH(QString, oordeel);
        QFETCH(QString, regels);
        const Controle::Patroon p = patroonVan(patroon);
        const Controle::Uitslag u = Controle::controleer(kaart(kien), ballen, patroon.isEmpty() ? nullptr : &p, rijen);
        const QStringList fasen = Controle::voltooidRegels(u);
        if (!oordeel.isEmpty()) {
            QCOMPARE(u.oordeel, oordeel);
            QTEST(int(u.ontbrekend.size()), "ontbrekend");
        }
        if (!regels.isEmpty()) QCOMPARE(fasen.join(QStringLiteral(" | ")), regels);
        QCOMPARE(Controle::beslissendeRegel(u), fasen.value(kien ? rijen - 1 : 0));
        QCOMPARE(u.gewonnen, oordeel.isEmpty() ? !Controle::beslissendeRegel(u).contains(QStringLiteral("nog niet"))
                                               : !oordeel.startsWith(QStringLiteral("Geen")));
        // What is still missing, in the card's order.
        if (QTest::currentDataTag() == QByteArray("1 rij van 2"))
            QCOMPARE(u.ontbrekend, (QList<int>{82, 3, 23, 43, 63, 83}));
    }
};

QTEST_MAIN(TestKaartRegister)
#include "tst_kaartregister.moc"
