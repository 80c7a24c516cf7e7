#include "cli/BenchCommandLine.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "base/FloatToText.h"
#include "base/MessageHook.h"
#include "base/RangeCorrection.h"
#include "bench/CBench.h"

namespace {

// The heading of the run's CSV, which --help names too.
const char* const RunCsvHeader = "t_ms,input_V,output_mV";

// A number of the usage text: "%g" in the C locale.
std::string UsageNumber(double v) {
    char buffer[32];
    const std::to_chars_result r =
        std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::general, 6);
    return std::string(buffer, r.ec == std::errc() ? r.ptr : buffer);
}

// The window's three lists as options, in the order of the usage text; each
// names its items by the bench's choice values.
struct ChoiceOption {
    const char* Name;
    const CBenchChoice* Choices;
    int Count;
    int CBenchSetup::*Item;
    const char* What;
};
const ChoiceOption Lists[] = {
    {"--signal", SignalChoices, SignalItemCount, &CBenchSetup::SignalItem, "test signal"},
    {"--noise", NoiseChoices, NoiseItemCount, &CBenchSetup::NoiseItem, "noise generator"},
    {"--filter", FilterChoices, FilterItemCount, &CBenchSetup::FilterItem, "one of"}};

// The choice of a list that the value names; null for a value it lacks.
const CBenchChoice* FindChoice(const ChoiceOption& list, const std::string& value) {
    for (int c = 0; c < list.Count; ++c) {
        if (value == list.Choices[c].Option) {
            return &list.Choices[c];
        }
    }
    return nullptr;
}

// The window's number fields as options, in the order the bench reads the
// fields, which is the order of their correction messages.
struct NumberOption {
    const char* Name;
    int Parameter; // BenchParameter
    const char* Metavar;
    const char* Unit; // of the value in the usage text
    const char* What;
};
const NumberOption Numbers[] = {
    {"--integrator-time-constant", bpIntegratorTimeConstant, "MS", "ms", "leaky integrator"},
    {"--time-constant", bpTimeConstant, "MS", "ms", "first-order low-pass"},
    {"--cutoff", bpCutOff, "HZ", "Hz", "flat-passband low-pass cut-off"},
    {"--gain", bpGain, "V", "", "noise amplifier gain"}};

// The cut-off the window's field shows when the flat-passband filter is
// chosen before any run: the filter's own band edge, in the field's unit.
double DefaultCutOff() {
    return ChebishevBandEdge / BenchParameters[bpCutOff].ToFilter;
}

const NumberOption& NumberOptionOf(int parameter) {
    for (const NumberOption& n : Numbers) {
        if (n.Parameter == parameter) {
            return n;
        }
    }
    return Numbers[0];
}

// Where the usage text's descriptions of options begin.
constexpr std::size_t DescriptionColumn = 33;

// The start of an option's usage line, "  --name VALUE", padded to the
// descriptions' column.
std::string OptionColumn(const char* name, const std::string& value) {
    std::string line = std::string("  ") + name + " " + value;
    line.resize(std::max(line.size() + 1, DescriptionColumn), ' ');
    return line;
}

// A list's default, the window's choice at start, by its value.
std::string DefaultChoice(const ChoiceOption& list) {
    const int item = CBenchSetup().*list.Item;
    for (int c = 0; c < list.Count; ++c) {
        if (list.Choices[c].Item == item) {
            return list.Choices[c].Option;
        }
    }
    return "";
}

// The usage lines of a list option with its default: its values in one line,
// or, where they are described, one line each.
std::string ListLines(const ChoiceOption& list) {
    std::string values;
    std::string described;
    for (int c = 0; c < list.Count; ++c) {
        const CBenchChoice& choice = list.Choices[c];
        values += (c > 0 ? "|" : "") + std::string(choice.Option);
        if (*choice.Description != '\0') {
            std::string line = std::string("        ") + choice.Option;
            line.resize(std::max(line.size() + 2, std::size_t{28}), ' ');
            described += line + choice.Description + "\n";
        }
    }
    const std::string byDefault = " (default " + DefaultChoice(list) + ")";
    if (described.empty()) {
        return OptionColumn(list.Name, values) + list.What + byDefault + "\n";
    }
    return OptionColumn(list.Name, "NAME") + list.What + byDefault + ":\n" + described;
}

// The usage line of a number option, up to its default, which the caller
// closes: the option, what it sets, and its range as the window's field has it.
std::string NumberLine(int parameter, double defaultValue) {
    const NumberOption& n = NumberOptionOf(parameter);
    const CBenchParameter& field = BenchParameters[parameter];
    std::string line = OptionColumn(n.Name, n.Metavar);
    line += std::string(n.What) + ", " + UsageNumber(field.Min) + ".." + UsageNumber(field.Max);
    if (*n.Unit != '\0') {
        line += std::string(" ") + n.Unit;
    }
    return line + " (default " + UsageNumber(defaultValue);
}

