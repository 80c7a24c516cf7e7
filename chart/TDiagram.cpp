#include "chart/TDiagram.h"

#include <QApplication>
#include <QClipboard>
#include <QFontInfo>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QVector>
#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <new>
#include <vector>

#include "base/MessageHook.h"
#include "chart/BitmapFile.h"
#include "chart/SaveDialog.h"
#include "filters/Mathlib.h"

namespace {

const char* const kNoMemoryNewKeeper = "Diagram: Отказано в выделении памяти при создании графика.";
const char* const kNoMemoryPNewKeeper = "Diagram: Hе удалось создать график.";
const char* const kDeleteBase = "Diagram: Попытка удалить базовый график отменена.";
const char* const kNoDialog = "Не удаётся сохранить файл. Не достаточно памяти.";

// Grid step multipliers, finest first; the repeated entries are deliberate.
const double kMultipliers[] = {0.05, 0.1, 0.2, 0.2, 0.5, 1, 2, 2, 5};

// Pixel results are kept within this distance of the origin, so that offsets
// added to them cannot overflow and the painter never sees absurd numbers.
constexpr double kFar = 1 << 24;
// No axis has more grid lines or ticks than this; the step choice keeps real
// grids far below it.
constexpr int kMaxGridLines = 2000;
// Samples read per pass of the discrete and histogram drawing. More could not
// be told apart on any screen.
constexpr long long kMaxStems = 1 << 18;
// The list holds at most this many series, numbers being 8 bits wide.
constexpr int kMaxKeepers = 255;

TKeeper* DefaultAllocator() {
    return new (std::nothrow) TKeeper();
}
TDiagram::KeeperAllocator gAllocator = &DefaultAllocator;

int ToPixel(double v) {
    if (std::isnan(v)) {
        return static_cast<int>(kFar);
    }
    return static_cast<int>(std::max(-kFar, std::min(kFar, v)));
}

int PixelSize(const QFont& font) {
    return QFontInfo(font).pixelSize();
}

// Precision that a range of width w asks for.
int PrecisionFor(double w) {
    if (w < 0.00001) {
        return 7;
    }
    if (w < 0.0001) {
        return 6;
    }
    if (w < 0.001) {
        return 5;
    }
    if (w < 0.01) {
        return 4;
    }
    if (w < 0.1) {
        return 3;
    }
    if (w < 1) {
        return 2;
    }
    if (w < 10) {
        return 1;
    }
    return 0;
}

int CapPrecision(int p) {
    const long long a = std::llabs(static_cast<long long>(p));
    return static_cast<int>(std::min(7LL, a));
}

double StepFor(int precision, double w) {
    double s = 1.0 / std::pow(10.0, precision);
    if (100 < w && w < 1000) {
        s = 10;
    } else if (1000 < w && w < 10000) {
        s = 100;
    } else if (10000 < w && w < 100000) {
        s = 1000;
    } else if (100000 < w && w < 1000000) {
        s = 10000;
    }
    return s;
}

// trunc(log10(m)) for the label length; 0 where the logarithm is undefined.
int IntLog10(double m) {
    if (!(m > 0) || !std::isfinite(m)) {
        return 0;
    }
    return static_cast<int>(std::trunc(std::log10(m)));
}

// A text cell written like the old canvas did: top-left anchored, on an opaque
// background of the current brush colour.
// Only text is opaque: the gaps of dotted grid lines stay clear.
void TextOut(QPainter& p, const QFontMetrics& fm, int x, int top, const QString& text) {
    p.setBackgroundMode(Qt::OpaqueMode);
    p.drawText(x, top + fm.ascent(), text);
    p.setBackgroundMode(Qt::TransparentMode);
}

QFont Unhinted(QFont f) {
    // Grey antialiasing only: coloured fringes would break black-on-white export.
    f.setStyleStrategy(QFont::NoSubpixelAntialias);
    return f;
}

} // namespace

// ---------------------------------------------------------------- grid

double TDiagram::GridStep(double width, double fit) {
    const int k = IntLog10(width);
    const double scale = std::pow(10.0, k);
    for (double m : kMultipliers) {
        if (fit >= width / scale / m) {
            return scale * m;
        }
    }
    return scale * kMultipliers[std::size(kMultipliers) - 1];
}

TDiagram::TGridAxis TDiagram::MakeGridAxis(double lo, double hi, double step) {
    TGridAxis axis;
    axis.step = step;
    axis.eps = 0.001 * (hi - lo);
    if (!(step > 0) || !std::isfinite(step) || !std::isfinite(lo) || !std::isfinite(hi)) {
        return axis;
    }
    if (lo <= 0) {
        const double n = std::trunc(lo / step);
        axis.first = (n - 1) * step;
        if (lo - axis.eps > axis.first) {
            axis.first = n * step;
        }
    } else {
        axis.first = (std::trunc(lo / step) + 1) * step;
    }
    // Values are computed as first + i*step rather than by repeated addition,
    // so no rounding piles up along a long axis.
    while (axis.count < kMaxGridLines && axis.Value(axis.count) <= hi + axis.eps) {
        ++axis.count;
    }
    return axis;
}

std::string TDiagram::GridLabel(double v, int precision, double eps) {
    if (std::fabs(v) > eps) {
        return num2str(v, precision);
    }
    return precision != 0 ? "0.0" : "0";
}

int TDiagram::SearchPrecision(const TGridAxis& axis, int precision) {
    while (precision < 8) {
        bool repeated = false;
        std::string previous;
        for (int i = 0; i < axis.count && !repeated; ++i) {
            std::string label = GridLabel(axis.Value(i), precision, axis.eps);
            repeated = i > 0 && label == previous;
            previous = std::move(label);
        }
        if (!repeated) {
            break;
        }
        ++precision;
    }
    return precision;
}

