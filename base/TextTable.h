#pragma once
// A table of texts -- a heading line, then one line per row -- in the two
// forms a student takes away: tab-separated text for the clipboard, which a
// spreadsheet pastes as cells, and CSV as Russian spreadsheets open it.
// Texts are UTF-8.

#include <string>
#include <vector>

// Lines of cells, the headings first; lines may differ in length.
using TTextTable = std::vector<std::vector<std::string>>;

// Cells separated by tabs, each line ended by "\n". Tabs and line breaks
// within a cell become spaces, so that they cannot split it.
std::string TableTsv(const TTextTable& table);

// The CSV of Russian spreadsheets (base/CsvDialect.h), every cell a field.
std::string TableCsv(const TTextTable& table);
