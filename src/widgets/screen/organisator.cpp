#include "widgets/screen/organisator.h"

#include "widgets/common/doek.h"
#include "core/screen/plaatjes.h"
#include "core/game/spel.h"
#include "core/game/trommel.h"
#include "core/screen/twips.h"
#include "widgets/cards/kaartcontrole.h"
#include "widgets/game/main.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDateTime>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>
#include <QVBoxLayout>

namespace
{
// The board as the hall sees it, small: the stage's own drawing, scaled to fit.
class BordSpiegel : public QWidget
{
public:
    explicit BordSpiegel(Main& hoofd, QWidget* ouder) : QWidget(ouder), m_hoofd(hoofd)
    {
        setMinimumSize(400, 180);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.fillRect(rect(), QColor(40, 40, 60));
        const Doek* bord = m_hoofd.Pic;
        // Before the first game the board waits above the screen.
        if (bord->geometry().bottom() <= 0) {
            p.setPen(QColor(160, 160, 160));
            p.drawText(rect(), Qt::AlignCenter, QStringLiteral("Nog geen spel: klik op Nieuw spel."));
            return;
        }
        const QImage& beeld = bord->tekening();
        const QSizeF maat = QSizeF(beeld.size()).scaled(QSizeF(size()), Qt::KeepAspectRatio);
        const QRectF doel(QPointF((width() - maat.width()) / 2, (height() - maat.height()) / 2), maat);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(doel, beeld);
    }

private:
    Main& m_hoofd;
};

QPushButton* knop(QWidget* ouder, const char* naam, const QString& tekst)
{
    auto* k = new QPushButton(tekst, ouder);
    k->setObjectName(QString::fromLatin1(naam));
    // The space bar belongs to the draw, never to a button that happens to have the focus.
    k->setFocusPolicy(Qt::NoFocus);
    k->setMinimumHeight(36);
    return k;
}

QLabel* label(QWidget* ouder, const char* naam, int pixels, bool vet)
{
    auto* l = new QLabel(ouder);
    l->setObjectName(QString::fromLatin1(naam));
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(pixels);
    f.setBold(vet);
    l->setFont(f);
    return l;
}
} // namespace

Organisator::Organisator(Main& hoofd, QWidget* ouder) : QWidget(ouder), m_hoofd(hoofd)
{
    setObjectName(QStringLiteral("Organisator"));
    setWindowTitle(QStringLiteral(" Zorvak - organisator"));
    setWindowIcon(Plaatjes::vensterIcoon());
    setFocusPolicy(Qt::StrongFocus);

    Spiegel = new BordSpiegel(hoofd, this);
    Spiegel->setObjectName(QStringLiteral("Spiegel"));
    LaatsteLabel = label(this, "LaatsteLabel", 48, true);
    TellerLabel = label(this, "TellerLabel", 22, true);
    RondeLabel = label(this, "RondeLabel", 22, false);
    TijdLabel = label(this, "TijdLabel", 22, false);
    // Room for the widest texts from the start, so nothing jumps while the game runs.
    LaatsteLabel->setMinimumWidth(LaatsteLabel->fontMetrics().horizontalAdvance(QStringLiteral("O88")) + 8);
    TellerLabel->setMinimumWidth(TellerLabel->fontMetrics().horizontalAdvance(QStringLiteral("Bal : 88 / 88")) + 8);

    auto* stand = new QHBoxLayout;
    stand->addWidget(LaatsteLabel);
    stand->addSpacing(24);
    stand->addWidget(TellerLabel);
    stand->addSpacing(24);
    stand->addWidget(RondeLabel);
    stand->addStretch();
    stand->addWidget(TijdLabel);

    TrekKnop = knop(this, "TrekKnop", QStringLiteral("Bal trekken (spatie)"));
    TerugKnop = knop(this, "TerugKnop", QStringLiteral("Laatste bal terug"));
    ControleKnop = knop(this, "ControleKnop", QStringLiteral("Kaart controleren"));
    ControleKnop->hide();
    connect(TrekKnop, &QPushButton::clicked, this, [this] {
        m_hoofd.trekBal();
        ververs();
    });
    connect(TerugKnop, &QPushButton::clicked, this, [this] {
        m_hoofd.legLaatsteTerug();
        ververs();
    });
    connect(ControleKnop, &QPushButton::clicked, this, [this] {
        if (m_controle) m_controle();
        ververs();
    });

    // The commands of the bar, in its order.
    const std::array<std::pair<const char*, QString>, 5> opdrachten = {{
        {"OrgHelp", QStringLiteral("Help")},
        {"OrgAfdrukken", QStringLiteral("Kaarten afdrukken")},
        {"OrgLayout", QStringLiteral("Layout kaart")},
        {"OrgInstellingen", QStringLiteral("Instellingen")},
        {"OrgStart", QStringLiteral("Nieuw spel")},
    }};
    auto* knoppen = new QGridLayout;
    for (int i = 0; i < 5; ++i) {
        QPushButton* k = knop(this, opdrachten[i].first, opdrachten[i].second);
        connect(k, &QPushButton::clicked, this, [this, i] {
            m_hoofd.opdracht(i);
            ververs();
        });
        knoppen->addWidget(k, 1, i);
    }
    knoppen->addWidget(TrekKnop, 0, 0, 1, 2);
    knoppen->addWidget(TerugKnop, 0, 2);
    knoppen->addWidget(ControleKnop, 0, 3);
    QPushButton* exit = knop(this, "OrgExit", QStringLiteral("Exit"));
    connect(exit, &QPushButton::clicked, this, [this] { m_hoofd.exit(); });
    knoppen->addWidget(exit, 0, 4);

    SchermLijst = new QComboBox(this);
    SchermLijst->setObjectName(QStringLiteral("SchermLijst"));
    SchermLijst->setFocusPolicy(Qt::NoFocus);
    SchermLijst->setToolTip(QStringLiteral(" Het scherm dat de zaal ziet "));
    connect(SchermLijst, &QComboBox::textActivated, this, &Organisator::zaalGekozen);
    auto* scherm = new QHBoxLayout;
    scherm->addWidget(new QLabel(QStringLiteral("Scherm voor de zaal:"), this));
    scherm->addWidget(SchermLijst);
    scherm->addStretch();

    auto* lagen = new QVBoxLayout(this);
    lagen->addWidget(Spiegel, 1);
    lagen->addLayout(stand);
    lagen->addLayout(knoppen);
    lagen->addLayout(scherm);

    m_tik = new QTimer(this);
    m_tik->setInterval(250);
    connect(m_tik, &QTimer::timeout, this, &Organisator::ververs);
    m_tik->start();
    ververs();
}

