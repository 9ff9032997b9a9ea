// The settings dialogs on a real main window: the configuration dialog (what it shows when it
// opens, what each control stores and when, Ok and Cancel), the dialog "Extra" reached from it
// (what Ok keeps in Zorvak-extra.ini, without any speech engine too) and the card pattern
// editor (presses on the large card, Ok and Cancel, seen on both cards and on the button), and
// the programme of the evening (its dialog, the limits' warning, import and export, kept from Extra).
#include "core/cards/kaartpatroon.h"
#include "core/screen/plaatjes.h"
#include "core/settings/extrainstellingen.h"
#include "core/settings/webinstelling.h"
#include "core/web/webvoeding.h"
#include "opnamestem.h"
#include "testhulp.h"
#include "widgets/common/doek.h"
#include "widgets/common/plaatjeknop.h"
#include "widgets/common/stijl.h"
#include "widgets/game/dialogen.h"
#include "widgets/game/webscherm.h"
#include "widgets/settings/config.h"
#include "widgets/settings/extra.h"
#include "widgets/settings/layout.h"
#include "widgets/settings/programmadialoog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTableWidget>
#include <QTcpServer>
#include <QTest>
#include <QToolButton>

using namespace PatroonKaart;

namespace
{
QColor midden(QWidget* w)
{
    return w->grab().toImage().pixelColor(w->width() / 2, w->height() / 2);
}
// The sphere of a ball picture below its highlight, where its own colour shows.
QColor balKleur(const QImage& b)
{
    return b.pixelColor(b.width() / 2, b.height() * 3 / 4);
}
QColor balKleur(QLabel* voorbeeld)
{
    return balKleur(voorbeeld->pixmap().toImage());
}
// A press on the pattern editor's large card at a point in twips.
void druk(Layout& dlg, QPoint twips, Qt::MouseButton knop = Qt::LeftButton)
{
    QTest::mouseClick(dlg.Picture1, knop, Qt::NoModifier, twips / 15);
}
// The colour in the middle of cell k's mark, on the large and on the small card.
QColor groot(Layout& dlg, int k)
{
    const QPoint p = markering(k).center();
    return dlg.Picture1->pixel(p.x(), p.y());
}
QColor klein(Layout& dlg, int k)
{
    const QPoint p = kleinMarkering(k).center();
    return dlg.Pic->pixel(p.x(), p.y());
}
template <typename Dialoog> std::unique_ptr<Dialoog> getoond(std::unique_ptr<Dialoog> dlg)
{
    dlg->show();
    if (!QTest::qWaitForWindowExposed(dlg.get())) return nullptr;
    return dlg;
}
} // namespace

class TstConfig : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestHulp::Opstelling> m_op;
    OpnameStem* m_stem = nullptr;

    Main& hoofd() { return m_op->main(); }
    Algemeen& alg() { return m_op->main().avond().instellingen().algemeen(); }
    std::unique_ptr<Config> open() { return getoond(hoofd().dialogen().maakConfig()); }
    std::unique_ptr<Layout> openLayout() { return getoond(hoofd().dialogen().maakLayout()); }
    const auto& patroon() { return hoofd().avond().spel().patroon(); }
    QImage knopBeeld()
    {
        return hoofd().KnopPic->Knop[Opdrachtbalk::KnopLayout]->plaatje().convertToFormat(QImage::Format_RGB32);
    }
    RoepInstellingen bewaard() { return RoepInstellingen::lees(ExtraInstellingen(m_op->map.path())); }

    // Opens "Extra" with its button in the configuration dialog and hands it to `doe`.
    void viaConfig(const std::function<void(Extra&)>& doe)
    {
        auto dlg = hoofd().dialogen().maakConfig();
        Config& config = *dlg;
        QTimer::singleShot(0, &config, [&] {
            QTimer::singleShot(0, &config, [&] {
                auto* extra = qobject_cast<Extra*>(QApplication::activeModalWidget());
                if (extra) doe(*extra);
                if (extra && extra->isVisible()) extra->reject();
                config.reject();
            });
            config.ExtraKnop->click();
        });
        config.exec();
    }

