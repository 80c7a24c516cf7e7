#include "base/CsvNumber.h"

#include <algorithm>
#include <charconv>
#include <cmath>

char* FormatCsvNumber(char* first, char* last, double v, char decimalMark) {
    // Precision 17 in general form is printf's "%.17g" to the byte, and reads
    // back as the same double; the shortest round-trip form would not be the
    // same text.
    const std::to_chars_result r = std::to_chars(first, last, v, std::chars_format::general, 17);
    if (r.ec != std::errc()) {
        return first;
    }
    // The text holds one point at most, and nothing else that could be taken
    // for a decimal mark.
    std::replace(first, r.ptr, '.', decimalMark);
    return r.ptr;
}

char* FormatCsvArgument(char* first, char* last, double t, char decimalMark) {
    // Whole numbers of up to 15 digits are exact in a double and in a long long.
    if (std::isfinite(t) && t == std::trunc(t) && std::fabs(t) < 1e15) {
        const std::to_chars_result r = std::to_chars(first, last, static_cast<long long>(t));
        return r.ec == std::errc() ? r.ptr : first;
    }
    return FormatCsvNumber(first, last, t, decimalMark);
}
