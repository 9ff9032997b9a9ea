#include "core/game/avond.h"

#include "core/common/toeval.h"
#include "core/common/wacht.h"
#include "core/game/roeper.h"
#include "core/game/trommel.h"
#include "core/game/verloop.h"
#include "core/settings/algemeen.h"
#include "core/settings/extrainstellingen.h"
#include "core/settings/instellingen.h"
#include "core/web/webbord.h"
#include "core/web/webstand.h"

#include <QDir>

#include <algorithm>

Avond::Avond(const Opzet& opzet, QObject* ouder)
    : QObject(ouder), m_alg(std::make_unique<Algemeen>()),
      m_bestand(std::make_unique<InstellingenBestand>(opzet.programmaMap, opzet.reserveMap)),
      m_toeval(opzet.toeval ? opzet.toeval : &Toeval::systeem())
{
    m_bestand->laadBijStart(*m_alg);
    m_extra = std::make_unique<ExtraInstellingen>(m_bestand->instellingenMap());
    m_weergave = Weergave::lees(*m_extra);
    m_webInstelling = WebInstelling::lees(*m_extra);
    if (opzet.klok) m_spel.zetKlok(opzet.klok);
    if (opzet.verloop) {
        m_verloop = std::make_unique<Verloop>(m_bestand->instellingenMap());
        if (opzet.klok) m_verloop->zetKlok(opzet.klok);
        m_verloop->volg(m_spel);
        m_verloop->zetMelder([this](const QString& tekst) { meld(QStringLiteral("Zorvak"), tekst); });
    }
    m_roeper = std::make_unique<Roeper>(*m_extra);
    volgSpel();
}

Avond::~Avond() = default;

bool Avond::zetWeb(const WebInstelling& web, bool bewaren, QString* fout)
{
    const bool eerder = webDraait();
    const int eerderePoort = eerder ? m_web->poort() : 0;
    m_webInstelling = web;
    m_webFout.clear();
    if (!web.aan) {
        if (m_web) m_web->stop();
    } else if (!eerder || eerderePoort != web.poort) {
        if (!m_web) m_web = std::make_unique<WebBord>();
        stuurWebStand();
        if (!m_web->start(web.poort, &m_webFout)) {
            // Back on the port it had, when there was one.
            if (eerder) m_web->start(eerderePoort);
        }
    }
    if (bewaren) {
        web.schrijf(*m_extra);
        QString bewaarFout;
        if (!m_extra->bewaar(&bewaarFout) && m_webFout.isEmpty()) m_webFout = bewaarFout;
    }
    if (fout) *fout = m_webFout;
    emit webGewijzigd();
    return m_webFout.isEmpty();
}

bool Avond::webDraait() const
{
    return m_web && m_web->draait();
}

QStringList Avond::webAdressen() const
{
    return webDraait() ? WebBord::adressen(m_web->poort()) : QStringList();
}

QString Avond::webUitleg() const
{
    if (!m_webFout.isEmpty()) return m_webFout;
    if (!webDraait()) return QStringLiteral("Uit. Aan: telefoons en tv's op het netwerk van deze computer tonen het bord.");
    const QStringList adressen = webAdressen();
    if (adressen.isEmpty())
        return QStringLiteral("Deze computer is op geen netwerk aangesloten: het bord is alleen hier te zien, op "
                              "http://127.0.0.1:%1/")
            .arg(m_web->poort());
    return QStringLiteral("Open %1 op een telefoon of tv in de zaal.").arg(adressen.first());
}

// The stage paints a drawn ball before the pages hear of it: the game is sent once the
// program is back in its event loop, once for any number of changes made before then.
void Avond::stuurWebStandStraks()
{
    if (!m_web || m_webGepland) return;
    m_webGepland = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_webGepland = false;
            stuurWebStand();
        },
        Qt::QueuedConnection);
}

void Avond::stuurWebStand()
{
    if (!m_web) return;
    WebStand::Gegevens g{m_spel.aantalBallen(), m_spel.ronde(), m_spel.spelNummer(), {}, {}, {}};
    for (const Spel::Bal& b : m_spel.ballen())
        g.ballen << b.getal;
    m_web->zetStand(WebStand::json(g, ++m_webVersie));
}

QString Avond::programmaMap() const
{
    return m_bestand->programmaMap();
}

