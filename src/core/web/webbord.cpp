// The server library first: on Windows its Winsock headers must come before anything that
// brings in windows.h.
#include <httplib.h>

#include "core/web/webbord.h"

#include <QFile>
#include <QHostAddress>
#include <QNetworkInterface>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <pthread.h>
#include <sched.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>
#endif

static void laadPagina()
{
    Q_INIT_RESOURCE(web);
}

namespace
{

using Klok = std::chrono::steady_clock;

// The server's threads give way to the program's own: they run only when the stage leaves a
// core free, so a busy room never slows a draw.
void geefVoorrang()
{
#ifdef _WIN32
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_LOWEST);
#else
    sched_param p{};
    if (pthread_setschedparam(pthread_self(), SCHED_IDLE, &p) != 0)
        setpriority(PRIO_PROCESS, static_cast<id_t>(syscall(SYS_gettid)), 19);
#endif
}

std::string bron(const char* pad)
{
    QFile f(QString::fromLatin1(pad));
    if (!f.open(QIODevice::ReadOnly)) return {};
    const QByteArray b = f.readAll();
    return std::string(b.constData(), static_cast<std::size_t>(b.size()));
}

struct Bestand {
    const char* pad;
    std::string inhoud;
    const char* soort;
};

} // namespace

// What the program and the server's threads share: the game's latest JSON and its number,
// behind one mutex, and the word to stop.
struct WebBord::Gedeeld {
    std::mutex slot;
    std::condition_variable veranderd;
    // The program only wakes the messenger; the messenger wakes the open pages.
    std::condition_variable bode;
    quint64 gemeld = 0;
    std::shared_ptr<const std::string> stand = std::make_shared<const std::string>("{}");
    quint64 versie = 1;
    bool stoppen = false;
    std::atomic<bool> stopt{false};
    std::atomic<int> verbindingen{0};
};

namespace
{

// The connections: one thread each, up to a fixed number. A connection beyond it waits to be
// accepted (the system holds it in the listening queue) until one ends. Threads are kept for
// the next connection.
class Wachtrij : public httplib::TaskQueue
{
public:
    Wachtrij(std::size_t grens, std::shared_ptr<WebBord::Gedeeld> gedeeld) : m_grens(grens), m_gedeeld(std::move(gedeeld)) {}

    void enqueue(std::function<void()> taak) override
    {
        std::unique_lock<std::mutex> l(m_slot);
        while (m_actief >= m_grens && !m_gedeeld->stopt)
            m_vrij.wait_for(l, std::chrono::milliseconds(100));
        if (m_gedeeld->stopt) {
            // The server is stopping: the connection is closed at once without being read.
            l.unlock();
            taak();
            return;
        }
        ++m_actief;
        ++m_gedeeld->verbindingen;
        m_taken.push_back(std::move(taak));
        if (m_wachtend < m_taken.size()) m_draden.emplace_back([this] { werk(); });
        m_werk.notify_one();
    }

    void shutdown() override
    {
        {
            std::lock_guard<std::mutex> l(m_slot);
            m_klaar = true;
        }
        m_werk.notify_all();
        for (std::thread& t : m_draden)
            t.join();
    }

private:
    void werk()
    {
        geefVoorrang();
        std::unique_lock<std::mutex> l(m_slot);
        for (;;) {
            ++m_wachtend;
            m_werk.wait(l, [this] { return !m_taken.empty() || m_klaar; });
            --m_wachtend;
            if (m_taken.empty()) return;
            std::function<void()> taak = std::move(m_taken.front());
            m_taken.pop_front();
            l.unlock();
            taak();
            l.lock();
            --m_actief;
            --m_gedeeld->verbindingen;
            m_vrij.notify_one();
        }
    }

    const std::size_t m_grens;
    std::shared_ptr<WebBord::Gedeeld> m_gedeeld;
    std::mutex m_slot;
    std::condition_variable m_werk;
    std::condition_variable m_vrij;
    std::deque<std::function<void()>> m_taken;
    std::vector<std::thread> m_draden;
    std::size_t m_actief = 0;
    std::size_t m_wachtend = 0;
    bool m_klaar = false;
};

} // namespace

