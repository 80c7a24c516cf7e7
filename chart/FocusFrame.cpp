#include "chart/FocusFrame.h"

#include <QPainter>

void DrawFocusFrame(QPainter& p, const QRect& rect, const QColor& color) {
    constexpr int kWidth = 2;
    if (rect.width() <= 2 * kWidth || rect.height() <= 2 * kWidth) {
        return;
    }
    // Four bars rather than an outlined rectangle: no pen geometry or
    // antialiasing can move them off the edge pixels at any screen scale.
    const int l = rect.left(), t = rect.top(), w = rect.width(), h = rect.height();
    p.fillRect(QRect(l, t, w, kWidth), color);
    p.fillRect(QRect(l, t + h - kWidth, w, kWidth), color);
    p.fillRect(QRect(l, t + kWidth, kWidth, h - 2 * kWidth), color);
    p.fillRect(QRect(l + w - kWidth, t + kWidth, kWidth, h - 2 * kWidth), color);
}
