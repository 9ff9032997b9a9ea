#include "widgets/settings/config.h"

#include "core/screen/plaatjes.h"
#include "core/screen/twips.h"
#include "core/settings/achtergronden.h"
#include "core/settings/algemeen.h"
#include "core/settings/configwaarden.h"
#include "widgets/common/dialoog.h"
#include "widgets/common/schuifbalk.h"

#include <QApplication>
#include <QButtonGroup>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>

#include <memory>

const QColor Config::achtergrondKleur = dialoogKleur;
const QColor Config::resetKleur(240, 190, 150);
const QColor Config::resetGedaanKleur(190, 240, 150);

namespace
{
const QColor tekstKleur = dialoogTekstKleur;
const QColor lijstKleur(230, 230, 170);

QFont letter(double punten = 8.25)
{
    return Twips::schermLettertype(QStringLiteral("Arial"), punten);
}

void zetNaam(QWidget* w, const QString& naam)
{
    w->setObjectName(naam);
}

// A box with a single-line border, filled with its colour.
QFrame* maakKader(QWidget* ouder, const QString& naam, int x, int y, int b, int h, QColor kleur)
{
    return dialoogKader(ouder, naam, Twips::rect(x, y, b, h), kleur);
}

QLabel* maakTekst(QWidget* ouder, const QString& naam, int x, int y, const QString& tekst)
{
    QLabel* label = dialoogTekst(ouder, naam, tekst);
    label->move(Twips::naarPixels(x), Twips::naarPixels(y));
    return label;
}

QPushButton* maakKnop(QWidget* ouder, const QString& naam, int x, int y, int b, int h, const QString& tekst,
                      QColor kleur)
{
    QPushButton* knop = dialoogKnop(ouder, naam, tekst, kleur);
    knop->setGeometry(Twips::rect(x, y, b, h));
    return knop;
}

QRadioButton* maakOptie(QWidget* ouder, const QString& naam, int x, int y, const QString& tekst)
{
    auto* optie = new QRadioButton(tekst, ouder);
    zetNaam(optie, naam);
    optie->setFont(letter(9));
    optie->setAutoFillBackground(true);
    QPalette pal = optie->palette();
    // A button fills its background with the button colour.
    pal.setColor(QPalette::Window, Config::achtergrondKleur);
    pal.setColor(QPalette::Button, Config::achtergrondKleur);
    pal.setColor(QPalette::WindowText, tekstKleur);
    optie->setPalette(pal);
    optie->setGeometry(Twips::rect(x, y, 1200, 300));
    return optie;
}
} // namespace

Config::Config(Algemeen& alg, const QString& programmaMap, QWidget* ouder) : QDialog(ouder), m_alg(alg)
{
    richtDialoogIn(*this, QStringLiteral("Config"), QStringLiteral(" Configuratie"), vensterBreedte, vensterHoogte);
    setFont(letter());

    m_map = Achtergronden::map(programmaMap);
    maakBesturing();
    zetTabVolgorde();
    verbind();
    laad();
}

