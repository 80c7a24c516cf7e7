#include "base/FloatToText.h"

#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdio>
#include <limits>

#include <gtest/gtest.h>

namespace {
// The C library's own rounding of value, with the first point as a comma.
std::string Reference(const char* format, double value) {
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, format, value);
    std::string text = buffer;
    auto point = text.find('.');
    if (point != std::string::npos) {
        text[point] = ',';
    }
    return text;
}
} // namespace

TEST(FloatToText, FixedPrecisionsUseCommaAndLibraryRounding) {
    EXPECT_EQ(FloatToText(2, 3.14159), "3,14");
    EXPECT_EQ(FloatToText(2, -1.5), "-1,50");
    EXPECT_EQ(FloatToText(3, 0.5), "0,500");
    EXPECT_EQ(FloatToText(0, 2.5), Reference("%.0f", 2.5));
    EXPECT_EQ(FloatToText(0, 12.0), "12");
    EXPECT_EQ(FloatToText(2, 0.005), Reference("%.2f", 0.005));
    EXPECT_EQ(FloatToText(7, 1.0), "1,0000000");
}

TEST(FloatToText, PrecisionAboveSevenSelectsExponentForm) {
    EXPECT_EQ(FloatToText(9, 1234.5), "1,234500e+03");
    EXPECT_EQ(FloatToText(8, 1234.5), "1,234500e+03");
    EXPECT_EQ(FloatToText(UINT_MAX, 1234.5), "1,234500e+03");
}

TEST(FloatToText, ExtremeValuesGiveCompleteTexts) {
    static const char* const kFixed[] = {"%.0f", "%.1f", "%.2f", "%.3f",
                                         "%.4f", "%.5f", "%.6f", "%.7f"};
    // 1e92 with seven decimals is already past a 100-character buffer.
    const double values[] = {1e92, -1e92, DBL_MAX, -DBL_MAX, 1e300, DBL_MIN, -0.0};
    for (double v : values) {
        for (unsigned p = 0; p < 10; ++p) {
            const char* format = p < 8 ? kFixed[p] : "%e";
            EXPECT_EQ(FloatToText(p, v), Reference(format, v)) << v << " precision " << p;
        }
    }
    EXPECT_EQ(FloatToText(7, DBL_MAX).size(), 309u + 1u + 7u);
}

TEST(FloatToText, NotANumberAndInfinities) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(FloatToText(2, inf), "inf");
    EXPECT_EQ(FloatToText(2, -inf), "-inf");
    EXPECT_EQ(FloatToText(9, inf), "inf");
    const std::string text = FloatToText(2, nan);
    EXPECT_NE(text.find("nan"), std::string::npos);
    EXPECT_EQ(text.find(','), std::string::npos);
}
