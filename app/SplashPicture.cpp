#include "app/SplashPicture.h"

#include "app/PictureKit.h"

#include <QFont>
#include <QPainter>
#include <QPolygonF>
#include <QString>

using namespace PictureKit;

namespace {

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

QImage RenderSplash(qreal dpr) {
    return RenderPage(QSize(SplashWidth, SplashHeight), dpr, [](QPainter& p) { PaintSplash(p); });
}
