// The registrar measured against the power that each bench filter must give
// for the bench's noise, worked out here from the filters' difference
// equations rather than from the filter classes.

#include <cmath>
#include <vector>

#include <gtest/gtest.h>

#include "bench/CBench.h"

namespace {

constexpr int ResponseLength = 4000; // every bench filter's response is gone by then

// The noise: the sum of 24 terms, each one of the 100000 values
// -0.5, -0.49999, ..., 0.49999, divided by sqrt 2.
constexpr double NoiseMean = 24 * -0.000005 / 1.4142135623730951;
constexpr double NoiseVariance = 24 * (1e10 - 1) / 12 * 1e-10 / 2;

// Moving sum of the last n inputs, from its running sum: y[n] = s[n] - s[n-100].
std::vector<double> MovingSumResponse() {
    std::vector<double> h(ResponseLength, 0.0);
    for (int n = 0; n < PulseLength - 1; ++n) {
        h[n] = 1.0;
    }
    return h;
}

// Leaky running sum s[n] = a s[n-1] + x[n], y[n] = s[n] - s[n-100].
std::vector<double> LeakyMovingSumResponse(double tau) {
    const double a = std::exp(-1.0 / tau);
    std::vector<double> s(ResponseLength), h(ResponseLength);
    for (int n = 0; n < ResponseLength; ++n) {
        s[n] = (n > 0 ? a * s[n - 1] : 0.0) + (n == 0 ? 1.0 : 0.0);
        h[n] = s[n] - (n >= 100 ? s[n - 100] : 0.0);
    }
    return h;
}

// Older half of the window minus its newer half: -1 for 50 samples, then +1.
std::vector<double> MeanderResponse() {
    std::vector<double> h(ResponseLength, 0.0);
    for (int n = 0; n < 100; ++n) {
        h[n] = n < 50 ? -1.0 : 1.0;
    }
    return h;
}

// y[n] = a y[n-1] + (1 - a) 100 x[n]: the gain the bench gives it for the
// signal switched off.
std::vector<double> LowPassResponse(double tau) {
    const double a = std::exp(-1.0 / tau);
    std::vector<double> h(ResponseLength);
    for (int n = 0; n < ResponseLength; ++n) {
        h[n] = (1 - a) * 100.0 * std::pow(a, n);
    }
    return h;
}

// The designed cascade run through the section equations
// w[n] = g x[n] + a1 w[n-1] + a2 w[n-2], y[n] = b0 w[n] + b1 w[n-1] + b2 w[n-2].
std::vector<double> CascadeResponse(const CCascadFilter2& cascade) {
    std::vector<double> v(ResponseLength, 0.0);
    v[0] = cascade.GetGain();
    for (const CDigitalFilter2* s = cascade.GetFirstCascade(); s; s = s->GetNext()) {
        std::vector<double> w(ResponseLength), y(ResponseLength);
        for (int n = 0; n < ResponseLength; ++n) {
            const double w1 = n >= 1 ? w[n - 1] : 0.0, w2 = n >= 2 ? w[n - 2] : 0.0;
            w[n] = s->GetGain() * v[n] + s->GetA(1) * w1 + s->GetA(2) * w2;
            y[n] = s->GetB(0) * w[n] + s->GetB(1) * w1 + s->GetB(2) * w2;
        }
        v = y;
    }
    return v;
}

struct Expectation {
    double Power;     // mean of y^2, mV*mV
    double Deviation; // standard deviation of its estimate from the samples used
};

// Output of white noise through h: variance sigma^2 sum h^2 plus the squared
// mean. The estimate averages y^2 over count correlated samples; for (nearly)
// Gaussian y its variance is 2/count * sum over all lags k of R(k)^2, with
// R(k) = sigma^2 sum h[n] h[n+k] the output's autocovariance.
Expectation Expect(const std::vector<double>& h, long count) {
    double sum = 0.0, sumOfSquares = 0.0;
    for (double v : h) {
        sum += v;
        sumOfSquares += v * v;
    }
    double lags = 0.0;
    for (int k = 0; k < ResponseLength; ++k) {
        double r = 0.0;
        for (int n = 0; n + k < ResponseLength; ++n) {
            r += h[n] * h[n + k];
        }
        r *= NoiseVariance;
        lags += (k == 0 ? 1.0 : 2.0) * r * r;
    }
    return {NoiseVariance * sumOfSquares + NoiseMean * NoiseMean * sum * sum,
            std::sqrt(2.0 * lags / static_cast<double>(count))};
}

CSetupSource NoiseAlone(int filter, double gain) {
    CSetupSource c;
    c.SignalItem = siOff;
    c.NoiseItem = niOn;
    c.FilterItem = filter;
    c.CutOff = [] { return 50.0; }; // the flat low-pass at its own setting
    c.Gain = [gain] { return gain; };
    return c;
}

} // namespace

TEST(Registrar, EveryFilterMeasuresThePowerOfItsImpulseResponse) {
    for (int filter = fiMaf; filter <= fiChebishev; ++filter) {
        CBench bench;
        SeedRandom(4242);
        const CMeasurement m = bench.Measure(NoiseAlone(filter, 1.0));
        ASSERT_GE(m.Batches, 102);
        ASSERT_LT(m.Batches, MeasureMaxBatches) << filter;

        std::vector<double> h;
        switch (filter) {
        case fiMaf:
            h = MovingSumResponse();
            break;
        case fiMafNotIdeal:
            h = LeakyMovingSumResponse(100.0);
            break;
        case fiMeandr:
            h = MeanderResponse();
            break;
        case fiLowBand1:
            h = LowPassResponse(100.0);
            break;
        default:
            h = CascadeResponse(bench.ChebishevFilter);
            break;
        }
        // The result is the mean of the last 25 running means, each of them
        // an average over all batches so far: counting only the batches before
        // the oldest of the 25 is the cautious figure for its spread (1.5 to
        // 2.5 per cent here). Four standard deviations leave room for any
        // seed, yet a power off by a tenth (a wrong window, time constant,
        // gain or noise level) fails.
        const Expectation e =
            Expect(h, static_cast<long>(m.Batches - 25) * MeasureBatchLength);
        EXPECT_NEAR(m.RegistrarValue, e.Power, 4.0 * e.Deviation)
            << "filter " << filter << ", deviation " << e.Deviation;
        EXPECT_LT(e.Deviation, 0.03 * e.Power) << filter;
    }
}

TEST(Registrar, PowerGrowsWithTheSquareOfTheGain) {
    for (int filter = fiMaf; filter <= fiChebishev; ++filter) {
        CBench bench;
        SeedRandom(77);
        const CMeasurement one = bench.Measure(NoiseAlone(filter, 1.0));
        SeedRandom(77);
        const CMeasurement three = bench.Measure(NoiseAlone(filter, 3.0));
        // The same noise three times stronger: nine times the power, the same
        // batches, up to the roundings of the scaled samples.
        EXPECT_EQ(three.Batches, one.Batches) << filter;
        EXPECT_NEAR(three.RegistrarValue / one.RegistrarValue, 9.0, 1e-9) << filter;
    }
}
