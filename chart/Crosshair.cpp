#include "chart/Crosshair.h"

#include <QPainter>

namespace {

// Pixels between pointer and crosshair.
constexpr int kGap = 11;

// The last pixel of a run from `from` toward `to` that leaves `to` out; false
// when the run is empty.
bool LastBefore(int from, int to, int& last) {
    if (from == to) {
        return false;
    }
    last = from < to ? to - 1 : to + 1;
    return true;
}

} // namespace

void DrawCrosshair(QImage& picture, const TNetRect& net, int x, int y, const QPen& pen) {
    if (picture.isNull()) {
        return;
    }
    QPainter p(&picture);
    p.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
    p.setPen(pen);
    // The two pieces lie in different rows and columns, however close to the
    // corner the pointer is, so no pixel is inverted twice by one drawing.
    int last = 0;
    if (LastBefore(y + kGap, net.ye(), last)) {
        p.drawLine(x, y + kGap, x, last);
    }
    if (LastBefore(x - kGap, net.xb, last)) {
        p.drawLine(x - kGap, y, last, y);
    }
}
