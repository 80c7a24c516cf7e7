#include "bench/BenchSetup.h"

#include <cmath>
#include <iterator>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "bench/CBench.h"

void PrintTo(const CSchemeSwitches& s, std::ostream* os) {
    *os << "{signal " << s.Signal << ", noise " << s.Noise << ", registrar " << s.Registrar
        << "}";
}

TEST(BenchSetup, NumberFieldsAsTheWindowHasThem) {
    struct Row {
        int Parameter;
        std::string Caption, Symbol, Unit;
        double Min, Max, Default;
        int FilterItem;
        double ToFilter;
    };
    const Row rows[] = {
        {bpGain, " Коэффициент усиления  ", "K", "", 0, 1000, 1, NoFilterItem, 1.0},
        {bpIntegratorTimeConstant, "Постоянная времени интегратора, мс:", "τ", "мс", 10, 100000,
         100, fiMafNotIdeal, 1.0},
        {bpTimeConstant, "Постоянная времени, мс:", "τ", "мс", 10, 10000, 100, fiLowBand1, 1.0},
        {bpCutOff, "Частота среза, Гц:", "fc", "Гц", 1, 300, 1, fiChebishev, 0.001},
    };
    for (const Row& r : rows) {
        const CBenchParameter& p = BenchParameters[r.Parameter];
        SCOPED_TRACE(r.Caption);
        EXPECT_EQ(p.Caption, r.Caption);
        EXPECT_EQ(p.Symbol, r.Symbol);
        EXPECT_EQ(p.Unit, r.Unit);
        EXPECT_EQ(p.Min, r.Min);
        EXPECT_EQ(p.Max, r.Max);
        EXPECT_EQ(p.Default, r.Default);
        EXPECT_EQ(p.FilterItem, r.FilterItem);
        EXPECT_EQ(p.ToFilter, r.ToFilter);
        if (r.FilterItem != NoFilterItem) {
            EXPECT_EQ(ParameterOfFilter(r.FilterItem), r.Parameter);
        }
    }
    for (int item : {int(fiMaf), int(fiMeandr), NoFilterItem, FilterItemCount}) {
        EXPECT_EQ(ParameterOfFilter(item), NoBenchParameter) << item;
    }

    // The bench converts with the same factors both ways: what a field sets is
    // what it shows again when its filter is chosen.
    CBench bench;
    EXPECT_EQ(bench.ParameterValue(bpCutOff), 50.0); // the design's own edge
    bench.SetCutOff(20.0);
    EXPECT_NEAR(bench.ChebishevFilter.GetCyclicBandEdge(), 0.02, 1e-15);
    EXPECT_EQ(bench.ParameterValue(bpCutOff), 20.0);
    bench.SetTimeConstant(250.0);
    EXPECT_EQ(bench.ParameterValue(bpTimeConstant), 250.0);
    EXPECT_EQ(bench.ParameterValue(bpIntegratorTimeConstant), 100.0);
    NoiseGenerator.Amplitude = 2.5;
    EXPECT_EQ(bench.ParameterValue(bpGain), 2.5);
    NoiseGenerator.Amplitude = 1.0;
    EXPECT_EQ(bench.ParameterValue(7), 0.0);
}

// The command line's values are part of its manual page: each list names
// every item once, by the value the page gives, in the page's order.
TEST(BenchSetup, EveryItemHasItsCommandLineValue) {
    struct Value {
        std::string Option;
        int Item;
    };
    const auto check = [](const CBenchChoice* choices, const std::vector<Value>& expected,
                          bool described) {
        for (std::size_t c = 0; c < expected.size(); ++c) {
            SCOPED_TRACE(expected[c].Option);
            EXPECT_EQ(choices[c].Option, expected[c].Option);
            EXPECT_EQ(choices[c].Item, expected[c].Item);
            EXPECT_EQ(*choices[c].Description != '\0', described);
        }
    };
    check(SignalChoices, {{"delta", siDelta}, {"rectangle", siRectangle}, {"off", siOff}}, false);
    check(NoiseChoices, {{"on", niOn}, {"off", niOff}}, false);
    check(FilterChoices,
          {{"rect-matched", fiMaf},
           {"rect-matched-leaky", fiMafNotIdeal},
           {"meander-matched", fiMeandr},
           {"lowpass-1", fiLowBand1},
           {"lowpass-flat", fiChebishev}},
          true);
    static_assert(std::size(SignalChoices) == SignalItemCount);
    static_assert(std::size(NoiseChoices) == NoiseItemCount);
    static_assert(std::size(FilterChoices) == FilterItemCount);
}

