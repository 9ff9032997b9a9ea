// Checking a card from the main screen: key K or the bar's button asks for the number and the
// card shows on the stage with the drawn balls of the game and its verdict; a number the
// register lacks gets a message.

#include "testhulp.h"

#include "core/game/roeper.h"
#include "core/game/spel.h"
#include "widgets/cards/kaartcontrole.h"
#include "widgets/common/doek.h"
#include "widgets/common/plaatjeknop.h"

#include <QtTest>

class TestKaartControle : public QObject
{
    Q_OBJECT
private slots:
    void controleer()
    {
        TestHulp::Opstelling o;
        KaartRegister reg(KaartRegister::padIn(o.map.path()));
        VasteToeval toeval(3);
        QVERIFY(reg.registreer(KaartSoort::Bingo75, QStringLiteral("A"), 1, toeval));
        const RegisterKaart kaart = *reg.kaart(QStringLiteral("A"), 4);
        reg.sluit();
        QString gevraagd = QStringLiteral("4");
        KaartControle::vraagHaak() = [&](QWidget*) { return Avond::KaartVraag{gevraagd, 1}; };
        o.main().show();
        QVERIFY(QTest::qWaitForWindowExposed(&o.main()));

        // The first row of the card drawn: a Bingo on row 1, the rest still missing.
        Spel::Stand stand{75, 1, 1, {}};
        for (int k = 0; k < 5; ++k)
            stand.ballen << Spel::Bal{kaart.getallen[k], QDateTime::currentDateTime()};
        o.model().herstel(stand);
        QTest::keyClick(o.main().Pic, Qt::Key_K);
        KaartControle* scherm = o.main().KaartControleScherm;
        QVERIFY(scherm->isVisible());
        QCOMPARE(scherm->kaart().nummer, 4);
        QVERIFY2(scherm->uitslag().oordeel.startsWith(QStringLiteral("BINGO: rij 1")),
                 qPrintable(scherm->uitslag().oordeel));
        // No ball is called by itself while the hall looks at the card; K again puts it away.
        QVERIFY(o.main().avond().roeper().gepauzeerd(Roeper::Controle));
        o.main().controleerKaart();
        QVERIFY(!scherm->isVisible());
        QVERIFY(!o.main().avond().roeper().gepauzeerd(Roeper::Controle));

        gevraagd = QStringLiteral("A-99");
        o.main().KnopPic->ControleKnop->click();
        QVERIFY(!scherm->isVisible());
        QCOMPARE(Melding::neemGetoond().value(0).tekst,
                 QStringLiteral("Kaart A-0099 staat niet in het kaartregister."));
    }
};

QTEST_MAIN(TestKaartControle)
#include "tst_kaartcontrole.moc"
