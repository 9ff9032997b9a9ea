// The game on the main window: drawing a ball, setting up a new game, the board's input
// and the clock.
#include "main/main_w.h"

#include <QDateTime>
#include <QLabel>
#include <QLocale>

int Main::TrekGetal(int /*maximum*/) { return 0; }

void Main::TrekBal() { m_alg.Bezig = false; }

void Main::NieuwSpel() {}

void Main::bordGeklikt() {}

void Main::bordToets(int /*toets*/, bool /*herhaling*/) {}

void Main::klokTik()
{
    const QDateTime nu = QDateTime::currentDateTime();
    KlokLabel->setText(QLatin1Char(' ') + nu.time().toString(QStringLiteral("h:mm:ss")) + QStringLiteral(" / ") +
                       QLocale::system().toString(nu.date(), QLocale::ShortFormat));
    plaatsKlok();
}
