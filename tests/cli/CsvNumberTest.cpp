#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "cli/BenchCommandLine.h"
#include "bench/CBench.h"

namespace {

std::string Printf17g(double v) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.17g", v);
    return buffer;
}

std::string Formatted(double v) {
    char buffer[32];
    return std::string(buffer, FormatCsvNumber(buffer, buffer + sizeof buffer, v));
}

double FromBits(std::uint64_t bits) {
    double v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

} // namespace

TEST(CsvNumber, SameBytesAsPrintfPrecision17) {
    using Limits = std::numeric_limits<double>;
    std::vector<double> values = {0.0,
                                  -0.0,
                                  1.0,
                                  -1.0,
                                  0.1,
                                  1.0 / 3.0,
                                  100.0,
                                  -2500.0,
                                  4499.1,
                                  1e16,
                                  1e17,       // the first power of ten in exponent form
                                  99999999999999984.0,
                                  1e-4,       // the last one in fixed form
                                  9.9999999999999991e-5,
                                  Limits::max(),
                                  Limits::lowest(),
                                  Limits::min(),
                                  Limits::denorm_min(),
                                  -Limits::denorm_min(),
                                  Limits::min() - Limits::denorm_min(),
                                  Limits::infinity(),
                                  -Limits::infinity()};
    for (int e = -330; e <= 310; ++e) {
        values.push_back(std::pow(10.0, e));
        values.push_back(-std::nextafter(std::pow(10.0, e), 0.0));
    }
    for (int i = -70000; i <= 70000; i += 7) {
        values.push_back(i);
    }
    std::mt19937_64 random(20261208);
    for (int i = 0; i < 300000; ++i) {
        // Any bit pattern but NaN: every exponent, subnormals included.
        const double any = FromBits(random());
        if (!std::isnan(any)) {
            values.push_back(any);
        }
        // Subnormals of every size.
        values.push_back(FromBits(random() & 0x800FFFFFFFFFFFFFull));
        // Noise-like values of the bench.
        values.push_back(std::ldexp(static_cast<double>(random() >> 11), -50) - 4096.0);
    }
    for (const double v : values) {
        ASSERT_EQ(Formatted(v), Printf17g(v)) << std::hexfloat << v;
    }

    // Too little room writes nothing.
    char small[4];
    EXPECT_EQ(FormatCsvNumber(small, small + sizeof small, 1.0 / 3.0), small);
}

TEST(CsvNumber, RunCsvSameAsPrintfLines) {
    SeedRandom(8);
    CBench bench;
    CBenchControls c;
    c.SignalItem = siRectangle;
    c.NoiseItem = niOn;
    c.FilterItem = fiChebishev;
    c.Gain = [] { return 0.37; };
    bench.ComputeRun(c);

    std::string expected = "t_ms,input_V,output_mV\n";
    for (int k = 0; k < RunSamples; ++k) {
        char line[128];
        std::snprintf(line, sizeof line, "%d,%.17g,%.17g\n", k - PreRollLength, InputSamples[k],
                      OutputSamples[k]);
        expected += line;
    }
    std::ostringstream out;
    WriteRunCsv(out);
    EXPECT_TRUE(out.str() == expected);
}
