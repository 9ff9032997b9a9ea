// The evening's record: written as the game is played, read back at start.
#include "core/common/toeval.h"
#include "core/common/veiligbestand.h"
#include "core/game/trommel.h"
#include "core/game/verloop.h"
#include "testhulp.h"

#include <QDir>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QtTest>

class TstVerloop : public QObject
{
    Q_OBJECT
    QTemporaryDir m_map;
    Spel m_spel;
    std::unique_ptr<Verloop> m_verloop;
    VasteToeval m_toeval{21};
    QStringList m_meldingen;

    QString dag() { return Verloop::dagBestand(m_map.path(), QDate::currentDate()); }
    Verloop::Laatste leesTerug()
    {
        const auto l = Verloop::laatsteSpel(m_map.path());
        return l ? *l : Verloop::Laatste{};
    }
    void nieuwVerloop()
    {
        m_verloop = std::make_unique<Verloop>(m_map.path());
        m_verloop->zetMelder([this](const QString& t) { m_meldingen << t; });
        m_verloop->volg(m_spel);
    }
    static void voegToe(const QString& pad, const QByteArray& bytes)
    {
        QFile f(pad);
        QVERIFY(f.open(QIODevice::Append));
        f.write(bytes);
    }

private slots:
    void init()
    {
        QVERIFY(QDir(m_map.path()).removeRecursively() && QDir().mkpath(m_map.path()));
        m_meldingen.clear();
        m_spel.zetKlok([] { return QDateTime::currentDateTime(); });
        nieuwVerloop();
        m_spel.nieuwSpel(75, 2);
        for (int i = 0; i < 6; ++i)
            m_spel.trek(m_toeval);
        m_spel.neemTerug();
        m_spel.trek(m_toeval);
    }

    // What is read back is the game as it was played, times included; a confirmed exit ends it.
    // (The bytes of the lines the seeded evening keeps.)
    void rondgang()
    {
        Verloop::Laatste l = leesTerug();
        QVERIFY(!l.beschadigd && !l.afgemaakt);
        QVERIFY(l.stand == m_spel.stand());
        QCOMPARE(l.bestand, dag());
        m_spel.meldAfgesloten();
        QVERIFY(leesTerug().afgemaakt);
        QVERIFY(m_meldingen.isEmpty());
    }

    // A card check is a line of its own in the columns after `ballen` (also without a game, in
    // today's file), which a start passes over; a record of seven columns from before still
    // reads, with new lines after it.
    void controleEnOudeKolommen()
    {
        const int bal = m_spel.ballen().at(2).getal;
        m_verloop->schrijfControle(QStringLiteral("A-0017"), QStringLiteral("lijn"), QStringLiteral("bingo"), bal, 3);
        const QList<QByteArray> regels = TestHulp::leesBestand(dag()).split('\n');
        QCOMPARE(
            regels.value(regels.size() - 2).split(',').mid(1),
            (QList<QByteArray>{QByteArray::number(m_spel.spelNummer()), "2", "gecontroleerd", QByteArray::number(bal),
                               Trommel::letter(bal, 75).toLatin1(), "75", "A-0017", "lijn", "bingo", "3", "\r"}));
        QVERIFY(leesTerug().stand == m_spel.stand());

        QVERIFY(QFile::remove(dag()));
        QByteArray oud = Verloop::kopRegelZeven + "\r\n";
        for (QByteArray regel :
             {Verloop::regel(QDateTime::currentDateTime(), {90, 4, 9, {}}, Spel::Gebeurtenis::NieuwSpel, 0),
              Verloop::regel(QDateTime::currentDateTime(), {90, 4, 9, {}}, Spel::Gebeurtenis::Getrokken, 12)})
            oud += regel.replace(",,,,,\r\n", "\r\n");
        QVERIFY(TestHulp::schrijfBestand(dag(), oud));
        Spel zonder;
        Verloop los(m_map.path());
        los.volg(zonder);
        los.schrijfControle(QStringLiteral("B-0001"), {}, QStringLiteral("niet gevonden"), 0, 0);
        const Verloop::Laatste l = leesTerug();
        QVERIFY2(!l.beschadigd, qPrintable(l.fout));
        QCOMPARE(l.stand.spelNummer, 9);
        QCOMPARE(l.stand.ballen.size(), 1);
    }

