#include "bench/CResults.h"

#include <cmath>

#include <gtest/gtest.h>

namespace {

CJournalRow RunRowOf(int signal, int filter, double peak, double tau = 100.0) {
    CJournalRow row;
    row.Run = true;
    row.Time = "10:00:00";
    row.Setup.SignalItem = signal;
    row.Setup.NoiseItem = niOff;
    row.Setup.FilterItem = filter;
    row.Setup.Values[bpTimeConstant] = tau;
    row.Peak = {peak, 99};
    return row;
}

CJournalRow Measurement(int filter, double power, double gain = 1.0, double tau = 100.0) {
    CJournalRow row;
    row.Time = "10:05:00";
    row.Setup.SignalItem = siOff;
    row.Setup.NoiseItem = niOn;
    row.Setup.FilterItem = filter;
    row.Setup.Values[bpGain] = gain;
    row.Setup.Values[bpTimeConstant] = tau;
    row.Power = power;
    row.Reading = "unused";
    return row;
}

// The generator's variance at gain 1, written out: 24 uniform terms of
// 100000 values 1e-5 apart, (N^2 - 1) / 12 * step^2 each, the sum halved.
const double Sigma2 = 24.0 * (1e10 - 1.0) / 12.0 * 1e-10 / 2.0;

} // namespace

TEST(Results, NumbersAppearOnceARunAndAMeasurementOfOneFilterExist) {
    std::vector<CJournalRow> rows = {RunRowOf(siRectangle, fiMaf, 100.0)};
    std::vector<CResultRow> results = JournalResults(rows);
    ASSERT_EQ(results.size(), 1u);
    EXPECT_EQ(results[0].Peak, 100.0);
    EXPECT_FALSE(results[0].Measurement.has_value());
    EXPECT_FALSE(results[0].Figures.Efficiency.has_value());
    EXPECT_EQ(ResultCell(results[0], rcPeak), "100,00");
    EXPECT_EQ(ResultCell(results[0], rcEfficiency), "—");
    EXPECT_EQ(ResultCell(results[0], rcParameter), "—");

    // A measurement of another filter pairs with nothing; one of the moving
    // sum does: P = 100 sigma^2 at K = 1 is the theory, q = U^2 / P.
    rows.push_back(Measurement(fiLowBand1, 5.0));
    rows.push_back(Measurement(fiMaf, 100.0 * Sigma2 * 4.0, 2.0));
    results = JournalResults(rows);
    ASSERT_EQ(results.size(), 1u);
    ASSERT_TRUE(results[0].Figures.Efficiency.has_value());
    const double q = 100.0 * 100.0 / (100.0 * Sigma2 * 4.0);
    const double q0 = 101.0 / (4.0 * Sigma2);
    EXPECT_NEAR(*results[0].Figures.Q, q, 1e-9 * q);
    EXPECT_NEAR(*results[0].Figures.Efficiency, q / q0, 1e-12);
    EXPECT_NEAR(*results[0].Figures.Efficiency, 100.0 / 101.0, 1e-9);
    EXPECT_NEAR(*results[0].Figures.LossDb, -10 * std::log10(100.0 / 101.0), 1e-9);
    EXPECT_EQ(ResultCell(results[0], rcEfficiency), "0,990");
    EXPECT_EQ(ResultCell(results[0], rcLoss), "0,04");
    EXPECT_EQ(ResultCell(results[0], rcGain), "2");
    EXPECT_EQ(results[0].MeasurementTime, "10:05:00");
}

