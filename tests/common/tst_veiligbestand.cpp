// The safe way to write files, by the kind of fault: a write that fails half-way, a symbolic
// link, a FIFO, a device node; and the second settings file built on it.
#include "common/extrainstellingen.h"
#include "common/veiligbestand.h"
#include "testhulp.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <functional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

namespace
{

// Runs `stap` in a child process in which every file may grow to at most `grens` bytes, as on a
// full disk (SIGXFSZ ignored, so writes fail instead). Returns the reason the child reported,
// or "MISLUKT" when `stap` returned true.
QString metGrens(rlim_t grens, const std::function<bool(QString&)>& stap)
{
    int buis[2];
    if (::pipe(buis) != 0) return QStringLiteral("geen pipe");
    const pid_t kind = ::fork();
    if (kind == 0) {
        ::close(buis[0]);
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit r{grens, grens};
        ::setrlimit(RLIMIT_FSIZE, &r);
        QString reden;
        const QByteArray uit = (stap(reden) ? QStringLiteral("MISLUKT") : reden).toUtf8();
        (void)!::write(buis[1], uit.constData(), static_cast<size_t>(uit.size()));
        ::_exit(0);
    }
    ::close(buis[1]);
    QByteArray uit;
    char blok[512];
    for (ssize_t n; (n = ::read(buis[0], blok, sizeof blok)) > 0;)
        uit.append(blok, n);
    ::close(buis[0]);
    int status = 0;
    ::waitpid(kind, &status, 0);
    return QString::fromUtf8(uit);
}

int modus(const QString& pad)
{
    struct stat st {
    };
    return ::lstat(QFile::encodeName(pad).constData(), &st) == 0 ? static_cast<int>(st.st_mode & 07777) : -1;
}

QStringList namenIn(const QTemporaryDir& map)
{
    return QDir(map.path()).entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot);
}

} // namespace

class TstVeiligBestand : public QObject
{
    Q_OBJECT

private slots:
    void mislukteSchrijfactieLaatOudBestandStaan()
    {
        QTemporaryDir map;
        const QString pad = map.filePath("a.ini"), log = map.filePath("log.csv");
        TestHulp::schrijfBestand(pad, "OUD\n");
        TestHulp::schrijfBestand(log, "regel 1\n");
        const QByteArray groot(200000, 'x');

        QCOMPARE(metGrens(0, [&](QString& r) { return VeiligBestand::schrijf(pad, "NIEUW", &r); }),
                 QStringLiteral("Het bestand \"%1\" wordt groter dan is toegestaan.").arg(pad));
        const QString stroom = metGrens(100000, [&](QString& r) {
            VeiligBestand::Schrijver s(pad);
            if (!s.open(&r)) return false;
            for (int i = 0; i < 10; ++i)
                s.apparaat()->write(groot);
            return s.voltooi(&r);
        });
        QVERIFY2(stroom.contains("groter dan is toegestaan"), qPrintable(stroom));
        // The append stops three bytes into the line; the half line is taken back.
        QVERIFY(metGrens(11, [&](QString& r) {
                    return VeiligBestand::voegToe(log, "regel 2\n", &r);
                }).contains("groter dan is toegestaan"));

        QCOMPARE(TestHulp::leesBestand(pad), QByteArray("OUD\n"));
        QCOMPARE(TestHulp::leesBestand(log), QByteArray("regel 1\n"));
        QCOMPARE(namenIn(map), QStringList({"a.ini", "log.csv"}));

        QVERIFY(VeiligBestand::voegToe(log, "regel 2\n"));
        QCOMPARE(TestHulp::leesBestand(log), QByteArray("regel 1\nregel 2\n"));
    }

    void rechtenBlijvenEnAlleenLezenWordtGeweigerd()
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

