// The players' cards for the board's page: a card by its number, as it was printed (read back
// from the PDF), refused with a reason when there is none, the register never changed; a device
// that asks for too many numbers slowed down, at the limit and next to it; the series; and the
// figures the page counts a card's stages by, held against the organiser's check.
#include "testhulp.h"

#include "core/cards/controle.h"
#include "core/cards/genummerd.h"
#include "core/cards/kaartregister.h"
#include "core/cards/uitvoer.h"
#include "core/common/toeval.h"
#include "core/web/webdoelen.h"
#include "core/web/webkaarten.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

namespace
{
using Klok = WebKaarten::Klok;

QJsonObject alsJson(const WebKaarten::Antwoord& a)
{
    return QJsonDocument::fromJson(a.json).object();
}

QList<int> getallen(const QJsonObject& kaart)
{
    QList<int> uit;
    for (const QJsonValue& v : kaart.value(QStringLiteral("getallen")).toArray())
        uit << v.toInt();
    return uit;
}

// Whether any figure of a stage is complete on the card, by the page's rule.
bool heeftFiguur(const QList<QList<int>>& figuren, const QList<int>& cellen, const Controle::Getrokken& getrokken)
{
    for (const QList<int>& figuur : figuren) {
        bool vol = true;
        for (int i : figuur)
            vol = vol && (cellen[i] <= 0 || getrokken[static_cast<std::size_t>(cellen[i])]);
        if (vol) return true;
    }
    return false;
}
} // namespace

class TestWebKaarten : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_map;
    QString m_register;
    QList<RegisterKaart> m_bingo;
    QList<RegisterKaart> m_kien;
    QString m_kienPdf;

