// The charts' tools on the main window, driven by mouse moves through the
// window system, so that each move reaches the widget under the pointer.

#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

#include "AppTestUtil.h"
#include "chart/TDiagram.h"
#include "controls/TDiagramFrame.h"

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

} // namespace
