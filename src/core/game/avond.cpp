#include "core/game/avond.h"

#include "core/common/toeval.h"
#include "core/common/wacht.h"
#include "core/game/roeper.h"
#include "core/game/trommel.h"
#include "core/game/verloop.h"
#include "core/settings/algemeen.h"
#include "core/settings/avondinstellingen.h"
#include "core/settings/extrainstellingen.h"
#include "core/settings/instellingen.h"
#include "core/web/webvoeding.h"

#include <QDir>

#include <algorithm>
#include <cmath>

Avond::Avond(const Opzet& opzet, QObject* ouder)
    : QObject(ouder), m_instellingen(std::make_unique<AvondInstellingen>(opzet.programmaMap, opzet.reserveMap)),
      m_toeval(opzet.toeval ? opzet.toeval : &Toeval::systeem())
{
    const QString map = m_instellingen->instellingenMap();
    if (opzet.klok) m_spel.zetKlok(opzet.klok);
    if (opzet.verloop) {
        m_verloop = std::make_unique<Verloop>(map);
        if (opzet.klok) m_verloop->zetKlok(opzet.klok);
        m_verloop->volg(m_spel);
        m_verloop->zetMelder([this](const QString& tekst) { meld(QStringLiteral("Zorvak"), tekst); });
    }
    m_roeper = std::make_unique<Roeper>(m_instellingen->extra());
    m_programma = std::make_unique<ProgrammaGang>(m_spel, m_verloop.get(), m_instellingen->extra(), map);
    m_keuring =
        std::make_unique<KaartKeuring>(m_spel, *m_programma, m_verloop.get(), map,
                                       [this](const QString& titel, const QString& tekst) { meld(titel, tekst); });
    volgSpel();
    m_web = std::make_unique<WebVoeding>(*this);
}

Avond::~Avond() = default;

Avond::Stand Avond::stand() const
{
    return {m_spel.stand(), m_spel.rondeTeller(), m_bezig, kaartInBeeld(),
            m_programma->fasePatroon().value_or(m_spel.patroon())};
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
    m_spel.zetLetterVraag([this] { return !m_programma->spelSoort().kienen(); });
    connect(m_programma.get(), &ProgrammaGang::gewijzigd, &m_spel, &Spel::herzieLetters);
    // A card judged before the winners changed is judged anew before it can be confirmed.
    connect(m_programma.get(), &ProgrammaGang::winnaarsHerzien, this, [this] { m_keuring->vergeet(); });
    connect(m_programma.get(), &ProgrammaGang::faseBereikt, m_roeper.get(), &Roeper::zegFase);
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
    // Switched between the drums, calling by itself starts its interval anew.
    connect(m_instellingen.get(), &AvondInstellingen::handmatigGewijzigd, m_roeper.get(), &Roeper::herstart);
}

// The same road as the space bar, and never past the lock. Whatever holds the stage gives the
// hall a whole interval again.
void Avond::zelfTrekken()
{
    if (m_instellingen->handmatig() || m_programma->rondeAfgelopen()) return;
    if (m_bezig || (m_podiumVrij && !m_podiumVrij())) {
        m_roeper->herstart();
        return;
    }
    trekAlsKlaar();
}

