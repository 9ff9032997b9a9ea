// The program killed outright in the middle of an evening: while the board slides in, while a
// ball blinks, or between two draws. A child process plays, wired as the program wires itself;
// it says each change on its output the moment the change is signalled, which is after the
// record has it and before anything can be painted. Killed at a chosen moment, the record read
// back must hold every ball that was shown, in order, and at most the one ball more that was
// drawn and written down but not yet shown. And a second copy started on its folder meanwhile.
#include "core/common/veiligbestand.h"
#include "core/game/verloop.h"
#include "testhulp.h"
#include "widgets/common/scaninvoer.h"
#include "widgets/game/bord.h"
#include "widgets/game/opdrachtbalk.h"

#include <QKeyEvent>
#include <QProcess>
#include <QScopeGuard>
#include <QTimer>
#include <QtTest>

#include <unistd.h>

namespace
{
void zeg(const QByteArray& regel)
{
    const QByteArray uit = regel + '\n';
    (void)!::write(STDOUT_FILENO, uit.constData(), static_cast<size_t>(uit.size()));
}

// The child: plays games of three balls without end, at a twentieth of the real pace, in the
// given folder. "spel N" when game N begins to slide in, "bal N" when ball N is drawn and
// starts to blink, "rust" when it rests and the next draw waits.
int speel(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QString map = QString::fromLocal8Bit(argv[2]);
    WachtTempo::zet(0.05);
    Melding::zetStil(true);
    const InstellingenBestand bestand(map, map + QStringLiteral("/reserve"));
    VeiligBestand::Slot slot(bestand.slotPad());
    if (!bestand.neemSlot(slot, nullptr)) return 2;
    VasteToeval toeval(QByteArray(argv[3]).toUInt());
    Programma programma({map, map + QStringLiteral("/reserve"), &toeval});
    Main& hoofd = programma.hoofd;
    Spel& spel = programma.avond.spel();
    hoofd.show();
    QObject::connect(&spel, &Spel::nieuwSpelGestart, [&] { zeg("spel " + QByteArray::number(spel.spelNummer())); });
    QObject::connect(&spel, &Spel::balGetrokken, [&](int n) { zeg("bal " + QByteArray::number(n)); });
    // "hand": balls from a real drum, 7, 8, 9, ... each typed as its digits and Enter at a
    // person's pace, not a scanner's, in one game. Otherwise drawn with the space bar, three a game.
    const bool hand = qstrcmp(argv[1], "hand") == 0;
    if (hand && !programma.avond.instellingen().zetHandmatig(true)) return 3;
    static qint64 nu = 0;
    ScanInvoer::klokHaak() = [] { return nu += 200; };
    QTimer::singleShot(0, [&] {
        for (int i = 0;; ++i) {
            if (hand ? i == 0 : i % 3 == 0) {
                Melding::zetVolgendAntwoord(true);
                hoofd.opdracht(Opdrachtbalk::KnopStart);
            }
            for (const QChar c : hand ? QString::number((6 + i) % 90 + 1) + QLatin1Char('\r') : QStringLiteral(" ")) {
                const int toets = c == QLatin1Char('\r')  ? Qt::Key_Return
                                  : c == QLatin1Char(' ') ? Qt::Key_Space
                                                          : Qt::Key_0 + c.digitValue();
                QKeyEvent druk(QEvent::KeyPress, toets, Qt::NoModifier, c);
                QApplication::sendEvent(hoofd.Pic, &druk);
            }
            zeg("rust");
            Wacht(hand ? 0.5 : 1.0);
        }
    });
    return QApplication::exec();
}
} // namespace

class TstAfgebroken : public QObject
{
    Q_OBJECT
private slots:
    void gedodeSpelerVerliestGeenGetoondeBal()
    {
        const quint32 zaad = QRandomGenerator::global()->generate();
        QRandomGenerator kans(zaad);
        const QByteArray soorten[] = {"spel", "bal", "rust"};
        for (int ronde = 0; ronde < 12; ++ronde) {
            const QByteArray doel = soorten[ronde % 3];
            const QByteArray waar = "zaad " + QByteArray::number(zaad) + ", ronde " + QByteArray::number(ronde);
            QTemporaryDir map;
            QProcess kind;
            kind.setProcessChannelMode(QProcess::ForwardedErrorChannel);
            kind.start(QCoreApplication::applicationFilePath(),
                       {QStringLiteral("speel"), map.path(), QString::number(kans.generate())});
            QVERIFY2(kind.waitForStarted(30000), waar);

            // Waits for the chosen kind of moment (the first to third of its kind), then a
            // little longer: the slide-in takes about 0.1 s, a blink and a rest 0.06 s each.
            QList<QByteArray> regels;
            for (int gezien = 0, nodig = kans.bounded(1, 4); gezien < nodig;) {
                while (!kind.canReadLine())
                    QVERIFY2(kind.waitForReadyRead(30000), waar + ": de speler zwijgt");
                regels << kind.readLine().trimmed();
                if (regels.last().startsWith(doel)) ++gezien;
            }
            QTest::qSleep(kans.bounded(60));
            kind.kill();
            QVERIFY2(kind.waitForFinished(30000), waar);
            regels += kind.readAllStandardOutput().split('\n');

            // What the hall saw of the last game begun, and what the record keeps of its last
            // game, both as "game:ball ball ".
            QByteArray getoond;
            for (const QByteArray& r : regels) {
                if (r.startsWith("spel "))
                    getoond = r.mid(5).trimmed() + ':';
                else if (r.startsWith("bal "))
                    getoond += r.mid(4).trimmed() + ' ';
            }
            const auto laatste = Verloop::laatsteSpel(map.path());
            QVERIFY2(laatste && !laatste->beschadigd && !laatste->afgemaakt, waar);
            QByteArray bewaard = QByteArray::number(laatste->stand.spelNummer) + ':';
            for (const Spel::Bal& b : laatste->stand.ballen)
                bewaard += QByteArray::number(b.getal) + ' ';
            // Every ball shown is kept, in order, with at most the one more that was drawn and
            // written down but not yet shown. Or the next game was written down and not yet
            // shown: it is the last game then, still without balls.
            const QByteArray volgende = QByteArray::number(getoond.split(':').first().toInt() + 1) + ':';
            QVERIFY2(getoond.contains(':') && (bewaard == volgende || (bewaard.startsWith(getoond) &&
                                                                       bewaard.count(' ') <= getoond.count(' ') + 1)),
                     waar + " na \"" + doel + "\": getoond " + getoond + ", bewaard " + bewaard);
        }
    }

