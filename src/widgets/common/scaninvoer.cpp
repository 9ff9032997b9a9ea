#include "widgets/common/scaninvoer.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QTimer>
#include <QWidget>

ScanInvoer& ScanInvoer::programma()
{
    static QPointer<ScanInvoer> invoer;
    if (!invoer) invoer = new ScanInvoer(qApp);
    return *invoer;
}

std::function<qint64()>& ScanInvoer::klokHaak()
{
    static std::function<qint64()> klok = [] {
        static QElapsedTimer t;
        if (!t.isValid()) t.start();
        return t.elapsed();
    };
    return klok;
}

qint64 ScanInvoer::tijdVan(const QKeyEvent& toets)
{
    // Keys that waited while the program was busy come in a batch: their own stamps tell how
    // fast they were typed.
    return toets.timestamp() != 0 ? static_cast<qint64>(toets.timestamp()) : klokHaak()();
}

ScanInvoer::ScanInvoer(QObject* ouder) : QObject(ouder), m_einde(new QTimer(this))
{
    m_einde->setSingleShot(true);
    connect(m_einde, &QTimer::timeout, this, &ScanInvoer::burstVoorbij);
    qApp->installEventFilter(this);
}

void ScanInvoer::volg(QWidget* venster, std::function<void(const QString&)> bijScan)
{
    m_vensters.insert(venster, std::move(bijScan));
    connect(venster, &QObject::destroyed, this, [this, venster] { m_vensters.remove(venster); });
}

bool ScanInvoer::eventFilter(QObject* ontvanger, QEvent* e)
{
    if (e->type() != QEvent::KeyPress || !ontvanger->isWidgetType() || e == m_terug) return false;
    auto* widget = static_cast<QWidget*>(ontvanger);
    auto* toets = static_cast<QKeyEvent*>(e);
    // The same key on its way up to the parents was judged at the widget it came to first.
    if (e == m_vorigeToets && toets->key() == m_vorigeSleutel && m_vorigeOntvanger && m_vorigeOntvanger != ontvanger &&
        m_vorigeOntvanger->isWidgetType() && widget->isAncestorOf(static_cast<QWidget*>(m_vorigeOntvanger.data())))
        return false;
    QWidget* venster = widget->window();
    const bool gevolgd = m_vensters.contains(venster);
    if (!gevolgd && !qobject_cast<QMessageBox*>(venster)) return false;
    if (toets->isAutoRepeat()) return false;
    // A burst that is over gives back what it held before the next key counts.
    const qint64 ms = tijdVan(*toets);
    if (!m_vast.empty() && ms > m_herkenner.eindeBurst()) geefTerug();
    m_vorigeToets = e;
    m_vorigeSleutel = toets->key();
    m_vorigeOntvanger = ontvanger;

    const bool enter = (toets->key() == Qt::Key_Return || toets->key() == Qt::Key_Enter) &&
                       (toets->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    const bool metCtrl = toets->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    const ScanHerkenner::Oordeel oordeel = m_herkenner.toets(metCtrl ? QString() : toets->text(), enter, ms);
    switch (oordeel) {
    case ScanHerkenner::Oordeel::Door:
        // What was held goes first: the keys arrive in the order they were typed.
        if (!m_herkenner.houdtVast()) geefTerug();
        return false;
    case ScanHerkenner::Oordeel::Uitstellen:
    case ScanHerkenner::Oordeel::Vasthouden:
        m_vast.push_back(
            {widget, std::make_unique<QKeyEvent>(QEvent::KeyPress, toets->key(), toets->modifiers(), toets->text())});
        m_gezien = klokHaak()();
        m_einde->start(int(ScanHerkenner::tussenpoos) + 10);
        return true;
    case ScanHerkenner::Oordeel::Gescand: {
        m_vast.clear();
        m_einde->stop();
        const auto bijScan = m_vensters.value(venster);
        const QString code = m_herkenner.code();
        if (bijScan) QTimer::singleShot(0, venster, [bijScan, code] { bijScan(code); });
        return true;
    }
    }
    return false;
}

// No Enter came in time: the keys were typed by a person after all.
void ScanInvoer::burstVoorbij()
{
    const qint64 einde = m_gezien + ScanHerkenner::tussenpoos;
    if (klokHaak()() <= einde) {
        m_einde->start(int(einde - klokHaak()()) + 10);
        return;
    }
    geefTerug();
}

// Every key held back, in order, to where it was typed.
void ScanInvoer::geefTerug()
{
    m_einde->stop();
    m_herkenner.laatLos();
    std::vector<Vastgehouden> vast;
    vast.swap(m_vast);
    // A key given back may open a dialog whose own keys come meanwhile: only it passes unjudged.
    for (Vastgehouden& v : vast)
        if (v.ontvanger) {
            m_terug = v.toets.get();
            QApplication::sendEvent(v.ontvanger, v.toets.get());
            m_terug = nullptr;
        }
}
