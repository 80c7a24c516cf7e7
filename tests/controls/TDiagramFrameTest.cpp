#include "controls/TDiagramFrame.h"

#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "WindowTestUtil.h"
#include "chart/TDiagram.h"

namespace {

// A frame like the main window's: 760 x 250, a noise-like series over
// -2500 .. 4999 shown from -250 to 500.
class Frame : public testing::Test {
  protected:
    void SetUp() override {
        samples.resize(7500);
        for (size_t i = 0; i < samples.size(); ++i) {
            samples[i] = ((i * 7919) % 200) / 100.0 - 1.0;
        }
        frame = std::make_unique<TDiagramFrame>();
        frame->resize(760, 250);
        // A hidden widget gets its resize events only when shown.
        frame->show();
        TDiagram* d = frame->Diagram;
        d->GetKeeper(0)->SetData(samples.data(), 7500, -2500.0, 4999.0);
        d->SetRangeX(-250.0, 500.0);
        d->SetLimitX(-2250.0, 4499.1);
        d->AutoRangeY();
        frame->SaveInitialLimits();
    }

    QPoint NetCentre() const {
        const TDiagram* d = frame->Diagram;
        return QPoint((d->Get_xb_net() + d->Get_xe_net()) / 2,
                      (d->Get_yb_net() + d->Get_ye_net()) / 2);
    }
    bool PanelShown() const { return !frame->Panel->isHidden(); }
    int ArrowsShown() const {
        int n = 0;
        for (TArrowPair* a : {frame->UpDown1, frame->UpDown2, frame->UpDown3, frame->UpDown4}) {
            n += a->isHidden() ? 0 : 1;
        }
        return n;
    }
    // The positions that the net rectangle gives the tools.
    void ExpectToolsAtNet() const {
        const TDiagram* d = frame->Diagram;
        const int xb = d->Get_xb_net(), xe = d->Get_xe_net();
        const int yb = d->Get_yb_net(), ye = d->Get_ye_net();
        EXPECT_EQ(frame->Panel->geometry(), QRect(xe - 161 - 10, yb + 10, 161, 29));
        EXPECT_EQ(frame->UpDown1->geometry(), QRect(xb - 16, yb, 16, 30));
        EXPECT_EQ(frame->UpDown2->geometry(), QRect(xb - 16, ye - 30, 16, 30));
        EXPECT_EQ(frame->UpDown3->geometry(), QRect(xb, ye, 30, 16));
        EXPECT_EQ(frame->UpDown4->geometry(), QRect(xe - 30, ye, 30, 16));
    }

