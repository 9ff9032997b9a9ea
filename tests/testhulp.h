#pragma once

// Shared helpers of the test programs: a program folder of their own, the program's evening
// and stage on the 1024 x 768 offscreen screen, message boxes answered in advance.

#include "core/cards/kaartregister.h"
#include "core/common/toeval.h"
#include "core/common/wacht.h"
#include "core/game/avond.h"
#include "core/game/organisatortekst.h"
#include "core/game/roeper.h"
#include "core/game/spel.h"
#include "core/game/verloop.h"
#include "core/settings/algemeen.h"
#include "core/settings/instellingen.h"
#include "widgets/cards/kaartcontrole.h"
#include "widgets/common/melding.h"
#include "widgets/common/scaninvoer.h"
#include "widgets/game/achtergrond.h"
#include "widgets/game/bord.h"
#include "widgets/game/hulppaneel.h"
#include "widgets/game/main.h"
#include "widgets/game/opdrachtbalk.h"
#include "widgets/game/organisatorstrook.h"
#include "widgets/screen/programma.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QMouseEvent>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>
#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace TestHulp
{

// The sources' Backgrounds folder, for tests that want real pictures.
inline QString bronMap()
{
    return QStringLiteral(ZORVAK_SOURCE_DIR);
}

// An outside program a test reads its results with (pdftotext, zbarimg, Chromium): its path.
// When it is missing the test is skipped, and the caller returns on the empty path; in CI
// (ZORVAK_CI=1), where every one of them is installed, a missing one fails the test instead.
// Under Wine they are missing by design: the Windows run never sets ZORVAK_CI.
inline QString buitenProgramma(const QString& naam)
{
    const QString pad = QStandardPaths::findExecutable(naam);
    if (!pad.isEmpty()) return pad;
    const QByteArray reden = (naam + QStringLiteral(" is not installed (scripts/pakketten.sh installs it)")).toUtf8();
#ifndef Q_OS_WIN
    if (qEnvironmentVariable("ZORVAK_CI") == QLatin1String("1")) {
        QTest::qFail(reden.constData(), __FILE__, __LINE__);
        return {};
    }
#endif
    QTest::qSkip(reden.constData(), __FILE__, __LINE__);
    return {};
}

// A double-click as Qt delivers it: press, release, double-click (the second press), release.
inline void dubbelklik(QWidget* w, QPoint plek)
{
    for (const auto soort : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonDblClick,
                             QEvent::MouseButtonRelease}) {
        QMouseEvent e(soort, plek, w->mapToGlobal(plek), Qt::LeftButton,
                      soort == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, {});
        QApplication::sendEvent(w, &e);
    }
}

// Flat in its colour: a column just inside the border has no gradient.
inline bool isVlak(QWidget* w, QColor kleur)
{
    const QImage beeld = w->grab().toImage();
    for (int y = 3; y < beeld.height() - 3; ++y)
        if (beeld.pixelColor(3, y) != kleur) return false;
    return true;
}

// The lines of a list, top to bottom.
inline QStringList regels(const QComboBox* lijst)
{
    QStringList uit;
    for (int i = 0; i < lijst->count(); ++i)
        uit << lijst->itemText(i);
    return uit;
}

inline QByteArray leesBestand(const QString& pad)
{
    QFile f(pad);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The words on the first page of a PDF with their boxes, and the page's size, in points from
// the page's top-left corner, as pdftotext reads them (the caller checked that it is there).
struct PdfWoorden {
    QSizeF blad;
    QList<QPair<QString, QRectF>> woorden;
};
inline PdfWoorden pdfWoorden(const QString& pdf)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"),
            {QStringLiteral("-bbox"), QStringLiteral("-l"), QStringLiteral("1"), pdf, QStringLiteral("-")});
    p.waitForFinished(60000);
    const QString uit = QString::fromUtf8(p.readAllStandardOutput());
    PdfWoorden w;
    const QRegularExpressionMatch blad =
        QRegularExpression(QStringLiteral("<page width=\"([0-9.]+)\" height=\"([0-9.]+)\"")).match(uit);
    if (blad.hasMatch()) w.blad = QSizeF(blad.captured(1).toDouble(), blad.captured(2).toDouble());
    static const QRegularExpression vorm(QStringLiteral(
        "<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" yMax=\"([0-9.]+)\">([^<]*)</word>"));
    for (auto it = vorm.globalMatch(uit); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        w.woorden.append({m.captured(5), QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                                                QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()))});
    }
    return w;
}

