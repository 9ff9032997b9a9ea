// The two-screen mode, on a laptop screen (primary) with a projector beside it: which window
// goes where, what the hall sees, where questions, dialogs and checked cards show, keys in
// either window, a screen unplugged and plugged in again mid-game, and the choice of screen kept.
#include "core/game/roeper.h"
#include "core/screen/schermkeuze.h"
#include "core/web/webvoeding.h"
#include "opname.h"
#include "testhulp.h"
#include "widgets/cards/kaartcontrole.h"
#include "widgets/common/doek.h"
#include "widgets/common/plaatjeknop.h"
#include "widgets/common/scaninvoer.h"
#include "widgets/game/dialogen.h"
#include "widgets/screen/organisator.h"
#include "widgets/screen/tweeschermen.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QtTest>

class TstTweeSchermen : public QObject
{
    Q_OBJECT

    static QScreen* scherm(const char* naam)
    {
        for (QScreen* s : QGuiApplication::screens())
            if (s->name() == QLatin1String(naam)) return s;
        return nullptr;
    }

private slots:
    void initTestCase() { QCOMPARE(QGuiApplication::screens().size(), 2); }

    // The stage fills the projector without a pointer; the organiser's window, the questions
    // and the dialogs are on the laptop; keys there draw balls.
    void zaalEnOrganisator()
    {
        TestHulp::Opstelling o;
        Main& m = o.main();
        TweeSchermen t(m, o.avond());
        t.pasToe();
        QVERIFY(t.tweeSchermen());
        QCOMPARE(m.geometry(), scherm("Projector")->geometry());
        QVERIFY(m.Pic->width() >= 1300);
        QCOMPARE(m.cursor().shape(), Qt::BlankCursor);
        QCOMPARE(m.KnopPic->Knop[Opdrachtbalk::KnopStart]->cursor().shape(), Qt::BlankCursor);
        Organisator* org = t.organisator();
        QVERIFY(org->isVisible());
        QCOMPARE(org->screen(), scherm("Laptop"));

        Melding::zetVolgendAntwoord(true);
        org->findChild<QPushButton*>(QStringLiteral("OrgStart"))->click();
        const auto getoond = Melding::neemGetoond();
        QCOMPARE(getoond.size(), 1);
        QCOMPARE(getoond[0].ouder, org);
        QTest::keyClick(org, Qt::Key_Space);
        QTest::keyClick(org, Qt::Key_Space);
        org->TrekKnop->click();
        QCOMPARE(m.KnopPic->Combo1->count(), 3);
        QCOMPARE(org->TellerLabel->text(), QStringLiteral("Bal : 3 / 75"));
        // K and the button there ask for a card to check, on the laptop.
        QList<QWidget*> gevraagd;
        KaartControle::vraagHaak() = [&](QWidget* w) {
            gevraagd << w;
            return std::optional<Avond::KaartVraag>();
        };
        QVERIFY(org->ControleKnop->isVisible());
        QTest::keyClick(org, Qt::Key_K);
        org->ControleKnop->click();
        QCOMPARE(gevraagd.size(), 2);
        QVERIFY(!m.avond().roeper().gepauzeerd(Roeper::Controle));
        // F1 there opens the help as its Help button does, and closes it again.
        QTest::keyClick(org, Qt::Key_F1);
        QVERIFY(!m.HelpPic->isHidden());
        QTest::keyClick(org, Qt::Key_F1);
        QVERIFY(m.HelpPic->isHidden());

        // The hall sees the game without the controls, unless the organiser wants the bar there.
        QVERIFY(m.KnopPic->isHidden() && m.Image1->isHidden() && !m.KlokLabel->isHidden());
        org->BalkKeuze->click();
        QVERIFY(!m.KnopPic->isHidden() && !m.Image1->isHidden());
        org->BalkKeuze->click();
        QVERIFY(m.KnopPic->isHidden());
        QCOMPARE(org->SchermLijst->itemText(1), QStringLiteral("Projector (1920 x 1080)"));
        const QList<SchermKeuze::Scherm> twee = {{"HDMI-1", false, "DELL", "U2720Q", {3840, 2160}},
                                                 {"HDMI-2", false, "Dell", "DELL U2720Q", {3840, 2160}}};
        QCOMPARE(SchermKeuze::teksten(twee),
                 QStringList({"DELL U2720Q (3840 x 2160), scherm 1", "DELL U2720Q (3840 x 2160), scherm 2"}));

        // A checked card shows on both screens, with the same verdict; a click on either puts
        // both away.
        QVERIFY(m.avond().instellingen().zetWeergave({true, true, false}));
        for (int i = 0; i < 5; ++i)
            org->TrekKnop->click();
        // The screenshot script takes its pictures of the two screens here.
        const QString map = qEnvironmentVariable("ZORVAK_SCHERMAFDRUKKEN");
        if (!map.isEmpty()) m.grab().save(map + QStringLiteral("/schermafdruk-twee-zaal.png"));
        VasteToeval kans(7);
        QVERIFY(!TestHulp::drukKaarten(o.map.path(), KaartSoort::Bingo75, "A", 1, kans).isEmpty());
        o.zetKaartVraag(QStringLiteral("3"), 1);
        org->ControleKnop->click();
        QVERIFY(!m.KaartControleScherm->isHidden() && org->KaartScherm->isVisible());
        if (!map.isEmpty()) org->grab().save(map + QStringLiteral("/schermafdruk-twee-organisator.png"));
        QVERIFY(!o.kaartOordeel().isEmpty());
        QCOMPARE(org->KaartScherm->uitslag().oordeel, o.kaartOordeel());
        QCOMPARE(org->KaartScherm->geometry(), org->Spiegel->rect());
        QTest::mouseClick(org->KaartScherm, Qt::LeftButton);
        QVERIFY(m.KaartControleScherm->isHidden() && org->KaartScherm->isHidden());
        QVERIFY(!m.avond().kaartInBeeld());
        // A code scanned in the organiser's window shows its card on both screens, no ball drawn.
        const auto ballen = m.avond().spel().ballen().size();
        QTest::qWait(2 * ScanHerkenner::tussenpoos); // the keys before are no part of the scan
        QTest::keyClicks(org, QStringLiteral("A-0002"));
        QTest::keyClick(org, Qt::Key_Return);
        QTRY_VERIFY(org->KaartScherm->isVisible() && !m.KaartControleScherm->isHidden());
        QCOMPARE(org->KaartScherm->kaart().nummer, 2);
        QCOMPARE(m.avond().spel().ballen().size(), ballen);
        QTest::mouseClick(org->KaartScherm, Qt::LeftButton);

        QWidget* ouder = nullptr;
        QRect plek;
        TestHulp::metDialoog([org] { org->findChild<QPushButton*>(QStringLiteral("OrgInstellingen"))->click(); },
                             [&](QWidget* d) { ouder = d->parentWidget(), plek = d->geometry(); });
        QCOMPARE(ouder, org);
        QVERIFY(scherm("Laptop")->geometry().contains(plek.center()));
    }

