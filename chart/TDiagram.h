#pragma once
// The chart control: a widget that owns its picture, draws a labelled grid and
// a list of data series into it, and shows it. Every setter that changes
// something visible redraws the whole picture at once (ShowDiagram); only
// ShowPoint and the crosshair draw into the existing picture. Several settings
// made inside one batch (TDiagramBatch below) share a single redraw at its end.
//
// Ranges are in the series' own units and are kept within the limits, which
// never exceed +-100000. Pixel coordinates are those of the widget, x to the
// right and y downward; conversions to pixels truncate toward zero.
//
// A chart that its host lets take the keyboard focus shows a focus frame
// while it has it (chart/FocusFrame.h), over the picture, never in it.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QString>
#include <QWidget>
#include <cmath>
#include <vector>

#include "chart/ChartNotes.h"
#include "chart/SeriesLegend.h"
#include "chart/TKeeper.h"
#include "chart/TKeeperList.h"
#include "chart/TScale.h"
#include "chart/TTextMeasure.h"

class QPainter;
class TAlignedCharts;
class TSeriesPainter;

// Widths between a chart's left and right edges and its net, in pixels.
struct TNetMargins {
    int left = 0;
    int right = 0;
    friend bool operator==(const TNetMargins& a, const TNetMargins& b) {
        return a.left == b.left && a.right == b.right;
    }
    friend bool operator!=(const TNetMargins& a, const TNetMargins& b) { return !(a == b); }
};

class TDiagram : public QWidget {
    Q_OBJECT

  public:
    explicit TDiagram(QWidget* owner = nullptr);
    ~TDiagram() override;
    TDiagram(const TDiagram&) = delete;
    TDiagram& operator=(const TDiagram&) = delete;

    // ---- Rendering
    // Full repaint of the picture, synchronously, then a repaint of the widget.
    // Inside a batch it is only noted, and done once when the batch ends.
    void ShowDiagram();
    // Draws BitmapY at the net's top left and BitmapX at its bottom right.
    void ShowBitmap();
    // Writes value into buffer as the tick labels are written: "%.<p>f" for
    // precision p of 0..7, "%e" for any other; returns the characters written.
    static int num2char(char* buffer, std::size_t size, double value, int precision) {
        return ::num2char(buffer, size, value, precision);
    }
    // A batch of settings: between BeginUpdate and the matching EndUpdate no
    // setter redraws; the outermost EndUpdate redraws once if any of them (or
    // ShowDiagram) asked for it. Batches nest. The picture, the net rectangle
    // and the value<->pixel map stay those of the last drawing until the
    // batch ends, so whatever places things by the net reads it afterwards.
    // Prefer TDiagramBatch, which cannot be left open.
    void BeginUpdate() { ++UpdateDepth; }
    void EndUpdate();
    bool InUpdate() const { return UpdateDepth > 0; }
    // Where the last drawing put the legend of the series marked for it
    // (chart/SeriesLegend.h), in widget pixels: in the net where it hides no
    // curve, else above the net, which gave up the room. Empty when it drew
    // none.
    QRect GetLegendRect() const { return LegendRect; }
    // A box of size at the net's top right corner that the legend leaves
    // free (a chart frame shows its tool panel there); none by default. Redraws.
    void SetLegendKeepOut(const QSize& size) { Assign(LegendKeepOut, size); }
    QSize GetLegendKeepOut() const { return LegendKeepOut; }
    // Grid steps chosen by the last ShowDiagram.
    double GetGridStepX() const { return GridStepX; }
    double GetGridStepY() const { return GridStepY; }
    // Gives the picture a new blank (white) image of the widget's size.
    void FullSize();
    // The picture as the widget shows it. On a screen of device pixel ratio r
    // it holds r times the widget's pixels each way, at devicePixelRatio() r,
    // so that the chart stays sharp; pixel (x, y) of the widget is then the
    // block from (x*r, y*r). At ratio 1 it is the widget's size, pixel for
    // pixel. A saved bitmap is of the widget's size, a copy of the picture's.
    const QImage& GetPicture() const { return Picture; }
    // Lets tests stand in for a screen of another device pixel ratio: every
    // chart draws at ratio from its next repaint on. Returns the previous
    // setting; 0 restores the ratio of the widget's screen.
    static qreal SetPictureRatio(qreal ratio);
    // Whether backgrounds and dotted grid lines may be written straight into
    // the picture's pixels where that gives exactly the pixels the painter
    // would give (on by default: it is the faster way). Tests and benchmarks
    // switch it off to compare both ways. Takes effect at the next drawing.
    void SetDirectDrawing(bool on) { DirectDrawing = on; }
    bool GetDirectDrawing() const { return DirectDrawing; }

