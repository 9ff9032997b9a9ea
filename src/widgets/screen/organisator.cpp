#include "widgets/screen/organisator.h"

#include "core/game/avond.h"
#include "core/game/roeper.h"
#include "core/game/spel.h"
#include "core/game/trommel.h"
#include "core/screen/plaatjes.h"
#include "core/web/adrescode.h"
#include "core/web/webvoeding.h"
#include "widgets/cards/kaartcontrole.h"
#include "widgets/common/melding.h"
#include "widgets/common/scaninvoer.h"
#include "widgets/game/bord.h"
#include "widgets/game/dialogen.h"
#include "widgets/game/main.h"
#include "widgets/game/organisatorstrook.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <QTime>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <array>

namespace
{
// The board as the hall sees it, small: a board of its own, drawn from the game and scaled to fit.
class BordSpiegel : public QWidget
{
public:
    BordSpiegel(const Spel& spel, const Algemeen& alg, QWidget* ouder) : QWidget(ouder), m_spel(spel)
    {
        setMinimumSize(400, 180);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        m_bord = new Bord(spel, alg, this);
        m_bord->setObjectName(QStringLiteral("SpiegelBord"));
        m_bord->setFocusPolicy(Qt::NoFocus);
        m_bord->hide();
    }

    Bord* bord() const { return m_bord; }
    // A checked card covers the small board whole.
    void zetBoven(QWidget* boven) { m_boven = boven; }

    void ververs()
    {
        m_bord->setVisible(m_spel.heeftSpel());
        update();
        if (!m_spel.heeftSpel()) return;
        const int hoogte = Trommel::bordHoogte(m_spel.aantalBallen());
        const qreal schaal = std::min(width() * 15.0 / Bord::breedte, height() * 15.0 / hoogte);
        m_bord->zetSchaal(schaal, devicePixelRatioF());
        m_bord->zetPlaats(0, 0, Bord::breedte, hoogte);
        m_bord->move((width() - m_bord->width()) / 2, (height() - m_bord->height()) / 2);
        m_bord->zetBalPlaatjes();
        m_bord->tekenOpnieuw();
    }

protected:
    void resizeEvent(QResizeEvent*) override
    {
        if (m_boven) m_boven->setGeometry(rect());
        ververs();
    }
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.fillRect(rect(), QColor(40, 40, 60));
        if (m_spel.heeftSpel()) return;
        p.setPen(QColor(160, 160, 160));
        p.drawText(rect(), Qt::AlignCenter, QStringLiteral("Nog geen spel: klik op Nieuw spel."));
    }

private:
    const Spel& m_spel;
    Bord* m_bord = nullptr;
    QWidget* m_boven = nullptr;
};

// A stage of the programme list in the width there is: the stage, its prize and amount, its
// winners. The prize's text gives way first, so the amount stays whole; what still does not fit
// is cut off at the end by the list, as any line.
class FaseRegels : public QStyledItemDelegate
{
public:
    // The parts of a stage's line, kept on its item beside the whole line.
    enum Rol { Voor = Qt::UserRole + 1, Prijs, Bedrag, Na };

    using QStyledItemDelegate::QStyledItemDelegate;

    static QString regel(const QString& voor, const QString& prijs, const QString& bedrag, const QString& na)
    {
        QString uit = voor;
        if (!prijs.isEmpty() && !bedrag.isEmpty())
            uit += QStringLiteral(" · %1 (%2)").arg(prijs, bedrag);
        else if (!prijs.isEmpty() || !bedrag.isEmpty())
            uit += QStringLiteral(" · ") + prijs + bedrag;
        return uit + na;
    }

