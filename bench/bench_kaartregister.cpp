// Numbered cards at scale: 10,000 pages (60,000 cards) of one series to PDF against the same
// pages without numbering and register; peak memory at 1,000 and at 10,000 pages; and a card
// checked on a register of 100,000 cards, against one frame at 60 Hz.
// Every print run happens in a process of its own, so each peak memory figure is its own.

#include "core/cards/controle.h"
#include "core/cards/genummerd.h"
#include "core/cards/uitvoer.h"
#include "core/common/toeval.h"

#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace
{

// Peak resident memory of this process, in KiB.
long piekGeheugen()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return 0;
    static const QRegularExpression regel(QStringLiteral("VmHWM:\\s*(\\d+)"));
    return regel.match(QString::fromLatin1(status.readAll())).captured(1).toLong();
}

// Child: prints "<ms> <KiB>" for one run.
int drukRun(bool genummerd, int paginas, const QString& map)
{
    VasteToeval toeval(1);
    PdfUitvoer pdf(map + QStringLiteral("/kaarten-%1-%2.pdf").arg(genummerd).arg(paginas));
    QElapsedTimer klok;
    klok.start();
    bool gelukt = false;
    if (genummerd) {
        KaartRegister reg(map + QStringLiteral("/register-%1.db").arg(paginas));
        gelukt = Afdruk::genummerd(pdf, reg, KaartSoort::Bingo75, QStringLiteral("A"), paginas, QStringLiteral("Zaal"),
                                   toeval, false, nullptr, nullptr);
    } else {
        gelukt = Afdruk::bingo(pdf, 75, paginas, QStringLiteral("Zaal"), toeval, false, nullptr);
    }
    std::printf("%.1f %ld\n", klok.nsecsElapsed() / 1e6, piekGeheugen());
    return gelukt ? 0 : 1;
}

struct Run {
    double ms = 0;
    long kib = 0;
};

Run start(bool genummerd, int paginas, const QString& map)
{
    QProcess p;
    p.start(QCoreApplication::applicationFilePath(),
            {QStringLiteral("run"), QString::number(genummerd), QString::number(paginas), map});
    p.waitForFinished(-1);
    const QStringList delen = QString::fromLatin1(p.readAllStandardOutput()).split(QLatin1Char(' '));
    if (p.exitCode() != 0 || delen.size() != 2) {
        std::fprintf(stderr, "run failed: %s\n", p.readAllStandardError().constData());
        return {};
    }
    return {delen[0].toDouble(), delen[1].toLong()};
}

void rij(const char* naam, double gemeten, double basis, const char* eenheid)
{
    std::printf("%s | %.1f %s | %.1f %s | %.2f\n", naam, gemeten, eenheid, basis, eenheid, gemeten / basis);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() == 5 && args[1] == QStringLiteral("run"))
        return drukRun(args[2] == QStringLiteral("1"), args[3].toInt(), args[4]);

    QTemporaryDir map;
    const Run kaal = start(false, 10000, map.path());
    const Run genummerd = start(true, 10000, map.path());
    const Run klein = start(true, 1000, map.path());
    rij("numbered 10000 pages (60000 cards) to PDF, time vs the same unnumbered", genummerd.ms, kaal.ms, "ms");
    rij("numbered PDF, peak memory at 10000 pages vs at 1000 pages", genummerd.kib / 1024.0, klein.kib / 1024.0, "MiB");
    rij("numbered vs unnumbered 10000 pages, peak memory", genummerd.kib / 1024.0, kaal.kib / 1024.0, "MiB");

    // A register of 100,000 cards; each check opens it, finds the card and gives the verdict.
    KaartRegister reg(map.filePath(QStringLiteral("groot.db")));
    VasteToeval toeval(2);
    const auto reeks = reg.registreer(KaartSoort::Bingo75, QStringLiteral("A"), 100000 / 6 + 1, toeval);
    if (!reeks || !reg.bevestig(*reeks, reeks->laatste()) || !reg.rondAf(*reeks)) return 1;
    reg.sluit();
    const QList<int> getrokken{4, 17, 33, 48, 61, 12, 22, 39, 50, 70};
    std::vector<double> tijden;
    for (int i = 0; i < 200; ++i) {
        QElapsedTimer klok;
        klok.start();
        KaartRegister kijk(map.filePath(QStringLiteral("groot.db")), KaartRegister::Modus::Lezen);
        const auto kaart = kijk.open() ? kijk.kaart(QStringLiteral("A"), 1 + (i * 4999) % 100000) : std::nullopt;
        if (!kaart) return 1;
        Controle::controleer(*kaart, getrokken, nullptr, 1);
        tijden.push_back(klok.nsecsElapsed() / 1e6);
    }
    std::sort(tijden.begin(), tijden.end());
    rij("check a card in a register of 100000 cards (open, find, verdict), median vs one frame at 60 Hz",
        tijden[tijden.size() / 2], 1000.0 / 60, "ms");
    rij("the same, 95th percentile of 200 vs one frame", tijden[tijden.size() * 95 / 100], 1000.0 / 60, "ms");
    return 0;
}
