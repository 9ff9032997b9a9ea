#pragma once

#include "core/cards/controle.h"
#include "core/cards/controleindeling.h"
#include "core/game/avond.h"

#include <QDialog>
#include <QWidget>

#include <functional>
#include <optional>

class QComboBox;
class QLineEdit;

// A card a player calls out, shown on the stage so the hall can read it: the card large, its
// drawn numbers marked, the verdict and the numbers it still misses. A click or a key closes it.
class KaartControle : public QWidget
{
    Q_OBJECT
public:
    explicit KaartControle(QWidget* ouder);

    void toon(const RegisterKaart& kaart, const Controle::Uitslag& uitslag, const Controle::Patroon* patroon);
    // Shows every card the evening checks, with the line of the programme's stage (kept up to
    // date when a winner is confirmed), and asks the evening to confirm a winner on F9.
    void volg(Avond& avond);
    const RegisterKaart& kaart() const { return m_kaart; }
    const Controle::Uitslag& uitslag() const { return m_uitslag; }

    // Asks the organiser which card to check: its number as typed and, for Kien, the full rows
    // that win; nothing when the organiser cancels. Tests put their own answer in.
    static std::function<std::optional<Avond::KaartVraag>(QWidget* ouder)>& vraagHaak();

    // The picture of the button that opens the check: a card under a magnifying glass.
    static QImage knopPlaatje(qreal dpr = 1.0);
    // A line about the programme's stage under the verdict: what the card was judged for and
    // whether it can be confirmed as winner; empty for none.
    void zetFaseTekst(const QString& tekst);
    const QString& faseTekst() const { return m_faseTekst; }
    // The organiser's line at the bottom (how to go back, F9); empty for none. With `zelf` false
    // the box is kept free for what lies over it there (the organiser's strip on the stage).
    void zetHint(const QString& tekst, bool zelf = true);
    const QString& hint() const { return m_hint; }
    bool hintZelf() const { return m_hintZelf; }
    // The boxes the check screen is painted in, at its present size.
    ControleIndeling indeling() const;
    // Hides the card; the board takes over again.
    void sluit();
    // A key while the card shows: Escape, Enter, the space bar and K put it away; F9 asks to
    // confirm the card as the winner (a key no scanner types by accident, as it may an Enter).
    void toets(int toets);

signals:
    void gesloten();
    void winnaarGevraagd();
    // The boxes moved: another card, another text or another size.
    void indelingGewijzigd();

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    RegisterKaart m_kaart;
    Controle::Uitslag m_uitslag;
    Controle::Patroon m_patroon{};
    QString m_faseTekst;
    QString m_hint;
    bool m_hintZelf = true;
};

// The small dialog that asks which card to check.
class KaartVraag : public QDialog
{
    Q_OBJECT
public:
    explicit KaartVraag(QWidget* ouder);
    QLineEdit* NummerTekst = nullptr;
    QComboBox* RijenKeuze = nullptr;
};
