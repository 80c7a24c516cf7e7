#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <cmath>
#include <cstdio>
#include <vector>

#include "base/MessageHook.h"
#include "chart/TKeeper.h"

namespace {

const std::string kZeroCount = "Keeper: Hулевое значение числа отсчётов при инициализации графика. "
                               "Инициализация не выполнена.";
const std::string kBadArgument = "DiagramKeeper: Неверно заданы минимальное и максимальное \n "
                                 "значения аргумента при инициализации графика.";
const std::string kDiscreteAsContinuous =
    "Keeper:Попытка считать дискретный график как непрерывный";
const std::string kContinuousAsDiscrete =
    "Keeper:Попытка считать непрерывный график как дискретный";

using Messages = std::vector<std::string>;

} // namespace

TEST(Keeper, DefaultsAndClearKeepPresentation) {
    TKeeper k;
    EXPECT_EQ(k.GetXmin(), -1.0);
    EXPECT_EQ(k.GetXmax(), 1.0);
    EXPECT_EQ(k.GetStep(), 0.1);
    EXPECT_EQ(k.GetPenWidth(), 2);
    EXPECT_EQ(k.GetName(), "Diagram");
    EXPECT_TRUE(k.IsVisible());
    EXPECT_EQ(k.GetValue(0.5), 0.0);

    double data[3] = {1, 2, 3};
    k.SetColor(Qt::red);
    k.SetPenWidth(5);
    k.SetInterpKind(3);
    k.SetSymmetry(1);
    k.Hide();
    k.SetGraphKind(gkDiscret);
    k.SetScale(3);
    k.SetPeriod(2);
    ASSERT_TRUE(k.SetData(data, 3, 0, 2));
    // New data resets how the series is read but not how it looks.
    EXPECT_EQ(k.GetGraphKind(), gkAnalog);
    EXPECT_EQ(k.GetScale(), 1.0);
    EXPECT_EQ(k.GetPeriod(), 0.0);
    EXPECT_EQ(k.GetColor(), QColor(Qt::red));
    EXPECT_EQ(k.GetPenWidth(), 5);
    EXPECT_EQ(k.GetInterpKind(), 3);
    EXPECT_EQ(k.GetSymmetry(), 1);
    EXPECT_FALSE(k.IsVisible());
}

TEST(Keeper, InitArgumentRefusesBadCountsAndBounds) {
    MessageRecorder rec;
    TKeeper k;
    double data[2] = {5, 7};
    ASSERT_TRUE(k.SetData(data, 2, 0, 1));
    EXPECT_FALSE(k.InitArgument(0, 0, 1));
    EXPECT_FALSE(k.InitArgument(-5, 0, 1));
    EXPECT_EQ(rec.Take(), (Messages{kZeroCount, kZeroCount}));
    EXPECT_FALSE(k.InitArgument(10, 2, 2));
    EXPECT_FALSE(k.InitArgument(10, 0, std::numeric_limits<double>::infinity()));
    EXPECT_FALSE(k.InitArgument(10, std::nan(""), 1));
    EXPECT_EQ(rec.Take(), (Messages{kBadArgument, kBadArgument, kBadArgument}));
    // Nothing changed: the series still reads its old data.
    EXPECT_EQ(k.GetCount(), 2);
    EXPECT_EQ(k.GetValue(1.0), 7.0);

    ASSERT_TRUE(k.InitArgument(10, 3.0, 1.0));
    EXPECT_EQ(k.GetXmin(), 1.0);
    EXPECT_EQ(k.GetXmax(), 3.0);
    EXPECT_DOUBLE_EQ(k.GetStep(), 2.0 / 9.0);
    // A single sample takes the whole range as its step.
    ASSERT_TRUE(k.InitArgument(1, 0.0, 4.0));
    EXPECT_EQ(k.GetStep(), 4.0);
    EXPECT_TRUE(rec.Messages().empty());
}

