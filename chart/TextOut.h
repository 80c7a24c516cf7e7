#pragma once
// Writing a text onto a chart's picture so that it stays readable over what
// lies beneath it.

#include <QString>

class QFontMetrics;
class QPainter;

// Writes text with its top-left corner at (x, top) in a cell of the painter's
// background colour, so that a label or name covers the grid line or tick
// beneath it and stays readable. Only the text cell is opaque: the painter is
// left in transparent mode, so the gaps of dotted lines drawn later stay clear.
void TextOut(QPainter& p, const QFontMetrics& fm, int x, int top, const QString& text);