    // ---- Appearance
    void SetColorBackDiagram(const QColor& c) { Assign(ColorBackDiagram, c); }
    void SetColorBackNet(const QColor& c) { Assign(ColorBackNet, c); }
    void SetColorNetLine(const QColor& c) { Assign(ColorNetLine, c); }
    void SetPenStyleNetLine(Qt::PenStyle style) { Assign(PenStyleNetLine, style); }
    QColor GetColorBackDiagram() const { return ColorBackDiagram; }
    QColor GetColorBackNet() const { return ColorBackNet; }
    QColor GetColorNetLine() const { return ColorNetLine; }
    Qt::PenStyle GetPenStyleNetLine() const { return PenStyleNetLine; }
    void SetNameX(const QString& name) { Assign(NameX, name); }
    void SetNameY(const QString& name) { Assign(NameY, name); }
    void SetNameDiagram(const QString& name) { Assign(NameDiagram, name); }
    QString GetNameX() const { return NameX; }
    QString GetNameY() const { return NameY; }
    QString GetNameDiagram() const { return NameDiagram; }
    // Fonts of the x name, the y name, the title and the tick labels. The text
    // colour is the palette's window text unless color is given.
    void SetFontNameX(const QFont& font, const QColor& color = QColor()) {
        AssignFont(FontNameX, ColorNameX, font, color);
    }
    void SetFontNameY(const QFont& font, const QColor& color = QColor()) {
        AssignFont(FontNameY, ColorNameY, font, color);
    }
    void SetFontName(const QFont& font, const QColor& color = QColor()) {
        AssignFont(FontName, ColorName, font, color);
    }
    void SetFontNet(const QFont& font, const QColor& color = QColor()) {
        AssignFont(FontNet, ColorNet, font, color);
    }
    const QFont& GetFontNameX() const { return FontNameX; }
    const QFont& GetFontNameY() const { return FontNameY; }
    const QFont& GetFontName() const { return FontName; }
    const QFont& GetFontNet() const { return FontNet; }
    // The font last used on the picture.
    QFont GetFont() const { return CanvasFont; }
    // Copies the picture; a null one empties it.
    void SetBitmapX(const QImage* bitmap) { Assign(BitmapX, bitmap ? *bitmap : QImage()); }
    void SetBitmapY(const QImage* bitmap) { Assign(BitmapY, bitmap ? *bitmap : QImage()); }
    const QImage& GetBitmapX() const { return BitmapX; }
    const QImage& GetBitmapY() const { return BitmapY; }
    // Redraws; the argument is not used.
    void SetLeftTopX(int) { ShowDiagram(); }
    void SetPrintMode() { Assign(PrintMode, true); }
    void ResetPrintMode() { Assign(PrintMode, false); }
    bool GetPrintMode() const { return PrintMode; }

