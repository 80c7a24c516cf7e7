#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <cstdlib>

#include "ChartTestUtil.h"

namespace {

void Move(TDiagram& d, int x, int y, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QMouseEvent ev(QEvent::MouseMove, QPointF(x, y), QPointF(x, y), Qt::NoButton, Qt::NoButton,
                   mods);
    QApplication::sendEvent(&d, &ev);
}

struct MoveRecord {
    TDiagram* sender = nullptr;
    Qt::KeyboardModifiers shift;
    int x = -1, y = -1, calls = 0;
};

// Pixels of a run from `from` toward `to`, `to` itself left out.
bool InRun(int v, int from, int to) {
    return from < to ? from <= v && v < to : to < v && v <= from;
}

// after is before with exactly the crosshair at (x, y) inverted: column x from
// y + 11 toward the net's bottom border, row y from x - 11 toward its left
// border. Returns the number of changed pixels.
int ExpectCrosshair(const TDiagram& d, const QImage& before, const QImage& after, int x, int y) {
    const int xb = d.Get_xb_net(), ye = d.Get_ye_net();
    int changed = 0;
    for (int py = 0; py < before.height(); ++py) {
        for (int px = 0; px < before.width(); ++px) {
            const bool onFeeler =
                (px == x && InRun(py, y + 11, ye)) || (py == y && InRun(px, x - 11, xb));
            const QRgb b = before.pixel(px, py) & 0xffffffu;
            const QRgb a = after.pixel(px, py) & 0xffffffu;
            EXPECT_EQ(a, onFeeler ? ~b & 0xffffffu : b) << px << "," << py;
            if (a != (onFeeler ? ~b & 0xffffffu : b)) {
                return -1;
            }
            changed += a != b ? 1 : 0;
        }
    }
    return changed;
}

} // namespace

TEST(Feeler, DrawnMovedAndRemovedAtTheBorder) {
    auto d = MakeChart(400, 300);
    const QImage before = d->GetPicture();
    const int xb = d->Get_xb_net(), ye = d->Get_ye_net();
    const int x = 200, y = 150;
    Move(*d, x, y);
    ASSERT_TRUE(d->GetFeelerDrawn());
    const QImage once = d->GetPicture();
    // Every pixel of the two segments is inverted, and nothing else changes.
    EXPECT_EQ(ExpectCrosshair(*d, before, once, x, y), (ye - (y + 11)) + (x - 11 - xb));

    // A second move to the same point leaves one crosshair.
    Move(*d, x, y);
    EXPECT_EQ(d->GetPicture(), once);
    // Moving elsewhere takes the old one away.
    Move(*d, 250, 100);
    Move(*d, x, y);
    EXPECT_EQ(d->GetPicture(), once);

    // The net's border counts as outside: the crosshair goes.
    for (const QPoint& border : {QPoint(d->Get_xb_net(), y), QPoint(d->Get_xe_net(), y),
                                 QPoint(x, d->Get_yb_net()), QPoint(x, d->Get_ye_net())}) {
        Move(*d, x, y);
        Move(*d, border.x(), border.y());
        EXPECT_FALSE(d->GetFeelerDrawn());
        EXPECT_EQ(d->GetPicture(), before);
    }
}