// ---------------------------------------------------------------- construction

TDiagram::TDiagram(QWidget* owner) : QWidget(owner) {
    const QPalette palette = QApplication::palette();
    ColorBackDiagram = palette.color(QPalette::Button);
    ColorBackNet = Qt::white;
    ColorNetLine = Qt::black;
    NameY = QStringLiteral("y");
    NameX = QStringLiteral("x");
    NameDiagram = QStringLiteral("График");
    ColorFeeler = Qt::black;
    Base.ResetNext();
    Base.SetNumber(0);
    FontNameX = FontNameY = FontName = FontNet = QApplication::font();
    CanvasFont = FontNet;
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    ShowDiagram();
}

TDiagram::~TDiagram() {
    DeleteKeeperList();
}

// ---------------------------------------------------------------- geometry

int TDiagram::MathToPhisX(double x) const {
    return ToPixel(w_out * (x - Xmin) / (Xmax - Xmin) + x0_out);
}

int TDiagram::MathToPhisY(double y) const {
    return ToPixel(h_out * (y - Ymax) / (Ymin - Ymax) + y0_out);
}

double TDiagram::PhisToMathX(int px) const {
    return Xmin + (Xmax - Xmin) * (px - x0_out) / (w_out > 0 ? w_out : 1);
}

double TDiagram::PhisToMathY(int py) const {
    return Ymax + (Ymin - Ymax) * (py - y0_out) / (h_out > 0 ? h_out : 1);
}

void TDiagram::ApplyRange(double lo, double hi, bool isX) {
    if (std::isnan(lo) || std::isnan(hi)) {
        return;
    }
    Order(lo, hi);
    if (hi - lo < 1e-6) {
        return;
    }
    const double limLo = isX ? LimitXmin : LimitYmin;
    const double limHi = isX ? LimitXmax : LimitYmax;
    if (hi > limHi) {
        hi = limHi;
    }
    if (lo < limLo) {
        lo = limLo;
    }
    // A request lying beyond a limit can be clamped to nothing or turned
    // round; the drawing needs a proper range, so such a request is ignored.
    if (!(hi - lo >= 1e-6)) {
        return;
    }
    if (isX) {
        Xmin = lo;
        Xmax = hi;
        SetPrecisionX(PrecisionFor(Xmax - Xmin));
    } else {
        Ymin = lo;
        Ymax = hi;
        SetPrecisionY(PrecisionFor(Ymax - Ymin));
    }
}

void TDiagram::SetRangeX(double xmin, double xmax) {
    ApplyRange(xmin, xmax, true);
}
void TDiagram::SetRangeY(double ymin, double ymax) {
    ApplyRange(ymin, ymax, false);
}

void TDiagram::ApplyLimit(double lo, double hi, bool isX) {
    if (!Order(lo, hi)) {
        return;
    }
    lo = std::max(lo, -100000.0);
    hi = std::min(hi, 100000.0);
    // Limits closer than the narrowest range could hold no range at all.
    if (!(hi - lo >= 1e-6)) {
        return;
    }
    double& limLo = isX ? LimitXmin : LimitYmin;
    double& limHi = isX ? LimitXmax : LimitYmax;
    double& min = isX ? Xmin : Ymin;
    double& max = isX ? Xmax : Ymax;
    limLo = lo;
    limHi = hi;
    double a = min;
    double b = max;
    bool changed = false;
    if (a < limLo) {
        a = limLo;
        changed = true;
    }
    if (b > limHi) {
        b = limHi;
        changed = true;
    }
    if (!changed) {
        return;
    }
    // A range wholly outside the new limits has nothing left to keep; showing
    // everything the limits allow is the least surprising replacement.
    if (!(b - a >= 1e-6)) {
        a = limLo;
        b = limHi;
    }
    min = a;
    max = b;
    ApplyRange(a, b, isX);
}

void TDiagram::SetLimitX(double lo, double hi) {
    ApplyLimit(lo, hi, true);
}
void TDiagram::SetLimitY(double lo, double hi) {
    ApplyLimit(lo, hi, false);
}

void TDiagram::SetPrecisionX(int p) {
    PrecisionX = CapPrecision(p);
    ShowDiagram();
}

void TDiagram::SetPrecisionY(int p) {
    PrecisionY = CapPrecision(p);
    ShowDiagram();
}

double TDiagram::GetStepX() const {
    return StepFor(PrecisionX, Xmax - Xmin);
}
double TDiagram::GetStepY() const {
    return StepFor(PrecisionY, Ymax - Ymin);
}

void TDiagram::SeriesExtent(Bound lower, Bound upper, bool average, double& lo, double& hi) const {
    // The list walk is capped so that a borrowed list with a cycle cannot hang.
    lo = (Base.*lower)();
    hi = (Base.*upper)();
    int n = 1;
    for (const TKeeper* k = Base.GetNext(); k != nullptr && n <= kMaxKeepers;
         k = k->GetNext(), ++n) {
        if (average) {
            lo += (k->*lower)();
            hi += (k->*upper)();
        } else {
            lo = std::min(lo, (k->*lower)());
            hi = std::max(hi, (k->*upper)());
        }
    }
    if (average) {
        lo /= n;
        hi /= n;
    }
}

void TDiagram::AutoRangeX() {
    double lo, hi;
    SeriesExtent(&TKeeper::GetXmin, &TKeeper::GetXmax, false, lo, hi);
    SetRangeX(lo, hi);
}

void TDiagram::AutoRangeXAverage() {
    double lo, hi;
    SeriesExtent(&TKeeper::GetXmin, &TKeeper::GetXmax, true, lo, hi);
    SetRangeX(lo, hi);
}

