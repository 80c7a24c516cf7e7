#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QImageReader>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QtMath>
#include <cmath>
#include <vector>

#include "ChartTestUtil.h"

// The chart drawn for a screen of device pixel ratio 2 and above.

namespace {

const QColor kBack(200, 220, 240);
const QColor kNet(255, 255, 200);

// Solid blue grid on a pale net with a red sine: every colour but the texts'
// is known, and the grid lines are whole pixels at either ratio.
std::unique_ptr<TDiagram> SineChart() {
    auto d = MakeChart(320, 240);
    d->SetColorBackDiagram(kBack);
    d->SetColorBackNet(kNet);
    d->SetColorNetLine(Qt::blue);
    d->SetPenStyleNetLine(Qt::SolidLine);
    // The series reads the samples where they lie, so they outlive the chart.
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
    d->SetRangeX(0, 10);
    d->SetRangeY(-1.2, 1.2);
    return d;
}

QRgb At(const QImage& img, int x, int y) {
    return img.pixel(x, y) & 0xffffffu;
}

bool Near(const QImage& img, QRgb c, int x, int y, int reach) {
    for (int dy = -reach; dy <= reach; ++dy) {
        for (int dx = -reach; dx <= reach; ++dx) {
            const QPoint p(x + dx, y + dy);
            if (img.rect().contains(p) && At(img, p.x(), p.y()) == c) {
                return true;
            }
        }
    }
    return false;
}

// Whether every pixel within reach of (x, y) has colour c.
bool Around(const QImage& img, QRgb c, int x, int y, int reach) {
    for (int dy = -reach; dy <= reach; ++dy) {
        for (int dx = -reach; dx <= reach; ++dx) {
            const QPoint p(x + dx, y + dy);
            if (img.rect().contains(p) && At(img, p.x(), p.y()) != c) {
                return false;
            }
        }
    }
    return true;
}

void Move(TDiagram& d, int x, int y) {
    QMouseEvent ev(QEvent::MouseMove, QPointF(x, y), QPointF(x, y), Qt::NoButton, Qt::NoButton,
                   Qt::NoModifier);
    QApplication::sendEvent(&d, &ev);
}

} // namespace

TEST(Density, RatioTwoDrawsTheSameChartInFinerPixels) {
    auto d = SineChart();
    const QImage one = d->GetPicture();
    const int xb = d->Get_xb_net(), yb = d->Get_yb_net();
    const int xe = d->Get_xe_net(), ye = d->Get_ye_net();
    const double stepX = d->GetGridStepX(), stepY = d->GetGridStepY();
    ASSERT_EQ(one.size(), QSize(320, 240));

    RatioScope ratio(2);
    d->ShowDiagram();
    const QImage two = d->GetPicture();
    MaybeSave(*d, QStringLiteral("density-2"));
    ASSERT_EQ(two.size(), QSize(640, 480));
    EXPECT_EQ(two.devicePixelRatio(), 2.0);
    // The layout is the widget's: same net, same grid.
    EXPECT_EQ(d->Get_xb_net(), xb);
    EXPECT_EQ(d->Get_ye_net(), ye);
    EXPECT_EQ(d->GetGridStepX(), stepX);
    EXPECT_EQ(d->GetGridStepY(), stepY);

    const QRgb red = Rgb(Qt::red), blue = Rgb(Qt::blue);
    int blocks = 0;
    for (int y = 0; y < 240; ++y) {
        for (int x = 0; x < 320; ++x) {
            const QRgb c = At(one, x, y);
            // Backgrounds, frame and grid lines away from texts and the curve
            // become 2 x 2 blocks of their colour.
            const bool plain = (c == Rgb(kBack) || c == Rgb(kNet) || c == blue) &&
                               !Near(one, red, x, y, 2) &&
                               (c == Rgb(kBack) ? Around(one, c, x, y, 2)
                                                : xb <= x && x < xe && yb <= y && y < ye);
            if (plain) {
                ++blocks;
                for (int k = 0; k < 4; ++k) {
                    ASSERT_EQ(At(two, 2 * x + k % 2, 2 * y + k / 2), c) << x << "," << y;
                }
            }
            // The curve runs where it ran.
            if (c == red) {
                EXPECT_TRUE(Near(two, red, 2 * x, 2 * y, 3)) << x << "," << y;
            }
        }
    }
    EXPECT_GT(blocks, 320 * 240 / 2);
    int redOnTwo = 0;
    for (int y = 0; y < 480; ++y) {
        for (int x = 0; x < 640; ++x) {
            if (At(two, x, y) == red) {
                ++redOnTwo;
                EXPECT_TRUE(Near(one, red, x / 2, y / 2, 1)) << x << "," << y;
            }
        }
    }
    // A one-pixel line is two device pixels thick.
    EXPECT_GT(redOnTwo, 3 * CountColor(one, red, 0, 0, 320, 240));

    // Back at ratio 1, the picture is the one drawn first.
    TDiagram::SetPictureRatio(1);
    d->ShowDiagram();
    EXPECT_EQ(d->GetPicture(), one);
}

