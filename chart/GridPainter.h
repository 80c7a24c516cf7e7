#pragma once
// The grid of a chart, one axis at a time: grid lines across the net, and when
// there is room the ticks, tick labels and minor ticks beside it. The argument
// axis puts them below the net, the value axis to its left.

#include <QColor>
#include <QFont>
#include <QString>

#include "chart/TLogAxisScale.h"
#include "chart/TScale.h"

class TTextMeasure;
class QPainter;

// How the grid of one repaint looks.
struct TGridLook {
    QColor line;         // grid lines, frame and ticks
    Qt::PenStyle style;  // grid lines away from zero; the zero line is solid
    QColor text;         // tick labels
    QColor labelBack;    // background of the tick labels
    bool labels = false; // ticks, labels and minor ticks fit
    // Dotted lines may be written straight into the picture's pixels where
    // that gives exactly what the painter would draw.
    bool direct = true;
};

// Draws the grid of axis (the argument axis when isX, else the value axis)
// for the grid values of grid across net, the labels in the font of
// labelFont (which the painter is to have). Returns whether a label was written.
bool DrawGridAxis(QPainter& p, const TAxisScale& axis, const TAxisGrid& grid, bool isX,
                  const TNetRect& net, const TGridLook& look, TTextMeasure& labelFont);

// Draws the grid of a logarithmic argument axis: axis maps log10 of the
// values, grid lines stand at grid's labelled values, labelled as it says,
// with its minor ticks. Returns whether a label was written.
bool DrawLogGridX(QPainter& p, const TAxisScale& axis, const TLogGrid& grid, const TNetRect& net,
                  const TGridLook& look, TTextMeasure& labelFont);
