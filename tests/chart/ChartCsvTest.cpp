// A chart's data as CSV: the header, the visible range only, the references
// as columns, the number text of the command line, and files written whole
// or not at all.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>
#include <sstream>
#include <vector>

#include <gtest/gtest.h>

#include "ChartTestUtil.h"
#include "base/MessageHook.h"
#include "chart/ChartCsv.h"
#include "chart/DocumentFile.h"
#include "chart/SaveDialog.h"
#include "chart/TReferenceCurves.h"

namespace {

std::string G17(double v) {
    char b[64];
    std::snprintf(b, sizeof b, "%.17g", v);
    return b;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

std::string ReadFile(const QString& name) {
    QFile f(name);
    return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : std::string("<none>");
}

class ChartData : public testing::Test {
  protected:
    void SetUp() override {
        chart = MakeChart(760, 250);
        for (int i = 0; i < 7500; ++i) {
            run[i] = std::sin(i * 0.01) / 3.0;
        }
        chart->GetKeeper(0)->SetData(run, 7500, -2500.0, 4999.0);
        chart->SetRangeX(-250, 500);
    }
    std::unique_ptr<TDiagram> chart;
    double run[7500];
    MessageRecorder messages;
    const TCsvColumns output{"t_ms", "output_mV", "mV"};
};

TEST_F(ChartData, HeaderAndOneLinePerSampleOfTheVisibleRange) {
    const std::vector<std::string> lines = Lines(ChartCsv(*chart, output));
    ASSERT_EQ(lines.size(), 1u + 751u);
    EXPECT_EQ(lines[0], "t_ms,output_mV");
    EXPECT_EQ(lines[1], "-250," + G17(run[2250]));
    EXPECT_EQ(lines[751], "500," + G17(run[3000]));
    // A range between samples takes those inside it; one beyond the data
    // stops at its ends.
    chart->SetRangeX(10.5, 12.5);
    EXPECT_EQ(Lines(ChartCsv(*chart, output)).size(), 1u + 2u);
    chart->SetLimitX(-100000, 100000);
    chart->SetRangeX(4990, 6000);
    const std::vector<std::string> end = Lines(ChartCsv(*chart, output));
    ASSERT_EQ(end.size(), 1u + 10u);
    EXPECT_EQ(end.back(), "4999," + G17(run[7499]));
    // Without data, only the header.
    auto empty = MakeChart(300, 200);
    EXPECT_EQ(ChartCsv(*empty, {"t_ms", "input_V", "V"}), "t_ms\n");
    EXPECT_FALSE(HasChartData(*empty));
    EXPECT_TRUE(HasChartData(*chart));
}

TEST_F(ChartData, ReferencesAsColumnsOldestFirstEmptyWhereTheyHaveNoSample) {
    TReferenceCurves refs(*chart);
    std::vector<double> first(run, run + 7500);
    refs.Remember("a");
    for (double& v : run) {
        v *= 2;
    }
    refs.Remember("b");
    for (double& v : run) {
        v += 1;
    }
    // A series on a coarser grid has a sample at every other line only.
    std::vector<double> coarse(100, 7.0);
    TKeeper* other = chart->PNewKeeper();
    other->SetData(coarse.data(), 100, -250, -52);
    // Hidden series are not part of the data.
    TKeeper* hidden = chart->PNewKeeper();
    hidden->SetData(coarse.data(), 100, -250, -52);
    hidden->Hide();

    const std::vector<std::string> lines = Lines(ChartCsv(*chart, output));
    ASSERT_EQ(lines.size(), 752u);
    EXPECT_EQ(lines[0], "t_ms,output_mV,ref1_mV,ref2_mV,ref3_mV");
    EXPECT_EQ(lines[1], "-250," + G17(run[2250]) + "," + G17(first[2250]) + "," +
                            G17(2 * first[2250]) + ",7");
    EXPECT_EQ(lines[2], "-249," + G17(run[2251]) + "," + G17(first[2251]) + "," +
                            G17(2 * first[2251]) + ",");
    EXPECT_EQ(lines[751].substr(0, 4), "500,");
    EXPECT_EQ(lines[751].back(), ',');
    // Without a unit the references are plain ref1, ref2, ...
    EXPECT_EQ(Lines(ChartCsv(*chart, {})).at(0), "x,y,ref1,ref2,ref3");
}

TEST_F(ChartData, AFailedWriteNamesTheFileAndLeavesNothing) {
    QTemporaryDir dir;
    const QString name = dir.filePath("missing/folder/data.csv");
    EXPECT_FALSE(WriteTextFile("t_ms\n", name));
    ASSERT_EQ(messages.Messages().size(), 1u);
    EXPECT_EQ(messages.Messages()[0].rfind("Не удаётся записать файл " + name.toStdString(), 0),
              0u);
    EXPECT_FALSE(QFileInfo::exists(name));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 0);

    // A file that cannot be replaced keeps what it held.
    const QString kept = dir.filePath("kept.csv");
    {
        QFile f(kept);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("old\n");
    }
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
    messages.Clear();
    const bool written = WriteTextFile(ChartCsv(*chart, output), kept);
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (!written) { // (as root every folder is writable)
        EXPECT_EQ(messages.Messages().size(), 1u);
        EXPECT_EQ(ReadFile(kept), "old\n");
    }
}

TEST_F(ChartData, SavedThroughTheDialogAnExistingFileOnlyAfterTheQuestion) {
    QTemporaryDir dir;
    const QString name = dir.filePath("Диаграмма.csv");
    QString proposed;
    SaveDialogHook previous = SetSaveDialogHook([&](QWidget*, const QString& initial, QString& n) {
        proposed = initial;
        n = name;
        return TSaveDialogResult::Accepted;
    });
    {
        QuestionRecorder no(false);
        EXPECT_TRUE(SaveChartCsv(*chart, output, nullptr));
        EXPECT_TRUE(no.Questions().empty());
        EXPECT_EQ(proposed, "Диаграмма.csv");
        EXPECT_EQ(ReadFile(name), ChartCsv(*chart, output));
        // Now the file exists: No keeps it.
        chart->SetRangeX(0, 10);
        EXPECT_FALSE(SaveChartCsv(*chart, output, nullptr));
        ASSERT_EQ(no.Questions().size(), 1u);
        EXPECT_NE(no.Questions()[0].find(QDir::toNativeSeparators(name).toStdString()),
                  std::string::npos);
        EXPECT_EQ(Lines(ReadFile(name)).size(), 752u);
    }
    {
        QuestionRecorder yes(true);
        EXPECT_TRUE(SaveChartCsv(*chart, output, nullptr));
        EXPECT_EQ(yes.Questions().size(), 1u);
        EXPECT_EQ(Lines(ReadFile(name)).size(), 12u);
    }
    SetSaveDialogHook([](QWidget*, const QString&, QString&) {
        return TSaveDialogResult::Cancelled;
    });
    EXPECT_FALSE(SaveChartCsv(*chart, output, nullptr));
    SetSaveDialogHook(previous);
    EXPECT_TRUE(messages.Messages().empty());
}

} // namespace