    QSize sizeHint(const QStyleOptionViewItem& optie, const QModelIndex& index) const override
    {
        // Never wider than the list: a line too long is shortened, not scrolled to.
        QSize maat = QStyledItemDelegate::sizeHint(optie, index);
        if (const auto* lijst = qobject_cast<const QAbstractItemView*>(optie.widget))
            maat.setWidth(std::min(maat.width(), lijst->viewport()->width()));
        return maat;
    }

protected:
    void initStyleOption(QStyleOptionViewItem* optie, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(optie, index);
        const QString prijs = index.data(Prijs).toString();
        if (prijs.isEmpty() || optie->rect.isEmpty()) return;
        const QString voor = index.data(Voor).toString(), bedrag = index.data(Bedrag).toString(),
                      na = index.data(Na).toString();
        const QStyle* stijl = optie->widget ? optie->widget->style() : QApplication::style();
        // The text's room as the style lays out an item: its text rectangle less a margin each side.
        const int marge = stijl->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, optie->widget) + 1;
        const int ruimte = stijl->subElementRect(QStyle::SE_ItemViewItemText, optie, optie->widget).width() - 2 * marge;
        const QFontMetrics& maat = optie->fontMetrics;
        if (maat.horizontalAdvance(optie->text) <= ruimte) return;
        QString kort =
            maat.elidedText(prijs, Qt::ElideRight, ruimte - maat.horizontalAdvance(regel(voor, {}, bedrag, na)));
        while (!kort.isEmpty() && maat.horizontalAdvance(regel(voor, kort, bedrag, na)) > ruimte)
            kort = maat.elidedText(prijs, Qt::ElideRight, maat.horizontalAdvance(kort) - 1);
        if (kort == QStringLiteral("…")) kort.clear();
        optie->text = regel(voor, kort, bedrag, na);
    }
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

