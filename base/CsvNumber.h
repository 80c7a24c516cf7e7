#pragma once
// Numbers as the program's CSV files write them, shared by the command line's
// run and the window's chart data, so that both give the same text for the
// same sample.

// Writes v into [first, last) exactly as printf's "%.17g" would, so that it
// reads back as the same double, and returns the end of the text. 24
// characters always suffice; with less room nothing is written and first is
// returned.
char* FormatCsvNumber(char* first, char* last, double v);

// An argument column's value (a time in ms): a whole number as an integer
// ("-250"), any other value as FormatCsvNumber writes it. 24 characters
// always suffice; with less room nothing is written and first is returned.
char* FormatCsvArgument(char* first, char* last, double t);
