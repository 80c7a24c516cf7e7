#pragma once
// Helpers shared by the chart tests: a chart of a given size, drawn, and
// simple pixel queries on its picture.

#include <QColor>
#include <QImage>
#include <QString>
#include <initializer_list>
#include <memory>

#include "chart/TDiagram.h"

// Every chart of the scope draws at the given device pixel ratio.
class RatioScope {
  public:
    explicit RatioScope(qreal ratio) : Previous(TDiagram::SetPictureRatio(ratio)) {}
    ~RatioScope() { TDiagram::SetPictureRatio(Previous); }
    RatioScope(const RatioScope&) = delete;
    RatioScope& operator=(const RatioScope&) = delete;

  private:
    qreal Previous;
};

// A chart of w x h pixels with a fixed, known font, drawn once.
std::unique_ptr<TDiagram> MakeChart(int w, int h);

inline QRgb Px(const TDiagram& d, int x, int y) {
    return d.GetPicture().pixel(x, y) & 0xffffffu;
}
inline QRgb Rgb(const QColor& c) {
    return c.rgb() & 0xffffffu;
}

// Number of pixels of colour c in the rectangle [x0, x1) x [y0, y1).
int CountColor(const QImage& img, QRgb c, int x0, int y0, int x1, int y1);

// Number of pixels in the rectangle [x0, x1) x [y0, y1) whose colour is none
// of known: text, whose exact pixels depend on the fonts, shows up this way.
int CountOther(const QImage& img, std::initializer_list<QRgb> known, int x0, int y0, int x1,
               int y1);

// Black on white: every pixel grey (text is smoothed), at least minBlack of
// them pure black, and the corner white.
void ExpectBlackOnWhite(const QImage& img, int minBlack);

// Saves the picture as PNG under $CHART_TEST_PNG_DIR, when that is set.
void MaybeSave(const TDiagram& d, const QString& name);
