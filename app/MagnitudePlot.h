#pragma once
// The magnitude-response plot of the flat-passband low-pass, its page of the
// filter drawings: the bench's own design (DesignBenchChebishev) with unit
// overall gain, its band edge at ResponseBandEdge cycles/sample, the 5 %
// ripple band marked and the curve computed from the design.

#include <QPointF>

#include "bench/BenchSetup.h"

class QPainter;

// The plot maps a frequency f (cycles/sample, 0..ResponseMaxFrequency) and a
// magnitude m (0..ResponseMaxMagnitude) to page coordinates (ResponsePoint).
constexpr double ResponseBandEdge = ChebishevBandEdge;
constexpr double ResponseMaxFrequency = 0.08;
constexpr double ResponseMaxMagnitude = 1.0;
QPointF ResponsePoint(double f, double m);

// The plot with its title, axes and notes on a filter page
// (FilterPictureWidth wide) that the caller has begun.
void PaintMagnitudePlot(QPainter& p);
