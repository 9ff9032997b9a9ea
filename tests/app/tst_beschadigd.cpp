// Damaged input an organiser can produce. Each gets a clear answer; nothing the organiser had
// is lost, nothing crashes or hangs.
#include "testhulp.h"

#include "core/screen/plaatjes.h"
#include "widgets/common/plaatjeknop.h"
#include "widgets/game/achtergrond.h"
#include "widgets/game/dialogen.h"
#include "widgets/settings/config.h"

#include <QBuffer>
#include <QListWidget>
#include <QPushButton>
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
    qToBigEndian(hoogte, jpeg.data() + sof + 5);
    qToBigEndian(breedte, jpeg.data() + sof + 7);
    return jpeg;
}

// Picks the background by name in the settings dialog, then Ok.
void kiesAchtergrond(Main& m, const QString& naam)
{
    const auto dlg = m.dialogen().maakConfig();
    const auto gevonden = dlg->List1->findItems(naam, Qt::MatchExactly);
    QVERIFY2(gevonden.size() == 1, qPrintable(naam));
    dlg->List1->setCurrentItem(gevonden.first());
    dlg->OkKnop->click();
}
} // namespace

class TstBeschadigd : public QObject
{
    Q_OBJECT
private slots:
    void onbruikbaarPlaatje_data()
    {
        QTest::addColumn<QString>("naam");
        QTest::addColumn<QByteArray>("inhoud");
        QTest::newRow("not a picture") << "Kapot.jpg" << QByteArray("Dit is een boodschappenlijst.\r\n");
        QTest::newRow("jpeg 60000 x 60000") << "Groot.jpg" << jpegDieLiegt(60000, 60000);
    }
    // A background that is no picture, or announces more pixels than memory should hold, is
    // refused without a question: chosen in the settings dialog the window keeps what it shows
    // (a good one chosen next shows at once); named in the settings at start-up it shows none.
    void onbruikbaarPlaatje()
    {
        QFETCH(QString, naam);
        QFETCH(QByteArray, inhoud);
        TestHulp::Opstelling o;
        const QString pad = o.map.filePath(QStringLiteral("Backgrounds/") + naam);
        QVERIFY(TestHulp::schrijfBestand(pad, inhoud));
        const QImage eerst = o.main().BackImage->plaatje();
        kiesAchtergrond(o.main(), naam);
        QCOMPARE(o.main().BackImage->plaatje(), eerst);
        // A picture beside it shows at once.
        QImage goed(8, 8, QImage::Format_RGB32);
        goed.fill(Qt::red);
        QVERIFY(goed.save(o.map.filePath(QStringLiteral("Backgrounds/Goed.bmp"))));
        kiesAchtergrond(o.main(), QStringLiteral("Goed.bmp"));
        QCOMPARE(o.main().BackImage->plaatje().pixelColor(4, 4), QColor(Qt::red));

        o.alg().AchtergrondBestand = QDir::toNativeSeparators(pad);
        TestHulp::schrijfBestand(o.iniPad(), Instellingen::maakInhoud(o.alg()));
        o.herstart();
        QVERIFY(!o.main().BackImage->heeftPlaatje());
        QCOMPARE(o.main().BackImage->grab().toImage().pixelColor(10, 10), Plaatjes::bordKleur);
        QVERIFY(Melding::neemGetoond().isEmpty());
    }

    // A folder named Zorvak.ini in the way: the program starts with the start values, the folder
    // and an earlier copy stay as they are, and the exit says it could not save.
    void mapInDeWeg()
    {
        TestHulp::Opstelling o({}, false);
        const QString ini = o.iniPad();
        const QByteArray oud = "\"Quenderbrook Software 2011\"\r\n\"--------------------------\"\r\n4,5,90\r\n";
        QVERIFY(QFile::remove(ini) && TestHulp::schrijfBestand(ini + QStringLiteral(".bak"), oud));
        QVERIFY(TestHulp::schrijfBestand(ini + QStringLiteral("/van iemand.txt"), "bewaren"));
        Melding::neemGetoond();
        o.herstart();
        QCOMPARE(o.alg().AantalBallen, std::uint8_t(75));
        Melding::zetVolgendAntwoord(true);
        QVERIFY(o.main().close());
        QCOMPARE(o.beeindigd, 1);
        QCOMPARE(o.avond().afsluitCode(), 1);
        const auto getoond = Melding::neemGetoond();
        QCOMPARE(getoond.size(), 2);
        QVERIFY2(getoond[1].tekst.contains(QDir::toNativeSeparators(ini)), qPrintable(getoond[1].tekst));
        QCOMPARE(TestHulp::leesBestand(ini + QStringLiteral("/van iemand.txt")), QByteArray("bewaren"));
        QCOMPARE(TestHulp::leesBestand(ini + QStringLiteral(".bak")), oud);
    }

    // A Zorvak-extra.ini that cannot be read is said once at start, and is never written over.
    void extraOnleesbaar()
    {
        TestHulp::Opstelling o({}, false);
        const QString extra = o.map.filePath(QStringLiteral("Zorvak-extra.ini")),
                      inhoud = "[Spraak]\nStem=Anna\nonzin\n";
        QVERIFY(TestHulp::schrijfBestand(extra, inhoud.toLatin1()));
        Melding::neemGetoond();
        o.herstart();
        o.hervat();
        const auto getoond = Melding::neemGetoond();
        QVERIFY(getoond.size() == 1 && getoond[0].tekst.startsWith("De extra instellingen konden niet worden gelezen:"));
        QString fout;
        QVERIFY(!o.roeper().zetInstellingen({}, &fout) && fout.contains("wordt niet overschreven"));
        QCOMPARE(TestHulp::leesBestand(extra), inhoud.toLatin1());
    }
};

QTEST_MAIN(TstBeschadigd)
#include "tst_beschadigd.moc"
