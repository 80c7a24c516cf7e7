// The tools that the diagram frame and the enlarged window share, through
// real clicks: each arrow steps its own bound, "Исходные пределы" returns;
// and the enlarged window takes a chart over the same way however often it
// is opened, drawing each chart once per opening and closing.

#include <QTest>
#include <QToolButton>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "chart/TDiagram.h"
#include "controls/TDiagramFrame.h"
#include "controls/TDiagramIncrease.h"
#include "tests/chart/DrawingCounter.h"

namespace {

std::vector<double> Noise() {
    std::vector<double> v(7500);
    for (size_t i = 0; i < v.size(); ++i) {
        v[i] = ((i * 7919) % 200) / 100.0 - 1.0;
    }
    return v;
}

void ShowRun(TDiagram& d, const std::vector<double>& samples) {
    d.GetKeeper(0)->SetData(samples.data(), 7500, -2500.0, 4999.0);
    d.SetRangeX(-250.0, 500.0);
    d.SetLimitX(-2250.0, 4499.1);
    d.AutoRangeY();
}

struct TBounds {
    double v[4]; // xmin, xmax, ymin, ymax
    explicit TBounds(const TDiagram& d) : v{d.GetXmin(), d.GetXmax(), d.GetYmin(), d.GetYmax()} {}
};

// A real click on each arrow of each pair: only the pair's own bound moves,
// by one step of its axis.
void ExpectArrowsStepTheirOwnBound(const TChartTools& tools, const TDiagram& d) {
    const struct {
        TArrowPair* arrows;
        int bound;
    } pairs[] = {{tools.UpDown1, 3}, {tools.UpDown2, 2}, {tools.UpDown3, 0}, {tools.UpDown4, 1}};
    for (const auto& p : pairs) {
        for (auto button : {TArrowPair::btNext, TArrowPair::btPrev}) {
            SCOPED_TRACE(p.arrows->objectName().toStdString() +
                         (button == TArrowPair::btNext ? " next" : " prev"));
            const TBounds before(d);
            const double step = p.bound < 2 ? d.GetStepX() : d.GetStepY();
            QToolButton* arrow = p.arrows->GetButton(button);
            QTest::mouseClick(arrow, Qt::LeftButton, Qt::NoModifier, arrow->rect().center());
            const TBounds after(d);
            for (int i = 0; i < 4; ++i) {
                const double moved = i != p.bound ? 0 : button == TArrowPair::btNext ? step : -step;
                EXPECT_DOUBLE_EQ(after.v[i], before.v[i] + moved) << i;
            }
        }
    }
}

void ClickOn(QToolButton* b) {
    QTest::mouseClick(b, Qt::LeftButton, Qt::NoModifier, b->rect().center());
}

void ExpectBounds(const TDiagram& d, double xmin, double xmax, double ymin, double ymax) {
    EXPECT_DOUBLE_EQ(d.GetXmin(), xmin);
    EXPECT_DOUBLE_EQ(d.GetXmax(), xmax);
    EXPECT_DOUBLE_EQ(d.GetYmin(), ymin);
    EXPECT_DOUBLE_EQ(d.GetYmax(), ymax);
}

} // namespace

TEST(ChartTools, FrameStepsAndReturnsThroughItsButtons) {
    const std::vector<double> samples = Noise();
    TDiagramFrame frame;
    frame.resize(760, 250);
    frame.show();
    TDiagram& d = *frame.Diagram;
    ShowRun(d, samples);
    frame.SaveInitialLimits();
    const TBounds initial(d);
    ClickOn(frame.SpeedButtonLim);
    ExpectArrowsStepTheirOwnBound(frame, d);
    for (int i = 0; i < 20; ++i) {
        ClickOn(frame.UpDown3->GetButton(TArrowPair::btNext));
        ClickOn(frame.UpDown1->GetButton(TArrowPair::btPrev));
    }
    ClickOn(frame.SpeedButtonRetLim);
    ExpectBounds(d, initial.v[0], initial.v[1], initial.v[2], initial.v[3]);
    EXPECT_EQ(frame.UpDown4->pos(), QPoint(d.Get_xe_net() - 30, d.Get_ye_net()));
    EXPECT_EQ(frame.UpDown1->pos(), QPoint(d.Get_xb_net() - 16, d.Get_yb_net()));
}

