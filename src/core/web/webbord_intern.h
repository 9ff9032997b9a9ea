#pragma once

// What the board's two halves share: webbord.cpp (what is served, and the server's start and
// stop) and webbord_verbinding.cpp (the connections: sockets, the head of each request, the
// limits and the shares of each address and of the streams).

// The server library first: on Windows its Winsock headers must come before anything that
// brings in windows.h.
#include <httplib.h>

#include "core/web/webbord.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace WebBordIntern
{
using Klok = std::chrono::steady_clock;

// The server's threads give way to the program's own: they run only when the stage leaves a
// core free, so a busy room never slows a draw.
void geefVoorrang();
} // namespace WebBordIntern

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

// One run of the server. It reads each request's head itself and only then hands the
// connection to the library; it keeps every connection's socket until it has closed it, so
// stop can shut them all. Made with the limits set: the connections' threads, the timeouts and
// the headers of every answer; what is answered is set by the board (WebBord::start).
struct WebBord::Server : httplib::Server {
    Server(const Grenzen& g, std::shared_ptr<Gedeeld> d);

    // The word to stop: every open connection is shut, the streams end, nothing new is accepted.
    void sluit();

    // Room for a burst of phones that scan the code at once (the library listens with a queue
    // of five): a whole hall's phones fit in the queue together, so none waits for its
    // connection to be tried again. 128 overflowed with 200 phones on a busy machine.
    void ruimeWachtrij();
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

    // The request that this thread answers becomes a stream of an open page; false when the
    // streams of its address, or all streams, are full.
    static bool maakStroom();

private:
    bool process_and_close_socket(socket_t s) override;
};
