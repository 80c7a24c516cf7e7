#pragma once
// What Start shows of a run on its two charts, as plain numbers. It lives
// with the bench rather than with the window because it is display policy
// that needs no window: it follows from the run's time base and the signal
// choice alone, and can be checked without drawing a chart.
//
// Both charts show a run's samples (CBenchRun) on their argument grid of
// exactly 1 ms, the input in volts, the output in millivolts. The student
// first sees the window RangeXmin..RangeXmax around the pulse, and may move
// and widen it only within LimitXmin..LimitXmax. The input chart's value
// range follows its data. So does the output chart's for a delta impulse;
// otherwise its upper bound is at least OutputYFloor.

struct CRunDisplay {
    double RangeXmin, RangeXmax;     // visible window, -250 .. 500 ms
    double LimitXmin, LimitXmax;     // 0.9 times the run's span: -2250 .. 4499.1 ms
    bool OutputYFromData;            // output Y range follows the data alone
    double OutputYFloor;             // else its upper bound is at least this, mV

    // Whether the output chart's upper bound, autoYmax after AutoRangeY, is
    // raised to OutputYFloor.
    bool RaiseOutputYmax(double autoYmax) const {
        return !OutputYFromData && autoYmax < OutputYFloor;
    }
};

// The time span of every run's samples, ms: sample k lies at
// t = k - PreRollLength.
constexpr double RunArgMin = -2500.0;
constexpr double RunArgMax = 4999.0;

// The display of a run of this signal item. Only the delta impulse lets the
// output's Y range follow the data alone: a rectangular impulse, or noise
// alone, is shown against a scale of at least 100 mV, the matched filter's
// peak for the unit rectangle, so that the student compares levels rather
// than sees every trace stretched to the full height.
CRunDisplay RunDisplayFor(int signalItem);
