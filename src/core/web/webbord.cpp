// The server library first: on Windows its Winsock headers must come before anything that
// brings in windows.h.
#include <httplib.h>

#include "core/web/webbord.h"

#include <QFile>
#include <QHostAddress>
#include <QNetworkInterface>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <map>
#include <mutex>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <netdb.h>
#include <poll.h>
#include <pthread.h>
#include <sched.h>
#include <sys/resource.h>
#include <sys/socket.h>
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

// Sent with every answer, refusals included.
const httplib::Headers vasteKoppen = {{"X-Content-Type-Options", "nosniff"},
                                      {"Content-Security-Policy", "default-src 'self'"},
                                      {"Cache-Control", "no-store"}};

// The sockets, on Linux and Winsock alike. Stop shuts every open socket, which wakes each wait
// on it; Winsock is not known to do so for a wait in another thread, so there a wait is cut into
// short slices and the word to stop is heard within one.
#ifdef _WIN32
constexpr long long plakMs = 200;
#else
constexpr long long plakMs = 1LL << 30;
#endif

// 1: the socket can be read (or written), 0: not within ms, -1: broken.
int kijk(socket_t s, bool schrijven, int ms)
{
#ifdef _WIN32
    fd_set set;
    FD_ZERO(&set);
    FD_SET(s, &set);
    timeval tv{ms / 1000, (ms % 1000) * 1000};
    const int n = select(0, schrijven ? nullptr : &set, schrijven ? &set : nullptr, nullptr, &tv);
#else
    pollfd p{s, static_cast<short>(schrijven ? POLLOUT : POLLIN), 0};
    int n;
    do
        n = poll(&p, 1, ms);
    while (n < 0 && errno == EINTR);
#endif
    return n < 0 ? -1 : n > 0 ? 1 : 0;
}

// Waits as kijk does, until tot at the latest; -1 as well when the server stops.
int wacht(socket_t s, bool schrijven, Klok::time_point tot, const std::atomic<bool>& stop)
{
    for (;;) {
        if (stop) return -1;
        const auto rest = std::chrono::duration_cast<std::chrono::milliseconds>(tot - Klok::now()).count();
        if (rest <= 0) return 0;
        const int n = kijk(s, schrijven, static_cast<int>(std::min(static_cast<long long>(rest), plakMs)));
        if (n != 0) return stop ? -1 : n;
    }
}

ssize_t ontvang(socket_t s, char* p, std::size_t n, int vlaggen = 0)
{
#ifdef _WIN32
    return recv(s, p, static_cast<int>(std::min<std::size_t>(n, 1 << 20)), vlaggen);
#else
    ssize_t r;
    do
        r = recv(s, p, n, vlaggen);
    while (r < 0 && errno == EINTR);
    return r;
#endif
}

ssize_t zend(socket_t s, const char* p, std::size_t n)
{
#ifdef _WIN32
    return send(s, p, static_cast<int>(std::min<std::size_t>(n, 1 << 20)), 0);
#else
    // A page that went away must not end the program with SIGPIPE.
    ssize_t r;
    do
        r = send(s, p, n, MSG_NOSIGNAL);
    while (r < 0 && errno == EINTR);
    return r;
#endif
}

void breekAf(socket_t s)
{
#ifdef _WIN32
    shutdown(s, SD_BOTH);
#else
    shutdown(s, SHUT_RDWR);
#endif
}

void sluitSocket(socket_t s)
{
    breekAf(s);
#ifdef _WIN32
    closesocket(s);
#else
    close(s);
#endif
}

// The other end's address as bytes: what the connections are counted by.
std::string adresVan(socket_t s)
{
    sockaddr_storage a{};
    socklen_t n = sizeof a;
    if (getpeername(s, reinterpret_cast<sockaddr*>(&a), &n) != 0) return {};
    if (a.ss_family == AF_INET) {
        const auto* v4 = reinterpret_cast<const sockaddr_in*>(&a);
        return std::string(reinterpret_cast<const char*>(&v4->sin_addr), sizeof v4->sin_addr);
    }
    if (a.ss_family == AF_INET6) {
        const auto* v6 = reinterpret_cast<const sockaddr_in6*>(&a);
        return std::string(reinterpret_cast<const char*>(&v6->sin6_addr), sizeof v6->sin6_addr);
    }
    return {};
}

