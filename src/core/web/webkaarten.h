#pragma once

#include <QByteArray>
#include <QString>

#include <chrono>
#include <deque>
#include <map>
#include <mutex>
#include <string>

// The players' own cards on the board's page: one numbered card at a time, as it was printed,
// for the player who typed its number. The cards come from the register, opened read-only for
// each question on the server's own thread; nothing of the evening is touched. There is no
// list of cards: only the series names (printed on every card) can be had whole.
//
// A device that asks for many numbers is slowed down: within a minute it gets at most
// `nummers` different numbers (a player follows a handful; trying numbers one after another to
// find cards is what is slowed), and at most `vragen` answers in all. Asked again, a number it
// already had in that minute is no new number; the series' names are no number either.
class WebKaarten
{
public:
    using Klok = std::chrono::steady_clock;

    struct Grenzen {
        int nummers = 30;     // different numbers per device per minute
        int vragen = 120;     // questions per device per minute, repeats included
        int apparaten = 4096; // devices remembered at once; more wait until a minute is over
    };
    struct Antwoord {
        int status = 200; // 200, 404 (no such card, or no card number), 429 (slowed down), 503
        QByteArray json;  // the card, or {"fout": "..."} with the reason in Dutch
        int wachtSeconden = 0; // 429 and 503: when to ask again
    };

    explicit WebKaarten(QString registerPad);
    WebKaarten(QString registerPad, Grenzen grenzen);

    // /kaart/<nummer>.json for the device at adres: {"nummer":"A-0017","soort":"Kien",
    // "naam":"een Kienkaart","getallen":[...]}, the numbers row by row (0: empty, or FREE).
    Antwoord kaart(const std::string& adres, const QString& nummer, Klok::time_point nu = Klok::now());
    // /series.json: {"series":["B","A"]}, the series printed last first; empty without a register.
    // It counts among the device's questions, not among its numbers.
    Antwoord series(const std::string& adres, Klok::time_point nu = Klok::now());

private:
    bool magVragen(const std::string& adres, const QString& sleutel, Klok::time_point nu, int* wacht);

    const QString m_pad;
    const Grenzen m_grenzen;
    struct Vraag {
        Klok::time_point tijd;
        QString nummer;
    };
    std::mutex m_slot;
    std::map<std::string, std::deque<Vraag>> m_vragen; // per device, the last minute's questions
};
