#include "base/TextTable.h"

#include "base/CsvDialect.h"

namespace {

std::string TsvCell(std::string text) {
    for (char& ch : text) {
        if (ch == '\t' || ch == '\n' || ch == '\r') {
            ch = ' ';
        }
    }
    return text;
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
    return CsvByteOrderMark + Lines(table, CsvField, CsvSeparator, CsvLineEnd);
}
