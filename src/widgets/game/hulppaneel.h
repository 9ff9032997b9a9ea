#pragma once

#include "widgets/common/doek.h"

#include <QImage>

class PlaatjeKnop;

// The help panel over the stage above the command bar: a title, the help text, the logo under
// a dot texture, and two icons, one for the manual and one for the screen's information. It is
// drawn afresh each time it opens.
class HulpPaneel : public Doek
{
    Q_OBJECT
public:
    // programmaMap: where the two documents lie.
    HulpPaneel(const QString& programmaMap, QWidget* ouder = nullptr);

    // For a screen of this size in twips, at the stage's scale and resolution. A panel that
    // shows is drawn again.
    void legUit(int schermBreedte, int schermHoogte, qreal schaal, qreal dpr);
    // Draws the panel afresh: background, logo, dot texture over the logo, title and help
    // text, the icons at their places. Everything it draws comes from HulpTekst.
    void tekenPaneel();

    // The controls, under the names the program gives them (also their objectName).
    PlaatjeKnop* PdfImg = nullptr;
    PlaatjeKnop* DpiImg = nullptr;
    // The logo, made when the panel is first drawn at a resolution.
    QImage LogoPic;

private:
    void pdfGeklikt();
    void dpiGeklikt();

    QString m_map;
    int m_schermB = 0;
    int m_schermH = 0;
    qreal m_factor = 1.0;
};
