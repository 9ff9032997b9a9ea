// The print dialog: how it opens, what it prints with which choices, the card text that only
// Exit stores, the page count, and what happens without a printer or when printing fails.

#include "opname.h"
#include "testhulp.h"

#include "core/cards/genummerd.h"
#include "core/cards/kaartregister.h"
#include "core/cards/pagina.h"
#include "widgets/cards/afdrukken.h"
#include "widgets/cards/printer.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPageLayout>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QToolTip>
#include <QtTest>

namespace
{
// Hands every document to the test's recorder.
struct Doorgeef : PaginaUitvoer {
    Opname::Uitvoer& doel;
    explicit Doorgeef(Opname::Uitvoer& d) : doel(d) {}
    bool druk(const QString& n, int a, const Tekenaar& t, QString* f) override { return doel.druk(n, a, t, f); }
};

// The text line under the cards of a recorded page.
QString regel(const Opname::Pagina& p)
{
    for (const Opname::Tekst& t : p.teksten)
        if (t.kleur == Pagina::tekstKleur) return t.tekst;
    return QString();
}

void zetPaginas(Afdrukken& d, const QString& tekst)
{
    d.Combo1->lineEdit()->selectAll();
    d.Combo1->lineEdit()->del();
    QTest::keyClicks(d.Combo1->lineEdit(), tekst);
}
} // namespace

class TestAfdrukken : public QObject
{
    Q_OBJECT
    std::unique_ptr<TestHulp::Opstelling> o;
    Opname::Uitvoer printer;
    bool printerAanwezig = true;
    QStringList voorstellen;
    QString pdfPad;

private slots:
    void init()
    {
        o = std::make_unique<TestHulp::Opstelling>(QByteArray(), false);
        printer = Opname::Uitvoer();
        printerAanwezig = true;
        voorstellen.clear();
        pdfPad.clear();
        Afdrukken::haken().printer = [this]() -> std::unique_ptr<PaginaUitvoer> {
            if (!printerAanwezig) return nullptr;
            return std::make_unique<Doorgeef>(printer);
        };
        Afdrukken::haken().kiesPdfBestand = [this](QWidget*, const QString& voorstel) {
            voorstellen << voorstel;
            return pdfPad;
        };
    }
    void cleanup()
    {
        Afdrukken::herstelHaken();
        Melding::neemGetoond();
        o.reset();
    }

    // The dialog opens on 75 numbers, one page and the stored text, with Exit focused. Typed
    // text is printed only after Exit and reopening; Escape keeps the old; the double quote,
    // which the settings file cannot keep, is refused typed or pasted.
    void tekst()
    {
        o->alg().KaartTekst = QStringLiteral("Oud");
        for (bool exit : {false, true}) {
            Afdrukken d(o->alg(), o->toeval, &o->main());
            QVERIFY(d.option1(75)->isChecked());
            QCOMPARE(d.Combo1->currentText(), QStringLiteral("1"));
            QCOMPARE(d.Text1->text(), QStringLiteral("Oud"));
            d.Text1->selectAll();
            QTest::keyClicks(d.Text1, QStringLiteral("Ni\"euw"));
            d.Text1->insert(QStringLiteral("\""));
            d.BingoKnop->click();
            QCOMPARE(regel(printer.paginas.last()), QStringLiteral("Oud"));
            d.show();
            QVERIFY(QTest::qWaitForWindowExposed(&d));
            QCOMPARE(d.focusWidget(), d.ExitKnop);
            if (exit)
                d.ExitKnop->click();
            else
                QTest::keyClick(&d, Qt::Key_Escape);
            QVERIFY(!d.isVisible());
        }
        QCOMPARE(o->alg().KaartTekst, QStringLiteral("Nieuw"));
        Afdrukken d(o->alg(), o->toeval, &o->main());
        d.KienKnop->click();
        QCOMPARE(regel(printer.paginas.last()), QStringLiteral("Nieuw"));
        // What does not fit the printed line cannot be typed, and the box says why in Dutch.
        d.show();
        QTest::keyClicks(d.Text1, QString(200, QLatin1Char('W')));
        QVERIFY(Pagina::tekstPast(d.Text1->text()) && !Pagina::tekstPast(d.Text1->text() + QLatin1Char('W')));
        QVERIFY(QToolTip::text().contains(QStringLiteral("te lang")));
    }

