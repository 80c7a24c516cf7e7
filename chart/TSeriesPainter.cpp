#include "chart/TSeriesPainter.h"

#include <QImage>
#include <QLine>
#include <QPainter>
#include <QPen>
#include <QPoint>
#include <QRect>
#include <QRegion>
#include <QTransform>
#include <QVector>
#include <QtMath>
#include <algorithm>
#include <climits>
#include <cmath>
#include <vector>

#include "chart/AnalogColumns.h"
#include "chart/DashedCurve.h"
#include "chart/VisibleSamples.h"

namespace {

// Samples read per pass of the discrete and histogram drawing. More could not
// be told apart on any screen.
constexpr long long kMaxStems = 1 << 18;
// Sample marks drawn at most per series.
constexpr int kMaxMarks = 8192;

qreal DeviceRatio(const QPainter& p) {
    return p.device() != nullptr ? p.device()->devicePixelRatio() : 1.0;
}

// A wide pen stroked by the painter turns a noisy curve into one large
// self-intersecting polygon, which costs a hundred times a thin line. Laying
// thin lines side by side, shifted across and along, gives the same thick
// stroke at the speed of thin ones. On a picture of device pixel ratio r the
// thin lines are device pixels.
template <class Draw> void ThickStroke(QPainter& p, int width, Draw draw) {
    const qreal r = DeviceRatio(p);
    draw();
    int lo = 0;
    int hi = 0;
    StrokeOffsets(width, r, lo, hi);
    for (int o = lo; o <= hi; ++o) {
        if (o == 0) {
            continue;
        }
        const qreal d = r != 1.0 ? o / r : o;
        p.translate(d, 0);
        draw();
        p.translate(-d, d);
        draw();
        p.translate(0, -d);
    }
}

// Fills rects (device pixels) straight into the picture's scan lines, when that
// gives exactly what the painter would: an opaque colour, copied or drawn
// over a 32-bit image with no transform but its device pixel ratio, within a
// clip of whole device pixels. Returns false, having written nothing, when
// the painter has to do it.
bool FillDirect(QPainter& p, const QVector<QRect>& rects, const QColor& color) {
    if (color.alpha() != 255 || p.device() == nullptr ||
        p.device()->devType() != QInternal::Image || p.opacity() != 1.0 ||
        (p.compositionMode() != QPainter::CompositionMode_SourceOver &&
         p.compositionMode() != QPainter::CompositionMode_Source)) {
        return false;
    }
    auto* img = static_cast<QImage*>(p.device());
    const QImage::Format f = img->format();
    if (f != QImage::Format_RGB32 && f != QImage::Format_ARGB32 &&
        f != QImage::Format_ARGB32_Premultiplied) {
        return false;
    }
    const qreal r = img->devicePixelRatio();
    const QTransform& t = p.deviceTransform();
    if (t.type() > QTransform::TxScale || t.m11() != r || t.m22() != r || t.dx() != 0 ||
        t.dy() != 0) {
        return false;
    }
    QRect bounds = img->rect();
    if (p.hasClipping()) {
        const QRegion clip = p.clipRegion();
        if (clip.rectCount() != 1) {
            return false;
        }
        const QRectF device = t.mapRect(QRectF(clip.boundingRect()));
        const QRect whole = device.toRect();
        if (QRectF(whole) != device) {
            return false;
        }
        bounds &= whole;
    }
    const QRgb c = color.rgba();
    uchar* const bits = img->bits();
    const qsizetype bpl = img->bytesPerLine();
    for (const QRect& rect : rects) {
        const QRect area = rect & bounds;
        for (int y = area.top(); y <= area.bottom(); ++y) {
            QRgb* line = reinterpret_cast<QRgb*>(bits + y * bpl);
            std::fill(line + area.left(), line + area.right() + 1, c);
        }
    }
    return true;
}

// Vertical pieces (stems and bar sides) all run from the zero row, so in one
// column their union is a single segment: the drawing costs one line per
// column however many samples share it.
class TColumnSpans {
  public:
    TColumnSpans(int left, int right, int zeroRow)
        : Left(left), Right(right), Y0(zeroRow),
          Lo(static_cast<std::size_t>(right - left) + 1, INT_MAX),
          Hi(static_cast<std::size_t>(right - left) + 1, INT_MIN) {}
    // A piece from the zero row to py in column px; outside the columns, or of
    // no length, nothing.
    void Add(int px, int py) {
        if (px < Left || px > Right || py == Y0) {
            return;
        }
        const std::size_t c = static_cast<std::size_t>(px - Left);
        Lo[c] = std::min(Lo[c], std::min(py, Y0));
        Hi[c] = std::max(Hi[c], std::max(py, Y0));
    }
    void AppendTo(QVector<QLine>& lines) const {
        for (std::size_t c = 0; c < Lo.size(); ++c) {
            if (Lo[c] < Hi[c]) {
                const int px = Left + static_cast<int>(c);
                lines.append(QLine(px, Lo[c], px, Hi[c]));
            }
        }
    }