TEST(Keeper, SetDataTakesValueRangeAndRefusesNull) {
    MessageRecorder rec;
    TKeeper k;
    double flat[4] = {4, 4, 4, 4};
    ASSERT_TRUE(k.SetData(flat, 4, 0, 3));
    EXPECT_EQ(k.GetYmin(), 4.0);
    EXPECT_EQ(k.GetYmax(), 4.0 + 0.00001);
    double data[4] = {1, -3, 8, 2};
    ASSERT_TRUE(k.SetData(data, 4, 0, 3));
    EXPECT_EQ(k.GetYmin(), -3.0);
    EXPECT_EQ(k.GetYmax(), 8.0);
    EXPECT_EQ(k.GetDataKind(), dkDoubleArrayRef);
    // The caller's array is read, not copied.
    data[1] = 10;
    EXPECT_EQ(k.GetSample(1), 10.0);
    EXPECT_FALSE(k.SetData(static_cast<const double*>(nullptr), 4, 0, 3));
    EXPECT_EQ(k.GetSample(2), 8.0);
    EXPECT_FALSE(k.SetData(data, 0, 0, 3));
    EXPECT_EQ(rec.Take(), (Messages{kZeroCount}));
    EXPECT_EQ(k.GetSample(-1), 0.0);
    EXPECT_EQ(k.GetSample(4), 0.0);
}

TEST(Keeper, ContinuousReadingInterpolatesMirrorsAndWraps) {
    MessageRecorder rec;
    TKeeper k;
    double data[5] = {1, 3, 2, 6, 4};
    ASSERT_TRUE(k.SetData(data, 5, 0, 4));
    EXPECT_DOUBLE_EQ(k.GetValue(2.0), 2.0);
    EXPECT_DOUBLE_EQ(k.GetValue(0.0), 1.0);
    EXPECT_DOUBLE_EQ(k.GetValue(4.0), 4.0);
    EXPECT_DOUBLE_EQ(k.GetValue(2.5), 4.0);
    EXPECT_EQ(k.GetValue(4.0 + 1e-9), 0.0);
    EXPECT_EQ(k.GetValue(-1e-9), 0.0);
    EXPECT_EQ(k.GetValue(std::nan("")), 0.0);

    k.SetScale(2);
    EXPECT_DOUBLE_EQ(k.GetValue(1.0), 6.0);
    k.SetScale(1);

    k.SetSymmetry(1);
    EXPECT_DOUBLE_EQ(k.GetValue(-1.5), k.GetValue(1.5));
    k.SetSymmetry(2);
    EXPECT_DOUBLE_EQ(k.GetValue(-1.5), -k.GetValue(1.5));
    // The mirror includes the start itself.
    EXPECT_DOUBLE_EQ(k.GetValue(0.0), -1.0);
    k.SetSymmetry(0);

    k.SetGraphKind(gkAnalogPeriodic);
    k.SetPeriod(2);
    EXPECT_DOUBLE_EQ(k.GetValue(2.5), k.GetValue(0.5));
    EXPECT_DOUBLE_EQ(k.GetValue(-1.5), k.GetValue(0.5));
    EXPECT_DOUBLE_EQ(k.GetValue(2.0), 1.0); // exactly one period reads the start
    // A period that cannot fold reads the series as it is.
    k.SetPeriod(0);
    EXPECT_DOUBLE_EQ(k.GetValue(3.0), 6.0);
    EXPECT_EQ(k.GetValue(5.0), 0.0);
    k.SetPeriod(-2);
    EXPECT_DOUBLE_EQ(k.GetValue(3.0), 6.0);

    k.SetGraphKind(gkDiscret);
    EXPECT_EQ(k.GetValue(1.0), 0.0);
    k.SetGraphKind(gkDiscretPeriodic);
    EXPECT_EQ(k.GetValue(1.0), 0.0);
    EXPECT_EQ(rec.Take(), (Messages{kDiscreteAsContinuous, kDiscreteAsContinuous}));
}

TEST(Keeper, EveryKernelReadsOnlyThreeNeighbours) {
    TKeeper k;
    double data[7] = {0, 0, 0, 1, 0, 0, 0};
    ASSERT_TRUE(k.SetData(data, 7, 0, 6));
    for (unsigned char kind = 0; kind <= 6; ++kind) {
        k.SetInterpKind(kind);
        // Two samples away from the impulse no kernel can see it.
        EXPECT_EQ(k.GetValue(1.0), 0.0) << int(kind);
        EXPECT_EQ(k.GetValue(5.0), 0.0) << int(kind);
        EXPECT_TRUE(std::isfinite(k.GetValue(3.3))) << int(kind);
    }
    k.SetInterpKind(4);
    EXPECT_EQ(k.GetValue(3.0), 1.0);
}