    void afgebrokenRegel_data()
    {
        QTest::addColumn<QByteArray>("rest");
        QTest::newRow("afgebroken") << QByteArray("2026-12-06T20:00:00.000+01:00,1,2,getrok");
        QTest::newRow("nullen tot het regeleinde") << QByteArrayLiteral("2026-12-06T20:00:00.000+01:00,1,\0\0\0\r\n");
    }
    // What a crash left of the last line is passed over; the next line replaces it and the file
    // reads whole.
    void afgebrokenRegel()
    {
        QFETCH(QByteArray, rest);
        voegToe(dag(), rest);
        QVERIFY(leesTerug().stand == m_spel.stand());
        nieuwVerloop();
        m_verloop->hervat(leesTerug());
        m_spel.trek(m_toeval);
        const Verloop::Laatste l = leesTerug();
        QVERIFY(!l.beschadigd && l.stand == m_spel.stand());
        QVERIFY(m_meldingen.isEmpty());
    }

    // A damaged record never stops the game: it is kept aside, said once, and a new one begins.
    void beschadigd()
    {
        voegToe(dag(), "onzin\r\n" + Verloop::regel(QDateTime::currentDateTime(), m_spel.stand(),
                                                    Spel::Gebeurtenis::Afgesloten, 0));
        QVERIFY(leesTerug().beschadigd);
        nieuwVerloop();
        QVERIFY(!m_verloop->bijStart());
        QCOMPARE(m_meldingen.size(), 1);
        QVERIFY(QFile::exists(dag().chopped(4) + QStringLiteral("-beschadigd.csv")));
        m_spel.nieuwSpel(90, 3);
        m_spel.trek(m_toeval);
        QVERIFY(leesTerug().stand == m_spel.stand());
        QCOMPARE(m_meldingen.size(), 1);
    }

    // A settings folder where the record cannot be made: said once, the game goes on. The day's
    // first line cannot be written and the next can: the record begins with its header and
    // holds the whole game.
    void nietTeSchrijven()
    {
        QVERIFY(QDir(m_map.filePath(Verloop::mapNaam)).removeRecursively());
        voegToe(m_map.filePath(Verloop::mapNaam), "geen map");
        nieuwVerloop();
        m_spel.nieuwSpel(75, 4);
        QVERIFY(m_spel.trek(m_toeval) && m_spel.trek(m_toeval));
        QCOMPARE(m_spel.ballen().size(), 2);
        QCOMPARE(m_meldingen.size(), 1);

        QVERIFY(QFile::remove(m_map.filePath(Verloop::mapNaam)));
        int syncs = 0;
        VeiligBestand::syncHaak() = [&](int) { return ++syncs == 1 ? (errno = EIO, -1) : 0; };
        const auto zonderHaak = qScopeGuard([] { VeiligBestand::syncHaak() = nullptr; }); // also when a check fails
        nieuwVerloop();
        m_spel.nieuwSpel(90, 5);
        m_spel.trek(m_toeval);
        QVERIFY(TestHulp::leesBestand(dag()).startsWith(Verloop::kopRegel + "\r\n"));
        QVERIFY(leesTerug().stand == m_spel.stand());
        QCOMPARE(m_meldingen.size(), 3); // and said when it is whole again
    }

    // A game that runs past midnight stays in the file where it began; the next game does not.
    void middernacht()
    {
        QDateTime nu(QDate(2026, 12, 31), QTime(23, 59, 50));
        m_spel.zetKlok([&] { return nu; });
        m_verloop->zetKlok([&] { return nu; });
        m_spel.nieuwSpel(90, 5);
        nu = nu.addSecs(20);
        m_spel.trek(m_toeval);
        const auto terug = [&] { return *Verloop::laatsteSpel(m_map.path(), nullptr, nu); };
        QCOMPARE(terug().bestand, Verloop::dagBestand(m_map.path(), QDate(2026, 12, 31)));
        QVERIFY(terug().stand == m_spel.stand());
        m_spel.nieuwSpel(90, 6);
        QCOMPARE(terug().bestand, Verloop::dagBestand(m_map.path(), QDate(2027, 1, 1)));
    }