TEST(Density, FractionalRatioLeavesNoDevicePixelUnpainted) {
    RatioScope ratio(1.5);
    auto d = SineChart();
    d->resize(321, 241);
    d->ShowDiagram();
    const QImage img = d->GetPicture();
    ASSERT_EQ(img.size(), QSize(482, 362));
    EXPECT_EQ(At(img, 481, 361), Rgb(kBack));
    EXPECT_EQ(At(img, 481, 0), Rgb(kBack));
    EXPECT_EQ(At(img, 0, 361), Rgb(kBack));
}

TEST(Density, CrosshairErasesExactlyAndPointsFillTheirBlock) {
    RatioScope ratio(2);
    auto d = SineChart();
    const QImage before = d->GetPicture();
    const int x = 150, y = 100;
    for (int width : {1, 3}) {
        d->SetPenWidthFeeler(width);
        d->SetPenStyleFeeler(width == 1 ? Qt::SolidLine : Qt::DashDotLine);
        Move(*d, x, y);
        ASSERT_TRUE(d->GetFeelerDrawn());
        const QImage drawn = d->GetPicture();
        // Only the crosshair's column and row change, on both of their
        // device pixels.
        int changed = 0;
        for (int py = 0; py < 480; ++py) {
            for (int px = 0; px < 640; ++px) {
                if (At(drawn, px, py) != At(before, px, py)) {
                    ++changed;
                    EXPECT_TRUE(std::abs(px - 2 * x) <= width + 1 ||
                                std::abs(py - 2 * y) <= width + 1)
                        << px << "," << py;
                }
            }
        }
        EXPECT_GT(changed, 2 * (d->Get_ye_net() - y - 11));
        // Drawn a second time elsewhere and taken off: no trace.
        Move(*d, x + 37, y + 23);
        Move(*d, d->Get_xb_net(), y);
        EXPECT_FALSE(d->GetFeelerDrawn());
        EXPECT_EQ(d->GetPicture(), before) << width;
    }

    // ShowPoint sets the whole device block of the widget's pixel.
    const double vx = d->PhisToMathX(100), vy = d->PhisToMathY(80);
    const int px = d->MathToPhisX(vx), py = d->MathToPhisY(vy);
    d->ShowPoint(vx, vy, Qt::green);
    const QImage pointed = d->GetPicture();
    int changed = 0;
    for (int iy = 0; iy < 480; ++iy) {
        for (int ix = 0; ix < 640; ++ix) {
            if (At(pointed, ix, iy) != At(before, ix, iy)) {
                ++changed;
                EXPECT_EQ(ix / 2, px);
                EXPECT_EQ(iy / 2, py);
            }
        }
    }
    EXPECT_EQ(CountColor(pointed, Rgb(Qt::green), 2 * px, 2 * py, 2 * px + 2, 2 * py + 2), 4);
    EXPECT_LE(changed, 4);
}

TEST(Density, SavedBitmapsKeepTheWidgetsSizeCopiesTheScreensRatio) {
    QImage atOne;
    {
        auto d = SineChart();
        d->SetPrintMode();
        atOne = d->GetPicture();
    }
    for (const qreal r : {2.0, 1.5}) {
        RatioScope ratio(r);
        auto d = SineChart();
        d->SetPrintMode();
        const QImage printAtRatio = d->GetPicture();
        d->ResetPrintMode();
        QTemporaryDir dir;
        ASSERT_TRUE(dir.isValid());
        const QString name = dir.filePath(QStringLiteral("chart.bmp"));
        ASSERT_TRUE(d->SaveBmpFile(name));
        const QImage saved = QImageReader(name).read();
        EXPECT_EQ(saved.size(), QSize(320, 240));
        EXPECT_EQ(saved.convertToFormat(QImage::Format_RGB32), atOne);

        // Drawn afresh at the ratio, not the picture at 1 blown up: the
        // sine's line is as thin as on screen, the texts as sharp.
        d->CopyToClipboard();
        const QImage copied = QGuiApplication::clipboard()->image();
        EXPECT_EQ(copied.size(), QSize(qCeil(320 * r), qCeil(240 * r))) << r;
        EXPECT_EQ(copied.devicePixelRatio(), r);
        EXPECT_EQ(copied.deviceIndependentSize(), QSizeF(320, 240));
        EXPECT_EQ(copied.convertToFormat(QImage::Format_RGB32), printAtRatio) << r;
        ExpectBlackOnWhite(copied, 500);

        // The chart is shown again as before, at its ratio and in its colours.
        EXPECT_FALSE(d->GetPrintMode());
        EXPECT_EQ(d->GetPicture().size(), copied.size());
        EXPECT_EQ(At(d->GetPicture(), 1, 1), Rgb(kBack));
    }
}

TEST(Density, ShownAgainWhenTheRatioChanges) {
    auto d = SineChart();
    ASSERT_EQ(d->GetPicture().devicePixelRatio(), 1.0);
    RatioScope ratio(2);
    // A repaint of the widget finds the picture drawn for another density.
    const QPixmap shown = d->grab();
    EXPECT_EQ(d->GetPicture().size(), QSize(640, 480));
    EXPECT_EQ(shown.size(), QSize(320, 240));
    EXPECT_EQ(shown.toImage().pixel(1, 1) & 0xffffffu, Rgb(kBack));
}
