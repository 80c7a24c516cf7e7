#include "bench/BenchSetup.h"

#include <charconv>

#include "filters/CChebishevFilter.h"

namespace {

const char* const SignalNames[SignalItemCount] = {"Дельта-импульс", "Прямоугольный импульс",
                                                  "Отключен"};
const char* const NoiseNames[NoiseItemCount] = {"Отключен", "Подключен"};
const char* const FilterNames[FilterItemCount] = {
    "СФ для прямоугольного импульса", "СФ для прямоугольного импульса с неидеальным интегратором",
    "СФ для импульса \"меандр\"", "ФНЧ 1-го порядка", "ФНЧ с П - образной АЧХ"};

template <int N> const char* NameOf(const char* const (&names)[N], int item) {
    return item >= 0 && item < N ? names[item] : "";
}

// The text with its first letter in lower case, for the Latin and the basic
// Cyrillic capitals (А..Я) that the item names begin with.
std::string LowerFirst(std::string text) {
    const auto byte = [&text](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    if (!text.empty() && byte(0) >= 'A' && byte(0) <= 'Z') {
        text[0] = static_cast<char>(byte(0) - 'A' + 'a');
    } else if (text.size() >= 2 && byte(0) == 0xD0 && byte(1) >= 0x90 && byte(1) <= 0xAF) {
        // U+0410..U+041F become U+0430..U+043F (D0 B0..BF), U+0420..U+042F
        // become U+0440..U+044F (D1 80..8F).
        if (byte(1) <= 0x9F) {
            text[1] = static_cast<char>(byte(1) + 0x20);
        } else {
            text[0] = static_cast<char>(0xD1);
            text[1] = static_cast<char>(byte(1) - 0x20);
        }
    }
    return text;
}

} // namespace

const CBenchParameter BenchParameters[BenchParameterCount] = {
    {" Коэффициент усиления  ", "K", "", 0, 1000, 1, NoFilterItem, 1.0},
    {"Постоянная времени интегратора, мс:", "τ", "мс", 10, 100000, 100, fiMafNotIdeal, 1.0},
    {"Постоянная времени, мс:", "τ", "мс", 10, 10000, 100, fiLowBand1, 1.0},
    {"Частота среза, Гц:", "fc", "Гц", 1, 300, 1, fiChebishev, 0.001},
};

const char* SignalItemName(int signalItem) {
    return NameOf(SignalNames, signalItem);
}

const char* NoiseItemName(int noiseItem) {
    return NameOf(NoiseNames, noiseItem);
}

const char* FilterItemName(int filterItem) {
    return NameOf(FilterNames, filterItem);
}

bool SignalOnForItem(int signalItem) {
    return signalItem == siDelta || signalItem == siRectangle;
}

int ParameterOfFilter(int filterItem) {
    for (int p = 0; p < BenchParameterCount; ++p) {
        if (BenchParameters[p].FilterItem != NoFilterItem &&
            BenchParameters[p].FilterItem == filterItem) {
            return p;
        }
    }
    return NoBenchParameter;
}

CBenchSetup::CBenchSetup() : SignalItem(siDelta), NoiseItem(niOff), FilterItem(fiMaf) {
    for (int p = 0; p < BenchParameterCount; ++p) {
        Values[p] = BenchParameters[p].Default;
    }
}

std::string BenchNumberText(double value) {
    return SignificantText(value, 6);
}

std::string SignificantText(double value, int digits) {
    // Precision 6 in general form is "%g", rounded exactly and in no locale.
    char buffer[40];
    const std::to_chars_result r = std::to_chars(buffer, buffer + sizeof buffer, value,
                                                 std::chars_format::general,
                                                 digits < 1 ? 1 : digits > 17 ? 17 : digits);
    std::string text(buffer, r.ec == std::errc() ? r.ptr : buffer);
    const std::string::size_type point = text.find('.');
    if (point != std::string::npos) {
        text[point] = ',';
    }
    return text;
}

std::string ParameterText(int p, double value) {
    const CBenchParameter& parameter = BenchParameters[p];
    std::string text = parameter.Symbol;
    text += " = ";
    text += BenchNumberText(value);
    if (*parameter.Unit != '\0') {
        text += ' ';
        text += parameter.Unit;
    }
    return text;
}

std::string DescribeSetup(const CBenchSetup& setup) {
    std::string text = FilterItemName(setup.FilterItem);
    auto term = [&text](int p, double value) {
        if (!text.empty()) {
            text += ", ";
        }
        text += ParameterText(p, value);
    };
    const int own = ParameterOfFilter(setup.FilterItem);
    if (own != NoBenchParameter) {
        term(own, setup.Values[own]);
    }
    term(bpGain, setup.Values[bpGain]);

    // What enters the filter, as the bench runs it.
    const bool noise = NoiseAddedForItem(setup.NoiseItem);
    text += ", ";
    if (SignalOnForItem(setup.SignalItem)) {
        text += LowerFirst(SignalItemName(setup.SignalItem));
        text += noise ? " + шум" : "";
    } else {
        text += noise ? "шум" : "сигнал и шум отключены";
    }
    return text;
}

bool CanMeasure(int signalItem, int noiseItem) {
    return !SignalOnForItem(signalItem) && NoiseAddedForItem(noiseItem);
}

CSchemeSwitches SchemeSwitchesFor(int signalItem, int noiseItem) {
    const bool signal = SignalOnForItem(signalItem);
    return {signal, NoiseAddedForItem(noiseItem), !signal};
}

int SchemeImageFor(int signalItem, int noiseItem) {
    const bool noise = NoiseAddedForItem(noiseItem);
    if (SignalOnForItem(signalItem)) {
        return noise ? 2 : 1;
    }
    return noise ? 3 : 4;
}

CSchemeSwitches SchemeSwitchesOfImage(int image) {
    // A picture shows the switches of the choices it stands for.
    for (int s = 0; s < SignalItemCount; ++s) {
        for (int n = 0; n < NoiseItemCount; ++n) {
            if (SchemeImageFor(s, n) == image) {
                return SchemeSwitchesFor(s, n);
            }
        }
    }
    return {false, false, false};
}

void DesignBenchChebishev(CChebishevFilter& filter) {
    // The order is fixed before the ripple and the edge are set, so that
    // neither setter chooses an order of its own.
    filter.SetAutoOrder(false);
    filter.SetRipple(ChebishevRipple);
    filter.SetOrder(ChebishevOrder);
    // Setting the edge after the order recomputes the whole design for it.
    filter.SetCyclicBandEdge(ChebishevBandEdge);
    filter.SetGain(ChebishevGain);
    filter.Design();
}
