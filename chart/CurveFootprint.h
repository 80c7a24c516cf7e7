#pragma once
// The pixels of a chart's net that its curves take, and the free places left
// among them: the legend goes where it hides no curve.
//
// Pixels are the widget's (ratio 1), whatever the picture's ratio, so that a
// chart puts its legend in one place on screen, in copies and in prints; a
// curve drawn at another ratio keeps within a pixel of its course at ratio 1,
// which the clearance around a free place takes in.

#include <QRect>
#include <QSize>
#include <vector>

#include "chart/TScale.h"
#include "chart/TSeriesPainter.h"

class TKeeperList;

class TCurveFootprint {
  public:
    // A footprint of the net, nothing taken yet.
    explicit TCurveFootprint(const TNetRect& net);

    // Takes rows top .. bottom of widget column x; the part outside the net
    // is left out.
    void Take(int x, int top, int bottom);
    // Takes every pixel of r (widget pixels) within the net.
    void Take(const QRect& r);
    // Whether widget pixel (x, y) is taken; pixels outside the net are not.
    bool Taken(int x, int y) const;

    // A place for a box of size inside the net, margin pixels from its edges,
    // with no taken pixel in it or within clearance of it (clearance <=
    // margin): of all such places the one nearest to a corner of the net (by
    // the sum of both distances), preferring top left, bottom left, bottom
    // right, top right when two are as near. Empty when there is none.
    QRect FindFree(const QSize& size, int margin, int clearance) const;

  private:
    unsigned char* Column(int x);
    const unsigned char* Column(int x) const;

    TNetRect Net;
    // Column by column (curves take column spans), 1 where taken; x and y
    // from the net's top left.
    std::vector<unsigned char> Cells;
};

// Takes the pixels of every visible series of list as the chart draws them at
// ratio 1, each widened by its pen: analog curves from their columns, the
// other kinds drawn onto a mask. When known is given, the analog curves'
// columns are kept there, for their drawing on the same net.
void TakeCurves(TCurveFootprint& footprint, TKeeperList& list, const TScale& scale,
                const TNetRect& net, TCurveColumns* known);
