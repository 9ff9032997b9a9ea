#pragma once

#include <QString>
#include <QStringList>

// What the caller says aloud, in Dutch words: written so that a speech engine reads it as a
// caller would say it ("één", not the article "een").
namespace Roepen
{

// The number in words, 0..99 ("zesenvijftig"); other numbers as digits.
QString getalWoord(int n);

// What to say for a drawn ball, one part after another with a short pause between the parts.
// letter: the column letter for Bingo, empty for Kienen (then the number alone).
// cijfers: a last part repeats the digits ("vijf, zes"); one-digit numbers have none.
QStringList balDelen(const QString& letter, int n, bool cijfers);

// Said once when a game starts.
QString nieuwSpel(int ronde);

} // namespace Roepen
