#include "bench/CNoiseGenerator.h"

#include <cmath>

namespace {
std::uint64_t RandomState = 1;

constexpr std::uint64_t Multiplier = 0x0000015A00004E35ULL;

inline std::int32_t Step(std::uint64_t& s) {
    s = s * Multiplier + 1;
    return static_cast<std::int32_t>((s >> 32) & 0x7FFFFFFFu);
}
} // namespace

std::int32_t RandomInteger() {
    return Step(RandomState);
}

void SeedRandom(std::uint32_t seed) {
    RandomState = static_cast<std::uint32_t>(seed * 0x015A4E35u + 1u);
}

double CNoiseGenerator::NextSample() {
    // The state lives in a register for the 24 steps; the measurement draws
    // 720 million integers and this loop is its floor.
    std::uint64_t s = RandomState;
    double sum = 0.0;
    for (int k = 0; k < 24; ++k) {
        const double u = static_cast<double>(Step(s) % 100000) * 0.00001;
        sum += u - 0.5;
    }
    RandomState = s;
    return Amplitude * sum / std::sqrt(2.0);
}
