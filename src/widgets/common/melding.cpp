#include "widgets/common/melding.h"

#include "widgets/common/dialoog.h"

#include <QList>
#include <QMessageBox>
#include <QPushButton>
#include <QQueue>
#include <QTimer>

namespace
{
QQueue<bool> g_antwoorden;
bool g_stil = false;
QList<Melding::Getoond> g_getoond;

bool zelfBeantwoorden()
{
    return g_stil || !g_antwoorden.isEmpty();
}

// With a second screen every box opens over the organiser's window.
QWidget* plek(QWidget* ouder)
{
    QWidget* thuis = dialoogThuis();
    return thuis ? thuis : ouder;
}
} // namespace

bool Melding::vraag(QWidget* ouder, const QString& titel, const QString& tekst, bool jaStandaard, Plek waar)
{
    const bool thuis = dialoogThuis() != nullptr;
    ouder = plek(ouder);
    if (thuis) waar = Plek::Midden;
    if (zelfBeantwoorden()) {
        g_getoond.append({titel, tekst, ouder, waar});
        return g_antwoorden.isEmpty() ? false : g_antwoorden.dequeue();
    }
    QMessageBox box(QMessageBox::NoIcon, titel, tekst, QMessageBox::NoButton, ouder);
    QPushButton* ja = box.addButton(QStringLiteral("Ja"), QMessageBox::YesRole);
    QPushButton* nee = box.addButton(QStringLiteral("Nee"), QMessageBox::NoRole);
    box.setDefaultButton(jaStandaard ? ja : nee);
    box.setEscapeButton(nee);
    // Once shown at its own size: its bottom a little above the window's bottom edge.
    if (waar == Plek::Onder && ouder)
        QTimer::singleShot(0, &box, [&box, ouder] {
            const QRect r = ouder->geometry();
            box.move(r.center().x() - box.width() / 2, r.bottom() - box.frameGeometry().height() - 8);
        });
    box.exec();
    return box.clickedButton() == ja;
}

void Melding::meld(QWidget* ouder, const QString& titel, const QString& tekst)
{
    ouder = plek(ouder);
    if (zelfBeantwoorden()) {
        g_getoond.append({titel, tekst, ouder, Plek::Midden});
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, titel, tekst, QMessageBox::NoButton, ouder);
    box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.exec();
}

void Melding::zetVolgendAntwoord(bool ja)
{
    g_antwoorden.enqueue(ja);
}
void Melding::zetStil(bool stil)
{
    g_stil = stil;
}

QList<Melding::Getoond> Melding::neemGetoond()
{
    QList<Getoond> uit;
    uit.swap(g_getoond);
    return uit;
}
