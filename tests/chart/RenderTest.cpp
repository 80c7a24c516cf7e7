#include <gtest/gtest.h>

#include <QPainter>
#include <QVBoxLayout>

#include <cmath>
#include <vector>

#include "ChartTestUtil.h"
#include "chart/TSeriesPainter.h"

namespace {

const QColor kBack(200, 220, 240);
const QColor kNetBack(255, 255, 210);
const QColor kNet(0, 0, 160);
const QColor kSeries(220, 0, 0);

// A 400 x 300 chart over [-1, 1] x [-1, 1] in distinct colours; the base
// series hidden so that only the grid is drawn.
std::unique_ptr<TDiagram> GridChart() {
    auto d = MakeChart(400, 300);
    d->GetKeeper(0)->Hide();
    d->SetColorBackDiagram(kBack);
    d->SetColorBackNet(kNetBack);
    d->SetColorNetLine(kNet);
    return d;
}

bool IsTextLike(QRgb c) {
    return c != Rgb(kBack) && c != Rgb(kNetBack) && c != Rgb(kNet);
}

} // namespace

TEST(Render, NetFrameBackgroundAndGridLines) {
    auto d = GridChart();
    MaybeSave(*d, "grid");
    const QImage& img = d->GetPicture();
    ASSERT_EQ(img.size(), QSize(400, 300));
    const int xb = d->Get_xb_net(), xe = d->Get_xe_net();
    const int yb = d->Get_yb_net(), ye = d->Get_ye_net();
    EXPECT_EQ(Px(*d, 0, 0) & 0xffffffu, Rgb(kBack));
    EXPECT_EQ(Px(*d, 399, 299), Rgb(kBack));
    // The frame covers [xb, xe) x [yb, ye) exactly.
    for (int x = xb; x < xe; ++x) {
        EXPECT_EQ(Px(*d, x, yb), Rgb(kNet)) << x;
        EXPECT_EQ(Px(*d, x, ye - 1), Rgb(kNet)) << x;
    }
    for (int y = yb; y < ye; ++y) {
        EXPECT_EQ(Px(*d, xb, y), Rgb(kNet)) << y;
        EXPECT_EQ(Px(*d, xe - 1, y), Rgb(kNet)) << y;
    }
    EXPECT_NE(Px(*d, xe, (yb + ye) / 2), Rgb(kNet));
    EXPECT_NE(Px(*d, xb - 1, (yb + ye) / 2 + 3), Rgb(kNet));

    // The zero lines are solid, the other grid lines dotted.
    const int x0 = d->MathToPhisX(0);
    const int y0 = d->MathToPhisY(0);
    EXPECT_EQ(CountColor(img, Rgb(kNet), x0, yb, x0 + 1, ye), ye - yb);
    EXPECT_EQ(CountColor(img, Rgb(kNet), xb, y0, xe, y0 + 1), xe - xb);
    const double step = d->GetGridStepX();
    ASSERT_GT(step, 0);
    const int x1 = d->MathToPhisX(step);
    const int on = CountColor(img, Rgb(kNet), x1, yb + 1, x1 + 1, ye - 1);
    EXPECT_GT(on, (ye - yb) / 5);
    EXPECT_LT(on, (ye - yb) * 4 / 5);
    // Between grid lines, the net background.
    EXPECT_EQ(Px(*d, d->MathToPhisX(step / 2), d->MathToPhisY(d->GetGridStepY() / 2)),
              Rgb(kNetBack));

    d->SetPenStyleNetLine(Qt::SolidLine);
    EXPECT_EQ(CountColor(d->GetPicture(), Rgb(kNet), x1, yb, x1 + 1, ye), ye - yb);
}

