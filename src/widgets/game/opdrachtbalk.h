#pragma once

#include "core/cards/kaartpatroon.h"
#include "widgets/common/doek.h"

#include <array>
#include <optional>

class PlaatjeKnop;
class QComboBox;
class QLabel;
class Spel;

// The command bar along the bottom of the stage: the five command buttons, the card check, the
// lists of drawn balls, the ball counter and Exit, on a dark band with a dot texture and a shine
// along its top. A press on a button moves it a little and back; then its command is signalled.
class Opdrachtbalk : public Doek
{
    Q_OBJECT
public:
    // The five command buttons, left to right.
    enum KnopIndex { KnopHelp = 0, KnopAfdrukken = 1, KnopLayout = 2, KnopInstellingen = 3, KnopStart = 4 };

    explicit Opdrachtbalk(const Spel& spel, QWidget* ouder = nullptr);

    // Lays the bar along the bottom of a screen of this size in twips, at the stage's scale and
    // resolution: its band drawn, its controls placed, their pictures made.
    void legUit(int schermBreedte, int schermHoogte, qreal schaal, qreal dpr);

    // Presses a command button as a click does: the press, then the command's signal.
    void druk(int knop);
    // Exit's press: a moment longer before its signal.
    void drukExit();
    // All five command buttons answer, or none (while a game is set up).
    void zetKnoppen(bool aan);
    // While the help panel shows, only Help (and Exit) answer.
    void zetHulpOpen(bool open);
    // The pattern button shows the pattern as a small card, its centre cell in its own colour.
    void zetPatroon(const PatroonKaart::Patroon& patroon, const QColor& midden);
    // The pattern of the stage the programme plays for now, shown instead of the editor's own;
    // none: the editor's pattern again.
    void zetFasePatroon(const std::optional<PatroonKaart::Patroon>& patroon);
    // While the hall's screen shows the stage, the buttons show no pointer either.
    void verbergWijzer(bool verbergen);

    // The lists and the counter, from the game.
    void leegLijsten();
    void voegToe(int getal);
    void haalWeg(int getal);
    void toonSpel();
    void toonTeller();

    // The controls, under the names the program gives them (also their objectName).
    std::array<PlaatjeKnop*, 5> Knop{};
    PlaatjeKnop* ControleKnop = nullptr;
    QLabel* Label1 = nullptr;
    QComboBox* Combo1 = nullptr;
    QComboBox* Combo2 = nullptr;
    QLabel* Label2 = nullptr;
    Doek* KaartPic = nullptr;
    QLabel* ExitLabel = nullptr;
    PlaatjeKnop* ExitKnop = nullptr;

signals:
    void help();
    void afdrukken();
    void layoutKaart();
    void instellingen();
    void spelBeginnen();
    void kaartControleren();
    void afsluiten();

private:
    void tekenPatroonKnop();

    const Spel& m_spel;
    PatroonKaart::Patroon m_patroon{};
    QColor m_midden;
    std::optional<PatroonKaart::Patroon> m_fasePatroon;
};
