#pragma once

#include <QString>
#include <QStringList>

class ExtraInstellingen;

// The board on the local network: whether Zorvak serves it, and on which port. Kept in
// Zorvak-extra.ini; off unless the organiser switches it on.
struct WebInstelling {
    static constexpr int standaardPoort = 8080;

    bool aan = false;
    int poort = standaardPoort; // 1..65535

    // A port that is not a number in 1..65535 gives the standard port.
    static WebInstelling lees(const ExtraInstellingen& extra);
    void schrijf(ExtraInstellingen& extra) const;

    // The program's arguments: "--web POORT" switches the board on for this run. False with a
    // Dutch reason for an option of two dashes it does not know or a port that is not 1..65535; web is
    // changed only when --web is given.
    static bool uitArgumenten(const QStringList& argumenten, WebInstelling* web, QString* fout);
    static const QString gebruik;

    bool operator==(const WebInstelling& o) const { return aan == o.aan && poort == o.poort; }
    bool operator!=(const WebInstelling& o) const { return !(*this == o); }
};
