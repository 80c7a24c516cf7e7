#include "chart/TDiagram.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>
#include <QtMath>
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "chart/FocusFrame.h"
#include "chart/GridPainter.h"
#include "chart/SeriesLegend.h"
#include "chart/TAlignedCharts.h"
#include "chart/TSeriesPainter.h"
#include "chart/TextOut.h"

namespace {

// The ratio tests draw at; 0 for the screen's.
qreal gPictureRatio = 0;

// Digits of the longest label of a logarithmic axis over log10 values lo ..
// hi, and room for a point: "20000" or "0.005".
int LogLabelDigits(double lo, double hi) {
    const int whole = hi >= 0 ? static_cast<int>(std::floor(hi)) + 1 : 1;
    const int fraction = lo < 0 ? static_cast<int>(std::ceil(-lo)) + 1 : 0;
    return std::max(1, std::min(12, whole + fraction + 1));
}

} // namespace

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
    FontNameX = FontNameY = FontName = FontNet = QApplication::font();
    CanvasFont = FontNet;
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    ShowDiagram();
}

TDiagram::~TDiagram() {
    if (Aligned != nullptr) {
        Aligned->Leave(*this);
    }
}

// ---------------------------------------------------------------- ranges

void TDiagram::RedrawIf(bool changed) {
    if (changed) {
        ShowDiagram();
    }
}

void TDiagram::AutoRange(bool x, bool average) {
    double lo, hi;
    if (x) {
        Keepers.Extent(&TKeeper::GetXmin, &TKeeper::GetXmax, average, lo, hi);
        SetRangeX(lo, hi);
    } else {
        Keepers.Extent(&TKeeper::GetYmin, &TKeeper::GetYmax, average, lo, hi);
        SetRangeY(lo, hi);
    }
}

void TDiagram::FullSize() {
    if (width() <= 0 || height() <= 0) {
        Picture = QImage();
        return;
    }
    Picture = QImage();
    SizePicture(width(), height(), PictureRatio());
    Picture.fill(Qt::white);
}

qreal TDiagram::SetPictureRatio(qreal ratio) {
    const qreal previous = gPictureRatio;
    gPictureRatio = ratio > 0 ? ratio : 0;
    return previous;
}

qreal TDiagram::PictureRatio() const {
    if (ExportRatio > 0) {
        return ExportRatio;
    }
    const qreal ratio = gPictureRatio > 0 ? gPictureRatio : devicePixelRatioF();
    return ratio > 0 ? ratio : 1.0;
}

void TDiagram::SizePicture(int W, int H, qreal ratio) {
    const QSize device(qCeil(W * ratio), qCeil(H * ratio));
    if (Picture.size() == device && Picture.format() == QImage::Format_RGB32 &&
        Picture.devicePixelRatio() == ratio) {
        return;
    }
    Picture = QImage(device, QImage::Format_RGB32);
    Picture.setDevicePixelRatio(ratio);
}

// ---------------------------------------------------------------- rendering

void TDiagram::ShowDiagram() {
    // An export draws its print picture at once, batch or not: it takes the
    // picture right after asking for it.
    if (UpdateDepth > 0 && ExportRatio <= 0) {
        RedrawPending = true;
        return;
    }
    Render();
    update();
    emit Drawn();
    if (Aligned != nullptr) {
        Aligned->Follow();
    }
}

void TDiagram::EndUpdate() {
    if (UpdateDepth == 0) {
        return;
    }
    --UpdateDepth;
    if (UpdateDepth == 0 && RedrawPending) {
        RedrawPending = false;
        ShowDiagram();
    }
}

