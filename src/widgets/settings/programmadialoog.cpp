#include "widgets/settings/programmadialoog.h"

#include "core/game/spel.h"
#include "widgets/common/dialoog.h"
#include "widgets/common/melding.h"
#include "widgets/settings/layout.h"

#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <cmath>

namespace
{
QDoubleSpinBox* euroVak(QWidget* ouder, const char* naam, double hoogste)
{
    auto* vak = new QDoubleSpinBox(ouder);
    vak->setObjectName(QString::fromLatin1(naam));
    vak->setPrefix(QStringLiteral("€ "));
    vak->setDecimals(2);
    vak->setRange(0, hoogste);
    vak->setLocale(QLocale(QLocale::Dutch, QLocale::Netherlands));
    return vak;
}

qint64 centen(double euros)
{
    return std::llround(euros * 100);
}

enum Kolom { KolomFase, KolomPrijs, KolomBedrag, KolomPatroon };
} // namespace

std::function<std::optional<PatroonKaart::Patroon>(QWidget*, const PatroonKaart::Patroon&)>&
ProgrammaDialoog::patroonHaak()
{
    // The pattern editor's own card, on a pattern of the stage's own: the editor's pattern stays.
    static std::function<std::optional<PatroonKaart::Patroon>(QWidget*, const PatroonKaart::Patroon&)> haak =
        [](QWidget* ouder, const PatroonKaart::Patroon& patroon) -> std::optional<PatroonKaart::Patroon> {
        Spel fase;
        fase.zetPatroon(patroon);
        Layout editor(fase, ouder);
        if (editor.exec() != QDialog::Accepted) return std::nullopt;
        return fase.patroon();
    };
    return haak;
}

std::function<QString(QWidget*, bool)>& ProgrammaDialoog::bestandHaak()
{
    static std::function<QString(QWidget*, bool)> haak = [](QWidget* ouder, bool opslaan) {
        const QString filter = QStringLiteral("Programma (*.json)");
        return opslaan ? QFileDialog::getSaveFileName(ouder, QStringLiteral("Programma bewaren als"),
                                                      AvondProgramma::bestandsNaam, filter)
                       : QFileDialog::getOpenFileName(ouder, QStringLiteral("Programma openen"), QString(), filter);
    };
    return haak;
}

