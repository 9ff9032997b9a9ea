#include "core/common/scanherkenner.h"

namespace
{
bool isBordToets(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('k') || c == QLatin1Char('w');
}
} // namespace

ScanHerkenner::Oordeel ScanHerkenner::toets(const QString& tekst, bool enter, qint64 ms)
{
    const bool snel = !m_burst.isEmpty() && ms - m_laatst <= tussenpoos && ms >= m_laatst;
    if (enter) {
        const bool vanScanner = snel && m_anders && m_burst.size() >= kortsteCode;
        const QString burst = m_burst;
        laatLos();
        m_burst.clear();
        if (!vanScanner) return Oordeel::Door;
        m_code = burst;
        return Oordeel::Gescand;
    }
    bool teken = !tekst.isEmpty();
    for (const QChar c : tekst)
        teken = teken && c.isPrint();
    if (!teken) {
        // Escape, an arrow, Backspace: a person is at the keyboard.
        laatLos();
        m_burst.clear();
        return Oordeel::Door;
    }
    if (!snel) {
        laatLos();
        m_burst = tekst;
        m_anders = false;
    } else {
        m_burst += tekst;
    }
    m_laatst = ms;
    for (const QChar c : tekst)
        m_anders = m_anders || !isBordToets(c);
    if (!snel && (tekst == QStringLiteral("K") || tekst == QStringLiteral("W"))) {
        ++m_vastgehouden;
        return Oordeel::Uitstellen;
    }
    if (!snel || !m_anders) return Oordeel::Door;
    ++m_vastgehouden;
    return Oordeel::Vasthouden;
}

void ScanHerkenner::laatLos()
{
    m_vastgehouden = 0;
}
