#pragma once
// The bench's setup, written once: the choices the window offers (signal,
// noise, filter), their shown names and their values on the command line, the
// four number fields with their captions, units, ranges and defaults, which
// scheme a pair of choices draws and when the registrar can measure, and the
// design of the flat-passband low-pass. The window, the command line, the
// pictures and the bench itself all read these, so that a name or a range has
// one place to change.

#include <string>

class CChebishevFilter;

// ---------------------------------------------------------------- choices

// Items of the signal, noise and filter lists, in the order the window shows them.
enum BenchSignalItem { siDelta = 0, siRectangle = 1, siOff = 2 };
enum BenchNoiseItem { niOff = 0, niOn = 1 };
// What each filter is: FilterChoices below.
enum BenchFilterItem {
    fiMaf = 0,
    fiMafNotIdeal = 1,
    fiMeandr = 2,
    fiLowBand1 = 3,
    fiChebishev = 4
};
constexpr int SignalItemCount = 3;
constexpr int NoiseItemCount = 2;
constexpr int FilterItemCount = 5;

// An item as the command line chooses it: the option's value, the item, and
// what the item is, in English for the usage text (empty where the value says
// it well enough). Each list has one value per item, in the order the usage
// text names them.
struct CBenchChoice {
    const char* Option;
    int Item;
    const char* Description;
};
inline constexpr CBenchChoice SignalChoices[SignalItemCount] = {
    {"delta", siDelta, ""}, {"rectangle", siRectangle, ""}, {"off", siOff, ""}};
inline constexpr CBenchChoice NoiseChoices[NoiseItemCount] = {{"on", niOn, ""}, {"off", niOff, ""}};
inline constexpr CBenchChoice FilterChoices[FilterItemCount] = {
    {"rect-matched", fiMaf, "matched filter for a rectangular impulse"},
    {"rect-matched-leaky", fiMafNotIdeal, "the same with a non-ideal (leaky) integrator"},
    {"meander-matched", fiMeandr, "matched filter for a meander impulse"},
    {"lowpass-1", fiLowBand1, "first-order low-pass filter"},
    {"lowpass-flat", fiChebishev, "low-pass filter with a flat (Chebyshev) passband"}};

// The items' texts exactly as the combo boxes show them (UTF-8), e.g.
// FilterItemName(fiLowBand1) is "ФНЧ 1-го порядка"; an empty text for an item
// the list does not have.
const char* SignalItemName(int signalItem);
const char* NoiseItemName(int noiseItem);
const char* FilterItemName(int filterItem);

// Whether the signal generator gives a pulse for a signal item: only the delta
// and the rectangular impulse do; "off" and any item the list lacks are silent.
bool SignalOnForItem(int signalItem);
// Whether a run adds noise for an item of the noise list: only "off" (item 0)
// leaves the signal alone. The pre-roll and the main part follow the same
// rule, so that the filter has settled on the very noise it sees from t = 0.
inline bool NoiseAddedForItem(int noiseItem) {
    return noiseItem != niOff;
}

// ---------------------------------------------------------------- number fields

// The four number fields, in the order of the window's EditFloat1..EditFloat4.
enum BenchParameter {
    bpGain = 0,                   // the noise amplifier's gain
    bpIntegratorTimeConstant = 1, // leaky integrator of fiMafNotIdeal
    bpTimeConstant = 2,           // fiLowBand1
    bpCutOff = 3,                 // fiChebishev
};
constexpr int BenchParameterCount = 4;
// "No parameter" and "no filter" in the table's cross references.
constexpr int NoBenchParameter = -1;
constexpr int NoFilterItem = -1;

struct CBenchParameter {
    // What the window writes beside the field, exactly: the label's caption
    // ("Постоянная времени, мс:"), or for the gain the title of its group.
    const char* Caption;
    const char* Symbol; // in one-line descriptions: "K", "τ", "fc"
    const char* Unit;   // of the field's value: "мс", "Гц"; empty for the gain
    double Min, Max;    // the field's range, in Unit
    double Default;     // the field's value when the window opens, in Unit
    int FilterItem;     // the filter it sets, NoFilterItem for the gain
    // Field value times ToFilter is the value in the filter's own unit: 1 for
    // time constants (the filters count in samples of 1 ms), 0.001 for a
    // frequency in hertz, which becomes cycles per sample.
    double ToFilter;
};

