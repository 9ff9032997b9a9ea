#pragma once

#include <QString>
#include <functional>

class QWidget;

// Opens a document with the program the system associates with it. The result is not
// looked at: a missing document or a missing viewer simply opens nothing.
void OpenBestand(QWidget* eigenaar, const QString& pad);

namespace OpenBestandHaak
{
// Tests put a recorder here; an empty function restores the system's opener.
void zet(std::function<void(const QString&)> opener);
} // namespace OpenBestandHaak