    // 90 numbers and 3 pages, double-clicked: three print jobs of one page with numbers above 75; 255 pages,
    // the most the count can say, 255 jobs; 0 pages print nothing and ask nothing, with or
    // without a printer.
    void paginasEnNegentig()
    {
        Afdrukken d(o->alg(), o->toeval, &o->main());
        d.option1(90)->click();
        zetPaginas(d, QStringLiteral("3"));
        TestHulp::dubbelklik(d.BingoKnop, {9, 9});
        QCOMPARE(printer.documenten, 3);
        QCOMPARE(printer.paginas.size(), 3);
        QCOMPARE(printer.namen.first(), QStringLiteral("Bingokaarten"));
        int hoogste = 0;
        for (const Opname::Tekst& t : printer.paginas.last().teksten)
            hoogste = qMax(hoogste, t.tekst.trimmed().toInt());
        QVERIFY(hoogste > 75 && hoogste <= 90);
        zetPaginas(d, QStringLiteral("255"));
        d.KienKnop->click();
        QCOMPARE(printer.documenten, 258);

        zetPaginas(d, QStringLiteral("0"));
        for (bool aanwezig : {true, false}) {
            printerAanwezig = aanwezig;
            d.KienKnop->click();
            d.BingoKnop->click();
        }
        QCOMPARE(printer.documenten, 258);
        QVERIFY(voorstellen.isEmpty());
        QVERIFY(Melding::neemGetoond().isEmpty());
    }

    // A page count that is no whole number 0..255 cannot be typed, or is refused with a message.
    void foutAantal()
    {
        Afdrukken d(o->alg(), o->toeval, &o->main());
        zetPaginas(d, QStringLiteral("-2.5x"));
        QCOMPARE(d.Combo1->currentText(), QStringLiteral("25"));
        for (const char* tekst : {"", "256"}) {
            d.Combo1->setEditText(QString::fromLatin1(tekst));
            d.BingoKnop->click();
            QVERIFY(Melding::neemGetoond().value(0).tekst.startsWith(
                QStringLiteral("Vul bij Aantal Pagina's een heel getal")));
        }
        QCOMPARE(printer.documenten, 0);
    }

    // Without a printer: the question, then one PDF file with all 255 pages; Nee writes nothing.
    // A printer that fails: its message, no more pages.
    void geenOfFoutePrinter()
    {
        printerAanwezig = false;
        QTemporaryDir map;
        pdfPad = map.filePath(QStringLiteral("kaarten.pdf"));
        Afdrukken d(o->alg(), o->toeval, &o->main());
        zetPaginas(d, QStringLiteral("255"));
        d.BingoKnop->click(); // answered Nee
        QVERIFY(voorstellen.isEmpty() && !QFile::exists(pdfPad));
        QVERIFY(
            Melding::neemGetoond().value(0).tekst.startsWith(QString::fromUtf8("Er is geen printer geïnstalleerd.")));
        Melding::zetVolgendAntwoord(true);
        d.KienKnop->click();
        QVERIFY(voorstellen.value(0).endsWith(QStringLiteral("/Kienkaarten.pdf")));
        QCOMPARE(TestHulp::leesBestand(pdfPad).count("/Type /Page\n"), 255);
        Melding::neemGetoond();

        printerAanwezig = true;
        printer.foutTekst = QStringLiteral("Het afdrukken op de printer \"P\" is mislukt.");
        zetPaginas(d, QStringLiteral("3"));
        d.BingoKnop->click();
        QCOMPARE(printer.documenten, 1);
        QCOMPARE(Melding::neemGetoond().value(0).tekst, printer.foutTekst);
    }
    // Numbering: off when the dialog opens; on, a print job per page, and the organiser hears
    // which numbers the register holds; a printer that fails part way: its message, and the numbers
    // of the pages that went out; a file that is no register is reported and left as it is,
    // numbering goes off, and printing goes on without numbers.
    void genummerd()
    {
        Afdrukken d(o->alg(), o->toeval, &o->main());
        const QString pad = KaartRegister::padIn(o->map.path());
        d.zetRegisterPad(pad);
        QVERIFY(!d.NummerKeuze->isChecked() && !d.SerieTekst->isEnabled());
        d.NummerKeuze->click();
        QCOMPARE(d.SerieTekst->text(), QStringLiteral("A"));
        zetPaginas(d, QStringLiteral("2"));
        d.BingoKnop->click();
        QCOMPARE(printer.documenten, 2);
        QCOMPARE(Melding::neemGetoond().value(0).tekst,
                 QStringLiteral("De kaarten A-0001 tot en met A-0012 zijn genummerd en staan in het kaartregister."));
        QCOMPARE(KaartRegister(pad).aantalKaarten(), 12);

        printer.foutTekst = QStringLiteral("Papier op");
        printer.foutVanaf = printer.documenten + 2;
        d.KienKnop->click();
        const auto meldingen = Melding::neemGetoond();
        QCOMPARE(meldingen.value(0).tekst, printer.foutTekst);
        QVERIFY(meldingen.value(1).tekst.startsWith(QStringLiteral("De kaarten A-0013 tot en met A-0018 zijn")));
        QCOMPARE(KaartRegister(pad).aantalKaarten(), 18);

        printer = Opname::Uitvoer();
        QVERIFY(TestHulp::schrijfBestand(pad, "geen register"));
        d.NummerKeuze->click();
        d.NummerKeuze->click();
        QVERIFY(!d.NummerKeuze->isChecked());
        QVERIFY(Melding::neemGetoond().value(0).tekst.contains(QStringLiteral("geen kaartregister van Zorvak")));
        QCOMPARE(TestHulp::leesBestand(pad), QByteArray("geen register"));
        d.BingoKnop->click();
        QCOMPARE(printer.paginas.size(), 2);
        QVERIFY(std::none_of(printer.paginas[0].teksten.begin(), printer.paginas[0].teksten.end(),
                             [](const Opname::Tekst& t) { return t.tekst.startsWith(QStringLiteral("A-")); }));
    }

