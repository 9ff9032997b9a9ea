// Damaged input an organiser can produce. Each gets a clear answer; nothing the organiser had
// is lost, nothing crashes or hangs.
#include "testhulp.h"

#include "common/doek_w.h"
#include "common/plaatjeknop_w.h"
#include "common/plaatjes.h"
#include "dialogs/config_w.h"
#include "main/achtergrond_w.h"
#include "printing/afdrukken_w.h"
#include "printing/opname.h"
#include "printing/uitvoer.h"

#include <QApplication>
#include <QBuffer>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QtEndian>
#include <QtTest>

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

// A main window with its own program and reserve folders.
struct Start {
    Algemeen alg;
    InstellingenBestand bestand;
    VasteToeval toeval{99};
    std::unique_ptr<Main> hoofd;
    int beeindigd = 0;

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

// The page objects of a PDF, which Qt writes uncompressed.
int pdfPaginas(const QString& pad)
{
    return QString::fromLatin1(TestHulp::leesBestand(pad))
        .count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]")));
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

    void onbruikbaarPlaatje_data();
    void onbruikbaarPlaatje();
    void grootFotoWordtGetoond();
    void instellingenVanEenAnderProgramma_data();
    void instellingenVanEenAnderProgramma();
    void onleesbareInstellingen();
    void programmaMapAlleenLezen();
    void geenBackgroundsMap();
    void paginas255();
};

void TstBeschadigd::onbruikbaarPlaatje_data()
{
    QTest::addColumn<QString>("naam");
    QTest::addColumn<QByteArray>("inhoud");
    QTest::newRow("not a picture") << "Kapot.jpg" << QByteArray("Dit is een boodschappenlijst, geen plaatje.\r\n");
    QTest::newRow("jpeg 60000 x 60000") << "Groot.jpg" << jpegDieLiegt(60000, 60000);
    QTest::newRow("bmp absurd") << "Raar.bmp" << bmpKop(0x7fffffff, 0x7fffffff);
}

// A background that is no picture, or announces more pixels than memory should hold, is
// refused at once without a question: chosen in the settings dialog the window keeps the
// background it shows; named in the settings at start-up it shows none.
void TstBeschadigd::onbruikbaarPlaatje()
{
    QFETCH(QString, naam);
    QFETCH(QByteArray, inhoud);
    TestHulp::Opstelling o;
    const QString pad = o.map.filePath(QStringLiteral("Backgrounds/") + naam);
    QVERIFY(TestHulp::schrijfBestand(pad, inhoud));

    Achtergrond* achter = o.main().BackImage;
    const QImage eerst = achter->plaatje();
    metConfig(o.main(), [&](Config& dlg) { kies(dlg, naam); });
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
    foto.fill(QColor(200, 40, 40));
    QVERIFY(TestHulp::schrijfBestand(o.map.filePath(QStringLiteral("Backgrounds/Foto.jpg")), alsJpeg(foto, 60)));
    foto = QImage();
    metConfig(o.main(), [&](Config& dlg) { kies(dlg, QStringLiteral("Foto.jpg")); });
    QCOMPARE(o.main().BackImage->plaatje().size(), QSize(6000, 4000));
    QVERIFY(hoek(o.main().BackImage).red() > 150);
}

void TstBeschadigd::instellingenVanEenAnderProgramma_data()
{
    QTest::addColumn<QByteArray>("inhoud");
    QTest::newRow("ini") << QByteArray("[General]\r\nTaal=nl\r\nLaatste=\"C:\\Mijn documenten\\lijst.txt\"\r\n");
    QTest::newRow("utf-16") << QByteArray::fromHex("fffe5b0041005d000d000a0078003d0031000d000a00");
    QTest::newRow("binary") << QByteArray::fromHex("7f454c460201010000000000000000000300") + QByteArray(4000, '\0');
    QTest::newRow("our header, then nonsense")
        << QByteArray("\"Quenderbrook Software 2011\"\r\n\"---\"\r\nvier,vijf,zes\r\n");
}

// The file is kept as Zorvak.ini.bak; Zorvak.ini starts anew with the start values and the
// default background; no message; the next start reads the new file.
void TstBeschadigd::instellingenVanEenAnderProgramma()
{
    QFETCH(QByteArray, inhoud);
    TestHulp::Opstelling o(inhoud);
    QCOMPARE(TestHulp::leesBestand(o.iniPad() + QStringLiteral(".bak")), inhoud);
    QVERIFY(Melding::neemGetoond().isEmpty());
    QCOMPARE(o.alg.KaartTekst, Algemeen::standaardKaartTekst());
    QVERIFY(o.main().BackImage->heeftPlaatje());

    Melding::zetVolgendAntwoord(true);
    QVERIFY(o.main().close());
    Algemeen terug;
    QVERIFY(Instellingen::leesInhoud(TestHulp::leesBestand(o.iniPad()), terug));
    Start opnieuw(o.map.path(), o.map.filePath(QStringLiteral("reserve")));
    QVERIFY(opnieuw.hoofd->BackImage->heeftPlaatje());
    QCOMPARE(TestHulp::leesBestand(o.iniPad() + QStringLiteral(".bak")), inhoud);
}

