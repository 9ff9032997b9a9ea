// zorvak-kaarten, the command-line tool: the PDF it writes, its help, the verdicts of controleer,
// and bad arguments, which give a Dutch message, a non-zero exit and no file.

#include "core/cards/kaartregister.h"
#include "core/cards/pagina.h"
#include "core/game/verloop.h"
#include "testhulp.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>

namespace
{
struct Uitkomst {
    int code;
    QString uit, fout;
};

// The tool of the build, or a copy of it in a program folder of its own.
Uitkomst start(const QStringList& args, const QString& programma = {})
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("QT_QPA_PLATFORM")); // the tool must choose its own platform
    env.remove(QStringLiteral("XDG_RUNTIME_DIR")); // as on a plain terminal
    p.setProcessEnvironment(env);
    p.start(programma.isEmpty() ? QCoreApplication::applicationDirPath() + QStringLiteral("/../zorvak-kaarten")
                                : programma,
            args);
    if (!p.waitForFinished(120000)) return {-1, {}, QStringLiteral("timeout")};
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

// A PDF's text as laid out on its pages, the pages apart by a form feed.
QString pdfTekst(const QString& pdf)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The numbers on each page of the PDF.
QList<QList<int>> getallen(const QString& pdf)
{
    QList<QList<int>> paginas;
    for (const QString& pagina : pdfTekst(pdf).split(QLatin1Char('\f'))) {
        QList<int> getallen;
        for (const QString& woord : pagina.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts))
            if (woord.toInt() > 0) getallen << woord.toInt();
        if (!getallen.isEmpty()) paginas << getallen;
    }
    return paginas;
}

// Every file under a folder with its bytes.
QMap<QString, QByteArray> alleBestanden(const QString& map)
{
    QMap<QString, QByteArray> uit;
    QDirIterator it(map, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString pad = it.next();
        uit.insert(QDir(map).relativeFilePath(pad), TestHulp::leesBestand(pad));
    }
    return uit;
}
} // namespace

class TestKaartenCli : public QObject
{
    Q_OBJECT
    QTemporaryDir map;
    QTemporaryDir eigen; // a program folder of the tool's own, which is its settings folder too

private slots:
    void initTestCase() { TestHulp::buitenProgramma(QStringLiteral("pdftotext")); }

    // Three pages of 90-number Bingo cards, nothing under FREE and nothing on the terminal; two
    // Kien pages that each hold 1..90 once; --help.
    void kaarten()
    {
        const QString bingo = map.filePath(QStringLiteral("bingo.pdf")),
                      kien = map.filePath(QStringLiteral("kien.pdf"));
        const Uitkomst b =
            start({"bingo", "--getallen", "90", "--paginas", "3", "--tekst", "Avond", "--uitvoer", bingo});
        QVERIFY(b.code == 0 && b.uit.isEmpty() && b.fout.isEmpty());
        const auto paginas = getallen(bingo);
        QCOMPARE(paginas.size(), 3);
        for (const auto& pagina : paginas)
            QVERIFY(pagina.size() == 6 * 24 && *std::max_element(pagina.begin(), pagina.end()) > 75);
        QCOMPARE(start({"kien", "--paginas", "2", "--uitvoer=" + kien}).code, 0);
        for (const auto& pagina : getallen(kien))
            QVERIFY(pagina.size() == 90 && QSet<int>(pagina.begin(), pagina.end()).size() == 90);
        const Uitkomst u = start({QStringLiteral("--help")});
        QCOMPARE(u.code, 0);
        QVERIFY(u.uit.contains(QStringLiteral("Gebruik:")));
    }

