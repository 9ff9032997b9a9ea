#pragma once

#include "core/cards/controle.h"

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
    const RegisterKaart& kaart() const { return m_kaart; }
    const Controle::Uitslag& uitslag() const { return m_uitslag; }

    // What the organiser asks for: the card's number as typed and, for Kien, the full rows that win.
    struct Vraag {
        QString nummer;
        int rijen = 1;
    };
    // Asks for it; nothing when the organiser cancels. Tests put their own answer in.
    static std::function<std::optional<Vraag>(QWidget* ouder)>& vraagHaak();

    // The picture of the button that opens the check: a card under a magnifying glass.
    static QImage knopPlaatje(qreal dpr = 1.0);
    // Hides the card; the board takes over again.
    void sluit();

signals:
    void gesloten();

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    RegisterKaart m_kaart;
    Controle::Uitslag m_uitslag;
    Controle::Patroon m_patroon{};
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
