#pragma once

#include <QObject>

#include <functional>
#include <memory>

class Afdrukken;
class Avond;
class Config;
class Layout;
class QColor;
class QString;
class QWidget;

// The dialogs of the evening, for the stage and the organiser's window alike: Config, Layout
// and Afdrukken of the command bar, "Extra", the programme of the evening and its report. Each
// holds calling by itself while it is open. What a dialog changes goes to the settings or the
// evening; what the stage must show again it hears from the signals here.
class Dialogen : public QObject
{
    Q_OBJECT
public:
    // venster: the window a dialog opens over when no other is given (the stage).
    Dialogen(Avond& avond, QWidget* venster);

    // The dialogs of the command bar, their signals followed; not yet shown.
    std::unique_ptr<Config> maakConfig();
    std::unique_ptr<Layout> maakLayout();
    std::unique_ptr<Afdrukken> maakAfdrukken();
    // The same, shown until they close.
    void instellingen();
    void layoutKaart();
    void afdrukken();
    // The dialog "Extra" over the given window; its settings are kept when it closes with Ok.
    void extraDialoog(QWidget* ouder);
    // The programme of the evening over the given window; kept when it closes with Ok.
    void programmaDialoog(QWidget* ouder);
    // "Verslag van de avond": asks where, writes it and says so. The file dialog's answer can
    // be given by a test.
    void verslagDialoog(QWidget* ouder);
    static std::function<QString(QWidget*)>& verslagHaak();
    // Plays the evening by its programme from round 1 with a new game, or no longer. It begins
    // once the dialogs it was asked from are closed.
    void speelProgramma(bool aan);

signals:
    // Config chose another background picture, or confirmed the ball pictures.
    void achtergrondGekozen(const QString& pad);
    void balPlaatjesBevestigd();
    // Layout confirmed the pattern, with the colour of its middle cell.
    void patroonBevestigd(const QColor& midden);
    // A programme began with a new game.
    void programmaBegonnen();

private:
    Avond& m_avond;
    QWidget* m_venster;
};
