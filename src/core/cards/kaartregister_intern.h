#pragma once

// What the register's two halves share: kaartregister.cpp (the cards and the print jobs) and
// kaartregister_openen.cpp (whose file it is, opening it, bringing it up to date, setting it aside).

#include <QAtomicInt>
#include <QSqlError>

namespace KaartRegisterIntern
{

// "Zorv": marks the database as a card register of this program.
constexpr int toepassingsId = 0x5A6F7276;
constexpr int schemaVersie = 2; // 2: print jobs

inline int foutCode(const QSqlError& fout)
{
    return fout.nativeErrorCode().toInt() & 0xff; // the primary code of SQLite's (extended) code
}

constexpr int sqliteBezig = 5, sqliteVergrendeld = 6, sqliteBeschadigd = 11, sqliteGeenDatabase = 26,
              sqliteBeperking = 19;

// Numbers the connections, so every register object has its own.
inline QAtomicInt volgnummer;

} // namespace KaartRegisterIntern
