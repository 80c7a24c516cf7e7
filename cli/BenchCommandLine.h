#pragma once
// The command-line bench, for teachers who prepare exercises: one run as CSV,
// one registrar measurement, or a study of one filter over values of its
// parameter as CSV, with the window's parameters as options.

#include <ostream>

#include "base/CsvNumber.h"

struct CBenchRun;

// Runs the command line args (args[0] is the program name). Writes the CSV or
// the measured power to out (or to --output), usage to out for --help, and
// errors and correction messages to err.
// Returns 0 on success, 1 when the output file cannot be written, 2 for an
// unknown option, a missing or unreadable value, a bad choice, or options
// that do not go together (a study with --measure, --noise, --signal off or
// a filter's parameter; a study's options without --study).
int RunBenchCommandLine(int argc, const char* const* args, std::ostream& out, std::ostream& err);

// The run as CSV: the header line "t_ms,input_V,output_mV", then one line
// per sample, t in whole ms.
void WriteRunCsv(std::ostream& out, const CBenchRun& run);
