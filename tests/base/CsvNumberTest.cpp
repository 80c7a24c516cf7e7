#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/CsvNumber.h"

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

std::string Comma(double v) {
    char buffer[32];
    return std::string(buffer, FormatCsvNumber(buffer, buffer + sizeof buffer, v, ','));
}

std::string Argument(double t) {
    char buffer[32];
    return std::string(buffer, FormatCsvArgument(buffer, buffer + sizeof buffer, t));
}

double FromBits(std::uint64_t bits) {
    double v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

// Doubles of every kind: boundaries, powers of ten either side, whole
// numbers, random bit patterns (subnormals included) and noise-like values.
std::vector<double> ManyDoubles() {
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
    return values;
}

} // namespace

TEST(CsvNumber, SameBytesAsPrintfPrecision17) {
    const std::vector<double> values = ManyDoubles();
    for (const double v : values) {
        ASSERT_EQ(Formatted(v), Printf17g(v)) << std::hexfloat << v;
    }

    // Too little room writes nothing.
    char small[4];
    EXPECT_EQ(FormatCsvNumber(small, small + sizeof small, 1.0 / 3.0), small);
}

TEST(CsvNumber, ArgumentsWholeOrAsNumbers) {
    // Times of a 1 ms grid are written as the command line has always
    // written them: whole numbers, no point, no exponent.
    EXPECT_EQ(Argument(-2500.0), "-2500");
    EXPECT_EQ(Argument(0.0), "0");
    EXPECT_EQ(Argument(-0.0), "0");
    EXPECT_EQ(Argument(4999.0), "4999");
    EXPECT_EQ(Argument(999999999999999.0), "999999999999999");
    // Anything else as a number that reads back exactly.
    EXPECT_EQ(Argument(0.5), Printf17g(0.5));
    EXPECT_EQ(Argument(-12.25), Printf17g(-12.25));
    EXPECT_EQ(Argument(1e15), Printf17g(1e15));
    EXPECT_EQ(Argument(1e300), Printf17g(1e300));
    EXPECT_EQ(Argument(std::numeric_limits<double>::infinity()), "inf");
    char small[2];
    EXPECT_EQ(FormatCsvArgument(small, small + sizeof small, -250.0), small);
}

// With a decimal comma, as a Russian spreadsheet reads numbers: the same
// digits, and the text reads back as the very same double, sign of zero and
// subnormals included.
TEST(CsvNumber, DecimalCommaReadsBackAsTheSameDouble) {
    for (const double v : ManyDoubles()) {
        const std::string text = Comma(v);
        std::string expected = Printf17g(v);
        const std::size_t point = expected.find('.');
        if (point != std::string::npos) {
            expected[point] = ',';
        }
        ASSERT_EQ(text, expected) << std::hexfloat << v;
        if (!std::isfinite(v)) {
            continue;
        }
        std::string read = text;
        const std::size_t comma = read.find(',');
        if (comma != std::string::npos) {
            read[comma] = '.';
        }
        const double back = std::strtod(read.c_str(), nullptr);
        ASSERT_EQ(std::memcmp(&back, &v, sizeof v), 0) << text;
    }
    EXPECT_EQ(Comma(-0.0), "-0");
    EXPECT_EQ(Comma(-1.5), "-1,5");
    EXPECT_EQ(Comma(0.1), "0,10000000000000001");
    EXPECT_EQ(Comma(-2.5e-320), "-2,4999721679567075e-320");
    char buffer[32];
    EXPECT_EQ(std::string(buffer, FormatCsvArgument(buffer, buffer + sizeof buffer, 12.25, ',')),
              "12,25");
    EXPECT_EQ(std::string(buffer, FormatCsvArgument(buffer, buffer + sizeof buffer, -250.0, ',')),
              "-250");
}