    // The projector unplugged mid-game: the stage comes back on the laptop, as with one
    // screen, with the game as it was; plugged in again, the two-screen mode returns. The
    // organiser may put the stage on the laptop instead; the choice is kept beside Zorvak.ini
    // and holds at the next start.
    void beamerErUitEnWeerIn()
    {
        TestHulp::Opstelling o;
        Main& m = o.main();
        {
            TweeSchermen t(m, o.avond());
            t.pasToe();
            m.avond().NieuwSpel();
            for (int i = 0; i < 4; ++i)
                m.avond().trekAlsKlaar();
            const Spel::Stand getrokken = o.model().stand();

            t.zetSchermenBron([] { return QList<QScreen*>{scherm("Laptop")}; });
            t.pasToe();
            QVERIFY(!t.tweeSchermen());
            QCOMPARE(m.geometry(), scherm("Laptop")->geometry());
            QCOMPARE(m.schaal(), 1.0);
            QCOMPARE(m.cursor().shape(), Qt::ArrowCursor);
            QVERIFY(!m.KnopPic->isHidden());
            Melding::zetVolgendAntwoord(false);
            m.close();
            QCOMPARE(Melding::neemGetoond().value(0).ouder, &m);

            t.zetSchermenBron([] { return QGuiApplication::screens(); });
            t.pasToe();
            QVERIFY(t.tweeSchermen());
            QCOMPARE(m.geometry(), scherm("Projector")->geometry());
            QVERIFY(o.model().stand() == getrokken);
            QCOMPARE(m.KnopPic->Combo1->count(), 4);

            QComboBox* lijst = t.organisator()->SchermLijst;
            QCOMPARE(lijst->itemText(0), QStringLiteral("Laptop (1024 x 768)"));
            emit lijst->activated(0);
            QCOMPARE(m.geometry(), scherm("Laptop")->geometry());
            QCOMPARE(t.organisator()->screen(), scherm("Projector"));
            // Another setting saved afterwards keeps the choice in the file.
            QVERIFY(m.avond().roeper().zetInstellingen(m.avond().roeper().instellingen()));
        }
        TweeSchermen opnieuw(m, o.avond());
        opnieuw.pasToe();
        QCOMPARE(m.geometry(), scherm("Laptop")->geometry());
        QVERIFY(TestHulp::leesBestand(o.map.filePath(QStringLiteral("Zorvak-extra.ini"))).contains("Laptop"));
    }