struct WebBord::Server {
    httplib::Server http;
};

WebBord::WebBord() : WebBord(Grenzen{}) {}

WebBord::WebBord(Grenzen grenzen) : m_gedeeld(std::make_shared<Gedeeld>()), m_server(std::make_unique<Server>())
{
    laadPagina();
    auto bestanden = std::make_shared<std::vector<Bestand>>(std::vector<Bestand>{
        {"/", bron(":/web/bord.html"), "text/html; charset=utf-8"},
        {"/bord.js", bron(":/web/bord.js"), "text/javascript; charset=utf-8"},
        {"/bord.css", bron(":/web/bord.css"), "text/css; charset=utf-8"},
    });
    httplib::Server& http = m_server->http;
    const auto gedeeld = m_gedeeld;
    const auto grens = static_cast<std::size_t>(std::max(1, grenzen.verbindingen));
    http.new_task_queue = [grens, gedeeld] { return new Wachtrij(grens, gedeeld); };
    // One request per connection: an open connection then never waits for a second one.
    http.set_keep_alive_max_count(1);
    http.set_keep_alive_timeout(grenzen.wachtSeconden);
    http.set_read_timeout(grenzen.wachtSeconden, 0);
    http.set_write_timeout(grenzen.wachtSeconden, 0);
    http.set_payload_max_length(1024);
    http.set_socket_options([](socket_t s) {
        int ja = 1;
#ifdef _WIN32
        // No other program may take the port while Zorvak listens on it.
        setsockopt(s, SOL_SOCKET, SO_EXCLUSIVEADDRUSE, reinterpret_cast<char*>(&ja), sizeof(ja));
#else
        setsockopt(s, SOL_SOCKET, SO_REUSEADDR, &ja, sizeof(ja));
#endif
    });
    http.set_default_headers({{"X-Content-Type-Options", "nosniff"},
                              {"Content-Security-Policy", "default-src 'self'"},
                              {"Cache-Control", "no-store"}});
    const auto hartslag = std::chrono::seconds(std::max(1, grenzen.hartslagSeconden));
    // Every request is answered here, before the library's own routing: nothing else is served.
    http.set_pre_routing_handler([bestanden, gedeeld, hartslag](const httplib::Request& req, httplib::Response& res) {
        const bool lezen = req.method == "GET" || req.method == "HEAD";
        const auto weiger = [&res](int status, const char* tekst) {
            res.status = status;
            res.set_content(tekst, "text/plain; charset=utf-8");
        };
        const bool live = req.path == "/live";
        const bool json = req.path == "/stand.json";
        const Bestand* bestand = nullptr;
        for (const Bestand& b : *bestanden)
            if (req.path == b.pad) bestand = &b;
        if (!live && !json && !bestand) {
            weiger(404, "Niet gevonden\n");
        } else if (!lezen) {
            res.set_header("Allow", "GET, HEAD");
            weiger(405, "Dit bord kan alleen gelezen worden\n");
        } else if (bestand) {
            res.set_content(bestand->inhoud, bestand->soort);
        } else if (json) {
            std::shared_ptr<const std::string> stand;
            {
                std::lock_guard<std::mutex> l(gedeeld->slot);
                stand = gedeeld->stand;
            }
            res.set_content(*stand, "application/json");
        } else {
            res.set_chunked_content_provider("text/event-stream",
                                             [gedeeld, hartslag, gezien = quint64(0)](std::size_t, httplib::DataSink& uit) mutable {
                                                 std::shared_ptr<const std::string> stand;
                                                 {
                                                     std::unique_lock<std::mutex> l(gedeeld->slot);
                                                     gedeeld->veranderd.wait_for(l, hartslag, [&] {
                                                         return gedeeld->stoppen || gedeeld->versie != gezien;
                                                     });
                                                     if (gedeeld->stoppen) return false;
                                                     if (gedeeld->versie != gezien) {
                                                         gezien = gedeeld->versie;
                                                         stand = gedeeld->stand;
                                                     }
                                                 }
                                                 const std::string bericht = stand ? "retry: 2000\ndata: " + *stand + "\n\n"
                                                                                   : std::string("event: tik\ndata: \n\n");
                                                 return uit.write(bericht.data(), bericht.size());
                                             });
        }
        return httplib::Server::HandlerResponse::Handled;
    });
}

