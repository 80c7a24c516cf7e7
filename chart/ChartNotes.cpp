#include "chart/ChartNotes.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPen>
#include <algorithm>
#include <cmath>

namespace {

constexpr int kPad = 3;      // between the box's frame and its text
constexpr int kOffset = 6;   // between the point and the box's near corner
constexpr int kDot = 3;      // radius of the point's dot
constexpr int kInset = 2;    // between the net's frame and a box

} // namespace

std::vector<TPlacedNote> PlaceNotes(const std::vector<TChartNote>& notes, const TScale& scale,
                                    const TNetRect& net, const QFontMetrics& fm) {
    std::vector<TPlacedNote> placed;
    const QRect inner(net.xb + kInset, net.yb + kInset, net.w - 2 * kInset, net.h - 2 * kInset);
    for (const TChartNote& note : notes) {
        if (!std::isfinite(note.X) || !std::isfinite(note.Y) || inner.isEmpty()) {
            continue;
        }
        const QPoint dot(scale.X.ToPixel(note.X), scale.Y.ToPixel(note.Y));
        if (dot.x() < net.xb || dot.x() >= net.xe() || dot.y() < net.yb || dot.y() >= net.ye()) {
            continue;
        }
        TPlacedNote n;
        n.Dot = dot;
        n.Lines = note.Text.split(QLatin1Char('\n'));
        int widest = 0;
        for (const QString& line : n.Lines) {
            widest = std::max(widest, fm.horizontalAdvance(line));
        }
        const QSize size(widest + 2 * kPad, static_cast<int>(n.Lines.size()) * fm.height() + 2 * kPad);
        // Above right, above left, below right, below left: the first that
        // fits; where none does, the first one moved inside the net.
        const QPoint corners[] = {
            {dot.x() + kOffset, dot.y() - kOffset - size.height()},
            {dot.x() - kOffset - size.width(), dot.y() - kOffset - size.height()},
            {dot.x() + kOffset, dot.y() + kOffset},
            {dot.x() - kOffset - size.width(), dot.y() + kOffset},
        };
        n.Box = QRect(corners[0], size);
        bool fits = false;
        for (const QPoint& corner : corners) {
            const QRect box(corner, size);
            if (inner.contains(box)) {
                n.Box = box;
                fits = true;
                break;
            }
        }
        if (!fits) {
            n.Box.moveLeft(std::max(inner.left(), std::min(n.Box.left(), inner.right() - size.width() + 1)));
            n.Box.moveTop(std::max(inner.top(), std::min(n.Box.top(), inner.bottom() - size.height() + 1)));
        }
        placed.push_back(std::move(n));
    }
    return placed;
}

void DrawNotes(QPainter& p, const std::vector<TPlacedNote>& notes, const QFontMetrics& fm,
               const QColor& text, const QColor& back) {
    if (notes.empty()) {
        return;
    }
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    for (const TPlacedNote& n : notes) {
        p.setPen(Qt::NoPen);
        p.setBrush(text);
        p.drawEllipse(QPointF(n.Dot) + QPointF(0.5, 0.5), kDot, kDot);
        p.setBrush(Qt::NoBrush);
        p.fillRect(n.Box, back);
        p.setPen(QPen(text, 1));
        p.drawRect(QRectF(n.Box).adjusted(0.5, 0.5, -0.5, -0.5));
        for (int i = 0; i < n.Lines.size(); ++i) {
            p.drawText(n.Box.left() + kPad, n.Box.top() + kPad + i * fm.height() + fm.ascent(),
                       n.Lines[i]);
        }
    }
    p.restore();
}