    // A series numbers and registers the cards and says which numbers; controleer without
    // --ballen takes the game in the record beside the register, once there is one.
    void genummerdEnControle()
    {
        const QString reg = map.filePath(QStringLiteral("kaarten.db"));
        Uitkomst u = start({"kien", "--serie", "x1", "--register", reg, "--uitvoer", map.filePath("k.pdf")});
        QCOMPARE(u.code, 0);
        QVERIFY2(u.uit.contains(QStringLiteral("X1-0001 tot en met X1-0006")), qPrintable(u.uit));

        u = start({"controleer", "--kaart", "X1-2", "--register", reg});
        QVERIFY2(u.code == 2 && u.fout.contains(QStringLiteral("geen verloop")), qPrintable(u.fout));
        const Spel::Stand stand{90, 1, 1, {}};
        const QDateTime nu = QDateTime::currentDateTime();
        QByteArray verloop = Verloop::kopRegel + '\n' + Verloop::regel(nu, stand, Spel::Gebeurtenis::NieuwSpel, 0);
        for (int bal = 1; bal <= 90; ++bal)
            verloop += Verloop::regel(nu, stand, Spel::Gebeurtenis::Getrokken, bal);
        QVERIFY(TestHulp::schrijfBestand(Verloop::dagBestand(map.path(), nu.date()), verloop));
        u = start({"controleer", "--kaart", "X1-2", "--rijen", "3", "--register", reg});
        QVERIFY2(u.code == 0 && u.uit.contains("KIEN: volle kaart"), qPrintable(u.uit + u.fout));
        // Balls 1..90 in that order: the card was full with its highest number.
        KaartRegister lezer(reg, KaartRegister::Modus::Lezen);
        QVERIFY(lezer.open());
        const QList<int> getallen = lezer.kaart("X1", 2)->getallen;
        const int hoogste = *std::max_element(getallen.begin(), getallen.end());
        QVERIFY2(u.uit.contains(hoogste == 90
                                    ? QStringLiteral("Kien volle kaart met bal 90 (de 90e bal)")
                                    : QStringLiteral("Kien volle kaart al compleet bij bal %1 (de %1e bal), %2")
                                          .arg(hoogste)
                                          .arg(90 - hoogste)),
                 qPrintable(u.uit));

        // The report of that record, with the programme as played and a winner written down in
        // it; the programme's file beside it, changed since, is not what was played.
        AvondProgramma programma;
        programma.rondes = {
            {AvondProgramma::Soort::Kienen, AvondProgramma::standaardFasen(AvondProgramma::Soort::Kienen), 200, 30}};
        programma.rondes[0].fasen[2].bedrag = 2500;
        AvondProgramma later = programma;
        later.rondes[0].fasen[2].prijs = QStringLiteral("Fiets");
        QVERIFY(later.bewaar(map.path(), nullptr));
        Verloop::Extra gespeeld;
        gespeeld.programma = programma.alsVerloopTekst(40000, 155000);
        verloop += Verloop::regel(nu, stand, "programma", 0, gespeeld);
        verloop += Verloop::regel(nu, stand, "fase", 0, {QString(), QStringLiteral("volle kaart"), {}, 0, {}});
        verloop += Verloop::regel(nu, stand, "winnaar", 90,
                                  {QStringLiteral("X1-0002"),
                                   QStringLiteral("volle kaart"),
                                   Verloop::winnaarUitslag(hoogste, hoogste),
                                   90,
                                   {}});
        QVERIFY(TestHulp::schrijfBestand(Verloop::dagBestand(map.path(), nu.date()), verloop));
        const QString pdf = map.filePath(QStringLiteral("verslag.pdf"));
        u = start({"verslag", "--register", reg, "--uitvoer", pdf});
        QVERIFY2(u.code == 0, qPrintable(u.fout));
        const QString tekst = pdfTekst(pdf).simplified();
        for (const char* moet : {"Verslag van de avond", "Ronde 1 · Kienen", "1 spel, 90 ballen getrokken",
                                 "Prijzen uitgekeerd € 25", "Opbrengst van de kaarten € 60"})
            QVERIFY2(tekst.contains(QString::fromUtf8(moet)), moet);
        QVERIFY2(tekst.contains(hoogste == 90 ? QStringLiteral("kaart X1-0002, gewonnen bij de 90e bal")
                                              : QStringLiteral("kaart X1-0002, compleet bij de %1e bal, bevestigd na "
                                                               "de 90e")
                                                    .arg(hoogste)),
                 qPrintable(tekst));
        QVERIFY(!tekst.contains(QStringLiteral("Fiets")));
        u = start({"verslag", "--datum", "2001-01-01", "--register", reg, "--uitvoer", pdf});
        QVERIFY2(u.code == 2 && u.fout.contains(QStringLiteral("geen verloop van 2001-01-01")), qPrintable(u.fout));
    }

