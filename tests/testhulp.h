#pragma once

// Shared helpers of the test programs: a program folder of their own, the program's evening
// and stage on the 1024 x 768 offscreen screen, message boxes answered in advance.

#include "core/cards/kaartregister.h"
#include "core/common/toeval.h"
#include "core/common/wacht.h"
#include "core/game/avond.h"
#include "core/game/roeper.h"
#include "core/game/spel.h"
#include "core/game/verloop.h"
#include "core/settings/algemeen.h"
#include "core/settings/instellingen.h"
#include "widgets/cards/kaartcontrole.h"
#include "widgets/common/melding.h"
#include "widgets/game/achtergrond.h"
#include "widgets/game/bord.h"
#include "widgets/game/hulppaneel.h"
#include "widgets/game/main.h"
#include "widgets/game/opdrachtbalk.h"
#include "widgets/screen/programma.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QMouseEvent>
#include <QTemporaryDir>

#include <functional>
#include <memory>

namespace TestHulp
{

// The sources' Backgrounds folder, for tests that want real pictures.
inline QString bronMap()
{
    return QStringLiteral(ZORVAK_SOURCE_DIR);
}

// A double-click as Qt delivers it: press, release, double-click (the second press), release.
inline void dubbelklik(QWidget* w, QPoint plek)
{
    for (const auto soort : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonDblClick,
                             QEvent::MouseButtonRelease}) {
        QMouseEvent e(soort, plek, w->mapToGlobal(plek), Qt::LeftButton,
                      soort == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, {});
        QApplication::sendEvent(w, &e);
    }
}

// Flat in its colour: a column just inside the border has no gradient.
inline bool isVlak(QWidget* w, QColor kleur)
{
    const QImage beeld = w->grab().toImage();
    for (int y = 3; y < beeld.height() - 3; ++y)
        if (beeld.pixelColor(3, y) != kleur) return false;
    return true;
}

// The lines of a list, top to bottom.
inline QStringList regels(const QComboBox* lijst)
{
    QStringList uit;
    for (int i = 0; i < lijst->count(); ++i)
        uit << lijst->itemText(i);
    return uit;
}

inline QByteArray leesBestand(const QString& pad)
{
    QFile f(pad);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline bool schrijfBestand(const QString& pad, const QByteArray& inhoud)
{
    QDir().mkpath(QFileInfo(pad).absolutePath());
    QFile f(pad);
    return f.open(QIODevice::WriteOnly) && f.write(inhoud) == inhoud.size();
}

// The program on a temporary program folder, built as the program builds it, its stage on the
// 1024 x 768 screen. The waits run at zero pace and message boxes are answered without being
// shown (Nee unless queued).
struct Opstelling {
    QTemporaryDir map;
    VasteToeval toeval{12345};
    bool metVerloop = false;
    std::function<QDateTime()> klok;
    std::unique_ptr<Programma> programma;
    // How often an evening of this set-up ended with a confirmed exit.
    int beeindigd = 0;

    // inhoud: a Zorvak.ini to start from; empty means a first run. metVerloop: the evening's
    // record is kept, as the program keeps it.
    explicit Opstelling(const QByteArray& inhoud = {}, bool metAchtergronden = true, bool verloop = false)
        : metVerloop(verloop)
    {
        WachtTempo::zet(0);
        WachtTempo::zetBeeindigd(false);
        Melding::zetStil(true);
        Melding::neemGetoond();
        if (metAchtergronden) {
            QDir().mkpath(map.filePath(QStringLiteral("Backgrounds")));
            const QDir bron(bronMap() + QStringLiteral("/Backgrounds"));
            for (const QString& naam : bron.entryList(QDir::Files))
                QFile::copy(bron.filePath(naam), map.filePath(QStringLiteral("Backgrounds/") + naam));
        }
        if (!inhoud.isEmpty()) schrijfBestand(iniPad(), inhoud);
        herstart();
    }

    QString iniPad() const { return map.filePath(QStringLiteral("Zorvak.ini")); }
    Avond::Opzet opzet() { return {map.path(), map.filePath(QStringLiteral("reserve")), &toeval, metVerloop, klok}; }
    // The evening that runs now: its stage, its game, its settings and its caller.
    Main& main() { return programma->hoofd; }
    Avond& avond() { return programma->avond; }
    Spel& model() { return avond().spel(); }
    Algemeen& alg() { return avond().algemeen(); }
    Roeper& roeper() { return avond().roeper(); }

    // The clock of the balls and of the record's lines, for this evening and every later one.
    void zetKlok(std::function<QDateTime()> nieuw)
    {
        klok = std::move(nieuw);
        model().zetKlok(klok);
        if (Verloop* v = avond().verloop()) v->zetKlok(klok);
    }

    // The program ended without Exit and started again on the same folder: the evening that
    // ran goes and a new one comes; hervat() asks what a start asks.
    void herstart()
    {
        programma.reset();
        programma = std::make_unique<Programma>(opzet());
        QObject::connect(&avond(), &Avond::afgesloten, [this] { ++beeindigd; });
    }
    void hervat() { avond().hervatBijStart(); }

    // The card check asks for this card; the verdict of the card it shows.
    void zetKaartVraag(const QString& nummer, int rijen)
    {
        KaartControle::vraagHaak() = [nummer, rijen](QWidget*) { return Avond::KaartVraag{nummer, rijen}; };
    }
    QString kaartOordeel() { return main().KaartControleScherm->uitslag().oordeel; }
};

// Numbered Bingo cards of 75 balls in the register of this folder: `paginas` pages of six in
// the series, from a seeded chance.
inline bool registreerBingo(const QString& map, const QString& serie, int paginas, quint32 zaad)
{
    KaartRegister reg(KaartRegister::padIn(map));
    VasteToeval kans(zaad);
    const auto reeks = reg.registreer(KaartSoort::Bingo75, serie, paginas, kans);
    const bool goed = reeks && reg.bevestig(*reeks, 6 * paginas) && reg.rondAf(*reeks);
    reg.sluit();
    return goed;
}

} // namespace TestHulp
