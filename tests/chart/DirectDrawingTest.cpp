// Grid lines and backgrounds written straight into the picture must give the
// very pixels the painter gives: each chart below is drawn both ways and the
// two pictures compared exactly.

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

#include "ChartTestUtil.h"
#include "chart/GridPainter.h"
#include "chart/TTextMeasure.h"

namespace {

using TChartSetup = std::function<void(TDiagram&)>;

// The picture of a w x h chart after setup, drawn directly or by the painter
// only. Every setter redraws, so the history of a reused picture (which shows
// through translucent backgrounds) is the same both ways.
QImage Draw(int w, int h, const TChartSetup& setup, bool direct) {
    auto d = MakeChart(w, h);
    d->SetDirectDrawing(direct);
    setup(*d);
    d->ShowDiagram();
    return d->GetPicture().copy();
}

void ExpectSameBothWays(int w, int h, const TChartSetup& setup, const char* what) {
    const QImage direct = Draw(w, h, setup, true);
    const QImage painted = Draw(w, h, setup, false);
    ASSERT_EQ(direct.size(), painted.size()) << what;
    if (direct == painted) {
        return;
    }
    int differ = 0, fx = -1, fy = -1;
    for (int y = 0; y < direct.height(); ++y) {
        for (int x = 0; x < direct.width(); ++x) {
            if (direct.pixel(x, y) != painted.pixel(x, y)) {
                if (differ++ == 0) {
                    fx = x;
                    fy = y;
                }
            }
        }
    }
    ADD_FAILURE() << what << " " << w << "x" << h << ": " << differ << " pixels differ, first at "
                  << fx << "," << fy;
}

std::vector<double> Wave(int n) {
    std::vector<double> v(n);
    for (int i = 0; i < n; ++i) {
        v[i] = std::sin(i * 0.05) * 3 + std::cos(i * 0.31);
    }
    return v;
}

} // namespace

TEST(DirectDrawing, ChartsOfEverySizeRangeAndStyle) {
    const std::vector<double> wave = Wave(7500);
    const QSize sizes[] = {{1920, 1000}, {760, 250}, {400, 300}, {123, 77},
                           {60, 40},     {9, 7},     {1, 1}};
    const Qt::PenStyle styles[] = {Qt::DotLine, Qt::DashLine, Qt::SolidLine, Qt::NoPen,
                                   Qt::DashDotLine};
    struct Range {
        double x0, x1, y0, y1;
    };
    const Range ranges[] = {{-1, 1, -1, 1},
                            {-250, 500, -3.7, 4.1},
                            {0.001, 0.0017, 2, 9},
                            {-100000, 100000, -5e-6, 5e-6},
                            {-2500, 4999, -1e4, -1}};
    for (const QSize& size : sizes) {
        for (Qt::PenStyle style : styles) {
            for (const Range& r : ranges) {
                for (bool print : {false, true}) {
                    const TChartSetup setup = [&](TDiagram& d) {
                        d.GetKeeper(0)->SetData(wave.data(), 7500, -2500.0, 4999.0);
                        d.SetColorBackDiagram(QColor(200, 220, 240));
                        d.SetColorNetLine(QColor(0, 0, 160));
                        d.SetPenStyleNetLine(style);
                        d.SetRangeX(r.x0, r.x1);
                        d.SetRangeY(r.y0, r.y1);
                        if (print) {
                            d.SetPrintMode();
                        }
                    };
                    ExpectSameBothWays(size.width(), size.height(), setup, "ranges and styles");
                }
            }
        }
    }
}

TEST(DirectDrawing, ColoursFontsNamesAndBitmaps) {
    // Colours given in every way a QColor can be, translucent ones among them
    // (those are left to the painter, and the old picture shows through).
    const QColor colours[] = {QColor(Qt::black),
                              QColor::fromRgbF(0.3f, 0.55f, 0.71f),
                              QColor::fromHsv(200, 120, 90),
                              QColor::fromCmyk(10, 200, 30, 40),
                              QColor(255, 0, 0, 128),
                              QColor(0, 0, 0, 0)};
    QImage mark(12, 9, QImage::Format_RGB32);
    mark.fill(QColor(10, 200, 10));
    for (const QColor& line : colours) {
        for (const QColor& back : colours) {
            const TChartSetup setup = [&](TDiagram& d) {
                d.SetColorNetLine(line);
                d.SetColorBackNet(back);
                d.SetColorBackDiagram(colours[(&back - colours + 2) % 6]);
                d.SetRangeX(-3.3, 7.9);
                d.SetRangeY(-0.02, 0.05);
            };
            ExpectSameBothWays(500, 320, setup, "colours");
        }
    }
    const TChartSetup named = [&](TDiagram& d) {
        QFont big(QStringLiteral("DejaVu Serif"));
        big.setPixelSize(23);
        big.setItalic(true);
        d.SetFontName(big, Qt::darkGreen);
        d.SetFontNameY(big);
        QFont small(QStringLiteral("DejaVu Sans"));
        small.setPixelSize(8);
        d.SetFontNet(small, Qt::red);
        d.SetNameDiagram(QStringLiteral("Сигнал на выходе фильтра"));
        d.SetNameY(QStringLiteral("sвых(t), мВ"));
        d.SetNameX(QStringLiteral("t, мс"));
        d.SetBitmapX(&mark);
        d.SetBitmapY(&mark);
        d.SetRangeX(-250, 500);
    };
    ExpectSameBothWays(1920, 1000, named, "names");
    ExpectSameBothWays(300, 90, named, "names");
}

