#include "bench/CJournal.h"

#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "bench/CBench.h"

namespace {

std::vector<double> Silent() {
    return std::vector<double>(RunSamples, 0.0);
}

CBenchSetup Configuration(int signal, int noise, int filter) {
    CBenchSetup s;
    s.SignalItem = signal;
    s.NoiseItem = noise;
    s.FilterItem = filter;
    return s;
}

} // namespace

TEST(RunPeak, LargestMagnitudeOfTheMainPartSignedAndEarliest) {
    std::vector<double> out = Silent();
    // All zeros: the first sample of the main part.
    CRunPeak p = FindRunPeak(out.data(), RunSamples, PreRollLength);
    EXPECT_EQ(p.Value, 0.0);
    EXPECT_EQ(p.Time, 0);

    // The pre-roll is the filter settling; its excursions do not count.
    out[0] = 1000.0;
    out[PreRollLength - 1] = -900.0;
    out[PreRollLength + 10] = 3.0;
    // A negative excursion of larger magnitude wins, with its sign.
    out[PreRollLength + 20] = -7.5;
    // An equal magnitude later does not replace it.
    out[PreRollLength + 30] = 7.5;
    p = FindRunPeak(out.data(), RunSamples, PreRollLength);
    EXPECT_EQ(p.Value, -7.5);
    EXPECT_EQ(p.Time, 20);

    // The last sample of the run is part of it.
    out[RunSamples - 1] = 8.0;
    p = FindRunPeak(out.data(), RunSamples, PreRollLength);
    EXPECT_EQ(p.Value, 8.0);
    EXPECT_EQ(p.Time, RunLength - 1);
}

TEST(RunPeak, OfRealRunsIsTheirLargestOutputSample) {
    CBench bench;
    CSetupSource c;
    // The matched filter sums its window of 100 samples: it first holds 100
    // unit samples of the rectangle at t = 99 ms, and again at 100 ms.
    c.SignalItem = siRectangle;
    CBenchRun run = bench.ComputeRun(c, {InputSamples, OutputSamples});
    CRunPeak p = run.Peak;
    EXPECT_EQ(p.Value, 100.0);
    EXPECT_EQ(p.Time, 99);

    // With noise the peak is still one of the run's samples, and none of the
    // main part is larger.
    c.NoiseItem = niOn;
    c.Gain = [] { return 5.0; };
    run = bench.ComputeRun(c, {InputSamples, OutputSamples});
    p = run.Peak;
    EXPECT_EQ(OutputSamples[PreRollLength + p.Time], p.Value);
    for (int k = PreRollLength; k < RunSamples; ++k) {
        ASSERT_LE(std::fabs(OutputSamples[k]), std::fabs(p.Value)) << k;
    }
}

TEST(JournalRows, DescribeWhatTheBenchUsed) {
    CBench bench;
    // Before any run the flat-passband low-pass holds its own edge (50 Hz),
    // not the field's 1 Hz; the journal tells what the bench used.
    NoiseGenerator.Amplitude = 2.5;
    CBenchSetup s = bench.HeldSetup(siOff, niOn, fiChebishev);
    EXPECT_EQ(s.SignalItem, siOff);
    EXPECT_EQ(s.NoiseItem, niOn);
    EXPECT_EQ(s.FilterItem, fiChebishev);
    EXPECT_EQ(s.Values[bpCutOff], 50.0);
    EXPECT_EQ(s.Values[bpGain], 2.5);

    CSetupSource c = FixedSource(Configuration(siRectangle, niOff, fiLowBand1));
    c.TimeConstant = [] { return 250.0; };
    c.CutOff = [] { return 20.0; };
    c.Gain = [] { return 0.5; };
    const CBenchRun run = bench.ComputeRun(c, {InputSamples, OutputSamples});
    s = run.Setup;
    EXPECT_EQ(s.Values[bpTimeConstant], 250.0);
    EXPECT_EQ(s.Values[bpCutOff], 20.0);
    EXPECT_EQ(s.Values[bpGain], 0.5);
    NoiseGenerator.Amplitude = 1.0;

    const CJournalRow row = RunRow("10:11:12", run);
    EXPECT_TRUE(row.Run);
    EXPECT_EQ(row.Time, "10:11:12");
    EXPECT_EQ(row.Setup.Values[bpTimeConstant], 250.0);
    const CRunPeak peak = FindRunPeak(OutputSamples, RunSamples, PreRollLength);
    EXPECT_EQ(row.Peak.Value, peak.Value);
    EXPECT_EQ(row.Peak.Time, peak.Time);

    CMeasurement measured;
    measured.Setup = s;
    const CJournalRow m = MeasurementRow("10:12:00", measured, "12,34");
    EXPECT_FALSE(m.Run);
    EXPECT_EQ(m.Reading, "12,34");
}

