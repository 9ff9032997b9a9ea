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

// Per page the numbers and the left edge of each, in points, read with pdftotext -bbox.
QList<QList<QPair<int, double>>> getallen(const QString& pdf)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    p.waitForFinished(60000);
    const QString html = QString::fromUtf8(p.readAllStandardOutput());
    static const QRegularExpression woord(QStringLiteral("<word xMin=\"([0-9.]+)\"[^>]*>([0-9]+)</word>"));
    QList<QList<QPair<int, double>>> paginas;
    const QStringList stukken = html.split(QStringLiteral("<page "));
    for (int i = 1; i < stukken.size(); ++i) {
        QList<QPair<int, double>> lijst;
        for (auto it = woord.globalMatch(stukken[i]); it.hasNext();) {
            const auto m = it.next();
            lijst << qMakePair(m.captured(2).toInt(), m.captured(1).toDouble());
        }
        paginas << lijst;
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
        const Uitkomst u = start({QStringLiteral("bingo"), QStringLiteral("--getallen"), QStringLiteral("90"),
                                  QStringLiteral("--paginas"), QStringLiteral("3"), QStringLiteral("--tekst"),
                                  QStringLiteral("Avond"), QStringLiteral("--uitvoer"), pad});
        QCOMPARE(u.code, 0);
        QVERIFY(u.fout.trimmed().isEmpty() || !u.fout.contains(QStringLiteral("zorvak-kaarten")));
        const auto paginas = getallen(pad);
        QCOMPARE(paginas.size(), 3);
        int hoogste = 0;
        for (const auto& pagina : paginas) {
            QCOMPARE(pagina.size(), 150);
            for (const auto& [n, x] : pagina) {
                const double x0 = x * 20 < 6000 ? 600 : 6210;
                const int k = int((x * 20 - x0) / 900);
                QVERIFY2(n >= 18 * k + 1 && n <= 18 * k + 18,
                         qPrintable(QStringLiteral("%1 in column %2").arg(n).arg(k)));
                hoogste = qMax(hoogste, n);
            }
        }
        QVERIFY(hoogste > 75);

        // Without --getallen: 75 numbers.
        const QString pad75 = map.filePath(QStringLiteral("bingo75.pdf"));
        QCOMPARE(start({QStringLiteral("bingo"), QStringLiteral("--uitvoer=") + pad75}).code, 0);
        const auto p75 = getallen(pad75);
        QCOMPARE(p75.size(), 1);
        for (const auto& [n, x] : p75[0])
            QVERIFY(n >= 1 && n <= 75);
    }

    // Kien pages: each holds 1..90 once, in its columns.
    void kien()
    {
        const QString pad = map.filePath(QStringLiteral("kien.pdf"));
        const Uitkomst u =
            start({QStringLiteral("kien"), QStringLiteral("--paginas"), QStringLiteral("2"), QStringLiteral("--tekst"),
                   QStringLiteral("Kienen"), QStringLiteral("--uitvoer"), pad});
        QCOMPARE(u.code, 0);
        const auto paginas = getallen(pad);
        QCOMPARE(paginas.size(), 2);
        for (const auto& pagina : paginas) {
            QList<int> alle;
            for (const auto& [n, x] : pagina) {
                alle << n;
                const int j = int((x * 20 - 600) / 1170) + 1;
                QVERIFY2(n >= (j == 1 ? 1 : 10 * (j - 1)) && n <= (j == 9 ? 90 : 10 * (j - 1) + 9),
                         qPrintable(QStringLiteral("%1 in column %2").arg(n).arg(j)));
            }
            std::sort(alle.begin(), alle.end());
            QList<int> verwacht;
            for (int n = 1; n <= 90; ++n)
                verwacht << n;
            QCOMPARE(alle, verwacht);
        }
    }

    void hulp()
    {
        const Uitkomst u = start({QStringLiteral("--help")});
        QCOMPARE(u.code, 0);
        QVERIFY(u.uit.contains(QStringLiteral("Gebruik:")));
        QVERIFY(u.uit.contains(QStringLiteral("--uitvoer")));
    }

    void foutArgument_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("melding");
        const QString u = QStringLiteral("--uitvoer");
        QTest::newRow("niets") << QStringList() << "bingo of kien";
        QTest::newRow("soort") << QStringList{"lotto", u, "X"} << "onbekende soort";
        QTest::newRow("optie") << QStringList{"bingo", "--kleur", "rood", u, "X"} << "onbekende optie";
        QTest::newRow("getallen") << QStringList{"bingo", "--getallen", "80", u, "X"} << "75 of 90";
        QTest::newRow("kien getallen") << QStringList{"kien", "--getallen", "90", u, "X"} << "alleen bij bingo";
        QTest::newRow("nul") << QStringList{"kien", "--paginas", "0", u, "X"} << "1 tot en met 255";
        QTest::newRow("te veel") << QStringList{"bingo", "--paginas", "256", u, "X"} << "1 tot en met 255";
        QTest::newRow("geen getal") << QStringList{"bingo", "--paginas", "drie", u, "X"} << "1 tot en met 255";
        QTest::newRow("geen waarde") << QStringList{"bingo", u, "X", "--paginas"} << "hoort een waarde";
        QTest::newRow("tweemaal") << QStringList{"bingo", "--paginas", "2", "--paginas", "3", u, "X"}
                                  << "meer dan eens";
        QTest::newRow("geen uitvoer") << QStringList{"bingo", "--paginas", "2"} << "--uitvoer";
        QTest::newRow("map") << QStringList{"kien", u, "MAP"} << "map";
        QTest::newRow("onschrijfbaar") << QStringList{"kien", u, "GEEN/X"} << "kon niet worden opgeslagen";
    }

    // A bad argument: a Dutch message on the error output, a non-zero exit, and no file
    // written or changed.
    void foutArgument()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, melding);
        const QString pad = map.filePath(QStringLiteral("fout.pdf"));
        QVERIFY(QFile::exists(pad) || [&] {
            QFile f(pad);
            return f.open(QIODevice::WriteOnly) && f.write("oud") == 3;
        }());
        for (QString& a : args) {
            if (a == QLatin1String("X"))
                a = pad;
            else if (a == QLatin1String("MAP"))
                a = map.path();
            else if (a == QLatin1String("GEEN/X"))
                a = map.filePath(QStringLiteral("geen/map/x.pdf"));
        }
        const Uitkomst u = start(args);
        QVERIFY(u.code != 0);
        QVERIFY2(u.fout.contains(melding), qPrintable(u.fout));
        QVERIFY(u.uit.isEmpty());
        QFile f(pad);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("oud"));
        QVERIFY(!QFile::exists(map.filePath(QStringLiteral("geen/map/x.pdf"))));
    }
};

QTEST_GUILESS_MAIN(TestKaartenCli)
#include "tst_kaartencli.moc"
