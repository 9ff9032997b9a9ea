#include "widgets/game/hulppaneel.h"

#include "widgets/common/doek.h"
#include "core/screen/twips.h"
#include "core/screen/hulptekst.h"

void tekenHulpPaneel(Doek& paneel, const QImage& logo)
{
    using namespace HulpTekst;
    paneel.zetAchtergrond(achtergrond);

    // The logo at its own size: its logical size, in twips.
    const QSizeF maat = logo.deviceIndependentSize();
    paneel.plaatje(logo, logoX, logoY, Twips::vanPixels(maat.width()), Twips::vanPixels(maat.height()));

    // The texture is laid over the logo as one tiled fill; a line per dot would take tens of
    // thousands of strokes on a large screen.
    paneel.stippen(0, stipBoven, paneel.twipsBreedte(), paneel.twipsHoogte(), stipStap, stip);

    const QFont kop = Twips::lettertype(QStringLiteral("Comic Sans MS"), titelPunten, true);
    const QFont gewoon = Twips::lettertype(QStringLiteral("Comic Sans MS"), tekstPunten);
    const QString naam = QStringLiteral("Zorvak");
    paneel.tekst(titelX, titelY, naam, kop, titelSchaduw);
    paneel.tekst(titelX + titelVerschuiving, titelY + titelVerschuiving, naam, kop, titel);
    for (const Regel& r : regels())
        paneel.tekst(r.x, r.y, r.tekst, gewoon, r.kleur);
}
