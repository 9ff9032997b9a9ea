#include "common/plaatjes.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QPixmap>
#include <QtTest>

#include <cmath>
#include <functional>

namespace
{

// The mean colour of the sphere of a ball picture at device pixel ratio 1, its rim left out.
QColor gemiddelde(const QImage& img)
{
    double r = 0, g = 0, b = 0;
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            if (std::hypot(x + 0.5 - 30, y + 0.5 - 30) > 28.5) continue;
            const QRgb c = img.pixel(x, y);
            r += qRed(c);
            g += qGreen(c);
            b += qBlue(c);
            ++n;
        }
    return QColor(qRound(r / n), qRound(g / n), qRound(b / n));
}

int helderheid(QRgb c)
{
    return (qRed(c) * 30 + qGreen(c) * 59 + qBlue(c) * 11) / 100;
}

} // namespace

class TstPlaatjes : public QObject
{
    Q_OBJECT
private slots:
    void ballenHebbenHunGemiddeldeKleur_data();
    void ballenHebbenHunGemiddeldeKleur();
    void balBuitenDeReeksIsLeeg();
    void elkPlaatjeHeeftZijnMaat_data();
    void elkPlaatjeHeeftZijnMaat();
    void knoppenZijnDoorzichtigBuitenHunVorm();
    void logoVerdwijntInHetHelpPaneel();
    void freeIsLeesbaarOpGrijs();
    void vensterIcoonEnHand();
    void achtergrondenLadenAlsPlaatje();
};

void TstPlaatjes::ballenHebbenHunGemiddeldeKleur_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QColor>("verwacht");
    const QList<QColor> kleuren = {{124, 65, 47}, {37, 175, 196}, {194, 194, 3}, {160, 160, 161},
                                   {2, 169, 2},   {174, 69, 173}, {195, 2, 2},   {42, 2, 134}};
    for (int i = 1; i <= 8; ++i)
        QTest::addRow("bal %d", i) << i << kleuren[i - 1];
}

void TstPlaatjes::ballenHebbenHunGemiddeldeKleur()
{
    QFETCH(int, index);
    QFETCH(QColor, verwacht);
    QCOMPARE(Plaatjes::balKleur(index), verwacht);

    for (qreal dpr : {1.0, 2.0}) {
        const QImage bal = Plaatjes::bal(index, dpr);
        QCOMPARE(bal.size(), QSize(qRound(60 * dpr), qRound(60 * dpr)));
        QVERIFY(!bal.hasAlphaChannel());
        const QRgb bord = qRgb(20, 20, 40);
        const int m = bal.width() - 1;
        for (const QPoint& hoek : {QPoint(0, 0), QPoint(m, 0), QPoint(0, m), QPoint(m, m)})
            QCOMPARE(bal.pixel(hoek) & 0xffffff, bord & 0xffffff);
    }

    const QImage bal = Plaatjes::bal(index, 1.0);
    const QColor g = gemiddelde(bal);
    QVERIFY2(std::abs(g.red() - verwacht.red()) <= 25 && std::abs(g.green() - verwacht.green()) <= 25 &&
                 std::abs(g.blue() - verwacht.blue()) <= 25,
             qPrintable(QStringLiteral("gemiddeld %1,%2,%3").arg(g.red()).arg(g.green()).arg(g.blue())));

    // Lit from the upper left: the highlight near (20, 20) is almost white, and the upper left
    // of the sphere is lighter than the lower right.
    QVERIFY(helderheid(bal.pixel(20, 20)) > 215);
    QVERIFY(helderheid(bal.pixel(17, 17)) > helderheid(bal.pixel(43, 43)));
    // The sphere fills the square: the middles of the edges belong to it.
    for (const QPoint& rand : {QPoint(30, 1), QPoint(1, 30), QPoint(30, 58), QPoint(58, 30)})
        QVERIFY(bal.pixel(rand) != qRgb(20, 20, 40));
}

void TstPlaatjes::balBuitenDeReeksIsLeeg()
{
    QVERIFY(Plaatjes::bal(0).isNull());
    QVERIFY(Plaatjes::bal(9).isNull());
    QVERIFY(!Plaatjes::balKleur(0).isValid());
}

