#pragma once

#include "core/game/avondprogramma.h"
#include "core/game/verloop.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

class PaginaUitvoer;

// "Verslag van de avond": what the club files about an evening, made from the day's record and
// the programme. First the content as plain values, then the A4 pages painted from them.
namespace Verslag
{

struct Winst {
    QString kaart;
    int aantal = 0; // the balls drawn at the win
    int bal = 0;    // the last of them
};

struct Fase {
    QString naam;
    QString prijs;
    std::optional<qint64> bedrag;
    QList<Winst> winnaars;
};

// A round: the games played in it, and with a programme its stages and sales.
struct Ronde {
    int ronde = 0;
    QString spel; // "Kienen", "Bingo 75", ...
    QDateTime begin;
    QDateTime eind;
    QList<int> ballen; // per game: the balls drawn when it ended
    int handBallen = 0;
    QList<Fase> fasen;
    std::optional<qint64> kaartPrijs;
    int kaarten = 0;
};

struct Inhoud {
    QDate datum;
    QList<Ronde> rondes;
    bool metProgramma = false;
    qint64 prijzen = 0; // the amounts of the prizes won
    int kaarten = 0;
    qint64 opbrengst = 0;
};

// The report's content from the lines of a record; the programme gives the stages and prizes
// of the rounds played with it.
Inhoud inhoud(const QList<Verloop::Regel>& regels, const AvondProgramma& programma);
// Paints the pages.
bool teken(const Inhoud& inhoud, PaginaUitvoer& uitvoer, QString* fout);
// The report of one record file as a PDF, written in one step; false with a Dutch reason.
bool maak(const QString& verloop, const AvondProgramma& programma, const QString& pdf, QString* fout);

} // namespace Verslag