TEST(BenchSetup, SchemeAndRegistrarForEveryPairOfChoices) {
    // Noise item 2 is not in the list; like any item but "off" it adds noise.
    struct Row {
        int Signal, Noise;
        bool Measure;
        int Image;
        CSchemeSwitches Switches; // signal, noise, registrar; true = closed
    };
    const Row rows[] = {
        {siDelta, niOff, false, 1, {true, false, false}},
        {siDelta, niOn, false, 2, {true, true, false}},
        {siDelta, 2, false, 2, {true, true, false}},
        {siRectangle, niOff, false, 1, {true, false, false}},
        {siRectangle, niOn, false, 2, {true, true, false}},
        {siRectangle, 2, false, 2, {true, true, false}},
        {siOff, niOff, false, 4, {false, false, true}},
        {siOff, niOn, true, 3, {false, true, true}},
        {siOff, 2, true, 3, {false, true, true}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << "signal " << r.Signal << " noise " << r.Noise);
        EXPECT_EQ(CanMeasure(r.Signal, r.Noise), r.Measure);
        EXPECT_EQ(SchemeImageFor(r.Signal, r.Noise), r.Image);
        EXPECT_EQ(SchemeSwitchesFor(r.Signal, r.Noise), r.Switches);
        // The picture of the pair draws the pair's switches.
        EXPECT_EQ(SchemeSwitchesOfImage(r.Image), r.Switches);
    }
    for (int image : {0, 5, -1}) {
        EXPECT_EQ(SchemeSwitchesOfImage(image), (CSchemeSwitches{false, false, false})) << image;
    }
}

TEST(BenchSetup, DescriptionsInOneLine) {
    CBenchSetup fresh;
    EXPECT_EQ(DescribeSetup(fresh), "СФ для прямоугольного импульса, K = 1, дельта-импульс");

    struct Row {
        int Signal, Noise, Filter;
        double Gain, Own; // the gain and the filter's own parameter
        const char* Text;
    };
    const Row rows[] = {
        {siRectangle, niOff, fiLowBand1, 1, 100,
         "ФНЧ 1-го порядка, τ = 100 мс, K = 1, прямоугольный импульс"},
        {siDelta, niOn, fiChebishev, 2.5, 50,
         "ФНЧ с П - образной АЧХ, fc = 50 Гц, K = 2,5, дельта-импульс + шум"},
        {siOff, niOn, fiMeandr, 1, 0, "СФ для импульса \"меандр\", K = 1, шум"},
        {siOff, niOff, fiMafNotIdeal, 0, 12.25,
         "СФ для прямоугольного импульса с неидеальным интегратором, τ = 12,25 мс, K = 0, "
         "сигнал и шум отключены"},
        // Six significant digits, as the fields show them.
        {siDelta, niOff, fiLowBand1, 1000, 1234.5678,
         "ФНЧ 1-го порядка, τ = 1234,57 мс, K = 1000, дельта-импульс"},
        // Choices the lists lack: described as the bench runs them.
        {7, 3, 9, 1, 0, "K = 1, шум"},
    };
    for (const Row& r : rows) {
        CBenchSetup s;
        s.SignalItem = r.Signal;
        s.NoiseItem = r.Noise;
        s.FilterItem = r.Filter;
        s.Values[bpGain] = r.Gain;
        if (ParameterOfFilter(r.Filter) != NoBenchParameter) {
            s.Values[ParameterOfFilter(r.Filter)] = r.Own;
        }
        EXPECT_EQ(DescribeSetup(s), r.Text);
    }
    EXPECT_EQ(BenchNumberText(1e-5), "1e-05");
    EXPECT_EQ(BenchNumberText(-0.5), "-0,5");
}

TEST(BenchSetup, FlatPassbandLowPassDesign) {
    CChebishevFilter f;
    DesignBenchChebishev(f);
    EXPECT_EQ(f.GetOrder(), 10);
    EXPECT_EQ(f.GetCascadeCount(), 5);
    // The even order starts at the lower ripple level, meets -3 dB at the
    // band edge (50 Hz), and the input gain scales both.
    EXPECT_NEAR(f.Magnitude(0.0), 100.0 * 0.95, 1e-9);
    EXPECT_NEAR(f.Magnitude(0.05), 100.0 * std::pow(10.0, -3.0 / 20.0), 1e-9);
    EXPECT_LT(f.Magnitude(0.07), 1.0);
    // The bench is built with it.
    CBench bench;
    for (double freq : {0.0, 0.03, 0.05, 0.06}) {
        EXPECT_EQ(bench.ChebishevFilter.Magnitude(freq), f.Magnitude(freq)) << freq;
    }
}