WebBord::~WebBord()
{
    stop();
}

bool WebBord::start(int poort, QString* fout)
{
    stop();
    const auto zeg = [fout](const QString& t) {
        if (fout) *fout = t;
        return false;
    };
    if (poort < 0 || poort > 65535) return zeg(QStringLiteral("Poort %1 bestaat niet: kies een poort van 1 tot 65535.").arg(poort));
    {
        std::lock_guard<std::mutex> l(m_gedeeld->slot);
        m_gedeeld->stoppen = false;
    }
    m_gedeeld->stopt = false;
    httplib::Server& http = m_server->http;
    if (poort == 0) {
        poort = http.bind_to_any_port("0.0.0.0");
        if (poort <= 0) return zeg(QStringLiteral("Er is geen vrije poort gevonden voor het bord op het netwerk."));
    } else if (!http.bind_to_port("0.0.0.0", poort)) {
        return zeg(QStringLiteral("Poort %1 kan niet gebruikt worden: een ander programma gebruikt haar al, of het "
                                  "systeem staat haar niet toe. Kies een andere poort (bijvoorbeeld 8080 of 8081).")
                       .arg(poort));
    }
    m_poort = poort;
    m_draad = std::thread([&http] { http.listen_after_bind(); });
    m_bode = std::thread([g = m_gedeeld] {
        geefVoorrang();
        std::unique_lock<std::mutex> l(g->slot);
        for (;;) {
            g->bode.wait(l, [&] { return g->stoppen || g->gemeld != g->versie; });
            if (g->stoppen) return;
            g->gemeld = g->versie;
            l.unlock();
            g->veranderd.notify_all();
            l.lock();
        }
    });
    // stop() can only end a server that has started to listen.
    const auto tot = Klok::now() + std::chrono::seconds(5);
    while (!http.is_running() && Klok::now() < tot)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return true;
}

void WebBord::stop()
{
    if (!m_draad.joinable()) return;
    {
        std::lock_guard<std::mutex> l(m_gedeeld->slot);
        m_gedeeld->stoppen = true;
    }
    m_gedeeld->stopt = true;
    m_gedeeld->veranderd.notify_all();
    m_gedeeld->bode.notify_all();
    m_server->http.stop();
    m_draad.join();
    m_bode.join();
    m_poort = 0;
}

void WebBord::zetStand(const QByteArray& json)
{
    auto stand = std::make_shared<const std::string>(json.constData(), static_cast<std::size_t>(json.size()));
    {
        std::lock_guard<std::mutex> l(m_gedeeld->slot);
        m_gedeeld->stand = std::move(stand);
        ++m_gedeeld->versie;
    }
    m_gedeeld->bode.notify_one();
}

int WebBord::verbindingen() const
{
    return m_gedeeld->verbindingen;
}

QStringList WebBord::adressen(int poort)
{
    QStringList lokaal;
    QStringList overig;
    for (const QNetworkInterface& ni : QNetworkInterface::allInterfaces()) {
        const auto vlag = ni.flags();
        if (!(vlag & QNetworkInterface::IsUp) || !(vlag & QNetworkInterface::IsRunning) ||
            (vlag & QNetworkInterface::IsLoopBack))
            continue;
        for (const QNetworkAddressEntry& a : ni.addressEntries()) {
            const QHostAddress ip = a.ip();
            if (ip.protocol() != QAbstractSocket::IPv4Protocol || ip.isLoopback() || ip.isLinkLocal()) continue;
            const QString adres = QStringLiteral("http://%1:%2/").arg(ip.toString()).arg(poort);
            const bool prive = ip.isInSubnet(QHostAddress(QStringLiteral("10.0.0.0")), 8) ||
                               ip.isInSubnet(QHostAddress(QStringLiteral("172.16.0.0")), 12) ||
                               ip.isInSubnet(QHostAddress(QStringLiteral("192.168.0.0")), 16);
            (prive ? lokaal : overig).append(adres);
        }
    }
    return lokaal + overig;
}