void TDiagram::Render(TLegendPlace legend) {
    FeelerDrawn = false;
    const int W = width();
    const int H = height();
    if (W <= 0 || H <= 0) {
        Picture = QImage();
        DrawnMargins = TakenMargins(Measure());
        xb_net = yb_net = w_net = h_net = 0;
        Scale.X.SetPixels(0, 0);
        Scale.Y.SetPixels(0, 0);
        LegendRect = QRect();
        return;
    }
    TLayout layout = LayOut();
    TLegendPlan plan;
    PlanLegend(layout, legend, plan);
    LegendRect = plan.box;
    // Every pixel is painted below, so a picture of the right size is reused
    // rather than blanked first.
    const int PH = H + plan.below;
    const qreal ratio = PictureRatio();
    SizePicture(W, PH, ratio);
    QPainter p(&Picture);
    if (!p.isActive()) {
        return;
    }
    const QColor backDiagram = PrintMode ? QColor(Qt::white) : ColorBackDiagram;
    if (Picture.width() != W * ratio || Picture.height() != PH * ratio) {
        // At a fractional ratio the picture's last device pixels lie partly
        // outside the widget, where the logical drawing does not reach them.
        Picture.fill(backDiagram);
    }
    const QColor backNet = PrintMode ? QColor(Qt::white) : ColorBackNet;
    const QColor netLine = PrintMode ? QColor(Qt::black) : ColorNetLine;

    // Background, net and frame. Texts are written on the brush that the last
    // drawing left: the net's background unless a tick label came after it.
    QColor brush = backDiagram;
    const bool hasNet = w_net > 0 && h_net > 0;
    const QRect netRect(xb_net, yb_net, w_net, h_net);
    if (hasNet && DirectDrawing && backDiagram.alpha() == 255 && backNet.alpha() == 255 &&
        QRect(0, 0, W, PH).contains(netRect)) {
        // Opaque backgrounds hide what lies beneath them, so each pixel is
        // painted once: the diagram's background only around the net.
        p.fillRect(0, 0, W, yb_net, backDiagram);
        p.fillRect(0, netRect.bottom() + 1, W, PH - netRect.bottom() - 1, backDiagram);
        p.fillRect(0, yb_net, xb_net, h_net, backDiagram);
        p.fillRect(netRect.right() + 1, yb_net, W - netRect.right() - 1, h_net, backDiagram);
    } else {
        p.fillRect(0, 0, W, PH, backDiagram);
    }
    if (hasNet) {
        p.fillRect(netRect, backNet);
        brush = backNet;
        p.fillRect(xb_net, yb_net, w_net, 1, netLine);
        p.fillRect(xb_net, yb_net + h_net - 1, w_net, 1, netLine);
        p.fillRect(xb_net, yb_net, 1, h_net, netLine);
        p.fillRect(xb_net + w_net - 1, yb_net, 1, h_net, netLine);
    }

    // Without a plot rectangle there is nothing to map values onto: no grid,
    // labels or series then, only the backgrounds and the texts.
    const bool hasPlot = hasNet && Get_w_out() > 0 && Get_h_out() > 0;
    if (hasPlot) {
        p.setFont(DrawnNet.Font());
        const TGridLook look{netLine,     PenStyleNetLine, TextColor(ColorNet),
                             backDiagram, layout.labels,   DirectDrawing};
        // The x fit test uses the label width, the y test the title's text
        // height; the label search may raise the precision, and it stays.
        GridStepX = GridStep(GetXmax() - GetXmin(), Get_w_out() / (1.2 * layout.lwX));
        GridStepY = GridStep(GetYmax() - GetYmin(), Get_h_out() / (1.3 * layout.th));
        const TAxisGrid gx = MakeGridAxis(GetXmin(), GetXmax(), GridStepX);
        const TAxisGrid gy = MakeGridAxis(GetYmin(), GetYmax(), GridStepY);
        if (layout.labels) {
            if (!LogarithmicX) {
                Scale.X.RaisePrecision(SearchPrecision(gx, GetPrecisionX()));
            }
            Scale.Y.RaisePrecision(SearchPrecision(gy, GetPrecisionY()));
        }
        const bool xLabel =
            LogarithmicX ? DrawLogGridX(p, Scale.X,
                                        TLogAxisScale::MakeLogGrid(ShownX(GetXmin()), ShownX(GetXmax()),
                                                                   Get_w_out() / (1.2 * layout.lwX)),
                                        Net(), look, DrawnNet)
                         : DrawGridAxis(p, Scale.X, gx, true, Net(), look, DrawnNet);
        const bool yLabel = DrawGridAxis(p, Scale.Y, gy, false, Net(), look, DrawnNet);
        if (xLabel || yLabel) {
            brush = backDiagram;
        }
    }
    DrawNames(p, brush);

    DrawLegend(p, plan.lines, plan.box, PrintMode, LegendLook(), LegendText);
    if (LineEnabled && hasPlot) {
        p.setClipRect(xb_net, yb_net, w_net, h_net);
        DrawSeriesLayers(p, Keepers, Scale, Net(), PrintMode, ColorBackNet,
                         ratio == 1.0 ? &plan.known : nullptr);
        p.setFont(DrawnNet.Font());
        DrawNotes(p, PlaceNotes(Notes, Scale, Net(), DrawnNet.Metrics()), DrawnNet.Metrics(),
                  TextColor(ColorNet), backNet);
        p.setClipping(false);
    }
    p.end();
    DrawBitmaps();
}

