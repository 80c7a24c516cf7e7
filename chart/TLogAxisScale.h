#pragma once
// A logarithmic map for one axis, beside the linear TAxisScale: equal ratios
// take equal lengths, so a parameter whose values span several decades (a
// time constant of 10 .. 100000 ms, a cut-off of 1 .. 300 Hz) shows each
// decade as clearly as the next. Plain values with no toolkit behind them,
// like the linear scale, and pixels by the same rules: x grows to the right,
// the value axis downward, conversions to pixels truncate toward zero.
//
// Only positive values have a logarithm. A range must be positive; values at
// or below zero lie infinitely far below any range, so their pixel is far out
// on the low side (left of an x axis, below a value axis).

#include <string>
#include <vector>

#include "chart/TScale.h"

// A labelled line of a logarithmic grid.
struct TLogGridLine {
    double Value;
    std::string Label; // "10", "200", "0.05", "1e+08"
};

// The grid of a logarithmic axis, both lists ascending and within the range.
struct TLogGrid {
    std::vector<TLogGridLine> Labelled;
    std::vector<double> Minor; // ticks without labels, none at a labelled value
};

// The linear map of log10 v: truncation, far pixels and NaN are the linear
// map's own.
class TLogAxisScale {
  public:
    explicit TLogAxisScale(bool downward);

    // Takes [lo, hi] (bounds in either order). Both must be positive and
    // finite and lie at least 1e-6 decades apart (a factor of 1.0000023);
    // anything else changes nothing and gives false.
    bool SetRange(double lo, double hi);
    // The range and pixel interval of a linear axis, so that the log map can
    // stand in for it; false, with nothing changed, when that range is not
    // positive.
    bool Follow(const TAxisScale& linear);

    double GetMin() const { return Min; }
    double GetMax() const { return Max; }
    // log10(Max / Min): more than 1 where a log axis pays.
    double Decades() const { return LogAxis.GetMax() - LogAxis.GetMin(); }

    void SetPixels(int origin, int span) { LogAxis.SetPixels(origin, span); }
    int GetOrigin() const { return LogAxis.GetOrigin(); }
    int GetSpan() const { return LogAxis.GetSpan(); }
    // Value to pixel as the linear map gives it for log10 v; a value at or
    // below 0 goes far out on the low side.
    int ToPixel(double v) const;
    // Pixel to value, always positive and finite (pixels far beyond the range
    // are kept within 1e-307 .. 1e308).
    double ToValue(int pixel) const;

    // The grid of the range when fit label intervals fit on the axis.
    TLogGrid Grid(double fit) const { return MakeLogGrid(Min, Max, fit); }
    // The grid of [lo, hi] (lo > 0), the richest whose narrowest label gap,
    // in decades, is no less than Decades / fit: labels at 1, 2 and 5 times
    // the powers of ten (minor ticks at 3, 4, 6, 7, 8, 9 times them); labels at
    // the powers of ten (minor ticks at 2 .. 9 times them); labels at every
    // 2nd, 5th, 10th, 20th ... power (minor ticks at the others). A range
    // where none of these puts two labels (less than about a decade) takes
    // the linear axis's grid values and labels instead. Empty for bounds that
    // SetRange refuses, and for bounds in descending order.
    static TLogGrid MakeLogGrid(double lo, double hi, double fit);

  private:
    TAxisScale LogAxis; // range log10(Min) .. log10(Max)
    double Min = 1, Max = 10;
};

// The map an axis draws with, chosen per axis: the linear scale as it is, or
// the logarithmic map over the same range and pixels. A logarithmic choice
// falls back to the linear map while the range is not positive.
class TAxisMap {
  public:
    TAxisMap(const TAxisScale& linear, bool downward, bool logarithmic);
    bool IsLogarithmic() const { return Logarithmic; }
    int ToPixel(double v) const { return Logarithmic ? Log.ToPixel(v) : Linear.ToPixel(v); }
    double ToValue(int pixel) const {
        return Logarithmic ? Log.ToValue(pixel) : Linear.ToValue(pixel);
    }

  private:
    TAxisScale Linear;
    TLogAxisScale Log;
    bool Logarithmic;
};
