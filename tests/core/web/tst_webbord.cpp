// The board on the network: what it serves and what it refuses, live changes, its limits (the
// request's head, its time, the share of each address, the streams apart, a stop that waits on
// nobody), a bounded fuzz of requests, and the evening that feeds it. Devices of the hall are
// played from addresses of their own on loopback (127.0.0.2, ...), the server is always reached
// at 127.0.0.1.
#include "testhulp.h"

#include "core/common/toeval.h"
#include "core/common/wacht.h"
#include "core/game/avond.h"
#include "core/game/avondprogramma.h"
#include "core/cards/kaartregister.h"
#include "core/web/webbord.h"
#include "core/web/webkaarten.h"
#include "core/web/webstand.h"
#include "core/web/webvoeding.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace
{

struct Antwoord {
    int status = 0; // 0: no answer, the connection closed
    QByteArray kop;
    QByteArray inhoud;
};

// What every answer of the board carries, refusals included: nothing kept, no type guessed, and
// nothing loaded from anywhere else.
bool heeftVasteKoppen(const Antwoord& a)
{
    const QByteArray regels = a.kop + "\r\n";
    return regels.contains("\r\nX-Content-Type-Options: nosniff\r\n") &&
           regels.contains("\r\nContent-Security-Policy: default-src 'self'\r\n") &&
           regels.contains("\r\nCache-Control: no-store\r\n");
}

Antwoord ontleed(const QByteArray& alles)
{
    Antwoord a;
    const int eind = alles.indexOf("\r\n\r\n");
    if (!alles.startsWith("HTTP/1.1 ") || eind < 0) return a;
    a.status = alles.mid(9, 3).toInt();
    a.kop = alles.left(eind);
    a.inhoud = alles.mid(eind + 4);
    return a;
}

// A device of the hall: address n of loopback (1: 127.0.0.1, the default).
QHostAddress apparaat(int n)
{
    return QHostAddress(QStringLiteral("127.0.0.%1").arg(n));
}

// A connection to the board from the address van.
std::unique_ptr<QTcpSocket> verbind(int poort, const QHostAddress& van = apparaat(1))
{
    auto s = std::make_unique<QTcpSocket>();
    s->bind(van);
    s->connectToHost(QHostAddress::LocalHost, static_cast<quint16>(poort));
    s->waitForConnected(3000);
    return s;
}

// Sends each request on a connection of its own, all at once, and reads every answer until the
// server has closed each connection.
QList<Antwoord> vraagSamen(int poort, const QList<QByteArray>& verzoeken, const QHostAddress& van = apparaat(1))
{
    std::vector<std::unique_ptr<QTcpSocket>> s;
    for (const QByteArray& v : verzoeken) {
        s.push_back(verbind(poort, van));
        if (s.back()->state() == QAbstractSocket::ConnectedState) s.back()->write(v);
    }
    QList<QByteArray> ontvangen(verzoeken.size());
    QElapsedTimer t;
    t.start();
    for (bool open = true; open && t.elapsed() < 10000;) {
        open = false;
        for (std::size_t i = 0; i < s.size(); ++i) {
            s[i]->waitForReadyRead(1);
            ontvangen[int(i)] += s[i]->readAll();
            open = open || s[i]->state() == QAbstractSocket::ConnectedState;
        }
    }
    QList<Antwoord> uit;
    for (const QByteArray& b : ontvangen)
        uit << ontleed(b);
    return uit;
}

Antwoord vraag(int poort, const QByteArray& methode, const QByteArray& pad, const QHostAddress& van = apparaat(1))
{
    return vraagSamen(poort, {methode + ' ' + pad + " HTTP/1.1\r\nHost: zaal\r\n\r\n"}, van).first();
}

// The events of a stream (/live) as they come in.
class Stroom
{
public:
    explicit Stroom(int poort, const QHostAddress& van = apparaat(1))
    {
        m_s.bind(van);
        m_s.connectToHost(QHostAddress::LocalHost, static_cast<quint16>(poort));
        m_s.waitForConnected(3000);
        m_s.write("GET /live HTTP/1.1\r\nHost: zaal\r\n\r\n");
        m_s.waitForBytesWritten(3000);
    }
    // The next game sent (the data of a message), or empty when none came within wachtMs.
    QByteArray volgende(int wachtMs = 3000)
    {
        QElapsedTimer t;
        t.start();
        for (;;) {
            const int begin = m_buffer.indexOf("data: {");
            const int eind = begin < 0 ? -1 : m_buffer.indexOf('\n', begin);
            if (eind >= 0) {
                const QByteArray data = m_buffer.mid(begin + 6, eind - begin - 6);
                m_buffer.remove(0, eind);
                return data;
            }
            if (t.elapsed() > wachtMs || m_s.state() != QAbstractSocket::ConnectedState) return {};
            // The evening sends a change from its event loop.
            QCoreApplication::processEvents();
            m_s.waitForReadyRead(50);
            m_buffer += m_s.readAll();
        }
    }
    bool open()
    {
        m_s.waitForReadyRead(50);
        m_buffer += m_s.readAll();
        return m_s.state() == QAbstractSocket::ConnectedState;
    }

private:
    QTcpSocket m_s;
    QByteArray m_buffer;
};

QByteArray stand(QList<int> ballen, int aantal = 75)
{
    WebStand::Gegevens g;
    g.aantalBallen = aantal;
    g.ronde = 2;
    g.spelNummer = 3;
    g.ballen = ballen;
    return WebStand::json(g, 1);
}

// A board of its own limits, started on a free port: its port, 0 when it did not start.
int begin(std::unique_ptr<WebBord>& bord, const WebBord::Grenzen& grenzen)
{
    bord = std::make_unique<WebBord>(grenzen);
    return bord->start(0) ? bord->poort() : 0;
}

} // namespace

