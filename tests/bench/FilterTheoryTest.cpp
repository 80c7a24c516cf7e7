// The theory of each bench filter against the same figures worked out here
// from the filters' difference equations, written out anew rather than taken
// from the filter classes; and the registrar against the theory.

#include "bench/FilterTheory.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <functional>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

namespace {

// One sample in, one out, by a filter's difference equation.
using Equation = std::function<double(double)>;

// y[n] = sum of the last 100 inputs, from the inputs themselves.
Equation MovingSum() {
    auto x = std::make_shared<std::deque<double>>(100, 0.0);
    return [x](double in) {
        x->pop_back();
        x->push_front(in);
        double y = 0.0;
        for (double v : *x) {
            y += v;
        }
        return y;
    };
}

// Inputs 50..99 samples old minus those 0..49 samples old.
Equation Meander() {
    auto x = std::make_shared<std::deque<double>>(100, 0.0);
    return [x](double in) {
        x->pop_back();
        x->push_front(in);
        double y = 0.0;
        for (int k = 0; k < 100; ++k) {
            y += k < 50 ? -(*x)[k] : (*x)[k];
        }
        return y;
    };
}

// s[n] = a s[n-1] + x[n], y[n] = s[n] - s[n-100].
Equation LeakyMovingSum(double tau) {
    const double a = std::exp(-1.0 / tau);
    auto s = std::make_shared<std::deque<double>>(101, 0.0);
    return [s, a](double in) {
        const double now = a * s->front() + in;
        s->pop_back();
        s->push_front(now);
        return now - s->back();
    };
}

// y[n] = a y[n-1] + g x[n], the gain as the bench chooses it for the signal.
Equation LowPass(double tau, int signal) {
    const double a = std::exp(-1.0 / tau);
    const double g = signal == siDelta ? 100.0 / tau : (1.0 - a) * 100.0;
    auto y = std::make_shared<double>(0.0);
    return [y, a, g](double in) { return *y = a * *y + g * in; };
}

// The designed sections, w[n] = g x[n] + a1 w[n-1] + a2 w[n-2],
// y[n] = b0 w[n] + b1 w[n-1] + b2 w[n-2], behind the cascade's gain.
Equation Sections(const CCascadFilter2& c) {
    struct Section {
        double g, a1, a2, b0, b1, b2, w1 = 0, w2 = 0;
    };
    auto s = std::make_shared<std::vector<Section>>();
    for (const CDigitalFilter2* p = c.GetFirstCascade(); p; p = p->GetNext()) {
        s->push_back({p->GetGain(), p->GetA(1), p->GetA(2), p->GetB(0), p->GetB(1), p->GetB(2)});
    }
    const double gain = c.GetGain();
    return [s, gain](double in) {
        double v = gain * in;
        for (Section& q : *s) {
            const double w0 = q.g * v + q.a1 * q.w1 + q.a2 * q.w2;
            v = q.b0 * w0 + q.b1 * q.w1 + q.b2 * q.w2;
            q.w2 = q.w1;
            q.w1 = w0;
        }
        return v;
    };
}

struct Expected {
    double Energy; // sum h^2
    double Peak;   // largest |output| for the signal
    double Efficiency;
};

// h from the delta, the output for the signal (1 V for each of its samples),
// both over length samples.
Expected Expect(const std::function<Equation()>& make, int signalLength, long length) {
    Equation delta = make(), pulse = make();
    double energy = 0.0, peak = 0.0;
    for (long n = 0; n < length; ++n) {
        const double h = delta(n == 0 ? 1.0 : 0.0);
        energy += h * h;
        peak = std::max(peak, std::fabs(pulse(n < signalLength ? 1.0 : 0.0)));
    }
    return {energy, peak, peak * peak / (signalLength * energy)};
}

CBenchSetup SetupOf(int filter, int signal, double parameter) {
    CBenchSetup s;
    s.FilterItem = filter;
    s.SignalItem = signal;
    s.Values[bpGain] = 2.5;
    const int p = ParameterOfFilter(filter);
    if (p != NoBenchParameter) {
        s.Values[p] = parameter;
    }
    return s;
}

// The flat-passband low-pass as the bench designs it for a cut-off in Hz.
Equation BenchSections(double hz) {
    CBench bench;
    bench.SetCutOff(hz);
    return Sections(bench.ChebishevFilter);
}

struct Case {
    int Filter;
    double Parameter;
    long Length; // samples of the response worth summing
    std::function<Equation()> Make;
};

} // namespace

