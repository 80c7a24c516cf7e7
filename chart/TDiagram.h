#pragma once
// The chart control: a widget that owns its picture, draws a labelled grid and
// a list of data series into it, and shows it. Every setter that changes
// something visible redraws the whole picture at once (ShowDiagram); only
// ShowPoint and the crosshair draw into the existing picture.
//
// Ranges are in the series' own units and are kept within the limits, which
// never exceed +-100000. Pixel coordinates are those of the widget, x to the
// right and y downward; conversions to pixels truncate toward zero.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QString>
#include <QWidget>
#include <cstddef>
#include <string>

#include "chart/TKeeper.h"

class QPainter;

class TDiagram : public QWidget {
    Q_OBJECT

  public:
    explicit TDiagram(QWidget* owner = nullptr);
    ~TDiagram() override;
    TDiagram(const TDiagram&) = delete;
    TDiagram& operator=(const TDiagram&) = delete;

    // ---- Rendering
    // Full repaint of the picture, synchronously, then a repaint of the widget.
    void ShowDiagram();
    // Draws BitmapY at the net's top left and BitmapX at its bottom right.
    void ShowBitmap();
    // Writes value with precision 0..7 decimals ("%.Nf"), any other precision
    // in exponent form ("%e"), with a decimal point, into buffer of size
    // characters (always terminated, never overrun). Returns the number of
    // characters written.
    static int num2char(char* buffer, std::size_t size, double value, int precision);
    // The same into a string, whatever its length.
    static std::string num2str(double value, int precision);

    // One axis of the grid: values first + i*step for i in [0, count), and
    // eps, the distance from zero within which a value counts as zero.
    struct TGridAxis {
        double first = 0;
        double step = 1;
        double eps = 0;
        int count = 0;
        double Value(int i) const { return first + i * step; }
    };
    // Grid step for a range of the given width when fit intervals fit on the
    // axis: 10^k times the first of the multipliers 0.05, 0.1, 0.2, 0.2, 0.5,
    // 1, 2, 2, 5 whose interval count fits, the coarsest when none does.
    static double GridStep(double width, double fit);
    // The grid values of [lo, hi] for step (at most a few thousand).
    static TGridAxis MakeGridAxis(double lo, double hi, double step);
    // Tick label of grid value v: "0.0" (or "0" at precision 0) near zero.
    static std::string GridLabel(double v, int precision, double eps);
    // precision raised until no two neighbouring labels of axis read alike;
    // at most 8, where labels switch to exponent form.
    static int SearchPrecision(const TGridAxis& axis, int precision);
    // Grid steps chosen by the last ShowDiagram.
    double GetGridStepX() const { return GridStepX; }
    double GetGridStepY() const { return GridStepY; }
    // Gives the picture a new blank (white) image of the widget's size.
    void FullSize();
    const QImage& GetPicture() const { return Picture; }

    // ---- Appearance
    void SetColorBackDiagram(const QColor& c);
    void SetColorBackNet(const QColor& c);
    void SetColorNetLine(const QColor& c);
    void SetPenStyleNetLine(Qt::PenStyle style);
    QColor GetColorBackDiagram() const { return ColorBackDiagram; }
    QColor GetColorBackNet() const { return ColorBackNet; }
    QColor GetColorNetLine() const { return ColorNetLine; }
    Qt::PenStyle GetPenStyleNetLine() const { return PenStyleNetLine; }
    void SetNameX(const QString& name);
    void SetNameY(const QString& name);
    void SetNameDiagram(const QString& name);
    QString GetNameX() const { return NameX; }
    QString GetNameY() const { return NameY; }
    QString GetNameDiagram() const { return NameDiagram; }
    // Fonts of the x name, the y name, the title and the tick labels. The text
    // colour is the palette's window text unless color is given.
    void SetFontNameX(const QFont& font, const QColor& color = QColor());
    void SetFontNameY(const QFont& font, const QColor& color = QColor());
    void SetFontName(const QFont& font, const QColor& color = QColor());
    void SetFontNet(const QFont& font, const QColor& color = QColor());
    const QFont& GetFontNameX() const { return FontNameX; }
    const QFont& GetFontNameY() const { return FontNameY; }
    const QFont& GetFontName() const { return FontName; }
    const QFont& GetFontNet() const { return FontNet; }
    // The font last used on the picture.
    QFont GetFont() const { return CanvasFont; }
    // Copies the picture; a null one empties it.
    void SetBitmapX(const QImage* bitmap);
    void SetBitmapY(const QImage* bitmap);
    const QImage& GetBitmapX() const { return BitmapX; }
    const QImage& GetBitmapY() const { return BitmapY; }
    // Redraws; the argument is not used.
    void SetLeftTopX(int);
    void SetPrintMode();
    void ResetPrintMode();
    bool GetPrintMode() const { return PrintMode; }

