// The board in a real browser: the program started as `zorvak --web POORT` starts it, headless
// Chromium on its page, balls drawn with the space bar, a ball taken back and a new game; the
// page's text follows each, and a page whose server went away says so and catches up.
#include "testhulp.h"

#include "core/settings/webinstelling.h"
#include "core/web/webbord.h"
#include "core/web/webvoeding.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QStandardPaths>
#include <QTcpServer>
#include <QtTest>

class TestWebBrowser : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<TestHulp::Opstelling> m_o;
    QProcess m_browser;

    // The page's visible text, as the browser shows it now.
    QString tekst()
    {
        m_browser.write("tekst\n");
        while (!m_browser.canReadLine())
            if (!m_browser.waitForReadyRead(20000)) return QStringLiteral("(de browser zwijgt)");
        const QByteArray regel = m_browser.readLine();
        return QJsonDocument::fromJson("[" + regel + "]").array().at(0).toString();
    }
    Avond& avond() { return m_o->avond(); }
    // The balls the page shows: the last one large, then the `vorige` before it in the strip.
    static QStringList balletjes(const QString& t, int vorige)
    {
        const auto na = [&t](const QString& kop, int aantal) {
            const int van = t.indexOf(kop, 0, Qt::CaseInsensitive);
            return van < 0 ? QStringList()
                           : t.mid(van + kop.size()).split(QLatin1Char('\n'), Qt::SkipEmptyParts).mid(0, aantal);
        };
        return na(QStringLiteral("Laatste bal"), 1) + na(QStringLiteral("Vorige ballen"), vorige);
    }
    void spatie() { QTest::keyClick(m_o->main().Pic, Qt::Key_Space); }

    static int vrijePoort()
    {
        QTcpServer s;
        s.listen(QHostAddress::LocalHost);
        return s.serverPort();
    }

    // The pictures of the README and the manual, when asked for: the game after eight balls on a
    // phone held upright and on a TV.
    void fotos()
    {
        const QString map = qEnvironmentVariable("ZORVAK_WEBFOTO");
        if (map.isEmpty()) return;
        for (auto n = avond().spel().ballen().size(); n < 8; ++n) {
            spatie();
            QTRY_COMPARE(avond().spel().ballen().size(), n + 1);
        }
        QTRY_VERIFY_WITH_TIMEOUT(tekst().contains(QStringLiteral("8 ballen getrokken")), 10000);
        for (const auto& [b, h, naam] : {std::tuple{390, 844, "telefoon"}, std::tuple{1920, 1080, "tv"}}) {
            m_browser.write(QStringLiteral("foto %1 %2 1 %3/schermafdruk-web-%4.png\n")
                                .arg(b)
                                .arg(h)
                                .arg(QDir(map).absolutePath(), QString::fromLatin1(naam))
                                .toUtf8());
            while (!m_browser.canReadLine())
                QVERIFY(m_browser.waitForReadyRead(20000));
            QCOMPARE(m_browser.readLine().trimmed(), QByteArray("ok"));
        }
    }

