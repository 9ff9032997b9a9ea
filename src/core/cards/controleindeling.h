#pragma once

#include <QFont>
#include <QList>
#include <QRectF>
#include <QSizeF>
#include <QString>

// The check screen laid out as boxes, top to bottom: the card's title, the card, the verdict on
// its band (the verdict and the ball that decided it), the other stages, the numbers still
// missing, the programme's stage and, at the bottom, the hint. No two boxes overlap on any
// screen: the card shrinks first; when it would get too small, the texts get smaller with it.
// A text wraps within its box or gets smaller until it fits. Painting draws each text in its box
// with its font and tekstVlaggen().
class ControleIndeling
{
public:
    struct Inhoud {
        int kolommen = 5;
        int rijen = 6; // the card's rows, a header row counted in
        QString titel;
        QString oordeel;
        QString balRegel; // the ball that decided it; empty: none
        QString fasen;    // the other stages on one line; empty: none
        QString ontbrekend;
        QString fase; // the programme's stage; empty: none
        QString hint; // empty: none
    };

    // A text, its box and the font it fits its box with; an empty text has an empty box.
    struct Tekst {
        QString tekst;
        QRectF vak;
        QFont letter;
        bool leeg() const { return tekst.isEmpty(); }
    };

    static ControleIndeling maak(QSizeF scherm, const Inhoud& inhoud);
    // How each text is drawn in its box.
    static int tekstVlaggen();
    // The font at which a text fits a box of this width in at most `regels` lines, no larger
    // than `pixels` high; the height the text then takes is put in `hoogte`.
    static QFont pasIn(const QString& tekst, double breedte, double pixels, bool vet, int regels, double* hoogte);

    QSizeF scherm;
    QRectF kaart;
    double cel = 0;
    QRectF band;
    Tekst titel, oordeel, bal, fasen, ontbrekend, fase, hint;
    // The text sizes relative to the ones asked for: below 1 when the card could not make room.
    double tekstSchaal = 1.0;

    // The card, the band and every text that shows (the band's own texts lie inside it).
    QList<QRectF> vakken() const;
};
