// The help text and the screen-information text, without any window.
#include "main/hulptekst.h"

#include <QtTest>

class TstHulpTekst : public QObject
{
    Q_OBJECT
private slots:
    // At 96 dpi on a 1024 x 768 screen the box reads exactly these seven lines, CR LF between.
    void informatie1024()
    {
        const QString verwacht = QStringLiteral("Schermresolutie... : 96 Dpi (Dots / Inch)\r\n"
                                                "Schermgrootte..... : 1024 x 768 Pixels\r\n"
                                                "------------------------------------------\r\n"
                                                "Is de Schermresolutie ongelijk als 96 Dpi,\r\n"
                                                "kijk dan vervolgens voor het wijzigen\r\n"
                                                "van de Schermresolutie voor de versies\r\n"
                                                "Windows XP en Windows 7.");
        QCOMPARE(HulpTekst::schermInformatie(96, 1024, 768), verwacht);
        QCOMPARE(HulpTekst::schermInformatie(96, 1024, 768).split(QStringLiteral("\r\n")).at(2).size(), 42);
    }

    void resolutie_data()
    {
        QTest::addColumn<double>("dpi");
        QTest::addColumn<double>("verhouding");
        QTest::addColumn<int>("verwacht");
        QTest::newRow("100 %") << 96.0 << 1.0 << 96;
        QTest::newRow("125 % by scale") << 96.0 << 1.25 << 120;
        QTest::newRow("125 % by dpi") << 120.0 << 1.0 << 120;
        QTest::newRow("150 %") << 96.0 << 1.5 << 144;
        QTest::newRow("odd dpi rounds") << 97.6 << 1.0 << 98;
        QTest::newRow("no screen") << 0.0 << 1.0 << 0;
    }
    // 1440 over the twips per real pixel, rounded; a nonsense screen gives 0, not a crash.
    void resolutie()
    {
        QFETCH(double, dpi);
        QFETCH(double, verhouding);
        QFETCH(int, verwacht);
        QCOMPARE(HulpTekst::resolutie(dpi, verhouding), verwacht);
    }

    // Fifteen lines top to bottom: twelve grey, the two links blue beside their icons, the
    // closing line cyan.
    void regels()
    {
        const auto& r = HulpTekst::regels();
        QCOMPARE(int(r.size()), 15);
        for (size_t i = 1; i < r.size(); ++i)
            QVERIFY(r[i].y > r[i - 1].y);
        for (size_t i = 0; i < 12; ++i) {
            QCOMPARE(r[i].kleur, QColor(170, 170, 170));
            QCOMPARE(r[i].x, 600);
        }
        QCOMPARE(r[12].kleur, QColor(150, 150, 250));
        QCOMPARE(r[12].x, 1380);
        QCOMPARE(r[12].y, 6810);
        QCOMPARE(r[13].y, 7620);
        QCOMPARE(r[14].kleur, QColor(100, 250, 250));
        QCOMPARE(r[14].y, 8400);
        QVERIFY(r[0].tekst.startsWith(QStringLiteral("Welkom bij deze nieuwe versie van Zorvak.")));
        for (const auto& regel : r)
            QVERIFY(!regel.tekst.contains(QLatin1Char('\n')));
    }
};

QTEST_GUILESS_MAIN(TstHulpTekst)
#include "tst_hulptekst.moc"