void ipEnPoort(socket_t s, bool ander, std::string& ip, int& poort)
{
    sockaddr_storage a{};
    socklen_t n = sizeof a;
    const int r = ander ? getpeername(s, reinterpret_cast<sockaddr*>(&a), &n)
                        : getsockname(s, reinterpret_cast<sockaddr*>(&a), &n);
    char host[64];
    char dienst[16];
    if (r != 0 || getnameinfo(reinterpret_cast<const sockaddr*>(&a), n, host, sizeof host, dienst, sizeof dienst,
                              NI_NUMERICHOST | NI_NUMERICSERV) != 0)
        return;
    ip = host;
    poort = std::atoi(dienst);
}

// What came of reading a request's head.
enum class Kop {
    Binnen,  // complete (or a request line the library refuses by itself)
    Stil,    // nothing came within the idle time
    Traag,   // part of it came, the rest not in time
    TeLang,  // a request line beyond the size of a head
    TeGroot, // too many bytes or header lines
    Weg,     // the other end closed, or the server stops
};

// Reads the head of a request into kop, at most kopBytes and kopRegels header lines, by
// uiterlijk and with no more than stilte between its bytes. The library itself caps only the
// length of each header line, one read at a time, not their number nor the time for all.
Kop leesKop(socket_t s, std::string& kop, Klok::time_point uiterlijk, std::chrono::milliseconds stilte,
            const std::atomic<bool>& stop)
{
    constexpr auto grootste = static_cast<std::size_t>(WebBord::kopBytes);
    char stuk[2048];
    std::size_t regelBegin = 0;
    int regels = 0;
    bool verzoekRegel = true;
    auto laatste = Klok::now();
    for (;;) {
        const int r = wacht(s, false, std::min(uiterlijk, laatste + stilte), stop);
        if (r < 0) return Kop::Weg;
        if (r == 0) return kop.empty() ? Kop::Stil : Kop::Traag;
        // One byte beyond the limit shows a head that is too large.
        const ssize_t n = ontvang(s, stuk, std::min(sizeof stuk, grootste + 1 - kop.size()));
        if (n <= 0) return Kop::Weg;
        laatste = Klok::now();
        const std::size_t van = kop.size();
        kop.append(stuk, static_cast<std::size_t>(n));
        for (std::size_t i = van; i < kop.size(); ++i) {
            if (kop[i] != '\n') continue;
            // A line that ends past the limit, the blank one included.
            if (i >= grootste) return verzoekRegel ? Kop::TeLang : Kop::TeGroot;
            const std::size_t lengte = i + 1 - regelBegin;
            const bool crlf = lengte >= 2 && kop[i - 1] == '\r';
            regelBegin = i + 1;
            if (verzoekRegel) {
                verzoekRegel = false;
                // A request line the library cannot read: it answers 400 without reading on.
                if (!crlf || lengte == 2) return Kop::Binnen;
            } else if (lengte == 2 && crlf) {
                return Kop::Binnen;
            } else if (++regels > WebBord::kopRegels) {
                return Kop::TeGroot;
            }
        }
        if (kop.size() > grootste) return verzoekRegel ? Kop::TeLang : Kop::TeGroot;
    }
}

// A short answer of the server's own, before the library has read the request; what the other
// end already sent is read first, so the close does not reset the connection under the answer.
void weigerVooraf(socket_t s, int status, const char* reden, const char* tekst)
{
    std::string a = "HTTP/1.1 " + std::to_string(status) + ' ' + reden + "\r\n";
    for (const auto& k : vasteKoppen)
        a += k.first + ": " + k.second + "\r\n";
    if (status == 503) a += "Retry-After: 2\r\n";
    a += "Content-Type: text/plain; charset=utf-8\r\nContent-Length: " + std::to_string(std::strlen(tekst)) +
         "\r\nConnection: close\r\n\r\n" + tekst;
    if (kijk(s, true, 0) > 0) zend(s, a.data(), a.size());
    char weg[4096];
    for (std::size_t gelezen = 0; gelezen < 65536 && kijk(s, false, 0) > 0; gelezen += sizeof weg)
        if (ontvang(s, weg, sizeof weg) <= 0) break;
}