void TDiagram::AutoRangeY() {
    double lo, hi;
    SeriesExtent(&TKeeper::GetYmin, &TKeeper::GetYmax, false, lo, hi);
    SetRangeY(lo, hi);
}

void TDiagram::AutoRangeYAverage() {
    double lo, hi;
    SeriesExtent(&TKeeper::GetYmin, &TKeeper::GetYmax, true, lo, hi);
    SetRangeY(lo, hi);
}

void TDiagram::FullSize() {
    if (width() <= 0 || height() <= 0) {
        Picture = QImage();
        return;
    }
    Picture = QImage(width(), height(), QImage::Format_RGB32);
    Picture.fill(Qt::white);
}

// ---------------------------------------------------------------- appearance

void TDiagram::SetColorBackDiagram(const QColor& c) {
    ColorBackDiagram = c;
    ShowDiagram();
}

void TDiagram::SetColorBackNet(const QColor& c) {
    ColorBackNet = c;
    ShowDiagram();
}

void TDiagram::SetColorNetLine(const QColor& c) {
    ColorNetLine = c;
    ShowDiagram();
}

void TDiagram::SetPenStyleNetLine(Qt::PenStyle style) {
    PenStyleNetLine = style;
    ShowDiagram();
}

void TDiagram::SetNameX(const QString& name) {
    NameX = name;
    ShowDiagram();
}

void TDiagram::SetNameY(const QString& name) {
    NameY = name;
    ShowDiagram();
}

void TDiagram::SetNameDiagram(const QString& name) {
    NameDiagram = name;
    ShowDiagram();
}

void TDiagram::SetFontNameX(const QFont& font, const QColor& color) {
    FontNameX = font;
    ColorNameX = color;
    ShowDiagram();
}

void TDiagram::SetFontNameY(const QFont& font, const QColor& color) {
    FontNameY = font;
    ColorNameY = color;
    ShowDiagram();
}

void TDiagram::SetFontName(const QFont& font, const QColor& color) {
    FontName = font;
    ColorName = color;
    ShowDiagram();
}

void TDiagram::SetFontNet(const QFont& font, const QColor& color) {
    FontNet = font;
    ColorNet = color;
    ShowDiagram();
}

void TDiagram::SetBitmapX(const QImage* bitmap) {
    BitmapX = bitmap != nullptr ? *bitmap : QImage();
    ShowDiagram();
}

void TDiagram::SetBitmapY(const QImage* bitmap) {
    BitmapY = bitmap != nullptr ? *bitmap : QImage();
    ShowDiagram();
}

void TDiagram::SetLeftTopX(int) {
    ShowDiagram();
}

void TDiagram::SetPrintMode() {
    PrintMode = true;
    ShowDiagram();
}

void TDiagram::ResetPrintMode() {
    PrintMode = false;
    ShowDiagram();
}

// ---------------------------------------------------------------- rendering

int TDiagram::num2char(char* buffer, std::size_t size, double value, int precision) {
    if (buffer == nullptr || size == 0) {
        return 0;
    }
    // Room for the longest fixed form of any double (309 digits, sign, point, 7 decimals).
    char text[400];
    std::to_chars_result r;
    if (precision >= 0 && precision <= 7) {
        r = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, precision);
    } else {
        r = std::to_chars(text, text + sizeof text, value, std::chars_format::scientific, 6);
    }
    std::size_t n = r.ec == std::errc() ? static_cast<std::size_t>(r.ptr - text) : 0;
    n = std::min(n, size - 1);
    std::memcpy(buffer, text, n);
    buffer[n] = '\0';
    return static_cast<int>(n);
}

std::string TDiagram::num2str(double value, int precision) {
    char text[400];
    const int n = num2char(text, sizeof text, value, precision);
    return std::string(text, static_cast<std::size_t>(n));
}

int TDiagram::ClampRow(int py) const {
    return std::max(yb_net + 1, std::min(yb_net + h_net - 2, py));
}

// What one repaint shares between its steps: the colours after print mode,
// the label font and the layout numbers that are not members.
struct TDiagram::TPaintContext {
    QColor backDiagram, backNet, netLine, text;
    QFont netFont;
    int th = 1;     // text height of the larger of title and y-name fonts
    int digitW = 1; // width of a digit in the label font
    int lwX = 1, lwY = 1;
    int L = 0;    // 1 when ticks and labels fit
    QColor brush; // background of the next text, as the last drawing left it
};

