#include "base/FloatToText.h"

#include <cstdio>

std::string FloatToText(unsigned precision, double value) {
    static const char* const fixed[] = {"%.0f", "%.1f", "%.2f", "%.3f",
                                        "%.4f", "%.5f", "%.6f", "%.7f"};
    const char* format = precision < 8 ? fixed[precision] : "%e";

    // Most texts fit the small buffer; the largest doubles in fixed notation
    // need over 300 characters, so measure and format again when needed.
    char buffer[100];
    int length = std::snprintf(buffer, sizeof buffer, format, value);
    std::string text;
    if (length < 0) {
        return text;
    }
    if (static_cast<size_t>(length) < sizeof buffer) {
        text.assign(buffer, static_cast<size_t>(length));
    } else {
        text.resize(static_cast<size_t>(length) + 1);
        std::snprintf(&text[0], text.size(), format, value);
        text.resize(static_cast<size_t>(length));
    }

    const std::string::size_type point = text.find('.');
    if (point != std::string::npos) {
        text[point] = ',';
    }
    return text;
}
