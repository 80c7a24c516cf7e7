#pragma once
// The drawing kit of the program's pictures: text set as formulas (indices
// and exponents), and the elements of block diagrams (wires, arrows, boxes,
// adders, amplifiers, switches). Everything draws in logical pixels, black on
// white, so that a picture is as sharp at 200 % as at 100 %.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPointF>
#include <QRect>
#include <QRectF>
#include <QSize>
#include <QString>
#include <functional>
#include <initializer_list>
#include <vector>

class QPainter;

namespace PictureKit {

// ---------------------------------------------------------------------------
// Fonts and text

enum class TRunKind { Normal, Sub, Sup };

// One piece of a formula: subscripts and superscripts are set smaller and
// shifted off the baseline, so that "sвх(t)" or "τи/2" read as in a textbook.
struct TRun {
    QString Text;
    TRunKind Kind = TRunKind::Normal;
    bool Italic = false;
};

using TRuns = std::vector<TRun>;

QFont PictureFont(const char* family, qreal pixels, bool bold = false, bool italic = false);

QFont LabelFont(qreal pixels = 13);

QFont MathFont(qreal pixels = 17, bool italic = false);

QFont RunFont(const QFont& base, const TRun& run);

qreal RunShift(const QFont& base, TRunKind kind);

qreal RunsWidth(const QFont& base, const TRuns& runs);

// Draws the runs from a point on the baseline; returns the width drawn.
qreal DrawRuns(QPainter& p, const QFont& base, QPointF baseline, const TRuns& runs);

// The baseline that centres the capitals and small letters of `base` on y.
qreal CentredBaseline(const QFont& base, qreal y);

void DrawRunsCentred(QPainter& p, const QFont& base, QPointF centre, const TRuns& runs);

void DrawTextCentred(QPainter& p, const QFont& f, QPointF centre, const QString& text);

// Several lines centred on one point, one line height apart.
void DrawLinesCentred(QPainter& p, const QFont& f, QPointF centre,
                      std::initializer_list<const char*> lines);

// A fraction with its bar on y, starting at x; returns its width. With no
// painter it only measures.
qreal Fraction(QPainter* p, const QFont& f, qreal x, qreal y, const TRuns& num, const TRuns& den);

// "H(ω) = num / den", centred on a point.
void DrawTransferFunction(QPainter& p, QPointF centre, const TRuns& num, const TRuns& den);

// A line that explains a drawing ("τ - постоянная времени"), centred on a
// point, in the notes' font.
void DrawNote(QPainter& p, QPointF centre, const TRuns& runs);

// ---------------------------------------------------------------------------
// Block-diagram elements

inline const QColor Ink{Qt::black};

// The pen of wires and frames: solid black, flat ends, mitred corners, no fill.
void SetLinePen(QPainter& p, qreal width = 1.0);

// A wire ending in a filled arrowhead that touches `to`.
void Arrow(QPainter& p, QPointF from, QPointF to);

// A wire through several corners.
void Wire(QPainter& p, std::initializer_list<QPointF> points);

// A wire through several corners whose last piece ends in an arrowhead.
void ArrowWire(QPainter& p, std::initializer_list<QPointF> points);

void Junction(QPainter& p, QPointF c);

void Box(QPainter& p, const QRectF& r);

void TextBox(QPainter& p, const QRectF& r, std::initializer_list<const char*> lines,
             const QFont& f = LabelFont());

// An adder: a circle with Σ.
void Adder(QPainter& p, QPointF c, qreal radius);

// An amplifier: a triangle pointing right, from x0 to the tip at x1.
void Amplifier(QPainter& p, qreal x0, qreal x1, qreal y, qreal half, const TRuns& label);

// A switch between two contacts on a horizontal wire: the blade is hinged on
// the left contact and either lies on the right one or is lifted by 30°.
void Switch(QPainter& p, const QRect& r, int row, bool closed);

// Starts a picture: white page, antialiasing, and lines of width 1 centred on
// pixel centres so that they stay sharp at 100 % and at 200 %.
void BeginPicture(QPainter& p, int w, int h);

// A picture of size logical pixels painted by paint into an image of that
// size times dpr, with the device pixel ratio set, so that a widget shows it
// at its logical size. A ratio that is not above 0, or above 16, is taken as 1.
QImage RenderPage(QSize size, qreal dpr, const std::function<void(QPainter&)>& paint);

// An integral sign of the given height centred on c, drawn as a path: the
// glyph of the serif fonts is small and sits too low for a block label.
void IntegralSign(QPainter& p, QPointF c, qreal h);

} // namespace PictureKit
