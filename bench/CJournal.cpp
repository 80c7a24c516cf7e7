#include "bench/CJournal.h"

#include "base/FloatToText.h"
#include "bench/CBench.h"

namespace {

const char* const ColumnNames[JournalColumnCount] = {"Время",
                                                     "Сигнал",
                                                     "Шум",
                                                     "Усиление",
                                                     "Фильтр",
                                                     "Параметр",
                                                     "Регистратор, мВ*мВ",
                                                     "Пик выхода, мВ",
                                                     "Время пика, мс",
                                                     "Примечание"};

std::string FilterParameterText(const CBenchSetup& setup) {
    const int p = ParameterOfFilter(setup.FilterItem);
    return p == NoBenchParameter ? "—" : ParameterText(p, setup.Values[p]);
}

// The cells of one line of either text form, in column order.
template <class Field>
std::string Line(const Field& field, const char* separator, const char* end) {
    std::string line;
    for (int c = 0; c < JournalColumnCount; ++c) {
        if (c > 0) {
            line += separator;
        }
        line += field(c);
    }
    line += end;
    return line;
}

std::string TsvCell(std::string text) {
    for (char& ch : text) {
        if (ch == '\t' || ch == '\n' || ch == '\r') {
            ch = ' ';
        }
    }
    return text;
}

std::string CsvField(const std::string& text) {
    if (text.find_first_of(";\"\r\n") == std::string::npos) {
        return text;
    }
    std::string quoted = "\"";
    for (char ch : text) {
        quoted += ch;
        if (ch == '"') {
            quoted += '"';
        }
    }
    quoted += '"';
    return quoted;
}

} // namespace

CJournalRow RunRow(const std::string& time, const CBenchRun& run) {
    CJournalRow row;
    row.Time = time;
    row.Setup = run.Setup;
    row.Run = true;
    row.Peak = run.Peak;
    return row;
}

bool SameRunResult(const CJournalRow& a, const CJournalRow& b) {
    if (!a.Run || !b.Run || a.Setup.SignalItem != b.Setup.SignalItem ||
        a.Setup.NoiseItem != b.Setup.NoiseItem || a.Setup.FilterItem != b.Setup.FilterItem ||
        a.Peak.Value != b.Peak.Value || a.Peak.Time != b.Peak.Time) {
        return false;
    }
    for (int p = 0; p < BenchParameterCount; ++p) {
        if (a.Setup.Values[p] != b.Setup.Values[p]) {
            return false;
        }
    }
    return true;
}

CJournalRow MeasurementRow(const std::string& time, const CMeasurement& measurement,
                           const std::string& reading) {
    CJournalRow row;
    row.Time = time;
    row.Setup = measurement.Setup;
    row.Reading = reading;
    return row;
}

const char* JournalColumnName(int column) {
    return column >= 0 && column < JournalColumnCount ? ColumnNames[column] : "";
}

bool JournalColumnIsNumber(int column) {
    return column == jcGain || column == jcReading || column == jcPeak || column == jcPeakTime;
}

std::string JournalCell(const CJournalRow& row, int column) {
    switch (column) {
    case jcTime:
        return row.Time;
    case jcSignal:
        return SignalItemName(row.Setup.SignalItem);
    case jcNoise:
        return NoiseItemName(row.Setup.NoiseItem);
    case jcGain:
        return BenchNumberText(row.Setup.Values[bpGain]);
    case jcFilter:
        return FilterItemName(row.Setup.FilterItem);
    case jcParameter:
        return FilterParameterText(row.Setup);
    case jcReading:
        return row.Run ? std::string() : row.Reading;
    case jcPeak:
        return row.Run ? FloatToText(2, row.Peak.Value) : std::string();
    case jcPeakTime:
        return row.Run ? std::to_string(row.Peak.Time) : std::string();
    case jcNote:
        return row.Note;
    default:
        return std::string();
    }
}

std::string JournalTsv(const std::vector<CJournalRow>& rows) {
    std::string text = Line([](int c) { return TsvCell(JournalColumnName(c)); }, "\t", "\n");
    for (const CJournalRow& row : rows) {
        text += Line([&row](int c) { return TsvCell(JournalCell(row, c)); }, "\t", "\n");
    }
    return text;
}

std::string JournalCsv(const std::vector<CJournalRow>& rows) {
    // The byte order mark is what tells a spreadsheet that the file is UTF-8
    // rather than the system's 8-bit code page.
    std::string text = "\xEF\xBB\xBF";
    text += Line([](int c) { return CsvField(JournalColumnName(c)); }, ";", "\r\n");
    for (const CJournalRow& row : rows) {
        text += Line([&row](int c) { return CsvField(JournalCell(row, c)); }, ";", "\r\n");
    }
    return text;
}
