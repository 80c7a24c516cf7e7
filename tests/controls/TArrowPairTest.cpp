#include "controls/TArrowPair.h"

#include <QTest>
#include <QToolButton>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "chart/TDiagram.h"
#include "controls/TDiagramFrame.h"

namespace {

// What the pair reported, in order: "down", "next" or "prev" per step, "up".
class Reports {
  public:
    explicit Reports(TArrowPair* pair) {
        QObject::connect(pair, &TArrowPair::MouseDown, [this] { seen.push_back("down"); });
        QObject::connect(pair, &TArrowPair::MouseUp, [this] { seen.push_back("up"); });
        QObject::connect(pair, &TArrowPair::Click, [this](TArrowPair::TUDBtnType b) {
            seen.push_back(b == TArrowPair::btNext ? "next" : "prev");
        });
    }
    int Steps() const {
        int n = 0;
        for (const std::string& s : seen) {
            n += s == "next" || s == "prev" ? 1 : 0;
        }
        return n;
    }
    std::vector<std::string> seen;
};

// A held arrow steps at once when pressed, as a spin button does, then at
// every automatic repeat, and not again when it is let go.
TEST(ArrowPair, StepsAtThePressAtEachRepeatAndNoneAtTheRelease) {
    TDiagramFrame frame;
    frame.resize(760, 250);
    frame.show();
    TDiagram* d = frame.Diagram;
    d->SetRangeX(-250.0, 500.0);
    frame.SaveInitialLimits();
    frame.SpeedButtonLim->click();
    frame.ShowTools();
    TArrowPair* pair = frame.UpDown4;
    QToolButton* next = pair->GetButton(TArrowPair::btNext);
    next->setAutoRepeatDelay(300);
    next->setAutoRepeatInterval(50);
    Reports reports(pair);
    const double before = d->GetXmax();
    const double step = d->GetStepX();
    const QPoint at = next->rect().center();

    QTest::mousePress(next, Qt::LeftButton, Qt::NoModifier, at);
    EXPECT_EQ(reports.seen, (std::vector<std::string>{"down", "next"}));
    EXPECT_DOUBLE_EQ(d->GetXmax(), before + step);

    ASSERT_TRUE(QTest::qWaitFor([&] { return reports.Steps() >= 4; }, 5000));
    const int held = reports.Steps();
    EXPECT_DOUBLE_EQ(d->GetXmax(), before + held * step);

    QTest::mouseRelease(next, Qt::LeftButton, Qt::NoModifier, at);
    EXPECT_EQ(reports.Steps(), held);
    EXPECT_DOUBLE_EQ(d->GetXmax(), before + held * step);
    ASSERT_FALSE(reports.seen.empty());
    EXPECT_EQ(reports.seen.front(), "down");
    EXPECT_EQ(reports.seen.back(), "up");
    EXPECT_EQ(reports.seen.size(), static_cast<size_t>(held) + 2);

    // A quick click is one step, and so is a click made by the program.
    reports.seen.clear();
    QToolButton* prev = pair->GetButton(TArrowPair::btPrev);
    QTest::mouseClick(prev, Qt::LeftButton, Qt::NoModifier, prev->rect().center());
    EXPECT_EQ(reports.seen, (std::vector<std::string>{"down", "prev", "up"}));
    reports.seen.clear();
    prev->click();
    EXPECT_EQ(reports.seen, std::vector<std::string>{"prev"});
    EXPECT_DOUBLE_EQ(d->GetXmax(), before + (held - 2) * step);
}

} // namespace