private slots:
    void initTestCase() { zetProgrammaStijl(); }

    void init()
    {
        m_op = std::make_unique<TestHulp::Opstelling>(QByteArray(), false);
        m_stem = OpnameStem::zetIn(hoofd().avond().roeper());
        hoofd().show();
        QVERIFY(QTest::qWaitForWindowExposed(&hoofd()));
        Melding::neemGetoond();
    }

    void cleanup()
    {
        QVERIFY2(Melding::neemGetoond().isEmpty(), "the dialog showed no message");
        m_op.reset();
    }

    void openen_data()
    {
        QTest::addColumn<int>("ballen");
        QTest::newRow("75 stored") << 75;
        QTest::newRow("90 stored") << 90;
    }
    // The stored values show; Ok without a change keeps them, the ball count included.
    void openen()
    {
        QFETCH(int, ballen);
        alg().AantalBallen = static_cast<std::uint8_t>(ballen);
        auto dlg = open();
        QVERIFY(dlg);
        QCOMPARE(midden(dlg->Label9), QColor(Qt::black));
        QCOMPARE(balKleur(dlg->Image1), balKleur(Plaatjes::bal(7)));
        QCOMPARE(dlg->Label10->text(), QStringLiteral("Knippersnelheid (2)"));
        QVERIFY((ballen == 90 ? dlg->Option90 : dlg->Option75)->isChecked());
        QCOMPARE(dlg->focusWidget(), dlg->OkKnop);
        QVERIFY(TestHulp::isVlak(dlg->OkKnop, QColor(192, 192, 255)));
        const QByteArray voor = Instellingen::maakInhoud(alg());
        QTest::mouseClick(dlg->OkKnop, Qt::LeftButton);
        QCOMPARE(Instellingen::maakInhoud(alg()), voor);
    }

    // Colour bars, ball pictures and the number of balls store at once and stay after Cancel,
    // except the ball pictures, which Cancel puts back.
    void directOpgeslagen()
    {
        auto dlg = open();
        QVERIFY(dlg);
        dlg->ColorScroll[0]->setValue(255);
        dlg->ColorScroll[1]->setFocus();
        QTest::keyClick(dlg->ColorScroll[1], Qt::Key_Right);
        QCOMPARE(midden(dlg->Label9), QColor(255, 1, 0));
        QTest::mouseClick(dlg->Option90, Qt::LeftButton);
        dlg->HScroll1->setValue(2);
        dlg->HScroll2->setValue(8);
        QCOMPARE(alg().balKleurIndex(), 2);
        QCOMPARE(int(alg().KnipperKleur), 8);
        QCOMPARE(balKleur(dlg->Image1), balKleur(Plaatjes::bal(2)));
        const QImage bal1 = hoofd().Pic->Bal1();
        QTest::mouseClick(dlg->CancelKnop, Qt::LeftButton);
        QVERIFY(!dlg->isVisible());
        QCOMPARE(QList<int>({alg().getalKleurR(), alg().getalKleurG(), alg().AantalBallen}), QList<int>({255, 1, 90}));
        QCOMPARE(alg().BalKleur, 7.0);
        QCOMPARE(int(alg().KnipperKleur), 3);
        QCOMPARE(hoofd().Pic->Bal1(), bal1);
    }

    // Reset sets the counter to 0 at once; the next game is round 1.
    void resetRondeteller()
    {
        hoofd().avond().spel().zetRondeTeller(5);
        auto dlg = open();
        QTest::mouseClick(dlg->ResetKnop, Qt::LeftButton);
        QCOMPARE(hoofd().avond().spel().rondeTeller(), 0);
        QVERIFY(TestHulp::isVlak(dlg->ResetKnop, Config::resetGedaanKleur)); // flat in its new colour
        Melding::zetVolgendAntwoord(true);
        hoofd().KnopPic->Knop[Opdrachtbalk::KnopStart]->click();
        QCOMPARE(Melding::neemGetoond().size(), 1);
        QTRY_VERIFY(hoofd().InfoLabel->text().startsWith(QStringLiteral("Ronde 1 ")));
    }

    // Ball pictures out of range in the file (9 and 0): Ok applies what the previews show.
    void balPlaatjeBuitenBereik()
    {
        alg().BalKleur = 9;
        alg().KnipperKleur = 0;
        auto dlg = open();
        const QList<QColor> getoond = {balKleur(dlg->Image1), balKleur(dlg->Image2)};
        QTest::mouseClick(dlg->OkKnop, Qt::LeftButton);
        QCOMPARE(QList<QColor>({balKleur(hoofd().Pic->Bal1()), balKleur(hoofd().Pic->Bal2())}), getoond);
    }
    // Cancel keeps the old settings and the old voice; Ok keeps the new ones, in the file too.
    void cancelEnOk()
    {
        viaConfig([&](Extra& d) {
            QVERIFY(!d.Check1->isChecked() && !d.Check3->isChecked() && d.Label6->isHidden());
            QCOMPARE(d.Combo1->itemData(0).toString(), QStringLiteral("nl_NL|Anna"));
            d.Check1->setChecked(true);
            d.Combo1->setCurrentIndex(1);
            d.ProefKnop->click();
            d.CancelKnop->click();
        });
        QCOMPARE(m_stem->gezegd.size(), 1);
        QVERIFY(!hoofd().avond().roeper().instellingen().spreken);
        QCOMPARE(m_stem->stemId, QString());

        viaConfig([&](Extra& d) {
            d.Check1->setChecked(true);
            d.Combo1->setCurrentIndex(1);
            d.OptionKien->setChecked(true);
            d.Check3->setChecked(true);
            d.HScroll3->setValue(7);
            QCOMPARE(d.Label9->text(), QStringLiteral("Elke 7 seconden een bal"));
            d.OkKnop->click();
        });
        const RoepInstellingen r = hoofd().avond().roeper().instellingen();
        QVERIFY(r.spreken && r.kienen && r.zelfTrekken && r.interval == 7);
        QCOMPARE(m_stem->stemId, QStringLiteral("de_DE|Karl"));
        QCOMPARE(bewaard(), r);
    }

    // Without an engine the voice part cannot be used and says why; calling by itself still can.
    void zonderSpraak()
    {
        m_stem->heeftStemmen = false;
        viaConfig([&](Extra& d) {
            QCOMPARE(d.Label6->text(), QStringLiteral("Spraak is niet beschikbaar op deze computer."));
            QVERIFY(d.Label6->isVisible() && !d.Check1->isEnabled() && d.Check3->isEnabled());
            d.Check3->setChecked(true);
            d.OkKnop->click();
        });
        QVERIFY(bewaard().zelfTrekken);
    }
    // The board on the network from "Extra": a port in use is said and the game goes on; a free
    // one serves, is kept in Zorvak-extra.ini, and Extra says where. Key W shows the hall where
    // to open it, and any key puts that away again without drawing; a scanned code does not.
    void webBezetBijStart()
    {
        // A board switched on in the settings whose port is taken at the program's start is said
        // on the screen, and the program runs on without it.
        QTcpServer bezet;
        QVERIFY(bezet.listen(QHostAddress::Any));
        {
            ExtraInstellingen extra(m_op->map.path());
            WebInstelling{true, bezet.serverPort()}.schrijf(extra);
            QVERIFY(extra.bewaar());
        }
        m_op->herstart();
        Melding::neemGetoond();
        m_op->programma->start();
        const auto getoond = Melding::neemGetoond();
        QVERIFY(!getoond.isEmpty() &&
                getoond.first().tekst.contains(QStringLiteral("Poort %1 kan niet").arg(bezet.serverPort())));
        QVERIFY(!hoofd().avond().web().draait());
    }

    void webInExtra()
    {
        QTcpServer bezet;
        QVERIFY(bezet.listen(QHostAddress::Any));
        viaConfig([&](Extra& d) {
            QVERIFY(!d.WebKeuze->isChecked() && !d.PoortVeld->isEnabled());
            QVERIFY(d.WebLabel->text().startsWith(QStringLiteral("Uit.")));
            d.WebKeuze->setChecked(true);
            d.PoortVeld->setValue(bezet.serverPort());
            d.OkKnop->click();
        });
        Avond& avond = hoofd().avond();
        QVERIFY(!avond.web().draait());
        const auto getoond = Melding::neemGetoond();
        QVERIFY(!getoond.isEmpty() &&
                getoond.last().tekst.contains(QStringLiteral("Poort %1 kan niet").arg(bezet.serverPort())));
        // Once the port is free, Ok tries again.
        const int vrij = bezet.serverPort();
        bezet.close();
        viaConfig([&](Extra& d) {
            QVERIFY(d.WebKeuze->isChecked());
            QVERIFY(d.WebLabel->text().contains(QStringLiteral("Poort %1").arg(vrij)));
            d.OkKnop->click();
        });
        QVERIFY(avond.web().draait());
        QCOMPARE(WebInstelling::lees(ExtraInstellingen(m_op->map.path())), (WebInstelling{true, vrij}));

        hoofd().avond().NieuwSpel();
        QTest::keyClick(hoofd().Pic, Qt::Key_W);
        QVERIFY(hoofd().WebPic->isVisible());
        const QStringList adressen = avond.web().adressen();
        QCOMPARE(hoofd().WebPic->tekst(), adressen.isEmpty() ? avond.web().uitleg() : adressen.first());
        QCOMPARE(hoofd().WebPic->code().isNull(), adressen.isEmpty());
        QTest::keyClick(hoofd().Pic, Qt::Key_Space);
        QVERIFY(hoofd().WebPic->isHidden());
        QVERIFY(avond.spel().ballen().isEmpty());
        // A scanner typing the code of a card of series W does not put the address up.
        QTest::keyClicks(hoofd().Pic, QStringLiteral("W-0001"));
        QTest::keyClick(hoofd().Pic, Qt::Key_Return);
        QTest::qWait(100);
        QVERIFY(hoofd().WebPic->isHidden());
        Melding::neemGetoond();
    }

    // A press on a cell's white margin, either button, marks it on both cards; a second
    // clears it; an outline changes nothing.
    void drukOpVak()
    {
        auto dlg = openLayout();
        QCOMPARE(dlg->Label6->text(), QStringLiteral("Vak : 0"));
        for (int k : {1, 19}) {
            const QPoint marge = venster(k).topLeft() + QPoint(15, 15);
            const auto knop = k == 1 ? Qt::LeftButton : Qt::RightButton;
            druk(*dlg, marge, knop);
            QCOMPARE(groot(*dlg, k), markKleur);
            QCOMPARE(klein(*dlg, k), markKleur);
            QCOMPARE(int(patroon()[k]), 1);
            QCOMPARE(dlg->Label6->text(), QStringLiteral("Vak : %1").arg(k));
            druk(*dlg, omtrek(k).topLeft() + QPoint(0, 300), knop);
            QCOMPARE(int(patroon()[k]), 1);
            druk(*dlg, marge, knop);
            QCOMPARE(groot(*dlg, k), leegKleur);
            QCOMPARE(klein(*dlg, k), leegKleur);
            QCOMPARE(int(patroon()[k]), 0);
            TestHulp::dubbelklik(dlg->Picture1, marge / 15); // both presses toggle
            QCOMPARE(int(patroon()[k]), 0);
        }
    }

    // Ok on both diagonals gives the button's start picture; Cancel keeps the cells for the
    // next opening but leaves the button as it was.
    void okEnCancel()
    {
        const QImage start = knopBeeld();
        QCOMPARE(start, PatroonKaart::startPlaatje().convertToFormat(QImage::Format_RGB32));
        auto dlg = openLayout();
        for (int k : {1, 7, 19, 25, 5, 9, 17, 21})
            druk(*dlg, venster(k).center());
        hoofd().KnopPic->Knop[Opdrachtbalk::KnopLayout]->zetPlaatje(QImage());
        QTest::mouseClick(dlg->OkKnop, Qt::LeftButton);
        QCOMPARE(knopBeeld(), start);

        dlg = openLayout();
        druk(*dlg, venster(2).center());
        QTest::mouseClick(dlg->CancelKnop, Qt::LeftButton);
        QCOMPARE(knopBeeld(), start);
        QCOMPARE(klein(*openLayout(), 2), markKleur);
    }

    // The programme dialog: rounds and stages made with its buttons, a warning above the limits
    // that goes when the limits are raised, a game of another kind bringing its own stages, an
    // export read back by an import, and a file that is no programme refused with nothing changed.
    void programmaDialoog()
    {
        ProgrammaDialoog dlg(&hoofd(), {}, 40000, 155000, PatroonKaart::Patroon{});
        QVERIFY(!dlg.FaseTabel->isEnabled());
        dlg.findChild<QPushButton*>(QStringLiteral("RondeErbij"))->click();
        dlg.findChild<QPushButton*>(QStringLiteral("RondeErbij"))->click();
        QCOMPARE(dlg.RondeLijst->count(), 2);
        QCOMPARE(dlg.FaseTabel->rowCount(), 3);
        dlg.FaseTabel->item(2, 1)->setText(QStringLiteral("Reis"));
        qobject_cast<QDoubleSpinBox*>(dlg.FaseTabel->cellWidget(2, 2))->setValue(450);
        QVERIFY(dlg.WaarschuwingLabel->isVisibleTo(&dlg));
        QCOMPARE(dlg.waarschuwingen(), QStringList({"Ronde 2, volle kaart: € 450 is meer dan € 400 per prijs."}));
        dlg.MaxPrijs->setValue(500);
        QVERIFY(dlg.waarschuwingen().isEmpty() && !dlg.WaarschuwingLabel->isVisibleTo(&dlg));
        dlg.RondeLijst->setCurrentRow(0);
        dlg.SpelKeuze->setCurrentIndex(dlg.SpelKeuze->findText(QStringLiteral("Bingo 75")));
        emit dlg.SpelKeuze->activated(dlg.SpelKeuze->currentIndex());
        QCOMPARE(dlg.FaseTabel->rowCount(), 2);

        const QString bestand = m_op->map.filePath(QStringLiteral("uit.json"));
        ProgrammaDialoog::bestandHaak() = [&](QWidget*, bool) { return bestand; };
        dlg.findChild<QPushButton*>(QStringLiteral("ExportKnop"))->click();
        QString fout;
        const auto uit = AvondProgramma::importeer(bestand, &fout);
        QVERIFY2(uit, qPrintable(fout));
        QCOMPARE(uit->rondes[1].fasen[2].prijs, QStringLiteral("Reis"));
        QVERIFY(TestHulp::schrijfBestand(bestand, "{ \"programma\": \"Zorvak\", \"rondes\": [ {"));
        Melding::neemGetoond();
        dlg.findChild<QPushButton*>(QStringLiteral("ImportKnop"))->click();
        QVERIFY(Melding::neemGetoond().last().tekst.contains(QStringLiteral("Er is niets veranderd")));
        dlg.OkKnop->click();
        QCOMPARE(dlg.programma(), *uit);
        QCOMPARE(dlg.maxPrijs(), 50000);
    }

    // A stage of its own pattern: chosen before anything is drawn it is empty, and the dialog
    // says so and keeps Ok (and the export) from saving it; drawn for the stage from its own
    // button, the pattern is the stage's, whatever the editor's own pattern is. Choosing "Eigen
    // patroon" again never brings back an old pattern; Cancel in the editor changes nothing.
    void eigenPatroon()
    {
        ProgrammaDialoog dlg(&hoofd(), {}, 40000, 155000, PatroonKaart::Patroon{});
        // The table's controls are made anew as it is shown; the old ones go once events are handled.
        const auto vind = [&dlg](const char* naam, auto* soort) {
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            return dlg.findChild<std::remove_pointer_t<decltype(soort)>*>(QString::fromLatin1(naam));
        };
        dlg.findChild<QPushButton*>(QStringLiteral("RondeErbij"))->click();
        dlg.SpelKeuze->setCurrentIndex(dlg.SpelKeuze->findText(QStringLiteral("Bingo 75")));
        emit dlg.SpelKeuze->activated(dlg.SpelKeuze->currentIndex());
        auto* keuze = vind("FaseKeuze1", static_cast<QComboBox*>(nullptr));
        auto* knop = vind("FasePatroon1", static_cast<QToolButton*>(nullptr));
        QVERIFY(keuze && knop && !knop->isEnabled());
        QVERIFY(dlg.OkKnop->isEnabled());
        keuze->setCurrentText(AvondProgramma::eigenPatroon);
        emit keuze->activated(keuze->currentIndex());
        QVERIFY(knop->isEnabled() && !dlg.OkKnop->isEnabled());
        QVERIFY(dlg.WaarschuwingLabel->text().contains(QStringLiteral("het eigen patroon is leeg")));
        const QString bestand = m_op->map.filePath(QStringLiteral("leeg.json"));
        ProgrammaDialoog::bestandHaak() = [&](QWidget*, bool) { return bestand; };
        Melding::neemGetoond();
        dlg.findChild<QPushButton*>(QStringLiteral("ExportKnop"))->click();
        QVERIFY(!QFile::exists(bestand));
        QVERIFY(Melding::neemGetoond().value(0).tekst.contains(QStringLiteral("kan zo niet worden gespeeld")));

        PatroonKaart::Patroon kruis{};
        for (int vak : {3, 8, 11, 12, 14, 15, 18, 23})
            kruis[vak] = 1;
        int geopend = 0;
        ProgrammaDialoog::patroonHaak() = [&](QWidget*, const PatroonKaart::Patroon&) {
            ++geopend;
            return geopend == 1 ? std::optional<PatroonKaart::Patroon>() : std::optional(kruis);
        };
        knop->click();
        QVERIFY(!dlg.OkKnop->isEnabled());
        knop = vind("FasePatroon1", static_cast<QToolButton*>(nullptr));
        knop->click();
        QCOMPARE(geopend, 2);
        QVERIFY(dlg.OkKnop->isEnabled() && !dlg.WaarschuwingLabel->isVisibleTo(&dlg));
        // The same choice again keeps what was drawn for the stage.
        keuze = vind("FaseKeuze1", static_cast<QComboBox*>(nullptr));
        emit keuze->activated(keuze->currentIndex());
        dlg.OkKnop->click();
        QCOMPARE(dlg.programma().rondes[0].fasen[0].patroon, std::optional(kruis));
        QVERIFY(dlg.programma().fouten().isEmpty());
    }

    // From Extra: the programme made there is kept beside Zorvak.ini, and "Spelen volgens het
    // programma" starts it with a new game once the dialogs are closed, the bar's buttons on;
    // the caller names the stage.
    void programmaViaExtra()
    {
        viaConfig([](Extra& extra) {
            QTimer::singleShot(0, &extra, [] {
                auto* dlg = qobject_cast<ProgrammaDialoog*>(QApplication::activeModalWidget());
                QVERIFY(dlg);
                dlg->findChild<QPushButton*>(QStringLiteral("RondeErbij"))->click();
                dlg->OkKnop->click();
            });
            extra.ProgrammaKnop->click();
            extra.ProgrammaKeuze->setChecked(true);
            extra.Check1->setChecked(true);
            extra.OkKnop->click();
        });
        QVERIFY(QFile::exists(AvondProgramma::pad(m_op->map.path())));
        QCOMPARE(hoofd().avond().programma().inhoud().rondes.size(), 1);
        QTRY_VERIFY(hoofd().avond().programma().loopt());
        QCOMPARE(hoofd().avond().spel().aantalBallen(), 90);
        QVERIFY(hoofd().KnopPic->Knop[Opdrachtbalk::KnopStart]->isEnabled());
        QCOMPARE(hoofd().ProgrammaLabel->text(), QStringLiteral("Ronde 1 · 1 rij"));
        // With the voice on, the caller says what is played for.
        QVERIFY(m_stem->gezegd.contains(QStringList{QStringLiteral("We spelen nu voor één rij")}));
    }

    // Each option of the hall's view in "Extra" on its own: ticked alone and Ok'd, only it is on
    // for the evening, in Zorvak-extra.ini and after a new start; Extra shows it ticked, alone,
    // the next time; unticked again, all are off.
    void weergaveInExtra_data()
    {
        QTest::addColumn<int>("optie");
        QTest::newRow("contrast") << 0;
        QTest::newRow("vorige ballen") << 1;
        QTest::newRow("balk in de zaal") << 2;
    }
    void weergaveInExtra()
    {
        QFETCH(int, optie);
        const auto keuze = [optie](Extra& d) {
            return optie == 0 ? d.ContrastKeuze : optie == 1 ? d.VorigeKeuze : d.BalkKeuze;
        };
        Weergave verwacht;
        (optie == 0 ? verwacht.contrast : optie == 1 ? verwacht.vorigeBallen : verwacht.balkInZaal) = true;
        const auto getoond = [](Extra& d) {
            return Weergave{d.ContrastKeuze->isChecked(), d.VorigeKeuze->isChecked(), d.BalkKeuze->isChecked()};
        };
        viaConfig([&](Extra& d) {
            QCOMPARE(getoond(d), Weergave{});
            keuze(d)->setChecked(true);
            d.OkKnop->click();
        });
        QCOMPARE(hoofd().avond().instellingen().weergave(), verwacht);
        QCOMPARE(Weergave::lees(ExtraInstellingen(m_op->map.path())), verwacht);
        m_op->herstart();
        hoofd().show();
        QCOMPARE(hoofd().avond().instellingen().weergave(), verwacht);
        bool gezien = false;
        viaConfig([&](Extra& d) {
            gezien = true;
            QCOMPARE(getoond(d), verwacht);
            keuze(d)->setChecked(false);
            d.OkKnop->click();
        });
        QVERIFY(gezien);
        QCOMPARE(hoofd().avond().instellingen().weergave(), Weergave{});
        QCOMPARE(Weergave::lees(ExtraInstellingen(m_op->map.path())), Weergave{});
    }
};

QTEST_MAIN(TstConfig)
#include "tst_config.moc"
