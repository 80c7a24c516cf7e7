#include <cstdio>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "bench/CBench.h"
#include "cli/BenchCommandLine.h"

TEST(CsvNumber, RunCsvSameAsPrintfLines) {
    SeedRandom(8);
    CBench bench;
    CSetupSource c;
    c.SignalItem = siRectangle;
    c.NoiseItem = niOn;
    c.FilterItem = fiChebishev;
    c.Gain = [] { return 0.37; };
    const CBenchRun run = bench.ComputeRun(c, {InputSamples, OutputSamples});

    std::string expected = "t_ms,input_V,output_mV\n";
    for (int k = 0; k < RunSamples; ++k) {
        char line[128];
        std::snprintf(line, sizeof line, "%d,%.17g,%.17g\n", k - PreRollLength, InputSamples[k],
                      OutputSamples[k]);
        expected += line;
    }
    std::ostringstream out;
    WriteRunCsv(out, run);
    EXPECT_TRUE(out.str() == expected);
}
