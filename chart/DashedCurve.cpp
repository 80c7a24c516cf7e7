#include "chart/DashedCurve.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

// Dash lengths beyond this many pixels dash nothing a screen could show.
constexpr double kLongest = 1e6;

// Where a column's rows lie on the curve's way: entered at the top and left
// at the bottom, or the other way round. A column is entered from the side of
// the previous one; a first column (or one after a break) leaves toward the
// next.
bool RunsDownward(const TRowSpan* previous, const TRowSpan& own, const TRowSpan* next) {
    const int middle = own.top + own.bottom;
    if (previous != nullptr && previous->top + previous->bottom != middle) {
        return previous->top + previous->bottom < middle;
    }
    if (next != nullptr && next->top + next->bottom != middle) {
        return next->top + next->bottom > middle;
    }
    return true;
}

// The runs of a column (top to bottom, apart), with its top and bottom
// pixel when they must stay, merged where they touch, appended to out.
void AppendMerged(const std::vector<TRowSpan>& runs, const TRowSpan& own, bool top, bool bottom,
                  std::vector<TRowSpan>& out) {
    bool open = false;
    TRowSpan run;
    auto take = [&](const TRowSpan& r) {
        if (open && r.top <= run.bottom + 1) {
            run.bottom = std::max(run.bottom, r.bottom);
            return;
        }
        if (open) {
            out.push_back(run);
        }
        run = r;
        open = true;
    };
    if (top) {
        take({own.top, own.top});
    }
    for (const TRowSpan& r : runs) {
        take(r);
    }
    if (bottom) {
        take({own.bottom, own.bottom});
    }
    if (open) {
        out.push_back(run);
    }
}

} // namespace

bool IsDashPattern(const std::vector<double>& pattern) {
    if (pattern.empty() || pattern.size() % 2 != 0) {
        return false;
    }
    double sum = 0;
    double gaps = 0;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const double d = pattern[i];
        if (!std::isfinite(d) || d < 0 || d > kLongest) {
            return false;
        }
        sum += d;
        gaps += i % 2 == 1 ? d : 0;
    }
    return sum > 0 && gaps > 0;
}

TColumnPieces DashColumns(const TAnalogColumns& curve, const std::vector<double>& pattern,
                          double ratio) {
    TColumnPieces out;
    out.first = curve.first;
    const std::size_t n = curve.spans.size();
    out.start.reserve(n + 1);
    out.pieces.reserve(n + n / 2);
    const bool dashed = IsDashPattern(pattern) && ratio > 0 && std::isfinite(ratio);
    // The pattern in device pixels, as boundaries from 0 to its length.
    std::vector<double> ends;
    double length = 0;
    if (dashed) {
        for (const double d : pattern) {
            length += d * ratio;
            ends.push_back(length);
        }
    }
    const int segments = static_cast<int>(ends.size());

    double phase = 0; // how far along the pattern the curve has come
    std::vector<TRowSpan> runs;
    for (std::size_t i = 0; i < n; ++i) {
        out.start.push_back(static_cast<int>(out.pieces.size()));
        const TRowSpan& own = curve.spans[i];
        if (own.Empty()) {
            continue;
        }
        if (!dashed) {
            out.pieces.push_back(own);
            continue;
        }
        const TRowSpan* previous = i > 0 && !curve.spans[i - 1].Empty() ? &curve.spans[i - 1]
                                                                       : nullptr;
        const TRowSpan* next =
            i + 1 < n && !curve.spans[i + 1].Empty() ? &curve.spans[i + 1] : nullptr;
        const bool down = RunsDownward(previous, own, next);
        const int rows = own.bottom - own.top + 1;
        runs.clear();

        // Pixel j of the column's way is drawn when its middle, phase + j +
        // 0.5 along the pattern, falls into a dash.
        double at = std::fmod(phase + 0.5, length);
        int k = 0;
        while (k < segments - 1 && at >= ends[static_cast<std::size_t>(k)]) {
            ++k;
        }
        for (int j = 0; j < rows;) {
            // Pixels whose middles lie before the segment's end.
            const double left = ends[static_cast<std::size_t>(k)] - at;
            const int count =
                std::min(rows - j, std::max(1, static_cast<int>(std::ceil(left))));
            if (k % 2 == 0) {
                runs.push_back(down ? TRowSpan{own.top + j, own.top + j + count - 1}
                                    : TRowSpan{own.bottom - j - count + 1, own.bottom - j});
            }
            j += count;
            at += count;
            while (at >= ends[static_cast<std::size_t>(k)]) {
                if (++k == segments) {
                    k = 0;
                    at -= length;
                }
            }
        }
        phase = std::fmod(phase + rows, length);

        // Runs were found along the way: top to bottom for the merge.
        if (!down) {
            std::reverse(runs.begin(), runs.end());
        }
        // Peaks and troughs stay, whatever the pattern says there: a column
        // reaching at least as far as both neighbours and further than one of
        // them (so a flat top keeps its two ends). A missing neighbour gives
        // way to either.
        const int topBefore = previous ? previous->top : INT_MAX;
        const int topAfter = next ? next->top : INT_MAX;
        const bool peak = own.top <= topBefore && own.top <= topAfter &&
                          (own.top < topBefore || own.top < topAfter);
        const int bottomBefore = previous ? previous->bottom : INT_MIN;
        const int bottomAfter = next ? next->bottom : INT_MIN;
        const bool trough = own.bottom >= bottomBefore && own.bottom >= bottomAfter &&
                            (own.bottom > bottomBefore || own.bottom > bottomAfter);
        AppendMerged(runs, own, peak, trough, out.pieces);
    }
    out.start.push_back(static_cast<int>(out.pieces.size()));
    return out;
}
