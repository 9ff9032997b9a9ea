#pragma once

#include "core/game/avondprogramma.h"
#include "core/game/verloop.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

class PaginaUitvoer;

// "Verslag van de avond": what the club files about an evening, made from the day's record
// alone: the programme, its prizes and the club's limits as they were played are in the record,
// so a report never changes afterwards. First the content as plain values, then the A4 pages
// painted from them.
namespace Verslag
{

struct Winst {
    QString kaart;
    int aantal = 0;         // the balls drawn when the winner was confirmed
    int bal = 0;            // the last of them
    int compleetBal = 0;    // the ball that made the card complete (0: the record does not say)
    int compleetPlaats = 0; // its place in the draw
};

struct Fase {
    QString naam;
    QString prijs;
    std::optional<qint64> bedrag;
    QList<Winst> winnaars;
    bool prijsBekend = true; // false: the record (from before it kept the programme) names no prize
    bool boven = false;      // the amount is over the club's limit per prize
};

// A game: its number and the balls it ended with, in the order they were drawn.
struct SpelBallen {
    int nummer = 0;
    QList<int> ballen;
};

// A round: the games played in it, and with a programme its stages and sales.
struct Ronde {
    int ronde = 0;
    QString spel; // "Kienen", "Bingo 75", ...
    QDateTime begin;
    QDateTime eind;
    QList<SpelBallen> spellen; // a game with no ball drawn is none
    int handBallen = 0;
    QList<Fase> fasen;
    std::optional<qint64> kaartPrijs;
    int kaarten = 0;
};

struct Inhoud {
    QDate datum;
    QList<Ronde> rondes;
    bool metProgramma = false;
    bool prijzenOnbekend = false; // a stage was won whose prize the record does not hold
    qint64 prijzen = 0;           // the amounts of the prizes won
    int kaarten = 0;
    qint64 opbrengst = 0;
    std::optional<qint64> maxAvond; // the club's limit per evening, when over it: the limit
    QList<int> onleesbaar;          // the lines of the record that could not be read
};

// The report's content from the lines of a record, and the numbers of the lines that could not
// be read (Verloop::alleRegels); a programme that cannot be read is such a line too.
Inhoud inhoud(const QList<Verloop::Regel>& regels, const QList<int>& onleesbaar = {});
// "regel 14 en 20 van het verloop konden niet worden gelezen"; empty when there are none.
QString onleesbaarTekst(const QList<int>& onleesbaar);
// Paints the pages.
bool teken(const Inhoud& inhoud, PaginaUitvoer& uitvoer, QString* fout);
// The report of one record file as a PDF, written in one step; false with a Dutch reason, and
// no file, when the record cannot be read at all or the PDF would take the place of one of the
// program's own files. A report without the lines that could not be read says so on its first
// page and in *waarschuwing.
bool maak(const QString& verloop, const QString& pdf, QString* fout, QString* waarschuwing = nullptr);
// The report of the day's record in the settings folder: the record of the last game played,
// or today's.
bool maakVanDeAvond(const QString& instellingenMap, const QString& pdf, QString* fout);

} // namespace Verslag
