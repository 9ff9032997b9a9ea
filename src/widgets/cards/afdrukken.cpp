#include "widgets/cards/afdrukken.h"

#include "core/cards/genummerd.h"
#include "core/cards/pagina.h"
#include "core/cards/uitvoer.h"
#include "core/screen/plaatjes.h"
#include "core/screen/twips.h"
#include "core/settings/algemeen.h"
#include "core/settings/cp1252.h"
#include "widgets/cards/printer.h"
#include "widgets/common/bezigewijzer.h"
#include "widgets/common/dialoog.h"
#include "widgets/common/melding.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QStandardPaths>
#include <QToolTip>

namespace
{

const QString titel = QStringLiteral(" Afdrukken Kaarten");
const QColor donkerGrijs = dialoogTekstKleur;
const QColor grijs(128, 128, 128);

// The window is 6300 x 3720 twips with its border and caption.
constexpr int vensterBreedte = 6300;
constexpr int vensterHoogte = 3720;

// Zorvak.ini keeps the text in double quotes in Windows-1252: a double quote, a control
// character or a character outside that code page cannot be kept, so it cannot be typed. Nor
// can more than fits the printed line under the cards. The reason of the last refusal is kept
// for the organiser.
class KaartTekstValidator : public QValidator
{
public:
    using QValidator::QValidator;
    State validate(QString& tekst, int&) const override
    {
        for (const QChar c : tekst) {
            if (c == QLatin1Char('"')) {
                m_reden = QStringLiteral("Een aanhalingsteken (\") kan niet in de tekst bij de kaarten.");
                return Invalid;
            }
            if (c.unicode() < 0x20 || !Cp1252::kanBevatten(c)) {
                m_reden = QStringLiteral("Dit teken kan niet in de tekst bij de kaarten.");
                return Invalid;
            }
        }
        if (!Pagina::tekstPast(tekst)) {
            m_reden = QStringLiteral("De tekst is te lang: meer past niet op de regel onder de kaarten.");
            return Invalid;
        }
        return Acceptable;
    }
    QString reden() const { return m_reden; }

private:
    mutable QString m_reden;
};

// Only whole numbers 0..255 can be typed as the page count; an empty box is refused when
// printing.
class PaginaValidator : public QValidator
{
public:
    using QValidator::QValidator;
    State validate(QString& tekst, int&) const override
    {
        if (tekst.isEmpty()) return Intermediate;
        if (tekst.size() > 3) return Invalid;
        for (const QChar c : tekst)
            if (c < QLatin1Char('0') || c > QLatin1Char('9')) return Invalid;
        return tekst.toInt() <= 255 ? Acceptable : Invalid;
    }
};

Afdrukken::Haken standaardHaken()
{
    Afdrukken::Haken h;
    h.printer = []() -> std::unique_ptr<PaginaUitvoer> {
        if (!PrinterUitvoer::aanwezig()) return nullptr;
        return std::make_unique<PrinterUitvoer>();
    };
    h.kiesPdfBestand = [](QWidget* ouder, const QString& voorstel) {
        return QFileDialog::getSaveFileName(ouder, QStringLiteral(" Kaarten opslaan als PDF-bestand"), voorstel,
                                            QStringLiteral("PDF-bestanden (*.pdf)"));
    };
    return h;
}

} // namespace

Afdrukken::Haken& Afdrukken::haken()
{
    static Haken h = standaardHaken();
    return h;
}

void Afdrukken::herstelHaken()
{
    haken() = standaardHaken();
}

Afdrukken::Afdrukken(Algemeen& alg, Toeval& toeval, QWidget* ouder) : QDialog(ouder), m_alg(alg), m_toeval(toeval)
{
    richtDialoogIn(*this, QStringLiteral("Afdrukken"), titel, vensterBreedte, vensterHoogte);
    maakBesturing();

    Combo1->setCurrentIndex(0);
    Text1->setText(m_alg.KaartTekst);
    AantalGetallen = 75;
    Option1[0]->setChecked(true);
    ExitKnop->setFocus();
}

