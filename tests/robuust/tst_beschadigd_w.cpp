// Damaged input that an organiser can produce: a background that is no picture or far too
// big, a settings file of another program or one that cannot be read, a program folder that
// cannot be written, no Backgrounds folder, 255 pages of cards. Each gets a clear answer;
// nothing the organiser had is lost, nothing crashes or hangs.
#include "testhulp.h"

#include "common/doek_w.h"
#include "common/plaatjeknop_w.h"
#include "common/plaatjes.h"
#include "dialogs/config_w.h"
#include "main/achtergrond_w.h"
#include "printing/afdrukken_w.h"
#include "printing/opname.h"
#include "printing/pagina.h"
#include "printing/uitvoer.h"

#include <QApplication>
#include <QBuffer>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QtEndian>
#include <QtTest>

#include <set>

namespace
{
QByteArray alsJpeg(const QImage& beeld, int kwaliteit = 80)
{
    QByteArray uit;
    QBuffer buf(&uit);
    buf.open(QIODevice::WriteOnly);
    beeld.save(&buf, "JPG", kwaliteit);
    return uit;
}

// A real little JPEG whose frame header announces breedte x hoogte pixels.
QByteArray jpegDieLiegt(quint16 breedte, quint16 hoogte)
{
    QImage klein(16, 16, QImage::Format_RGB32);
    klein.fill(Qt::red);
    QByteArray jpeg = alsJpeg(klein);
    const int sof = jpeg.indexOf(QByteArray("\xFF\xC0", 2));
    if (sof < 0) return {};
    qToBigEndian(hoogte, jpeg.data() + sof + 5);
    qToBigEndian(breedte, jpeg.data() + sof + 7);
    return jpeg;
}

// The headers of a 24-bit BMP of breedte x hoogte pixels, without the pixels.
QByteArray bmpKop(qint32 breedte, qint32 hoogte)
{
    QByteArray b(54, '\0');
    char* d = b.data();
    d[0] = 'B';
    d[1] = 'M';
    qToLittleEndian<quint32>(54, d + 2);
    qToLittleEndian<quint32>(54, d + 10);
    qToLittleEndian<quint32>(40, d + 14);
    qToLittleEndian<qint32>(breedte, d + 18);
    qToLittleEndian<qint32>(hoogte, d + 22);
    qToLittleEndian<quint16>(1, d + 26);
    qToLittleEndian<quint16>(24, d + 28);
    return b;
}

// A one-pixel GIF whose screen and image announce breedte x hoogte pixels.
QByteArray gifDieLiegt(quint16 breedte, quint16 hoogte)
{
    QByteArray g = QByteArray::fromHex("474946383961"
                                       "0100010080000000000000ffffff"
                                       "2c000000000100010000"
                                       "0202440100"
                                       "3b");
    qToLittleEndian(breedte, g.data() + 6);
    qToLittleEndian(hoogte, g.data() + 8);
    qToLittleEndian(breedte, g.data() + 24);
    qToLittleEndian(hoogte, g.data() + 26);
    return g;
}

QByteArray iniMetAchtergrond(const QString& pad)
{
    Algemeen a;
    a.AchtergrondBestand = pad;
    return Instellingen::maakInhoud(a);
}

QColor hoek(Achtergrond* a)
{
    return a->grab().toImage().pixelColor(10, 10);
}

// The Config dialog, opened through its button; doe runs while it shows, then it closes by Ok.
void metConfig(Main& m, const std::function<void(Config&)>& doe)
{
    bool gezien = false;
    QTimer bewaker;
    bewaker.setInterval(0);
    QObject::connect(&bewaker, &QTimer::timeout, [&] {
        auto* dlg = qobject_cast<Config*>(QApplication::activeModalWidget());
        if (!dlg || !dlg->isVisible()) return;
        bewaker.stop();
        gezien = true;
        doe(*dlg);
        dlg->OkKnop->click();
    });
    bewaker.start();
    m.Knop[Main::KnopInstellingen]->click();
    QVERIFY(gezien);
}

// Picks the entry of the background list by name.
void kies(Config& dlg, const QString& naam)
{
    const auto gevonden = dlg.List1->findItems(naam, Qt::MatchExactly);
    QVERIFY2(gevonden.size() == 1, qPrintable(naam));
    dlg.List1->setCurrentItem(gevonden.first());
}

// A main window with its own program and reserve folders, for starts that the shared set-up
// does not cover.
struct Start {
    Algemeen alg;
    InstellingenBestand bestand;
    VasteToeval toeval{99};
    std::unique_ptr<Main> hoofd;
    int beeindigd = 0;
    bool gelezen = false;

