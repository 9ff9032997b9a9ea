// The two documents that the help panel opens are built beside the program: real PDFs with
// pages, embedded fonts and page numbers, that say in the program's own words what it does.

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#ifndef ZORVAK_BUILD_DIR
#define ZORVAK_BUILD_DIR ""
#endif

namespace
{
QString buildMap()
{
    const QString map = QStringLiteral(ZORVAK_BUILD_DIR);
    return map.isEmpty() ? QCoreApplication::applicationDirPath() + QStringLiteral("/..") : map;
}

// Output of a poppler tool, or a null string when the tool is not installed.
QString draai(const QString& programma, const QStringList& args)
{
    if (QStandardPaths::findExecutable(programma).isEmpty()) return {};
    QProcess p;
    p.start(programma, args);
    if (!p.waitForFinished(60000) || p.exitCode() != 0) return QStringLiteral("<fout>");
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The document's text with every run of blanks and line ends made one blank, so that a
// phrase is found wherever the lines happen to break.
QString tekstVan(const QString& pdf)
{
    const QString t =
        draai(QStringLiteral("pdftotext"), {QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf, QStringLiteral("-")});
    return t.isNull() ? t : t.simplified();
}
} // namespace

class TestDocumenten : public QObject
{
    Q_OBJECT
private slots:
    void gebouwdMetPaginasEnLettertypen_data()
    {
        QTest::addColumn<QString>("naam");
        QTest::addColumn<int>("minstePaginas");
        QTest::newRow("handleiding") << QStringLiteral("Zorvak.pdf") << 8;
        QTest::newRow("beeldscherm") << QStringLiteral("Beeldscherm.pdf") << 3;
    }

    // Both documents lie beside the program, are PDFs, have pages with page numbers, and
    // carry their fonts, so they look the same on a computer without Liberation fonts.
    void gebouwdMetPaginasEnLettertypen()
    {
        QFETCH(QString, naam);
        QFETCH(int, minstePaginas);
        const QString pad = buildMap() + QLatin1Char('/') + naam;
        QFile f(pad);
        QVERIFY2(f.open(QIODevice::ReadOnly), qPrintable(pad));
        QCOMPARE(f.read(5), QByteArray("%PDF-"));

        const QString info = draai(QStringLiteral("pdfinfo"), {pad});
        if (info.isNull()) QSKIP("pdfinfo (poppler-utils) is niet geïnstalleerd");
        const auto m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
        QVERIFY2(m.hasMatch(), qPrintable(info));
        const int paginas = m.captured(1).toInt();
        QVERIFY2(paginas >= minstePaginas, qPrintable(info));

        const QString tekst = tekstVan(pad);
        QVERIFY(tekst.contains(QStringLiteral("Pagina %1 van %1").arg(paginas)));

        // Every font line of pdffonts says "yes" in its embedded column.
        const QStringList fonts = draai(QStringLiteral("pdffonts"), {pad}).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QVERIFY(fonts.size() > 2);
        for (const QString& regel : fonts.mid(2))
            QVERIFY2(
                regel.contains(QRegularExpression(QStringLiteral("\\s+yes\\s+(yes|no)\\s+(yes|no)\\s+\\d+\\s+\\d+$"))),
                qPrintable(regel));
    }

    void kernzinnen_data()
    {
        QTest::addColumn<QString>("naam");
        QTest::addColumn<QString>("zin");
        const QString z = QStringLiteral("Zorvak.pdf"), b = QStringLiteral("Beeldscherm.pdf");
        QTest::newRow("startvraag") << z << QStringLiteral("Nieuwe spel en/of nieuwe ronde spelen?");
        QTest::newRow("alle ballen") << z << QStringLiteral("Druk op de startknop voor een nieuw spel.");
        QTest::newRow("ini") << z << QStringLiteral("Zorvak.ini.bak");
        QTest::newRow("kaarten") << z << QStringLiteral("zorvak-kaarten bingo --getallen 75");
        QTest::newRow("twips") << b << QStringLiteral("15 twips");
        QTest::newRow("gnome") << b << QStringLiteral("GNOME");
    }

    // The documents speak the program's own words, where the organiser will see them.
    void kernzinnen()
    {
        QFETCH(QString, naam);
        QFETCH(QString, zin);
        const QString tekst = tekstVan(buildMap() + QLatin1Char('/') + naam);
        if (tekst.isNull()) QSKIP("pdftotext (poppler-utils) is niet geïnstalleerd");
        QVERIFY2(tekst.contains(zin), qPrintable(zin));
    }

#ifdef ZORVAK_MAAK_DOCUMENT
    // A source that names a picture that does not exist fails the build with a clear message
    // and leaves no document behind, not even half of one.
    void kapotteBronGeeftGeenDocument()
    {
        QTemporaryDir map;
        QFile bron(map.filePath(QStringLiteral("x.md")));
        QVERIFY(bron.open(QIODevice::WriteOnly));
        bron.write("---\ntitel: X\n---\n# Kop\n\n![Weg](bestaat-niet.png)\n");
        bron.close();
        const QString uit = map.filePath(QStringLiteral("x.pdf"));
        QProcess p;
        p.start(QStringLiteral(ZORVAK_MAAK_DOCUMENT), {bron.fileName(), uit});
        QVERIFY(p.waitForFinished(60000));
        QVERIFY(p.exitCode() != 0);
        QVERIFY(QString::fromUtf8(p.readAllStandardError()).contains(QStringLiteral("bestaat-niet.png")));
        QVERIFY(!QFile::exists(uit));
        QVERIFY(!QFile::exists(uit + QStringLiteral(".tmp")));
    }
#endif
};

QTEST_GUILESS_MAIN(TestDocumenten)
#include "tst_documenten.moc"
