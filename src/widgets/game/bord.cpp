#include "widgets/game/bord.h"

#include "core/common/wacht.h"
#include "core/game/spel.h"
#include "core/game/trommel.h"
#include "core/screen/plaatjes.h"
#include "core/screen/twips.h"
#include "core/settings/algemeen.h"

#include <QCoreApplication>
#include <QFontMetricsF>

#include <algorithm>

Bord::Bord(const Spel& spel, const Algemeen& alg, QWidget* ouder)
    : Doek(ouder, Plaatjes::bordKleur), m_spel(spel), m_alg(alg)
{
    setObjectName(QStringLiteral("Pic"));
    setFocusPolicy(Qt::StrongFocus);
}

const QColor Bord::contrastKleur(240, 240, 240);

void Bord::zetWeergave(const Weergave& weergave)
{
    if (weergave.contrast == m_weergave.contrast && weergave.vorigeBallen == m_weergave.vorigeBallen) return;
    m_weergave = weergave;
    tekenOpnieuw();
}

bool Bord::loopt(int generatie) const
{
    return m_generatie == generatie && !WachtTempo::beeindigd();
}

void Bord::legUit(int schermBreedte, int schermHoogte, qreal schaal, qreal dpr)
{
    m_schermHoogte = schermHoogte;
    zetSchaal(schaal, dpr);
    // A board at rest stays where the slide ends; before the first game it waits above.
    const int boven = m_rust ? Trommel::eindBoven(schermHoogte, twipsHoogte()) : twipsY();
    const bool eerste = m_generatie == 0;
    zetPlaats(schermBreedte / 2 - 7455, eerste ? -9000 : boven, breedte, eerste ? 8790 : twipsHoogte());
    zetBalPlaatjes();
    tekenOpnieuw();
}

void Bord::zetBalPlaatjes()
{
    const qreal dpr = std::max<qreal>(1.0, beeldFactor());
    const auto kies = [dpr](BalKeuze& keuze, int index, int anders) {
        const bool bestaat = index >= 1 && index <= Plaatjes::aantalBallen;
        if (!bestaat && keuze.index != 0) return;
        keuze = BalKeuze{bestaat ? index : anders, dpr, QImage()};
    };
    kies(m_bal1, m_alg.balKleurIndex(), 7);
    kies(m_bal2, m_alg.KnipperKleur, 3);
}

const QImage& Bord::balPlaatje(BalKeuze& keuze)
{
    if (keuze.plaatje.isNull()) keuze.plaatje = Plaatjes::bal(keuze.index, keuze.dpr);
    return keuze.plaatje;
}

// The frame runs from black at the outer edge to a light grey on the inside.
void Bord::tekenKader()
{
    const int hoogte = twipsHoogte();
    for (int i = 0; i <= 120; i += 15)
        kader(i, i, 14895 - i, hoogte - 15 - i, QColor(2 * i, 2 * i, 2 * i));
}

void Bord::tekenCel(int getal, const QImage& bal)
{
    const QPoint hoek = Trommel::cel(getal);
    plaatje(bal, hoek.x(), hoek.y(), Trommel::balMaat, Trommel::balMaat);
}

bool Bord::schuifIn(int aantalBallen)
{
    const int generatie = ++m_generatie;
    const int hoogte = Trommel::bordHoogte(aantalBallen);
    wis();
    zetPlaats(twipsX(), twipsY(), twipsBreedte(), hoogte);
    wis();
    m_rust = false;
    tekenKader();

    // The resting place is asked at every step: the screen may change during the slide.
    for (int boven = -9000; boven <= Trommel::rustBoven(m_schermHoogte, hoogte); boven += 60) {
        zetPositie(twipsX(), boven);
        if (!Wacht(0.01) || !loopt(generatie)) return false;
        QCoreApplication::processEvents();
        if (!loopt(generatie)) return false;
    }
    m_rust = true;
    emit rust();

    for (int n = 1; n <= Trommel::aantalCellen(aantalBallen); ++n) {
        tekenCel(n, Bal1());
        if (!Wacht(0.02) || !loopt(generatie)) return false;
    }
    return true;
}

bool Bord::knipper(int getal)
{
    const int generatie = m_generatie;
    const double fase = m_alg.KnipperSnelheid / 10.0;
    const int keer = m_alg.KnipperAantal;
    for (int i = 0; i < keer; ++i) {
        tekenCel(getal, Bal1());
        if (!Wacht(fase) || !loopt(generatie)) return false;
        tekenCel(getal, Bal2());
        if (!Wacht(fase) || !loopt(generatie)) return false;
    }
    return true;
}

void Bord::toonBal(int getal)
{
    tekenGetal(getal);
    tekenGrootGetal(getal);
}

