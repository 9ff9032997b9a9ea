// One evening played from a fixed seed and a fixed clock, as the organiser plays it: a new
// game, twelve balls, the last one taken back, a card checked, the program ended without Exit
// and started again, the game taken up, one more ball, Exit. What the evening leaves behind
// must stay as tests/app/vasteavond.txt and the two pictures beside it hold: the game's
// signals, the record's bytes, what was said, every box shown, the verdicts, Zorvak.ini, the
// named parts of the stage with their places, and the stage at 1024 x 768 and 1920 x 1080.
// ZORVAK_NIEUWE_AVOND=1 writes them anew after a deliberate change; look at the difference
// before committing it. Windows has pictures of its own (docs/windows.md says how to make them).
#include "opnamestem.h"
#include "testhulp.h"

#include <QAbstractButton>
#include <QPainter>
#include <QtTest>

namespace
{
const QString referentie = QStringLiteral(ZORVAK_SOURCE_DIR "/tests/app/");

// On Windows Qt draws text with its own FreeType, without fontconfig's hinting: the glyphs'
// edges differ, and a label fitted to its text may be a few pixels wider.
#ifdef Q_OS_WIN
const QString stelsel = QStringLiteral("-windows");
#else
const QString stelsel;
#endif

bool schrijfNieuw()
{
    return qEnvironmentVariableIsSet("ZORVAK_NIEUWE_AVOND");
}

QString eenRegel(QString tekst)
{
    return tekst.replace(QLatin1Char('\r'), QStringLiteral("\\r")).replace(QLatin1Char('\n'), QStringLiteral("\\n"));
}

// A file's bytes as lines, line ends shown.
QStringList alsRegels(const QByteArray& inhoud, const QString& map)
{
    QStringList uit;
    for (const QByteArray& regel : inhoud.split('\n'))
        uit << eenRegel(QString::fromLatin1(regel)).replace(map, QStringLiteral("MAP"));
    return uit;
}

// The stage's named parts (Qt's own left out): a visible one with its place on the stage, a
// hidden one by its name. The clock's place follows the length of the time.
QStringList onderdelen(QWidget& podium)
{
    QStringList uit;
    for (QObject* o : podium.findChildren<QObject*>()) {
        const QString naam = o->objectName();
        if (naam.isEmpty() || naam.startsWith(QLatin1String("qt_"))) continue;
        auto* w = qobject_cast<QWidget*>(o);
        if (!w) {
            uit << naam;
        } else if (!w->isVisible()) {
            uit << naam + QStringLiteral(" verborgen");
        } else if (naam == QLatin1String("KlokLabel")) {
            uit << naam + QStringLiteral(" zichtbaar");
        } else {
            const QRect r(w->mapTo(&podium, QPoint(0, 0)), w->size());
            uit << QStringLiteral("%1 %2,%3 %4x%5").arg(naam).arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
        }
    }
    uit.sort();
    return uit;
}

// The stage against its picture, the clock's strip left out. A few pixels may differ by the
// smoothing of an edge.
void vergelijkPodium(QWidget& podium, const QString& naam)
{
    QImage beeld = podium.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QWidget* klok = podium.findChild<QWidget*>(QStringLiteral("KlokLabel"));
    QPainter(&beeld).fillRect(QRect(beeld.width() * 2 / 3, klok->y(), beeld.width(), klok->height()), Qt::black);
    const QString pad = referentie + naam + stelsel + QStringLiteral(".png");
    if (schrijfNieuw()) QVERIFY(beeld.save(pad));
    const QImage verwacht = QImage(pad).convertToFormat(QImage::Format_RGB32);
    QCOMPARE(beeld.size(), verwacht.size());
    int anders = 0;
    for (int y = 0; y < beeld.height(); ++y)
        for (int x = 0; x < beeld.width(); ++x) {
            const QRgb a = beeld.pixel(x, y), b = verwacht.pixel(x, y);
            anders += qAbs(qRed(a) - qRed(b)) + qAbs(qGreen(a) - qGreen(b)) + qAbs(qBlue(a) - qBlue(b)) > 60;
        }
    const QString nu = QDir::temp().filePath(QFileInfo(pad).fileName());
    if (anders > 40) beeld.save(nu);
    QVERIFY2(anders <= 40, qPrintable(QStringLiteral("%1: %2 pixels differ; see %3").arg(pad).arg(anders).arg(nu)));
}

QAbstractButton* knop(QWidget& podium, const char* naam)
{
    return podium.findChild<QAbstractButton*>(QString::fromLatin1(naam));
}
} // namespace

