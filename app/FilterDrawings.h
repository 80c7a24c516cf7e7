#pragma once
// The drawings of the five bench filters, one page each in the order of the
// filter list: the structures of the two pulse-matched filters, of the
// meander-matched filter and of the first-order low-pass, and the magnitude
// response of the flat-passband low-pass (MagnitudePlot.h). Drawn in logical
// coordinates, black on a white page that the painter fills itself.

#include <QImage>

class QPainter;

// The logical size of a page (pixels at 100 % scale).
constexpr int FilterPictureWidth = 483, FilterPictureHeight = 300;

// The drawing of filter item 0..4 (BenchFilterItem, the order of the filter
// combo box), FilterPictureWidth x FilterPictureHeight; any other item leaves
// a white page.
void PaintFilterPicture(QPainter& p, int filterItem);

// The drawing rendered into an image of the page's logical size times dpr
// (dpr > 0, otherwise 1), with the device pixel ratio set.
QImage RenderFilterPicture(int filterItem, qreal dpr = 1.0);