void TstPlaatjes::elkPlaatjeHeeftZijnMaat_data()
{
    QTest::addColumn<std::function<QImage(qreal)>>("maak");
    QTest::addColumn<QSize>("maat");
    QTest::addRow("help") << std::function<QImage(qreal)>(Plaatjes::helpKnop) << QSize(48, 48);
    QTest::addRow("printer") << std::function<QImage(qreal)>([](qreal d) { return Plaatjes::printer(48, d); })
                             << QSize(48, 48);
    QTest::addRow("printer 32") << std::function<QImage(qreal)>([](qreal d) { return Plaatjes::printer(32, d); })
                                << QSize(32, 32);
    QTest::addRow("tandwielen") << std::function<QImage(qreal)>(Plaatjes::tandwielen) << QSize(48, 48);
    QTest::addRow("start") << std::function<QImage(qreal)>(Plaatjes::startPijlen) << QSize(48, 48);
    QTest::addRow("exit") << std::function<QImage(qreal)>(Plaatjes::exitKnop) << QSize(48, 48);
    QTest::addRow("verklein") << std::function<QImage(qreal)>(Plaatjes::verklein) << QSize(26, 18);
    QTest::addRow("pdf") << std::function<QImage(qreal)>(Plaatjes::pdfIcoon) << QSize(48, 48);
    QTest::addRow("dpi") << std::function<QImage(qreal)>(Plaatjes::dpiIcoon) << QSize(48, 48);
    QTest::addRow("logo") << std::function<QImage(qreal)>(Plaatjes::logo) << QSize(300, 182);
    QTest::addRow("bal") << std::function<QImage(qreal)>([](qreal d) { return Plaatjes::bal(5, d); }) << QSize(60, 60);
}

void TstPlaatjes::elkPlaatjeHeeftZijnMaat()
{
    QFETCH(std::function<QImage(qreal)>, maak);
    QFETCH(QSize, maat);
    for (qreal dpr : {1.0, 1.5, 2.0}) {
        const QImage img = maak(dpr);
        QCOMPARE(img.devicePixelRatio(), dpr);
        QCOMPARE(img.size(), QSize(qRound(maat.width() * dpr), qRound(maat.height() * dpr)));
        QCOMPARE(img.deviceIndependentSize().toSize(), maat);
    }
    // Something is drawn: the picture is not one flat colour.
    const QImage img = maak(1.0);
    QVERIFY(img.pixel(img.width() / 2, img.height() / 2) != img.pixel(0, 0));
}

void TstPlaatjes::knoppenZijnDoorzichtigBuitenHunVorm()
{
    // They stand on the textured command bar and on the help panel: nothing but the shape.
    const QList<QImage> knoppen = {Plaatjes::helpKnop(),    Plaatjes::printer(),  Plaatjes::tandwielen(),
                                   Plaatjes::startPijlen(), Plaatjes::exitKnop(), Plaatjes::pdfIcoon(),
                                   Plaatjes::dpiIcoon()};
    for (const QImage& k : knoppen) {
        QCOMPARE(qAlpha(k.pixel(0, 0)), 0);
        QCOMPARE(qAlpha(k.pixel(47, 0)), 0);
        QCOMPARE(qAlpha(k.pixel(24, 24)), 255);
    }
    // Help and Exit are red round buttons with a white symbol on them.
    for (const QImage& k : {Plaatjes::helpKnop(), Plaatjes::exitKnop()}) {
        const QRgb rand = k.pixel(12, 30);
        QVERIFY(qRed(rand) > 2 * qGreen(rand) && qRed(rand) > 120);
        int wit = 0;
        for (int y = 10; y < 38; ++y)
            for (int x = 10; x < 38; ++x)
                wit += helderheid(k.pixel(x, y)) > 235 && qAlpha(k.pixel(x, y)) == 255;
        QVERIFY(wit > 40);
    }
    // The double arrow is green.
    const QRgb pijl = Plaatjes::startPijlen().pixel(14, 26);
    QVERIFY(qGreen(pijl) > qRed(pijl) + 60 && qGreen(pijl) > qBlue(pijl) + 60);
}

void TstPlaatjes::logoVerdwijntInHetHelpPaneel()
{
    for (qreal dpr : {1.0, 2.0}) {
        const QImage logo = Plaatjes::logo(dpr);
        const int r = logo.width() - 1, o = logo.height() - 1;
        for (const QPoint& hoek : {QPoint(0, 0), QPoint(r, 0), QPoint(0, o), QPoint(r, o)})
            QCOMPARE(logo.pixel(hoek) & 0xffffff, qRgb(40, 20, 20) & 0xffffff);
    }
    // Five balls in a row, each of its own colour: red, blue, green, orange, purple.
    const QImage logo = Plaatjes::logo();
    auto tint = [&](int i) { return QColor(logo.pixel(30 + 60 * i + 12, 86 + 16)); };
    QVERIFY(tint(0).red() > tint(0).blue() + 30);
    QVERIFY(tint(1).blue() > tint(1).red() + 30);
    QVERIFY(tint(2).green() > tint(2).red() + 30);
    QVERIFY(tint(3).red() > tint(3).blue() + 60 && tint(3).green() > tint(3).blue() + 20);
    QVERIFY(tint(4).blue() > tint(4).green() + 30 && tint(4).red() > tint(4).green() + 20);
}

