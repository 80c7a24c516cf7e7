#include "chart/SeriesLegend.h"

#include <QFontInfo>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "chart/DashedCurve.h"
#include "chart/TKeeperList.h"
#include "chart/TSeriesPainter.h"
#include "chart/TTextMeasure.h"

namespace {

constexpr int kMargin = 6;  // between the net's edges and the legend
constexpr int kPad = 3;     // inside the legend's frame
constexpr int kSample = 24; // length of a line's piece of series
constexpr int kSpace = 5;   // between the piece and the text
// Curve pixels this close beside the legend count as hidden by it: text that
// touches a curve is as hard to read as text beneath one.
constexpr int kBeside = 2;

bool IsAnalog(const TKeeper& k) {
    return k.GetGraphKind() == gkAnalog || k.GetGraphKind() == gkAnalogPeriodic;
}

// The legend's font: the labels' font at three quarters of its size, unhinted
// like every text of the chart.
QFont LegendFont(const QFont& labels) {
    QFont font = labels;
    const int pixels = labels.pixelSize() > 0 ? labels.pixelSize() : QFontInfo(labels).pixelSize();
    font.setPixelSize(std::max(9, static_cast<int>(std::lround(pixels * 0.75))));
    font.setBold(false);
    font.setItalic(false);
    return Unhinted(font);
}

// The box of the legend in a corner of the net.
QRect CornerBox(const TNetRect& net, const QSize& size, TLegendCorner corner) {
    const bool left = corner != TLegendCorner::BottomRight;
    const bool top = corner == TLegendCorner::TopLeft;
    const int x = left ? net.xb + kMargin : net.xe() - kMargin - size.width();
    const int y = top ? net.yb + kMargin : net.ye() - kMargin - size.height();
    return QRect(QPoint(x, y), size);
}

// How much of the curves of list lies in the columns of box (and kBeside
// beside it) and in the rows of the boxes top and bottom (likewise widened;
// an empty box counts none): the rows each step from one point of a curve to
// the next covers there. The points are the stored samples (a few are
// skipped where a column holds many more), or one reading per column for a
// series without samples. The legend lies beneath the curves; this only
// keeps it where it is easiest to read.
void CountCurves(TKeeperList& list, const TScale& scale, const TNetRect& net, const QRect& box,
                 const QRect& topBox, const QRect& bottomBox, long long& inTop,
                 long long& inBottom) {
    const int from = std::max(net.xb, box.left() - kBeside);
    const int to = std::min(net.xe(), box.right() + kBeside);
    if (from > to) {
        return;
    }
    auto overlap = [](int y0, int y1, const QRect& r) {
        if (r.isEmpty()) {
            return 0;
        }
        const int a = std::max(std::min(y0, y1), r.top() - kBeside);
        const int b = std::min(std::max(y0, y1), r.bottom() + kBeside);
        return b >= a ? b - a + 1 : 0;
    };
    auto row = [&](double v) {
        return std::isnan(v) ? -1 : std::clamp(scale.Y.ToPixel(v), net.yb, net.ye());
    };
    list.ForEach([&](TKeeper& k) {
        if (!k.IsVisible() || !IsAnalog(k)) {
            return;
        }
        const double xa = scale.X.ToValue(from);
        const double xe = scale.X.ToValue(to + 1);
        const bool stored = k.GetDataKind() >= dkFloatArray && k.GetCount() > 1 &&
                            k.GetStep() > 0 && k.GetGraphKind() == gkAnalog;
        long long n0 = 0, n1 = -1, stride = 1;
        if (stored) {
            const double step = k.GetStep();
            n0 = static_cast<long long>(std::max(0.0, std::floor((xa - k.GetXmin()) / step)));
            n1 = static_cast<long long>(
                std::min(k.GetCount() - 1.0, std::ceil((xe - k.GetXmin()) / step)));
            stride = std::max(1LL, (n1 - n0 + 1) / (4LL * (to - from + 1)));
        }
        int previous = -1;
        auto add = [&](int y) {
            if (y >= 0) {
                const int y0 = previous >= 0 ? previous : y;
                inTop += overlap(y0, y, topBox);
                inBottom += overlap(y0, y, bottomBox);
            }
            previous = y;
        };
        if (stored && n0 <= n1) {
            const double scaleOf = k.GetScale();
            for (long long n = n0; n <= n1; n += stride) {
                add(row(k.GetSample(static_cast<int>(n)) * scaleOf));
            }
        } else {
            for (int x = from; x <= to; ++x) {
                add(row(k.GetValue(scale.X.ToValue(x))));
            }
        }
    });
}

// A piece of a series' line from x over kSample pixels, centred on row y,
// dashed as the series is.
void DrawSample(QPainter& p, const TLegendEntry& e, int x, int y) {
    const int width = std::max(1, std::min(3, e.penWidth));
    const int top = y - width / 2;
    if (!IsDashPattern(e.dashes)) {
        p.fillRect(x, top, kSample, width, e.color);
        return;
    }
    double at = 0;
    for (std::size_t i = 0; at < kSample; i = (i + 1) % e.dashes.size()) {
        const double end = std::min<double>(kSample, at + e.dashes[i]);
        if (i % 2 == 0) {
            const int a = static_cast<int>(std::lround(at));
            const int b = static_cast<int>(std::lround(end));
            if (b > a) {
                p.fillRect(x + a, top, b - a, width, e.color);
            }
        }
        at = end;
    }
}

} // namespace