    std::vector<double> samples;
    std::unique_ptr<TDiagramFrame> frame;
};

TEST_F(Frame, ComponentsAsDescribed) {
    EXPECT_EQ(frame->Panel->size(), QSize(161, 29));
    const std::vector<std::pair<QToolButton*, QString>> buttons = {
        {frame->SpeedButtonMeasure, "Измерения"},
        {frame->SpeedButtonLim, "Пределы"},
        {frame->SpeedButtonRetLim, "Исходные пределы"},
        {frame->SpeedButtonIncrease, "Увеличение"},
        {frame->SpeedButtonSave, "Сохранить рисунок"},
        {frame->SpeedButtonCopy, "Копировать в буфер обмена"}};
    int left = 8;
    for (const auto& [b, hint] : buttons) {
        EXPECT_EQ(b->geometry(), QRect(left, 4, 23, 22)) << hint.toStdString();
        EXPECT_EQ(b->toolTip(), hint);
        EXPECT_FALSE(b->icon().isNull());
        left += 24;
    }
    EXPECT_TRUE(frame->SpeedButtonMeasure->isCheckable());
    EXPECT_TRUE(frame->SpeedButtonLim->isCheckable());
    EXPECT_FALSE(frame->SpeedButtonRetLim->isCheckable());
    EXPECT_FALSE(frame->Diagram->GetShowFeeler());
    EXPECT_EQ(frame->Diagram->geometry(), frame->rect());
    EXPECT_FALSE(PanelShown());
    EXPECT_EQ(ArrowsShown(), 0);
    EXPECT_FALSE(frame->GetToolsLocked());
}

TEST_F(Frame, ToolStatesUnderMovesRightClicksAndHideTools) {
    TDiagram* d = frame->Diagram;
    // hidden -> shown: the panel, without arrows while "Пределы" is up.
    MoveMouse(d, NetCentre());
    EXPECT_TRUE(PanelShown());
    EXPECT_EQ(ArrowsShown(), 0);

    // shown -> locked by a right click; moves change nothing.
    PressMouse(d, NetCentre(), Qt::RightButton);
    EXPECT_TRUE(frame->GetToolsLocked());
    EXPECT_FALSE(PanelShown());
    MoveMouse(d, NetCentre() + QPoint(5, 5));
    EXPECT_FALSE(PanelShown());

    // locked -> shown by the next right click.
    PressMouse(d, NetCentre(), Qt::RightButton);
    EXPECT_FALSE(frame->GetToolsLocked());
    EXPECT_TRUE(PanelShown());

    // With "Пределы" down the arrows come with the panel.
    frame->SpeedButtonLim->click();
    EXPECT_EQ(ArrowsShown(), 4);
    frame->HideTools();
    EXPECT_FALSE(PanelShown());
    EXPECT_EQ(ArrowsShown(), 0);
    MoveMouse(d, NetCentre());
    EXPECT_TRUE(PanelShown());
    EXPECT_EQ(ArrowsShown(), 4);

    // locked -> hidden and unlocked by HideTools; a move shows them again.
    PressMouse(d, NetCentre(), Qt::RightButton);
    EXPECT_TRUE(frame->GetToolsLocked());
    frame->HideTools();
    EXPECT_FALSE(frame->GetToolsLocked());
    MoveMouse(d, NetCentre());
    EXPECT_TRUE(PanelShown());

    // Other buttons leave the state alone.
    PressMouse(d, NetCentre(), Qt::MiddleButton);
    EXPECT_TRUE(PanelShown());
    EXPECT_FALSE(frame->GetToolsLocked());
}

TEST_F(Frame, LimitsButtonTogglesArrowsWhilePanelStays) {
    MoveMouse(frame->Diagram, NetCentre());
    ASSERT_TRUE(PanelShown());
    frame->SpeedButtonLim->click();
    EXPECT_TRUE(frame->SpeedButtonLim->isChecked());
    EXPECT_EQ(ArrowsShown(), 4);
    EXPECT_TRUE(PanelShown());
    frame->SpeedButtonLim->click();
    EXPECT_FALSE(frame->SpeedButtonLim->isChecked());
    EXPECT_EQ(ArrowsShown(), 0);
    EXPECT_TRUE(PanelShown());
}

TEST_F(Frame, HostCanRewireTheMouseMove) {
    int hostCalls = 0;
    QObject::disconnect(frame->Diagram, &TDiagram::OnMouseMove, frame.get(), nullptr);
    QObject::connect(frame->Diagram, &TDiagram::OnMouseMove, frame.get(),
                     [&](TDiagram* s, Qt::KeyboardModifiers m, int x, int y) {
                         ++hostCalls;
                         frame->DiagramMouseMove(s, m, x, y);
                     });
    MoveMouse(frame->Diagram, NetCentre());
    EXPECT_EQ(hostCalls, 1);
    EXPECT_TRUE(PanelShown());
}

TEST_F(Frame, ChartClickTogglesFeelerAndMeasureButtonTogether) {
    TDiagram* d = frame->Diagram;
    ClickMouse(d, NetCentre());
    EXPECT_TRUE(d->GetShowFeeler());
    EXPECT_TRUE(frame->SpeedButtonMeasure->isChecked());
    frame->SpeedButtonMeasure->click();
    EXPECT_FALSE(d->GetShowFeeler());
    EXPECT_FALSE(frame->SpeedButtonMeasure->isChecked());
    ClickMouse(d, NetCentre());
    EXPECT_TRUE(d->GetShowFeeler());
    EXPECT_TRUE(frame->SpeedButtonMeasure->isChecked());
    // A right click and a press released outside the chart are no clicks.
    ClickMouse(d, NetCentre(), Qt::RightButton);
    PressMouse(d, NetCentre(), Qt::LeftButton);
    ReleaseMouse(d, QPoint(-5, -5), Qt::LeftButton);
    EXPECT_TRUE(d->GetShowFeeler());
}

TEST_F(Frame, EachArrowPairStepsItsOwnBound) {
    TDiagram* d = frame->Diagram;
    struct Case {
        TArrowPair* arrows;
        double (TDiagram::*changed)() const;
    };
    const std::vector<Case> cases = {{frame->UpDown1, &TDiagram::GetYmax},
                                     {frame->UpDown2, &TDiagram::GetYmin},
                                     {frame->UpDown3, &TDiagram::GetXmin},
                                     {frame->UpDown4, &TDiagram::GetXmax}};
    const std::vector<double (TDiagram::*)() const> all = {&TDiagram::GetXmin, &TDiagram::GetXmax,
                                                           &TDiagram::GetYmin, &TDiagram::GetYmax};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arrows->objectName().toStdString());
        const bool isX = c.changed == &TDiagram::GetXmin || c.changed == &TDiagram::GetXmax;
        for (auto button : {TArrowPair::btNext, TArrowPair::btPrev}) {
            std::vector<double> before;
            for (auto get : all) {
                before.push_back((d->*get)());
            }
            const double step = isX ? d->GetStepX() : d->GetStepY();
            c.arrows->GetButton(button)->click();
            for (size_t i = 0; i < all.size(); ++i) {
                if (all[i] == c.changed) {
                    EXPECT_DOUBLE_EQ((d->*all[i])(),
                                     before[i] + (button == TArrowPair::btNext ? step : -step));
                } else {
                    EXPECT_EQ((d->*all[i])(), before[i]);
                }
            }
        }
    }
}

