#include "widgets/cards/kaartcontrole.h"

#include "core/cards/controleindeling.h"
#include "core/common/ballen.h"
#include "core/game/organisatortekst.h"
#include "core/screen/plaatjes.h"
#include "core/screen/twips.h"
#include "widgets/common/dialoog.h"
#include "widgets/common/scaninvoer.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>

#include <algorithm>

namespace
{
const QColor vlakKleur(20, 20, 40, 235);
const QColor celKleur(245, 245, 245);
const QColor getrokkenKleur(250, 210, 40);
const QColor patroonKleur(220, 0, 0);
const QColor winKleur(0, 170, 0);
const QColor verliesKleur(170, 0, 0);
const QColor eerderKleur(200, 110, 0);
const QColor faseKleur(250, 220, 120);

std::optional<Avond::KaartVraag> vraagMetDialoog(QWidget* ouder)
{
    KaartVraag vraag(ouder);
    if (vraag.exec() != QDialog::Accepted) return std::nullopt;
    return Avond::KaartVraag{vraag.NummerTekst->text(), vraag.RijenKeuze->currentIndex() + 1};
}

// Text as large as fits the box, at most `punten` high.
void tekstIn(QPainter& p, const QRectF& vak, const QString& tekst, double hoogte, bool vet, int uitlijning)
{
    QFont f(QStringLiteral("Arial"));
    f.setBold(vet);
    f.setPixelSize(qMax(6, int(hoogte)));
    const double breedte = QFontMetricsF(f).horizontalAdvance(tekst);
    if (breedte > vak.width() * 0.95) f.setPixelSize(qMax(6, int(hoogte * vak.width() * 0.95 / breedte)));
    p.setFont(f);
    p.drawText(vak, uitlijning, tekst);
}
} // namespace

std::function<std::optional<Avond::KaartVraag>(QWidget*)>& KaartControle::vraagHaak()
{
    static std::function<std::optional<Avond::KaartVraag>(QWidget*)> haak = vraagMetDialoog;
    return haak;
}

