#include "widgets/settings/extra.h"

#include "core/game/roepen.h"
#include "core/game/stem.h"
#include "core/screen/twips.h"
#include "widgets/common/dialoog.h"
#include "widgets/common/schuifbalk.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QStyle>
#include <QTimer>

#include <array>

const QString Extra::geenSpraakTekst = QStringLiteral("Spraak is niet beschikbaar op deze computer.");
const QString Extra::startTekst = QStringLiteral("De spraak wordt gestart, een ogenblik...");

namespace
{
QFont letter(double punten = 8.25)
{
    return Twips::schermLettertype(QStringLiteral("Arial"), punten);
}

template <typename T> T* metAchtergrond(T* w, const QString& naam, QRect twips)
{
    w->setObjectName(naam);
    w->setFont(letter(9));
    w->setAutoFillBackground(true);
    zetKleur(w, QPalette::Window, dialoogKleur);
    zetKleur(w, QPalette::WindowText, dialoogTekstKleur);
    w->setGeometry(Twips::rect(twips.x(), twips.y(), twips.width(), twips.height()));
    return w;
}

QLabel* tekstOp(QWidget* ouder, const QString& naam, int x, int y, const QString& tekst)
{
    QLabel* l = dialoogTekst(ouder, naam, tekst);
    l->move(Twips::naarPixels(x), Twips::naarPixels(y));
    return l;
}

QPushButton* knopOp(QWidget* ouder, const QString& naam, QRect twips, const QString& tekst, QColor kleur)
{
    QPushButton* k = dialoogKnop(ouder, naam, tekst, kleur);
    k->setGeometry(Twips::rect(twips.x(), twips.y(), twips.width(), twips.height()));
    return k;
}

// A sunken box around a group of choices.
QFrame* groepKader(QWidget* ouder, const QString& naam, QRect twips)
{
    auto* kader = new QFrame(ouder);
    kader->setObjectName(naam);
    kader->setFrameStyle(QFrame::Box | QFrame::Sunken);
    kader->setGeometry(Twips::rect(twips.x(), twips.y(), twips.width(), twips.height()));
    return kader;
}
} // namespace

Extra::Extra(QWidget* ouder, const RoepInstellingen& begin, Stem* stem) : QDialog(ouder), m_stem(stem)
{
    richtDialoogIn(*this, QStringLiteral("Extra"), QStringLiteral(" Extra"), vensterBreedte, vensterHoogte);
    setFont(letter());
    maakBesturing();
    laad(begin);
}