TEST_F(Frame, ReturnToInitialLimitsAfterZoomingRestoresRangeAndMovesArrows) {
    TDiagram* d = frame->Diagram;
    frame->SpeedButtonLim->click();
    // Zoom into a window wholly to the right of the initial one, and make
    // the value range much narrower so the labels (and the net) change width.
    for (int i = 0; i < 100; ++i) {
        frame->UpDown4->GetButton(TArrowPair::btNext)->click();
        frame->UpDown3->GetButton(TArrowPair::btNext)->click();
    }
    for (int i = 0; i < 30; ++i) {
        frame->UpDown1->GetButton(TArrowPair::btPrev)->click();
    }
    ASSERT_GT(d->GetXmin(), frame->GetInitXmax());
    ExpectToolsAtNet();
    frame->SpeedButtonRetLim->click();
    EXPECT_DOUBLE_EQ(d->GetXmin(), -250.0);
    EXPECT_DOUBLE_EQ(d->GetXmax(), 500.0);
    EXPECT_DOUBLE_EQ(d->GetYmin(), frame->GetInitYmin());
    EXPECT_DOUBLE_EQ(d->GetYmax(), frame->GetInitYmax());
    ExpectToolsAtNet();
    // The initial limits move only with SaveInitialLimits.
    d->SetRangeX(0, 100);
    frame->SpeedButtonRetLim->click();
    EXPECT_DOUBLE_EQ(d->GetXmin(), -250.0);
    d->SetRangeX(0, 100);
    frame->SaveInitialLimits();
    d->SetRangeX(-10, 10);
    frame->SpeedButtonRetLim->click();
    EXPECT_DOUBLE_EQ(d->GetXmin(), 0.0);
    EXPECT_DOUBLE_EQ(d->GetXmax(), 100.0);
}

TEST_F(Frame, ResizeRedrawsAndPlacesToolsAtTheNet) {
    for (QSize size : {QSize(490, 344), QSize(1200, 700), QSize(300, 160)}) {
        frame->resize(size);
        EXPECT_EQ(frame->Diagram->size(), size);
        EXPECT_EQ(frame->Diagram->GetPicture().size(), size);
        ExpectToolsAtNet();
    }
}

