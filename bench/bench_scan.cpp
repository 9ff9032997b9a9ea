// A scanned card: from the scan's Enter to the card painted on the stage, with 100,000 cards in
// the register, against one frame at 60 Hz; and 1,000 numbered pages drawn to PDF with the code
// beside every number, against the same pages without the codes.
#include "benchhulp.h"

#include "core/cards/kaartregister.h"
#include "core/cards/pagina.h"
#include "core/cards/uitvoer.h"
#include "core/common/toeval.h"
#include "widgets/cards/kaartcontrole.h"
#include "widgets/game/bord.h"
#include "widgets/screen/programma.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTemporaryDir>

using namespace BenchHulp;

namespace
{
void typ(QWidget* w, const QString& tekst)
{
    for (const QChar c : tekst) {
        QKeyEvent druk(QEvent::KeyPress, c.isDigit() ? Qt::Key_0 + c.digitValue() : Qt::Key_A, Qt::NoModifier,
                       QString(c));
        QApplication::sendEvent(w, &druk);
    }
}

double paginas(int aantal, bool bingo, bool metCode, const QString& pad, Toeval& toeval)
{
    const QImage free = Pagina::freePlaatje();
    std::vector<Kaarten::BingoPagina> bingoBladen;
    std::vector<Kaarten::KienPagina> kienBladen;
    for (int i = 0; i < 10; ++i) {
        bingoBladen.push_back(Kaarten::maakBingoPagina(75, toeval));
        kienBladen.push_back(Kaarten::maakKienPagina(toeval));
    }
    QElapsedTimer klok;
    klok.start();
    PdfUitvoer pdf(pad);
    pdf.druk(
        QStringLiteral("kaarten"), aantal,
        [&](QPainter& p, int pagina) {
            std::array<QString, 6> nummers;
            for (int k = 0; k < 6; ++k)
                nummers[static_cast<std::size_t>(k)] = KaartNummer::tekst(QStringLiteral("A"), 6 * pagina + k + 1);
            if (bingo) {
                Pagina::tekenBingo(p, bingoBladen[static_cast<std::size_t>(pagina % 10)], QStringLiteral("Zorvak"),
                                   free);
                Pagina::tekenBingoNummers(p, nummers, metCode);
            } else {
                Pagina::tekenKien(p, kienBladen[static_cast<std::size_t>(pagina % 10)], QStringLiteral("Zorvak"));
                Pagina::tekenKienNummers(p, nummers, metCode);
            }
        },
        nullptr);
    return klok.nsecsElapsed() / 1e6;
}
} // namespace

int main(int argc, char* argv[])
{
    zonderScherm();
    QApplication app(argc, argv);
    QTemporaryDir map;
    VasteToeval toeval(3);
    {
        KaartRegister reg(KaartRegister::padIn(map.path()));
        const auto reeks = reg.registreer(KaartSoort::Bingo75, QStringLiteral("A"), 100000 / 6 + 1, toeval);
        if (!reeks || !reg.bevestig(*reeks, reeks->laatste()) || !reg.rondAf(*reeks)) return 1;
    }
    // With the evening's record, as the program keeps it: each check is a line synced to the disk.
    Programma programma(Avond::Opzet{map.path(), map.filePath(QStringLiteral("reserve")), &toeval, true});
    Main& m = programma.hoofd;
    m.setGeometry(m.screen()->geometry());
    m.show();
    // A game of 30 balls.
    Spel::Stand stand{75, 1, 1, {}};
    for (int n = 1; n <= 30; ++n)
        stand.ballen << Spel::Bal{n * 2 % 75 + 1, QDateTime::currentDateTime()};
    programma.avond.spel().herstel(stand);
    QCoreApplication::processEvents();
    PaintKlok verf(m.KaartControleScherm);
    std::vector<double> scan;
    for (int i = 0; i < 100; ++i) {
        typ(m.Pic, KaartNummer::tekst(QStringLiteral("A"), 1 + (i * 997) % 100000));
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        verf.start();
        QApplication::sendEvent(m.Pic, &enter);
        while (!verf.klaar())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        scan.push_back(verf.ms());
        m.KaartControleScherm->sluit();
        QCoreApplication::processEvents();
    }
    rij("scan's Enter to the card painted, 100000 cards registered, the check written in the record (vs one frame at "
        "60 Hz)",
        mediaan(scan), 1000.0 / 60);
    rij("the same, 95th percentile of 100 (vs one frame at 60 Hz)", percentiel(scan, 0.95), 1000.0 / 60);

    for (const bool bingo : {true, false}) {
        double met = 1e18, zonder = 1e18;
        for (int i = 0; i < 3; ++i) {
            zonder = std::min(zonder, paginas(1000, bingo, false, map.filePath(QStringLiteral("zonder.pdf")), toeval));
            met = std::min(met, paginas(1000, bingo, true, map.filePath(QStringLiteral("met.pdf")), toeval));
        }
        rij(bingo ? "1000 numbered Bingo pages to PDF with codes (vs without)"
                  : "1000 numbered Kien pages to PDF with codes (vs without)",
            met, zonder);
    }
    return 0;
}