TEST(ChartTools, EnlargedWindowStepsAndReturnsThroughItsButtons) {
    const std::vector<double> samples = Noise();
    TDiagram source;
    source.resize(760, 250);
    ShowRun(source, samples);
    TDiagramIncrease window;
    window.AssignDiagram(&source);
    TDiagram& d = *window.Diagram1;
    ClickOn(window.SpeedButtonLimit);
    ExpectArrowsStepTheirOwnBound(window, d);
    for (int i = 0; i < 80; ++i) {
        ClickOn(window.UpDown4->GetButton(TArrowPair::btNext));
        ClickOn(window.UpDown3->GetButton(TArrowPair::btNext));
    }
    ASSERT_GT(d.GetXmin(), 500.0);
    ClickOn(window.SpeedButtonRetLim);
    ExpectBounds(d, -250.0, 500.0, source.GetYmin(), source.GetYmax());
    window.ReturnLimits();
}

// Without the old "skip what is already set" guards every opening sets all
// anew: opening a chart again after another gives the very same chart.
TEST(ChartTools, OpeningAChartAgainAfterAnotherGivesTheSameChart) {
    const std::vector<double> samples = Noise();
    TDiagram first, second;
    first.resize(760, 250);
    second.resize(400, 300);
    ShowRun(first, samples);
    ShowRun(second, samples);
    second.SetColorBackNet(QColor(240, 240, 200));
    second.SetPenStyleNetLine(Qt::DashLine);
    second.SetNameDiagram(QStringLiteral("Сигнал на выходе фильтра"));
    second.SetLimitY(-90000.0, 90000.0);
    second.SetRangeY(-87654.3, 76543.2);
    QImage mark(12, 8, QImage::Format_RGB32);
    mark.fill(Qt::green);
    second.SetBitmapX(&mark);

    TDiagramIncrease window;
    TDiagram& d = *window.Diagram1;
    window.AssignDiagram(&first);
    const QImage picture = d.GetPicture().copy();
    const QString title = window.windowTitle();
    window.ReturnLimits();
    window.AssignDiagram(&second);
    EXPECT_FALSE(d.GetBitmapX().isNull());
    window.ReturnLimits();
    window.AssignDiagram(&first);
    EXPECT_TRUE(d.GetPicture() == picture);
    EXPECT_EQ(window.windowTitle(), title);
    EXPECT_TRUE(d.GetBitmapX().isNull());
    EXPECT_EQ(d.GetPenStyleNetLine(), first.GetPenStyleNetLine());
    EXPECT_DOUBLE_EQ(d.GetLimitYmax(), first.GetLimitYmax());
    ExpectBounds(d, first.GetXmin(), first.GetXmax(), first.GetYmin(), first.GetYmax());
    EXPECT_DOUBLE_EQ(window.GetInitYmin(), first.GetYmin());
    window.ReturnLimits();
}

TEST(ChartTools, OpeningAndClosingDrawEachChartOnce) {
    TDiagram source;
    source.resize(760, 250);
    DrawingCounter::Attach(*source.GetKeeper(0));
    source.SetRangeX(-250.0, 500.0);
    source.SetLimitX(-2250.0, 4499.1);
    TDiagramIncrease window;
    EXPECT_EQ(DrawingCounter::During([&] { window.AssignDiagram(&source); }), 1);
    window.UpDown4Click(TArrowPair::btPrev);
    EXPECT_EQ(DrawingCounter::During([&] { window.ReturnLimits(); }), 1);
    EXPECT_DOUBLE_EQ(source.GetXmax(), 490.0);
    EXPECT_EQ(window.Diagram1->GetKeeper(0)->GetNext(), nullptr);
}
