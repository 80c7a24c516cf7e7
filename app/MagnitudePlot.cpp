#include "app/MagnitudePlot.h"

#include "app/FilterDrawings.h"
#include "app/PictureKit.h"
#include "filters/CChebishevFilter.h"

#include <QFont>
#include <QPainter>
#include <QPolygonF>
#include <QString>

#include <algorithm>

using namespace PictureKit;

namespace {

// The plot area.
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

} // namespace

QPointF ResponsePoint(double f, double m) {
    return QPointF(PlotLeft + (PlotRight - PlotLeft) * f / ResponseMaxFrequency,
                   PlotBottom - (PlotBottom - PlotTop) * m / ResponseMaxMagnitude);
}

void PaintMagnitudePlot(QPainter& p) {
    DrawTextCentred(p, LabelFont(16), QPointF(FilterPictureWidth / 2.0, 22),
                    QString::fromUtf8("Фильтр Чебышева %1-го порядка").arg(ChebishevOrder));
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

    DrawNote(p, QPointF(FilterPictureWidth / 2.0, 282),
             {{QStringLiteral("f"), TRunKind::Normal, true},
              {QStringLiteral("c"), TRunKind::Sub, true},
              {QString::fromUtf8(" - частота среза")}});
}