// Each filter at parameters across its field's range; the low-pass with the
// gain that the signal gives it.
std::vector<Case> CasesFor(int signal) {
    std::vector<Case> cases = {
        {fiMaf, 0, 300, MovingSum},
        {fiMeandr, 0, 300, Meander},
        {fiChebishev, 1, 200000, [] { return BenchSections(1); }},
        {fiChebishev, 50, 20000, [] { return BenchSections(50); }},
        {fiChebishev, 300, 5000, [] { return BenchSections(300); }},
    };
    for (double tau : {10.0, 100.0, 1000.0, 100000.0}) {
        cases.push_back({fiMafNotIdeal, tau, 200 + static_cast<long>(40 * tau),
                         [tau] { return LeakyMovingSum(tau); }});
    }
    for (double tau : {10.0, 80.0, 1000.0, 10000.0}) {
        cases.push_back({fiLowBand1, tau, static_cast<long>(40 * tau),
                         [tau, signal] { return LowPass(tau, signal); }});
    }
    return cases;
}

TEST(FilterTheory, EveryFilterAgainstItsDifferenceEquation) {
    CTheoryBench bench;
    // P, q and q0 at K = 2.5 with the generator's exact variance.
    const double variance = 6.25 * 24 * ((1 - 1e-10) / 12) / 2;
    for (int signal : {siDelta, siRectangle}) {
        const double energy = signal == siDelta ? 1.0 : 101.0;
        for (const Case& c : CasesFor(signal)) {
            const CBenchSetup setup = SetupOf(c.Filter, signal, c.Parameter);
            const Expected e = Expect(c.Make, static_cast<int>(energy), c.Length);
            const CFilterTheory t = bench.Theory(setup);
            ASSERT_TRUE(t.Valid) << c.Filter << " " << c.Parameter;
            SCOPED_TRACE(testing::Message() << "filter " << c.Filter << " at " << c.Parameter
                                            << ", signal " << signal);
            EXPECT_NEAR(t.ResponseEnergy / e.Energy, 1.0, 1e-9);
            EXPECT_NEAR(t.Peak / e.Peak, 1.0, 1e-9);
            ASSERT_TRUE(t.Figures.Efficiency.has_value());
            EXPECT_NEAR(*t.Figures.Efficiency / e.Efficiency, 1.0, 1e-9);
            EXPECT_NEAR(*t.Figures.LossDb, -10 * std::log10(e.Efficiency), 1e-8);
            EXPECT_NEAR(t.NoisePower / (variance * e.Energy), 1.0, 1e-9);
            EXPECT_NEAR(*t.Figures.Q0 * variance / energy, 1.0, 1e-12);
            EXPECT_NEAR(*t.Figures.Q / (*t.Figures.Q0 * e.Efficiency), 1.0, 1e-9);
            // The whole response, as the registrar's error needs it.
            const CImpulseResponse r = bench.ImpulseResponse(setup);
            EXPECT_TRUE(r.Complete);
            EXPECT_NEAR(r.Energy / e.Energy, 1.0, 1e-9);
        }
    }
}

TEST(FilterTheory, WorkedCheckForTheRectangularImpulse) {
    CTheoryBench bench;
    auto eta = [&bench](int filter, double parameter) {
        return *bench.Theory(SetupOf(filter, siRectangle, parameter)).Figures.Efficiency;
    };
    // The moving sum spans 100 of the pulse's 101 samples.
    EXPECT_NEAR(eta(fiMaf, 0), 100.0 / 101.0, 1e-13);
    // Half the window cancels the other: a peak of 50 against an energy of 100.
    EXPECT_NEAR(eta(fiMeandr, 0), 2500.0 / 10100.0, 1e-13);
    // The first-order low-pass: best near 80 ms, the RC filter's 0.815.
    double best = 0.0, bestTau = 0.0;
    for (double tau = 10; tau <= 300; tau += 0.5) {
        const double e = eta(fiLowBand1, tau);
        if (e > best) {
            best = e;
            bestTau = tau;
        }
    }
    EXPECT_GE(bestTau, 75.0);
    EXPECT_LE(bestTau, 85.0);
    EXPECT_NEAR(best, 0.815, 0.002);
    // The leaky integrator tends to the ideal one.
    EXPECT_NEAR(eta(fiMafNotIdeal, 100000), 100.0 / 101.0, 1e-3);
}

