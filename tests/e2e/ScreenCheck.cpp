// Reads a screenshot of the bench's charts page and reports, for every chart
// net found in the given window rectangle, how much of a curve it shows.
//   lab-screen-check <shot.png> <x> <y> <width> <height>
// prints one line per net, top to bottom: "net <left> <top> <right> <bottom>
// <curve blocks> <curve rows>".
//
// A net is a band of rows that are mostly pure white (the frames around the
// charts are grey). Grid lines are dotted and one pixel wide, the axes one
// pixel wide, while the bench's curves are drawn two pixels wide; so a curve
// shows as 2 x 2 blocks of dark pixels, which nothing else inside a net makes.
// An empty chart still draws its flat base line, on one or two rows; a curve
// that rises and falls has blocks on many rows.

#include <QGuiApplication>
#include <QImage>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

bool White(QRgb c) {
    return qRed(c) == 255 && qGreen(c) == 255 && qBlue(c) == 255;
}
bool Dark(QRgb c) {
    return qGray(c) < 100;
}

struct Net {
    int left, top, right, bottom;
};

std::vector<Net> FindNets(const QImage& shot, const QRect& window) {
    const QRect r = window.intersected(shot.rect());
    std::vector<bool> netRow(r.height());
    for (int y = r.top(); y <= r.bottom(); ++y) {
        int white = 0;
        for (int x = r.left(); x <= r.right(); ++x) {
            white += White(shot.pixel(x, y)) ? 1 : 0;
        }
        netRow[y - r.top()] = white > r.width() / 3;
    }
    // Bands of net rows; a curve or grid line across a net may break a band
    // for a few rows.
    std::vector<Net> nets;
    int y = 0;
    while (y < r.height()) {
        if (!netRow[y]) {
            ++y;
            continue;
        }
        int end = y, gap = 0;
        for (int k = y; k < r.height() && gap <= 6; ++k) {
            if (netRow[k]) {
                end = k;
                gap = 0;
            } else {
                ++gap;
            }
        }
        if (end - y >= 40) {
            Net n{r.right(), r.top() + y, r.left(), r.top() + end};
            for (int x = r.left(); x <= r.right(); ++x) {
                int white = 0;
                for (int yy = n.top; yy <= n.bottom; ++yy) {
                    white += White(shot.pixel(x, yy)) ? 1 : 0;
                }
                if (white > (n.bottom - n.top) / 3) {
                    n.left = std::min(n.left, x);
                    n.right = std::max(n.right, x);
                }
            }
            nets.push_back(n);
        }
        y = end + 1;
    }
    return nets;
}

struct Curve {
    int blocks = 0; // 2 x 2 dark blocks
    int rows = 0;   // rows holding at least one
};

Curve FindCurve(const QImage& shot, const Net& n) {
    Curve c;
    for (int y = n.top + 3; y < n.bottom - 3; ++y) {
        int inRow = 0;
        for (int x = n.left + 3; x < n.right - 3; ++x) {
            if (Dark(shot.pixel(x, y)) && Dark(shot.pixel(x + 1, y)) &&
                Dark(shot.pixel(x, y + 1)) && Dark(shot.pixel(x + 1, y + 1))) {
                ++inRow;
            }
        }
        c.blocks += inRow;
        c.rows += inRow > 0 ? 1 : 0;
    }
    return c;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 6) {
        std::fprintf(stderr, "usage: %s <shot.png> <x> <y> <width> <height>\n", argv[0]);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QImage shot(QString::fromLocal8Bit(argv[1]));
    if (shot.isNull()) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 2;
    }
    const QRect window(std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]),
                       std::atoi(argv[5]));
    for (const Net& n : FindNets(shot, window)) {
        const Curve c = FindCurve(shot, n);
        std::printf("net %d %d %d %d %d %d\n", n.left, n.top, n.right, n.bottom, c.blocks, c.rows);
    }
    return 0;
}