TEST(Feeler, SwitchedOffAndRedrawn) {
    auto d = MakeChart(400, 300);
    const QImage before = d->GetPicture();
    Move(*d, 200, 150);
    const QImage once = d->GetPicture();
    d->SetShowFeeler(false);
    EXPECT_FALSE(d->GetFeelerDrawn());
    EXPECT_EQ(d->GetPicture(), before);
    Move(*d, 220, 160);
    EXPECT_EQ(d->GetPicture(), before);
    d->SetShowFeeler(true);
    EXPECT_EQ(d->GetPicture(), before); // nothing until the next move
    Move(*d, 200, 150);
    EXPECT_EQ(d->GetPicture(), once);

    // A redraw forgets the crosshair rather than inverting it back later.
    d->ShowDiagram();
    EXPECT_FALSE(d->GetFeelerDrawn());
    EXPECT_EQ(d->GetPicture(), before);
    Move(*d, 200, 150);
    EXPECT_EQ(d->GetPicture(), once);

    // A new pen while a crosshair is shown: it is redrawn with the new pen
    // and leaves cleanly.
    d->SetColorFeeler(Qt::red);
    d->SetPenWidthFeeler(3);
    d->SetPenStyleFeeler(Qt::DashLine);
    EXPECT_NE(d->GetPicture(), once);
    EXPECT_EQ(d->GetPenWidthFeeler(), 3);
    Move(*d, 0, 0);
    EXPECT_EQ(d->GetPicture(), before);
    Move(*d, 100, 100);
    Move(*d, 180, 120);
    Move(*d, 0, 0);
    EXPECT_EQ(d->GetPicture(), before);
}

TEST(Feeler, CursorAndMouseMoveEvent) {
    auto d = MakeChart(400, 300);
    d->setCursor(Qt::ArrowCursor);
    MoveRecord rec;
    QObject::connect(d.get(), &TDiagram::OnMouseMove,
                     [&](TDiagram* sender, Qt::KeyboardModifiers shift, int x, int y) {
                         rec.sender = sender;
                         rec.shift = shift;
                         rec.x = x;
                         rec.y = y;
                         ++rec.calls;
                     });
    Move(*d, 200, 150, Qt::ShiftModifier);
    EXPECT_EQ(d->cursor().shape(), Qt::CrossCursor);
    EXPECT_EQ(rec.sender, d.get());
    EXPECT_EQ(rec.shift, Qt::ShiftModifier);
    EXPECT_EQ(rec.x, 200);
    EXPECT_EQ(rec.y, 150);
    Move(*d, 1, 1);
    EXPECT_EQ(d->cursor().shape(), Qt::ArrowCursor);

    d->SetShowFeeler(false);
    d->SetNetCursor(Qt::PointingHandCursor);
    const QImage before = d->GetPicture();
    Move(*d, 210, 140, Qt::ControlModifier);
    EXPECT_EQ(d->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(d->GetPicture(), before);
    EXPECT_EQ(rec.calls, 3);
    EXPECT_EQ(rec.shift, Qt::ControlModifier);
    Move(*d, 399, 299);
    EXPECT_EQ(d->cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(rec.calls, 4);
}

// Near the bottom and left borders the gap reaches past them; the short piece
// between border and gap end is drawn all the same (outside the net), and a
// second drawing still takes everything away.
TEST(Feeler, NearTheBordersThePiecesAreDrawnToo) {
    auto d = MakeChart(400, 300);
    const QImage before = d->GetPicture();
    const int xb = d->Get_xb_net(), ye = d->Get_ye_net();
    for (int in : {1, 4, 10, 11, 12, 20}) {
        const int x = xb + in, y = ye - in;
        Move(*d, x, y);
        ASSERT_TRUE(d->GetFeelerDrawn());
        // |in - 11| pixels in each piece: a gap ending on the border draws none.
        EXPECT_EQ(ExpectCrosshair(*d, before, d->GetPicture(), x, y), 2 * std::abs(in - 11)) << in;
        Move(*d, 0, 0);
        EXPECT_EQ(d->GetPicture(), before) << in;
    }
    // Close to one border only, the other piece is the ordinary one.
    Move(*d, 200, ye - 3);
    EXPECT_EQ(ExpectCrosshair(*d, before, d->GetPicture(), 200, ye - 3), 8 + (200 - 11 - xb));
    Move(*d, 200, ye - 3);
    EXPECT_EQ(ExpectCrosshair(*d, before, d->GetPicture(), 200, ye - 3), 8 + (200 - 11 - xb));
    d->SetShowFeeler(false);
    EXPECT_EQ(d->GetPicture(), before);
}