void TstPlaatjes::freeIsLeesbaarOpGrijs()
{
    for (qreal schaal : {1.0, 2.0, 8.0}) {
        const QImage f = Plaatjes::free(schaal);
        QCOMPARE(f.size(), QSize(qRound(50 * schaal), qRound(40 * schaal)));
        // Grey all along the border.
        for (int x = 0; x < f.width(); ++x)
            for (int y : {0, f.height() - 1}) {
                const QColor c = f.pixel(x, y);
                QVERIFY(c.red() == c.green() && c.green() == c.blue() && c.red() > 120 && c.red() < 230);
            }
        // Black letters in the middle band, spread over its width.
        int donker = 0, links = f.width(), rechts = 0;
        for (int y = f.height() / 3; y < 2 * f.height() / 3; ++y)
            for (int x = 0; x < f.width(); ++x)
                if (helderheid(f.pixel(x, y)) < 60) {
                    ++donker;
                    links = std::min(links, x);
                    rechts = std::max(rechts, x);
                }
        QVERIFY(donker > 40 * schaal * schaal);
        QVERIFY(rechts - links > f.width() / 2);
    }
    // A nonsense scale gives the plain picture, not a huge or empty one.
    QCOMPARE(Plaatjes::free(0).size(), QSize(50, 40));
    QCOMPARE(Plaatjes::free(-3).size(), QSize(50, 40));
    QCOMPARE(Plaatjes::free(1e9).size(), QSize(50, 40));
}

void TstPlaatjes::vensterIcoonEnHand()
{
    const QIcon icoon = Plaatjes::vensterIcoon();
    QVERIFY(icoon.availableSizes().contains(QSize(16, 16)));
    QVERIFY(icoon.availableSizes().contains(QSize(256, 256)));
    const QImage groot = icoon.pixmap(64, 64).toImage();
    QCOMPARE(qAlpha(groot.pixel(0, 0)), 0);
    QVERIFY(qRed(groot.pixel(14, 40)) > 150);

    const QCursor hand = Plaatjes::hand();
    QCOMPARE(hand.shape(), Qt::BitmapCursor);
    const QImage beeld = hand.pixmap().toImage();
    QCOMPARE(beeld.deviceIndependentSize().toSize(), QSize(32, 32));
    // The hot spot is the finger tip: the finger right below it, nothing above or beside.
    const QPoint punt = hand.hotSpot();
    QVERIFY(punt.y() <= 2);
    QCOMPARE(qAlpha(beeld.pixel(punt.x(), punt.y() + 4)), 255);
    QCOMPARE(qAlpha(beeld.pixel(punt.x() + 10, punt.y() + 2)), 0);
}

void TstPlaatjes::achtergrondenLadenAlsPlaatje()
{
    const QDir map(QStringLiteral(ZORVAK_SOURCE_DIR) + QStringLiteral("/Backgrounds"));
    const QStringList bestanden =
        map.entryList({QStringLiteral("*.jpg"), QStringLiteral("*.bmp"), QStringLiteral("*.gif")}, QDir::Files);
    QVERIFY(bestanden.size() >= 3);
    QVERIFY(bestanden.contains(QStringLiteral("Background-01.jpg")));
    QSet<QString> soorten;
    for (const QString& naam : bestanden) {
        const QString pad = map.filePath(naam);
        QVERIFY2(QFileInfo(pad).size() < 1024 * 1024, qPrintable(naam));
        QImageReader lezer(pad);
        const QImage img = lezer.read();
        QVERIFY2(!img.isNull(), qPrintable(naam + QStringLiteral(": ") + lezer.errorString()));
        QVERIFY(img.width() >= 1024 && img.width() * 9 == img.height() * 16);
        soorten.insert(QFileInfo(naam).suffix());
        // Behind a dark board: not glaring. The mean brightness stays moderate.
        const QImage klein = img.scaled(64, 36, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        long som = 0;
        for (int y = 0; y < klein.height(); ++y)
            for (int x = 0; x < klein.width(); ++x)
                som += helderheid(klein.pixel(x, y));
        const long gemiddeld = som / (64 * 36);
        QVERIFY2(gemiddeld > 15 && gemiddeld < 150, qPrintable(naam));
    }
    QCOMPARE(QImageReader(map.filePath(QStringLiteral("Background-01.jpg"))).size(), QSize(1920, 1080));
    QVERIFY(soorten.contains(QStringLiteral("bmp")));
    QVERIFY(soorten.contains(QStringLiteral("gif")));
}

QTEST_MAIN(TstPlaatjes)
#include "tst_plaatjes.moc"
