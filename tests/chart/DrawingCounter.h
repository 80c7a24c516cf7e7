#pragma once
// Counts the drawings of a chart through a series it shows: a radio series
// reads its function once per column of the net, left to right, so every
// drawing begins with a read left of (or at) the last one.

#include <functional>
#include <limits>

#include "chart/TKeeper.h"

namespace DrawingCounter {

inline int Drawings = 0;
inline double LastRead = 0;

inline double Read(double x) {
    if (x <= LastRead) {
        ++Drawings;
    }
    LastRead = x;
    return 0.5;
}

// Makes k a series of value 0.5 over the whole argument range that counts
// the drawings of the charts showing it.
inline void Attach(TKeeper& k) {
    k.SetFunctionData(&Read, 10, -100000.0, 100000.0);
    k.SetGraphKind(gkRadio);
}

// Drawings made while action runs.
inline int During(const std::function<void()>& action) {
    Drawings = 0;
    LastRead = std::numeric_limits<double>::infinity();
    action();
    return Drawings;
}

} // namespace DrawingCounter