    void beschadigdVerloop_data()
    {
        QTest::addColumn<QByteArray>("verloop");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("melding"); // on the error output; empty: nothing there
        QTest::addColumn<QStringList>("pdf"); // in the report, in this order; empty: no report
        const QDateTime tijd(QDate(2026, 12, 1), QTime(20, 0));
        const Spel::Stand stand{75, 1, 1, {}};
        QList<QByteArray> lijnen = {Verloop::kopRegel + "\r\n",
                                    Verloop::regel(tijd, stand, Spel::Gebeurtenis::NieuwSpel, 0)};
        for (int bal = 1; bal <= 30; ++bal)
            lijnen << Verloop::regel(tijd, stand, Spel::Gebeurtenis::Getrokken, bal);
        lijnen[13] = "\x01\xff\r\n";
        lijnen[19] = Verloop::regel(tijd, stand, Spel::Gebeurtenis::Getrokken, 999);
        QTest::newRow("twee regels") << lijnen.join() << 0
                                     << "regel 14 en 20 van het verloop konden niet worden gelezen"
                                     << QStringList{"Let op: dit verslag is onvolledig. Regel 14 en 20 van het "
                                                    "verloop konden niet worden gelezen.",
                                                    "Ronde 1", "1 spel, 28 ballen getrokken"};
        QByteArray ruis(20 * 1024, '\0');
        QRandomGenerator(7).fillRange(reinterpret_cast<quint32*>(ruis.data()), ruis.size() / 4);
        QTest::newRow("ruis") << ruis << 1 << "geen enkele regel" << QStringList{};
        QTest::newRow("zeven kolommen") << Verloop::kopRegelZeven + "\r\n" +
                                               QByteArray(lijnen[1]).replace(",,,,,\r", "\r") +
                                               QByteArray(lijnen[2]).replace(",,,,,\r", "\r")
                                        << 0 << QString() << QStringList{"1 spel, 1 bal getrokken", "Spel 1: 1"};
    }
    // A record with lines that cannot be read gives a report that names them near its top and
    // says it is incomplete, and says so on the error output; a record of which not one line
    // can be read gives none, exit 1, and the file named by --uitvoer as it was. A record of
    // seven columns, from before, reads as ever.
    void beschadigdVerloop()
    {
        QFETCH(QByteArray, verloop);
        QFETCH(int, code);
        QFETCH(QString, melding);
        QFETCH(QStringList, pdf);
        QTemporaryDir d;
        const QString verslag = d.filePath("verslag.pdf");
        QVERIFY(TestHulp::schrijfBestand(Verloop::dagBestand(d.path(), QDate(2026, 12, 1)), verloop));
        QVERIFY(TestHulp::schrijfBestand(verslag, "oud"));
        const Uitkomst u =
            start({"verslag", "--datum", "2026-12-01", "--register", d.filePath("r.db"), "--uitvoer", verslag});
        QCOMPARE(u.code, code);
        QVERIFY2(melding.isEmpty() ? u.fout.isEmpty() : u.fout.contains(melding), qPrintable(u.fout));
        if (pdf.isEmpty()) {
            QCOMPARE(TestHulp::leesBestand(verslag), QByteArray("oud"));
            return;
        }
        const QString tekst = pdfTekst(verslag).simplified();
        qsizetype waar = 0;
        for (const QString& moet : pdf) {
            waar = tekst.indexOf(moet, waar);
            QVERIFY2(waar >= 0, qPrintable(moet + QStringLiteral(" in: ") + tekst));
        }
    }

    // The code beside each card's number, read by a real decoder from a 300 dpi rendering of no
    // more than its code box in the margin above the card, is that card's number: Bingo 75 and
    // Kien with a series of twelve characters, and the second page of Bingo 90 under a text.
    void codesLezen()
    {
        if (TestHulp::buitenProgramma(QStringLiteral("pdftoppm")).isEmpty() ||
            TestHulp::buitenProgramma(QStringLiteral("zbarimg")).isEmpty())
            return;
        QTemporaryDir d;
        const QList<QStringList> soorten = {
            {"bingo", "--serie", "ABCDEFGHIJKL"},
            {"kien", "--serie", "ABCDEFGHIJKL"},
            {"bingo", "--getallen", "90", "--serie", "B90", "--paginas", "2", "--tekst", "Zorvak"}};
        for (const QStringList& soort : soorten) {
            const QString pdf = d.filePath(QStringLiteral("k.pdf")), serie = soort[soort.indexOf("--serie") + 1];
            const QString pagina = soort.contains("--paginas") ? QStringLiteral("2") : QStringLiteral("1");
            const Uitkomst u =
                start(soort + QStringList{"--register", d.filePath(soort.join(' ') + ".db"), "--uitvoer", pdf});
            QVERIFY2(u.code == 0, qPrintable(u.fout));
            const bool bingo = soort.first() == QStringLiteral("bingo");
            // Where the layout lies on the PDF's page.
            const QTransform plaats = Pagina::plaatsing(QRectF(0, 0, Pagina::a4Breedte, Pagina::a4Hoogte),
                                                        bingo ? Pagina::bingoOmvang() : Pagina::kienOmvang());
            for (int kaart = 0; kaart < 6; ++kaart) {
                // The margin: as wide as the card, as high as its code box (twips; 4.8 to a pixel).
                const QRect code = bingo ? Pagina::bingoCodeVak(kaart) : Pagina::kienCodeVak(kaart);
                const int links = bingo ? Pagina::bingoKaartHoek(kaart).x() : 600;
                const int breedte = bingo ? 5 * Pagina::bingoCelBreedte : 9 * Pagina::kienCelBreedte;
                const QRectF vak = plaats.mapRect(QRectF(links, code.top(), breedte, code.height()));
                const auto px = [](double twips) { return QString::number(qRound(twips * 300 / 1440)); };
                QProcess p;
                p.start(QStringLiteral("pdftoppm"),
                        {"-r", "300", "-gray", "-singlefile", "-f", pagina, "-l", pagina, "-x", px(vak.left()), "-y",
                         px(vak.top()), "-W", px(vak.width()), "-H", px(vak.height()), pdf, d.filePath("marge")});
                QVERIFY(p.waitForFinished(60000) && p.exitCode() == 0);
                // Left of the code box the margin is blanked: a strip reaching past it reads no more.
                QImage marge(d.filePath("marge.pgm"));
                QVERIFY(!marge.isNull());
                const double voor = plaats.map(QPointF(code.left(), 0)).x() - vak.left();
                QPainter(&marge).fillRect(0, 0, qRound(voor * 300 / 1440), marge.height(), Qt::white);
                QVERIFY(marge.save(d.filePath("marge.png")));
                p.start(QStringLiteral("zbarimg"), {"--raw", "-q", d.filePath("marge.png")});
                QVERIFY(p.waitForFinished(60000));
                QCOMPARE(QString::fromUtf8(p.readAllStandardOutput()).trimmed(),
                         KaartNummer::tekst(serie, 6 * (pagina.toInt() - 1) + kaart + 1));
            }
        }
    }

