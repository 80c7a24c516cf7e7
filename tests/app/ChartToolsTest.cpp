// The charts' tools on the main window, driven by mouse moves through the
// window system, so that each move reaches the widget under the pointer.

#include <QComboBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

#include "AppTestUtil.h"
#include "bench/BenchSetup.h"
#include "chart/TAlignedCharts.h"
#include "chart/TDiagram.h"
#include "controls/TDiagramFrame.h"
#include "controls/TDiagramIncrease.h"

namespace {

class ChartTools : public testing::Test, public FormFixture {
  protected:
    void SetUp() override {
        form->show();
        form->PageControl1->setCurrentIndex(1);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    }
    // Moves the pointer onto the point at of w.
    void MoveOnto(QWidget* w, QPoint at) {
        QTest::mouseMove(form->windowHandle(), w->mapTo(form.get(), at));
        QCoreApplication::processEvents();
    }
    bool Shown(TDiagramFrame* frame) const { return frame->Panel->isVisible(); }
};

TEST_F(ChartTools, AMoveOntoTheTabBarPutsBothChartsToolsAway) {
    QTabBar* tabs = form->PageControl1->tabBar();
    TDiagram* input = form->DiagramFrame1->Diagram;
    TDiagram* output = form->DiagramFrame2->Diagram;
    for (TDiagram* chart : {input, output}) {
        TDiagramFrame* frame = chart == input ? form->DiagramFrame1 : form->DiagramFrame2;
        MoveOnto(chart, QPoint(300, 100));
        ASSERT_TRUE(Shown(frame));
        // Either tab, also at the bar's edge.
        for (const QPoint at : {tabs->tabRect(0).center(), tabs->tabRect(1).center(),
                                tabs->tabRect(1).bottomRight() - QPoint(1, 1)}) {
            MoveOnto(chart, QPoint(300, 100));
            MoveOnto(tabs, at);
            EXPECT_FALSE(Shown(form->DiagramFrame1)) << at.x();
            EXPECT_FALSE(Shown(form->DiagramFrame2)) << at.x();
        }
    }
}

// The input's labels in volts are narrower than the output's in millivolts;
// yet, as on an oscilloscope's two channels, one time lies at one x on both,
// and the tools sit at each net's edges.
TEST_F(ChartTools, OneTimeAtOneXOnBothCharts) {
    TDiagram* input = form->DiagramFrame1->Diagram;
    TDiagram* output = form->DiagramFrame2->Diagram;
    form->ComboBox1->setCurrentIndex(siRectangle);
    emit form->ComboBox1->activated(siRectangle);
    form->BitBtn1Click();
    ASSERT_NE(input->GetNaturalNetMargins(), output->GetNaturalNetMargins());
    for (const double t : {-250.0, 0.0, 500.0}) {
        EXPECT_EQ(input->MathToPhisX(t), output->MathToPhisX(t)) << t;
    }
    EXPECT_EQ(input->GetAlignedCharts(), output->GetAlignedCharts());
    for (TDiagramFrame* frame : {form->DiagramFrame1, form->DiagramFrame2}) {
        EXPECT_EQ(frame->UpDown3->x(), frame->Diagram->Get_xb_net());
        EXPECT_EQ(frame->UpDown4->geometry().right() + 1, frame->Diagram->Get_xe_net());
    }

    // Alone in the enlarged window, the chart has the margins of its own labels.
    TDiagramIncrease increase;
    increase.resize(1000, 700);
    increase.show();
    const TNetMargins common = input->GetNetMargins();
    increase.AssignDiagram(input);
    // (Its first drawing may raise its label precision; the next one makes
    // room for the longer labels.)
    increase.Diagram1->ShowDiagram();
    EXPECT_EQ(increase.Diagram1->GetNetMargins(), increase.Diagram1->GetNaturalNetMargins());
    EXPECT_EQ(increase.Diagram1->GetAlignedCharts(), nullptr);
    increase.ReturnLimits();
    EXPECT_EQ(input->GetNetMargins(), common);
    EXPECT_EQ(input->MathToPhisX(0), output->MathToPhisX(0));
}

} // namespace
