#pragma once

// What the benchmark programs share: timing a step many times, medians and percentiles, the
// processor time of the process, the moment a widget is painted, and the row each prints:
//   name | measured | baseline | ratio

#include "widgets/screen/programma.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QScreen>
#include <QWidget>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

namespace BenchHulp
{

// Benchmarks need no display: the offscreen platform unless the caller chose one.
inline void zonderScherm()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
}

// The value below which the share `deel` of the values lies; 0.5 gives the median.
inline double percentiel(std::vector<double> v, double deel)
{
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, static_cast<size_t>(deel * static_cast<double>(v.size())))];
}

inline double mediaan(std::vector<double> v)
{
    return percentiel(std::move(v), 0.5);
}

// Each of `keer` runs of f, in milliseconds.
inline std::vector<double> tijden(const std::function<void()>& f, int keer)
{
    std::vector<double> uit;
    for (int i = 0; i < keer; ++i) {
        QElapsedTimer klok;
        klok.start();
        f();
        uit.push_back(klok.nsecsElapsed() / 1e6);
    }
    return uit;
}

// The median of `keer` runs of f, in milliseconds.
inline double meet(const std::function<void()>& f, int keer)
{
    return mediaan(tijden(f, keer));
}

// Processor time of the whole process, user and system, in seconds.
inline double processorTijd()
{
    rusage r{};
    getrusage(RUSAGE_SELF, &r);
    return r.ru_utime.tv_sec + r.ru_utime.tv_usec / 1e6 + r.ru_stime.tv_sec + r.ru_stime.tv_usec / 1e6;
}

// One row of the table. The baseline may say what it is, in brackets after its figure.
inline void rij(const char* naam, double gemeten, double basis, const char* eenheid = "ms",
                const char* basisNaam = nullptr)
{
    const double verhouding = basis > 0 ? gemeten / basis : 0.0;
    std::printf("%s | %.3f %s | %.3f %s%s%s%s | %.*f\n", naam, gemeten, eenheid, basis, eenheid, basisNaam ? " (" : "",
                basisNaam ? basisNaam : "", basisNaam ? ")" : "",
                verhouding >= 10    ? 1
                : verhouding >= 0.1 ? 2
                                    : 4,
                verhouding);
    std::fflush(stdout);
}

// Paints a widget the moment its paint event arrives and notes when that painting is done,
// counted from start().
class PaintKlok : public QObject
{
public:
    explicit PaintKlok(QWidget* w) : m_w(w) { w->installEventFilter(this); }
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
        if (o != m_w || e->type() != QEvent::Paint || m_geschilderd >= 0 || !m_klok.isValid()) return false;
        static_cast<QObject*>(m_w)->event(e); // QObject::event is public
        m_geschilderd = m_klok.nsecsElapsed();
        return true;
    }

private:
    QWidget* m_w;
    QElapsedTimer m_klok;
    qint64 m_geschilderd = -1;
};

// The window of what a benchmark makes: a window itself, or the program that owns its stage.
inline QWidget& venster(QWidget& w)
{
    return w;
}
inline QWidget& venster(Programma& p)
{
    return p.hoofd;
}

// Makes a window (or the program with its stage), shows it over its whole screen, runs
// `daarna` (what the program does after showing its window) and lets the events run until
// anything was painted. Milliseconds.
template <class Maak> double totEersteBeeld(Maak&& maak, const std::function<void()>& daarna = {})
{
    struct Verf : QObject {
        bool geverfd = false;
        bool eventFilter(QObject*, QEvent* e) override
        {
            if (e->type() == QEvent::Paint) geverfd = true;
            return false;
        }
    } verf;
    QCoreApplication::instance()->installEventFilter(&verf);
    QElapsedTimer klok;
    klok.start();
    auto eigenaar = maak();
    QWidget& w = venster(*eigenaar);
    w.setGeometry(w.screen()->geometry());
    w.show();
    if (daarna) daarna();
    while (!verf.geverfd)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    const double ms = klok.nsecsElapsed() / 1e6;
    QCoreApplication::instance()->removeEventFilter(&verf);
    return ms;
}

} // namespace BenchHulp