    // Office printers leave the paper's outer 4 to 5 mm blank: every word and every bar of a page
    // lies at least 5 mm inside the paper on all four sides (4.9 mm allows for rounding), for
    // each kind of page, numbered and not, with the text line under the cards.
    void marges_data()
    {
        QTest::addColumn<QStringList>("soort");
        QTest::addColumn<int>("getallen");
        QTest::newRow("bingo 75") << QStringList{"bingo", "--getallen", "75"} << 6 * 24;
        QTest::newRow("bingo 90") << QStringList{"bingo", "--getallen", "90"} << 6 * 24;
        QTest::newRow("kien") << QStringList{"kien"} << 90;
        QTest::newRow("bingo 75 genummerd")
            << QStringList{"bingo", "--getallen", "75", "--serie", "MARGEVIJFEN7"} << 6 * 24;
        QTest::newRow("bingo 90 genummerd")
            << QStringList{"bingo", "--getallen", "90", "--serie", "MARGEVIJFEN9"} << 6 * 24;
        QTest::newRow("kien genummerd") << QStringList{"kien", "--serie", "MARGEVIJFENK"} << 90;
    }
    void marges()
    {
        QFETCH(QStringList, soort);
        QFETCH(int, getallen);
        if (TestHulp::buitenProgramma(QStringLiteral("pdftoppm")).isEmpty()) return;
        QTemporaryDir d;
        const QString pdf = d.filePath(QStringLiteral("kaarten.pdf"));
        const QString tekst = QStringLiteral("Zorvak Bingo en Kienen");
        QStringList args = soort + QStringList{"--tekst", tekst, "--uitvoer", pdf};
        const bool genummerd = soort.contains(QStringLiteral("--serie"));
        if (genummerd) args << "--register" << d.filePath(QStringLiteral("marges.db"));
        const Uitkomst u = start(args);
        QVERIFY2(u.code == 0, qPrintable(u.fout));

        // The words, in points from the page's top-left corner.
        const TestHulp::PdfWoorden pdfWoorden = TestHulp::pdfWoorden(pdf);
        const double breedte = pdfWoorden.blad.width(), hoogte = pdfWoorden.blad.height();
        QVERIFY(qAbs(breedte - 595.3) < 0.5 && qAbs(hoogte - 841.9) < 0.5);
        const double grens = 4.9 * 72 / 25.4;
        int aantalGetallen = 0, nummers = 0;
        QStringList woorden;
        for (const auto& [woord, vak] : pdfWoorden.woorden) {
            const double links = vak.left(), boven = vak.top();
            const double rechts = breedte - vak.right(), onder = hoogte - vak.bottom();
            QVERIFY2(links >= grens && boven >= grens && rechts >= grens && onder >= grens,
                     qPrintable(QStringLiteral("%1: %2 %3 %4 %5 mm from the left, top, right and bottom")
                                    .arg(woord)
                                    .arg(links * 25.4 / 72, 0, 'f', 2)
                                    .arg(boven * 25.4 / 72, 0, 'f', 2)
                                    .arg(rechts * 25.4 / 72, 0, 'f', 2)
                                    .arg(onder * 25.4 / 72, 0, 'f', 2)));
            aantalGetallen += woord.toInt() > 0;
            nummers += woord.startsWith(QStringLiteral("MARGEVIJFEN"));
            woorden << woord;
        }
        QCOMPARE(aantalGetallen, getallen);
        QCOMPARE(nummers, genummerd ? 6 : 0);
        QVERIFY(woorden.contains(QStringLiteral("Kienen")));

        // The ink, the codes' bars among it, at 300 dpi: the first and last rows and columns that
        // are not white paper; the cards fill most of the page.
        QProcess p;
        p.start(QStringLiteral("pdftoppm"), {"-r", "300", "-gray", "-singlefile", pdf, d.filePath("blad")});
        QVERIFY(p.waitForFinished(60000) && p.exitCode() == 0);
        const QImage beeld = QImage(d.filePath(QStringLiteral("blad.pgm"))).convertToFormat(QImage::Format_Grayscale8);
        QVERIFY(beeld.width() > 2400 && beeld.height() > 3400);
        int links = beeld.width(), boven = beeld.height(), rechts = -1, onder = -1;
        for (int y = 0; y < beeld.height(); ++y) {
            const uchar* rij = beeld.constScanLine(y);
            for (int x = 0; x < beeld.width(); ++x)
                if (rij[x] < 250) {
                    links = qMin(links, x);
                    rechts = qMax(rechts, x);
                    boven = qMin(boven, y);
                    onder = qMax(onder, y);
                }
        }
        const double mm = 300 / 25.4;
        const QString rand = QStringLiteral("%1 %2 %3 %4 mm")
                                 .arg(links / mm, 0, 'f', 2)
                                 .arg(boven / mm, 0, 'f', 2)
                                 .arg((beeld.width() - 1 - rechts) / mm, 0, 'f', 2)
                                 .arg((beeld.height() - 1 - onder) / mm, 0, 'f', 2);
        QVERIFY2(links >= 4.9 * mm && boven >= 4.9 * mm, qPrintable(rand));
        QVERIFY2(beeld.width() - 1 - rechts >= 4.9 * mm && beeld.height() - 1 - onder >= 4.9 * mm, qPrintable(rand));
        QVERIFY2(rechts - links > 170 * mm && onder - boven > 260 * mm, qPrintable(rand));
    }