    // ---- Geometry
    // The scale: ranges, limits, precisions and the value<->pixel map.
    const TScale& GetScale() const { return Scale; }
    int MathToPhisX(double x) const { return Scale.X.ToPixel(x); }
    int MathToPhisY(double y) const { return Scale.Y.ToPixel(y); }
    double PhisToMathX(int px) const { return Scale.X.ToValue(px); }
    double PhisToMathY(int py) const { return Scale.Y.ToValue(py); }
    // The plot rectangle, onto which the ranges are mapped.
    int Get_x0_out() const { return Scale.X.GetOrigin(); }
    int Get_y0_out() const { return Scale.Y.GetOrigin(); }
    int Get_w_out() const { return Scale.X.GetSpan(); }
    int Get_h_out() const { return Scale.Y.GetSpan(); }
    int Get_xb_net() const { return xb_net; }
    int Get_yb_net() const { return yb_net; }
    int Get_xe_net() const { return xb_net + w_net; }
    int Get_ye_net() const { return yb_net + h_net; }
    int GetWidth() const { return width(); }
    int GetHeight() const { return height(); }
    // The least margins of the net (none by default); where the labels need
    // more they get more. Charts shown one above the other take one pair, so
    // that one argument lies at one x on each (chart/TAlignedCharts.h finds
    // it for them). A chart that would keep less than half its net with them
    // keeps its own. Redraws.
    void SetMinNetMargins(const TNetMargins& margins) { Assign(MinNetMargins, margins); }
    TNetMargins GetMinNetMargins() const { return MinNetMargins; }
    // The margins the labels need, at the chart's size, fonts and ranges.
    TNetMargins GetNaturalNetMargins();
    // The margins of the last drawing: Get_xb_net() and the width beyond
    // Get_xe_net().
    TNetMargins GetNetMargins() const { return DrawnMargins; }
    // The group this chart's net is aligned with, or null.
    TAlignedCharts* GetAlignedCharts() const { return Aligned; }

    // Ranges: bounds in either order, at least 1e-6 apart, clamped to the
    // limits; a request that is narrower, not a number, or left without
    // width by the clamping is ignored. The label precision follows the width.
    void SetRangeX(double xmin, double xmax) { RedrawIf(Scale.X.SetRange(xmin, xmax)); }
    void SetRangeY(double ymin, double ymax) { RedrawIf(Scale.Y.SetRange(ymin, ymax)); }
    void SetXmin(double v) { SetRangeX(v, GetXmax()); }
    void SetXmax(double v) { SetRangeX(GetXmin(), v); }
    void SetYmin(double v) { SetRangeY(v, GetYmax()); }
    void SetYmax(double v) { SetRangeY(GetYmin(), v); }
    double GetXmin() const { return Scale.X.GetMin(); }
    double GetXmax() const { return Scale.X.GetMax(); }
    double GetYmin() const { return Scale.Y.GetMin(); }
    double GetYmax() const { return Scale.Y.GetMax(); }
    // Decimals of the tick labels: min(7, |p|).
    void SetPrecisionX(int p) {
        Scale.X.SetPrecision(p);
        ShowDiagram();
    }
    void SetPrecisionY(int p) {
        Scale.Y.SetPrecision(p);
        ShowDiagram();
    }
    int GetPrecisionX() const { return Scale.X.GetPrecision(); }
    int GetPrecisionY() const { return Scale.Y.GetPrecision(); }
    // Limits: bounds in either order, within +-100000, at least 1e-6 apart
    // (narrower or NaN requests are ignored). A range sticking out is cut back;
    // a range wholly outside the new limits becomes the limits.
    void SetLimitX(double lo, double hi) { RedrawIf(Scale.X.SetLimit(lo, hi)); }
    void SetLimitY(double lo, double hi) { RedrawIf(Scale.Y.SetLimit(lo, hi)); }
    void SetLimitXmin(double v) { SetLimitX(v, GetLimitXmax()); }
    void SetLimitXmax(double v) { SetLimitX(GetLimitXmin(), v); }
    void SetLimitYmin(double v) { SetLimitY(v, GetLimitYmax()); }
    void SetLimitYmax(double v) { SetLimitY(GetLimitYmin(), v); }
    double GetLimitXmin() const { return Scale.X.GetLimitMin(); }
    double GetLimitXmax() const { return Scale.X.GetLimitMax(); }
    double GetLimitYmin() const { return Scale.Y.GetLimitMin(); }
    double GetLimitYmax() const { return Scale.Y.GetLimitMax(); }
    void IncrementXmin(double d) { SetRangeX(GetXmin() + d, GetXmax()); }
    void IncrementXmax(double d) { SetRangeX(GetXmin(), GetXmax() + d); }
    void IncrementYmin(double d) { SetRangeY(GetYmin() + d, GetYmax()); }
    void IncrementYmax(double d) { SetRangeY(GetYmin(), GetYmax() + d); }
    // One step of an axis: 1/10^precision, or 10, 100, 1000, 10000 for widths
    // strictly between 100 and 1000, 1000 and 10000, and so on.
    double GetStepX() const { return Scale.X.GetStep(); }
    double GetStepY() const { return Scale.Y.GetStep(); }
    void IncreaseXmin() { IncrementXmin(GetStepX()); }
    void ReduceXmin() { IncrementXmin(-GetStepX()); }
    void IncreaseXmax() { IncrementXmax(GetStepX()); }
    void ReduceXmax() { IncrementXmax(-GetStepX()); }
    void IncreaseYmin() { IncrementYmin(GetStepY()); }
    void ReduceYmin() { IncrementYmin(-GetStepY()); }
    void IncreaseYmax() { IncrementYmax(GetStepY()); }
    void ReduceYmax() { IncrementYmax(-GetStepY()); }
    // Ranges from every series of the list, visible or not.
    void AutoRangeX() { AutoRange(true, false); }
    void AutoRangeXAverage() { AutoRange(true, true); }
    void AutoRangeY() { AutoRange(false, false); }
    void AutoRangeYAverage() { AutoRange(false, true); }