    // Killed while balls from a real drum are typed in: the next start takes the game up with
    // every ball entered, each still marked as entered by hand, and the drum still by hand.
    void gedodeInvoerHervat()
    {
        QTemporaryDir map;
        QProcess kind;
        kind.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        kind.start(QCoreApplication::applicationFilePath(), {QStringLiteral("hand"), map.path(), QStringLiteral("3")});
        QList<QByteArray> ballen;
        for (int regels = 0; ballen.size() < 4; ++regels) {
            QVERIFY2(regels < 100, "de getypte ballen komen niet aan");
            while (!kind.canReadLine())
                QVERIFY2(kind.waitForReadyRead(30000), "de speler zwijgt");
            const QByteArray regel = kind.readLine().trimmed();
            if (regel.startsWith("bal ")) ballen << regel.mid(4);
        }
        kind.kill();
        QVERIFY(kind.waitForFinished(30000));
        QCOMPARE(ballen, QList<QByteArray>({"7", "8", "9", "10"}));

        VasteToeval kans(1);
        Avond avond({map.path(), map.filePath(QStringLiteral("reserve")), &kans});
        avond.zetGesprek({[](const QString&, const QString&, bool) { return true; }, {}, {}, {}});
        avond.hervatBijStart();
        QVERIFY(avond.instellingen().handmatig());
        QList<int> weer;
        for (const Spel::Bal& b : avond.spel().ballen()) {
            QVERIFY(b.hand);
            weer << b.getal;
        }
        QVERIFY2(weer.size() >= 4 && weer.mid(0, 4) == QList<int>({7, 8, 9, 10}),
                 qPrintable(QString::number(weer.size())));
        QVERIFY(!avond.voerBalIn(9));
    }

    // One copy per settings folder: while a copy plays, a second start on its folder is refused
    // with a Dutch message (the child copy asks the same). The lock goes with a copy that is
    // killed: the next start goes ahead.
    void tweedeKopie()
    {
        QTemporaryDir map;
        QProcess kind;
        kind.start(QCoreApplication::applicationFilePath(), {QStringLiteral("speel"), map.path(), QStringLiteral("1")});
        QVERIFY(kind.waitForReadyRead(30000));
        const InstellingenBestand bestand(map.path(), map.filePath(QStringLiteral("reserve")));
        VeiligBestand::Slot slot(bestand.slotPad());
        QString melding;
        QVERIFY(!bestand.neemSlot(slot, &melding));
        QVERIFY(melding.contains(QStringLiteral("Zorvak is al gestart")));
        kind.kill();
        QVERIFY(kind.waitForFinished(30000));
        QVERIFY(bestand.neemSlot(slot, &melding));
    }

    // A lock that cannot be taken at all is no licence to run unguarded: with a folder in the
    // lock's place no copy starts, and says why; nor where no lock can be made (the folder of the
    // settings cannot be made).
    void slotNietTeNemen()
    {
        QTemporaryDir map;
        QVERIFY(QDir().mkpath(map.filePath(QStringLiteral("Zorvak.slot"))));
        const InstellingenBestand bestand(map.path(), map.filePath(QStringLiteral("reserve")));
        VeiligBestand::Slot slot(bestand.slotPad());
        QString melding;
        QVERIFY(!bestand.neemSlot(slot, &melding));
        QVERIFY2(melding.contains(QStringLiteral("Zorvak start niet")) &&
                     melding.contains(QStringLiteral("staat een map met de naam Zorvak.slot")),
                 qPrintable(melding));

        // The program folder cannot be written, and the user's folder cannot be made (a file
        // stands in its way).
        Instellingen::zetSchrijfProef([](const QString&) { return false; });
        const auto terug = qScopeGuard([] { Instellingen::zetSchrijfProef({}); });
        QVERIFY(TestHulp::schrijfBestand(map.filePath(QStringLiteral("bestand")), "in de weg"));
        const InstellingenBestand nergens(map.path(), map.filePath(QStringLiteral("bestand/reserve")));
        VeiligBestand::Slot geen(nergens.slotPad());
        melding.clear();
        QVERIFY(!nergens.neemSlot(geen, &melding));
        QVERIFY2(melding.contains(QStringLiteral("Zorvak start niet")), qPrintable(melding));
    }
};

int main(int argc, char** argv)
{
    if (argc >= 4 && (qstrcmp(argv[1], "speel") == 0 || qstrcmp(argv[1], "hand") == 0)) return speel(argc, argv);
    QCoreApplication app(argc, argv);
    TstAfgebroken test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_afgebroken.moc"
