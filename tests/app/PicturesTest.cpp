#include "app/FilterDrawings.h"
#include "app/MagnitudePlot.h"
#include "app/SchemePicture.h"
#include "app/SplashPicture.h"

#include "bench/BenchSetup.h"
#include "filters/CChebishevFilter.h"

#include <QPainter>
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <vector>

namespace {

constexpr int DarkLevel = 128;

int GreyAt(const QImage& image, int x, int y) { return qGray(image.pixel(x, y)); }

bool DarkAt(const QImage& image, int x, int y) { return GreyAt(image, x, y) < DarkLevel; }

// Dark pixels in a column between two rows, both included.
bool DarkInColumn(const QImage& image, int x, int y0, int y1) {
    for (int y = std::max(0, y0); y <= std::min(image.height() - 1, y1); ++y) {
        if (DarkAt(image, x, y)) {
            return true;
        }
    }
    return false;
}

int CountDark(const QImage& image, const QRect& r) {
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x) {
            n += DarkAt(image, x, y) ? 1 : 0;
        }
    }
    return n;
}

const TSchemeSwitch AllSwitches[] = {TSchemeSwitch::Signal, TSchemeSwitch::Noise,
                                     TSchemeSwitch::Registrar};

bool IsClosed(TSchemeSwitches s, TSchemeSwitch which) {
    switch (which) {
    case TSchemeSwitch::Signal:
        return s.Signal;
    case TSchemeSwitch::Noise:
        return s.Noise;
    case TSchemeSwitch::Registrar:
        return s.Registrar;
    }
    return false;
}

// Reads a switch from the picture (scale: device pixels per logical pixel):
// closed when the blade lies on the wire between the contacts, open when the
// wire's row is white there and the blade is seen above it.
enum class TSeen { Closed, Open, Unclear };
TSeen SeenSwitch(const QImage& image, TSchemeSwitch which, int scale) {
    const QRect r = SchemeSwitchRect(which);
    const int row = SchemeSwitchRow(which) * scale + scale / 2;
    const int xMid = r.center().x() * scale;
    const int xNearContact = (r.right() - 9) * scale;
    const bool onRow = DarkAt(image, xMid, row) && DarkAt(image, xNearContact, row);
    const bool gap = !DarkAt(image, xMid, row) && !DarkAt(image, xNearContact, row) &&
                     !DarkAt(image, xMid, row - scale) && !DarkAt(image, xMid, row + scale);
    const bool lifted = DarkInColumn(image, xMid, r.top() * scale, row - 4 * scale);
    if (onRow && !lifted) {
        return TSeen::Closed;
    }
    if (gap && lifted) {
        return TSeen::Open;
    }
    return TSeen::Unclear;
}

// Steady-state gain of the bench's design (at unit overall gain) for a sine
// of f cycles/sample, measured by running it: independent of how the picture
// evaluates |H|.
double MeasuredGain(double f) {
    CChebishevFilter filter;
    DesignBenchChebishev(filter);
    filter.SetGain(1.0);
    const int settle = 20000, measured = 4000;
    double a = 0.0, b = 0.0;
    for (int n = 0; n < settle + measured; ++n) {
        const double phase = 2.0 * M_PI * f * n;
        const double y = filter.Filtrate(std::sin(phase));
        if (n >= settle) {
            a += y * std::sin(phase);
            b += y * std::cos(phase);
        }
    }
    return 2.0 * std::hypot(a, b) / measured;
}

std::vector<QImage> AllPictures(qreal dpr) {
    std::vector<QImage> all;
    for (int i = 1; i <= 4; ++i) {
        all.push_back(RenderScheme(SchemeSwitchesOfImage(i), dpr));
    }
    for (int i = 0; i <= 4; ++i) {
        all.push_back(RenderFilterPicture(i, dpr));
    }
    all.push_back(RenderSplash(dpr));
    return all;
}

} // namespace

TEST(SchemeSwitches, EachImageConnectsItsBranches) {
    EXPECT_EQ(SchemeSwitchesOfImage(1), (TSchemeSwitches{true, false, false}));
    EXPECT_EQ(SchemeSwitchesOfImage(2), (TSchemeSwitches{true, true, false}));
    EXPECT_EQ(SchemeSwitchesOfImage(3), (TSchemeSwitches{false, true, true}));
    // Neither generator: only their branches are open.
    EXPECT_EQ(SchemeSwitchesOfImage(4), (TSchemeSwitches{false, false, true}));
    EXPECT_EQ(SchemeSwitchesOfImage(0), (TSchemeSwitches{false, false, false}));
    EXPECT_EQ(SchemeSwitchesOfImage(5), (TSchemeSwitches{false, false, false}));
}

