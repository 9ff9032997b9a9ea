#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>
#include <thread>

// The board on the local network: a small read-only web server for the phones and TVs in the
// hall. It serves the page, its script and style (the program's own resources), the game as
// JSON at /stand.json, and a stream of the game's changes at /live for the open pages.
//
// The server runs on threads of its own and never touches the program's objects: the program
// hands it the game as a finished line of JSON at every change (zetStand), which the threads
// only read. Only GET and HEAD are answered (405 for any other method, 404 for any other
// path); requests, connections and idle time are capped, so a room full of phones, or one
// misbehaving device, costs the program a few sleeping threads at most.
class WebBord
{
public:
    struct Grenzen {
        int verbindingen = 256;      // open connections at once; more wait to be accepted
        int wachtSeconden = 3;       // idle time before a request, and between its bytes
        int hartslagSeconden = 10;   // a sign of life on an open stream, so a page sees a loss
    };

    explicit WebBord(Grenzen grenzen);
    WebBord();
    ~WebBord();
    WebBord(const WebBord&) = delete;
    WebBord& operator=(const WebBord&) = delete;

    // Listens on every network of this computer on poort (0: a free port chosen by the
    // system). False with a Dutch reason when it cannot, for example when the port is in use.
    bool start(int poort, QString* fout = nullptr);
    // Ends the open streams and the server; returns when its threads have ended.
    void stop();
    bool draait() const { return m_draad.joinable(); }
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

private:
    std::shared_ptr<Gedeeld> m_gedeeld;
    struct Server;
    std::unique_ptr<Server> m_server;
    std::thread m_draad;
    std::thread m_bode;
    int m_poort = 0;
};
