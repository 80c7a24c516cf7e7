#pragma once
// One pass of the bench as a value: the setup it was made with, its input and
// output samples, their time axis, how Start shows them and the output's
// peak. Whoever shows, journals or keeps a run takes this value rather than
// reading the bench back, so that a run can never be described by a setup
// other than its own.
//
// The samples are views: they live in the buffers the run was computed into
// (the arrays the charts show, for Start; a study's own buffers), and stay
// valid until those buffers are written again.

#include "bench/BenchSetup.h"
#include "bench/CRunDisplay.h"

// Where a run writes its samples: two arrays of at least RunSamples doubles
// each, owned by the caller.
struct CRunBuffers {
    double* Input;  // filter input, V
    double* Output; // filter output, mV
};

// The largest excursion of a run's output in its main part (t >= 0): the
// sample of largest magnitude, signed, and when it came. The pre-roll is left
// out because it is the filter settling on noise before the pulse starts;
// among equal magnitudes the earliest sample counts.
struct CRunPeak {
    double Value = 0.0; // mV
    int Time = 0;       // ms from the start of the main part, 0 .. count-zeroIndex-1
};

// The peak of output[zeroIndex .. count-1], its time counted from zeroIndex
// (the sample at t = 0). An empty main part gives a peak of 0 at time 0.
CRunPeak FindRunPeak(const double* output, int count, int zeroIndex);

struct CBenchRun {
    // The configuration the bench applied: the choices it was given and every
    // value as the bench held it once applied, so that a value the low-pass
    // design corrected is described as corrected.
    CBenchSetup Setup;
    const double* Input = nullptr;  // Count samples, V
    const double* Output = nullptr; // Count samples, mV
    int Count = 0;                  // samples of the run, RunSamples
    double ArgMin = 0.0;            // time of the first sample, ms (-2500)
    double ArgMax = 0.0;            // time of the last sample, ms (4999)
    CRunDisplay Display;            // how Start shows it
    CRunPeak Peak;                  // of the output's main part

    // The sample index of t = 0 ms, where the main part and the pulse begin.
    int ZeroIndex() const { return static_cast<int>(-ArgMin); }
};