void Afdrukken::maakBesturing()
{
    auto label = [this](const char* naam, const QString& tekst, int x, int y, const QFont& font, const QColor& kleur) {
        QLabel* l = dialoogTekst(this, QString::fromLatin1(naam), tekst);
        l->setFont(font);
        zetKleur(l, QPalette::WindowText, kleur);
        l->adjustSize();
        l->move(Twips::rect(x, y, 0, 0).topLeft());
        return l;
    };
    auto vlak = [this](const char* naam, int x, int y, int b, int h, const QColor& kleur) {
        auto* l = new QLabel(this);
        l->setObjectName(QString::fromLatin1(naam));
        l->setAutoFillBackground(true);
        zetKleur(l, QPalette::Window, kleur);
        l->setGeometry(Twips::rect(x, y, b, h));
        return l;
    };
    const QFont arial = Twips::schermLettertype(QStringLiteral("Arial"), 8.25);
    const QImage printer = Plaatjes::printer(32, devicePixelRatioF());
    auto printKnop = [&](const char* naam, int x, int y) {
        auto* k = new QPushButton(this);
        k->setObjectName(QString::fromLatin1(naam));
        k->setIcon(QIcon(QPixmap::fromImage(printer)));
        k->setIconSize(QSize(32, 32));
        k->setAutoDefault(false);
        k->setGeometry(Twips::rect(x, y, 780, 780));
        // Every page would otherwise be printed twice.
        enkeleKlik(k);
        return k;
    };

    Label2 = vlak("Label2", 240, 240, 900, 900, QColor(0, 200, 0));
    BingoKnop = printKnop("BingoKnop", 300, 300);
    Label4 = label("Label4", QStringLiteral("Afdrukken Bingokaarten met..."), 1260, 570, arial, donkerGrijs);
    Label9 = label("Label9", QStringLiteral("6 kaarten per A4"), 1260, 765, arial, grijs);
    Label7 = label("Label7", QStringLiteral(">>"), 3540, 555,
                   Twips::schermLettertype(QStringLiteral("Arial"), 12, true), QColor(0, 128, 0));

    Option1Groep = new QButtonGroup(this);
    const std::array<int, 2> indexen = {75, 90};
    for (std::size_t i = 0; i < 2; ++i) {
        auto* o = new QRadioButton(QStringLiteral("%1 Bingogetallen").arg(indexen[i]), this);
        o->setObjectName(QStringLiteral("Option1_%1").arg(indexen[i]));
        o->setFont(arial);
        zetKleur(o, QPalette::WindowText, donkerGrijs);
        o->setGeometry(Twips::rect(3900, 405 + 300 * static_cast<int>(i), 1800, 300));
        Option1Groep->addButton(o, indexen[i]);
        Option1[i] = o;
    }
    connect(Option1Groep, &QButtonGroup::idClicked, this,
            [this](int index) { AantalGetallen = static_cast<std::uint8_t>(index); });

    Label3 = vlak("Label3", 240, 1260, 900, 900, QColor(200, 0, 0));
    KienKnop = printKnop("KienKnop", 300, 1320);
    Label5 = label("Label5", QStringLiteral("Afdrukken Kienkaarten"), 1260, 1590, arial, donkerGrijs);
    Label10 = label("Label10", QStringLiteral("6 tabellen per A4"), 1260, 1785, arial, grijs);

    Combo1 = new QComboBox(this);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Combo1->setEditable(true);
    Combo1->setInsertPolicy(QComboBox::NoInsert);
    Combo1->setFont(Twips::schermLettertype(QStringLiteral("Arial"), 9.75));
    for (int n = 1; n <= 20; ++n)
        Combo1->addItem(QString::number(n));
    Combo1->setValidator(new PaginaValidator(Combo1));
    QPalette pal = Combo1->palette();
    pal.setColor(QPalette::Base, QColor(200, 200, 250));
    pal.setColor(QPalette::Text, donkerGrijs);
    pal.setColor(QPalette::ButtonText, donkerGrijs);
    Combo1->setPalette(pal);
    Combo1->lineEdit()->setPalette(pal);
    const QRect plek = Twips::rect(3900, 1500, 690, 0);
    Combo1->setGeometry(plek.x(), plek.y(), plek.width(), Combo1->sizeHint().height());
    Label6 = label("Label6", QStringLiteral("Aantal Pagina's"), 4680, 1560, arial, donkerGrijs);

    Label8 = label("Label8", QStringLiteral("Tekst bij het afdrukken v/d kaarten"), 240, 2490, arial, donkerGrijs);
    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setFont(arial);
    auto* tekstRegels = new KaartTekstValidator(Text1);
    Text1->setValidator(tekstRegels);
    connect(Text1, &QLineEdit::inputRejected, this, [this, tekstRegels] {
        QToolTip::showText(Text1->mapToGlobal(QPoint(0, Text1->height())), tekstRegels->reden(), Text1);
    });
    pal = Text1->palette();
    pal.setColor(QPalette::Base, QColor(230, 230, 170));
    pal.setColor(QPalette::Text, donkerGrijs);
    Text1->setPalette(pal);
    Text1->setGeometry(Twips::rect(240, 2730, 4350, 300));

    Label1 = vlak("Label1", 5130, 2700, 900, 390, QGuiApplication::palette().color(QPalette::Button));
    ExitKnop = dialoogKnop(this, QStringLiteral("ExitKnop"), QStringLiteral("Exit"), QColor(192, 255, 255));
    ExitKnop->setAutoDefault(false);
    ExitKnop->setGeometry(Twips::rect(5160, 2730, 840, 330));

    setTabOrder(ExitKnop, BingoKnop);
    setTabOrder(BingoKnop, KienKnop);
    setTabOrder(KienKnop, Combo1);
    setTabOrder(Combo1, Option1[0]);
    setTabOrder(Option1[0], Option1[1]);
    setTabOrder(Option1[1], Text1);

    NummerKeuze = new QCheckBox(QStringLiteral("Kaarten nummeren"), this);
    NummerKeuze->setObjectName(QStringLiteral("NummerKeuze"));
    NummerKeuze->setFont(arial);
    zetKleur(NummerKeuze, QPalette::WindowText, donkerGrijs);
    NummerKeuze->setGeometry(Twips::rect(3900, 1935, 2250, 300));
    SerieLabel = label("SerieLabel", QStringLiteral("Serie"), 3945, 2310, arial, donkerGrijs);
    SerieTekst = new QLineEdit(this);
    SerieTekst->setObjectName(QStringLiteral("SerieTekst"));
    SerieTekst->setFont(arial);
    SerieTekst->setMaxLength(12);
    SerieTekst->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[A-Za-z][A-Za-z0-9]{0,11}")), SerieTekst));
    SerieTekst->setPalette(pal);
    SerieTekst->setGeometry(Twips::rect(4500, 2265, 1080, 300));
    SerieTekst->setEnabled(false);
    setTabOrder(Text1, NummerKeuze);
    setTabOrder(NummerKeuze, SerieTekst);
    connect(NummerKeuze, &QCheckBox::toggled, this, &Afdrukken::nummerenGekozen);

    connect(BingoKnop, &QPushButton::clicked, this, &Afdrukken::bingoGeklikt);
    connect(KienKnop, &QPushButton::clicked, this, &Afdrukken::kienGeklikt);
    connect(ExitKnop, &QPushButton::clicked, this, &Afdrukken::exitGeklikt);
}

