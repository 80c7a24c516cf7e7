#pragma once
// The rows an analog curve covers in each pixel column of a picture, worked
// out apart from any drawing so that it can be checked on its own.
//
// A series with stored samples is decimated the way oscilloscopes do it, so
// that no sample is ever hidden: a column that holds several samples spans
// their lowest to highest value and joins its neighbours (from the last value
// of one column to the first of the next); where samples lie further apart
// than columns, the curve runs through each sample, with the series' own
// continuous reading (GetValue) once per column between them. A series
// without stored samples (a constant, a function) is read once per column.
// Symmetric continuations and periodic repetitions of the samples count as
// samples too.
//
// Columns and rows are those of the picture's device pixels: on a picture of
// device pixel ratio r, widget pixel x covers device columns floor(r*x) up to
// floor(r*(x + 1)) - 1, so a sample always lands inside the widget pixel that
// MathToPhisX / MathToPhisY give it.

#include <vector>

#include "chart/TScale.h"

class TKeeper;

// Rows top .. bottom (inclusive) of one device column; none when bottom < top.
struct TRowSpan {
    int top = 0;
    int bottom = -1;
    bool Empty() const { return bottom < top; }
};

struct TAnalogColumns {
    int first = 0;               // device column of spans[0]
    std::vector<TRowSpan> spans; // one per device column from first on
};

// The curve of k over the net's columns xb .. xe (the last one lies outside
// the net but carries the curve's way out), on a picture of device pixel
// ratio `ratio` (positive and finite). Every row lies within the net's value
// band, the device rows of widget rows yb + 1 .. ye - 1: a part outside is
// left out, and where the curve comes back the line resumes from the border
// row. A value that is not a number breaks the curve. At most a few million
// samples are read per call (fewer from a file); beyond that a column shows
// every so many samples of its stretch. Empty when the scale has no pixels,
// the net no size (or more than a million device columns) or the ratio no use.
TAnalogColumns AnalogColumns(TKeeper& k, const TScale& scale, const TNetRect& net, double ratio);