QColor TDiagram::TextColor(const QColor& own) const {
    if (PrintMode) {
        return Qt::black;
    }
    return own.isValid() ? own : QApplication::palette().color(QPalette::WindowText);
}

TDiagram::TLayout TDiagram::Measure() {
    TLayout c;
    LayoutName.Use(FontName, false);
    LayoutNameX.Use(FontNameX, false);
    LayoutNameY.Use(FontNameY, false);
    DrawnNet.Use(FontNet, true);
    // Text height from the larger of the title and y-name fonts.
    TTextMeasure& tall =
        LayoutNameY.PixelSize() > LayoutName.PixelSize() ? LayoutNameY : LayoutName;
    c.th = std::max(1, tall.Metrics().height());
    c.availW = width() - LayoutNameX.Width(NameX);
    const int availH = height() - c.th / 2;

    // Label lengths in digits (the y length takes the decade's magnitude, the
    // x length the decade itself); at least one digit, so that the fit tests
    // stay meaningful for tiny ranges shown with few decimals.
    const int nX = LogarithmicX ? LogLabelDigits(GetXmin(), GetXmax())
                                : std::max(1, Scale.X.Decade() + GetPrecisionX() + 3);
    const int nY = std::max(1, std::abs(Scale.Y.Decade()) + GetPrecisionY() + 3);
    c.digitW = std::max(1, DrawnNet.DigitWidth());
    c.lwX = c.digitW * nX;
    c.lwY = c.digitW * nY;
    c.labels = 4 * c.lwX < c.availW && 4 * c.th < availH;
    return c;
}

TNetMargins TDiagram::NaturalMargins(const TLayout& c) const {
    const int L = c.labels ? 1 : 0;
    const int left = (c.lwY + 5) * L + 2;
    const int net = static_cast<int>(c.availW - left - c.lwX * 0.5 * L - 1);
    return {left, width() - left - net};
}

TNetMargins TDiagram::GetNaturalNetMargins() {
    return NaturalMargins(Measure());
}

TNetMargins TDiagram::OwnNetMargins() {
    const TNetMargins natural = GetNaturalNetMargins();
    return {std::max(natural.left, MinNetMargins.left),
            std::max(natural.right, MinNetMargins.right)};
}

TNetMargins TDiagram::TakenMargins(const TLayout& c) {
    const TNetMargins natural = NaturalMargins(c);
    TNetMargins m{std::max(natural.left, MinNetMargins.left),
                  std::max(natural.right, MinNetMargins.right)};
    if (Aligned != nullptr) {
        const TNetMargins common = Aligned->Margins();
        m.left = std::max(m.left, common.left);
        m.right = std::max(m.right, common.right);
    }
    const int net = width() - natural.left - natural.right;
    return width() - m.left - m.right < net / 2 ? natural : m;
}

bool TDiagram::FollowMargins() {
    if (DrawnMargins == TakenMargins(Measure())) {
        return false;
    }
    // Inside a batch only noted: drawn when the batch ends.
    ShowDiagram();
    return UpdateDepth == 0;
}

TDiagram::TLayout TDiagram::LayOut(int band) {
    const TLayout c = Measure();
    const int L = c.labels ? 1 : 0;
    const int half = c.th / 2;
    CanvasFont = FontNet;
    DrawnMargins = TakenMargins(c);
    xb_net = DrawnMargins.left;
    yb_net = static_cast<int>(c.th * 0.5 * L + half + 1) + band;
    w_net = width() - DrawnMargins.left - DrawnMargins.right;
    h_net = height() - yb_net - (c.th + 5) * L - 2;
    // The plot rectangle lies a digit's width inside the net left and right,
    // a text height inside top and bottom, so the outermost labels fit.
    Scale.X.SetPixels(xb_net + c.digitW * L, w_net - 2 * c.digitW * L);
    Scale.Y.SetPixels(yb_net + c.th * L, h_net - 2 * c.th * L);
    return c;
}

