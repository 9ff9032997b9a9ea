#include "widgets/screen/tweeschermen.h"

#include "core/game/avond.h"
#include "core/screen/schermkeuze.h"
#include "core/settings/extrainstellingen.h"
#include "widgets/common/dialoog.h"
#include "widgets/common/melding.h"
#include "widgets/game/main.h"
#include "widgets/screen/organisator.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWindow>

namespace
{
const QString zaalSleutel = QStringLiteral("Schermen/Zaal");

// A top-level window onto a screen, the whole of it or the part left by panels.
void zetOp(QWidget& venster, QScreen* scherm, const QRect& plek)
{
    venster.winId();
    if (QWindow* w = venster.windowHandle(); w && w->screen() != scherm) w->setScreen(scherm);
    venster.setGeometry(plek);
}
} // namespace

TweeSchermen::TweeSchermen(Main& podium, Avond& avond)
    : m_hoofd(podium), m_avond(avond), m_bron([] { return QGuiApplication::screens(); })
{
    m_gekozen = m_avond.instellingen().extra().waarde(zaalSleutel).toString();
    connect(qApp, &QGuiApplication::screenAdded, this, &TweeSchermen::straks);
    connect(qApp, &QGuiApplication::screenRemoved, this, &TweeSchermen::straks);
    connect(qApp, &QGuiApplication::primaryScreenChanged, this, &TweeSchermen::straks);
}

TweeSchermen::~TweeSchermen()
{
    if (dialoogThuis() == m_organisator.get()) zetDialoogThuis(nullptr);
}

void TweeSchermen::zetSchermenBron(std::function<QList<QScreen*>()> bron)
{
    m_bron = std::move(bron);
}

// While a screen comes or goes, Qt is still moving windows: look once that has settled.
void TweeSchermen::straks()
{
    if (m_gepland) return;
    m_gepland = true;
    QTimer::singleShot(0, this, [this] {
        m_gepland = false;
        pasToe();
    });
}

namespace
{
QList<SchermKeuze::Scherm> lijst(const QList<QScreen*>& schermen)
{
    // Screens the system names alike (several X screens are all "screen") are told apart by
    // their place, also in the choice that is kept.
    QStringList namen;
    for (QScreen* s : schermen)
        namen << s->name();
    QList<SchermKeuze::Scherm> uit;
    for (int i = 0; i < schermen.size(); ++i) {
        QScreen* s = schermen[i];
        const QString naam = namen.count(namen[i]) > 1 ? QStringLiteral("%1#%2").arg(namen[i]).arg(i + 1) : namen[i];
        uit.append({naam, s == QGuiApplication::primaryScreen(), s->manufacturer(), s->model(),
                    s->geometry().size() * s->devicePixelRatio()});
    }
    return uit;
}
} // namespace

QScreen* TweeSchermen::zaal(const ExtraInstellingen& extra)
{
    const QList<QScreen*> schermen = QGuiApplication::screens();
    const SchermKeuze::Verdeling v = SchermKeuze::verdeel(lijst(schermen), extra.waarde(zaalSleutel).toString());
    return v.zaal >= 0 ? schermen[v.zaal] : QGuiApplication::primaryScreen();
}

bool TweeSchermen::tweeSchermen() const
{
    return m_organisator && !m_organisator->isHidden();
}

void TweeSchermen::pasToe()
{
    const QList<QScreen*> schermen = m_bron();
    const QList<SchermKeuze::Scherm> gegevens = lijst(schermen);
    const QStringList teksten = SchermKeuze::teksten(gegevens);
    QList<Organisator::SchermRegel> regels;
    for (int i = 0; i < schermen.size(); ++i)
        regels.append({gegevens[i].naam, teksten[i]});
    const SchermKeuze::Verdeling v = SchermKeuze::verdeel(gegevens, m_gekozen);
    QScreen* zaal = v.zaal >= 0 ? schermen[v.zaal] : QGuiApplication::primaryScreen();
    if (!zaal) return;

    // A full-screen window keeps its screen: let go of full screen to move it.
    const bool volScherm = m_hoofd.isFullScreen();
    if (volScherm && m_hoofd.screen() != zaal) m_hoofd.showNormal();
    zetOp(m_hoofd, zaal, zaal->geometry());
    m_hoofd.legUit(zaal->geometry(), zaal->devicePixelRatio());
    if (volScherm && !m_hoofd.isFullScreen()) m_hoofd.showFullScreen();

    if (v.organisator < 0) {
        if (m_organisator) m_organisator->hide();
        zetDialoogThuis(nullptr);
        m_hoofd.verbergWijzer(false);
        m_hoofd.zetZaalScherm(false);
        return;
    }
    if (!m_organisator) {
        m_organisator = std::make_unique<Organisator>(m_hoofd, m_avond);
        connect(m_organisator.get(), &Organisator::zaalGekozen, this, &TweeSchermen::kiesZaal);
    }
    QScreen* eigen = schermen[v.organisator];
    zetOp(*m_organisator, eigen, eigen->availableGeometry());
    m_organisator->zetSchermen(regels, gegevens[v.zaal].naam);
    m_organisator->show();
    m_organisator->activateWindow();
    zetDialoogThuis(m_organisator.get());
    m_hoofd.verbergWijzer(true);
    m_hoofd.zetZaalScherm(true);
}

void TweeSchermen::kiesZaal(const QString& naam)
{
    m_gekozen = naam;
    // The one copy of the file the whole program shares: whoever saves next keeps this too.
    ExtraInstellingen& extra = m_avond.instellingen().extra();
    extra.zet(zaalSleutel, naam);
    QString fout;
    if (!extra.bewaar(&fout))
        Melding::meld(m_organisator.get(), QStringLiteral(" Scherm"),
                      QStringLiteral("De keuze van het scherm kon niet worden bewaard:\n%1").arg(fout));
    pasToe();
}
