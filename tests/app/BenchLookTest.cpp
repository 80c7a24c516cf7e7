// How the bench page is drawn, read back from its pixels: frames that show on
// every side, and group boxes whose titles sit on their frames' top lines.

#include <QFrame>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

#include "AppTestUtil.h"

namespace {

QImage Look(QWidget* w) {
    return w->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

bool White(QRgb c) {
    return (c & 0xffffffu) == 0xffffffu;
}

class BenchLook : public testing::Test, public FormFixture {
  protected:
    void SetUp() override {
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    }
};

// The registrar readout and the scheme panel are white inside a lowered
// frame: its edges show on all four sides, darker at the top and left.
TEST_F(BenchLook, SunkenFramesShowOnAllFourSides) {
    for (QFrame* w : {static_cast<QFrame*>(form->StaticText1), form->Panel1}) {
        SCOPED_TRACE(w->objectName().toStdString());
        const QImage look = Look(w);
        const int w2 = look.width() / 2;
        const int h2 = look.height() / 2;
        const QRgb top = look.pixel(w2, 0);
        const QRgb left = look.pixel(0, h2);
        const QRgb bottom = look.pixel(w2, look.height() - 1);
        const QRgb right = look.pixel(look.width() - 1, h2);
        for (const QRgb edge : {top, left, bottom, right}) {
            EXPECT_FALSE(White(edge)) << std::hex << edge;
        }
        EXPECT_LT(qGray(top), qGray(bottom));
        EXPECT_LT(qGray(left), qGray(right));
        // Inside, still white.
        EXPECT_TRUE(White(look.pixel(w2, look.height() - 4)));
    }
}

// The frame's top line runs through the middle of the title, so the
// controls placed in the box sit inside the frame, clear of its edges.
TEST_F(BenchLook, GroupTitlesSitOnTheFramesTopLine) {
    for (QGroupBox* box :
         {form->GroupBox1, form->GroupBox2, form->GroupBox3, form->GroupBox4, form->GroupBox5}) {
        SCOPED_TRACE(box->objectName().toStdString());
        const QImage look = Look(box);
        // The frame's top line: the first row left of the title (at x = 2)
        // that differs from the box's top left corner.
        const QRgb background = look.pixel(2, 0);
        int line = -1;
        for (int y = 1; y < look.height() / 2 && line < 0; ++y) {
            if (look.pixel(2, y) != background) {
                line = y;
            }
        }
        ASSERT_GE(line, 0);
        // The title's ink: dark pixels near the left, above the contents.
        int inkTop = -1;
        int inkBottom = -1;
        for (int y = 0; y < box->childrenRect().top(); ++y) {
            for (int x = 8; x < 60; ++x) {
                if (qGray(look.pixel(x, y)) < 96) {
                    inkTop = inkTop < 0 ? y : inkTop;
                    inkBottom = y;
                    break;
                }
            }
        }
        ASSERT_GE(inkTop, 0);
        EXPECT_GT(line, inkTop);
        EXPECT_LT(line, inkBottom);
        EXPECT_LE(std::abs(2 * line - (inkTop + inkBottom)), 4)
            << "line " << line << ", title " << inkTop << ".." << inkBottom;
        // The frame closes the box at its bottom.
        EXPECT_NE(look.pixel(look.width() / 2, look.height() - 1), background);
    }
}

} // namespace
