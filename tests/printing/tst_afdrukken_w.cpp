// The print dialog: how it opens, what it prints with which choices, the card text that only
// Exit stores, the page count, and what happens without a printer or when printing fails.

#include "opname.h"
#include "testhulp.h"

#include "common/twips.h"
#include "printing/afdrukken_w.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

namespace
{

// Hands every document to the test's recorder and notes the pointer shown meanwhile.
class Doorgeef : public PaginaUitvoer
{
public:
    Doorgeef(Opname::Uitvoer& doel, QList<Qt::CursorShape>& wijzers) : m_doel(doel), m_wijzers(wijzers) {}
    bool druk(const QString& naam, int aantal, const Tekenaar& teken, QString* fout) override
    {
        const QCursor* c = QGuiApplication::overrideCursor();
        m_wijzers << (c ? c->shape() : Qt::ArrowCursor);
        return m_doel.druk(naam, aantal, teken, fout);
    }

private:
    Opname::Uitvoer& m_doel;
    QList<Qt::CursorShape>& m_wijzers;
};

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

// Types any characters, as a keyboard with those keys would.
void typ(QWidget* w, const QString& tekst)
{
    for (const QChar c : tekst) {
        QKeyEvent in(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &in);
        QKeyEvent uit(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &uit);
    }
}

} // namespace