ProgrammaDialoog::ProgrammaDialoog(QWidget* ouder, const AvondProgramma& programma, qint64 maxPrijs, qint64 maxAvond,
                                   const PatroonKaart::Patroon& eigenPatroon)
    : QDialog(ouder), m_programma(programma), m_eigen(eigenPatroon)
{
    richtDialoogIn(*this, QStringLiteral("ProgrammaDialoog"), QStringLiteral(" Programma van de avond"), 11400, 8400);

    RondeLijst = new QListWidget(this);
    RondeLijst->setObjectName(QStringLiteral("RondeLijst"));
    RondeLijst->setMaximumWidth(200);
    auto* rondeErbij = dialoogKnop(this, QStringLiteral("RondeErbij"), QStringLiteral("Ronde erbij"), {192, 255, 192});
    auto* rondeWeg = dialoogKnop(this, QStringLiteral("RondeWeg"), QStringLiteral("Ronde weg"), {255, 210, 192});

    SpelKeuze = new QComboBox(this);
    SpelKeuze->setObjectName(QStringLiteral("SpelKeuze"));
    for (auto s : {AvondProgramma::Soort::Kienen, AvondProgramma::Soort::Bingo75, AvondProgramma::Soort::Bingo90})
        SpelKeuze->addItem(AvondProgramma::spelNaam(s), static_cast<int>(s));
    KaartPrijs = euroVak(this, "KaartPrijs", 1000);
    KaartPrijs->setSpecialValueText(QStringLiteral("geen"));
    KaartenAantal = new QSpinBox(this);
    KaartenAantal->setObjectName(QStringLiteral("KaartenAantal"));
    KaartenAantal->setRange(0, 100000);

    FaseTabel = new QTableWidget(0, 4, this);
    FaseTabel->setObjectName(QStringLiteral("FaseTabel"));
    FaseTabel->setHorizontalHeaderLabels(
        {QStringLiteral("Fase"), QStringLiteral("Prijs"), QStringLiteral("Bedrag"), QStringLiteral("Patroon")});
    FaseTabel->setColumnWidth(KolomPatroon, 64);
    FaseTabel->verticalHeader()->setMinimumSectionSize(44);
    FaseTabel->horizontalHeader()->setSectionResizeMode(KolomPrijs, QHeaderView::Stretch);
    FaseTabel->setColumnWidth(KolomFase, 150);
    FaseTabel->setColumnWidth(KolomBedrag, 110);
    auto* faseErbij = dialoogKnop(this, QStringLiteral("FaseErbij"), QStringLiteral("Fase erbij"), {192, 255, 192});
    auto* faseWeg = dialoogKnop(this, QStringLiteral("FaseWeg"), QStringLiteral("Fase weg"), {255, 210, 192});

    MaxPrijs = euroVak(this, "MaxPrijs", 1000000);
    MaxAvond = euroVak(this, "MaxAvond", 1000000);
    MaxPrijs->setValue(maxPrijs / 100.0);
    MaxAvond->setValue(maxAvond / 100.0);
    WaarschuwingLabel = new QLabel(this);
    WaarschuwingLabel->setObjectName(QStringLiteral("WaarschuwingLabel"));
    WaarschuwingLabel->setWordWrap(true);
    WaarschuwingLabel->setStyleSheet(QStringLiteral("color: rgb(170, 60, 0);"));

    auto* importKnop = dialoogKnop(this, QStringLiteral("ImportKnop"), QStringLiteral("Openen..."), {230, 230, 230});
    auto* exportKnop =
        dialoogKnop(this, QStringLiteral("ExportKnop"), QStringLiteral("Bewaren als..."), {230, 230, 230});
    auto* cancel = dialoogKnop(this, QStringLiteral("CancelKnop"), QStringLiteral("Cancel"), {192, 255, 192});
    OkKnop = dialoogKnop(this, QStringLiteral("OkKnop"), QStringLiteral("Ok"), {192, 192, 255});

    auto* links = new QVBoxLayout;
    links->addWidget(RondeLijst, 1);
    links->addWidget(rondeErbij);
    links->addWidget(rondeWeg);
    auto* ronde = new QFormLayout;
    ronde->addRow(QStringLiteral("Spel"), SpelKeuze);
    ronde->addRow(QStringLiteral("Prijs per kaart"), KaartPrijs);
    ronde->addRow(QStringLiteral("Kaarten verkocht"), KaartenAantal);
    auto* faseKnoppen = new QHBoxLayout;
    faseKnoppen->addWidget(faseErbij);
    faseKnoppen->addWidget(faseWeg);
    faseKnoppen->addStretch();
    auto* rechts = new QVBoxLayout;
    rechts->addLayout(ronde);
    rechts->addWidget(FaseTabel, 1);
    rechts->addLayout(faseKnoppen);
    auto* midden = new QHBoxLayout;
    midden->addLayout(links);
    midden->addLayout(rechts, 1);
    auto* grenzen = new QHBoxLayout;
    grenzen->addWidget(new QLabel(QStringLiteral("Hoogste prijs bij een clubspel:"), this));
    grenzen->addWidget(MaxPrijs);
    grenzen->addWidget(new QLabel(QStringLiteral("per avond:"), this));
    grenzen->addWidget(MaxAvond);
    grenzen->addStretch();
    auto* onder = new QHBoxLayout;
    onder->addWidget(importKnop);
    onder->addWidget(exportKnop);
    onder->addStretch();
    onder->addWidget(cancel);
    onder->addWidget(OkKnop);
    auto* alles = new QVBoxLayout(this);
    alles->addLayout(midden, 1);
    alles->addLayout(grenzen);
    alles->addWidget(WaarschuwingLabel);
    alles->addLayout(onder);

    connect(RondeLijst, &QListWidget::currentRowChanged, this, [this](int rij) {
        if (m_bezig) return;
        leesRonde();
        m_ronde = rij;
        toonRonde();
    });
    connect(rondeErbij, &QPushButton::clicked, this, [this] {
        leesRonde();
        AvondProgramma::Ronde r;
        r.fasen = AvondProgramma::standaardFasen(r.spel);
        m_programma.rondes.append(r);
        m_ronde = static_cast<int>(m_programma.rondes.size()) - 1;
        toonRondes();
    });
    connect(rondeWeg, &QPushButton::clicked, this, [this] {
        if (m_ronde < 0) return;
        m_programma.rondes.removeAt(m_ronde);
        m_ronde = std::min(m_ronde, static_cast<int>(m_programma.rondes.size()) - 1);
        toonRondes();
    });
    connect(SpelKeuze, qOverload<int>(&QComboBox::activated), this, [this] {
        if (m_ronde < 0) return;
        auto& r = m_programma.rondes[m_ronde];
        const auto soort = static_cast<AvondProgramma::Soort>(SpelKeuze->currentData().toInt());
        // Kienen and Bingo play for other stages: the round starts with the usual ones.
        const bool anders = (soort == AvondProgramma::Soort::Kienen) != (r.spel == AvondProgramma::Soort::Kienen);
        leesRonde();
        r.spel = soort;
        if (anders) r.fasen = AvondProgramma::standaardFasen(soort);
        toonRondes();
    });
    connect(faseErbij, &QPushButton::clicked, this, [this] {
        if (m_ronde < 0) return;
        leesRonde();
        auto& r = m_programma.rondes[m_ronde];
        const auto standaard = AvondProgramma::standaardFasen(r.spel);
        r.fasen.append(standaard.last());
        toonRonde();
    });
    connect(faseWeg, &QPushButton::clicked, this, [this] {
        if (m_ronde < 0 || FaseTabel->currentRow() < 0) return;
        leesRonde();
        auto& r = m_programma.rondes[m_ronde];
        if (r.fasen.size() > 1) r.fasen.removeAt(FaseTabel->currentRow());
        toonRonde();
    });
    for (QDoubleSpinBox* vak : {MaxPrijs, MaxAvond, KaartPrijs})
        connect(vak, qOverload<double>(&QDoubleSpinBox::valueChanged), this, [this] {
            leesRonde();
            toonWaarschuwing();
        });
    connect(KaartenAantal, qOverload<int>(&QSpinBox::valueChanged), this, &ProgrammaDialoog::leesRonde);
    connect(FaseTabel, &QTableWidget::itemChanged, this, [this] {
        leesRonde();
        toonWaarschuwing();
    });
    connect(importKnop, &QPushButton::clicked, this, &ProgrammaDialoog::importeer);
    connect(exportKnop, &QPushButton::clicked, this, &ProgrammaDialoog::exporteer);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(OkKnop, &QPushButton::clicked, this, [this] {
        leesRonde();
        accept();
    });
    m_ronde = m_programma.leeg() ? -1 : 0;
    toonRondes();
}

