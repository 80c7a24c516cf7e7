#pragma once
// Time base of the bench: one sample is 1 ms.

// Samples of the test pulse; the moving-sum filters use a window of
// PulseLength - 1 = 100.
constexpr int PulseLength = 101;
// Samples of the main part of a run, from t = 0.
constexpr int RunLength = 5000;
// Samples fed before t = 0 so that the filter settles on the noise alone.
constexpr int PreRollLength = RunLength / 2;