    // ---- Geometry
    int MathToPhisX(double x) const;
    int MathToPhisY(double y) const;
    double PhisToMathX(int px) const;
    double PhisToMathY(int py) const;
    int Get_x0_out() const { return x0_out; }
    int Get_y0_out() const { return y0_out; }
    int Get_w_out() const { return w_out; }
    int Get_h_out() const { return h_out; }
    int Get_xb_net() const { return xb_net; }
    int Get_yb_net() const { return yb_net; }
    int Get_xe_net() const { return xb_net + w_net; }
    int Get_ye_net() const { return yb_net + h_net; }
    int GetWidth() const { return width(); }
    int GetHeight() const { return height(); }

    // Ranges: bounds in either order, at least 1e-6 apart, clamped to the
    // limits; a request that is narrower, not a number, or left without
    // width by the clamping is ignored. The label precision follows the width.
    void SetRangeX(double xmin, double xmax);
    void SetRangeY(double ymin, double ymax);
    void SetXmin(double v) { SetRangeX(v, Xmax); }
    void SetXmax(double v) { SetRangeX(Xmin, v); }
    void SetYmin(double v) { SetRangeY(v, Ymax); }
    void SetYmax(double v) { SetRangeY(Ymin, v); }
    double GetXmin() const { return Xmin; }
    double GetXmax() const { return Xmax; }
    double GetYmin() const { return Ymin; }
    double GetYmax() const { return Ymax; }
    // Decimals of the tick labels: min(7, |p|).
    void SetPrecisionX(int p);
    void SetPrecisionY(int p);
    int GetPrecisionX() const { return PrecisionX; }
    int GetPrecisionY() const { return PrecisionY; }
    // Limits: bounds in either order, within +-100000, at least 1e-6 apart
    // (narrower or NaN requests are ignored). A range sticking out is cut back;
    // a range wholly outside the new limits becomes the limits.
    void SetLimitX(double lo, double hi);
    void SetLimitY(double lo, double hi);
    void SetLimitXmin(double v) { SetLimitX(v, LimitXmax); }
    void SetLimitXmax(double v) { SetLimitX(LimitXmin, v); }
    void SetLimitYmin(double v) { SetLimitY(v, LimitYmax); }
    void SetLimitYmax(double v) { SetLimitY(LimitYmin, v); }
    double GetLimitXmin() const { return LimitXmin; }
    double GetLimitXmax() const { return LimitXmax; }
    double GetLimitYmin() const { return LimitYmin; }
    double GetLimitYmax() const { return LimitYmax; }
    void IncrementXmin(double d) { SetRangeX(Xmin + d, Xmax); }
    void IncrementXmax(double d) { SetRangeX(Xmin, Xmax + d); }
    void IncrementYmin(double d) { SetRangeY(Ymin + d, Ymax); }
    void IncrementYmax(double d) { SetRangeY(Ymin, Ymax + d); }
    // One step of an axis: 1/10^precision, or 10, 100, 1000, 10000 for widths
    // strictly between 100 and 1000, 1000 and 10000, and so on.
    double GetStepX() const;
    double GetStepY() const;
    void IncreaseXmin() { IncrementXmin(GetStepX()); }
    void ReduceXmin() { IncrementXmin(-GetStepX()); }
    void IncreaseXmax() { IncrementXmax(GetStepX()); }
    void ReduceXmax() { IncrementXmax(-GetStepX()); }
    void IncreaseYmin() { IncrementYmin(GetStepY()); }
    void ReduceYmin() { IncrementYmin(-GetStepY()); }
    void IncreaseYmax() { IncrementYmax(GetStepY()); }
    void ReduceYmax() { IncrementYmax(-GetStepY()); }
    // Ranges from every series of the list, visible or not.
    void AutoRangeX();
    void AutoRangeXAverage();
    void AutoRangeY();
    void AutoRangeYAverage();

