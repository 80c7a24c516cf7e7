#include "filters/CCascadFilter2.h"

#include <limits>

#include <gtest/gtest.h>

TEST(CDigitalFilter2, FreshSectionPassesInputAndIndexesOutsideAreIgnored) {
    CDigitalFilter2 s;
    for (double x : {1.0, -2.5, 0.0, 7.0}) {
        EXPECT_EQ(s.Filtrate(x), x);
    }
    s.SetA(0, 5.0);
    s.SetA(3, 5.0);
    s.SetB(3, 5.0);
    s.SetB(-1, 5.0);
    EXPECT_EQ(s.GetB(0), 1.0);
    EXPECT_EQ(s.GetB(1), 0.0);
    EXPECT_EQ(s.GetB(2), 0.0);
    EXPECT_EQ(s.GetA(1), 0.0);
    EXPECT_EQ(s.GetA(2), 0.0);
    EXPECT_EQ(s.Filtrate(3.0), 3.0);
}

TEST(CDigitalFilter2, DirectFormTwoWithAddedFeedback) {
    CDigitalFilter2 s;
    s.SetB(0, 1.0);
    s.SetB(1, 2.0);
    s.SetB(2, 1.0);
    s.SetA(1, 0.5);
    EXPECT_EQ(s.Filtrate(1.0), 1.0);
    EXPECT_EQ(s.Filtrate(0.0), 2.5);
    EXPECT_EQ(s.Filtrate(0.0), 2.25);
    s.Reset();
    EXPECT_EQ(s.Filtrate(0.0), 0.0);

    // Against the difference equation, with a section gain and both feedbacks.
    s.SetGain(0.3);
    s.SetA(2, -0.4);
    s.SetB(2, -0.7);
    s.Reset();
    double w1 = 0.0, w2 = 0.0;
    for (int n = 0; n < 50; ++n) {
        const double x = (n * 37 % 11) - 5.0;
        const double w0 = 0.3 * x + 0.5 * w1 - 0.4 * w2;
        const double y = w0 + 2.0 * w1 - 0.7 * w2;
        w2 = w1;
        w1 = w0;
        ASSERT_NEAR(s.Filtrate(x), y, 1e-12);
    }
}

TEST(CCascadFilter2, ChainGainResetAndDeletion) {
    CCascadFilter2 c;
    EXPECT_EQ(c.GetCascadeCount(), 1);
    c.SetGain(100.0);
    EXPECT_EQ(c.Filtrate(0.25), 25.0);
    c.SetGain(std::numeric_limits<double>::quiet_NaN());
    c.SetGain(std::numeric_limits<double>::infinity());
    EXPECT_EQ(c.GetGain(), 100.0);

    c.GetFirstCascade()->SetB(1, 1.0); // head: 1 + z^-1
    CDigitalFilter2* second = c.AddCascade();
    ASSERT_NE(second, nullptr);
    second->SetA(1, 0.5); // 1 / (1 - 0.5 z^-1)
    CDigitalFilter2* third = c.AddCascade();
    ASSERT_NE(third, nullptr);
    third->SetGain(2.0);
    EXPECT_EQ(c.GetLastCascade(), third);
    EXPECT_EQ(c.GetCascadeCount(), 3);
    c.SetGain(1.0);
    c.Reset();
    // Impulse through (1 + z^-1) then 1/(1 - 0.5 z^-1) then 2.
    EXPECT_EQ(c.Filtrate(1.0), 2.0);
    EXPECT_EQ(c.Filtrate(0.0), 2.0 * 1.5);
    EXPECT_EQ(c.Filtrate(0.0), 2.0 * 0.75);
    c.Reset();
    EXPECT_EQ(c.Filtrate(0.0), 0.0);
    EXPECT_EQ(c.Filtrate(1.0), 2.0);

    c.DeleteCascades();
    EXPECT_EQ(c.GetCascadeCount(), 1);
    EXPECT_EQ(c.GetLastCascade(), c.GetFirstCascade());
    EXPECT_EQ(c.GetFirstCascade()->GetB(1), 1.0);
    c.Reset();
    EXPECT_EQ(c.Filtrate(1.0), 1.0);
    EXPECT_EQ(c.Filtrate(0.0), 1.0);
    EXPECT_FALSE(c.GetStatusFlag());
}
