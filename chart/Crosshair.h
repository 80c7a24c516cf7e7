#pragma once
// The crosshair of a chart: from the pointer down to the net's bottom border
// and left to its left border, with a gap of 11 pixels around the pointer so
// that the point itself stays visible. It is drawn in not-xor mode into the
// picture itself, so drawing the same crosshair twice leaves no trace.

#include <QImage>
#include <QPen>

#include "chart/TScale.h"

// Draws (or, the second time, erases) the crosshair at pointer (x, y) on
// picture: the column x from y + 11 toward the border row Get_ye_net, and the
// row y from x - 11 toward the border column Get_xb_net, each border pixel
// itself left out. Near the border the gap reaches past it and the short piece
// between border and gap end is drawn outside the net, so the crosshair
// always reaches the axes; a gap that ends on the border draws nothing there.
void DrawCrosshair(QImage& picture, const TNetRect& net, int x, int y, const QPen& pen);
