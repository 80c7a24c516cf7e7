#include "cli/BenchUsage.h"

#include <algorithm>
#include <charconv>

#include "bench/BenchConstants.h"
#include "bench/BenchSamples.h"
#include "bench/CBenchStudy.h"
#include "cli/BenchOptions.h"

namespace {

// A number of the usage text: "%g" in the C locale.
std::string UsageNumber(double v) {
    char buffer[32];
    const std::to_chars_result r =
        std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::general, 6);
    return std::string(buffer, r.ec == std::errc() ? r.ptr : buffer);
}

// Where the usage text's descriptions of options begin, and how wide its
// lines may grow.
constexpr std::size_t DescriptionColumn = 33;
constexpr std::size_t OptionLineWidth = 86;
constexpr std::size_t ParagraphWidth = 80;

// The start of an option's usage line, "  --name VALUE", padded to the
// descriptions' column.
std::string OptionColumn(const char* name, const std::string& value) {
    std::string line = std::string("  ") + name + (value.empty() ? "" : " ") + value;
    line.resize(std::max(line.size() + 1, DescriptionColumn), ' ');
    return line;
}

// text broken into lines of at most width characters at its spaces, the
// first line continuing one that already holds column characters, the
// others indented by indent; ends with a line break.
std::string Wrapped(const std::string& text, std::size_t column, std::size_t indent,
                    std::size_t width) {
    std::string lines;
    std::size_t at = column;
    bool lineEmpty = true;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t space = text.find(' ', start);
        const std::size_t end = space == std::string::npos ? text.size() : space;
        const std::size_t word = end - start;
        if (!lineEmpty && at + 1 + word > width) {
            lines += "\n" + std::string(indent, ' ');
            at = indent;
            lineEmpty = true;
        }
        if (!lineEmpty) {
            lines += ' ';
            ++at;
        }
        lines.append(text, start, word);
        at += word;
        lineEmpty = false;
        start = end + 1;
    }
    return lines + "\n";
}

// An option's usage lines: its column, then its description wrapped below it.
std::string OptionLines(const char* name, const std::string& value, const std::string& what) {
    const std::string column = OptionColumn(name, value);
    return column + Wrapped(what, column.size(), DescriptionColumn, OptionLineWidth);
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

// Bounds of a field's value as the usage text gives them: "10..10000 ms".
std::string BoundsText(int parameter, double min, double max) {
    const char* unit = NumberOptionOf(parameter).Unit;
    return UsageNumber(min) + ".." + UsageNumber(max) + (*unit != '\0' ? " " : "") + unit;
}

std::string RangeText(int parameter) {
    return BoundsText(parameter, BenchParameters[parameter].Min, BenchParameters[parameter].Max);
}

// The usage line of a number option, up to its default, which the caller
// closes: the option, what it sets, and its range as the window's field has it.
std::string NumberLine(int parameter, double defaultValue) {
    const NumberOption& n = NumberOptionOf(parameter);
    return OptionColumn(n.Name, n.Metavar) + n.What + ", " + RangeText(parameter) + " (default " +
           UsageNumber(defaultValue);
}

// The study's options and what it writes. The bounds of each filter with a
// parameter are named with the field's range, and where the study's default
// bounds do not lie within it, with the bounds it takes instead.
std::string StudyLines() {
    const CStudyRequest defaults;
    const StudyOption& from = StudyOptions[soFrom];
    const StudyOption& to = StudyOptions[soTo];
    const StudyOption& points = StudyOptions[soPoints];
    return OptionLines("--study", "",
                       "study the filter at values of its own parameter: for each, the peak "
                       "of a noise-free run (--signal delta or rectangle, default " +
                           std::string(SignalChoices[defaults.SignalItem].Option) +
                           "), the output noise power measured at --gain, and the efficiency "
                           "measured and in theory, as CSV (see below)") +
           OptionLines(from.Name, from.Metavar,
                       std::string(from.What) + ", in the parameter's unit (default " +
                           UsageNumber(defaults.From) + ")") +
           OptionLines(to.Name, to.Metavar,
                       std::string(to.What) + " (default " + UsageNumber(defaults.To) + ")") +
           OptionLines(points.Name, points.Metavar,
                       std::string(points.What) + ", " + std::to_string(StudyMinPoints) + ".." +
                           std::to_string(StudyMaxPoints) + " (default " +
                           std::to_string(defaults.Points) + ")");
}

// The paragraph on a study's output, after the options.
std::string StudyParagraph() {
    std::string ranges;
    const CStudyRequest defaults;
    for (const CBenchChoice& filter : FilterChoices) {
        const int p = ParameterOfFilter(filter.Item);
        if (p == NoBenchParameter) {
            continue;
        }
        ranges += std::string(ranges.empty() ? "" : ", ") + filter.Option + " " + RangeText(p);
        CStudyRequest r = defaults;
        r.FilterItem = filter.Item;
        const CStudyRequest taken = NormalizedStudy(r);
        if (taken.From != defaults.From || taken.To != defaults.To) {
            ranges += " (by default " + BoundsText(p, taken.From, taken.To) + ")";
        }
    }
    return "A study writes CSV with the header\n" + std::string(StudyCsvHeader) + "\n" +
           Wrapped("and a line per value of the filter's parameter, in its unit, rising. The "
                   "bounds lie within the parameter's range: " +
                       ranges +
                       "; the values are spaced logarithmically when the bounds lie more than " +
                       UsageNumber(StudyLogarithmicRatio) +
                       " times apart. A filter without a parameter gives one line, its value "
                       "empty. The study makes its own runs without noise and measurements of "
                       "the noise alone, so it takes neither --noise, --measure nor a filter's "
                       "parameter. A figure without a value (no snr without noise, at gain 0) "
                       "is an empty field.",
                   0, 0, ParagraphWidth);
}

} // namespace

std::string BenchUsage() {
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
           "power like the registrar, or studies the filter at values of its parameter.\n"
           "\n"
           "Options:\n" +
           ListLines(ListOptions[loSignal]) + ListLines(ListOptions[loNoise]) +
           NumberLine(bpGain, BenchParameters[bpGain].Default) + ")\n" +
           ListLines(ListOptions[loFilter]) +
           NumberLine(bpIntegratorTimeConstant, BenchParameters[bpIntegratorTimeConstant].Default) +
           ")\n" + NumberLine(bpTimeConstant, BenchParameters[bpTimeConstant].Default) + ")\n" +
           NumberLine(bpCutOff, DefaultCutOff()) + ",\n" + indent +
           "the filter's own setting, which the window shows when\n" + indent +
           "that filter is chosen before any run)\n"
           "  --measure                      measure the output noise power (needs --signal off\n"
           "                                 --noise on) and print it in mV*mV as the registrar "
           "does\n" +
           StudyLines() +
           "  --seed N                       repeatable noise (default: seeded from the clock)\n"
           "  --output FILE                  write to FILE instead of standard output\n"
           "  --help                         show this text\n"
           "  --version                      show the program's version\n"
           "\n"
           "Values outside a range are corrected to the nearest bound with a message, as the\n"
           "window's fields do. Numbers may use a point or a comma as decimal mark.\n"
           "\n" +
           StudyParagraph();
}
