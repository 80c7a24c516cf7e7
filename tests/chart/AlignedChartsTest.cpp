// Charts one above the other whose nets share their left and right edges, as
// an oscilloscope's two channels: one time at one x on both, on screen, in
// copies and in prints, whichever chart's labels change.

#include <QClipboard>
#include <QGuiApplication>
#include <QObject>
#include <QtMath>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "ChartTestUtil.h"
#include "chart/TAlignedCharts.h"

namespace {

// The bench's two charts: the input in volts (labels like "1.0"), the output
// in millivolts (labels like "-100"), both over Start's window.
class Aligned : public testing::Test {
  protected:
    void SetUp() override {
        input = MakeChart(760, 250);
        output = MakeChart(760, 250);
        Show(*input, -0.1, 1.1);
        Show(*output, -120, 330);
        QObject::connect(input.get(), &TDiagram::Drawn, [this] { ++inputDrawings; });
        QObject::connect(output.get(), &TDiagram::Drawn, [this] { ++outputDrawings; });
    }
    static void Show(TDiagram& d, double ymin, double ymax) {
        TDiagramBatch batch(d);
        d.SetRangeX(-250, 500);
        d.SetRangeY(ymin, ymax);
    }
    // The times of Start's window at one pixel on both charts, and the nets
    // with the same edges.
    void ExpectAligned(const char* when) const {
        for (const double t : {-250.0, 0.0, 500.0, 137.0}) {
            EXPECT_EQ(input->MathToPhisX(t), output->MathToPhisX(t)) << when << ", t = " << t;
        }
        EXPECT_EQ(input->Get_xb_net(), output->Get_xb_net()) << when;
        EXPECT_EQ(input->Get_xe_net(), output->Get_xe_net()) << when;
    }
    // The column of the solid zero line of the time axis in a picture of
    // ratio r: black all the way down the middle of the net.
    static int ZeroLineColumn(const QImage& img, const TDiagram& d, qreal r) {
        const int row = qFloor((d.Get_yb_net() + d.Get_ye_net()) / 2 * r);
        const int mid = qFloor(d.MathToPhisX(0) * r);
        for (int x = mid - 8; x <= mid + 8; ++x) {
            bool solid = true;
            for (int y = row - 6; y <= row + 6 && solid; ++y) {
                solid = (img.pixel(x, y) & 0xffffffu) == 0;
            }
            if (solid) {
                return x;
            }
        }
        return -1;
    }