Organisator::Organisator(Main& podium, Avond& avond, QWidget* ouder) : QWidget(ouder), m_podium(podium), m_avond(avond)
{
    setObjectName(QStringLiteral("Organisator"));
    setWindowTitle(QStringLiteral(" Zorvak - organisator"));
    setWindowIcon(Plaatjes::vensterIcoon());
    setFocusPolicy(Qt::StrongFocus);
    ScanInvoer::programma().volg(this, [this](const QString& code) { m_podium.scan(code); });

    auto* spiegel = new BordSpiegel(avond.spel(), avond.instellingen().algemeen(), this);
    Spiegel = spiegel;
    Spiegel->setObjectName(QStringLiteral("Spiegel"));
    spiegel->bord()->zetWeergave(avond.instellingen().weergave());
    KaartScherm = new KaartControle(Spiegel);
    KaartScherm->setObjectName(QStringLiteral("KaartScherm"));
    spiegel->zetBoven(KaartScherm);
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
    connect(TrekKnop, &QPushButton::clicked, &m_avond, &Avond::trekAlsKlaar);
    connect(TerugKnop, &QPushButton::clicked, &m_avond, &Avond::legLaatsteTerugVraag);
    connect(ControleKnop, &QPushButton::clicked, &m_podium, &Main::controleerKaart);

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
        connect(k, &QPushButton::clicked, this, [this, i] { m_podium.opdracht(i); });
        knoppen->addWidget(k, 1, i);
    }
    knoppen->addWidget(TrekKnop, 0, 0, 1, 2);
    knoppen->addWidget(TerugKnop, 0, 2);
    knoppen->addWidget(ControleKnop, 0, 3);
    QPushButton* exit = knop(this, "OrgExit", QStringLiteral("Exit"));
    connect(exit, &QPushButton::clicked, &m_podium, &Main::exit);
    knoppen->addWidget(exit, 0, 4);

    SchermLijst = new QComboBox(this);
    SchermLijst->setObjectName(QStringLiteral("SchermLijst"));
    SchermLijst->setFocusPolicy(Qt::NoFocus);
    SchermLijst->setToolTip(QStringLiteral(" Het scherm dat de zaal ziet "));
    connect(SchermLijst, qOverload<int>(&QComboBox::activated), this,
            [this](int i) { emit zaalGekozen(SchermLijst->itemData(i).toString()); });
    BalkKeuze = new QCheckBox(QStringLiteral("Opdrachtbalk ook op het scherm van de zaal"), this);
    BalkKeuze->setObjectName(QStringLiteral("BalkKeuze"));
    BalkKeuze->setFocusPolicy(Qt::NoFocus);
    BalkKeuze->setChecked(avond.instellingen().weergave().balkInZaal);
    connect(BalkKeuze, &QCheckBox::toggled, this, [this](bool aan) {
        Weergave w = m_avond.instellingen().weergave();
        w.balkInZaal = aan;
        QString fout;
        if (!m_avond.instellingen().zetWeergave(w, &fout))
            Melding::meld(this, QStringLiteral(" Scherm"),
                          QStringLiteral("De keuze kon niet worden bewaard:\n%1").arg(fout));
    });
    auto* scherm = new QHBoxLayout;
    scherm->addWidget(new QLabel(QStringLiteral("Scherm voor de zaal:"), this));
    scherm->addWidget(SchermLijst);
    scherm->addSpacing(24);
    scherm->addWidget(BalkKeuze);
    scherm->addStretch();

    Strook = new OrganisatorStrook(m_podium.organisatorTekst(), KaartScherm, false, this);

    ProgrammaLijst = new QListWidget(this);
    ProgrammaLijst->setObjectName(QStringLiteral("ProgrammaLijst"));
    ProgrammaLijst->setFocusPolicy(Qt::NoFocus);
    ProgrammaLijst->setSelectionMode(QAbstractItemView::NoSelection);
    ProgrammaLijst->setMinimumWidth(260);
    ProgrammaLijst->setItemDelegate(new FaseRegels(ProgrammaLijst));
    ProgrammaLijst->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ProgrammaLijst->setResizeMode(QListView::Adjust);
    ProgrammaKnop = knop(this, "ProgrammaKnop", QStringLiteral("Programma..."));
    StartProgrammaKnop = knop(this, "StartProgrammaKnop", QStringLiteral("Programma starten"));
    WinnaarKnop = knop(this, "WinnaarKnop", QStringLiteral("Winnaar bevestigen (F9)"));
    WinnaarTerugKnop = knop(this, "WinnaarTerugKnop", QStringLiteral("Winnaar terugnemen (F10)"));
    VerslagKnop = knop(this, "VerslagKnop", QStringLiteral("Verslag van de avond..."));
    connect(ProgrammaKnop, &QPushButton::clicked, this, [this] { m_podium.dialogen().programmaDialoog(this); });
    connect(StartProgrammaKnop, &QPushButton::clicked, this, [this] {
        if (m_avond.programma().loopt())
            m_podium.dialogen().speelProgramma(false);
        else if (Melding::vraag(this, QStringLiteral(" Programma"),
                                QStringLiteral("Het programma beginnen met ronde 1? Er begint een nieuw spel."), true))
            m_podium.dialogen().speelProgramma(true);
    });
    connect(WinnaarKnop, &QPushButton::clicked, &m_avond, &Avond::bevestigWinnaar);
    connect(WinnaarTerugKnop, &QPushButton::clicked, &m_avond, &Avond::neemWinnaarTerugVraag);
    connect(VerslagKnop, &QPushButton::clicked, this, [this] { m_podium.dialogen().verslagDialoog(this); });
    auto* programma = new QVBoxLayout;
    programma->addStretch(1);
    programma->addWidget(ProgrammaLijst, 100);
    for (QPushButton* k : {StartProgrammaKnop, WinnaarKnop, WinnaarTerugKnop, ProgrammaKnop, VerslagKnop})
        programma->addWidget(k);

    // A ball from a real drum: a click on its place on the small board too.
    connect(spiegel->bord(), &Doek::muisIngedrukt, this, [this](QPoint twips, Qt::MouseButton knop) {
        if (knop == Qt::LeftButton) m_avond.voerBalInOp(twips);
    });
    WebCode = label(this, "WebCode", 14, false);
    WebCode->setAlignment(Qt::AlignCenter);
    WebLabel = label(this, "WebLabel", 16, true);
    WebLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    WebLabel->setFocusPolicy(Qt::NoFocus);
    auto* web = new QVBoxLayout;
    web->addStretch();
    web->addWidget(WebCode, 0, Qt::AlignHCenter);
    web->addWidget(WebLabel, 0, Qt::AlignHCenter);
    web->addStretch();
    auto* boven = new QHBoxLayout;
    boven->addWidget(Spiegel, 1);
    boven->addLayout(web);
    boven->addLayout(programma);

    auto* lagen = new QVBoxLayout(this);
    lagen->addLayout(boven, 1);
    lagen->addLayout(stand);
    lagen->addWidget(Strook);
    lagen->addLayout(knoppen);
    lagen->addLayout(scherm);

    // What it shows follows the game and the evening; only its clock ticks by itself.
    const Spel& spel = avond.spel();
    for (auto signaal : {&Spel::nieuwSpelGestart, &Spel::spelHersteld, &Spel::lettersGewijzigd})
        connect(&spel, signaal, this, &Organisator::toonStand);
    for (auto signaal : {&Spel::balGetrokken, &Spel::balTeruggelegd})
        connect(&spel, signaal, this, &Organisator::toonStand);
    connect(&avond, &Avond::balGetoond, this, &Organisator::toonStand);
    KaartScherm->volg(avond);
    connect(&avond, &Avond::kaartGecontroleerd, this, &Organisator::toonStand);
    connect(&avond, &Avond::kaartWeggezet, this, [this] {
        KaartScherm->hide();
        toonStand();
    });
    // A click on the card here puts it away on both screens, as on the stage.
    connect(KaartScherm, &KaartControle::gesloten, &m_podium, [this] {
        if (m_avond.kaartInBeeld()) m_podium.controleerKaart();
    });
    connect(&avond.instellingen(), &AvondInstellingen::weergaveGewijzigd, this, [this, spiegel] {
        spiegel->bord()->zetWeergave(m_avond.instellingen().weergave());
        const QSignalBlocker stil(BalkKeuze);
        BalkKeuze->setChecked(m_avond.instellingen().weergave().balkInZaal);
    });
    connect(&avond.programma(), &ProgrammaGang::gewijzigd, this, &Organisator::toonProgramma);
    connect(&avond, &Avond::kaartGecontroleerd, this, &Organisator::toonProgramma);
    connect(&avond, &Avond::kaartWeggezet, this, &Organisator::toonProgramma);
    connect(&avond.web(), &WebVoeding::gewijzigd, this, &Organisator::toonWeb);
    m_klok = new QTimer(this);
    m_klok->setInterval(1000);
    const auto tik = [this] { TijdLabel->setText(QTime::currentTime().toString(QStringLiteral("H:mm:ss"))); };
    connect(m_klok, &QTimer::timeout, this, tik);
    m_klok->start();
    tik();
    toonStand();
    toonWeb();
    toonProgramma();
}