    // The record to take up is the one written last, by the times in its lines, today's first;
    // a record dated after today never is, and is named once. controleer reads the same way.
    void welkVerloop()
    {
        const QDateTime nu(QDate(2026, 12, 7), QTime(21, 0));
        QVERIFY(QDir(m_map.path()).removeRecursively());
        const auto schrijf = [&](const QDate& dag, const QDateTime& tijd, int spel) {
            const Spel::Stand s{75, 1, spel, {}};
            QVERIFY(TestHulp::schrijfBestand(Verloop::dagBestand(m_map.path(), dag),
                                             Verloop::kopRegel + "\r\n" +
                                                 Verloop::regel(tijd, s, Spel::Gebeurtenis::NieuwSpel, 0) +
                                                 Verloop::regel(tijd, s, Spel::Gebeurtenis::Getrokken, spel)));
        };
        const auto gekozen = [&] {
            const auto l = Verloop::laatsteSpel(m_map.path(), nullptr, nu);
            return l ? l->stand.spelNummer : 0;
        };
        // A clock once set ahead, and a game that began on 1 December and ran to the 3rd.
        schrijf(QDate(2099, 1, 1), QDateTime(QDate(2099, 1, 1), QTime(20, 0)), 9);
        schrijf(QDate(2026, 12, 1), QDateTime(QDate(2026, 12, 3), QTime(1, 0)), 1);
        schrijf(QDate(2026, 12, 2), QDateTime(QDate(2026, 12, 2), QTime(23, 0)), 2);
        QCOMPARE(gekozen(), 1);
        // A past day's record whose lines are dated after today is no newer for that.
        schrijf(QDate(2026, 11, 30), QDateTime(QDate(2026, 12, 8), QTime(0, 0)), 5);
        QCOMPARE(gekozen(), 1);
        // Tonight's record wins, even when an older one was written at a later moment.
        schrijf(QDate(2026, 12, 7), QDateTime(QDate(2026, 12, 7), QTime(20, 0)), 3);
        schrijf(QDate(2026, 12, 6), QDateTime(QDate(2026, 12, 7), QTime(20, 30)), 4);
        QCOMPARE(gekozen(), 3);
        QStringList toekomst;
        Verloop::laatsteSpel(m_map.path(), &toekomst, nu);
        QCOMPARE(toekomst, (QStringList{Verloop::dagBestand(m_map.path(), QDate(2026, 11, 30)),
                                        Verloop::dagBestand(m_map.path(), QDate(2099, 1, 1))}));
        nieuwVerloop();
        m_verloop->zetKlok([&] { return nu; });
        QCOMPARE(m_verloop->bijStart()->stand.spelNummer, 3);
        QCOMPARE(m_meldingen.size(), 1);
        QVERIFY(m_meldingen[0].contains(QStringLiteral("2099-01-01.csv")));
    }

    void onleesbareRegels_data()
    {
        QTest::addColumn<QByteArray>("regel"); // line 3, after the start of game 3 of 75 balls
        QTest::addColumn<bool>("leesbaar");
        const auto rij = [](const char* naam, const QByteArray& rest, bool leesbaar) {
            QTest::newRow(naam) << "2026-12-07T20:00:00.000+01:00," + rest << leesbaar;
        };
        rij("bal 75", "3,1,getrokken,75,O,75,,,,,", true);
        rij("bal 76", "3,1,getrokken,76,O,75,,,,,", false);
        rij("bal 0", "3,1,getrokken,0,B,75,,,,,", false);
        rij("getrokken zonder bal", "3,1,getrokken,,,75,,,,,", false);
        rij("verkeerde letter", "3,1,getrokken,5,O,75,,,,,", false);
        rij("80 ballen", "3,1,getrokken,5,B,80,,,,,", false);
        rij("90 in een spel van 75", "3,1,getrokken,5,B,90,,,,,", false);
        rij("de 75e bal", "3,1,winnaar,75,O,75,A-0001,lijn,gewonnen,75,", true);
        rij("de 76e bal", "3,1,winnaar,75,O,75,A-0001,lijn,gewonnen,76,", false);
        rij("de 0e bal", "3,1,winnaar,75,O,75,A-0001,lijn,gewonnen,0,", false);
        rij("compleet bij bal 99", "3,1,winnaar,75,O,75,A-0001,lijn,gewonnen met bal 99 (de 3e bal),5,", false);
        rij("compleet bij de 76e", "3,1,winnaar,75,O,75,A-0001,lijn,gewonnen met bal 7 (de 76e bal),5,", false);
        rij("controle zonder spel", ",,gecontroleerd,,,,A-0001,,niet gevonden,,", true);
        rij("onbekende gebeurtenis", "3,1,gegokt,,,75,,,,,", false);
        rij("herkomst", "3,1,getrokken,5,B,75,,,,,voet", false);
        rij("zeven kolommen", "3,1,getrokken,5,B,75", true);
        rij("dertien kolommen", "3,1,getrokken,5,B,75,,,,,,", false);
    }
    // What the report reads: a line that is no line of a record, or names what its game cannot
    // hold, is left out and named by its number; empty lines are passed over.
    void onleesbareRegels()
    {
        QFETCH(QByteArray, regel);
        QFETCH(bool, leesbaar);
        QList<int> onleesbaar;
        const QList<Verloop::Regel> regels = Verloop::alleRegels(
            Verloop::kopRegel + "\r\n2026-12-07T19:59:00.000+01:00,3,1,nieuw spel,,,75,,,,,\r\n" + regel + "\r\n\r\n",
            &onleesbaar);
        QCOMPARE(regels.size(), leesbaar ? 2 : 1);
        QCOMPARE(onleesbaar, leesbaar ? QList<int>() : QList<int>{3});
        QCOMPARE(regels.last().nummer, leesbaar ? 3 : 2);
    }