// A connection as the library reads and writes it: first the head read beforehand, then the
// socket. Every wait ends when the server stops.
class Lijn : public httplib::Stream
{
public:
    Lijn(socket_t s, std::string kop, std::chrono::milliseconds wachttijd, const std::atomic<bool>& stop)
        : m_s(s), m_kop(std::move(kop)), m_wachttijd(wachttijd), m_stop(stop)
    {
    }
    using httplib::Stream::write;
    bool is_readable() const override
    {
        return m_gelezen < m_kop.size() || wacht(m_s, false, Klok::now() + m_wachttijd, m_stop) > 0;
    }
    bool is_writable() const override
    {
        if (wacht(m_s, true, Klok::now() + m_wachttijd, m_stop) <= 0) return false;
        // A page that went away fails the next write already, not only the one after it.
        char c;
        return kijk(m_s, false, 0) == 0 || ontvang(m_s, &c, 1, MSG_PEEK) > 0;
    }
    ssize_t read(char* p, std::size_t n) override
    {
        if (m_gelezen < m_kop.size()) {
            n = std::min(n, m_kop.size() - m_gelezen);
            std::memcpy(p, m_kop.data() + m_gelezen, n);
            m_gelezen += n;
            return static_cast<ssize_t>(n);
        }
        return is_readable() ? ontvang(m_s, p, n) : -1;
    }
    ssize_t write(const char* p, std::size_t n) override { return is_writable() ? zend(m_s, p, n) : -1; }
    void get_remote_ip_and_port(std::string& ip, int& poort) const override { ipEnPoort(m_s, true, ip, poort); }
    void get_local_ip_and_port(std::string& ip, int& poort) const override { ipEnPoort(m_s, false, ip, poort); }
    socket_t socket() const override { return m_s; }

private:
    const socket_t m_s;
    const std::string m_kop;
    std::size_t m_gelezen = 0;
    const std::chrono::milliseconds m_wachttijd;
    const std::atomic<bool>& m_stop;
};

} // namespace

// What the program and the server's threads share: the game's latest JSON and its number,
// behind one mutex, and the word to stop the messenger.
struct WebBord::Gedeeld {
    std::mutex slot;
    std::condition_variable veranderd;
    // The program only wakes the messenger; the messenger wakes the open pages.
    std::condition_variable bode;
    quint64 gemeld = 0;
    std::shared_ptr<const std::string> stand = std::make_shared<const std::string>("{}");
    quint64 versie = 1;
    bool stoppen = false;
};

struct WebBord::Bestanden {
    std::vector<Bestand> lijst;
};

namespace
{

// The connections: one thread each, up to a fixed number. A connection beyond it waits to be
// accepted (the system holds it in the listening queue) until one ends. Threads are kept for
// the next connection.
class Wachtrij : public httplib::TaskQueue
{
public:
    Wachtrij(std::size_t grens, const std::atomic<bool>& stopt, std::atomic<int>& verbindingen)
        : m_grens(grens), m_stopt(stopt), m_verbindingen(verbindingen)
    {
    }

    void enqueue(std::function<void()> taak) override
    {
        std::unique_lock<std::mutex> l(m_slot);
        while (m_actief >= m_grens && !m_stopt)
            m_vrij.wait_for(l, std::chrono::milliseconds(100));
        if (m_stopt) {
            // The server is stopping: the connection is closed at once without being read.
            l.unlock();
            taak();
            return;
        }
        ++m_actief;
        ++m_verbindingen;
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
            --m_verbindingen;
            m_vrij.notify_one();
        }
    }

    const std::size_t m_grens;
    const std::atomic<bool>& m_stopt;
    std::atomic<int>& m_verbindingen;
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

// One run of the server. It reads each request's head itself and only then hands the
// connection to the library; it keeps every connection's socket until it has closed it, so
// stop can shut them all.
struct WebBord::Server : httplib::Server {
    Server(const Grenzen& g, std::shared_ptr<Gedeeld> d)
        : grenzen(g),
          // Streams never take the last eighth of the connections: the page and the game can
          // always be had.
          maxStromen(g.verbindingen > 1 ? g.verbindingen - std::max(1, g.verbindingen / 8) : 1), gedeeld(std::move(d))
    {
    }

    // The word to stop: every open connection is shut, the streams end, nothing new is accepted.
    void sluit()
    {
        {
            std::lock_guard<std::mutex> l(slot);
            stopt = true;
            for (socket_t s : open)
                breekAf(s);
        }
        // The streams wait on the game's mutex: through it, none misses the word.
        {
            std::lock_guard<std::mutex> l(gedeeld->slot);
        }
        gedeeld->veranderd.notify_all();
        stop();
    }

    // Room for a burst of phones that scan the code at once (the library listens with a queue
    // of five): a whole hall's phones fit in the queue together, so none waits for its
    // connection to be tried again. 128 overflowed with 200 phones on a busy machine.
    void ruimeWachtrij()
    {
#ifndef _WIN32
        ::listen(svr_sock_, wachtrijLengte);
#endif
    }
    static constexpr int wachtrijLengte = 1024;

    struct Bezetting {
        int paginas = 0; // connections that are read or answered
        int stromen = 0; // streams of open pages
    };