  private:
    int Left, Right, Y0;
    std::vector<int> Lo, Hi;
};

} // namespace

void StrokeOffsets(int width, double r, int& lo, int& hi) {
    lo = -(width / 2);
    hi = (width - 1) / 2;
    if (r != 1.0) {
        lo = qFloor(lo * r);
        hi = qCeil((hi + 1) * r) - 1;
    }
}

int TSeriesPainter::ClampRow(int py) const {
    return std::max(Net.yb + 1, std::min(Net.ye() - 2, py));
}

int TSeriesPainter::SetUpPen(const TKeeper& k) const {
    const QColor color = PrintMode && !k.GetPrintInColor() ? QColor(Qt::black) : k.GetColor();
    QPen pen(color, 1, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin);
    pen.setCosmetic(true);
    P.setPen(pen);
    P.setBrush(Qt::NoBrush);
    P.setCompositionMode(QPainter::CompositionMode_SourceOver);
    return std::max(1, std::min(64, k.GetPenWidth()));
}

void TSeriesPainter::Draw(TKeeper& k) {
    switch (k.GetGraphKind()) {
    case gkAnalog:
    case gkAnalogPeriodic:
        Analog(k);
        break;
    case gkDiscret:
    case gkDiscretPeriodic:
        Discret(k);
        break;
    case gkRadio:
    case gkRadioPeriodic:
        Radio(k);
        break;
    case gkHistogram:
        Histogram(k);
        break;
    default:
        break;
    }
}

void TSeriesPainter::Analog(TKeeper& k) {
    if (!k.IsVisible()) {
        return;
    }
    const qreal r = DeviceRatio(P);
    const TAnalogColumns* known = nullptr;
    if (Known != nullptr && r == 1.0) {
        for (const TKnownColumns& c : *Known) {
            known = c.keeper == &k ? &c.columns : known;
        }
    }
    const TAnalogColumns computed = known ? TAnalogColumns() : AnalogColumns(k, S, Net, r);
    const TAnalogColumns& columns = known ? *known : computed;
    if (columns.spans.empty()) {
        return;
    }
    const int penWidth = SetUpPen(k);
    const QColor color = P.pen().color();
    if (!IsDashPattern(k.GetDashPattern())) {
        const int count = static_cast<int>(columns.spans.size());
        StrokeColumns(color, penWidth, columns.first, count, [&](int i, auto&& take) {
            const TRowSpan& s = columns.spans[static_cast<std::size_t>(i)];
            if (!s.Empty()) {
                take(s);
            }
        });
        return;
    }
    const TColumnPieces dashed = DashColumns(columns, k.GetDashPattern(), r);
    StrokeColumns(color, penWidth, dashed.first, dashed.Columns(), [&](int i, auto&& take) {
        const int from = dashed.start[static_cast<std::size_t>(i)];
        const int to = dashed.start[static_cast<std::size_t>(i) + 1];
        for (int j = from; j < to; ++j) {
            take(dashed.pieces[static_cast<std::size_t>(j)]);
        }
    });
}

