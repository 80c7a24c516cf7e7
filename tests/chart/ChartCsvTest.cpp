// A chart's data as CSV for a Russian spreadsheet: the heading named by the
// axes and the legend, the visible range only, the references as columns,
// numbers with a decimal comma that read back exactly.

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include <gtest/gtest.h>

#include "ChartTestUtil.h"
#include "base/MessageHook.h"
#include "chart/ChartCsv.h"
#include "chart/TReferenceCurves.h"
#include "files/SaveAs.h"

namespace {

const std::string kBom = "\xEF\xBB\xBF";

// printf's "%.17g" with the decimal comma.
std::string G17(double v) {
    char b[64];
    std::snprintf(b, sizeof b, "%.17g", v);
    std::string s = b;
    for (char& c : s) {
        if (c == '.') {
            c = ',';
        }
    }
    return s;
}

// The lines of text after its byte order mark, each of which must end in CRLF.
std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    if (text.compare(0, kBom.size(), kBom) != 0) {
        ADD_FAILURE() << "no byte order mark";
        return lines;
    }
    std::size_t at = kBom.size();
    while (at < text.size()) {
        const std::size_t end = text.find("\r\n", at);
        if (end == std::string::npos) {
            ADD_FAILURE() << "a line without CRLF: " << text.substr(at);
            break;
        }
        lines.push_back(text.substr(at, end - at));
        EXPECT_EQ(lines.back().find('\n'), std::string::npos);
        at = end + 2;
    }
    return lines;
}

std::vector<std::string> Cells(const std::string& line) {
    std::vector<std::string> cells;
    std::size_t at = 0;
    for (std::size_t end; (end = line.find(';', at)) != std::string::npos; at = end + 1) {
        cells.push_back(line.substr(at, end - at));
    }
    cells.push_back(line.substr(at));
    return cells;
}

// A cell read as a spreadsheet with a decimal comma reads it.
double Read(std::string cell) {
    for (char& c : cell) {
        if (c == ',') {
            c = '.';
        }
    }
    char* end = nullptr;
    const double v = std::strtod(cell.c_str(), &end);
    EXPECT_TRUE(!cell.empty() && *end == '\0') << cell;
    return v;
}

std::string ReadFile(const QString& name) {
    QFile f(name);
    return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : std::string("<none>");
}

class ChartData : public testing::Test {
  protected:
    void SetUp() override {
        chart = MakeChart(760, 250);
        chart->SetNameX("t, мс");
        chart->SetNameY("sвых(t), мВ");
        for (int i = 0; i < 7500; ++i) {
            run[i] = std::sin(i * 0.01) / 3.0;
        }
        chart->GetKeeper(0)->SetData(run, 7500, -2500.0, 4999.0);
        chart->SetRangeX(-250, 500);
    }
    std::unique_ptr<TDiagram> chart;
    double run[7500];
    MessageRecorder messages;
};

TEST_F(ChartData, HeadingByTheAxesAndOneLinePerSampleOfTheVisibleRange) {
    const std::vector<std::string> lines = Lines(ChartCsv(*chart));
    ASSERT_EQ(lines.size(), 1u + 751u);
    EXPECT_EQ(lines[0], "t, мс;sвых(t), мВ");
    EXPECT_EQ(lines[1], "-250;" + G17(run[2250]));
    EXPECT_EQ(lines[751], "500;" + G17(run[3000]));
    // Every value reads back as the very sample.
    for (std::size_t n = 1; n < lines.size(); ++n) {
        const std::vector<std::string> cells = Cells(lines[n]);
        ASSERT_EQ(cells.size(), 2u) << lines[n];
        EXPECT_EQ(Read(cells[0]), -251.0 + static_cast<double>(n));
        const double v = Read(cells[1]);
        ASSERT_EQ(std::memcmp(&v, &run[2249 + n], sizeof v), 0) << lines[n];
    }
    // A range between samples takes those inside it; one beyond the data
    // stops at its ends.
    chart->SetRangeX(10.5, 12.5);
    EXPECT_EQ(Lines(ChartCsv(*chart)).size(), 1u + 2u);
    chart->SetLimitX(-100000, 100000);
    chart->SetRangeX(4990, 6000);
    const std::vector<std::string> end = Lines(ChartCsv(*chart));
    ASSERT_EQ(end.size(), 1u + 10u);
    EXPECT_EQ(end.back(), "4999;" + G17(run[7499]));
    // Without data, only the heading.
    auto empty = MakeChart(300, 200);
    empty->SetNameX("t, мс");
    empty->SetNameY("sвх(t), B");
    EXPECT_EQ(ChartCsv(*empty), kBom + "t, мс\r\n");
    EXPECT_FALSE(HasChartData(*empty));
    EXPECT_TRUE(HasChartData(*chart));
}

