#include "core/cards/kaartnummer.h"

#include <QHash>
#include <QRegularExpression>

namespace KaartNummer
{

QString tekst(const QString& serie, int nummer)
{
    return QStringLiteral("%1-%2").arg(serie).arg(nummer, 4, 10, QLatin1Char('0'));
}

QString serie(const QString& tekst)
{
    // Checked before it is made upper case: toUpper() turns some letters into ASCII ones.
    static const QRegularExpression vorm(QStringLiteral("^[A-Za-z][A-Za-z0-9]{0,11}$"));
    const QString s = tekst.trimmed();
    return vorm.match(s).hasMatch() ? s.toUpper() : QString();
}

bool lees(const QString& tekst, QString* serieUit, int* nummerUit)
{
    static const QRegularExpression vorm(QStringLiteral("^(?:([A-Za-z][A-Za-z0-9]{0,11}?)-?)?([0-9]{1,9})$"));
    QString s = tekst;
    s.remove(QRegularExpression(QStringLiteral("\\s")));
    const auto m = vorm.match(s);
    if (!m.hasMatch()) return false;
    const int nummer = m.captured(2).toInt();
    if (nummer < 1) return false;
    if (serieUit) *serieUit = m.captured(1).toUpper();
    if (nummerUit) *nummerUit = nummer;
    return true;
}

QString vanScanner(const QString& code)
{
    if (lees(code, nullptr, nullptr)) return code;
    // What the AZERTY layouts give for the keys of an American one.
    static const QHash<QChar, QChar> azerty = {
        {u'&', u'1'}, {u'\u00e9', u'2'}, {u'"', u'3'}, {u'\'', u'4'}, {u'(', u'5'},      {u'\u00a7', u'6'},
        {u'-', u'6'}, {u'\u00e8', u'7'}, {u'!', u'8'}, {u'_', u'8'},  {u'\u00e7', u'9'}, {u'\u00e0', u'0'},
        {u')', u'-'}, {u'Q', u'A'},      {u'A', u'Q'}, {u'q', u'a'},  {u'a', u'q'},      {u'W', u'Z'},
        {u'Z', u'W'}, {u'w', u'z'},      {u'z', u'w'}, {u',', u'M'},  {u'?', u'M'}};
    QString terug = code;
    for (QChar& c : terug)
        c = azerty.value(c, c);
    return lees(terug, nullptr, nullptr) ? terug : code;
}

QString soortNaam(KaartSoort soort)
{
    switch (soort) {
    case KaartSoort::Bingo90:
        return QStringLiteral("Bingo 90");
    case KaartSoort::Kien:
        return QStringLiteral("Kien");
    case KaartSoort::Bingo75:
        break;
    }
    return QStringLiteral("Bingo 75");
}

int aantalCellen(KaartSoort soort)
{
    return soort == KaartSoort::Kien ? 27 : 25;
}

QList<int> cellen(const Kaarten::BingoKaart& kaart)
{
    QList<int> uit;
    uit.reserve(25);
    for (std::size_t rij = 0; rij < 5; ++rij)
        for (std::size_t kolom = 0; kolom < 5; ++kolom)
            uit.append(rij == 2 && kolom == 2 ? 0 : kaart.getal[kolom][rij]);
    return uit;
}

QList<int> cellen(const Kaarten::KienPagina& pagina, int kaart)
{
    QList<int> uit;
    uit.reserve(27);
    for (int rij = 0; rij < 3; ++rij)
        for (std::size_t j = 0; j < 9; ++j)
            uit.append(pagina.getal[static_cast<std::size_t>(4 * kaart + rij)][j]);
    return uit;
}

Kaarten::BingoKaart bingoKaart(const QList<int>& cellen)
{
    Kaarten::BingoKaart kaart;
    for (int i = 0; i < 25 && i < cellen.size(); ++i)
        kaart.getal[static_cast<std::size_t>(i % 5)][static_cast<std::size_t>(i / 5)] = cellen[i];
    return kaart;
}

void zetKienKaart(Kaarten::KienPagina& pagina, int kaart, const QList<int>& cellen)
{
    for (int i = 0; i < 27 && i < cellen.size(); ++i)
        pagina.getal[static_cast<std::size_t>(4 * kaart + i / 9)][static_cast<std::size_t>(i % 9)] = cellen[i];
}

} // namespace KaartNummer