TEST(SchemePicture, SwitchesAreDrawnAsConfiguredAtBothScales) {
    for (int scale : {1, 2}) {
        for (int image = 1; image <= 4; ++image) {
            const TSchemeSwitches s = SchemeSwitchesOfImage(image);
            const QImage picture = RenderScheme(s, scale);
            for (TSchemeSwitch which : AllSwitches) {
                const TSeen expected = IsClosed(s, which) ? TSeen::Closed : TSeen::Open;
                EXPECT_EQ(SeenSwitch(picture, which, scale), expected)
                    << "image " << image << " switch " << static_cast<int>(which) << " scale "
                    << scale;
            }
        }
    }
}

TEST(SchemePicture, EveryCombinationOfSwitchesIsDrawnFaithfully) {
    // Not only the four configurations of the bench: each switch is drawn
    // independently of the others.
    for (int bits = 0; bits < 8; ++bits) {
        const TSchemeSwitches s{(bits & 1) != 0, (bits & 2) != 0, (bits & 4) != 0};
        const QImage picture = RenderScheme(s);
        for (TSchemeSwitch which : AllSwitches) {
            EXPECT_EQ(SeenSwitch(picture, which, 1), IsClosed(s, which) ? TSeen::Closed : TSeen::Open)
                << "bits " << bits;
        }
    }
}

TEST(SchemePicture, TheFourImagesDifferOnlyInTheirSwitches) {
    std::vector<QImage> images;
    for (int i = 1; i <= 4; ++i) {
        images.push_back(RenderScheme(SchemeSwitchesOfImage(i)));
    }
    for (int i = 1; i < 4; ++i) {
        int differentOutside = 0;
        bool differentInside[3] = {false, false, false};
        for (int y = 0; y < SchemeHeight; ++y) {
            for (int x = 0; x < SchemeWidth; ++x) {
                if (images[0].pixel(x, y) == images[i].pixel(x, y)) {
                    continue;
                }
                bool inside = false;
                for (int k = 0; k < 3; ++k) {
                    if (SchemeSwitchRect(AllSwitches[k]).contains(x, y)) {
                        differentInside[k] = true;
                        inside = true;
                    }
                }
                differentOutside += inside ? 0 : 1;
            }
        }
        EXPECT_EQ(differentOutside, 0) << "image " << i + 1;
        const TSchemeSwitches a = SchemeSwitchesOfImage(1), b = SchemeSwitchesOfImage(i + 1);
        for (int k = 0; k < 3; ++k) {
            EXPECT_EQ(differentInside[k], IsClosed(a, AllSwitches[k]) != IsClosed(b, AllSwitches[k]))
                << "image " << i + 1 << " switch " << k;
        }
    }
}

TEST(Pictures, AreBlackOnWhiteAndNotBlank) {
    for (const QImage& picture : AllPictures(1.0)) {
        int dark = 0;
        bool grey = true;
        for (int y = 0; y < picture.height() && grey; ++y) {
            for (int x = 0; x < picture.width(); ++x) {
                const QRgb c = picture.pixel(x, y);
                if (qRed(c) != qGreen(c) || qGreen(c) != qBlue(c)) {
                    grey = false;
                    break;
                }
                dark += qRed(c) < DarkLevel ? 1 : 0;
            }
        }
        EXPECT_TRUE(grey) << "colour in a " << picture.width() << "x" << picture.height()
                          << " picture";
        // Lines and text, but mostly white paper.
        const int area = picture.width() * picture.height();
        EXPECT_GT(dark, area / 200);
        EXPECT_LT(dark, area / 5);
        EXPECT_EQ(GreyAt(picture, 0, picture.height() - 1), 255);
        EXPECT_EQ(GreyAt(picture, picture.width() - 1, 0) > 0, true);
    }
}