void Config::maakBesturing()
{
    // Boxes without a colour of their own keep the button face of the system.
    const QColor knopVlak = QApplication::style()->standardPalette().color(QPalette::Button);
    const QColor bordKleur = Plaatjes::bordKleur;

    Label1 = maakKader(this, QStringLiteral("Label1"), 240, 240, 1860, 960, Qt::black);
    // Red, green and blue: the bars have no caption, so their thumbs carry the colour.
    const std::array<QColor, 3> tint = {QColor(245, 150, 150), QColor(150, 225, 150), QColor(160, 175, 250)};
    for (int i = 0; i < 3; ++i) {
        ColorScroll[i] =
            maakSchuifbalk(this, QStringLiteral("ColorScroll%1").arg(i + 1), {270, 270 + 300 * i, 1800, 300}, 0, 255);
        QPalette pal = ColorScroll[i]->palette();
        pal.setColor(QPalette::Button, tint[i]);
        ColorScroll[i]->setPalette(pal);
    }
    Label9 = maakKader(this, QStringLiteral("Label9"), 2190, 240, 540, 960, Qt::black);
    Label2 = maakTekst(this, QStringLiteral("Label2"), 270, 1230, QStringLiteral("Kleur getallen op de Bingoballen"));

    Label3 = maakKader(this, QStringLiteral("Label3"), 240, 1660, 1050, 1050, bordKleur);
    Image1 = new QLabel(this);
    zetNaam(Image1, QStringLiteral("Image1"));
    Image1->setGeometry(Twips::rect(315, 1735, 900, 900));
    Label4 = maakKader(this, QStringLiteral("Label4"), 1560, 1660, 1050, 1050, bordKleur);
    Image2 = new QLabel(this);
    zetNaam(Image2, QStringLiteral("Image2"));
    Image2->setGeometry(Twips::rect(1635, 1735, 900, 900));

    Label5 = maakKader(this, QStringLiteral("Label5"), 240, 2790, 1050, 330, knopVlak);
    HScroll1 = maakSchuifbalk(this, QStringLiteral("HScroll1"), {270, 2820, 990, 270}, 1, 8);
    Label6 = maakKader(this, QStringLiteral("Label6"), 1560, 2790, 1050, 330, knopVlak);
    HScroll2 = maakSchuifbalk(this, QStringLiteral("HScroll2"), {1590, 2820, 990, 270}, 1, 8);
    Label7 = maakTekst(this, QStringLiteral("Label7"), 240, 3150,
                       QStringLiteral("Kleur Ballen") + QString(11, QLatin1Char(' ')) + QStringLiteral("Knipperbal"));

    Label8 = maakKader(this, QStringLiteral("Label8"), 2940, 240, 1500, 330, knopVlak);
    HScroll3 = maakSchuifbalk(this, QStringLiteral("HScroll3"), {2970, 270, 1440, 270}, 1, 10);
    Label10 = maakTekst(this, QStringLiteral("Label10"), 2955, 600, QString());
    Label12 = maakKader(this, QStringLiteral("Label12"), 2940, 900, 1500, 330, knopVlak);
    HScroll4 = maakSchuifbalk(this, QStringLiteral("HScroll4"), {2970, 930, 1440, 270}, 2, 10);
    Label13 = maakTekst(this, QStringLiteral("Label13"), 2955, 1260, QString());

    Frame1 = new QFrame(this);
    zetNaam(Frame1, QStringLiteral("Frame1"));
    Frame1->setFrameStyle(QFrame::Box | QFrame::Sunken);
    Frame1->setGeometry(Twips::rect(2940, 1590, 1500, 900));
    Option75 = maakOptie(this, QStringLiteral("Option75"), 3120, 1800, QStringLiteral("75 Ballen"));
    Option90 = maakOptie(this, QStringLiteral("Option90"), 3120, 2100, QStringLiteral("90 Ballen"));
    m_opties = new QButtonGroup(this);
    m_opties->addButton(Option75, 75);
    m_opties->addButton(Option90, 90);

    Label14 = maakKader(this, QStringLiteral("Label14"), 2940, 2700, 750, 390, knopVlak);
    ResetKnop = maakKnop(this, QStringLiteral("ResetKnop"), 2970, 2730, 690, 330, QStringLiteral("Reset"), resetKleur);
    Label15 = maakTekst(this, QStringLiteral("Label15"), 3750, 2775, QStringLiteral("Reset Rondeteller"));

    List1 = new QListWidget(this);
    zetNaam(List1, QStringLiteral("List1"));
    List1->setGeometry(Twips::rect(4800, 240, 2400, 1740));
    List1->setFont(letter());
    List1->setSelectionMode(QAbstractItemView::SingleSelection);
    List1->setFocusPolicy(Qt::StrongFocus);
    QPalette lijstPal = List1->palette();
    lijstPal.setColor(QPalette::Base, lijstKleur);
    lijstPal.setColor(QPalette::Text, tekstKleur);
    List1->setPalette(lijstPal);
    Label11 = maakTekst(this, QStringLiteral("Label11"), 5700, 2010, QStringLiteral("Achtergrondplaatjes"));

    BackKnoppen = maakKader(this, QStringLiteral("BackKnoppen"), 5490, 2820, 1740, 390, Qt::black);
    CancelKnop = maakKnop(this, QStringLiteral("CancelKnop"), 5520, 2850, 840, 330, QStringLiteral("Cancel"),
                          QColor(192, 255, 192));
    OkKnop =
        maakKnop(this, QStringLiteral("OkKnop"), 6360, 2850, 840, 330, QStringLiteral("Ok"), QColor(192, 192, 255));

    Label16 = maakKader(this, QStringLiteral("Label16"), 6330, 2370, 900, 390, knopVlak);
    ExtraKnop = maakKnop(this, QStringLiteral("ExtraKnop"), 6360, 2400, 840, 330, QStringLiteral("Extra"),
                         QColor(230, 200, 240));

    // The frames lie under what they frame.
    for (QFrame* kader :
         {Label1, Label9, Label3, Label4, Label5, Label6, Label8, Label12, Frame1, Label14, BackKnoppen, Label16})
        kader->lower();
}

