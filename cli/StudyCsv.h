#pragma once
// A parameter study as the command line writes it: CSV in the run's plain
// dialect, numbers as base/CsvNumber.h writes them.

#include <ostream>

class CBenchStudy;
struct CStudyPoint;

// The header line (StudyCsvHeader), then a line per value of study: the
// values done already, then the rest, each written as soon as it is done, so
// that a long study shows its progress. Stops, with values left undone, once
// out fails.
void WriteStudyCsv(std::ostream& out, CBenchStudy& study);

// One value's line, with its line break: the parameter's value (empty for a
// filter without a parameter), the noise-free run's peak U (mV), the noise
// power P as the registrar measured it (mV*mV), q, the measured efficiency
// and the efficiency in theory; a figure without a value is an empty field.
void WriteStudyCsvLine(std::ostream& out, const CStudyPoint& point, bool hasParameter);
