// The safe way to write files, by the kind of fault: a write that fails half-way, a symbolic
// link, a FIFO (as any file that is not a regular one); each for the routine and for the
// settings, the PDF output and zorvak-kaarten that use it. The faults made with POSIX means (a
// file-size limit, modes, links, FIFOs) are tried on Unix; Windows' own (a read-only file, a
// file held open) are in tst_windows.
#include "core/cards/uitvoer.h"
#include "core/common/veiligbestand.h"
#include "core/settings/achtergronden.h"
#include "testhulp.h"
#include "widgets/game/achtergrond.h"

#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QtTest>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace
{

#ifdef Q_OS_UNIX
using TestHulp::metGrens;

int modus(const QString& pad)
{
    struct stat st = {};
    return ::lstat(QFile::encodeName(pad).constData(), &st) == 0 ? static_cast<int>(st.st_mode & 07777) : -1;
}

// zorvak-kaarten run by the shell, so that a limit can be set first; exit code and error text.
QPair<int, QString> kaarten(const QString& vooraf, const QString& uitvoer)
{
    QProcess p;
    const QString tool = QDir(QCoreApplication::applicationDirPath()).filePath("../zorvak-kaarten");
    p.start("/bin/sh", {"-c", vooraf + " exec \"$0\" bingo --uitvoer \"$1\"", tool, uitvoer});
    if (!p.waitForFinished(60000)) return {-1, "hangt"};
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardError())};
}
#endif

QStringList namenIn(const QTemporaryDir& map)
{
    return QDir(map.path()).entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot);
}

} // namespace

class TstVeiligBestand : public QObject
{
    Q_OBJECT

private slots:
#ifdef Q_OS_UNIX
    void mislukteSchrijfactieLaatOudBestandStaan()
    {
        QTemporaryDir map;
        const QString pad = map.filePath("a.ini"), log = map.filePath("log.csv"), pdf = map.filePath("oud.pdf");
        TestHulp::schrijfBestand(pad, "OUD\n");
        TestHulp::schrijfBestand(pdf, "OUD\n");
        TestHulp::schrijfBestand(log, "regel 1\n");

        QCOMPARE(metGrens(0, [&](QString& r) { return VeiligBestand::schrijf(pad, "NIEUW", &r); }),
                 QStringLiteral("Het bestand \"%1\" wordt groter dan is toegestaan.").arg(pad));
        // The append stops three bytes into the line; the half line is taken back.
        QVERIFY(metGrens(11, [&](QString& r) {
                    return VeiligBestand::voegToe(log, "regel 2\n", &r);
                }).contains("groter dan is toegestaan"));
        // The settings at exit and a PDF (streamed): a full disk is reported, not written over the old file.
        QVERIFY(metGrens(0, [&](QString& r) {
                    return InstellingenBestand(map.path()).schrijf(Algemeen(), &r);
                }).contains("groter dan is toegestaan"));
        QVERIFY(metGrens(4096, [&](QString& r) {
                    PdfUitvoer uit(pdf);
                    VasteToeval toeval(1);
                    return Afdruk::kien(uit, 3, "x", toeval, false, &r);
                }).startsWith(QStringLiteral("Het PDF-bestand \"%1\" kon niet worden opgeslagen.").arg(pdf)));

        QCOMPARE(TestHulp::leesBestand(pad) + TestHulp::leesBestand(pdf), QByteArray("OUD\nOUD\n"));
        QCOMPARE(TestHulp::leesBestand(log), QByteArray("regel 1\n"));
        QCOMPARE(namenIn(map), QStringList({"a.ini", "log.csv", "oud.pdf"}));

        // Without a display, whatever platform the environment names, the tool still works.
        QCOMPARE(kaarten("export QT_QPA_PLATFORM=xcb DISPLAY= WAYLAND_DISPLAY=;", pdf).first, 0);
        QVERIFY(TestHulp::leesBestand(pdf).startsWith("%PDF-"));
    }

    // Durable: the new bytes are synced under the temporary name while the target still holds
    // the old ones, then the folder; an appended line before the append returns. A failed sync
    // is a failed write: the old file stays, the temporary one goes.
    void gesynchroniseerdVoorVervangen()
    {
        QTemporaryDir map;
        const QString pad = map.filePath("a.ini"), log = map.filePath("log.csv");
        TestHulp::schrijfBestand(pad, "OUD");
        QStringList gezien; // what was synced, with its bytes, and what the target then held
        int fout = 0;
        VeiligBestand::syncHaak() = [&](int fd) {
            const QString naam = QFile::symLinkTarget(QStringLiteral("/proc/self/fd/%1").arg(fd));
            gezien << QFileInfo(naam).fileName().replace(QRegularExpression("\\.\\w{6}$"), ".XXXXXX") + ':' +
                          TestHulp::leesBestand(naam) + '|' + TestHulp::leesBestand(pad);
            errno = fout;
            return fout ? -1 : ::fsync(fd);
        };
        const auto zonderHaak = qScopeGuard([] { VeiligBestand::syncHaak() = nullptr; }); // also when a check fails
        QVERIFY(VeiligBestand::schrijf(pad, "NIEUW") && VeiligBestand::voegToe(log, "regel\n"));
        QCOMPARE(gezien, QStringList({"a.ini.XXXXXX:NIEUW|OUD", QFileInfo(map.path()).fileName() + ":|NIEUW",
                                      "log.csv:regel\n|NIEUW"}));
        fout = EIO;
        QVERIFY(!VeiligBestand::schrijf(pad, "NIEUWER") && !VeiligBestand::voegToe(log, "meer\n"));
        QCOMPARE(TestHulp::leesBestand(pad) + TestHulp::leesBestand(log), QByteArray("NIEUWregel\n"));
        QCOMPARE(namenIn(map), QStringList({"a.ini", "log.csv"}));
    }