TEST(Keeper, DiscreteReadingFlagsOutOfRangeAndWraps) {
    MessageRecorder rec;
    TKeeper k;
    double data[4] = {10, 11, 12, 13};
    ASSERT_TRUE(k.SetData(data, 4, 0, 3));
    EXPECT_EQ(k.GetDiscretValue(1), 0.0);
    EXPECT_EQ(rec.Take(), (Messages{kContinuousAsDiscrete}));

    k.SetGraphKind(gkDiscret);
    EXPECT_EQ(k.GetDiscretValue(4), 0.0);
    EXPECT_TRUE(k.GetOutOfRange());
    EXPECT_EQ(k.GetDiscretValue(3), 13.0);
    EXPECT_FALSE(k.GetOutOfRange());
    EXPECT_EQ(k.GetDiscretValue(-1), 0.0);
    EXPECT_TRUE(k.GetOutOfRange());

    k.SetMarkSamples(true);
    EXPECT_TRUE(k.GetMarkSamples());
    k.SetHideOutOfRangeMarks(true);
    EXPECT_FALSE(k.GetMarkSamples());
    k.GetDiscretValue(0);
    EXPECT_TRUE(k.GetMarkSamples());

    k.SetSymmetry(1);
    EXPECT_EQ(k.GetDiscretValue(-2), 12.0);
    k.SetSymmetry(2);
    EXPECT_EQ(k.GetDiscretValue(-2), -12.0);
    EXPECT_EQ(k.GetDiscretValue(INT_MIN), 0.0);
    EXPECT_TRUE(k.GetOutOfRange());
    k.SetSymmetry(0);

    k.SetGraphKind(gkDiscretPeriodic);
    k.SetPeriod(3);
    EXPECT_EQ(k.GetDiscretValue(3), 10.0);
    EXPECT_EQ(k.GetDiscretValue(7), 11.0);
    EXPECT_EQ(k.GetDiscretValue(-1), 12.0);
    EXPECT_EQ(k.GetDiscretValue(INT_MAX), data[INT_MAX % 3]);
    EXPECT_EQ(k.GetDiscretValue(INT_MIN + 1), data[((INT_MIN + 1) % 3 + 3) % 3]);
    // A fractional period wraps by its whole part while the index reaches it.
    k.SetPeriod(2.5);
    EXPECT_EQ(k.GetDiscretValue(2), 12.0);
    EXPECT_EQ(k.GetDiscretValue(3), 11.0);
    // Below one sample there is nothing to wrap by.
    k.SetPeriod(0.5);
    EXPECT_EQ(k.GetDiscretValue(3), 13.0);
    EXPECT_EQ(k.GetDiscretValue(9), 0.0);

    k.SetGraphKind(gkHistogram);
    k.SetScale(-1);
    EXPECT_EQ(k.GetDiscretValue(2), -12.0);
    EXPECT_TRUE(rec.Messages().empty());
}

namespace {
double Square(double x) {
    return x * x;
}
} // namespace

TEST(Keeper, OtherDataKinds) {
    TKeeper k;
    ASSERT_TRUE(k.SetConstantData(2.5, 11, 0, 10));
    EXPECT_EQ(k.GetValue(3.3), 2.5);
    EXPECT_EQ(k.GetValue(10.5), 0.0);
    k.SetGraphKind(gkDiscret);
    EXPECT_EQ(k.GetDiscretValue(10), 2.5);
    EXPECT_EQ(k.GetDiscretValue(11), 0.0);

    ASSERT_TRUE(k.SetFunctionData(&Square, 5, -2, 2));
    EXPECT_EQ(k.GetValue(1.5), 2.25);
    EXPECT_EQ(k.GetYmin(), 0.0);
    EXPECT_EQ(k.GetYmax(), 4.0);
    k.SetGraphKind(gkDiscret);
    EXPECT_EQ(k.GetDiscretValue(0), 4.0);

    const float floats[3] = {1.5f, -2.5f, 3.5f};
    ASSERT_TRUE(k.SetData(floats, 3, 0, 2));
    EXPECT_EQ(k.GetDataKind(), dkFloatArrayRef);
    EXPECT_EQ(k.GetValue(1.0), -2.5);
    EXPECT_EQ(k.GetYmin(), -2.5);
    EXPECT_EQ(k.GetYmax(), 3.5);

    std::vector<double> doubles = {4, 5, 6};
    ASSERT_TRUE(k.CopyData(doubles.data(), 3, 0, 2));
    doubles.assign(3, 0.0); // the series holds its own copy
    EXPECT_EQ(k.GetDataKind(), dkDoubleArray);
    EXPECT_EQ(k.GetValue(2.0), 6.0);
    ASSERT_TRUE(k.CopyData(floats, 3, 0, 2));
    EXPECT_EQ(k.GetDataKind(), dkFloatArray);
    EXPECT_EQ(k.GetSample(2), 3.5);
    EXPECT_EQ(k.GetYmin(), -2.5);
    EXPECT_EQ(k.GetYmax(), 3.5);
    // Refused copies keep what the series held.
    EXPECT_FALSE(k.CopyData(static_cast<const double*>(nullptr), 3, 0, 2));
    MessageRecorder rec;
    EXPECT_FALSE(k.CopyData(doubles.data(), 0, 0, 2));
    EXPECT_EQ(rec.Messages().size(), 1u);
    EXPECT_EQ(k.GetDataKind(), dkFloatArray);
    EXPECT_EQ(k.GetSample(2), 3.5);
    k.Clear();
    EXPECT_EQ(k.GetDataKind(), dkConstant);
    EXPECT_EQ(k.GetSample(0), 0.0);
}