QString Avond::instellingenMap() const
{
    return m_bestand->instellingenMap();
}

Avond::Stand Avond::stand() const
{
    return {m_spel.stand(), m_spel.rondeTeller(), m_bezig, m_kaartInBeeld, m_spel.patroon()};
}

bool Avond::zetWeergave(const Weergave& weergave, QString* fout)
{
    const bool anders = weergave != m_weergave;
    m_weergave = weergave;
    if (anders) emit weergaveGewijzigd();
    m_weergave.schrijf(*m_extra);
    return m_extra->bewaar(fout);
}

bool Avond::vraag(const QString& titel, const QString& tekst, bool jaStandaard)
{
    return m_gesprek.vraag && m_gesprek.vraag(titel, tekst, jaStandaard);
}

void Avond::meld(const QString& titel, const QString& tekst)
{
    if (m_gesprek.meld) m_gesprek.meld(titel, tekst);
}

bool Avond::loopt(int generatie) const
{
    return m_generatie == generatie && !WachtTempo::beeindigd();
}

// The caller follows the game: it says each ball as the game draws it, which is when the
// ball starts to blink; a ball taken back is not said, but the drum is no longer empty.
void Avond::volgSpel()
{
    connect(&m_spel, &Spel::nieuwSpelGestart, this, [this] { m_roeper->nieuwSpel(m_spel.ronde()); });
    connect(&m_spel, &Spel::balGetrokken, this,
            [this](int n) { m_roeper->balGetrokken(n, m_spel.aantalBallen(), m_spel.inTrommel()); });
    connect(&m_spel, &Spel::balTeruggelegd, this, [this] { m_roeper->zetPauze(Roeper::Leeg, false); });
    // A game taken up shows at once: a draw still blinking stops, and the board is ready.
    connect(&m_spel, &Spel::spelHersteld, this, [this] {
        ++m_generatie;
        if (m_spel.heeftSpel()) m_bezig = false;
        m_roeper->zetPauze(Roeper::Leeg, m_spel.inTrommel() == 0);
        m_roeper->spelKlaar();
    });
    connect(m_roeper.get(), &Roeper::trekNu, this, &Avond::zelfTrekken);
    // The board on the network hears of every change as soon as the stage has shown it.
    for (auto signaal : {&Spel::nieuwSpelGestart, &Spel::spelHersteld})
        connect(&m_spel, signaal, this, &Avond::stuurWebStandStraks);
    for (auto signaal : {&Spel::balGetrokken, &Spel::balTeruggelegd})
        connect(&m_spel, signaal, this, &Avond::stuurWebStandStraks);
}

// The same road as the space bar, and never past the lock. Whatever holds the stage gives the
// hall a whole interval again.
void Avond::zelfTrekken()
{
    if (m_bezig || (m_podiumVrij && !m_podiumVrij())) {
        m_roeper->herstart();
        return;
    }
    trekAlsKlaar();
}

bool Avond::trekAlsKlaar()
{
    if (m_bezig) return false;
    m_bezig = true;
    TrekBal();
    return true;
}

int Avond::TrekGetal(int maximum)
{
    const int n = m_spel.trek(*m_toeval);
    if (n == 0)
        meld(QStringLiteral("Zorvak"),
             QStringLiteral("Alle %1 ballen zijn geweest!\nDruk op de startknop voor een nieuw spel.").arg(maximum));
    return n;
}

// The lock is held on entry. The ball is in the record before anything shows it. Every wait
// lets the program run on: the organiser may start a new game, which empties the board this
// ball would land on, or end the program. Either way this draw stops.
void Avond::TrekBal()
{
    const int generatie = m_generatie;
    const int aantal = m_spel.aantalBallen();
    if (aantal == 75 || aantal == 90) {
        const int n = TrekGetal(aantal);
        if (!loopt(generatie)) return;
        if (n > 0) {
            emit knipperBal(n);
            if (!loopt(generatie)) return;
            emit balGetoond(n);
        }
    }
    m_bezig = false;
    emit trekkingKlaar();
    // The next ball by itself comes a whole interval after this one is shown.
    m_roeper->herstart();
}

