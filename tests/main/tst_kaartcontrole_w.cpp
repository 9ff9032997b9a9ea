// Checking a card from the main screen: key K or the bar's button asks for the number and the
// card shows on the stage with the drawn balls of the game and its verdict, by the evening's
// pattern when one is set and for the Kien rows asked for; a bare number is of the series printed
// last; a number the register lacks gets a message; the check never changes a file.

#include "testhulp.h"

#include "common/doek_w.h"
#include "common/plaatjeknop_w.h"
#include "common/spel.h"
#include "main/kaartcontrole_w.h"
#include "main/roeper.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
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
        // Printed last, though B sorts after it and runs to higher numbers.
        const auto druk = [&](KaartSoort soort, const char* serie, int paginas) {
            const auto reeks = reg.registreer(soort, QString::fromLatin1(serie), paginas, toeval);
            return reeks && reg.bevestig(*reeks, reeks->laatste()) && reg.rondAf(*reeks);
        };
        QVERIFY(druk(KaartSoort::Bingo75, "B", 2) && druk(KaartSoort::Kien, "K", 1) && druk(KaartSoort::Bingo75, "A", 1));
        const RegisterKaart kaart = *reg.kaart(QStringLiteral("A"), 4), kien = *reg.kaart(QStringLiteral("K"), 1);
        reg.sluit();
        QString gevraagd = QStringLiteral("4");
        const auto dialoog = KaartControle::vraagHaak();
        KaartControle::vraagHaak() = [&](QWidget*) { return KaartControle::Vraag{gevraagd, 1}; };
        o.main().show();
        QVERIFY(QTest::qWaitForWindowExposed(&o.main()));

        // The first row of the card drawn: a Bingo on row 1, the rest still missing.
        Spel::Stand stand{75, 1, 1, {}};
        for (int k = 0; k < 5; ++k)
            stand.ballen << Spel::Bal{kaart.getallen[k], QDateTime::currentDateTime()};
        o.spel.herstel(stand);
        QTest::keyClick(o.main().Pic, Qt::Key_K);
        KaartControle* scherm = o.main().KaartControleScherm;
        QVERIFY(scherm->isVisible());
        QCOMPARE(KaartNummer::tekst(scherm->kaart().serie, scherm->kaart().nummer), QStringLiteral("A-0004"));
        QVERIFY2(scherm->uitslag().oordeel.startsWith(QStringLiteral("BINGO: rij 1")),
                 qPrintable(scherm->uitslag().oordeel));
        // With the four corners as the evening's pattern, a full row is not enough.
        o.main().controleerKaart();
        for (int vak : {1, 5, 21, 25})
            o.alg.KaartPatroon[vak] = 1;
        QTest::keyClick(o.main().Pic, Qt::Key_K);
        QCOMPARE(scherm->uitslag().oordeel, QStringLiteral("Geen bingo: het patroon is nog niet vol"));
        // No ball is called by itself while the hall looks at the card; K again puts it away.
        QVERIFY(o.main().roeper().gepauzeerd(Roeper::Controle));
        o.main().controleerKaart();
        QVERIFY(!scherm->isVisible());
        QVERIFY(!o.main().roeper().gepauzeerd(Roeper::Controle));

        gevraagd = QStringLiteral("A-99");
        o.main().ControleKnop->click();
        QVERIFY(!scherm->isVisible());
        QCOMPARE(Melding::neemGetoond().value(0).tekst,
                 QStringLiteral("Kaart A-0099 staat niet in het kaartregister."));

        // A Kien card with its top row drawn, asked in the dialog for two full rows.
        stand = {90, 1, 2, {}};
        for (int n : kien.getallen.mid(0, 9))
            if (n) stand.ballen << Spel::Bal{n, QDateTime::currentDateTime()};
        o.spel.herstel(stand);
        KaartControle::vraagHaak() = dialoog;
        QTimer::singleShot(0, [] {
            auto* vraag = qobject_cast<KaartVraag*>(QApplication::activeModalWidget());
            if (!vraag) return;
            vraag->NummerTekst->setText(QStringLiteral("K-1"));
            vraag->RijenKeuze->setCurrentIndex(1);
            vraag->findChild<QPushButton*>(QStringLiteral("OkKnop"))->click();
        });
        o.main().controleerKaart();
        QCOMPARE(scherm->uitslag().oordeel, QStringLiteral("Geen kien: 1 rij (nodig: 2 rijen)"));
    }

    // The check on the stage only reads: a file in the register's place that is no register of
    // ours is said and left as it is, and a missing register is not made.
    void alleenLezen()
    {
        TestHulp::Opstelling o;
        const QString pad = KaartRegister::padIn(o.map.path());
        KaartControle::vraagHaak() = [](QWidget*) { return KaartControle::Vraag{QStringLiteral("A-1"), 1}; };
        o.main().controleerKaart();
        QVERIFY(Melding::neemGetoond().value(0).tekst.startsWith(QStringLiteral("Er zijn nog geen genummerde")));
        QVERIFY(!QFileInfo::exists(pad));
        QVERIFY(TestHulp::schrijfBestand(pad, "van iemand anders"));
        o.main().controleerKaart();
        QVERIFY(Melding::neemGetoond().value(0).tekst.contains(QStringLiteral("geen kaartregister van Zorvak")));
        QCOMPARE(QDir(o.map.path()).entryList({QStringLiteral("Kaartregister*")}), QStringList{"Kaartregister.db"});
        QCOMPARE(TestHulp::leesBestand(pad), QByteArray("van iemand anders"));
    }
};

QTEST_MAIN(TestKaartControle)
#include "tst_kaartcontrole_w.moc"
