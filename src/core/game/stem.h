#pragma once

#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

// One voice the organiser can choose. `id` is what the settings keep.
struct StemKeuze {
    QString id;
    QString naam;
    bool nederlands = false;
};

// The voice of the caller. The program speaks through the system's speech engine; tests give
// one that records what would have been said.
class Stem
{
public:
    virtual ~Stem() = default;
    // Whether the engine has answered. Starting one can take many seconds; nothing waits for
    // it, and what is to be said before then is left unsaid.
    virtual bool gereed() = 0;
    // The voices, Dutch ones first; empty while the engine is starting or when there is none.
    virtual QList<StemKeuze> stemmen() = 0;
    // An engine that answered, with at least one voice.
    bool beschikbaar() { return gereed() && !stemmen().isEmpty(); }
    // stemId empty: a Dutch voice when there is one. tempo -1..1 (0 is normal), volume 0..1.
    virtual void stel(const QString& stemId, double tempo, double volume) = 0;
    // Says the parts one after another with a short pause between them. Whatever was still
    // being said is dropped: the newest ball counts.
    virtual void zeg(const QStringList& delen) = 0;

    // How the engine answered so far, for whoever watches it: how often it finished or broke
    // off speaking (-1: this engine does not tell), and its last fault (empty once it spoke
    // well again). Safe to ask from the program's thread at any time.
    struct Antwoord {
        int klaar = -1;
        QString fout;
    };
    virtual Antwoord antwoord() { return {}; }
};

// A voice's language as a Dutch speaker names it; the rarer ones in their own words.
QString taalNaam(const QLocale& taal);

// Dutch voices first, then the others, each group in the order given.
QList<StemKeuze> nederlandsVoorop(const QList<StemKeuze>& stemmen);

// The system's speech engine. It works on a thread of its own: an engine that hangs never
// holds up the program.
std::unique_ptr<Stem> maakSysteemStem();

// The voice the caller gets: the system's engine, or what a test put in its place.
std::unique_ptr<Stem> maakStem();
// Tests: every voice made from now on comes from this; an empty function puts the system's back.
void zetStemMaker(std::function<std::unique_ptr<Stem>()> maker);
