// The print dialog: how it opens, what it prints with which choices, the card text that only
// Exit stores, the page count, and what happens without a printer or when printing fails.

#include "opname.h"
#include "testhulp.h"

#include "common/twips.h"
#include "printing/afdrukken_w.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
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
        if (t.kleur == QColor(160, 160, 160)) return t.tekst;
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

    // Caption, size, 75 numbers, "1" of "1".."20", the stored text, Exit focused.
    void opent()
    {
        o->alg.KaartTekst = QStringLiteral("Zaal De Kroon");
        Afdrukken d(o->main());
        QCOMPARE(d.windowTitle(), QStringLiteral(" Afdrukken Kaarten"));
        QCOMPARE(d.size(), Twips::dialoogBinnenmaat(6300, 3720));
        QCOMPARE(d.ExitKnop->geometry(), Twips::rect(5160, 2730, 840, 330));
        QVERIFY(d.option1(75)->isChecked());
        QCOMPARE(d.option1(90)->text(), QStringLiteral("90 Bingogetallen"));
        QCOMPARE(d.Combo1->currentText(), QStringLiteral("1"));
        QCOMPARE(d.Combo1->count(), 20);
        QCOMPARE(d.Text1->text(), QStringLiteral("Zaal De Kroon"));
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        QCOMPARE(d.focusWidget(), d.ExitKnop);
    }

    // Typed text is printed only after Exit and reopening; Escape keeps the old.
    void tekstNaExit()
    {
        o->alg.KaartTekst = QStringLiteral("Oud");
        for (bool exit : {false, true}) {
            Afdrukken d(o->main());
            QCOMPARE(d.Text1->text(), QStringLiteral("Oud"));
            d.Text1->selectAll();
            QTest::keyClicks(d.Text1, QStringLiteral("Nieuw"));
            d.BingoKnop->click();
            QCOMPARE(regel(printer.paginas.last()), QStringLiteral("Oud"));
            d.show();
            if (exit)
                d.ExitKnop->click();
            else
                QTest::keyClick(&d, Qt::Key_Escape);
            QVERIFY(!d.isVisible());
        }
        QCOMPARE(o->alg.KaartTekst, QStringLiteral("Nieuw"));
        Afdrukken d(o->main());
        d.KienKnop->click();
        QCOMPARE(regel(printer.paginas.last()), QStringLiteral("Nieuw"));
    }

    // The text box refuses the double quote, typed or pasted, which the settings file cannot keep.
    void tekstWeigertAanhalingsteken()
    {
        Afdrukken d(o->main());
        d.Text1->clear();
        QTest::keyClicks(d.Text1, QStringLiteral("a\"b"));
        d.Text1->insert(QStringLiteral("x\"y"));
        QCOMPARE(d.Text1->text(), QStringLiteral("ab"));
    }

    // 90 numbers and 3 pages: three print jobs of one page, columns B 1-18 ... O 73-90; 0 pages
    // print nothing and ask nothing.
    void paginasEnNegentig()
    {
        Afdrukken d(o->main());
        d.option1(90)->click();
        zetPaginas(d, QStringLiteral("3"));
        d.BingoKnop->click();
        QCOMPARE(printer.documenten, 3);
        QCOMPARE(printer.paginas.size(), 3);
        QCOMPARE(printer.namen.first(), QStringLiteral("Bingokaarten"));
        int hoogste = 0;
        for (const Opname::Pagina& p : printer.paginas)
            for (const Opname::Tekst& t : p.teksten) {
                const int n = t.tekst.trimmed().toInt(),
                          k = int((t.basis.x() - (t.basis.x() < 6000 ? 600 : 6210) + 45) / 900);
                if (n == 0) continue;
                QVERIFY2(n > 18 * k && n <= 18 * k + 18, qPrintable(QStringLiteral("%1 in column %2").arg(n).arg(k)));
                hoogste = qMax(hoogste, n);
            }
        QVERIFY(hoogste > 75);

        zetPaginas(d, QStringLiteral("0"));
        d.KienKnop->click();
        d.BingoKnop->click();
        QCOMPARE(printer.documenten, 3);
        QVERIFY(Melding::neemGetoond().isEmpty());
    }

    // A page count that is no whole number 0..255 is refused with a message.
    void foutAantal()
    {
        Afdrukken d(o->main());
        zetPaginas(d, QStringLiteral("abc"));
        QCOMPARE(d.Combo1->currentText(), QString());
        for (const char* tekst : {"", "300", "2.5", "-1"}) {
            d.Combo1->setEditText(QString::fromLatin1(tekst));
            d.BingoKnop->click();
            const auto getoond = Melding::neemGetoond();
            QCOMPARE(getoond.size(), 1);
            QCOMPARE(getoond[0].tekst,
                     QStringLiteral("Vul bij Aantal Pagina's een heel getal van 0 tot en met 255 in."));
        }
        QCOMPARE(printer.documenten, 0);
    }

    // Without a printer: the question, then one PDF file with all pages; Nee writes nothing; a
    // file that cannot be written is reported.
    void geenPrinter()
    {
        printerAanwezig = false;
        QTemporaryDir map;
        pdfPad = map.filePath(QStringLiteral("kaarten.pdf"));
        Afdrukken d(o->main());
        zetPaginas(d, QStringLiteral("2"));

        Melding::zetVolgendAntwoord(false);
        d.BingoKnop->click();
        QVERIFY(voorstellen.isEmpty());
        QVERIFY(!QFile::exists(pdfPad));
        auto getoond = Melding::neemGetoond();
        QCOMPARE(getoond.size(), 1);
        QCOMPARE(getoond[0].tekst, QString::fromUtf8("Er is geen printer geïnstalleerd. Wilt u de kaarten als "
                                                     "PDF-bestand opslaan?"));

        Melding::zetVolgendAntwoord(true);
        d.KienKnop->click();
        QVERIFY(voorstellen.value(0).endsWith(QStringLiteral("/Kienkaarten.pdf")));
        QCOMPARE(TestHulp::leesBestand(pdfPad).count("/Type /Page\n"), 2);
        Melding::neemGetoond();

        pdfPad = map.filePath(QStringLiteral("bestaat/niet/kaarten.pdf"));
        Melding::zetVolgendAntwoord(true);
        d.BingoKnop->click();
        getoond = Melding::neemGetoond();
        QCOMPARE(getoond.size(), 2);
        QVERIFY(getoond[1].tekst.startsWith(QStringLiteral("Het PDF-bestand")));
    }

    // A printer that fails: the message says so and the remaining pages are not sent.
    void printerFout()
    {
        printer.foutTekst = QStringLiteral("Het afdrukken op de printer \"P\" is mislukt.");
        Afdrukken d(o->main());
        zetPaginas(d, QStringLiteral("3"));
        d.BingoKnop->click();
        QCOMPARE(printer.documenten, 1);
        const auto getoond = Melding::neemGetoond();
        QCOMPARE(getoond.size(), 1);
        QCOMPARE(getoond[0].tekst, printer.foutTekst);
    }
};

QTEST_MAIN(TestAfdrukken)
#include "tst_afdrukken_w.moc"