void Extra::maakBesturing()
{
    const QColor knopVlak = QApplication::style()->standardPalette().color(QPalette::Button);

    Check1 = metAchtergrond(new QCheckBox(QStringLiteral("Ballen hardop noemen"), this), QStringLiteral("Check1"),
                            {240, 240, 2400, 300});
    Label7 = dialoogKader(this, QStringLiteral("Label7"), Twips::rect(2730, 195, 750, 390), knopVlak);
    ProefKnop = knopOp(this, QStringLiteral("ProefKnop"), {2760, 225, 690, 330}, QStringLiteral("Luister"),
                       QColor(240, 190, 150));

    Combo1 = new QComboBox(this);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Combo1->setFont(letter());
    Combo1->setGeometry(Twips::rect(240, 660, 3240, 315));
    Label1 = tekstOp(this, QStringLiteral("Label1"), 255, 990, QStringLiteral("Stem"));

    Label2 = dialoogKader(this, QStringLiteral("Label2"), Twips::rect(240, 1290, 1500, 330), knopVlak);
    HScroll1 = maakSchuifbalk(this, QStringLiteral("HScroll1"), {270, 1320, 1440, 270}, -10, 10);
    Label3 = tekstOp(this, QStringLiteral("Label3"), 255, 1650, QString());
    Label4 = dialoogKader(this, QStringLiteral("Label4"), Twips::rect(1980, 1290, 1500, 330), knopVlak);
    HScroll2 = maakSchuifbalk(this, QStringLiteral("HScroll2"), {2010, 1320, 1440, 270}, 0, 100);
    Label5 = tekstOp(this, QStringLiteral("Label5"), 1995, 1650, QString());

    Check2 = metAchtergrond(new QCheckBox(QStringLiteral("Cijfers herhalen (vijf, zes)"), this),
                            QStringLiteral("Check2"), {240, 1980, 3240, 300});
    Frame1 = groepKader(this, QStringLiteral("Frame1"), {240, 2340, 3240, 690});
    OptionBingo = metAchtergrond(new QRadioButton(QStringLiteral("Bingo: letter en getal"), this),
                                 QStringLiteral("OptionBingo"), {420, 2415, 2940, 270});
    OptionKien = metAchtergrond(new QRadioButton(QStringLiteral("Kienen: alleen het getal"), this),
                                QStringLiteral("OptionKien"), {420, 2700, 2940, 270});
    auto* groep = new QButtonGroup(this);
    groep->addButton(OptionBingo);
    groep->addButton(OptionKien);
    Label6 = tekstOp(this, QStringLiteral("Label6"), 255, 3150, geenSpraakTekst);
    Label6->hide();

    Check3 = metAchtergrond(new QCheckBox(QStringLiteral("Zelf trekken"), this), QStringLiteral("Check3"),
                            {3840, 240, 2700, 300});
    Label8 = dialoogKader(this, QStringLiteral("Label8"), Twips::rect(3840, 660, 2700, 330), knopVlak);
    HScroll3 = maakSchuifbalk(this, QStringLiteral("HScroll3"), {3870, 690, 2640, 270}, RoepInstellingen::minInterval,
                              RoepInstellingen::maxInterval);
    Label9 = tekstOp(this, QStringLiteral("Label9"), 3855, 1020, QString());
    Label10 = tekstOp(this, QStringLiteral("Label10"), 3855, 1380,
                      QStringLiteral("De spatiebalk zet het zelf trekken\nstil en weer aan."));

    // What the hall sees.
    WeergaveKader = groepKader(this, QStringLiteral("WeergaveKader"), {3840, 1830, 2700, 1020});
    ContrastKeuze = metAchtergrond(new QCheckBox(QStringLiteral("Laatste bal licht en groot"), this),
                                   QStringLiteral("ContrastKeuze"), {3960, 1905, 2520, 270});
    VorigeKeuze = metAchtergrond(new QCheckBox(QStringLiteral("Vorige vijf ballen tonen"), this),
                                 QStringLiteral("VorigeKeuze"), {3960, 2205, 2520, 270});
    BalkKeuze = metAchtergrond(new QCheckBox(QStringLiteral("Balk op het zaalscherm"), this),
                               QStringLiteral("BalkKeuze"), {3960, 2505, 2520, 270});
    BalkKeuze->setToolTip(QStringLiteral(" Met twee schermen: de opdrachtbalk ook voor de zaal "));

    // The board on the local network, for the phones and TVs in the hall.
    WebKader = groepKader(this, QStringLiteral("WebKader"), {240, 3480, 6300, 840});
    WebKeuze = metAchtergrond(new QCheckBox(QStringLiteral("Bord op het netwerk (telefoons en tv's in de zaal)"), this),
                              QStringLiteral("WebKeuze"), {360, 3570, 4200, 270});
    PoortLabel = tekstOp(this, QStringLiteral("PoortLabel"), 4800, 3585, QStringLiteral("Poort"));
    PoortVeld = new QSpinBox(this);
    PoortVeld->setObjectName(QStringLiteral("PoortVeld"));
    PoortVeld->setFont(letter());
    PoortVeld->setRange(1, 65535);
    PoortVeld->setGeometry(Twips::rect(5400, 3540, 1020, 315));
    WebLabel = tekstOp(this, QStringLiteral("WebLabel"), 375, 3930, QString());
    connect(WebKeuze, &QCheckBox::toggled, PoortVeld, &QWidget::setEnabled);

    BackKnoppen = dialoogKader(this, QStringLiteral("BackKnoppen"), Twips::rect(4800, 5280, 1740, 390), Qt::black);
    CancelKnop =
        knopOp(this, QStringLiteral("CancelKnop"), {4830, 5310, 840, 330}, QStringLiteral("Cancel"), {192, 255, 192});
    OkKnop = knopOp(this, QStringLiteral("OkKnop"), {5670, 5310, 840, 330}, QStringLiteral("Ok"), {192, 192, 255});

    // The evening: balls from a real drum, the programme and its report.
    AvondKader = groepKader(this, QStringLiteral("AvondKader"), {240, 4410, 6300, 780});
    HandmatigKeuze = metAchtergrond(new QCheckBox(QStringLiteral("Handmatig trekken"), this),
                                    QStringLiteral("HandmatigKeuze"), {360, 4515, 3000, 270});
    HandmatigKeuze->setToolTip(
        QStringLiteral(" Ballen uit een echte trommel: typ het getal en Enter, of klik op de bal "));
    ProgrammaKeuze = metAchtergrond(new QCheckBox(QStringLiteral("Spelen volgens het programma"), this),
                                    QStringLiteral("ProgrammaKeuze"), {360, 4815, 3000, 270});
    ProgrammaKeuze->setToolTip(QStringLiteral(" Aanzetten begint het programma bij ronde 1 met een nieuw spel "));
    ProgrammaKnop = knopOp(this, QStringLiteral("ProgrammaKnop"), {4680, 4485, 1740, 330},
                           QStringLiteral("Programma..."), {230, 230, 230});
    VerslagKnop = knopOp(this, QStringLiteral("VerslagKnop"), {4680, 4785, 1740, 330}, QStringLiteral("Verslag..."),
                         {230, 230, 230});
    connect(ProgrammaKnop, &QPushButton::clicked, this, &Extra::programmaGevraagd);
    connect(VerslagKnop, &QPushButton::clicked, this, &Extra::verslagGevraagd);

    for (QFrame* kader : {Label7, Label2, Label4, Frame1, Label8, WeergaveKader, WebKader, AvondKader, BackKnoppen})
        kader->lower();

    const std::array<QWidget*, 17> volgorde = {OkKnop,      Check1,    Combo1,    HScroll1,      HScroll2,   Check2,
                                               OptionBingo, OptionKien, ProefKnop, Check3,       HScroll3,   ContrastKeuze,
                                               VorigeKeuze, BalkKeuze,  WebKeuze,  PoortVeld,    CancelKnop};
    setTabOrder(CancelKnop, HandmatigKeuze);
    setTabOrder(HandmatigKeuze, ProgrammaKeuze);
    setTabOrder(ProgrammaKeuze, ProgrammaKnop);
    setTabOrder(ProgrammaKnop, VerslagKnop);
    for (std::size_t i = 1; i < volgorde.size(); ++i)
        setTabOrder(volgorde[i - 1], volgorde[i]);

    connect(HScroll1, &QScrollBar::valueChanged, this, [this](int w) {
        Label3->setText(QStringLiteral("Tempo (%1)").arg(w));
        Label3->adjustSize();
    });
    connect(HScroll2, &QScrollBar::valueChanged, this, [this](int w) {
        Label5->setText(QStringLiteral("Volume (%1)").arg(w));
        Label5->adjustSize();
    });
    connect(HScroll3, &QScrollBar::valueChanged, this, [this](int w) {
        Label9->setText(QStringLiteral("Elke %1 seconden een bal").arg(w));
        Label9->adjustSize();
    });
    connect(ProefKnop, &QPushButton::clicked, this, &Extra::proef);
    connect(OkKnop, &QPushButton::clicked, this, &Extra::accept);
    connect(CancelKnop, &QPushButton::clicked, this, &Extra::reject);
}