// The grid painter alone, under painter states and pictures that rule the
// direct way out, and with lines reaching out of the picture.
TEST(DirectDrawing, GridAxisUnderEveryPainterState) {
    TAxisScale x(false), y(true);
    x.SetRange(-2, 3);
    y.SetRange(-1, 4);
    const TNetRect inside{5, 4, 150, 110};
    const TNetRect outside{-20, -15, 220, 170};
    const std::function<void(QPainter&)> states[] = {
        [](QPainter&) {},
        [](QPainter& p) { p.setClipRect(30, 20, 60, 50); },
        [](QPainter& p) { p.translate(3, 2); },
        [](QPainter& p) { p.setRenderHint(QPainter::Antialiasing); },
        [](QPainter& p) { p.setBackgroundMode(Qt::OpaqueMode); },
        [](QPainter& p) { p.setCompositionMode(QPainter::CompositionMode_Xor); },
        [](QPainter& p) { p.setOpacity(0.5); },
    };
    const QImage::Format formats[] = {QImage::Format_RGB32, QImage::Format_ARGB32,
                                      QImage::Format_RGB16};
    int cases = 0;
    for (const TNetRect& net : {inside, outside}) {
        x.SetPixels(net.xb + 3, net.w - 6);
        y.SetPixels(net.yb + 3, net.h - 6);
        const TAxisGrid gx = MakeGridAxis(x.GetMin(), x.GetMax(), 0.5);
        const TAxisGrid gy = MakeGridAxis(y.GetMin(), y.GetMax(), 0.5);
        for (const auto& state : states) {
            for (QImage::Format format : formats) {
                for (double ratio : {1.0, 2.0}) {
                    QImage pictures[2];
                    for (int direct = 0; direct < 2; ++direct) {
                        QImage& img = pictures[direct];
                        img = QImage(180, 140, format);
                        img.fill(Qt::white);
                        img.setDevicePixelRatio(ratio);
                        QPainter p(&img);
                        state(p);
                        p.setBackground(Qt::yellow);
                        const TGridLook look{QColor(0, 0, 160), Qt::DotLine, Qt::black,
                                             Qt::white,         false,       direct == 1};
                        TTextMeasure font;
                        font.Use(QFont(), true);
                        DrawGridAxis(p, x, gx, true, net, look, font);
                        DrawGridAxis(p, y, gy, false, net, look, font);
                    }
                    EXPECT_TRUE(pictures[0] == pictures[1]) << "case " << cases;
                    ++cases;
                }
            }
        }
    }
}

// The pattern itself, as the raster engine draws a 1-pixel dotted line: one
// pixel in three from the line's start, the end pixel left out.
TEST(DirectDrawing, DottedGridLineStartsAtTheFrame) {
    auto d = MakeChart(400, 300);
    d->GetKeeper(0)->Hide();
    d->SetColorNetLine(QColor(0, 0, 160));
    const int x1 = d->MathToPhisX(d->GetGridStepX());
    const int y1 = d->MathToPhisY(d->GetGridStepY());
    const QRgb net = Rgb(QColor(0, 0, 160));
    // Where the lines of the other axis cross, their own dots show.
    std::vector<int> columns, rows;
    const auto gx = MakeGridAxis(d->GetXmin(), d->GetXmax(), d->GetGridStepX());
    const auto gy = MakeGridAxis(d->GetYmin(), d->GetYmax(), d->GetGridStepY());
    for (int i = 0; i < gx.count; ++i) {
        columns.push_back(d->MathToPhisX(gx.Value(i)));
    }
    for (int i = 0; i < gy.count; ++i) {
        rows.push_back(d->MathToPhisY(gy.Value(i)));
    }
    auto in = [](const std::vector<int>& v, int at) {
        return std::find(v.begin(), v.end(), at) != v.end();
    };
    int dots = 0;
    for (int y = d->Get_yb_net() + 1; y < d->Get_ye_net() - 1; ++y) {
        if (!in(rows, y)) {
            EXPECT_EQ(Px(*d, x1, y) == net, (y - d->Get_yb_net()) % 3 == 0) << y;
            dots += Px(*d, x1, y) == net ? 1 : 0;
        }
    }
    for (int x = d->Get_xb_net() + 1; x < d->Get_xe_net() - 1; ++x) {
        if (!in(columns, x)) {
            EXPECT_EQ(Px(*d, x, y1) == net, (x - d->Get_xb_net()) % 3 == 0) << x;
            dots += Px(*d, x, y1) == net ? 1 : 0;
        }
    }
    EXPECT_GT(dots, 100);
}