    void antwoorden_data()
    {
        // Beside the register: Bingo 75 cards A-0001.., Kien cards K-0001.., a damaged record.
        QVERIFY(QDir().mkpath(map.filePath("c")));
        KaartRegister reg(map.filePath("c/r.db"));
        VasteToeval toeval(8);
        QVERIFY(TestHulp::registreer(reg, KaartSoort::Bingo75, "A", 1, toeval) &&
                TestHulp::registreer(reg, KaartSoort::Kien, "K", 1, toeval));
        QStringList rij1, kienRij1; // the top row of A-0001 and of K-0001
        for (int n : reg.kaart("A", 1)->getallen.mid(0, 5) + reg.kaart("K", 1)->getallen.mid(0, 9))
            if (n) (rij1.size() < 5 ? rij1 : kienRij1) << QString::number(n);
        QVERIFY(TestHulp::schrijfBestand(Verloop::dagBestand(map.filePath("c"), QDate::currentDate()), "onzin\n"));
        QTest::addColumn<QStringList>("args"); // controleer --register R when they begin with an option
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("tekst");
        const auto rij = [](const char* naam, const QStringList& args, int code, const char* tekst) {
            QTest::newRow(naam) << args << code << QString::fromUtf8(tekst);
        };
        // Verdicts, each on the card's own rules.
        rij("rij", {"--kaart", "a-1", "--ballen", rij1.join(',')}, 0, "Kaart A-0001 (Bingo 75)");
        rij("rij zonder patroon", {"--kaart", "A-1", "--ballen", rij1.join(','), "--patroon", "1,5,21,25"}, 1,
            "Geen bingo: het patroon is nog niet vol");
        rij("1 rij van 2", {"--kaart", "K-1", "--ballen", kienRij1.join(','), "--rijen", "2"}, 1,
            "Geen kien: 1 rij (nodig: 2 rijen)");
        // Refusals of controleer.
        rij("niet in het register", {"--kaart", "A-7", "--ballen", "1"}, 2, "A-0007 staat niet in het kaartregister");
        rij("andere serie", {"--serie", "B", "--kaart", "A-1", "--ballen", "1"}, 2,
            "--kaart A-1 hoort niet bij serie B");
        rij("beschadigd verloop", {"--kaart", "A-1"}, 2, "kan niet worden gelezen");
        rij("patroon bij kien", {"--kaart", "K-1", "--ballen", "1", "--patroon", "1"}, 2, "--patroon hoort bij bingo");
        rij("rijen bij bingo", {"--kaart", "A-1", "--ballen", "1", "--rijen", "2"}, 2, "--rijen hoort bij kien");
        rij("bal 76", {"--kaart", "A-1", "--ballen", "76"}, 2, "bal 76 komt niet voor bij kaart A-0001");
        rij("ballen", {"--kaart", "A-1", "--ballen", "4,4"}, 2, "--ballen moet");
        rij("patroon 26", {"--kaart", "A-1", "--ballen", "4", "--patroon", "26"}, 2, "--patroon moet");
        rij("leeg patroon", {"--kaart", "A-1", "--ballen", "1", "--patroon", ""}, 2, "--patroon moet");
        rij("0 rijen", {"--kaart", "K-1", "--ballen", "1", "--rijen", "0"}, 2, "--rijen moet 1, 2 of 3");
        rij("zonder serie", {"--kaart", "1", "--ballen", "1"}, 2, "geef met --serie");
        rij("zonder kaart", {"--serie", "A", "--ballen", "1"}, 2, "geef met --kaart");
        rij("geen kaartnummer", {"--kaart", "A-B", "--ballen", "1"}, 2, "'A-B' is geen kaartnummer");
        rij("geen serie", {"--serie", "1A", "--kaart", "1", "--ballen", "1"}, 2, "'1A' is geen naam van een serie");
        rij("zonder waarde", {"--kaart"}, 2, "bij --kaart hoort een waarde");
        rij("uitvoer", {"--kaart", "A-1", "--uitvoer", "X"}, 2, "--uitvoer hoort niet bij controleer");
        // Refusals when printing.
        rij("niets", {}, 2, "bingo of kien");
        rij("soort", {"lotto", "--uitvoer", "X"}, 2, "onbekende soort");
        rij("twee soorten", {"bingo", "kien", "--uitvoer", "X"}, 2, "onbekend argument 'kien'");
        rij("optie", {"bingo", "--kleur", "rood", "--uitvoer", "X"}, 2, "onbekende optie");
        rij("getallen", {"bingo", "--getallen", "80", "--uitvoer", "X"}, 2, "75 of 90");
        rij("getallen bij kien", {"kien", "--getallen", "90", "--uitvoer", "X"}, 2, "alleen bij bingo");
        rij("nul", {"kien", "--paginas", "0", "--uitvoer", "X"}, 2, "1 tot en met 255");
        rij("256", {"kien", "--paginas=256", "--uitvoer", "X"}, 2, "1 tot en met 255");
        rij("geen uitvoer", {"bingo", "--paginas", "2"}, 2, "--uitvoer");
        rij("paginas tweemaal", {"bingo", "--paginas", "2", "--paginas=3", "--uitvoer", "X"}, 2, "meer dan eens");
        rij("serie", {"kien", "--serie", "1A", "--uitvoer", "X"}, 2, "--serie moet");
        rij("met serie", {"kien", "--serie", "A", "--paginas", "10001", "--uitvoer", "X"}, 2, "tot en met 10000");
        rij("kaart bij bingo", {"bingo", "--kaart", "1", "--uitvoer", "X"}, 2, "--kaart hoort alleen bij controleer");
        rij("register zonder serie", {"bingo", "--register", "R", "--uitvoer", "X"}, 2, "--register hoort bij --serie");
        rij("lange tekst", {"bingo", "--tekst", QString(120, 'W'), "--uitvoer", "X"}, 2, "te lang");
        rij("map", {"kien", "--uitvoer", "c"}, 2, "is een map, geen bestand");
        rij("onschrijfbaar", {"kien", "--uitvoer", "c/geen/x.pdf"}, 1, "kon niet worden opgeslagen");
        // Refusals of verslag.
        rij("verslag zonder uitvoer", {"verslag", "--register", "c/r.db"}, 2, "geef met --uitvoer");
        rij("verslag datum", {"verslag", "--datum", "24-12-2026", "--uitvoer", "X"}, 2, "--datum moet een datum");
        rij("datum bij bingo", {"bingo", "--datum", "2026-12-24", "--uitvoer", "X"}, 2,
            "--datum hoort alleen bij verslag");
        rij("verslag over verloop", {"verslag", "--register", "c/r.db", "--uitvoer", "c/r.db"}, 2, "kan niet in");
    }
    // controleer: 0 when the card wins, 1 when not. A refusal: a Dutch message on the error
    // output, exit code 2 (1 when the file cannot be written), nothing on the output, and the
    // register, the record and the file named by --uitvoer as they were.
    void antwoorden()
    {
        QFETCH(QStringList, args);
        QFETCH(int, code);
        QFETCH(QString, tekst);
        const QString reg = map.filePath("c/r.db"), pdf = map.filePath("c/x.pdf");
        const QString verloop = Verloop::dagBestand(map.filePath("c"), QDate::currentDate());
        QVERIFY(TestHulp::schrijfBestand(pdf, "oud"));
        const QByteArray voor = TestHulp::leesBestand(reg) + TestHulp::leesBestand(verloop);
        if (args.value(0).startsWith("--")) args = QStringList{"controleer", "--register", "R"} + args;
        for (const auto& [kort, pad] : {std::pair{"X", pdf}, {"R", reg}, {"c", map.filePath("c")}})
            args.replaceInStrings(QRegularExpression(QStringLiteral("^%1(?=/|$)").arg(kort)), pad);
        const Uitkomst u = start(args);
        QCOMPARE(u.code, code);
        const bool weigering = code == 2 || QTest::currentDataTag() == QByteArray("onschrijfbaar");
        QVERIFY2((weigering ? u.fout : u.uit).contains(tekst), qPrintable(u.uit + u.fout));
        QVERIFY(!weigering || u.uit.isEmpty());
        QCOMPARE(TestHulp::leesBestand(reg) + TestHulp::leesBestand(verloop), voor);
        QCOMPARE(TestHulp::leesBestand(pdf), QByteArray("oud"));
        QVERIFY(!QFile::exists(map.filePath("c/geen")));
    }

