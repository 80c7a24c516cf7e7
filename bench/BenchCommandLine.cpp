#include "bench/BenchCommandLine.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
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

const char* const Usage =
    "Usage: matched-filter-bench [options]\n"
    "Runs one pass of the matched filter bench (7500 samples of 1 ms, t = -2500 .. 4999 ms)\n"
    "and writes it as CSV (t_ms,input_V,output_mV), or measures the filter's output noise\n"
    "power like the registrar.\n"
    "\n"
    "Options:\n"
    "  --signal delta|rectangle|off   test signal (default delta)\n"
    "  --noise on|off                 noise generator (default off)\n"
    "  --gain V                       noise amplifier gain, 0..1000 (default 1)\n"
    "  --filter NAME                  one of (default rect-matched):\n"
    "        rect-matched        matched filter for a rectangular impulse\n"
    "        rect-matched-leaky  the same with a non-ideal (leaky) integrator\n"
    "        meander-matched     matched filter for a meander impulse\n"
    "        lowpass-1           first-order low-pass filter\n"
    "        lowpass-flat        low-pass filter with a flat (Chebyshev) passband\n"
    "  --integrator-time-constant MS  leaky integrator, 10..100000 ms (default 100)\n"
    "  --time-constant MS             first-order low-pass, 10..10000 ms (default 100)\n"
    "  --cutoff HZ                    flat-passband low-pass cut-off, 1..300 Hz (default 1)\n"
    "  --measure                      measure the output noise power (needs --signal off\n"
    "                                 --noise on) and print it in mV*mV as the registrar does\n"
    "  --seed N                       repeatable noise (default: seeded from the clock)\n"
    "  --output FILE                  write to FILE instead of standard output\n"
    "  --help                         show this text\n"
    "\n"
    "Values outside a range are corrected to the nearest bound with a message, as the\n"
    "window's fields do. Numbers may use a point or a comma as decimal mark.\n";

struct Range {
    double Min;
    double Max;
};

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
double Correct(double value, Range range) {
    if (value < range.Min) {
        ShowMessage("Введённое значение параметра меньше минимально-допустимого.\n"
                    " Произведена коррекция.");
        return range.Min;
    }
    if (value > range.Max) {
        ShowMessage("Введённое значение параметра больше максимально-допустимого.\n"
                    " Произведена коррекция.");
        return range.Max;
    }
    return value;
}

// Writes one CSV number so that it reads back as the same double.
void WriteNumber(std::ostream& out, double v) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.17g", v);
    out << buffer;
}

class CommandLine {
  public:
    CommandLine(std::ostream& out, std::ostream& err) : out(out), err(err) {}

    int Run(int argc, const char* const* args);

  private:
    int Fail(const std::string& text) {
        err << "matched-filter-bench: " << text << " (see --help)\n";
        return 2;
    }
    int Execute();

    std::ostream& out;
    std::ostream& err;

    int signal = siDelta;
    int noise = niOff;
    int filter = fiMaf;
    double gain = 1.0;
    double integratorTimeConstant = 100.0;
    double timeConstant = 100.0;
    double cutOff = 1.0;
    bool measure = false;
    bool seeded = false;
    std::uint32_t seed = 0;
    std::string outputPath;
};