std::vector<TLegendEntry> LegendEntries(TKeeperList& list, bool printMode) {
    std::vector<TLegendEntry> entries;
    list.ForEach([&](TKeeper& k) {
        if (!k.IsVisible() || !k.GetInLegend()) {
            return;
        }
        TLegendEntry e;
        e.text = QString::fromStdString(k.GetName());
        e.color = printMode && !k.GetPrintInColor() ? QColor(Qt::black) : k.GetColor();
        e.dashes = k.GetDashPattern();
        e.penWidth = k.GetPenWidth();
        entries.push_back(std::move(e));
    });
    return entries;
}

QRect PlaceLegend(TKeeperList& list, const TScale& scale, const TNetRect& net, const QSize& size,
                  TLegendCorner* corner) {
    if (size.isEmpty() || size.width() > net.w - 2 * kMargin ||
        size.height() > net.h - 2 * kMargin) {
        return QRect();
    }
    const TLegendCorner order[] = {TLegendCorner::TopLeft, TLegendCorner::BottomLeft,
                                   TLegendCorner::BottomRight};
    long long hidden[3] = {0, 0, 0};
    // The two left corners share their columns.
    CountCurves(list, scale, net, CornerBox(net, size, TLegendCorner::TopLeft),
                CornerBox(net, size, TLegendCorner::TopLeft),
                CornerBox(net, size, TLegendCorner::BottomLeft), hidden[0], hidden[1]);
    long long none = 0;
    CountCurves(list, scale, net, CornerBox(net, size, TLegendCorner::BottomRight), QRect(),
                CornerBox(net, size, TLegendCorner::BottomRight), none, hidden[2]);
    int best = 0;
    for (int i = 1; i < 3; ++i) {
        if (hidden[i] < hidden[best]) {
            best = i;
        }
    }
    if (corner != nullptr) {
        *corner = order[best];
    }
    return CornerBox(net, size, order[best]);
}

QRect DrawSeriesLayers(QPainter& p, TKeeperList& list, const TScale& scale, const TNetRect& net,
                       bool printMode, const QColor& netBack, const TLegendLook& look,
                       TTextMeasure& measure) {
    QRect box;
    const std::vector<TLegendEntry> entries = LegendEntries(list, printMode);
    if (!entries.empty()) {
        measure.Use(LegendFont(look.labelFont), false);
        const QFontMetrics& fm = measure.Metrics();
        const int line = std::max(1, fm.height());
        // As many lines as the net has room for, each as long as the net allows.
        const int room = (net.h - 2 * kMargin - 2 * kPad) / line;
        const int lines = std::min(static_cast<int>(entries.size()), std::max(0, room));
        const int textRoom = net.w - 2 * kMargin - 2 * kPad - kSample - kSpace;
        std::vector<QString> texts;
        int widest = 0;
        // Texts cut to a few letters would name nothing.
        const bool fits = textRoom >= 6 * fm.averageCharWidth();
        for (int i = 0; i < lines && fits; ++i) {
            texts.push_back(fm.elidedText(entries[static_cast<std::size_t>(i)].text, Qt::ElideRight,
                                          textRoom));
            widest = std::max(widest, measure.Width(texts.back()));
        }
        if (!texts.empty()) {
            const QSize size(2 * kPad + kSample + kSpace + widest,
                             2 * kPad + static_cast<int>(texts.size()) * line);
            box = PlaceLegend(list, scale, net, size);
        }
        if (!box.isEmpty()) {
            p.save();
            p.fillRect(box, printMode ? QColor(Qt::white) : look.background);
            p.setPen(QPen(look.frame, 1));
            p.setBrush(Qt::NoBrush);
            p.drawRect(box.adjusted(0, 0, -1, -1));
            p.setFont(measure.Font());
            p.setPen(printMode ? QColor(Qt::black) : look.text);
            for (std::size_t i = 0; i < texts.size(); ++i) {
                const int top = box.top() + kPad + static_cast<int>(i) * line;
                DrawSample(p, entries[i], box.left() + kPad, top + line / 2);
                p.drawText(box.left() + kPad + kSample + kSpace, top + fm.ascent(), texts[i]);
            }
            p.restore();
        }
    }

    TSeriesPainter series(p, scale, net, printMode, netBack);
    for (const bool beneath : {true, false}) {
        list.ForEach([&](TKeeper& k) {
            if (k.GetBeneath() == beneath) {
                series.Draw(k);
            }
        });
    }
    return box;
}
