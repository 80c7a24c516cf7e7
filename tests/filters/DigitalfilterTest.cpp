#include "filters/Digitalfilter.h"

#include <climits>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "base/MessageHook.h"

namespace {

std::vector<double> RandomInput(int n, unsigned seed) {
    std::mt19937 rng(seed);
    std::normal_distribution<double> d(0.0, 1.0);
    std::vector<double> x(n);
    for (double& v : x) {
        v = d(rng);
    }
    return x;
}

double At(const std::vector<double>& v, int i) {
    return i < 0 ? 0.0 : v[i];
}

} // namespace

TEST(Digitalfilter, MovingSumsFollowTheirDifferenceEquations) {
    const std::vector<double> x = RandomInput(3000, 7);
    for (int N : {2, 3, 7, 100, 101}) {
        SCOPED_TRACE(N);
        const double K = 0.37, alpha = std::exp(-1.0 / 40.0);
        CMAF maf;
        CMAFNotIdeal leaky;
        CMeandrFilter meander;
        maf.SetOrder(N);
        leaky.SetOrder(N);
        meander.SetOrder(N);
        maf.SetGain(K);
        leaky.SetGain(K);
        meander.SetGain(K);
        leaky.SetTimeConstant(40.0);
        std::vector<double> s(x.size()), sl(x.size());
        const int M = N / 2;
        for (int n = 0; n < int(x.size()); ++n) {
            double window = 0.0, older = 0.0, newer = 0.0;
            for (int k = 0; k < N; ++k) {
                window += At(x, n - k);
                (k < M ? newer : older) += At(x, n - k);
            }
            ASSERT_NEAR(maf.Filtrate(x[n]), K * window, 1e-9);
            ASSERT_NEAR(meander.Filtrate(x[n]), K * (older - newer), 1e-9);
            sl[n] = alpha * At(sl, n - 1) + K * x[n];
            ASSERT_NEAR(leaky.Filtrate(x[n]), sl[n] - At(sl, n - N), 1e-9);
        }
    }
}

TEST(Digitalfilter, IntegratorAndLowPassFollowTheirDifferenceEquations) {
    const std::vector<double> x = RandomInput(2000, 11);
    CIF integ;
    integ.SetPeriod(0.25);
    CLowBandFilter1 low;
    low.SetTimeConstant(30.0);
    low.SetGain(1.0 - low.GetFeedback());
    const double alpha = std::exp(-1.0 / 30.0);
    EXPECT_DOUBLE_EQ(low.GetFeedback(), alpha);
    double yi = 0.0, yl = 0.0;
    for (double v : x) {
        yi = yi + 0.25 * v;
        yl = alpha * yl + (1.0 - alpha) * v;
        ASSERT_NEAR(integ.Filtrate(v), yi, 1e-9);
        ASSERT_NEAR(low.Filtrate(v), yl, 1e-12);
    }
}

TEST(Digitalfilter, MovingSumExactValues) {
    CMAF fresh;
    EXPECT_EQ(fresh.GetOrder(), 2);
    EXPECT_EQ(fresh.GetGain(), 0.5);
    EXPECT_EQ(fresh.Filtrate(1), 0.5);
    EXPECT_EQ(fresh.Filtrate(0), 0.5);
    EXPECT_EQ(fresh.Filtrate(0), 0.0);
    EXPECT_EQ(fresh.Filtrate(0), 0.0);

    CMAF maf;
    maf.SetOrder(100);
    maf.SetGain(1.0);
    maf.Reset();
    for (int n = 0; n < 101; ++n) {
        ASSERT_EQ(maf.Filtrate(1.0), std::min(n + 1, 100));
    }
    for (int n = 0; n < 100; ++n) {
        ASSERT_EQ(maf.Filtrate(0.0), 99 - n);
    }

    maf.SetOrder(1);
    maf.SetOrder(0);
    maf.SetOrder(INT_MIN);
    EXPECT_EQ(maf.GetOrder(), 100);
    EXPECT_EQ(maf.GetGain(), 1.0);
    EXPECT_EQ(maf.GetState().GetAt(1), 101.0); // the running sum is untouched
    maf.Filtrate(3.0);
    maf.Reset();
    EXPECT_EQ(maf.GetState().GetLastIndex(), 100);
    EXPECT_EQ(maf.GetState().Sum(), 0.0);
    EXPECT_EQ(maf.GetState().Max(), 0.0);
}

