// zorvak-kaarten: writes pages of Bingo or Kien cards to one PDF file, without a window, for
// print shops and scripts. The pages are the ones the print dialog prints. With a series the
// cards are numbered and kept in the card register, and `controleer` checks a numbered card.

#include "core/cards/controle.h"
#include "core/cards/genummerd.h"
#include "core/cards/pagina.h"
#include "core/cards/uitvoer.h"
#include "core/common/lettertypen.h"
#include "core/common/onderbreking.h"
#include "core/common/toeval.h"
#include "core/common/vertaling.h"
#include "core/game/verloop.h"
#include "core/game/verslag.h"
#include "core/settings/instellingen.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMap>
#include <QStringList>

#include <cstdio>

#ifdef Q_OS_UNIX
#include <csignal>
#endif

namespace
{

const char* const hulpTekst =
    "Gebruik:\n"
    "  zorvak-kaarten bingo [--getallen 75|90] [--paginas N] [--tekst \"...\"] [--serie NAAM]\n"
    "                 --uitvoer kaarten.pdf\n"
    "  zorvak-kaarten kien [--paginas N] [--tekst \"...\"] [--serie NAAM] --uitvoer kienkaarten.pdf\n"
    "  zorvak-kaarten controleer --serie NAAM --kaart N [--ballen 4,17,33,...]\n"
    "                 [--patroon 1,5,13,21,25] [--rijen 1|2|3]\n"
    "  zorvak-kaarten verslag [--datum JJJJ-MM-DD] [--register BESTAND] --uitvoer verslag.pdf\n"
    "\n"
    "Maakt pagina's met willekeurige kaarten, zes per A4-pagina, en zet ze samen in een\n"
    "PDF-bestand; of controleert een genummerde kaart; of maakt het verslag van de avond.\n"
    "\n"
    "  bingo              Bingokaarten (B I N G O, met FREE in het midden)\n"
    "  kien               Kienkaarten (elke pagina bevat de getallen 1 tot en met 90 precies eenmaal)\n"
    "  --getallen 75|90   Bingokaarten voor 75 of 90 getallen (standaard 75)\n"
    "  --paginas N        aantal pagina's, 1 tot en met 255, met --serie tot en met 10000 (standaard 1)\n"
    "  --tekst \"...\"      regel tekst onder de kaarten (standaard geen tekst)\n"
    "  --uitvoer BESTAND  het PDF-bestand dat wordt geschreven (verplicht)\n"
    "  --serie NAAM       nummert de kaarten in deze serie (een letter A-Z, dan letters A-Z of\n"
    "                     cijfers, samen hoogstens 12) en zet ze in het kaartregister; de nummers\n"
    "                     lopen door over alle keren afdrukken\n"
    "\n"
    "  controleer         toont een genummerde kaart met de getrokken getallen, zegt of ze wint en\n"
    "                     met welke bal ze compleet werd\n"
    "  --kaart N          het kaartnummer: 17, of met de serie erbij: A-0017\n"
    "  --ballen LIJST     de getrokken ballen in de volgorde van trekken, gescheiden door komma's;\n"
    "                     zonder --ballen die van het laatste spel in het verloop van de avond\n"
    "  --patroon LIJST    bingo: de vakjes die vol moeten zijn (1 tot en met 25, rij voor rij);\n"
    "                     zonder patroon wint elke volle rij, kolom of diagonaal\n"
    "  --rijen 1|2|3      kien: het aantal volle rijen dat wint (standaard 1)\n"
    "  Afsluitcode: 0 de kaart wint, 1 de kaart wint niet, 2 fout argument of onbekende kaart.\n"
    "\n"
    "  verslag            \"Verslag van de avond\" als PDF: de rondes, de winnaars en de prijzen uit het\n"
    "                     verloop van de avond, met het programma zoals het toen werd gespeeld\n"
    "  --datum JJJJ-MM-DD het verloop van die dag; zonder --datum het verloop dat controleer neemt\n"
    "  Regels van het verloop die niet kunnen worden gelezen, staan met hun nummer in het verslag\n"
    "  en op het scherm. Afsluitcode: 0 het verslag is gemaakt, 1 het verloop kan helemaal niet\n"
    "  worden gelezen of het verslag niet worden geschreven, 2 fout argument.\n"
    "\n"
    "  --register BESTAND het kaartregister (standaard Kaartregister.db in de map van de instellingen);\n"
    "                     het verloop staat in dezelfde map\n"
    "  --help             toont deze uitleg\n"
    "\n"
    "Bij een fout wordt er geen bestand geschreven en is de afsluitcode niet 0. Ctrl-C breekt het\n"
    "afdrukken netjes af: er blijft geen PDF-bestand en er blijven geen kaarten in het register.\n";

void schrijf(FILE* naar, const QString& tekst)
{
    const QByteArray bytes = tekst.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), naar);
    std::fflush(naar);
}

