// The command line's parameter study: its CSV against the filters' difference
// equations worked out here, its refusals and its corrections.

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "bench/CBenchStudy.h"
#include "bench/SignalToNoise.h"
#include "tests/cli/ToolRun.h"

namespace {

const char* const Header = "value,peak_mV,noise_power_mVmV,snr,efficiency,efficiency_theory";
const char* const Below =
    "matched-filter-bench: Введённое значение параметра меньше минимально-допустимого.\n"
    " Произведена коррекция.\n";
const char* const Above =
    "matched-filter-bench: Введённое значение параметра больше максимально-допустимого.\n"
    " Произведена коррекция.\n";

// The variance of one noise sample at gain 1: 24 uniform terms of variance
// (1 - 10^-10) / 12 each, their sum divided by 2.
const double UnitVariance = 24 * ((1 - 1e-10) / 12) / 2;

// A study line's six fields; a field without text has no value.
struct Row {
    std::optional<double> Value, Peak, Power, Snr, Efficiency, Theory;
};

std::optional<double> FieldValue(const std::string& text) {
    if (text.empty()) {
        return std::nullopt;
    }
    char* end = nullptr;
    const double v = std::strtod(text.c_str(), &end);
    EXPECT_EQ(*end, '\0') << text;
    return v;
}

// The rows of a study's CSV after its header, which must be the study's.
std::vector<Row> Rows(const std::string& csv) {
    std::vector<std::string> lines = Lines(csv);
    EXPECT_FALSE(lines.empty());
    if (lines.empty()) {
        return {};
    }
    EXPECT_EQ(lines[0], Header);
    std::vector<Row> rows;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        std::vector<std::string> fields(1);
        for (char c : lines[i]) {
            if (c == ',') {
                fields.emplace_back();
            } else {
                fields.back() += c;
            }
        }
        EXPECT_EQ(fields.size(), 6u) << lines[i];
        fields.resize(6);
        rows.push_back({FieldValue(fields[0]), FieldValue(fields[1]), FieldValue(fields[2]),
                        FieldValue(fields[3]), FieldValue(fields[4]), FieldValue(fields[5])});
    }
    return rows;
}

// The first-order low-pass y[n] = a y[n-1] + g x[n], a = e^(-1/tau), with the
// bench's gain g = (1 - a) 100 for the rectangle: its output rises for as long
// as the 101 samples of the pulse last, so its peak is the last of them.
double LowPassRectanglePeak(double tau) {
    const double a = std::exp(-1 / tau);
    double y = 0;
    for (int n = 0; n < 101; ++n) {
        y = a * y + (1 - a) * 100 * 1.0;
    }
    return y;
}

CStudyRequest LowPassRequest() {
    CStudyRequest r;
    r.FilterItem = fiLowBand1;
    return r;
}

} // namespace

