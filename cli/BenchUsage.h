#pragma once
// The command line's usage text, which help2man also makes its manual page of.

#include <string>

// The text of --help: what the program does, every option with its values,
// range and default, and how corrections and a study's output go.
std::string BenchUsage();
