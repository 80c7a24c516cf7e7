#pragma once
// A table of texts -- a heading line, then one line per row -- in the two
// forms a student takes away: tab-separated text for the clipboard, which a
// spreadsheet pastes as cells, and CSV as Russian spreadsheets open it.
// Texts are UTF-8.

#include <string>
#include <vector>

// Lines of cells, the headings first; lines may differ in length.
using TTextTable = std::vector<std::vector<std::string>>;

// The table of rows with columns columns: the headings name(c), then for
// each row the cells cell(row, c).
template <class Row, class Name, class Cell>
TTextTable MakeTextTable(const std::vector<Row>& rows, int columns, Name name, Cell cell) {
    TTextTable table(1 + rows.size());
    for (int c = 0; c < columns; ++c) {
        table[0].push_back(name(c));
        for (std::size_t r = 0; r < rows.size(); ++r) {
            table[1 + r].push_back(cell(rows[r], c));
        }
    }
    return table;
}

// flag(c) of columns 0 .. columns-1, e.g. which of a table's columns hold numbers.
template <class Flag> std::vector<bool> ColumnFlags(int columns, Flag flag) {
    std::vector<bool> flags;
    for (int c = 0; c < columns; ++c) {
        flags.push_back(flag(c));
    }
    return flags;
}

// Cells separated by tabs, each line ended by "\n". Tabs and line breaks
// within a cell become spaces, so that they cannot split it.
std::string TableTsv(const TTextTable& table);

// The CSV of Russian spreadsheets (base/CsvDialect.h), every cell a field.
std::string TableCsv(const TTextTable& table);
