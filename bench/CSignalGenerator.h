#pragma once
// The bench's test-pulse source: a unit delta impulse, a unit rectangular
// impulse of Length samples, or nothing.

#include <cstdint>

#include "bench/BenchConstants.h"

// Signal kind codes, as stored in CSignalGenerator::Kind.
constexpr std::int32_t skDelta = 0;
constexpr std::int32_t skRectangle = 1;
constexpr std::int32_t skOff = 5;

class CSignalGenerator {
  public:
    std::int32_t Length = PulseLength; // samples of the pulse
    std::int32_t Position = 0;         // index of the next sample within the pulse
    std::int32_t Kind = skDelta;       // skDelta, skRectangle or skOff

    // Next sample of the pulse, in volts. Past the pulse (or with a negative
    // Position) it gives 0.0 and Position stays where it is.
    double NextSample();
    // The pulse starts again at its first sample.
    void Rewind() { Position = 0; }
};
