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
};

QTEST_GUILESS_MAIN(TestKaartenCli)
#include "tst_kaartencli.moc"
