// zorvak-kaarten: writes pages of Bingo or Kien cards to one PDF file, without a window, for
// print shops and scripts. The pages are the ones the print dialog prints.

#include "common/toeval.h"
#include "printing/uitvoer.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QStringList>

#include <cstdio>

#ifdef Q_OS_UNIX
#include <csignal>
#endif

namespace
{

const char* const hulpTekst =
    "Gebruik:\n"
    "  zorvak-kaarten bingo [--getallen 75|90] [--paginas N] [--tekst \"...\"] --uitvoer kaarten.pdf\n"
    "  zorvak-kaarten kien [--paginas N] [--tekst \"...\"] --uitvoer kienkaarten.pdf\n"
    "\n"
    "Maakt pagina's met willekeurige kaarten, zes per A4-pagina, en zet ze samen in een\n"
    "PDF-bestand.\n"
    "\n"
    "  bingo              Bingokaarten (B I N G O, met FREE in het midden)\n"
    "  kien               Kienkaarten (elke pagina bevat de getallen 1 tot en met 90 precies eenmaal)\n"
    "  --getallen 75|90   Bingokaarten voor 75 of 90 getallen (standaard 75)\n"
    "  --paginas N        aantal pagina's, 1 tot en met 255 (standaard 1)\n"
    "  --tekst \"...\"      regel tekst onder de kaarten (standaard geen tekst)\n"
    "  --uitvoer BESTAND  het PDF-bestand dat wordt geschreven (verplicht)\n"
    "  --help             toont deze uitleg\n"
    "\n"
    "Bij een fout wordt er geen bestand geschreven en is de afsluitcode niet 0.\n";

void schrijf(FILE* naar, const QString& tekst)
{
    const QByteArray bytes = tekst.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), naar);
    std::fflush(naar);
}

int fout(const QString& melding)
{
    schrijf(stderr, QStringLiteral("zorvak-kaarten: %1\nGebruik 'zorvak-kaarten --help' voor uitleg.\n").arg(melding));
    return 2;
}

bool leesGetal(const QString& tekst, int laag, int hoog, int& uit)
{
    bool goed = false;
    const int n = tekst.toInt(&goed, 10);
    if (!goed || n < laag || n > hoog) return false;
    uit = n;
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    // Fonts need a GUI application; no window is ever shown, so no display is needed. A desktop
    // platform named in the environment (a job started over ssh or from cron) would abort the
    // tool when there is no display, so the platform without a screen is always taken.
    qputenv("QT_QPA_PLATFORM", "offscreen");
#ifdef Q_OS_UNIX
    // Past a file-size limit a write fails and is reported, instead of the signal ending the tool.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    QGuiApplication app(argc, argv);

    const QStringList args = QCoreApplication::arguments().mid(1);
    if (args.isEmpty()) return fout(QStringLiteral("geef aan welke kaarten u wilt: bingo of kien."));

    QString soort;
    QString getallen, paginas, tekst, uitvoer;
    bool tekstGegeven = false;
    for (int i = 0; i < args.size(); ++i) {
        QString arg = args.at(i);
        if (arg == QStringLiteral("--help") || arg == QStringLiteral("-h")) {
            schrijf(stdout, QString::fromUtf8(hulpTekst));
            return 0;
        }
        if (!arg.startsWith(QStringLiteral("--"))) {
            if (!soort.isEmpty()) return fout(QStringLiteral("onbekend argument '%1'.").arg(arg));
            if (arg != QStringLiteral("bingo") && arg != QStringLiteral("kien"))
                return fout(QStringLiteral("onbekende soort kaarten '%1': kies bingo of kien.").arg(arg));
            soort = arg;
            continue;
        }
        QString waarde;
        bool metWaarde = false;
        const int is = arg.indexOf(QLatin1Char('='));
        if (is > 0) {
            waarde = arg.mid(is + 1);
            arg = arg.left(is);
            metWaarde = true;
        }
        QString* doel = nullptr;
        if (arg == QStringLiteral("--getallen"))
            doel = &getallen;
        else if (arg == QStringLiteral("--paginas"))
            doel = &paginas;
        else if (arg == QStringLiteral("--tekst"))
            doel = &tekst;
        else if (arg == QStringLiteral("--uitvoer"))
            doel = &uitvoer;
        else
            return fout(QStringLiteral("onbekende optie '%1'.").arg(arg));
        if (!metWaarde) {
            if (i + 1 >= args.size()) return fout(QStringLiteral("bij %1 hoort een waarde.").arg(arg));
            waarde = args.at(++i);
        }
        if (doel == &tekst) {
            if (tekstGegeven) return fout(QStringLiteral("de optie %1 is meer dan eens gegeven.").arg(arg));
            tekstGegeven = true;
        } else if (!doel->isNull()) {
            return fout(QStringLiteral("de optie %1 is meer dan eens gegeven.").arg(arg));
        }
        *doel = waarde.isNull() ? QStringLiteral("") : waarde;
    }

    if (soort.isEmpty()) return fout(QStringLiteral("geef aan welke kaarten u wilt: bingo of kien."));
    int aantalGetallen = 75;
    if (!getallen.isNull()) {
        if (soort == QStringLiteral("kien"))
            return fout(QStringLiteral("--getallen hoort alleen bij bingo; kienkaarten hebben altijd 90 getallen."));
        if (getallen != QStringLiteral("75") && getallen != QStringLiteral("90"))
            return fout(QStringLiteral("--getallen moet 75 of 90 zijn, niet '%1'.").arg(getallen));
        aantalGetallen = getallen.toInt();
    }
    int aantalPaginas = 1;
    if (!paginas.isNull() && !leesGetal(paginas, 1, 255, aantalPaginas))
        return fout(QStringLiteral("--paginas moet een heel getal van 1 tot en met 255 zijn, niet '%1'.").arg(paginas));
    if (uitvoer.isEmpty()) return fout(QStringLiteral("geef met --uitvoer aan in welk PDF-bestand de kaarten komen."));
    if (QFileInfo(uitvoer).isDir()) return fout(QStringLiteral("'%1' is een map, geen bestand.").arg(uitvoer));

    PdfUitvoer pdf(uitvoer);
    QString melding;
    const bool gelukt =
        soort == QStringLiteral("bingo")
            ? Afdruk::bingo(pdf, aantalGetallen, aantalPaginas, tekst, Toeval::systeem(), false, &melding)
            : Afdruk::kien(pdf, aantalPaginas, tekst, Toeval::systeem(), false, &melding);
    if (!gelukt) {
        schrijf(stderr, QStringLiteral("zorvak-kaarten: %1\n").arg(melding));
        return 1;
    }
    return 0;
}
