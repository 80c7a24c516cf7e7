#include "cli/BenchCommandLine.h"

#include <cctype>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <string>
#include <utility>

#include "base/FloatToText.h"
#include "base/MessageHook.h"
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

// The usage line of a number option, up to its default, which the caller
// closes: the option, what it sets, and its range as the window's field has it.
std::string NumberLine(int parameter, double defaultValue) {
    const NumberOption& n = NumberOptionOf(parameter);
    const CBenchParameter& field = BenchParameters[parameter];
    std::string line = std::string("  ") + n.Name + " " + n.Metavar;
    line.resize(33, ' ');
    line += std::string(n.What) + ", " + UsageNumber(field.Min) + ".." + UsageNumber(field.Max);
    if (*n.Unit != '\0') {
        line += std::string(" ") + n.Unit;
    }
    return line + " (default " + UsageNumber(defaultValue);
}

std::string Usage() {
    const std::string indent(33, ' ');
    return "Usage: matched-filter-bench [options]\n"
           "Runs one pass of the matched filter bench (7500 samples of 1 ms, t = -2500 .. 4999 "
           "ms)\n"
           "and writes it as CSV (" +
           std::string(RunCsvHeader) +
           "), or measures the filter's output noise\n"
           "power like the registrar.\n"
           "\n"
           "Options:\n"
           "  --signal delta|rectangle|off   test signal (default delta)\n"
           "  --noise on|off                 noise generator (default off)\n" +
           NumberLine(bpGain, BenchParameters[bpGain].Default) + ")\n" +
           "  --filter NAME                  one of (default rect-matched):\n"
           "        rect-matched        matched filter for a rectangular impulse\n"
           "        rect-matched-leaky  the same with a non-ideal (leaky) integrator\n"
           "        meander-matched     matched filter for a meander impulse\n"
           "        lowpass-1           first-order low-pass filter\n"
           "        lowpass-flat        low-pass filter with a flat (Chebyshev) passband\n" +
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
    if (value < field.Min) {
        ShowMessage("Введённое значение параметра меньше минимально-допустимого.\n"
                    " Произведена коррекция.");
        return field.Min;
    }
    if (value > field.Max) {
        ShowMessage("Введённое значение параметра больше максимально-допустимого.\n"
                    " Произведена коррекция.");
        return field.Max;
    }
    return value;
}

} // namespace

void WriteRunCsv(std::ostream& out) {
    out << RunCsvHeader << '\n';
    // One line is at most 6 + 2 * 24 + 3 characters.
    char line[96];
    char* const end = line + sizeof line;
    for (int k = 0; k < RunSamples; ++k) {
        char* p = FormatCsvArgument(line, end, k - PreRollLength);
        *p++ = ',';
        p = FormatCsvNumber(p, end, InputSamples[k]);
        *p++ = ',';
        p = FormatCsvNumber(p, end, OutputSamples[k]);
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
    for (const char* name : {"--signal", "--noise", "--filter", "--seed", "--output"}) {
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
    static const std::map<std::string, int> signals = {
        {"delta", siDelta}, {"rectangle", siRectangle}, {"off", siOff}};
    static const std::map<std::string, int> noises = {{"off", niOff}, {"on", niOn}};
    static const std::map<std::string, int> filters = {{"rect-matched", fiMaf},
                                                       {"rect-matched-leaky", fiMafNotIdeal},
                                                       {"meander-matched", fiMeandr},
                                                       {"lowpass-1", fiLowBand1},
                                                       {"lowpass-flat", fiChebishev}};
    const std::pair<const char*, std::pair<const std::map<std::string, int>*, int*>> choices[] = {
        {"--signal", {&signals, &Setup.SignalItem}},
        {"--noise", {&noises, &Setup.NoiseItem}},
        {"--filter", {&filters, &Setup.FilterItem}}};

    for (const NumberOption& n : Numbers) {
        if (option == n.Name) {
            if (!ReadNumber(value, Setup.Values[n.Parameter])) {
                return Refuse("option " + option + ": '" + value + "' is not a number");
            }
            return true;
        }
    }
    for (const auto& choice : choices) {
        if (option == choice.first) {
            const auto found = choice.second.first->find(value);
            if (found == choice.second.first->end()) {
                return Refuse("option " + option + ": unknown choice '" + value + "'");
            }
            *choice.second.second = found->second;
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
    const CBenchControls controls = FixedControls(Setup);

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
        const CMeasurement m = bench.Measure(controls);
        *target << FloatToText(2, m.RegistrarValue) << "\n";
    } else {
        bench.ComputeRun(controls);
        WriteRunCsv(*target);
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
