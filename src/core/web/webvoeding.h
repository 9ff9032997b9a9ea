#pragma once

#include "core/settings/webinstelling.h"

#include <QDate>
#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

class Avond;
class WebBord;

// The board on the local network, fed from one evening. It follows the evening's game and
// programme through their signals and hands the server the game as JSON at every change; the
// evening itself never speaks to the server. Its setting (on or off, the port) is kept in
// Zorvak-extra.ini; --web switches it on for one run only.
class WebVoeding : public QObject
{
    Q_OBJECT
public:
    explicit WebVoeding(Avond& avond, QObject* ouder = nullptr);
    ~WebVoeding() override;

    const WebInstelling& instelling() const { return m_instelling; }
    // Starts or stops the server as the setting says; bewaren keeps the setting in
    // Zorvak-extra.ini. False with a Dutch reason (also in fout()) when the server could not
    // start or the setting could not be kept; the game goes on either way.
    bool zet(const WebInstelling& web, bool bewaren, QString* fout = nullptr);
    bool draait() const;
    QString fout() const { return m_fout; }
    // Where the hall opens the board: one address per network of this computer; empty while
    // the server is off or the computer is on no network.
    QStringList adressen() const;
    // How the players follow their own cards, for the organiser to pass on.
    static inline const QString kaartenUitleg =
        QStringLiteral("Spelers volgen hun eigen kaarten op hetzelfde adres, onder \"Mijn kaarten\".");
    // What the organiser is told about it: where the hall opens it, or why it is not there.
    QString uitleg() const;
    WebBord* bord() { return m_bord.get(); }

signals:
    // The server was started, stopped or failed to start.
    void gewijzigd();

private:
    void stuurStraks();
    void stuur();

    Avond& m_avond;
    WebInstelling m_instelling;
    std::unique_ptr<WebBord> m_bord;
    QString m_fout;
    const QDate m_avondDatum;
    quint64 m_versie = 0;
    bool m_gepland = false;
};