// BenchParameters[p] describes field p (a BenchParameter).
extern const CBenchParameter BenchParameters[BenchParameterCount];

// The parameter field of a filter item; NoBenchParameter for the filters
// without one and for items the list lacks.
int ParameterOfFilter(int filterItem);

// ---------------------------------------------------------------- one configuration

// A configuration as the window holds it: the three choices and the four
// fields' values (indexed by BenchParameter, in the fields' units). A fresh
// one is the window's configuration at start.
struct CBenchSetup {
    CBenchSetup();
    int SignalItem;
    int NoiseItem;
    int FilterItem;
    double Values[BenchParameterCount];
};

// A number as the number fields show it: up to six significant digits, no
// trailing zeros, exponent form only for very large or small values; always
// with a decimal comma, as the program writes numbers in its texts. "100",
// "0,5", "12,25", "1e-05".
std::string BenchNumberText(double value);
// The same with digits significant digits (1..17).
std::string SignificantText(double value, int digits);

// Field p's value as the descriptions write it: its symbol, the number and
// its unit, "τ = 100 мс", "K = 2,5". UTF-8.
std::string ParameterText(int p, double value);

// The configuration in one line, for a legend or a journal row: the filter
// as the combo box names it, its parameter where it has one, the gain, then
// what enters the filter -- the signal in lower case, "+ шум" when noise is
// added to it, "шум" for noise alone, "сигнал и шум отключены" for nothing:
//   "ФНЧ 1-го порядка, τ = 100 мс, K = 1, прямоугольный импульс"
//   "ФНЧ с П - образной АЧХ, fc = 50 Гц, K = 2,5, дельта-импульс + шум"
//   "СФ для импульса \"меандр\", K = 1, шум"
// Choices the lists lack are described as the bench runs them: a signal item
// other than the two pulses as no signal, a noise item other than "off" as
// noise, a filter item without a name by its gain alone. UTF-8.
std::string DescribeSetup(const CBenchSetup& setup);

// ---------------------------------------------------------------- scheme and registrar

// Whether the registrar can measure: only noise alone reaches the filter.
bool CanMeasure(int signalItem, int noiseItem);

// The three switches of the bench scheme; true draws a switch closed.
struct CSchemeSwitches {
    bool Signal;    // the signal generator's branch into the adder
    bool Noise;     // the noise generator's branch
    bool Registrar; // the branch from the filter's output to the registrar
};
inline bool operator==(const CSchemeSwitches& a, const CSchemeSwitches& b) {
    return a.Signal == b.Signal && a.Noise == b.Noise && a.Registrar == b.Registrar;
}
inline bool operator!=(const CSchemeSwitches& a, const CSchemeSwitches& b) {
    return !(a == b);
}

// The switches for a pair of choices: a generator's branch is closed while it
// is on; the registrar's branch whenever the signal is off, with noise or
// without (without noise it has nothing to measure, but nothing is
// disconnected from it either).
CSchemeSwitches SchemeSwitchesFor(int signalItem, int noiseItem);
// Which of the window's scheme pictures Image1..Image4 shows for a pair of
// choices: 1 signal alone, 2 signal and noise, 3 noise alone, 4 neither.
int SchemeImageFor(int signalItem, int noiseItem);
// The switches drawn in scheme picture 1..4; every switch open for any
// other number.
CSchemeSwitches SchemeSwitchesOfImage(int image);

// ---------------------------------------------------------------- the flat-passband low-pass

// Its design: a Chebyshev low-pass of fixed order with a pass band that
// ripples by 5 %, its edge at 50 Hz (1 ms per sample) until the cut-off
// field is applied, and an input gain of 100, so that a signal in its pass
// band leaves it at the level of the other filters' outputs (mV for V).
constexpr int ChebishevOrder = 10;
constexpr double ChebishevRipple = 0.05;   // span of the pass-band ripple, fraction of 1
constexpr double ChebishevBandEdge = 0.05; // cycles per sample
constexpr double ChebishevGain = 100.0;    // the cascade's input multiplier

// Designs filter as the bench's: automatic order off, then the ripple, the
// order, the band edge and the gain, in the order the design's setters need,
// then the sections.
void DesignBenchChebishev(CChebishevFilter& filter);
