#include "chart/TScale.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <iterator>

#include "filters/Mathlib.h"

namespace {

// Grid step multipliers, finest first; the repeated entries are deliberate.
const double kMultipliers[] = {0.05, 0.1, 0.2, 0.2, 0.5, 1, 2, 2, 5};

// Pixel results are kept within this distance of the origin, so that offsets
// added to them cannot overflow and the painter never sees absurd numbers.
constexpr double kFar = 1 << 24;
// No axis has more grid lines than this; the step choice keeps real grids far
// below it.
constexpr int kMaxGridLines = 2000;
// Limits never reach beyond this.
constexpr double kLimit = 100000.0;
// Narrowest range and narrowest pair of limits.
constexpr double kMinWidth = 1e-6;

// trunc(log10(m)); 0 where the logarithm is undefined.
int IntLog10(double m) {
    if (!(m > 0) || !std::isfinite(m)) {
        return 0;
    }
    return static_cast<int>(std::trunc(std::log10(m)));
}

} // namespace

// ---------------------------------------------------------------- one axis

bool TAxisScale::SetRange(double lo, double hi) {
    if (std::isnan(lo) || std::isnan(hi)) {
        return false;
    }
    Order(lo, hi);
    if (hi - lo < kMinWidth) {
        return false;
    }
    if (hi > LimitMax) {
        hi = LimitMax;
    }
    if (lo < LimitMin) {
        lo = LimitMin;
    }
    // A request lying beyond a limit can be cut to nothing or turned round;
    // the drawing needs a proper range, so such a request is ignored.
    if (!(hi - lo >= kMinWidth)) {
        return false;
    }
    Min = lo;
    Max = hi;
    SetPrecision(PrecisionFor(Max - Min));
    return true;
}

bool TAxisScale::SetLimit(double lo, double hi) {
    if (!Order(lo, hi)) {
        return false;
    }
    lo = std::max(lo, -kLimit);
    hi = std::min(hi, kLimit);
    // Limits closer than the narrowest range could hold no range at all.
    if (!(hi - lo >= kMinWidth)) {
        return false;
    }
    LimitMin = lo;
    LimitMax = hi;
    double a = Min;
    double b = Max;
    bool changed = false;
    if (a < LimitMin) {
        a = LimitMin;
        changed = true;
    }
    if (b > LimitMax) {
        b = LimitMax;
        changed = true;
    }
    if (!changed) {
        return false;
    }
    // A range wholly outside the new limits has nothing left to keep; showing
    // everything the limits allow is the least surprising replacement.
    if (!(b - a >= kMinWidth)) {
        a = LimitMin;
        b = LimitMax;
    }
    SetRange(a, b);
    return true;
}

void TAxisScale::SetPrecision(int p) {
    const long long a = std::llabs(static_cast<long long>(p));
    Precision = static_cast<int>(std::min(7LL, a));
}

double TAxisScale::GetStep() const {
    const double w = Max - Min;
    double s = 1.0 / std::pow(10.0, Precision);
    if (100 < w && w < 1000) {
        s = 10;
    } else if (1000 < w && w < 10000) {
        s = 100;
    } else if (10000 < w && w < 100000) {
        s = 1000;
    } else if (100000 < w && w < 1000000) {
        s = 10000;
    }
    return s;
}

int TAxisScale::Decade() const {
    return IntLog10(std::max(std::fabs(Min), std::fabs(Max)));
}

int TAxisScale::ToPixel(double v) const {
    const double from = Downward ? Max : Min;
    const double to = Downward ? Min : Max;
    const double p = Span * (v - from) / (to - from) + Origin;
    if (std::isnan(p)) {
        return static_cast<int>(kFar);
    }
    return static_cast<int>(std::max(-kFar, std::min(kFar, p)));
}

double TAxisScale::ToValue(int pixel) const {
    const double from = Downward ? Max : Min;
    const double to = Downward ? Min : Max;
    return from + (to - from) * (pixel - Origin) / (Span > 0 ? Span : 1);
}

TAxisGrid TAxisScale::Grid(double fit) const {
    return MakeGridAxis(Min, Max, GridStep(Max - Min, fit));
}

// ---------------------------------------------------------------- grid and labels

int PrecisionFor(double w) {
    const double bounds[] = {0.00001, 0.0001, 0.001, 0.01, 0.1, 1, 10};
    int p = 7;
    for (double b : bounds) {
        if (w < b) {
            return p;
        }
        --p;
    }
    return 0;
}

double GridStep(double width, double fit) {
    const int k = IntLog10(width);
    const double scale = std::pow(10.0, k);
    for (double m : kMultipliers) {
        if (fit >= width / scale / m) {
            return scale * m;
        }
    }
    return scale * kMultipliers[std::size(kMultipliers) - 1];
}

TAxisGrid MakeGridAxis(double lo, double hi, double step) {
    TAxisGrid grid;
    grid.step = step;
    grid.eps = 0.001 * (hi - lo);
    if (!(step > 0) || !std::isfinite(step) || !std::isfinite(lo) || !std::isfinite(hi)) {
        return grid;
    }
    if (lo <= 0) {
        // One step below the truncated start, unless that lies clearly below
        // lo: so a start that rounding put a hair inside the grid keeps its line.
        const double n = std::trunc(lo / step);
        grid.first = (n - 1) * step;
        if (lo - grid.eps > grid.first) {
            grid.first = n * step;
        }
    } else {
        grid.first = (std::trunc(lo / step) + 1) * step;
    }
    // Values are computed as first + i*step rather than by repeated addition,
    // so no rounding piles up along a long axis.
    while (grid.count < kMaxGridLines && grid.Value(grid.count) <= hi + grid.eps) {
        ++grid.count;
    }
    return grid;
}

double MinorTickStart(double lo, double step, bool oneBelow) {
    const double minor = 0.2 * step;
    const double t = std::trunc(5 * lo / step);
    if (lo > 0) {
        return (t + 1) * minor;
    }
    return (oneBelow ? t - 1 : t) * minor;
}

std::string GridLabel(double v, int precision, double eps) {
    if (std::fabs(v) > eps) {
        return num2str(v, precision);
    }
    return precision != 0 ? "0.0" : "0";
}

int SearchPrecision(const TAxisGrid& grid, int precision) {
    while (precision < 8) {
        bool repeated = false;
        std::string previous;
        for (int i = 0; i < grid.count && !repeated; ++i) {
            std::string label = GridLabel(grid.Value(i), precision, grid.eps);
            repeated = i > 0 && label == previous;
            previous = std::move(label);
        }
        if (!repeated) {
            break;
        }
        ++precision;
    }
    return precision;
}

int num2char(char* buffer, std::size_t size, double value, int precision) {
    if (buffer == nullptr || size == 0) {
        return 0;
    }
    // Room for the longest fixed form of any double (309 digits, sign, point, 7 decimals).
    char text[400];
    std::to_chars_result r;
    if (precision >= 0 && precision <= 7) {
        r = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, precision);
    } else {
        r = std::to_chars(text, text + sizeof text, value, std::chars_format::scientific, 6);
    }
    std::size_t n = r.ec == std::errc() ? static_cast<std::size_t>(r.ptr - text) : 0;
    n = std::min(n, size - 1);
    std::memcpy(buffer, text, n);
    buffer[n] = '\0';
    return static_cast<int>(n);
}

std::string num2str(double value, int precision) {
    char text[400];
    const int n = num2char(text, sizeof text, value, precision);
    return std::string(text, static_cast<std::size_t>(n));
}