    // The tool in a program folder of its own, which is its settings folder too, with the settings,
    // the programme, the lock, the register, a day's record, and programs and libraries (known by
    // name or by their first bytes).
    QString eigenProgramma()
    {
        const QString tool = eigen.filePath("zorvak-kaarten");
        if (QFile::exists(tool)) return tool;
        const Spel::Stand stand{75, 1, 1, {}};
        const QDateTime tijd(QDate(2026, 12, 7), QTime(20, 0));
        const QByteArray verloop = Verloop::kopRegel + "\r\n" +
                                   Verloop::regel(tijd, stand, Spel::Gebeurtenis::NieuwSpel, 0) +
                                   Verloop::regel(tijd, stand, Spel::Gebeurtenis::Getrokken, 7);
        // Each holds its own name, unless its bytes matter.
        QMap<QString, QByteArray> bestanden = {
            {"Zorvak.slot", ""}, {"Verloop/2026-12-07.csv", verloop}, {"zorvak", "\177ELF"}, {"hulp", "#!/bin/sh\n"}};
        for (const char* naam :
             {"Zorvak.ini", "Zorvak-extra.ini", "Zorvak-programma.json", "Kaartregister.db", "Kaartregister.db-wal",
              "Verloop/oud/2025-12-24.csv", "zorvak.exe", "Qt6Core.dll", "platforms/libqxcb.so"})
            bestanden.insert(naam, naam);
        for (auto b = bestanden.cbegin(); b != bestanden.cend(); ++b)
            if (!TestHulp::schrijfBestand(eigen.filePath(b.key()), b.value())) return {};
        const QString bouw = QCoreApplication::applicationDirPath() + QStringLiteral("/../zorvak-kaarten");
        return QFile::copy(bouw, tool) ? tool : QString();
    }

