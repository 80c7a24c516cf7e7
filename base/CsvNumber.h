#pragma once
// Numbers as the program's CSV files write them, shared by the command line's
// run and the window's chart data, so that both give the same digits for the
// same sample.

// Writes v into [first, last) exactly as printf's "%.17g" would, so that it
// reads back as the same double, and returns the end of the text; the decimal
// point is written as decimalMark (',' for a Russian spreadsheet), which a
// reader takes for a point again. 24 characters always suffice; with less
// room nothing is written and first is returned.
char* FormatCsvNumber(char* first, char* last, double v, char decimalMark = '.');

// An argument column's value (a time in ms): a whole number as an integer
// ("-250"), any other value as FormatCsvNumber writes it. 24 characters
// always suffice; with less room nothing is written and first is returned.
char* FormatCsvArgument(char* first, char* last, double t, char decimalMark = '.');
