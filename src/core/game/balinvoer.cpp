#include "core/game/balinvoer.h"

#include "core/game/avond.h"
#include "core/game/organisatortekst.h"
#include "core/game/spel.h"

#include <QTimer>

BalInvoer::BalInvoer(Avond& avond, OrganisatorTekst& tekst, QObject* ouder)
    : QObject(ouder), m_avond(avond), m_tekst(tekst)
{
    // Balls typed for the game before are not for the new one.
    connect(&avond, &Avond::spelBegonnen, this, [this] { m_wachtrij.clear(); });
}

bool BalInvoer::toets(int toets)
{
    if (!m_avond.instellingen().handmatig()) return false;
    if (toets >= Qt::Key_0 && toets <= Qt::Key_9) {
        if (m_cijfers.size() < maxCijfers) m_cijfers += QChar(u'0' + (toets - Qt::Key_0));
        if (!m_bedorven) m_tekst.zetInvoer(QStringLiteral("Bal: %1").arg(m_cijfers));
        return true;
    }
    if (toets == Qt::Key_Return || toets == Qt::Key_Enter) return enter();
    if (toets == Qt::Key_Backspace && !m_cijfers.isEmpty()) {
        m_cijfers.chop(1);
        if (m_cijfers.isEmpty()) m_bedorven = false;
        if (m_cijfers.isEmpty())
            m_tekst.zetInvoer({});
        else if (!m_bedorven)
            m_tekst.zetInvoer(QStringLiteral("Bal: %1").arg(m_cijfers));
        return true;
    }
    // K stays the card check; Escape starts again.
    if (toets == Qt::Key_Escape && (!m_cijfers.isEmpty() || m_bedorven)) {
        wis();
        return true;
    }
    if (toets != Qt::Key_Space && toets != Qt::Key_K && toets < Qt::Key_Escape) m_bedorven = true;
    return toets == Qt::Key_Space;
}

bool BalInvoer::enter()
{
    // Typed while a ball still shows: it goes in, in turn, once that is done.
    if ((m_avond.bezig() || !m_wachtrij.isEmpty()) && m_avond.spel().heeftSpel() && !m_cijfers.isEmpty() &&
        !m_bedorven) {
        m_wachtrij.append(m_cijfers.toInt());
        m_cijfers.clear();
        if (m_wachtrij.size() == 1) QTimer::singleShot(wachtMs, this, &BalInvoer::voerWachtrijIn);
        return true;
    }
    const bool bedorven = m_bedorven;
    const int bal = m_cijfers.isEmpty() ? -1 : m_cijfers.toInt();
    wis();
    if (bedorven)
        m_tekst.meld(QStringLiteral("Geen bal: typ alleen het getal van de bal."));
    else if (bal >= 0)
        m_avond.voerBalIn(bal);
    return true;
}

void BalInvoer::wis()
{
    m_cijfers.clear();
    m_bedorven = false;
    m_tekst.zetInvoer({});
}

void BalInvoer::voerWachtrijIn()
{
    if (m_wachtrij.isEmpty()) return;
    if (m_avond.bezig() && m_avond.spel().heeftSpel()) {
        QTimer::singleShot(wachtMs, this, &BalInvoer::voerWachtrijIn);
        return;
    }
    m_avond.voerBalIn(m_wachtrij.takeFirst());
    if (!m_wachtrij.isEmpty()) QTimer::singleShot(wachtMs, this, &BalInvoer::voerWachtrijIn);
}
