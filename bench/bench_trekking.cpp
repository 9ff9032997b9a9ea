// What a draw costs: the processor time used while a ball blinks, as a share of the time it
// blinks, and the time from the space bar to the first blink phase on screen.
#include "common/algemeen.h"
#include "common/doek_w.h"
#include "common/instellingen.h"
#include "common/melding_w.h"
#include "common/spel.h"
#include "common/toeval.h"
#include "common/wacht.h"
#include "main/main_w.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace
{
// Processor time of the whole process, user and system, in seconds.
double processorTijd()
{
    rusage r{};
    getrusage(RUSAGE_SELF, &r);
    return r.ru_utime.tv_sec + r.ru_utime.tv_usec / 1e6 + r.ru_stime.tv_sec + r.ru_stime.tv_usec / 1e6;
}

struct Aandeel {
    double processor = 0;
    double wand = 0;
    double procent() const { return wand > 0 ? 100.0 * processor / wand : 0; }
};

template <class F> Aandeel meet(F&& f)
{
    QElapsedTimer wand;
    const double p0 = processorTijd();
    wand.start();
    f();
    return {processorTijd() - p0, wand.nsecsElapsed() / 1e9};
}

// Paints the board the moment its paint event arrives, and notes when that painting is done.
class PaintKlok : public QObject
{
public:
    explicit PaintKlok(QWidget* bord) : m_bord(bord) { bord->installEventFilter(this); }
    void start()
    {
        m_geschilderd = -1;
        m_klok.start();
    }
    double ms() const { return m_geschilderd / 1e6; }
    bool klaar() const { return m_geschilderd >= 0; }

protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (o != m_bord || e->type() != QEvent::Paint || m_geschilderd >= 0 || !m_klok.isValid()) return false;
        static_cast<QObject*>(m_bord)->event(e); // QObject::event is public
        m_geschilderd = m_klok.nsecsElapsed();
        return true;
    }

private:
    QWidget* m_bord;
    QElapsedTimer m_klok;
    qint64 m_geschilderd = -1;
};

double mediaan(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

void spatie(QWidget* bord)
{
    QKeyEvent neer(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
    QApplication::sendEvent(bord, &neer);
}

void rij(const char* naam, double gemeten, double basis, const char* eenheid, const char* basisNaam)
{
    std::printf("%s | %.3f %s | %.3f %s (%s) | %.4f\n", naam, gemeten, eenheid, basis, eenheid, basisNaam,
                basis > 0 ? gemeten / basis : 0.0);
    std::fflush(stdout);
}
} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir map;
    Algemeen alg;
    InstellingenBestand bestand(map.path(), map.filePath(QStringLiteral("reserve")));
    Melding::zetStil(true);
    Spel spel;
    Main hoofd(alg, spel, bestand, Toeval::systeem());
    hoofd.zetBeeindiger([] {});
    hoofd.show();
    QApplication::processEvents();

    WachtTempo::zet(0);
    alg.RondeTeller = 1;
    hoofd.NieuwSpel();
    WachtTempo::zet(1);
    QApplication::processEvents();

    // The processor during draws with the start values: 3 cycles of 0.2 s phases.
    alg.KnipperAantal = 3;
    alg.KnipperSnelheid = 2;
    Aandeel trekking;
    for (int i = 0; i < 3; ++i) {
        const Aandeel a = meet([&] { spatie(hoofd.Pic); });
        trekking.processor += a.processor;
        trekking.wand += a.wand;
    }
    // The same time spent the old way: running the events in a loop until the time is up.
    const double duur = trekking.wand / 3;
    const Aandeel draaien = meet([&] {
        QElapsedTimer t;
        t.start();
        while (t.nsecsElapsed() / 1e9 < duur)
            QCoreApplication::processEvents();
    });
    rij("trekking: processor share during a 1.2 s draw", trekking.procent(), draaien.procent(), "%",
        "busy waiting loop");

    // Space bar to the first blink phase painted on the board.
    alg.KnipperAantal = 1;
    alg.KnipperSnelheid = 1;
    PaintKlok klok(hoofd.Pic);
    std::vector<double> trek;
    std::vector<double> kaal;
    for (int i = 0; i < 25; ++i) {
        klok.start();
        spatie(hoofd.Pic);
        if (klok.klaar()) trek.push_back(klok.ms());
        // The bare path of one repaint of the board: the floor under any draw.
        klok.start();
        hoofd.Pic->update();
        QElapsedTimer grens;
        grens.start();
        while (!klok.klaar() && grens.elapsed() < 1000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        if (klok.klaar()) kaal.push_back(klok.ms());
    }
    rij("trekking: space bar to first blink phase painted (median)", mediaan(trek), mediaan(kaal), "ms",
        "bare repaint of the board");
    rij("trekking: space bar to first blink phase painted (median)", mediaan(trek), 1000.0 / 60, "ms",
        "one frame at 60 Hz");
    return trek.size() == 25 ? 0 : 1;
}
