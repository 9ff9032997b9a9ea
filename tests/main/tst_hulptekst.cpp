// The help text and the screen resolution, without any window. The full information text is
// checked on the window, in the command bar's tests.
#include "main/hulptekst.h"

#include <QtTest>

class TstHulpTekst : public QObject
{
    Q_OBJECT
private slots:
    void resolutie_data()
    {
        QTest::addColumn<double>("dpi");
        QTest::addColumn<double>("verhouding");
        QTest::addColumn<int>("verwacht");
        QTest::newRow("125 % by scale") << 96.0 << 1.25 << 120;
        QTest::newRow("125 % by dpi") << 120.0 << 1.0 << 120;
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

};

QTEST_GUILESS_MAIN(TstHulpTekst)
#include "tst_hulptekst.moc"