    Start(const QString& programma, const QString& reserve) : bestand(programma, reserve)
    {
        WachtTempo::zet(0);
        WachtTempo::zetBeeindigd(false);
        hoofd = std::make_unique<Main>(alg, bestand, toeval);
        hoofd->zetBeeindiger([this] { ++beeindigd; });
    }
    // Exit, answered Ja.
    bool sluit()
    {
        Melding::zetVolgendAntwoord(true);
        return hoofd->close();
    }
};

int pdfPaginas(const QString& pad)
{
    const QString pdfinfo = QStandardPaths::findExecutable(QStringLiteral("pdfinfo"));
    if (!pdfinfo.isEmpty()) {
        QProcess p;
        p.start(pdfinfo, {pad});
        if (p.waitForFinished(60000)) {
            const auto m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)"))
                               .match(QString::fromLatin1(p.readAllStandardOutput()));
            if (m.hasMatch()) return m.captured(1).toInt();
        }
    }
    // Without poppler: the page objects of the file, which Qt writes uncompressed.
    int n = 0;
    auto it = QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]"))
                  .globalMatch(QString::fromLatin1(TestHulp::leesBestand(pad)));
    while (it.hasNext()) {
        it.next();
        ++n;
    }
    return n;
}

// The numbers printed in the given colour on a recorded page.
QList<int> getallen(const Opname::Pagina& p, const QColor& kleur)
{
    QList<int> uit;
    for (const Opname::Tekst& t : p.teksten)
        if (t.kleur == kleur) uit << t.tekst.trimmed().toInt();
    return uit;
}
} // namespace

class TstBeschadigd : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        WachtTempo::zet(0);
        Melding::zetStil(true);
        Melding::neemGetoond();
    }
    void cleanup() { Afdrukken::herstelHaken(); }

    void achtergrondIsGeenPlaatje();
    void reusachtigPlaatje_data();
    void reusachtigPlaatje();
    void grootFotoWordtGetoond();
    void instellingenVanEenAnderProgramma_data();
    void instellingenVanEenAnderProgramma();
    void onleesbareInstellingen_data();
    void onleesbareInstellingen();
    void programmaMapAlleenLezen();
    void geenBackgroundsMap();
    void paginas255();
    void paginas255DoorHetVenster();
};

// A file that only carries a picture's name: the window keeps the background it shows, asks
// nothing; at the next start it shows none, as the organiser chose that file.
void TstBeschadigd::achtergrondIsGeenPlaatje()
{
    TestHulp::Opstelling o;
    const QString kapot = o.map.filePath(QStringLiteral("Backgrounds/Kapot.jpg"));
    QVERIFY(TestHulp::schrijfBestand(kapot, "Dit is een boodschappenlijst, geen plaatje.\r\n"));
    const QString half = o.map.filePath(QStringLiteral("Backgrounds/Half.jpg"));
    const QByteArray heel = TestHulp::leesBestand(o.map.filePath(QStringLiteral("Backgrounds/Background-01.jpg")));
    QVERIFY(!heel.isEmpty());
    QVERIFY(TestHulp::schrijfBestand(half, heel.left(heel.size() / 3)));

    Achtergrond* achter = o.main().BackImage;
    QVERIFY(achter->heeftPlaatje());
    const QImage eerst = achter->plaatje();
    metConfig(o.main(), [&](Config& dlg) { kies(dlg, QStringLiteral("Kapot.jpg")); });
    QCOMPARE(achter->plaatje(), eerst);
    QCOMPARE(o.alg.AchtergrondBestand, QDir::toNativeSeparators(kapot));
    QVERIFY(Melding::neemGetoond().isEmpty());

    // A picture cut short shows what there is of it.
    metConfig(o.main(), [&](Config& dlg) { kies(dlg, QStringLiteral("Half.jpg")); });
    QVERIFY(achter->heeftPlaatje());
    QCOMPARE(achter->plaatje().size(), eerst.size());

    TestHulp::schrijfBestand(o.iniPad(), iniMetAchtergrond(kapot));
    Start metKapot(o.map.path(), o.map.filePath(QStringLiteral("reserve")));
    QCOMPARE(metKapot.alg.AchtergrondBestand, kapot);
    QVERIFY(!metKapot.hoofd->BackImage->heeftPlaatje());
    QCOMPARE(hoek(metKapot.hoofd->BackImage), Plaatjes::bordKleur);
    QVERIFY(Melding::neemGetoond().isEmpty());
}

