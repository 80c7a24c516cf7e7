#include "chart/GridPainter.h"

#include <QFontMetrics>
#include <QImage>
#include <QLine>
#include <QPainter>
#include <QPen>
#include <QPoint>
#include <QRect>
#include <cmath>

#include "chart/TTextMeasure.h"
#include "chart/TextOut.h"

namespace {

// Minor ticks per axis at most (five per grid interval of the longest grid).
constexpr int kMaxMinorTicks = 5 * 2000;
// Lengths in pixels of the ticks beside the net, and the gap to the labels.
constexpr int kTick = 4;
constexpr int kMinorTick = 2;
constexpr int kLabelGap = 5;

// The picture under p when a dotted line in colour c can be written into its
// scan lines: a 32-bit RGB image at device pixel ratio 1, drawn on without
// transform, clip, antialiasing, blending or opaque background, with an opaque
// colour. Otherwise null, and the painter draws.
QImage* DirectTarget(QPainter& p, const QColor& c) {
    if (c.alpha() != 255 || p.device() == nullptr || p.device()->devType() != QInternal::Image) {
        return nullptr;
    }
    auto* img = static_cast<QImage*>(p.device());
    const bool plain = img->format() == QImage::Format_RGB32 && img->devicePixelRatio() == 1.0 &&
                       p.deviceTransform().isIdentity() && !p.hasClipping() &&
                       !p.testRenderHint(QPainter::Antialiasing) &&
                       p.compositionMode() == QPainter::CompositionMode_SourceOver &&
                       p.opacity() == 1.0 && p.backgroundMode() == Qt::TransparentMode;
    return plain ? img : nullptr;
}

// The pixels of a 1-pixel cosmetic Qt::DotLine (flat cap) from the top-left
// to the bottom-right of r, a row or a column lying wholly in img: every
// third pixel from the start, the end pixel itself left out (a line of one
// pixel keeps it), as the raster engine draws it.
void DirectDotLine(QImage& img, const QRect& r, QRgb c) {
    const bool vertical = r.width() == 1;
    const int length = vertical ? r.height() : r.width();
    const int drawn = length > 1 ? length - 1 : 1;
    uchar* const start = img.scanLine(r.top()) + r.left() * sizeof(QRgb);
    const qsizetype stride = vertical ? img.bytesPerLine() : qsizetype(sizeof(QRgb));
    for (int i = 0; i < drawn; i += 3) {
        *reinterpret_cast<QRgb*>(start + i * stride) = c;
    }
}

// What every grid line, tick and label of one axis shares: each is placed by
// its position along the axis (a pixel column for x, a row for y) and runs
// across it -- grid lines over the net, ticks outward from the net's bottom
// edge (x) or left edge (y).
class TAxisPainter {
  public:
    TAxisPainter(QPainter& p, bool isX, const TNetRect& net, const TGridLook& look,
                 TTextMeasure& labelFont)
        : P(p), IsX(isX), Net(net), Look(look), Font(labelFont),
          Styled(look.line, 1, look.style, Qt::FlatCap),
          Direct(look.direct && look.style == Qt::DotLine ? DirectTarget(p, look.line) : nullptr) {}

    // A grid line at at, solid or in the look's style.
    void Line(int at, bool solid) {
        if (solid || Look.style == Qt::SolidLine) {
            P.fillRect(AcrossNet(at), Look.line);
        } else if (Look.style != Qt::NoPen) {
            // Dotted lines run from the net's top (x) or left (y) edge, so the
            // pattern starts at the frame on every line alike.
            const QRect r = AcrossNet(at);
            P.setPen(Styled);
            if (Direct != nullptr && !r.isEmpty() && Direct->rect().contains(r)) {
                DirectDotLine(*Direct, r, Look.line.rgba());
            } else {
                P.drawLine(QLine(r.topLeft(), r.bottomRight()));
            }
        }
    }
    // The tick at at and its label: x labels centred under their tick, y
    // labels right-aligned beside it.
    void Label(int at, const QString& label) {
        P.fillRect(Tick(at, kTick), Look.line);
        P.setBackground(Look.labelBack);
        P.setPen(Look.text);
        const QFontMetrics& fm = Font.Metrics();
        const int width = Font.Width(label);
        const QPoint topLeft = IsX ? QPoint(at - width / 2, Net.ye() + kLabelGap)
                                   : QPoint(Net.xb - width - kLabelGap, at - fm.height() / 2);
        TextOut(P, fm, topLeft.x(), topLeft.y(), label);
    }
    void MinorTick(int at) { P.fillRect(Tick(at, kMinorTick), Look.line); }

  private:
    QRect AcrossNet(int at) const {
        return IsX ? QRect(at, Net.yb, 1, Net.h) : QRect(Net.xb, at, Net.w, 1);
    }
    QRect Tick(int at, int length) const {
        return IsX ? QRect(at, Net.ye(), 1, length) : QRect(Net.xb - length, at, length, 1);
    }

    QPainter& P;
    const bool IsX;
    const TNetRect& Net;
    const TGridLook& Look;
    TTextMeasure& Font;
    const QPen Styled;
    QImage* const Direct;
};

} // namespace

bool DrawGridAxis(QPainter& p, const TAxisScale& axis, const TAxisGrid& grid, bool isX,
                  const TNetRect& net, const TGridLook& look, TTextMeasure& labelFont) {
    TAxisPainter painter(p, isX, net, look, labelFont);
    for (int i = 0; i < grid.count; ++i) {
        const double v = grid.Value(i);
        const int at = axis.ToPixel(v);
        // The zero line is always solid, so the axes stand out from the grid.
        painter.Line(at, std::fabs(v) <= grid.eps);
        if (look.labels) {
            painter.Label(at, QString::fromStdString(GridLabel(v, axis.GetPrecision(), grid.eps)));
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
            painter.MinorTick(axis.ToPixel(m0 + i * minor));
        }
    }
    return look.labels && grid.count > 0;
}

bool DrawLogGridX(QPainter& p, const TAxisScale& axis, const TLogGrid& grid, const TNetRect& net,
                  const TGridLook& look, TTextMeasure& labelFont) {
    TAxisPainter painter(p, true, net, look, labelFont);
    for (const TLogGridLine& line : grid.Labelled) {
        const int at = axis.ToPixel(std::log10(line.Value));
        painter.Line(at, false);
        if (look.labels) {
            painter.Label(at, QString::fromStdString(line.Label));
        }
    }
    if (look.labels) {
        for (const double v : grid.Minor) {
            painter.MinorTick(axis.ToPixel(std::log10(v)));
        }
    }
    return look.labels && !grid.Labelled.empty();
}
