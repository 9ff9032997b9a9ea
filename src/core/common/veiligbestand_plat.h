#pragma once

// What the safe file routines need from the operating system. veiligbestand_posix.cpp and
// veiligbestand_windows.cpp each give these (and the public routines that are all system calls);
// veiligbestand.cpp holds what is the same on both.

#include <QByteArray>
#include <QString>

#include <optional>

namespace VeiligBestand::Plat
{

// What stands at the target's name before writing.
struct Doel {
    bool bestaat = false;
    bool koppeling = false;
    int modus = -1; // permissions of an existing regular file
    long eigenaar = -1;
    long groep = -1;
};

// Shared by both systems (veiligbestand.cpp).
QString toon(const QString& pad);
bool mislukt(QString* fout, const QString& reden);
QString geenGewoonBestand(const QString& pad);
QString redenBijLezen(int nummer, const QString& pad);
QString achtervoegsel();

// Each system's own.
int synchroniseer(int fd);
bool bekijk(const QString& pad, Doel& doel, QString* fout);
int maakTijdelijk(const QString& pad, QString& tijdelijk, QString* fout);
// 0 when all bytes went out, otherwise the error number.
int schrijfAlles(int fd, const char* data, qint64 lengte);
void gooiWeg(int fd, const QString& tijdelijk);
// Gives the new file the old one's permissions, syncs it, and puts it in the target's place.
bool zetOpZijnPlaats(int fd, const QString& tijdelijk, const QString& pad, const Doel& doel, QString* fout);

enum class Deel { Heel, Begin, Einde };
// Reads the whole file (refused when larger than `maximum`), or at most `maximum` bytes from its
// beginning or its end. `pad` is not empty.
std::optional<QByteArray> leesDeel(const QString& pad, qint64 maximum, Deel deel, QString* fout);
// Says the file is too large, for a reader that then gives up.
std::nullopt_t teGroot(const QString& pad, QString* fout);

// Removes a temporary file that a writer left behind, unless a writer still holds it.
bool ruimWeg(const QString& tijdelijk);

} // namespace VeiligBestand::Plat
