#include "chart/SeriesLegend.h"

#include <QFontInfo>
#include <QPen>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "chart/DashedCurve.h"
#include "chart/TKeeperList.h"
#include "chart/TTextMeasure.h"

namespace {

constexpr int kPad = 3;     // inside the legend's frame
constexpr int kSample = 24; // length of a line's piece of series
constexpr int kSpace = 5;   // between the piece and the text

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

// A piece of a series' line from x over kSample pixels, centred on row y,
// dashed as the series is.
void DrawSample(QPainter& p, const TLegendEntry& e, int x, int y) {
    const int width = std::max(1, std::min(3, e.penWidth));
    const int top = y - width / 2;
    if (e.ring) {
        p.save();
        p.setPen(QPen(e.color, width));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QRect(x + kSample / 2 - 3, y - 3, 6, 6));
        p.restore();
        return;
    }
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
        e.ring = k.GetMarksOnly() && k.GetGraphKind() == gkDiscret;
        entries.push_back(std::move(e));
    });
    return entries;
}

QSize TLegendLines::Size() const {
    if (texts.empty()) {
        return QSize();
    }
    return QSize(2 * kPad + kSample + kSpace + widest,
                 2 * kPad + static_cast<int>(texts.size()) * line);
}

TLegendLines FitLegend(const std::vector<TLegendEntry>& entries, const TLegendLook& look,
                       TTextMeasure& measure, int width, int height) {
    TLegendLines lines;
    if (entries.empty()) {
        return lines;
    }
    measure.Use(LegendFont(look.labelFont), false);
    const QFontMetrics& fm = measure.Metrics();
    lines.line = std::max(1, fm.height());
    // As many lines as the box has room for, each as long as it allows.
    const int room = (height - 2 * kPad) / lines.line;
    const int count = std::min(static_cast<int>(entries.size()), std::max(0, room));
    const int textRoom = width - 2 * kPad - kSample - kSpace;
    // Texts cut to a few letters would name nothing.
    if (textRoom < 6 * fm.averageCharWidth()) {
        return lines;
    }
    for (int i = 0; i < count; ++i) {
        const TLegendEntry& e = entries[static_cast<std::size_t>(i)];
        lines.entries.push_back(e);
        lines.texts.push_back(fm.elidedText(e.text, Qt::ElideRight, textRoom));
        lines.widest = std::max(lines.widest, measure.Width(lines.texts.back()));
    }
    return lines;
}

void DrawLegend(QPainter& p, const TLegendLines& lines, const QRect& box, bool printMode,
                const TLegendLook& look, TTextMeasure& measure) {
    if (lines.Empty() || box.isEmpty()) {
        return;
    }
    const QFontMetrics& fm = measure.Metrics();
    p.save();
    p.fillRect(box, printMode ? QColor(Qt::white) : look.background);
    p.setPen(QPen(look.frame, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(box.adjusted(0, 0, -1, -1));
    p.setFont(measure.Font());
    p.setPen(printMode ? QColor(Qt::black) : look.text);
    for (std::size_t i = 0; i < lines.texts.size(); ++i) {
        const int top = box.top() + kPad + static_cast<int>(i) * lines.line;
        DrawSample(p, lines.entries[i], box.left() + kPad, top + lines.line / 2);
        p.drawText(box.left() + kPad + kSample + kSpace, top + fm.ascent(), lines.texts[i]);
    }
    p.restore();
}

void DrawSeriesLayers(QPainter& p, TKeeperList& list, const TScale& scale, const TNetRect& net,
                      bool printMode, const QColor& netBack, const TCurveColumns* known) {
    TSeriesPainter series(p, scale, net, printMode, netBack);
    series.UseColumns(known);
    for (const bool beneath : {true, false}) {
        list.ForEach([&](TKeeper& k) {
            if (k.GetBeneath() == beneath) {
                series.Draw(k);
            }
        });
    }
}
