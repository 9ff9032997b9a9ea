#include "core/screen/hulptekst.h"

#include <QStringList>

#include <cmath>

namespace HulpTekst
{

const std::vector<Regel>& regels()
{
    static const std::vector<Regel> lijst = {
        {600, 1500, gewoon,
         QStringLiteral("Welkom bij deze nieuwe versie van Zorvak. In deze versie kunt u zowel het bekende spel Bingo "
                        "als het spel Kienen spelen.")},
        {600, 1800, gewoon,
         QStringLiteral(
             "Bij het spel Bingo hebt u de keuze of er 75 of 90 ballen worden getrokken. Bij Kienen wordt er "
             "altijd gespeeld met 90 ballen.")},
        {600, 2100, gewoon,
         QStringLiteral("Klik op de Startknop (Pijlen) om het spel te beginnen. Na elke getrokken bal wordt er in de "
                        "twee lijsten (midden onder) het getrokken")},
        {600, 2400, gewoon,
         QStringLiteral(
             "getal plus letter B, I, N, G, O weergegeven. In de linker lijst op volgorde van balkeuze en in "
             "de rechterlijst gesorteerd op alfabet.")},
        {600, 2700, gewoon,
         QStringLiteral("De getallen die worden getrokken zijn altijd willekeurig en zijn dus niet op een of andere "
                        "manier te beinvloeden door de gebruiker.")},
        {600, 3000, gewoon,
         QStringLiteral("Een extra mogelijkheid is het afdrukken van de Bingo- en Kienkaarten. Per pagina (A4) worden "
                        "er 6 kaarten, resp. tabellen afgedrukt.")},
        {600, 3300, gewoon,
         QStringLiteral("Hier geldt ook weer dat de getallen op de kaarten altijd willekeurig zijn. De kleur van de "
                        "bingoballen en de kleur van de getallen")},
        {600, 3600, gewoon,
         QStringLiteral(
             "op de bingoballen is te wijzigen met de knop Instellingen (Tandwielen) d.m.v. de verschillende "
             "schuifregelaars. Verder zijn de")},
        {600, 3900, gewoon,
         QStringLiteral("knippersnelheid en het achtergrondplaatje te wijzigen. In dit instellingsmenu kunt u tevens "
                        "een selectie maken voor 75 of 90 ballen.")},
        {600, 4200, gewoon,
         QStringLiteral(
             "In de map Backgrounds kunt u zelf JPG, BMP of GIF achtergronden toevoegen met elk willekeurige "
             "bestandsnaam. Deze map is te")},
        {600, 4500, gewoon,
         QStringLiteral(
             "vinden in de applicatiemap, dit is de map waar het programma is geinstalleerd (meestal Program "
             "Files / Zorvak).")},
        {600, 4950, gewoon,
         QStringLiteral("Per ongeluk een bal getrokken? Druk op Backspace om de laatste bal terug te leggen in de "
                        "trommel.")},
        {600, 5220, gewoon,
         QStringLiteral("Kaart controleren: scan de streepjescode op de kaart, of druk op K en typ het nummer, "
                        "bijvoorbeeld A-0017.")},
        {600, 5490, gewoon,
         QStringLiteral("Leesbaar tot achter in de zaal: zet onder Instellingen, Extra de laatste bal licht en groot "
                        "en toon de vorige vijf ballen.")},
        {600, 5760, gewoon,
         QStringLiteral("Het bord en de eigen kaarten op telefoons: aan onder Instellingen, Extra. Toets W toont de "
                        "zaal het adres.")},
        {600, 6030, gewoon,
         QStringLiteral("Door dubbel op de achtergrond te klikken kunt u het menu verwijderen en weer terughalen.")},
        {600, 6300, gewoon,
         QStringLiteral("Programma (Extra): F9 bevestigt een winnaar, F10 neemt hem terug. Handmatig trekken: typ de bal "
                        "en Enter.")},
        {1380, 6810, koppeling,
         QStringLiteral("Klik hier voor extra informatie (Pdf) m.b.t. het spel Bingo en Kienen.")},
        {1380, 7620, koppeling, QStringLiteral("Klik hier voor informatie m.b.t. de schermresolutie van uw computer.")},
        {600, 8400, sluiten, QStringLiteral("Klik nogmaals op de helpknop om dit scherm weer te sluiten.")},
    };
    return lijst;
}

int resolutie(double logischeDpi, double pixelVerhouding)
{
    const double perInch = logischeDpi * pixelVerhouding;
    if (!(perInch > 0)) return 0;
    const double twipsPerPixel = 1440.0 / perInch;
    return static_cast<int>(std::lround(1440.0 / twipsPerPixel));
}

QString schermInformatie(int resolutie, int breedtePixels, int hoogtePixels)
{
    const QStringList lijnen = {
        QStringLiteral("Schermresolutie... : ") + QString::number(resolutie) + QStringLiteral(" Dpi (Dots / Inch)"),
        QStringLiteral("Schermgrootte..... : ") + QString::number(breedtePixels) + QStringLiteral(" x ") +
            QString::number(hoogtePixels) + QStringLiteral(" Pixels"),
        QString(42, QLatin1Char('-')),
        QStringLiteral("Is de Schermresolutie ongelijk als 96 Dpi,"),
        QStringLiteral("kijk dan vervolgens voor het wijzigen"),
        QStringLiteral("van de Schermresolutie voor de versies"),
        QStringLiteral("Windows XP en Windows 7."),
    };
    return lijnen.join(QStringLiteral("\r\n"));
}

} // namespace HulpTekst
