#include "cli/BenchOptions.h"

const char* const RunCsvHeader = "t_ms,input_V,output_mV";
const char* const StudyCsvHeader =
    "value,peak_mV,noise_power_mVmV,snr,efficiency,efficiency_theory";

const NumberOption& NumberOptionOf(int parameter) {
    for (const NumberOption& n : NumberOptions) {
        if (n.Parameter == parameter) {
            return n;
        }
    }
    return NumberOptions[0];
}

double DefaultCutOff() {
    return ChebishevBandEdge / BenchParameters[bpCutOff].ToFilter;
}