qint64 ProgrammaDialoog::maxPrijs() const
{
    return centen(MaxPrijs->value());
}

qint64 ProgrammaDialoog::maxAvond() const
{
    return centen(MaxAvond->value());
}

QStringList ProgrammaDialoog::waarschuwingen() const
{
    return m_programma.waarschuwingen(maxPrijs(), maxAvond());
}

void ProgrammaDialoog::toonRondes()
{
    m_bezig = true;
    RondeLijst->clear();
    for (int i = 0; i < m_programma.rondes.size(); ++i)
        RondeLijst->addItem(
            QStringLiteral("Ronde %1 · %2").arg(i + 1).arg(AvondProgramma::spelNaam(m_programma.rondes[i].spel)));
    RondeLijst->setCurrentRow(m_ronde);
    m_bezig = false;
    toonRonde();
}

void ProgrammaDialoog::toonRonde()
{
    m_bezig = true;
    const bool heeft = m_ronde >= 0 && m_ronde < m_programma.rondes.size();
    for (QWidget* w : std::initializer_list<QWidget*>{SpelKeuze, KaartPrijs, KaartenAantal, FaseTabel})
        w->setEnabled(heeft);
    FaseTabel->setRowCount(0);
    if (heeft) {
        const auto& r = m_programma.rondes[m_ronde];
        SpelKeuze->setCurrentIndex(SpelKeuze->findData(static_cast<int>(r.spel)));
        KaartPrijs->setValue(r.kaartPrijs.value_or(0) / 100.0);
        KaartenAantal->setValue(r.kaarten);
        FaseTabel->setRowCount(static_cast<int>(r.fasen.size()));
        const QStringList namen = r.spel == AvondProgramma::Soort::Kienen
                                      ? AvondProgramma::kienFasen()
                                      : AvondProgramma::patroonNamen() << AvondProgramma::eigenPatroon;
        for (int i = 0; i < r.fasen.size(); ++i) {
            const auto& f = r.fasen[i];
            auto* keuze = new QComboBox(FaseTabel);
            keuze->setObjectName(QStringLiteral("FaseKeuze%1").arg(i + 1));
            keuze->addItems(namen);
            if (keuze->findText(f.naam) < 0) keuze->addItem(f.naam);
            keuze->setCurrentText(f.naam);
            connect(keuze, qOverload<int>(&QComboBox::activated), this, [this] {
                leesRonde();
                toonWaarschuwing();
            });
            FaseTabel->setCellWidget(i, KolomFase, keuze);
            FaseTabel->setItem(i, KolomPrijs, new QTableWidgetItem(f.prijs));
            auto* bedrag = euroVak(FaseTabel, "", 1000000);
            bedrag->setObjectName(QStringLiteral("FaseBedrag%1").arg(i + 1));
            bedrag->setSpecialValueText(QStringLiteral("geen"));
            bedrag->setValue(f.bedrag.value_or(0) / 100.0);
            connect(bedrag, qOverload<double>(&QDoubleSpinBox::valueChanged), this, [this] {
                leesRonde();
                toonWaarschuwing();
            });
            FaseTabel->setCellWidget(i, KolomBedrag, bedrag);
            // Bingo: the stage's pattern as a small card; a pattern of its own is drawn from here.
            if (r.spel != AvondProgramma::Soort::Kienen) {
                auto* knop = new QToolButton(FaseTabel);
                knop->setObjectName(QStringLiteral("FasePatroon%1").arg(i + 1));
                knop->setIconSize(QSize(36, 36));
                connect(knop, &QToolButton::clicked, this, [this, i] { tekenPatroon(i); });
                FaseTabel->setCellWidget(i, KolomPatroon, knop);
                toonPatroonKnop(i);
            }
        }
        FaseTabel->setColumnHidden(KolomPatroon, r.spel == AvondProgramma::Soort::Kienen);
    }
    m_bezig = false;
    toonWaarschuwing();
}