    // ---- Logarithmic argument
    // While on, the argument axis is logarithmic: the chart's x -- the series'
    // arguments, the ranges and the limits -- is log10 of the value it shows,
    // so that series sampled evenly on a logarithmic scale keep their uniform
    // grid. The tick labels show the values (1, 2, 5 times the powers of ten,
    // chart/TLogAxisScale.h), and so do the crosshair's readout and the data
    // saved from the chart. Off by default. Redraws.
    void SetLogarithmicX(bool on) { Assign(LogarithmicX, on); }
    bool GetLogarithmicX() const { return LogarithmicX; }
    // The value the argument axis shows at chart x: 10^x on a logarithmic
    // axis, x itself on a linear one.
    double ShownX(double x) const { return LogarithmicX ? std::pow(10.0, x) : x; }

    // ---- Notes
    // Points marked with a few lines of text beside them (chart/ChartNotes.h),
    // in the chart's units; drawn over the series, kept clear of the legend.
    // Redraws.
    void SetNotes(const std::vector<TChartNote>& notes) { Assign(Notes, notes); }
    const std::vector<TChartNote>& GetNotes() const { return Notes; }

    // ---- Series
    // Each draws one series onto the picture as it stands (ShowDiagram draws
    // every series by its graph kind).
    void ShowAnalog(TKeeper* k);
    void ShowDiscret(TKeeper* k);
    void ShowRadio(TKeeper* k);
    void ShowHistogram(TKeeper* k);
    // Sets one pixel of the picture at (x, y) when it lies within the ranges.
    void ShowPoint(double x, double y, const QColor& color);
    // Series drawing on or off; takes effect at the next ShowDiagram.
    void EnableLine(bool on) { LineEnabled = on; }
    // The series list (chart/TKeeperList.h).
    void NewKeeperList(unsigned char n) { Keepers.NewList(n); }
    void DeleteKeeperList() { Keepers.DeleteList(); }
    // Appends a series; its number, or 0 when none could be made.
    unsigned char NewKeeper() { return Keepers.New(); }
    TKeeper* PNewKeeper() { return Keepers.PNew(); }
    void DeleteKeeper(unsigned char n);
    void PDeleteKeeper(TKeeper* k) { Keepers.Delete(k); }
    TKeeper* GetKeeper(unsigned char n) { return Keepers.Get(n); }
    unsigned char GetKeeperListLength() const { return Keepers.Length(); }
    // Lets tests stand in for an exhausted heap: the allocator returns the new
    // series or null. Returns the previous allocator; null restores the default.
    using KeeperAllocator = TKeeperList::Allocator;
    static KeeperAllocator SetKeeperAllocator(KeeperAllocator allocator) {
        return TKeeperList::SetAllocator(allocator);
    }