void Extra::laad(const RoepInstellingen& r)
{
    m_stemId = r.stem;
    toonSpraak();
    Check1->setChecked(r.spreken);
    // Set the bars off their values first, so that each caption is written even at the start value.
    HScroll1->setValue(HScroll1->maximum());
    HScroll1->setValue(r.tempo);
    HScroll2->setValue(HScroll2->minimum());
    HScroll2->setValue(r.volume);
    Check2->setChecked(r.cijfers);
    (r.kienen ? OptionKien : OptionBingo)->setChecked(true);
    Check3->setChecked(r.zelfTrekken);
    HScroll3->setValue(HScroll3->maximum());
    HScroll3->setValue(r.interval);
}

void Extra::toonSpraak()
{
    // Without an engine the voice part stays visible but cannot be used, and says why. An
    // engine that is still starting is looked at again until it answers.
    const bool start = m_stem && !m_stem->gereed();
    const bool spraak = m_stem && m_stem->beschikbaar();
    if (spraak && Combo1->count() == 0) {
        for (const StemKeuze& s : m_stem->stemmen())
            Combo1->addItem(s.naam, s.id);
        const int plek = Combo1->findData(m_stemId);
        Combo1->setCurrentIndex(plek >= 0 ? plek : 0);
    }
    for (QWidget* w : std::initializer_list<QWidget*>{Check1, ProefKnop, Combo1, HScroll1, HScroll2, Check2,
                                                      OptionBingo, OptionKien})
        w->setEnabled(spraak);
    // A voice that stopped answering says why, also instead of a start without end.
    // It ends before the buttons; a longer reason shows whole as its tip.
    const QString uitleg = !m_spraakFout.isEmpty() ? m_spraakFout : start ? startTekst : geenSpraakTekst;
    Label6->setText(Label6->fontMetrics().elidedText(uitleg, Qt::ElideRight, Twips::naarPixels(4440)));
    Label6->setToolTip(Label6->text() == uitleg ? QString() : uitleg);
    Label6->adjustSize();
    Label6->setVisible(!spraak || !m_spraakFout.isEmpty());
    if (start && !m_wachtOpStem) {
        m_wachtOpStem = new QTimer(this);
        connect(m_wachtOpStem, &QTimer::timeout, this, &Extra::toonSpraak);
        m_wachtOpStem->start(250);
    } else if (!start && m_wachtOpStem) {
        m_wachtOpStem->stop();
    }
}

