#include "app/BenchPictures.h"

#include "app/PictureKit.h"
#include "controls/TImage.h"
#include "filters/CChebishevFilter.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QString>

#include <algorithm>
#include <initializer_list>
#include <vector>

using namespace PictureKit;

namespace {

// ---------------------------------------------------------------------------
// The bench scheme

// Rows of the scheme: the signal branch above, the noise branch and the
// registrar branch below, the filter in the middle.
constexpr int SignalRow = 64, MiddleRow = 154, LowerRow = 244, TopWireRow = 26;

// The integrator of the registrar: (1/T)∫₀ᵗ(.)dt.
void DrawAveragingIntegrator(QPainter& p, const QRectF& r) {
    Box(p, r);
    const QFont f = MathFont(16);
    const QFont limits = MathFont(11, true);
    const TRuns tail{{QString::fromUtf8("(.)"), TRunKind::Normal}, {QString::fromUtf8("dt")}};
    const qreal wf = Fraction(nullptr, f, 0, 0, {{"1"}}, {{"T"}});
    const qreal ih = 34.0, wi = 14.0, wl = 7.0;
    const qreal wt = RunsWidth(f, tail);
    qreal x = r.center().x() - (wf + 3.0 + wi + wl + wt) / 2.0;
    const qreal y = r.center().y();
    Fraction(&p, f, x, y, {{"1"}}, {{"T"}});
    x += wf + 3.0;
    IntegralSign(p, QPointF(x + wi / 2.0, y), ih);
    p.setFont(limits);
    p.drawText(QPointF(x + wi / 2.0 + 0.22 * ih, y - 0.30 * ih), QStringLiteral("t"));
    p.drawText(QPointF(x + wi / 2.0 + 0.08 * ih, y + 0.52 * ih), QStringLiteral("0"));
    x += wi + wl;
    DrawRuns(p, f, QPointF(x, CentredBaseline(f, y)), tail);
}

// The screen of the oscilloscope with a small trace, as a reminder of what
// the instrument shows.
void DrawScreen(QPainter& p, const QRectF& r) {
    SetLinePen(p);
    p.drawRoundedRect(r, 3.0, 3.0);
    QPainterPath trace;
    const qreal y0 = r.bottom() - 8.0;
    trace.moveTo(r.left() + 6.0, y0);
    trace.lineTo(r.left() + r.width() * 0.35, y0);
    trace.lineTo(r.left() + r.width() * 0.35, r.top() + 10.0);
    trace.lineTo(r.left() + r.width() * 0.62, r.top() + 10.0);
    trace.lineTo(r.left() + r.width() * 0.62, y0);
    trace.lineTo(r.right() - 6.0, y0);
    SetLinePen(p, 1.2);
    p.drawPath(trace);
    SetLinePen(p);
}

// ---------------------------------------------------------------------------
// The filter drawings

const TRuns InputSignal{
    {QStringLiteral("s")}, {QString::fromUtf8("вх"), TRunKind::Sub}, {QStringLiteral("(t)")}};
const TRuns OutputSignal{
    {QStringLiteral("s")}, {QString::fromUtf8("вых"), TRunKind::Sub}, {QStringLiteral("(t)")}};
const TRuns PulseDelay{{QString::fromUtf8("τ")}, {QString::fromUtf8("и"), TRunKind::Sub}};
const TRuns HalfPulseDelay{
    {QString::fromUtf8("τ")}, {QString::fromUtf8("и"), TRunKind::Sub}, {QStringLiteral("/2")}};

// The signal names written above the input and output wires.
void SignalLabel(QPainter& p, QPointF centre, const TRuns& runs) {
    DrawRunsCentred(p, MathFont(17, false), centre, runs);
}

void SignLabel(QPainter& p, QPointF centre, const char* sign) {
    DrawTextCentred(p, MathFont(16), centre, QString::fromUtf8(sign));
}

void DelayBox(QPainter& p, const QRectF& r, const TRuns& delay) {
    Box(p, r);
    DrawRunsCentred(p, MathFont(18), r.center(), delay);
}

void IntegratorBox(QPainter& p, const QRectF& r) {
    Box(p, r);
    IntegralSign(p, r.center(), r.height() * 0.66);
}

void Note(QPainter& p, QPointF centre, const TRuns& runs) {
    DrawRunsCentred(p, MathFont(16), centre, runs);
}

// Item 0 and 1 share the pulse-matched structure: gain, the input minus the
// input delayed by the pulse length, then an integrator or a low-pass block.
void PaintPulseMatched(QPainter& p, bool lowPass) {
    const qreal y = 110;
    SignalLabel(p, QPointF(38, y - 16), InputSignal);
    ArrowWire(p, {QPointF(10, y), QPointF(70, y)});
    Amplifier(p, 70, 108, y, 19, {{QStringLiteral("k")}});
    Wire(p, {QPointF(108, y), QPointF(135, y)});
    Junction(p, QPointF(135, y));
    const QPointF adder(250, y);
    const qreal r = 17;
    ArrowWire(p, {QPointF(135, y), QPointF(adder.x() - r, y)});
    SignLabel(p, QPointF(adder.x() - r - 9, y - 11), "+");
    Wire(p, {QPointF(135, y), QPointF(135, 200), QPointF(160, 200)});
    DelayBox(p, QRectF(160, 178, 55, 44), PulseDelay);
    ArrowWire(p, {QPointF(215, 200), QPointF(adder.x(), 200), QPointF(adder.x(), y + r)});
    SignLabel(p, QPointF(adder.x() + 10, y + r + 9), "−");
    Adder(p, adder, r);
    if (!lowPass) {
        ArrowWire(p, {QPointF(adder.x() + r, y), QPointF(310, y)});
        IntegratorBox(p, QRectF(310, y - 25, 60, 50));
        ArrowWire(p, {QPointF(370, y), QPointF(470, y)});
        SignalLabel(p, QPointF(425, y - 16), OutputSignal);
        return;
    }
    ArrowWire(p, {QPointF(adder.x() + r, y), QPointF(300, y)});
    TextBox(p, QRectF(300, y - 25, 80, 50), {"ФНЧ"}, LabelFont(16));
    ArrowWire(p, {QPointF(380, y), QPointF(470, y)});
    SignalLabel(p, QPointF(430, y - 16), OutputSignal);
    DrawTransferFunction(p, QPointF(340, 185), {{QStringLiteral("1")}},
                         {{QString::fromUtf8("1 + jωτ")}});
    Note(p, QPointF(241, 262), {{QString::fromUtf8("τ - постоянная времени интегратора")}});
}

// Item 2: the matched filter of the two-level "meander" pulse.
void PaintMeander(QPainter& p) {
    const qreal y = 150;
    SignalLabel(p, QPointF(34, y - 16), InputSignal);
    ArrowWire(p, {QPointF(8, y), QPointF(58, y)});
    Amplifier(p, 58, 92, y, 17, {{QStringLiteral("k")}});
    Wire(p, {QPointF(92, y), QPointF(112, y)});
    Junction(p, QPointF(112, y));
    ArrowWire(p, {QPointF(112, y), QPointF(130, y)});
    DelayBox(p, QRectF(130, y - 22, 60, 44), HalfPulseDelay);
    Wire(p, {QPointF(190, y), QPointF(210, y)});
    Junction(p, QPointF(210, y));
    ArrowWire(p, {QPointF(210, y), QPointF(230, y)});
    Amplifier(p, 230, 262, y, 16, {{QStringLiteral("2")}});
    const QPointF adder(310, y);
    const qreal r = 17;
    ArrowWire(p, {QPointF(262, y), QPointF(adder.x() - r, y)});
    SignLabel(p, QPointF(adder.x() - r - 9, y - 11), "+");
    // The undelayed input enters from above, the fully delayed from below.
    ArrowWire(
        p, {QPointF(112, y), QPointF(112, 60), QPointF(adder.x(), 60), QPointF(adder.x(), y - r)});
    SignLabel(p, QPointF(adder.x() - 11, y - r - 10), "−");
    Wire(p, {QPointF(210, y), QPointF(210, 240), QPointF(225, 240)});
    DelayBox(p, QRectF(225, 218, 60, 44), HalfPulseDelay);
    ArrowWire(p, {QPointF(285, 240), QPointF(adder.x(), 240), QPointF(adder.x(), y + r)});
    SignLabel(p, QPointF(adder.x() - 11, y + r + 10), "−");
    Adder(p, adder, r);
    ArrowWire(p, {QPointF(adder.x() + r, y), QPointF(355, y)});
    IntegratorBox(p, QRectF(355, y - 25, 50, 50));
    ArrowWire(p, {QPointF(405, y), QPointF(475, y)});
    SignalLabel(p, QPointF(440, y - 16), OutputSignal);
}

// Item 3: a first-order low-pass filter.
void PaintFirstOrderLowPass(QPainter& p) {
    const qreal y = 120;
    const QRectF block(165, y - 45, 150, 90);
    SignalLabel(p, QPointF(80, y - 16), InputSignal);
    ArrowWire(p, {QPointF(30, y), QPointF(block.left(), y)});
    Box(p, block);
    DrawTextCentred(p, LabelFont(17), QPointF(block.center().x(), y - 22),
                    QString::fromUtf8("ФНЧ"));
    DrawTransferFunction(p, QPointF(block.center().x(), y + 12), {{QStringLiteral("k")}},
                         {{QString::fromUtf8("1 + jωτ")}});
    ArrowWire(p, {QPointF(block.right(), y), QPointF(455, y)});
    SignalLabel(p, QPointF(400, y - 16), OutputSignal);
    Note(p, QPointF(241, 235), {{QString::fromUtf8("τ - постоянная времени")}});
}

// The plot area of the magnitude response (item 4).
constexpr qreal PlotLeft = 62, PlotRight = 440, PlotBottom = 242, PlotTop = 62;

void DesignResponseFilter(CChebishevFilter& f) {
    // The bench's own design, with unit overall gain so that the pass band
    // ripples just below 1.
    DesignBenchChebishev(f);
    f.SetGain(1.0);
}

void DottedLine(QPainter& p, QPointF a, QPointF b) {
    QPen pen(QColor(90, 90, 90), 1.0, Qt::DashLine);
    pen.setDashPattern({3.0, 3.0});
    p.setPen(pen);
    p.drawLine(a, b);
    SetLinePen(p);
}

void PaintMagnitudeResponse(QPainter& p) {
    DrawTextCentred(p, LabelFont(16), QPointF(FilterPictureWidth / 2.0, 22),
                    QString::fromUtf8("Фильтр Чебышева 10-го порядка"));
    // Axes with arrows.
    ArrowWire(p, {QPointF(PlotLeft, PlotBottom), QPointF(PlotRight + 28, PlotBottom)});
    ArrowWire(p, {QPointF(PlotLeft, PlotBottom), QPointF(PlotLeft, PlotTop - 22)});
    const QFont axisFont = MathFont(17, true);
    DrawTextCentred(p, axisFont, QPointF(PlotRight + 24, PlotBottom + 14), QStringLiteral("f"));
    DrawTextCentred(p, axisFont, QPointF(PlotLeft - 30, PlotTop - 22), QStringLiteral("|H(f)|"));
    DrawTextCentred(p, MathFont(15), QPointF(PlotLeft - 9, PlotBottom + 12), QStringLiteral("0"));

    // The ripple band: the pass band swings between 1 and 1 - 5 %.
    const QFont tickFont = MathFont(14);
    const QPointF top1 = ResponsePoint(0.0, 1.0);
    const QPointF low1 = ResponsePoint(0.0, 0.95);
    const qreal fcX = ResponsePoint(ResponseBandEdge, 0.0).x();
    DottedLine(p, top1, QPointF(fcX + 20, top1.y()));
    DottedLine(p, low1, QPointF(fcX + 20, low1.y()));
    SetLinePen(p);
    p.drawLine(QPointF(PlotLeft - 4, top1.y()), QPointF(PlotLeft, top1.y()));
    DrawTextCentred(p, tickFont, QPointF(PlotLeft - 12, top1.y()), QStringLiteral("1"));
    const qreal bx = fcX + 34;
    Arrow(p, QPointF(bx, top1.y() - 16), QPointF(bx, top1.y()));
    Arrow(p, QPointF(bx, low1.y() + 16), QPointF(bx, low1.y()));
    p.drawLine(QPointF(fcX + 20, top1.y()), QPointF(bx + 4, top1.y()));
    p.drawLine(QPointF(fcX + 20, low1.y()), QPointF(bx + 4, low1.y()));
    DrawTextCentred(p, MathFont(15), QPointF(bx + 22, (top1.y() + low1.y()) / 2.0),
                    QStringLiteral("5%"));

    // The edge: a dotted line from the curve at fc down to its tick.
    CChebishevFilter filter;
    DesignResponseFilter(filter);
    const QPointF edge = ResponsePoint(ResponseBandEdge, filter.Magnitude(ResponseBandEdge));
    DottedLine(p, edge, QPointF(edge.x(), PlotBottom));
    p.drawLine(QPointF(edge.x(), PlotBottom), QPointF(edge.x(), PlotBottom + 4));
    DrawRunsCentred(p, axisFont, QPointF(edge.x(), PlotBottom + 16),
                    {{QStringLiteral("f")}, {QStringLiteral("c"), TRunKind::Sub}});

    // The curve, computed from the design, one point per half pixel.
    const int steps = static_cast<int>((PlotRight - PlotLeft) * 2.0);
    QPolygonF curve;
    curve.reserve(steps + 1);
    for (int i = 0; i <= steps; ++i) {
        const double f = ResponseMaxFrequency * i / steps;
        curve << ResponsePoint(f, std::min(filter.Magnitude(f), 1.08));
    }
    QPen pen(Ink, 1.8);
    pen.setJoinStyle(Qt::RoundJoin);
    p.setPen(pen);
    p.drawPolyline(curve);
    SetLinePen(p);

    Note(p, QPointF(FilterPictureWidth / 2.0, 282),
         {{QStringLiteral("f"), TRunKind::Normal, true},
          {QStringLiteral("c"), TRunKind::Sub, true},
          {QString::fromUtf8(" - частота среза")}});
}

// ---------------------------------------------------------------------------
// The splash card

void PaintSplashDecoration(QPainter& p) {
    // A rectangular pulse and the triangle its matched filter makes of it.
    const qreal base = 222;
    const QFont f = MathFont(15, true);
    // Left: the pulse.
    ArrowWire(p, {QPointF(70, base), QPointF(170, base)});
    ArrowWire(p, {QPointF(78, base + 4), QPointF(78, base - 52)});
    SetLinePen(p, 1.6);
    p.drawPolyline(QPolygonF({QPointF(78, base), QPointF(95, base), QPointF(95, base - 32),
                              QPointF(135, base - 32), QPointF(135, base), QPointF(160, base)}));
    SetLinePen(p);
    DrawRunsCentred(p, f, QPointF(112, base - 48), {{QStringLiteral("s(t)")}});
    // Middle: the matched filter between them.
    ArrowWire(p, {QPointF(178, base - 16), QPointF(222, base - 16)});
    DrawTextCentred(p, LabelFont(12), QPointF(200, base - 28), QString::fromUtf8("СФ"));
    // Right: the triangle at the output.
    ArrowWire(p, {QPointF(232, base), QPointF(340, base)});
    ArrowWire(p, {QPointF(240, base + 4), QPointF(240, base - 52)});
    SetLinePen(p, 1.6);
    p.drawPolyline(QPolygonF({QPointF(240, base), QPointF(255, base), QPointF(290, base - 36),
                              QPointF(325, base), QPointF(332, base)}));
    SetLinePen(p);
    DrawRunsCentred(p, f, QPointF(292, base - 48),
                    {{QStringLiteral("s")},
                     {QString::fromUtf8("вых"), TRunKind::Sub},
                     {QStringLiteral("(t)")}});
}

} // namespace

