// The board on the network under a full hall: 200 pages following the game on loopback, each
// following three of the players' printed cards. How long the pages take to get their cards, how
// long a drawn ball takes to reach the last of them (a page marks its cards from that change),
// and what they cost the space bar; how long
// 200 phones wait for the page when they all open it at once. Then the board beside hostile
// devices: how long a phone waits for the game while 300 slow devices hang on, and how long
// stopping takes with them connected.
#include "benchhulp.h"
#include "benchspel.h"

#include "core/cards/kaartregister.h"
#include "core/common/toeval.h"
#include "core/common/wacht.h"
#include "core/settings/algemeen.h"
#include "core/web/webbord.h"
#include "core/web/webvoeding.h"
#include "widgets/game/bord.h"

#include <QApplication>
#include <QKeyEvent>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <future>
#include <limits>
#include <map>
#include <mutex>
#include <string>
#include <thread>

using namespace BenchHulp;
using Klok = std::chrono::steady_clock;

namespace
{
void spatie(QWidget* bord)
{
    QKeyEvent neer(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
    QApplication::sendEvent(bord, &neer);
}

// The pages: one thread reading every stream, noting when each page first saw each ball count.
class Kijkers
{
public:
    Kijkers(int poort, int aantal) : m_aantal(aantal)
    {
        for (int i = 0; i < aantal; ++i) {
            const int s = socket(AF_INET, SOCK_STREAM, 0);
            // Each page a phone of its own, as in the hall: the server counts streams per address.
            sockaddr_in eigen{};
            eigen.sin_family = AF_INET;
            eigen.sin_addr.s_addr = htonl(INADDR_LOOPBACK + 256 + static_cast<uint32_t>(i));
            if (::bind(s, reinterpret_cast<sockaddr*>(&eigen), sizeof eigen) != 0) {
                close(s);
                continue;
            }
            sockaddr_in a{};
            a.sin_family = AF_INET;
            a.sin_port = htons(static_cast<uint16_t>(poort));
            a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
            if (::connect(s, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) continue;
            const char verzoek[] = "GET /live HTTP/1.1\r\nHost: zaal\r\n\r\n";
            if (::send(s, verzoek, sizeof verzoek - 1, 0) < 0) continue;
            m_pagina.push_back({s, {}});
        }
        m_draad = std::thread([this] { lees(); });
    }
    ~Kijkers()
    {
        m_stop = true;
        m_draad.join();
        for (auto& p : m_pagina)
            close(p.sok);
    }
    int verbonden() const { return static_cast<int>(m_pagina.size()); }
    // How many pages have seen `aantal` balls, and when the last of them saw it.
    int gezien(int aantal, Klok::time_point* laatste)
    {
        std::lock_guard<std::mutex> l(m_slot);
        const auto& tijden = m_gezien[aantal];
        if (laatste && !tijden.empty()) *laatste = *std::max_element(tijden.begin(), tijden.end());
        return static_cast<int>(tijden.size());
    }

private:
    struct Pagina {
        int sok;
        std::string buffer;
    };
    void lees()
    {
        std::vector<pollfd> fds;
        for (auto& p : m_pagina)
            fds.push_back({p.sok, POLLIN, 0});
        char stuk[8192];
        while (!m_stop) {
            if (poll(fds.data(), fds.size(), 50) <= 0) continue;
            const auto nu = Klok::now();
            for (std::size_t i = 0; i < fds.size(); ++i) {
                if (!(fds[i].revents & POLLIN)) continue;
                const ssize_t n = recv(fds[i].fd, stuk, sizeof stuk, 0);
                if (n <= 0) {
                    fds[i].fd = -1;
                    continue;
                }
                std::string& b = m_pagina[i].buffer;
                b.append(stuk, static_cast<std::size_t>(n));
                for (std::size_t plek; (plek = b.find("\"aantal\":")) != std::string::npos;) {
                    const int aantal = std::atoi(b.c_str() + plek + 9);
                    b.erase(0, plek + 9);
                    std::lock_guard<std::mutex> l(m_slot);
                    m_gezien[aantal].push_back(nu);
                }
                if (b.size() > 64) b.erase(0, b.size() - 64);
            }
        }
    }

    int m_aantal;
    std::vector<Pagina> m_pagina;
    std::thread m_draad;
    std::atomic<bool> m_stop{false};
    std::mutex m_slot;
    std::map<int, std::vector<Klok::time_point>> m_gezien;
};

// A connection to the board from the loopback address van; -1 when it cannot be made.
int verbind(int poort, uint32_t van)
{
    const int s = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in eigen{};
    eigen.sin_family = AF_INET;
    eigen.sin_addr.s_addr = htonl(van);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(static_cast<uint16_t>(poort));
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::bind(s, reinterpret_cast<sockaddr*>(&eigen), sizeof eigen) != 0 ||
        ::connect(s, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) {
        close(s);
        return -1;
    }
    return s;
}

// A phone at address van asking for pad on a new connection: milliseconds from connecting until
// the answer's end (the server closes), or -1.
double vraag(int poort, uint32_t van, const char* pad)
{
    const auto t0 = Klok::now();
    const int s = verbind(poort, van);
    if (s < 0) return -1;
    const std::string verzoek = std::string("GET ") + pad + " HTTP/1.1\r\nHost: zaal\r\n\r\n";
    std::string antwoord;
    if (::send(s, verzoek.data(), verzoek.size(), MSG_NOSIGNAL) > 0) {
        char stuk[4096];
        pollfd p{s, POLLIN, 0};
        for (ssize_t n = 1; n > 0 && poll(&p, 1, 10000) > 0;)
            if ((n = recv(s, stuk, sizeof stuk, 0)) > 0) antwoord.append(stuk, static_cast<std::size_t>(n));
    }
    close(s);
    const double ms = std::chrono::duration<double, std::milli>(Klok::now() - t0).count();
    return antwoord.compare(0, 12, "HTTP/1.1 200") == 0 ? ms : -1;
}

// A phone asking for the game.
double vraagSpel(int poort)
{
    return vraag(poort, INADDR_LOOPBACK + 1, "/stand.json");
}

// A hall's phones opening the board at once: each from an address of its own, all starting
// together, each `keer` times in a row a new connection that asks for the page, reads the answer
// to its end and closes. The time of every request, one that was not answered counted as
// endless, and how many were not.
struct Stoot {
    std::vector<double> ms;
    int mislukt = 0;
};
Stoot stoot(int poort, int telefoons, int keer)
{
    std::vector<std::vector<double>> per(static_cast<std::size_t>(telefoons));
    std::atomic<int> mislukt{0};
    std::promise<void> start;
    const std::shared_future<void> los = start.get_future().share();
    std::vector<std::thread> draden;
    for (int i = 0; i < telefoons; ++i)
        draden.emplace_back([&, los, i] {
            los.wait();
            for (int k = 0; k < keer; ++k) {
                const double ms = vraag(poort, INADDR_LOOPBACK + 1024 + static_cast<uint32_t>(i), "/");
                if (ms < 0) ++mislukt;
                per[static_cast<std::size_t>(i)].push_back(ms < 0 ? std::numeric_limits<double>::infinity() : ms);
            }
        });
    start.set_value();
    for (std::thread& t : draden)
        t.join();
    Stoot uit;
    for (const auto& tijden : per)
        uit.ms.insert(uit.ms.end(), tijden.begin(), tijden.end());
    uit.mislukt = mislukt;
    return uit;
}

// Devices that send the start of a request and no more, all from 127.0.0.1.
std::vector<int> trageApparaten(int poort, int aantal)
{
    std::vector<int> uit;
    for (int i = 0; i < aantal; ++i) {
        const int s = verbind(poort, INADDR_LOOPBACK);
        const char begin[] = "GET / HTTP/1.1\r\nX-Traag: ";
        if (s >= 0 && ::send(s, begin, sizeof begin - 1, MSG_NOSIGNAL) > 0)
            uit.push_back(s);
        else if (s >= 0)
            close(s);
    }
    return uit;
}

// The pages of Kijkers, each asking for its three cards from its own address, all at once:
// the time of every card's request, one that was not answered counted as endless.
std::vector<double> haalKaarten(int poort, int paginas)
{
    std::vector<std::vector<double>> per(static_cast<std::size_t>(paginas));
    std::vector<std::thread> draden;
    for (int i = 0; i < paginas; ++i)
        draden.emplace_back([&per, poort, i] {
            for (int k = 1; k <= 3; ++k) {
                const std::string pad = "/kaart/A-" + std::to_string(3 * i + k) + ".json";
                const double ms = vraag(poort, INADDR_LOOPBACK + 256 + static_cast<uint32_t>(i), pad.c_str());
                per[static_cast<std::size_t>(i)].push_back(ms < 0 ? std::numeric_limits<double>::infinity() : ms);
            }
        });
    for (std::thread& t : draden)
        t.join();
    std::vector<double> uit;
    for (const auto& tijden : per)
        uit.insert(uit.end(), tijden.begin(), tijden.end());
    return uit;
}

void nieuwSpel(Avond& avond)
{
    WachtTempo::zet(0);
    avond.NieuwSpel();
    WachtTempo::zet(1);
    QApplication::processEvents();
}

std::vector<double> spatieTotKnipper(BenchSpel& b, int keer)
{
    PaintKlok klok(b.hoofd.Pic);
    std::vector<double> uit;
    for (int i = 0; i < keer; ++i) {
        klok.start();
        spatie(b.hoofd.Pic);
        if (klok.klaar()) uit.push_back(klok.ms());
        // A moment between two balls, in which the pages hear of this one.
        QElapsedTimer tussen;
        tussen.start();
        while (tussen.elapsed() < 20)
            QApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return uit;
}
} // namespace

int main(int argc, char** argv)
{
    zonderScherm();
    QApplication app(argc, argv);
    BenchSpel b;
    b.alg.KnipperAantal = 1;
    b.alg.KnipperSnelheid = 1;
    constexpr int aantalKijkers = 200;
    // The cards the pages follow: three each, printed before the evening.
    {
        KaartRegister reg(KaartRegister::padIn(b.map.path()));
        VasteToeval kans(5);
        const auto reeks = reg.registreer(KaartSoort::Bingo75, QStringLiteral("A"), aantalKijkers / 2, kans);
        if (!reeks || !reg.bevestig(*reeks, reeks->laatste()) || !reg.rondAf(*reeks)) return 1;
    }
    QString fout;
    if (!b.avond.web().zet({true, 0}, false, &fout)) {
        std::fprintf(stderr, "%s\n", qPrintable(fout));
        return 1;
    }
    const int poort = b.avond.web().bord()->poort();

    // Every page has the game before the first draw.
    const auto allenBij = [](Kijkers& k, int aantal) {
        QElapsedTimer wacht;
        wacht.start();
        while (k.gezien(aantal, nullptr) < k.verbonden() && wacht.elapsed() < 10000)
            QApplication::processEvents(QEventLoop::AllEvents, 5);
    };

    std::vector<double> totLaatste;
    std::vector<double> kaartTijden;
    int gemist = 0;
    int verbonden = 0;
    {
        nieuwSpel(b.avond);
        Kijkers kijkers(poort, aantalKijkers);
        verbonden = kijkers.verbonden();
        allenBij(kijkers, 0);
        kaartTijden = haalKaarten(poort, aantalKijkers);
        for (int bal = 1; bal <= 40; ++bal) {
            const auto t0 = Klok::now();
            spatie(b.hoofd.Pic);
            Klok::time_point laatste;
            QElapsedTimer grens;
            grens.start();
            while (kijkers.gezien(bal, &laatste) < kijkers.verbonden() && grens.elapsed() < 5000)
                QApplication::processEvents(QEventLoop::AllEvents, 1);
            if (kijkers.gezien(bal, &laatste) < kijkers.verbonden()) ++gemist;
            totLaatste.push_back(std::chrono::duration<double, std::milli>(laatste - t0).count());
        }
    }

    // The space bar with the pages open and without them, in turns, each turn the first 15 balls
    // of a new game, so the machine's other work weighs on both alike.
    std::vector<double> zonder;
    std::vector<double> met;
    for (int beurt = 0; beurt < 4; ++beurt) {
        nieuwSpel(b.avond);
        for (double ms : spatieTotKnipper(b, 15))
            zonder.push_back(ms);
        nieuwSpel(b.avond);
        Kijkers kijkers(poort, aantalKijkers);
        allenBij(kijkers, 0);
        // The pages get their cards again, as a page opened anew does.
        haalKaarten(poort, aantalKijkers);
        for (double ms : spatieTotKnipper(b, 15))
            met.push_back(ms);
        // The pages have every ball before they go.
        allenBij(kijkers, 15);
    }

    std::printf("(%d of %d pages connected, %d draws not seen by every page)\n", verbonden, aantalKijkers, gemist);
    rij("web: draw to the last of 200 pages having it (median of 40 draws)", mediaan(totLaatste), 1000, "ms",
        "one second");
    const long onbeantwoord = std::count(kaartTijden.begin(), kaartTijden.end(), std::numeric_limits<double>::infinity());
    std::printf("(%ld of %zu card requests not answered)\n", onbeantwoord, kaartTijden.size());
    rij("web: a card asked by 200 pages at once, three each (99th percentile of 600)", percentiel(kaartTijden, 0.99),
        250, "ms", "250 ms");
    rij("web: draw to the last of 200 pages following 3 cards having it (99th percentile, target: at most 250 ms)",
        percentiel(totLaatste, 0.99), 250, "ms", "250 ms");
    rij("web: space bar to first blink phase painted with 200 pages open (median of 60, target: at most 1.1)",
        mediaan(met), mediaan(zonder), "ms", "without pages");

    // 200 phones opening the page at once, each request on a new connection, against one phone
    // alone; a burst that overflows the listening queue shows in the slowest, as connections tried
    // again after a second.
    std::vector<double> eenTelefoon;
    for (int keer = 0; keer < 50; ++keer)
        eenTelefoon.push_back(vraag(poort, INADDR_LOOPBACK + 1, "/"));
    const Stoot zaal = stoot(poort, 200, 100);
    std::printf("(%d of %zu page requests of 200 phones not answered)\n", zaal.mislukt, zaal.ms.size());
    rij("web: the page asked by 200 phones at once, a new connection each time (median of 20,000)", mediaan(zaal.ms),
        mediaan(eenTelefoon), "ms", "one phone alone");
    rij("web: the same, 99th percentile (target: at most 250 ms)", percentiel(zaal.ms, 0.99), 250, "ms", "250 ms");

    // A phone beside slow devices, against the same phone alone; each round of slow devices is
    // new, as the board cuts them off after the time for a head.
    std::vector<double> alleen;
    std::vector<double> ernaast;
    int mislukt = 0;
    for (int beurt = 0; beurt < 20; ++beurt) {
        const double a = vraagSpel(poort);
        std::vector<int> traag = trageApparaten(poort, 300);
        const double b = vraagSpel(poort);
        for (int s : traag)
            close(s);
        if (a < 0 || b < 0) ++mislukt;
        alleen.push_back(a);
        ernaast.push_back(b);
    }
    // Stopping with 30 slow devices and 200 pages open.
    std::vector<double> stoppen;
    for (int beurt = 0; beurt < 5; ++beurt) {
        WebBord bord;
        if (!bord.start(0)) return 1;
        Kijkers kijkers(bord.poort(), aantalKijkers);
        std::vector<int> traag = trageApparaten(bord.poort(), 30);
        QElapsedTimer wacht;
        wacht.start();
        while (bord.verbindingen() < kijkers.verbonden() + 16 && wacht.elapsed() < 5000)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        const auto t0 = Klok::now();
        bord.stop();
        stoppen.push_back(std::chrono::duration<double, std::milli>(Klok::now() - t0).count());
        for (int s : traag)
            close(s);
    }

    std::printf("(%d of 20 rounds of the phone beside slow devices failed)\n", mislukt);
    rij("web: a phone's GET of the game beside 300 slow devices of one address (median of 20)", mediaan(ernaast),
        mediaan(alleen), "ms", "the phone alone");
    rij("web: the same, slowest of 20", *std::max_element(ernaast.begin(), ernaast.end()), 2000, "ms", "two seconds");
    rij("web: stop with 200 pages and 30 slow devices open (slowest of 5)",
        *std::max_element(stoppen.begin(), stoppen.end()), 1000, "ms", "one second");
    return verbonden == aantalKijkers && gemist == 0 && mislukt == 0 && onbeantwoord == 0 ? 0 : 1;
}