TEST(Render, TicksSitWhereTheMappingPutsThem) {
    auto d = GridChart();
    d->SetRangeX(-250, 500);
    const int xb = d->Get_xb_net(), ye = d->Get_ye_net();
    const auto ax = MakeGridAxis(-250, 500, d->GetGridStepX());
    ASSERT_GE(ax.count, 3);
    for (int i = 0; i < ax.count; ++i) {
        const int px = d->MathToPhisX(ax.Value(i));
        for (int y = ye; y < ye + 4; ++y) {
            EXPECT_EQ(Px(*d, px, y), Rgb(kNet)) << ax.Value(i);
        }
        EXPECT_NE(Px(*d, px, ye + 4), Rgb(kNet));
    }
    // Minor ticks, two pixels long, at a fifth of the step.
    const int m = d->MathToPhisX(ax.Value(1) + 0.2 * ax.step);
    EXPECT_EQ(Px(*d, m, ye), Rgb(kNet));
    EXPECT_EQ(Px(*d, m, ye + 1), Rgb(kNet));
    EXPECT_NE(Px(*d, m, ye + 2), Rgb(kNet));

    const auto ay = MakeGridAxis(-1, 1, d->GetGridStepY());
    for (int i = 0; i < ay.count; ++i) {
        const int py = d->MathToPhisY(ay.Value(i));
        for (int x = xb - 4; x < xb; ++x) {
            EXPECT_EQ(Px(*d, x, py), Rgb(kNet)) << ay.Value(i);
        }
        EXPECT_NE(Px(*d, xb - 5, py), Rgb(kNet));
    }
    const int my = d->MathToPhisY(ay.Value(0) + 0.2 * ay.step);
    EXPECT_EQ(Px(*d, xb - 2, my), Rgb(kNet));
    EXPECT_NE(Px(*d, xb - 3, my), Rgb(kNet));
}

TEST(Render, LabelsOnlyWhenThereIsRoom) {
    auto d = GridChart();
    d->SetNameX(QString());
    d->SetNameY(QString());
    d->SetNameDiagram(QString());
    auto textPixels = [](const QImage& img, int x0, int y0, int x1, int y1) {
        int n = 0;
        for (int y = y0; y < y1; ++y) {
            for (int x = x0; x < x1; ++x) {
                n += IsTextLike(img.pixel(x, y) & 0xffffffu) ? 1 : 0;
            }
        }
        return n;
    };
    const QImage big = d->GetPicture();
    // Labels below the net and left of it.
    EXPECT_GT(textPixels(big, 0, d->Get_ye_net() + 5, 400, 300), 50);
    EXPECT_GT(textPixels(big, 0, 0, d->Get_xb_net() - 5, 300), 50);

    d->resize(60, 300);
    d->ShowDiagram();
    d->SetPrecisionX(0);
    MaybeSave(*d, "narrow");
    const QImage narrow = d->GetPicture();
    EXPECT_EQ(d->Get_xb_net(), 2);
    EXPECT_EQ(d->GetPrecisionX(), 0); // no labels, no precision search
    int text = 0;
    for (int y = 0; y < narrow.height(); ++y) {
        for (int x = 0; x < narrow.width(); ++x) {
            const bool inNet = x >= d->Get_xb_net() && x < d->Get_xe_net() &&
                               y >= d->Get_yb_net() && y < d->Get_ye_net();
            text += !inNet && IsTextLike(narrow.pixel(x, y) & 0xffffffu) ? 1 : 0;
        }
    }
    EXPECT_EQ(text, 0);
}

TEST(Render, PrintModeIsBlackOnWhite) {
    auto d = GridChart();
    d->GetKeeper(0)->Show();
    d->GetKeeper(0)->SetColor(kSeries);
    TKeeper* k = d->PNewKeeper();
    k->SetGraphKind(gkHistogram);
    k->SetColor(Qt::green);
    d->SetPrintMode();
    MaybeSave(*d, "print");
    const QImage& img = d->GetPicture();
    ExpectBlackOnWhite(img, 1000);
    // Inside the net (no text there) only pure black and white.
    for (int y = d->Get_yb_net(); y < d->Get_ye_net(); ++y) {
        for (int x = d->Get_xb_net(); x < d->Get_xe_net(); ++x) {
            const QRgb c = img.pixel(x, y) & 0xffffffu;
            ASSERT_TRUE(c == 0 || c == 0xffffffu) << x << "," << y;
        }
    }
    d->ResetPrintMode();
    EXPECT_EQ(Px(*d, 0, 0), Rgb(kBack));
}

