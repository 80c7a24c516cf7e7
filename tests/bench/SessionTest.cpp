#include "bench/CLabSession.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "bench/CBench.h"

namespace {

CSetupSource Source(int signal, int noise, int filter) {
    CSetupSource c;
    c.SignalItem = signal;
    c.NoiseItem = noise;
    c.FilterItem = filter;
    return c;
}

// Writes down what a table would hear, in order.
struct Listener : CLabSessionObserver {
    std::vector<std::string> Heard;
    const CLabSession* Session = nullptr;
    void RowsAboutToBeAdded(int first, int last) override {
        Heard.push_back("add " + std::to_string(first) + ".." + std::to_string(last) + " of " +
                        std::to_string(Session->Rows().size()));
    }
    void RowsAdded() override { Heard.push_back("added " + std::to_string(Session->Rows().size())); }
    void JournalAboutToBeCleared() override {
        Heard.push_back("clear " + std::to_string(Session->Rows().size()));
    }
    void JournalCleared() override { Heard.push_back("cleared " + std::to_string(Session->Rows().size())); }
};

} // namespace

// A study computes runs of its own: its buffers take the samples, the arrays
// the charts show stay as they were, and the run refers to what it wrote.
TEST(BenchRunValue, ComputedIntoTheCallersBuffers) {
    CBench bench;
    std::fill(InputSamples, InputSamples + RunSamples, 7.0);
    std::fill(OutputSamples, OutputSamples + RunSamples, -7.0);
    std::vector<double> in(RunSamples, 0.0), out(RunSamples, 0.0);
    CSetupSource source = Source(siRectangle, niOff, fiLowBand1);
    source.TimeConstant = [] { return 80.0; };
    source.Gain = [] { return 0.25; };
    const CBenchRun run = bench.ComputeRun(source, {in.data(), out.data()});
    for (int k = 0; k < RunSamples; ++k) {
        ASSERT_EQ(InputSamples[k], 7.0) << k;
        ASSERT_EQ(OutputSamples[k], -7.0) << k;
    }
    EXPECT_EQ(run.Input, in.data());
    EXPECT_EQ(run.Output, out.data());
    EXPECT_EQ(in[PreRollLength + 100], 1.0);
    EXPECT_EQ(in[PreRollLength + 101], 0.0);
    // Its setup is the one applied; its peak that of the rectangle through
    // y[n] = a y[n-1] + (1 - a) 100 x[n], highest at the pulse's last sample.
    EXPECT_EQ(run.Setup.SignalItem, siRectangle);
    EXPECT_EQ(run.Setup.FilterItem, fiLowBand1);
    EXPECT_EQ(run.Setup.Values[bpTimeConstant], 80.0);
    EXPECT_EQ(run.Setup.Values[bpGain], 0.25);
    const double a = std::exp(-1.0 / 80.0);
    double y = 0;
    for (int k = 0; k <= 100; ++k) {
        y = a * y + (1 - a) * 100.0;
    }
    EXPECT_NEAR(run.Peak.Value, y, 1e-9);
    EXPECT_EQ(run.Peak.Time, 100);
    EXPECT_FALSE(run.Display.OutputYFromData);
}

TEST(LabSession, RowsLastRunAndWhatATableHears) {
    CBench bench;
    CLabSession session;
    Listener listener;
    listener.Session = &session;
    session.AddObserver(&listener);
    EXPECT_FALSE(session.LastRun().has_value());
    EXPECT_FALSE(session.KeepLastOutput());

    const CBenchRun run =
        bench.ComputeRun(Source(siDelta, niOff, fiMeandr), {InputSamples, OutputSamples});
    session.AddRun(run, "10:00:00");
    const CMeasurement m = [] {
        CMeasurement measured;
        measured.Setup.FilterItem = fiMaf;
        measured.RegistrarValue = 12.5;
        return measured;
    }();
    session.AddMeasurement(m, "12,50", "10:00:05");
    ASSERT_EQ(session.Rows().size(), 2u);
    EXPECT_TRUE(session.Rows()[0].Run);
    EXPECT_EQ(session.Rows()[0].Setup.FilterItem, fiMeandr);
    EXPECT_EQ(session.Rows()[1].Reading, "12,50");
    EXPECT_EQ(session.Rows()[1].Time, "10:00:05");
    ASSERT_TRUE(session.LastRun().has_value());
    EXPECT_EQ(session.LastRun()->Output, OutputSamples);

    // The charts still show the last run after the journal is cleared.
    session.ClearJournal();
    EXPECT_TRUE(session.Rows().empty());
    ASSERT_TRUE(session.LastRunRow().has_value());
    EXPECT_EQ(session.LastRunRow()->Setup.FilterItem, fiMeandr);
    EXPECT_EQ(listener.Heard, (std::vector<std::string>{"add 0..0 of 0", "added 1",
                                                        "add 1..1 of 1", "added 2", "clear 2",
                                                        "cleared 0"}));
    session.RemoveObserver(&listener);
}