void Config::zetTabVolgorde()
{
    const std::array<QWidget*, 14> volgorde = {OkKnop,   ColorScroll[0], ColorScroll[1], ColorScroll[2], List1,
                                               HScroll1, HScroll2,       HScroll3,       HScroll4,       Option75,
                                               Option90, CancelKnop,     ResetKnop,      ExtraKnop};
    for (std::size_t i = 1; i < volgorde.size(); ++i)
        setTabOrder(volgorde[i - 1], volgorde[i]);
}

void Config::verbind()
{
    // A bar counts a change at once, except while its thumb is dragged: then the value the
    // thumb is released at counts, and only when it differs from where the drag began.
    const auto verbindBalk = [this](QScrollBar* balk, auto wijziging) {
        auto begin = std::make_shared<int>(balk->value());
        connect(balk, &QScrollBar::sliderPressed, this, [balk, begin] { *begin = balk->value(); });
        connect(balk, &QScrollBar::valueChanged, this, [balk, wijziging](int waarde) {
            if (!balk->isSliderDown()) wijziging(waarde);
        });
        connect(balk, &QScrollBar::sliderReleased, this, [balk, begin, wijziging] {
            if (balk->value() != *begin) wijziging(balk->value());
        });
    };
    for (int i = 0; i < 3; ++i)
        verbindBalk(ColorScroll[i], [this, i](int waarde) { kleurGewijzigd(i, waarde); });
    verbindBalk(HScroll1, [this](int waarde) { balKleurGewijzigd(waarde); });
    verbindBalk(HScroll2, [this](int waarde) { knipperKleurGewijzigd(waarde); });
    verbindBalk(HScroll3, [this](int waarde) { toonSnelheid(waarde); });
    verbindBalk(HScroll4, [this](int waarde) { toonAantal(waarde); });

    connect(m_opties, &QButtonGroup::idClicked, this, [this](int id) {
        if (!m_laden) m_alg.AantalBallen = static_cast<std::uint8_t>(id);
    });
    connect(ResetKnop, &QPushButton::clicked, this, &Config::resetGeklikt);
    connect(List1, &QListWidget::itemSelectionChanged, this, &Config::lijstGekozen);
    connect(OkKnop, &QPushButton::clicked, this, &Config::okGeklikt);
    connect(CancelKnop, &QPushButton::clicked, this, &Config::reject);
    connect(ExtraKnop, &QPushButton::clicked, this, &Config::extraGevraagd);
}