void TDiagram::DrawNames(QPainter& p, const QColor& back) {
    p.setBackground(back);
    DrawnName.Use(FontName, true);
    DrawnNameX.Use(FontNameX, true);
    DrawnNameY.Use(FontNameY, true);
    auto write = [&](TTextMeasure& font, const QColor& color, const QPoint& at,
                     const QString& text) {
        p.setFont(font.Font());
        p.setPen(TextColor(color));
        TextOut(p, font.Metrics(), at.x(), at.y(), text);
    };
    write(DrawnName, ColorName,
          QPoint(Get_w_out() / 2 + Get_x0_out() - DrawnName.Width(NameDiagram) / 2, 0),
          NameDiagram);
    write(DrawnNameX, ColorNameX,
          QPoint(Get_xe_net() + DrawnNameX.DigitWidth(),
                 Get_ye_net() - DrawnNameX.Metrics().height() / 2),
          NameX);
    write(DrawnNameY, ColorNameY, QPoint(xb_net, 0), NameY);
    CanvasFont = FontNameY;
}

void TDiagram::ShowBitmap() {
    // The bitmaps are part of every full drawing.
    if (UpdateDepth > 0) {
        RedrawPending = true;
        return;
    }
    DrawBitmaps();
    update();
}

void TDiagram::DrawBitmaps() {
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
}

// ---------------------------------------------------------------- series

void TDiagram::ShowSeries(TKeeper* k, void (TSeriesPainter::*draw)(TKeeper&)) {
    if (k == nullptr || Picture.isNull() || w_net <= 0 || h_net <= 0) {
        return;
    }
    QPainter p(&Picture);
    p.setClipRect(xb_net, yb_net, w_net, h_net);
    TSeriesPainter series(p, Scale, Net(), PrintMode, ColorBackNet);
    (series.*draw)(*k);
    p.end();
    update();
}

void TDiagram::ShowAnalog(TKeeper* k) {
    ShowSeries(k, &TSeriesPainter::Analog);
}

void TDiagram::ShowDiscret(TKeeper* k) {
    ShowSeries(k, &TSeriesPainter::Discret);
}

void TDiagram::ShowRadio(TKeeper* k) {
    ShowSeries(k, &TSeriesPainter::Radio);
}

void TDiagram::ShowHistogram(TKeeper* k) {
    ShowSeries(k, &TSeriesPainter::Histogram);
}

void TDiagram::ShowPoint(double x, double y, const QColor& color) {
    if (!(GetXmin() <= x && x <= GetXmax() && GetYmin() <= y && y <= GetYmax())) {
        return;
    }
    const int px = MathToPhisX(x);
    const int py = MathToPhisY(y);
    const QSizeF size = Picture.deviceIndependentSize();
    if (px < 0 || py < 0 || px >= size.width() || py >= size.height()) {
        return;
    }
    // The widget's pixel is a block of device pixels at a ratio above 1.
    const qreal r = Picture.devicePixelRatio();
    const int x0 = qFloor(px * r);
    const int y0 = qFloor(py * r);
    const int x1 = std::min(Picture.width(), std::max(x0 + 1, qFloor((px + 1) * r)));
    const int y1 = std::min(Picture.height(), std::max(y0 + 1, qFloor((py + 1) * r)));
    for (int dy = y0; dy < y1; ++dy) {
        for (int dx = x0; dx < x1; ++dx) {
            Picture.setPixelColor(dx, dy, color);
        }
    }
    update(px, py, 1, 1);
}

void TDiagram::DeleteKeeper(unsigned char n) {
    if (TKeeper* k = GetKeeper(n)) {
        PDeleteKeeper(k);
    }
}

// ---------------------------------------------------------------- widget

void TDiagram::paintEvent(QPaintEvent* event) {
    // A window moved to a screen of another density is shown at the new one.
    if (!Picture.isNull() && Picture.devicePixelRatio() != PictureRatio()) {
        Render();
    }
    QPainter p(this);
    const QRect r = event->rect();
    if (Picture.isNull()) {
        p.fillRect(r, ColorBackDiagram);
        return;
    }
    const qreal ratio = Picture.devicePixelRatio();
    p.drawImage(QRectF(r), Picture,
                QRectF(r.x() * ratio, r.y() * ratio, r.width() * ratio, r.height() * ratio));
    if (hasFocus()) {
        DrawFocusFrame(p, rect(), palette().color(QPalette::Highlight));
    }
}

bool TDiagram::event(QEvent* event) {
    if (event->type() == QEvent::ScreenChangeInternal && !Picture.isNull() &&
        Picture.devicePixelRatio() != PictureRatio()) {
        ShowDiagram();
    }
    return QWidget::event(event);
}

void TDiagram::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    ShowDiagram();
}
