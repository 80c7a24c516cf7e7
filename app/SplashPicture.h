#pragma once
// The splash card: the laboratory work's number and title framed twice, with
// a rectangular pulse and the triangle its matched filter makes of it. Drawn
// in logical coordinates, black on a white card that the painter fills itself.

#include <QImage>

class QPainter;

// The card's logical size (pixels at 100 % scale).
constexpr int SplashWidth = 400, SplashHeight = 300;

// The splash card, SplashWidth x SplashHeight.
void PaintSplash(QPainter& p);

// The card rendered into an image of its logical size times dpr (dpr > 0,
// otherwise 1), with the device pixel ratio set.
QImage RenderSplash(qreal dpr = 1.0);