// What the controls of the round shown say, back into the programme.
void ProgrammaDialoog::leesRonde()
{
    if (m_bezig || m_ronde < 0 || m_ronde >= m_programma.rondes.size()) return;
    auto& r = m_programma.rondes[m_ronde];
    r.kaartPrijs = KaartPrijs->value() > 0 ? std::optional<qint64>(centen(KaartPrijs->value())) : std::nullopt;
    r.kaarten = KaartenAantal->value();
    for (int i = 0; i < r.fasen.size() && i < FaseTabel->rowCount(); ++i) {
        auto& f = r.fasen[i];
        const auto* keuze = qobject_cast<QComboBox*>(FaseTabel->cellWidget(i, KolomFase));
        const auto* bedrag = qobject_cast<QDoubleSpinBox*>(FaseTabel->cellWidget(i, KolomBedrag));
        if (keuze && keuze->currentText() != f.naam) {
            f.naam = keuze->currentText();
            // A stage of its own pattern starts from the pattern editor's; it is drawn for the
            // stage with the button beside it.
            if (r.spel != AvondProgramma::Soort::Kienen)
                f.patroon = f.naam == AvondProgramma::eigenPatroon ? std::optional(m_eigen)
                                                                   : AvondProgramma::vastPatroon(f.naam);
            toonPatroonKnop(i);
        }
        if (const QTableWidgetItem* prijs = FaseTabel->item(i, KolomPrijs)) f.prijs = prijs->text().simplified();
        if (bedrag) f.bedrag = bedrag->value() > 0 ? std::optional<qint64>(centen(bedrag->value())) : std::nullopt;
    }
}

