#include "core/cards/controleindeling.h"

#include <QFontMetricsF>

#include <algorithm>
#include <cmath>

namespace
{
// Below this part of the screen's height the card stops giving way and the texts shrink too.
constexpr double minKaart = 0.3;
constexpr double minSchaal = 0.2;

QFont letter(double pixels, bool vet)
{
    QFont f(QStringLiteral("Arial"));
    f.setBold(vet);
    f.setPixelSize(std::max(1, static_cast<int>(pixels)));
    return f;
}
} // namespace

int ControleIndeling::tekstVlaggen()
{
    return Qt::AlignCenter | Qt::TextWordWrap;
}

QFont ControleIndeling::pasIn(const QString& tekst, double breedte, double pixels, bool vet, int regels,
                              double* hoogte)
{
    QFont f = letter(pixels, vet);
    for (int px = f.pixelSize();; --px) {
        f.setPixelSize(px);
        const QFontMetricsF maat(f);
        const QRectF r = maat.boundingRect(QRectF(0, 0, breedte, 1e6), tekstVlaggen(), tekst);
        const int nodig = static_cast<int>(std::lround(r.height() / maat.lineSpacing()));
        if (px <= 1 || (r.width() <= breedte && nodig <= regels)) {
            if (hoogte) *hoogte = std::ceil(r.height());
            return f;
        }
    }
}

ControleIndeling ControleIndeling::maak(QSizeF scherm, const Inhoud& inhoud)
{
    ControleIndeling uit;
    uit.scherm = scherm;
    const double B = scherm.width(), H = scherm.height();
    if (B <= 0 || H <= 0 || inhoud.kolommen <= 0 || inhoud.rijen <= 0) return uit;
    const double marge = H * 0.015, x = B * 0.05, breedte = B * 0.9;
    const auto zet = [](Tekst& t, const QString& tekst, const QFont& f, const QRectF& vak) {
        t.tekst = tekst;
        t.letter = f;
        t.vak = tekst.isEmpty() ? QRectF() : vak;
    };

    for (double s = 1.0;; s *= 0.9) {
        uit.tekstSchaal = s;
        double h = 0;
        QFont f = pasIn(inhoud.titel, B * 0.96, H * 0.06 * s, true, 1, &h);
        zet(uit.titel, inhoud.titel, f, QRectF(B * 0.02, marge, B * 0.96, h));
        double boven = uit.titel.leeg() ? marge : uit.titel.vak.bottom() + marge;

        double onder = H - marge;
        f = pasIn(inhoud.hint, breedte, H * 0.025 * s, false, 2, &h);
        zet(uit.hint, inhoud.hint, f, QRectF(x, onder - h, breedte, h));
        if (!uit.hint.leeg()) onder = uit.hint.vak.top() - marge;

        // The band: the verdict large, the deciding ball under it.
        const bool metBal = !inhoud.balRegel.isEmpty();
        const double bandH = H * (metBal ? 0.15 : 0.12) * s;
        const double binnen = breedte - H * 0.04 * s;
        double oh = 0, bh = 0;
        const QFont of = pasIn(inhoud.oordeel, binnen, bandH * (metBal ? 0.42 : 0.6), true, 1, &oh);
        const QFont bf = pasIn(inhoud.balRegel, binnen, bandH * 0.28, false, 1, &bh);
        const double band = std::max(bandH, oh + (metBal ? bh : 0) + bandH * 0.1);

        double fh = 0, mh = 0, sh = 0;
        const QFont ff = pasIn(inhoud.fasen, breedte, H * 0.032 * s, false, 2, &fh);
        const QFont mf = pasIn(inhoud.ontbrekend, breedte, H * 0.04 * s, false, 3, &mh);
        const QFont sf = pasIn(inhoud.fase, breedte, H * 0.035 * s, true, 2, &sh);
        double stapel = band;
        for (const auto& [tekst, hoogte] : {std::pair{&inhoud.fasen, fh}, {&inhoud.ontbrekend, mh}, {&inhoud.fase, sh}})
            if (!tekst->isEmpty()) stapel += marge + hoogte;

        const double ruimte = onder - boven - marge - stapel;
        uit.cel = std::max(0.0, std::min(breedte / inhoud.kolommen, ruimte / inhoud.rijen));
        if (uit.cel * inhoud.rijen < H * minKaart && s > minSchaal) continue;

        // What the card leaves over goes half above it, half above the hint.
        const double kaartH = uit.cel * inhoud.rijen, over = std::max(0.0, ruimte - kaartH);
        uit.kaart = QRectF((B - uit.cel * inhoud.kolommen) / 2, boven + over / 2, uit.cel * inhoud.kolommen, kaartH);
        double y = uit.kaart.bottom() + marge;
        uit.band = QRectF(x, y, breedte, band);
        const double tekstTop = y + (band - oh - (metBal ? bh : 0)) / 2;
        zet(uit.oordeel, inhoud.oordeel, of, QRectF(x + (breedte - binnen) / 2, tekstTop, binnen, oh));
        zet(uit.bal, inhoud.balRegel, bf, QRectF(x + (breedte - binnen) / 2, tekstTop + oh, binnen, bh));
        y = uit.band.bottom();
        for (auto [t, tekst, font, hoogte] : {std::tuple{&uit.fasen, &inhoud.fasen, ff, fh},
                                              {&uit.ontbrekend, &inhoud.ontbrekend, mf, mh},
                                              {&uit.fase, &inhoud.fase, sf, sh}}) {
            zet(*t, *tekst, font, QRectF(x, y + marge, breedte, hoogte));
            if (!tekst->isEmpty()) y += marge + hoogte;
        }
        return uit;
    }
}

QList<QRectF> ControleIndeling::vakken() const
{
    QList<QRectF> uit{kaart, band};
    for (const Tekst* t : {&titel, &fasen, &ontbrekend, &fase, &hint})
        if (!t->leeg()) uit << t->vak;
    return uit;
}