std::string Usage() {
    const std::string indent(DescriptionColumn, ' ');
    // Sample k of a run lies at t = k - PreRollLength ms.
    return "Usage: matched-filter-bench [options]\n"
           "Runs one pass of the matched filter bench (" +
           std::to_string(RunSamples) + " samples of 1 ms, t = " + std::to_string(-PreRollLength) +
           " .. " + std::to_string(RunSamples - 1 - PreRollLength) +
           " ms)\n"
           "and writes it as CSV (" +
           std::string(RunCsvHeader) +
           "), or measures the filter's output noise\n"
           "power like the registrar.\n"
           "\n"
           "Options:\n" +
           ListLines(Lists[0]) + ListLines(Lists[1]) +
           NumberLine(bpGain, BenchParameters[bpGain].Default) + ")\n" + ListLines(Lists[2]) +
           NumberLine(bpIntegratorTimeConstant, BenchParameters[bpIntegratorTimeConstant].Default) +
           ")\n" + NumberLine(bpTimeConstant, BenchParameters[bpTimeConstant].Default) + ")\n" +
           NumberLine(bpCutOff, DefaultCutOff()) + ",\n" + indent +
           "the filter's own setting, which the window shows when\n" + indent +
           "that filter is chosen before any run)\n"
           "  --measure                      measure the output noise power (needs --signal off\n"
           "                                 --noise on) and print it in mV*mV as the registrar "
           "does\n"
           "  --seed N                       repeatable noise (default: seeded from the clock)\n"
           "  --output FILE                  write to FILE instead of standard output\n"
           "  --help                         show this text\n"
           "  --version                      show the program's version\n"
           "\n"
           "Values outside a range are corrected to the nearest bound with a message, as the\n"
           "window's fields do. Numbers may use a point or a comma as decimal mark.\n";
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

// The field's correction: to the violated bound, with the field's message.
double Correct(double value, const CBenchParameter& field) {
    const CRangeCorrection corrected = CorrectToRange(value, field.Min, field.Max, true, value);
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
    bool Validate();
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

    bool Help = false;
    bool Version = false;
    // The window's configuration at start, but for the cut-off (see DefaultCutOff).
    CBenchSetup Setup = [] {
        CBenchSetup setup;
        setup.Values[bpCutOff] = DefaultCutOff();
        return setup;
    }();
    bool Measure = false;
    bool Seeded = false;
    std::uint32_t Seed = 0;
    std::string OutputPath;
};

int CommandLine::Run(int argc, const char* const* args) {
    if (!Parse(argc, args)) {
        return Fail();
    }
    if (Help) {
        Out << Usage();
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
    for (const NumberOption& n : Numbers) {
        if (option == n.Name) {
            return true;
        }
    }
    for (const ChoiceOption& list : Lists) {
        if (option == list.Name) {
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
        if (option == "--measure") {
            if (hasValue) {
                return Refuse("option --measure takes no value");
            }
            Measure = true;
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
    }
    return true;
}

bool CommandLine::ParseValue(const std::string& option, const std::string& value) {
    for (const NumberOption& n : Numbers) {
        if (option == n.Name) {
            if (!ReadNumber(value, Setup.Values[n.Parameter])) {
                return Refuse("option " + option + ": '" + value + "' is not a number");
            }
            return true;
        }
    }
    for (const ChoiceOption& list : Lists) {
        if (option == list.Name) {
            const CBenchChoice* found = FindChoice(list, value);
            if (found == nullptr) {
                return Refuse("option " + option + ": unknown choice '" + value + "'");
            }
            Setup.*list.Item = found->Item;
            return true;
        }
    }
    if (option == "--seed") {
        char* end = nullptr;
        errno = 0;
        const unsigned long long v = std::strtoull(value.c_str(), &end, 10);
        if (value.empty() || value[0] == '-' || *end != '\0' || errno != 0 ||
            v > 0xFFFFFFFFull) {
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

bool CommandLine::Validate() {
    if (Measure && !CanMeasure(Setup.SignalItem, Setup.NoiseItem)) {
        return Refuse(
            "--measure needs the signal off and the noise on (--signal off --noise on)");
    }
    // The defaults lie within their ranges, so only values given on the line
    // can be corrected.
    for (const NumberOption& n : Numbers) {
        double& value = Setup.Values[n.Parameter];
        value = Correct(value, BenchParameters[n.Parameter]);
    }
    return true;
}

int CommandLine::Apply() {
    if (Seeded) {
        SeedRandom(Seed);
    }
    CBench bench;
    const CSetupSource source = FixedSource(Setup);

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

    if (Measure) {
        const CMeasurement m = bench.Measure(source);
        *target << FloatToText(2, m.RegistrarValue) << "\n";
    } else {
        std::vector<double> input(RunSamples), output(RunSamples);
        WriteRunCsv(*target, bench.ComputeRun(source, {input.data(), output.data()}));
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