void Organisator::zetKaartControle(std::function<void()> controle)
{
    m_controle = std::move(controle);
    ControleKnop->setVisible(static_cast<bool>(m_controle));
}

void Organisator::zetSchermen(const QStringList& namen, const QString& zaal)
{
    const QSignalBlocker stil(SchermLijst);
    SchermLijst->clear();
    SchermLijst->addItems(namen);
    SchermLijst->setCurrentText(zaal);
}

void Organisator::ververs()
{
    const Algemeen& alg = m_hoofd.algemeen();
    const Spel& spel = m_hoofd.spel();
    const int laatste = spel.laatste();
    LaatsteLabel->setText(laatste > 0 ? Trommel::grootTekst(laatste, spel.aantalBallen()) : QStringLiteral("-"));
    // While the hall looks at a card, the game stands still.
    const bool controle = m_hoofd.KaartControleScherm->isVisible();
    TrekKnop->setEnabled(!controle);
    TerugKnop->setEnabled(laatste > 0 && !controle);
    ControleKnop->setText(controle ? QStringLiteral("Kaart wegzetten") : QStringLiteral("Kaart controleren"));
    TellerLabel->setText(m_hoofd.Label2->text());
    RondeLabel->setText(QStringLiteral("Ronde %1").arg(alg.RondeTeller));
    TijdLabel->setText(QTime::currentTime().toString(QStringLiteral("H:mm:ss")));
    Spiegel->update();
}

// Every key goes to the board, as if it had been pressed there; while a card is checked, to the
// card, which any of its keys puts away. K checks a card, as on the board.
void Organisator::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_K && e->modifiers() == Qt::NoModifier && m_controle &&
        !m_hoofd.KaartControleScherm->isVisible()) {
        m_controle();
    } else {
        QKeyEvent kopie(e->type(), e->key(), e->modifiers(), e->text(), e->isAutoRepeat(), e->count());
        QWidget* doel =
            m_hoofd.KaartControleScherm->isVisible() ? static_cast<QWidget*>(m_hoofd.KaartControleScherm) : m_hoofd.Pic;
        QCoreApplication::sendEvent(doel, &kopie);
    }
    ververs();
}

// Closing this window is closing the program: the same question as Exit.
void Organisator::closeEvent(QCloseEvent* e)
{
    e->ignore();
    m_hoofd.close();
}