inline bool schrijfBestand(const QString& pad, const QByteArray& inhoud)
{
    QDir().mkpath(QFileInfo(pad).absolutePath());
    QFile f(pad);
    return f.open(QIODevice::WriteOnly) && f.write(inhoud) == inhoud.size();
}

// The program on a temporary program folder, built as the program builds it, its stage on the
// 1024 x 768 screen. The waits run at zero pace and message boxes are answered without being
// shown (Nee unless queued).
struct Opstelling {
    QTemporaryDir map;
    VasteToeval toeval{12345};
    bool metVerloop = false;
    std::function<QDateTime()> klok;
    std::unique_ptr<Programma> programma;
    // How often an evening of this set-up ended with a confirmed exit.
    int beeindigd = 0;

    // inhoud: a Zorvak.ini to start from; empty means a first run. metVerloop: the evening's
    // record is kept, as the program keeps it.
    explicit Opstelling(const QByteArray& inhoud = {}, bool metAchtergronden = true, bool verloop = false)
        : metVerloop(verloop)
    {
        WachtTempo::zet(0);
        WachtTempo::zetBeeindigd(false);
        Melding::zetStil(true);
        Melding::neemGetoond();
        if (metAchtergronden) {
            QDir().mkpath(map.filePath(QStringLiteral("Backgrounds")));
            const QDir bron(bronMap() + QStringLiteral("/Backgrounds"));
            for (const QString& naam : bron.entryList(QDir::Files))
                QFile::copy(bron.filePath(naam), map.filePath(QStringLiteral("Backgrounds/") + naam));
        }
        if (!inhoud.isEmpty()) schrijfBestand(iniPad(), inhoud);
        herstart();
    }

    QString iniPad() const { return map.filePath(QStringLiteral("Zorvak.ini")); }
    Avond::Opzet opzet() { return {map.path(), map.filePath(QStringLiteral("reserve")), &toeval, metVerloop, klok}; }
    // The evening that runs now: its stage, its game, its settings and its caller.
    Main& main() { return programma->hoofd; }
    Avond& avond() { return programma->avond; }
    Spel& model() { return avond().spel(); }
    Algemeen& alg() { return avond().instellingen().algemeen(); }
    Roeper& roeper() { return avond().roeper(); }

    // The clock of the balls and of the record's lines, for this evening and every later one.
    void zetKlok(std::function<QDateTime()> nieuw)
    {
        klok = std::move(nieuw);
        model().zetKlok(klok);
        if (Verloop* v = avond().verloop()) v->zetKlok(klok);
    }

    // The program ended without Exit and started again on the same folder: the evening that
    // ran goes and a new one comes; hervat() asks what a start asks.
    void herstart()
    {
        programma.reset();
        programma = std::make_unique<Programma>(opzet());
        QObject::connect(&avond(), &Avond::afgesloten, [this] { ++beeindigd; });
    }
    void hervat() { avond().hervatBijStart(); }

    // The card check asks for this card; the verdict of the card it shows.
    void zetKaartVraag(const QString& nummer, int rijen)
    {
        KaartControle::vraagHaak() = [nummer, rijen](QWidget*) { return Avond::KaartVraag{nummer, rijen}; };
    }
    QString kaartOordeel() { return main().KaartControleScherm->uitslag().oordeel; }
};

// A print job of numbered cards that went out whole: `paginas` pages of six in the series.
inline bool registreer(KaartRegister& reg, KaartSoort soort, const QString& serie, int paginas, Toeval& kans)
{
    const auto reeks = reg.registreer(soort, serie, paginas, kans);
    return reeks && reg.bevestig(*reeks, reeks->laatste()) && reg.rondAf(*reeks);
}

