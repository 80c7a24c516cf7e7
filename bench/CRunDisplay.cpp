#include "bench/CRunDisplay.h"

#include "bench/BenchSamples.h"
#include "bench/CBench.h"

CRunDisplay RunDisplayFor(const CBenchControls& controls) {
    CRunDisplay d{};
    d.Count = RunSamples;
    // Sample k of a run lies at t = k - PreRollLength ms.
    d.ArgMin = -PreRollLength;
    d.ArgMax = RunSamples - 1 - PreRollLength;
    d.RangeXmin = -250.0;
    d.RangeXmax = 500.0;
    // The user may move and widen the window, but not out to the very ends of
    // the data.
    d.LimitXmin = 0.9 * d.ArgMin;
    d.LimitXmax = 0.9 * d.ArgMax;
    d.OutputYFromData = controls.SignalItem == siDelta;
    d.OutputYFloor = 100.0;
    return d;
}
