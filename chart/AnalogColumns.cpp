#include "chart/AnalogColumns.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "chart/TKeeper.h"

namespace {

// Sample reads per series and drawing at most: about two thousand per column
// of a wide screen, a few milliseconds from memory. Files are read a sample at
// a time, so they get fewer.
constexpr double kMaxReads = 1 << 22;
constexpr double kMaxFileReads = 1 << 16;
// Pixels are kept within this distance of the picture's origin, as the scale
// keeps them, so that rows can be compared and stepped without overflow.
constexpr double kFar = 1 << 24;
// Device columns of one curve at most.
constexpr double kMaxColumns = 1 << 20;
// Above 2^53 neighbouring whole numbers are one double.
constexpr double kExact = 9007199254740992.0;

// One axis between values and the device pixels of a picture of ratio r: the
// scale's own formula before its truncation, times r. At ratio 1 the pixel is
// exactly the scale's (for the picture's non-negative pixels).
class TDeviceAxis {
  public:
    TDeviceAxis(const TAxisScale& a, bool downward, double r)
        : From(downward ? a.GetMax() : a.GetMin()), To(downward ? a.GetMin() : a.GetMax()),
          Span(a.GetSpan()), Origin(a.GetOrigin()), R(r) {}
    int Pixel(double v) const {
        const double p = R * (Span * (v - From) / (To - From) + Origin);
        if (std::isnan(p)) {
            return static_cast<int>(kFar);
        }
        return static_cast<int>(std::floor(std::clamp(p, -kFar, kFar)));
    }
    // The value at the leading edge of device pixel d.
    double Value(double d) const { return From + (To - From) * (d / R - Origin) / Span; }
    // The first device pixel of widget pixel px.
    int Device(int px) const { return static_cast<int>(std::floor(R * px)); }

  private:
    double From, To, Span, Origin, R;
};

// What the curve shows in one column: its samples, or where it has none, the
// continuous reading at its leading edge.
struct TColumn {
    double first = 0; // the value where the curve enters the column
    double last = 0;  // and where it leaves it
    double firstAt = std::numeric_limits<double>::infinity();
    double lastAt = -std::numeric_limits<double>::infinity();
    double lo = 0, hi = 0; // over the values that are numbers
    bool any = false;
    bool sampled = false;

    void Add(double x, double v) {
        if (x < firstAt) {
            first = v;
            firstAt = x;
        }
        if (x >= lastAt) {
            last = v;
            lastAt = x;
        }
        sampled = true;
        Take(v);
    }
    // The samples of a column read in order of their arguments: first and
    // last, and the extremes of those that are numbers (lo > hi when none).
    void Put(double firstValue, double lastValue, double low, double high) {
        first = firstValue;
        last = lastValue;
        sampled = true;
        any = low <= high;
        lo = low;
        hi = high;
    }
    void Read(double v) {
        first = last = v;
        Take(v);
    }
    void Take(double v) {
        if (std::isnan(v)) {
            return;
        }
        lo = any ? std::min(lo, v) : v;
        hi = any ? std::max(hi, v) : v;
        any = true;
    }
};

// The stored samples of a series as its continuous reading shows them: scaled,
// and mirrored (negated for odd symmetry) to the left of the first.
class TSamples {
  public:
    explicit TSamples(TKeeper& k) : K(k), Scale(k.GetScale()), Odd(k.GetSymmetry() == syOdd) {}
    double Value(long long n) {
        double v = K.GetSample(static_cast<int>(n < 0 ? -n : n));
        if (Scale != 1.0) {
            v = v * Scale;
        }
        return n < 0 && Odd ? -v : v;
    }
    // Sample j of the pattern, seen on the mirrored side or not.
    double Value(long long j, bool mirrored) {
        const double v = Value(j);
        return mirrored && Odd ? -v : v;
    }

  private:
    TKeeper& K;
    double Scale;
    bool Odd;
};

long long Stride(double reads, double budget) {
    return reads > budget ? static_cast<long long>(std::ceil(reads / budget)) : 1;
}

// The columns being filled: device columns dL .. dR and their arguments.
struct TColumns {
    const TDeviceAxis& X;
    int dL, dR;
    std::vector<TColumn>& c;
    double budget;

