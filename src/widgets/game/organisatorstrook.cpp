#include "widgets/game/organisatorstrook.h"

#include "core/game/organisatortekst.h"
#include "core/screen/twips.h"
#include "widgets/cards/kaartcontrole.h"

#include <QEvent>

namespace
{
const QString podiumStijl = QStringLiteral("color: rgb(250, 220, 120); background: rgba(0, 0, 0, 150); padding: 0 6px;");
const QString kaartStijl = QStringLiteral("color: rgb(180, 180, 180); background: transparent; padding: 0;");
} // namespace

OrganisatorStrook::OrganisatorStrook(OrganisatorTekst& tekst, KaartControle* kaart, bool opPodium, QWidget* ouder)
    : QLabel(ouder), m_tekst(tekst), m_kaart(kaart), m_opPodium(opPodium)
{
    setObjectName(QStringLiteral("OrganisatorStrook"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    connect(&tekst, &OrganisatorTekst::gewijzigd, this, &OrganisatorStrook::toon);
    if (m_kaart) {
        connect(m_kaart, &KaartControle::indelingGewijzigd, this, &OrganisatorStrook::toon);
        m_kaart->installEventFilter(this);
    }
    if (!opPodium) {
        QFont f(QStringLiteral("Arial"));
        f.setPixelSize(18);
        f.setBold(true);
        setFont(f);
        setStyleSheet(QStringLiteral("color: rgb(170, 60, 0);"));
        setWordWrap(true);
    }
    toon();
}

void OrganisatorStrook::zetPlek(const QRect& plek, qreal schaal)
{
    m_plek = plek;
    m_schaal = schaal;
    toon();
}

void OrganisatorStrook::zetAan(bool aan)
{
    m_aan = aan;
    toon();
}

bool OrganisatorStrook::eventFilter(QObject* object, QEvent* e)
{
    if (object == m_kaart && (e->type() == QEvent::Show || e->type() == QEvent::Hide)) toon();
    return QLabel::eventFilter(object, e);
}

void OrganisatorStrook::toon()
{
    if (!m_aan) {
        hide();
        if (m_kaart) m_kaart->zetHint({});
        return;
    }
    const QString regel = m_tekst.regel();
    if (!m_opPodium) {
        if (m_kaart) m_kaart->zetHint(m_tekst.kaartRegel());
        setText(regel);
        setVisible(!regel.isEmpty());
        return;
    }
    // On the stage, over a checked card: in the box its layout keeps for the hint, in its font.
    if (m_kaart) m_kaart->zetHint(m_tekst.kaartRegel(), false);
    if (m_kaart && !m_kaart->isHidden()) {
        const ControleIndeling d = m_kaart->indeling();
        setStyleSheet(kaartStijl);
        setWordWrap(true);
        setAlignment(Qt::AlignCenter);
        setFont(d.hint.letter);
        setText(d.hint.tekst);
        setGeometry(d.hint.vak.toAlignedRect().translated(m_kaart->pos()));
        raise();
        setVisible(!d.hint.leeg());
        return;
    }
    setStyleSheet(podiumStijl);
    setWordWrap(false);
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setFont(Twips::schermLettertype(QStringLiteral("Arial"), 11, true, m_schaal));
    setText(fontMetrics().elidedText(regel, Qt::ElideRight, m_plek.width() - 12));
    setGeometry(m_plek.x(), m_plek.y(), std::min(m_plek.width(), sizeHint().width()), m_plek.height());
    raise();
    setVisible(!regel.isEmpty());
}
