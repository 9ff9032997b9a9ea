#include "core/cards/uitvoer.h"

#include "core/cards/kaarten.h"
#include "core/cards/kaartregister.h"
#include "core/cards/pagina.h"
#include "core/common/onderbreking.h"
#include "core/common/veiligbestand.h"
#include "core/game/avondprogramma.h"
#include "core/game/verloop.h"
#include "core/settings/extrainstellingen.h"
#include "core/settings/instellingen.h"

#include <QDir>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>

#include <cmath>

bool PdfUitvoer::druk(const QString& documentNaam, int aantal, const Tekenaar& teken, QString* fout)
{
    const QString naam = QDir::toNativeSeparators(m_pad);
    auto mislukt = [&](const QString& reden) {
        if (fout) *fout = QStringLiteral("Het PDF-bestand \"%1\" kon niet worden opgeslagen.\n%2").arg(naam, reden);
        return false;
    };
    // Written beside the target and checked to the last byte; the Schrijver throws the half
    // file away on every way out that does not reach voltooi().
    VeiligBestand::Schrijver bestand(m_pad);
    QString reden;
    if (!bestand.open(&reden)) return mislukt(reden);
    if (m_bijBegin && !m_bijBegin(bestand.tijdelijkPad(), &reden)) return mislukt(reden);
    {
        QPdfWriter pdf(bestand.apparaat());
        pdf.setResolution(1440);
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
        pdf.setTitle(documentNaam);
        pdf.setCreator(QStringLiteral("Zorvak"));
        QPainter p;
        if (!p.begin(&pdf)) return mislukt(QStringLiteral("Het bestand kon niet worden voorbereid."));
        for (int i = 0; i < aantal; ++i) {
            if (Onderbreking::gevraagd()) {
                p.end();
                return mislukt(QStringLiteral("Het afdrukken is onderbroken."));
            }
            if (i > 0 && !pdf.newPage()) {
                p.end();
                return mislukt(QStringLiteral("Er kon geen nieuwe pagina worden begonnen."));
            }
            p.save();
            teken(p, i);
            p.restore();
        }
        if (!p.end()) return mislukt(QStringLiteral("Het bestand kon niet worden afgesloten."));
    }
    if (!bestand.voltooi(&reden)) return mislukt(reden);
    return true;
}

bool BeeldUitvoer::druk(const QString&, int aantal, const Tekenaar& teken, QString*)
{
    ++documenten;
    const double schaal = m_dpi / 1440.0;
    const QSize grootte(static_cast<int>(std::lround(Pagina::a4Breedte * schaal)),
                        static_cast<int>(std::lround(Pagina::a4Hoogte * schaal)));
    for (int i = 0; i < aantal; ++i) {
        QImage beeld(grootte, QImage::Format_RGB32);
        beeld.fill(Qt::white);
        QPainter p(&beeld);
        p.scale(schaal, schaal);
        teken(p, i);
        p.end();
        paginas.append(beeld);
    }
    return true;
}