void Config::laad()
{
    m_laden = true;
    const Algemeen& alg = m_alg;
    // Values outside the ranges (a settings file edited by hand) show at the nearest end; the
    // record keeps them until the organiser changes the control.
    const ConfigWaarden w = ConfigWaarden::uit(alg);
    m_oudBalKleur = alg.BalKleur;
    m_oudKnipperKleur = alg.KnipperKleur;

    ColorScroll[0]->setValue(w.getalKleurR);
    ColorScroll[1]->setValue(w.getalKleurG);
    ColorScroll[2]->setValue(w.getalKleurB);
    toonStaal();

    HScroll3->setValue(w.knipperSnelheid);
    toonSnelheid(w.knipperSnelheid);
    HScroll4->setValue(w.knipperAantal);
    toonAantal(w.knipperAantal);

    (w.aantalBallen == 90 ? Option90 : Option75)->setChecked(true);

    zetKleur(ResetKnop, QPalette::Button, resetKleur);

    HScroll1->setValue(w.balKleur);
    balKleurGewijzigd(w.balKleur);
    HScroll2->setValue(w.knipperKleur);
    knipperKleurGewijzigd(w.knipperKleur);

    List1->clear();
    List1->addItems(Achtergronden::plaatjes(m_map));
    List1->setCurrentRow(-1);
    List1->clearSelection();
    m_gekozenRij = -1;
    m_laden = false;
}

void Config::showEvent(QShowEvent* e)
{
    if (m_herladen) {
        m_herladen = false;
        laad();
        centreerDialoog(*this, vensterBreedte, vensterHoogte);
    }
    QDialog::showEvent(e);
    OkKnop->setFocus(Qt::OtherFocusReason);
}

void Config::done(int r)
{
    QDialog::done(r);
    m_herladen = true;
}

void Config::kleurGewijzigd(int index, int waarde)
{
    if (!m_laden) {
        Algemeen& alg = m_alg;
        if (index == 0)
            alg.GetalKleurR = waarde;
        else if (index == 1)
            alg.GetalKleurG = waarde;
        else
            alg.GetalKleurB = static_cast<std::uint8_t>(waarde);
    }
    toonStaal();
}

void Config::toonStaal()
{
    QPalette pal = Label9->palette();
    pal.setColor(QPalette::Window, QColor(ColorScroll[0]->value(), ColorScroll[1]->value(), ColorScroll[2]->value()));
    Label9->setPalette(pal);
}

void Config::balKleurGewijzigd(int waarde)
{
    Image1->setPixmap(QPixmap::fromImage(Plaatjes::bal(waarde, devicePixelRatioF())));
    if (!m_laden) m_alg.BalKleur = waarde;
}

void Config::knipperKleurGewijzigd(int waarde)
{
    Image2->setPixmap(QPixmap::fromImage(Plaatjes::bal(waarde, devicePixelRatioF())));
    if (!m_laden) m_alg.KnipperKleur = static_cast<std::uint8_t>(waarde);
}

void Config::toonSnelheid(int waarde)
{
    Label10->setText(QStringLiteral("Knippersnelheid (%1)").arg(waarde));
    Label10->adjustSize();
}

void Config::toonAantal(int waarde)
{
    Label13->setText(QStringLiteral("Knipperaantal (%1)").arg(waarde));
    Label13->adjustSize();
}

void Config::resetGeklikt()
{
    emit rondeTellerGewist();
    zetKleur(ResetKnop, QPalette::Button, resetGedaanKleur);
}

void Config::lijstGekozen()
{
    if (m_laden) return;
    const QList<QListWidgetItem*> gekozen = List1->selectedItems();
    if (gekozen.isEmpty()) return;
    const int rij = List1->row(gekozen.first());
    if (rij == m_gekozenRij) return;
    m_gekozenRij = rij;
    // The path is kept even when the picture will not load: the next start tries it again.
    const QString pad = Achtergronden::pad(m_map, gekozen.first()->text());
    m_alg.AchtergrondBestand = pad;
    emit achtergrondGekozen(pad);
}

void Config::okGeklikt()
{
    // The pictures the previews show, also when the record held one that names no picture.
    m_alg.BalKleur = HScroll1->value();
    m_alg.KnipperKleur = static_cast<std::uint8_t>(HScroll2->value());
    emit balPlaatjesBevestigd();
    m_alg.KnipperSnelheid = static_cast<std::uint8_t>(HScroll3->value());
    m_alg.KnipperAantal = static_cast<std::uint8_t>(HScroll4->value());
    accept();
}

void Config::reject()
{
    m_alg.BalKleur = m_oudBalKleur;
    m_alg.KnipperKleur = static_cast<std::uint8_t>(m_oudKnipperKleur);
    QDialog::reject();
}