void TDiagram::ShowDiagram() {
    FeelerDrawn = false;
    const int W = width();
    const int H = height();
    if (W <= 0 || H <= 0) {
        Picture = QImage();
        xb_net = yb_net = w_net = h_net = x0_out = y0_out = w_out = h_out = 0;
        update();
        return;
    }
    // Every pixel is painted below, so a picture of the right size is reused
    // rather than blanked first.
    if (Picture.size() != QSize(W, H) || Picture.format() != QImage::Format_RGB32) {
        Picture = QImage(W, H, QImage::Format_RGB32);
    }
    QPainter p(&Picture);
    if (!p.isActive()) {
        return;
    }

    TPaintContext c;
    c.backDiagram = PrintMode ? QColor(Qt::white) : ColorBackDiagram;
    c.backNet = PrintMode ? QColor(Qt::white) : ColorBackNet;
    c.netLine = PrintMode ? QColor(Qt::black) : ColorNetLine;
    LayOut(c);

    // Background, net and frame.
    c.brush = c.backDiagram;
    p.fillRect(0, 0, W, H, c.backDiagram);
    const bool hasNet = w_net > 0 && h_net > 0;
    if (hasNet) {
        p.fillRect(xb_net, yb_net, w_net, h_net, c.backNet);
        c.brush = c.backNet;
        p.fillRect(xb_net, yb_net, w_net, 1, c.netLine);
        p.fillRect(xb_net, yb_net + h_net - 1, w_net, 1, c.netLine);
        p.fillRect(xb_net, yb_net, 1, h_net, c.netLine);
        p.fillRect(xb_net + w_net - 1, yb_net, 1, h_net, c.netLine);
    }

    // Without a plot rectangle there is nothing to map values onto: no grid,
    // labels or series then, only the backgrounds and the texts.
    const bool hasPlot = hasNet && w_out > 0 && h_out > 0;
    if (hasPlot) {
        p.setFont(c.netFont);
        c.text = TextColor(ColorNet);
        DrawGridX(p, c);
        DrawGridY(p, c);
    }
    DrawNames(p, c);

    if (LineEnabled && hasPlot) {
        p.setClipRect(xb_net, yb_net, w_net, h_net);
        Painter = &p;
        int n = 0;
        for (TKeeper* k = &Base; k != nullptr && n <= kMaxKeepers; k = k->GetNext(), ++n) {
            switch (k->GetGraphKind()) {
            case gkAnalog:
            case gkAnalogPeriodic:
                ShowAnalog(k);
                break;
            case gkDiscret:
            case gkDiscretPeriodic:
                ShowDiscret(k);
                break;
            case gkRadio:
            case gkRadioPeriodic:
                ShowRadio(k);
                break;
            case gkHistogram:
                ShowHistogram(k);
                break;
            default:
                break;
            }
        }
        Painter = nullptr;
        p.setClipping(false);
    }
    p.end();
    ShowBitmap();
    update();
}

QColor TDiagram::TextColor(const QColor& own) const {
    if (PrintMode) {
        return Qt::black;
    }
    return own.isValid() ? own : QApplication::palette().color(QPalette::WindowText);
}

void TDiagram::LayOut(TPaintContext& c) {
    const int W = width();
    const int H = height();
    // Text height from the larger of the title and y-name fonts.
    const QFont& tallFont = PixelSize(FontNameY) > PixelSize(FontName) ? FontNameY : FontName;
    c.th = std::max(1, QFontMetrics(tallFont).height());
    const int half = c.th / 2;
    const int availW = W - QFontMetrics(FontNameX).horizontalAdvance(NameX);
    const int availH = H - half;
    c.netFont = Unhinted(FontNet);
    CanvasFont = FontNet;

    // Label lengths; at least one digit, so that the fit tests stay meaningful
    // for tiny ranges shown with few decimals.
    const int nX =
        std::max(1, IntLog10(std::max(std::fabs(Xmin), std::fabs(Xmax))) + PrecisionX + 3);
    const int nY = std::max(1, std::abs(IntLog10(std::max(std::fabs(Ymin), std::fabs(Ymax)))) +
                                   PrecisionY + 3);
    c.digitW = std::max(1, QFontMetrics(c.netFont).horizontalAdvance(QLatin1Char('0')));
    c.lwX = c.digitW * nX;
    c.lwY = c.digitW * nY;
    const int L = (4 * c.lwX < availW && 4 * c.th < availH) ? 1 : 0;
    c.L = L;

    xb_net = (c.lwY + 5) * L + 2;
    yb_net = static_cast<int>(c.th * 0.5 * L + half + 1);
    w_net = static_cast<int>(availW - xb_net - c.lwX * 0.5 * L - 1);
    h_net = H - yb_net - (c.th + 5) * L - 2;
    x0_out = xb_net + c.digitW * L;
    y0_out = yb_net + c.th * L;
    w_out = w_net - 2 * c.digitW * L;
    h_out = h_net - 2 * c.th * L;
}

void TDiagram::DrawGridX(QPainter& p, TPaintContext& c) {
    const QFontMetrics fm(c.netFont);
    const QPen styled(c.netLine, 1, PenStyleNetLine, Qt::FlatCap);
    const int ye = yb_net + h_net;
    GridStepX = GridStep(Xmax - Xmin, w_out / (1.2 * c.lwX));
    const TGridAxis ax = MakeGridAxis(Xmin, Xmax, GridStepX);
    if (c.L == 1) {
        PrecisionX = SearchPrecision(ax, PrecisionX);
    }
    for (int i = 0; i < ax.count; ++i) {
        const double v = ax.Value(i);
        const int px = MathToPhisX(v);
        // The zero line is always solid.
        if (std::fabs(v) <= ax.eps || PenStyleNetLine == Qt::SolidLine) {
            p.fillRect(px, yb_net, 1, h_net, c.netLine);
        } else if (PenStyleNetLine != Qt::NoPen) {
            p.setPen(styled);
            p.drawLine(px, yb_net, px, ye - 1);
        }
        if (c.L == 1) {
            p.fillRect(px, ye, 1, 4, c.netLine);
            c.brush = c.backDiagram;
            p.setBackground(c.brush);
            p.setPen(c.text);
            const QString label = QString::fromStdString(GridLabel(v, PrecisionX, ax.eps));
            TextOut(p, fm, px - fm.horizontalAdvance(label) / 2, ye + 5, label);
        }
    }
    if (c.L == 1) {
        // Minor ticks at a fifth of the step; below zero they start one
        // minor step further out than on the y axis.
        const double minor = 0.2 * GridStepX;
        const double t = std::trunc(5 * Xmin / GridStepX);
        const double m0 = (Xmin <= 0 ? t - 1 : t + 1) * minor;
        for (int i = 0; i < 5 * kMaxGridLines && m0 + i * minor <= Xmax; ++i) {
            p.fillRect(MathToPhisX(m0 + i * minor), ye, 1, 2, c.netLine);
        }
    }
}

