#include "bench/BenchSamples.h"

#include <ctime>

double InputSamples[SampleStoreSize];
double OutputSamples[SampleStoreSize];

CSignalGenerator SignalGenerator;
CNoiseGenerator NoiseGenerator;

namespace {
// Seeds the random sequence once when the program starts, so that sessions
// started in different seconds see different noise and runs within a
// session continue one sequence.
struct SeedAtStart {
    SeedAtStart() { SeedRandom(static_cast<std::uint32_t>(std::time(nullptr))); }
} seedAtStart;
} // namespace
