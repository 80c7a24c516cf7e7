#include "app/SchemePicture.h"

#include "app/PictureKit.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QString>

using namespace PictureKit;

namespace {

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

} // namespace

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

QImage RenderScheme(TSchemeSwitches switches, qreal dpr) {
    return RenderPage(QSize(SchemeWidth, SchemeHeight), dpr,
                      [switches](QPainter& p) { PaintScheme(p, switches); });
}
