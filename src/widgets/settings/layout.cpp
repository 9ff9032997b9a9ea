#include "widgets/settings/layout.h"

#include "core/cards/kaartpatroon.h"
#include "core/game/spel.h"
#include "core/screen/plaatjes.h"
#include "core/screen/twips.h"
#include "widgets/common/dialoog.h"
#include "widgets/common/doek.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>

namespace
{
// The window is 9000 x 6000 twips with its frame.
constexpr int vensterBreedte = 9000, vensterHoogte = 6000;

void kader(Doek* doek, const QRect& r, QColor kleur)
{
    doek->kader(r.left(), r.top(), r.right(), r.bottom(), kleur);
}
void vul(Doek* doek, const QRect& r, QColor kleur)
{
    doek->vul(r.left(), r.top(), r.right(), r.bottom(), kleur);
}

void plaats(QWidget* w, int x, int y, int breedte, int hoogte)
{
    w->setGeometry(Twips::rect(x, y, breedte, hoogte));
}

// A label without a caption that frames other controls with a single black line.
QLabel* maakKader(QWidget* ouder, const char* naam, const QString& achtergrond)
{
    auto* label = new QLabel(ouder);
    label->setObjectName(QString::fromLatin1(naam));
    label->setStyleSheet(QStringLiteral("QLabel { background: %1; border: 1px solid black; }").arg(achtergrond));
    return label;
}

} // namespace

Layout::Layout(Spel& spel, QWidget* ouder) : QDialog(ouder), m_spel(spel)
{
    richtDialoogIn(*this, QStringLiteral("Layout"), QStringLiteral(" Kaarten"), vensterBreedte, vensterHoogte);

    maakBesturing();
    tekenKaarten();
}

void Layout::maakBesturing()
{
    // Created back to front: each frame lies under what it frames.
    Label1 = maakKader(this, "Label1", QStringLiteral("rgb(192,192,0)"));
    plaats(Label1, 240, 240, 5100, 5100);

    Picture1 = new Doek(this, PatroonKaart::leegKleur);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->zetPlaats(330, 330, 4920, 4920);
    Picture1->setCursor(Plaatjes::hand());
    connect(Picture1, &Doek::muisIngedrukt, this, [this](QPoint punt, Qt::MouseButton) { drukOpKaart(punt); });

    Label3 = maakKader(this, "Label3", QStringLiteral("black"));
    plaats(Label3, 5700, 270, 900, 390);
    ResetKnop = dialoogKnop(this, QStringLiteral("ResetKnop"), QStringLiteral("Reset"), QColor(192, 192, 255));
    plaats(ResetKnop, 5730, 300, 840, 330);
    connect(ResetKnop, &QPushButton::clicked, this, &Layout::reset);

    Label4 = dialoogTekst(this, QStringLiteral("Label4"), QStringLiteral("Maak kaart leeg"), 8.25);
    Label4->move(Twips::naarPixels(6690), Twips::naarPixels(360));
    Label4->adjustSize();

    Label5 =
        dialoogTekst(this, QStringLiteral("Label5"),
                     QStringLiteral("Klik op het midden van de vakjes om aan te geven voor welke rij er bingo wordt "
                                    "gespeeld. ") +
                         QStringLiteral("Klik nogmaals om de rode vakjes (behalve de middelste) om deze weer te "
                                        "verwijderen. ") +
                         QStringLiteral("Klik als laatste op de button Ok."),
                     8.25);
    Label5->setWordWrap(true);
    Label5->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    plaats(Label5, 5700, 900, 2850, 2100);

    Label6 = dialoogTekst(this, QStringLiteral("Label6"), QStringLiteral("Vak : 0"), 9.75);
    Label6->move(Twips::naarPixels(5700), Twips::naarPixels(3000));
    Label6->adjustSize();

    Pic = new Doek(this, PatroonKaart::leegKleur);
    Pic->setObjectName(QStringLiteral("Pic"));
    Pic->zetPlaats(5700, 3900, PatroonKaart::kleinFormaat, PatroonKaart::kleinFormaat);

    Label2 = maakKader(this, "Label2", QApplication::palette().color(QPalette::Button).name());
    plaats(Label2, 6930, 4950, 1740, 390);
    CancelKnop = dialoogKnop(this, QStringLiteral("CancelKnop"), QStringLiteral("Cancel"), QColor(255, 192, 192));
    plaats(CancelKnop, 6960, 4980, 840, 330);
    connect(CancelKnop, &QPushButton::clicked, this, &QDialog::reject);
    OkKnop = dialoogKnop(this, QStringLiteral("OkKnop"), QStringLiteral("Ok"), QColor(192, 255, 192));
    plaats(OkKnop, 7800, 4980, 840, 330);
    connect(OkKnop, &QPushButton::clicked, this, &Layout::ok);
    // Enter never picks a button by itself; Ok has the focus, so a stray space confirms and
    // never empties the card.
    for (QPushButton* knop : {ResetKnop, CancelKnop, OkKnop})
        knop->setAutoDefault(false);
    OkKnop->setFocus(Qt::OtherFocusReason);
}

void Layout::tekenKaarten()
{
    tekenGroot();
    tekenKlein(PatroonKaart::markKleur);
}

void Layout::tekenGroot()
{
    using namespace PatroonKaart;
    const auto& patroon = m_spel.patroon();
    Picture1->wis();
    for (int k = 1; k <= aantalVakken; ++k) {
        kader(Picture1, omtrek(k), omtrekKleur);
        if (patroon[k] != 0) vul(Picture1, markering(k), markKleur);
    }
    // The centre is always played: its own colour keeps it from answering a press.
    vul(Picture1, middenMarkering(), middenKleur);
}

void Layout::tekenKlein(QColor midden)
{
    Pic->wis();
    PatroonKaart::tekenKlein(*Pic, m_spel.patroon(), midden);
}

void Layout::zetVak(int vak, int waarde)
{
    PatroonKaart::Patroon patroon = m_spel.patroon();
    patroon[vak] = static_cast<std::uint8_t>(waarde);
    m_spel.zetPatroon(patroon);
}

void Layout::drukOpKaart(QPoint twips)
{
    using namespace PatroonKaart;
    const int k = vakOnder(twips);
    const QColor markeringNu =
        k != 0 ? Picture1->pixel(markering(k).center().x(), markering(k).center().y()) : QColor();
    const Druk d = druk(twips, Picture1->pixel(twips.x(), twips.y()), markeringNu);
    if (d.vak != 0) {
        vul(Picture1, markering(d.vak), d.waarde == 1 ? markKleur : leegKleur);
        zetVak(d.vak, d.waarde);
        Label6->setText(QStringLiteral("Vak : %1").arg(d.vak));
        Label6->adjustSize();
    }
    TekenKaartje();
}

void Layout::TekenKaartje()
{
    zetVak(PatroonKaart::middenVak, 1);
    tekenKlein(PatroonKaart::markKleur);
}

void Layout::reset()
{
    // The centre too is cleared, until the next press; the small card shows it in the centre
    // colour meanwhile.
    m_spel.zetPatroon({});
    tekenGroot();
    tekenKlein(PatroonKaart::middenKleur);
}

void Layout::ok()
{
    // The pattern and its centre as the small card shows it become the pattern button.
    const QPoint midden = PatroonKaart::kleinMarkering(PatroonKaart::middenVak).center();
    emit patroonBevestigd(Pic->pixel(midden.x(), midden.y()));
    accept();
}
