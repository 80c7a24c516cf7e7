#pragma once
// The bench scheme in its four configurations: the signal and noise
// generators with their switches, the adder, the filter, the oscilloscope and
// the registrar's branch. Drawn in logical coordinates (pixels at 100 % scale),
// black on a white background that the painter fills itself, antialiased, so
// that the host can render it at any device pixel ratio and get a sharp picture.

#include <QImage>
#include <QRect>

#include "bench/BenchSetup.h"

class QPainter;

// The scheme's logical size (pixels at 100 % scale).
constexpr int SchemeWidth = 740, SchemeHeight = 300;

// Which branches of the bench scheme are connected (a switch drawn closed);
// the bench says which for each choice and each of the pictures Image1..4
// (SchemeSwitchesFor, SchemeSwitchesOfImage).
using TSchemeSwitches = CSchemeSwitches;

// The bench scheme, SchemeWidth x SchemeHeight.
void PaintScheme(QPainter& p, TSchemeSwitches switches);

// Where a switch is drawn, in scheme coordinates: the rectangle holds both
// contacts and the blade in either position. The blade rests on the wire's row
// SchemeSwitchRow(which); when closed it joins the two contacts, when open it
// is lifted and leaves the middle of the row white.
enum class TSchemeSwitch { Signal, Noise, Registrar };
QRect SchemeSwitchRect(TSchemeSwitch which);
int SchemeSwitchRow(TSchemeSwitch which);

// The scheme rendered into an image of its logical size times dpr (dpr > 0,
// otherwise 1), with the device pixel ratio set.
QImage RenderScheme(TSchemeSwitches switches, qreal dpr = 1.0);