QRadioButton* Afdrukken::option1(int index) const
{
    return index == 90 ? Option1[1] : Option1[0];
}

bool Afdrukken::leesPaginas(std::uint8_t& paginas)
{
    bool goed = false;
    const int n = Combo1->currentText().trimmed().toInt(&goed, 10);
    if (!goed || n < 0 || n > 255) {
        Melding::meld(this, titel, QStringLiteral("Vul bij Aantal Pagina's een heel getal van 0 tot en met 255 in."));
        Combo1->setFocus();
        return false;
    }
    paginas = static_cast<std::uint8_t>(n);
    return true;
}

void Afdrukken::bingoGeklikt()
{
    std::uint8_t paginas = 0;
    if (leesPaginas(paginas)) MaakKaarten(AantalGetallen, paginas);
}

void Afdrukken::kienGeklikt()
{
    std::uint8_t paginas = 0;
    if (leesPaginas(paginas)) MaakKienkaart(paginas);
}

void Afdrukken::exitGeklikt()
{
    m_alg.KaartTekst = Text1->text();
    accept();
}

void Afdrukken::MaakKaarten(std::uint8_t aantalGetallen, std::uint8_t paginas)
{
    druk(true, aantalGetallen, paginas);
}

void Afdrukken::MaakKienkaart(std::uint8_t paginas)
{
    druk(false, 0, paginas);
}

