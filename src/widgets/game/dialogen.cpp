#include "widgets/game/dialogen.h"

#include "core/cards/kaartregister.h"
#include "core/game/avond.h"
#include "core/game/verslag.h"
#include "core/game/roeper.h"
#include "core/game/spel.h"
#include "core/web/webvoeding.h"
#include "widgets/cards/afdrukken.h"
#include "widgets/common/melding.h"
#include "widgets/settings/config.h"
#include "widgets/settings/extra.h"
#include "widgets/settings/layout.h"
#include "widgets/settings/programmadialoog.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QFileDialog>
#include <QTimer>

Dialogen::Dialogen(Avond& avond, QWidget* venster) : QObject(venster), m_avond(avond), m_venster(venster) {}

std::unique_ptr<Config> Dialogen::maakConfig()
{
    auto dlg =
        std::make_unique<Config>(m_avond.instellingen().algemeen(), m_avond.instellingen().programmaMap(), m_venster);
    connect(dlg.get(), &Config::extraGevraagd, this, [this, d = dlg.get()] { extraDialoog(d); });
    connect(dlg.get(), &Config::achtergrondGekozen, this, &Dialogen::achtergrondGekozen);
    connect(dlg.get(), &Config::balPlaatjesBevestigd, this, &Dialogen::balPlaatjesBevestigd);
    connect(dlg.get(), &Config::rondeTellerGewist, this, [this] { m_avond.spel().zetRondeTeller(0); });
    return dlg;
}

std::unique_ptr<Layout> Dialogen::maakLayout()
{
    auto dlg = std::make_unique<Layout>(m_avond.spel(), m_venster);
    connect(dlg.get(), &Layout::patroonBevestigd, this, &Dialogen::patroonBevestigd);
    return dlg;
}

std::unique_ptr<Afdrukken> Dialogen::maakAfdrukken()
{
    auto dlg = std::make_unique<Afdrukken>(m_avond.instellingen().algemeen(), m_avond.toeval(), m_venster);
    dlg->zetRegisterPad(KaartRegister::padIn(m_avond.instellingen().instellingenMap()));
    return dlg;
}

void Dialogen::instellingen()
{
    const Roeper::Pauze pauze(&m_avond.roeper(), Roeper::Dialoog);
    maakConfig()->exec();
}

void Dialogen::layoutKaart()
{
    const Roeper::Pauze pauze(&m_avond.roeper(), Roeper::Dialoog);
    maakLayout()->exec();
}

void Dialogen::afdrukken()
{
    const Roeper::Pauze pauze(&m_avond.roeper(), Roeper::Dialoog);
    maakAfdrukken()->exec();
}

void Dialogen::extraDialoog(QWidget* ouder)
{
    Roeper& roeper = m_avond.roeper();
    const Roeper::Pauze pauze(&roeper, Roeper::Dialoog);
    Extra dlg(ouder ? ouder : m_venster, roeper.instellingen(), roeper.stem());
    dlg.zetWeergave(m_avond.instellingen().weergave());
    dlg.zetHandmatig(m_avond.instellingen().handmatig());
    dlg.zetProgrammaLoopt(m_avond.programma().loopt());
    connect(&dlg, &Extra::programmaGevraagd, this, [this, &dlg] { programmaDialoog(&dlg); });
    connect(&dlg, &Extra::verslagGevraagd, this, [this, &dlg] { verslagDialoog(&dlg); });
    dlg.zetSpraakFout(roeper.spraakFout());
    dlg.zetWeb(m_avond.web().instelling(), m_avond.web().uitleg(), !m_avond.web().fout().isEmpty());
    if (dlg.exec() != QDialog::Accepted) {
        // A voice tried out with "Luister" goes back to the one that was kept.
        roeper.stelStem();
        return;
    }
    QString fout;
    bool weergaveBewaard = m_avond.instellingen().zetWeergave(dlg.weergave(), &fout);
    if (dlg.handmatig() != m_avond.instellingen().handmatig())
        weergaveBewaard = m_avond.instellingen().zetHandmatig(dlg.handmatig(), &fout) && weergaveBewaard;
    if (!roeper.zetInstellingen(dlg.waarden(), &fout) || !weergaveBewaard)
        Melding::meld(m_venster, QStringLiteral(" Extra"),
                      QStringLiteral("De instellingen konden niet worden bewaard.\n") + fout);
    // The game goes on whatever the network says; the organiser hears why the board is not there.
    const bool nogmaals = dlg.web().aan && !m_avond.web().draait();
    if ((dlg.web() != m_avond.web().instelling() || nogmaals) && !m_avond.web().zet(dlg.web(), true, &fout))
        Melding::meld(m_venster, QStringLiteral(" Extra"), QStringLiteral("Het bord op het netwerk:\n") + fout);
    if (dlg.programmaLoopt() != m_avond.programma().loopt()) speelProgramma(dlg.programmaLoopt());
}

// A programme begins with a new game, on the stage, once the dialogs it was asked from are closed.
void Dialogen::speelProgramma(bool aan)
{
    if (!aan) {
        m_avond.programma().stop();
        return;
    }
    if (QApplication::activeModalWidget()) {
        QTimer::singleShot(100, this, [this] { speelProgramma(true); });
        return;
    }
    if (m_avond.programma().loopt() || m_avond.programma().inhoud().leeg()) return;
    m_avond.startProgramma();
    emit programmaBegonnen();
}

void Dialogen::programmaDialoog(QWidget* ouder)
{
    const Roeper::Pauze pauze(&m_avond.roeper(), Roeper::Dialoog);
    ProgrammaDialoog dlg(ouder ? ouder : m_venster, m_avond.programma().inhoud(), m_avond.programma().maxPrijs(),
                         m_avond.programma().maxAvond(), m_avond.spel().patroon());
    if (dlg.exec() != QDialog::Accepted) return;
    QString fout;
    const bool grenzen = m_avond.programma().zetLimieten(dlg.maxPrijs(), dlg.maxAvond(), &fout);
    if (!m_avond.programma().zet(dlg.programma(), &fout) || !grenzen)
        Melding::meld(m_venster, QStringLiteral(" Programma"),
                      QStringLiteral("Het programma kon niet worden bewaard.\n") + fout);
}

std::function<QString(QWidget*)>& Dialogen::verslagHaak()
{
    static std::function<QString(QWidget*)> haak = [](QWidget* ouder) {
        return QFileDialog::getSaveFileName(ouder, QStringLiteral("Verslag van de avond bewaren als"),
                                            QStringLiteral("Verslag van de avond %1.pdf")
                                                .arg(QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"))),
                                            QStringLiteral("PDF (*.pdf)"));
    };
    return haak;
}

void Dialogen::verslagDialoog(QWidget* ouder)
{
    const Roeper::Pauze pauze(&m_avond.roeper(), Roeper::Dialoog);
    QWidget* over = ouder ? ouder : m_venster;
    const QString pad = verslagHaak()(over);
    if (pad.isEmpty()) return;
    QString fout;
    if (Verslag::maakVanDeAvond(m_avond.instellingen().instellingenMap(), pad, &fout))
        Melding::meld(over, QStringLiteral(" Verslag"),
                      QStringLiteral("Het verslag van de avond is bewaard als\n%1").arg(QDir::toNativeSeparators(pad)));
    else
        Melding::meld(over, QStringLiteral(" Verslag"), fout);
}