TEST(Digitalfilter, MeanderExactValuesEvenAndOdd) {
    CMeandrFilter f;
    f.SetOrder(100);
    f.SetGain(1.0);
    f.Reset();
    for (int n = 0; n < 50; ++n) {
        ASSERT_EQ(f.Filtrate(1.0), -(n + 1));
    }
    for (int n = 50; n < 100; ++n) {
        ASSERT_EQ(f.Filtrate(1.0), n - 99);
    }
    for (int n = 0; n < 10; ++n) {
        ASSERT_EQ(f.Filtrate(1.0), 0.0);
    }
    // Odd window: the older part holds one input more.
    CMeandrFilter odd;
    odd.SetOrder(5);
    odd.SetGain(1.0);
    double y = 0.0;
    for (int n = 0; n < 10; ++n) {
        y = odd.Filtrate(1.0);
    }
    EXPECT_EQ(y, 3.0 - 2.0);
}

TEST(Digitalfilter, ConstructionAndSilentlyIgnoredArguments) {
    CIF integ;
    EXPECT_EQ(integ.GetState().GetLastIndex(), -1);
    EXPECT_EQ(integ.GetBackCoef().GetAt(0), -1.0);
    EXPECT_EQ(integ.GetBackCoef().GetAt(1), 1.0);
    EXPECT_EQ(integ.GetForwardCoef().GetAt(0), 1.0);
    EXPECT_EQ(integ.Filtrate(3.0), 3.0);
    integ.SetPeriod(0.5);
    EXPECT_EQ(integ.GetGain(), 0.5);
    integ.SetPeriod(0.0);
    integ.SetPeriod(-1.0);
    integ.SetPeriod(std::numeric_limits<double>::quiet_NaN());
    integ.SetPeriod(std::numeric_limits<double>::infinity());
    EXPECT_EQ(integ.GetPeriod(), 0.5);
    EXPECT_EQ(integ.GetGain(), 0.5);

    CMAFNotIdeal leaky;
    EXPECT_EQ(leaky.GetGain(), 1.0);
    EXPECT_EQ(leaky.GetOrder(), 2);
    EXPECT_DOUBLE_EQ(leaky.GetFeedback(), std::exp(-1.0));

    CLowBandFilter1 low;
    EXPECT_DOUBLE_EQ(low.GetFeedback(), std::exp(-1.0));
    low.SetTimeConstant(100.0);
    EXPECT_DOUBLE_EQ(low.GetFeedback(), std::exp(-0.01));
    low.SetTimeConstant(-100.0);
    EXPECT_EQ(low.GetTimeConstant(), 100.0);
    EXPECT_DOUBLE_EQ(low.GetFeedback(), std::exp(-0.01));
    low.SetTimeConstant(0.0);
    low.SetTimeConstant(std::numeric_limits<double>::quiet_NaN());
    EXPECT_EQ(low.GetTimeConstant(), 100.0);
    EXPECT_DOUBLE_EQ(low.GetFeedback(), std::exp(-0.01));
    // Period changes take effect at the next time constant.
    low.SetPeriod(2.0);
    EXPECT_DOUBLE_EQ(low.GetFeedback(), std::exp(-0.01));
    low.SetTimeConstant(100.0);
    EXPECT_DOUBLE_EQ(low.GetFeedback(), std::exp(-0.02));

    // Gains that could only poison the running sums are ignored.
    CMAF maf;
    maf.SetGain(std::numeric_limits<double>::infinity());
    maf.SetGain(std::numeric_limits<double>::quiet_NaN());
    EXPECT_EQ(maf.GetGain(), 0.5);
    maf.SetGain(-2.0);
    EXPECT_EQ(maf.GetGain(), -2.0);
}

TEST(Digitalfilter, HoldFreezesOutputAndState) {
    CMAF maf;
    maf.Filtrate(4.0);
    maf.SetHold(true);
    EXPECT_EQ(maf.Filtrate(1.0), 0.0);
    maf.Reset();
    EXPECT_EQ(maf.GetState().GetAt(1), 2.0);
    maf.SetHold(false);
    EXPECT_EQ(maf.Filtrate(0.0), 2.0);
}

TEST(Digitalfilter, OrderThatCannotBeHadKeepsTheLineZeroedAndReports) {
    MessageRecorder rec;
    CMAF maf;
    maf.SetOrder(10);
    maf.Filtrate(5.0);
    maf.SetOrder(INT_MAX);
    maf.SetOrder(CDoubleList::MaxCount);
    const std::string text =
        "Class CDigitalFilter: Не удалось изменить коэффициенты фильтра.\n Недостаточно памяти";
    EXPECT_EQ(rec.Messages(), (std::vector<std::string>{text, text}));
    EXPECT_EQ(maf.GetOrder(), 10);
    EXPECT_EQ(maf.GetState().Sum(), 0.0);
    EXPECT_EQ(maf.GetGain(), 1.0 / CDoubleList::MaxCount);
    EXPECT_EQ(maf.Filtrate(1.0), 1.0 / CDoubleList::MaxCount);
}