    const Grenzen grenzen;
    const int maxStromen;
    const std::shared_ptr<Gedeeld> gedeeld;
    std::atomic<bool> stopt{false};
    std::atomic<int> verbindingen{0};
    std::mutex slot;
    std::vector<socket_t> open;
    std::map<std::string, Bezetting> bezet;
    int stromen = 0;

private:
    bool process_and_close_socket(socket_t s) override;
};

namespace
{

// A connection's place: counted for its address while it is open, as a page request or, once
// it is one, as a stream. Its socket is closed here, after it has left the open ones.
class Plaats
{
public:
    Plaats(WebBord::Server& server, socket_t s) : m_server(server), m_s(s), m_adres(adresVan(s))
    {
        std::lock_guard<std::mutex> l(m_server.slot);
        m_server.open.push_back(s);
        if (m_server.stopt) return;
        WebBord::Server::Bezetting& b = m_server.bezet[m_adres];
        if (b.paginas >= m_server.grenzen.perAdres) return;
        ++b.paginas;
        binnen = true;
    }
    ~Plaats()
    {
        {
            std::lock_guard<std::mutex> l(m_server.slot);
            m_server.open.erase(std::find(m_server.open.begin(), m_server.open.end(), m_s));
            auto b = m_server.bezet.find(m_adres);
            if (binnen && m_stroom) {
                --b->second.stromen;
                --m_server.stromen;
            } else if (binnen) {
                --b->second.paginas;
            }
            if (b != m_server.bezet.end() && b->second.paginas == 0 && b->second.stromen == 0) m_server.bezet.erase(b);
        }
        sluitSocket(m_s);
    }
    Plaats(const Plaats&) = delete;
    Plaats& operator=(const Plaats&) = delete;

    // The request is a stream: from now on it counts among the streams, of its address and in
    // all, and no longer among the page requests. False when either is full.
    bool wordStroom()
    {
        std::lock_guard<std::mutex> l(m_server.slot);
        WebBord::Server::Bezetting& b = m_server.bezet[m_adres];
        if (m_stroom) return true;
        if (b.stromen >= m_server.grenzen.perAdres || m_server.stromen >= m_server.maxStromen) return false;
        --b.paginas;
        ++b.stromen;
        ++m_server.stromen;
        m_stroom = true;
        return true;
    }

    bool binnen = false;

private:
    WebBord::Server& m_server;
    const socket_t m_s;
    const std::string m_adres;
    bool m_stroom = false;
};

// The connection that the library is answering on this thread.
thread_local Plaats* t_plaats = nullptr;

} // namespace

bool WebBord::Server::process_and_close_socket(socket_t s)
{
    const auto begin = Klok::now();
    Plaats plaats(*this, s);
    if (!plaats.binnen) {
        if (!stopt)
            weigerVooraf(s, 503, "Service Unavailable", "Te veel verbindingen vanaf dit adres; probeer het zo weer.\n");
        return false;
    }
    const std::chrono::milliseconds stilte(std::max(1, grenzen.wachtSeconden) * 1000);
    std::string kop;
    switch (leesKop(s, kop, begin + std::chrono::seconds(std::max(1, grenzen.kopSeconden)), stilte, stopt)) {
    case Kop::Binnen: {
        Lijn lijn(s, std::move(kop), stilte, stopt);
        bool gesloten = false;
        t_plaats = &plaats;
        const bool goed = process_request(lijn, true, gesloten, nullptr);
        t_plaats = nullptr;
        return goed;
    }
    case Kop::TeLang:
        weigerVooraf(s, 414, "URI Too Long", "Het adres in het verzoek is te lang.\n");
        break;
    case Kop::TeGroot:
        weigerVooraf(s, 431, "Request Header Fields Too Large", "Het verzoek heeft te veel of te lange kopregels.\n");
        break;
    case Kop::Traag:
        weigerVooraf(s, 408, "Request Timeout", "Het verzoek kwam te traag binnen.\n");
        break;
    case Kop::Stil:
    case Kop::Weg:
        break;
    }
    return false;
}

WebBord::WebBord() : WebBord(Grenzen{}) {}

WebBord::WebBord(Grenzen grenzen) : m_grenzen(grenzen), m_gedeeld(std::make_shared<Gedeeld>())
{
    laadPagina();
    m_bestanden = std::make_shared<const Bestanden>(Bestanden{{
        {"/", bron(":/web/bord.html"), "text/html; charset=utf-8"},
        {"/bord.js", bron(":/web/bord.js"), "text/javascript; charset=utf-8"},
        {"/bord.css", bron(":/web/bord.css"), "text/css; charset=utf-8"},
    }});
}

WebBord::~WebBord()
{
    stop();
}

namespace
{

void richtIn(WebBord::Server& http, const WebBord::Grenzen& grenzen,
             std::shared_ptr<const std::vector<Bestand>> bestanden, std::shared_ptr<WebBord::Gedeeld> gedeeld)
{
    WebBord::Server* server = &http;
    const auto grens = static_cast<std::size_t>(std::max(1, grenzen.verbindingen));
    http.new_task_queue = [grens, server] { return new Wachtrij(grens, server->stopt, server->verbindingen); };
    // The timeouts of the library's own sockets; each request's head is read under the
    // server's own limits (leesKop), and one request is answered per connection.
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
    http.set_default_headers(vasteKoppen);
    const auto hartslag = std::chrono::seconds(std::max(1, grenzen.hartslagSeconden));
    // Every request is answered here, before the library's own routing: nothing else is served.
    http.set_pre_routing_handler(
        [bestanden, gedeeld, hartslag, server](const httplib::Request& req, httplib::Response& res) {
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
            } else if (!t_plaats || !t_plaats->wordStroom()) {
                // The page tries again by itself.
                res.set_header("Retry-After", "2");
                weiger(503, "Te veel open borden; probeer het zo weer.\n");
            } else {
                res.set_chunked_content_provider("text/event-stream", [gedeeld, server, hartslag, gezien = quint64(0)](
                                                                          std::size_t, httplib::DataSink& uit) mutable {
                    std::shared_ptr<const std::string> stand;
                    {
                        std::unique_lock<std::mutex> l(gedeeld->slot);
                        gedeeld->veranderd.wait_for(l, hartslag,
                                                    [&] { return server->stopt || gedeeld->versie != gezien; });
                        if (server->stopt) return false;
                        if (gedeeld->versie != gezien) {
                            gezien = gedeeld->versie;
                            stand = gedeeld->stand;
                        }
                    }
                    const std::string bericht =
                        stand ? "retry: 2000\ndata: " + *stand + "\n\n" : std::string("event: tik\ndata: \n\n");
                    return uit.write(bericht.data(), bericht.size());
                });
            }
            return httplib::Server::HandlerResponse::Handled;
        });
}

} // namespace

