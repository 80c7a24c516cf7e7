#pragma once
// The command line's options as tables, read by its parser and by its usage
// text alike, so that an option is described as it is taken.

#include "bench/BenchSetup.h"

// The window's three lists as options, in the order of the usage text; each
// names its items by the bench's choice values.
struct ChoiceOption {
    const char* Name;
    const CBenchChoice* Choices;
    int Count;
    int CBenchSetup::*Item;
    const char* What;
};
inline const ChoiceOption ListOptions[] = {
    {"--signal", SignalChoices, SignalItemCount, &CBenchSetup::SignalItem, "test signal"},
    {"--noise", NoiseChoices, NoiseItemCount, &CBenchSetup::NoiseItem, "noise generator"},
    {"--filter", FilterChoices, FilterItemCount, &CBenchSetup::FilterItem, "one of"}};
enum ListOptionIndex { loSignal = 0, loNoise = 1, loFilter = 2 };

// The window's number fields as options, in the order the bench reads the
// fields, which is the order of their correction messages.
struct NumberOption {
    const char* Name;
    int Parameter; // BenchParameter
    const char* Metavar;
    const char* Unit; // of the value in the usage text
    const char* What;
};
inline const NumberOption NumberOptions[] = {
    {"--integrator-time-constant", bpIntegratorTimeConstant, "MS", "ms", "leaky integrator"},
    {"--time-constant", bpTimeConstant, "MS", "ms", "first-order low-pass"},
    {"--cutoff", bpCutOff, "HZ", "Hz", "flat-passband low-pass cut-off"},
    {"--gain", bpGain, "V", "", "noise amplifier gain"}};

// The option of a number field (a BenchParameter).
const NumberOption& NumberOptionOf(int parameter);

// The cut-off the window's field shows when the flat-passband filter is
// chosen before any run: the filter's own band edge, in the field's unit.
double DefaultCutOff();

// The study's own numbers, in the order of the usage text and of their
// correction messages.
struct StudyOption {
    const char* Name;
    const char* Metavar;
    const char* What;
};
enum StudyOptionIndex { soFrom = 0, soTo = 1, soPoints = 2 };
inline const StudyOption StudyOptions[] = {{"--from", "A", "the study's first bound"},
                                           {"--to", "B", "the study's other bound"},
                                           {"--points", "N", "values in the study"}};

// The headings of the two CSV texts, which the usage text names too.
extern const char* const RunCsvHeader;
extern const char* const StudyCsvHeader;
