#pragma once

class ExtraInstellingen;

// How the stage shows the game to the hall beyond the board's own look, chosen in "Extra" and
// kept in Zorvak-extra.ini. All off: the stage looks as it always did.
struct Weergave {
    bool contrast = false;     // the last ball large and light on the board's dark ground
    bool vorigeBallen = false; // the five balls before the last in a strip beside it
    bool balkInZaal = false;   // with two screens, the command bar on the hall's screen too

    static Weergave lees(const ExtraInstellingen& extra);
    void schrijf(ExtraInstellingen& extra) const;

    bool operator==(const Weergave& o) const
    {
        return contrast == o.contrast && vorigeBallen == o.vorigeBallen && balkInZaal == o.balkInZaal;
    }
    bool operator!=(const Weergave& o) const { return !(*this == o); }
};
