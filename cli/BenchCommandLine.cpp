#include "cli/BenchCommandLine.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "base/FloatToText.h"
#include "base/MessageHook.h"
#include "base/RangeCorrection.h"
#include "bench/CBench.h"
#include "bench/CBenchStudy.h"
#include "cli/BenchOptions.h"
#include "cli/BenchUsage.h"
#include "cli/StudyCsv.h"

namespace {

// The choice of a list that the value names; null for a value it lacks.
const CBenchChoice* FindChoice(const ChoiceOption& list, const std::string& value) {
    for (int c = 0; c < list.Count; ++c) {
        if (value == list.Choices[c].Option) {
            return &list.Choices[c];
        }
    }
    return nullptr;
}

// Reads a whole argument as a finite number; '.' or ',' as decimal mark.
bool ReadNumber(const std::string& text, double& value) {
    std::string s = text;
    const std::string::size_type comma = s.find(',');
    if (comma != std::string::npos) {
        s[comma] = '.';
    }
    if (s.empty() || std::isspace(static_cast<unsigned char>(s[0]))) {
        return false;
    }
    errno = 0;
    char* end = nullptr;
    const double v = std::strtod(s.c_str(), &end);
    if (end != s.c_str() + s.size() || !std::isfinite(v)) {
        return false;
    }
    value = v;
    return true;
}

// A field's correction: to the violated bound, with the field's message.
double Correct(double value, double min, double max) {
    const CRangeCorrection corrected = CorrectToRange(value, min, max, true, value);
    if (corrected.Message != nullptr) {
        ShowMessage(corrected.Message);
    }
    return corrected.Value;
}

} // namespace

void WriteRunCsv(std::ostream& out, const CBenchRun& run) {
    out << RunCsvHeader << '\n';
    // One line is at most 6 + 2 * 24 + 3 characters.
    char line[96];
    char* const end = line + sizeof line;
    for (int k = 0; k < run.Count; ++k) {
        char* p = FormatCsvArgument(line, end, k - run.ZeroIndex());
        *p++ = ',';
        p = FormatCsvNumber(p, end, run.Input[k]);
        *p++ = ',';
        p = FormatCsvNumber(p, end, run.Output[k]);
        *p++ = '\n';
        out.write(line, p - line);
    }
}

namespace {

// One invocation: the options are read first, then checked and corrected,
// then the bench runs. Nothing is corrected (and no message shown) before the
// whole line has been read, so a bad option later on the line leaves no
// correction messages behind.
class CommandLine {
  public:
    CommandLine(std::ostream& out, std::ostream& err) : Out(out), Err(err) {}

    int Run(int argc, const char* const* args);

  private:
    static bool TakesValue(const std::string& option);
    bool Parse(int argc, const char* const* args);
    bool ParseValue(const std::string& option, const std::string& value);
    bool ParseStudyValue(const StudyOption& option, const std::string& value);
    bool Given(const char* option) const { return GivenOptions.count(option) > 0; }
    bool Validate();
    bool ValidateStudy();
    void CorrectStudy();
    CStudyRequest StudyRequest() const;
    int Apply();
    int Fail() const {
        Err << "matched-filter-bench: " << Error << " (see --help)\n";
        return 2;
    }
    bool Refuse(const std::string& text) {
        Error = text;
        return false;
    }

    std::ostream& Out;
    std::ostream& Err;
    std::string Error;
    std::set<std::string> GivenOptions;

