#include "chart/CurveFootprint.h"

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "chart/TKeeperList.h"

namespace {

bool IsAnalog(const TKeeper& k) {
    return k.GetGraphKind() == gkAnalog || k.GetGraphKind() == gkAnalogPeriodic;
}

// The pen's reach across and along a curve: what StrokeColumns lays beside
// each column's pieces at ratio 1, every way at once.
void TakeColumns(TCurveFootprint& f, const TAnalogColumns& c, int penWidth) {
    int lo = 0;
    int hi = 0;
    StrokeOffsets(std::max(1, std::min(64, penWidth)), 1.0, lo, hi);
    for (std::size_t i = 0; i < c.spans.size(); ++i) {
        const TRowSpan& s = c.spans[i];
        if (s.Empty()) {
            continue;
        }
        const int x = c.first + static_cast<int>(i);
        for (int o = lo; o <= hi; ++o) {
            f.Take(x + o, s.top + lo, s.bottom + hi);
        }
    }
}

// The series of the other kinds as they are drawn, black on a white mask of
// the net, and every pixel they leave dark taken.
void TakeByMask(TCurveFootprint& f, const std::vector<TKeeper*>& series, const TScale& scale,
                const TNetRect& net) {
    QImage mask(net.w, net.h, QImage::Format_RGB32);
    if (mask.isNull()) {
        return;
    }
    mask.fill(Qt::white);
    QPainter p(&mask);
    p.translate(-net.xb, -net.yb);
    p.setClipRect(net.xb, net.yb, net.w, net.h);
    TSeriesPainter painter(p, scale, net, true, Qt::white);
    for (TKeeper* k : series) {
        painter.Draw(*k);
    }
    p.end();
    const QRgb white = QColor(Qt::white).rgb();
    for (int y = 0; y < net.h; ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(mask.constScanLine(y));
        for (int x = 0; x < net.w; ++x) {
            if ((line[x] | 0xff000000u) != white) {
                f.Take(net.xb + x, net.yb + y, net.yb + y);
            }
        }
    }
}

} // namespace

TCurveFootprint::TCurveFootprint(const TNetRect& net) : Net(net) {
    if (Net.w > 0 && Net.h > 0) {
        Cells.assign(static_cast<std::size_t>(Net.w) * static_cast<std::size_t>(Net.h), 0);
    } else {
        Net.w = Net.h = 0;
    }
}

unsigned char* TCurveFootprint::Column(int x) {
    return Cells.data() + static_cast<std::size_t>(x) * static_cast<std::size_t>(Net.h);
}

const unsigned char* TCurveFootprint::Column(int x) const {
    return Cells.data() + static_cast<std::size_t>(x) * static_cast<std::size_t>(Net.h);
}

void TCurveFootprint::Take(int x, int top, int bottom) {
    x -= Net.xb;
    if (x < 0 || x >= Net.w) {
        return;
    }
    const int from = std::max(0, std::min(top, bottom) - Net.yb);
    const int to = std::min(Net.h - 1, std::max(top, bottom) - Net.yb);
    if (from <= to) {
        std::memset(Column(x) + from, 1, static_cast<std::size_t>(to - from + 1));
    }
}

void TCurveFootprint::Take(const QRect& r) {
    for (int x = r.left(); x <= r.right(); ++x) {
        Take(x, r.top(), r.bottom());
    }
}

bool TCurveFootprint::Taken(int x, int y) const {
    x -= Net.xb;
    y -= Net.yb;
    return x >= 0 && x < Net.w && y >= 0 && y < Net.h && Column(x)[y] != 0;
}

QRect TCurveFootprint::FindFree(const QSize& size, int margin, int clearance) const {
    if (size.isEmpty()) {
        return QRect();
    }
    clearance = std::max(0, std::min(clearance, margin));
    // The box widened by the clearance has to be free; it keeps margin -
    // clearance from the net's edges. Positions below are of its top left
    // corner, from the net's.
    const int inset = margin - clearance;
    const int W = size.width() + 2 * clearance;
    const int H = size.height() + 2 * clearance;
    const int x0 = inset, x1 = Net.w - inset;
    const int y0 = inset, y1 = Net.h - inset;
    if (x1 - x0 < W || y1 - y0 < H) {
        return QRect();
    }
    const QPoint corners[4] = {{x0, y0}, {x0, y1 - H}, {x1 - W, y1 - H}, {x1 - W, y0}};
    long long best = LLONG_MAX;
    QPoint at;
    auto consider = [&](int x, int top) {
        for (int c = 0; c < 4; ++c) {
            const long long d = std::abs(x - corners[c].x()) +
                                static_cast<long long>(std::abs(top - corners[c].y()));
            const long long score = 4 * d + c;
            if (score < best) {
                best = score;
                at = QPoint(x, top);
            }
        }
    };
    // Column by column, the tops at which a box of height H is free there;
    // for each top the streak of columns it has been free in. A streak of at
    // least W columns holds free boxes, of which only the two ends can be
    // nearest to a corner.
    const std::size_t rows = static_cast<std::size_t>(Net.h);
    std::vector<int> first(rows, 0);
    std::vector<int> last(rows, INT_MIN / 2);
    auto end = [&](int top) {
        const std::size_t t = static_cast<std::size_t>(top);
        if (last[t] - first[t] + 1 >= W) {
            consider(first[t], top);
            consider(last[t] - W + 1, top);
        }
    };
    for (int x = x0; x < x1; ++x) {
        const unsigned char* column = Column(x);
        int y = y0;
        while (y < y1) {
            const void* open = std::memchr(column + y, 0, static_cast<std::size_t>(y1 - y));
            if (open == nullptr) {
                break;
            }
            const int a = static_cast<int>(static_cast<const unsigned char*>(open) - column);
            const void* shut = std::memchr(column + a, 1, static_cast<std::size_t>(y1 - a));
            const int b =
                shut ? static_cast<int>(static_cast<const unsigned char*>(shut) - column) : y1;
            for (int top = a; top + H <= b; ++top) {
                const std::size_t t = static_cast<std::size_t>(top);
                if (last[t] != x - 1) {
                    end(top);
                    first[t] = x;
                }
                last[t] = x;
            }
            y = b;
        }
    }
    for (int top = y0; top < y1; ++top) {
        end(top);
    }
    if (best == LLONG_MAX) {
        return QRect();
    }
    return QRect(QPoint(Net.xb + at.x() + clearance, Net.yb + at.y() + clearance), size);
}

void TakeCurves(TCurveFootprint& footprint, TKeeperList& list, const TScale& scale,
                const TNetRect& net, TCurveColumns* known) {
    std::vector<TKeeper*> others;
    list.ForEach([&](TKeeper& k) {
        if (!k.IsVisible()) {
            return;
        }
        if (!IsAnalog(k)) {
            others.push_back(&k);
            return;
        }
        TAnalogColumns columns = AnalogColumns(k, scale, net, 1.0);
        TakeColumns(footprint, columns, k.GetPenWidth());
        if (known != nullptr) {
            known->push_back({&k, std::move(columns)});
        }
    });
    if (!others.empty()) {
        TakeByMask(footprint, others, scale, net);
    }
}
