#pragma once

// Shared helpers of the test programs: a program folder of their own, a main window on the
// 1024 x 768 offscreen screen, message boxes answered in advance.

#include "core/settings/algemeen.h"
#include "core/settings/instellingen.h"
#include "widgets/common/melding.h"
#include "core/game/spel.h"
#include "core/common/toeval.h"
#include "core/game/verloop.h"
#include "core/common/wacht.h"
#include "widgets/cards/kaartcontrole.h"
#include "widgets/game/main.h"
#include "core/game/roeper.h"
#include "core/cards/kaartregister.h"

#include <QApplication>
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

// A main window with everything it needs, in a temporary program folder. The waits run at
// zero pace and message boxes are answered without being shown (Nee unless queued).
struct Opstelling {
    QTemporaryDir map;
    Algemeen alg;
    std::unique_ptr<InstellingenBestand> bestand;
    VasteToeval toeval{12345};
    Spel spel;
    std::unique_ptr<Verloop> verloop;
    std::unique_ptr<Main> hoofd;
    int beeindigd = 0;

    // A later start on the same folder.
    struct Weer {
        Algemeen alg;
        Spel spel;
        std::unique_ptr<Verloop> verloop;
        std::unique_ptr<Main> hoofd;
    };
    std::unique_ptr<Weer> weer;
    std::function<QDateTime()> klok;

    // inhoud: a Zorvak.ini to start from; empty means a first run. metVerloop: the evening's
    // record is kept, as the program keeps it.
    explicit Opstelling(const QByteArray& inhoud = {}, bool metAchtergronden = true, bool metVerloop = false)
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
        bestand = std::make_unique<InstellingenBestand>(map.path(), map.filePath(QStringLiteral("reserve")));
        if (metVerloop) {
            verloop = std::make_unique<Verloop>(bestand->instellingenMap());
            verloop->volg(spel);
        }
        hoofd = std::make_unique<Main>(alg, spel, *bestand, toeval);
        hoofd->zetVerloop(verloop.get());
        hoofd->zetBeeindiger([this] { ++beeindigd; });
    }

    QString iniPad() const { return map.filePath(QStringLiteral("Zorvak.ini")); }
    // The evening that runs now: its stage, its game and its caller.
    Main& main() { return weer ? *weer->hoofd : *hoofd; }
    Spel& model() { return weer ? weer->spel : spel; }
    Roeper& roeper() { return main().roeper(); }

    // The clock of the balls and of the record's lines, for this evening and every later one.
    void zetKlok(std::function<QDateTime()> nieuw)
    {
        klok = std::move(nieuw);
        model().zetKlok(klok);
        if (Verloop* v = weer ? weer->verloop.get() : verloop.get()) v->zetKlok(klok);
    }

    // The program ended without Exit and started again on the same folder, with the record:
    // the window of this evening goes and a new one comes; hervat() asks what a start asks.
    void herstart()
    {
        auto nieuw = std::make_unique<Weer>();
        if (weer)
            weer->hoofd.reset();
        else
            hoofd.reset();
        nieuw->verloop = std::make_unique<Verloop>(bestand->instellingenMap());
        nieuw->verloop->volg(nieuw->spel);
        if (klok) {
            nieuw->spel.zetKlok(klok);
            nieuw->verloop->zetKlok(klok);
        }
        nieuw->hoofd = std::make_unique<Main>(nieuw->alg, nieuw->spel, *bestand, toeval);
        nieuw->hoofd->zetVerloop(nieuw->verloop.get());
        nieuw->hoofd->zetBeeindiger([this] { ++beeindigd; });
        weer = std::move(nieuw);
    }
    void hervat() { main().hervatVorigSpel(); }

    // The card check asks for this card; the verdict of the card it shows.
    void zetKaartVraag(const QString& nummer, int rijen)
    {
        KaartControle::vraagHaak() = [nummer, rijen](QWidget*) { return KaartControle::Vraag{nummer, rijen}; };
    }
    QString kaartOordeel() { return main().KaartControleScherm->uitslag().oordeel; }
};

// Numbered Bingo cards of 75 balls in the register of this folder: `paginas` pages of six in
// the series, from a seeded chance.
inline bool registreerBingo(const QString& map, const QString& serie, int paginas, quint32 zaad)
{
    KaartRegister reg(KaartRegister::padIn(map));
    VasteToeval kans(zaad);
    const bool goed = reg.registreer(KaartSoort::Bingo75, serie, paginas, kans).has_value();
    reg.sluit();
    return goed;
}

} // namespace TestHulp