    std::unique_ptr<TDiagram> input, output;
    int inputDrawings = 0, outputDrawings = 0;
};

TEST_F(Aligned, OneTimeAtOneXWhateverTheLabelsAndEachChartDrawnOnce) {
    // Alone, the wider labels of the output push its net to the right.
    ASSERT_LT(input->Get_xb_net(), output->Get_xb_net());
    ASSERT_NE(input->MathToPhisX(0), output->MathToPhisX(0));
    const TNetMargins inputAlone = input->GetNetMargins();

    TAlignedCharts group;
    group.Add(*input);
    group.Add(*output);
    ExpectAligned("joined");
    EXPECT_EQ(input->GetNetMargins(), output->GetNaturalNetMargins());
    EXPECT_EQ(group.Margins(), output->GetNetMargins());

    // New labels on one chart move the other's net with it, with one drawing
    // each and no more.
    inputDrawings = outputDrawings = 0;
    Show(*input, -2000, 3000);
    ExpectAligned("wider input labels");
    EXPECT_GT(input->Get_xb_net(), inputAlone.left);
    EXPECT_EQ(inputDrawings, 1);
    EXPECT_EQ(outputDrawings, 1);
    // A change that moves no margin draws only the chart it changes.
    inputDrawings = outputDrawings = 0;
    Show(*input, -2500, 3500);
    EXPECT_EQ(inputDrawings, 1);
    EXPECT_EQ(outputDrawings, 0);

    // Both charts set in batches, as a run shows them: each drawn once.
    inputDrawings = outputDrawings = 0;
    {
        TDiagramBatch a(*input);
        TDiagramBatch b(*output);
        Show(*input, -0.1, 1.1);
        Show(*output, -12000, 33000);
    }
    ExpectAligned("a run in batches");
    EXPECT_EQ(inputDrawings, 1);
    EXPECT_EQ(outputDrawings, 1);

    // The zero line drawn in one column on both, on screen and in prints.
    EXPECT_EQ(ZeroLineColumn(input->GetPicture(), *input, 1),
              ZeroLineColumn(output->GetPicture(), *output, 1));
    EXPECT_GE(ZeroLineColumn(input->GetPicture(), *input, 1), 0);
    for (const qreal r : {2.0, 3.125}) {
        const QImage a = input->RenderPicture(r);
        const QImage b = output->RenderPicture(r);
        EXPECT_GE(ZeroLineColumn(a, *input, r), 0) << r;
        EXPECT_EQ(ZeroLineColumn(a, *input, r), ZeroLineColumn(b, *output, r)) << r;
    }
}

TEST_F(Aligned, CopiesAtTheScreensRatioKeepTheCommonEdge) {
    RatioScope ratio(2);
    TAlignedCharts group;
    group.Add(*input);
    group.Add(*output);
    input->CopyToClipboard();
    const QImage a = QGuiApplication::clipboard()->image();
    output->CopyToClipboard();
    const QImage b = QGuiApplication::clipboard()->image();
    ASSERT_EQ(a.size(), QSize(1520, 500));
    EXPECT_GE(ZeroLineColumn(a, *input, 2), 0);
    EXPECT_EQ(ZeroLineColumn(a, *input, 2), ZeroLineColumn(b, *output, 2));
    ExpectAligned("copied");
}

TEST_F(Aligned, LeavingGivesBackTheChartsOwnMarginsAndNarrowChartsKeepTheirs) {
    const TNetMargins alone = input->GetNetMargins();
    {
        TAlignedCharts group;
        group.Add(*input);
        group.Add(*output);
        EXPECT_NE(input->GetNetMargins(), alone);
        group.Remove(*output);
        EXPECT_EQ(input->GetNetMargins(), alone);
        EXPECT_EQ(group.Members(), std::vector<TDiagram*>{input.get()});
        group.Add(*output);
        EXPECT_NE(input->GetNetMargins(), alone);
        // A member destroyed leaves the group by itself.
        output.reset();
        EXPECT_EQ(group.Margins(), input->GetNaturalNetMargins());
        input->ShowDiagram();
        EXPECT_EQ(input->GetNetMargins(), alone);
        output = MakeChart(760, 250);
        Show(*output, -120, 330);
        group.Add(*output);
        EXPECT_NE(input->GetNetMargins(), alone);
    }
    // The group gone, each chart has its own again.
    EXPECT_EQ(input->GetNetMargins(), alone);
    EXPECT_EQ(input->GetAlignedCharts(), nullptr);

    // A chart a tenth as wide would lose more than half its net: it keeps
    // its own margins, the others the common ones.
    TAlignedCharts group;
    auto narrow = MakeChart(76, 250);
    Show(*narrow, -0.1, 1.1);
    const TNetMargins narrowAlone = narrow->GetNetMargins();
    input->SetMinNetMargins({60, 40});
    group.Add(*input);
    group.Add(*output);
    group.Add(*narrow);
    EXPECT_EQ(narrow->GetNetMargins(), narrowAlone);
    EXPECT_EQ(input->GetNetMargins().left, std::max(60, output->GetNaturalNetMargins().left));
    EXPECT_EQ(output->GetNetMargins(), input->GetNetMargins());
    EXPECT_EQ(input->GetNetMargins().right, 40);
    ExpectAligned("with a minimum of its own");
}

TEST(NetMargins, ALoneChartTakesWhatItsLabelsNeedOrItsMinimum) {
    auto d = MakeChart(500, 300);
    d->SetRangeY(-120, 330);
    const TNetMargins natural = d->GetNaturalNetMargins();
    EXPECT_EQ(d->GetNetMargins(), natural);
    EXPECT_EQ(natural.left, d->Get_xb_net());
    EXPECT_EQ(natural.right, 500 - d->Get_xe_net());
    // Labels of "-120" take four digits and a margin: the net starts right of them.
    EXPECT_GT(natural.left, 4 * 6);
    d->SetMinNetMargins({natural.left + 17, natural.right + 3});
    EXPECT_EQ(d->Get_xb_net(), natural.left + 17);
    EXPECT_EQ(d->Get_xe_net(), 500 - natural.right - 3);
    EXPECT_EQ(d->GetNaturalNetMargins(), natural);
    // A minimum below what the labels need changes nothing.
    d->SetMinNetMargins({1, 1});
    EXPECT_EQ(d->GetNetMargins(), natural);
}

} // namespace