bool Avond::nieuwSpelVraag()
{
    {
        const Roeper::Pauze pauze(m_roeper.get(), Roeper::Vraag);
        if (!vraag(QStringLiteral("Nieuw Spel"), QStringLiteral("Nieuwe spel en/of nieuwe ronde spelen?")))
            return false;
    }
    m_spel.zetRondeTeller(m_spel.rondeTeller() + 1);
    NieuwSpel();
    return true;
}

// The lock is held from the first step to the last: no ball can land on a board that is still
// being set up. A draw that is still blinking sees the new generation and stops.
void Avond::NieuwSpel()
{
    m_bezig = true;
    const int generatie = ++m_generatie;
    m_spel.nieuwSpel(m_alg->AantalBallen, m_spel.rondeTeller());
    emit spelBegonnen(m_spel.aantalBallen());
    emit schuifBordIn(m_spel.aantalBallen());
    if (!loopt(generatie)) return;
    emit spelKlaar();
    m_bezig = false;
    m_roeper->spelKlaar();
}

// The lock is held while the question shows, so nothing is drawn meanwhile.
void Avond::legLaatsteTerugVraag()
{
    const int n = m_spel.laatste();
    if (m_bezig || n == 0) return;
    m_bezig = true;
    bool ja = false;
    {
        const Roeper::Pauze pauze(m_roeper.get(), Roeper::Vraag);
        ja = vraag(
            QStringLiteral("Zorvak"),
            QStringLiteral("Bal %1 terugleggen in de trommel?").arg(Trommel::lijstRegel(n, m_spel.aantalBallen())),
            false);
    }
    m_bezig = false;
    if (ja && m_spel.laatste() == n) m_spel.neemTerug();
}

void Avond::hervatBijStart()
{
    const QString extraMelding = m_extra->leesMelding();
    if (!extraMelding.isEmpty()) meld(QStringLiteral("Zorvak"), extraMelding);
    if (!m_verloop) return;
    const auto laatste = m_verloop->bijStart();
    if (!laatste) return;
    m_spel.zetLaatsteNummer(laatste->stand.spelNummer);
    const auto getrokken = laatste->stand.ballen.size();
    if (laatste->afgemaakt || (getrokken == 0 && !laatste->onvolledig)) return;
    // A record that could not be written to the end may lack balls the hall has seen.
    const QString vraagTekst =
        laatste->onvolledig
            ? QStringLiteral("Het vorige spel is niet afgemaakt (%1 ballen in het verloop). Het verloop kon niet tot "
                             "het eind worden geschreven: er kunnen ballen ontbreken die wel zijn getoond, en die "
                             "kunnen dan opnieuw worden getrokken. Wilt u toch verder spelen?")
            : QStringLiteral("Het vorige spel is niet afgemaakt (%1 ballen getrokken). Wilt u verder spelen?");
    if (vraag(QStringLiteral("Zorvak"), vraagTekst.arg(getrokken))) {
        m_verloop->hervat(*laatste);
        m_spel.herstel(laatste->stand);
    } else {
        m_verloop->geefOp(*laatste);
    }
}

bool Avond::vraagAfsluiten()
{
    if (m_afgesloten) return true;
    if (m_vraagtAfsluiten) return false;
    m_vraagtAfsluiten = true;
    bool ja = false;
    {
        const Roeper::Pauze pauze(m_roeper.get(), Roeper::Vraag);
        ja = vraag(QStringLiteral(" Exit programma"), QStringLiteral("Wilt u dit programma nu afsluiten?"));
    }
    m_vraagtAfsluiten = false;
    if (!ja) return false;
    m_afgesloten = true;
    m_spel.meldAfgesloten();
    if (m_web) m_web->stop();
    WachtTempo::zetBeeindigd(true);
    QString fout;
    if (!m_bestand->schrijf(*m_alg, &fout)) {
        // Said to the organiser, and to whatever started the program: it did not end well.
        m_afsluitCode = 1;
        meld(QStringLiteral(" Exit programma"),
             QStringLiteral("De instellingen konden niet worden bewaard in\n%1\n\n%2")
                 .arg(QDir::toNativeSeparators(m_bestand->pad()), fout));
    }
    emit afgesloten(m_afsluitCode);
    return true;
}