    void Add(double x, double v) {
        const int d = X.Pixel(x);
        if (d >= dL && d <= dR) {
            c[static_cast<std::size_t>(d - dL)].Add(x, v);
        }
    }
};

// Samples on the grid x0 + n*step, mirrored to negative n when the series is
// symmetric. Each column takes the samples that the scale puts into it; its
// bounds are found from an estimate put right by the exact mapping, so that
// a column of many samples costs a few mappings rather than one per sample.
void AddGridSamples(TKeeper& k, TColumns& cols) {
    TSamples samples(k);
    const double x0 = k.GetXmin();
    const double step = k.GetStep();
    const double nHigh = k.GetCount() - 1.0;
    const bool mirrored = k.GetSymmetry() == syEven || k.GetSymmetry() == syOdd;
    const double nLow = mirrored ? -nHigh : 0.0;
    // A sample more on either side than the window asks for: the mapping
    // decides where each belongs.
    double nA = std::floor((cols.X.Value(cols.dL) - x0) / step) - 1;
    double nB = std::ceil((cols.X.Value(cols.dR + 1.0) - x0) / step) + 1;
    if (std::isnan(nA) || std::isnan(nB)) {
        return;
    }
    nA = std::max(nA, nLow);
    nB = std::min(nB, nHigh);
    if (nA > nB) {
        return;
    }
    const long long first = static_cast<long long>(nA);
    const long long end = static_cast<long long>(nB) + 1;
    const long long stride = Stride(nB - nA + 1, cols.budget);
    auto at = [&](long long n) { return x0 + static_cast<double>(n) * step; };
    auto column = [&](long long n) { return cols.X.Pixel(at(n)); };
    // The first index from n on (at most end) whose column lies beyond d.
    auto beyond = [&](int d, long long n) {
        const double guess = std::ceil((cols.X.Value(d + 1.0) - x0) / step);
        long long e = std::isnan(guess)
                          ? n
                          : static_cast<long long>(std::clamp(guess, static_cast<double>(n),
                                                              static_cast<double>(end)));
        // Rounding leaves the guess a sample or two off; a guess further off
        // (a step below the resolution of the arguments) is bisected.
        int moves = 0;
        while (e > n && column(e - 1) > d && ++moves <= 4) {
            --e;
        }
        while (moves <= 4 && e < end && column(e) <= d && ++moves <= 4) {
            ++e;
        }
        if (moves > 4) {
            long long lo = n;
            long long hi = end;
            while (lo < hi) {
                const long long mid = lo + (hi - lo) / 2;
                if (column(mid) <= d) {
                    lo = mid + 1;
                } else {
                    hi = mid;
                }
            }
            e = lo;
        }
        return e;
    };
    long long n = beyond(cols.dL - 1, first);
    for (int d = cols.dL; d <= cols.dR && n < end; ++d) {
        const long long e = beyond(d, n);
        if (e > n) {
            // Not a number compares false, so min and max pass it by.
            double lo = std::numeric_limits<double>::infinity();
            double hi = -lo;
            double v = 0;
            const double firstValue = samples.Value(n);
            for (long long i = n; i < e; i += stride) {
                v = samples.Value(i);
                lo = std::min(lo, v);
                hi = std::max(hi, v);
            }
            cols.c[static_cast<std::size_t>(d - cols.dL)].Put(firstValue, v, lo, hi);
        }
        n = e;
    }
}

// A periodic series repeats the samples of its first period (those before
// x0 + Period) at x0 + m*Period; a symmetric one mirrors them to the left of
// x0 before repeating.
void AddPeriodicSamples(TKeeper& k, TColumns& cols) {
    TSamples samples(k);
    const double x0 = k.GetXmin();
    const double step = k.GetStep();
    const double period = k.GetPeriod();
    const bool mirrored = k.GetSymmetry() == syEven || k.GetSymmetry() == syOdd;
    double perPeriod = std::min(std::ceil(period / step), static_cast<double>(k.GetCount()));
    if (perPeriod > 1 && (perPeriod - 1) * step >= period) {
        perPeriod -= 1;
    }
    const long long n = std::max(1LL, static_cast<long long>(perPeriod));
    const double aL = cols.X.Value(cols.dL);
    const double aR = cols.X.Value(cols.dR + 1.0);
    const double columnWidth = (aR - aL) / (cols.dR - cols.dL + 1);

    if (period <= columnWidth) {
        // Every column holds whole periods: each spans all of one period.
        const long long stride = Stride(static_cast<double>(n), cols.budget);
        double lo = 0, hi = 0;
        bool any = false;
        for (long long j = 0; j < n; j += stride) {
            const double v = samples.Value(j);
            if (!std::isnan(v)) {
                lo = any ? std::min(lo, v) : v;
                hi = any ? std::max(hi, v) : v;
                any = true;
            }
        }
        if (!any) {
            return;
        }
        const bool odd = k.GetSymmetry() == syOdd;
        for (int d = cols.dL; d <= cols.dR; ++d) {
            TColumn& c = cols.c[static_cast<std::size_t>(d - cols.dL)];
            const bool right = !mirrored || cols.X.Value(d + 1.0) > x0;
            const bool left = mirrored && cols.X.Value(d) <= x0;
            if (right || (left && !odd)) {
                c.Take(lo);
                c.Take(hi);
            }
            if (left && odd) {
                c.Take(-lo);
                c.Take(-hi);
            }
        }
        return;
    }

    // Periods are wider than a column, so at most one per column and two more.
    const double periods = (aR - aL) / period + 3;
    const long long stride = Stride(periods * static_cast<double>(n), cols.budget);
    // Positions x0 + dir*(m*period + j*step) whose offset u = m*period +
    // j*step from x0 lies in [uA, uB].
    auto pass = [&](double uA, double uB, double dir, bool mirror) {
        double mA = std::floor(uA / period) - 1;
        const double mB = std::floor(uB / period);
        if (mirrored) {
            mA = std::max(mA, 0.0);
        }
        if (!(std::fabs(mA) < kExact && std::fabs(mB) < kExact) || mB - mA > periods + 2) {
            return;
        }
        for (long long m = static_cast<long long>(mA); m <= static_cast<long long>(mB); ++m) {
            const double base = static_cast<double>(m) * period;
            const double jA = std::max(0.0, std::ceil((uA - base) / step) - 1);
            const double jB = std::min(n - 1.0, std::floor((uB - base) / step) + 1);
            // Only an index range within the period is turned into integers.
            if (!(jA <= jB)) {
                continue;
            }
            for (long long j = static_cast<long long>(jA); j <= jB; j += stride) {
                // x0 itself belongs to the side read as the samples stand.
                if (mirror && m == 0 && j == 0) {
                    continue;
                }
                cols.Add(x0 + dir * (base + static_cast<double>(j) * step),
                         samples.Value(j, mirror));
            }
        }
    };
    pass(aL - x0, aR - x0, 1.0, false);
    if (mirrored) {
        pass(x0 - aR, x0 - aL, -1.0, true);
    }
}

// The line from the row where the curve left the previous column (a) to the
// row where it enters this one (b): its rows up to the one before b go to the
// previous column, b itself is this column's, as the painter draws a steep
// one-column step.
void Join(TRowSpan& previous, int a, int b) {
    const int end = b == a ? a : (b > a ? b - 1 : b + 1);
    const int lo = std::min(a, end);
    const int hi = std::max(a, end);
    if (previous.Empty()) {
        previous = {lo, hi};
    } else {
        previous.top = std::min(previous.top, lo);
        previous.bottom = std::max(previous.bottom, hi);
    }
}

} // namespace

