#pragma once

#include <QString>
#include <QVariant>
#include <QVariantMap>

// The settings that Zorvak.ini has no line for. They live in "Zorvak-extra.ini" in the folder
// where Zorvak.ini is kept, in the INI format QSettings reads, so Zorvak.ini keeps its seven
// lines for the programs that read it. Keys may hold a group: "Spraak/Stem".
// Read once when made; changes stay in memory until bewaar(), which replaces the file in one
// step and leaves the old one as it was when that fails.
class ExtraInstellingen
{
public:
    inline static const QString bestandsNaam = QStringLiteral("Zorvak-extra.ini");

    // map: the folder of Zorvak.ini (InstellingenBestand::instellingenMap()).
    explicit ExtraInstellingen(const QString& map);

    QVariant waarde(const QString& sleutel, const QVariant& standaard = {}) const;
    // A yes/no setting: "true"/"1" or "false"/"0"; anything else gives the standard.
    bool janee(const QString& sleutel, bool standaard) const;
    void zet(const QString& sleutel, const QVariant& waarde); // kept in memory
    void wis(const QString& sleutel);
    bool bevat(const QString& sleutel) const { return m_waarden.contains(sleutel); }
    bool bewaar(QString* fout = nullptr);
    QString pad() const { return m_pad; }

    // Why the file could not be read when it was there; empty when it was read or missing.
    // Such a file is never written over: bewaar() then refuses, and the file stays as it was.
    QString leesFout() const { return m_leesFout; }
    // What the organiser is told about such a file, once, at start; empty when it was read.
    QString leesMelding() const;

private:
    QString m_pad;
    QVariantMap m_waarden;
    QString m_leesFout;
};
