#pragma once

#include <QByteArray>
#include <QString>

// Windows-1252, the 8-bit code page of Dutch Windows, in which Zorvak.ini is kept.
// A table of its own, so the program does not depend on which codecs a Qt build carries.
namespace Cp1252
{
QString naarTekst(const QByteArray& bytes);
// Characters that the code page cannot hold become '?'.
QByteArray naarBytes(const QString& tekst);
// True when every character of the text survives the code page.
bool kanBevatten(QChar teken);
} // namespace Cp1252