template <class Pieces>
void TSeriesPainter::StrokeColumns(const QColor& color, int penWidth, int first, int count,
                                   Pieces piecesOf) {
    const qreal r = DeviceRatio(P);
    int lo = 0;
    int hi = 0;
    StrokeOffsets(penWidth, r, lo, hi);
    // The stroke is the curve's column pieces laid side by side, shifted
    // across and along by every offset of the pen, as thin lines would lay
    // it; and it stays inside the net.
    const int left = qFloor(r * Net.xb);
    const int right = qFloor(r * Net.xe()) - 1;
    const int top = qFloor(r * Net.yb);
    const int bottom = qFloor(r * Net.ye()) - 1;
    QVector<QRect> rects;
    rects.reserve(count + 16);
    auto fill = [&](int d, int from, int to) {
        from = std::max(from, top);
        to = std::min(to, bottom);
        if (from > to) {
            return;
        }
        // A flat stretch goes out as one rectangle.
        if (!rects.isEmpty()) {
            QRect& last = rects.last();
            if (last.right() == d - 1 && last.top() == from && last.bottom() == to) {
                last.setRight(d);
                return;
            }
        }
        rects.append(QRect(d, from, 1, to - from + 1));
    };
    std::vector<TRowSpan> pieces;
    const int dFrom = std::max(left, first + lo);
    const int dTo = std::min(right, first + count - 1 + hi);
    for (int d = dFrom; d <= dTo; ++d) {
        pieces.clear();
        // Each column's pieces come top to bottom; those of the columns
        // laid over this one are merged in as they come.
        auto byTop = [](const TRowSpan& a, const TRowSpan& b) { return a.top < b.top; };
        const int own = d - first;
        if (own >= 0 && own < count) {
            piecesOf(own, [&](const TRowSpan& s) { pieces.push_back({s.top + lo, s.bottom + hi}); });
        }
        for (int o = lo; o <= hi; ++o) {
            const int shifted = d - o - first;
            if (o != 0 && shifted >= 0 && shifted < count) {
                const auto middle = static_cast<std::ptrdiff_t>(pieces.size());
                piecesOf(shifted, [&](const TRowSpan& s) { pieces.push_back(s); });
                std::inplace_merge(pieces.begin(), pieces.begin() + middle, pieces.end(), byTop);
            }
        }
        if (pieces.empty()) {
            continue;
        }
        TRowSpan run = pieces.front();
        for (std::size_t i = 1; i < pieces.size(); ++i) {
            if (pieces[i].top <= run.bottom + 1) {
                run.bottom = std::max(run.bottom, pieces[i].bottom);
            } else {
                fill(d, run.top, run.bottom);
                run = pieces[i];
            }
        }
        fill(d, run.top, run.bottom);
    }
    if (rects.isEmpty()) {
        return;
    }
    // The rectangles are in device pixels.
    if (FillDirect(P, rects, color)) {
        return;
    }
    P.save();
    if (r != 1.0) {
        P.setWorldTransform(QTransform::fromScale(1 / r, 1 / r));
    }
    for (const QRect& rect : rects) {
        P.fillRect(rect, color);
    }
    P.restore();
}

void TSeriesPainter::Radio(TKeeper& k) {
    if (!k.IsVisible() || S.X.GetSpan() <= 0 || S.Y.GetSpan() <= 0) {
        return;
    }
    const int penWidth = SetUpPen(k);
    QVector<QLine> lines;
    lines.reserve(Net.w + 1);
    for (int px = Net.xb + 1; px <= Net.xe(); ++px) {
        const double v = k.GetValue(S.X.ToValue(px));
        if (std::isnan(v)) {
            continue;
        }
        lines.append(QLine(px, ClampRow(S.Y.ToPixel(v)), px, ClampRow(S.Y.ToPixel(-v))));
    }
    ThickStroke(P, penWidth, [&] { P.drawLines(lines); });
}

void TSeriesPainter::Discret(TKeeper& k) {
    StemsOrBars(k, false);
}

void TSeriesPainter::Histogram(TKeeper& k) {
    StemsOrBars(k, true);
}

// What the stems or bars of one series gather before they are stroked.
struct TSeriesPainter::TStrokes {
    TColumnSpans columns;
    int y0; // zero row, clamped
    QVector<QLine> tops;
    QVector<QRect> marks;
};

void TSeriesPainter::Stem(TKeeper& k, int n, double x, bool mark, TStrokes& s) const {
    const int raw = S.Y.ToPixel(k.GetDiscretValue(n));
    const int py = ClampRow(raw);
    const int px = S.X.ToPixel(x);
    if (!k.GetMarksOnly()) {
        s.columns.Add(px, py);
    }
    // No mark on a stem cut by the border: it would sit on the border.
    if (mark && Net.yb + 1 < raw && raw < Net.ye() - 2 && s.marks.size() < kMaxMarks) {
        const QRect r(px - 3, py - 3, 6, 6);
        if (s.marks.isEmpty() || s.marks.constLast() != r) {
            s.marks.append(r);
        }
    }
}

