#pragma once
// The legend of a chart's series and the series in their layers. The legend
// names every visible series marked for it and never hides a curve: it goes
// where no curve pixel lies under it or beside it inside the net
// (chart/CurveFootprint.h), and where there is no such place, into a band
// between the title and the net, which gives up the room; a print may ask
// for it under the chart instead. The series are drawn after it: those
// marked beneath first, then the others, which no series beneath can hide.

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>
#include <vector>

#include "chart/TScale.h"
#include "chart/TSeriesPainter.h"

class QPainter;
class TKeeper;
class TKeeperList;
class TTextMeasure;

// Where a drawing puts the legend: in the chart (in the net where it hides no
// curve, else above the net), or under the chart, which grows by its height.
enum class TLegendPlace { InChart, BelowChart };

// Pixels between the net's edges and a legend inside it, and the least
// distance from the legend to any curve pixel.
constexpr int LegendMargin = 6;
constexpr int LegendClearance = 2;
// Pixels between a legend outside the net and what it sits between.
constexpr int LegendGap = 4;

// One line of the legend: a short piece of the series' line, then its name.
struct TLegendEntry {
    QString text;
    QColor color;
    std::vector<double> dashes; // as the series' dash pattern
    int penWidth = 1;
    bool ring = false; // a series of marks alone shows one of its rings
};

// The legend's lines: every visible series marked for the legend, in list
// order, named by its name. In print mode the series are black but for those
// that keep their colour in print.
std::vector<TLegendEntry> LegendEntries(TKeeperList& list, bool printMode);

// How the legend looks: its text in a font smaller than the chart's labels.
struct TLegendLook {
    QFont labelFont;   // the chart's tick label font, of which the legend takes 3/4
    QColor text;       // text colour
    QColor background; // the box's, the net's background
    QColor frame;      // the legend's frame
};

// The lines of a legend as they fit a box: the first entries, each text cut
// to the room.
struct TLegendLines {
    std::vector<TLegendEntry> entries;
    std::vector<QString> texts; // one per entry
    int line = 1;               // height of a line
    int widest = 0;             // of the texts
    bool Empty() const { return texts.empty(); }
    // The box around them; empty without lines.
    QSize Size() const;
};

// As many of entries as fit a box at most height pixels high, each text cut
// to a box width pixels wide; none when the texts would keep only a few
// letters. measure keeps the legend font's measurements between drawings.
TLegendLines FitLegend(const std::vector<TLegendEntry>& entries, const TLegendLook& look,
                       TTextMeasure& measure, int width, int height);

// Draws the legend's box at box (of lines.Size()), with a piece of each
// series' line and its name; measure as given to FitLegend.
void DrawLegend(QPainter& p, const TLegendLines& lines, const QRect& box, bool printMode,
                const TLegendLook& look, TTextMeasure& measure);

// Draws every series of list in its layer with the painter (clipped to the
// net by the caller), the analog curves found in known from their columns
// there (TSeriesPainter::UseColumns). Without a series beneath that is every
// series in list order.
void DrawSeriesLayers(QPainter& p, TKeeperList& list, const TScale& scale, const TNetRect& net,
                      bool printMode, const QColor& netBack, const TCurveColumns* known);
