#include "bench/CBenchRun.h"

#include <cmath>

CRunPeak FindRunPeak(const double* output, int count, int zeroIndex) {
    CRunPeak peak;
    double largest = -1.0;
    for (int k = zeroIndex < 0 ? 0 : zeroIndex; k < count; ++k) {
        const double magnitude = std::fabs(output[k]);
        if (magnitude > largest) {
            largest = magnitude;
            peak.Value = output[k];
            peak.Time = k - zeroIndex;
        }
    }
    return peak;
}
