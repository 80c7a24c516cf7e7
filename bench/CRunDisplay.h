#pragma once
// What Start shows of a run on its two charts, as plain numbers, so that the
// window's handler only applies them. Both charts show RunSamples samples on
// an argument grid of exactly 1 ms; the input chart in volts, the output chart
// in millivolts.
//
// The window applies them to each chart D with base series K = D.GetKeeper(0):
//   K.SetData(samples, Count, ArgMin, ArgMax); K.Hide();
//   D.SetRangeX(RangeXmin, RangeXmax); D.SetLimitX(LimitXmin, LimitXmax);
// then, on the input chart:
//   K.Show(); D.AutoRangeY();
// and on the output chart:
//   if (OutputYFromData) { K.Show(); D.AutoRangeY(); }
//   else { D.AutoRangeY(); K.Show();
//          if (RaiseOutputYmax(D.GetYmax())) D.SetYmax(OutputYFloor); else D.ShowDiagram(); }
// Hiding the series while the x range changes keeps those steps from drawing
// the whole run once more.

struct CRunDisplay {
    int Count;                       // samples of a run, 7500
    double ArgMin, ArgMax;           // their time span, -2500 .. 4999 ms
    double RangeXmin, RangeXmax;     // visible window, -250 .. 500 ms
    double LimitXmin, LimitXmax;     // 0.9 times the span: -2250 .. 4499.1 ms
    bool OutputYFromData;            // output Y range follows the data alone
    double OutputYFloor;             // else its upper bound is at least this, mV

    // Whether the output chart's upper bound, autoYmax after AutoRangeY, is
    // raised to OutputYFloor.
    bool RaiseOutputYmax(double autoYmax) const {
        return !OutputYFromData && autoYmax < OutputYFloor;
    }
};

// The display of a run made with signalItem chosen (BenchSignalItem). Only the
// delta impulse lets the output's Y range follow the data alone: a rectangular
// impulse, or noise alone, is shown against a scale of at least 100 mV, the
// matched filter's peak for the unit rectangle, so that the student compares
// levels rather than sees every trace stretched to the full height.
CRunDisplay RunDisplayFor(int signalItem);