// ---------------------------------------------------------------------------

QRect SchemeSwitchRect(TSchemeSwitch which) {
    switch (which) {
    case TSchemeSwitch::Signal:
        return QRect(120, SignalRow - 20, 40, 24);
    case TSchemeSwitch::Noise:
        return QRect(120, LowerRow - 20, 40, 24);
    case TSchemeSwitch::Registrar:
        return QRect(400, LowerRow - 20, 40, 24);
    }
    return QRect();
}

int SchemeSwitchRow(TSchemeSwitch which) {
    return which == TSchemeSwitch::Signal ? SignalRow : LowerRow;
}

void PaintScheme(QPainter& p, TSchemeSwitches switches) {
    BeginPicture(p, SchemeWidth, SchemeHeight);
    const QRect s1 = SchemeSwitchRect(TSchemeSwitch::Signal);
    const QRect s2 = SchemeSwitchRect(TSchemeSwitch::Noise);
    const QRect s3 = SchemeSwitchRect(TSchemeSwitch::Registrar);
    const QPointF adder(235, MiddleRow);
    const qreal r = 17;

    // Signal branch.
    TextBox(p, QRectF(10, SignalRow - 25, 100, 50), {"Генератор", "сигнала"});
    Wire(p, {QPointF(110, SignalRow), QPointF(s1.left(), SignalRow)});
    Switch(p, s1, SignalRow, switches.Signal);
    ArrowWire(p, {QPointF(s1.right() + 1, SignalRow), QPointF(adder.x(), SignalRow),
                  QPointF(adder.x(), adder.y() - r)});

    // Noise branch through the amplifier.
    TextBox(p, QRectF(10, LowerRow - 25, 100, 50), {"Генератор", "шума"});
    Wire(p, {QPointF(110, LowerRow), QPointF(s2.left(), LowerRow)});
    Switch(p, s2, LowerRow, switches.Noise);
    Wire(p, {QPointF(s2.right() + 1, LowerRow), QPointF(170, LowerRow)});
    Amplifier(p, 170, 205, LowerRow, 18, {{QStringLiteral("K")}});
    ArrowWire(p, {QPointF(205, LowerRow), QPointF(adder.x(), LowerRow),
                  QPointF(adder.x(), adder.y() + r)});
    Adder(p, adder, r);

    // Adder to the filter and to the oscilloscope's first input.
    const QRectF filter(285, MiddleRow - 25, 85, 50);
    const QRectF scope(590, MiddleRow - 42, 140, 84);
    const qreal j1 = 266, j2 = 390;
    ArrowWire(p, {QPointF(adder.x() + r, MiddleRow), QPointF(filter.left(), MiddleRow)});
    ArrowWire(p,
              {QPointF(j1, MiddleRow), QPointF(j1, TopWireRow),
               QPointF(scope.center().x(), TopWireRow), QPointF(scope.center().x(), scope.top())});
    Junction(p, QPointF(j1, MiddleRow));
    TextBox(p, filter, {"Фильтр"}, LabelFont(14));

    // Filter to the oscilloscope's second input and to the registrar branch.
    ArrowWire(p, {QPointF(filter.right(), MiddleRow), QPointF(scope.left(), MiddleRow)});
    Box(p, scope);
    DrawTextCentred(p, LabelFont(), QPointF(scope.center().x(), scope.top() + 14),
                    QString::fromUtf8("Осциллограф"));
    DrawScreen(p, QRectF(scope.left() + 22, scope.top() + 28, scope.width() - 44, 44));
    Wire(p, {QPointF(j2, MiddleRow), QPointF(j2, LowerRow), QPointF(s3.left(), LowerRow)});
    Junction(p, QPointF(j2, MiddleRow));
    Switch(p, s3, LowerRow, switches.Registrar);
    const QRectF squarer(455, LowerRow - 25, 50, 50);
    const QRectF integrator(522, LowerRow - 30, 100, 60);
    const QRectF registrar(640, LowerRow - 25, 90, 50);
    ArrowWire(p, {QPointF(s3.right() + 1, LowerRow), QPointF(squarer.left(), LowerRow)});
    Box(p, squarer);
    DrawTextCentred(p, MathFont(18), squarer.center(), QString::fromUtf8("(.)²"));
    ArrowWire(p, {QPointF(squarer.right(), LowerRow), QPointF(integrator.left(), LowerRow)});
    DrawAveragingIntegrator(p, integrator);
    ArrowWire(p, {QPointF(integrator.right(), LowerRow), QPointF(registrar.left(), LowerRow)});
    TextBox(p, registrar, {"Регистратор"});
    p.restore();
}