TEST(FilterTheory, SetupsWithoutFigures) {
    CTheoryBench bench;
    // Not a bench filter, or a value its field never holds.
    for (const CBenchSetup& s :
         {SetupOf(7, siRectangle, 0), SetupOf(-1, siDelta, 0), SetupOf(fiLowBand1, siDelta, 5),
          SetupOf(fiChebishev, siDelta, 0), SetupOf(fiMafNotIdeal, siDelta, std::nan(""))}) {
        const CFilterTheory t = bench.Theory(s);
        EXPECT_FALSE(t.Valid);
        EXPECT_EQ(t.NoisePower, 0.0);
        EXPECT_FALSE(t.Figures.Q || t.Figures.Q0 || t.Figures.Efficiency || t.Figures.LossDb);
        EXPECT_FALSE(bench.ImpulseResponse(s).Complete);
        EXPECT_FALSE(RegistrarErrorFor(s, 500));
    }
    CBenchSetup nanGain = SetupOf(fiMaf, siDelta, 0);
    nanGain.Values[bpGain] = std::nan("");
    EXPECT_FALSE(bench.Theory(nanGain).Valid);

    // Out-of-range fields of other filters do not matter (and show nothing).
    CBenchSetup others = SetupOf(fiMaf, siRectangle, 0);
    others.Values[bpCutOff] = -3;
    others.Values[bpTimeConstant] = std::nan("");
    EXPECT_NEAR(*bench.Theory(others).Figures.Efficiency, 100.0 / 101.0, 1e-13);

    // No signal: nothing to detect, yet the noise power is the registrar's.
    const CFilterTheory off = bench.Theory(SetupOf(fiLowBand1, siOff, 100));
    ASSERT_TRUE(off.Valid);
    EXPECT_EQ(off.Peak, 0.0);
    EXPECT_FALSE(off.Figures.Efficiency);
    const double a = std::exp(-1.0 / 100);
    EXPECT_NEAR(off.NoisePower / (6.25 * UnitNoiseVariance * 1e4 * (1 - a) / (1 + a)), 1, 1e-12);

    // Gain 0: no q, no q0, but the efficiency holds for any gain.
    CBenchSetup quiet = SetupOf(fiLowBand1, siDelta, 100);
    quiet.Values[bpGain] = 0;
    const CFilterTheory t = bench.Theory(quiet);
    EXPECT_FALSE(t.Figures.Q || t.Figures.Q0);
    EXPECT_NEAR(*t.Figures.Efficiency, 1 - a * a, 1e-12);
}

// The registrar with noise alone against the theory's power, within the
// error bound of the batches it averaged; and the efficiency made of that
// measurement and a delta run (the low-pass's gains paired) against the
// theory's efficiency.
TEST(FilterTheory, RegistrarMeasuresTheTheoryWithinItsError) {
    struct Run {
        int Filter;
        double Parameter;
        int Signal;
    };
    for (const Run& c : {Run{fiLowBand1, 100, siDelta}, Run{fiChebishev, 50, siRectangle},
                         Run{fiMafNotIdeal, 1000, siRectangle}}) {
        const CBenchSetup measured = SetupOf(c.Filter, siOff, c.Parameter);
        CBenchSetup noise = measured;
        noise.NoiseItem = niOn;
        CBench bench;
        SeedRandom(31337);
        const CMeasurement m = bench.Measure(FixedSource(noise));

        const CFilterTheory power = FilterTheory(measured);
        const std::optional<CRegistrarError> error = RegistrarErrorFor(measured, m.Batches);
        ASSERT_TRUE(error.has_value());
        EXPECT_TRUE(PowerWithinRegistrarError(m.RegistrarValue, power.NoisePower, *error, 3.0))
            << c.Filter << ": " << m.RegistrarValue << " against " << power.NoisePower << " +- "
            << error->RelativeDeviation * power.NoisePower;
        // The band is narrow enough to tell a wrong level: a quarter too much
        // or too little is outside it.
        EXPECT_FALSE(
            PowerWithinRegistrarError(m.RegistrarValue, 1.25 * power.NoisePower, *error, 3.0));
        EXPECT_FALSE(
            PowerWithinRegistrarError(m.RegistrarValue, 0.75 * power.NoisePower, *error, 3.0));

        const CBenchSetup run = SetupOf(c.Filter, c.Signal, c.Parameter);
        const CFilterTheory theory = FilterTheory(run);
        const CSnrFigures f = MeasuredFigures(run, theory.Peak, measured, m.RegistrarValue);
        ASSERT_TRUE(f.Efficiency.has_value());
        EXPECT_TRUE(
            EfficiencyWithinRegistrarError(*f.Efficiency, *theory.Figures.Efficiency, *error, 3.0))
            << c.Filter << ": " << *f.Efficiency << " against " << *theory.Figures.Efficiency;
    }
}