// The first-order low-pass gets gain 100/tau for the delta but (1 - a) 100
// with the signal off: the measured power is scaled to the run's gain.
TEST(Results, TheLowPassesPowerIsTakenToTheGainOfADeltaRun) {
    const double a = std::exp(-1.0 / 100.0);
    const double runGain = 100.0 / 100.0;
    const double measuredGain = (1 - a) * 100.0;
    const double measured = Sigma2 * measuredGain * measuredGain / (1 - a * a);
    const std::vector<CJournalRow> rows = {RunRowOf(siDelta, fiLowBand1, runGain),
                                           Measurement(fiLowBand1, measured),
                                           RunRowOf(siRectangle, fiLowBand1, 63.5)};
    const std::vector<CResultRow> results = JournalResults(rows);
    ASSERT_EQ(results.size(), 2u); // one group per signal
    EXPECT_EQ(results[0].Run.SignalItem, siDelta);
    // At the run's gain P = sigma^2 / (1 - a^2), U = 1: eta = (1 - a^2).
    ASSERT_TRUE(results[0].Figures.Efficiency.has_value());
    EXPECT_NEAR(*results[0].Figures.Efficiency, 1 - a * a, 1e-12);
    // The rectangle's run pairs with the same measurement at its own gain.
    ASSERT_TRUE(results[1].Figures.Efficiency.has_value());
    EXPECT_NEAR(*results[1].Figures.Efficiency,
                63.5 * 63.5 / measured / (101.0 / Sigma2), 1e-12);
}

TEST(Results, TheLatestRunAndMeasurementOfAGroupCount) {
    std::vector<CJournalRow> rows = {RunRowOf(siRectangle, fiLowBand1, 50.0, 80.0),
                                     RunRowOf(siRectangle, fiLowBand1, 60.0, 90.0),
                                     Measurement(fiLowBand1, 7.0, 1.0, 80.0),
                                     RunRowOf(siRectangle, fiLowBand1, 55.0, 80.0),
                                     Measurement(fiLowBand1, 8.0, 1.0, 80.0)};
    // A run with noise, noise alone as a run, and a measurement with a signal
    // are no results.
    CJournalRow noisy = RunRowOf(siRectangle, fiLowBand1, 999.0, 80.0);
    noisy.Setup.NoiseItem = niOn;
    rows.push_back(noisy);
    rows.push_back(RunRowOf(siOff, fiMaf, 3.0));
    CJournalRow odd = Measurement(fiLowBand1, 999.0, 1.0, 80.0);
    odd.Setup.SignalItem = siRectangle;
    rows.push_back(odd);
    const std::vector<CResultRow> results = JournalResults(rows);
    ASSERT_EQ(results.size(), 2u);
    EXPECT_EQ(results[0].Run.Values[bpTimeConstant], 80.0);
    EXPECT_EQ(results[0].Peak, 55.0);
    EXPECT_EQ(results[0].Power, 8.0);
    EXPECT_EQ(results[1].Run.Values[bpTimeConstant], 90.0);
    EXPECT_FALSE(results[1].Measurement.has_value());
    EXPECT_EQ(ResultCell(results[0], rcParameter), "τ = 80 мс");

    const std::string tsv = ResultsTsv(results);
    EXPECT_EQ(tsv.substr(0, tsv.find('\n')),
              "Фильтр\tПараметр\tСигнал\tU, мВ\tУсиление\tP, мВ*мВ\tq\tη\tПотери, дБ");
    EXPECT_EQ(ResultsCsv({}), "\xEF\xBB\xBF"
                              "Фильтр;Параметр;Сигнал;U, мВ;Усиление;P, мВ*мВ;q;η;Потери, дБ\r\n");
}

TEST(Results, FiguresAsTheTablesWriteThem) {
    EXPECT_EQ(PeakText(96.144), "96,14");
    EXPECT_EQ(PowerText(12.3456), "12,35");
    EXPECT_EQ(PowerText(0.0123456), "0,01235");
    EXPECT_EQ(RatioText(9900.99), "9901");
    EXPECT_EQ(EfficiencyText(0.81454), "0,815");
    EXPECT_EQ(LossText(0.8904), "0,89");
    EXPECT_EQ(EfficiencyText(std::nullopt), "—");
    EXPECT_EQ(RatioText(std::nan("")), "—");
}
