#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <cmath>
#include <vector>

#include "ChartTestUtil.h"

// The chart drawn afresh for print at a resolution of its own, while the
// screen keeps its picture.

namespace {

std::unique_ptr<TDiagram> SineChart() {
    auto d = MakeChart(320, 240);
    d->SetColorBackDiagram(QColor(200, 220, 240));
    static const std::vector<double> s = [] {
        std::vector<double> v(201);
        for (std::size_t i = 0; i < v.size(); ++i) {
            v[i] = std::sin(static_cast<double>(i) * 0.05);
        }
        return v;
    }();
    TKeeper* k = d->GetKeeper(0);
    EXPECT_TRUE(k->SetData(s.data(), static_cast<int>(s.size()), 0, 10));
    k->SetColor(Qt::red);
    d->SetRangeX(2, 7);
    d->SetRangeY(-1.2, 1.2);
    return d;
}

} // namespace

TEST(PrintPicture, IsTheChartAsShownAtTheGivenRatioAndLeavesTheScreenAlone) {
    auto d = SineChart();
    // A crosshair on screen stays there, and stays known to the chart, so
    // that the next move takes it off.
    QMouseEvent move(QEvent::MouseMove, QPointF(150, 120), QPointF(150, 120), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(d.get(), &move);
    ASSERT_TRUE(d->GetFeelerDrawn());
    const QImage screen = d->GetPicture();
    const double xmin = d->GetXmin(), xmax = d->GetXmax();

    const QImage print = d->RenderPicture(2.5);
    EXPECT_EQ(print.size(), QSize(800, 600));
    EXPECT_EQ(print.devicePixelRatio(), 2.5);
    EXPECT_EQ(d->GetPicture(), screen);
    EXPECT_TRUE(d->GetFeelerDrawn());
    EXPECT_EQ(d->GetXmin(), xmin);
    EXPECT_EQ(d->GetXmax(), xmax);
    // In the screen's colours, not black on white as an export.
    EXPECT_EQ(print.pixel(0, 0) & 0xffffffu, Rgb(QColor(200, 220, 240)));

    // It is what the screen would show at that density, crosshair aside.
    const qreal previous = TDiagram::SetPictureRatio(2.5);
    d->ShowDiagram();
    TDiagram::SetPictureRatio(previous);
    EXPECT_EQ(print, d->GetPicture());
    EXPECT_GT(CountColor(print, Rgb(Qt::red), 0, 0, print.width(), print.height()), 500);

    // A chart of no size has no picture to print.
    d->resize(0, 0);
    EXPECT_TRUE(d->RenderPicture(3).isNull());
}