class TstVasteAvond : public QObject
{
    Q_OBJECT
private slots:
    void avond()
    {
        QList<QStringList> gezegd;
        OpnameStem::neemVoortaanOp(&gezegd);
        const QByteArray ini = "\"Quenderbrook Software 2011\"\r\n\"--------------------------\"\r\n2,2,75\r\n\"\"\r\n"
                               "\"Avond in het dorpshuis\"\r\n7,3\r\n0,0,200\r\n";
        TestHulp::Opstelling o(ini, false, true);
        o.zetKlok([] { return QDateTime(QDate(2026, 12, 6), QTime(20, 15, 30, 250), Qt::OffsetFromUTC, 3600); });
        QStringList signalen, verslag;
        const auto volg = [&signalen](Spel& spel) {
            const auto stand = [&spel] {
                return QStringLiteral("spel %1 ronde %2 ballen %3").arg(spel.spelNummer()).arg(spel.ronde()).arg(
                    spel.aantalBallen());
            };
            QObject::connect(&spel, &Spel::nieuwSpelGestart,
                             [&signalen, stand] { signalen << QStringLiteral("nieuwSpelGestart ") + stand(); });
            QObject::connect(&spel, &Spel::balGetrokken,
                             [&signalen](int n) { signalen << QStringLiteral("balGetrokken %1").arg(n); });
            QObject::connect(&spel, &Spel::balTeruggelegd,
                             [&signalen](int n) { signalen << QStringLiteral("balTeruggelegd %1").arg(n); });
            QObject::connect(&spel, &Spel::spelHersteld, [&signalen, &spel, stand] {
                signalen << QStringLiteral("spelHersteld %1 getrokken %2").arg(stand()).arg(spel.ballen().size());
            });
        };
        volg(o.model());
        RoepInstellingen roepen;
        roepen.spreken = true;
        QVERIFY(o.roeper().zetInstellingen(roepen));

        // The first evening: a new game, twelve balls, the last one back.
        Main& eerste = o.main();
        eerste.show();
        QVERIFY(QTest::qWaitForWindowExposed(&eerste));
        QWidget* bord = eerste.findChild<QWidget*>(QStringLiteral("Pic"));
        Melding::zetVolgendAntwoord(true);
        knop(eerste, "Knop4")->click();
        for (int i = 0; i < 12; ++i)
            QTest::keyClick(bord, Qt::Key_Space);
        Melding::zetVolgendAntwoord(true);
        QTest::keyClick(bord, Qt::Key_Backspace);
        vergelijkPodium(eerste, QStringLiteral("vasteavond-1024x768"));
        verslag << QStringLiteral("# onderdelen 1024x768") << onderdelen(eerste);

        // A numbered card checked by K, put away by K; a number the register lacks, by the button.
        {
            KaartRegister reg(KaartRegister::padIn(o.map.path()));
            VasteToeval kans(3);
            QVERIFY(TestHulp::registreer(reg, KaartSoort::Bingo75, QStringLiteral("A"), 1, kans));
        }
        o.zetKaartVraag(QStringLiteral("A-0004"), 1);
        QTest::keyClick(bord, Qt::Key_K);
        QWidget* kaart = eerste.findChild<QWidget*>(QStringLiteral("KaartControle"));
        verslag << QStringLiteral("# kaart") << QStringLiteral("%1 %2").arg(kaart->isVisible()).arg(o.kaartOordeel());
        QTest::keyClick(kaart, Qt::Key_K);
        o.zetKaartVraag(QStringLiteral("A-99"), 1);
        knop(eerste, "ControleKnop")->click();
        verslag << QStringLiteral("%1").arg(kaart->isVisible());

        // The program ends without Exit and starts again: the game is taken up and goes on.
        o.herstart();
        volg(o.model());
        Main& tweede = o.main();
        tweede.show();
        QVERIFY(QTest::qWaitForWindowExposed(&tweede));
        Melding::zetVolgendAntwoord(true);
        o.hervat();
        tweede.legUit(QRect(0, 0, 1920, 1080));
        QTest::keyClick(tweede.findChild<QWidget*>(QStringLiteral("Pic")), Qt::Key_Space);
        vergelijkPodium(tweede, QStringLiteral("vasteavond-1920x1080"));
        verslag << QStringLiteral("# onderdelen 1920x1080") << onderdelen(tweede);

        Melding::zetVolgendAntwoord(true);
        knop(tweede, "ExitKnop")->click();
        verslag << QStringLiteral("# beeindigd %1").arg(o.beeindigd);

        verslag << QStringLiteral("# signalen") << signalen;
        verslag << QStringLiteral("# gezegd");
        for (const QStringList& delen : gezegd)
            verslag << delen.join(QStringLiteral(" | "));
        verslag << QStringLiteral("# meldingen");
        for (const Melding::Getoond& m : Melding::neemGetoond())
            verslag << eenRegel(m.titel + QStringLiteral(" | ") + m.tekst);
        verslag << QStringLiteral("# verloop")
                << alsRegels(TestHulp::leesBestand(o.map.filePath(QStringLiteral("Verloop/2026-12-06.csv"))),
                             o.map.path());
        verslag << QStringLiteral("# Zorvak.ini") << alsRegels(TestHulp::leesBestand(o.iniPad()), o.map.path());
        OpnameStem::neemVoortaanOp(nullptr);

        const QString pad = referentie + QStringLiteral("vasteavond.txt");
        if (schrijfNieuw() && stelsel.isEmpty())
            QVERIFY(TestHulp::schrijfBestand(pad, verslag.join(QLatin1Char('\n')).toUtf8() + '\n'));
        QStringList verwacht = QString::fromUtf8(TestHulp::leesBestand(pad)).split(QLatin1Char('\n'));
        if (!stelsel.isEmpty()) {
            static const QRegularExpression breedte(QStringLiteral("^(\\w*Label\\d* \\d+,\\d+ )\\d+x"));
            verslag.replaceInStrings(breedte, QStringLiteral("\\1?x"));
            verwacht.replaceInStrings(breedte, QStringLiteral("\\1?x"));
        }
        for (int i = 0; i < std::max(verslag.size(), verwacht.size() - 1); ++i)
            QCOMPARE(verslag.value(i), verwacht.value(i));
    }
};

QTEST_MAIN(TstVasteAvond)
#include "tst_vasteavond.moc"