    // ---- Crosshair
    void SetShowFeeler(bool on);
    bool GetShowFeeler() const { return ShowFeeler; }
    bool GetFeelerDrawn() const { return FeelerDrawn; }
    // Where the crosshair is (or was last) drawn, in chart pixels.
    int GetFeelerX() const { return FeelerX; }
    int GetFeelerY() const { return FeelerY; }
    // Moves the crosshair to chart pixel (x, y) as a mouse movement there
    // would, OnMouseMove included: the keyboard's way to move it.
    void MoveFeeler(int x, int y, Qt::KeyboardModifiers shift = Qt::NoModifier) {
        MouseMove(shift, x, y);
    }
    // A shown crosshair is redrawn at once with the new pen.
    void SetPenStyleFeeler(Qt::PenStyle style);
    void SetPenWidthFeeler(int width);
    void SetColorFeeler(const QColor& color);
    Qt::PenStyle GetPenStyleFeeler() const { return PenStyleFeeler; }
    int GetPenWidthFeeler() const { return PenWidthFeeler; }
    QColor GetColorFeeler() const { return ColorFeeler; }
    // Cursor over the net while the crosshair is off.
    void SetNetCursor(Qt::CursorShape shape) { NetCursor = shape; }
    Qt::CursorShape GetNetCursor() const { return NetCursor; }

    // ---- Export
    // Puts the picture, black on white, on the clipboard: drawn afresh at the
    // picture's device pixel ratio r (r times the widget's pixels each way),
    // with devicePixelRatio() r.
    void CopyToClipboard();
    // Asks for a file name (initially "Диаграмма.bmp"), then saves.
    void SaveBmpFile();
    // Saves the picture, black on white, as a BMP file. Any other extension is
    // corrected to ".bmp" with a message, and an existing file of the corrected
    // name is replaced only if the user agrees; a failed write, a chart of no
    // size included, is reported. Returns whether the file was written.
    bool SaveBmpFile(const QString& fileName);
    // The chart as it is on screen (colours, ranges, every series, its net's
    // margins), drawn afresh into a picture of its own at device pixel ratio
    // ratio (> 0), for a print of any resolution; the picture on screen is
    // left as it is. With the legend below the chart, the picture grows by
    // the legend's height (deviceIndependentSize() tells), and the chart
    // above it, net and all, is the one shown without a legend in the net.
    QImage RenderPicture(qreal ratio, TLegendPlace legend = TLegendPlace::InChart);

    // Designer registration; nothing to do at run time.
    static void Register() {}

