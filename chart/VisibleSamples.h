#pragma once
// Which samples of a discrete series can be seen: the index arithmetic of the
// stem and bar drawing, apart from any drawing so that it can be checked on
// its own.

// Samples first .. last (inclusive); empty when last < first.
struct TSampleRange {
    long long first = 0;
    long long last = -1;
    bool Empty() const { return last < first; }
    long long Size() const { return Empty() ? 0 : last - first + 1; }
};

// The samples drawn of a series whose sample n lies at x0 + n*step and reaches
// half to either side (0 for stems, step/2 for bars), in a window [xa, xe] of
// arguments. Sample n can be seen when [x - half, x + half] meets the window.
// Drawing goes in two passes from sample 0: forward over n >= 0 up to nHigh,
// then backward over n <= 0 down to nLow (sample 0 belongs to both), each pass
// taking at most maxPerPass samples counted from where it starts looking.
// Indices stay within the range of int.
// A step that is not a positive finite number shows sample 0 alone, when seen.
struct TVisibleSamples {
    TSampleRange forward;  // drawn first .. last
    TSampleRange backward; // drawn last .. first
};
TVisibleSamples VisibleSamples(double x0, double step, double half, double xa, double xe,
                               double nLow, double nHigh, long long maxPerPass);