class TestWebBord : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        m_bord = std::make_unique<WebBord>(WebBord::Grenzen{8, 1, 1});
        QString fout;
        QVERIFY2(m_bord->start(0, &fout), qPrintable(fout));
        m_poort = m_bord->poort();
        QVERIFY(m_poort > 0);
    }
    void cleanup() { m_bord.reset(); }

    // Reading is all there is: the page, its script and style, the game; any other method is
    // refused and any other path is not found, the organiser's files included. Every answer has
    // the board's fixed headers.
    void alleenLezen()
    {
        const struct {
            QByteArray methode, pad;
            int status;
            QByteArray soort;
        } gevallen[] = {
            {"GET", "/", 200, "text/html"},
            {"GET", "/bord.js", 200, "text/javascript"},
            {"GET", "/bord.css", 200, "text/css"},
            {"GET", "/kaarten.js", 200, "text/javascript"},
            {"GET", "/stand.json", 200, "application/json"},
            {"HEAD", "/", 200, "text/html"},
            {"POST", "/", 405, {}},
            {"PUT", "/stand.json", 405, {}},
            {"PATCH", "/live", 405, {}},
            {"GET", "/Zorvak.ini", 404, {}},
            {"GET", "/../Zorvak-extra.ini", 404, {}},
            {"GET", "/%2e%2e/Kaartregister.db", 404, {}},
            {"GET", "/bord.html", 404, {}},
            // A board without the players' cards has none to give.
            {"GET", "/kaart/A-0001.json", 404, "text/plain"},
            {"GET", "/series.json", 404, "text/plain"},
        };
        m_bord->zetStand(stand({5, 6}));
        for (const auto& g : gevallen) {
            const Antwoord a = vraag(m_poort, g.methode, g.pad);
            QVERIFY2(a.status == g.status, (g.methode + ' ' + g.pad).constData());
            QVERIFY2(heeftVasteKoppen(a), a.kop.constData());
            if (g.status == 405) QVERIFY(a.kop.contains("Allow: GET, HEAD"));
            if (!g.soort.isEmpty()) QVERIFY2(a.kop.contains("Content-Type: " + g.soort), a.kop.constData());
            if (g.methode == "HEAD") QVERIFY(a.inhoud.isEmpty() && a.kop.contains("Content-Length: "));
            if (g.status == 200 && g.methode == "GET" && g.pad == "/stand.json") QCOMPARE(a.inhoud, stand({5, 6}));
            if (g.status == 200 && g.methode == "GET" && g.pad == "/") QVERIFY(a.inhoud.contains("Laatste bal"));
        }
    }

    // The players' cards: one by its number, as the register has it, in its several writings;
    // read only (405 for any other method); a number that is no card, or a path that holds none,
    // not found; a device that asks for more numbers than its share slowed down with the time to
    // wait, while another device is not; the series by name.
    void kaarten()
    {
        QTemporaryDir map;
        VasteToeval kans(9);
        const QList<RegisterKaart> gedrukt =
            TestHulp::drukKaarten(map.path(), KaartSoort::Bingo75, QStringLiteral("A"), 1, kans);
        QCOMPARE(gedrukt.size(), 6);
        m_bord = std::make_unique<WebBord>(WebBord::Grenzen{16, 1, 1, 5, 16});
        m_bord->zetKaarten(std::make_shared<WebKaarten>(KaartRegister::padIn(map.path()), WebKaarten::Grenzen{3, 8, 16}));
        QVERIFY(m_bord->start(0));
        m_poort = m_bord->poort();
        const auto getallen = [](const Antwoord& a) {
            QList<int> uit;
            for (const QJsonValue& v : QJsonDocument::fromJson(a.inhoud).object().value("getallen").toArray())
                uit << v.toInt();
            return uit;
        };
        for (const QByteArray pad : {"/kaart/A-0002.json", "/kaart/a2.json", "/kaart/A%2D0002.json"}) {
            const Antwoord a = vraag(m_poort, "GET", pad, apparaat(2));
            QVERIFY2(a.status == 200 && a.kop.contains("Content-Type: application/json"), pad.constData());
            QVERIFY(heeftVasteKoppen(a));
            QCOMPARE(getallen(a), gedrukt[1].getallen);
        }
        const Antwoord kop = vraag(m_poort, "HEAD", "/kaart/A-0002.json", apparaat(2));
        QVERIFY(kop.status == 200 && kop.inhoud.isEmpty());
        for (const QByteArray methode : {"POST", "PUT", "DELETE", "OPTIONS"}) {
            const Antwoord a = vraag(m_poort, methode, "/kaart/A-0002.json", apparaat(3));
            QVERIFY2(a.status == 405 && a.kop.contains("Allow: GET, HEAD"), methode.constData());
        }
        const Antwoord onbekend = vraag(m_poort, "GET", "/kaart/A-0099.json", apparaat(3));
        QCOMPARE(onbekend.status, 404);
        QVERIFY(QJsonDocument::fromJson(onbekend.inhoud).object().value("fout").toString().contains(
            QStringLiteral("Kaart A-0099 is niet gevonden")));
        for (const QByteArray pad : {"/kaart/", "/kaart/.json", "/kaart/A-0002", "/kaart/A-0002.json/x", "/kaart.json",
                                     "/kaarten/A-0002.json"})
        {
            const Antwoord a = vraag(m_poort, "GET", pad, apparaat(4));
            QVERIFY2(a.status == 404 && a.inhoud == "Niet gevonden\n", pad.constData());
        }
        QCOMPARE(QJsonDocument::fromJson(vraag(m_poort, "GET", "/series.json", apparaat(4)).inhoud)
                     .object()
                     .value("series")
                     .toArray(),
                 QJsonArray{QStringLiteral("A")});

        // Three numbers a minute per device: the fourth waits, another device does not.
        for (const QByteArray pad : {"/kaart/A-1.json", "/kaart/A-2.json", "/kaart/A-3.json"})
            QCOMPARE(vraag(m_poort, "GET", pad, apparaat(5)).status, 200);
        const Antwoord traag = vraag(m_poort, "GET", "/kaart/A-4.json", apparaat(5));
        QCOMPARE(traag.status, 429);
        QVERIFY2(heeftVasteKoppen(traag) && traag.kop.contains("Retry-After: "), traag.kop.constData());
        QVERIFY(QJsonDocument::fromJson(traag.inhoud).object().value("fout").toString().contains(
            QStringLiteral("seconden weer")));
        QCOMPARE(vraag(m_poort, "GET", "/kaart/A-1.json", apparaat(5)).status, 200);
        QCOMPARE(vraag(m_poort, "GET", "/kaart/A-4.json", apparaat(6)).status, 200);
    }

    // An open page hears the game at once and every change after it; a page that was away gets
    // the whole game when it comes back; stopping ends its stream.
    void live()
    {
        m_bord->zetStand(stand({1}));
        Stroom pagina(m_poort);
        QCOMPARE(pagina.volgende(), stand({1}));
        m_bord->zetStand(stand({1, 2}));
        QCOMPARE(pagina.volgende(), stand({1, 2}));
        // A sign of life comes while nothing changes, and the stream stays open.
        QVERIFY(pagina.volgende(1500).isEmpty());
        QVERIFY(pagina.open());
        Stroom later(m_poort);
        QCOMPARE(later.volgende(), stand({1, 2}));
        QCOMPARE(m_bord->verbindingen(), 2);
        m_bord->stop();
        QVERIFY(!m_bord->draait() && !pagina.open());
        QCOMPARE(vraag(m_poort, "GET", "/").status, 0);
    }

    // Stopping waits on no device: with requests that drip in, idle connections and streams
    // open, one of them a page that never reads, stop returns within moments, closes every one
    // of them, and the server starts again on its port.
    void stopWachtNiet()
    {
        QVERIFY((m_poort = begin(m_bord, {256, 3, 10, 30, 16})) > 0);
        std::vector<std::unique_ptr<QTcpSocket>> open;
        for (int i = 0; i < 12; ++i) {
            open.push_back(verbind(m_poort));
            open.back()->write("GET / HTTP/1.1\r\nX-Traag: ");
        }
        for (int i = 0; i < 4; ++i)
            open.push_back(verbind(m_poort, apparaat(3)));
        auto leestNiet = verbind(m_poort, apparaat(4));
        leestNiet->write("GET /live HTTP/1.1\r\n\r\n");
        Stroom pagina(m_poort, apparaat(5));
        QVERIFY(!pagina.volgende().isEmpty());
        QTRY_COMPARE(m_bord->verbindingen(), 18);
        // Still dripping when the word comes.
        for (auto& s : open)
            if (s->localAddress() == apparaat(1)) s->write("x");
        QElapsedTimer t;
        t.start();
        m_bord->stop();
        QVERIFY2(t.elapsed() < 1500, QByteArray::number(t.elapsed()).constData());
        QVERIFY(!m_bord->draait() && m_bord->verbindingen() == 0);
        open.push_back(std::move(leestNiet));
        for (auto& s : open)
            QVERIFY(s->state() != QAbstractSocket::ConnectedState || s->waitForDisconnected(1000));
        QVERIFY(!pagina.open());
        QVERIFY(m_bord->start(m_poort));
        QCOMPARE(vraag(m_poort, "GET", "/stand.json").status, 200);
    }

    // Connections are capped: beyond the cap a request waits until an idle connection is closed,
    // after the idle time; a request with a body too large is refused before it is read. (A head
    // too large: kopGrenzen.)
    void grenzen()
    {
        QVERIFY((m_poort = begin(m_bord, {2, 2, 1})) > 0);
        QTcpSocket a;
        QTcpSocket b;
        for (QTcpSocket* s : {&a, &b})
            s->connectToHost(QHostAddress::LocalHost, static_cast<quint16>(m_poort));
        QTRY_COMPARE(m_bord->verbindingen(), 2);
        // The third is answered once the two idle ones have been closed, not before.
        QCOMPARE(vraag(m_poort, "GET", "/stand.json").status, 200);
        QVERIFY(a.state() != QAbstractSocket::ConnectedState || a.waitForDisconnected(200));
        QVERIFY(b.state() != QAbstractSocket::ConnectedState || b.waitForDisconnected(200));
        QVERIFY(m_bord->verbindingen() <= 2);
        const QByteArray groot =
            "POST /stand.json HTTP/1.1\r\nContent-Length: 100000000\r\n\r\n" + QByteArray(5000, 'c');
        QCOMPARE(vraagSamen(m_poort, {groot}).first().status, 405);
        QCOMPARE(vraag(m_poort, "GET", "/stand.json").status, 200);
    }

    // A request's head is capped in bytes and header lines together: exactly the cap is
    // answered, one more is refused (431; a request line beyond it 414), and a flood of headers,
    // in many short lines or in long ones, has its connection closed early, so it cannot fill
    // the memory; the board is answered normally after it.
    void kopGrenzen()
    {
        const QByteArray begin = "GET /stand.json HTTP/1.1\r\n";
        const auto regels = [&](int aantal) {
            QByteArray v = begin;
            for (int i = 0; i < aantal; ++i)
                v += "X-" + QByteArray::number(i) + ": a\r\n";
            return v + "\r\n";
        };
        const auto bytes = [&](int aantal) {
            const QByteArray v = begin + "X-Vul: ";
            return v + QByteArray(aantal - v.size() - 4, 'v') + "\r\n\r\n";
        };
        QCOMPARE(bytes(WebBord::kopBytes).size(), WebBord::kopBytes);
        const QByteArray langeRegel = "GET /" + QByteArray(WebBord::kopBytes, 'a') + " HTTP/1.1\r\n\r\n";
        QList<int> statussen;
        // The last is a request line the library refuses by itself: it is not waited on.
        for (const Antwoord& a :
             vraagSamen(m_poort, {regels(WebBord::kopRegels), regels(WebBord::kopRegels + 1), bytes(WebBord::kopBytes),
                                  bytes(WebBord::kopBytes + 1), langeRegel, "GET / HTTP/1.1\n\n"})) {
            statussen << a.status;
            // The board's own refusals too, which the library never sees.
            if (a.status != 400) QVERIFY2(heeftVasteKoppen(a), a.kop.constData());
        }
        QCOMPARE(statussen, (QList<int>{200, 431, 200, 431, 414, 400}));

        for (const QByteArray& regel : {QByteArray("X-a: b\r\n"), "X-Lang: " + QByteArray(4000, 'x') + "\r\n"}) {
            QByteArray stuk;
            while (stuk.size() < 65536)
                stuk += regel;
            auto s = verbind(m_poort);
            s->write(begin);
            qint64 verstuurd = 0;
            QByteArray ontvangen;
            QElapsedTimer t;
            t.start();
            while (s->state() == QAbstractSocket::ConnectedState && verstuurd < 32 * 1024 * 1024 &&
                   t.elapsed() < 10000) {
                if (s->bytesToWrite() < 1024 * 1024) {
                    s->write(stuk);
                    verstuurd += stuk.size();
                }
                s->waitForBytesWritten(10);
                ontvangen += s->readAll();
            }
            QVERIFY2(s->state() != QAbstractSocket::ConnectedState, QByteArray::number(verstuurd).constData());
            QVERIFY2(verstuurd < 16 * 1024 * 1024, QByteArray::number(verstuurd).constData());
            ontvangen += s->readAll();
            QVERIFY(ontvangen.isEmpty() || ontleed(ontvangen).status == 431);
        }
        QCOMPARE(vraag(m_poort, "GET", "/stand.json").status, 200);
    }

    // The head has a time from the connection on, not per byte: a request that drips in within
    // it is answered; one that never ends is cut off at it (408), however steadily it drips.
    void kopTijd()
    {
        QVERIFY((m_poort = begin(m_bord, {8, 1, 1, 2})) > 0);
        const QByteArray verzoek = "GET /stand.json HTTP/1.1\r\nHost: zaal\r\nX-Langzaam: ja\r\n\r\n";
        {
            auto s = verbind(m_poort);
            for (int i = 0; i < verzoek.size(); i += 6) {
                s->write(verzoek.mid(i, 6));
                s->waitForBytesWritten(100);
                QTest::qWait(120);
            }
            // Answered, and closed after the idle time; what came stays readable.
            s->waitForDisconnected(3000);
            QCOMPARE(ontleed(s->readAll()).status, 200);
        }
        auto s = verbind(m_poort);
        s->write("GET /stand.json HTTP/1.1\r\nX-Zonder-Eind: ");
        QElapsedTimer t;
        t.start();
        QByteArray ontvangen;
        while (s->state() == QAbstractSocket::ConnectedState && t.elapsed() < 6000) {
            s->write("x");
            s->waitForBytesWritten(100);
            s->waitForReadyRead(150);
            ontvangen += s->readAll();
        }
        const qint64 duur = t.elapsed();
        QVERIFY2(duur > 1700 && duur < 3500, QByteArray::number(duur).constData());
        QCOMPARE(ontleed(ontvangen + s->readAll()).status, 408);
    }

    // Slow devices get a share of the connections per address and no more: 300 of them from one
    // address hold 16 (the others are refused at once, 503), and a phone beside them has the
    // page and the game within moments.
    void trageApparaten()
    {
        QVERIFY((m_poort = begin(m_bord, {})) > 0);
        std::vector<std::unique_ptr<QTcpSocket>> traag;
        for (int i = 0; i < 300; ++i) {
            traag.push_back(verbind(m_poort));
            traag.back()->write("GET / HTTP/1.1\r\nX-Traag: ");
            traag.back()->waitForBytesWritten(100);
        }
        QElapsedTimer t;
        t.start();
        QCOMPARE(vraag(m_poort, "GET", "/stand.json", apparaat(2)).status, 200);
        QCOMPARE(vraag(m_poort, "GET", "/", apparaat(2)).status, 200);
        QVERIFY2(t.elapsed() < 2000, QByteArray::number(t.elapsed()).constData());
        const auto open = [&] {
            int n = 0;
            for (auto& s : traag) {
                s->waitForReadyRead(0);
                n += s->state() == QAbstractSocket::ConnectedState;
            }
            return n;
        };
        QTRY_COMPARE_WITH_TIMEOUT(open(), 16, 2000);
        // Those refused then; one of the sixteen let in may meet its idle time (408) after this,
        // on a slow machine.
        std::vector<QTcpSocket*> geweigerd;
        for (auto& s : traag)
            if (s->state() != QAbstractSocket::ConnectedState) geweigerd.push_back(s.get());
        for (QTcpSocket* s : geweigerd)
            QCOMPARE(ontleed(s->readAll()).status, 503);
    }

    // Streams are counted apart from page requests: an address with its share of streams open
    // still gets the page, one more stream of it is refused (503, the page tries again); streams
    // in all never take the last eighth of the connections; a stream that ends frees its place.
    void stromenApart()
    {
        QVERIFY((m_poort = begin(m_bord, {8, 1, 1, 5, 4})) > 0);
        m_bord->zetStand(stand({3}));
        std::vector<std::unique_ptr<Stroom>> stromen;
        for (int i = 0; i < 4; ++i) {
            stromen.push_back(std::make_unique<Stroom>(m_poort));
            QCOMPARE(stromen.back()->volgende(), stand({3}));
        }
        QCOMPARE(vraag(m_poort, "GET", "/live").status, 503);
        QCOMPARE(vraag(m_poort, "GET", "/stand.json").status, 200);
        for (int i = 0; i < 3; ++i) {
            stromen.push_back(std::make_unique<Stroom>(m_poort, apparaat(2)));
            QCOMPARE(stromen.back()->volgende(), stand({3}));
        }
        const Antwoord vol = vraag(m_poort, "GET", "/live", apparaat(3));
        QCOMPARE(vol.status, 503);
        QVERIFY(vol.kop.contains("Retry-After: 2"));
        QCOMPARE(vraag(m_poort, "GET", "/stand.json", apparaat(3)).status, 200);
        QTRY_COMPARE(m_bord->verbindingen(), 7);
        stromen.pop_back();
        QTRY_COMPARE_WITH_TIMEOUT(m_bord->verbindingen(), 6, 3000);
        Stroom nieuw(m_poort, apparaat(3));
        QCOMPARE(nieuw.volgende(), stand({3}));
    }

    // A few hundred malformed, random and truncated requests: each is answered or closed, none
    // is served anything but the board, and the server answers normally after them.
    void fuzz()
    {
        QRandomGenerator kans(27);
        const QList<QByteArray> methoden = {"GET",   "HEAD", "POST", "PUT", "DELETE", "CONNECT",
                                            "TRACE", "get",  "G\0T", "",    "GETT",   "PRI"};
        const QList<QByteArray> paden = {"/",
                                         "/stand.json",
                                         "/bord.css",
                                         "/bord.js",
                                         "*",
                                         "",
                                         "//",
                                         "/%00",
                                         "/%",
                                         "http://zaal/stand.json",
                                         "/../../etc/passwd",
                                         "/\xff\xfe",
                                         "/?a=%zz"};
        const QList<QByteArray> versies = {"HTTP/1.1", "HTTP/1.0", "HTTP/2.0", "HTTP/9", "", "HTTP/1.1 x"};
        const QList<int> toegestaan = {0, 200, 400, 404, 405, 408, 413, 414, 431, 505};
        m_bord = std::make_unique<WebBord>(WebBord::Grenzen{160, 1, 1, 5, 160});
        QVERIFY(m_bord->start(0));
        m_poort = m_bord->poort();
        QList<QByteArray> verzoeken;
        for (int i = 0; i < 300; ++i) {
            QByteArray v;
            switch (kans.bounded(4)) {
            case 0: // random bytes
                v.resize(kans.bounded(1, 200));
                for (char& c : v)
                    c = static_cast<char>(kans.bounded(256));
                break;
            case 1: // a request cut off somewhere
                v = "GET /stand.json HTTP/1.1\r\nHost: zaal\r\n\r\n";
                v.truncate(kans.bounded(v.size()));
                break;
            default: // a request line of odd parts, odd headers, maybe no end
                v = methoden[kans.bounded(methoden.size())] + ' ' + paden[kans.bounded(paden.size())] + ' ' +
                    versies[kans.bounded(versies.size())] + "\r\n";
                for (int k = kans.bounded(4); k > 0; --k)
                    v += kans.bounded(2) ? QByteArray("Content-Length: -1\r\n")
                                         : "X-a: " + QByteArray(kans.bounded(100), 'x') + "\r\n";
                v += kans.bounded(5) ? "\r\n" : "";
            }
            verzoeken << v;
        }
        // A hundred and fifty at a time, side by side: a cut-off request waits for the idle time.
        // They come from one address, whose share is raised to hold them all.
        for (int begin = 0; begin < verzoeken.size(); begin += 150) {
            const QList<QByteArray> deel = verzoeken.mid(begin, 150);
            const QList<Antwoord> antwoorden = vraagSamen(m_poort, deel);
            for (int i = 0; i < deel.size(); ++i) {
                QVERIFY2(toegestaan.contains(antwoorden[i].status), deel[i].toHex().constData());
                if (antwoorden[i].status == 200) QVERIFY(!antwoorden[i].inhoud.contains("[Instellingen]"));
            }
        }
        QCOMPARE(vraag(m_poort, "GET", "/stand.json").status, 200);
    }

    // The evening feeds the board: a new game, balls drawn (two at once come as one change) and
    // taken back show at once, the balls in their order; the exit stops the server.
    void avondVoedtHetBord()
    {
        m_bord.reset();
        QTemporaryDir map;
        VasteToeval toeval(7);
        Avond avond(Avond::Opzet(map.path(), map.path() + "/reserve", &toeval, false));
        QString fout;
        QVERIFY(avond.web().zet({true, 0}, true, &fout));
        Stroom pagina(avond.web().bord()->poort());
        QCOMPARE(QJsonDocument::fromJson(pagina.volgende()).object().value("ballen").toInt(), 0);
        avond.spel().nieuwSpel(75, 1);
        QJsonObject nieuw = QJsonDocument::fromJson(pagina.volgende()).object();
        QCOMPARE(nieuw.value("ballen").toInt(), 75);
        // The evening's date, the game's cards, and without a programme each kind's stages.
        QVERIFY(QDate::fromString(nieuw.value("avond").toString(), Qt::ISODate).isValid());
        QCOMPARE(nieuw.value("spelsoort").toObject(),
                 (QJsonObject{{"naam", "Bingo 75"}, {"kaarten", QJsonArray{"Bingo 75"}}}));
        QCOMPARE(nieuw.value("doelen").toObject(), WebDoelen::json(WebDoelen::zonderProgramma({})));
        // Another pattern played for: the pages hear it.
        const auto kruis = *AvondProgramma::vastPatroon(QStringLiteral("Kruis"));
        avond.spel().zetPatroon(kruis);
        QCOMPARE(QJsonDocument::fromJson(pagina.volgende()).object().value("doelen").toObject(),
                 WebDoelen::json(WebDoelen::zonderProgramma(kruis)));
        avond.spel().zetPatroon({});
        pagina.volgende();
        const int bal = avond.spel().trek(toeval);
        const int tweede = avond.spel().trek(toeval);
        const QJsonObject o = QJsonDocument::fromJson(pagina.volgende()).object();
        QCOMPARE(o.value("getrokken").toArray(), QJsonArray({bal, tweede}));
        QCOMPARE(o.value("laatste").toInt(), tweede);
        QCOMPARE(o.value("aantal").toInt(), 2);
        QCOMPARE(o.value("spel").toInt(), avond.spel().spelNummer());
        QCOMPARE(o.value("ronde").toInt(), avond.spel().ronde());
        QCOMPARE(o.value("letters"), QJsonValue(true));
        avond.spel().neemTerug();
        avond.spel().neemTerug();
        QVERIFY(QJsonDocument::fromJson(pagina.volgende()).object().value("laatste").isNull());
        // A programme that runs: the stage played for and its prize, the round as the stage says
        // it (not the evening's count of games), and a Kien round called by the number alone.
        avond.zetGesprek({[](const QString&, const QString&, bool) { return true; }, {}, {}, {}});
        using S = AvondProgramma::Soort;
        AvondProgramma programma;
        programma.rondes << AvondProgramma::Ronde{S::Kienen, AvondProgramma::standaardFasen(S::Kienen), {}, 0};
        programma.rondes[0].fasen[0].prijs = QStringLiteral("Taart");
        programma.rondes[0].fasen[0].bedrag = 1000;
        QVERIFY(avond.programma().zet(programma));
        avond.startProgramma();
        const auto volgende = [&](const auto& klaar) {
            QJsonObject o;
            do
                o = QJsonDocument::fromJson(pagina.volgende()).object();
            while (!o.isEmpty() && !klaar(o));
            return o;
        };
        QJsonObject fase = volgende([](const QJsonObject& o) { return !o.value("fase").isNull(); });
        QCOMPARE(fase.value("fase").toString(), QStringLiteral("1 rij"));
        QCOMPARE(fase.value("prijs").toString(), QStringLiteral("Taart (€ 10)"));
        QCOMPARE(fase.value("ronde").toInt(), 1);
        QCOMPARE(fase.value("spel").toInt(), 2);
        QCOMPARE(fase.value("letters"), QJsonValue(false));
        // Its stage alone, for Kien cards only.
        QCOMPARE(fase.value("spelsoort").toObject(), (QJsonObject{{"naam", "Kienen"}, {"kaarten", QJsonArray{"Kien"}}}));
        QCOMPARE(fase.value("doelen").toObject(),
                 WebDoelen::json(WebDoelen::vanFase(S::Kienen, programma.rondes[0].fasen[0])));
        // The same game, once the programme plays Bingo first: letters again, and said so at once.
        programma.rondes.prepend({S::Bingo75, AvondProgramma::standaardFasen(S::Bingo75), {}, 0});
        QVERIFY(avond.programma().zet(programma));
        fase = volgende([](const QJsonObject& o) { return o.value("letters").toBool(); });
        QCOMPARE(fase.value("ballen").toInt(), 90);
        QCOMPARE(fase.value("prijs"), QJsonValue());
        // The game on the board is not the round played for: no stage for any card.
        QCOMPARE(fase.value("doelen").toObject(), WebDoelen::json({}));
        QVERIFY(avond.vraagAfsluiten() && !avond.web().draait() && avond.web().adressen().isEmpty());
        WachtTempo::zetBeeindigd(false);
    }

    // --web POORT switches the board on for this run, beside Qt's own options; a missing or
    // wrong port or an unknown option is said, with how it is used, and switches nothing on.
    void argumenten()
    {
        WebInstelling web;
        QString fout;
        QVERIFY(WebInstelling::uitArgumenten({"zorvak"}, &web, &fout) && !web.aan);
        QVERIFY(WebInstelling::uitArgumenten({"zorvak", "-platform", "offscreen", "--web", "8081"}, &web, &fout));
        QVERIFY(web.aan && web.poort == 8081 && fout.isEmpty());
        for (const QStringList& fout : {QStringList{"zorvak", "--web"}, QStringList{"zorvak", "--web", "70000"},
                                        QStringList{"zorvak", "--wbe", "8080"}}) {
            WebInstelling uit;
            QString reden;
            QVERIFY(!WebInstelling::uitArgumenten(fout, &uit, &reden));
            QVERIFY(reden.contains(WebInstelling::gebruik) && !uit.aan);
        }
    }

private:
    std::unique_ptr<WebBord> m_bord;
    int m_poort = 0;
};

QTEST_GUILESS_MAIN(TestWebBord)
#include "tst_webbord.moc"