TEST(Render, AnalogCurveIsCutAtTheBorderRows) {
    auto d = GridChart();
    std::vector<double> s(201);
    for (int i = 0; i <= 200; ++i) {
        s[i] = 3 * std::sin(i * 0.1);
    }
    TKeeper* k = d->GetKeeper(0);
    ASSERT_TRUE(k->SetData(s.data(), 201, -1, 1));
    k->SetColor(kSeries);
    k->SetPenWidth(1);
    k->Show();
    d->ShowDiagram();
    MaybeSave(*d, "cut");
    const QImage img = d->GetPicture();
    const int xb = d->Get_xb_net(), xe = d->Get_xe_net();
    const int yb = d->Get_yb_net(), ye = d->Get_ye_net();
    const QRgb red = Rgb(kSeries);
    EXPECT_EQ(CountColor(img, red, 0, 0, 400, 300), CountColor(img, red, xb, yb + 1, xe, ye));
    EXPECT_GT(CountColor(img, red, xb, yb + 1, xe, yb + 2), 0);
    EXPECT_GT(CountColor(img, red, xb, ye - 1, xe, ye), 0);
    // Where the curve is above the net, the top row is left alone between
    // leaving and re-entering: no line runs along the border.
    const int top = CountColor(img, red, xb, yb + 1, xe, yb + 2);
    EXPECT_LT(top, 10);
    // Wherever the curve is well inside the range, its column carries it.
    for (int x = d->Get_x0_out() + 1; x < d->Get_x0_out() + d->Get_w_out(); ++x) {
        if (std::fabs(k->GetValue(d->PhisToMathX(x))) < 0.9) {
            EXPECT_GT(CountColor(img, red, x, yb, x + 1, ye), 0) << x;
        }
    }
    // A wider pen is thicker but stays inside the net.
    k->SetPenWidth(3);
    d->ShowDiagram();
    const QImage& wide = d->GetPicture();
    EXPECT_EQ(CountColor(wide, red, 0, 0, 400, 300), CountColor(wide, red, xb, yb, xe, ye));
    EXPECT_GT(CountColor(wide, red, 0, 0, 400, 300), 2 * CountColor(img, red, 0, 0, 400, 300));

    k->Hide();
    d->ShowDiagram();
    EXPECT_EQ(CountColor(d->GetPicture(), red, 0, 0, 400, 300), 0);
    k->Show();
    d->EnableLine(false);
    d->ShowDiagram();
    EXPECT_EQ(CountColor(d->GetPicture(), red, 0, 0, 400, 300), 0);
}

TEST(Render, HistogramBarLosesItsTopWhenClipped) {
    auto d = GridChart();
    d->SetRangeX(-2, 2);
    double s[3] = {0.5, 5, 0.5};
    TKeeper* k = d->GetKeeper(0);
    ASSERT_TRUE(k->SetData(s, 3, -1, 1));
    k->SetGraphKind(gkHistogram);
    k->SetColor(kSeries);
    k->SetPenWidth(1);
    k->Show();
    d->ShowDiagram();
    MaybeSave(*d, "histogram");
    const QRgb red = Rgb(kSeries);
    const QImage& img = d->GetPicture();
    const int top = d->Get_yb_net() + 1;
    const int y0 = d->MathToPhisY(0);
    // The middle bar (x in [-0.5, 0.5]) sticks out: sides up to the top row, no top.
    const int bl = d->MathToPhisX(-0.5), br = d->MathToPhisX(0.5);
    EXPECT_EQ(CountColor(img, red, bl + 1, top - 1, br, top + 3), 0);
    EXPECT_EQ(CountColor(img, red, bl, top, bl + 1, y0), y0 - top);
    EXPECT_EQ(CountColor(img, red, br, top, br + 1, y0), y0 - top);
    // The outer bars are whole: their tops are drawn.
    const int py = d->MathToPhisY(0.5);
    const int ol = d->MathToPhisX(-1.5);
    EXPECT_EQ(CountColor(img, red, ol, py, bl, py + 1), bl - ol);
    // The zero line of the series.
    EXPECT_EQ(CountColor(img, red, d->Get_xb_net(), y0, d->Get_xe_net(), y0 + 1),
              d->Get_xe_net() - d->Get_xb_net());
}