TEST(JournalRows, CellsAsTheTableShowsThem) {
    CBenchSetup s = Configuration(siRectangle, niOn, fiLowBand1);
    s.Values[bpTimeConstant] = 250.0;
    s.Values[bpGain] = 2.5;
    CJournalRow run;
    run.Time = "09:05:01";
    run.Setup = s;
    run.Run = true;
    run.Reading = "not shown for a run";
    run.Peak = {-93.456, 137};
    const std::vector<std::string> runCells = {"09:05:01",
                                               "Прямоугольный импульс",
                                               "Подключен",
                                               "2,5",
                                               "ФНЧ 1-го порядка",
                                               "τ = 250 мс",
                                               "",
                                               "-93,46",
                                               "137",
                                               "сравнить с ФНЧ"};
    run.Note = "сравнить с ФНЧ";
    for (int c = 0; c < JournalColumnCount; ++c) {
        EXPECT_EQ(JournalCell(run, c), runCells[c]) << c;
    }

    CJournalRow m;
    m.Time = "09:06:00";
    m.Setup = Configuration(siOff, niOn, fiChebishev);
    m.Setup.Values[bpCutOff] = 12.5;
    m.Reading = "0,75";
    m.Peak = {5.0, 5};
    const std::vector<std::string> measurementCells = {
        "09:06:00",     "Отключен", "Подключен", "1", "ФНЧ с П - образной АЧХ",
        "fc = 12,5 Гц", "0,75",     "",          "", ""};
    for (int c = 0; c < JournalColumnCount; ++c) {
        EXPECT_EQ(JournalCell(m, c), measurementCells[c]) << c;
    }

    m.Setup.FilterItem = fiMeandr;
    EXPECT_EQ(JournalCell(m, jcParameter), "—");
    EXPECT_EQ(JournalCell(m, JournalColumnCount), "");
    EXPECT_EQ(JournalColumnName(-1), std::string());

    std::vector<int> numbers;
    for (int c = 0; c < JournalColumnCount; ++c) {
        if (JournalColumnIsNumber(c)) {
            numbers.push_back(c);
        }
    }
    EXPECT_EQ(numbers, (std::vector<int>{jcGain, jcReading, jcPeak, jcPeakTime}));
}

TEST(JournalTexts, TabSeparatedWithHeading) {
    EXPECT_EQ(JournalTsv({}), "Время\tСигнал\tШум\tУсиление\tФильтр\tПараметр\t"
                              "Регистратор, мВ*мВ\tПик выхода, мВ\tВремя пика, мс\tПримечание\n");

    CJournalRow run;
    run.Time = "09:05:01";
    run.Setup = Configuration(siDelta, niOff, fiMafNotIdeal);
    run.Run = true;
    run.Peak = {1.0, 0};
    CJournalRow m;
    m.Time = "09:06:00";
    m.Setup = Configuration(siOff, niOn, fiMaf);
    // Nothing inside a cell may split it into two.
    m.Reading = "12,34\t5\n6";
    m.Note = "на\tслух\n2";
    EXPECT_EQ(JournalTsv({run, m}),
              "Время\tСигнал\tШум\tУсиление\tФильтр\tПараметр\t"
              "Регистратор, мВ*мВ\tПик выхода, мВ\tВремя пика, мс\tПримечание\n"
              "09:05:01\tДельта-импульс\tОтключен\t1\t"
              "СФ для прямоугольного импульса с неидеальным интегратором\tτ = 100 мс\t\t1,00\t0\t\n"
              "09:06:00\tОтключен\tПодключен\t1\tСФ для прямоугольного импульса\t—\t"
              "12,34 5 6\t\t\tна слух 2\n");
}

TEST(JournalTexts, CsvBytesForRussianSpreadsheets) {
    CJournalRow m;
    m.Time = "09:06:00";
    m.Setup = Configuration(siOff, niOn, fiMeandr);
    m.Setup.Values[bpGain] = 0.25;
    m.Reading = "3,50";
    CJournalRow odd = m;
    odd.Reading = "a;b\r\nc";
    odd.Note = "x;y";
    const std::string csv = JournalCsv({m, odd});
    EXPECT_EQ(csv,
              "\xEF\xBB\xBF"
              "Время;Сигнал;Шум;Усиление;Фильтр;Параметр;"
              "Регистратор, мВ*мВ;Пик выхода, мВ;Время пика, мс;Примечание\r\n"
              "09:06:00;Отключен;Подключен;0,25;\"СФ для импульса \"\"меандр\"\"\";—;3,50;;;\r\n"
              "09:06:00;Отключен;Подключен;0,25;\"СФ для импульса \"\"меандр\"\"\";—;"
              "\"a;b\r\nc\";;;\"x;y\"\r\n");
    EXPECT_EQ(JournalCsv({}).size(),
              3 + std::string("Время;Сигнал;Шум;Усиление;Фильтр;Параметр;"
                              "Регистратор, мВ*мВ;Пик выхода, мВ;Время пика, мс;Примечание\r\n")
                      .size());
}
