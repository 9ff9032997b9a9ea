#include "core/cards/genummerd.h"

#include "core/cards/pagina.h"
#include "core/cards/uitvoer.h"

#include <QPainter>

namespace Afdruk
{

bool genummerd(PaginaUitvoer& uitvoer, KaartRegister& kaartRegister, KaartSoort soort, const QString& serie,
               int paginas, const QString& kaartTekst, Toeval& toeval, bool elkePaginaApart,
               KaartRegister::Reeks* reeks, QString* fout)
{
    if (reeks) *reeks = {serie, 0, 0, {}};
    if (paginas <= 0) return true;
    const std::optional<KaartRegister::Reeks> geregistreerd =
        kaartRegister.registreer(soort, serie, paginas, toeval, fout, uitvoer.doelBestand());
    if (!geregistreerd) return false;

    const bool kien = soort == KaartSoort::Kien;
    const QImage free = kien ? QImage() : Pagina::freePlaatje();
    QString leesFout;
    // A page is read back from the register as it is drawn, so memory stays the same for
    // any number of pages, and what is printed is what was registered.
    auto teken = [&](QPainter& p, int pagina) {
        const int eerste = geregistreerd->eerste + 6 * pagina;
        const QList<RegisterKaart> kaarten = kaartRegister.kaarten(serie, eerste, 6, &leesFout);
        if (kaarten.size() != 6) {
            if (leesFout.isEmpty())
                leesFout = QStringLiteral("De kaarten vanaf %1 ontbreken in het kaartregister.")
                               .arg(KaartNummer::tekst(serie, eerste));
            return;
        }
        p.setTransform(Pagina::plaatsing(uitvoer.afdrukbaar(), kien ? Pagina::kienOmvang() : Pagina::bingoOmvang()),
                       true);
        std::array<QString, 6> nummers;
        for (std::size_t k = 0; k < 6; ++k)
            nummers[k] = KaartNummer::tekst(serie, kaarten[static_cast<int>(k)].nummer);
        if (kien) {
            Kaarten::KienPagina blad;
            for (int k = 0; k < 6; ++k)
                KaartNummer::zetKienKaart(blad, k, kaarten[k].getallen);
            Pagina::tekenKien(p, blad, kaartTekst);
            Pagina::tekenKienNummers(p, nummers);
        } else {
            Kaarten::BingoPagina blad;
            for (std::size_t k = 0; k < 6; ++k)
                blad.kaarten[k] = KaartNummer::bingoKaart(kaarten[static_cast<int>(k)].getallen);
            Pagina::tekenBingo(p, blad, kaartTekst, free);
            Pagina::tekenBingoNummers(p, nummers);
        }
    };

    // The register knows the temporary file, so a later job can tell whether it took the
    // target's place when this one is killed.
    uitvoer.zetBijBegin([&](const QString& tijdelijk, QString* reden) {
        return kaartRegister.zetTijdelijk(*geregistreerd, tijdelijk, reden);
    });
    const QString naam = kien ? kienNaam : bingoNaam;
    int klaar = 0; // pages that went out
    bool bevestigd = true;
    if (!elkePaginaApart) {
        if (uitvoer.druk(naam, paginas, teken, fout) && leesFout.isEmpty()) {
            klaar = paginas;
            bevestigd = kaartRegister.bevestig(*geregistreerd, geregistreerd->laatste(), fout);
        }
    } else {
        for (; klaar < paginas && bevestigd; ++klaar) {
            if (!uitvoer.druk(
                    naam, 1, [&](QPainter& p, int) { teken(p, klaar); }, fout) ||
                !leesFout.isEmpty())
                break;
            bevestigd = kaartRegister.bevestig(*geregistreerd, geregistreerd->eerste + 6 * klaar + 5, fout);
        }
    }
    uitvoer.zetBijBegin({});
    if (!leesFout.isEmpty() && fout) *fout = leesFout;
    // Cards that went out but could not be confirmed stay as they are: the next job sees from
    // the PDF in its place that they were printed.
    if (bevestigd) kaartRegister.rondAf(*geregistreerd);
    if (reeks) *reeks = {serie, geregistreerd->eerste, 6 * klaar, geregistreerd->opdracht};
    return klaar == paginas && bevestigd;
}

} // namespace Afdruk
