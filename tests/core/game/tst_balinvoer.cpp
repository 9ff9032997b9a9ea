// Balls from a real drum typed on the keys, without any window: the digits and what spoils
// them, Backspace, Escape and Enter, the balls typed while one still blinks and the order they
// go in, and the program's own drum, where the entry takes no key.
#include "core/game/balinvoer.h"
#include "testhulp.h"

#include <QtTest>

namespace
{
// A key for each character: digits and letters as themselves, \r Enter (\n the keypad's),
// \b Backspace, '!' Escape, a space the space bar, '-' the minus sign, '~' F10.
int sleutel(QChar c)
{
    if (c.isDigit()) return Qt::Key_0 + c.digitValue();
    if (c.isLetter()) return Qt::Key_A + (c.toUpper().unicode() - u'A');
    const QString tekens = QStringLiteral("\r\n\b! -~");
    const int sleutels[] = {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Backspace, Qt::Key_Escape,
                            Qt::Key_Space,  Qt::Key_Minus, Qt::Key_F10};
    const int i = int(tekens.indexOf(c));
    return i < 0 ? Qt::Key_unknown : sleutels[i];
}

// Types the keys; for each one '+' when the entry took it, '-' when it is left to the stage.
QString typ(BalInvoer& invoer, const QString& toetsen)
{
    QString genomen;
    for (const QChar c : toetsen)
        genomen += invoer.toets(sleutel(c)) ? u'+' : u'-';
    return genomen;
}
} // namespace

class TstBalInvoer : public QObject
{
    Q_OBJECT
    VasteToeval m_kans{5};

    // An evening of 75 balls with a game begun, balls by hand or not.
    struct Opstelling {
        QTemporaryDir map;
        Avond avond;
        OrganisatorTekst tekst{avond};
        BalInvoer invoer{avond, tekst};
        Opstelling(Toeval& kans, bool hand) : avond({map.path(), {}, &kans})
        {
            avond.instellingen().zetHandmatig(hand);
            avond.instellingen().algemeen().AantalBallen = 75;
            avond.NieuwSpel();
        }
        QList<int> ballen() const
        {
            QList<int> uit;
            for (const auto& b : avond.spel().ballen())
                uit << b.getal;
            return uit;
        }
    };

private slots:
    void init() { WachtTempo::zet(0); }

    void toetsen_data()
    {
        QTest::addColumn<bool>("hand");
        QTest::addColumn<QString>("toetsen");
        QTest::addColumn<QString>("genomen");
        QTest::addColumn<QString>("cijfers");
        QTest::addColumn<QString>("bericht");
        QTest::addColumn<QList<int>>("ballen");
        const QString geenBal = QStringLiteral("Geen bal: typ alleen het getal van de bal.");
        const auto rij = [](const char* naam, bool hand, const char* toetsen, const char* genomen, const char* cijfers,
                            const QString& bericht, const QList<int>& ballen) {
            QTest::newRow(naam) << hand << QString::fromLatin1(toetsen) << QString::fromLatin1(genomen)
                                << QString::fromLatin1(cijfers) << bericht << ballen;
        };
        rij("a digit shows", true, "7", "+", "7", "Bal: 7", {});
        rij("two digits and Enter", true, "75\r", "+++", "", "", {75});
        rij("the keypad's Enter", true, "9\n", "++", "", "", {9});
        rij("three digits stay", true, "123", "+++", "123", "Bal: 123", {});
        rij("a fourth is taken and ignored", true, "1234", "++++", "123", "Bal: 123", {});
        // Three digits go in whole: refused as themselves, not cut to a ball of the game.
        rij("no digit lost", true, "1234\r", "+++++", "", "123 hoort niet bij dit spel (1 tot en met 75).", {});
        rij("Backspace takes one back", true, "45\b\r", "++++", "", "", {4});
        rij("Backspace with nothing typed is the stage's", true, "\b", "-", "", "", {});
        rij("a letter spoils", true, "1x7\r", "+-++", "", geenBal, {});
        rij("a card's code", true, "A-0001\r", "--+++++", "", geenBal, {});
        rij("spoiled before any digit", true, "x\r", "-+", "", geenBal, {});
        // While it is spoiled the strip keeps the digits before the letter; Backspace to
        // nothing makes a clean start, one digit less does not.
        rij("spoiled, a digit back", true, "4x5\b", "+-++", "4", "Bal: 4", {});
        rij("spoiled, a digit back, Enter", true, "4x5\b\r", "+-+++", "", geenBal, {});
        rij("spoiled, back to empty", true, "4x\b7\r", "+-+++", "", "", {7});
        rij("Escape", true, "12!", "+++", "", "", {});
        rij("Escape, then Enter", true, "12!\r", "++++", "", "", {});
        rij("Escape ends the spoiling", true, "x!7\r", "-+++", "", "", {7});
        rij("Escape with nothing typed is the stage's", true, "!", "-", "", "", {});
        rij("Enter with nothing typed", true, "\r", "+", "", "", {});
        rij("K stays the card check", true, "1k2\r", "+-++", "", "", {12});
        rij("F10 is the stage's and spoils nothing", true, "1~2\r", "+-++", "", "", {12});
        rij("the space bar draws nothing", true, " ", "+", "", "", {});
        rij("own drum: no key taken", false, "12x\b!\r", "------", "", "", {});
        rij("own drum: space is the stage's", false, " ", "-", "", "", {});
    }

