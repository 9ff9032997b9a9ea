// The board in a real browser: the program started as `zorvak --web POORT` starts it, headless
// Chromium on its page, balls drawn with the space bar, a ball taken back and a new game; the
// page's text follows each, and a page whose server went away says so and catches up. On a
// phone, a player follows printed cards under "Mijn kaarten" through a Bingo game and a Kien
// round.
#include "testhulp.h"

#include "core/cards/kaartregister.h"
#include "core/common/toeval.h"
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
    int m_vraagNummer = 0;

    // Asks the browser one thing and returns its answer: the line that carries the question's
    // number, so an answer that came late for an earlier question is never taken for this one.
    QByteArray vraagBrowser(const QByteArray& opdracht)
    {
        const QByteArray nummer = QByteArray::number(++m_vraagNummer) + ' ';
        m_browser.write(nummer + opdracht + '\n');
        QElapsedTimer klok;
        klok.start();
        while (klok.elapsed() < 20000) {
            while (m_browser.canReadLine()) {
                const QByteArray regel = m_browser.readLine().trimmed();
                if (regel.startsWith(nummer)) return regel.mid(nummer.size());
            }
            m_browser.waitForReadyRead(200);
        }
        return "(de browser zwijgt)";
    }
    // The page's visible text, as the browser shows it now.
    QString tekst()
    {
        return QJsonDocument::fromJson("[" + vraagBrowser("tekst") + "]").array().at(0).toString();
    }
    Avond& avond() { return m_o->avond(); }
    // The value of a script on the page.
    QJsonValue js(const QString& uitdrukking)
    {
        return QJsonDocument::fromJson("[" + vraagBrowser("js " + uitdrukking.toUtf8()) + "]").array().at(0);
    }
    bool opdracht(const QByteArray& regel)
    {
        const QByteArray antwoord = vraagBrowser(regel);
        if (antwoord != "ok") qWarning("%s: %s", regel.constData(), antwoord.constData());
        return antwoord == "ok";
    }
    // The player types a card's number and presses "Volgen".
    void volg(const QString& nummer)
    {
        js(QStringLiteral("document.getElementById('mijn-nummer').value = '%1'; "
                          "document.getElementById('mijn-vorm').requestSubmit(); true")
               .arg(nummer));
    }
    // The marked numbers of a followed card, as the page shows them; -1 when it shows no such card.
    QList<int> merken(const QString& nummer, const char* klasse = "getrokken")
    {
        const QJsonValue v = js(QStringLiteral("(() => { const k = document.querySelector('.kaart[data-nummer=\"%1\"]'); "
                                               "return k ? [...k.querySelectorAll('.cel.%2')].map(c => +c.textContent) "
                                               ": null; })()")
                                    .arg(nummer, QLatin1String(klasse)));
        QList<int> uit;
        if (!v.isArray()) return {-1};
        for (const QJsonValue& n : v.toArray())
            uit << n.toInt();
        std::sort(uit.begin(), uit.end());
        return uit;
    }
    // The numbers of a card that are drawn now, sorted.
    QList<int> getrokkenVan(const RegisterKaart& kaart)
    {
        QList<int> uit;
        for (int n : kaart.getallen)
            if (n > 0 && avond().spel().isGetrokken(n)) uit << n;
        std::sort(uit.begin(), uit.end());
        return uit;
    }
    QString melding() { return js(QStringLiteral("document.getElementById('mijn-melding').textContent")).toString(); }
    // The page loaded anew, its scripts started: the old page is marked, so it is not taken for
    // the new one before it has gone.
    void herlaad()
    {
        js(QStringLiteral("window.zorvakOud = true; location.reload(); true"));
        QTRY_VERIFY_WITH_TIMEOUT(js(QStringLiteral("!window.zorvakOud && document.readyState === 'complete' && "
                                                   "!!window.zorvakKaarten"))
                                     .toBool(),
                                 20000);
    }
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

    // A picture of the players' cards on a phone held upright, when asked for.
    void fotos(const QString& naam)
    {
        const QString map = qEnvironmentVariable("ZORVAK_WEBFOTO");
        if (map.isEmpty()) return;
        js(QStringLiteral("document.getElementById('mijn').scrollIntoView(); true"));
        QVERIFY(opdracht(QStringLiteral("foto 390 844 1 %1/schermafdruk-web-%2.png")
                             .arg(QDir(map).absolutePath(), naam)
                             .toUtf8()));
        QVERIFY(opdracht("maat 390 844"));
        js(QStringLiteral("window.scrollTo(0, 0); true"));
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
            // A page opened lying down shows "Mijn kaarten" closed, as a TV has it.
            js(QStringLiteral("document.getElementById('mijn').open = %1; true").arg(b < h ? "true" : "false"));
            QVERIFY(opdracht(QStringLiteral("foto %1 %2 1 %3/schermafdruk-web-%4.png")
                                 .arg(b)
                                 .arg(h)
                                 .arg(QDir(map).absolutePath(), QString::fromLatin1(naam))
                                 .toUtf8()));
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

    // A player on a phone follows a Bingo card and a Kien card: their marks follow the balls, a
    // ball taken back and a new game; a card of the other game says so; a number that is no card
    // is refused; a card complete for the stage says so in large type. The cards stay on the
    // phone through a reload, until the player removes them or another evening begins.
    void mijnKaarten()
    {
        VasteToeval kans(7);
        const QList<RegisterKaart> bingo =
            TestHulp::drukKaarten(m_o->map.path(), KaartSoort::Bingo75, QStringLiteral("A"), 1, kans);
        const QList<RegisterKaart> kien =
            TestHulp::drukKaarten(m_o->map.path(), KaartSoort::Kien, QStringLiteral("K"), 1, kans);
        QVERIFY(bingo.size() == 6 && kien.size() == 6);
        QVERIFY(opdracht("maat 390 844"));
        herlaad();
        if (avond().programma().loopt()) avond().programma().stop();
        avond().NieuwSpel();
        QTRY_VERIFY_WITH_TIMEOUT(tekst().contains(QStringLiteral("0 ballen getrokken")), 10000);

        // Typed as "a-1": shown as printed, nothing drawn, one line through FREE needs four.
        volg(QStringLiteral("a-1"));
        QTRY_COMPARE_WITH_TIMEOUT(merken(QStringLiteral("A-0001")), QList<int>{}, 10000);
        QVERIFY(tekst().contains(QStringLiteral("nog 4 voor 1 rij")));
        volg(QStringLiteral("A-0099"));
        QTRY_VERIFY_WITH_TIMEOUT(melding().contains(QStringLiteral("Kaart A-0099 is niet gevonden")), 10000);
        // A number alone belongs to the series chosen beside it, the one printed last at first.
        QTRY_COMPARE_WITH_TIMEOUT(js(QStringLiteral("[...document.querySelectorAll('#mijn-serie option')]"
                                                    ".map(o => o.value).join()"))
                                      .toString(),
                                  QStringLiteral("K,A"), 10000);
        js(QStringLiteral("document.getElementById('mijn-serie').value = 'A'; true"));
        volg(QStringLiteral("3"));
        QTRY_COMPARE_WITH_TIMEOUT(merken(QStringLiteral("A-0003")), QList<int>{}, 10000);
        js(QStringLiteral("document.querySelector('.kaart[data-nummer=\"A-0003\"] .weg').click(); true"));
        volg(QStringLiteral("K-0002"));
        volg(QStringLiteral("K-0005"));
        QTRY_VERIFY_WITH_TIMEOUT(
            tekst().contains(QStringLiteral("Kaart K-0002 is een Kienkaart; er wordt nu Bingo 75 gespeeld.")), 10000);

        // Three numbers of the card's top row: marked, the last one standing out.
        const QList<int> rij = bingo[0].getallen.mid(0, 5);
        for (int i = 0; i < 3; ++i)
            QVERIFY(avond().spel().voerIn(rij[i]));
        QTRY_COMPARE_WITH_TIMEOUT(merken(QStringLiteral("A-0001")), getrokkenVan(bingo[0]), 10000);
        QCOMPARE(merken(QStringLiteral("A-0001"), "nieuwste"), QList<int>{rij[2]});
        QVERIFY2(tekst().contains(QStringLiteral("nog 2 voor 1 rij")), qPrintable(tekst()));
        // Taken back: its mark goes.
        Melding::zetVolgendAntwoord(true);
        QTest::keyClick(m_o->main().Pic, Qt::Key_Backspace);
        QTRY_COMPARE_WITH_TIMEOUT(merken(QStringLiteral("A-0001")).size(), 2, 10000);
        QVERIFY(!merken(QStringLiteral("A-0001")).contains(rij[2]));
        QVERIFY(tekst().contains(QStringLiteral("nog 3 voor 1 rij")));
        // The row full: complete for the stage, in large type, and on to the full card.
        for (int i = 2; i < 5; ++i)
            QVERIFY(avond().spel().voerIn(rij[i]));
        QTRY_VERIFY_WITH_TIMEOUT(
            tekst().contains(QStringLiteral("Kaart A-0001 is compleet voor 1 rij: roep BINGO!")), 10000);
        QVERIFY(tekst().contains(QStringLiteral("voor volle kaart")));
        QVERIFY(!tekst().contains(QStringLiteral("Kaart K-0002 is compleet")));
        fotos(QStringLiteral("kaarten-bingo"));
        // A new game: no marks.
        avond().NieuwSpel();
        QTRY_COMPARE_WITH_TIMEOUT(merken(QStringLiteral("A-0001")), QList<int>{}, 10000);
        QVERIFY(!tekst().contains(QStringLiteral("is compleet")));

        // A Kien round of the programme: the Kien card plays, the Bingo card says it cannot.
        using S = AvondProgramma::Soort;
        AvondProgramma programma;
        programma.rondes << AvondProgramma::Ronde{S::Kienen, AvondProgramma::standaardFasen(S::Kienen), {}, 0};
        QVERIFY(avond().programma().zet(programma));
        avond().startProgramma();
        QTRY_VERIFY_WITH_TIMEOUT(
            tekst().contains(QStringLiteral("Kaart A-0001 is een Bingokaart (75); er wordt nu Kienen gespeeld.")),
            10000);
        QVERIFY(tekst().contains(QStringLiteral("nog 5 voor 1 rij")));
        for (int n : kien[1].getallen.mid(9, 9))
            if (n > 0) QVERIFY(avond().spel().voerIn(n));
        QTRY_VERIFY_WITH_TIMEOUT(
            tekst().contains(QStringLiteral("Kaart K-0002 is compleet voor 1 rij: roep KIEN!")), 10000);
        QCOMPARE(merken(QStringLiteral("K-0002")), getrokkenVan(kien[1]));
        QCOMPARE(merken(QStringLiteral("K-0005")), getrokkenVan(kien[4]));
        // A card of another game is never said to be complete, whatever is drawn.
        QVERIFY(!tekst().contains(QStringLiteral("Kaart A-0001 is compleet")));
        fotos(QStringLiteral("kaarten-kien"));

        // Kept on the phone: a reload shows both again, marked as before.
        herlaad();
        QTRY_COMPARE_WITH_TIMEOUT(merken(QStringLiteral("K-0002")), getrokkenVan(kien[1]), 10000);
        QTRY_COMPARE_WITH_TIMEOUT(merken(QStringLiteral("A-0001")), getrokkenVan(bingo[0]), 10000);
        // Removed: gone, also after a reload.
        js(QStringLiteral("document.querySelector('.kaart[data-nummer=\"A-0001\"] .weg').click(); true"));
        QTRY_COMPARE_WITH_TIMEOUT(merken(QStringLiteral("A-0001")), QList<int>{-1}, 10000);
        herlaad();
        QTRY_COMPARE_WITH_TIMEOUT(merken(QStringLiteral("K-0002")), getrokkenVan(kien[1]), 10000);
        QCOMPARE(merken(QStringLiteral("A-0001")), QList<int>{-1});
        // Another evening: the page begins without cards.
        js(QStringLiteral("localStorage.setItem('zorvak-kaarten', JSON.stringify({avond: '2001-01-01', "
                          "nummers: ['K-0002']})); true"));
        herlaad();
        QTRY_VERIFY_WITH_TIMEOUT(tekst().contains(QStringLiteral("Volg hier uw eigen kaarten")), 10000);
        QCOMPARE(merken(QStringLiteral("K-0002")), QList<int>{-1});

        avond().programma().stop();
        avond().NieuwSpel();
        QVERIFY(opdracht("maat 1280 800"));
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
