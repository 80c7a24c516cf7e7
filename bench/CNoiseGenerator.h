#pragma once
// The bench's noise source and the random integers behind it.

#include <cstdint>

// Next integer of the bench's 64-bit linear congruential sequence,
// 0 .. 2147483647: s := s * 0x15A00004E35 + 1 (mod 2^64), bits 32..62 of s.
std::int32_t RandomInteger();
// Starts the sequence anew: low word seed * 0x015A4E35 + 1 (mod 2^32), high
// word 0. The program seeds once, from the clock, at start.
void SeedRandom(std::uint32_t seed);
// The sequence's 64-bit state s, for checking that two ways of drawing from
// it end at the same place.
std::uint64_t GetRandomState();

// Approximately Gaussian noise: the sum of 24 uniform terms, scaled so that
// the standard deviation is Amplitude (volts). Each sample takes exactly 24
// random integers, also when Amplitude is 0.
class CNoiseGenerator {
  public:
    double Amplitude = 1.0; // standard deviation, V; the bench keeps it in 0..1000

    double NextSample();
};