    // Each key taken or left to the stage; the digits kept, the organiser's line, the balls in.
    void toetsen()
    {
        QFETCH(bool, hand);
        QFETCH(QString, toetsen);
        Opstelling o(m_kans, hand);
        QTEST(typ(o.invoer, toetsen), "genomen");
        QTEST(o.invoer.cijfers(), "cijfers");
        QTEST(o.tekst.bericht(), "bericht");
        QTEST(o.ballen(), "ballen");
        QVERIFY(o.invoer.wachtrij().isEmpty());
        // Typed with the program's own drum, nothing is left for balls by hand later.
        if (!hand && o.avond.instellingen().zetHandmatig(true))
            QCOMPARE(typ(o.invoer, QStringLiteral("3\r")), QStringLiteral("++"));
        if (!hand) QCOMPARE(o.ballen(), QList<int>{3});
    }

    // Balls typed while the one before still blinks wait in turn and go in after it, in the
    // order typed, however long the blink lasts; a spoiled one does not wait. A scanner's
    // reset takes what was being typed. A new game forgets what waited.
    void wachtrij()
    {
        Opstelling o(m_kans, true);
        // Typed during the next blink only.
        QString tijdensKnipper;
        QString genomen, bericht;
        QList<int> wachtend;
        connect(&o.avond, &Avond::knipperBal, this, [&] {
            if (tijdensKnipper.isEmpty()) return;
            genomen = typ(o.invoer, std::exchange(tijdensKnipper, QString()));
            bericht = o.tekst.bericht();
            wachtend = o.invoer.wachtrij();
            // Longer than two tries: no waiting ball goes in while this one blinks.
            QTest::qWait(3 * BalInvoer::wachtMs);
            wachtend << -1 << o.ballen();
        });
        tijdensKnipper = QStringLiteral("23\r45\r1x\r");
        QCOMPARE(typ(o.invoer, QStringLiteral("12\r")), QStringLiteral("+++"));
        QCOMPARE(genomen, QStringLiteral("+++++++-+"));
        QCOMPARE(bericht, QStringLiteral("Geen bal: typ alleen het getal van de bal."));
        QCOMPARE(wachtend, (QList<int>{23, 45, -1, 12}));
        QTRY_COMPARE(o.ballen(), (QList<int>{12, 23, 45}));
        QVERIFY(o.invoer.wachtrij().isEmpty());

        typ(o.invoer, QStringLiteral("6"));
        o.invoer.wis();
        QVERIFY(o.invoer.cijfers().isEmpty() && o.tekst.bericht().isEmpty());
        QCOMPARE(typ(o.invoer, QStringLiteral("\r")), QStringLiteral("+"));
        QCOMPARE(o.ballen().size(), 3);

        tijdensKnipper = QStringLiteral("33\r");
        wachtend.clear();
        typ(o.invoer, QStringLiteral("7\r"));
        QCOMPARE(o.invoer.wachtrij(), QList<int>{33});
        o.avond.NieuwSpel();
        QVERIFY(o.invoer.wachtrij().isEmpty());
        QTest::qWait(3 * BalInvoer::wachtMs);
        QVERIFY(o.ballen().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TstBalInvoer)
#include "tst_balinvoer.moc"
