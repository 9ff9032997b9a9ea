// zorvak-kaarten, the command-line tool: pages and number ranges of the PDF it writes, its
// help, and bad arguments, which give a Dutch message, a non-zero exit and no file.

#include <QCoreApplication>
#include <QDir>
#include <QFile>
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

QString programma()
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../zorvak-kaarten"));
}

Uitkomst start(const QStringList& args)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("QT_QPA_PLATFORM")); // the tool must choose its own platform
    p.setProcessEnvironment(env);
    p.start(programma(), args);
    if (!p.waitForFinished(120000)) return {-1, {}, QStringLiteral("timeout")};
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

// Per page the numbers with the left edge of each in twips, read with pdftotext -bbox.
QList<QList<QPair<int, double>>> getallen(const QString& pdf)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    p.waitForFinished(60000);
    static const QRegularExpression woord(QStringLiteral("<word xMin=\"([0-9.]+)\"[^>]*>([0-9]+)</word>"));
    QList<QList<QPair<int, double>>> paginas;
    const QStringList stukken = QString::fromUtf8(p.readAllStandardOutput()).split(QStringLiteral("<page "));
    for (const QString& stuk : stukken.mid(1)) {
        paginas.append(QList<QPair<int, double>>());
        for (auto it = woord.globalMatch(stuk); it.hasNext();) {
            const auto m = it.next();
            paginas.last() << qMakePair(m.captured(2).toInt(), m.captured(1).toDouble() * 20);
        }
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
        QVERIFY2(QFile::exists(programma()), qPrintable(programma()));
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) QSKIP("pdftotext is not installed");
    }

    // 90-number Bingo cards, three pages in one file: every number in its column's range.
    void bingo()
    {
        const QString pad = map.filePath(QStringLiteral("bingo.pdf"));
        QCOMPARE(start({"bingo", "--getallen", "90", "--paginas", "3", "--tekst", "Avond", "--uitvoer", pad}).code, 0);
        const auto paginas = getallen(pad);
        QCOMPARE(paginas.size(), 3);
        int hoogste = 0;
        for (const auto& pagina : paginas) {
            QCOMPARE(pagina.size(), 150);
            for (const auto& [n, x] : pagina) {
                const int k = int((x - (x < 6000 ? 600 : 6210)) / 900);
                QVERIFY2(n > 18 * k && n <= 18 * k + 18, qPrintable(QStringLiteral("%1 in column %2").arg(n).arg(k)));
                hoogste = qMax(hoogste, n);
            }
        }
        QVERIFY(hoogste > 75);
    }

    // Kien pages: each holds 1..90 once.
    void kien()
    {
        const QString pad = map.filePath(QStringLiteral("kien.pdf"));
        QCOMPARE(start({"kien", "--paginas", "2", "--uitvoer=" + pad}).code, 0);
        const auto paginas = getallen(pad);
        QCOMPARE(paginas.size(), 2);
        for (const auto& pagina : paginas) {
            QSet<int> alle;
            for (const auto& [n, x] : pagina)
                if (n >= 1 && n <= 90) alle << n;
            QCOMPARE(pagina.size(), 90);
            QCOMPARE(alle.size(), 90);
        }
    }

    void hulp()
    {
        const Uitkomst u = start({QStringLiteral("--help")});
        QCOMPARE(u.code, 0);
        QVERIFY(u.uit.contains(QStringLiteral("Gebruik:")));
    }

    void foutArgument_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("melding");
        QTest::newRow("niets") << QStringList() << "bingo of kien";
        QTest::newRow("soort") << QStringList{"lotto", "--uitvoer", "X"} << "onbekende soort";
        QTest::newRow("optie") << QStringList{"bingo", "--kleur", "rood", "--uitvoer", "X"} << "onbekende optie";
        QTest::newRow("getallen") << QStringList{"bingo", "--getallen", "80", "--uitvoer", "X"} << "75 of 90";
        QTest::newRow("nul") << QStringList{"kien", "--paginas", "0", "--uitvoer", "X"} << "1 tot en met 255";
        QTest::newRow("geen waarde") << QStringList{"bingo", "--uitvoer", "X", "--paginas"} << "hoort een waarde";
        QTest::newRow("geen uitvoer") << QStringList{"bingo", "--paginas", "2"} << "--uitvoer";
        QTest::newRow("onschrijfbaar") << QStringList{"kien", "--uitvoer", "GEEN/X"} << "kon niet worden opgeslagen";
    }

    // A bad argument: a Dutch message on the error output, a non-zero exit, and no file
    // written or changed.
    void foutArgument()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, melding);
        const QString pad = map.filePath(QStringLiteral("fout.pdf"));
        QFile oud(pad);
        QVERIFY(oud.open(QIODevice::WriteOnly) && oud.write("oud") == 3);
        oud.close();
        args.replaceInStrings(QStringLiteral("GEEN/X"), map.filePath(QStringLiteral("geen/map/x.pdf")));
        args.replaceInStrings(QRegularExpression(QStringLiteral("^X$")), pad);
        const Uitkomst u = start(args);
        QVERIFY(u.code != 0);
        QVERIFY2(u.fout.contains(melding), qPrintable(u.fout));
        QVERIFY(u.uit.isEmpty());
        QVERIFY(oud.open(QIODevice::ReadOnly));
        QCOMPARE(oud.readAll(), QByteArray("oud"));
        QVERIFY(!QFile::exists(map.filePath(QStringLiteral("geen/map/x.pdf"))));
    }
};

QTEST_GUILESS_MAIN(TestKaartenCli)
#include "tst_kaartencli.moc"
