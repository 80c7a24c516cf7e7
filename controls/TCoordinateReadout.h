#pragma once
// The pointer's coordinates over a chart of the main window, while its
// crosshair is on: a small label in a corner of the net away from the pointer
// (and away from whatever else it must not cover), translucent, and deaf to
// the mouse, so that the chart beneath keeps every movement. It is a widget
// over the chart, not part of the chart's picture, so no export shows it.

#include <QLabel>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <vector>

class TDiagram;

class TCoordinateReadout : public QLabel {
    Q_OBJECT

  public:
    // parent holds the chart with the chart's pixels as its own (the chart
    // at its origin).
    explicit TCoordinateReadout(QWidget* parent);

    // While chart shows its crosshair, writes reading, or when it is empty
    // the readout of chart pixel (x, y) (PointText), and places it by Place
    // for the crosshair at (x, y), clear of avoid (rectangles in chart
    // pixels); hides it otherwise. The text changes only when it differs.
    void Follow(const TDiagram& chart, int x, int y, const std::vector<QRect>& avoid,
                const QString& reading = QString());

    // Where a readout of size goes for the pointer at pointer: inside net
    // (left, top, right, bottom edges as the chart gives them), 4 pixels from
    // its edges, in the corner farthest from the pointer of those that meet
    // none of avoid; of all four when each meets one.
    static QRect Place(const QSize& size, const QRect& net, const QPoint& pointer,
                       const std::vector<QRect>& avoid);
};