void TDiagram::DrawGridY(QPainter& p, TPaintContext& c) {
    const QFontMetrics fm(c.netFont);
    const QPen styled(c.netLine, 1, PenStyleNetLine, Qt::FlatCap);
    // The fit test of this axis uses the title text height.
    GridStepY = GridStep(Ymax - Ymin, h_out / (1.3 * c.th));
    const TGridAxis ay = MakeGridAxis(Ymin, Ymax, GridStepY);
    if (c.L == 1) {
        PrecisionY = SearchPrecision(ay, PrecisionY);
    }
    for (int i = 0; i < ay.count; ++i) {
        const double v = ay.Value(i);
        const int py = MathToPhisY(v);
        if (std::fabs(v) < ay.eps || PenStyleNetLine == Qt::SolidLine) {
            p.fillRect(xb_net, py, w_net, 1, c.netLine);
        } else if (PenStyleNetLine != Qt::NoPen) {
            p.setPen(styled);
            p.drawLine(xb_net, py, xb_net + w_net - 1, py);
        }
        if (c.L == 1) {
            p.fillRect(xb_net - 4, py, 4, 1, c.netLine);
            c.brush = c.backDiagram;
            p.setBackground(c.brush);
            p.setPen(c.text);
            const QString label = QString::fromStdString(GridLabel(v, PrecisionY, ay.eps));
            TextOut(p, fm, xb_net - fm.horizontalAdvance(label) - 5, py - fm.height() / 2, label);
        }
    }
    if (c.L == 1) {
        const double minor = 0.2 * GridStepY;
        const double t = std::trunc(5 * Ymin / GridStepY);
        const double m0 = (Ymin <= 0 ? t : t + 1) * minor;
        for (int i = 0; i < 5 * kMaxGridLines && m0 + i * minor <= Ymax; ++i) {
            p.fillRect(xb_net - 2, MathToPhisY(m0 + i * minor), 2, 1, c.netLine);
        }
    }
}

void TDiagram::DrawNames(QPainter& p, TPaintContext& c) {
    // On the brush left by the last drawing, as the labels are.
    p.setBackground(c.brush);
    auto write = [&](const QFont& font, const QColor& color, auto place, const QString& text) {
        const QFont f = Unhinted(font);
        const QFontMetrics fm(f);
        p.setFont(f);
        p.setPen(TextColor(color));
        const QPoint at = place(fm);
        TextOut(p, fm, at.x(), at.y(), text);
    };
    write(
        FontName, ColorName,
        [&](const QFontMetrics& fm) {
            return QPoint(w_out / 2 + x0_out - fm.horizontalAdvance(NameDiagram) / 2, 0);
        },
        NameDiagram);
    write(
        FontNameX, ColorNameX,
        [&](const QFontMetrics& fm) {
            return QPoint(Get_xe_net() + fm.horizontalAdvance(QLatin1Char('0')),
                          Get_ye_net() - fm.height() / 2);
        },
        NameX);
    write(
        FontNameY, ColorNameY, [&](const QFontMetrics&) { return QPoint(xb_net, 0); }, NameY);
    CanvasFont = FontNameY;
}

void TDiagram::ShowBitmap() {
    if (Picture.isNull() || (BitmapX.isNull() && BitmapY.isNull())) {
        return;
    }
    QPainter p(&Picture);
    if (!BitmapY.isNull()) {
        p.drawImage(xb_net + 3, yb_net + 3, BitmapY);
    }
    if (!BitmapX.isNull()) {
        p.drawImage(Get_xe_net() - BitmapX.width() - 3, Get_ye_net() - BitmapX.height() - 3,
                    BitmapX);
    }
    update();
}

// ---------------------------------------------------------------- series

namespace {

// The painter of a running ShowDiagram, or one of its own on the picture
// (clipped to the net) when a series routine is called on its own.
class SeriesCanvas {
  public:
    SeriesCanvas(QPainter* running, QImage& picture, const QRect& net) : p(running) {
        if (p == nullptr && !picture.isNull() && net.isValid()) {
            own.begin(&picture);
            own.setClipRect(net);
            p = &own;
        }
    }
    QPainter* operator->() const { return p; }
    explicit operator bool() const { return p != nullptr; }
    QPainter& operator*() const { return *p; }
    bool Standalone() const { return p == &own; }

  private:
    QPainter own;
    QPainter* p;
};

} // namespace

int TDiagram::SetUpSeriesPen(QPainter& p, const TKeeper& k) const {
    const QColor color = PrintMode ? QColor(Qt::black) : k.GetColor();
    QPen pen(color, 1, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin);
    pen.setCosmetic(true);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    return std::max(1, std::min(64, k.GetPenWidth()));
}

namespace {

// A wide pen stroked by the painter turns a noisy curve into one large
// self-intersecting polygon, which costs a hundred times a thin line. Laying
// thin lines side by side, shifted across and along, gives the same thick
// stroke at the speed of thin ones. The spare pixel of an even width goes up
// and to the left.
template <class Draw> void ThickStroke(QPainter& p, int width, Draw draw) {
    draw();
    const int lo = -(width / 2);
    const int hi = (width - 1) / 2;
    for (int o = lo; o <= hi; ++o) {
        if (o == 0) {
            continue;
        }
        p.translate(o, 0);
        draw();
        p.translate(-o, o);
        draw();
        p.translate(0, -o);
    }
}

} // namespace