int CommandLine::Run(int argc, const char* const* args) {
    static const std::map<std::string, int> signals = {
        {"delta", siDelta}, {"rectangle", siRectangle}, {"off", siOff}};
    static const std::map<std::string, int> noises = {{"off", niOff}, {"on", niOn}};
    static const std::map<std::string, int> filters = {{"rect-matched", fiMaf},
                                                       {"rect-matched-leaky", fiMafNotIdeal},
                                                       {"meander-matched", fiMeandr},
                                                       {"lowpass-1", fiLowBand1},
                                                       {"lowpass-flat", fiChebishev}};
    struct NumberOption {
        double* target;
        Range range;
    };
    const std::map<std::string, NumberOption> numbers = {
        {"--gain", {&gain, {0, 1000}}},
        {"--integrator-time-constant", {&integratorTimeConstant, {10, 100000}}},
        {"--time-constant", {&timeConstant, {10, 10000}}},
        {"--cutoff", {&cutOff, {1, 300}}}};
    const std::map<std::string, std::pair<const std::map<std::string, int>*, int*>> choices = {
        {"--signal", {&signals, &signal}},
        {"--noise", {&noises, &noise}},
        {"--filter", {&filters, &filter}}};

    // Options first, corrections after: a bad option later on the line must
    // not leave correction messages behind.
    std::map<std::string, std::string> numberTexts;
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
            out << Usage;
            return 0;
        }
        if (option == "--measure") {
            if (hasValue) {
                return Fail("option --measure takes no value");
            }
            measure = true;
            continue;
        }
        const bool known = numbers.count(option) || choices.count(option) || option == "--seed" ||
                           option == "--output";
        if (!known) {
            return Fail("unknown option '" + option + "'");
        }
        if (!hasValue) {
            if (i + 1 >= argc || !args[i + 1]) {
                return Fail("option " + option + " needs a value");
            }
            value = args[++i];
        }
        if (numbers.count(option)) {
            double v = 0;
            if (!ReadNumber(value, v)) {
                return Fail("option " + option + ": '" + value + "' is not a number");
            }
            numberTexts[option] = value;
            *numbers.at(option).target = v;
        } else if (choices.count(option)) {
            const auto& choice = choices.at(option);
            const auto found = choice.first->find(value);
            if (found == choice.first->end()) {
                return Fail("option " + option + ": unknown choice '" + value + "'");
            }
            *choice.second = found->second;
        } else if (option == "--seed") {
            char* end = nullptr;
            errno = 0;
            const unsigned long long v = std::strtoull(value.c_str(), &end, 10);
            if (value.empty() || value[0] == '-' || *end != '\0' || errno != 0 ||
                v > 0xFFFFFFFFull) {
                return Fail("option --seed: '" + value + "' is not a whole number 0..4294967295");
            }
            seeded = true;
            seed = static_cast<std::uint32_t>(v);
        } else {
            if (value.empty()) {
                return Fail("option --output needs a file name");
            }
            outputPath = value;
        }
    }
    if (measure && (signal != siOff || noise != niOn)) {
        return Fail("--measure needs the signal off and the noise on (--signal off --noise on)");
    }

    // The corrections and their messages, in the order the bench reads the fields.
    MessageHandler previous = SetMessageHandler(
        [this](const std::string& text) { err << "matched-filter-bench: " << text << "\n"; });
    for (const char* name :
         {"--integrator-time-constant", "--time-constant", "--cutoff", "--gain"}) {
        if (numberTexts.count(name)) {
            const NumberOption& n = numbers.at(name);
            *n.target = Correct(*n.target, n.range);
        }
    }
    const int status = Execute();
    SetMessageHandler(std::move(previous));
    return status;
}

int CommandLine::Execute() {
    if (seeded) {
        SeedRandom(seed);
    }
    SignalGenerator.Kind = signal == siDelta       ? skDelta
                           : signal == siRectangle ? skRectangle
                                                   : skOff;

    CBench bench;
    CBenchControls controls;
    controls.SignalItem = signal;
    controls.NoiseItem = noise;
    controls.FilterItem = filter;
    controls.IntegratorTimeConstant = [this] { return integratorTimeConstant; };
    controls.TimeConstant = [this] { return timeConstant; };
    controls.CutOff = [this] { return cutOff; };
    controls.Gain = [this] { return gain; };

    std::ofstream file;
    std::ostream* target = &out;
    if (!outputPath.empty()) {
        file.open(outputPath, std::ios::out | std::ios::trunc);
        if (!file) {
            err << "matched-filter-bench: cannot write '" << outputPath
                << "': " << std::strerror(errno) << "\n";
            return 1;
        }
        target = &file;
    }

    if (measure) {
        const CMeasurement m = bench.Measure(controls);
        *target << FloatToText(2, m.RegistrarValue) << "\n";
    } else {
        bench.ComputeRun(controls);
        *target << "t_ms,input_V,output_mV\n";
        for (int k = 0; k < RunSamples; ++k) {
            *target << (k - PreRollLength) << ',';
            WriteNumber(*target, InputSamples[k]);
            *target << ',';
            WriteNumber(*target, OutputSamples[k]);
            *target << '\n';
        }
    }
    target->flush();
    if (!*target) {
        err << "matched-filter-bench: writing "
            << (outputPath.empty() ? std::string("the output") : "'" + outputPath + "'")
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