bool Avond::trekAlsKlaar()
{
    if (m_bezig || m_instellingen->handmatig()) return false;
    if (m_programma->rondeAfgelopen()) {
        emit invoerGeweigerd(m_programma->rondeAfgelopenTekst());
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
    m_spel.zetRondeTeller(m_programma->speeltRonde() ? m_programma->ronde() + 1 : m_spel.rondeTeller() + 1);
    NieuwSpel();
    return true;
}

// The lock is held from the first step to the last: no ball can land on a board that is still
// being set up. A draw that is still blinking sees the new generation and stops.
void Avond::NieuwSpel()
{
    m_bezig = true;
    const int generatie = ++m_generatie;
    const bool metProgramma = m_programma->speeltRonde();
    const int aantal = metProgramma ? m_programma->aantalBallen() : m_instellingen->algemeen().AantalBallen;
    if (metProgramma) m_spel.zetRondeTeller(m_programma->ronde() + 1);
    m_spel.nieuwSpel(aantal, m_spel.rondeTeller());
    if (metProgramma) m_programma->rondeBegonnen();
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
    const QString extraMelding = m_instellingen->extra().leesMelding();
    if (!extraMelding.isEmpty()) meld(QStringLiteral("Zorvak"), extraMelding);
    if (!m_programma->leesMelding().isEmpty()) meld(QStringLiteral("Zorvak"), m_programma->leesMelding());
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
        if (!m_verloop->noteerOntbrekend(laatste ? laatste->stand.aantalBallen
                                                 : m_instellingen->algemeen().AantalBallen))
            tekst += QStringLiteral(" Ook dat kon nog niet in het verloop worden geschreven.");
        if (!laatste || laatste->afgemaakt || laatste->stand.ballen.isEmpty()) {
            meld(QStringLiteral("Zorvak"), tekst + QStringLiteral(" Begin een nieuw spel met de startknop."));
            if (laatste) m_programma->herstel(laatste->bestand);
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
            m_programma->herstel(laatste->bestand);
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
    m_programma->herstel(laatste->bestand);
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
    if (!m_instellingen->bewaar(&fout)) {
        // Said to the organiser, and to whatever started the program: it did not end well.
        m_afsluitCode = 1;
        meld(QStringLiteral(" Exit programma"),
             QStringLiteral("De instellingen konden niet worden bewaard in\n%1\n\n%2")
                 .arg(QDir::toNativeSeparators(m_instellingen->bestand().pad()), fout));
    }
    emit afgesloten(m_afsluitCode);
    return true;
}

// No ball is called while the organiser types the number and the hall looks at the card.
void Avond::controleerKaart()
{
    if (kaartInBeeld()) return;
    m_roeper->zetPauze(Roeper::Controle, true);
    const std::optional<KaartVraag> gevraagd = m_gesprek.kaartVraag ? m_gesprek.kaartVraag() : std::nullopt;
    toonKaart(gevraagd ? m_keuring->keur(*gevraagd) : std::nullopt);
}

void Avond::controleerGescand(const QString& code)
{
    kaartWeg();
    m_roeper->zetPauze(Roeper::Controle, true);
    toonKaart(m_keuring->keurCode(code));
}

// Calling by itself is held on entry; it stays held while the card shows.
void Avond::toonKaart(const std::optional<GecontroleerdeKaart>& kaart)
{
    if (!kaart) {
        m_roeper->zetPauze(Roeper::Controle, false);
        return;
    }
    emit kaartGecontroleerd(*kaart);
}

void Avond::kaartWeg()
{
    if (!m_keuring->weg()) return;
    m_roeper->zetPauze(Roeper::Controle, false);
    emit kaartWeggezet();
}

void Avond::startProgramma()
{
    if (m_programma->inhoud().leeg()) return;
    m_programma->start();
    NieuwSpel();
}

bool Avond::bevestigWinnaar()
{
    if (!kanWinnaarBevestigen()) {
        emit invoerGeweigerd(nietBevestigbaar());
        return false;
    }
    m_programma->voegWinnaarToe(m_keuring->bevestig());
    return true;
}

void Avond::neemWinnaarTerugVraag()
{
    const ProgrammaGang& gang = *m_programma;
    if (gang.winnaars().isEmpty() || m_bezig || !gang.loopt()) return;
    const Winnaar w = gang.winnaars().last();
    if (w.spel != m_spel.spelNummer() || gang.inhoud().regel(w.ronde, w.fase).isEmpty()) return;
    m_bezig = true;
    bool ja = false;
    {
        const Roeper::Pauze pauze(m_roeper.get(), Roeper::Vraag);
        const QString titel = QStringLiteral("Zorvak");
        const QString tekst =
            QStringLiteral("Winnaar %1 van %2 terugnemen?").arg(w.kaart, gang.inhoud().regel(w.ronde, w.fase));
        ja = m_gesprek.organisatorVraag ? m_gesprek.organisatorVraag(titel, tekst, false) : vraag(titel, tekst, false);
    }
    m_bezig = false;
    if (ja && !gang.winnaars().isEmpty() && gang.winnaars().last().kaart == w.kaart) m_programma->neemWinnaarTerug();
}

// ---- Balls from a real drum

bool Avond::voerBalInOp(QPoint twips)
{
    if (!m_instellingen->handmatig()) return false;
    const int bal = Trommel::balOnder(twips, m_spel.aantalBallen());
    return bal > 0 && voerBalIn(bal);
}

bool Avond::voerBalIn(int getal)
{
    if (m_bezig && m_spel.heeftSpel()) return false;
    QString reden;
    if (!m_spel.heeftSpel())
        reden = QStringLiteral("Begin eerst een nieuw spel.");
    else if (m_programma->rondeAfgelopen())
        reden = m_programma->rondeAfgelopenTekst();
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