QImage KaartControle::knopPlaatje(qreal dpr)
{
    QImage beeld(QSize(48, 48) * dpr, QImage::Format_ARGB32_Premultiplied);
    beeld.setDevicePixelRatio(dpr);
    beeld.fill(Qt::transparent);
    QPainter p(&beeld);
    p.setRenderHint(QPainter::Antialiasing);
    // A card of 4 x 4 cells, some marked.
    p.setPen(QPen(QColor(60, 60, 60), 1.2));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4, 4, 30, 30));
    for (int i = 1; i < 4; ++i) {
        p.drawLine(QPointF(4 + 7.5 * i, 4), QPointF(4 + 7.5 * i, 34));
        p.drawLine(QPointF(4, 4 + 7.5 * i), QPointF(34, 4 + 7.5 * i));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(getrokkenKleur);
    for (const QPoint c : {QPoint(0, 0), QPoint(1, 1), QPoint(3, 0), QPoint(2, 2)})
        p.drawEllipse(QRectF(5.2 + 7.5 * c.x(), 5.2 + 7.5 * c.y(), 5.1, 5.1));
    // The magnifying glass.
    p.setPen(QPen(QColor(120, 70, 30), 5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(34, 34), QPointF(44, 44));
    p.setPen(QPen(QColor(40, 40, 60), 3));
    p.setBrush(QColor(170, 210, 255, 150));
    p.drawEllipse(QPointF(27, 27), 10, 10);
    return beeld;
}

KaartControle::KaartControle(QWidget* ouder) : QWidget(ouder)
{
    setObjectName(QStringLiteral("KaartControle"));
    setFocusPolicy(Qt::StrongFocus);
    m_hint = OrganisatorTekst::terugHint();
    hide();
}

void KaartControle::toon(const RegisterKaart& kaart, const Controle::Uitslag& uitslag, const Controle::Patroon* patroon)
{
    m_kaart = kaart;
    m_uitslag = uitslag;
    m_patroon = patroon ? *patroon : Controle::Patroon{};
    if (parentWidget()) setGeometry(parentWidget()->rect());
    show();
    raise();
    setFocus();
    update();
    emit indelingGewijzigd();
}

void KaartControle::sluit()
{
    hide();
    emit gesloten();
}

void KaartControle::mousePressEvent(QMouseEvent*)
{
    sluit();
}

void KaartControle::keyPressEvent(QKeyEvent* e)
{
    toets(e->key());
}

void KaartControle::toets(int toets)
{
    if (toets == Qt::Key_F9) {
        emit winnaarGevraagd();
        return;
    }
    if (toets == Qt::Key_Escape || toets == Qt::Key_Return || toets == Qt::Key_Enter || toets == Qt::Key_Space ||
        toets == Qt::Key_K)
        sluit();
}

ControleIndeling KaartControle::indeling() const
{
    const bool kien = m_kaart.soort == KaartSoort::Kien;
    ControleIndeling::Inhoud inhoud;
    inhoud.kolommen = kien ? 9 : 5;
    inhoud.rijen = kien ? 3 : 6;
    inhoud.titel = QStringLiteral("Kaart %1  (%2)")
                       .arg(KaartNummer::tekst(m_kaart.serie, m_kaart.nummer), KaartNummer::soortNaam(m_kaart.soort));
    inhoud.oordeel = m_uitslag.oordeel;
    const Controle::Voltooid beslissend = m_uitslag.fasen.value(m_uitslag.beslissend);
    if (beslissend.compleet()) inhoud.balRegel = Controle::beslissendeRegel(m_uitslag);
    QStringList fasen = Controle::voltooidRegels(m_uitslag);
    if (m_uitslag.beslissend >= 0 && m_uitslag.beslissend < fasen.size()) fasen.removeAt(m_uitslag.beslissend);
    inhoud.fasen = fasen.join(QStringLiteral("   \u00b7   "));
    inhoud.ontbrekend = Controle::ontbrekendTekst(m_uitslag);
    inhoud.fase = m_faseTekst;
    inhoud.hint = m_hint;
    return ControleIndeling::maak(size(), inhoud);
}

void KaartControle::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), vlakKleur);
    const bool kien = m_kaart.soort == KaartSoort::Kien;
    const int kolommen = kien ? 9 : 5, rijen = kien ? 3 : 5, kopRijen = kien ? 0 : 1;
    const ControleIndeling d = indeling();
    const auto tekst = [&p](const ControleIndeling::Tekst& t) {
        if (t.leeg()) return;
        p.setFont(t.letter);
        p.drawText(t.vak, ControleIndeling::tekstVlaggen(), t.tekst);
    };

    p.setPen(Qt::white);
    tekst(d.titel);

    // The card, as large as its box.
    const double cel = d.cel;
    const QRectF kaart = d.kaart;
    p.fillRect(kaart, celKleur);
    for (int k = 0; k < kolommen && !kien; ++k) {
        p.setPen(QColor(30, 30, 30));
        tekstIn(p, QRectF(kaart.left() + cel * k, kaart.top(), cel, cel), Ballen::kolomLetter(k), cel * 0.7, true,
                Qt::AlignCenter);
    }
    for (int i = 0; i < m_kaart.getallen.size() && i < kolommen * rijen; ++i) {
        const int rij = i / kolommen, kolom = i % kolommen, n = m_kaart.getallen[i];
        const QRectF vak(kaart.left() + cel * kolom, kaart.top() + cel * (rij + kopRijen), cel, cel);
        if (n > 0 && m_uitslag.gedekt.value(i)) {
            p.setPen(Qt::NoPen);
            p.setBrush(getrokkenKleur);
            p.drawEllipse(vak.adjusted(cel * 0.08, cel * 0.08, -cel * 0.08, -cel * 0.08));
        }
        p.setPen(n > 0 && m_uitslag.gedekt.value(i) ? QColor(20, 20, 20) : QColor(120, 120, 120));
        if (n > 0)
            tekstIn(p, vak, QString::number(n), cel * 0.5, true, Qt::AlignCenter);
        else if (!kien)
            tekstIn(p, vak.adjusted(cel * 0.1, 0, -cel * 0.1, 0), QStringLiteral("FREE"), cel * 0.3, true,
                    Qt::AlignCenter);
        if (!kien && m_patroon[static_cast<std::size_t>(i + 1)]) {
            p.setPen(QPen(patroonKleur, qMax(2.0, cel * 0.06)));
            p.setBrush(Qt::NoBrush);
            p.drawRect(vak.adjusted(cel * 0.05, cel * 0.05, -cel * 0.05, -cel * 0.05));
        }
    }
    p.setPen(QPen(QColor(30, 30, 30), qMax(1.0, cel * 0.02)));
    p.setBrush(Qt::NoBrush);
    for (int k = 0; k <= kolommen; ++k)
        p.drawLine(QPointF(kaart.left() + cel * k, kaart.top()), QPointF(kaart.left() + cel * k, kaart.bottom()));
    for (int r = 0; r <= rijen + kopRijen; ++r)
        p.drawLine(QPointF(kaart.left(), kaart.top() + cel * r), QPointF(kaart.right(), kaart.top() + cel * r));

    // The verdict on a band of its colour with the ball that decided it, then the other stages
    // and what is still missing. A win that was complete before the last ball is amber.
    const Controle::Voltooid beslissend = m_uitslag.fasen.value(m_uitslag.beslissend);
    p.setPen(Qt::NoPen);
    p.setBrush(!m_uitslag.gewonnen ? verliesKleur : beslissend.geleden > 0 ? eerderKleur : winKleur);
    p.drawRoundedRect(d.band, height() * 0.02, height() * 0.02);
    p.setPen(Qt::white);
    for (const ControleIndeling::Tekst* t : {&d.oordeel, &d.bal, &d.fasen, &d.ontbrekend})
        tekst(*t);
    p.setPen(faseKleur);
    tekst(d.fase);
    if (m_hintZelf) {
        p.setPen(QColor(180, 180, 180));
        tekst(d.hint);
    }
}