void ProgrammaDialoog::toonWaarschuwing()
{
    // A programme that cannot be played is refused: Ok waits until it can.
    const QStringList fouten = m_programma.fouten();
    OkKnop->setEnabled(fouten.isEmpty());
    QStringList tekst;
    for (const QString& fout : fouten)
        tekst << fout.left(1).toUpper() + fout.mid(1) + QLatin1Char('.');
    const QStringList lijst = waarschuwingen();
    if (!lijst.isEmpty())
        tekst << lijst.join(QLatin1Char('\n')) +
                     QStringLiteral("\nDat mag bij een clubspel niet; kijk bij uw gemeente wat nu de regels zijn.");
    WaarschuwingLabel->setText(tekst.join(QLatin1Char('\n')));
    WaarschuwingLabel->setVisible(!tekst.isEmpty());
}

void ProgrammaDialoog::toonPatroonKnop(int fase)
{
    auto* knop = qobject_cast<QToolButton*>(FaseTabel->cellWidget(fase, KolomPatroon));
    if (!knop || m_ronde < 0 || fase >= m_programma.rondes[m_ronde].fasen.size()) return;
    const AvondProgramma::Fase& f = m_programma.rondes[m_ronde].fasen[fase];
    knop->setIcon(QIcon(QPixmap::fromImage(PatroonKaart::kleinPlaatje(f.patroon.value_or(PatroonKaart::Patroon{})))));
    const bool eigen = f.naam == AvondProgramma::eigenPatroon;
    knop->setEnabled(eigen);
    knop->setToolTip(eigen       ? QStringLiteral("Patroon tekenen")
                     : f.patroon ? QStringLiteral("Het patroon van \"%1\"").arg(f.naam)
                                 : QStringLiteral("Elke rij, kolom of diagonaal"));
}

void ProgrammaDialoog::tekenPatroon(int fase)
{
    leesRonde();
    if (m_ronde < 0 || fase >= m_programma.rondes[m_ronde].fasen.size()) return;
    AvondProgramma::Fase& f = m_programma.rondes[m_ronde].fasen[fase];
    const auto getekend = patroonHaak()(this, f.patroon.value_or(PatroonKaart::Patroon{}));
    if (!getekend) return;
    f.patroon = *getekend;
    toonRonde();
}

void ProgrammaDialoog::importeer()
{
    const QString pad = bestandHaak()(this, false);
    if (pad.isEmpty()) return;
    QString fout;
    const auto gelezen = AvondProgramma::importeer(pad, &fout);
    if (!gelezen) {
        Melding::meld(this, QStringLiteral(" Programma"),
                      QStringLiteral("%1 is geen programma dat Zorvak kan lezen (%2). Er is niets veranderd.")
                          .arg(QDir::toNativeSeparators(pad), fout));
        return;
    }
    m_programma = *gelezen;
    m_ronde = m_programma.leeg() ? -1 : 0;
    toonRondes();
}

void ProgrammaDialoog::exporteer()
{
    leesRonde();
    const QString pad = bestandHaak()(this, true);
    if (pad.isEmpty()) return;
    QString fout;
    if (!m_programma.exporteer(pad, &fout))
        Melding::meld(this, QStringLiteral(" Programma"),
                      QStringLiteral("Het programma kon niet worden bewaard:\n%1").arg(fout));
}
