// The splash window: goes after its interval or at a click, and always gives
// the cursor back.

#include <QPointer>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "AppTestUtil.h"
#include "app/SplashPicture.h"
#include "app/THelloForm.h"
#include "controls/TImage.h"

namespace {

TEST(Splash, ShowsTheTitleCardWithTheStartingCursorAndGoesAfterItsInterval) {
    const int cursors = OverrideCursorDepth();
    QPointer<THelloForm> splash = new THelloForm;
    EXPECT_EQ(splash->Timer1->interval(), 5000);
    EXPECT_TRUE(splash->Timer1->isActive());
    EXPECT_EQ(splash->size(), QSize(SplashWidth, SplashHeight));
    EXPECT_EQ(splash->Image1->GetPicture().size(), QSize(SplashWidth, SplashHeight));
    EXPECT_TRUE(splash->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(OverrideCursorDepth(), cursors + 1);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::BusyCursor);
    splash->show();

    splash->Timer1->setInterval(30);
    EXPECT_TRUE(QTest::qWaitFor([&] { return splash.isNull(); }, 5000));
    EXPECT_EQ(OverrideCursorDepth(), cursors);
}

TEST(Splash, AClickClosesItAtOnceAndTheTimerNeverFiresLater) {
    const int cursors = OverrideCursorDepth();
    QPointer<THelloForm> splash = new THelloForm;
    splash->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(splash.data()));
    QTest::mouseClick(splash->Image1, Qt::LeftButton, Qt::NoModifier, QPoint(200, 150));
    EXPECT_FALSE(splash->isVisible());
    EXPECT_EQ(OverrideCursorDepth(), cursors);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(splash.isNull());
}

TEST(Splash, NeverKeepsTheProgramAliveAndLeavesWithTheMainWindow) {
    const int cursors = OverrideCursorDepth();
    {
        TForm1 form;
        QWidget* splash = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (qobject_cast<THelloForm*>(w)) {
                splash = w;
            }
        }
        ASSERT_NE(splash, nullptr);
        EXPECT_TRUE(splash->isVisible());
        EXPECT_FALSE(splash->testAttribute(Qt::WA_QuitOnClose));
    }
    // The main window went first: the splash went with it, cursor and all.
    for (QWidget* w : QApplication::topLevelWidgets()) {
        EXPECT_EQ(qobject_cast<THelloForm*>(w), nullptr);
    }
    EXPECT_EQ(OverrideCursorDepth(), cursors);
}

} // namespace