TAnalogColumns AnalogColumns(TKeeper& k, const TScale& scale, const TNetRect& net, double ratio) {
    TAnalogColumns out;
    if (scale.X.GetSpan() <= 0 || scale.Y.GetSpan() <= 0 || net.w <= 0 || net.h <= 0 ||
        !(ratio > 0) || !std::isfinite(ratio)) {
        return out;
    }
    const TDeviceAxis X(scale.X, false, ratio);
    const TDeviceAxis Y(scale.Y, true, ratio);
    const int dL = X.Device(net.xb);
    const int dR = X.Device(net.xe() + 1) - 1;
    const int bandTop = Y.Device(net.yb + 1);
    const int bandBottom = Y.Device(net.ye()) - 1;
    // No screen is a million device pixels wide; the guard keeps a net handed
    // in at any size from asking for memory it cannot have.
    if (dR < dL || bandBottom < bandTop || dR - static_cast<double>(dL) > kMaxColumns) {
        return out;
    }

    std::vector<TColumn> c(static_cast<std::size_t>(dR - dL) + 1);
    // Stored samples are shown each; a constant or a function has none, and
    // the discrete kinds have no continuous reading to show them by.
    const unsigned char kind = k.GetGraphKind();
    const bool stored = k.GetDataKind() >= dkFloatArray && k.GetCount() > 0 && kind != gkDiscret &&
                        kind != gkDiscretPeriodic;
    if (stored) {
        const bool file = k.GetDataKind() != dkFloatArray && k.GetDataKind() != dkDoubleArray &&
                          k.GetDataKind() != dkFloatArrayRef && k.GetDataKind() != dkDoubleArrayRef;
        TColumns cols{X, dL, dR, c, file ? kMaxFileReads : kMaxReads};
        const double period = k.GetPeriod();
        const bool periodic = kind == gkAnalogPeriodic || kind == gkRadioPeriodic;
        if (!periodic || !(period > 0)) {
            AddGridSamples(k, cols);
        } else if (std::isfinite(period)) {
            AddPeriodicSamples(k, cols);
        }
    }
    // Between samples the curve follows the series' own reading. A column
    // that holds samples needs none: the samples and the joins to the
    // neighbouring columns carry the curve through it.
    for (int d = dL; d <= dR; ++d) {
        TColumn& col = c[static_cast<std::size_t>(d - dL)];
        if (!col.sampled) {
            col.Read(k.GetValue(X.Value(d)));
        }
    }

    out.first = dL;
    out.spans.resize(c.size());
    bool joined = false; // the previous column left the curve at exitRow
    int exitRow = 0;
    for (std::size_t i = 0; i < c.size(); ++i) {
        const TColumn& col = c[i];
        TRowSpan& span = out.spans[i];
        if (col.any) {
            const int top = std::max(Y.Pixel(col.hi), bandTop);
            const int bottom = std::min(Y.Pixel(col.lo), bandBottom);
            if (top <= bottom) {
                span = {top, bottom};
            }
        }
        // A curve entering outside the band is not joined to: it resumes from
        // the border row where it comes back.
        if (joined && !std::isnan(col.first)) {
            const int entry = Y.Pixel(col.first);
            if (entry >= bandTop && entry <= bandBottom) {
                Join(out.spans[i - 1], exitRow, entry);
            }
        }
        joined = !std::isnan(col.last);
        if (joined) {
            exitRow = std::clamp(Y.Pixel(col.last), bandTop, bandBottom);
        }
    }
    return out;
}