// A folder named Zorvak.ini in the way: the program starts with the start values, the folder
// and an earlier copy stay as they are, and the exit says it could not save.
void TstBeschadigd::onleesbareInstellingen()
{
    QTemporaryDir tmp;
    const QString ini = tmp.filePath(QStringLiteral("Zorvak.ini"));
    const QByteArray oud = "\"Quenderbrook Software 2011\"\r\n\"--------------------------\"\r\n4,5,90\r\n";
    QVERIFY(TestHulp::schrijfBestand(ini + QStringLiteral(".bak"), oud));
    QVERIFY(TestHulp::schrijfBestand(ini + QStringLiteral("/van iemand.txt"), "bewaren"));

    Start s(tmp.path(), tmp.filePath(QStringLiteral("reserve")));
    QVERIFY(Melding::neemGetoond().isEmpty());
    QCOMPARE(s.alg.AantalBallen, std::uint8_t(75));
    QVERIFY(s.sluit());
    QCOMPARE(s.beeindigd, 1);
    const auto getoond = Melding::neemGetoond();
    QCOMPARE(getoond.size(), 2);
    QCOMPARE(getoond[1].titel, QStringLiteral(" Exit programma"));
    QVERIFY2(getoond[1].tekst.startsWith(QStringLiteral("De instellingen konden niet worden bewaard in\n") +
                                         QDir::toNativeSeparators(ini)),
             qPrintable(getoond[1].tekst));
    QCOMPARE(TestHulp::leesBestand(ini + QStringLiteral("/van iemand.txt")), QByteArray("bewaren"));
    QCOMPARE(TestHulp::leesBestand(ini + QStringLiteral(".bak")), oud);
}

// A program folder that cannot be written (a path beneath a plain file, which not even root
// can make): the settings live in the reserve folder, from one start to the next.
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
        s.alg.KaartTekst = QStringLiteral("Bingo in het dorpshuis");
        QVERIFY(s.sluit());
        QCOMPARE(Melding::neemGetoond().size(), 1); // only the question
    }
    Start weer(programma, reserve);
    QCOMPARE(weer.alg.KaartTekst, QStringLiteral("Bingo in het dorpshuis"));
}

// Without Backgrounds the window starts without a picture, the settings dialog with an empty
// list, and a game still runs.
void TstBeschadigd::geenBackgroundsMap()
{
    TestHulp::Opstelling o({}, false);
    QVERIFY(!o.main().BackImage->heeftPlaatje());
    metConfig(o.main(), [](Config& dlg) { QCOMPARE(dlg.List1->count(), 0); });
    o.alg.KnipperAantal = 0;
    Melding::zetVolgendAntwoord(true);
    o.main().Knop[Main::KnopStart]->click();
    QTest::mouseClick(o.main().Pic, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(o.alg.AantalGetrokken, 1);
    QCOMPARE(Melding::neemGetoond().size(), 1); // only the Start question
}

// 255 pages, the most the count can say, typed into the print dialog: 255 print jobs on a
// printer and, with no printer, one PDF of 255 pages.
void TstBeschadigd::paginas255()
{
    TestHulp::Opstelling o({}, false);
    Opname::Uitvoer printer;
    struct Door : PaginaUitvoer {
        Opname::Uitvoer* doel;
        explicit Door(Opname::Uitvoer* d) : doel(d) {}
        bool druk(const QString& n, int a, const Tekenaar& t, QString* f) override { return doel->druk(n, a, t, f); }
    };
    Afdrukken::haken().printer = [&printer] { return std::make_unique<Door>(&printer); };
    {
        Afdrukken d(o.main());
        d.Combo1->setEditText(QStringLiteral("255"));
        d.KienKnop->click();
    }
    QCOMPARE(printer.documenten, 255);
    QCOMPARE(printer.paginas.size(), 255);
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
    QCOMPARE(Melding::neemGetoond().size(), 1); // the question for a PDF file, no failure
    QCOMPARE(pdfPaginas(pdf), 255);
}

QTEST_MAIN(TstBeschadigd)
#include "tst_beschadigd_w.moc"
