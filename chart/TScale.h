#pragma once
// The chart's scale: for each axis the range shown, the limits that bound it,
// the precision of its tick labels, the choice of grid steps, and the map
// between values and pixels. Plain values with no toolkit behind them, so a
// painter can be handed one and tests can check it without any window.
//
// Values are in the series' own units; ranges stay within the limits, which
// never exceed +-100000. Pixels grow to the right and downward; conversions to
// pixels truncate toward zero.

#include <cstddef>
#include <string>

// The values of one axis's grid: first + i*step for i in [0, count), and eps,
// the distance from zero within which a value counts as zero.
struct TAxisGrid {
    double first = 0;
    double step = 1;
    double eps = 0;
    int count = 0;
    double Value(int i) const { return first + i * step; }
};

// The net rectangle of a chart, in pixels: left column xb, top row yb, width
// w, height h; its frame covers [xb, xb + w) x [yb, yb + h).
struct TNetRect {
    int xb = 0, yb = 0, w = 0, h = 0;
    int xe() const { return xb + w; }
    int ye() const { return yb + h; }
};

// One axis: range, limits, label precision and its pixel interval. The x axis
// maps Min to Origin and Max to Origin + Span; the value axis (downward) maps
// Max to Origin, so that larger values are higher up.
class TAxisScale {
  public:
    explicit TAxisScale(bool downward) : Downward(downward) {}

    // Takes [lo, hi] (bounds in either order, at least 1e-6 apart, cut back to
    // the limits) and derives the precision from its width. A request that is
    // narrower, not a number, or left without width by the cutting changes
    // nothing and gives false.
    bool SetRange(double lo, double hi);
    // Limits in either order, within +-100000, at least 1e-6 apart; narrower
    // or NaN requests are ignored. A range sticking out is cut back and a range
    // wholly outside becomes the limits. True when the range changed.
    bool SetLimit(double lo, double hi);
    // Label decimals: min(7, |p|).
    void SetPrecision(int p);
    // Raised by the label search of a repaint, up to 8 (exponent form).
    void RaisePrecision(int p) { Precision = p; }

    double GetMin() const { return Min; }
    double GetMax() const { return Max; }
    double GetLimitMin() const { return LimitMin; }
    double GetLimitMax() const { return LimitMax; }
    int GetPrecision() const { return Precision; }
    // One step of the Increase/Reduce commands: 1/10^precision, or 10, 100,
    // 1000, 10000 for widths strictly between 100 and 1000, 1000 and 10000, ...
    double GetStep() const;
    // trunc(log10) of the larger magnitude of the two ends (0 when undefined):
    // the integer digits of the longest label.
    int Decade() const;

    // Pixel interval of the range: Origin and Span in pixels.
    void SetPixels(int origin, int span) {
        Origin = origin;
        Span = span;
    }
    int GetOrigin() const { return Origin; }
    int GetSpan() const { return Span; }
    // Value to pixel, truncated toward zero and kept within 2^24 of the origin
    // of the picture (NaN goes far out), so offsets added to it cannot overflow.
    int ToPixel(double v) const;
    // Pixel to value; an empty interval counts as one pixel wide.
    double ToValue(int pixel) const;

    // The grid of the range when fit intervals fit on the axis.
    TAxisGrid Grid(double fit) const;

  private:
    bool Downward;
    double Min = -1, Max = 1;
    double LimitMin = -100000, LimitMax = 100000;
    int Precision = 1;
    int Origin = 0, Span = 0;
};

// Both axes of a chart.
struct TScale {
    TAxisScale X{false};
    TAxisScale Y{true};
};

// Label precision for a range of width w: 7 below 1e-5, one less per decade,
// 0 from 10 on.
int PrecisionFor(double w);
// Grid step for a range of the given width when fit intervals fit on the
// axis: 10^k times the first of the multipliers 0.05, 0.1, 0.2, 0.2, 0.5, 1,
// 2, 2, 5 whose interval count fits, the coarsest when none does.
double GridStep(double width, double fit);
// The grid values of [lo, hi] for step (at most 2000).
TAxisGrid MakeGridAxis(double lo, double hi, double step);
// First minor tick (a fifth of step apart) of a range starting at lo:
// trunc(5*lo/step) minor steps, one more when lo > 0, and one fewer when
// lo <= 0 and oneBelow is set.
double MinorTickStart(double lo, double step, bool oneBelow);
// Tick label of grid value v: "0.0" (or "0" at precision 0) within eps of zero.
std::string GridLabel(double v, int precision, double eps);
// precision raised until no two neighbouring labels of grid read alike; at
// most 8, where labels switch to exponent form.
int SearchPrecision(const TAxisGrid& grid, int precision);
// Writes value with precision 0..7 decimals ("%.Nf"), any other precision in
// exponent form ("%e"), with a decimal point, into buffer of size characters
// (always terminated, never overrun). Returns the number of characters written.
int num2char(char* buffer, std::size_t size, double value, int precision);
// The same into a string, whatever its length.
std::string num2str(double value, int precision);