// Numbering needs the register: when it cannot be used the organiser hears why at once,
// and the choice goes off again, so printing without numbers goes on as before.
void Afdrukken::nummerenGekozen(bool aan)
{
    SerieTekst->setEnabled(aan);
    if (!aan) return;
    KaartRegister kaartRegister(m_registerPad);
    QString melding = QStringLiteral("Er is geen plaats voor het kaartregister; kaarten nummeren kan niet.");
    if (m_registerPad.isEmpty() || !kaartRegister.open(&melding)) {
        Melding::meld(this, titel, melding);
        NummerKeuze->setChecked(false);
        return;
    }
    if (SerieTekst->text().isEmpty()) {
        const QString laatste = kaartRegister.laatsteSerie();
        SerieTekst->setText(laatste.isEmpty() ? QStringLiteral("A") : laatste);
    }
}

void Afdrukken::druk(bool bingo, int aantalGetallen, int paginas)
{
    if (paginas == 0) return;
    const bool nummeren = NummerKeuze->isChecked();
    const QString serie = KaartNummer::serie(SerieTekst->text());
    if (nummeren && serie.isEmpty()) {
        Melding::meld(this, titel,
                      QStringLiteral("Vul bij Serie de naam van de serie in: een letter (A-Z), eventueel gevolgd "
                                     "door letters (A-Z) of cijfers, zonder accenten."));
        SerieTekst->setFocus();
        return;
    }
    std::unique_ptr<PaginaUitvoer> uitvoer = haken().printer ? haken().printer() : nullptr;
    const bool naarPrinter = uitvoer != nullptr;
    if (!naarPrinter) {
        if (!Melding::vraag(this, titel,
                            QStringLiteral("Er is geen printer geïnstalleerd. Wilt u de kaarten als PDF-bestand "
                                           "opslaan?")))
            return;
        QString map = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        if (map.isEmpty()) map = QDir::homePath();
        const QString voorstel =
            QDir(map).filePath((bingo ? Afdruk::bingoNaam : Afdruk::kienNaam) + QStringLiteral(".pdf"));
        const QString pad = haken().kiesPdfBestand ? haken().kiesPdfBestand(this, voorstel) : QString();
        if (pad.isEmpty()) return;
        const QString eigen = Afdruk::beschermdDoel(pad, QFileInfo(m_registerPad).absolutePath(), m_registerPad,
                                                    QCoreApplication::applicationDirPath());
        if (!eigen.isEmpty()) {
            Melding::meld(this, titel,
                          QStringLiteral("\"%1\" is %2; daar komen geen kaarten in. Kies een ander bestand.")
                              .arg(QDir::toNativeSeparators(pad), eigen));
            return;
        }
        uitvoer = std::make_unique<PdfUitvoer>(pad);
    }

    const QString& tekst = m_alg.KaartTekst;
    QString fout;
    bool gelukt = false;
    KaartRegister::Reeks reeks;
    {
        BezigeWijzer wijzer;
        if (nummeren) {
            KaartRegister kaartRegister(m_registerPad);
            const KaartSoort soort = !bingo                 ? KaartSoort::Kien
                                     : aantalGetallen == 90 ? KaartSoort::Bingo90
                                                            : KaartSoort::Bingo75;
            gelukt = Afdruk::genummerd(*uitvoer, kaartRegister, soort, serie, paginas, tekst, m_toeval,
                                       naarPrinter, &reeks, &fout);
        } else {
            gelukt = bingo
                         ? Afdruk::bingo(*uitvoer, aantalGetallen, paginas, tekst, m_toeval, naarPrinter, &fout)
                         : Afdruk::kien(*uitvoer, paginas, tekst, m_toeval, naarPrinter, &fout);
        }
    }
    if (!gelukt) Melding::meld(this, titel, fout);
    // The organiser notes which numbers went out, for instance to sell them.
    if (reeks.aantal > 0)
        Melding::meld(this, titel,
                      QStringLiteral("De kaarten %1 tot en met %2 zijn genummerd en staan in het kaartregister.")
                          .arg(KaartNummer::tekst(serie, reeks.eerste), KaartNummer::tekst(serie, reeks.laatste())));
}