    // An evening by its programme in the organiser's window: started there, balls from a real
    // drum typed in there, the current stage marked in the list, a winning card confirmed with
    // the button and taken back, and the report of the evening written from there.
    // With the board on the network, the organiser's window names its address and tells how
    // the players follow their own cards there; switched off, it says nothing.
    void webInOrganisator()
    {
        TestHulp::Opstelling o;
        TweeSchermen t(o.main(), o.avond());
        t.pasToe();
        QVERIFY(o.avond().web().zet({true, 0}, false));
        const QString tekst = t.organisator()->WebLabel->text();
        const QStringList adressen = o.avond().web().adressen();
        if (adressen.isEmpty())
            QVERIFY2(tekst.contains(QStringLiteral("127.0.0.1")), qPrintable(tekst));
        else
            QVERIFY2(tekst.contains(adressen.first()) && tekst.contains(WebVoeding::kaartenUitleg), qPrintable(tekst));
        QVERIFY(t.organisator()->WebLabel->isVisible());
        QVERIFY(o.avond().web().zet({false, 0}, false));
        QVERIFY(!t.organisator()->WebLabel->isVisible());
    }

    void programmaInOrganisator()
    {
        TestHulp::Opstelling o({}, true, true);
        Main& m = o.main();
        TweeSchermen t(m, o.avond());
        t.pasToe();
        Organisator* org = t.organisator();
        QVERIFY(org->ProgrammaLijst->isHidden() && org->StartProgrammaKnop->isHidden());
        QVERIFY(org->ProgrammaKnop->isVisible() && org->VerslagKnop->isVisible());
        VasteToeval kans(3);
        const RegisterKaart kaart = TestHulp::drukKaarten(o.map.path(), KaartSoort::Kien, "A", 1, kans).value(1);
        AvondProgramma p;
        p.rondes = {
            {AvondProgramma::Soort::Kienen, AvondProgramma::standaardFasen(AvondProgramma::Soort::Kienen), {}, 0}};
        p.rondes[0].fasen[0].bedrag = 1000;
        QVERIFY(o.avond().programma().zet(p));
        QVERIFY(o.avond().instellingen().zetHandmatig(true));
        QVERIFY(org->ProgrammaLijst->isVisible());
        Melding::zetVolgendAntwoord(true);
        org->StartProgrammaKnop->click();
        QCOMPARE(o.model().aantalBallen(), 90);
        QCOMPARE(org->StartProgrammaKnop->text(), QStringLiteral("Programma stoppen"));
        const auto gemarkeerd = [org] {
            for (int i = 0; i < org->ProgrammaLijst->count(); ++i)
                if (org->ProgrammaLijst->item(i)->text().startsWith(QStringLiteral("▶ ")))
                    return org->ProgrammaLijst->item(i)->text();
            return QString();
        };
        QCOMPARE(gemarkeerd(), QStringLiteral("▶ 1 rij · € 10"));

        // The first row of the card, typed in the organiser's window with quick fingers: every
        // key a scanner's few milliseconds after the one before, and still each ball whole.
        {
            TestHulp::ScanKlok klok(3);
            for (int n : kaart.getallen.mid(0, 9) + QList<int>{95}) {
                if (n == 0) continue;
                QTest::keyClicks(org, QString::number(n));
                QTest::keyClick(org, Qt::Key_Return);
            }
        }
        QCOMPARE(o.model().ballen().size(), 5);
        // A Kien round: the last ball by its number alone.
        QCOMPARE(org->LaatsteLabel->text(), QString::number(o.model().laatste()));
        QVERIFY(org->Strook->text().contains(QStringLiteral("95 hoort niet bij dit spel")));
        for (QLabel* l : m.findChildren<QLabel*>())
            QVERIFY2(!l->isVisibleTo(&m) || !l->text().contains(QStringLiteral("95")), qPrintable(l->objectName()));
        QVERIFY(!org->WinnaarKnop->isEnabled());
        o.zetKaartVraag(QStringLiteral("A-0002"), 1);
        org->ControleKnop->click();
        QVERIFY(org->WinnaarKnop->isEnabled());
        QCOMPARE(org->KaartScherm->faseTekst(), QStringLiteral("Ronde 1 · 1 rij · € 10: wint"));
        QCOMPARE(m.KaartControleScherm->faseTekst(), org->KaartScherm->faseTekst());
        // What is for the organiser stays in the organiser's window: F9 under the card there, the
        // marker of balls by hand in its strip; the hall's stage has no strip and no hint.
        QCOMPARE(org->KaartScherm->hint(),
                 OrganisatorTekst::f9Hint() + QLatin1Char(' ') + OrganisatorTekst::terugHint());
        QVERIFY(m.KaartControleScherm->hint().isEmpty() && m.Strook->isHidden());
        QVERIFY(org->Strook->isVisible() && org->Strook->text().startsWith(QStringLiteral("Handmatig trekken")));
        const QString map = qEnvironmentVariable("ZORVAK_SCHERMAFDRUKKEN");
        if (!map.isEmpty()) org->grab().save(map + QStringLiteral("/schermafdruk-twee-programma.png"));
        org->WinnaarKnop->click();
        QCOMPARE(o.avond().programma().winnaars().size(), 1);
        QCOMPARE(gemarkeerd(), QStringLiteral("▶ 2 rijen"));
        QVERIFY(org->ProgrammaLijst->item(1)->text().endsWith(QStringLiteral("→ A-0002 (5e bal)")));
        QCOMPARE(m.ProgrammaLabel->text(), QStringLiteral("Ronde 1 · 2 rijen"));
        QVERIFY(!org->WinnaarKnop->isEnabled());
        QCOMPARE(org->KaartScherm->faseTekst(), QStringLiteral("Winnaar A-0002 bevestigd. Nu: Ronde 1 · 2 rijen"));
        QTest::mouseClick(org->KaartScherm, Qt::LeftButton);
        if (!map.isEmpty()) m.grab().save(map + QStringLiteral("/schermafdruk-programma-zaal.png"));
        Melding::zetVolgendAntwoord(true);
        org->WinnaarTerugKnop->click();
        QVERIFY(o.avond().programma().winnaars().isEmpty());
        QCOMPARE(gemarkeerd(), QStringLiteral("▶ 1 rij · € 10"));
        // F9 on the stage, where the card shows, confirms it as well.
        org->ControleKnop->click();
        QTest::keyClick(m.KaartControleScherm, Qt::Key_F9);
        QCOMPARE(o.avond().programma().winnaars().size(), 1);

        // The report, where the organiser chose to keep it.
        const QString pdf = o.map.filePath(QStringLiteral("verslag.pdf"));
        QList<QWidget*> gevraagd;
        Dialogen::verslagHaak() = [&](QWidget* w) {
            gevraagd << w;
            return pdf;
        };
        Melding::neemGetoond();
        org->VerslagKnop->click();
        QCOMPARE(gevraagd, QList<QWidget*>({org}));
        const auto getoond = Melding::neemGetoond();
        QVERIFY(!getoond.isEmpty() && getoond.last().tekst.contains(QStringLiteral("is bewaard als")));
        QVERIFY(TestHulp::leesBestand(pdf).startsWith("%PDF-"));

        // A programme changed mid-evening starts afresh from its first stage, without the winners
        // of the one before; a card shown before the change confirms nothing.
        o.zetKaartVraag(QStringLiteral("A-0002"), 1);
        org->ControleKnop->click();
        AvondProgramma kort;
        kort.rondes = {{AvondProgramma::Soort::Kienen, {p.rondes[0].fasen[2]}, {}, 0}};
        QVERIFY(o.avond().programma().zet(kort));
        QVERIFY(o.avond().programma().winnaars().isEmpty() && !o.avond().bevestigWinnaar());
        QCOMPARE(gemarkeerd(), QStringLiteral("▶ volle kaart"));
    }

