// The two documents that the help panel opens are built beside the program: real PDFs with
// page numbers and embedded fonts, that say in the program's own words what it does.

#include "testhulp.h"

#include <QCoreApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QtTest>

namespace
{
// Output of a poppler tool, or a null string when the tool is not installed.
QString draai(const QString& programma, const QStringList& args)
{
    if (TestHulp::buitenProgramma(programma).isEmpty()) return {};
    QProcess p;
    p.start(programma, args);
    if (!p.waitForFinished(60000) || p.exitCode() != 0) return QStringLiteral("<fout>");
    return QString::fromUtf8(p.readAllStandardOutput());
}
} // namespace

class TestDocumenten : public QObject
{
    Q_OBJECT
private slots:
    void gebouwd_data()
    {
        QTest::addColumn<QString>("naam");
        QTest::addColumn<int>("minstePaginas");
        QTest::addColumn<QStringList>("zinnen");
        QTest::newRow("handleiding") << "Zorvak.pdf" << 8
                                     << QStringList{"Nieuwe spel en/of nieuwe ronde spelen?", "Zorvak.ini.bak",
                                                    "Druk op de startknop voor een nieuw spel.",
                                                    "zorvak-kaarten bingo --getallen 75",
                                                    "zorvak-kaarten verslag --datum 2026-12-05"};
        QTest::newRow("beeldscherm") << "Beeldscherm.pdf" << 3 << QStringList{"15 twips", "GNOME"};
    }
    // Each document lies beside the program, has its pages numbered "Pagina n van n", carries
    // every font, and speaks the program's own words wherever its lines break.
    void gebouwd()
    {
        QFETCH(QString, naam);
        QFETCH(int, minstePaginas);
        QFETCH(QStringList, zinnen);
        const QString pad = QStringLiteral(ZORVAK_BUILD_DIR "/") + naam;
        QFile f(pad);
        QVERIFY2(f.open(QIODevice::ReadOnly), qPrintable(pad));
        QCOMPARE(f.read(5), QByteArray("%PDF-"));
        const QString info = draai(QStringLiteral("pdfinfo"), {pad});
        if (info.isNull()) return;
        const int paginas = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info).captured(1).toInt();
        QVERIFY2(paginas >= minstePaginas, qPrintable(info));
        const QString tekst = draai(QStringLiteral("pdftotext"), {"-enc", "UTF-8", pad, "-"}).simplified();
        for (const QString& zin : zinnen << QStringLiteral("Pagina %1 van %1").arg(paginas))
            QVERIFY2(tekst.contains(zin), qPrintable(zin));
        const QStringList fonts = draai(QStringLiteral("pdffonts"), {pad}).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QVERIFY(fonts.size() > 2);
        for (const QString& regel : fonts.mid(2)) // the "emb" column says yes
            QVERIFY2(
                regel.contains(QRegularExpression(QStringLiteral("\\s+yes\\s+(yes|no)\\s+(yes|no)\\s+\\d+\\s+\\d+$"))),
                qPrintable(regel));
    }
};

QTEST_GUILESS_MAIN(TestDocumenten)
#include "tst_documenten.moc"
