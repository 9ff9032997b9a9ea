// The board's connections, against devices that misbehave: the sockets on Linux and Winsock,
// the head of each request read within its limits before the library sees it, the threads of
// the connections, and the share of each address and of the open pages' streams. What is
// served, and the server's start and stop, are in webbord.cpp.
#include "core/web/webbord_intern.h"

#include <algorithm>
#include <cstring>
#include <deque>

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

using WebBordIntern::Klok;

void WebBordIntern::geefVoorrang()
{
#ifdef _WIN32
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_LOWEST);
#else
    sched_param p{};
    if (pthread_setschedparam(pthread_self(), SCHED_IDLE, &p) != 0)
        setpriority(PRIO_PROCESS, static_cast<id_t>(syscall(SYS_gettid)), 19);
#endif
}

namespace
{

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
        WebBordIntern::geefVoorrang();
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

WebBord::Server::Server(const Grenzen& g, std::shared_ptr<Gedeeld> d)
    : grenzen(g),
      // Streams never take the last eighth of the connections: the page and the game can
      // always be had.
      maxStromen(g.verbindingen > 1 ? g.verbindingen - std::max(1, g.verbindingen / 8) : 1), gedeeld(std::move(d))
{
    const auto grens = static_cast<std::size_t>(std::max(1, g.verbindingen));
    new_task_queue = [grens, this] { return new Wachtrij(grens, stopt, verbindingen); };
    // The timeouts of the library's own sockets; each request's head is read under the
    // server's own limits (leesKop), and one request is answered per connection.
    set_read_timeout(g.wachtSeconden, 0);
    set_write_timeout(g.wachtSeconden, 0);
    set_payload_max_length(1024);
    set_socket_options([](socket_t s) {
        int ja = 1;
#ifdef _WIN32
        // No other program may take the port while Zorvak listens on it.
        setsockopt(s, SOL_SOCKET, SO_EXCLUSIVEADDRUSE, reinterpret_cast<char*>(&ja), sizeof(ja));
#else
        setsockopt(s, SOL_SOCKET, SO_REUSEADDR, &ja, sizeof(ja));
#endif
    });
    set_default_headers(vasteKoppen);
}

void WebBord::Server::sluit()
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

void WebBord::Server::ruimeWachtrij()
{
#ifndef _WIN32
    ::listen(svr_sock_, wachtrijLengte);
#endif
}

bool WebBord::Server::maakStroom()
{
    return t_plaats && t_plaats->wordStroom();
}

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
