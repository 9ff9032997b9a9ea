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
// A file path as it comes back from the code page, where each character the code page cannot
// hold became '?' (a folder "/home/łukasz" comes back as "/home/?ukasz"). When no file has
// that name, the one existing path whose names match it, each '?' standing for one such
// character, is the path that was meant. Without exactly one match the path stays as it is.
QString zoekPad(const QString& pad);
} // namespace Cp1252