// Five outputs at most, the oldest going first; each keeps its look while
// others come and go, and a new one takes the look the dropped one left.
TEST(LabSession, KeptOutputsAreCopiesWithLastingLooks) {
    CBench bench;
    CLabSession session;
    for (int filter = fiMaf; filter <= fiChebishev; ++filter) {
        session.AddRun(
            bench.ComputeRun(Source(siRectangle, niOff, filter), {InputSamples, OutputSamples}),
            "t");
        ASSERT_TRUE(session.KeepLastOutput());
    }
    ASSERT_EQ(session.KeptOutputs().size(), 5u);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(session.KeptOutputs()[i].Slot, i);
        EXPECT_EQ(session.KeptOutputs()[i].Setup.FilterItem, i);
    }
    // The last kept is the flat low-pass's output, copied: a new run
    // overwrites the arrays, not the copy.
    const std::vector<double> flat(OutputSamples, OutputSamples + RunSamples);
    session.AddRun(bench.ComputeRun(Source(siDelta, niOff, fiMafNotIdeal), {InputSamples, OutputSamples}),
                   "t");
    EXPECT_EQ(session.KeptOutputs().back().Output, flat);
    EXPECT_EQ(session.KeptOutputs().back().ArgMin, -2500.0);
    EXPECT_EQ(session.KeptOutputs().back().ArgMax, 4999.0);

    ASSERT_TRUE(session.KeepLastOutput());
    ASSERT_EQ(session.KeptOutputs().size(), 5u);
    EXPECT_EQ(session.KeptOutputs().front().Setup.FilterItem, fiMafNotIdeal);
    EXPECT_EQ(session.KeptOutputs().front().Slot, 1);
    EXPECT_EQ(session.KeptOutputs().back().Setup.SignalItem, siDelta);
    EXPECT_EQ(session.KeptOutputs().back().Slot, 0);
    session.ClearKeptOutputs();
    EXPECT_TRUE(session.KeptOutputs().empty());
}

// A menu choice on the charts' page re-runs, and a «Пуск» right after says
// the same again: without noise that is one row with the newer time; with
// noise every run is its own.
TEST(LabSession, ARunSayingWhatTheNewestRowSaysOnlyRenewsItsTime) {
    CBench bench;
    CLabSession session;
    Listener listener;
    listener.Session = &session;
    const auto run = [&](int signal, int noise, int filter, double tau = 100.0) {
        CSetupSource source = Source(signal, noise, filter);
        source.TimeConstant = [tau] { return tau; };
        return bench.ComputeRun(source, {InputSamples, OutputSamples});
    };
    session.AddRun(run(siRectangle, niOff, fiLowBand1), "10:00:00");
    session.SetNote(0, "первый");
    session.AddObserver(&listener);
    session.AddRun(run(siRectangle, niOff, fiLowBand1), "10:00:07");
    ASSERT_EQ(session.Rows().size(), 1u);
    EXPECT_EQ(session.Rows()[0].Time, "10:00:07");
    EXPECT_EQ(session.Rows()[0].Note, "первый");
    EXPECT_EQ(session.LastRunRow()->Time, "10:00:07");
    EXPECT_EQ(listener.Heard.size(), 0u); // only a changed row, which Listener does not log

    // Another value, another signal, or a measurement in between: a row each.
    session.AddRun(run(siRectangle, niOff, fiLowBand1, 101.0), "10:01:00");
    session.AddRun(run(siDelta, niOff, fiLowBand1, 101.0), "10:01:10");
    CMeasurement m;
    session.AddMeasurement(m, "0,00", "10:01:20");
    session.AddRun(run(siDelta, niOff, fiLowBand1, 101.0), "10:01:30");
    EXPECT_EQ(session.Rows().size(), 5u);
    // Noise is new at every run.
    session.AddRun(run(siRectangle, niOn, fiMaf), "10:02:00");
    session.AddRun(run(siRectangle, niOn, fiMaf), "10:02:01");
    EXPECT_EQ(session.Rows().size(), 7u);
    session.RemoveObserver(&listener);
}

TEST(LabSession, RowsRemovedNotesAndUnsavedWork) {
    CLabSession session;
    EXPECT_FALSE(session.HasUnsavedWork());
    std::vector<CJournalRow> rows(6);
    for (int i = 0; i < 6; ++i) {
        rows[static_cast<std::size_t>(i)].Time = std::to_string(i);
    }
    session.AddRows(rows);
    EXPECT_TRUE(session.HasUnsavedWork());
    session.MarkSaved();
    EXPECT_FALSE(session.HasUnsavedWork());

    Listener listener;
    listener.Session = &session;
    struct Removals : CLabSessionObserver {
        std::vector<std::pair<int, int>> Ranges;
        int Changes = 0;
        void RowsAboutToBeRemoved(int first, int last) override { Ranges.push_back({first, last}); }
        void Changed() override { ++Changes; }
    } removals;
    session.AddObserver(&removals);
    // Unordered, repeated and missing indices: rows 0, 2, 3 and 5 go, the
    // table hearing of each run of neighbours from the end.
    session.RemoveRows({3, 9, 0, 2, 5, 3, -1});
    ASSERT_EQ(session.Rows().size(), 2u);
    EXPECT_EQ(session.Rows()[0].Time, "1");
    EXPECT_EQ(session.Rows()[1].Time, "4");
    EXPECT_EQ(removals.Ranges, (std::vector<std::pair<int, int>>{{5, 5}, {2, 3}, {0, 0}}));
    EXPECT_EQ(removals.Changes, 1);
    EXPECT_TRUE(session.HasUnsavedWork());
    session.RemoveRows({7});
    EXPECT_EQ(removals.Changes, 1);

    session.MarkSaved();
    session.SetNote(1, "τ подобрано");
    EXPECT_EQ(session.Rows()[1].Note, "τ подобрано");
    EXPECT_TRUE(session.HasUnsavedWork());
    session.MarkSaved();
    session.SetNote(1, "τ подобрано"); // the same note changes nothing
    session.SetNote(2, "нет такой строки");
    EXPECT_FALSE(session.HasUnsavedWork());
    EXPECT_EQ(removals.Changes, 2);

    // An empty journal has nothing to lose.
    session.ClearJournal();
    EXPECT_FALSE(session.HasUnsavedWork());
    session.RemoveObserver(&removals);
}
