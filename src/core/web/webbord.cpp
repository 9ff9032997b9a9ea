// The board on the network: what it serves (the page, its script and style, the game as JSON
// and the stream of its changes), the server's start and stop, and the addresses at which the
// hall finds it. The connections and their limits are in webbord_verbinding.cpp.
// The server library first (in webbord_intern.h): on Windows its Winsock headers must come
// before anything that brings in windows.h.
#include "core/web/webbord_intern.h"

#include "core/web/webkaarten.h"

#include <QFile>
#include <QHostAddress>
#include <QNetworkInterface>

#include <algorithm>
#include <vector>

using WebBordIntern::Klok;

static void laadPagina()
{
    Q_INIT_RESOURCE(web);
}

namespace
{

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

struct WebBord::Bestanden {
    std::vector<Bestand> lijst;
};

WebBord::WebBord() : WebBord(Grenzen{}) {}

WebBord::WebBord(Grenzen grenzen) : m_grenzen(grenzen), m_gedeeld(std::make_shared<Gedeeld>())
{
    laadPagina();
    m_bestanden = std::make_shared<const Bestanden>(Bestanden{{
        {"/", bron(":/web/bord.html"), "text/html; charset=utf-8"},
        {"/bord.js", bron(":/web/bord.js"), "text/javascript; charset=utf-8"},
        {"/bord.css", bron(":/web/bord.css"), "text/css; charset=utf-8"},
        {"/kaarten.js", bron(":/web/kaarten.js"), "text/javascript; charset=utf-8"},
    }});
}

WebBord::~WebBord()
{
    stop();
}

namespace
{

// The number in a card's path, "/kaart/A-0017.json"; empty when the path is none.
QString kaartNummerIn(const std::string& pad)
{
    static const std::string begin = "/kaart/", eind = ".json";
    if (pad.size() <= begin.size() + eind.size() || pad.compare(0, begin.size(), begin) != 0 ||
        pad.compare(pad.size() - eind.size(), eind.size(), eind) != 0)
        return {};
    const std::string midden = pad.substr(begin.size(), pad.size() - begin.size() - eind.size());
    // The library has decoded the path already.
    return QString::fromUtf8(midden.data(), static_cast<int>(midden.size()));
}

// What the server answers; it was made with its limits (webbord_verbinding.cpp).
void richtIn(WebBord::Server& http, const WebBord::Grenzen& grenzen,
             std::shared_ptr<const std::vector<Bestand>> bestanden, std::shared_ptr<WebBord::Gedeeld> gedeeld,
             std::shared_ptr<WebKaarten> kaarten)
{
    WebBord::Server* server = &http;
    const auto hartslag = std::chrono::seconds(std::max(1, grenzen.hartslagSeconden));
    // Every request is answered here, before the library's own routing: nothing else is served.
    http.set_pre_routing_handler(
        [bestanden, gedeeld, hartslag, server, kaarten](const httplib::Request& req, httplib::Response& res) {
            const bool lezen = req.method == "GET" || req.method == "HEAD";
            const auto weiger = [&res](int status, const char* tekst) {
                res.status = status;
                res.set_content(tekst, "text/plain; charset=utf-8");
            };
            const bool live = req.path == "/live";
            const bool json = req.path == "/stand.json";
            const bool series = kaarten && req.path == "/series.json";
            const QString kaart = kaarten ? kaartNummerIn(req.path) : QString();
            const Bestand* bestand = nullptr;
            for (const Bestand& b : *bestanden)
                if (req.path == b.pad) bestand = &b;
            if (!live && !json && !bestand && !series && kaart.isEmpty()) {
                weiger(404, "Niet gevonden\n");
            } else if (!lezen) {
                res.set_header("Allow", "GET, HEAD");
                weiger(405, "Dit bord kan alleen gelezen worden\n");
            } else if (bestand) {
                res.set_content(bestand->inhoud, bestand->soort);
            } else if (series || !kaart.isEmpty()) {
                const WebKaarten::Antwoord a = series ? kaarten->series(req.remote_addr)
                                                     : kaarten->kaart(req.remote_addr, kaart);
                res.status = a.status;
                if (a.wachtSeconden > 0) res.set_header("Retry-After", std::to_string(a.wachtSeconden));
                res.set_content(a.json.constData(), static_cast<std::size_t>(a.json.size()),
                                "application/json; charset=utf-8");
            } else if (json) {
                std::shared_ptr<const std::string> stand;
                {
                    std::lock_guard<std::mutex> l(gedeeld->slot);
                    stand = gedeeld->stand;
                }
                res.set_content(*stand, "application/json");
            } else if (!WebBord::Server::maakStroom()) {
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
            m_gedeeld, m_kaarten);
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
        WebBordIntern::geefVoorrang();
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