private slots:
    void initTestCase()
    {
        if (TestHulp::buitenProgramma(QStringLiteral("chromium")).isEmpty()) return;
        m_o = std::make_unique<TestHulp::Opstelling>();
        // As main() does with the program's arguments.
        const QString poort = QString::number(vrijePoort());
        WebInstelling web;
        QString fout;
        QVERIFY(WebInstelling::uitArgumenten({QStringLiteral("zorvak"), QStringLiteral("--web"), poort}, &web, &fout));
        QVERIFY2(avond().web().zet(web, false, &fout), qPrintable(fout));
        m_o->programma->start();
        m_browser.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_browser.start(QStringLiteral("python3"), {QStringLiteral(ZORVAK_SOURCE_DIR "/tests/app/chromium.py"),
                                                    QStringLiteral("http://127.0.0.1:%1/").arg(poort)});
        QVERIFY(m_browser.waitForStarted(20000) && m_browser.waitForReadyRead(60000));
        QCOMPARE(m_browser.readLine().trimmed(), QByteArray("klaar"));
    }
    void cleanupTestCase()
    {
        m_browser.closeWriteChannel();
        if (!m_browser.waitForFinished(20000)) m_browser.kill();
        m_o.reset();
    }

    void pagina()
    {
        QTRY_VERIFY_WITH_TIMEOUT(tekst().contains(QStringLiteral("Nog geen spel begonnen")), 20000);
        avond().NieuwSpel();
        QTRY_VERIFY_WITH_TIMEOUT(tekst().contains(QStringLiteral("0 ballen getrokken")), 10000);
        QList<QString> ballen;
        for (int i = 0; i < 3; ++i) {
            spatie();
            QTRY_COMPARE(avond().spel().ballen().size(), i + 1);
            const int n = avond().spel().laatste();
            ballen << Trommel::letter(n, 75) + QString::number(n);
        }
        QTRY_VERIFY_WITH_TIMEOUT(tekst().contains(QStringLiteral("3 ballen getrokken")), 10000);
        QString t = tekst();
        // The last ball large, the two before it in the strip, the round as the stage says it.
        QCOMPARE(balletjes(t, 2), (QStringList{ballen[2], ballen[1], ballen[0]}));
        QVERIFY2(t.contains(QStringLiteral("Ronde 0 (75 ballen)")) && !t.contains(QStringLiteral("Spel")),
                 qPrintable(t));

        // A ball taken back, and a new game, on every open page at once.
        Melding::zetVolgendAntwoord(true);
        QTest::keyClick(m_o->main().Pic, Qt::Key_Backspace);
        QTRY_VERIFY_WITH_TIMEOUT(tekst().contains(QStringLiteral("2 ballen getrokken")), 10000);
        avond().NieuwSpel();
        QTRY_VERIFY_WITH_TIMEOUT(tekst().contains(QStringLiteral("0 ballen getrokken")), 10000);

        // A Kien round of the programme: its round and stage with the prize, the balls by their
        // number alone. Stopped, the game on the board is called with letters again.
        using S = AvondProgramma::Soort;
        AvondProgramma programma;
        programma.rondes << AvondProgramma::Ronde{S::Kienen, AvondProgramma::standaardFasen(S::Kienen), {}, 0};
        programma.rondes[0].fasen[0].prijs = QStringLiteral("Taart");
        programma.rondes[0].fasen[0].bedrag = 1000;
        QVERIFY(avond().programma().zet(programma));
        avond().startProgramma();
        QList<int> kien;
        for (int i = 0; i < 2; ++i) {
            spatie();
            QTRY_COMPARE(avond().spel().ballen().size(), i + 1);
            kien << avond().spel().laatste();
        }
        QTRY_VERIFY_WITH_TIMEOUT(tekst().contains(QStringLiteral("2 ballen getrokken")), 10000);
        t = tekst();
        QCOMPARE(balletjes(t, 1), (QStringList{QString::number(kien[1]), QString::number(kien[0])}));
        QVERIFY2(t.contains(QStringLiteral("Ronde 1 (90 ballen)")) &&
                     t.contains(QStringLiteral("1 rij · Taart (€ 10)")),
                 qPrintable(t));
        avond().programma().stop();
        const QString metLetter = Trommel::letter(kien[1], 90) + QString::number(kien[1]);
        QTRY_COMPARE_WITH_TIMEOUT(balletjes(tekst(), 0).value(0), metLetter, 10000);
        avond().NieuwSpel();
        QTRY_VERIFY_WITH_TIMEOUT(tekst().contains(QStringLiteral("0 ballen getrokken")), 10000);
    }

    // The server goes away and comes back: the page says so, then shows the game as it is now.
    void verbindingWeg()
    {
        const int poort = avond().web().bord()->poort();
        QVERIFY(avond().web().zet({false, poort}, false));
        QTRY_VERIFY_WITH_TIMEOUT(tekst().contains(QStringLiteral("Geen verbinding met Zorvak")), 10000);
        spatie();
        QTRY_COMPARE(avond().spel().ballen().size(), 1);
        QVERIFY(avond().web().zet({true, poort}, false));
        QTRY_VERIFY_WITH_TIMEOUT(tekst().contains(QStringLiteral("1 bal getrokken")), 20000);
        QVERIFY(!tekst().contains(QStringLiteral("Geen verbinding")));
        fotos();
    }
};

QTEST_MAIN(TestWebBrowser)
#include "tst_webbrowser.moc"