void Bord::tekenGetal(int getal)
{
    const QColor kleur(std::clamp(m_alg.getalKleurR(), 0, 255), std::clamp(m_alg.getalKleurG(), 0, 255),
                       std::clamp(static_cast<int>(m_alg.GetalKleurB), 0, 255));
    const QPoint hoek = Trommel::cel(getal);
    tekst(hoek.x() + Trommel::getalX(getal), hoek.y() + Trommel::getalY, QStringLiteral(" %1").arg(getal),
          Twips::lettertype(QStringLiteral("Arial"), 26, true), kleur);
}

// The last ball large in its box: a light copy, and over it a dark one a pixel lower and to
// the right, so the light one shows as an edge. In the high-contrast form one light number,
// as large as the box allows, centred on its height.
void Bord::tekenGrootGetal(int getal)
{
    const int aantal = m_spel.aantalBallen();
    const QString tekst = m_spel.grootTekst(getal);
    if (m_weergave.contrast) {
        const QRect vak = Trommel::grootVakContrast(aantal);
        const QFont groot = Twips::lettertype(QStringLiteral("Arial"), 72, true);
        const QFontMetricsF maat(groot);
        const double basis = vak.top() + (vak.height() + maat.capHeight()) / 2.0;
        vul(vak.left(), vak.top(), vak.right(), vak.bottom(), Plaatjes::bordKleur);
        Doek::tekst(vak.left(), qRound(basis - maat.ascent()), tekst, groot, contrastKleur);
    } else {
        const QRect vak = Trommel::grootVak(aantal);
        const QFont groot = Twips::lettertype(QStringLiteral("Arial"), 60, true);
        vul(vak.left(), vak.top(), vak.right(), vak.bottom(), Plaatjes::bordKleur);
        Doek::tekst(vak.left(), vak.top(), tekst, groot, QColor(200, 200, 200));
        Doek::tekst(vak.left() + 15, vak.top() + 15, tekst, groot, QColor(60, 60, 60));
    }
    tekenStrook();
}

// The balls before the last, the newest first, under a small caption; the strip empty when
// there are none.
void Bord::tekenStrook()
{
    if (!m_weergave.vorigeBallen) return;
    const int aantal = m_spel.aantalBallen();
    const QRect vak = Trommel::strookVak(aantal);
    vul(vak.left(), vak.top(), vak.right(), vak.bottom(), Plaatjes::bordKleur);
    QList<int> getrokken;
    for (const Spel::Bal& b : m_spel.ballen())
        getrokken << b.getal;
    const QList<int> vorige = Trommel::vorigeBallen(getrokken);
    if (vorige.isEmpty()) return;
    Doek::tekst(vak.left(), vak.top() + 60, QStringLiteral("Vorige ballen"),
                Twips::lettertype(QStringLiteral("Arial"), 12, true), QColor(190, 190, 200));
    const QFont getal = Twips::lettertype(QStringLiteral("Arial"), 36, true);
    const QFontMetricsF maat(getal);
    const int stap = vak.width() / Trommel::strookAantal;
    const double basis = vak.bottom() - 150;
    for (int i = 0; i < vorige.size(); ++i)
        Doek::tekst(vak.left() + i * stap, qRound(basis - maat.ascent()), m_spel.grootTekst(vorige[i]), getal,
                    contrastKleur);
}

// The last ball large below the grid, or the box empty when none is drawn.
void Bord::toonLaatste()
{
    if (!m_spel.heeftSpel()) return;
    const int aantal = m_spel.aantalBallen();
    const QRect vak = m_weergave.contrast ? Trommel::grootVakContrast(aantal) : Trommel::grootVak(aantal);
    if (m_spel.laatste() == 0) {
        vul(vak.left(), vak.top(), vak.right(), vak.bottom(), Plaatjes::bordKleur);
        tekenStrook();
    } else {
        tekenGrootGetal(m_spel.laatste());
    }
}

void Bord::toonTeruggelegd(int getal)
{
    const QPoint hoek = Trommel::cel(getal);
    const int rand = Trommel::balMaat - Twips::perPixel;
    vul(hoek.x(), hoek.y(), hoek.x() + rand, hoek.y() + rand, Plaatjes::bordKleur);
    tekenCel(getal, Bal1());
    toonLaatste();
}

void Bord::toonSpel()
{
    ++m_generatie;
    if (!m_spel.heeftSpel()) return;
    const int hoogte = Trommel::bordHoogte(m_spel.aantalBallen());
    zetPlaats(twipsX(), Trommel::eindBoven(m_schermHoogte, hoogte), twipsBreedte(), hoogte);
    m_rust = true;
    tekenOpnieuw();
}

void Bord::tekenOpnieuw()
{
    if (!m_spel.heeftSpel()) return;
    wis();
    tekenKader();
    for (int n = 1; n <= Trommel::aantalCellen(m_spel.aantalBallen()); ++n) {
        const bool getrokken = m_spel.isGetrokken(n);
        tekenCel(n, getrokken ? Bal2() : Bal1());
        if (getrokken) tekenGetal(n);
    }
    if (m_spel.laatste() != 0) tekenGrootGetal(m_spel.laatste());
}
