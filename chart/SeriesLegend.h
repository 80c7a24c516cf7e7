#pragma once
// The series of a chart in their layers, over the legend: the legend comes
// first, so that it hides no curve, then the series drawn beneath, then the
// others, which no series beneath can hide. The legend sits in the corner of
// the net where the fewest curves cross it.

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>
#include <vector>

#include "chart/TScale.h"

class QPainter;
class TKeeper;
class TKeeperList;
class TTextMeasure;

// One line of the legend: a short piece of the series' line, then its name.
struct TLegendEntry {
    QString text;
    QColor color;
    std::vector<double> dashes; // as the series' dash pattern
    int penWidth = 1;
};

// The legend's lines: every visible series marked for the legend, in list
// order, named by its name. In print mode the series are black but for those
// that keep their colour in print.
std::vector<TLegendEntry> LegendEntries(TKeeperList& list, bool printMode);

// How the legend looks: its text in a font smaller than the chart's labels.
struct TLegendLook {
    QFont labelFont;   // the chart's tick label font, of which the legend takes 3/4
    QColor text;       // text colour
    QColor background; // the net's background
    QColor frame;      // the legend's frame
};

// Corners of the net the legend may take, in the order they are preferred
// when the curves cross them equally. The top right corner is left to the
// chart frame's tool panel, which shows there while the pointer is over the
// chart, just when the legend is read.
enum class TLegendCorner { TopLeft, BottomLeft, BottomRight };

// The legend's place: entries' lines from the top, in a box of size inside
// the net, 6 pixels from its edges, in the corner (of those it fits in) where
// the fewest curve pixels of list's visible analog series lie within or right
// beside it. An empty rectangle when the box does not fit.
QRect PlaceLegend(TKeeperList& list, const TScale& scale, const TNetRect& net, const QSize& size,
                  TLegendCorner* corner = nullptr);

// Draws the legend of the marked series, then every series of list in its
// layer, with the painter (clipped to the net by the caller); measure keeps
// the legend font's measurements between drawings. Without a series beneath
// or a marked one, that is every series in list order and nothing else.
// Returns the legend's rectangle in widget pixels, empty when there is none.
QRect DrawSeriesLayers(QPainter& p, TKeeperList& list, const TScale& scale, const TNetRect& net,
                       bool printMode, const QColor& netBack, const TLegendLook& look,
                       TTextMeasure& measure);