bool WebBord::start(int poort, QString* fout)
{
    stop();
    const auto zeg = [fout](const QString& t) {
        if (fout) *fout = t;
        return false;
    };
    if (poort < 0 || poort > 65535)
        return zeg(QStringLiteral("Poort %1 bestaat niet: kies een poort van 1 tot 65535.").arg(poort));
    auto server = std::make_shared<Server>(m_grenzen, m_gedeeld);
    richtIn(*server, m_grenzen, std::shared_ptr<const std::vector<Bestand>>(m_bestanden, &m_bestanden->lijst),
            m_gedeeld);
    if (poort == 0) {
        poort = server->bind_to_any_port("0.0.0.0");
        if (poort <= 0) return zeg(QStringLiteral("Er is geen vrije poort gevonden voor het bord op het netwerk."));
    } else if (!server->bind_to_port("0.0.0.0", poort)) {
        return zeg(QStringLiteral("Poort %1 kan niet gebruikt worden: een ander programma gebruikt haar al, of het "
                                  "systeem staat haar niet toe. Kies een andere poort (bijvoorbeeld 8080 of 8081).")
                       .arg(poort));
    }
    server->ruimeWachtrij();
    {
        std::lock_guard<std::mutex> l(m_gedeeld->slot);
        m_gedeeld->stoppen = false;
    }
    m_server = server;
    m_poort = poort;
    // The thread keeps the server until its last connection has ended, also when stop no
    // longer waits for it.
    std::promise<void> klaar;
    m_draadKlaar = klaar.get_future();
    m_draad = std::thread([server, klaar = std::move(klaar)]() mutable {
        server->listen_after_bind();
        server.reset();
        klaar.set_value();
    });
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
    while (!server->is_running() && Klok::now() < tot)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return true;
}

void WebBord::stop()
{
    if (!m_server) return;
    {
        std::lock_guard<std::mutex> l(m_gedeeld->slot);
        m_gedeeld->stoppen = true;
    }
    m_gedeeld->bode.notify_all();
    m_server->sluit();
    m_bode.join();
    // Every connection is shut, so its thread ends at once; should one not, it ends later by
    // itself, with the server it keeps, while the program goes on.
    if (m_draadKlaar.wait_for(std::chrono::seconds(1)) == std::future_status::ready)
        m_draad.join();
    else
        m_draad.detach();
    m_server.reset();
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
    return m_server ? m_server->verbindingen.load() : 0;
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
