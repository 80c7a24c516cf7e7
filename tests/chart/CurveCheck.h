#pragma once
// Whether a chart's curve shows the samples it was given: every sample inside
// the chart's argument range, whose row lies in the net's value band (rows
// yb + 1 .. ye - 1; the curve is cut beyond them), must have a pixel of the
// curve's colour within one widget pixel of where the chart's own mapping
// puts it (MathToPhisX, MathToPhisY). On a picture of device pixel ratio r,
// widget pixel (x, y) is the block of device pixels from (r*x, r*y).
// Header only, so that the display tests use the very same check.

#include <QImage>
#include <cmath>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "chart/TDiagram.h"

struct TShownSample {
    double x = 0; // argument
    double v = 0; // value as the series shows it (scale and sign applied)
};

// Whether widget pixel (x, y) of img holds colour c in any of its device pixels.
inline bool WidgetPixelHas(const QImage& img, int x, int y, QRgb c) {
    const double r = img.devicePixelRatio();
    const int x0 = static_cast<int>(std::floor(x * r));
    const int x1 = static_cast<int>(std::floor((x + 1) * r));
    const int y0 = static_cast<int>(std::floor(y * r));
    const int y1 = static_cast<int>(std::floor((y + 1) * r));
    for (int yy = std::max(0, y0); yy < std::min(img.height(), y1); ++yy) {
        const QRgb* line = reinterpret_cast<const QRgb*>(img.constScanLine(yy));
        for (int xx = std::max(0, x0); xx < std::min(img.width(), x1); ++xx) {
            if ((line[xx] & 0xffffffu) == (c & 0xffffffu)) {
                return true;
            }
        }
    }
    return false;
}

// The samples that have no curve pixel near them, described one per line
// (at most a few); empty when all are shown. checked counts those looked at.
inline std::string MissedSamples(const TDiagram& d, QRgb color,
                                 const std::vector<TShownSample>& samples, int* checked = nullptr) {
    const QImage& img = d.GetPicture();
    std::ostringstream out;
    int missed = 0;
    int looked = 0;
    for (const TShownSample& s : samples) {
        if (!(s.x >= d.GetXmin() && s.x <= d.GetXmax()) || std::isnan(s.v)) {
            continue;
        }
        const int px = d.MathToPhisX(s.x);
        const int py = d.MathToPhisY(s.v);
        if (py < d.Get_yb_net() + 1 || py > d.Get_ye_net() - 1) {
            continue;
        }
        ++looked;
        bool found = false;
        for (int dy = -1; dy <= 1 && !found; ++dy) {
            for (int dx = -1; dx <= 1 && !found; ++dx) {
                found = WidgetPixelHas(img, px + dx, py + dy, color);
            }
        }
        if (!found && ++missed <= 5) {
            out << "sample at x=" << s.x << " v=" << s.v << " pixel (" << px << ", " << py << ")\n";
        }
    }
    if (missed > 5) {
        out << "... " << missed << " samples missed in all\n";
    }
    if (checked != nullptr) {
        *checked = looked;
    }
    return out.str();
}

// The samples data[0 .. count-1] at x0 + n*step.
inline std::vector<TShownSample> GridSamples(const double* data, int count, double x0, double step,
                                             double scale = 1.0) {
    std::vector<TShownSample> s(static_cast<std::size_t>(count));
    for (int n = 0; n < count; ++n) {
        s[static_cast<std::size_t>(n)] = {x0 + n * step, data[n] * scale};
    }
    return s;
}
