// zorvak-kaarten, the command-line tool: the PDF it writes, its help, and bad arguments, which
// give a Dutch message, a non-zero exit and no file.

#include "core/game/verloop.h"
#include "testhulp.h"

#include <QCoreApplication>
#include <QDir>
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

Uitkomst start(const QStringList& args)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("QT_QPA_PLATFORM")); // the tool must choose its own platform
    env.remove(QStringLiteral("XDG_RUNTIME_DIR")); // as on a plain terminal
    p.setProcessEnvironment(env);
    p.start(QCoreApplication::applicationDirPath() + QStringLiteral("/../zorvak-kaarten"), args);
    if (!p.waitForFinished(120000)) return {-1, {}, QStringLiteral("timeout")};
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

// The numbers on each page of the PDF, read with pdftotext.
QList<QList<int>> getallen(const QString& pdf)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    p.waitForFinished(60000);
    QList<QList<int>> paginas;
    for (const QString& pagina : QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\f'))) {
        QList<int> getallen;
        for (const QString& woord : pagina.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts))
            if (woord.toInt() > 0) getallen << woord.toInt();
        if (!getallen.isEmpty()) paginas << getallen;
    }
    return paginas;
}
} // namespace

class TestKaartenCli : public QObject
{
    Q_OBJECT
    QTemporaryDir map;

private slots:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) QSKIP("pdftotext is not installed");
    }

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
        for (const auto& pagina : paginas) {
            QCOMPARE(pagina.size(), 6 * 24);
            QVERIFY(*std::max_element(pagina.begin(), pagina.end()) > 75);
        }
        QCOMPARE(start({"kien", "--paginas", "2", "--uitvoer=" + kien}).code, 0);
        for (const auto& pagina : getallen(kien)) {
            QCOMPARE(pagina.size(), 90);
            const QSet<int> alle(pagina.begin(), pagina.end());
            QCOMPARE(alle.size(), 90);
            QVERIFY(alle.contains(1) && alle.contains(90));
        }
        const Uitkomst u = start({QStringLiteral("--help")});
        QCOMPARE(u.code, 0);
        QVERIFY(u.uit.contains(QStringLiteral("Gebruik:")));
    }

    // A series numbers and registers the cards and says which numbers; controleer shows a card
    // with its verdict: exit 0 when it wins, 1 when not, 2 for a card the register lacks.
    void genummerdEnControle()
    {
        const QString reg = map.filePath(QStringLiteral("kaarten.db"));
        Uitkomst u = start({"kien", "--serie", "x1", "--register", reg, "--uitvoer", map.filePath("k.pdf")});
        QCOMPARE(u.code, 0);
        QVERIFY2(u.uit.contains(QStringLiteral("X1-0001 tot en met X1-0006")), qPrintable(u.uit));
        QStringList alle;
        for (int n = 1; n <= 90; ++n)
            alle << QString::number(n);
        u = start({"controleer", "--kaart", "x1-6", "--ballen", alle.join(','), "--rijen", "3", "--register", reg});
        QCOMPARE(u.code, 0);
        QVERIFY2(u.uit.contains(QStringLiteral("Kaart X1-0006 (Kien)")) && u.uit.contains("KIEN: volle kaart"),
                 qPrintable(u.uit));
        u = start({"controleer", "--serie", "X1", "--kaart", "2", "--ballen", "", "--register", reg});
        QCOMPARE(u.code, 1);
        QVERIFY(u.uit.contains(QStringLiteral("Geen kien")));
        u = start({"controleer", "--serie", "X1", "--kaart", "7", "--ballen", "1", "--register", reg});
        QCOMPARE(u.code, 2);
        QVERIFY2(u.fout.contains(QStringLiteral("X1-0007 staat niet in het kaartregister")), qPrintable(u.fout));

        // Without --ballen: the game in the record beside the register, once there is one.
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
    }

    void foutArgument_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("melding");
        QTest::newRow("niets") << QStringList() << "bingo of kien";
        QTest::newRow("soort") << QStringList{"lotto", "--uitvoer", "X"} << "onbekende soort";
        QTest::newRow("optie") << QStringList{"bingo", "--kleur", "rood", "--uitvoer", "X"} << "onbekende optie";
        QTest::newRow("getallen") << QStringList{"bingo", "--getallen", "80", "--uitvoer", "X"} << "75 of 90";
        QTest::newRow("getallen bij kien")
            << QStringList{"kien", "--getallen", "90", "--uitvoer", "X"} << "alleen bij bingo";
        QTest::newRow("nul") << QStringList{"kien", "--paginas", "0", "--uitvoer", "X"} << "1 tot en met 255";
        QTest::newRow("256") << QStringList{"kien", "--paginas=256", "--uitvoer", "X"} << "1 tot en met 255";
        QTest::newRow("geen uitvoer") << QStringList{"bingo", "--paginas", "2"} << "--uitvoer";
        QTest::newRow("paginas tweemaal")
            << QStringList{"bingo", "--paginas", "2", "--paginas=3", "--uitvoer", "X"} << "meer dan eens";
        QTest::newRow("serie") << QStringList{"kien", "--serie", "1A", "--uitvoer", "X"} << "--serie moet";
        QTest::newRow("met serie") << QStringList{"kien", "--serie", "A", "--paginas", "10001", "--uitvoer", "X"}
                                   << "tot en met 10000";
        QTest::newRow("ballen") << QStringList{"controleer", "--kaart", "A-1", "--ballen", "4,4"} << "--ballen";
        QTest::newRow("patroon") << QStringList{"controleer", "--kaart", "A-1", "--ballen", "4", "--patroon", "26"}
                                 << "--patroon";
        QTest::newRow("lange tekst") << QStringList{"bingo", "--tekst", QString(120, 'W'), "--uitvoer", "X"}
                                     << "te lang";
        QTest::newRow("onschrijfbaar") << QStringList{"kien", "--uitvoer", "geen/map/x.pdf"}
                                       << "kon niet worden opgeslagen";
    }
    // A bad argument: a Dutch message on the error output, exit code 2 (1 when the file cannot
    // be written), and no file written or changed.
    void foutArgument()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, melding);
        const QString pad = map.filePath(QStringLiteral("fout.pdf"));
        QFile oud(pad);
        QVERIFY(oud.open(QIODevice::WriteOnly) && oud.write("oud") == 3);
        oud.close();
        args.replaceInStrings(QStringLiteral("geen/"), map.filePath(QStringLiteral("geen/")));
        const Uitkomst u = start(args.replaceInStrings(QRegularExpression(QStringLiteral("^X$")), pad));
        QCOMPARE(u.code, QTest::currentDataTag() == QByteArray("onschrijfbaar") ? 1 : 2);
        QVERIFY2(u.fout.contains(melding), qPrintable(u.fout));
        QVERIFY(u.uit.isEmpty());
        QVERIFY(oud.open(QIODevice::ReadOnly));
        QCOMPARE(oud.readAll(), QByteArray("oud"));
        QVERIFY(!QFile::exists(map.filePath(QStringLiteral("geen"))));
    }

    void eigenBestandenBlijvenHeel_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("melding");
        const QString bouw = QCoreApplication::applicationDirPath() + QStringLiteral("/..");
        const QStringList controle = {"controleer", "--kaart", "A-1", "--ballen", "1", "--register"};
        const QStringList nummer = {"bingo", "--serie", "A", "--register", "D/r.db", "--uitvoer"};
        QTest::newRow("controleer tekst") << controle + QStringList{"D/tekst.db"} << "geen kaartregister van Zorvak";
        QTest::newRow("controleer leeg") << controle + QStringList{"D/leeg.db"} << "leeg";
        QTest::newRow("controleer nergens") << controle + QStringList{"D/nergens.db"} << "nog geen kaartregister";
        QTest::newRow("nummeren in tekst")
            << QStringList{"bingo", "--serie", "A", "--register", "D/tekst.db", "--uitvoer", "D/b.pdf"}
            << "geen kaartregister";
        QTest::newRow("uitvoer is register") << nummer + QStringList{"D/r.db"} << "is het kaartregister";
        QTest::newRow("uitvoer is journaal") << nummer + QStringList{"D/./r.db-journal"} << "kaartregister";
        QTest::newRow("uitvoer via koppeling") << nummer + QStringList{"D/koppeling.pdf"} << "kaartregister";
        QTest::newRow("standaardregister") << QStringList{"bingo", "--uitvoer", bouw + "/Kaartregister.db"}
                                           << "is het kaartregister";
        QTest::newRow("Zorvak.ini") << QStringList{"bingo", "--uitvoer", bouw + "/Zorvak.ini"} << "Zorvak.ini";
        QTest::newRow("serie niet ASCII")
            << QStringList{"kien", "--serie", QString::fromUtf8("STRAßE"), "--register", "D/r.db", "--uitvoer", "D/c.pdf"}
            << "zonder accenten";
        QTest::newRow("lange serie")
            << QStringList{"kien", "--serie", QString(100000, 'A'), "--register", "D/r.db", "--uitvoer", "D/c.pdf"}
            << "AAA...";
    }
    // The program's own files are never taken for something else. A file that is no register
    // of ours is refused with exit 2 and stays as it was; controleer makes nothing. The cards
    // never go to the register, its journal, the settings or the record, given or by default,
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
        const Uitkomst u = start(args.replaceInStrings(QRegularExpression(QStringLiteral("^D/")), d.path() + '/'));
        QVERIFY2(u.code == 2 && u.fout.contains(melding) && u.fout.size() < 400, qPrintable(u.fout));
        QCOMPARE(TestHulp::leesBestand(tekst), QByteArray("van iemand anders"));
        QCOMPARE(QFileInfo(leeg).size(), 0);
        QCOMPARE(TestHulp::leesBestand(reg), register_);
        QCOMPARE(QDir(d.path()).entryList(QDir::Files | QDir::System),
                 (QStringList{"a.pdf", "koppeling.pdf", "leeg.db", "r.db", "tekst.db"}));
    }

    // Ctrl-C, SIGTERM or SIGHUP while a numbered job registers or writes its pages: it stops,
    // with exit 128 + the signal, and leaves no card and no temporary file. A kill leaves its
    // cards pending and its temporary file; no check finds the cards, and the next job takes
    // both away and numbers from 1 again.
    void onderbrokenAfdrukken()
    {
        QTemporaryDir d;
        const QString reg = d.filePath("r.db"), pdf = d.filePath("k.pdf");
        const auto bestanden = [&](const QString& patroon) { return QDir(d.path()).entryList({patroon}, QDir::Files); };
        for (const int signaal : {SIGINT, SIGTERM, SIGHUP, SIGKILL}) {
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
            if (signaal == SIGKILL) {
                QCOMPARE(bestanden("k.pdf.*").size(), 1);
            } else {
                QVERIFY2(p.exitStatus() == QProcess::NormalExit && p.exitCode() == 128 + signaal, waar.constData());
                QVERIFY2(bestanden("k.pdf.*").isEmpty() && bestanden("r.db.*").isEmpty(), waar.constData());
            }
            QVERIFY(!QFile::exists(pdf));
            QCOMPARE(start({"controleer", "--kaart", "R-1", "--ballen", "1", "--register", reg}).code, 2);
        }
        const Uitkomst u = start({"kien", "--serie", "R", "--register", reg, "--uitvoer", pdf});
        QVERIFY2(u.code == 0 && u.uit.contains("R-0001 tot en met R-0006"), qPrintable(u.uit + u.fout));
        QCOMPARE(QDir(d.path()).entryList(QDir::Files), (QStringList{"k.pdf", "r.db"}));
    }
};

QTEST_GUILESS_MAIN(TestKaartenCli)
#include "tst_kaartencli.moc"
