#include "core/game/spel.h"

#include "core/common/toeval.h"

#include <algorithm>

Spel::Spel(QObject* ouder) : QObject(ouder), m_klok([] { return QDateTime::currentDateTime(); }) {}

bool Spel::isGetrokken(int getal) const
{
    return getal >= 1 && getal <= 90 && m_getrokken[getal] != 0;
}

int Spel::inTrommel() const
{
    return heeftSpel() ? Trommel::inTrommel(m_getrokken, m_stand.aantalBallen) : 0;
}

void Spel::nieuwSpel(int aantalBallen, int ronde)
{
    m_stand.aantalBallen = aantalBallen == 75 ? 75 : 90;
    m_stand.ronde = ronde;
    m_stand.spelNummer += 1;
    m_stand.ballen.clear();
    m_getrokken.fill(0);
    schrijf(Gebeurtenis::NieuwSpel, 0);
    emit nieuwSpelGestart();
}

int Spel::trek(Toeval& toeval)
{
    if (!heeftSpel()) return 0;
    const int n = Trommel::trek(m_getrokken, m_stand.aantalBallen, toeval);
    if (n == 0) return 0;
    m_stand.ballen.append({n, m_klok()});
    schrijf(Gebeurtenis::Getrokken, n);
    emit balGetrokken(n);
    return n;
}

bool Spel::voerIn(int getal)
{
    if (!heeftSpel() || getal < 1 || getal > m_stand.aantalBallen || m_getrokken[getal] != 0) return false;
    m_getrokken[getal] = 1;
    m_stand.ballen.append({getal, m_klok(), true});
    schrijf(Gebeurtenis::Getrokken, getal);
    emit balGetrokken(getal);
    return true;
}

int Spel::neemTerug()
{
    if (m_stand.ballen.isEmpty()) return 0;
    const int n = m_stand.ballen.takeLast().getal;
    m_getrokken[n] = 0;
    schrijf(Gebeurtenis::Teruggelegd, n);
    emit balTeruggelegd(n);
    return n;
}

void Spel::herstel(const Stand& stand)
{
    m_stand = {};
    m_getrokken.fill(0);
    if (stand.aantalBallen == 75 || stand.aantalBallen == 90) {
        m_stand.aantalBallen = stand.aantalBallen;
        m_stand.ronde = stand.ronde;
        // A ball outside the game or a repeat cannot come from a draw: it is left out.
        for (const Bal& bal : stand.ballen) {
            if (bal.getal < 1 || bal.getal > stand.aantalBallen || m_getrokken[bal.getal] != 0) continue;
            m_getrokken[bal.getal] = 1;
            m_stand.ballen.append(bal);
        }
    }
    m_stand.spelNummer = stand.spelNummer;
    m_rondeTeller = std::max(m_rondeTeller, m_stand.ronde);
    emit spelHersteld();
}

QString Spel::letter(int getal) const
{
    return metLetters() ? Trommel::letter(getal, m_stand.aantalBallen) : QString();
}

QString Spel::lijstRegel(int getal) const
{
    return Trommel::lijstRegel(letter(getal), getal);
}

QString Spel::grootTekst(int getal) const
{
    return Trommel::grootTekst(letter(getal), getal);
}

void Spel::herzieLetters()
{
    const bool letters = metLetters();
    if (letters == m_letters) return;
    m_letters = letters;
    emit lettersGewijzigd();
}

void Spel::meldAfgesloten()
{
    schrijf(Gebeurtenis::Afgesloten, 0);
}

void Spel::schrijf(Gebeurtenis g, int getal)
{
    if (m_schrijver) m_schrijver(g, getal);
}
