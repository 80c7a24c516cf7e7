#pragma once
// The CSV that a Russian spreadsheet opens as columns without asking: UTF-8
// with a byte order mark (else it takes the system's 8-bit code page), ';'
// between fields because the comma is the decimal mark, lines ended by
// "\r\n". The journal and a chart's data are written so.

#include <string>

inline constexpr char CsvByteOrderMark[] = "\xEF\xBB\xBF";
inline constexpr char CsvSeparator[] = ";";
inline constexpr char CsvLineEnd[] = "\r\n";
inline constexpr char CsvDecimalMark = ',';

// text (UTF-8) as one field: unchanged, or put in double quotes with its
// quotes doubled when it holds ';', '"' or a line break, which would split it.
std::string CsvField(const std::string& text);