// No ball is called while the organiser types the number and the hall looks at the card.
void Avond::controleerKaart()
{
    if (m_kaartInBeeld) return;
    m_roeper->zetPauze(Roeper::Controle, true);
    const std::optional<KaartVraag> gevraagd = m_gesprek.kaartVraag ? m_gesprek.kaartVraag() : std::nullopt;
    if (!gevraagd) {
        m_roeper->zetPauze(Roeper::Controle, false);
        return;
    }
    m_kienRijen = gevraagd->rijen;
    controleer(*gevraagd);
}

void Avond::controleerGescand(const QString& code)
{
    kaartWeg();
    m_roeper->zetPauze(Roeper::Controle, true);
    controleer({KaartNummer::vanScanner(code), m_kienRijen});
}

// Calling by itself is held on entry; it stays held while the card shows.
void Avond::controleer(const KaartVraag& gevraagd)
{
    std::optional<RegisterKaart> kaart = zoekKaart(gevraagd);
    if (!kaart) {
        m_roeper->zetPauze(Roeper::Controle, false);
        return;
    }
    QList<int> ballen;
    for (const Spel::Bal& bal : m_spel.ballen())
        ballen << bal.getal;
    GecontroleerdeKaart gecontroleerd{*kaart, {}, {}};
    if (Controle::heeftPatroon(m_spel.patroon())) gecontroleerd.patroon = m_spel.patroon();
    gecontroleerd.uitslag =
        Controle::controleer(*kaart, ballen, gecontroleerd.patroon ? &*gecontroleerd.patroon : nullptr, gevraagd.rijen);
    if (m_verloop) {
        const Controle::Uitslag& u = gecontroleerd.uitslag;
        const Controle::Voltooid beslissend = u.fasen.value(u.beslissend);
        const bool kien = kaart->soort == KaartSoort::Kien;
        const QString fase = kien ? Controle::kienRijen(qBound(1, gevraagd.rijen, 3))
                                  : (gecontroleerd.patroon ? QStringLiteral("patroon") : QStringLiteral("lijn"));
        QString oordeel = u.gewonnen ? (kien ? QStringLiteral("kien") : QStringLiteral("bingo"))
                                     : (kien ? QStringLiteral("geen kien") : QStringLiteral("geen bingo"));
        if (u.gewonnen && beslissend.geleden > 0) oordeel += QStringLiteral(" al eerder compleet");
        m_verloop->schrijfControle(KaartNummer::tekst(kaart->serie, kaart->nummer), fase, oordeel,
                                   u.gewonnen ? beslissend.bal : 0, u.gewonnen ? beslissend.plaats : 0);
    }
    m_kaartInBeeld = true;
    emit kaartGecontroleerd(gecontroleerd);
}

void Avond::kaartWeg()
{
    if (!m_kaartInBeeld) return;
    m_kaartInBeeld = false;
    m_roeper->zetPauze(Roeper::Controle, false);
    emit kaartWeggezet();
}

std::optional<RegisterKaart> Avond::zoekKaart(const KaartVraag& vraag)
{
    const QString titel = QStringLiteral("Kaart controleren");
    QString serie;
    int nummer = 0;
    if (!KaartNummer::lees(vraag.nummer, &serie, &nummer)) {
        meld(titel, QStringLiteral("\"%1\" is geen kaartnummer. Typ het nummer zoals het op de kaart staat, "
                                   "bijvoorbeeld A-0017.")
                        .arg(vraag.nummer.trimmed()));
        return std::nullopt;
    }
    // A check only reads the register: it never makes, writes or moves anything.
    KaartRegister kaartRegister(KaartRegister::padIn(instellingenMap()), KaartRegister::Modus::Lezen);
    QString melding;
    if (!kaartRegister.open(&melding)) {
        if (kaartRegister.toestand() == KaartRegister::Toestand::Ontbreekt)
            melding = QStringLiteral("Er zijn nog geen genummerde kaarten afgedrukt, dus er is geen kaart om te "
                                     "controleren.");
        meld(titel, melding);
        return std::nullopt;
    }
    if (serie.isEmpty()) serie = kaartRegister.laatsteSerie();
    std::optional<RegisterKaart> kaart = kaartRegister.kaart(serie, nummer, &melding);
    kaartRegister.sluit();
    if (!kaart) {
        if (m_verloop)
            m_verloop->schrijfControle(KaartNummer::tekst(serie, nummer), {}, QStringLiteral("niet gevonden"), 0, 0);
        meld(titel, melding);
    }
    return kaart;
}
