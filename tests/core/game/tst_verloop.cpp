// The evening's record: written as the game is played, read back at start.
#include "core/common/toeval.h"
#include "core/game/verloop.h"

#include <QDir>
#include <QRegularExpression>
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
        nieuwVerloop();
        m_spel.nieuwSpel(75, 2);
        for (int i = 0; i < 6; ++i)
            m_spel.trek(m_toeval);
        m_spel.neemTerug();
        m_spel.trek(m_toeval);
    }

    // What is read back is the game as it was played, times included; a confirmed exit ends it.
    void rondgang()
    {
        Verloop::Laatste l = leesTerug();
        QVERIFY(!l.beschadigd && !l.afgemaakt);
        QVERIFY(l.stand == m_spel.stand());
        QCOMPARE(l.bestand, dag());
        QFile f(dag());
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readLine().trimmed(), Verloop::kopRegel);
        const QList<QByteArray> velden = f.readLine().split(',');
        QCOMPARE(velden.size(), 7);
        QVERIFY(QDateTime::fromString(QString::fromLatin1(velden[0]), Qt::ISODateWithMs).isValid());
        QVERIFY(QRegularExpression(QStringLiteral("(Z|[+-]\\d\\d:\\d\\d)$"))
                    .match(QString::fromLatin1(velden[0]))
                    .hasMatch());
        m_spel.meldAfgesloten();
        QVERIFY(leesTerug().afgemaakt);
        QVERIFY(m_meldingen.isEmpty());
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

    // A settings folder where the record cannot be made: said once, the game goes on.
    void nietTeSchrijven()
    {
        QVERIFY(QDir(m_map.filePath(Verloop::mapNaam)).removeRecursively());
        voegToe(m_map.filePath(Verloop::mapNaam), "geen map");
        nieuwVerloop();
        m_spel.nieuwSpel(75, 4);
        QVERIFY(m_spel.trek(m_toeval) && m_spel.trek(m_toeval));
        QCOMPARE(m_spel.ballen().size(), 2);
        QCOMPARE(m_meldingen.size(), 1);
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
        QCOMPARE(leesTerug().bestand, Verloop::dagBestand(m_map.path(), QDate(2026, 12, 31)));
        QVERIFY(leesTerug().stand == m_spel.stand());
        m_spel.nieuwSpel(90, 6);
        QCOMPARE(leesTerug().bestand, Verloop::dagBestand(m_map.path(), QDate(2027, 1, 1)));
    }
};

QTEST_GUILESS_MAIN(TstVerloop)
#include "tst_verloop.moc"