void TstBeschadigd::reusachtigPlaatje_data()
{
    QTest::addColumn<QString>("naam");
    QTest::addColumn<QByteArray>("inhoud");
    QTest::newRow("jpeg 60000 x 60000") << "Groot.jpg" << jpegDieLiegt(60000, 60000);
    QTest::newRow("jpeg 65535 x 1") << "Lang.jpg" << jpegDieLiegt(65535, 1);
    QTest::newRow("bmp 60000 x 60000") << "Groot.bmp" << bmpKop(60000, 60000);
    QTest::newRow("bmp upside down") << "Om.bmp" << bmpKop(60000, -60000);
    QTest::newRow("bmp absurd") << "Raar.bmp" << bmpKop(0x7fffffff, 0x7fffffff);
    QTest::newRow("gif 65535 x 65535") << "Groot.gif" << gifDieLiegt(65535, 65535);
}

// A picture that announces more pixels than memory should hold is refused at once: from the
// list of the settings dialog and at start-up alike, the window keeps its look.
void TstBeschadigd::reusachtigPlaatje()
{
    QFETCH(QString, naam);
    QFETCH(QByteArray, inhoud);
    QVERIFY(!inhoud.isEmpty());
    TestHulp::Opstelling o;
    const QString pad = o.map.filePath(QStringLiteral("Backgrounds/") + naam);
    QVERIFY(TestHulp::schrijfBestand(pad, inhoud));

    Achtergrond* achter = o.main().BackImage;
    const QImage eerst = achter->plaatje();
    QVERIFY(!eerst.isNull());
    QElapsedTimer klok;
    klok.start();
    metConfig(o.main(), [&](Config& dlg) { kies(dlg, naam); });
    qInfo().noquote() << naam << "refused in" << klok.elapsed() << "ms";
    QCOMPARE(achter->plaatje(), eerst);
    QVERIFY(Melding::neemGetoond().isEmpty());

    o.main().show();
    QVERIFY(QTest::qWaitForWindowExposed(&o.main()));
    QCOMPARE(achter->plaatje(), eerst);

    TestHulp::schrijfBestand(o.iniPad(), iniMetAchtergrond(QDir::toNativeSeparators(pad)));
    Start opnieuw(o.map.path(), o.map.filePath(QStringLiteral("reserve")));
    QVERIFY(!opnieuw.hoofd->BackImage->heeftPlaatje());
    QCOMPARE(hoek(opnieuw.hoofd->BackImage), Plaatjes::bordKleur);
    QVERIFY(Melding::neemGetoond().isEmpty());
}

// A photo straight from a camera, 24 million pixels, is a background like any other.
void TstBeschadigd::grootFotoWordtGetoond()
{
    TestHulp::Opstelling o;
    QImage foto(6000, 4000, QImage::Format_RGB32);
    QPainter p(&foto);
    QLinearGradient verloop(0, 0, 6000, 4000);
    verloop.setColorAt(0, QColor(200, 40, 40));
    verloop.setColorAt(1, QColor(40, 40, 200));
    p.fillRect(foto.rect(), verloop);
    p.end();
    const QString pad = o.map.filePath(QStringLiteral("Backgrounds/Foto.jpg"));
    QVERIFY(TestHulp::schrijfBestand(pad, alsJpeg(foto, 60)));
    foto = QImage();

    metConfig(o.main(), [&](Config& dlg) { kies(dlg, QStringLiteral("Foto.jpg")); });
    QCOMPARE(o.main().BackImage->plaatje().size(), QSize(6000, 4000));
    const QColor links = o.main().BackImage->grab().toImage().pixelColor(2, 2);
    QVERIFY2(links.red() > 150 && links.blue() < 100, qPrintable(links.name()));
    QVERIFY(Melding::neemGetoond().isEmpty());
}

