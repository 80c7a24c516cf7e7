#include "app/FilterDrawings.h"

#include "app/MagnitudePlot.h"
#include "app/PictureKit.h"
#include "bench/BenchSetup.h"

#include <QPainter>
#include <QString>

using namespace PictureKit;

namespace {

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
    DrawNote(p, QPointF(241, 262), {{QString::fromUtf8("τ - постоянная времени интегратора")}});
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
    DrawNote(p, QPointF(241, 235), {{QString::fromUtf8("τ - постоянная времени")}});
}

} // namespace

void PaintFilterPicture(QPainter& p, int filterItem) {
    BeginPicture(p, FilterPictureWidth, FilterPictureHeight);
    switch (filterItem) {
    case fiMaf:
        PaintPulseMatched(p, false);
        break;
    case fiMafNotIdeal:
        PaintPulseMatched(p, true);
        break;
    case fiMeandr:
        PaintMeander(p);
        break;
    case fiLowBand1:
        PaintFirstOrderLowPass(p);
        break;
    case fiChebishev:
        PaintMagnitudePlot(p);
        break;
    default:
        break;
    }
    p.restore();
}

QImage RenderFilterPicture(int filterItem, qreal dpr) {
    return RenderPage(QSize(FilterPictureWidth, FilterPictureHeight), dpr,
                      [filterItem](QPainter& p) { PaintFilterPicture(p, filterItem); });
}