    void eigenBestandenBlijvenHeel_data()
    {
        QVERIFY(!eigenProgramma().isEmpty());
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("melding");
        const QStringList controle = {"controleer", "--kaart", "A-1", "--ballen", "1", "--register"};
        const QStringList nummer = {"bingo", "--serie", "A", "--register", "D/r.db", "--uitvoer"};
        const QStringList bingo = {"bingo", "--uitvoer"}, verslag = {"verslag", "--uitvoer"};
        QTest::newRow("controleer tekst") << controle + QStringList{"D/tekst.db"} << "geen kaartregister van Zorvak";
        QTest::newRow("afdrukken op tekst")
            << QStringList{"bingo", "--serie", "A", "--register", "D/tekst.db", "--uitvoer", "D/c.pdf"}
            << "geen kaartregister van Zorvak";
        QTest::newRow("uitvoer is register") << nummer + QStringList{"D/r.db"} << "is het kaartregister";
        QTest::newRow("uitvoer is journaal") << nummer + QStringList{"D/./r.db-journal"} << "kaartregister";
        QTest::newRow("uitvoer is -shm") << nummer + QStringList{"D/r.db-shm"} << "kaartregister";
        QTest::newRow("uitvoer via koppeling") << nummer + QStringList{"D/koppeling.pdf"} << "kaartregister";
        QTest::newRow("standaardregister") << bingo + QStringList{"P/Kaartregister.db"} << "is het kaartregister";
        QTest::newRow("verslag over -wal") << verslag + QStringList{"P/Kaartregister.db-wal"} << "kaartregister";
        QTest::newRow("Zorvak.ini") << bingo + QStringList{"P/Zorvak.ini"} << "Zorvak.ini";
        QTest::newRow("verslag over Zorvak-extra.ini")
            << verslag + QStringList{"P/Zorvak-extra.ini"} << "Zorvak-extra.ini";
        QTest::newRow("programma") << bingo + QStringList{"P/Zorvak-programma.json"} << "programma van de avond";
        QTest::newRow("slot") << QStringList{"kien", "--uitvoer", "P/Zorvak.slot"} << "slot van Zorvak";
        QTest::newRow("verslag in het verloop") << verslag + QStringList{"P/Verloop/2026-12-07.csv"} << "verloop";
        QTest::newRow("nieuw in het verloop") << bingo + QStringList{"P/Verloop/oud/k.pdf"} << "verloop";
        QTest::newRow("het eigen programma") << bingo + QStringList{"P/zorvak-kaarten"} << "Zorvak zelf";
        QTest::newRow("zorvak") << verslag + QStringList{"P/zorvak"} << "Zorvak zelf";
        QTest::newRow("zorvak.exe") << bingo + QStringList{"P/zorvak.exe"} << "Zorvak zelf";
        QTest::newRow("dll") << bingo + QStringList{"P/./Qt6Core.dll"} << "Zorvak zelf";
        QTest::newRow("so in een map") << bingo + QStringList{"P/platforms/libqxcb.so"} << "Zorvak zelf";
        QTest::newRow("nieuwe so") << bingo + QStringList{"P/libnieuw.so.6"} << "Zorvak zelf";
        QTest::newRow("programma zonder naam") << bingo + QStringList{"P/hulp"} << "Zorvak zelf";
        QTest::newRow("serie niet ASCII")
            << QStringList{"kien",      "--serie", QString::fromUtf8("STRAßE"), "--register", "D/r.db",
                           "--uitvoer", "D/c.pdf"}
            << "zonder accenten";
        QTest::newRow("lange serie") << QStringList{"kien",       "--serie", QString(100000, 'A'),
                                                    "--register", "D/r.db",  "--uitvoer",
                                                    "D/c.pdf"}
                                     << "AAA...";
    }
    // The program's own files are never taken for something else. A file that is no register
    // of ours, given to controleer or to a print job, is refused with exit 2 and stays as it was,
    // and nothing is made. (Other programs' databases, damaged ones too: tst_kaartregister.) Neither cards
    // nor a report ever go to the register or the files beside it, the settings, the programme,
    // the lock, the record or the program's own programs and libraries, given or by default,
    // however the path is spelled. A series name is ASCII, and a long argument is cut.
    void eigenBestandenBlijvenHeel()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, melding);
        QTemporaryDir d;
        const QString tekst = d.filePath("tekst.db"), leeg = d.filePath("leeg.db"), reg = d.filePath("r.db");
        QVERIFY(TestHulp::schrijfBestand(tekst, "van iemand anders") && TestHulp::schrijfBestand(leeg, {}));
        QVERIFY(QFile::link(reg, d.filePath("koppeling.pdf")));
        QCOMPARE(start({"kien", "--serie", "A", "--register", reg, "--uitvoer", d.filePath("a.pdf")}).code, 0);
        const QByteArray register_ = TestHulp::leesBestand(reg);
        const QMap<QString, QByteArray> programma = alleBestanden(eigen.path());
        args.replaceInStrings(QRegularExpression(QStringLiteral("^D/")), d.path() + '/');
        args.replaceInStrings(QRegularExpression(QStringLiteral("^P/")), eigen.path() + '/');
        const Uitkomst u = start(args, eigen.filePath("zorvak-kaarten"));
        QVERIFY2(u.code == 2 && u.fout.contains(melding) && u.fout.size() < 400, qPrintable(u.fout));
        QVERIFY(alleBestanden(eigen.path()) == programma);
        QCOMPARE(TestHulp::leesBestand(tekst), QByteArray("van iemand anders"));
        QCOMPARE(QFileInfo(leeg).size(), 0);
        QCOMPARE(TestHulp::leesBestand(reg), register_);
        QCOMPARE(QDir(d.path()).entryList(QDir::Files | QDir::System),
                 (QStringList{"a.pdf", "koppeling.pdf", "leeg.db", "r.db", "tekst.db"}));
    }

    // Beside the program's own files, in the same folders, a PDF goes as ever.
    void naastEigenBestanden()
    {
        const QString tool = eigenProgramma();
        for (QStringList args : {QStringList{"bingo", "--uitvoer", "Verloop.pdf"},
                                 QStringList{"verslag", "--datum", "2026-12-07", "--uitvoer", "zorvak.pdf"}}) {
            const QString pdf = eigen.filePath(args.takeLast());
            const Uitkomst u = start(args << pdf, tool);
            QVERIFY2(u.code == 0 && TestHulp::leesBestand(pdf).startsWith("%PDF-"), qPrintable(u.fout));
            QVERIFY(QFile::remove(pdf));
        }
    }

