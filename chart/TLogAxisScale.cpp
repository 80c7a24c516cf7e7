#include "chart/TLogAxisScale.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "filters/Mathlib.h"

namespace {

// No axis has more lines or ticks than this.
constexpr std::size_t kMaxLines = 2000;
// Narrowest range, in decades: the linear map's narrowest width.
constexpr double kMinDecades = 1e-6;
// Pixels far beyond the range give values within these decades.
constexpr double kLowestDecade = -307;
constexpr double kHighestDecade = 308;
// A grid value computed a hair beyond a bound still belongs to the range.
constexpr double kEdge = 1e-12;

// m * 10^k as near as a double gets: 10^k is exact up to 10^22, and a
// division by it rounds once where a multiplication by 10^-k would round twice.
double Power(int m, int k) {
    return k >= 0 ? m * std::pow(10.0, k) : m / std::pow(10.0, -k);
}

// The label of m * 10^k (m = 1 .. 9), written from the integers themselves:
// "20", "100000", "0.005"; exponent form from 10^8 and below 10^-7, "2e+08".
std::string PowerLabel(int m, int k) {
    const std::string digit(1, static_cast<char>('0' + m));
    if (k >= 8 || k < -7) {
        const int e = std::abs(k);
        return digit + (k < 0 ? "e-" : "e+") + (e < 10 ? "0" : "") + std::to_string(e);
    }
    if (k >= 0) {
        return digit + std::string(static_cast<std::size_t>(k), '0');
    }
    return "0." + std::string(static_cast<std::size_t>(-k - 1), '0') + digit;
}

// Which multiples of the powers of ten carry labels, finest first.
enum class TLabels { OneTwoFive, Decades, EveryNthDecade };

// The linear axis's grid for a range too narrow for powers of ten.
void LinearLabels(double lo, double hi, double fit, TLogGrid& grid) {
    const TAxisGrid linear = MakeGridAxis(lo, hi, GridStep(hi - lo, fit));
    const int precision = SearchPrecision(linear, PrecisionFor(hi - lo));
    grid.Labelled.clear();
    for (int i = 0; i < linear.count && grid.Labelled.size() < kMaxLines; ++i) {
        const double v = linear.Value(i);
        if (v >= lo * (1 - kEdge) && v <= hi * (1 + kEdge)) {
            grid.Labelled.push_back({v, GridLabel(v, precision, linear.eps)});
        }
    }
    // Keep only the minor ticks that no label covers now.
    const auto labelled = [&grid](double v) {
        return std::any_of(grid.Labelled.begin(), grid.Labelled.end(), [v](const TLogGridLine& l) {
            return std::fabs(l.Value - v) <= kEdge * v;
        });
    };
    grid.Minor.erase(std::remove_if(grid.Minor.begin(), grid.Minor.end(), labelled),
                     grid.Minor.end());
}

} // namespace

TLogAxisScale::TLogAxisScale(bool downward) : LogAxis(downward) {
    LogAxis.SetRange(0, 1);
}

bool TLogAxisScale::SetRange(double lo, double hi) {
    if (!(lo > 0) || !(hi > 0) || !std::isfinite(lo) || !std::isfinite(hi) || !Order(lo, hi)) {
        return false;
    }
    if (!(std::log10(hi) - std::log10(lo) >= kMinDecades) ||
        !LogAxis.SetRange(std::log10(lo), std::log10(hi))) {
        return false;
    }
    Min = lo;
    Max = hi;
    return true;
}

bool TLogAxisScale::Follow(const TAxisScale& linear) {
    if (!SetRange(linear.GetMin(), linear.GetMax())) {
        return false;
    }
    SetPixels(linear.GetOrigin(), linear.GetSpan());
    return true;
}

int TLogAxisScale::ToPixel(double v) const {
    // NaN stays NaN, which the linear map sends far out.
    return LogAxis.ToPixel(v > 0 || std::isnan(v) ? std::log10(v)
                                                  : -std::numeric_limits<double>::infinity());
}

double TLogAxisScale::ToValue(int pixel) const {
    return std::pow(10.0, std::clamp(LogAxis.ToValue(pixel), kLowestDecade, kHighestDecade));
}

TLogGrid TLogAxisScale::MakeLogGrid(double lo, double hi, double fit) {
    TLogGrid grid;
    if (!(lo > 0) || !std::isfinite(hi) || !(std::log10(hi) - std::log10(lo) >= kMinDecades)) {
        return grid;
    }
    const double decades = std::log10(hi) - std::log10(lo);
    const double room = fit > 0 ? fit : 0.0; // NaN fits nothing
    // The narrowest gap between neighbouring labels, in decades: log10 2
    // between 1, 2 and 5 (5 to 10 is the same), one decade, n decades.
    TLabels labels = TLabels::EveryNthDecade;
    int every = 1;
    if (decades / std::log10(2.0) <= room) {
        labels = TLabels::OneTwoFive;
    } else if (decades <= room) {
        labels = TLabels::Decades;
    } else {
        // A thousand decades cover the double range.
        for (int n : {2, 5, 10, 20, 50, 100, 200, 500, 1000}) {
            every = n;
            if (decades / every <= room) {
                break;
            }
        }
    }

    const int k0 = static_cast<int>(std::floor(std::log10(lo))) - 1;
    const int k1 = static_cast<int>(std::floor(std::log10(hi))) + 1;
    for (int k = k0; k <= k1; ++k) {
        for (int m = 1; m <= 9; ++m) {
            const double v = Power(m, k);
            if (!std::isfinite(v) || v < lo * (1 - kEdge) || v > hi * (1 + kEdge)) {
                continue;
            }
            bool labelled = false, minor = false;
            switch (labels) {
            case TLabels::OneTwoFive:
                labelled = m == 1 || m == 2 || m == 5;
                minor = !labelled;
                break;
            case TLabels::Decades:
                labelled = m == 1;
                minor = !labelled;
                break;
            case TLabels::EveryNthDecade:
                labelled = m == 1 && k % every == 0;
                minor = m == 1 && !labelled;
                break;
            }
            if (labelled && grid.Labelled.size() < kMaxLines) {
                grid.Labelled.push_back({v, PowerLabel(m, k)});
            } else if (minor && grid.Minor.size() < kMaxLines) {
                grid.Minor.push_back(v);
            }
        }
    }
    if (grid.Labelled.size() < 2) {
        LinearLabels(lo, hi, room, grid);
    }
    return grid;
}

TAxisMap::TAxisMap(const TAxisScale& linear, bool downward, bool logarithmic)
    : Linear(linear), Log(downward), Logarithmic(logarithmic) {
    if (Logarithmic) {
        Logarithmic = Log.Follow(linear);
    }
}
