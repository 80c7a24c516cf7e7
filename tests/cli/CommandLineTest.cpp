#include "cli/BenchCommandLine.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "bench/CBench.h"
#include "tests/cli/ToolRun.h"

namespace {
using Result = ToolResult;
} // namespace

TEST(CommandLine, RunCsvMatchesTheModelArrays) {
    const Result r = RunTool({"--signal", "rectangle", "--noise", "on", "--gain", "0,5", "--filter",
                              "lowpass-flat", "--cutoff=20", "--seed", "17"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const std::vector<std::string> lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 1u + RunSamples);
    EXPECT_EQ(lines[0], "t_ms,input_V,output_mV");

    // The same pass through the model itself.
    SeedRandom(17);
    CBench bench;
    CSetupSource c;
    c.SignalItem = siRectangle;
    c.NoiseItem = niOn;
    c.FilterItem = fiChebishev;
    c.CutOff = [] { return 20.0; };
    c.Gain = [] { return 0.5; };
    bench.ComputeRun(c, {InputSamples, OutputSamples});
    for (int k = 0; k < RunSamples; ++k) {
        int t = 0;
        double in = 0, out = 0;
        ASSERT_EQ(std::sscanf(lines[k + 1].c_str(), "%d,%lf,%lf", &t, &in, &out), 3) << k;
        ASSERT_EQ(t, k - PreRollLength);
        ASSERT_EQ(in, InputSamples[k]) << k;
        ASSERT_EQ(out, OutputSamples[k]) << k;
    }
}

TEST(CommandLine, CorrectionsLikeTheFields) {
    const Result r = RunTool({"--signal", "off", "--gain", "5000", "--time-constant", "3",
                              "--filter", "lowpass-1", "--seed", "1"});
    ASSERT_EQ(r.status, 0);
    EXPECT_EQ(r.err,
              "matched-filter-bench: Введённое значение параметра меньше минимально-допустимого.\n"
              " Произведена коррекция.\n"
              "matched-filter-bench: Введённое значение параметра больше максимально-допустимого.\n"
              " Произведена коррекция.\n");
}

TEST(CommandLine, MeasurementPrintsTheRegistrarReading) {
    Result r = RunTool({"--measure", "--signal", "off", "--noise", "on", "--gain", "0"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "0,00\n");

    r = RunTool({"--measure", "--signal", "off", "--noise", "on", "--filter", "rect-matched",
                 "--seed", "3"});
    ASSERT_EQ(r.status, 0) << r.err;
    const double power = std::atof(r.out.c_str());
    EXPECT_GT(power, 90.0);
    EXPECT_LT(power, 110.0);
}

TEST(CommandLine, BadOptionsExitWithStatusTwo) {
    const std::vector<std::vector<const char*>> bad = {
        {"--frobnicate"},
        {"--gain"},
        {"--gain", "abc"},
        {"--gain", "1e999"},
        {"--gain", "nan"},
        {"--gain", "1.5x"},
        {"--gain", ""},
        {"--filter", "kalman"},
        {"--signal", "sine"},
        {"--seed", "-4"},
        {"--seed", "99999999999"},
        {"--measure"}, // the signal is a delta impulse by default
        {"--measure", "--signal", "off"},
        {"--measure=yes"},
        {"positional"},
    };
    for (const auto& args : bad) {
        const Result r = RunTool(args);
        EXPECT_EQ(r.status, 2) << args[0];
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(Lines(r.err).size(), 1u) << r.err;
    }
    const Result help = RunTool({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("--filter"), std::string::npos);
}

// The version is the package's, for help2man and for administrators checking
// which release a classroom runs; asking for it runs nothing.
TEST(CommandLine, VersionIsPrintedAloneAndRunsNoBench) {
    for (const auto& args : {std::vector<const char*>{"--version"},
                             std::vector<const char*>{"--gain", "5000", "--version"}}) {
        const Result r = RunTool(args);
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.out, "matched-filter-bench " LAB_VERSION "\n");
        EXPECT_EQ(r.err, "");
    }
    EXPECT_NE(RunTool({"--help"}).out.find("  --version "), std::string::npos);
}

TEST(CommandLine, UnwritableOutputFileFails) {
    const Result r = RunTool({"--output", "/nonexistent-folder/run.csv"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("/nonexistent-folder/run.csv"), std::string::npos);
}

TEST(CommandLine, FlatLowPassCutOffDefaultsToTheFiltersOwnSetting) {
    const Result byDefault = RunTool({"--signal", "rectangle", "--filter", "lowpass-flat"});
    const Result fifty =
        RunTool({"--signal", "rectangle", "--filter", "lowpass-flat", "--cutoff", "50"});
    const Result one =
        RunTool({"--signal", "rectangle", "--filter", "lowpass-flat", "--cutoff", "1"});
    ASSERT_EQ(byDefault.status, 0) << byDefault.err;
    EXPECT_EQ(byDefault.out, fifty.out);
    EXPECT_NE(one.out, fifty.out);

    // 50 Hz passes the unit rectangle times the filter's gain of 100, with
    // some overshoot, where 1 Hz would leave almost nothing.
    double peak = 0;
    for (const std::string& line : Lines(byDefault.out)) {
        int t = 0;
        double in = 0, out = 0;
        if (std::sscanf(line.c_str(), "%d,%lf,%lf", &t, &in, &out) == 3) {
            peak = std::max(peak, out);
        }
    }
    EXPECT_GT(peak, 90.0);
    EXPECT_LT(peak, 130.0);
    EXPECT_NE(RunTool({"--help"}).out.find("(default 50,"), std::string::npos);
}

// Each value of a list chooses an item of its own: every filter and every
// signal gives another run, and the registrar measures noise alone only.
TEST(CommandLine, EveryListValueChoosesItsOwnItem) {
    std::set<std::string> runs;
    for (const char* filter :
         {"rect-matched", "rect-matched-leaky", "meander-matched", "lowpass-1", "lowpass-flat"}) {
        const Result r = RunTool({"--signal", "rectangle", "--filter", filter});
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_TRUE(runs.insert(r.out).second) << filter;
    }
    for (const char* signal : {"delta", "off"}) {
        const Result r = RunTool({"--signal", signal});
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_TRUE(runs.insert(r.out).second) << signal;
    }
    // The window's choices at start: a delta impulse, no noise, the first filter.
    EXPECT_EQ(RunTool({}).out,
              RunTool({"--signal", "delta", "--noise", "off", "--filter", "rect-matched"}).out);
    EXPECT_EQ(RunTool({"--measure", "--signal", "off", "--noise", "on"}).status, 0);
    EXPECT_EQ(RunTool({"--measure", "--signal", "delta", "--noise", "on"}).status, 2);
    EXPECT_EQ(RunTool({"--measure", "--signal", "rectangle", "--noise", "on"}).status, 2);
    EXPECT_EQ(RunTool({"--measure", "--signal", "off", "--noise", "off"}).status, 2);
}

// The manual page is made from the usage text, so its lines about the lists
// and the run's samples must read as they always have.
TEST(CommandLine, UsageNamesTheRunAndTheListsValues) {
    const std::string help = RunTool({"--help"}).out;
    for (const char* line : {
             "(7500 samples of 1 ms, t = -2500 .. 4999 ms)\n",
             "\n  --signal delta|rectangle|off   test signal (default delta)\n",
             "\n  --noise on|off                 noise generator (default off)\n",
             "\n  --filter NAME                  one of (default rect-matched):\n"
             "        rect-matched        matched filter for a rectangular impulse\n"
             "        rect-matched-leaky  the same with a non-ideal (leaky) integrator\n"
             "        meander-matched     matched filter for a meander impulse\n"
             "        lowpass-1           first-order low-pass filter\n"
             "        lowpass-flat        low-pass filter with a flat (Chebyshev) passband\n"
             "  --integrator-time-constant MS  leaky integrator, 10..100000 ms (default 100)\n",
         }) {
        EXPECT_NE(help.find(line), std::string::npos) << line;
    }
}
