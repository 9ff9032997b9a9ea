#include "common/plaatjes.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>
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

// Every corner of the picture has this colour.
bool hoekenZijn(const QImage& img, QRgb kleur)
{
    const int r = img.width() - 1, o = img.height() - 1;
    for (const QPoint& hoek : {QPoint(0, 0), QPoint(r, 0), QPoint(0, o), QPoint(r, o)})
        if ((img.pixel(hoek) & 0xffffff) != (kleur & 0xffffff)) return false;
    return true;
}
} // namespace

class TstPlaatjes : public QObject
{
    Q_OBJECT
private slots:
    void ballen_data();
    void ballen();
    void maten_data();
    void maten();
    void logo();
    void freeIsLeesbaarOpGrijs();
    void achtergrondenLadenAlsPlaatje();
};

void TstPlaatjes::ballen_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QColor>("verwacht");
    QTest::newRow("bal 1") << 1 << QColor(124, 65, 47);
    QTest::newRow("bal 4") << 4 << QColor(160, 160, 161);
    QTest::newRow("bal 8") << 8 << QColor(42, 2, 134);
}

// The sphere's mean colour within tolerance, the board's colour in the corners, lit from the
// upper left.
void TstPlaatjes::ballen()
{
    QFETCH(int, index);
    QFETCH(QColor, verwacht);
    for (qreal dpr : {1.0, 2.0})
        QVERIFY(hoekenZijn(Plaatjes::bal(index, dpr), qRgb(20, 20, 40)));
    const QImage bal = Plaatjes::bal(index, 1.0);
    const QColor g = gemiddelde(bal);
    QVERIFY2(std::abs(g.red() - verwacht.red()) <= 25 && std::abs(g.green() - verwacht.green()) <= 25 &&
                 std::abs(g.blue() - verwacht.blue()) <= 25,
             qPrintable(QStringLiteral("gemiddeld %1,%2,%3").arg(g.red()).arg(g.green()).arg(g.blue())));
    QVERIFY(helderheid(bal.pixel(20, 20)) > 215);
    QVERIFY(Plaatjes::bal(9).isNull());
}

void TstPlaatjes::maten_data()
{
    using Maker = std::function<QImage(qreal)>;
    QTest::addColumn<Maker>("maak");
    QTest::addColumn<QSize>("maat");
    QTest::addColumn<bool>("doorzichtig");
    QTest::addRow("help") << Maker(Plaatjes::helpKnop) << QSize(48, 48) << true;
    QTest::addRow("printer 32") << Maker([](qreal d) { return Plaatjes::printer(32, d); }) << QSize(32, 32) << true;
    QTest::addRow("logo") << Maker(Plaatjes::logo) << QSize(300, 182) << false;
    QTest::addRow("bal") << Maker([](qreal d) { return Plaatjes::bal(5, d); }) << QSize(60, 60) << false;
}

// The logical size at device pixel ratios 1 and 2; buttons transparent outside their shape.
void TstPlaatjes::maten()
{
    QFETCH(std::function<QImage(qreal)>, maak);
    QFETCH(QSize, maat);
    QFETCH(bool, doorzichtig);
    for (qreal dpr : {1.0, 2.0}) {
        const QImage img = maak(dpr);
        QCOMPARE(img.size(), maat * dpr);
        QCOMPARE(img.deviceIndependentSize().toSize(), maat);
    }
    const QImage img = maak(1.0);
    QVERIFY(img.pixel(img.width() / 2, img.height() / 2) != img.pixel(0, 0));
    if (doorzichtig) QCOMPARE(qAlpha(img.pixel(0, 0)), 0);
}

// The logo disappears into the help panel's background.
void TstPlaatjes::logo()
{
    for (qreal dpr : {1.0, 2.0})
        QVERIFY(hoekenZijn(Plaatjes::logo(dpr), qRgb(40, 20, 20)));
}

// Dark letters spread over the middle band, grey all along the border; a nonsense scale gives
// the plain picture.
void TstPlaatjes::freeIsLeesbaarOpGrijs()
{
    for (qreal schaal : {1.0, 8.0}) {
        const QImage f = Plaatjes::free(schaal);
        QCOMPARE(f.size(), QSize(qRound(50 * schaal), qRound(40 * schaal)));
        for (int x = 0; x < f.width(); ++x)
            for (int y : {0, f.height() - 1}) {
                const QColor c = f.pixel(x, y);
                QVERIFY(c.red() == c.green() && c.green() == c.blue() && c.red() > 120 && c.red() < 230);
            }
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
    QCOMPARE(Plaatjes::free(0).size(), QSize(50, 40));
    QCOMPARE(Plaatjes::free(1e9).size(), QSize(50, 40));
}

void TstPlaatjes::achtergrondenLadenAlsPlaatje()
{
    const QDir map(QStringLiteral(ZORVAK_SOURCE_DIR) + QStringLiteral("/Backgrounds"));
    const QStringList bestanden =
        map.entryList({QStringLiteral("*.jpg"), QStringLiteral("*.bmp"), QStringLiteral("*.gif")}, QDir::Files);
    QVERIFY(bestanden.size() >= 3);
    QVERIFY(bestanden.contains(QStringLiteral("Background-01.jpg")));
    for (const QString& naam : bestanden) {
        const QString pad = map.filePath(naam);
        QVERIFY2(QFileInfo(pad).size() < 1024 * 1024, qPrintable(naam));
        QImageReader lezer(pad);
        QVERIFY2(!lezer.read().isNull(), qPrintable(naam + QStringLiteral(": ") + lezer.errorString()));
    }
}

QTEST_MAIN(TstPlaatjes)
#include "tst_plaatjes.moc"
