#pragma once
// The energy of a cascade's impulse response, sum over n >= 0 of h[n]^2, in
// closed form rather than by running the cascade until its response has died
// away: a narrow low-pass rings for a hundred thousand samples and more, and
// a study of many designs cannot afford to wait for each of them.

#include <optional>

#include "filters/CCascadFilter2.h"

// Sum of h[n]^2 of the cascade's response to a unit impulse, its overall gain
// and the sections' gains included (so in the square of output units per
// input unit). The cascade is read as one state-space system and the sum is
// D^2 + C P C^T, where P = sum of A^k B B^T (A^T)^k is found by repeated
// squaring (about log2 of the response's length steps). The cascade's state
// is not touched. No value when the response does not die away (a pole on or
// outside the unit circle, or one so close to it that the response lasts
// beyond 2^40 samples), when the sum is not finite, or for a cascade of more
// than MaxEnergySections sections.
std::optional<double> CascadeResponseEnergy(const CCascadFilter2& cascade);

// The longest cascade whose energy is worked out: twice the sections of the
// highest Chebyshev design, and still a small matrix.
constexpr int MaxEnergySections = 64;
