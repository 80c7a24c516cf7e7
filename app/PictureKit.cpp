#include "app/PictureKit.h"

#include "controls/TImage.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <algorithm>
#include <cmath>

namespace PictureKit {

QFont PictureFont(const char* family, qreal pixels, bool bold, bool italic) {
    QFont f(QString::fromLatin1(family));
    f.setPixelSize(static_cast<int>(std::lround(pixels)));
    f.setBold(bold);
    f.setItalic(italic);
    // Grey antialiasing only: colour fringes would break "black on white" and
    // look wrong once the picture is copied or saved.
    f.setStyleStrategy(QFont::StyleStrategy(QFont::PreferAntialias | QFont::NoSubpixelAntialias));
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

QFont LabelFont(qreal pixels) {
    return PictureFont("Arial", pixels);
}

QFont MathFont(qreal pixels, bool italic) {
    return PictureFont("Times New Roman", pixels, false, italic);
}

QFont RunFont(const QFont& base, const TRun& run) {
    QFont f = base;
    if (run.Italic) {
        f.setItalic(true);
    }
    if (run.Kind != TRunKind::Normal) {
        f.setPixelSize(std::max(7, static_cast<int>(std::lround(base.pixelSize() * 0.68))));
    }
    return f;
}

qreal RunShift(const QFont& base, TRunKind kind) {
    switch (kind) {
    case TRunKind::Sub:
        return base.pixelSize() * 0.28;
    case TRunKind::Sup:
        return -base.pixelSize() * 0.38;
    case TRunKind::Normal:
        break;
    }
    return 0.0;
}

qreal RunsWidth(const QFont& base, const TRuns& runs) {
    qreal w = 0.0;
    for (const TRun& r : runs) {
        w += QFontMetricsF(RunFont(base, r)).horizontalAdvance(r.Text);
    }
    return w;
}

qreal DrawRuns(QPainter& p, const QFont& base, QPointF baseline, const TRuns& runs) {
    qreal x = baseline.x();
    for (const TRun& r : runs) {
        const QFont f = RunFont(base, r);
        p.setFont(f);
        p.drawText(QPointF(x, baseline.y() + RunShift(base, r.Kind)), r.Text);
        x += QFontMetricsF(f).horizontalAdvance(r.Text);
    }
    return x - baseline.x();
}

qreal CentredBaseline(const QFont& base, qreal y) {
    const QFontMetricsF m(base);
    return y + (m.ascent() - m.descent()) / 2.0 - 0.5;
}

void DrawRunsCentred(QPainter& p, const QFont& base, QPointF centre, const TRuns& runs) {
    const qreal w = RunsWidth(base, runs);
    DrawRuns(p, base, QPointF(centre.x() - w / 2.0, CentredBaseline(base, centre.y())), runs);
}

void DrawTextCentred(QPainter& p, const QFont& f, QPointF centre, const QString& text) {
    DrawRunsCentred(p, f, centre, {{text}});
}

void DrawLinesCentred(QPainter& p, const QFont& f, QPointF centre,
                      std::initializer_list<const char*> lines) {
    const qreal h = QFontMetricsF(f).height();
    qreal y = centre.y() - h * (static_cast<qreal>(lines.size()) - 1.0) / 2.0;
    for (const char* line : lines) {
        DrawTextCentred(p, f, QPointF(centre.x(), y), QString::fromUtf8(line));
        y += h;
    }
}

qreal Fraction(QPainter* p, const QFont& f, qreal x, qreal y, const TRuns& num, const TRuns& den) {
    const qreal wn = RunsWidth(f, num);
    const qreal wd = RunsWidth(f, den);
    const qreal w = std::max(wn, wd) + 6.0;
    if (p != nullptr) {
        const QFontMetricsF m(f);
        DrawRuns(*p, f, QPointF(x + (w - wn) / 2.0, y - 3.0 - m.descent()), num);
        DrawRuns(*p, f, QPointF(x + (w - wd) / 2.0, y + 2.0 + m.ascent() * 0.78), den);
        p->drawLine(QPointF(x + 1.0, y), QPointF(x + w - 1.0, y));
    }
    return w;
}

void DrawTransferFunction(QPainter& p, QPointF centre, const TRuns& num, const TRuns& den) {
    const QFont f = MathFont(17);
    const TRuns lead{{QString::fromUtf8("H(ω) = ")}};
    const qreal w = RunsWidth(f, lead) + Fraction(nullptr, f, 0, 0, num, den);
    const qreal x = centre.x() - w / 2.0;
    const qreal lw = DrawRuns(p, f, QPointF(x, CentredBaseline(f, centre.y())), lead);
    Fraction(&p, f, x + lw, centre.y(), num, den);
}

void SetLinePen(QPainter& p, qreal width) {
    QPen pen(Ink, width);
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
}

void Arrow(QPainter& p, QPointF from, QPointF to) {
    const QPointF d = to - from;
    const qreal len = std::hypot(d.x(), d.y());
    if (len <= 0.0) {
        return;
    }
    const QPointF u = d / len;
    const QPointF n(-u.y(), u.x());
    const qreal head = 9.0, half = 3.5;
    const QPointF base = to - u * head;
    SetLinePen(p);
    p.drawLine(from, base + u * 0.5);
    p.setPen(Qt::NoPen);
    p.setBrush(Ink);
    p.drawPolygon(QPolygonF({to, base + n * half, base - n * half}));
    SetLinePen(p);
}

void Wire(QPainter& p, std::initializer_list<QPointF> points) {
    SetLinePen(p);
    p.drawPolyline(QPolygonF(QList<QPointF>(points.begin(), points.end())));
}

void ArrowWire(QPainter& p, std::initializer_list<QPointF> points) {
    const QList<QPointF> pts(points.begin(), points.end());
    if (pts.size() < 2) {
        return;
    }
    SetLinePen(p);
    p.drawPolyline(QPolygonF(pts.mid(0, pts.size() - 1)));
    Arrow(p, pts[pts.size() - 2], pts.last());
}

void Junction(QPainter& p, QPointF c) {
    p.setPen(Qt::NoPen);
    p.setBrush(Ink);
    p.drawEllipse(c, 3.0, 3.0);
    SetLinePen(p);
}

void Box(QPainter& p, const QRectF& r) {
    SetLinePen(p);
    p.setBrush(Qt::white);
    p.drawRect(r);
    p.setBrush(Qt::NoBrush);
}

void TextBox(QPainter& p, const QRectF& r, std::initializer_list<const char*> lines,
             const QFont& f) {
    Box(p, r);
    DrawLinesCentred(p, f, r.center(), lines);
}

void Adder(QPainter& p, QPointF c, qreal radius) {
    SetLinePen(p);
    p.setBrush(Qt::white);
    p.drawEllipse(c, radius, radius);
    p.setBrush(Qt::NoBrush);
    DrawTextCentred(p, MathFont(radius * 1.15), c + QPointF(0.0, 0.5), QString::fromUtf8("Σ"));
}

void Amplifier(QPainter& p, qreal x0, qreal x1, qreal y, qreal half, const TRuns& label) {
    SetLinePen(p);
    p.setBrush(Qt::white);
    p.drawPolygon(QPolygonF({QPointF(x0, y - half), QPointF(x1, y), QPointF(x0, y + half)}));
    p.setBrush(Qt::NoBrush);
    const QFont f = MathFont(16, true);
    DrawRunsCentred(p, f, QPointF(x0 + (x1 - x0) * 0.36, y), label);
}

void Switch(QPainter& p, const QRect& r, int row, bool closed) {
    const qreal y = row;
    const qreal xa = r.left() + 4.0, xb = r.right() + 1.0 - 4.0;
    SetLinePen(p);
    p.drawLine(QPointF(r.left(), y), QPointF(xa, y));
    p.drawLine(QPointF(xb, y), QPointF(r.right() + 1.0, y));
    QPen blade(Ink, 2.0);
    blade.setCapStyle(Qt::RoundCap);
    p.setPen(blade);
    const qreal len = xb - xa;
    const qreal angle = closed ? 0.0 : 30.0 * M_PI / 180.0;
    p.drawLine(QPointF(xa, y), QPointF(xa + len * std::cos(angle), y - len * std::sin(angle)));
    // Hollow terminals, so that a closed switch still reads as a switch.
    SetLinePen(p);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(xa, y), 3.0, 3.0);
    p.drawEllipse(QPointF(xb, y), 3.0, 3.0);
    p.setBrush(Qt::NoBrush);
}

void DrawNote(QPainter& p, QPointF centre, const TRuns& runs) {
    DrawRunsCentred(p, MathFont(16), centre, runs);
}

QImage RenderPage(QSize size, qreal dpr, const std::function<void(QPainter&)>& paint) {
    if (!(dpr > 0.0) || dpr > 16.0) {
        dpr = 1.0;
    }
    return TImage::RenderPicture(size, dpr, paint);
}

void BeginPicture(QPainter& p, int w, int h) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.fillRect(QRect(0, 0, w, h), Qt::white);
    p.setClipRect(QRect(0, 0, w, h));
    p.translate(0.5, 0.5);
}

void IntegralSign(QPainter& p, QPointF c, qreal h) {
    QPainterPath path;
    const qreal x = c.x(), y = c.y();
    path.moveTo(x - 0.20 * h, y + 0.36 * h);
    path.cubicTo(x - 0.14 * h, y + 0.50 * h, x - 0.03 * h, y + 0.46 * h, x - 0.02 * h,
                 y + 0.22 * h);
    path.lineTo(x + 0.02 * h, y - 0.22 * h);
    path.cubicTo(x + 0.03 * h, y - 0.46 * h, x + 0.14 * h, y - 0.50 * h, x + 0.20 * h,
                 y - 0.36 * h);
    QPen pen(Ink, std::max(1.3, h / 16.0));
    pen.setCapStyle(Qt::RoundCap);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    SetLinePen(p);
}

} // namespace PictureKit
