#include "controls/TCoordinateReadout.h"

#include <QFont>
#include <QFontInfo>
#include <algorithm>
#include <cmath>

#include "chart/TDiagram.h"
#include "controls/TChartTools.h"

namespace {

constexpr int kInset = 4;

// Distance from p to the nearest point of r.
double Distance(const QPoint& p, const QRect& r) {
    const int dx = std::max({r.left() - p.x(), 0, p.x() - r.right()});
    const int dy = std::max({r.top() - p.y(), 0, p.y() - r.bottom()});
    return std::hypot(dx, dy);
}

} // namespace

TCoordinateReadout::TCoordinateReadout(QWidget* parent) : QLabel(parent) {
    setObjectName(QStringLiteral("Readout"));
    setAccessibleName(QStringLiteral("Координаты"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAlignment(Qt::AlignCenter);
    setStyleSheet(QStringLiteral("QLabel { background: rgba(255, 255, 255, 215); color: black; "
                                 "border: 1px solid rgb(128, 128, 128); padding: 0px 3px; }"));
    hide();
}

QRect TCoordinateReadout::Place(const QSize& size, const QRect& net, const QPoint& pointer,
                                const std::vector<QRect>& avoid) {
    const int left = net.left() + kInset;
    const int right = net.right() - kInset - size.width() + 1;
    const int top = net.top() + kInset;
    const int bottom = net.bottom() - kInset - size.height() + 1;
    const QRect corners[] = {QRect(QPoint(left, bottom), size), QRect(QPoint(right, bottom), size),
                             QRect(QPoint(left, top), size), QRect(QPoint(right, top), size)};
    const QRect* best = nullptr;
    bool bestClear = false;
    double bestDistance = -1;
    for (const QRect& c : corners) {
        const bool clear = std::none_of(avoid.begin(), avoid.end(),
                                        [&](const QRect& a) { return a.intersects(c); });
        const double d = Distance(pointer, c);
        if (best == nullptr || (clear && !bestClear) || (clear == bestClear && d > bestDistance)) {
            best = &c;
            bestClear = clear;
            bestDistance = d;
        }
    }
    return *best;
}

void TCoordinateReadout::Follow(const TDiagram& chart, int x, int y,
                                const std::vector<QRect>& avoid, const QString& reading) {
    if (!chart.GetShowFeeler() || !chart.GetFeelerDrawn()) {
        hide();
        return;
    }
    // The chart's label font, smaller: the readout is a note, not a title.
    QFont font = chart.GetFontNet();
    font.setPixelSize(std::max(9, static_cast<int>(std::lround(QFontInfo(font).pixelSize() * 0.75))));
    font.setBold(false);
    font.setItalic(false);
    if (this->font() != font) {
        setFont(font);
    }
    const QString text = reading.isEmpty() ? PointText(chart, x, y) : reading;
    if (this->text() != text) {
        setText(text);
    }
    const QRect net(QPoint(chart.Get_xb_net(), chart.Get_yb_net()),
                    QPoint(chart.Get_xe_net() - 1, chart.Get_ye_net() - 1));
    setGeometry(Place(sizeHint(), net, QPoint(x, y), avoid).translated(chart.pos()));
    show();
    raise();
}