    void rechtenBlijvenEnAlleenLezenGaatNaarEigenMap()
    {
        QTemporaryDir map;
        const QString pad = map.filePath("a.ini");
        const mode_t oudMasker = ::umask(027);
        QVERIFY(VeiligBestand::schrijf(pad, "1"));
        QCOMPARE(modus(pad), 0640);
        ::umask(oudMasker);
        ::chmod(QFile::encodeName(pad).constData(), 0604);
        QVERIFY(VeiligBestand::schrijf(pad, "2"));
        QCOMPARE(modus(pad), 0604);

        ::chmod(QFile::encodeName(pad).constData(), 0444);
        QString reden;
        QVERIFY(!VeiligBestand::schrijf(pad, "3", &reden));
        QCOMPARE(reden, QStringLiteral("Geen toestemming om \"%1\" te schrijven.").arg(pad));
        QCOMPARE(TestHulp::leesBestand(pad), QByteArray("2"));

        // A read-only Zorvak.ini sends the changes to the user's own folder, as a read-only program
        // folder does (what follows from there: tst_instellingen, alleenLezenProgrammaMap).
        TestHulp::schrijfBestand(map.filePath("Zorvak.ini"), "");
        ::chmod(QFile::encodeName(map.filePath("Zorvak.ini")).constData(), 0444);
        QVERIFY(InstellingenBestand(map.path(), map.filePath("eigen")).inReserveMap());
    }

    void koppelingWordtZelfVervangen()
    {
        QTemporaryDir map;
        const QString ander = map.filePath("brief.txt"), pad = map.filePath("a.ini");
        TestHulp::schrijfBestand(ander, "Lieve tante");
        QVERIFY(QFile::link(ander, pad));
        QCOMPARE(VeiligBestand::lees(pad, 100).value_or("?"), QByteArray("Lieve tante"));
        QString reden;
        QVERIFY(!VeiligBestand::voegToe(pad, "x", &reden));
        QVERIFY(reden.contains("symbolische koppeling"));

        QVERIFY(VeiligBestand::schrijf(pad, "NIEUW"));
        QVERIFY(!QFileInfo(pad).isSymLink());
        QCOMPARE(TestHulp::leesBestand(pad), QByteArray("NIEUW"));

        // The first start with Zorvak.ini linked to a letter leaves the letter alone.
        QVERIFY(QFile::link(ander, map.filePath("Zorvak.ini")));
        Algemeen alg;
        QVERIFY(!InstellingenBestand(map.path()).laadBijStart(alg));
        QVERIFY(!QFileInfo(map.filePath("Zorvak.ini")).isSymLink());
        QCOMPARE(TestHulp::leesBestand(ander), QByteArray("Lieve tante"));
    }

    void fifoBlokkeertNietEnBlijftStaan()
    {
        ::alarm(60); // a blocked open ends the test instead of hanging the suite
        QTemporaryDir map;
        const QString pad = map.filePath("Zorvak-extra.ini"), ini = map.filePath("Zorvak.ini"),
                      plaatje = map.filePath("Backgrounds/b.jpg");
        QDir().mkpath(map.filePath("Backgrounds"));
        for (const QString& p : {pad, ini, plaatje})
            QCOMPARE(::mkfifo(QFile::encodeName(p).constData(), 0600), 0);
        QString reden;
        QVERIFY(!VeiligBestand::lees(pad, 100, &reden));
        QCOMPARE(reden, QStringLiteral("\"%1\" is geen gewoon bestand.").arg(pad));
        QVERIFY(!VeiligBestand::schrijf(pad, "x"));
        QVERIFY(!VeiligBestand::voegToe(pad, "x"));

        // Zorvak.ini, the background and the list of backgrounds; zorvak-kaarten's output.
        Algemeen alg;
        QVERIFY(!InstellingenBestand(map.path()).laadBijStart(alg));
        QVERIFY(!Achtergrond().laad(plaatje));
        QVERIFY(Achtergronden::plaatjes(map.filePath("Backgrounds")).isEmpty());
        const auto [code, melding] = kaarten("", pad);
        QCOMPARE(code, 1);
        QVERIFY(melding.contains("is geen gewoon bestand"));
        for (const QString& p : {pad, ini, plaatje}) {
            struct stat st = {};
            QVERIFY(::lstat(QFile::encodeName(p).constData(), &st) == 0 && S_ISFIFO(st.st_mode));
        }
        ::alarm(0);
    }
#endif

    void achtergeblevenTijdelijkeBestandenOpgeruimd()
    {
        QTemporaryDir map;
        for (const char* naam :
             {"Zorvak.ini.a1B2c3", "Zorvak.ini.QWERTY", "Zorvak.ini.backup", "Zorvak.ini.a1B2c", "Ander.ini.a1B2c3"})
            TestHulp::schrijfBestand(map.filePath(naam), "x");
        Algemeen alg;
        InstellingenBestand(map.path()).laadBijStart(alg);
        QCOMPARE(namenIn(map),
                 QStringList({"Ander.ini.a1B2c3", "Zorvak.ini", "Zorvak.ini.a1B2c", "Zorvak.ini.backup"}));
    }
};

QTEST_MAIN(TstVeiligBestand)
#include "tst_veiligbestand.moc"
