// What the evening's record costs. One line appended and synced to the disk, against the same
// append left to the system to write out; the space bar to the first blink phase painted with
// the record on, against the same draw without it and against one 60 Hz frame; and a start
// that takes up a game of 90 balls with 60 drawn, to its first painted frame, against a plain
// start; and a start from a record of 50 MB against one from a small record. The files go in a
// folder beside this program, on the disk its settings would be on.
#include "benchhulp.h"

#include "core/common/toeval.h"
#include "core/common/veiligbestand.h"
#include "core/common/wacht.h"
#include "core/game/spel.h"
#include "core/game/verloop.h"
#include "core/settings/algemeen.h"
#include "core/settings/instellingen.h"
#include "widgets/common/doek.h"
#include "widgets/common/melding.h"
#include "widgets/game/bord.h"
#include "widgets/game/main.h"

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QTemporaryDir>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace BenchHulp;

namespace
{
// The append of the record's routine, every step but the sync.
bool voegToeZonderSync(const QString& pad, const QByteArray& regel)
{
    const QByteArray naam = QFile::encodeName(pad);
    struct stat st = {};
    if (::lstat(naam.constData(), &st) == 0 && !S_ISREG(st.st_mode)) return false;
    const int fd = ::open(naam.constData(), O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0) return false;
    const bool goed = ::fstat(fd, &st) == 0 && ::write(fd, regel.constData(), regel.size()) == regel.size();
    return ::close(fd) == 0 && goed;
}

void spatie(QWidget* bord)
{
    QKeyEvent neer(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
    QApplication::sendEvent(bord, &neer);
}

void regels(const QString& map)
{
    VasteToeval toeval(7);
    Spel spel;
    spel.nieuwSpel(90, 1);
    for (int i = 0; i < 60; ++i)
        spel.trek(toeval);
    const QByteArray regel =
        Verloop::regel(QDateTime::currentDateTime(), spel.stand(), Spel::Gebeurtenis::Getrokken, spel.laatste());
    const QString metSync = map + QStringLiteral("/met.csv"), zonder = map + QStringLiteral("/zonder.csv");
    std::vector<double> met, kaal;
    for (int i = 0; i < 420; ++i) {
        // Taken in turn, so that a busy moment of the machine falls on both.
        const double a = meet([&] { VeiligBestand::voegToe(metSync, regel); }, 1);
        const double b = meet([&] { voegToeZonderSync(zonder, regel); }, 1);
        if (i < 20) continue; // the first ones create the files
        met.push_back(a);
        kaal.push_back(b);
    }
    rij("record line appended and synced, median of 400, against the same append without the sync", mediaan(met),
        mediaan(kaal));
    rij("the same, 99th percentile", percentiel(met, 0.99), percentiel(kaal, 0.99));
}

bool trekking(const QString& map)
{
    QDir().mkpath(map);
    Programma programma({map, map + QStringLiteral("/reserve")});
    Main& hoofd = programma.hoofd;
    Algemeen& alg = programma.avond.instellingen().algemeen();
    Spel& spel = programma.avond.spel();
    Verloop& verloop = *programma.avond.verloop();
    hoofd.show();
    QApplication::processEvents();
    WachtTempo::zet(0);
    alg.AantalBallen = 90;
    spel.zetRondeTeller(1);
    programma.avond.NieuwSpel();
    WachtTempo::zet(1);
    alg.KnipperAantal = 1;
    alg.KnipperSnelheid = 1;
    QApplication::processEvents();

    PaintKlok klok(hoofd.Pic);
    std::vector<double> met, zonder;
    for (int i = 0; i < 60; ++i) {
        // In turn with the record on and off; the record must have seen the game begin.
        if (i % 2)
            spel.zetSchrijver({});
        else
            verloop.volg(spel);
        klok.start();
        spatie(hoofd.Pic);
        if (klok.klaar()) (i % 2 ? zonder : met).push_back(klok.ms());
    }
    rij("space bar to the first blink phase painted with the record on, median of 30, against the same without "
        "the record",
        mediaan(met), mediaan(zonder));
    rij("the same with the record on, median, against one frame at 60 Hz", mediaan(met), 1000.0 / 60, "ms");
    rij("the same with the record on, slowest of 30, against one frame at 60 Hz", percentiel(met, 1.0), 1000.0 / 60,
        "ms");
    return met.size() == 30 && zonder.size() == 30;
}

bool hervatten(const QString& map)
{
    const QString hervat = map + QStringLiteral("/hervat"), leeg = map + QStringLiteral("/leeg");
    QDir().mkpath(hervat);
    QDir().mkpath(leeg);
    {
        VasteToeval toeval(90);
        Spel spel;
        Verloop verloop(hervat);
        verloop.volg(spel);
        spel.nieuwSpel(90, 1);
        for (int i = 0; i < 60; ++i)
            spel.trek(toeval);
    }
    WachtTempo::zet(1);
    // As the program starts: the window with its record, shown, then the question to play on.
    const auto start = [](const QString& folder, bool ja) {
        Programma* programma = nullptr;
        int getrokken = -1;
        const double ms = totEersteBeeld(
            [&] {
                auto p = std::make_unique<Programma>(Avond::Opzet{folder, folder + QStringLiteral("/reserve")});
                programma = p.get();
                return p;
            },
            [&] {
                if (ja) Melding::zetVolgendAntwoord(true);
                programma->avond.hervatBijStart();
                getrokken = int(programma->avond.spel().ballen().size());
            });
        return getrokken == (ja ? 60 : 0) ? ms : -1.0;
    };
    std::vector<double> hervatTijden, leegTijden;
    for (int i = 0; i < 22; ++i) {
        const double a = start(hervat, true), b = start(leeg, false);
        if (a < 0 || b < 0) return false;
        if (i < 2) continue; // the first start writes the settings file
        hervatTijden.push_back(a);
        leegTijden.push_back(b);
    }
    rij("start that takes up a game of 90 balls with 60 drawn, to its first painted frame, median of 20, against a "
        "plain start",
        mediaan(hervatTijden), mediaan(leegTijden));
    return true;
}
// A start that takes a game up again from a record of 50 MB (about 11,000 games of 90 balls, as
// a year of evenings in one file), against one from a record of a single game: to the question
// to play on (the record read), and on to the first new ball written down.
bool grootVerloop(const QString& map)
{
    const QString groot = map + QStringLiteral("/groot"), klein = map + QStringLiteral("/klein");
    const QDateTime nu = QDateTime::currentDateTime();
    for (const QString& folder : {groot, klein}) {
        QByteArray inhoud = Verloop::kopRegel + "\r\n";
        for (int spel = 1; folder == klein ? spel == 1 : inhoud.size() < 50 * 1000 * 1000; ++spel) {
            Spel::Stand stand{90, spel, spel, {}};
            inhoud += Verloop::regel(nu, stand, Spel::Gebeurtenis::NieuwSpel, 0);
            for (int bal = 1; bal <= 90; ++bal)
                inhoud += Verloop::regel(nu, stand, Spel::Gebeurtenis::Getrokken, bal);
            inhoud += Verloop::regel(nu, stand, Spel::Gebeurtenis::Afgesloten, 0);
        }
        Spel::Stand open{90, 1, 99999, {}};
        inhoud += Verloop::regel(nu, open, Spel::Gebeurtenis::NieuwSpel, 0);
        for (int bal = 1; bal <= 60; ++bal)
            inhoud += Verloop::regel(nu, open, Spel::Gebeurtenis::Getrokken, bal);
        const QString bestand = Verloop::dagBestand(folder, nu.date());
        if (!QDir().mkpath(QFileInfo(bestand).absolutePath()) || !VeiligBestand::schrijf(bestand, inhoud)) return false;
    }
    const auto start = [](const QString& folder, double& totVraag) {
        QElapsedTimer klok;
        klok.start();
        Spel spel;
        Verloop verloop(folder);
        verloop.volg(spel);
        const auto laatste = verloop.bijStart();
        totVraag = klok.nsecsElapsed() / 1e6;
        if (!laatste || laatste->stand.ballen.size() != 60) return -1.0;
        verloop.hervat(*laatste);
        spel.herstel(laatste->stand);
        VasteToeval toeval(3);
        spel.trek(toeval);
        const double ms = klok.nsecsElapsed() / 1e6;
        spel.neemTerug();
        return ms;
    };
    std::vector<double> vraagGroot, vraagKlein, balGroot, balKlein;
    for (int i = 0; i < 6; ++i) {
        double g = 0, k = 0;
        const double a = start(groot, g), b = start(klein, k);
        if (a < 0 || b < 0) return false;
        if (i == 0) continue; // the first reads from the disk, the others from its cache
        vraagGroot.push_back(g);
        vraagKlein.push_back(k);
        balGroot.push_back(a);
        balKlein.push_back(b);
    }
    rij("start with a record of 50 MB to the question to play on (the record read), median of 5, against a record "
        "of one game",
        mediaan(vraagGroot), mediaan(vraagKlein));
    rij("the same on to the first new ball written down", mediaan(balGroot), mediaan(balKlein));
    return true;
}
} // namespace

int main(int argc, char** argv)
{
    zonderScherm();
    QApplication app(argc, argv);
    Melding::zetStil(true);
    QTemporaryDir map(QCoreApplication::applicationDirPath() + QStringLiteral("/verloop-XXXXXX"));
    if (!map.isValid()) return 1;
    // The starts first: right after the many synced appends a start takes several times as
    // long, the same for both kinds, which would hide the difference between them.
    const bool hervat = hervatten(map.path()), getrokken = trekking(map.filePath(QStringLiteral("trekking")));
    const bool goed = grootVerloop(map.path()) && hervat && getrokken;
    regels(map.path());
    return goed ? 0 : 1;
}
