#include "core/web/webkaarten.h"

#include "core/cards/kaartnummer.h"
#include "core/cards/kaartregister.h"
#include "core/game/spelsoort.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <set>

namespace
{
constexpr auto minuut = std::chrono::seconds(60);

WebKaarten::Antwoord fout(int status, const QString& reden, int wacht = 0)
{
    return {status, QJsonDocument(QJsonObject{{QStringLiteral("fout"), reden}}).toJson(QJsonDocument::Compact), wacht};
}
} // namespace

WebKaarten::WebKaarten(QString registerPad) : WebKaarten(std::move(registerPad), Grenzen{}) {}

WebKaarten::WebKaarten(QString registerPad, Grenzen grenzen) : m_pad(std::move(registerPad)), m_grenzen(grenzen) {}

// sleutel: the number asked for as the register writes it; empty for a question that is no number.
bool WebKaarten::magVragen(const std::string& adres, const QString& sleutel, Klok::time_point nu, int* wacht)
{
    std::lock_guard<std::mutex> l(m_slot);
    const auto oud = [nu](const Vraag& v) { return nu - v.tijd >= minuut; };
    auto het = m_vragen.find(adres);
    if (het == m_vragen.end() && static_cast<int>(m_vragen.size()) >= m_grenzen.apparaten) {
        // Room for a new device: those that asked nothing this minute are forgotten.
        for (auto it = m_vragen.begin(); it != m_vragen.end();)
            it = oud(it->second.back()) ? m_vragen.erase(it) : std::next(it);
        if (static_cast<int>(m_vragen.size()) >= m_grenzen.apparaten) {
            *wacht = 60;
            return false;
        }
    }
    std::deque<Vraag>& vragen = m_vragen[adres];
    while (!vragen.empty() && oud(vragen.front()))
        vragen.pop_front();
    std::set<QString> nummers;
    for (const Vraag& v : vragen)
        if (!v.nummer.isEmpty()) nummers.insert(v.nummer);
    const bool nieuw = !sleutel.isEmpty() && !nummers.count(sleutel);
    if (static_cast<int>(vragen.size()) >= m_grenzen.vragen ||
        (nieuw && static_cast<int>(nummers.size()) >= m_grenzen.nummers)) {
        // Until the oldest question of the minute is a minute old.
        const auto rest = minuut - (nu - vragen.front().tijd);
        *wacht = std::max(1, static_cast<int>(std::chrono::ceil<std::chrono::seconds>(rest).count()));
        return false;
    }
    vragen.push_back({nu, sleutel});
    return true;
}

WebKaarten::Antwoord WebKaarten::kaart(const std::string& adres, const QString& gevraagd, Klok::time_point nu)
{
    QString serie;
    int nummer = 0;
    const bool leesbaar = KaartNummer::lees(gevraagd, &serie, &nummer);
    // Text that is no number counts as a number tried all the same.
    const QString sleutel = leesbaar ? KaartNummer::tekst(serie, nummer) : gevraagd.left(40);
    int wacht = 0;
    if (!magVragen(adres, sleutel, nu, &wacht))
        return fout(429,
                    QStringLiteral("U hebt veel kaartnummers achter elkaar opgevraagd. Probeer het over %1 seconden "
                                   "weer.")
                        .arg(wacht),
                    wacht);
    if (!leesbaar)
        return fout(404, QStringLiteral("\"%1\" is geen kaartnummer. Typ het nummer zoals het op de kaart staat, "
                                        "bijvoorbeeld A-0017.")
                             .arg(gevraagd.left(40)));
    if (serie.isEmpty())
        return fout(404, QStringLiteral("Typ het nummer met de letter van de reeks ervoor, zoals het op de kaart "
                                        "staat: bijvoorbeeld A-0017."));
    KaartRegister kaartRegister(m_pad, KaartRegister::Modus::Lezen);
    if (!kaartRegister.open()) {
        if (kaartRegister.toestand() == KaartRegister::Toestand::Ontbreekt)
            return fout(404, QStringLiteral("Er zijn nog geen kaarten met een nummer afgedrukt."));
        return fout(503, QStringLiteral("De kaarten zijn nu even niet te lezen. Probeer het zo weer."), 5);
    }
    const std::optional<RegisterKaart> kaart = kaartRegister.kaart(serie, nummer);
    if (!kaart)
        return fout(404, QStringLiteral("Kaart %1 is niet gevonden. Kijk of het nummer goed is overgenomen van de "
                                        "kaart.")
                             .arg(sleutel));
    QJsonArray getallen;
    for (int n : kaart->getallen)
        getallen.append(n);
    const QJsonObject o{{QStringLiteral("nummer"), sleutel},
                        {QStringLiteral("soort"), KaartNummer::soortNaam(kaart->soort)},
                        {QStringLiteral("naam"), SpelSoort::kaartNaam(kaart->soort)},
                        {QStringLiteral("getallen"), getallen}};
    return {200, QJsonDocument(o).toJson(QJsonDocument::Compact), 0};
}

WebKaarten::Antwoord WebKaarten::series(const std::string& adres, Klok::time_point nu)
{
    int wacht = 0;
    if (!magVragen(adres, QString(), nu, &wacht))
        return fout(429, QStringLiteral("Probeer het over %1 seconden weer.").arg(wacht), wacht);
    KaartRegister kaartRegister(m_pad, KaartRegister::Modus::Lezen);
    QJsonArray lijst;
    if (kaartRegister.open())
        for (const QString& s : kaartRegister.series())
            lijst.append(s);
    return {200, QJsonDocument(QJsonObject{{QStringLiteral("series"), lijst}}).toJson(QJsonDocument::Compact), 0};
}
