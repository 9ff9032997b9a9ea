#pragma once

#include "core/settings/algemeen.h"

#include <QImage>
#include <QWidget>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>

class Achtergrond;
class Afdrukken;
class Config;
class Layout;
class Doek;
class ExtraInstellingen;
class InstellingenBestand;
class KaartControle;
class PlaatjeKnop;
class QComboBox;
class QScreen;
class QLabel;
class QTimer;
class Spel;
class Roeper;
class Toeval;
class Verloop;

// The main window: the full-screen stage of the game with the background, the board, the
// command bar and the clock. It lays itself out from the screen size, in twips.
class Main : public QWidget
{
    Q_OBJECT
public:
    // The five command buttons of the bar, left to right.
    enum KnopIndex { KnopHelp = 0, KnopAfdrukken = 1, KnopLayout = 2, KnopInstellingen = 3, KnopStart = 4 };

    Main(Algemeen& alg, Spel& spel, const InstellingenBestand& bestand, Toeval& toeval, QWidget* ouder = nullptr);
    ~Main() override;

    Algemeen& algemeen() { return m_alg; }
    // The game this window shows.
    Spel& spel() { return m_spel; }
    QString programmaMap() const;
    // Where Zorvak.ini is kept, with the card register beside it.
    QString instellingenMap() const;

    // Asks for a card's number and shows that card on the stage with its verdict (key K and
    // the button with the magnifying glass); puts a shown card away.
    void controleerKaart();
    PlaatjeKnop* ControleKnop = nullptr;
    KaartControle* KaartControleScherm = nullptr;
    // The settings of Zorvak-extra.ini: one copy for the whole program, so no part overwrites
    // what another changed.
    ExtraInstellingen& extraInstellingen() { return *m_extra; }
    // Calling aloud and calling by itself.
    Roeper& roeper() { return *m_roeper; }
    // The dialog "Extra" over the given window; its settings are kept when it closes with Ok.
    void extraDialoog(QWidget* ouder);

    // The whole screen, in the twips of the 1024 x 768 design the stage is laid out in.
    int schermBreedte() const { return m_schermB; }
    int schermHoogte() const { return m_schermH; }
    // Logical pixels per design pixel: 1 on a 1024 x 768 screen.
    qreal schaal() const { return m_schaal; }

    // Lays the stage out on this screen area: one factor from the design, every picture and
    // text drawn again at the screen's resolution. The game, the lists and the help panel stay
    // as they were. Start-up calls it, and so does a change of screen or resolution.
    void legUit(const QRect& scherm, qreal dpr = 1.0);

    // What the organiser's window asks of the stage: a command of the bar (with its press
    // animation), a draw as a click on the board does, Exit.
    void opdracht(int knop) { knopGeklikt(knop); }
    void trekBal() { bordGeklikt(); }
    // The last ball back in the drum, after the same question as the Backspace key asks.
    void legLaatsteTerug()
    {
        if (!m_alg.Bezig) terugleggenVraag();
    }
    void exit() { exitGeklikt(); }
    // While the hall's screen shows the stage, no mouse pointer shows over it.
    void verbergWijzer(bool verbergen);

    // The pattern button shows the pattern as a small card; the centre cell in its own colour.
    void zetPatroonKnop(const std::array<std::uint8_t, 26>& patroon, const QColor& midden);

    // Bal1 and Bal2 take ball pictures BalKleur and KnipperKleur; a number that names no
    // picture leaves the picture as it was.
    void zetBalPlaatjes();
    // Shows the picture as the background; false, and nothing changes, when it is no picture.
    bool zetAchtergrond(const QString& pad);

    // Game: draws and the life of a game.
    int TrekGetal(int maximum);
    void TrekBal();
    void NieuwSpel();

    // The evening's record this window writes to and resumes from; none in most tests.
    void zetVerloop(Verloop* verloop);
    // Start: when the record ends in a game with balls drawn and no confirmed exit, offers to
    // play on. Ja shows that game at once; Nee writes down that it was given up.
    void hervatVorigSpel();
    // Shows the model's game at once, without animation (a game taken up again).
    void toonSpel();

    // The dialogs of the command bar, over this window, their signals followed.
    std::unique_ptr<Config> maakConfig();
    std::unique_ptr<Layout> maakLayout();
    std::unique_ptr<Afdrukken> maakAfdrukken();