// The cards of a series printed in `map`: `paginas` pages of six, K-0001 first.
inline QList<RegisterKaart> drukKaarten(const QString& map, KaartSoort soort, const QString& serie, int paginas,
                                        Toeval& kans)
{
    KaartRegister reg(KaartRegister::padIn(map));
    QList<RegisterKaart> uit;
    if (registreer(reg, soort, serie, paginas, kans))
        for (int n = 1; n <= paginas * 6; ++n)
            uit << reg.kaart(serie, n).value_or(RegisterKaart{});
    return uit;
}

// A game of `aantal` balls in which these numbers (0s skipped) are drawn.
inline Spel::Stand standMet(int aantal, const QList<int>& ballen)
{
    Spel::Stand stand{aantal, 1, 1, {}};
    for (int n : ballen)
        if (n) stand.ballen << Spel::Bal{n, QDateTime::currentDateTime()};
    return stand;
}

// An evening's conversation that answers its questions from a queue, keeps what it said and
// names `kaart` when a card is asked for.
struct Gesprek {
    QList<bool> antwoorden;
    QStringList gezegd;
    Avond::KaartVraag kaart;
    Avond::Gesprek maak(const QString& nummer = {})
    {
        kaart = {nummer, 1};
        return {[this](const QString&, const QString& tekst, bool) {
                    gezegd << tekst;
                    return !antwoorden.isEmpty() && antwoorden.takeFirst();
                },
                [this](const QString&, const QString& tekst) { gezegd << tekst; },
                [this] { return std::optional<Avond::KaartVraag>(kaart); },
                {}};
    }
};

// For its lifetime the typed keys' clock moves `stap` ms at each reading: a person's pace or a
// scanner's.
struct ScanKlok {
    qint64 nu = 0;
    std::function<qint64()> echt = ScanInvoer::klokHaak();
    explicit ScanKlok(qint64 stap) { zet(stap); }
    void zet(qint64 stap)
    {
        ScanInvoer::klokHaak() = [this, stap] { return nu += stap; };
    }
    ~ScanKlok() { ScanInvoer::klokHaak() = echt; }
};

// Runs `doe`, and `bijDialoog` on the first modal dialog that opens meanwhile, which is then closed.
// It is watched for until it opens: on a busy machine a button's press takes a while.
inline void metDialoog(const std::function<void()>& doe, const std::function<void(QWidget*)>& bijDialoog)
{
    QTimer bewaker;
    QObject::connect(&bewaker, &QTimer::timeout, [&] {
        if (QWidget* dialoog = QApplication::activeModalWidget()) {
            bewaker.stop();
            bijDialoog(dialoog);
            dialoog->close();
        }
    });
    bewaker.start(10);
    doe();
    QCoreApplication::processEvents();
}

#ifdef Q_OS_UNIX
// Runs `stap` in a child process in which every file may grow to at most `grens` bytes, as on a
// full disk (SIGXFSZ ignored, so writes fail instead). Returns the reason the child reported,
// or "MISLUKT" when `stap` returned true.
inline QString metGrens(rlim_t grens, const std::function<bool(QString&)>& stap)
{
    int buis[2];
    if (::pipe(buis) != 0) return QStringLiteral("geen pipe");
    const pid_t kind = ::fork();
    if (kind == 0) {
        ::close(buis[0]);
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit r{grens, grens};
        ::setrlimit(RLIMIT_FSIZE, &r);
        QString reden;
        const QByteArray uit = (stap(reden) ? QStringLiteral("MISLUKT") : reden).toUtf8();
        (void)!::write(buis[1], uit.constData(), static_cast<size_t>(uit.size()));
        ::_exit(0);
    }
    ::close(buis[1]);
    QByteArray uit;
    char blok[512];
    for (ssize_t n; (n = ::read(buis[0], blok, sizeof blok)) > 0;)
        uit.append(blok, n);
    ::close(buis[0]);
    ::waitpid(kind, nullptr, 0);
    return QString::fromUtf8(uit);
}
#endif

} // namespace TestHulp