    // The programme list at its narrowest: a long prize gives way, so every amount shows whole;
    // with room enough, the whole line shows.
    void programmaLijstSmal()
    {
        TestHulp::Opstelling o;
        TweeSchermen t(o.main(), o.avond());
        t.pasToe();
        Organisator* org = t.organisator();
        const QString taart = QStringLiteral("Een grote slagroomtaart van de bakker op de hoek van de Dorpsstraat");
        AvondProgramma p;
        p.rondes = {
            {AvondProgramma::Soort::Kienen, AvondProgramma::standaardFasen(AvondProgramma::Soort::Kienen), {}, 0}};
        for (AvondProgramma::Fase& f : p.rondes[0].fasen)
            f.prijs = taart, f.bedrag = 45000;
        p.rondes[0].fasen[2].prijs.clear();
        QVERIFY(o.avond().programma().zet(p));
        o.avond().startProgramma();
        // The lines as the list paints them: the pieces on one baseline, left to right.
        const auto geschilderd = [org] {
            const Opname::Pagina pagina =
                Opname::neemOp([org](QPainter& p) { org->ProgrammaLijst->viewport()->render(&p); });
            QMap<int, QMap<qreal, QString>> lijnen;
            for (const Opname::Tekst& t : pagina.teksten)
                lijnen[qRound(t.basis.y())][t.basis.x()] += t.tekst;
            QStringList uit;
            for (const auto& lijn : lijnen)
                uit << QStringList(lijn.values()).join(QString()).trimmed();
            return uit;
        };
        for (const int breedte : {260, 330}) {
            org->ProgrammaLijst->setFixedWidth(breedte);
            QTRY_COMPARE(org->ProgrammaLijst->width(), breedte);
            const QStringList lijnen = geschilderd();
            QCOMPARE(lijnen.size(), 4);
            for (int i : {1, 2})
                QVERIFY2(lijnen[i].startsWith(i == 1 ? "▶ 1 rij · Een" : "2 rijen · Een") &&
                             lijnen[i].endsWith(QStringLiteral("… (€ 450)")),
                         qPrintable(lijnen[i]));
            QCOMPARE(lijnen[3], QStringLiteral("volle kaart · € 450"));
        }
        org->ProgrammaLijst->setFixedWidth(1000);
        QTRY_COMPARE(org->ProgrammaLijst->width(), 1000);
        QCOMPARE(geschilderd().value(2), QStringLiteral("2 rijen · %1 (€ 450)").arg(taart));
    }
};

QTEST_MAIN(TstTweeSchermen)
#include "tst_tweeschermen.moc"
