#pragma once
// Draws data series onto a chart's picture from what it is handed: a painter
// already on the picture, the chart's scale and net rectangle, and the colours
// of the moment. Nothing is kept between calls.
//
// Columns run from the net's left column xb through xb + w; value rows are
// kept within [yb + 1, yb + h - 2], the analog line within [yb + 1, yb + h - 1].

#include <QColor>
#include <vector>

#include "chart/AnalogColumns.h"
#include "chart/TKeeper.h"
#include "chart/TScale.h"

class QPainter;

// The columns of analog curves already worked out for a net and scale at
// ratio 1, so that drawing them there need not work them out again.
struct TKnownColumns {
    const TKeeper* keeper = nullptr;
    TAnalogColumns columns;
};
using TCurveColumns = std::vector<TKnownColumns>;

// Device pixel offsets lo .. hi across a stroke of `width` widget pixels on a
// picture of device pixel ratio r. The spare pixel of an even width goes up
// and to the left. On a denser picture a stroke covers the r x r blocks of the
// pixels it covers at ratio 1.
void StrokeOffsets(int width, double r, int& lo, int& hi);

class TSeriesPainter {
  public:
    // printMode draws every series black (but those that keep their colour
    // in print) and fills sample marks white; otherwise marks are filled
    // with netBack.
    TSeriesPainter(QPainter& painter, const TScale& scale, const TNetRect& net, bool printMode,
                   const QColor& netBack)
        : P(painter), S(scale), Net(net), PrintMode(printMode), NetBack(netBack) {}

    // The routine of the series' graph kind; other kinds draw nothing.
    void Draw(TKeeper& k);
    // Analog curves found in known are drawn from their columns there, which
    // must be those of this net and scale on a picture of ratio 1. Not owned.
    void UseColumns(const TCurveColumns* known) { Known = known; }
    // Continuous line that hides no sample (chart/AnalogColumns.h): a column
    // holding several samples spans them all, sparse samples are passed
    // through. Cut at the net's top and bottom rows and resumed from the
    // border row where the curve comes back. Dashed along its path when the
    // series has a dash pattern (chart/DashedCurve.h).
    void Analog(TKeeper& k);
    // A vertical bar from +v to -v in every column.
    void Radio(TKeeper& k);
    // A stem from the zero row to every sample, with optional marks.
    void Discret(TKeeper& k);
    // A bar of the series' step around every sample; a bar sticking out of the
    // net loses its top but keeps its sides.
    void Histogram(TKeeper& k);

  private:
    int ClampRow(int py) const;
    // Fills the device columns first .. first + count - 1 of a curve, widened
    // by the pen: piecesOf(i, take) hands take every row span of column i,
    // top to bottom.
    template <class Pieces>
    void StrokeColumns(const QColor& color, int penWidth, int first, int count, Pieces piecesOf);
    int SetUpPen(const TKeeper& k) const;
    struct TStrokes;
    // Stems and bars: the samples that can be seen, each gathered by Stem or
    // Bar, then stroked together.
    void StemsOrBars(TKeeper& k, bool bars);
    void Stem(TKeeper& k, int n, double x, bool mark, TStrokes& s) const;
    void Bar(TKeeper& k, int n, double x, double half, TStrokes& s) const;

    QPainter& P;
    const TCurveColumns* Known = nullptr;
    const TScale& S;
    TNetRect Net;
    bool PrintMode;
    QColor NetBack;
};
