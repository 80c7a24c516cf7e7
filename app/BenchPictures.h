#pragma once
// The pictures the program draws itself: the bench scheme in its four
// configurations, the drawings of the five filters and the splash card.
//
// Every painter draws in logical coordinates (pixels at 100 % scale), black on
// a white background that it fills itself, antialiased, so that the host can
// render it into an image of any device pixel ratio and get a sharp picture.

#include <QImage>
#include <QRect>

#include "bench/BenchSetup.h"

class QPainter;

// Logical sizes of the pictures (pixels at 100 % scale).
constexpr int SchemeWidth = 740, SchemeHeight = 300;
constexpr int FilterPictureWidth = 483, FilterPictureHeight = 300;
constexpr int SplashWidth = 400, SplashHeight = 300;

// Which branches of the bench scheme are connected (a switch drawn closed);
// the bench says which for each choice and each of the pictures Image1..4
// (SchemeSwitchesFor, SchemeSwitchesOfImage).
using TSchemeSwitches = CSchemeSwitches;

// The bench scheme, SchemeWidth x SchemeHeight.
void PaintScheme(QPainter& p, TSchemeSwitches switches);
// The drawing of filter item 0..4 (the order of the filter combo box),
// FilterPictureWidth x FilterPictureHeight; any other item leaves a white page.
void PaintFilterPicture(QPainter& p, int filterItem);
// The splash card, SplashWidth x SplashHeight.
void PaintSplash(QPainter& p);

// Where a switch is drawn, in scheme coordinates: the rectangle holds both
// contacts and the blade in either position. The blade rests on the wire's row
// SchemeSwitchRow(which); when closed it joins the two contacts, when open it
// is lifted and leaves the middle of the row white.
enum class TSchemeSwitch { Signal, Noise, Registrar };
QRect SchemeSwitchRect(TSchemeSwitch which);
int SchemeSwitchRow(TSchemeSwitch which);

// The magnitude-response plot of filter item 4: the bench's own design
// (DesignBenchChebishev) with unit overall gain, its band edge at
// ResponseBandEdge cycles/sample. The plot maps a frequency f (cycles/sample,
// 0..ResponseMaxFrequency) and a magnitude m (0..ResponseMaxMagnitude) to
// picture coordinates.
constexpr double ResponseBandEdge = ChebishevBandEdge;
constexpr double ResponseMaxFrequency = 0.08;
constexpr double ResponseMaxMagnitude = 1.0;
QPointF ResponsePoint(double f, double m);

// The pictures rendered into images of their logical size times dpr (dpr > 0,
// otherwise 1), with the device pixel ratio set, so that a widget shows them
// at their logical size.
QImage RenderScheme(TSchemeSwitches switches, qreal dpr = 1.0);
QImage RenderFilterPicture(int filterItem, qreal dpr = 1.0);
QImage RenderSplash(qreal dpr = 1.0);
