#include "bench/CNoiseGenerator.h"

#include <cmath>

#if defined(__SSE2__) && defined(__x86_64__)
#include <emmintrin.h>
#endif

namespace {
std::uint64_t RandomState = 1;

constexpr std::uint64_t Multiplier = 0x0000015A00004E35ULL;
// Two steps in one: (s*M + 1)*M + 1 = s*M^2 + (M + 1), modulo 2^64.
constexpr std::uint64_t Multiplier2 = Multiplier * Multiplier;
constexpr std::uint64_t Increment2 = Multiplier + 1;

// The integer a state stands for: bits 32..62.
inline std::uint32_t Bits32To62(std::uint64_t s) {
    return static_cast<std::uint32_t>(s >> 32) & 0x7FFFFFFFu;
}
} // namespace

std::int32_t RandomInteger() {
    RandomState = RandomState * Multiplier + 1;
    return static_cast<std::int32_t>(Bits32To62(RandomState));
}

void SeedRandom(std::uint32_t seed) {
    RandomState = static_cast<std::uint32_t>(seed * 0x015A4E35u + 1u);
}

std::uint64_t GetRandomState() {
    return RandomState;
}

namespace {
// The terms u - 0.5 of the integers that the states first and second stand
// for, u = (r mod 100000) * 0.00001.
#if defined(__SSE2__) && defined(__x86_64__)
// Both at once in one vector. The remainder is exact: r / 100000 is
// (r / 32) / 3125, and for r / 32 < 2^27 the division by 3125 is the
// multiplication by 0x0A7C5AC5 and a shift by 39. The conversion and the two
// roundings are those of the scalar form, lane by lane.
inline void Terms(std::uint64_t first, std::uint64_t second, double& t1, double& t2) {
    // Both integers in one word, then one in each half of the vector, where
    // the multiplications read them.
    const std::uint64_t both = (second & 0x7FFFFFFF00000000ULL) | Bits32To62(first);
    const __m128i r = _mm_unpacklo_epi32(_mm_cvtsi64_si128(static_cast<long long>(both)),
                                         _mm_setzero_si128());
    const __m128i q =
        _mm_srli_epi64(_mm_mul_epu32(_mm_srli_epi64(r, 5), _mm_set1_epi64x(0x0A7C5AC5)), 39);
    const __m128i m = _mm_sub_epi64(r, _mm_mul_epu32(q, _mm_set1_epi64x(100000)));
    const __m128d u = _mm_mul_pd(_mm_cvtepi32_pd(_mm_shuffle_epi32(m, 0x08)), _mm_set1_pd(0.00001));
    const __m128d t = _mm_sub_pd(u, _mm_set1_pd(0.5));
    t1 = _mm_cvtsd_f64(t);
    t2 = _mm_cvtsd_f64(_mm_unpackhi_pd(t, t));
}
#else
inline void Terms(std::uint64_t first, std::uint64_t second, double& t1, double& t2) {
    t1 = static_cast<double>(Bits32To62(first) % 100000u) * 0.00001 - 0.5;
    t2 = static_cast<double>(Bits32To62(second) % 100000u) * 0.00001 - 0.5;
}
#endif
} // namespace

double CNoiseGenerator::NextSample() {
    // The measurement draws up to 720 million integers. Stepping the state two
    // at a time from the same s halves the chain of multiplications: the odd
    // and the even integers are computed side by side, yet they are the same
    // integers in the same order. The sum keeps its order term by term, so
    // every bit of the result stays.
    std::uint64_t s = RandomState;
    double sum = 0.0;
    // The 24 additions in their order are the floor of a sample. Unrolled,
    // a sample's other work is short enough for the processor to start it
    // while the previous sample's sum is still being added up.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC unroll 12
#endif
    for (int k = 0; k < 24; k += 2) {
        const std::uint64_t first = s * Multiplier + 1;
        const std::uint64_t second = s * Multiplier2 + Increment2;
        double t1, t2;
        Terms(first, second, t1, t2);
        sum += t1;
        sum += t2;
        s = second;
    }
    RandomState = s;
    return Amplitude * sum / std::sqrt(2.0);
}