  signals:
    // After every full drawing (which takes the crosshair away).
    void Drawn();
    // Every mouse movement over the chart, after the crosshair has followed it.
    void OnMouseMove(TDiagram* sender, Qt::KeyboardModifiers shift, int x, int y);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool event(QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    // The mouse handler proper, in the chart's pixels.
    void MouseMove(Qt::KeyboardModifiers shift, int x, int y);

  private:
    friend class TAlignedCharts;
    // Every visible change stores its value and redraws the whole chart.
    template <class T, class V> void Assign(T& member, const V& value) {
        member = value;
        ShowDiagram();
    }
    void AssignFont(QFont& font, QColor& color, const QFont& newFont, const QColor& newColor) {
        font = newFont;
        color = newColor;
        ShowDiagram();
    }
    void RedrawIf(bool changed);
    // The device pixel ratio the picture is drawn at: the screen's, or that
    // of an export or print being drawn.
    qreal PictureRatio() const;
    // Makes Picture a W x H image at ratio, its pixels left as they are when
    // it already was one.
    void SizePicture(int W, int H, qreal ratio);
    // ShowDiagram and ShowBitmap without the repaint of the widget.
    void Render(TLegendPlace legend = TLegendPlace::InChart);
    void DrawBitmaps();
    // The print picture at ratio (> 0; a saved bitmap takes 1), drawn for an
    // export; the chart is shown again afterwards as before.
    QImage ExportPicture(qreal ratio = 1.0);
    void AutoRange(bool x, bool average);
    // What the layout of one drawing leaves to the drawing besides the members.
    struct TLayout {
        int th = 1;     // text height of the larger of title and y-name fonts
        int digitW = 1; // width of a digit in the label font
        int lwX = 1, lwY = 1;
        int availW = 0;      // the width but for the x name's
        bool labels = false; // ticks and labels fit
    };
    // What a drawing does with the legend: its lines and box, the analog
    // curves' columns worked out on the way (for a drawing at ratio 1 on the
    // same net), and the rows the picture grows by.
    struct TLegendPlan {
        TLegendLines lines;
        QRect box;
        TCurveColumns known;
        int below = 0;
    };
    // Lays the legend out after the chart's layout, which it lays out again
    // when it needs a band above the net.
    void PlanLegend(TLayout& layout, TLegendPlace place, TLegendPlan& plan);
    TLegendLook LegendLook() const;
    // Fonts and label sizes of a drawing, measured.
    TLayout Measure();
    TNetMargins NaturalMargins(const TLayout& c) const;
    // The natural margins, widened to the chart's own least ones.
    TNetMargins OwnNetMargins();
    // The margins a drawing takes now: the chart's own, widened to its
    // group's unless that leaves less than half the net.
    TNetMargins TakenMargins(const TLayout& c);
    // Draws the chart again when its group's margins moved; whether it did.
    bool FollowMargins();
    // Places the net and the plot rectangle; band rows above the net are
    // left to the legend.
    TLayout LayOut(int band = 0);
    void DrawNames(QPainter& p, const QColor& back);
    QColor TextColor(const QColor& own) const;
    TNetRect Net() const { return TNetRect{xb_net, yb_net, w_net, h_net}; }
    void ShowSeries(TKeeper* k, void (TSeriesPainter::*draw)(TKeeper&));
    void DrawFeeler(int x, int y);
    void SetFeelerPen(Qt::PenStyle style, int width, const QColor& color);

    int xb_net = 0, yb_net = 0, w_net = 0, h_net = 0;
    TNetMargins MinNetMargins;
    TNetMargins DrawnMargins;
    TAlignedCharts* Aligned = nullptr;
    QColor ColorBackDiagram;
    QColor ColorBackNet;
    QColor ColorNetLine;
    Qt::PenStyle PenStyleNetLine = Qt::DotLine;
    QString NameY, NameX, NameDiagram;
    QFont FontNameX, FontNameY, FontName, FontNet;
    QColor ColorNameX, ColorNameY, ColorName, ColorNet;
    QFont CanvasFont;
    // The fonts as the layout measures them (as given) and as the texts are
    // drawn (unhinted), with their measurements kept between repaints.
    TTextMeasure LayoutName, LayoutNameX, LayoutNameY;
    TTextMeasure DrawnName, DrawnNameX, DrawnNameY, DrawnNet;
    TTextMeasure LegendText;
    QRect LegendRect;
    QSize LegendKeepOut;
    bool PrintMode = false;
    // The ratio a picture for export or print is drawn at; 0 for the screen's.
    qreal ExportRatio = 0;
    bool DirectDrawing = true;
    QImage BitmapX, BitmapY;
    bool LineEnabled = true;
    int UpdateDepth = 0;        // open batches
    bool RedrawPending = false; // a redraw was asked for inside them
    bool ShowFeeler = true;
    bool FeelerDrawn = false;
    bool CursorSaved = false;
    int FeelerX = 0, FeelerY = 0;
    Qt::CursorShape NetCursor = Qt::CrossCursor;
    Qt::CursorShape SavedCursor = Qt::ArrowCursor;
    Qt::PenStyle PenStyleFeeler = Qt::SolidLine;
    int PenWidthFeeler = 1;
    QColor ColorFeeler;
    bool LogarithmicX = false;
    std::vector<TChartNote> Notes;
    TScale Scale;
    double GridStepX = 0, GridStepY = 0;
    TKeeperList Keepers;
    QImage Picture;
};

// Applies several settings to a chart with one redraw at the end, in the
// manner of a plot's replot switch:
//   { TDiagramBatch batch(chart); chart.SetRangeX(...); chart.SetLimitX(...); }
// Nested batches redraw once, when the outermost one ends.
class TDiagramBatch {
  public:
    explicit TDiagramBatch(TDiagram& chart) : Chart(chart) { Chart.BeginUpdate(); }
    ~TDiagramBatch() { Chart.EndUpdate(); }
    TDiagramBatch(const TDiagramBatch&) = delete;
    TDiagramBatch& operator=(const TDiagramBatch&) = delete;

  private:
    TDiagram& Chart;
};