void TstBeschadigd::instellingenVanEenAnderProgramma_data()
{
    QTest::addColumn<QByteArray>("inhoud");
    QTest::newRow("ini") << QByteArray("[General]\r\nTaal=nl\r\nVenster=@Rect(0 0 800 600)\r\nLaatste=\"C:\\Mijn "
                                       "documenten\\lijst.txt\"\r\n");
    QTest::newRow("utf-16") << QByteArray::fromHex("fffe5b0041005d000d000a0078003d0031000d000a00");
    QTest::newRow("binary") << QByteArray::fromHex("7f454c460201010000000000000000000300") + QByteArray(4000, '\0');
    QTest::newRow("our header, then nonsense")
        << QByteArray("\"Quenderbrook Software 2011\"\r\n\"---\"\r\nvier,vijf,zes\r\n");
}

// The file is kept as Zorvak.ini.bak; Zorvak.ini starts anew with the start values and the
// default background; no message.
void TstBeschadigd::instellingenVanEenAnderProgramma()
{
    QFETCH(QByteArray, inhoud);
    TestHulp::Opstelling o(inhoud);
    QCOMPARE(TestHulp::leesBestand(o.iniPad() + QStringLiteral(".bak")), inhoud);
    QVERIFY(Melding::neemGetoond().isEmpty());
    QCOMPARE(o.alg.AantalBallen, std::uint8_t(75));
    QCOMPARE(o.alg.KaartTekst, Algemeen::standaardKaartTekst());
    QVERIFY(o.main().BackImage->heeftPlaatje());

    Algemeen terug;
    QVERIFY(Instellingen::leesInhoud(TestHulp::leesBestand(o.iniPad()), terug));
    QCOMPARE(terug.AantalBallen, std::uint8_t(75));

    // After a normal exit the next start reads the new file, default background included,
    // and the copy is still there.
    Melding::zetVolgendAntwoord(true);
    QVERIFY(o.main().close());
    Start opnieuw(o.map.path(), o.map.filePath(QStringLiteral("reserve")));
    QVERIFY(opnieuw.hoofd->BackImage->heeftPlaatje());
    QCOMPARE(TestHulp::leesBestand(o.iniPad() + QStringLiteral(".bak")), inhoud);
}

void TstBeschadigd::onleesbareInstellingen_data()
{
    QTest::addColumn<bool>("map");
    QTest::newRow("a folder named Zorvak.ini") << true;
    QTest::newRow("no read permission") << false;
}