TEST_F(ChartData, ReferencesAsColumnsNamedByTheLegendOldestFirstEmptyWhereTheyHaveNoSample) {
    TReferenceCurves refs(*chart);
    std::vector<double> first(run, run + 7500);
    refs.SetBaseName("ФНЧ, fc = 50 Гц");
    refs.Remember("СФ; K = 1");
    for (double& v : run) {
        v *= 2;
    }
    refs.Remember("b \"2\"");
    for (double& v : run) {
        v += 1;
    }
    // A series on a coarser grid has a sample at every other line only; the
    // legend does not name it.
    std::vector<double> coarse(100, 7.5);
    TKeeper* other = chart->PNewKeeper();
    other->SetData(coarse.data(), 100, -250, -52);
    // Hidden series are not part of the data.
    TKeeper* hidden = chart->PNewKeeper();
    hidden->SetData(coarse.data(), 100, -250, -52);
    hidden->Hide();

    const std::vector<std::string> lines = Lines(ChartCsv(*chart));
    ASSERT_EQ(lines.size(), 752u);
    EXPECT_EQ(lines[0],
              "t, мс;ФНЧ, fc = 50 Гц, мВ;\"СФ; K = 1, мВ\";\"b \"\"2\"\", мВ\";sвых(t), мВ");
    EXPECT_EQ(lines[1], "-250;" + G17(run[2250]) + ";" + G17(first[2250]) + ";" +
                            G17(2 * first[2250]) + ";7,5");
    EXPECT_EQ(lines[2],
              "-249;" + G17(run[2251]) + ";" + G17(first[2251]) + ";" + G17(2 * first[2251]) + ";");
    EXPECT_EQ(lines[751].substr(0, 4), "500;");
    EXPECT_EQ(lines[751].back(), ';');
    // Without a unit in the Y axis name the legend's texts stand alone.
    chart->SetNameY("Амплитуда");
    EXPECT_EQ(Lines(ChartCsv(*chart)).at(0),
              "t, мс;ФНЧ, fc = 50 Гц;\"СФ; K = 1\";\"b \"\"2\"\"\";Амплитуда");
}

TEST_F(ChartData, SavedThroughTheDialogAnExistingFileOnlyAfterTheQuestion) {
    QTemporaryDir dir;
    const QString name = dir.filePath("Диаграмма.csv");
    QString proposed;
    SaveDialogHook previous =
        SetSaveDialogHook([&](QWidget*, const TSaveRequest& request, QString& n) {
            EXPECT_EQ(request.Kind, TDocumentKind::ChartData);
            proposed = request.InitialName;
            n = name;
            return TSaveDialogResult::Accepted;
        });
    {
        QuestionRecorder no(false);
        EXPECT_TRUE(SaveChartCsv(*chart, nullptr));
        EXPECT_TRUE(no.Questions().empty());
        EXPECT_EQ(proposed, "Диаграмма.csv");
        EXPECT_EQ(ReadFile(name), ChartCsv(*chart));
        // Now the file exists: No keeps it.
        chart->SetRangeX(0, 10);
        EXPECT_FALSE(SaveChartCsv(*chart, nullptr));
        ASSERT_EQ(no.Questions().size(), 1u);
        EXPECT_NE(no.Questions()[0].find(QDir::toNativeSeparators(name).toStdString()),
                  std::string::npos);
        EXPECT_EQ(Lines(ReadFile(name)).size(), 752u);
    }
    {
        QuestionRecorder yes(true);
        EXPECT_TRUE(SaveChartCsv(*chart, nullptr));
        EXPECT_EQ(yes.Questions().size(), 1u);
        EXPECT_EQ(Lines(ReadFile(name)).size(), 12u);
    }
    SetSaveDialogHook(
        [](QWidget*, const TSaveRequest&, QString&) { return TSaveDialogResult::Cancelled; });
    EXPECT_FALSE(SaveChartCsv(*chart, nullptr));
    SetSaveDialogHook(previous);
    EXPECT_TRUE(messages.Messages().empty());
}

} // namespace