// Each bound held against what stops it: the limits outward, the minimum
// width inward. The chart refuses the step that would spoil the range and
// the arrow goes on repeating harmlessly.
TEST_F(Frame, HeldArrowsNeverSpoilTheRange) {
    TDiagram* d = frame->Diagram;
    d->SetLimitY(-3.0, 3.0);
    struct Case {
        TArrowPair* arrows;
        TArrowPair::TUDBtnType button;
        double lo, hi; // the range to start from
    };
    // Outward from near the limits; inward from near the minimum width.
    const std::vector<Case> cases = {{frame->UpDown1, TArrowPair::btNext, -1, 2.5},
                                     {frame->UpDown1, TArrowPair::btPrev, 0, 0.00002},
                                     {frame->UpDown2, TArrowPair::btPrev, -2.5, 1},
                                     {frame->UpDown2, TArrowPair::btNext, 0, 0.00002},
                                     {frame->UpDown3, TArrowPair::btPrev, -2200, 0},
                                     {frame->UpDown3, TArrowPair::btNext, 0, 0.00002},
                                     {frame->UpDown4, TArrowPair::btNext, 0, 4400},
                                     {frame->UpDown4, TArrowPair::btPrev, 0, 0.00002}};
    for (const Case& c : cases) {
        const bool isX = c.arrows == frame->UpDown3 || c.arrows == frame->UpDown4;
        SCOPED_TRACE(c.arrows->objectName().toStdString() +
                     (c.button == TArrowPair::btNext ? " next" : " prev"));
        d->SetRangeX(-250, 500);
        d->SetRangeY(-1, 1);
        if (isX) {
            d->SetRangeX(c.lo, c.hi);
        } else {
            d->SetRangeY(c.lo, c.hi);
        }
        for (int i = 0; i < 150; ++i) {
            c.arrows->GetButton(c.button)->click();
            ASSERT_TRUE(RangeValid(d->GetXmin(), d->GetXmax(), -2250.0, 4499.1)) << i;
            ASSERT_TRUE(RangeValid(d->GetYmin(), d->GetYmax(), -3.0, 3.0)) << i;
        }
        // It came to rest against what stops it.
        const double lo = isX ? d->GetXmin() : d->GetYmin();
        const double hi = isX ? d->GetXmax() : d->GetYmax();
        if (c.lo < -2 || c.hi > 2) {
            EXPECT_TRUE(lo == (isX ? -2250.0 : -3.0) || hi == (isX ? 4499.1 : 3.0));
        } else {
            EXPECT_LT(hi - lo, 2e-6);
        }
        ExpectToolsAtNet();
    }
}

// The real thing: a held mouse button repeating the arrow.
TEST_F(Frame, HoldingAnArrowRepeatsUntilReleased) {
    TArrowPair* arrows = frame->UpDown4;
    QToolButton* next = arrows->GetButton(TArrowPair::btNext);
    next->setAutoRepeatDelay(1);
    next->setAutoRepeatInterval(1);
    QSignalSpy down(arrows, &TArrowPair::MouseDown);
    QSignalSpy up(arrows, &TArrowPair::MouseUp);
    QSignalSpy clicks(arrows, &TArrowPair::Click);
    const double before = frame->Diagram->GetXmax();
    QTest::mousePress(next, Qt::LeftButton, Qt::NoModifier, next->rect().center());
    EXPECT_EQ(down.count(), 1);
    QTest::qWait(100);
    QTest::mouseRelease(next, Qt::LeftButton, Qt::NoModifier, next->rect().center());
    EXPECT_EQ(up.count(), 1);
    EXPECT_GE(clicks.count(), 2);
    for (const QList<QVariant>& c : clicks) {
        EXPECT_EQ(c.at(0).value<TArrowPair::TUDBtnType>(), TArrowPair::btNext);
    }
    EXPECT_GT(frame->Diagram->GetXmax(), before);
    ExpectToolsAtNet();
}

TEST_F(Frame, EnlargeWithoutAWindowDoesNothing) {
    frame->SpeedButtonIncrease->click();
    EXPECT_EQ(frame->GetDiagramIncrease(), nullptr);
    EXPECT_DOUBLE_EQ(frame->Diagram->GetXmin(), -250.0);
}

} // namespace