void TDiagram::ShowAnalog(TKeeper* k) {
    if (k == nullptr || !k->IsVisible() || w_out <= 0 || h_out <= 0) {
        return;
    }
    SeriesCanvas canvas(Painter, Picture, QRect(xb_net, yb_net, w_net, h_net));
    if (!canvas) {
        return;
    }
    const int penWidth = SetUpSeriesPen(*canvas, *k);
    const int pxL = xb_net;
    const int pxR = xb_net + w_net;
    const int top = yb_net + 1;
    const int bottom = yb_net + h_net - 1;
    // Each connected run goes out as one polyline: far cheaper than a call per
    // column. A run ends where the curve leaves the net (it resumes from the
    // border row) or where the series has no number to show.
    QVector<QPoint> run;
    run.reserve(w_net + 2);
    auto flush = [&] {
        if (run.size() >= 2) {
            ThickStroke(*canvas, penWidth, [&] {
                canvas->drawPolyline(run.constData(), static_cast<int>(run.size()));
            });
        }
        run.clear();
    };
    for (int px = pxL; px <= pxR; ++px) {
        const double v = k->GetValue(PhisToMathX(px));
        if (std::isnan(v)) {
            flush();
            continue;
        }
        const int py = MathToPhisY(v);
        if (py < top) {
            flush();
            run.append(QPoint(px, top));
        } else if (py > bottom) {
            flush();
            run.append(QPoint(px, bottom));
        } else {
            run.append(QPoint(px, py));
        }
    }
    flush();
    if (canvas.Standalone()) {
        update();
    }
}

void TDiagram::ShowRadio(TKeeper* k) {
    if (k == nullptr || !k->IsVisible() || w_out <= 0 || h_out <= 0) {
        return;
    }
    SeriesCanvas canvas(Painter, Picture, QRect(xb_net, yb_net, w_net, h_net));
    if (!canvas) {
        return;
    }
    const int penWidth = SetUpSeriesPen(*canvas, *k);
    QVector<QLine> lines;
    lines.reserve(w_net + 1);
    for (int px = xb_net + 1; px <= xb_net + w_net; ++px) {
        const double v = k->GetValue(PhisToMathX(px));
        if (std::isnan(v)) {
            continue;
        }
        lines.append(QLine(px, ClampRow(MathToPhisY(v)), px, ClampRow(MathToPhisY(-v))));
    }
    ThickStroke(*canvas, penWidth, [&] { canvas->drawLines(lines); });
    if (canvas.Standalone()) {
        update();
    }
}

void TDiagram::ShowDiscret(TKeeper* k) {
    DrawStemsOrBars(k, false);
}

void TDiagram::ShowHistogram(TKeeper* k) {
    DrawStemsOrBars(k, true);
}

void TDiagram::DrawStemsOrBars(TKeeper* k, bool bars) {
    if (k == nullptr || !k->IsVisible() || w_out <= 0 || h_out <= 0) {
        return;
    }
    SeriesCanvas canvas(Painter, Picture, QRect(xb_net, yb_net, w_net, h_net));
    if (!canvas) {
        return;
    }
    const int penWidth = SetUpSeriesPen(*canvas, *k);
    const int pxL = xb_net;
    const int pxR = xb_net + w_net;
    const double xa = PhisToMathX(pxL);
    const double xe = PhisToMathX(pxR);
    int y0 = MathToPhisY(0);
    if (yb_net < y0 && y0 < yb_net + h_net) {
        ThickStroke(*canvas, penWidth, [&] { canvas->drawLine(pxL, y0, pxR, y0); });
    }
    y0 = ClampRow(y0);

    // Every vertical piece (stem or bar side) runs from the zero row, so in one
    // column their union is a single segment: the drawing costs one line per
    // column however many samples share it.
    std::vector<int> colLo(static_cast<std::size_t>(w_net) + 1, INT_MAX);
    std::vector<int> colHi(static_cast<std::size_t>(w_net) + 1, INT_MIN);
    auto vertical = [&](int px, int py) {
        if (px < pxL || px > pxR || py == y0) {
            return;
        }
        const std::size_t c = static_cast<std::size_t>(px - pxL);
        colLo[c] = std::min(colLo[c], std::min(py, y0));
        colHi[c] = std::max(colHi[c], std::max(py, y0));
    };
    QVector<QLine> tops;
    QVector<QRect> marks;
    constexpr int kMaxMarks = 8192;

    const double x0 = k->GetXmin();
    const double step = k->GetStep();
    const double half = bars ? step / 2 : 0.0;

    auto stem = [&](int n, double x) {
        const double v = k->GetDiscretValue(n);
        const int raw = MathToPhisY(v);
        const int py = ClampRow(raw);
        const int px = MathToPhisX(x);
        vertical(px, py);
        if (k->GetMarkSamples() && yb_net + 1 < raw && raw < yb_net + h_net - 2 &&
            marks.size() < kMaxMarks) {
            const QRect r(px - 3, py - 3, 6, 6);
            if (marks.isEmpty() || marks.constLast() != r) {
                marks.append(r);
            }
        }
    };
    auto bar = [&](int n, double x) {
        const double v = k->GetDiscretValue(n);
        const int raw = MathToPhisY(v);
        const int py = ClampRow(raw);
        const bool clipped = py != raw;
        const int bl = MathToPhisX(x - half);
        const int br = MathToPhisX(x + half);
        auto top = [&](int from, int to) {
            if (!clipped && from != to) {
                tops.append(QLine(from, py, to, py));
            }
        };
        if (bl >= pxL && br <= pxR) {
            vertical(bl, py);
            top(bl, br);
            vertical(br, py);
        } else if (bl < pxL && br > pxR) {
            top(pxL, pxR);
        } else if (bl < pxL) {
            top(pxL, br);
            vertical(br, py);
        } else {
            vertical(bl, py);
            top(bl, pxR);
        }
    };
    auto draw = [&](long long n, double x) {
        if (bars) {
            bar(static_cast<int>(n), x);
        } else {
            stem(static_cast<int>(n), x);
        }
    };

    // Samples outside 0 .. Count-1 read as 0 and draw nothing, unless the
    // series continues itself (symmetry, period) or marks them.
    const bool continues = k->GetSymmetry() == 1 || k->GetSymmetry() == 2 ||
                           k->GetGraphKind() == gkDiscretPeriodic || (k->GetMarkSamples() && !bars);
    const double nLow = continues ? static_cast<double>(INT_MIN) : 0.0;
    const double nHigh = continues ? static_cast<double>(INT_MAX) : k->GetCount() - 1.0;

    if (step > 0 && std::isfinite(step) && std::isfinite(x0)) {
        // Forward over n >= 0, starting at the first sample that can be seen
        // instead of stepping to it one sample at a time; x is computed from n
        // so that no rounding piles up.
        double first = 0;
        if (x0 + half < xa) {
            first = std::floor((xa - half - x0) / step);
        }
        long long drawn = 0;
        for (double n = first; n <= nHigh && drawn < kMaxStems; n += 1, ++drawn) {
            const double x = x0 + n * step;
            if (!(x - half <= xe)) {
                break;
            }
            if (x + half < xa) {
                continue;
            }
            draw(static_cast<long long>(n), x);
        }
        // Backward over n <= 0; sample 0 is drawn by both passes.
        first = 0;
        if (x0 - half > xe) {
            first = -std::floor((x0 - half - xe) / step);
        }
        drawn = 0;
        for (double n = first; n >= nLow && drawn < kMaxStems; n -= 1, ++drawn) {
            const double x = x0 + n * step;
            if (!(x + half >= xa)) {
                break;
            }
            if (x - half > xe) {
                continue;
            }
            draw(static_cast<long long>(n), x);
        }
    } else if (x0 + half >= xa && x0 - half <= xe) {
        draw(0, x0);
    }

    QVector<QLine> lines = std::move(tops);
    for (int c = 0; c <= w_net; ++c) {
        if (colLo[static_cast<std::size_t>(c)] < colHi[static_cast<std::size_t>(c)]) {
            lines.append(QLine(pxL + c, colLo[static_cast<std::size_t>(c)], pxL + c,
                               colHi[static_cast<std::size_t>(c)]));
        }
    }
    ThickStroke(*canvas, penWidth, [&] { canvas->drawLines(lines); });
    if (!marks.isEmpty()) {
        // The marks are rings filled with the net's background.
        canvas->setBrush(PrintMode ? QColor(Qt::white) : ColorBackNet);
        for (const QRect& r : marks) {
            canvas->drawEllipse(r);
        }
        canvas->setBrush(Qt::NoBrush);
    }
    if (canvas.Standalone()) {
        update();
    }
}