    // A line that cannot be written (a full disk) leaves no gap: the game in memory is the
    // truth, and the next line that can be written brings the file level with it first, "nieuw
    // spel" and take-backs included. A crash before that marks the record, and the next start
    // says that balls may be missing.
    void geenStilGat()
    {
        bool vol = true;
        const auto aanvuller = [&](const QString& pad, const QByteArray& regels, QString* fout) {
            if (vol) *fout = QStringLiteral("De schijf is vol.");
            return !vol && VeiligBestand::voegToe(pad, regels, fout);
        };
        m_verloop->zetAanvuller(aanvuller);
        m_spel.nieuwSpel(90, 3);
        for (int i = 0; i < 4; ++i)
            m_spel.trek(m_toeval);
        m_spel.neemTerug();
        QVERIFY(m_verloop->isAchter());
        QCOMPARE(m_meldingen.size(), 1);
        vol = false;
        m_spel.trek(m_toeval);
        QVERIFY(!m_verloop->isAchter());
        QVERIFY(leesTerug().stand == m_spel.stand());
        QCOMPARE(m_meldingen.size(), 2); // and said when it is whole again

        // A ball missed at the end of a game is caught up when a new game starts: the file gets
        // the missing ball first, then the new game and its balls, in order.
        vol = true;
        QVERIFY(m_spel.trek(m_toeval));
        const int gemist = m_spel.laatste(), spel = m_spel.spelNummer();
        const QList<Spel::Bal> eerste = m_spel.ballen();
        vol = false;
        m_spel.nieuwSpel(75, 4);
        QVERIFY(m_spel.trek(m_toeval));
        QStringList gebeurd;
        for (const Verloop::Regel& r : Verloop::alleRegels(*Verloop::leesBestand(dag(), nullptr)))
            gebeurd << QStringLiteral("%1 %2 %3").arg(r.spel).arg(r.gebeurtenis).arg(r.bal);
        QCOMPARE(gebeurd.mid(gebeurd.size() - 3),
                 (QStringList{QStringLiteral("%1 getrokken %2").arg(spel).arg(gemist),
                              QStringLiteral("%1 nieuw spel 0").arg(spel + 1),
                              QStringLiteral("%1 getrokken %2").arg(spel + 1).arg(m_spel.laatste())}));
        for (const Spel::Bal& b : eerste)
            QVERIFY(gebeurd.contains(QStringLiteral("%1 getrokken %2").arg(spel).arg(b.getal)));
        QCOMPARE(gebeurd.count(QStringLiteral("%1 getrokken %2").arg(spel).arg(gemist)), 1);
        QVERIFY(!m_verloop->isAchter() && leesTerug().stand == m_spel.stand());

        vol = true;
        m_spel.trek(m_toeval);
        m_spel.trek(m_toeval);
        const Spel::Stand getoond = m_spel.stand();
        nieuwVerloop(); // the program ended without the disk coming back
        m_verloop->zetMelder({});
        auto l = m_verloop->bijStart();
        QVERIFY(l && l->onvolledig && l->stand.ballen.size() == getoond.ballen.size() - 2);
        QVERIFY(TestHulp::leesBestand(m_map.filePath("Verloop/stand.txt")).startsWith("onvolledig"));
        // Taken up, the game keeps its mark; the next game is whole again.
        m_verloop->hervat(*l);
        m_spel.herstel(l->stand);
        m_spel.trek(m_toeval);
        nieuwVerloop();
        QVERIFY(m_verloop->bijStart()->onvolledig);
        m_spel.nieuwSpel(75, 4);
        nieuwVerloop();
        QVERIFY(!m_verloop->bijStart()->onvolledig);
    }

    // The record read at start is not read again for the first line after it: a 50 MB record
    // would take seconds twice. A record that changed size meanwhile is looked at again.
    void eenKeerGelezen()
    {
        nieuwVerloop();
        const auto l = m_verloop->bijStart();
        QVERIFY(l);
        m_verloop->hervat(*l);
        QByteArray inhoud = TestHulp::leesBestand(dag());
        QVERIFY(TestHulp::schrijfBestand(dag(), QByteArray(inhoud.size(), 'x'))); // a second look would set it aside
        m_spel.trek(m_toeval);
        QVERIFY(TestHulp::leesBestand(dag()).startsWith("xxxx"));
        QVERIFY(m_meldingen.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TstVerloop)
#include "tst_verloop.moc"