void KaartControle::volg(Avond& avond)
{
    connect(&avond, &Avond::kaartGecontroleerd, this, [this](const Avond::GecontroleerdeKaart& k) {
        toon(k.kaart, k.uitslag, k.patroon ? &*k.patroon : nullptr);
        zetFaseTekst(k.faseRegel());
    });
    connect(&avond.programma(), &ProgrammaGang::gewijzigd, this, [this, &avond] {
        const QString regel = avond.keuring().winnaarRegel();
        if (isVisible() && !regel.isEmpty()) zetFaseTekst(regel);
    });
    connect(this, &KaartControle::winnaarGevraagd, &avond, &Avond::bevestigWinnaar);
}

void KaartControle::zetFaseTekst(const QString& tekst)
{
    m_faseTekst = tekst;
    update();
    emit indelingGewijzigd();
}

void KaartControle::zetHint(const QString& tekst, bool zelf)
{
    if (tekst == m_hint && zelf == m_hintZelf) return;
    m_hint = tekst;
    m_hintZelf = zelf;
    update();
    emit indelingGewijzigd();
}

void KaartControle::resizeEvent(QResizeEvent*)
{
    emit indelingGewijzigd();
}

KaartVraag::KaartVraag(QWidget* ouder) : QDialog(ouder)
{
    constexpr int breedte = 5400, hoogte = 2400;
    richtDialoogIn(*this, QStringLiteral("KaartVraag"), QStringLiteral(" Kaart controleren"), breedte, hoogte);
    QLabel* uitleg = dialoogTekst(this, QStringLiteral("Label1"),
                                  QStringLiteral("Kaartnummer, bijvoorbeeld A-0017 (of 17 voor de laatste serie):"));
    uitleg->move(Twips::rect(240, 240, 0, 0).topLeft());
    NummerTekst = new QLineEdit(this);
    NummerTekst->setObjectName(QStringLiteral("NummerTekst"));
    NummerTekst->setFont(Twips::schermLettertype(QStringLiteral("Arial"), 12, true));
    NummerTekst->setMaxLength(24);
    NummerTekst->setGeometry(Twips::rect(240, 540, 2400, 420));
    QLabel* kien = dialoogTekst(this, QStringLiteral("Label2"), QStringLiteral("Kienen voor"));
    kien->move(Twips::rect(240, 1200, 0, 0).topLeft());
    RijenKeuze = new QComboBox(this);
    RijenKeuze->setObjectName(QStringLiteral("RijenKeuze"));
    RijenKeuze->addItems({QStringLiteral("1 rij"), QStringLiteral("2 rijen"), QStringLiteral("volle kaart")});
    RijenKeuze->setGeometry(Twips::rect(1320, 1140, 1500, 330));
    QPushButton* ok = dialoogKnop(this, QStringLiteral("OkKnop"), QStringLiteral("Controleer"), QColor(192, 255, 192));
    ok->setGeometry(Twips::rect(3120, 1380, 1000, 330));
    ok->setDefault(true);
    QPushButton* annuleer =
        dialoogKnop(this, QStringLiteral("CancelKnop"), QStringLiteral("Cancel"), QColor(255, 192, 192));
    annuleer->setGeometry(Twips::rect(4140, 1380, 900, 330));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(annuleer, &QPushButton::clicked, this, &QDialog::reject);
    NummerTekst->setFocus();
    // A scanned code answers the question at once, whatever was typed before it.
    ScanInvoer::programma().volg(this, [this](const QString& code) {
        NummerTekst->setText(KaartNummer::vanScanner(code));
        accept();
    });
}