void TSeriesPainter::Bar(TKeeper& k, int n, double x, double half, TStrokes& s) const {
    const int raw = S.Y.ToPixel(k.GetDiscretValue(n));
    const int py = ClampRow(raw);
    // A bar cut by the border keeps its sides but shows no top.
    const bool clipped = py != raw;
    const int bl = S.X.ToPixel(x - half);
    const int br = S.X.ToPixel(x + half);
    const int pxL = Net.xb;
    const int pxR = Net.xe();
    auto top = [&](int from, int to) {
        if (!clipped && from != to) {
            s.tops.append(QLine(from, py, to, py));
        }
    };
    // Sides that fall outside the net are left out, and the top runs to the
    // net's edge instead.
    if (bl >= pxL && br <= pxR) {
        s.columns.Add(bl, py);
        top(bl, br);
        s.columns.Add(br, py);
    } else if (bl < pxL && br > pxR) {
        top(pxL, pxR);
    } else if (bl < pxL) {
        top(pxL, br);
        s.columns.Add(br, py);
    } else {
        s.columns.Add(bl, py);
        top(bl, pxR);
    }
}

void TSeriesPainter::StemsOrBars(TKeeper& k, bool bars) {
    if (!k.IsVisible() || S.X.GetSpan() <= 0 || S.Y.GetSpan() <= 0) {
        return;
    }
    const int penWidth = SetUpPen(k);
    const int pxL = Net.xb;
    const int pxR = Net.xe();
    const int zero = S.Y.ToPixel(0);
    if (Net.yb < zero && zero < Net.ye() && !(k.GetMarksOnly() && !bars)) {
        ThickStroke(P, penWidth, [&] { P.drawLine(pxL, zero, pxR, zero); });
    }
    const int y0 = ClampRow(zero);
    TStrokes strokes{TColumnSpans(pxL, pxR, y0), y0, {}, {}};

    const bool mark = k.GetMarkSamples() && !bars;
    const double step = k.GetStep();
    const double half = bars ? step / 2 : 0.0;
    // Samples outside 0 .. Count-1 read as 0 and draw nothing, unless the
    // series continues itself (symmetry, period) or marks them; points shown
    // by their marks alone are only the samples there are, so that no ring
    // stands at zero in the net's margins beside the first and the last.
    const bool continues = k.GetSymmetry() == syEven || k.GetSymmetry() == syOdd ||
                           k.GetGraphKind() == gkDiscretPeriodic ||
                           (mark && !k.GetMarksOnly());
    const double nLow = continues ? static_cast<double>(INT_MIN) : 0.0;
    const double nHigh = continues ? static_cast<double>(INT_MAX) : k.GetCount() - 1.0;
    const double x0 = k.GetXmin();
    const TVisibleSamples seen =
        VisibleSamples(x0, step, half, S.X.ToValue(pxL), S.X.ToValue(pxR), nLow, nHigh, kMaxStems);
    auto draw = [&](long long n) {
        // x from n rather than by repeated addition, so no rounding piles up.
        const double x = x0 + static_cast<double>(n) * step;
        if (bars) {
            Bar(k, static_cast<int>(n), x, half, strokes);
        } else {
            Stem(k, static_cast<int>(n), x, mark, strokes);
        }
    };
    for (long long n = seen.forward.first; n <= seen.forward.last; ++n) {
        draw(n);
    }
    for (long long n = seen.backward.last; n >= seen.backward.first; --n) {
        draw(n);
    }

    QVector<QLine> lines = std::move(strokes.tops);
    strokes.columns.AppendTo(lines);
    ThickStroke(P, penWidth, [&] { P.drawLines(lines); });
    if (!strokes.marks.isEmpty()) {
        // The marks are rings filled with the net's background.
        P.setBrush(PrintMode ? QColor(Qt::white) : NetBack);
        // A ring as wide as a pixel of the widget on a denser picture too.
        const qreal r = P.device() != nullptr ? P.device()->devicePixelRatio() : 1.0;
        if (r != 1.0) {
            QPen pen = P.pen();
            pen.setWidthF(r);
            P.setPen(pen);
        }
        for (const QRect& rect : strokes.marks) {
            P.drawEllipse(rect);
        }
        P.setBrush(Qt::NoBrush);
    }
}