// The default study of the first-order low-pass: one line per value as the
// study spaces them, the peak from the difference equation, the efficiency in
// theory U^2 (1 - a^2) / (g^2 101), and q, the efficiency and the measured
// power agreeing with each other and, within the registrar's error, with
// theory.
TEST(StudyCsv, FirstOrderLowPassAgainstItsDifferenceEquation) {
    const ToolResult r = RunTool({"--study", "--filter", "lowpass-1", "--seed", "4"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const std::vector<Row> rows = Rows(r.out);
    const std::vector<double> values = StudyValues(LowPassRequest());
    ASSERT_EQ(values.size(), 20u);
    ASSERT_EQ(rows.size(), values.size());
    EXPECT_EQ(values.front(), 10.0);
    EXPECT_EQ(values.back(), 1000.0);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const Row& row = rows[i];
        ASSERT_TRUE(row.Value && row.Peak && row.Power && row.Snr && row.Efficiency && row.Theory);
        EXPECT_EQ(*row.Value, values[i]) << i; // the digits read back exactly
        const double tau = values[i];
        const double a = std::exp(-1 / tau);
        const double g = (1 - a) * 100;
        const double u = LowPassRectanglePeak(tau);
        EXPECT_NEAR(*row.Peak, u, 1e-9 * u) << tau;
        const double eta = u * u * (1 - a * a) / (g * g * 101);
        EXPECT_NEAR(*row.Theory, eta, 1e-9) << tau;

        // q = U^2 / P at gain 1, and eta = q / q0 with q0 = 101 / sigma^2.
        EXPECT_NEAR(*row.Snr, *row.Peak * *row.Peak / *row.Power, 1e-12 * *row.Snr) << tau;
        EXPECT_NEAR(*row.Efficiency, *row.Snr * UnitVariance / 101, 1e-12) << tau;
        // The response's sums: energy g^2 / (1 - a^2), sum of |h| g / (1 - a),
        // moment g^2 a^2 / (1 - a^2)^2; the registrar's error at its fewest
        // batches is the widest it can be.
        const double energy = g * g / (1 - a * a);
        const std::optional<CRegistrarError> error =
            RegistrarError(energy, g / (1 - a), g * g * a * a / ((1 - a * a) * (1 - a * a)), 102);
        ASSERT_TRUE(error.has_value());
        EXPECT_TRUE(PowerWithinRegistrarError(*row.Power, UnitVariance * energy, *error, 4.0))
            << tau << ": " << *row.Power << " against " << UnitVariance * energy;
    }
}

// The delta impulse gives the low-pass the gain 100 / tau, so its peak is the
// first output, 100 / tau, and its efficiency 1 - a^2; q pairs the peak with
// the power measured at the gain the filter has with the signal off, scaled
// to the run's.
TEST(StudyCsv, FirstOrderLowPassOnTheDelta) {
    const ToolResult r = RunTool({"--study", "--filter", "lowpass-1", "--signal", "delta", "--from",
                                  "50", "--to", "200", "--points", "4", "--seed", "9"});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::vector<Row> rows = Rows(r.out);
    ASSERT_EQ(rows.size(), 4u);
    const double taus[] = {50, 100, 150, 200};
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const double tau = taus[i];
        const double a = std::exp(-1 / tau);
        ASSERT_TRUE(rows[i].Value && rows[i].Peak && rows[i].Power && rows[i].Snr &&
                    rows[i].Theory);
        EXPECT_EQ(*rows[i].Value, tau);
        EXPECT_NEAR(*rows[i].Peak, 100 / tau, 1e-12);
        EXPECT_NEAR(*rows[i].Theory, 1 - a * a, 1e-9) << tau;
        const double scale = (100 / tau) / ((1 - a) * 100);
        EXPECT_NEAR(*rows[i].Snr, *rows[i].Peak * *rows[i].Peak / (*rows[i].Power * scale * scale),
                    1e-9 * *rows[i].Snr)
            << tau;
    }
}

// The matched filter sums the last 100 samples: its peak for the rectangle of
// 101 ones is 100, its response's energy 100, so eta = 100^2 / (100 * 101);
// for the delta, 1 and 1 / 100. Having no parameter, it gives one line, its
// value empty, whatever the bounds and points say.
TEST(StudyCsv, MatchedFilterGivesOneLineWithoutValue) {
    const struct {
        std::vector<const char*> args;
        double peak, eta;
    } cases[] = {
        {{"--study", "--seed", "1"}, 100, 100.0 / 101},
        {{"--study", "--filter", "rect-matched", "--signal", "delta", "--from", "3", "--to", "7",
          "--points", "900", "--seed", "1"},
         1,
         0.01},
    };
    for (const auto& c : cases) {
        const ToolResult r = RunTool(c.args);
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.err, ""); // nothing to correct where nothing is used
        const std::vector<std::string> lines = Lines(r.out);
        ASSERT_EQ(lines.size(), 2u);
        EXPECT_EQ(lines[1].front(), ',');
        const std::vector<Row> rows = Rows(r.out);
        ASSERT_EQ(rows.size(), 1u);
        EXPECT_FALSE(rows[0].Value.has_value());
        ASSERT_TRUE(rows[0].Peak && rows[0].Theory && rows[0].Efficiency);
        EXPECT_EQ(*rows[0].Peak, c.peak);
        EXPECT_NEAR(*rows[0].Theory, c.eta, 1e-12);
    }
}

// Without noise there is no power to divide by: q and the measured efficiency
// are empty fields, the theory's efficiency, which holds at any gain, is there.
TEST(StudyCsv, GainZeroLeavesTheMeasuredFiguresEmpty) {
    const ToolResult r =
        RunTool({"--study", "--filter", "lowpass-1", "--gain", "0", "--from", "80", "--to", "80"});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::vector<std::string> lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 2u);
    const std::string::size_type theory = lines[1].rfind(',');
    EXPECT_EQ(lines[1].substr(0, 3), "80,");
    EXPECT_EQ(lines[1].substr(theory - 4, 5), ",0,,,") << lines[1];
    const std::vector<Row> rows = Rows(r.out);
    ASSERT_TRUE(rows.size() == 1 && rows[0].Theory);
    const double a = std::exp(-1 / 80.0);
    const double u = LowPassRectanglePeak(80);
    EXPECT_NEAR(*rows[0].Theory, u * u * (1 + a) / ((1 - a) * 100 * 100 * 101), 1e-9);
}

