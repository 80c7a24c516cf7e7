#include "cli/StudyCsv.h"

#include <optional>

#include "base/CsvNumber.h"
#include "bench/CBenchStudy.h"
#include "cli/BenchOptions.h"

namespace {

// A field and the comma before it; nothing between the commas for a figure
// without a value.
char* Field(char* p, char* end, std::optional<double> v) {
    *p++ = ',';
    return v ? FormatCsvNumber(p, end, *v) : p;
}

} // namespace

void WriteStudyCsvLine(std::ostream& out, const CStudyPoint& point, bool hasParameter) {
    // Six numbers of at most 24 characters, five commas and the line break.
    char line[6 * 24 + 8];
    char* const end = line + sizeof line;
    char* p = hasParameter ? FormatCsvNumber(line, end, point.Value) : line;
    p = Field(p, end, point.Peak);
    p = Field(p, end, point.Measured.RegistrarValue);
    p = Field(p, end, point.Figures.Q);
    p = Field(p, end, point.Figures.Efficiency);
    p = Field(p, end, point.Theory.Figures.Efficiency);
    *p++ = '\n';
    out.write(line, p - line);
}

void WriteStudyCsv(std::ostream& out, CBenchStudy& study) {
    const bool hasParameter = ParameterOfFilter(study.Request().FilterItem) != NoBenchParameter;
    out << StudyCsvHeader << '\n';
    std::size_t written = 0;
    while (out) {
        for (; written < study.Points().size(); ++written) {
            WriteStudyCsvLine(out, study.Points()[written], hasParameter);
        }
        out.flush();
        if (!study.Step()) {
            break;
        }
    }
}
