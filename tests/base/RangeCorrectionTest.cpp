#include "base/RangeCorrection.h"

#include <cfloat>
#include <cmath>
#include <limits>
#include <string>

#include <gtest/gtest.h>

namespace {

const std::string Below = "Введённое значение параметра меньше минимально-допустимого.\n ";
const std::string Above = "Введённое значение параметра больше максимально-допустимого.\n ";
const std::string Corrected = "Произведена коррекция.";
const std::string Restored = "Прежнее значение параметра восстановлено.";

std::string MessageOf(const CRangeCorrection& c) {
    return c.Message != nullptr ? c.Message : "(none)";
}

} // namespace

TEST(RangeCorrection, ValuesWithinTheRangeAndOnItsBoundsAreKeptSilently) {
    for (bool toBound : {true, false}) {
        for (double x : {10.0, 55.5, 100.0}) {
            const CRangeCorrection c = CorrectToRange(x, 10.0, 100.0, toBound, 42.0);
            EXPECT_EQ(c.Value, x);
            EXPECT_EQ(c.Message, nullptr) << x;
        }
    }
    // A range of one point holds exactly that point.
    EXPECT_EQ(CorrectToRange(-0.0, 0.0, 0.0, true, 1.0).Message, nullptr);
}

TEST(RangeCorrection, OutsideGoesToTheViolatedBoundOrBackWithItsMessage) {
    CRangeCorrection c = CorrectToRange(9.999, 10.0, 100.0, true, 42.0);
    EXPECT_EQ(c.Value, 10.0);
    EXPECT_EQ(MessageOf(c), Below + Corrected);
    c = CorrectToRange(std::nextafter(100.0, 200.0), 10.0, 100.0, true, 42.0);
    EXPECT_EQ(c.Value, 100.0);
    EXPECT_EQ(MessageOf(c), Above + Corrected);

    c = CorrectToRange(-1e300, 10.0, 100.0, false, 42.0);
    EXPECT_EQ(c.Value, 42.0);
    EXPECT_EQ(MessageOf(c), Below + Restored);
    c = CorrectToRange(std::numeric_limits<double>::infinity(), 10.0, 100.0, false, 42.0);
    EXPECT_EQ(c.Value, 42.0);
    EXPECT_EQ(MessageOf(c), Above + Restored);

    // The extremes of double: nothing overflows on the way to a bound.
    c = CorrectToRange(-DBL_MAX, -1.0, DBL_MAX, true, 0.0);
    EXPECT_EQ(c.Value, -1.0);
    EXPECT_EQ(MessageOf(c), Below + Corrected);
}

TEST(RangeCorrection, NanIsLeftToTheCaller) {
    const CRangeCorrection c =
        CorrectToRange(std::numeric_limits<double>::quiet_NaN(), 0.0, 1.0, true, 0.5);
    EXPECT_TRUE(std::isnan(c.Value));
    EXPECT_EQ(c.Message, nullptr);
}