void PaintFilterPicture(QPainter& p, int filterItem) {
    BeginPicture(p, FilterPictureWidth, FilterPictureHeight);
    switch (filterItem) {
    case 0:
        PaintPulseMatched(p, false);
        break;
    case 1:
        PaintPulseMatched(p, true);
        break;
    case 2:
        PaintMeander(p);
        break;
    case 3:
        PaintFirstOrderLowPass(p);
        break;
    case 4:
        PaintMagnitudeResponse(p);
        break;
    default:
        break;
    }
    p.restore();
}

void PaintSplash(QPainter& p) {
    BeginPicture(p, SplashWidth, SplashHeight);
    SetLinePen(p, 1.0);
    p.drawRect(QRectF(6, 6, SplashWidth - 13, SplashHeight - 13));
    SetLinePen(p, 2.0);
    p.drawRect(QRectF(11, 11, SplashWidth - 23, SplashHeight - 23));
    SetLinePen(p);
    DrawTextCentred(p, LabelFont(15), QPointF(SplashWidth / 2.0, 44),
                    QString::fromUtf8("Лабораторная работа №1"));
    p.drawLine(QPointF(120, 62), QPointF(SplashWidth - 120, 62));
    const QFont title = PictureFont("Times New Roman", 23, true);
    DrawLinesCentred(p, title, QPointF(SplashWidth / 2.0, 108),
                     {"Исследование согласованных", "и квазиоптимальных фильтров"});
    PaintSplashDecoration(p);
    DrawTextCentred(p, PictureFont("Times New Roman", 18), QPointF(SplashWidth / 2.0, 262),
                    QStringLiteral("2010"));
    p.restore();
}

QPointF ResponsePoint(double f, double m) {
    return QPointF(PlotLeft + (PlotRight - PlotLeft) * f / ResponseMaxFrequency,
                   PlotBottom - (PlotBottom - PlotTop) * m / ResponseMaxMagnitude);
}

namespace {

// The image control's rendering, with a ratio that makes no sense taken as 1.
QImage Render(int w, int h, qreal dpr, const TImage::PaintFunction& paint) {
    if (!(dpr > 0.0) || dpr > 16.0) {
        dpr = 1.0;
    }
    return TImage::RenderPicture(QSize(w, h), dpr, paint);
}

} // namespace

QImage RenderScheme(TSchemeSwitches switches, qreal dpr) {
    return Render(SchemeWidth, SchemeHeight, dpr,
                  [switches](QPainter& p) { PaintScheme(p, switches); });
}

QImage RenderFilterPicture(int filterItem, qreal dpr) {
    return Render(FilterPictureWidth, FilterPictureHeight, dpr,
                  [filterItem](QPainter& p) { PaintFilterPicture(p, filterItem); });
}

QImage RenderSplash(qreal dpr) {
    return Render(SplashWidth, SplashHeight, dpr, [](QPainter& p) { PaintSplash(p); });
}
