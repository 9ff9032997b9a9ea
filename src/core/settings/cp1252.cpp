#include "core/settings/cp1252.h"

#include <QDir>
#include <QFileInfo>

namespace
{
// 0x80..0x9F; the five bytes Windows leaves undefined keep their C1 code point, as Windows does.
constexpr char16_t hoog[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

int naarByte(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return c;
    for (int i = 0; i < 32; ++i)
        if (hoog[i] == c) return 0x80 + i;
    return -1;
}

// Whether a name could have come back from the code page as patroon.
bool komtTerugAls(const QString& naam, const QString& patroon)
{
    if (naam.size() != patroon.size()) return false;
    for (qsizetype i = 0; i < naam.size(); ++i) {
        const bool verloren = patroon[i] == QLatin1Char('?') && naarByte(naam[i].unicode()) < 0;
        if (naam[i] != patroon[i] && !verloren) return false;
    }
    return true;
}
} // namespace

QString Cp1252::naarTekst(const QByteArray& bytes)
{
    QString tekst;
    tekst.reserve(bytes.size());
    for (char b : bytes) {
        const auto u = static_cast<unsigned char>(b);
        tekst.append(u >= 0x80 && u < 0xA0 ? QChar(hoog[u - 0x80]) : QChar(u));
    }
    return tekst;
}

QByteArray Cp1252::naarBytes(const QString& tekst)
{
    QByteArray bytes;
    bytes.reserve(tekst.size());
    for (QChar c : tekst) {
        const int b = naarByte(c.unicode());
        bytes.append(b < 0 ? '?' : static_cast<char>(b));
    }
    return bytes;
}

bool Cp1252::kanBevatten(QChar teken)
{
    return naarByte(teken.unicode()) >= 0;
}

QString Cp1252::zoekPad(const QString& pad)
{
    if (!pad.contains(QLatin1Char('?')) || QFileInfo::exists(pad)) return pad;
    const QStringList delen = QDir::fromNativeSeparators(pad).split(QLatin1Char('/'));
    QString gevonden = delen.first(); // empty before the root of an absolute path, or a drive
    for (qsizetype i = 1; i < delen.size(); ++i) {
        const QString map = gevonden.isEmpty() ? QStringLiteral("/") : gevonden;
        QString naam = delen[i];
        if (naam.contains(QLatin1Char('?')) && !QFileInfo::exists(map + QLatin1Char('/') + naam)) {
            QStringList passend;
            const QDir::Filters soorten = QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;
            for (const QString& kandidaat : QDir(map).entryList(soorten))
                if (komtTerugAls(kandidaat, naam)) passend << kandidaat;
            if (passend.size() != 1) return pad;
            naam = passend.first();
        }
        gevonden += QLatin1Char('/') + naam;
    }
    return QDir::toNativeSeparators(gevonden);
}
