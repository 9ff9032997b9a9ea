#pragma once

#include <QImage>

class Doek;

// Draws the help panel afresh on its canvas: background, logo, dot texture over the logo,
// title and help text. Everything it draws comes from HulpTekst.
void tekenHulpPaneel(Doek& paneel, const QImage& logo);
