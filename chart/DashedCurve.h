#pragma once
// Dashes along an analog curve drawn as column spans (chart/AnalogColumns.h).
// A pen's dash pattern would run along the screen's x axis, and a span of a
// steep or noisy stretch would fall wholly into a gap; here the pattern runs
// along the curve's path instead, one pixel of path for every row a column
// covers, so a tall spike is dashed along its flanks like any slope.
//
// Dashes must not cost the curve its readings: the pixel at the top of a
// column that stands above its neighbours (a peak), and at the bottom of one
// that reaches below them (a trough), is always drawn, gap or not. With gaps
// of at most 3 pixels every pixel of the curve then lies within 2 pixels
// along the path of a drawn one.

#include <vector>

#include "chart/AnalogColumns.h"

// The drawn pieces of each device column: column i (device column first + i)
// has pieces[start[i]] .. pieces[start[i + 1] - 1], top to bottom, apart.
struct TColumnPieces {
    int first = 0;
    std::vector<int> start; // one more than there are columns
    std::vector<TRowSpan> pieces;
    int Columns() const { return start.empty() ? 0 : static_cast<int>(start.size()) - 1; }
};

// Whether pattern dashes a curve: an even, non-zero count of finite lengths,
// none negative, their sum positive and some gap among them.
bool IsDashPattern(const std::vector<double>& pattern);

// The pieces of curve left drawn by pattern (lengths in widget pixels; drawn,
// left out, drawn, ...) on a picture of device pixel ratio ratio. A pattern
// that dashes nothing (see IsDashPattern) leaves every span whole.
TColumnPieces DashColumns(const TAnalogColumns& curve, const std::vector<double>& pattern,
                          double ratio);