namespace Afdruk
{

namespace
{
bool drukPaginas(PaginaUitvoer& uitvoer, const QString& naam, int paginas, bool apart,
                 const PaginaUitvoer::Tekenaar& teken, QString* fout)
{
    if (paginas <= 0) return true;
    if (!apart) return uitvoer.druk(naam, paginas, teken, fout);
    for (int i = 0; i < paginas; ++i)
        if (!uitvoer.druk(naam, 1, teken, fout)) return false;
    return true;
}
} // namespace

bool bingo(PaginaUitvoer& uitvoer, int aantalGetallen, int paginas, const QString& kaartTekst, Toeval& toeval,
           bool elkePaginaApart, QString* fout)
{
    const QImage free = Pagina::freePlaatje();
    return drukPaginas(
        uitvoer, bingoNaam, paginas, elkePaginaApart,
        [&](QPainter& p, int) {
            p.setTransform(Pagina::plaatsing(uitvoer.afdrukbaar(), Pagina::bingoOmvang()), true);
            Pagina::tekenBingo(p, Kaarten::maakBingoPagina(aantalGetallen, toeval), kaartTekst, free);
        },
        fout);
}

bool kien(PaginaUitvoer& uitvoer, int paginas, const QString& kaartTekst, Toeval& toeval, bool elkePaginaApart,
          QString* fout)
{
    return drukPaginas(
        uitvoer, kienNaam, paginas, elkePaginaApart,
        [&](QPainter& p, int) {
            p.setTransform(Pagina::plaatsing(uitvoer.afdrukbaar(), Pagina::kienOmvang()), true);
            Pagina::tekenKien(p, Kaarten::maakKienPagina(toeval), kaartTekst);
        },
        fout);
}

namespace
{
// Where a file is, or would be written, with links and other spellings resolved; empty when
// its folder does not exist (nothing can be written there).
QString echtPad(const QString& pad)
{
    const QFileInfo info(pad);
    if (info.exists()) return info.canonicalFilePath();
    const QString map = QFileInfo(info.absolutePath()).canonicalFilePath();
    return map.isEmpty() ? QString() : QDir(map).filePath(info.fileName());
}

// Whether `echt` is the folder `map` or lies anywhere under it.
bool ligtIn(const QString& echt, const QString& map)
{
    const QString m = map.isEmpty() ? QString() : QFileInfo(map).canonicalFilePath();
    if (m.isEmpty() || echt.isEmpty()) return false;
#ifdef Q_OS_WIN
    constexpr Qt::CaseSensitivity hoofdletters = Qt::CaseInsensitive;
#else
    constexpr Qt::CaseSensitivity hoofdletters = Qt::CaseSensitive;
#endif
    return echt.compare(m, hoofdletters) == 0 ||
           echt.startsWith(m.endsWith(QLatin1Char('/')) ? m : m + QLatin1Char('/'), hoofdletters);
}

// A program or a library of the program's own folder: by its name (also before it exists, so a
// PDF never takes such a name there), or by the first bytes of a program (ELF, MZ, a script,
// Mach-O), whatever it is called.
bool isProgrammaBestand(const QString& echt)
{
    static const QRegularExpression naamVorm(
        QStringLiteral("^zorvak(-kaarten)?$|\\.(exe|dll|so|dylib)$|\\.so\\.[0-9.]+$"),
        QRegularExpression::CaseInsensitiveOption);
    if (naamVorm.match(QFileInfo(echt).fileName()).hasMatch()) return true;
    if (!VeiligBestand::isGewoonBestand(echt)) return false;
    const QByteArray begin = VeiligBestand::leesBegin(echt, 4).value_or(QByteArray());
    for (const char* teken : {"\177ELF", "MZ", "#!", "\xcf\xfa\xed\xfe", "\xce\xfa\xed\xfe", "\xca\xfe\xba\xbe"})
        if (begin.startsWith(teken)) return true;
    return false;
}
} // namespace

QString beschermdDoel(const QString& uitvoer, const QString& instellingenMap, const QString& registerPad,
                      const QString& programmaMap)
{
    QList<QPair<QString, QString>> eigen; // path, what it is
    if (!registerPad.isEmpty()) {
        eigen.append({registerPad, QStringLiteral("het kaartregister")});
        // SQLite puts its journal beside the file a link points to.
        const QString echt = QFileInfo(registerPad).canonicalFilePath();
        for (const QString& pad : {registerPad, echt})
            if (!pad.isEmpty())
                for (const QString& bij : KaartRegister::bijBestanden(pad))
                    eigen.append({bij, QStringLiteral("een bestand van het kaartregister")});
    }
    for (const QString& map : {instellingenMap, programmaMap}) {
        if (map.isEmpty()) continue;
        const QDir d(map);
        eigen.append({d.filePath(QString::fromLatin1(Instellingen::bestandsNaam)),
                      QStringLiteral("het instellingenbestand Zorvak.ini")});
        eigen.append({d.filePath(ExtraInstellingen::bestandsNaam),
                      QStringLiteral("het instellingenbestand %1").arg(ExtraInstellingen::bestandsNaam)});
        eigen.append({d.filePath(AvondProgramma::bestandsNaam),
                      QStringLiteral("het programma van de avond (%1)").arg(AvondProgramma::bestandsNaam)});
        eigen.append({d.filePath(QString::fromLatin1(Instellingen::slotNaam)), QStringLiteral("het slot van Zorvak")});
        eigen.append({d.filePath(KaartRegister::bestandsNaam), QStringLiteral("het kaartregister")});
        for (const QString& bij : KaartRegister::bijBestanden(d.filePath(KaartRegister::bestandsNaam)))
            eigen.append({bij, QStringLiteral("een bestand van het kaartregister")});
    }
    for (const auto& [pad, wat] : eigen)
        if (VeiligBestand::zelfdeBestand(uitvoer, pad)) return wat;
    const QString echt = echtPad(uitvoer);
    for (const QString& map : {instellingenMap, programmaMap})
        if (!map.isEmpty() && ligtIn(echt, QDir(map).filePath(Verloop::mapNaam)))
            return QStringLiteral("een bestand van het verloop van de avond");
    if (ligtIn(echt, programmaMap) && isProgrammaBestand(echt))
        return QStringLiteral("een onderdeel van het programma Zorvak zelf");
    return {};
}

} // namespace Afdruk
