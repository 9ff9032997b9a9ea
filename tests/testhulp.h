#pragma once

// Shared helpers of the test programs: a program folder of their own, a main window on the
// 1024 x 768 offscreen screen, message boxes answered in advance.

#include "common/algemeen.h"
#include "common/instellingen.h"
#include "common/melding_w.h"
#include "common/spel.h"
#include "common/toeval.h"
#include "common/wacht.h"
#include "main/main_w.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QMouseEvent>
#include <QTemporaryDir>

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

// A main window with everything it needs, in a temporary program folder. The waits run at
// zero pace and message boxes are answered without being shown (Nee unless queued).
struct Opstelling {
    QTemporaryDir map;
    Algemeen alg;
    std::unique_ptr<InstellingenBestand> bestand;
    VasteToeval toeval{12345};
    Spel spel;
    std::unique_ptr<Main> hoofd;
    int beeindigd = 0;

    // inhoud: a Zorvak.ini to start from; empty means a first run.
    explicit Opstelling(const QByteArray& inhoud = {}, bool metAchtergronden = true)
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
        hoofd = std::make_unique<Main>(alg, spel, *bestand, toeval);
        hoofd->zetBeeindiger([this] { ++beeindigd; });
    }

    QString iniPad() const { return map.filePath(QStringLiteral("Zorvak.ini")); }
    Main& main() { return *hoofd; }
};

} // namespace TestHulp
