#include "bench/CRunDisplay.h"

#include <gtest/gtest.h>

#include "bench/CBench.h"

namespace {
CRunDisplay DisplayOfSignal(int signalItem) {
    return RunDisplayFor(signalItem);
}
} // namespace

TEST(RunDisplay, TimeAxisOfEveryRun) {
    for (int item : {siDelta, siRectangle, siOff}) {
        CBench bench;
        CSetupSource source;
        source.SignalItem = item;
        const CBenchRun run = bench.ComputeRun(source, {InputSamples, OutputSamples});
        const CRunDisplay& d = run.Display;
        EXPECT_EQ(run.Count, RunSamples);
        EXPECT_EQ(run.ArgMin, -2500.0);
        EXPECT_EQ(run.ArgMax, 4999.0);
        EXPECT_EQ(run.ZeroIndex(), 2500);
        // Exactly one millisecond per sample, so sample k is at t = k - 2500.
        EXPECT_EQ((run.ArgMax - run.ArgMin) / (run.Count - 1), 1.0);
        EXPECT_EQ(d.RangeXmin, -250.0);
        EXPECT_EQ(d.RangeXmax, 500.0);
        EXPECT_EQ(d.LimitXmin, -2250.0);
        EXPECT_EQ(d.LimitXmax, 4499.1);
        // The visible window lies inside the limits, the limits inside the data.
        EXPECT_LT(d.LimitXmin, d.RangeXmin);
        EXPECT_GT(d.LimitXmax, d.RangeXmax);
        EXPECT_GT(d.LimitXmin, run.ArgMin);
        EXPECT_LT(d.LimitXmax, run.ArgMax);
    }
}

TEST(RunDisplay, OutputUpperBoundFloorExceptForTheDelta) {
    const CRunDisplay delta = DisplayOfSignal(siDelta);
    EXPECT_TRUE(delta.OutputYFromData);
    EXPECT_FALSE(delta.RaiseOutputYmax(1.0));
    EXPECT_FALSE(delta.RaiseOutputYmax(-50.0));

    // The rectangle, the signal off and an item the list lacks all get the floor.
    for (int item : {int(siRectangle), int(siOff), 7}) {
        const CRunDisplay d = DisplayOfSignal(item);
        EXPECT_FALSE(d.OutputYFromData) << item;
        EXPECT_EQ(d.OutputYFloor, 100.0);
        EXPECT_TRUE(d.RaiseOutputYmax(1e-5)) << item;
        EXPECT_TRUE(d.RaiseOutputYmax(99.999)) << item;
        EXPECT_TRUE(d.RaiseOutputYmax(-3.0)) << item;
        // At or above the floor the auto range stays.
        EXPECT_FALSE(d.RaiseOutputYmax(100.0)) << item;
        EXPECT_FALSE(d.RaiseOutputYmax(250.0)) << item;
    }
}