// Settings that cannot be read: the program starts with the start values, the thing in the
// way stays as it is, and so does an earlier copy; the exit says it could not save.
void TstBeschadigd::onleesbareInstellingen()
{
    QFETCH(bool, map);
    QTemporaryDir tmp;
    const QString ini = tmp.filePath(QStringLiteral("Zorvak.ini"));
    const QByteArray oud = "\"Quenderbrook Software 2011\"\r\n\"--------------------------\"\r\n4,5,90\r\n";
    QVERIFY(TestHulp::schrijfBestand(ini + QStringLiteral(".bak"), oud));
    if (map) {
        QVERIFY(TestHulp::schrijfBestand(ini + QStringLiteral("/van iemand.txt"), "bewaren"));
    } else {
        QVERIFY(TestHulp::schrijfBestand(ini, iniMetAchtergrond(QString())));
        QVERIFY(QFile::setPermissions(ini, QFileDevice::WriteOwner));
        QFile proef(ini);
        if (proef.open(QIODevice::ReadOnly)) QSKIP("This user reads any file (root).");
    }

    auto s = std::make_unique<Start>(tmp.path(), tmp.filePath(QStringLiteral("reserve")));
    QVERIFY(Melding::neemGetoond().isEmpty());
    QCOMPARE(s->alg.AantalBallen, std::uint8_t(75));
    QCOMPARE(s->alg.KnipperSnelheid, std::uint8_t(2));
    QCOMPARE(TestHulp::leesBestand(ini + QStringLiteral(".bak")), oud);

    if (map) {
        QVERIFY(s->sluit());
        QCOMPARE(s->beeindigd, 1);
        const auto getoond = Melding::neemGetoond();
        QCOMPARE(getoond.size(), 2);
        QCOMPARE(getoond[1].titel, QStringLiteral(" Exit programma"));
        QVERIFY2(getoond[1].tekst.startsWith(QStringLiteral("De instellingen konden niet worden bewaard in\n") +
                                             QDir::toNativeSeparators(ini)),
                 qPrintable(getoond[1].tekst));
        QVERIFY(QFileInfo(ini).isDir());
        QCOMPARE(TestHulp::leesBestand(ini + QStringLiteral("/van iemand.txt")), QByteArray("bewaren"));
    }
    QCOMPARE(TestHulp::leesBestand(ini + QStringLiteral(".bak")), oud);
}

// A program folder that cannot be written (here: a path beneath a plain file, which not even
// root can make): the settings live in the reserve folder, from one start to the next.
void TstBeschadigd::programmaMapAlleenLezen()
{
    QTemporaryDir tmp;
    QVERIFY(TestHulp::schrijfBestand(tmp.filePath(QStringLiteral("bestand")), "x"));
    const QString programma = tmp.filePath(QStringLiteral("bestand/Zorvak"));
    const QString reserve = tmp.filePath(QStringLiteral("config/Zorvak"));
    {
        Start s(programma, reserve);
        QVERIFY(s.bestand.inReserveMap());
        QVERIFY(QFile::exists(reserve + QStringLiteral("/Zorvak.ini")));
        QVERIFY(Melding::neemGetoond().isEmpty());
        QVERIFY(!s.hoofd->BackImage->heeftPlaatje());
        metConfig(*s.hoofd, [](Config& dlg) { QCOMPARE(dlg.List1->count(), 0); });
        s.alg.KaartTekst = QStringLiteral("Bingo in het dorpshuis");
        s.alg.AantalBallen = 90;
        QVERIFY(s.sluit());
        QCOMPARE(s.beeindigd, 1);
        const auto getoond = Melding::neemGetoond();
        QCOMPARE(getoond.size(), 1); // only the question
    }
    Start weer(programma, reserve);
    QCOMPARE(weer.alg.KaartTekst, QStringLiteral("Bingo in het dorpshuis"));
    QCOMPARE(weer.alg.AantalBallen, std::uint8_t(90));
    QVERIFY(!QFileInfo::exists(programma));
}