RoepInstellingen Extra::waarden() const
{
    RoepInstellingen r;
    r.spreken = Check1->isChecked();
    // A voice that is not offered on this computer stays chosen for the next one that has it.
    r.stem = Combo1->count() > 0 ? Combo1->currentData().toString() : m_stemId;
    r.tempo = HScroll1->value();
    r.volume = HScroll2->value();
    r.cijfers = Check2->isChecked();
    r.kienen = OptionKien->isChecked();
    r.zelfTrekken = Check3->isChecked();
    r.interval = HScroll3->value();
    return r;
}

void Extra::zetSpraakFout(const QString& fout)
{
    m_spraakFout = fout;
    toonSpraak();
}

void Extra::zetHandmatig(bool aan)
{
    HandmatigKeuze->setChecked(aan);
}

bool Extra::handmatig() const
{
    return HandmatigKeuze->isChecked();
}

void Extra::zetProgrammaLoopt(bool aan)
{
    ProgrammaKeuze->setChecked(aan);
}

bool Extra::programmaLoopt() const
{
    return ProgrammaKeuze->isChecked();
}

void Extra::zetWeergave(const Weergave& w)
{
    ContrastKeuze->setChecked(w.contrast);
    VorigeKeuze->setChecked(w.vorigeBallen);
    BalkKeuze->setChecked(w.balkInZaal);
}

Weergave Extra::weergave() const
{
    return {ContrastKeuze->isChecked(), VorigeKeuze->isChecked(), BalkKeuze->isChecked()};
}

void Extra::zetWeb(const WebInstelling& web, const QString& uitleg, bool fout)
{
    WebKeuze->setChecked(web.aan);
    PoortVeld->setValue(web.poort);
    PoortVeld->setEnabled(web.aan);
    zetKleur(WebLabel, QPalette::WindowText, fout ? QColor(176, 0, 32) : dialoogTekstKleur);
    const QString kort = WebLabel->fontMetrics().elidedText(uitleg, Qt::ElideRight, Twips::naarPixels(6060));
    WebLabel->setText(kort);
    WebLabel->setToolTip(kort == uitleg ? QString() : uitleg);
    WebLabel->adjustSize();
}

WebInstelling Extra::web() const
{
    return {WebKeuze->isChecked(), PoortVeld->value()};
}

void Extra::proef()
{
    if (!m_stem) return;
    const RoepInstellingen r = waarden();
    m_stem->stel(r.stem, r.tempo / 10.0, r.volume / 100.0);
    m_stem->zeg(Roepen::balDelen(r.kienen ? QString() : QStringLiteral("G"), 56, r.cijfers));
}

void Extra::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    OkKnop->setFocus(Qt::OtherFocusReason);
}
