#pragma once
// The bench's sample store and its two generators, one of each for the whole
// program. The charts show the arrays in place, so they must outlive them.

#include "bench/CNoiseGenerator.h"
#include "bench/CSignalGenerator.h"

// Room of each sample array; a run fills elements 0 .. RunSamples-1.
constexpr int SampleStoreSize = 15000;
constexpr int RunSamples = PreRollLength + RunLength;

extern double InputSamples[SampleStoreSize];  // filter input, V
extern double OutputSamples[SampleStoreSize]; // filter output, mV

// Created before any window exists: pulse of PulseLength samples, delta kind;
// noise amplitude 1 V, the random sequence seeded once from the clock.
extern CSignalGenerator SignalGenerator;
extern CNoiseGenerator NoiseGenerator;
