#include "bench/CJournal.h"

#include "base/FloatToText.h"
#include "base/TextTable.h"
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
    row.Power = measurement.RegistrarValue;
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

TTextTable JournalTable(const std::vector<CJournalRow>& rows) {
    return MakeTextTable(rows, JournalColumnCount, JournalColumnName, JournalCell);
}

std::vector<bool> JournalNumberColumns() {
    return ColumnFlags(JournalColumnCount, JournalColumnIsNumber);
}

std::string JournalTsv(const std::vector<CJournalRow>& rows) {
    return TableTsv(JournalTable(rows));
}

std::string JournalCsv(const std::vector<CJournalRow>& rows) {
    return TableCsv(JournalTable(rows));
}