    bool Help = false;
    bool Version = false;
    // The window's configuration at start, but for the cut-off (see DefaultCutOff).
    CBenchSetup Setup = [] {
        CBenchSetup setup;
        setup.Values[bpCutOff] = DefaultCutOff();
        return setup;
    }();
    bool Measure = false;
    bool Study = false;
    // The study's bounds and points as given, indexed by StudyOptionIndex.
    double StudyNumbers[3] = {CStudyRequest().From, CStudyRequest().To,
                              static_cast<double>(CStudyRequest().Points)};
    bool Seeded = false;
    std::uint32_t Seed = 0;
    std::string OutputPath;
};

int CommandLine::Run(int argc, const char* const* args) {
    if (!Parse(argc, args)) {
        return Fail();
    }
    if (Help) {
        Out << BenchUsage();
        return 0;
    }
    if (Version) {
        Out << "matched-filter-bench " LAB_VERSION "\n";
        return 0;
    }
    // Corrections, and any message of the bench itself, go to the error
    // stream while the bench runs.
    MessageHandler previous = SetMessageHandler(
        [this](const std::string& text) { Err << "matched-filter-bench: " << text << "\n"; });
    const int status = Validate() ? Apply() : Fail();
    SetMessageHandler(std::move(previous));
    return status;
}

bool CommandLine::TakesValue(const std::string& option) {
    for (const NumberOption& n : NumberOptions) {
        if (option == n.Name) {
            return true;
        }
    }
    for (const ChoiceOption& list : ListOptions) {
        if (option == list.Name) {
            return true;
        }
    }
    for (const StudyOption& s : StudyOptions) {
        if (option == s.Name) {
            return true;
        }
    }
    for (const char* name : {"--seed", "--output"}) {
        if (option == name) {
            return true;
        }
    }
    return false;
}

bool CommandLine::Parse(int argc, const char* const* args) {
    for (int i = 1; i < argc; ++i) {
        std::string option = args[i] ? args[i] : "";
        std::string value;
        bool hasValue = false;
        const std::string::size_type eq = option.find('=');
        if (option.compare(0, 2, "--") == 0 && eq != std::string::npos) {
            value = option.substr(eq + 1);
            option = option.substr(0, eq);
            hasValue = true;
        }
        if (option == "--help" || option == "-h") {
            Help = true;
            return true;
        }
        if (option == "--version") {
            Version = true;
            return true;
        }
        if (option == "--measure" || option == "--study") {
            if (hasValue) {
                return Refuse("option " + option + " takes no value");
            }
            (option == "--measure" ? Measure : Study) = true;
            continue;
        }
        if (!TakesValue(option)) {
            return Refuse("unknown option '" + option + "'");
        }
        if (!hasValue) {
            if (i + 1 >= argc || !args[i + 1]) {
                return Refuse("option " + option + " needs a value");
            }
            value = args[++i];
        }
        if (!ParseValue(option, value)) {
            return false;
        }
        GivenOptions.insert(option);
    }
    return true;
}

bool CommandLine::ParseValue(const std::string& option, const std::string& value) {
    for (const NumberOption& n : NumberOptions) {
        if (option == n.Name) {
            if (!ReadNumber(value, Setup.Values[n.Parameter])) {
                return Refuse("option " + option + ": '" + value + "' is not a number");
            }
            return true;
        }
    }
    for (const ChoiceOption& list : ListOptions) {
        if (option == list.Name) {
            const CBenchChoice* found = FindChoice(list, value);
            if (found == nullptr) {
                return Refuse("option " + option + ": unknown choice '" + value + "'");
            }
            Setup.*list.Item = found->Item;
            return true;
        }
    }
    for (const StudyOption& s : StudyOptions) {
        if (option == s.Name) {
            return ParseStudyValue(s, value);
        }
    }
    if (option == "--seed") {
        char* end = nullptr;
        errno = 0;
        const unsigned long long v = std::strtoull(value.c_str(), &end, 10);
        if (value.empty() || value[0] == '-' || *end != '\0' || errno != 0 || v > 0xFFFFFFFFull) {
            return Refuse("option --seed: '" + value + "' is not a whole number 0..4294967295");
        }
        Seeded = true;
        Seed = static_cast<std::uint32_t>(v);
        return true;
    }
    if (option == "--output") {
        if (value.empty()) {
            return Refuse("option --output needs a file name");
        }
        OutputPath = value;
        return true;
    }
    return Refuse("unknown option '" + option + "'");
}

bool CommandLine::ParseStudyValue(const StudyOption& option, const std::string& value) {
    double& number = StudyNumbers[&option - StudyOptions];
    const bool points = &option == &StudyOptions[soPoints];
    if (!ReadNumber(value, number)) {
        return Refuse("option " + std::string(option.Name) + ": '" + value + "' is not a " +
                      (points ? "whole number" : "number"));
    }
    // A count out of range is corrected as a bound is; a fraction of one
    // is no count at all.
    if (points && number != std::trunc(number)) {
        return Refuse("option --points: '" + value + "' is not a whole number");
    }
    return true;
}

bool CommandLine::Validate() {
    if (Measure && Study) {
        return Refuse("--study makes measurements of its own and does not go with --measure");
    }
    if (Measure && !CanMeasure(Setup.SignalItem, Setup.NoiseItem)) {
        return Refuse("--measure needs the signal off and the noise on (--signal off --noise on)");
    }
    if (!ValidateStudy()) {
        return false;
    }
    // The defaults lie within their ranges, so only values given on the line
    // can be corrected.
    for (const NumberOption& n : NumberOptions) {
        double& value = Setup.Values[n.Parameter];
        value = Correct(value, BenchParameters[n.Parameter].Min, BenchParameters[n.Parameter].Max);
    }
    CorrectStudy();
    return true;
}

bool CommandLine::ValidateStudy() {
    if (!Study) {
        for (const StudyOption& s : StudyOptions) {
            if (Given(s.Name)) {
                return Refuse("option " + std::string(s.Name) + " goes with --study only");
            }
        }
        return true;
    }
    if (Given("--noise")) {
        return Refuse("--study decides the noise itself (none for the peak, the noise alone for "
                      "the power): leave out --noise");
    }
    if (!SignalOnForItem(Setup.SignalItem)) {
        return Refuse("--study needs a pulse: --signal delta or --signal rectangle");
    }
    for (const NumberOption& n : NumberOptions) {
        if (n.Parameter != bpGain && Given(n.Name)) {
            return Refuse("option " + std::string(n.Name) +
                          " does not go with --study, which sets the filter's parameter from "
                          "--from to --to");
        }
    }
    return true;
}

// The bounds given are corrected to the range of the filter's parameter, and
// the points to the numbers a study may have, each with the field's message.
// The default bounds are not: the study keeps them within the range itself.
// A filter without a parameter uses none of them.
void CommandLine::CorrectStudy() {
    const int p = ParameterOfFilter(Setup.FilterItem);
    if (!Study || p == NoBenchParameter) {
        return;
    }
    const double min[] = {BenchParameters[p].Min, BenchParameters[p].Min, StudyMinPoints};
    const double max[] = {BenchParameters[p].Max, BenchParameters[p].Max, StudyMaxPoints};
    for (int s = soFrom; s <= soPoints; ++s) {
        if (Given(StudyOptions[s].Name)) {
            StudyNumbers[s] = Correct(StudyNumbers[s], min[s], max[s]);
        }
    }
}

CStudyRequest CommandLine::StudyRequest() const {
    CStudyRequest r;
    r.FilterItem = Setup.FilterItem;
    // The study's own default signal where none is given.
    if (Given("--signal")) {
        r.SignalItem = Setup.SignalItem;
    }
    r.From = StudyNumbers[soFrom];
    r.To = StudyNumbers[soTo];
    r.Points = static_cast<int>(StudyNumbers[soPoints]);
    r.Gain = Setup.Values[bpGain];
    return r;
}

int CommandLine::Apply() {
    if (Seeded) {
        SeedRandom(Seed);
    }
    std::ofstream file;
    std::ostream* target = &Out;
    if (!OutputPath.empty()) {
        file.open(OutputPath, std::ios::out | std::ios::trunc);
        if (!file) {
            Err << "matched-filter-bench: cannot write '" << OutputPath
                << "': " << std::strerror(errno) << "\n";
            return 1;
        }
        target = &file;
    }

    if (Study) {
        CBenchStudy study(StudyRequest());
        WriteStudyCsv(*target, study);
    } else if (Measure) {
        CBench bench;
        const CMeasurement m = bench.Measure(FixedSource(Setup));
        *target << FloatToText(2, m.RegistrarValue) << "\n";
    } else {
        CBench bench;
        std::vector<double> input(RunSamples), output(RunSamples);
        WriteRunCsv(*target, bench.ComputeRun(FixedSource(Setup), {input.data(), output.data()}));
    }
    target->flush();
    if (!*target) {
        Err << "matched-filter-bench: writing "
            << (OutputPath.empty() ? std::string("the output") : "'" + OutputPath + "'")
            << " failed\n";
        return 1;
    }
    return 0;
}

} // namespace

int RunBenchCommandLine(int argc, const char* const* args, std::ostream& out, std::ostream& err) {
    CommandLine commandLine(out, err);
    return commandLine.Run(argc, args);
}
