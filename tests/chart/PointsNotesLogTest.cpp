// What a study's chart needs: points shown by their marks alone, notes beside
// a point, and a logarithmic argument axis whose labels, readout and data
// show the values while the series keep their uniform grid in log10.

#include <QFontMetrics>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ChartTestUtil.h"
#include "chart/ChartCsv.h"
#include "chart/ChartNotes.h"

namespace {

const QColor kMarks(0xC0, 0x00, 0xC0);

// A 420 x 300 chart over x 0 .. 10, y -1 .. 1 with five points at x = 1, 3,
// 5, 7, 9 of value 0.5, drawn by their marks alone.
std::unique_ptr<TDiagram> PointsChart() {
    auto d = MakeChart(420, 300);
    TDiagramBatch batch(*d);
    d->SetRangeX(0, 10);
    d->SetRangeY(-1, 1);
    TKeeper* k = d->GetKeeper(0);
    const double v[5] = {0.5, 0.5, 0.5, 0.5, 0.5};
    k->CopyData(v, 5, 1, 9);
    k->SetGraphKind(gkDiscret);
    k->SetColor(kMarks);
    k->SetMarksOnly(true);
    return d;
}

TEST(MarksOnly, RingsAtTheSamplesWithoutStemsOrZeroLine) {
    auto d = PointsChart();
    const QImage& img = d->GetPicture();
    const int y = d->MathToPhisY(0.5);
    const int zero = d->MathToPhisY(0);
    for (const double x : {1.0, 3.0, 5.0, 7.0, 9.0}) {
        const int px = d->MathToPhisX(x);
        EXPECT_GT(CountColor(img, Rgb(kMarks), px - 4, y - 4, px + 5, y + 5), 8) << x;
        // Nothing of the series between the ring and the zero row.
        EXPECT_EQ(CountColor(img, Rgb(kMarks), px - 1, y + 5, px + 2, zero + 2), 0) << x;
    }
    // No zero line of the series' colour between the marks.
    EXPECT_EQ(CountColor(img, Rgb(kMarks), d->MathToPhisX(1.5), zero - 1, d->MathToPhisX(2.5),
                         zero + 2),
              0);

    // The same series with stems draws them.
    d->GetKeeper(0)->SetMarksOnly(false);
    d->ShowDiagram();
    const int px = d->MathToPhisX(5);
    EXPECT_GT(CountColor(d->GetPicture(), Rgb(kMarks), px - 1, y + 5, px + 2, zero), 10);
}

// Samples as dense as the net's margins beside the range: nothing beyond the
// first and the last sample, where a series read past its samples gives 0.
TEST(MarksOnly, NoRingsBeyondTheSamples) {
    auto d = MakeChart(420, 300);
    {
        TDiagramBatch batch(*d);
        d->SetRangeX(1, 9);
        d->SetRangeY(-1, 1);
        TKeeper* k = d->GetKeeper(0);
        const std::vector<double> v(81, 0.5);
        k->CopyData(v.data(), 81, 1, 9);
        k->SetGraphKind(gkDiscret);
        k->SetColor(kMarks);
        k->SetMarksOnly(true);
    }
    const QImage& img = d->GetPicture();
    const int zero = d->MathToPhisY(0);
    ASSERT_GT(d->MathToPhisX(1) - 4, d->Get_xb_net());
    EXPECT_EQ(CountColor(img, Rgb(kMarks), d->Get_xb_net(), zero - 5, d->MathToPhisX(1) - 4,
                         zero + 6),
              0);
    EXPECT_EQ(CountColor(img, Rgb(kMarks), d->MathToPhisX(9) + 5, zero - 5, d->Get_xe_net(),
                         zero + 6),
              0);
    const int y = d->MathToPhisY(0.5);
    EXPECT_GT(CountColor(img, Rgb(kMarks), d->MathToPhisX(1) - 4, y - 4, d->MathToPhisX(1) + 5,
                         y + 5),
              8);
}

TEST(MarksOnly, LegendShowsARing) {
    auto d = PointsChart();
    d->GetKeeper(0)->SetName("измерено");
    d->GetKeeper(0)->SetInLegend(true);
    d->ShowDiagram();
    const QRect box = d->GetLegendRect();
    ASSERT_FALSE(box.isEmpty());
    // A ring, not a line 24 pixels long: its colour within 9 x 9 pixels.
    QRect drawn;
    const QImage& img = d->GetPicture();
    for (int y = box.top(); y <= box.bottom(); ++y) {
        for (int x = box.left(); x <= box.right(); ++x) {
            if ((img.pixel(x, y) & 0xffffffu) == Rgb(kMarks)) {
                drawn |= QRect(x, y, 1, 1);
            }
        }
    }
    EXPECT_GE(drawn.width(), 5);
    EXPECT_LE(drawn.width(), 9);
    EXPECT_GE(drawn.height(), 5);
    EXPECT_LE(drawn.height(), 9);
}

TEST(Notes, PlacedBesideThePointInsideTheNet) {
    const TNetRect net{40, 20, 360, 240};
    TScale scale;
    scale.X.SetRange(0, 10);
    scale.Y.SetRange(0, 1);
    scale.X.SetPixels(net.xb, net.w);
    scale.Y.SetPixels(net.yb, net.h);
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(11);
    const QFontMetrics fm(f);
    const QRect inner(net.xb, net.yb, net.w, net.h);

    const std::vector<TPlacedNote> placed = PlaceNotes(
        {{5, 0.5, QStringLiteral("τ = 80 мс\nη = 0,815")}, // room above right
         {9.9, 0.5, QStringLiteral("a wide note at the right edge")},
         {5, 0.99, QStringLiteral("at the top")},
         {11, 0.5, QStringLiteral("outside the range")},
         {NAN, 0.5, QStringLiteral("no number")}},
        scale, net, fm);
    ASSERT_EQ(placed.size(), 3u);
    const TPlacedNote& middle = placed[0];
    EXPECT_EQ(middle.Lines.size(), 2);
    EXPECT_GT(middle.Box.left(), middle.Dot.x());
    EXPECT_LT(middle.Box.bottom(), middle.Dot.y());
    EXPECT_GE(middle.Box.height(), 2 * fm.height());
    EXPECT_LT(placed[1].Box.right(), placed[1].Dot.x()); // to the left of its point
    EXPECT_GT(placed[2].Box.top(), placed[2].Dot.y());   // below its point
    for (const TPlacedNote& n : placed) {
        EXPECT_TRUE(inner.contains(n.Box)) << n.Lines.join(' ').toStdString();
    }
}

TEST(Notes, DrawnOverTheSeriesAndKeptClearOfTheLegend) {
    auto d = PointsChart();
    TKeeper* line = d->GetKeeper(d->NewKeeper());
    line->SetConstantData(-0.9, 100, 0, 10);
    line->SetName("теория");
    line->SetInLegend(true);
    // Where the legend would go first: the net's top left.
    d->SetNotes({{0.3, 0.9, QStringLiteral("лучшее\nзначение")}});
    ASSERT_EQ(d->GetNotes().size(), 1u);
    const QRect legend = d->GetLegendRect();
    ASSERT_FALSE(legend.isEmpty());
    QFont f = d->GetFontNet();
    const std::vector<TPlacedNote> placed =
        PlaceNotes(d->GetNotes(), d->GetScale(), {d->Get_xb_net(), d->Get_yb_net(),
                                                  d->Get_xe_net() - d->Get_xb_net(),
                                                  d->Get_ye_net() - d->Get_yb_net()},
                   QFontMetrics(f));
    ASSERT_EQ(placed.size(), 1u);
    EXPECT_FALSE(legend.intersects(placed[0].Box));
    // The dot, in the text's colour (black on this chart), at the point.
    const QPoint dot = placed[0].Dot;
    EXPECT_GT(CountColor(d->GetPicture(), 0x000000u, dot.x() - 2, dot.y() - 2, dot.x() + 3,
                         dot.y() + 3),
              4);
    MaybeSave(*d, QStringLiteral("notes"));
}

// A chart of log10 values 1 .. 3 (10 .. 1000) with a curve sampled evenly
// in log10.
std::unique_ptr<TDiagram> LogChart() {
    auto d = MakeChart(520, 300);
    TDiagramBatch batch(*d);
    d->SetLimitX(1, 3);
    d->SetRangeX(1, 3);
    d->SetRangeY(0, 1);
    d->SetLogarithmicX(true);
    std::vector<double> v(21);
    for (int i = 0; i < 21; ++i) {
        v[static_cast<std::size_t>(i)] = 0.5;
    }
    d->GetKeeper(0)->CopyData(v.data(), 21, 1, 3);
    return d;
}

// Whether column x of the net holds the grid's dots (the net line's colour
// on most of every third row).
bool GridColumn(const TDiagram& d, int x) {
    const int top = d.Get_yb_net() + 2, bottom = d.Get_ye_net() - 2;
    return CountColor(d.GetPicture(), Rgb(d.GetColorNetLine()), x, top, x + 1, bottom) >
           (bottom - top) / 4;
}

TEST(LogarithmicX, GridAtTheValuesNotAtEvenLogarithms) {
    auto d = LogChart();
    EXPECT_TRUE(d->GetLogarithmicX());
    for (const double v : {20.0, 50.0, 100.0, 200.0, 500.0}) {
        EXPECT_TRUE(GridColumn(*d, d->MathToPhisX(std::log10(v)))) << v;
    }
    // A linear axis over 1 .. 3 would put lines at 1.5 and 2.5.
    EXPECT_FALSE(GridColumn(*d, d->MathToPhisX(1.5)));
    EXPECT_FALSE(GridColumn(*d, d->MathToPhisX(2.5)));
    // Labels under the axis around the line at 100.
    const int at = d->MathToPhisX(2);
    EXPECT_GT(CountOther(d->GetPicture(), {Rgb(d->GetColorBackDiagram()), 0x000000u}, at - 12,
                         d->Get_ye_net() + 4, at + 12, d->Get_ye_net() + 20) +
                  CountColor(d->GetPicture(), 0x000000u, at - 12, d->Get_ye_net() + 5, at + 12,
                             d->Get_ye_net() + 20),
              10);
    EXPECT_DOUBLE_EQ(d->ShownX(2), 100);
    MaybeSave(*d, QStringLiteral("log_axis"));

    d->SetLogarithmicX(false);
    EXPECT_TRUE(GridColumn(*d, d->MathToPhisX(1 + d->GetGridStepX())));
    EXPECT_DOUBLE_EQ(d->ShownX(2), 2);
}

TEST(LogarithmicX, DataShowsTheValues) {
    auto d = LogChart();
    d->SetNameX(QStringLiteral("τ, мс"));
    const std::string csv = ChartCsv(*d);
    // The arguments of the first and of the middle sample: 10 and 100.
    EXPECT_NE(csv.find("\r\n10;"), std::string::npos) << csv.substr(0, 200);
    EXPECT_NE(csv.find("\r\n100;"), std::string::npos);
    EXPECT_NE(csv.find("\r\n1000;"), std::string::npos);
    EXPECT_EQ(csv.find("\r\n2;"), std::string::npos);
}

} // namespace