// Every round and stage with its prize and winners; the stage played for now is marked.
void Organisator::toonProgramma()
{
    const ProgrammaGang& gang = m_avond.programma();
    const AvondProgramma& p = gang.inhoud();
    ProgrammaLijst->clear();
    // Without a programme only the way to make one, and the report, take room from the board.
    for (QWidget* w :
         std::initializer_list<QWidget*>{ProgrammaLijst, StartProgrammaKnop, WinnaarKnop, WinnaarTerugKnop})
        w->setVisible(!p.leeg());
    for (int r = 0; r < p.rondes.size(); ++r) {
        auto* kop = new QListWidgetItem(
            QStringLiteral("Ronde %1 · %2").arg(r + 1).arg(AvondProgramma::spelNaam(p.rondes[r].spel)), ProgrammaLijst);
        QFont vet = kop->font();
        vet.setBold(true);
        kop->setFont(vet);
        for (int f = 0; f < p.rondes[r].fasen.size(); ++f) {
            const AvondProgramma::Fase& fase = p.rondes[r].fasen[f];
            const bool nu = gang.loopt() && r == gang.ronde() && f == gang.fase();
            const QString voor = (nu ? QStringLiteral("▶ ") : QStringLiteral("    ")) + fase.naam;
            const QString bedrag = fase.bedrag ? AvondProgramma::bedragTekst(*fase.bedrag) : QString();
            QStringList winnaars;
            for (const ProgrammaGang::Winnaar& w : gang.winnaars())
                if (w.ronde == r && w.fase == f) winnaars << QStringLiteral("%1 (%2e bal)").arg(w.kaart).arg(w.aantal);
            const QString na =
                winnaars.isEmpty() ? QString() : QStringLiteral(" → ") + winnaars.join(QStringLiteral(", "));
            auto* regel = new QListWidgetItem(FaseRegels::regel(voor, fase.prijs, bedrag, na), ProgrammaLijst);
            regel->setData(FaseRegels::Voor, voor);
            regel->setData(FaseRegels::Prijs, fase.prijs);
            regel->setData(FaseRegels::Bedrag, bedrag);
            regel->setData(FaseRegels::Na, na);
            // A Bingo stage shows the pattern it plays for.
            if (p.rondes[r].spel != AvondProgramma::Soort::Kienen)
                regel->setIcon(QIcon(
                    QPixmap::fromImage(PatroonKaart::kleinPlaatje(fase.patroon.value_or(PatroonKaart::Patroon{})))));
            if (nu) {
                regel->setFont(vet);
                regel->setBackground(QColor(250, 220, 120));
                ProgrammaLijst->scrollToItem(regel);
            }
        }
    }
    StartProgrammaKnop->setEnabled(!p.leeg());
    StartProgrammaKnop->setText(gang.loopt() ? QStringLiteral("Programma stoppen")
                                             : QStringLiteral("Programma starten"));
    WinnaarKnop->setEnabled(m_avond.kanWinnaarBevestigen());
    WinnaarTerugKnop->setEnabled(!gang.winnaars().isEmpty());
}