    // ---- Series
    void ShowAnalog(TKeeper* k);
    void ShowDiscret(TKeeper* k);
    void ShowRadio(TKeeper* k);
    void ShowHistogram(TKeeper* k);
    // Sets one pixel of the picture at (x, y) when it lies within the ranges.
    void ShowPoint(double x, double y, const QColor& color);
    // Series drawing on or off; takes effect at the next ShowDiagram.
    void EnableLine(bool on) { LineEnabled = on; }
    void NewKeeperList(unsigned char n);
    void DeleteKeeperList();
    // Appends a series; its number, or 0 when none could be made.
    unsigned char NewKeeper();
    TKeeper* PNewKeeper();
    void DeleteKeeper(unsigned char n);
    void PDeleteKeeper(TKeeper* k);
    TKeeper* GetKeeper(unsigned char n);
    unsigned char GetKeeperListLength() const;
    // Lets tests stand in for an exhausted heap: the allocator returns the new
    // series or null. Returns the previous allocator; null restores the default.
    using KeeperAllocator = TKeeper* (*)();
    static KeeperAllocator SetKeeperAllocator(KeeperAllocator allocator);

    // ---- Crosshair
    void SetShowFeeler(bool on);
    bool GetShowFeeler() const { return ShowFeeler; }
    bool GetFeelerDrawn() const { return FeelerDrawn; }
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
    // Puts the picture, black on white, on the clipboard.
    void CopyToClipboard();
    // Asks for a file name (initially "Диаграмма.bmp"), then saves.
    void SaveBmpFile();
    // Saves the picture, black on white, as a BMP file. Any other extension is
    // corrected to ".bmp" with a message; a failed write is reported.
    // Returns whether the file was written.
    bool SaveBmpFile(const QString& fileName);

    // Designer registration; nothing to do at run time.
    static void Register() {}

  signals:
    // Every mouse movement over the chart, after the crosshair has followed it.
    void OnMouseMove(TDiagram* sender, Qt::KeyboardModifiers shift, int x, int y);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    // The mouse handler proper, in the chart's pixels.
    void MouseMove(Qt::KeyboardModifiers shift, int x, int y);

  private:
    // Smallest and largest (or average) of one pair of bounds over the series list.
    using Bound = double (TKeeper::*)() const;
    void SeriesExtent(Bound lower, Bound upper, bool average, double& lo, double& hi) const;

    struct TPaintContext;
    void LayOut(TPaintContext& c);
    void DrawGridX(QPainter& p, TPaintContext& c);
    void DrawGridY(QPainter& p, TPaintContext& c);
    void DrawNames(QPainter& p, TPaintContext& c);
    QColor TextColor(const QColor& own) const;
    void ApplyRange(double lo, double hi, bool isX);
    void ApplyLimit(double lo, double hi, bool isX);
    void DrawFeeler(int x, int y);
    int ClampRow(int py) const;
    int SetUpSeriesPen(QPainter& p, const TKeeper& k) const;
    void DrawStemsOrBars(TKeeper* k, bool bars);
    TKeeper* AppendKeeper(bool& noMemory);

    int xb_net = 0, yb_net = 0, w_net = 0, h_net = 0;
    int x0_out = 0, y0_out = 0, w_out = 0, h_out = 0;
    QColor ColorBackDiagram;
    QColor ColorBackNet;
    QColor ColorNetLine;
    Qt::PenStyle PenStyleNetLine = Qt::DotLine;
    QString NameY, NameX, NameDiagram;
    QFont FontNameX, FontNameY, FontName, FontNet;
    QColor ColorNameX, ColorNameY, ColorName, ColorNet;
    QFont CanvasFont;
    bool PrintMode = false;
    QImage BitmapX, BitmapY;
    bool LineEnabled = true;
    bool ShowFeeler = true;
    bool FeelerDrawn = false;
    bool CursorSaved = false;
    int FeelerX = 0, FeelerY = 0;
    Qt::CursorShape NetCursor = Qt::CrossCursor;
    Qt::CursorShape SavedCursor = Qt::ArrowCursor;
    Qt::PenStyle PenStyleFeeler = Qt::SolidLine;
    int PenWidthFeeler = 1;
    QColor ColorFeeler;
    double LimitXmin = -100000, LimitXmax = 100000;
    double LimitYmin = -100000, LimitYmax = 100000;
    double Xmin = -1, Xmax = 1;
    int PrecisionX = 1;
    double Ymin = -1, Ymax = 1;
    int PrecisionY = 1;
    double GridStepX = 0, GridStepY = 0;
    TKeeper Base;
    QImage Picture;
    // The painter of a running ShowDiagram, for the series routines.
    QPainter* Painter = nullptr;
};
