#include "core/game/avond.h"

#include "core/common/toeval.h"
#include "core/common/wacht.h"
#include "core/game/roeper.h"
#include "core/game/trommel.h"
#include "core/game/verloop.h"
#include "core/game/verslag.h"
#include "core/settings/algemeen.h"
#include "core/settings/extrainstellingen.h"
#include "core/settings/instellingen.h"
#include "core/web/webvoeding.h"

#include <QDir>

#include <algorithm>
#include <cmath>

Avond::Avond(const Opzet& opzet, QObject* ouder)
    : QObject(ouder), m_alg(std::make_unique<Algemeen>()),
      m_bestand(std::make_unique<InstellingenBestand>(opzet.programmaMap, opzet.reserveMap)),
      m_toeval(opzet.toeval ? opzet.toeval : &Toeval::systeem())
{
    m_bestand->laadBijStart(*m_alg);
    m_extra = std::make_unique<ExtraInstellingen>(m_bestand->instellingenMap());
    m_weergave = Weergave::lees(*m_extra);
    if (opzet.klok) m_spel.zetKlok(opzet.klok);
    if (opzet.verloop) {
        m_verloop = std::make_unique<Verloop>(m_bestand->instellingenMap());
        if (opzet.klok) m_verloop->zetKlok(opzet.klok);
        m_verloop->volg(m_spel);
        m_verloop->zetMelder([this](const QString& tekst) { meld(QStringLiteral("Zorvak"), tekst); });
    }
    m_roeper = std::make_unique<Roeper>(*m_extra);
    m_programma = AvondProgramma::lees(instellingenMap(), &m_programmaMelding).value_or(AvondProgramma{});
    volgSpel();
    m_web = std::make_unique<WebVoeding>(*this);
}

Avond::~Avond() = default;

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
    return {m_spel.stand(), m_spel.rondeTeller(), m_bezig, m_kaartInBeeld, fasePatroon().value_or(m_spel.patroon())};
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
    // Kien callers call the number alone: so does the hall's every view in a Kien round.
    m_spel.zetLetterVraag([this] { return !spelSoort().kienen(); });
    connect(this, &Avond::programmaGewijzigd, &m_spel, &Spel::herzieLetters);
    for (auto signaal : {&Spel::nieuwSpelGestart, &Spel::spelHersteld})
        connect(&m_spel, signaal, &m_spel, &Spel::herzieLetters);
    connect(&m_spel, &Spel::nieuwSpelGestart, this, [this] { m_roeper->nieuwSpel(m_spel.ronde()); });
    connect(&m_spel, &Spel::balGetrokken, this,
            [this](int n) { m_roeper->balGetrokken(m_spel.letter(n), n, m_spel.inTrommel()); });
    connect(&m_spel, &Spel::balTeruggelegd, this, [this] { m_roeper->zetPauze(Roeper::Leeg, false); });
    // A game taken up shows at once: a draw still blinking stops, and the board is ready.
    connect(&m_spel, &Spel::spelHersteld, this, [this] {
        ++m_generatie;
        if (m_spel.heeftSpel()) m_bezig = false;
        m_roeper->zetPauze(Roeper::Leeg, m_spel.inTrommel() == 0);
        m_roeper->spelKlaar();
    });
    connect(m_roeper.get(), &Roeper::trekNu, this, &Avond::zelfTrekken);
}

// The same road as the space bar, and never past the lock. Whatever holds the stage gives the
// hall a whole interval again.
void Avond::zelfTrekken()
{
    if (handmatig() || rondeAfgelopen()) return;
    if (m_bezig || (m_podiumVrij && !m_podiumVrij())) {
        m_roeper->herstart();
        return;
    }
    trekAlsKlaar();
}

bool Avond::trekAlsKlaar()
{
    if (m_bezig || handmatig()) return false;
    if (rondeAfgelopen()) {
        emit invoerGeweigerd(rondeAfgelopenTekst());
        return false;
    }
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
    // With a programme, the round is the programme's.
    m_spel.zetRondeTeller(m_programmaLoopt && !programmaKlaar() ? m_ronde + 1 : m_spel.rondeTeller() + 1);
    NieuwSpel();
    return true;
}