// An argument as a message repeats it: a long one is cut, so the message stays readable.
QString kort(const QString& tekst)
{
    constexpr int grens = 60;
    return tekst.size() <= grens ? tekst : tekst.left(grens - 3) + QStringLiteral("...");
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

// "4,17,33": whole numbers laag..hoog, each once. An empty text is an empty list.
bool leesLijst(const QString& tekst, int laag, int hoog, QList<int>& uit)
{
    uit.clear();
    if (tekst.trimmed().isEmpty()) return true;
    for (const QString& deel : tekst.split(QLatin1Char(','))) {
        int n = 0;
        if (!leesGetal(deel.trimmed(), laag, hoog, n) || uit.contains(n)) return false;
        uit << n;
    }
    return true;
}

QString instellingenMap()
{
    return InstellingenBestand(QCoreApplication::applicationDirPath()).instellingenMap();
}

QString registerPad(const QString& gegeven)
{
    return gegeven.isEmpty() ? KaartRegister::padIn(instellingenMap()) : gegeven;
}

// The last game in the record beside the register, as controleer and verslag take it; a record
// dated after today is named and left alone.
std::optional<Verloop::Laatste> laatsteSpel(const QString& map)
{
    QStringList toekomst;
    const std::optional<Verloop::Laatste> laatste = Verloop::laatsteSpel(map, &toekomst);
    for (const QString& bestand : toekomst)
        schrijf(stderr, QStringLiteral("zorvak-kaarten: het verloop \"%1\" heeft een datum na vandaag en wordt niet "
                                       "gebruikt.\n")
                            .arg(QDir::toNativeSeparators(bestand)));
    return laatste;
}

// The report of an evening: the day's record in the folder of the card register, chosen as
// controleer chooses it, with the programme kept beside it.
int verslag(const QMap<QString, QString>& opties)
{
    const QString uitvoer = opties.value(QStringLiteral("--uitvoer"));
    if (uitvoer.isEmpty()) return fout(QStringLiteral("geef met --uitvoer aan waar het verslag moet komen."));
    const QString registerBestand = registerPad(opties.value(QStringLiteral("--register")));
    const QString map = QFileInfo(registerBestand).absolutePath();
    // Refused before anything is looked up: the report never takes the place of one of the
    // program's own files, beside the settings or beside the register whose record it reports.
    for (const QString& instellingen : {instellingenMap(), map}) {
        const QString beschermd =
            Afdruk::beschermdDoel(uitvoer, instellingen, registerBestand, QCoreApplication::applicationDirPath());
        if (!beschermd.isEmpty())
            return fout(QStringLiteral("het verslag kan niet in %1 worden geschreven.").arg(beschermd));
    }
    QString bestand;
    const QString datumTekst = opties.value(QStringLiteral("--datum"));
    if (!datumTekst.isNull()) {
        const QDate datum = QDate::fromString(datumTekst, QStringLiteral("yyyy-MM-dd"));
        if (!datum.isValid())
            return fout(QStringLiteral("--datum moet een datum als 2026-12-24 zijn, niet '%1'.").arg(kort(datumTekst)));
        bestand = Verloop::dagBestand(map, datum);
        if (!QFileInfo::exists(bestand))
            return fout(QStringLiteral("er is geen verloop van %1 (\"%2\").")
                            .arg(datumTekst, QDir::toNativeSeparators(bestand)));
    } else {
        const std::optional<Verloop::Laatste> laatste = laatsteSpel(map);
        if (!laatste)
            return fout(
                QStringLiteral("er is geen verloop van een spel in \"%1\".").arg(QDir::toNativeSeparators(map)));
        bestand = laatste->bestand;
    }
    // The report is made from the day's record alone: what the programme's file says now is not
    // what was played then. A record that cannot be read is no wrong argument: exit 1.
    QString reden, waarschuwing;
    const bool gemaakt = Verslag::maak(bestand, uitvoer, &reden, &waarschuwing);
    if (!waarschuwing.isEmpty()) schrijf(stderr, QStringLiteral("zorvak-kaarten: %1\n").arg(waarschuwing));
    if (gemaakt) return 0;
    schrijf(stderr, QStringLiteral("zorvak-kaarten: %1\n").arg(reden));
    return 1;
}

int controleer(const QMap<QString, QString>& opties)
{
    const QString kaartTekst = opties.value(QStringLiteral("--kaart"));
    if (kaartTekst.isNull()) return fout(QStringLiteral("geef met --kaart aan welke kaart u wilt controleren."));
    QString serie;
    int nummer = 0;
    if (!KaartNummer::lees(kaartTekst, &serie, &nummer))
        return fout(QStringLiteral("'%1' is geen kaartnummer.").arg(kort(kaartTekst)));
    const QString serieOptie = opties.value(QStringLiteral("--serie"));
    if (!serieOptie.isNull()) {
        const QString s = KaartNummer::serie(serieOptie);
        if (s.isEmpty()) return fout(QStringLiteral("'%1' is geen naam van een serie.").arg(kort(serieOptie)));
        if (!serie.isEmpty() && serie != s)
            return fout(QStringLiteral("--kaart %1 hoort niet bij serie %2.").arg(kort(kaartTekst), s));
        serie = s;
    }
    if (serie.isEmpty()) return fout(QStringLiteral("geef met --serie aan bij welke serie de kaart hoort."));

    const QString ballenTekst = opties.value(QStringLiteral("--ballen"));
    QList<int> ballen;
    if (!ballenTekst.isNull() && !leesLijst(ballenTekst, 1, 90, ballen))
        return fout(QStringLiteral("--ballen moet een lijst van verschillende getallen van 1 tot en met 90 zijn, "
                                   "gescheiden door komma's."));
    QList<int> vakken;
    const QString patroonTekst = opties.value(QStringLiteral("--patroon"));
    if (!patroonTekst.isNull() && (!leesLijst(patroonTekst, 1, 25, vakken) || vakken.isEmpty()))
        return fout(QStringLiteral("--patroon moet een lijst van vakjes van 1 tot en met 25 zijn, gescheiden door "
                                   "komma's."));
    int rijen = 1;
    const QString rijenTekst = opties.value(QStringLiteral("--rijen"));
    if (!rijenTekst.isNull() && !leesGetal(rijenTekst, 1, 3, rijen))
        return fout(QStringLiteral("--rijen moet 1, 2 of 3 zijn, niet '%1'.").arg(kort(rijenTekst)));

    const QString pad = registerPad(opties.value(QStringLiteral("--register")));
    // Without a list, the balls of the game being played: the last game in the evening's record,
    // which is kept in the same folder as the card register.
    if (ballenTekst.isNull()) {
        const QString map = QFileInfo(pad).absolutePath();
        const std::optional<Verloop::Laatste> laatste = laatsteSpel(map);
        if (!laatste || laatste->beschadigd) {
            return fout(laatste
                            ? QStringLiteral("het verloop \"%1\" kan niet worden gelezen: %2. Geef met --ballen aan "
                                             "welke ballen er zijn getrokken.")
                                  .arg(QDir::toNativeSeparators(laatste->bestand), laatste->fout)
                            : QStringLiteral("er is geen verloop van een spel in \"%1\". Geef met --ballen aan "
                                             "welke ballen er zijn getrokken.")
                                  .arg(QDir::toNativeSeparators(map)));
        }
        for (const Spel::Bal& bal : laatste->stand.ballen)
            ballen << bal.getal;
    }
    // Checking only reads: a register is never made, written or moved by it.
    QString melding;
    KaartRegister kaartRegister(pad, KaartRegister::Modus::Lezen);
    const std::optional<RegisterKaart> kaart =
        kaartRegister.open(&melding) ? kaartRegister.kaart(serie, nummer, &melding) : std::nullopt;
    if (!kaart) {
        schrijf(stderr, QStringLiteral("zorvak-kaarten: %1\n").arg(melding));
        return 2;
    }

    const bool kien = kaart->soort == KaartSoort::Kien;
    if (kien && !patroonTekst.isNull())
        return fout(QStringLiteral("--patroon hoort bij bingokaarten; kaart %1 is een kienkaart.")
                        .arg(KaartNummer::tekst(serie, nummer)));
    if (!kien && !rijenTekst.isNull())
        return fout(QStringLiteral("--rijen hoort bij kienkaarten; kaart %1 is een bingokaart.")
                        .arg(KaartNummer::tekst(serie, nummer)));
    const int hoogste = kaart->soort == KaartSoort::Bingo75 ? 75 : 90;
    for (int bal : ballen)
        if (bal > hoogste)
            return fout(QStringLiteral("bal %1 komt niet voor bij kaart %2, die hoort bij een spel van %3 ballen.")
                            .arg(bal)
                            .arg(KaartNummer::tekst(serie, nummer))
                            .arg(hoogste));

    Controle::Patroon patroon{};
    for (int vak : vakken)
        patroon[static_cast<std::size_t>(vak)] = 1;
    const Controle::Uitslag uitslag =
        Controle::controleer(*kaart, ballen, vakken.isEmpty() ? nullptr : &patroon, rijen);
    schrijf(stdout, Controle::alsTekst(*kaart, uitslag) + QLatin1Char('\n') + uitslag.oordeel + QLatin1Char('\n') +
                        Controle::voltooidRegels(uitslag).join(QLatin1Char('\n')) + QLatin1Char('\n') +
                        Controle::ontbrekendTekst(uitslag) + QLatin1Char('\n'));
    return uitslag.gewonnen ? 0 : 1;
}

// Only the tool's own messages reach the terminal; Qt's notes about the system it runs on
// (a missing runtime folder, fonts) mean nothing to the user of a command-line tool.
void stilleQt(QtMsgType soort, const QMessageLogContext&, const QString& melding)
{
    if (soort == QtFatalMsg) schrijf(stderr, QStringLiteral("zorvak-kaarten: %1\n").arg(melding));
}

} // namespace