// One seed, the same bytes, on standard output or in a file; another seed,
// other noise and so other powers.
TEST(StudyCsv, OneSeedGivesTheSameBytes) {
    const std::vector<const char*> args = {"--study",  "--filter", "rect-matched-leaky",
                                           "--points", "3",        "--gain",
                                           "2,5",      "--seed",   "77"};
    const ToolResult first = RunTool(args);
    const ToolResult second = RunTool(args);
    ASSERT_EQ(first.status, 0) << first.err;
    EXPECT_EQ(first.out, second.out);
    EXPECT_EQ(Rows(first.out).size(), 3u);

    std::vector<const char*> other = args;
    other.back() = "78";
    EXPECT_NE(RunTool(other).out, first.out);

    const std::string path = ::testing::TempDir() + "study.csv";
    std::vector<const char*> toFile = args;
    toFile.push_back("--output");
    toFile.push_back(path.c_str());
    const ToolResult written = RunTool(toFile);
    ASSERT_EQ(written.status, 0) << written.err;
    EXPECT_EQ(written.out, "");
    std::ifstream file(path);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(file), {}), first.out);
    std::remove(path.c_str());
    EXPECT_EQ(RunTool({"--study", "--output", "/nonexistent-folder/study.csv"}).status, 1);
}

// What a study cannot take is refused before anything runs or is corrected:
// status 2, nothing written, one line that says why.
TEST(StudyCsv, RefusalsSayWhy) {
    const struct {
        std::vector<const char*> args;
        const char* says;
    } cases[] = {
        {{"--study", "--signal", "off"}, "--study needs a pulse"},
        {{"--study", "--measure", "--signal", "off", "--noise", "on"},
         "does not go with --measure"},
        {{"--study", "--noise", "on"}, "--study decides the noise itself"},
        {{"--study", "--noise", "off"}, "leave out --noise"},
        {{"--study", "--filter", "lowpass-1", "--time-constant", "50"},
         "option --time-constant does not go with --study"},
        {{"--study", "--cutoff", "20", "--gain", "5000"}, "option --cutoff does not go"},
        {{"--from", "20"}, "option --from goes with --study only"},
        {{"--points", "5", "--signal", "rectangle"}, "option --points goes with --study only"},
        {{"--study", "--points", "2.5"}, "'2.5' is not a whole number"},
        {{"--study", "--points", "many"}, "'many' is not a whole number"},
        {{"--study", "--points", ""}, "'' is not a whole number"},
        {{"--study", "--from", "1e999"}, "'1e999' is not a number"},
        {{"--study", "--to"}, "option --to needs a value"},
        {{"--study=yes"}, "option --study takes no value"},
    };
    for (const auto& c : cases) {
        const ToolResult r = RunTool(c.args);
        EXPECT_EQ(r.status, 2) << c.says;
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(Lines(r.err).size(), 1u) << r.err;
        EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
    }
}

// Bounds outside the parameter's range, points outside 2..200 and the gain
// are corrected to the bound they passed, each with the fields' message, the
// gain first as in a run; the default bounds are kept within the range
// silently.
TEST(StudyCsv, CorrectionsLikeTheFields) {
    ToolResult r = RunTool({"--study", "--filter", "lowpass-1", "--from", "1", "--to", "1e6",
                            "--points", "500", "--gain", "2000", "--seed", "1"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, std::string(Above) + Below + Above + Above);
    std::vector<Row> rows = Rows(r.out);
    ASSERT_EQ(rows.size(), 200u);
    EXPECT_EQ(*rows.front().Value, 10.0);
    EXPECT_EQ(*rows.back().Value, 10000.0);

    r = RunTool({"--study", "--filter", "lowpass-1", "--from", "500", "--to", "40", "--points", "1",
                 "--seed", "1"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, Below);
    rows = Rows(r.out);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(*rows[0].Value, 40.0);
    EXPECT_EQ(*rows[1].Value, 500.0);

    // The flat low-pass's cut-off field ends at 300 Hz: the default study
    // takes 10..300 Hz and says nothing.
    r = RunTool({"--study", "--filter", "lowpass-flat", "--points", "2", "--seed", "1"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    rows = Rows(r.out);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(*rows[0].Value, 10.0);
    EXPECT_EQ(*rows[1].Value, 300.0);
}

// The manual page is made from --help: the study's options and what it
// writes must be there.
TEST(StudyCsv, UsageDescribesTheStudy) {
    const std::string help = RunTool({"--help"}).out;
    for (const char* text :
         {"\n  --study ", "\n  --from A ", "\n  --to B ", "\n  --points N ", "2..200 (default 20)",
          "lowpass-flat 1..300 Hz (by default 10..300 Hz)", Header}) {
        EXPECT_NE(help.find(text), std::string::npos) << text;
    }
}