// The lock is held from the first step to the last: no ball can land on a board that is still
// being set up. A draw that is still blinking sees the new generation and stops.
void Avond::NieuwSpel()
{
    m_bezig = true;
    const int generatie = ++m_generatie;
    const bool metProgramma = m_programmaLoopt && !programmaKlaar();
    const int aantal =
        metProgramma ? AvondProgramma::aantalBallen(m_programma.rondes[m_ronde].spel) : m_alg->AantalBallen;
    if (metProgramma) m_spel.zetRondeTeller(m_ronde + 1);
    m_spel.nieuwSpel(aantal, m_spel.rondeTeller());
    if (metProgramma) {
        // Each round's record carries the programme as it is played, for the report.
        schrijfProgramma();
        naarFase(m_ronde, m_fase, true);
    }
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
        ja = vraag(QStringLiteral("Zorvak"),
                   QStringLiteral("Bal %1 terugleggen in de trommel?").arg(m_spel.lijstRegel(n)), false);
    }
    m_bezig = false;
    if (ja && m_spel.laatste() == n) m_spel.neemTerug();
}

void Avond::hervatBijStart()
{
    const QString extraMelding = m_extra->leesMelding();
    if (!extraMelding.isEmpty()) meld(QStringLiteral("Zorvak"), extraMelding);
    if (!m_programmaMelding.isEmpty()) meld(QStringLiteral("Zorvak"), m_programmaMelding);
    if (!m_verloop) return;
    const auto laatste = m_verloop->bijStart();
    const int ontbreekt = m_verloop->ontbrekendSpel();
    if (!laatste && !ontbreekt) return;
    m_spel.zetLaatsteNummer(
        std::max(ontbreekt, laatste ? std::max(laatste->stand.spelNummer, laatste->hoogsteSpel) : 0));
    bool neemOp = false;
    if (ontbreekt) {
        // A game began that the record never got: the organiser hears which, and what the
        // record does hold. It is never offered as if it were the last game.
        QString tekst = QStringLiteral("Spel %1 is begonnen maar staat niet volledig in het verloop: het verloop kon "
                                       "niet worden geschreven (was de schijf vol?). De ballen van spel %1 zijn niet "
                                       "bewaard.")
                            .arg(ontbreekt);
        if (laatste)
            tekst += QStringLiteral(" Het verloop eindigt met spel %1 (%2 getrokken).")
                         .arg(laatste->stand.spelNummer)
                         .arg(Trommel::aantalTekst(static_cast<int>(laatste->stand.ballen.size())));
        if (!m_verloop->noteerOntbrekend(laatste ? laatste->stand.aantalBallen : m_alg->AantalBallen))
            tekst += QStringLiteral(" Ook dat kon nog niet in het verloop worden geschreven.");
        if (!laatste || laatste->afgemaakt || laatste->stand.ballen.isEmpty()) {
            meld(QStringLiteral("Zorvak"), tekst + QStringLiteral(" Begin een nieuw spel met de startknop."));
            if (laatste) herstelProgramma(laatste->bestand);
            return;
        }
        neemOp =
            vraag(QStringLiteral("Zorvak"),
                  tekst + QStringLiteral(" Wilt u spel %1 toch verder spelen?").arg(laatste->stand.spelNummer), false);
    } else {
        const auto getrokken = laatste->stand.ballen.size();
        if (laatste->afgemaakt) return;
        // A game with no ball yet has nothing to take up, but the programme's place does.
        if (getrokken == 0 && !laatste->onvolledig) {
            herstelProgramma(laatste->bestand);
            return;
        }
        // A record that could not be written to the end may lack balls the hall has seen.
        const QString vraagTekst =
            laatste->onvolledig
                ? QStringLiteral("Het vorige spel is niet afgemaakt (%1 in het verloop). Het verloop kon niet tot "
                                 "het eind worden geschreven: er kunnen ballen ontbreken die wel zijn getoond, en die "
                                 "kunnen dan opnieuw worden getrokken. Wilt u toch verder spelen?")
                : QStringLiteral("Het vorige spel is niet afgemaakt (%1 getrokken). Wilt u verder spelen?");
        neemOp = vraag(QStringLiteral("Zorvak"), vraagTekst.arg(Trommel::aantalTekst(getrokken)));
    }
    if (neemOp) {
        m_verloop->hervat(*laatste);
        m_spel.herstel(laatste->stand);
    } else {
        m_verloop->geefOp(*laatste);
    }
    // The programme goes on where it was, whether or not the game is taken up: a prize won is
    // never played for again unless the organiser starts the programme anew.
    herstelProgramma(laatste->bestand);
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
    const SpelSoort soort = spelSoort();
    if (kaart && !soort.past(kaart->soort)) {
        // Judged by the rules of another game, a card could win what it cannot: it is refused.
        const QString nummer = KaartNummer::tekst(kaart->serie, kaart->nummer);
        if (m_verloop)
            m_verloop->schrijfControle(nummer, {}, QStringLiteral("geweigerd: ") + KaartNummer::soortNaam(kaart->soort),
                                       0, 0);
        meld(QStringLiteral("Kaart controleren"), soort.weigering(nummer, kaart->soort));
        kaart.reset();
    }
    if (!kaart) {
        m_roeper->zetPauze(Roeper::Controle, false);
        return;
    }
    QList<int> ballen;
    for (const Spel::Bal& bal : m_spel.ballen())
        ballen << bal.getal;
    GecontroleerdeKaart gecontroleerd{*kaart, {}, {}, {}, false};
    int rijen = gevraagd.rijen;
    m_beoordeeld.reset();
    const auto fase = beoordeeldeFase();
    if (fase) {
        // The stage decides what wins, whatever was chosen in the question.
        const AvondProgramma::Fase& f = m_programma.rondes[fase->first].fasen[fase->second];
        rijen = AvondProgramma::kienRijen(f.naam);
        if (f.patroon) gecontroleerd.patroon = *f.patroon;
        gecontroleerd.fase = m_programma.regel(fase->first, fase->second);
    } else if (Controle::heeftPatroon(m_spel.patroon())) {
        gecontroleerd.patroon = m_spel.patroon();
    }
    gecontroleerd.uitslag =
        Controle::controleer(*kaart, ballen, gecontroleerd.patroon ? &*gecontroleerd.patroon : nullptr, rijen);
    const QString nummer = KaartNummer::tekst(kaart->serie, kaart->nummer);
    if (fase) {
        bool alGewonnen = false;
        for (const Winnaar& w : m_winnaars)
            alGewonnen = alGewonnen || (w.kaart == nummer && w.ronde == fase->first && w.fase == fase->second);
        const Controle::Voltooid compleet = gecontroleerd.uitslag.fasen.value(gecontroleerd.uitslag.beslissend);
        m_beoordeeld = Beoordeeld{{nummer, fase->first, fase->second, int(m_spel.ballen().size()), m_spel.laatste(),
                                   m_spel.spelNummer(), compleet.bal, compleet.plaats},
                                  gecontroleerd.uitslag.gewonnen && !alGewonnen};
        gecontroleerd.kanBevestigen = m_beoordeeld->wint;
    }
    if (m_verloop) {
        const Controle::Uitslag& u = gecontroleerd.uitslag;
        const Controle::Voltooid beslissend = u.fasen.value(u.beslissend);
        const bool kien = kaart->soort == KaartSoort::Kien;
        QString faseNaam = kien ? Controle::kienRijen(qBound(1, rijen, 3))
                                : (gecontroleerd.patroon ? QStringLiteral("patroon") : QStringLiteral("lijn"));
        if (fase) faseNaam = m_programma.rondes[fase->first].fasen[fase->second].naam;
        QString oordeel = u.gewonnen ? (kien ? QStringLiteral("kien") : QStringLiteral("bingo"))
                                     : (kien ? QStringLiteral("geen kien") : QStringLiteral("geen bingo"));
        if (u.gewonnen && beslissend.geleden > 0) oordeel += QStringLiteral(" al eerder compleet");
        m_verloop->schrijfControle(nummer, faseNaam, oordeel, u.gewonnen ? beslissend.bal : 0,
                                   u.gewonnen ? beslissend.plaats : 0);
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
    if (serie.isEmpty()) {
        // A bare number belongs to the series of this game's kind printed last.
        const SpelSoort soort = spelSoort();
        serie = kaartRegister.laatsteSerie(soort.kaarten());
        if (serie.isEmpty()) {
            kaartRegister.sluit();
            meld(titel, QStringLiteral("Er is nog geen reeks kaarten voor dit spel (%1) afgedrukt. Typ het nummer met "
                                       "de letter van de reeks, bijvoorbeeld A-0017.")
                            .arg(soort.naam()));
            return std::nullopt;
        }
    }
    std::optional<RegisterKaart> kaart = kaartRegister.kaart(serie, nummer, &melding);
    kaartRegister.sluit();
    if (!kaart) {
        if (m_verloop)
            m_verloop->schrijfControle(KaartNummer::tekst(serie, nummer), {}, QStringLiteral("niet gevonden"), 0, 0);
        meld(titel, melding);
    }
    return kaart;
}

// ---- The programme of the evening

QString Avond::GecontroleerdeKaart::faseRegel() const
{
    if (fase.isEmpty()) return {};
    if (kanBevestigen) return QStringLiteral("%1: wint").arg(fase);
    return QStringLiteral("%1: %2").arg(fase, uitslag.gewonnen ? QStringLiteral("al bevestigd")
                                                               : QStringLiteral("wint niet"));
}

bool Avond::zetProgramma(const AvondProgramma& programma, QString* fout)
{
    if (!programma.bewaar(instellingenMap(), fout)) return false;
    m_programma = programma;
    // The winners and the card shown belong to the programme that was.
    m_winnaars.clear();
    m_beoordeeld.reset();
    if (m_programmaLoopt) {
        m_ronde = m_fase = 0;
        m_programmaLoopt = !m_programma.leeg();
        // A change while the programme runs goes into the record as such.
        if (m_programmaLoopt && m_spel.heeftSpel()) schrijfProgramma();
    }
    emit programmaGewijzigd();
    return true;
}

void Avond::startProgramma()
{
    if (m_programma.leeg()) return;
    m_programmaLoopt = true;
    m_ronde = m_fase = 0;
    m_winnaars.clear();
    m_beoordeeld.reset();
    emit programmaGewijzigd();
    NieuwSpel();
}

void Avond::stopProgramma()
{
    m_programmaLoopt = false;
    m_beoordeeld.reset();
    emit programmaGewijzigd();
}

int Avond::winnaarsVan(int ronde, int fase) const
{
    return static_cast<int>(std::count_if(m_winnaars.cbegin(), m_winnaars.cend(),
                                          [&](const Winnaar& w) { return w.ronde == ronde && w.fase == fase; }));
}

QString Avond::programmaRegel() const
{
    if (!m_programmaLoopt) return {};
    // A prize just won by more than one card: the hall sees that it is shared.
    if (!m_winnaars.isEmpty()) {
        const Winnaar& w = m_winnaars.last();
        const int delers = winnaarsVan(w.ronde, w.fase);
        if (delers > 1 && w.spel == m_spel.spelNummer() && w.aantal == m_spel.ballen().size()) {
            const AvondProgramma::Fase& f = m_programma.rondes[w.ronde].fasen[w.fase];
            const auto deel = AvondProgramma::deel(f, delers);
            return QStringLiteral("Ronde %1 · %2 gedeeld door %3 winnaars%4")
                .arg(w.ronde + 1)
                .arg(f.naam)
                .arg(delers)
                .arg(deel ? QStringLiteral(" · %1 elk").arg(AvondProgramma::bedragTekst(*deel)) : QString());
        }
    }
    // The hall reads that the round is over; what to press is for the organiser.
    if (rondeAfgelopen())
        return programmaKlaar() ? QStringLiteral("Ronde %1 is afgelopen: alle prijzen van de avond zijn gewonnen")
                                      .arg(m_spel.ronde())
                                : QStringLiteral("Ronde %1 is afgelopen").arg(m_spel.ronde());
    if (programmaKlaar()) return QStringLiteral("Alle prijzen van de avond zijn gewonnen");
    return m_programma.regel(m_ronde, m_fase);
}

bool Avond::rondeAfgelopen() const
{
    if (!m_programmaLoopt || !m_spel.heeftSpel()) return false;
    const int ronde = m_spel.ronde() - 1;
    return ronde >= 0 && ronde < m_ronde && ronde < m_programma.rondes.size();
}

QString Avond::rondeAfgelopenTekst() const
{
    if (programmaKlaar())
        return QStringLiteral("Ronde %1 is afgelopen: alle prijzen van de avond zijn gewonnen. Druk op Start voor een "
                              "nieuw spel.")
            .arg(m_spel.ronde());
    return QStringLiteral("Ronde %1 is afgelopen. Druk op Start voor ronde %2.").arg(m_spel.ronde()).arg(m_ronde + 1);
}

SpelSoort Avond::spelSoort() const
{
    SpelSoort soort{m_spel.heeftSpel() ? m_spel.aantalBallen() : 0, std::nullopt};
    // The game of a programme's round: a game set up by the programme has that round's number
    // and ball count.
    const int ronde = m_spel.ronde() - 1;
    if (m_programmaLoopt && m_spel.heeftSpel() && ronde >= 0 && ronde < m_programma.rondes.size() &&
        AvondProgramma::aantalBallen(m_programma.rondes[ronde].spel) == m_spel.aantalBallen())
        soort.ronde = m_programma.rondes[ronde].spel;
    return soort;
}

std::optional<PatroonKaart::Patroon> Avond::fasePatroon() const
{
    if (!m_programmaLoopt || programmaKlaar() || m_programma.rondes[m_ronde].spel == AvondProgramma::Soort::Kienen)
        return std::nullopt;
    return m_programma.rondes[m_ronde].fasen[m_fase].patroon.value_or(PatroonKaart::Patroon{});
}

std::optional<std::pair<int, int>> Avond::beoordeeldeFase() const
{
    if (!m_programmaLoopt || !m_spel.heeftSpel()) return std::nullopt;
    if (!m_winnaars.isEmpty()) {
        const Winnaar& w = m_winnaars.last();
        if (w.spel == m_spel.spelNummer() && w.aantal == m_spel.ballen().size()) return std::make_pair(w.ronde, w.fase);
    }
    if (programmaKlaar() || m_spel.ronde() != m_ronde + 1) return std::nullopt;
    return std::make_pair(m_ronde, m_fase);
}

// Where the programme stands: the game plays for the stage's pattern, the record and the hall
// are told.
void Avond::naarFase(int ronde, int fase, bool zeg)
{
    m_ronde = ronde;
    m_fase = fase;
    if (!programmaKlaar() && m_spel.heeftSpel() && m_spel.ronde() == m_ronde + 1) {
        schrijfFase();
        if (zeg) m_roeper->zegFase(m_programma.rondes[m_ronde].fasen[m_fase].naam);
    }
    emit programmaGewijzigd();
}

// The programme as it is now, with the club's limits, in one line of the record: the report of
// the evening is made from the record alone, whatever becomes of the programme's file.
void Avond::schrijfProgramma()
{
    if (!m_verloop) return;
    Verloop::Extra extra;
    extra.programma = m_programma.alsVerloopTekst(maxPrijs(), maxAvond());
    m_verloop->schrijfRegel("programma", 0, extra);
}

void Avond::schrijfFase()
{
    if (!m_verloop) return;
    Verloop::Extra extra;
    extra.fase = m_programma.rondes[m_ronde].fasen[m_fase].naam;
    extra.aantal = static_cast<int>(m_spel.ballen().size());
    m_verloop->schrijfRegel("fase", m_spel.laatste(), extra);
}

bool Avond::kanWinnaarBevestigen() const
{
    return m_beoordeeld && m_beoordeeld->wint && m_kaartInBeeld && !m_bezig &&
           m_beoordeeld->winnaar.spel == m_spel.spelNummer() && m_beoordeeld->winnaar.aantal == m_spel.ballen().size();
}

QString Avond::winnaarRegel() const
{
    if (!m_beoordeeld || m_winnaars.isEmpty()) return {};
    const Winnaar& w = m_winnaars.last();
    if (w.kaart != m_beoordeeld->winnaar.kaart || w.spel != m_spel.spelNummer()) return {};
    return QStringLiteral("Winnaar %1 bevestigd. Nu: %2").arg(w.kaart, programmaRegel());
}

QString Avond::nietBevestigbaar() const
{
    if (kanWinnaarBevestigen()) return {};
    if (!m_programmaLoopt) return QStringLiteral("Er speelt geen programma: er is geen prijs om te bevestigen.");
    if (!m_kaartInBeeld || !m_beoordeeld) return QStringLiteral("Controleer eerst een kaart (K).");
    const Winnaar& w = m_beoordeeld->winnaar;
    if (w.spel != m_spel.spelNummer() || w.aantal != m_spel.ballen().size())
        return QStringLiteral("Er is een bal bij gekomen: controleer kaart %1 opnieuw.").arg(w.kaart);
    if (m_bezig) return QStringLiteral("Wacht tot de bal getoond is.");
    for (const Winnaar& eerder : m_winnaars)
        if (eerder.kaart == w.kaart && eerder.ronde == w.ronde && eerder.fase == w.fase)
            return QStringLiteral("Kaart %1 is al bevestigd.").arg(w.kaart);
    return QStringLiteral("Kaart %1 wint niet: er is geen winnaar te bevestigen.").arg(w.kaart);
}

bool Avond::bevestigWinnaar()
{
    if (!kanWinnaarBevestigen()) {
        emit invoerGeweigerd(nietBevestigbaar());
        return false;
    }
    m_beoordeeld->wint = false;
    const Winnaar w = m_beoordeeld->winnaar;
    const bool eerste = winnaarsVan(w.ronde, w.fase) == 0;
    m_winnaars.append(w);
    if (m_verloop) {
        Verloop::Extra extra{w.kaart,
                             m_programma.rondes[w.ronde].fasen[w.fase].naam,
                             Verloop::winnaarUitslag(w.compleetBal, w.compleetPlaats),
                             w.aantal,
                             {}};
        m_verloop->schrijfRegel("winnaar", w.bal, extra);
    }
    if (eerste) {
        const auto [ronde, fase] = m_programma.naWinst(w.ronde, w.fase);
        // The caller names a new stage of the same round; a new round begins with a new game.
        naarFase(ronde, fase, ronde == w.ronde);
    } else {
        emit programmaGewijzigd();
    }
    return true;
}

void Avond::neemWinnaarTerugVraag()
{
    if (m_winnaars.isEmpty() || m_bezig || !m_programmaLoopt) return;
    const Winnaar w = m_winnaars.last();
    if (w.spel != m_spel.spelNummer() || m_programma.regel(w.ronde, w.fase).isEmpty()) return;
    m_bezig = true;
    bool ja = false;
    {
        const Roeper::Pauze pauze(m_roeper.get(), Roeper::Vraag);
        const QString titel = QStringLiteral("Zorvak");
        const QString tekst =
            QStringLiteral("Winnaar %1 van %2 terugnemen?").arg(w.kaart, m_programma.regel(w.ronde, w.fase));
        ja = m_gesprek.organisatorVraag ? m_gesprek.organisatorVraag(titel, tekst, false) : vraag(titel, tekst, false);
    }
    m_bezig = false;
    if (!ja || m_winnaars.isEmpty() || !(m_winnaars.last().kaart == w.kaart)) return;
    m_winnaars.removeLast();
    m_beoordeeld.reset();
    if (m_verloop) {
        Verloop::Extra extra{w.kaart, m_programma.rondes[w.ronde].fasen[w.fase].naam, {}, w.aantal, {}};
        m_verloop->schrijfRegel("winnaar teruggenomen", m_spel.laatste(), extra);
    }
    if (winnaarsVan(w.ronde, w.fase) == 0)
        naarFase(w.ronde, w.fase, false);
    else
        emit programmaGewijzigd();
}

// At start, the programme's place and its winners are taken up from the record: the last stage
// it names and the winners since the programme began, over all the games of the record.
void Avond::herstelProgramma(const QString& bestand)
{
    if (m_programma.leeg()) return;
    const auto inhoud = Verloop::leesBestand(bestand, nullptr);
    if (!inhoud) return;
    std::optional<std::pair<int, int>> plek;
    QList<Winnaar> winnaars;
    const auto zoekFase = [this](int ronde, const QString& naam) {
        if (ronde < 0 || ronde >= m_programma.rondes.size()) return -1;
        const auto& fasen = m_programma.rondes[ronde].fasen;
        for (int i = 0; i < fasen.size(); ++i)
            if (fasen[i].naam == naam) return i;
        return -1;
    };
    for (const Verloop::Regel& r : Verloop::alleRegels(*inhoud)) {
        const int fase = zoekFase(r.ronde - 1, r.extra.fase);
        if (fase < 0) continue;
        if (r.gebeurtenis == QLatin1String("fase")) {
            // The programme's first stage comes only when it starts (anew): no winners before it count.
            if (r.ronde == 1 && fase == 0 && r.extra.aantal == 0) winnaars.clear();
            plek = std::make_pair(r.ronde - 1, fase);
        } else if (r.gebeurtenis == QLatin1String("winnaar")) {
            const auto [bal, plaats] = Verloop::winnaarCompleet(r.extra.uitslag);
            winnaars.append({r.extra.kaart, r.ronde - 1, fase, r.extra.aantal, r.bal, r.spel, bal, plaats});
            plek = m_programma.naWinst(r.ronde - 1, fase);
        } else if (r.gebeurtenis == QLatin1String("winnaar teruggenomen") && !winnaars.isEmpty()) {
            winnaars.removeLast();
            const bool gedeeld = std::any_of(winnaars.cbegin(), winnaars.cend(), [&](const Winnaar& w) {
                return w.ronde == r.ronde - 1 && w.fase == fase;
            });
            plek = gedeeld ? m_programma.naWinst(r.ronde - 1, fase) : std::make_pair(r.ronde - 1, fase);
        }
    }
    if (!plek) return;
    m_programmaLoopt = true;
    m_winnaars = winnaars;
    m_ronde = plek->first;
    m_fase = plek->second;
    emit programmaGewijzigd();
}

namespace
{
const QString handSleutel = QStringLiteral("Trekken/Handmatig");
const QString maxPrijsSleutel = QStringLiteral("Programma/MaxPrijs");
const QString maxAvondSleutel = QStringLiteral("Programma/MaxAvond");

qint64 centen(const QVariant& waarde, qint64 standaard)
{
    bool goed = false;
    const double euros = waarde.toDouble(&goed);
    return goed && euros >= 0 && euros < 1e7 ? std::llround(euros * 100) : standaard;
}
} // namespace

qint64 Avond::maxPrijs() const
{
    return centen(m_extra->waarde(maxPrijsSleutel), 40000);
}

qint64 Avond::maxAvond() const
{
    return centen(m_extra->waarde(maxAvondSleutel), 155000);
}

bool Avond::zetLimieten(qint64 perPrijs, qint64 perAvond, QString* fout)
{
    m_extra->zet(maxPrijsSleutel, static_cast<double>(perPrijs) / 100.0);
    m_extra->zet(maxAvondSleutel, static_cast<double>(perAvond) / 100.0);
    return m_extra->bewaar(fout);
}

// ---- Balls from a real drum

bool Avond::handmatig() const
{
    return m_extra->janee(handSleutel, false);
}

bool Avond::zetHandmatig(bool aan, QString* fout)
{
    m_extra->zet(handSleutel, aan);
    m_roeper->herstart();
    const bool bewaard = m_extra->bewaar(fout);
    emit handmatigGewijzigd();
    return bewaard;
}

bool Avond::voerBalInOp(QPoint twips)
{
    if (!handmatig()) return false;
    const int bal = Trommel::balOnder(twips, m_spel.aantalBallen());
    return bal > 0 && voerBalIn(bal);
}

bool Avond::voerBalIn(int getal)
{
    if (m_bezig && m_spel.heeftSpel()) return false;
    QString reden;
    if (!m_spel.heeftSpel())
        reden = QStringLiteral("Begin eerst een nieuw spel.");
    else if (rondeAfgelopen())
        reden = rondeAfgelopenTekst();
    else if (getal < 1 || getal > m_spel.aantalBallen())
        reden = QStringLiteral("%1 hoort niet bij dit spel (1 tot en met %2).").arg(getal).arg(m_spel.aantalBallen());
    else if (m_spel.isGetrokken(getal))
        reden = QStringLiteral("Bal %1 is al getrokken.").arg(m_spel.lijstRegel(getal));
    if (!reden.isEmpty()) {
        emit invoerGeweigerd(reden);
        return false;
    }
    // The same road as a draw: in the record first, then the blink, then shown.
    m_bezig = true;
    const int generatie = m_generatie;
    m_spel.voerIn(getal);
    if (loopt(generatie)) {
        emit knipperBal(getal);
        if (!loopt(generatie)) return true;
        emit balGetoond(getal);
    }
    if (!loopt(generatie)) return true;
    m_bezig = false;
    emit trekkingKlaar();
    return true;
}

bool Avond::maakVerslag(const QString& pad, QString* fout)
{
    const auto laatste = Verloop::laatsteSpel(instellingenMap());
    const QString bestand = laatste ? laatste->bestand : Verloop::dagBestand(instellingenMap(), QDate::currentDate());
    return Verslag::maak(bestand, pad, fout);
}