#ifdef Q_OS_UNIX // POSIX signals
    // Ctrl-C, SIGTERM or SIGHUP while a numbered job registers or writes its pages: it stops,
    // with exit 128 + the signal, and leaves no card and no temporary file; no check finds a
    // card, and the next job numbers from 1 again. (What a kill leaves: tst_kaartregister.)
    void onderbrokenAfdrukken()
    {
        QTemporaryDir d;
        const QString reg = d.filePath("r.db"), pdf = d.filePath("k.pdf");
        const auto bestanden = [&](const QString& patroon) { return QDir(d.path()).entryList({patroon}, QDir::Files); };
        for (const int signaal : {SIGINT, SIGTERM, SIGHUP}) {
            QProcess p;
            p.start(QCoreApplication::applicationDirPath() + QStringLiteral("/../zorvak-kaarten"),
                    {"bingo", "--serie", "R", "--paginas", "3000", "--register", reg, "--uitvoer", pdf});
            QVERIFY(p.waitForStarted());
            // Ctrl-C while the cards go in, the others while the pages are written.
            const QString teken = signaal == SIGINT ? QStringLiteral("r.db.opdracht-*") : QStringLiteral("k.pdf.*");
            QElapsedTimer klok;
            klok.start();
            while (bestanden(teken).isEmpty() && klok.elapsed() < 60000)
                QThread::msleep(2);
            ::kill(static_cast<pid_t>(p.processId()), signaal);
            QVERIFY(p.waitForFinished(60000));
            const QByteArray waar = QByteArray::number(signaal) + ' ' + p.readAllStandardError();
            QVERIFY2(p.exitStatus() == QProcess::NormalExit && p.exitCode() == 128 + signaal, waar.constData());
            QVERIFY2(bestanden("k.pdf.*").isEmpty() && bestanden("r.db.*").isEmpty(), waar.constData());
            QVERIFY(!QFile::exists(pdf));
            QCOMPARE(start({"controleer", "--kaart", "R-1", "--ballen", "1", "--register", reg}).code, 2);
        }
        const Uitkomst u = start({"kien", "--serie", "R", "--register", reg, "--uitvoer", pdf});
        QVERIFY2(u.code == 0 && u.uit.contains("R-0001 tot en met R-0006"), qPrintable(u.uit + u.fout));
        QCOMPARE(QDir(d.path()).entryList(QDir::Files), (QStringList{"k.pdf", "r.db"}));
    }
#endif
};

QTEST_GUILESS_MAIN(TestKaartenCli)
#include "tst_kaartencli.moc"
