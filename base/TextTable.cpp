#include "base/TextTable.h"

namespace {

std::string TsvCell(std::string text) {
    for (char& ch : text) {
        if (ch == '\t' || ch == '\n' || ch == '\r') {
            ch = ' ';
        }
    }
    return text;
}

std::string CsvField(const std::string& text) {
    if (text.find_first_of(";\"\r\n") == std::string::npos) {
        return text;
    }
    std::string quoted = "\"";
    for (char ch : text) {
        quoted += ch;
        if (ch == '"') {
            quoted += '"';
        }
    }
    quoted += '"';
    return quoted;
}

template <class Cell>
std::string Lines(const TTextTable& table, Cell cell, const char* separator, const char* end) {
    std::string text;
    for (const std::vector<std::string>& line : table) {
        for (std::size_t c = 0; c < line.size(); ++c) {
            if (c > 0) {
                text += separator;
            }
            text += cell(line[c]);
        }
        text += end;
    }
    return text;
}

} // namespace

std::string TableTsv(const TTextTable& table) {
    return Lines(table, TsvCell, "\t", "\n");
}

std::string TableCsv(const TTextTable& table) {
    // The byte order mark is what tells a spreadsheet that the file is UTF-8
    // rather than the system's 8-bit code page.
    return "\xEF\xBB\xBF" + Lines(table, CsvField, ";", "\r\n");
}
