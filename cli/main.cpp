// matched-filter-bench: the bench's numbers without its window.

#include <iostream>

#include "cli/BenchCommandLine.h"

int main(int argc, char** argv) {
    return RunBenchCommandLine(argc, argv, std::cout, std::cerr);
}
