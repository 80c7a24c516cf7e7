#include "chart/GridPainter.h"

#include <QFontMetrics>
#include <QLine>
#include <QPainter>
#include <QPen>
#include <QPoint>
#include <QRect>
#include <cmath>

namespace {

// Minor ticks per axis at most (five per grid interval of the longest grid).
constexpr int kMaxMinorTicks = 5 * 2000;
// Lengths in pixels of the ticks beside the net, and the gap to the labels.
constexpr int kTick = 4;
constexpr int kMinorTick = 2;
constexpr int kLabelGap = 5;

} // namespace

void TextOut(QPainter& p, const QFontMetrics& fm, int x, int top, const QString& text) {
    p.setBackgroundMode(Qt::OpaqueMode);
    p.drawText(x, top + fm.ascent(), text);
    p.setBackgroundMode(Qt::TransparentMode);
}

QFont Unhinted(QFont font) {
    font.setStyleStrategy(QFont::NoSubpixelAntialias);
    return font;
}

bool DrawGridAxis(QPainter& p, const TAxisScale& axis, const TAxisGrid& grid, bool isX,
                  const TNetRect& net, const TGridLook& look) {
    // Everything of an axis is placed by its position along the axis (a pixel
    // column for x, a row for y) and runs across it: grid lines over the net,
    // ticks outward from the net's bottom edge (x) or left edge (y).
    auto acrossNet = [&](int at) {
        return isX ? QRect(at, net.yb, 1, net.h) : QRect(net.xb, at, net.w, 1);
    };
    auto tick = [&](int at, int length) {
        return isX ? QRect(at, net.ye(), 1, length) : QRect(net.xb - length, at, length, 1);
    };
    const QFontMetrics fm(look.font);
    const QPen styled(look.line, 1, look.style, Qt::FlatCap);
    bool wroteLabel = false;
    for (int i = 0; i < grid.count; ++i) {
        const double v = grid.Value(i);
        const int at = axis.ToPixel(v);
        // The zero line is always solid, so the axes stand out from the grid.
        if (std::fabs(v) <= grid.eps || look.style == Qt::SolidLine) {
            p.fillRect(acrossNet(at), look.line);
        } else if (look.style != Qt::NoPen) {
            // Dotted lines run from the net's top (x) or left (y) edge, so the
            // pattern starts at the frame on every line alike.
            const QRect r = acrossNet(at);
            p.setPen(styled);
            p.drawLine(QLine(r.topLeft(), r.bottomRight()));
        }
        if (look.labels) {
            p.fillRect(tick(at, kTick), look.line);
            p.setBackground(look.labelBack);
            p.setPen(look.text);
            const QString label =
                QString::fromStdString(GridLabel(v, axis.GetPrecision(), grid.eps));
            const int width = fm.horizontalAdvance(label);
            // x labels centred under their tick, y labels right-aligned beside it.
            const QPoint topLeft = isX ? QPoint(at - width / 2, net.ye() + kLabelGap)
                                       : QPoint(net.xb - width - kLabelGap, at - fm.height() / 2);
            TextOut(p, fm, topLeft.x(), topLeft.y(), label);
            wroteLabel = true;
        }
    }
    if (look.labels) {
        // Minor ticks at a fifth of the grid step. On the argument axis they
        // start one minor step before the truncated start of a range beginning
        // at or below zero: when rounding puts 5*min/step a hair above a whole
        // number, truncation would skip the tick at the range's start, and the
        // step back keeps it; otherwise the extra tick lands left of the plot
        // rectangle, in the margin where the series are still drawn. The value
        // axis begins at the truncated start and keeps its lower margin bare.
        const double minor = 0.2 * grid.step;
        const double m0 = MinorTickStart(axis.GetMin(), grid.step, isX);
        for (int i = 0; i < kMaxMinorTicks && m0 + i * minor <= axis.GetMax(); ++i) {
            p.fillRect(tick(axis.ToPixel(m0 + i * minor), kMinorTick), look.line);
        }
    }
    return wroteLabel;
}