TEST(Render, DiscreteStemsMarksAndRadio) {
    auto d = GridChart();
    d->SetRangeX(-0.5, 4.5);
    d->SetRangeY(1, 3); // zero lies below the range
    double s[5] = {2, 2.5, 5, 1.5, 2};
    TKeeper* k = d->GetKeeper(0);
    ASSERT_TRUE(k->SetData(s, 5, 0, 4));
    k->SetGraphKind(gkDiscret);
    k->SetColor(kSeries);
    k->SetPenWidth(1);
    k->Show();
    d->ShowDiagram();
    const QRgb red = Rgb(kSeries);
    const int bottom = d->Get_ye_net() - 2;
    // Stems start at the clamped zero row, and none runs along it.
    for (int n = 0; n < 5; ++n) {
        const int px = d->MathToPhisX(n);
        const int py = std::max(d->Get_yb_net() + 1, d->MathToPhisY(s[n]));
        EXPECT_EQ(CountColor(d->GetPicture(), red, px, py, px + 1, bottom + 1), bottom + 1 - py)
            << n;
    }
    const int between = d->MathToPhisX(0.5);
    EXPECT_EQ(CountColor(d->GetPicture(), red, between, 0, between + 1, 300), 0);

    k->SetMarkSamples(true);
    d->ShowDiagram();
    MaybeSave(*d, "discrete");
    const int px = d->MathToPhisX(1), py = d->MathToPhisY(2.5);
    EXPECT_GT(CountColor(d->GetPicture(), red, px - 3, py - 3, px - 1, py + 4), 0);
    // The clipped sample (5 is above the range) gets no mark.
    const int cx = d->MathToPhisX(2), cy = d->Get_yb_net() + 1;
    EXPECT_EQ(CountColor(d->GetPicture(), red, cx - 3, cy, cx - 1, cy + 4), 0);

    // Radio: a bar from +v to -v in every column.
    d->SetRangeY(-3, 3);
    k->SetGraphKind(gkRadio);
    k->SetMarkSamples(false);
    d->ShowDiagram();
    const int col = d->MathToPhisX(3);
    const double v = k->GetValue(d->PhisToMathX(col));
    const int p1 = d->MathToPhisY(v), p2 = d->MathToPhisY(-v);
    EXPECT_GE(CountColor(d->GetPicture(), red, col, std::min(p1, p2), col + 1, std::max(p1, p2)),
              std::abs(p2 - p1) - 1);
}

TEST(Render, ShowPointSetsOnePixelWithinTheRanges) {
    auto d = GridChart();
    d->ShowPoint(0.5, 0.5, Qt::green);
    EXPECT_EQ(Px(*d, d->MathToPhisX(0.5), d->MathToPhisY(0.5)), Rgb(Qt::green));
    EXPECT_EQ(CountColor(d->GetPicture(), Rgb(Qt::green), 0, 0, 400, 300), 1);
    d->ShowPoint(1.5, 0.5, Qt::green);
    d->ShowPoint(0.5, std::nan(""), Qt::green);
    EXPECT_EQ(CountColor(d->GetPicture(), Rgb(Qt::green), 0, 0, 400, 300), 1);
}

TEST(Render, TinyAndEmptyCharts) {
    auto d = GridChart();
    for (int w : {0, 1, 3, 10, 30}) {
        for (int h : {0, 1, 3, 10, 30}) {
            d->resize(w, h);
            d->ShowDiagram();
            EXPECT_EQ(d->GetPicture().size(), w > 0 && h > 0 ? QSize(w, h) : QSize(0, 0));
        }
    }
    d->resize(0, 0);
    d->ShowDiagram();
    d->ShowPoint(0, 0, Qt::red);
    d->CopyToClipboard();
}

TEST(Render, BitmapsInTheNetCorners) {
    auto d = GridChart();
    QImage mark(5, 4, QImage::Format_RGB32);
    mark.fill(Qt::magenta);
    d->SetBitmapY(&mark);
    d->SetBitmapX(&mark);
    EXPECT_EQ(Px(*d, d->Get_xb_net() + 3, d->Get_yb_net() + 3), Rgb(Qt::magenta));
    EXPECT_EQ(Px(*d, d->Get_xe_net() - 4, d->Get_ye_net() - 4), Rgb(Qt::magenta));
    EXPECT_EQ(CountColor(d->GetPicture(), Rgb(Qt::magenta), 0, 0, 400, 300), 40);
    d->SetBitmapX(nullptr);
    d->SetBitmapY(nullptr);
    EXPECT_EQ(CountColor(d->GetPicture(), Rgb(Qt::magenta), 0, 0, 400, 300), 0);
}

TEST(Render, InvisibleSeriesOfEveryKindAreSkipped) {
    auto d = GridChart();
    double s[5] = {0.5, -0.5, 0.8, -0.8, 0.3};
    TKeeper* k = d->GetKeeper(0);
    ASSERT_TRUE(k->SetData(s, 5, -1, 1));
    k->SetColor(kSeries);
    k->SetMarkSamples(true);
    k->SetPeriod(1);
    for (unsigned char kind = 0; kind <= 7; ++kind) {
        k->SetGraphKind(kind);
        k->Show();
        d->ShowDiagram();
        const int shown = CountColor(d->GetPicture(), Rgb(kSeries), 0, 0, 400, 300);
        // Kind 7 is no kind: nothing is drawn even when visible.
        EXPECT_EQ(shown > 0, kind != 7) << int(kind);
        k->Hide();
        d->ShowDiagram();
        EXPECT_EQ(CountColor(d->GetPicture(), Rgb(kSeries), 0, 0, 400, 300), 0) << int(kind);
    }
}

