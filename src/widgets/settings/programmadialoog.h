#pragma once

#include "core/game/avondprogramma.h"

#include <QDialog>

#include <functional>

class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QListWidget;
class QPushButton;
class QSpinBox;
class QTableWidget;

// The dialog "Programma van de avond": the rounds, for each its game, its stages with their
// prizes, the price of a card and the cards sold; the limits of a club game with a warning
// (never a refusal) when a prize or the evening's total is over them; import and export of the
// programme as a file. It changes nothing until Ok; then programma() and the limits hold the
// new values.
class ProgrammaDialoog : public QDialog
{
    Q_OBJECT
public:
    // eigenPatroon: the pattern drawn in the pattern editor, for a stage "Eigen patroon".
    ProgrammaDialoog(QWidget* ouder, const AvondProgramma& programma, qint64 maxPrijs, qint64 maxAvond,
                     const PatroonKaart::Patroon& eigenPatroon);

    AvondProgramma programma() const { return m_programma; }
    qint64 maxPrijs() const;
    qint64 maxAvond() const;
    // The warnings shown now; empty when all is within the limits.
    QStringList waarschuwingen() const;

    // The pattern editor for a stage of its own pattern: the pattern drawn, none on Cancel. Tests
    // put their own answer in.
    static std::function<std::optional<PatroonKaart::Patroon>(QWidget*, const PatroonKaart::Patroon&)>& patroonHaak();
    // File dialogs of import and export; tests put their own answer in.
    static std::function<QString(QWidget*, bool opslaan)>& bestandHaak();

    QListWidget* RondeLijst = nullptr;
    QComboBox* SpelKeuze = nullptr;
    QDoubleSpinBox* KaartPrijs = nullptr;
    QSpinBox* KaartenAantal = nullptr;
    QTableWidget* FaseTabel = nullptr;
    QDoubleSpinBox* MaxPrijs = nullptr;
    QDoubleSpinBox* MaxAvond = nullptr;
    QLabel* WaarschuwingLabel = nullptr;
    QPushButton* OkKnop = nullptr;

private:
    void toonRondes();
    void toonRonde();
    void leesRonde();
    void toonWaarschuwing();
    void toonPatroonKnop(int fase);
    void tekenPatroon(int fase);
    void importeer();
    void exporteer();

    AvondProgramma m_programma;
    PatroonKaart::Patroon m_eigen;
    int m_ronde = -1;
    bool m_bezig = false;
};
