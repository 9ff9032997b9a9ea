#pragma once

#include "core/common/scanherkenner.h"

#include <QHash>
#include <QKeyEvent>
#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>
#include <vector>

class QTimer;
class QWidget;

// Codes from a barcode scanner, which types like a keyboard: watches the keys of the windows
// that take a scanned card code (the stage, the organiser's window, the question of K) and of
// every message box, and hands a scanned code to the window it was typed in: no ball is drawn and
// no question answered by it. Keys held back that turn out to be a person's quick fingers are
// given, in order, to where they were typed after all, before any key that follows them.
class ScanInvoer : public QObject
{
    Q_OBJECT
public:
    // The program's one watcher, made on first use.
    static ScanInvoer& programma();
    // Keys typed in `venster` (and its children) are watched; a scanned code goes to bijScan.
    void volg(QWidget* venster, std::function<void(const QString& code)> bijScan);
    // The clock, in milliseconds, for keys that carry no time of their own; tests give their own.
    static std::function<qint64()>& klokHaak();
    // When a key was pressed: its own time stamp from the window system, or the clock's now.
    static qint64 tijdVan(const QKeyEvent& toets);

protected:
    bool eventFilter(QObject* ontvanger, QEvent* e) override;

private:
    explicit ScanInvoer(QObject* ouder);
    void burstVoorbij();
    void geefTerug();

    ScanHerkenner m_herkenner;
    QHash<QWidget*, std::function<void(const QString&)>> m_vensters;
    // The key last judged: Qt offers a key its focus widget did not take to the parents too.
    const QEvent* m_vorigeToets = nullptr;
    int m_vorigeSleutel = 0;
    QPointer<QObject> m_vorigeOntvanger;
    // Keys held back from a text field, given back when the burst ends without an Enter.
    struct Vastgehouden {
        QPointer<QWidget> ontvanger;
        std::unique_ptr<QKeyEvent> toets;
    };
    std::vector<Vastgehouden> m_vast;
    qint64 m_gezien = 0; // the clock when the last key held back came in
    QTimer* m_einde = nullptr;
    const QEvent* m_terug = nullptr; // the key being given back
};