private slots:
    void initTestCase()
    {
        // Bingo 75 cards A-0001..A-0006, then Kien cards K-0001..K-0006 printed into a PDF.
        VasteToeval kans(3);
        m_bingo = TestHulp::drukKaarten(m_map.path(), KaartSoort::Bingo75, QStringLiteral("A"), 1, kans);
        m_register = KaartRegister::padIn(m_map.path());
        KaartRegister reg(m_register);
        QVERIFY(reg.open());
        m_kienPdf = m_map.filePath(QStringLiteral("kien.pdf"));
        PdfUitvoer pdf(m_kienPdf);
        QString fout;
        QVERIFY2(Afdruk::genummerd(pdf, reg, KaartSoort::Kien, QStringLiteral("K"), 1, QString(), kans, false, nullptr,
                                   &fout),
                 qPrintable(fout));
        for (int n = 1; n <= 6; ++n)
            m_kien << *reg.kaart(QStringLiteral("K"), n);
        QCOMPARE(m_bingo.size(), 6);
    }

    // A card as typed in its several ways, with its numbers row by row as the register has them.
    void kaart()
    {
        WebKaarten kaarten(m_register);
        for (const char* getypt : {"A-0002", "a-2", "A2", " A - 2 "}) {
            const WebKaarten::Antwoord a = kaarten.kaart("1", QString::fromLatin1(getypt));
            QCOMPARE(a.status, 200);
            const QJsonObject o = alsJson(a);
            QCOMPARE(o.value(QStringLiteral("nummer")).toString(), QStringLiteral("A-0002"));
            QCOMPARE(o.value(QStringLiteral("soort")).toString(), QStringLiteral("Bingo 75"));
            QCOMPARE(o.value(QStringLiteral("naam")).toString(), QStringLiteral("een Bingokaart (75)"));
            QCOMPARE(getallen(o), m_bingo[1].getallen);
        }
        const QJsonObject k = alsJson(kaarten.kaart("1", QStringLiteral("K-0006")));
        QCOMPARE(k.value(QStringLiteral("soort")).toString(), QStringLiteral("Kien"));
        QCOMPARE(getallen(k), m_kien[5].getallen);
    }

    // A Kien page holds every number once: each card's rows stand in the PDF on one line each,
    // in the card's order, in its columns from left to right, one card under the other.
    void kaartZoalsGedrukt()
    {
        if (TestHulp::buitenProgramma(QStringLiteral("pdftotext")).isEmpty()) return;
        const TestHulp::PdfWoorden pdf = TestHulp::pdfWoorden(m_kienPdf);
        QHash<int, QRectF> plek;
        for (const auto& [woord, vak] : pdf.woorden) {
            bool getal = false;
            const int n = woord.toInt(&getal);
            if (getal && n >= 1 && n <= 90) plek.insert(n, vak);
        }
        QCOMPARE(plek.size(), 90);
        WebKaarten kaarten(m_register);
        double onderVorige = 0;
        for (int nummer = 1; nummer <= 6; ++nummer) {
            const QList<int> cellen = getallen(alsJson(kaarten.kaart("1", QStringLiteral("K-%1").arg(nummer))));
            QCOMPARE(cellen.size(), 27);
            double boven = 1e9;
            double vorigeRij = 0;
            for (int rij = 0; rij < 3; ++rij) {
                double y = -1;
                double x = -1;
                int kolomVorige = -1;
                for (int kolom = 0; kolom < 9; ++kolom) {
                    const int n = cellen[rij * 9 + kolom];
                    if (n == 0) continue;
                    const QRectF vak = plek.value(n);
                    if (y < 0) y = vak.center().y();
                    QVERIFY2(qAbs(vak.center().y() - y) < 2, qPrintable(QStringLiteral("K-%1 %2").arg(nummer).arg(n)));
                    QVERIFY(vak.left() > x);
                    // A column further right by at least its width for every column skipped.
                    if (kolomVorige >= 0) QVERIFY(vak.left() - x > (kolom - kolomVorige - 1) * 20);
                    x = vak.left();
                    kolomVorige = kolom;
                }
                QVERIFY(y > vorigeRij);
                vorigeRij = y;
                boven = std::min(boven, y);
            }
            QVERIFY(boven > onderVorige);
            onderVorige = vorigeRij;
        }
    }

    // No card: each with its reason, the status the page tells apart; the register is only read.
    void geenKaart_data()
    {
        QTest::addColumn<QString>("nummer");
        QTest::addColumn<QString>("reden");
        QTest::newRow("na de laatste") << "A-0007" << "Kaart A-0007 is niet gevonden";
        QTest::newRow("andere reeks") << "B-0001" << "Kaart B-0001 is niet gevonden";
        QTest::newRow("nul") << "A-0000" << "is geen kaartnummer";
        QTest::newRow("zonder reeks") << "17" << "met de letter van de reeks";
        QTest::newRow("geen nummer") << "A-00x7" << "\"A-00x7\" is geen kaartnummer";
        QTest::newRow("sql") << "A-1' OR 1=1 --" << "is geen kaartnummer";
    }
    void geenKaart()
    {
        QFETCH(QString, nummer);
        QFETCH(QString, reden);
        const QByteArray voor = TestHulp::leesBestand(m_register);
        const QDateTime gewijzigd = QFileInfo(m_register).lastModified();
        WebKaarten kaarten(m_register);
        const WebKaarten::Antwoord a = kaarten.kaart("1", nummer);
        QCOMPARE(a.status, 404);
        QVERIFY2(alsJson(a).value(QStringLiteral("fout")).toString().contains(reden), a.json.constData());
        QCOMPARE(TestHulp::leesBestand(m_register), voor);
        QCOMPARE(QFileInfo(m_register).lastModified(), gewijzigd);
        QVERIFY(!QFileInfo::exists(m_register + QStringLiteral("-journal")));
    }

    // Cards still being printed are not there yet; without a register nothing is made; a file
    // that is no register, or cannot be read now, is another answer than "no such card".
    void geenRegister()
    {
        QTemporaryDir leeg;
        const QString pad = KaartRegister::padIn(leeg.path());
        WebKaarten zonder(pad);
        WebKaarten::Antwoord a = zonder.kaart("1", QStringLiteral("A-0001"));
        QCOMPARE(a.status, 404);
        QVERIFY(alsJson(a).value(QStringLiteral("fout")).toString().contains(QStringLiteral("nog geen kaarten")));
        QVERIFY(!QFileInfo::exists(pad));
        QCOMPARE(alsJson(zonder.series("1")).value(QStringLiteral("series")).toArray(), QJsonArray());

        QVERIFY(TestHulp::schrijfBestand(pad, QByteArray("geen database, maar tekst\n").repeated(20)));
        a = zonder.kaart("1", QStringLiteral("A-0001"));
        QCOMPARE(a.status, 503);
        QVERIFY(a.wachtSeconden > 0);
        QCOMPARE(TestHulp::leesBestand(pad), QByteArray("geen database, maar tekst\n").repeated(20));

        QTemporaryDir bezig;
        VasteToeval kans(4);
        KaartRegister reg(KaartRegister::padIn(bezig.path()));
        QVERIFY(TestHulp::registreer(reg, KaartSoort::Bingo75, QStringLiteral("A"), 1, kans));
        QVERIFY(reg.registreer(KaartSoort::Bingo75, QStringLiteral("A"), 1, kans));
        WebKaarten tijdens(KaartRegister::padIn(bezig.path()));
        QCOMPARE(tijdens.kaart("1", QStringLiteral("A-0006")).status, 200);
        QCOMPARE(tijdens.kaart("1", QStringLiteral("A-0007")).status, 404);
    }

    // The series, the one printed last first; asked for, they count among a device's questions.
    void series()
    {
        WebKaarten kaarten(m_register, {1, 3, 16});
        const Klok::time_point t0{};
        QCOMPARE(alsJson(kaarten.series("a", t0)).value(QStringLiteral("series")).toArray(),
                 (QJsonArray{QStringLiteral("K"), QStringLiteral("A")}));
        // Among the questions, not the numbers: a card can still be had, then the share is used.
        QCOMPARE(kaarten.series("a", t0).status, 200);
        QCOMPARE(kaarten.kaart("a", QStringLiteral("A-1"), t0).status, 200);
        QCOMPARE(kaarten.series("a", t0).status, 429);
    }

    // At most `nummers` different numbers a minute per device: the last one allowed, the one
    // after it refused until the first is a minute old; a number asked again is no new one,
    // until `vragen` questions; another device is not held up; text that is no number counts.
    void tempo()
    {
        WebKaarten kaarten(m_register, {3, 6, 16});
        const Klok::time_point t0{};
        const auto s = [](double seconden) {
            return std::chrono::duration_cast<Klok::duration>(std::chrono::duration<double>(seconden));
        };
        QCOMPARE(kaarten.kaart("a", QStringLiteral("A-1"), t0).status, 200);
        QCOMPARE(kaarten.kaart("a", QStringLiteral("A-9"), t0 + s(10)).status, 404);
        QCOMPARE(kaarten.kaart("a", QStringLiteral("onzin"), t0 + s(20)).status, 404);
        WebKaarten::Antwoord a = kaarten.kaart("a", QStringLiteral("A-2"), t0 + s(30));
        QCOMPARE(a.status, 429);
        QCOMPARE(a.wachtSeconden, 30);
        QVERIFY(alsJson(a).value(QStringLiteral("fout")).toString().contains(QStringLiteral("over 30 seconden")));
        // Asked again, in another writing: the same number.
        QCOMPARE(kaarten.kaart("a", QStringLiteral("a1"), t0 + s(31)).status, 200);
        QCOMPARE(kaarten.kaart("b", QStringLiteral("A-2"), t0 + s(31)).status, 200);
        a = kaarten.kaart("a", QStringLiteral("A-2"), t0 + s(69.9));
        QCOMPARE(a.status, 429);
        QCOMPARE(a.wachtSeconden, 1);
        // A minute after the second number, there is room for one.
        QCOMPARE(kaarten.kaart("a", QStringLiteral("A-2"), t0 + s(70)).status, 200);
        QCOMPARE(kaarten.kaart("a", QStringLiteral("A-3"), t0 + s(71)).status, 429);

        // Repeats: six questions a minute, the seventh waits.
        WebKaarten herhaald(m_register, {3, 6, 16});
        for (int i = 0; i < 6; ++i)
            QCOMPARE(herhaald.kaart("c", QStringLiteral("A-1"), t0 + s(i)).status, 200);
        a = herhaald.kaart("c", QStringLiteral("A-1"), t0 + s(6));
        QCOMPARE(a.status, 429);
        QCOMPARE(a.wachtSeconden, 54);
        QCOMPARE(herhaald.kaart("c", QStringLiteral("A-1"), t0 + s(60)).status, 200);
    }

    // The devices remembered: when full, a new one waits until one has asked nothing for a minute.
    void tempoApparaten()
    {
        WebKaarten kaarten(m_register, {3, 6, 2});
        const Klok::time_point t0{};
        QCOMPARE(kaarten.kaart("a", QStringLiteral("A-1"), t0).status, 200);
        QCOMPARE(kaarten.kaart("b", QStringLiteral("A-1"), t0 + std::chrono::seconds(30)).status, 200);
        QCOMPARE(kaarten.kaart("c", QStringLiteral("A-1"), t0 + std::chrono::seconds(59)).status, 429);
        QCOMPARE(kaarten.kaart("a", QStringLiteral("A-2"), t0 + std::chrono::seconds(59)).status, 200);
        QCOMPARE(kaarten.kaart("c", QStringLiteral("A-1"), t0 + std::chrono::seconds(120)).status, 200);
    }

    // The figures hold a card complete exactly when the organiser's check says it wins: Bingo by
    // its lines or a pattern, Kien by 1, 2 and 3 rows, over many draws.
    void figurenZoalsDeControle()
    {
        QRandomGenerator kans(11);
        const auto kruis = AvondProgramma::vastPatroon(QStringLiteral("Kruis"));
        QVERIFY(kruis);
        PatroonKaart::Patroon alleenMidden{};
        alleenMidden[PatroonKaart::middenVak] = 1;
        for (int keer = 0; keer < 300; ++keer) {
            const RegisterKaart& b = m_bingo[keer % 6];
            const RegisterKaart& k = m_kien[keer % 6];
            Controle::Getrokken getrokken{};
            QList<int> ballen;
            for (int n = 1; n <= 90; ++n)
                ballen << n;
            std::shuffle(ballen.begin(), ballen.end(), kans);
            for (int i = 0; i < 20 + keer % 60; ++i)
                getrokken[static_cast<std::size_t>(ballen[i])] = 1;
            for (const PatroonKaart::Patroon* p : {static_cast<const PatroonKaart::Patroon*>(nullptr), &*kruis,
                                                   static_cast<const PatroonKaart::Patroon*>(&alleenMidden)})
                QCOMPARE(heeftFiguur(WebDoelen::bingoFiguren(p), b.getallen, getrokken),
                         Controle::bingo(b.getallen, getrokken, p).gewonnen);
            for (int rijen = 1; rijen <= 3; ++rijen)
                QCOMPARE(heeftFiguur(WebDoelen::kienFiguren(rijen), k.getallen, getrokken),
                         Controle::kien(k.getallen, getrokken, rijen).gewonnen);
        }
    }

    // The stages: the programme's one for its game alone; without a programme each kind's in
    // order, the pattern of the pattern button in place of a line.
    void doelen()
    {
        using S = AvondProgramma::Soort;
        const AvondProgramma::Fase tweeRijen{QStringLiteral("2 rijen"), std::nullopt, {}, {}};
        WebDoelen::Doelen d = WebDoelen::vanFase(S::Kienen, tweeRijen);
        QVERIFY(d.bingo.isEmpty());
        QCOMPARE(d.kien.size(), 1);
        QCOMPARE(d.kien[0].naam, QStringLiteral("2 rijen"));
        const AvondProgramma::Fase kruis{QStringLiteral("Kruis"), AvondProgramma::vastPatroon(QStringLiteral("Kruis")),
                                         {}, {}};
        d = WebDoelen::vanFase(S::Bingo90, kruis);
        QVERIFY(d.kien.isEmpty());
        QCOMPARE(d.bingo.size(), 1);

        d = WebDoelen::zonderProgramma({});
        QStringList namen;
        for (const auto& doel : d.bingo + d.kien)
            namen << doel.naam;
        QCOMPARE(namen, (QStringList{"1 rij", "volle kaart", "1 rij", "2 rijen", "volle kaart"}));
        QCOMPARE(WebDoelen::zonderProgramma(*kruis.patroon).bingo[0].naam, QStringLiteral("het patroon"));
    }
};

QTEST_MAIN(TestWebKaarten)
#include "tst_webkaarten.moc"