// Only the argument axis has a minor tick left of the plot rectangle: below
// zero its minor ticks start one minor step before the range.
TEST(Render, MinorTicksBeforeTheRangeOnlyOnTheArgumentAxis) {
    auto d = GridChart();
    const int xb = d->Get_xb_net(), ye = d->Get_ye_net();
    const double stepX = d->GetGridStepX(), stepY = d->GetGridStepY();
    const int before = d->MathToPhisX(-1 - 0.2 * stepX);
    ASSERT_LT(before, d->Get_x0_out());
    EXPECT_EQ(Px(*d, before, ye), Rgb(kNet));
    EXPECT_EQ(Px(*d, before, ye + 1), Rgb(kNet));
    EXPECT_NE(Px(*d, before, ye + 2), Rgb(kNet));
    const int below = d->MathToPhisY(-1 - 0.2 * stepY);
    ASSERT_GT(below, d->Get_y0_out() + d->Get_h_out());
    ASSERT_LT(below, ye - 1);
    EXPECT_EQ(Px(*d, xb - 1, below), Rgb(kBack));
    EXPECT_EQ(Px(*d, xb - 2, below), Rgb(kBack));
    // ... while the first minor ticks inside the range are there on both.
    EXPECT_EQ(Px(*d, d->MathToPhisX(-1 + 0.2 * stepX), ye + 1), Rgb(kNet));
    EXPECT_EQ(Px(*d, xb - 2, d->MathToPhisY(-1 + 0.2 * stepY)), Rgb(kNet));
}

// A chart follows its size on its own: no ShowDiagram is needed after a resize,
// whether the chart is on screen, shown later, or sized by a layout.
TEST(Render, ResizedChartRedrawsAtTheNewSize) {
    auto d = GridChart();
    d->show();
    d->resize(520, 260);
    ASSERT_EQ(d->GetPicture().size(), QSize(520, 260));
    const int xe = d->Get_xe_net(), yb = d->Get_yb_net(), ye = d->Get_ye_net();
    EXPECT_GT(xe, 450);
    EXPECT_EQ(CountColor(d->GetPicture(), Rgb(kNet), xe - 1, yb, xe, ye), ye - yb);
    EXPECT_EQ(Px(*d, 519, 259), Rgb(kBack));
    EXPECT_EQ(d->MathToPhisX(1), d->Get_x0_out() + d->Get_w_out());

    auto hidden = GridChart();
    hidden->resize(300, 180);
    hidden->show();
    EXPECT_EQ(hidden->GetPicture().size(), QSize(300, 180));
    EXPECT_LT(hidden->Get_ye_net(), 180);

    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* inLayout = new TDiagram;
    layout->addWidget(inLayout);
    window.resize(400, 300);
    window.show();
    window.resize(640, 360);
    EXPECT_EQ(inLayout->GetPicture().size(), inLayout->size());
    EXPECT_GT(inLayout->width(), 500);
}

// The series painter draws from what it is handed, onto any picture: here a
// plain image with a scale made by hand.
TEST(Render, SeriesPainterNeedsNoChart) {
    QImage img(200, 100, QImage::Format_RGB32);
    img.fill(Qt::white);
    TScale scale;
    scale.X.SetRange(0, 10);
    scale.Y.SetRange(-1, 1);
    scale.X.SetPixels(0, 200);
    scale.Y.SetPixels(0, 100);
    const TNetRect net{0, 0, 200, 100};
    TKeeper k;
    k.SetConstantData(0.5, 11, 0, 10);
    k.SetColor(kSeries);
    k.SetPenWidth(1);
    {
        QPainter p(&img);
        TSeriesPainter(p, scale, net, false, Qt::white).Draw(k);
    }
    // Value 0.5 lies a quarter down: row 25, across the whole width.
    EXPECT_EQ(CountColor(img, Rgb(kSeries), 0, 25, 200, 26), 200);
    EXPECT_EQ(CountColor(img, Rgb(kSeries), 0, 0, 200, 100), 200);
    // Print mode: the same line in black; stems of the discrete kind from the
    // zero row (row 50) up to it at the samples' columns.
    img.fill(Qt::white);
    k.SetGraphKind(gkDiscret);
    {
        QPainter p(&img);
        TSeriesPainter(p, scale, net, true, Qt::white).Draw(k);
    }
    EXPECT_EQ(CountColor(img, Rgb(kSeries), 0, 0, 200, 100), 0);
    EXPECT_EQ(CountColor(img, 0, 100, 25, 101, 50), 25);
    EXPECT_EQ(CountColor(img, 0, 99, 25, 100, 49), 0);
}