TEST(Pictures, KeepTheirLogicalSizeAtAnyScale) {
    const QImage scheme = RenderScheme(SchemeSwitchesOfImage(2), 2.0);
    EXPECT_EQ(scheme.size(), QSize(2 * SchemeWidth, 2 * SchemeHeight));
    EXPECT_EQ(scheme.devicePixelRatio(), 2.0);
    EXPECT_EQ(RenderFilterPicture(4, 2.0).size(), QSize(2 * FilterPictureWidth, 2 * FilterPictureHeight));
    EXPECT_EQ(RenderSplash(2.0).size(), QSize(2 * SplashWidth, 2 * SplashHeight));
    EXPECT_EQ(RenderSplash(1.5).size(), QSize(600, 450));
    EXPECT_EQ(RenderFilterPicture(0).size(), QSize(FilterPictureWidth, FilterPictureHeight));
    // A scale that makes no sense falls back to 100 %.
    for (qreal bad : {0.0, -1.0, std::numeric_limits<qreal>::quiet_NaN(),
                      std::numeric_limits<qreal>::infinity()}) {
        EXPECT_EQ(RenderSplash(bad).size(), QSize(SplashWidth, SplashHeight));
    }

    // The picture at 200 % is the same drawing, not a corner of it or a
    // stretched copy: ink lies where the 100 % picture has ink.
    const QImage small = RenderScheme(SchemeSwitchesOfImage(2), 1.0);
    int agree = 0, inked = 0;
    for (int y = 0; y < SchemeHeight; y += 2) {
        for (int x = 0; x < SchemeWidth; x += 2) {
            if (DarkAt(small, x, y)) {
                ++inked;
                agree += CountDark(scheme, QRect(2 * x - 1, 2 * y - 1, 4, 4)) > 0 ? 1 : 0;
            }
        }
    }
    EXPECT_GT(inked, 100);
    EXPECT_GT(agree, inked * 95 / 100);
}

TEST(FilterPictures, ItemsOutsideTheListLeaveAWhitePage) {
    for (int item : {-1, 5, 100, INT_MIN, INT_MAX}) {
        const QImage page = RenderFilterPicture(item);
        EXPECT_EQ(page.size(), QSize(FilterPictureWidth, FilterPictureHeight));
        EXPECT_EQ(CountDark(page, page.rect()), 0) << item;
        EXPECT_EQ(GreyAt(page, 100, 100), 255);
    }
}

TEST(FilterPictures, EachItemHasItsOwnDrawing) {
    std::vector<QImage> items;
    for (int i = 0; i <= 4; ++i) {
        items.push_back(RenderFilterPicture(i));
    }
    for (int i = 0; i <= 4; ++i) {
        for (int j = i + 1; j <= 4; ++j) {
            EXPECT_NE(items[i], items[j]) << i << " " << j;
        }
    }
}

TEST(ResponsePicture, CurvePassesThroughTheMeasuredGain) {
    for (int scale : {1, 2}) {
        const QImage picture = RenderFilterPicture(4, scale);
        for (double f : {0.006, 0.017, 0.031, 0.044, 0.05, 0.052, 0.056, 0.065, 0.075}) {
            const double m = MeasuredGain(f);
            const QPointF pt = ResponsePoint(f, m) * scale;
            const int x = static_cast<int>(std::floor(pt.x() + 0.5 * scale));
            const int y = static_cast<int>(std::floor(pt.y() + 0.5 * scale));
            EXPECT_TRUE(DarkInColumn(picture, x, y - 2 * scale, y + 2 * scale))
                << "f " << f << " |H| " << m << " scale " << scale;
        }
        // Between the ripple peaks and the axis the plot is white paper.
        const QPointF under = ResponsePoint(0.02, 0.5) * scale;
        EXPECT_EQ(GreyAt(picture, static_cast<int>(under.x()), static_cast<int>(under.y())), 255);
    }
}

TEST(Pictures, PaintersLeaveThePainterAsTheyFoundIt) {
    // The host may paint several things with one painter, and may place the
    // picture with a transform of its own.
    QImage image(2 * SchemeWidth, SchemeHeight, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter p(&image);
    p.translate(SchemeWidth, 0);
    const QTransform before = p.transform();
    PaintScheme(p, SchemeSwitchesOfImage(3));
    EXPECT_EQ(p.transform(), before);
    EXPECT_FALSE(p.hasClipping());
    PaintFilterPicture(p, 2);
    PaintFilterPicture(p, 9);
    PaintSplash(p);
    EXPECT_EQ(p.transform(), before);
    p.end();
    // The left half, outside the translated picture, is untouched.
    EXPECT_EQ(GreyAt(image, SchemeWidth - 1, 10), 0);
    EXPECT_EQ(GreyAt(image, SchemeWidth + FilterPictureWidth + 10, SchemeHeight - 2), 255);
}
