#pragma once

#include <QList>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class Avond;
class ExtraInstellingen;
class Main;
class Organisator;
class QScreen;

// Spreads the program over the screens there are. With one screen the stage fills it, as ever.
// With more, the stage goes full-screen to the hall's screen (the organiser's choice, kept in
// Zorvak-extra.ini, or else the screen that is not the primary one) without a mouse pointer,
// and the organiser's window, where every dialog and question opens, to another. A screen
// plugged in or out mid-game rearranges the windows; the game goes on.
class TweeSchermen : public QObject
{
    Q_OBJECT
public:
    // The choice of screen is kept in the evening's Zorvak-extra.ini.
    TweeSchermen(Main& podium, Avond& avond);
    ~TweeSchermen() override;

    // The screen the stage belongs on now: the hall's when there is more than one.
    static QScreen* zaal(const ExtraInstellingen& extra);

    // Puts the windows on the screens there are now.
    void pasToe();
    bool tweeSchermen() const;
    Organisator* organisator() const { return m_organisator.get(); }
    // The hall's stage goes to the screen of this name from now on, also after a restart.
    void kiesZaal(const QString& naam);

    // The screens as the program sees them; a test leaves one out to unplug it.
    void zetSchermenBron(std::function<QList<QScreen*>()> bron);

private:
    void straks();

    Main& m_hoofd;
    Avond& m_avond;
    QString m_gekozen;
    std::unique_ptr<Organisator> m_organisator;
    std::function<QList<QScreen*>()> m_bron;
    bool m_gepland = false;
};
