#pragma once

#include <QSize>

// The stage of the main window (board, big display, information line, help panel and command
// bar) is designed for a screen of 1024 x 768 logical pixels. On any other screen it is shown
// larger or smaller by one factor, so it keeps its proportions, and the layout reckons with the
// screen as it measures in the design's twips: the full width and height divided by the factor.
namespace Toneel
{

inline constexpr int ontwerpBreedte = 1024;
inline constexpr int ontwerpHoogte = 768;

// Logical pixels per design pixel. The limiting side decides, so the design fits whole: 1 at
// 1024 x 768, 1.40625 at 1920 x 1080, 0.78125 at 800 x 600.
double schaal(QSize scherm);

// The screen in the design's twips.
QSize twips(QSize scherm);

} // namespace Toneel
