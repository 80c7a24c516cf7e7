#include "controls/LabIcons.h"

#include <QIconEngine>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>

namespace {

// One palette and one stroke weight for every icon, in units of the 16 x 16
// design grid.
const QColor kInk(0x26, 0x34, 0x50);
const QColor kAccent(0x2f, 0x6f, 0xd0);
const QColor kAccentLight(0xd6, 0xe4, 0xfa);
const QColor kRed(0xc6, 0x28, 0x28);
const QColor kGreen(0x2e, 0x8b, 0x3e);
const QColor kPaper(0xff, 0xff, 0xff);
const qreal kStroke = 1.25;

QPen Ink(const QColor& c = kInk, qreal w = kStroke) {
    QPen pen(c, w);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen;
}

void Arrowhead(QPainter& p, QPointF tip, QPointF dir, qreal size, const QColor& c) {
    // dir is a unit vector pointing where the arrow points.
    const QPointF n(-dir.y(), dir.x());
    QPolygonF head;
    head << tip << tip - dir * size + n * size * 0.6 << tip - dir * size - n * size * 0.6;
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawPolygon(head);
}

// A box with a trace inside: the generators and the filter.
void InstrumentBox(QPainter& p) {
    p.setPen(Ink());
    p.setBrush(kAccentLight);
    p.drawRoundedRect(QRectF(1.5, 2.5, 13, 11), 1.5, 1.5);
}

void PaintMeasure(QPainter& p) {
    p.setPen(Ink());
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(8, 8), 4.5, 4.5);
    p.drawLine(QPointF(8, 1), QPointF(8, 5.5));
    p.drawLine(QPointF(8, 10.5), QPointF(8, 15));
    p.drawLine(QPointF(1, 8), QPointF(5.5, 8));
    p.drawLine(QPointF(10.5, 8), QPointF(15, 8));
    p.setPen(Qt::NoPen);
    p.setBrush(kAccent);
    p.drawEllipse(QPointF(8, 8), 1.3, 1.3);
}

