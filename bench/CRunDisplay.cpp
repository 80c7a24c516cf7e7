#include "bench/CRunDisplay.h"

#include "bench/BenchSamples.h"
#include "bench/BenchSetup.h"

static_assert(RunArgMin == -PreRollLength && RunArgMax == RunSamples - 1 - PreRollLength,
              "a run's time axis is its sample index less the pre-roll, in ms");

CRunDisplay RunDisplayFor(int signalItem) {
    CRunDisplay d{};
    d.RangeXmin = -250.0;
    d.RangeXmax = 500.0;
    // The user may move and widen the window, but not out to the very ends of
    // the data.
    d.LimitXmin = 0.9 * RunArgMin;
    d.LimitXmax = 0.9 * RunArgMax;
    d.OutputYFromData = signalItem == siDelta;
    d.OutputYFloor = 100.0;
    return d;
}