class TestAfdrukken : public QObject
{
    Q_OBJECT
    std::unique_ptr<TestHulp::Opstelling> o;
    Opname::Uitvoer printer;
    QList<Qt::CursorShape> wijzers;
    bool printerAanwezig = true;
    QStringList voorstellen;
    QString pdfPad;

private slots:
    void init()
    {
        o = std::make_unique<TestHulp::Opstelling>(QByteArray(), false);
        printer = Opname::Uitvoer();
        wijzers.clear();
        printerAanwezig = true;
        voorstellen.clear();
        pdfPad.clear();
        Afdrukken::haken().printer = [this]() -> std::unique_ptr<PaginaUitvoer> {
            if (!printerAanwezig) return nullptr;
            return std::make_unique<Doorgeef>(printer, wijzers);
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

    // Opening: caption, size, 75 numbers, "1" of "1".."20", the stored text, controls in place
    // in their colours, Exit focused and the keyboard order.
    void opent()
    {
        o->alg.KaartTekst = QStringLiteral("Zaal De Kroon");
        Afdrukken d(o->main());
        QCOMPARE(d.windowTitle(), QStringLiteral(" Afdrukken Kaarten"));
        QCOMPARE(d.size(), Twips::dialoogBinnenmaat(6300, 3720));
        QCOMPARE(d.minimumSize(), d.maximumSize());
        QCOMPARE(d.palette().color(QPalette::Window), QColor(220, 220, 190));
        QVERIFY(d.option1(75)->isChecked());
        QVERIFY(!d.option1(90)->isChecked());
        QCOMPARE(d.option1(75)->text(), QStringLiteral("75 Bingogetallen"));
        QCOMPARE(d.option1(90)->text(), QStringLiteral("90 Bingogetallen"));
        QCOMPARE(int(d.AantalGetallen), 75);
        QCOMPARE(d.Combo1->currentText(), QStringLiteral("1"));
        QCOMPARE(d.Combo1->count(), 20);
        QCOMPARE(d.Combo1->itemText(19), QStringLiteral("20"));
        QVERIFY(d.Combo1->isEditable());
        QCOMPARE(d.Text1->text(), QStringLiteral("Zaal De Kroon"));

        QCOMPARE(d.Label2->geometry(), Twips::rect(240, 240, 900, 900));
        QCOMPARE(d.BingoKnop->geometry(), Twips::rect(300, 300, 780, 780));
        QCOMPARE(d.KienKnop->geometry(), Twips::rect(300, 1320, 780, 780));
        QCOMPARE(d.ExitKnop->geometry(), Twips::rect(5160, 2730, 840, 330));
        QCOMPARE(d.Text1->geometry(), Twips::rect(240, 2730, 4350, 300));
        QCOMPARE(d.Label2->palette().color(QPalette::Window), QColor(0, 200, 0));
        QCOMPARE(d.Label3->palette().color(QPalette::Window), QColor(200, 0, 0));
        QCOMPARE(d.ExitKnop->palette().color(QPalette::Button), QColor(192, 255, 255));
        QCOMPARE(d.Text1->palette().color(QPalette::Base), QColor(230, 230, 170));
        QCOMPARE(d.Combo1->palette().color(QPalette::Base), QColor(200, 200, 250));
        QCOMPARE(d.Label7->text(), QStringLiteral(">>"));
        QCOMPARE(d.Label7->palette().color(QPalette::WindowText), QColor(0, 128, 0));
        QCOMPARE(d.Label9->palette().color(QPalette::WindowText), QColor(128, 128, 128));
        QCOMPARE(d.Label6->text(), QStringLiteral("Aantal Pagina's"));
        QCOMPARE(d.ExitKnop->text(), QStringLiteral("Exit"));
        // The coloured squares lie beneath their buttons.
        QVERIFY(d.children().indexOf(d.Label2) < d.children().indexOf(d.BingoKnop));

        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        QCOMPARE(d.focusWidget(), d.ExitKnop);
        const QList<QWidget*> volgorde = {d.ExitKnop,    d.BingoKnop,   d.KienKnop, d.Combo1,
                                          d.option1(75), d.option1(90), d.Text1};
        QList<QWidget*> gevonden;
        for (QWidget* w = d.ExitKnop; gevonden.size() < volgorde.size(); w = w->nextInFocusChain())
            if (volgorde.contains(w) && !gevonden.contains(w)) gevonden << w;
        QCOMPARE(gevonden, volgorde);
    }

    // Text typed in the dialog is printed only after Exit and reopening; Escape keeps the old.
    void tekstNaExit()
    {
        o->alg.KaartTekst = QStringLiteral("Oud");
        {
            Afdrukken d(o->main());
            d.Text1->selectAll();
            QTest::keyClicks(d.Text1, QStringLiteral("Nieuw"));
            d.BingoKnop->click();
            QCOMPARE(printer.paginas.size(), 1);
            QCOMPARE(regel(printer.paginas[0]), QStringLiteral("Oud"));
            QCOMPARE(o->alg.KaartTekst, QStringLiteral("Oud"));
            d.show();
            QTest::keyClick(&d, Qt::Key_Escape);
            QCOMPARE(o->alg.KaartTekst, QStringLiteral("Oud"));
        }
        {
            Afdrukken d(o->main());
            QCOMPARE(d.Text1->text(), QStringLiteral("Oud"));
            d.Text1->selectAll();
            QTest::keyClicks(d.Text1, QStringLiteral("Nieuw"));
            d.show();
            d.ExitKnop->click();
            QCOMPARE(d.result(), int(QDialog::Accepted));
            QVERIFY(!d.isVisible());
            QCOMPARE(o->alg.KaartTekst, QStringLiteral("Nieuw"));
        }
        Afdrukken d(o->main());
        QCOMPARE(d.Text1->text(), QStringLiteral("Nieuw"));
        d.KienKnop->click();
        QCOMPARE(regel(printer.paginas.last()), QStringLiteral("Nieuw"));
    }

    // The text box refuses what the settings file cannot keep.
    void tekstWeigertOnbewaarbaar()
    {
        Afdrukken d(o->main());
        d.Text1->clear();
        typ(d.Text1, QString::fromUtf8("a\"b\u0133\u20ac\u00e9\u4e2dc"));
        QCOMPARE(d.Text1->text(), QString::fromUtf8("ab\u20ac\u00e9c"));
        // Pasted text with such a character is refused as a whole.
        d.Text1->insert(QStringLiteral("x\"y"));
        d.Text1->insert(QStringLiteral("1\n2"));
        QCOMPARE(d.Text1->text(), QString::fromUtf8("ab\u20ac\u00e9c"));
    }

    // 90 numbers and 3 pages: three print jobs of one page, columns B 1-18 ... O 73-90, under
    // the busy pointer; the next opening selects 75 again.
    void negentigDriePaginas()
    {
        {
            Afdrukken d(o->main());
            d.option1(90)->click();
            QCOMPARE(int(d.AantalGetallen), 90);
            zetPaginas(d, QStringLiteral("3"));
            d.BingoKnop->click();
        }
        QCOMPARE(printer.documenten, 3);
        QCOMPARE(printer.paginas.size(), 3);
        QCOMPARE(printer.namen, QStringList(3, QStringLiteral("Bingokaarten")));
        QCOMPARE(wijzers, QList<Qt::CursorShape>(3, Qt::WaitCursor));
        QVERIFY(!QGuiApplication::overrideCursor());
        int hoogste = 0;
        for (const Opname::Pagina& p : printer.paginas)
            for (const Opname::Tekst& t : p.teksten) {
                if (t.kleur != QColor(90, 90, 90)) continue;
                const int n = t.tekst.trimmed().toInt();
                const double x0 = t.basis.x() < 6000 ? 600 : 6210;
                const int k = int((t.basis.x() - x0 + 45) / 900);
                QVERIFY2(n >= 18 * k + 1 && n <= 18 * k + 18,
                         qPrintable(QStringLiteral("%1 in column %2").arg(n).arg(k)));
                hoogste = qMax(hoogste, n);
            }
        QVERIFY(hoogste > 75);
        Afdrukken opnieuw(o->main());
        QVERIFY(opnieuw.option1(75)->isChecked());
        QCOMPARE(int(opnieuw.AantalGetallen), 75);
    }

    // The page count applies to Kien too; 0 prints nothing and asks nothing.
    void kienEnNul()
    {
        Afdrukken d(o->main());
        zetPaginas(d, QStringLiteral("2"));
        d.KienKnop->click();
        QCOMPARE(printer.documenten, 2);
        QCOMPARE(printer.namen.first(), QStringLiteral("Kienkaarten"));
        zetPaginas(d, QStringLiteral("0"));
        d.KienKnop->click();
        d.BingoKnop->click();
        QCOMPARE(printer.documenten, 2);
        QVERIFY(Melding::neemGetoond().isEmpty());
    }

    // A page count that is no whole number 0..255 cannot be typed, or is refused with a message.
    void foutAantal()
    {
        Afdrukken d(o->main());
        zetPaginas(d, QStringLiteral("abc"));
        QCOMPARE(d.Combo1->currentText(), QString());
        zetPaginas(d, QStringLiteral("300"));
        QCOMPARE(d.Combo1->currentText(), QStringLiteral("30"));
        for (const QString& tekst :
             {QStringLiteral(""), QStringLiteral("300"), QStringLiteral("2.5"), QStringLiteral("-1")}) {
            d.Combo1->setEditText(tekst);
            d.BingoKnop->click();
            d.KienKnop->click();
            const auto getoond = Melding::neemGetoond();
            QCOMPARE(getoond.size(), 2);
            QCOMPARE(getoond[0].titel, QStringLiteral(" Afdrukken Kaarten"));
            QCOMPARE(getoond[0].tekst,
                     QStringLiteral("Vul bij Aantal Pagina's een heel getal van 0 tot en met 255 in."));
        }
        QCOMPARE(printer.documenten, 0);
        d.Combo1->setEditText(QStringLiteral("255"));
        std::uint8_t p = 0;
        QVERIFY(d.leesPaginas(p));
        QCOMPARE(int(p), 255);
    }

    // Without a printer: the question, then a PDF file with all pages, named after the cards
    // and suggested in the documents folder. Nee or no file chosen writes nothing.
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
        QCOMPARE(getoond[0].titel, QStringLiteral(" Afdrukken Kaarten"));
        QCOMPARE(
            getoond[0].tekst,
            QString::fromUtf8("Er is geen printer ge\u00efnstalleerd. Wilt u de kaarten als PDF-bestand opslaan?"));

        Melding::zetVolgendAntwoord(true);
        d.KienKnop->click();
        QCOMPARE(voorstellen.size(), 1);
        QVERIFY(voorstellen[0].endsWith(QStringLiteral("/Kienkaarten.pdf")));
        const QByteArray pdf = TestHulp::leesBestand(pdfPad);
        QVERIFY(pdf.startsWith("%PDF"));
        QCOMPARE(pdf.count("/Type /Page\n"), 2);
        QCOMPARE(Melding::neemGetoond().size(), 1);

        QFile::remove(pdfPad);
        const QString gekozen = pdfPad;
        pdfPad.clear(); // the file dialog is cancelled
        Melding::zetVolgendAntwoord(true);
        d.BingoKnop->click();
        QVERIFY(voorstellen.last().endsWith(QStringLiteral("/Bingokaarten.pdf")));
        QVERIFY(!QFile::exists(gekozen));

        // A folder that cannot be written: the failure is told, not passed over.
        pdfPad = map.filePath(QStringLiteral("bestaat/niet/kaarten.pdf"));
        Melding::neemGetoond();
        Melding::zetVolgendAntwoord(true);
        d.BingoKnop->click();
        getoond = Melding::neemGetoond();
        QCOMPARE(getoond.size(), 2);
        QVERIFY(getoond[1].tekst.startsWith(QStringLiteral("Het PDF-bestand")));
        QVERIFY(!QGuiApplication::overrideCursor());
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
        QVERIFY(!QGuiApplication::overrideCursor());
    }
};

QTEST_MAIN(TestAfdrukken)
#include "tst_afdrukken_w.moc"
