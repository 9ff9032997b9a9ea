#pragma once

#include "core/settings/weergave.h"

#include <QObject>
#include <QString>

#include <memory>

struct Algemeen;
class ExtraInstellingen;
class InstellingenBestand;

// The settings of one evening, one copy each: Zorvak.ini (read at the start, written anew when
// it cannot be read, and written at the exit), Zorvak-extra.ini beside it, how the stage shows
// the game to the hall, and whether the balls come from a real drum.
class AvondInstellingen : public QObject
{
    Q_OBJECT
public:
    // reserveMap: the user's configuration folder; empty means the system's.
    AvondInstellingen(const QString& programmaMap, const QString& reserveMap, QObject* ouder = nullptr);
    ~AvondInstellingen() override;

    Algemeen& algemeen() { return *m_alg; }
    const Algemeen& algemeen() const { return *m_alg; }
    const InstellingenBestand& bestand() const { return *m_bestand; }
    ExtraInstellingen& extra() { return *m_extra; }
    QString programmaMap() const;
    QString instellingenMap() const;

    // How the stage shows the game to the hall (the options of "Extra"). Kept in Zorvak-extra.ini;
    // false with a Dutch reason when that could not be written (they count all the same until
    // the program ends).
    const Weergave& weergave() const { return m_weergave; }
    bool zetWeergave(const Weergave& weergave, QString* fout = nullptr);
    // Balls from a real drum: the organiser enters each ball and nothing is drawn at random.
    bool handmatig() const;
    bool zetHandmatig(bool aan, QString* fout = nullptr);
    // Zorvak.ini written at the exit; false with a Dutch reason.
    bool bewaar(QString* fout);

signals:
    void weergaveGewijzigd();
    void handmatigGewijzigd();

private:
    std::unique_ptr<Algemeen> m_alg;
    std::unique_ptr<InstellingenBestand> m_bestand;
    std::unique_ptr<ExtraInstellingen> m_extra;
    Weergave m_weergave;
};
