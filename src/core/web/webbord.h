#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <future>
#include <memory>
#include <thread>

// The board on the local network: a small read-only web server for the phones and TVs in the
// hall. It serves the page, its script and style (the program's own resources), the game as
// JSON at /stand.json, and a stream of the game's changes at /live for the open pages; with the
// players' cards given (zetKaarten), one card by its number at /kaart/<nummer>.json and the
// series' names at /series.json.
//
// The server runs on threads of its own and never touches the program's objects: the program
// hands it the game as a finished line of JSON at every change (zetStand), which the threads
// only read. Only GET and HEAD are answered (405 for any other method, 404 for any other
// path); requests, connections and idle time are capped, so a room full of phones, or one
// misbehaving device, costs the program a few sleeping threads at most. The request's head is
// read here before the library sees it, within a size, a number of lines and a time; each
// address of the network gets a share of the connections, and the streams of open pages have a
// share of their own, so neither a flood nor slow devices lock the phones out.
class WebKaarten;

class WebBord
{
public:
    struct Grenzen {
        int verbindingen = 256;    // open connections at once; more wait to be accepted
        int wachtSeconden = 3;     // idle time before a request, and between its bytes
        int hartslagSeconden = 10; // a sign of life on an open stream, so a page sees a loss
        int kopSeconden = 5;       // the whole head of a request, from its connection on
        int perAdres = 16;         // connections of one address at once; its streams apart
    };
    // A request's head (request line and headers) at most, in bytes and in header lines.
    static constexpr int kopBytes = 8192;
    static constexpr int kopRegels = 100;

    explicit WebBord(Grenzen grenzen);
    WebBord();
    ~WebBord();
    WebBord(const WebBord&) = delete;
    WebBord& operator=(const WebBord&) = delete;

    // Listens on every network of this computer on poort (0: a free port chosen by the
    // system). False with a Dutch reason when it cannot, for example when the port is in use.
    bool start(int poort, QString* fout = nullptr);
    // The players' cards, from the next start on; none: /kaart/ is not served.
    void zetKaarten(std::shared_ptr<WebKaarten> kaarten) { m_kaarten = std::move(kaarten); }
    // Ends the server and closes every open connection; returns within a second, whatever the
    // devices on the other end do.
    void stop();
    bool draait() const { return m_server != nullptr; }
    int poort() const { return m_poort; }

    // The game as the pages show it (WebStand::json); the open pages get it at once.
    void zetStand(const QByteArray& json);
    // Open connections now (streams of open pages included).
    int verbindingen() const;

    // The addresses at which the hall reaches a server on poort: one per network of this
    // computer that is up, the local ones first ("http://192.168.1.20:8080/"). Empty when the
    // computer is on no network.
    static QStringList adressen(int poort);

    // What the program and the server's threads share.
    struct Gedeeld;
    // One run of the server, from start to stop; its threads keep it while they run.
    struct Server;

private:
    struct Bestanden;
    const Grenzen m_grenzen;
    std::shared_ptr<Gedeeld> m_gedeeld;
    std::shared_ptr<const Bestanden> m_bestanden;
    std::shared_ptr<WebKaarten> m_kaarten;
    std::shared_ptr<Server> m_server;
    std::thread m_draad;
    std::future<void> m_draadKlaar;
    std::thread m_bode;
    int m_poort = 0;
};
