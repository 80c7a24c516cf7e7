#pragma once
// The mark of a chart that has the keyboard focus: a frame along the edges of
// the widget, drawn over the picture on screen and never into it, so that no
// copy, saved picture or print shows it.

#include <QColor>
#include <QRect>

class QPainter;

// Draws the frame, two pixels wide, just inside rect (the widget's rectangle)
// in color, with p as the widget's painter.
void DrawFocusFrame(QPainter& p, const QRect& rect, const QColor& color);