void TDiagram::ShowPoint(double x, double y, const QColor& color) {
    if (!(Xmin <= x && x <= Xmax && Ymin <= y && y <= Ymax)) {
        return;
    }
    const int px = MathToPhisX(x);
    const int py = MathToPhisY(y);
    if (px >= 0 && py >= 0 && px < Picture.width() && py < Picture.height()) {
        Picture.setPixelColor(px, py, color);
        update(px, py, 1, 1);
    }
}

// ---------------------------------------------------------------- series list

TDiagram::KeeperAllocator TDiagram::SetKeeperAllocator(KeeperAllocator allocator) {
    KeeperAllocator previous = gAllocator;
    gAllocator = allocator != nullptr ? allocator : &DefaultAllocator;
    return previous;
}

void TDiagram::NewKeeperList(unsigned char n) {
    DeleteKeeperList();
    while (n >= 2 && GetKeeperListLength() < n) {
        if (NewKeeper() == 0) {
            break;
        }
    }
}

void TDiagram::DeleteKeeperList() {
    TKeeper* k = Base.GetNext();
    int n = 0;
    while (k != nullptr && n < kMaxKeepers) {
        TKeeper* next = k->GetNext();
        delete k;
        k = next;
        ++n;
    }
    Base.ResetNext();
}

unsigned char TDiagram::NewKeeper() {
    bool noMemory = false;
    TKeeper* k = AppendKeeper(noMemory);
    if (noMemory) {
        ShowMessage(kNoMemoryNewKeeper);
    }
    return k != nullptr ? k->GetNumber() : 0;
}

TKeeper* TDiagram::PNewKeeper() {
    bool noMemory = false;
    TKeeper* k = AppendKeeper(noMemory);
    if (noMemory) {
        ShowMessage(kNoMemoryPNewKeeper);
    }
    return k;
}

TKeeper* TDiagram::AppendKeeper(bool& noMemory) {
    TKeeper* last = &Base;
    int c = 0;
    while (last->GetNext() != nullptr && c < kMaxKeepers) {
        last = last->GetNext();
        ++c;
    }
    // Numbers are 8 bits wide: a full list takes no more series.
    if (c + 1 >= kMaxKeepers) {
        return nullptr;
    }
    TKeeper* k = gAllocator();
    if (k == nullptr) {
        noMemory = true;
        return nullptr;
    }
    last->SetNext(k);
    k->SetNumber(static_cast<unsigned char>(c + 1));
    k->ResetNext();
    return k;
}

void TDiagram::DeleteKeeper(unsigned char n) {
    if (TKeeper* k = GetKeeper(n)) {
        PDeleteKeeper(k);
    }
}