void PaintLimits(QPainter& p) {
    // Axis corner, with a double arrow along each axis.
    p.setPen(Ink());
    p.drawLine(QPointF(4.5, 1.5), QPointF(4.5, 11.5));
    p.drawLine(QPointF(4.5, 11.5), QPointF(14.5, 11.5));
    p.setPen(Ink(kAccent));
    p.drawLine(QPointF(2, 3.5), QPointF(2, 9.5));
    p.drawLine(QPointF(6.5, 14), QPointF(12.5, 14));
    Arrowhead(p, QPointF(2, 1.2), QPointF(0, -1), 2.2, kAccent);
    Arrowhead(p, QPointF(2, 11.8), QPointF(0, 1), 2.2, kAccent);
    Arrowhead(p, QPointF(4.2, 14), QPointF(-1, 0), 2.2, kAccent);
    Arrowhead(p, QPointF(14.8, 14), QPointF(1, 0), 2.2, kAccent);
    p.setPen(Ink(kInk, 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF{QPointF(6, 9), QPointF(8, 5), QPointF(10, 8), QPointF(13, 3.5)});
}

void PaintReturnLimits(QPainter& p) {
    // A frame, and an arrow turning back round it (counter-clockwise, open
    // at the top right where the head sits).
    p.setPen(Ink(kInk, 1.0));
    p.setBrush(kPaper);
    p.drawRect(QRectF(5.5, 5.5, 5, 5));
    p.setPen(Ink(kAccent, 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(1.75, 1.75, 12.5, 12.5), 75 * 16, 285 * 16);
    // The arc ends at 0 degrees (the right edge); its head points up there.
    Arrowhead(p, QPointF(14.0, 3.6), QPointF(0.0, -1.0), 3.6, kAccent);
}

void PaintEnlarge(QPainter& p) {
    p.setPen(Ink(kInk, 2.0));
    p.drawLine(QPointF(10.2, 10.2), QPointF(14.5, 14.5));
    p.setPen(Ink());
    p.setBrush(kPaper);
    p.drawEllipse(QPointF(6.5, 6.5), 5, 5);
    p.setPen(Ink(kAccent));
    p.drawLine(QPointF(4, 6.5), QPointF(9, 6.5));
    p.drawLine(QPointF(6.5, 4), QPointF(6.5, 9));
}

void PaintSave(QPainter& p) {
    QPainterPath body;
    body.moveTo(2, 2);
    body.lineTo(12, 2);
    body.lineTo(14, 4);
    body.lineTo(14, 14);
    body.lineTo(2, 14);
    body.closeSubpath();
    p.setPen(Ink());
    p.setBrush(kAccent);
    p.drawPath(body);
    p.setPen(Qt::NoPen);
    p.setBrush(kPaper);
    p.drawRect(QRectF(4.5, 8.5, 7, 4.5));
    p.setBrush(kAccentLight);
    p.drawRect(QRectF(5, 2.6, 5.5, 3.4));
    p.setBrush(kInk);
    p.drawRect(QRectF(8.3, 3.1, 1.4, 2.4));
}

void Sheet(QPainter& p, const QRectF& r) {
    p.setPen(Ink());
    p.setBrush(kPaper);
    p.drawRect(r);
    p.setPen(Ink(kAccent, 1.0));
    for (qreal y = r.top() + 2.5; y < r.bottom() - 1; y += 2.2) {
        p.drawLine(QPointF(r.left() + 2, y), QPointF(r.right() - 2, y));
    }
}

void PaintCopy(QPainter& p) {
    Sheet(p, QRectF(1.5, 1.5, 8, 10));
    Sheet(p, QRectF(6.5, 4.5, 8, 10));
}

void PaintClose(QPainter& p) {
    p.setPen(Ink(kRed, 2.2));
    p.drawLine(QPointF(3.5, 3.5), QPointF(12.5, 12.5));
    p.drawLine(QPointF(12.5, 3.5), QPointF(3.5, 12.5));
}

void PaintNetOnly(QPainter& p) {
    p.setPen(Ink());
    p.setBrush(kPaper);
    p.drawRect(QRectF(1.5, 1.5, 13, 13));
    QPen dots = Ink(kInk, 1.0);
    dots.setStyle(Qt::DotLine);
    dots.setCapStyle(Qt::FlatCap);
    p.setPen(dots);
    for (qreal v : {5.8, 10.2}) {
        p.drawLine(QPointF(v, 2.5), QPointF(v, 13.5));
        p.drawLine(QPointF(2.5, v), QPointF(13.5, v));
    }
}

void PaintExit(QPainter& p) {
    p.setPen(Ink());
    p.setBrush(kAccentLight);
    p.drawRect(QRectF(2.5, 1.5, 7, 13));
    p.setPen(Ink(kRed));
    p.drawLine(QPointF(7, 8), QPointF(13, 8));
    Arrowhead(p, QPointF(15.2, 8), QPointF(1, 0), 3.0, kRed);
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawEllipse(QPointF(4.6, 8.5), 0.8, 0.8);
}

void PaintSignalGenerator(QPainter& p) {
    InstrumentBox(p);
    p.setPen(Ink(kInk));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF{QPointF(3, 11), QPointF(6, 11), QPointF(6, 5), QPointF(10, 5),
                             QPointF(10, 11), QPointF(13, 11)});
}

void PaintNoiseGenerator(QPainter& p) {
    InstrumentBox(p);
    p.setPen(Ink(kInk, 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF{QPointF(3, 8), QPointF(4, 5.5), QPointF(5, 10), QPointF(6, 6.5),
                             QPointF(7, 11), QPointF(8, 4.5), QPointF(9, 9.5), QPointF(10, 6),
                             QPointF(11, 10.5), QPointF(12, 7), QPointF(13, 8.5)});
}

void PaintFilter(QPainter& p) {
    InstrumentBox(p);
    p.setPen(Ink(kInk));
    p.setBrush(Qt::NoBrush);
    QPainterPath response;
    response.moveTo(3, 5.5);
    response.lineTo(7, 5.5);
    response.cubicTo(9.5, 5.5, 9.5, 11, 13, 11);
    p.drawPath(response);
}

void PaintDescription(QPainter& p) {
    QPainterPath page;
    page.moveTo(3, 1.5);
    page.lineTo(10, 1.5);
    page.lineTo(13, 4.5);
    page.lineTo(13, 14.5);
    page.lineTo(3, 14.5);
    page.closeSubpath();
    p.setPen(Ink());
    p.setBrush(kPaper);
    p.drawPath(page);
    p.setPen(Ink(kAccent, 1.0));
    for (qreal y : {6.0, 8.5, 11.0}) {
        p.drawLine(QPointF(5, y), QPointF(11, y));
    }
    p.setPen(Ink(kInk, 1.0));
    p.drawPolyline(QPolygonF{QPointF(10, 1.5), QPointF(10, 4.5), QPointF(13, 4.5)});
}

void PaintStart(QPainter& p) {
    QPolygonF play;
    play << QPointF(4, 2) << QPointF(14, 8) << QPointF(4, 14);
    p.setPen(Ink(kInk));
    p.setBrush(kGreen);
    p.drawPolygon(play);
}

void PaintRegistrar(QPainter& p) {
    p.setPen(Ink());
    p.setBrush(kPaper);
    p.drawRoundedRect(QRectF(1.5, 3.5, 13, 10), 1.5, 1.5);
    p.setPen(Ink(kInk, 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(3.5, 6, 9, 9), 30 * 16, 120 * 16);
    p.setPen(Ink(kRed));
    p.drawLine(QPointF(8, 11.5), QPointF(11, 6.8));
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawEllipse(QPointF(8, 11.5), 1.1, 1.1);
}

void PaintApplication(QPainter& p) {
    p.setPen(Ink());
    p.setBrush(QColor(0x1d, 0x2b, 0x24));
    p.drawRoundedRect(QRectF(1, 2, 14, 12), 2, 2);
    QPen grid(QColor(0x3f, 0x6b, 0x50), 0.5);
    p.setPen(grid);
    for (qreal v : {5.5, 8.0, 10.5}) {
        p.drawLine(QPointF(2.5, v), QPointF(13.5, v));
    }
    for (qreal v : {5.0, 8.0, 11.0}) {
        p.drawLine(QPointF(v, 3.5), QPointF(v, 12.5));
    }
    p.setPen(Ink(QColor(0x7d, 0xf0, 0x8e), 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF{QPointF(2.5, 10.5), QPointF(6, 10.5), QPointF(6, 5), QPointF(10, 5),
                             QPointF(10, 10.5), QPointF(13.5, 10.5)});
}

class TLabIconEngine : public QIconEngine {
  public:
    explicit TLabIconEngine(TLabIcon kind) : Kind(kind) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        // Through an image, so that the disabled look is the same as in pixmaps.
        const qreal dpr = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        QPixmap pm = pixmap(rect.size() * dpr, mode, state);
        pm.setDevicePixelRatio(dpr);
        painter->drawPixmap(rect, pm);
    }

    // size is in device pixels; QIcon sets the pixel ratio on the result.
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) override {
        if (size.isEmpty()) {
            return QPixmap();
        }
        QImage image(size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
            QPainter p(&image);
            PaintLabIcon(p, QRectF(QPointF(0, 0), QSizeF(size)), Kind);
        }
        if (mode == QIcon::Disabled) {
            // Grey and faint, keeping the shape.
            for (int y = 0; y < image.height(); ++y) {
                auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
                for (int x = 0; x < image.width(); ++x) {
                    const QRgb c = line[x];
                    const int a = qAlpha(c) * 2 / 5;
                    const int g = qGray(c) * 2 / 5;
                    line[x] = qRgba(g, g, g, a);
                }
            }
        }
        return QPixmap::fromImage(image);
    }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override { return size; }

    QIconEngine* clone() const override { return new TLabIconEngine(Kind); }
    QString key() const override { return QStringLiteral("TLabIconEngine"); }

  private:
    TLabIcon Kind;
};

} // namespace

QIcon LabIcon(TLabIcon kind) {
    return QIcon(new TLabIconEngine(kind));
}

void PaintLabIcon(QPainter& p, const QRectF& r, TLabIcon kind) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.translate(r.topLeft());
    p.scale(r.width() / 16.0, r.height() / 16.0);
    switch (kind) {
    case TLabIcon::Measure:
        PaintMeasure(p);
        break;
    case TLabIcon::Limits:
        PaintLimits(p);
        break;
    case TLabIcon::ReturnLimits:
        PaintReturnLimits(p);
        break;
    case TLabIcon::Enlarge:
        PaintEnlarge(p);
        break;
    case TLabIcon::Save:
        PaintSave(p);
        break;
    case TLabIcon::Copy:
        PaintCopy(p);
        break;
    case TLabIcon::Close:
        PaintClose(p);
        break;
    case TLabIcon::NetOnly:
        PaintNetOnly(p);
        break;
    case TLabIcon::Exit:
        PaintExit(p);
        break;
    case TLabIcon::SignalSource:
        PaintSignalGenerator(p);
        break;
    case TLabIcon::NoiseSource:
        PaintNoiseGenerator(p);
        break;
    case TLabIcon::Filter:
        PaintFilter(p);
        break;
    case TLabIcon::Description:
        PaintDescription(p);
        break;
    case TLabIcon::Start:
        PaintStart(p);
        break;
    case TLabIcon::Registrar:
        PaintRegistrar(p);
        break;
    case TLabIcon::Application:
        PaintApplication(p);
        break;
    }
    p.restore();
}