    // A printer that cannot print the outer 20 to 30 mm of the paper gets the whole page, shrunk
    // onto what it can print and not cut off: every number, card number and the text line lie
    // within its printable area. A printer that writes a PDF file with those margins stands in.
    void printerMetBredeRand()
    {
        if (TestHulp::buitenProgramma(QStringLiteral("pdftotext")).isEmpty()) return;
        QTemporaryDir d;
        const QMarginsF rand(30, 25, 20, 28); // mm
        for (const bool kien : {false, true}) {
            const QString pdf = d.filePath(kien ? QStringLiteral("kien.pdf") : QStringLiteral("bingo.pdf"));
            QPrinter printer(QPrinter::HighResolution);
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            printer.setPageLayout(
                QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, rand, QPageLayout::Millimeter));
            PrinterUitvoer uitvoer(printer);
            KaartRegister register_(d.filePath(QStringLiteral("register.db")));
            QString fout;
            QVERIFY2(Afdruk::genummerd(uitvoer, register_, kien ? KaartSoort::Kien : KaartSoort::Bingo90,
                                       QStringLiteral("RAND"), 1, QStringLiteral("Zorvak rand"), o->toeval, false,
                                       nullptr, &fout),
                     qPrintable(fout));
            const TestHulp::PdfWoorden w = TestHulp::pdfWoorden(pdf);
            const double mm = 72 / 25.4;
            const QRectF binnen = QRectF(QPointF(0, 0), w.blad)
                                      .adjusted((rand.left() - 0.1) * mm, (rand.top() - 0.1) * mm,
                                                -(rand.right() - 0.1) * mm, -(rand.bottom() - 0.1) * mm);
            int getallen = 0, nummers = 0;
            bool regel = false;
            for (const auto& [woord, vak] : w.woorden) {
                QVERIFY2(binnen.contains(vak), qPrintable(woord));
                getallen += woord.toInt() > 0;
                nummers += woord.startsWith(QStringLiteral("RAND-"));
                regel = regel || woord == QStringLiteral("rand");
            }
            QCOMPARE(getallen, kien ? 90 : 6 * 24);
            QCOMPARE(nummers, 6);
            QVERIFY(regel);
        }
    }
};

QTEST_MAIN(TestAfdrukken)
#include "tst_afdrukken.moc"