// Without Backgrounds the window starts without a picture, the settings dialog with an empty
// list, and a game still runs.
void TstBeschadigd::geenBackgroundsMap()
{
    TestHulp::Opstelling o({}, false);
    QVERIFY(Melding::neemGetoond().isEmpty());
    QVERIFY(!o.main().BackImage->heeftPlaatje());
    o.main().show();
    QVERIFY(QTest::qWaitForWindowExposed(&o.main()));
    QCOMPARE(hoek(o.main().BackImage), Plaatjes::bordKleur);
    metConfig(o.main(), [](Config& dlg) {
        QCOMPARE(dlg.List1->count(), 0);
        dlg.Option90->click();
    });
    o.alg.KnipperAantal = 0;
    Melding::zetVolgendAntwoord(true);
    o.main().Knop[Main::KnopStart]->click();
    QVERIFY(!o.alg.Bezig);
    QTest::mouseClick(o.main().Pic, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(o.alg.AantalGetrokken, 1);
    QVERIFY(o.alg.GetrokkenBal >= 1 && o.alg.GetrokkenBal <= 90);
}

// 255 pages, the most the count can say: every page fresh and complete, in one document.
void TstBeschadigd::paginas255()
{
    VasteToeval toeval(255);
    QElapsedTimer klok;

    Opname::Uitvoer bingo;
    klok.start();
    QVERIFY(Afdruk::bingo(bingo, 90, 255, QStringLiteral("tekst"), toeval, false, nullptr));
    qInfo() << "255 Bingo pages recorded in" << klok.elapsed() << "ms";
    QCOMPARE(bingo.documenten, 1);
    QCOMPARE(bingo.paginas.size(), 255);
    std::set<QList<int>> verschillend;
    for (const Opname::Pagina& p : bingo.paginas) {
        const QList<int> g = getallen(p, Pagina::bingoGetalKleur);
        QVERIFY2(g.size() >= 6 * 24, qPrintable(QString::number(g.size())));
        for (int n : g)
            QVERIFY(n >= 1 && n <= 90);
        verschillend.insert(g);
    }
    QCOMPARE(static_cast<int>(verschillend.size()), 255);

    Opname::Uitvoer kien;
    klok.start();
    QVERIFY(Afdruk::kien(kien, 255, QStringLiteral("tekst"), toeval, false, nullptr));
    qInfo() << "255 Kien pages recorded in" << klok.elapsed() << "ms";
    QCOMPARE(kien.paginas.size(), 255);
    for (const Opname::Pagina& p : kien.paginas) {
        QList<int> g = getallen(p, Pagina::kienGetalKleur);
        std::sort(g.begin(), g.end());
        QList<int> alle;
        for (int n = 1; n <= 90; ++n)
            alle << n;
        QCOMPARE(g, alle);
    }

    QTemporaryDir tmp;
    const QString pdf = tmp.filePath(QStringLiteral("Bingokaarten.pdf"));
    PdfUitvoer uit(pdf);
    QString fout;
    klok.start();
    QVERIFY2(Afdruk::bingo(uit, 75, 255, QStringLiteral("tekst"), toeval, false, &fout), qPrintable(fout));
    qInfo() << "255 Bingo pages to PDF in" << klok.elapsed() << "ms," << QFileInfo(pdf).size() / 1024 << "kB";
    QCOMPARE(pdfPaginas(pdf), 255);
}

// Typed into the print dialog: 255 print jobs on a printer; with no printer one PDF of 255
// pages.
void TstBeschadigd::paginas255DoorHetVenster()
{
    TestHulp::Opstelling o({}, false);
    auto* printer = new Opname::Uitvoer;
    std::unique_ptr<Opname::Uitvoer> bewaar(printer);
    struct Door : PaginaUitvoer {
        Opname::Uitvoer* doel;
        explicit Door(Opname::Uitvoer* d) : doel(d) {}
        bool druk(const QString& n, int a, const Tekenaar& t, QString* f) override { return doel->druk(n, a, t, f); }
    };
    Afdrukken::haken().printer = [printer] { return std::make_unique<Door>(printer); };
    {
        Afdrukken d(o.main());
        d.Combo1->setEditText(QStringLiteral("255"));
        d.KienKnop->click();
    }
    QCOMPARE(printer->documenten, 255);
    QCOMPARE(printer->paginas.size(), 255);
    QVERIFY(Melding::neemGetoond().isEmpty());

    QTemporaryDir tmp;
    const QString pdf = tmp.filePath(QStringLiteral("Kienkaarten.pdf"));
    Afdrukken::haken().printer = [] { return std::unique_ptr<PaginaUitvoer>(); };
    Afdrukken::haken().kiesPdfBestand = [pdf](QWidget*, const QString&) { return pdf; };
    Melding::zetVolgendAntwoord(true);
    {
        Afdrukken d(o.main());
        d.Combo1->setEditText(QStringLiteral("255"));
        d.BingoKnop->click();
    }
    const auto getoond = Melding::neemGetoond();
    QCOMPARE(getoond.size(), 1); // the question for a PDF file, no failure
    QCOMPARE(pdfPaginas(pdf), 255);
}

QTEST_MAIN(TstBeschadigd)
#include "tst_beschadigd_w.moc"
