// Start-up of the whole program, as a process, to its first painted frame on a 1920 x 1080
// screen, against a bare full-screen Qt program doing the same. Both run from this file as
// child processes (the same binary, so both load the same libraries); each ends itself the
// moment its first frame is painted.
#include "benchhulp.h"

#include "core/common/veiligbestand.h"
#include "core/settings/algemeen.h"
#include "core/settings/instellingen.h"
#include "widgets/common/stijl.h"
#include "widgets/screen/programma.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

using BenchHulp::mediaan;

namespace
{
class EersteBeeld : public QObject
{
public:
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Paint && !m_gezien) {
            m_gezien = true;
            QTimer::singleShot(0, [] { std::_Exit(0); });
        }
        return false;
    }

private:
    bool m_gezien = false;
};

int kind(int argc, char** argv, bool zorvak, const QString& map)
{
    QApplication app(argc, argv);
    EersteBeeld eerste;
    app.installEventFilter(&eerste);
    std::unique_ptr<QWidget> venster;
    std::unique_ptr<Programma> programma;
    if (zorvak) {
        // As the program starts.
        QApplication::setApplicationName(QStringLiteral("Zorvak"));
        zetProgrammaStijl();
        programma = std::make_unique<Programma>(Avond::Opzet{map});
        programma->start();
    } else {
        venster = std::make_unique<QWidget>();
        venster->setWindowFlag(Qt::FramelessWindowHint);
        venster->setAutoFillBackground(true);
        venster->showFullScreen();
        venster->setGeometry(venster->screen()->geometry());
    }
    return QApplication::exec();
}
} // namespace

int main(int argc, char** argv)
{
    if (argc >= 3 && std::strcmp(argv[1], "kind") == 0) {
        const bool zorvak = std::strcmp(argv[2], "zorvak") == 0;
        return kind(1, argv, zorvak, argc >= 4 ? QString::fromLocal8Bit(argv[3]) : QString());
    }

    QCoreApplication app(argc, argv);
    QTemporaryDir map;
    // The program's folder as installed: the pictures of the background beside it.
    const QDir bron(QCoreApplication::applicationDirPath() + QStringLiteral("/../Backgrounds"));
    QDir().mkpath(map.filePath(QStringLiteral("Backgrounds")));
    for (const QString& naam : bron.entryList(QDir::Files))
        QFile::copy(bron.filePath(naam), map.filePath(QStringLiteral("Backgrounds/") + naam));
    const QString json = map.filePath(QStringLiteral("scherm.json"));
    QFile f(json);
    if (!f.open(QIODevice::WriteOnly)) return 1;
    f.write("{\"screens\":[{\"name\":\"S\",\"x\":0,\"y\":0,\"width\":1920,\"height\":1080,"
            "\"logicalDpi\":96,\"logicalBaseDpi\":96,\"dpr\":1.0}]}");
    f.close();

    QProcessEnvironment omgeving = QProcessEnvironment::systemEnvironment();
    omgeving.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen:configfile=") + json);
    const auto start = [&](const char* soort) {
        QProcess p;
        p.setProcessEnvironment(omgeving);
        p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        QElapsedTimer klok;
        klok.start();
        p.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("kind"), QString::fromLatin1(soort), map.path()});
        p.waitForFinished(30000);
        return klok.nsecsElapsed() / 1e6;
    };
    start("zorvak"); // the first run writes Zorvak.ini, as a first start does
    // Every later evening starts as the first one's Exit left it: with the background picture.
    Algemeen alg;
    alg.AchtergrondBestand = Instellingen::standaardAchtergrond(map.path());
    if (!VeiligBestand::schrijf(map.filePath(QStringLiteral("Zorvak.ini")), Instellingen::maakInhoud(alg))) return 1;
    std::vector<double> zorvak, kaal;
    for (int i = 0; i < 11; ++i) {
        zorvak.push_back(start("zorvak"));
        kaal.push_back(start("kaal"));
    }
    std::printf("start-up as a process to the first frame at 1920x1080, background picture included, vs a bare "
                "full-screen Qt program "
                "| %.1f ms | %.1f ms | %.2f\n",
                mediaan(zorvak), mediaan(kaal), mediaan(zorvak) / mediaan(kaal));
    return 0;
}
