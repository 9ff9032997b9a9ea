// Windows only (under Wine in the build): settings in %LOCALAPPDATA%, the safe-write routine
// against a read-only or a held-open file, and the voice on the Windows speech API.
#include "core/settings/instellingen.h"
#include "core/game/stem.h"
#include "core/common/veiligbestand.h"
#include "testhulp.h"

#include <QStandardPaths>
#include <QtTest>

#include <windows.h>

class TstWindows : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { Instellingen::zetSchrijfProef({}); }

    // A program folder the user cannot write (Program Files): Zorvak.ini goes to
    // %LOCALAPPDATA%\Zorvak, the folder that stays with the user and is not roamed.
    void instellingenInLocalAppData()
    {
        QCoreApplication::setApplicationName(QStringLiteral("Zorvak"));
        const QString lokaal = qEnvironmentVariable("LOCALAPPDATA");
        QVERIFY(!lokaal.isEmpty());
        QTemporaryDir programma;
        Instellingen::zetSchrijfProef([&](const QString& map) { return map != programma.path(); });
        const InstellingenBestand ini(programma.path());
        QVERIFY(ini.inReserveMap());
        QCOMPARE(QDir::toNativeSeparators(ini.pad()).toLower(),
                 QDir::toNativeSeparators(lokaal + QStringLiteral("/Zorvak/Zorvak.ini")).toLower());
    }

    // A file with the read-only attribute is refused with the reason; one that another program
    // holds open without letting it be replaced makes the write fail, and in both cases the old
    // file stays as it was and no temporary file is left.
    void veiligSchrijvenOpWindows()
    {
        QTemporaryDir map;
        const QString pad = map.filePath(QStringLiteral("Zorvak.ini"));
        QVERIFY(VeiligBestand::schrijf(pad, "OUD"));
        QVERIFY(QFile::setPermissions(pad, QFileDevice::ReadOwner | QFileDevice::ReadUser));
        QString reden;
        QVERIFY(!VeiligBestand::schrijf(pad, "NIEUW", &reden));
        QVERIFY2(reden.startsWith(QStringLiteral("Geen toestemming om")), qPrintable(reden));
        QVERIFY(VeiligBestand::isAlleenLezen(pad));
        QVERIFY(QFile::setPermissions(pad, QFileDevice::ReadOwner | QFileDevice::WriteOwner));

        const HANDLE open = ::CreateFileW(reinterpret_cast<const wchar_t*>(QDir::toNativeSeparators(pad).utf16()),
                                          GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        QVERIFY(open != INVALID_HANDLE_VALUE);
        QVERIFY(!VeiligBestand::schrijf(pad, "NIEUW", &reden));
        ::CloseHandle(open);
        QVERIFY2(!reden.isEmpty(), "a reason for the organiser");
        QCOMPARE(TestHulp::leesBestand(pad), QByteArray("OUD"));
        QCOMPARE(QDir(map.path()).entryList(QDir::Files), QStringList{QStringLiteral("Zorvak.ini")});

        QVERIFY(VeiligBestand::schrijf(pad, "NIEUW") && VeiligBestand::voegToe(pad, "!"));
        QCOMPARE(TestHulp::leesBestand(pad), QByteArray("NIEUW!"));
    }

    // The system's speech engine answers, lists its voices Dutch first with an id the settings
    // can keep, takes a call and goes away without waiting on the engine. Under Wine it has no
    // voice: the program then says that speech is not available.
    void spraak()
    {
        std::unique_ptr<Stem> stem = maakSysteemStem();
        QTRY_VERIFY_WITH_TIMEOUT(stem->gereed(), 20000);
        const QList<StemKeuze> stemmen = stem->stemmen();
        for (int i = 0; i < stemmen.size(); ++i)
            QVERIFY(stemmen[i].id.contains(QLatin1Char('|')) && stemmen[i].id == nederlandsVoorop(stemmen)[i].id);
        QCOMPARE(stem->beschikbaar(), !stemmen.isEmpty());
        stem->stel({}, 0.5, 0.1);
        stem->zeg({QStringLiteral("B"), QStringLiteral("12 & <13>")});
        QElapsedTimer klok;
        klok.start();
        stem.reset();
        QVERIFY(klok.elapsed() < 3000); // an engine that hangs is left behind
    }
};

QTEST_MAIN(TstWindows)
#include "tst_windows.moc"
