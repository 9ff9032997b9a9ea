#pragma once

// What the record's two halves share: verloop.cpp (the live record, written line by line) and
// verloop_lezen.cpp (what a record says, read back).

#include "core/game/spel.h"

namespace VerloopIntern
{

// The word each change of the game has in the gebeurtenis column.
inline const char* naam(Spel::Gebeurtenis g)
{
    switch (g) {
    case Spel::Gebeurtenis::NieuwSpel:
        return "nieuw spel";
    case Spel::Gebeurtenis::Getrokken:
        return "getrokken";
    case Spel::Gebeurtenis::Teruggelegd:
        return "teruggelegd";
    case Spel::Gebeurtenis::Afgesloten:
        return "afgesloten";
    case Spel::Gebeurtenis::Opgegeven:
        return "opgegeven";
    }
    return "";
}

} // namespace VerloopIntern
