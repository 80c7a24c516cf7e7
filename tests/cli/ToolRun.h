#pragma once
// The command line run in-process, as a shell would run the tool.

#include <sstream>
#include <string>
#include <vector>

#include "cli/BenchCommandLine.h"

struct ToolResult {
    int status;
    std::string out;
    std::string err;
};

inline ToolResult RunTool(std::vector<const char*> args) {
    args.insert(args.begin(), "matched-filter-bench");
    std::ostringstream out, err;
    const int status = RunBenchCommandLine(static_cast<int>(args.size()), args.data(), out, err);
    return {status, out.str(), err.str()};
}

inline std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}
