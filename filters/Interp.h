#pragma once
// Interpolation kernels with which a sampled series reconstructs a value
// between its samples. h is the sample spacing, t the offset from the sample.

// Weight of sample i for the argument offset t: Kernel(t - i*h, h, kind).
double InterpWeight(int i, double t, double h, int kind);

// Kernel number kind (0..6) at offset t for spacing h; 0 for any other kind
// and for h = 0.
//   0 triangle (linear)       1 piecewise quartic, support 1.5h
//   2 piecewise quintic, 2h   3 sinc
//   4 rectangle of width h    5 one-sided step (t < |h|)
//   6 rectangle narrowed to 0.99h
double Kernel(double t, double h, int kind);