int main(int argc, char** argv)
{
    qInstallMessageHandler(stilleQt);
    // Fonts need a GUI application; no window is ever shown, so no display is needed. A desktop
    // platform named in the environment (a job started over ssh or from cron) would abort the
    // tool when there is no display, so the platform without a screen is always taken.
    qputenv("QT_QPA_PLATFORM", "offscreen");
#ifdef Q_OS_UNIX
    // Past a file-size limit a write fails and is reported, instead of the signal ending the tool.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    QGuiApplication app(argc, argv);
    // The same name as the program, so both find the same settings folder and card register.
    QCoreApplication::setApplicationName(QStringLiteral("Zorvak"));
    Vertaling::laadQtNederlands(QCoreApplication::applicationDirPath());
    Lettertypen::laadMeegeleverd(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("fonts")));

    const QStringList args = QCoreApplication::arguments().mid(1);
    if (args.isEmpty()) return fout(QStringLiteral("geef aan welke kaarten u wilt: bingo of kien."));

    static const QStringList bekend = {
        QStringLiteral("--getallen"), QStringLiteral("--paginas"), QStringLiteral("--tekst"),
        QStringLiteral("--uitvoer"),  QStringLiteral("--serie"),   QStringLiteral("--register"),
        QStringLiteral("--kaart"),    QStringLiteral("--ballen"),  QStringLiteral("--patroon"),
        QStringLiteral("--rijen"),    QStringLiteral("--datum")};
    QString soort;
    QMap<QString, QString> opties; // a given option always has a non-null value
    for (int i = 0; i < args.size(); ++i) {
        QString arg = args.at(i);
        if (arg == QStringLiteral("--help") || arg == QStringLiteral("-h")) {
            schrijf(stdout, QString::fromUtf8(hulpTekst));
            return 0;
        }
        if (!arg.startsWith(QStringLiteral("--"))) {
            if (!soort.isEmpty()) return fout(QStringLiteral("onbekend argument '%1'.").arg(kort(arg)));
            if (arg != QStringLiteral("bingo") && arg != QStringLiteral("kien") &&
                arg != QStringLiteral("controleer") && arg != QStringLiteral("verslag"))
                return fout(QStringLiteral("onbekende soort kaarten '%1': kies bingo of kien.").arg(kort(arg)));
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
        if (!bekend.contains(arg)) return fout(QStringLiteral("onbekende optie '%1'.").arg(kort(arg)));
        if (!metWaarde) {
            if (i + 1 >= args.size()) return fout(QStringLiteral("bij %1 hoort een waarde.").arg(arg));
            waarde = args.at(++i);
        }
        if (opties.contains(arg)) return fout(QStringLiteral("de optie %1 is meer dan eens gegeven.").arg(arg));
        opties.insert(arg, waarde.isNull() ? QStringLiteral("") : waarde);
    }

    if (soort.isEmpty()) return fout(QStringLiteral("geef aan welke kaarten u wilt: bingo of kien."));
    const QStringList alleenControle = {QStringLiteral("--kaart"), QStringLiteral("--ballen"),
                                        QStringLiteral("--patroon"), QStringLiteral("--rijen")};
    const QStringList alleenAfdrukken = {QStringLiteral("--getallen"), QStringLiteral("--paginas"),
                                         QStringLiteral("--tekst"), QStringLiteral("--uitvoer")};
    for (const QString& optie : opties.keys()) {
        if (soort != QStringLiteral("controleer") && alleenControle.contains(optie))
            return fout(QStringLiteral("%1 hoort alleen bij controleer.").arg(optie));
        if (soort == QStringLiteral("controleer") && alleenAfdrukken.contains(optie))
            return fout(QStringLiteral("%1 hoort niet bij controleer.").arg(optie));
        if (soort != QStringLiteral("verslag") && optie == QStringLiteral("--datum"))
            return fout(QStringLiteral("--datum hoort alleen bij verslag."));
        if (soort == QStringLiteral("verslag") && optie != QStringLiteral("--uitvoer") &&
            optie != QStringLiteral("--register") && optie != QStringLiteral("--datum"))
            return fout(QStringLiteral("%1 hoort niet bij verslag.").arg(optie));
    }
    if (soort == QStringLiteral("controleer")) return controleer(opties);
    if (soort == QStringLiteral("verslag")) return verslag(opties);

    const QString getallen = opties.value(QStringLiteral("--getallen"));
    int aantalGetallen = 75;
    if (!getallen.isNull()) {
        if (soort == QStringLiteral("kien"))
            return fout(QStringLiteral("--getallen hoort alleen bij bingo; kienkaarten hebben altijd 90 getallen."));
        if (getallen != QStringLiteral("75") && getallen != QStringLiteral("90"))
            return fout(QStringLiteral("--getallen moet 75 of 90 zijn, niet '%1'.").arg(kort(getallen)));
        aantalGetallen = getallen.toInt();
    }
    const QString serieTekst = opties.value(QStringLiteral("--serie"));
    const QString serie = KaartNummer::serie(serieTekst);
    if (!serieTekst.isNull() && serie.isEmpty())
        return fout(QStringLiteral("--serie moet beginnen met een letter (A-Z), gevolgd door letters (A-Z) of "
                                   "cijfers, samen hoogstens 12, zonder accenten, niet '%1'.")
                        .arg(kort(serieTekst)));
    if (serieTekst.isNull() && opties.contains(QStringLiteral("--register")))
        return fout(QStringLiteral("--register hoort bij --serie."));
    const QString paginas = opties.value(QStringLiteral("--paginas"));
    const int maxPaginas = serie.isEmpty() ? 255 : 10000;
    int aantalPaginas = 1;
    if (!paginas.isNull() && !leesGetal(paginas, 1, maxPaginas, aantalPaginas))
        return fout(QStringLiteral("--paginas moet een heel getal van 1 tot en met %1 zijn, niet '%2'.")
                        .arg(maxPaginas)
                        .arg(kort(paginas)));
    const QString uitvoer = opties.value(QStringLiteral("--uitvoer"));
    if (uitvoer.isEmpty()) return fout(QStringLiteral("geef met --uitvoer aan in welk PDF-bestand de kaarten komen."));
    if (QFileInfo(uitvoer).isDir()) return fout(QStringLiteral("'%1' is een map, geen bestand.").arg(kort(uitvoer)));
    // The cards never take the place of one of the program's own files.
    const QString registerBestand = registerPad(opties.value(QStringLiteral("--register")));
    const QString eigen =
        Afdruk::beschermdDoel(uitvoer, instellingenMap(), registerBestand, QCoreApplication::applicationDirPath());
    if (!eigen.isEmpty())
        return fout(
            QStringLiteral("--uitvoer '%1' is %2; kies een ander bestand voor de kaarten.").arg(kort(uitvoer), eigen));
    const QString tekst = opties.value(QStringLiteral("--tekst"));
    if (!Pagina::tekstPast(tekst))
        return fout(QStringLiteral("de tekst is te lang: hij past niet op de regel onder de kaarten."));

    // Ctrl-C and the like stop the job between two steps; it then leaves nothing behind.
    Onderbreking::vang();
    PdfUitvoer pdf(uitvoer);
    QString melding;
    bool gelukt = false;
    if (serie.isEmpty()) {
        gelukt = soort == QStringLiteral("bingo")
                     ? Afdruk::bingo(pdf, aantalGetallen, aantalPaginas, tekst, Toeval::systeem(), false, &melding)
                     : Afdruk::kien(pdf, aantalPaginas, tekst, Toeval::systeem(), false, &melding);
    } else {
        KaartRegister kaartRegister(registerBestand);
        // A file that is no register of ours is a wrong argument, and stays as it is.
        if (!kaartRegister.open(&melding)) {
            schrijf(stderr, QStringLiteral("zorvak-kaarten: %1\n").arg(melding));
            const auto t = kaartRegister.toestand();
            return t == KaartRegister::Toestand::Vreemd || t == KaartRegister::Toestand::Geweigerd ? 2 : 1;
        }
        const KaartSoort kaartSoort = soort == QStringLiteral("kien") ? KaartSoort::Kien
                                      : aantalGetallen == 90          ? KaartSoort::Bingo90
                                                                      : KaartSoort::Bingo75;
        KaartRegister::Reeks reeks;
        gelukt = Afdruk::genummerd(pdf, kaartRegister, kaartSoort, serie, aantalPaginas, tekst, Toeval::systeem(),
                                   false, &reeks, &melding);
        if (gelukt)
            schrijf(stdout,
                    QStringLiteral("Kaarten %1 tot en met %2 (%3 kaarten) staan in het kaartregister \"%4\".\n")
                        .arg(KaartNummer::tekst(serie, reeks.eerste), KaartNummer::tekst(serie, reeks.laatste()))
                        .arg(reeks.aantal)
                        .arg(QDir::toNativeSeparators(kaartRegister.pad())));
    }
    if (!gelukt) {
        if (Onderbreking::gevraagd()) {
            schrijf(stderr, QStringLiteral("zorvak-kaarten: onderbroken; er is geen PDF-bestand geschreven en er staan "
                                           "geen nieuwe kaarten in het kaartregister.\n"));
            return 128 + Onderbreking::signaal();
        }
        schrijf(stderr, QStringLiteral("zorvak-kaarten: %1\n").arg(melding));
        return 1;
    }
    return 0;
}