void TDiagram::PDeleteKeeper(TKeeper* k) {
    if (k == &Base) {
        ShowMessage(kDeleteBase);
        return;
    }
    TKeeper* prev = &Base;
    int n = 0;
    while (prev->GetNext() != nullptr && n < kMaxKeepers) {
        if (prev->GetNext() == k) {
            TKeeper* next = k->GetNext();
            prev->SetNext(next);
            delete k;
            int renumbered = 0;
            for (TKeeper* q = next; q != nullptr && renumbered < kMaxKeepers;
                 prev = q, q = q->GetNext(), ++renumbered) {
                q->SetNumber(static_cast<unsigned char>(prev->GetNumber() + 1));
            }
            return;
        }
        prev = prev->GetNext();
        ++n;
    }
}

TKeeper* TDiagram::GetKeeper(unsigned char n) {
    int i = 0;
    for (TKeeper* k = &Base; k != nullptr && i <= kMaxKeepers; k = k->GetNext(), ++i) {
        if (k->GetNumber() == n) {
            return k;
        }
    }
    return nullptr;
}

unsigned char TDiagram::GetKeeperListLength() const {
    int n = 1;
    for (const TKeeper* k = Base.GetNext(); k != nullptr && n < kMaxKeepers; k = k->GetNext()) {
        ++n;
    }
    return static_cast<unsigned char>(n);
}

// ---------------------------------------------------------------- crosshair

void TDiagram::DrawFeeler(int x, int y) {
    if (Picture.isNull()) {
        return;
    }
    QPainter p(&Picture);
    p.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
    const int width = std::max(1, std::min(64, PenWidthFeeler));
    p.setPen(QPen(ColorFeeler, width, PenStyleFeeler, Qt::SquareCap));
    // Both segments stop one pixel short of the net's border, so that they
    // never overlap and drawing the same crosshair twice leaves no trace.
    if (y + 11 < Get_ye_net()) {
        p.drawLine(x, y + 11, x, Get_ye_net() - 1);
    }
    if (x - 11 > Get_xb_net()) {
        p.drawLine(x - 11, y, Get_xb_net() + 1, y);
    }
    update();
}

void TDiagram::SetShowFeeler(bool on) {
    if (on == ShowFeeler) {
        return;
    }
    ShowFeeler = on;
    if (!on && FeelerDrawn) {
        DrawFeeler(FeelerX, FeelerY);
        FeelerDrawn = false;
    }
}

// A crosshair on screen is taken off with the pen that drew it, so that
// changing the pen never leaves a trace behind.
void TDiagram::SetPenStyleFeeler(Qt::PenStyle style) {
    if (FeelerDrawn) {
        DrawFeeler(FeelerX, FeelerY);
    }
    PenStyleFeeler = style;
    if (FeelerDrawn) {
        DrawFeeler(FeelerX, FeelerY);
    }
}

void TDiagram::SetPenWidthFeeler(int width) {
    if (FeelerDrawn) {
        DrawFeeler(FeelerX, FeelerY);
    }
    PenWidthFeeler = width;
    if (FeelerDrawn) {
        DrawFeeler(FeelerX, FeelerY);
    }
}

void TDiagram::SetColorFeeler(const QColor& color) {
    if (FeelerDrawn) {
        DrawFeeler(FeelerX, FeelerY);
    }
    ColorFeeler = color;
    if (FeelerDrawn) {
        DrawFeeler(FeelerX, FeelerY);
    }
}

void TDiagram::MouseMove(Qt::KeyboardModifiers shift, int x, int y) {
    if (!CursorSaved) {
        SavedCursor = cursor().shape();
        CursorSaved = true;
    }
    const bool inside =
        Get_xb_net() < x && x < Get_xe_net() && Get_yb_net() < y && y < Get_ye_net();
    const Qt::CursorShape shape = cursor().shape();
    if (inside) {
        if (ShowFeeler && shape != Qt::CrossCursor) {
            setCursor(Qt::CrossCursor);
        } else if (!ShowFeeler && shape != NetCursor) {
            setCursor(NetCursor);
        }
    } else if (shape != SavedCursor) {
        setCursor(SavedCursor);
    }
    if (ShowFeeler) {
        if (inside) {
            if (FeelerDrawn) {
                DrawFeeler(FeelerX, FeelerY);
            }
            DrawFeeler(x, y);
            FeelerX = x;
            FeelerY = y;
            FeelerDrawn = true;
        } else if (FeelerDrawn) {
            DrawFeeler(FeelerX, FeelerY);
            FeelerDrawn = false;
        }
    }
    emit OnMouseMove(this, shift, x, y);
}

// ---------------------------------------------------------------- widget

void TDiagram::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    if (Picture.isNull()) {
        p.fillRect(event->rect(), ColorBackDiagram);
        return;
    }
    p.drawImage(event->rect(), Picture, event->rect());
}

void TDiagram::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    ShowDiagram();
}

void TDiagram::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    MouseMove(event->modifiers(), pos.x(), pos.y());
    QWidget::mouseMoveEvent(event);
}

// ---------------------------------------------------------------- export

void TDiagram::CopyToClipboard() {
    SetPrintMode();
    if (QClipboard* clipboard = QGuiApplication::clipboard()) {
        clipboard->setImage(Picture);
    }
    ResetPrintMode();
}

void TDiagram::SaveBmpFile() {
    QString fileName;
    switch (AskBitmapFileName(this, QStringLiteral("Диаграмма.bmp"), fileName)) {
    case TSaveDialogResult::Accepted:
        SaveBmpFile(fileName);
        break;
    case TSaveDialogResult::Unavailable:
        ShowMessage(kNoDialog);
        break;
    case TSaveDialogResult::Cancelled:
        break;
    }
}

bool TDiagram::SaveBmpFile(const QString& name) {
    const QString fileName = CorrectBitmapFileName(name);
    SetPrintMode();
    const QImage picture = Picture;
    ResetPrintMode();
    return WriteBitmapFile(picture, fileName);
}