TEST(Keeper, FileKinds) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string dpath = dir.filePath("d.bin").toStdString();
    const std::string fpath = dir.filePath("f.bin").toStdString();
    const double d[3] = {1.25, -7, 3};
    const float f[3] = {0.5f, 9.0f, -1.0f};
    std::FILE* out = std::fopen(dpath.c_str(), "wb");
    ASSERT_NE(out, nullptr);
    std::fwrite(d, sizeof d[0], 3, out);
    std::fclose(out);
    out = std::fopen(fpath.c_str(), "wb");
    ASSERT_NE(out, nullptr);
    std::fwrite(f, sizeof f[0], 3, out);
    std::fclose(out);

    TKeeper k;
    ASSERT_TRUE(k.SetFileData(dpath, false, 3, 0, 2));
    EXPECT_EQ(k.GetSample(1), -7.0);
    EXPECT_EQ(k.GetYmin(), -7.0);
    EXPECT_EQ(k.GetYmax(), 3.0);
    ASSERT_TRUE(k.SetFileData(fpath, true, 4, 0, 3));
    EXPECT_EQ(k.GetSample(1), 9.0);
    EXPECT_EQ(k.GetSample(3), 0.0); // beyond the end of the file

    MessageRecorder rec;
    EXPECT_FALSE(k.SetFileData(dir.filePath("none.bin").toStdString(), false, 3, 0, 2));
    ASSERT_EQ(rec.Messages().size(), 1u);
    EXPECT_NE(rec.Messages()[0].find("none.bin"), std::string::npos);
    EXPECT_EQ(k.GetSample(1), 9.0);
}

// Whatever holds the samples, a series whose values span less than 1e-6 gets
// a range of 1e-5 above its lowest value, so that its chart has a height.
TEST(Keeper, EveryDataKindWidensANearlyFlatRangeAlike) {
    const double lowest = 2.0;
    const double values[3] = {lowest + 5e-7, lowest, lowest + 9e-7};
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string path = dir.filePath("flat.bin").toStdString();
    std::FILE* out = std::fopen(path.c_str(), "wb");
    ASSERT_NE(out, nullptr);
    std::fwrite(values, sizeof values[0], 3, out);
    std::fclose(out);

    TKeeper k;
    const auto expectWidened = [&k](double low, const char* kind) {
        EXPECT_EQ(k.GetYmin(), low) << kind;
        EXPECT_EQ(k.GetYmax(), low + 1e-5) << kind;
    };
    ASSERT_TRUE(k.SetData(values, 3, 0, 2));
    expectWidened(lowest, "array");
    ASSERT_TRUE(k.CopyData(values, 3, 0, 2));
    expectWidened(lowest, "copy");
    ASSERT_TRUE(k.SetFileData(path, false, 3, 0, 2));
    expectWidened(lowest, "file");
    ASSERT_TRUE(k.SetConstantData(-4.0, 7, 0, 2));
    expectWidened(-4.0, "constant");
    // The function's grid is -1, 0, 1: cos(x / 1000) dips by 5e-7 at the ends.
    ASSERT_TRUE(k.SetFunctionData([](double x) { return std::cos(x / 1000.0); }, 3, -1, 1));
    expectWidened(std::cos(0.001), "function");

    // A wider range is kept as the samples give it.
    const double wide[2] = {lowest, lowest + 2e-6};
    ASSERT_TRUE(k.SetData(wide, 2, 0, 1));
    EXPECT_EQ(k.GetYmin(), lowest);
    EXPECT_EQ(k.GetYmax(), lowest + 2e-6);
}