        if (::geteuid() != 0) {
            ::chmod(QFile::encodeName(pad).constData(), 0444);
            QString reden;
            QVERIFY(VeiligBestand::isAlleenLezen(pad));
            QVERIFY(!VeiligBestand::schrijf(pad, "3", &reden));
            QCOMPARE(reden, QStringLiteral("Geen toestemming om \"%1\" te schrijven.").arg(pad));
            QCOMPARE(TestHulp::leesBestand(pad), QByteArray("2"));
        }
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
        QCOMPARE(TestHulp::leesBestand(ander), QByteArray("Lieve tante"));
    }

    void fifoBlokkeertNietEnBlijftStaan()
    {
        ::alarm(20); // a blocked open ends the test instead of hanging the suite
        QTemporaryDir map;
        const QString pad = map.filePath("Zorvak-extra.ini");
        QCOMPARE(::mkfifo(QFile::encodeName(pad).constData(), 0600), 0);
        QString reden;
        QVERIFY(!VeiligBestand::isGewoonBestand(pad));
        QVERIFY(!VeiligBestand::lees(pad, 100, &reden));
        QCOMPARE(reden, QStringLiteral("\"%1\" is geen gewoon bestand.").arg(pad));
        QVERIFY(!VeiligBestand::schrijf(pad, "x"));
        QVERIFY(!VeiligBestand::voegToe(pad, "x"));
        VeiligBestand::Schrijver s(pad);
        QVERIFY(!s.open());
        ExtraInstellingen extra(map.path());
        QVERIFY(!extra.leesFout().isEmpty());
        QVERIFY(!extra.bewaar());
        struct stat st {
        };
        QVERIFY(::lstat(QFile::encodeName(pad).constData(), &st) == 0 && S_ISFIFO(st.st_mode));
        QCOMPARE(namenIn(map), QStringList({"Zorvak-extra.ini"}));
        ::alarm(0);
    }

    void apparaatBlijftApparaat()
    {
        if (::geteuid() != 0) QSKIP("a device node can only be made by root");
        QTemporaryDir map;
        const QString pad = map.filePath("nul"), link = map.filePath("a.ini");
        QCOMPARE(::mknod(QFile::encodeName(pad).constData(), S_IFCHR | 0666, makedev(1, 3)), 0);
        QVERIFY(QFile::link(pad, link));
        QVERIFY(!VeiligBestand::schrijf(pad, "x"));
        QVERIFY(!VeiligBestand::voegToe(pad, "x"));
        QVERIFY(!VeiligBestand::lees(pad, 100));
        QVERIFY(!VeiligBestand::lees(link, 100));
        const mode_t oudMasker = ::umask(022);
        QVERIFY(VeiligBestand::schrijf(link, "x"));
        ::umask(oudMasker);
        // The new file does not take the device's 0666.
        QCOMPARE(modus(link) & 0022, 0);
        struct stat st {
        };
        QVERIFY(::lstat(QFile::encodeName(pad).constData(), &st) == 0 && S_ISCHR(st.st_mode));
    }

    void achtergeblevenTijdelijkeBestandenOpgeruimd()
    {
        QTemporaryDir map;
        const QString pad = map.filePath("Zorvak.ini");
        for (const char* naam :
             {"Zorvak.ini.a1B2c3", "Zorvak.ini.QWERTY", "Zorvak.ini.backup", "Zorvak.ini.a1B2c", "Ander.ini.a1B2c3"})
            TestHulp::schrijfBestand(map.filePath(naam), "x");
        QCOMPARE(VeiligBestand::ruimOp(pad), 2);
        QCOMPARE(namenIn(map), QStringList({"Ander.ini.a1B2c3", "Zorvak.ini.a1B2c", "Zorvak.ini.backup"}));
    }

    void extraInstellingenHeenEnWeer()
    {
        QTemporaryDir map;
        {
            ExtraInstellingen extra(map.path());
            QCOMPARE(extra.waarde("Spraak/Stem", "geen"), QVariant("geen"));
            extra.zet("Spraak/Stem", "Anna");
            extra.zet("Schermen/Zaal", 2);
            extra.zet("Tekst", QStringLiteral("één, twee = \"drie\""));
            QVERIFY(extra.bewaar());
        }
        const ExtraInstellingen terug(map.path());
        QCOMPARE(terug.waarde("Spraak/Stem").toString(), QStringLiteral("Anna"));
        QCOMPARE(terug.waarde("Schermen/Zaal").toInt(), 2);
        QCOMPARE(terug.waarde("Tekst").toString(), QStringLiteral("één, twee = \"drie\""));
        const QSettings ini(map.filePath("Zorvak-extra.ini"), QSettings::IniFormat);
        QCOMPARE(ini.value("Spraak/Stem").toString(), QStringLiteral("Anna"));
    }
};

QTEST_GUILESS_MAIN(TstVeiligBestand)
#include "tst_veiligbestand.moc"
