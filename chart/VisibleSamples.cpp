#include "chart/VisibleSamples.h"

#include <algorithm>
#include <climits>
#include <cmath>

TVisibleSamples VisibleSamples(double x0, double step, double half, double xa, double xe,
                               double nLow, double nHigh, long long maxPerPass) {
    TVisibleSamples v;
    if (std::isnan(xa) || std::isnan(xe)) {
        return v;
    }
    // Indices reach the series as int; keeping within that range also keeps
    // every index exact in a double, so the searches below always move on.
    nLow = std::max(nLow, static_cast<double>(INT_MIN));
    nHigh = std::min(nHigh, static_cast<double>(INT_MAX));
    if (!(step > 0) || !std::isfinite(step) || !std::isfinite(x0)) {
        if (x0 + half >= xa && x0 - half <= xe) {
            v.forward = {0, 0};
        }
        return v;
    }
    auto at = [&](double n) { return x0 + n * step; };
    // Argument positions grow with n (rounding keeps them in order), so each
    // pass is one run of indices; its ends are estimated, then put right by
    // testing the very conditions the drawing would test sample by sample.

    // Forward: the search starts at the first sample that can be seen rather
    // than at 0.
    double start = 0;
    if (x0 + half < xa) {
        start = std::floor((xa - half - x0) / step);
    }
    double cap = std::min(nHigh, start + static_cast<double>(maxPerPass - 1));
    double lo = start;
    while (lo <= cap && at(lo) + half < xa) {
        lo += 1;
    }
    if (lo <= cap && at(lo) - half <= xe) {
        double hi = std::clamp(std::floor((xe + half - x0) / step), lo, cap);
        while (hi > lo && !(at(hi) - half <= xe)) {
            hi -= 1;
        }
        while (hi < cap && at(hi + 1) - half <= xe) {
            hi += 1;
        }
        v.forward = {static_cast<long long>(lo), static_cast<long long>(hi)};
    }

    // Backward, the mirror image.
    start = 0;
    if (x0 - half > xe) {
        start = -std::floor((x0 - half - xe) / step);
    }
    cap = std::max(nLow, start - static_cast<double>(maxPerPass - 1));
    double hi = start;
    while (hi >= cap && at(hi) - half > xe) {
        hi -= 1;
    }
    if (hi >= cap && at(hi) + half >= xa) {
        lo = std::clamp(std::ceil((xa - half - x0) / step), cap, hi);
        while (lo < hi && !(at(lo) + half >= xa)) {
            lo += 1;
        }
        while (lo > cap && at(lo - 1) + half >= xa) {
            lo -= 1;
        }
        v.backward = {static_cast<long long>(lo), static_cast<long long>(hi)};
    }
    return v;
}