    // What a confirmed exit does after the settings are written; the program quits the
    // application, tests record it.
    void zetBeeindiger(std::function<void()> beeindig) { m_beeindig = std::move(beeindig); }
    // What the program ends with: 1 when the settings could not be saved at exit, else 0.
    int afsluitCode() const { return m_afsluitCode; }

    // The controls, under the names the program gives them (also their objectName).
    Achtergrond* BackImage = nullptr;
    Doek* HelpPic = nullptr;
    PlaatjeKnop* Image1 = nullptr;
    Doek* KnopPic = nullptr;
    std::array<PlaatjeKnop*, 5> Knop{};
    QLabel* Label1 = nullptr;
    QComboBox* Combo1 = nullptr;
    QComboBox* Combo2 = nullptr;
    QLabel* Label2 = nullptr;
    Doek* KaartPic = nullptr;
    QLabel* ExitLabel = nullptr;
    PlaatjeKnop* ExitKnop = nullptr;
    QLabel* KlokLabel = nullptr;
    Doek* Pic = nullptr;
    QLabel* InfoLabel = nullptr;
    PlaatjeKnop* PdfImg = nullptr;
    PlaatjeKnop* DpiImg = nullptr;
    QTimer* Timer1 = nullptr;
    // Under the board while the organiser has paused calling by itself.
    QLabel* PauzeLabel = nullptr;
    // Pictures kept out of view, each made when first asked for; LogoPic when the help panel is
    // drawn.
    const QImage& Bal1() { return balPlaatje(m_bal1); }
    const QImage& Bal2() { return balPlaatje(m_bal2); }
    const QImage& Free();
    QImage LogoPic;

protected:
    void closeEvent(QCloseEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    void vraagEnToonKaart();
    void maakKaartControle();
    void plaatsKaartControle();
    void maakBesturing();
    void plaatsBesturing();
    void tekenKnopPic();
    void plaatsKlok();
    void verbind();

    // The stage on screens of every size.
    void volgScherm();
    void volgGeometrie(QScreen* scherm);
    void maakPlaatjes();
    // A ball picture as zetBalPlaatjes chose it: which of the set, at what resolution, and the
    // picture once made.
    struct BalKeuze {
        int index = 0;
        qreal dpr = 1.0;
        QImage plaatje;
    };
    const QImage& balPlaatje(BalKeuze& keuze);
    void tekenHulp();
    void zetLettertypen();
    void tekenPatroonKnop();
    void tekenBordOpnieuw();
    void tekenGetal(int getal);
    void tekenGrootGetal(int getal, int aantal);
    void plaatsInfo();
    int px(double twips) const;

    // Board and game.
    void volgSpel();
    void spelNaarAlgemeen();
    void toonTeller();
    void toonInfo();
    void toonLaatste();
    void toonTeruggelegd(int n);
    void terugleggenVraag();
    void bordGeklikt();
    void bordToets(int toets, bool herhaling);
    void klokTik();
    void verbindRoeper();
    void zelfTrekNu();
    void toonPauze();

    // Command bar and help panel.
    void knopGeklikt(int index);
    void exitGeklikt();
    void achtergrondDubbelklik();
    void balkGeklikt();
    void helpPaneel();
    void nieuwSpelVraag();
    void pdfGeklikt();
    void dpiGeklikt();

    Algemeen& m_alg;
    Spel& m_spel;
    Verloop* m_verloop = nullptr;
    const InstellingenBestand& m_bestand;
    Toeval& m_toeval;
    std::function<void()> m_beeindig;
    std::unique_ptr<ExtraInstellingen> m_extra;
    std::unique_ptr<Roeper> m_roeper;
    int m_schermB = 0;
    int m_schermH = 0;
    qreal m_schaal = 1.0;
    qreal m_dpr = 1.0;
    // True once the board of the current game has slid in and rests.
    bool m_bordRust = false;
    BalKeuze m_bal1;
    BalKeuze m_bal2;
    QImage m_free;
    bool m_volgtScherm = false;
    QMetaObject::Connection m_geometrieVerbinding;
    std::array<std::uint8_t, 26> m_knopPatroon{};
    QColor m_knopMidden;
    bool m_vraagtAfsluiten = false;
    bool m_afgesloten = false;
    int m_afsluitCode = 0;
    // Raised by every new game: a draw that waited across a new game stops instead of showing
    // its ball on the new board.
    int m_spelNummer = 0;
};