void Organisator::zetSchermen(const QList<SchermRegel>& schermen, const QString& zaal)
{
    const QSignalBlocker stil(SchermLijst);
    SchermLijst->clear();
    for (const SchermRegel& s : schermen)
        SchermLijst->addItem(s.tekst, s.naam);
    SchermLijst->setCurrentIndex(SchermLijst->findData(zaal));
}

// The address the hall opens, large enough to read out; nothing while the board is off and
// all is well, the reason when it could not start.
void Organisator::toonWeb()
{
    const QStringList adressen = m_avond.web().adressen();
    const bool fout = !m_avond.web().fout().isEmpty();
    WebLabel->setText(adressen.isEmpty() ? m_avond.web().uitleg()
                                         : QStringLiteral("Het bord op uw telefoon:\n%1\n%2")
                                               .arg(adressen.first(), WebVoeding::kaartenUitleg));
    WebLabel->setWordWrap(true);
    WebLabel->setMaximumWidth(320);
    WebLabel->setStyleSheet(fout ? QStringLiteral("color: rgb(176, 0, 32);") : QString());
    WebLabel->setVisible(m_avond.web().draait() || fout);
    const QImage code = adressen.isEmpty() ? QImage() : adresCode(adressen.first());
    // Whole pixels per module, so a camera reads it from the screen.
    const int perModule = code.isNull() ? 0 : std::max(1, 180 / code.width());
    WebCode->setPixmap(code.isNull() ? QPixmap()
                                     : QPixmap::fromImage(code.scaled(code.size() * perModule, Qt::KeepAspectRatio,
                                                                      Qt::FastTransformation)));
    WebCode->setVisible(!code.isNull());
}

void Organisator::toonStand()
{
    const Spel& spel = m_avond.spel();
    const int laatste = spel.laatste();
    LaatsteLabel->setText(laatste > 0 ? spel.grootTekst(laatste) : QStringLiteral("-"));
    TellerLabel->setText(spel.heeftSpel()
                             ? QStringLiteral("Bal : %1 / %2").arg(spel.ballen().size()).arg(spel.aantalBallen())
                             : QStringLiteral("Bal : 0"));
    RondeLabel->setText(QStringLiteral("Ronde %1").arg(spel.ronde()));
    // While the hall looks at a card, the game stands still.
    const bool controle = m_avond.kaartInBeeld();
    TrekKnop->setEnabled(!controle);
    TerugKnop->setEnabled(laatste > 0 && !controle);
    ControleKnop->setText(controle ? QStringLiteral("Kaart wegzetten") : QStringLiteral("Kaart controleren"));
    static_cast<BordSpiegel*>(Spiegel)->ververs();
}

// Every key works as on the board (a checked card takes them while it shows).
void Organisator::keyPressEvent(QKeyEvent* e)
{
    m_podium.toets(e->key(), e->isAutoRepeat());
}

// Closing this window is closing the program: the same question as Exit.
void Organisator::closeEvent(QCloseEvent* e)
{
    e->ignore();
    m_podium.close();
}
