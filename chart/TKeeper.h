#pragma once
// One data series of a chart: a function y(x) sampled on a uniform argument
// grid (sample n lies at Xmin + n*Step), a constant, or a function pointer,
// together with how the chart draws it. A series is owned by one diagram and
// never copied; further series of a diagram are chained through Next.

#include <QColor>
#include <cstdio>
#include <string>
#include <vector>

// Where the samples of a series live.
enum TDataKind : unsigned char {
    dkConstant = 0,       // every value is Constant
    dkFunction = 1,       // value = Function(x)
    dkFloatArray = 2,     // FloatData[0 .. Count-1], owned
    dkDoubleArray = 3,    // DoubleData[0 .. Count-1], owned
    dkFloatArrayRef = 4,  // FloatData, the caller's memory
    dkDoubleArrayRef = 5, // DoubleData, the caller's memory
    dkFloatFile = 6,      // file of 32-bit floats, sample n at byte 4n
    dkDoubleFile = 7      // file of doubles, sample n at byte 8n (any other kind too)
};

// How the chart draws a series.
enum TGraphKind : unsigned char {
    gkAnalog = 0,
    gkDiscret = 1,
    gkRadio = 2,
    gkAnalogPeriodic = 3,
    gkDiscretPeriodic = 4,
    gkRadioPeriodic = 5,
    gkHistogram = 6
};

// Interpolation kernel of continuous reading (Kernel in filters/Interp.h).
enum TInterpKind : unsigned char {
    ikTriangle = 0,       // linear between neighbouring samples
    ikQuartic = 1,        // piecewise quartic, support 1.5 steps
    ikQuintic = 2,        // piecewise quintic, support 2 steps
    ikSinc = 3,           // sinc
    ikRectangle = 4,      // rectangle one step wide
    ikStep = 5,           // one-sided step
    ikNarrowRectangle = 6 // rectangle narrowed to 0.99 steps
};

// How a series continues to the left of its first sample.
enum TSymmetry : unsigned char {
    syNone = 0, // not at all: reads 0 there
    syEven = 1, // mirrored: y(Xmin - a) = y(Xmin + a)
    syOdd = 2   // mirrored and negated: y(Xmin - a) = -y(Xmin + a)
};

class TKeeper {
  public:
    using TFunction = double (*)(double);

    TKeeper();
    ~TKeeper();
    TKeeper(const TKeeper&) = delete;
    TKeeper& operator=(const TKeeper&) = delete;

    // Releases owned samples and the file, and returns the data members to
    // their defaults. Presentation (colour, width, name, interpolation,
    // visibility, symmetry, marks, dashes, layer, legend) and the list link
    // survive.
    void Clear();

    // Clears the series and lays out count samples over [xmin, xmax] (bounds in
    // either order). count <= 0, equal or non-finite bounds are refused with a
    // message and change nothing. A single sample gets Step = xmax - xmin.
    bool InitArgument(int count, double xmin, double xmax);

    // Points the series at the caller's array of count doubles without copying;
    // the array must outlive every drawing of the series. The value range is
    // taken from the data; a flat series gets a range of 1e-5. A null array is
    // refused and changes nothing.
    bool SetData(const double* data, int count, double xmin, double xmax);
    // The same for an array of 32-bit floats.
    bool SetData(const float* data, int count, double xmin, double xmax);
    // Copies count values into storage owned by the series.
    bool CopyData(const double* data, int count, double xmin, double xmax);
    bool CopyData(const float* data, int count, double xmin, double xmax);
    // A constant over count samples of [xmin, xmax].
    bool SetConstantData(double value, int count, double xmin, double xmax);
    // Values computed by f; count sets the step of discrete drawing and the
    // points from which the value range is estimated.
    bool SetFunctionData(TFunction f, int count, double xmin, double xmax);
    // Reads samples from a binary file of 32-bit floats (floats = true) or
    // doubles; the series keeps the file open until Clear.
    bool SetFileData(const std::string& path, bool floats, int count, double xmin, double xmax);

    // Raw stored sample n without Scale; 0.0 outside 0 .. Count-1.
    double GetSample(int n);
    // Continuous reading at argument x (analog and radio kinds).
    double GetValue(double x);
    // Discrete reading of sample n (discrete and histogram kinds); sets OutOfRange.
    double GetDiscretValue(int n);

    void Show() { Visible = true; }
    void Hide() { Visible = false; }
    bool IsVisible() const { return Visible; }

    QColor GetColor() const { return Color; }
    int GetPenWidth() const { return PenWidth; }
    unsigned char GetGraphKind() const { return GraphKind; }
    double GetXmin() const { return Xmin; }
    double GetXmax() const { return Xmax; }
    double GetYmin() const { return Ymin; }
    double GetYmax() const { return Ymax; }
    double GetStep() const { return Step; }
    int GetCount() const { return Count; }
    unsigned char GetDataKind() const { return DataKind; }
    bool GetOutOfRange() const { return OutOfRange; }
    bool GetMarkSamples() const;

    void SetNext(TKeeper* next) { Next = next; }
    TKeeper* GetNext() const { return Next; }
    void ResetNext() { Next = nullptr; }
    void SetNumber(unsigned char number) { Number = number; }
    unsigned char GetNumber() const { return Number; }

    // Plain setters.
    void SetConstant(double value) { Constant = value; }
    void SetFunction(TFunction f) { Function = f; }
    // Periodic kinds: argument units for the continuous ones, samples for the
    // discrete one. A period that cannot wrap (continuous <= 0, discrete < 1)
    // reads the series as if it were not periodic.
    void SetPeriod(double period) { Period = period; }
    void SetScale(double scale) { Scale = scale; }
    void SetColor(const QColor& color) { Color = color; }
    void SetPenWidth(int width) { PenWidth = width; }
    void SetName(const std::string& name) { Name = name; }
    const std::string& GetName() const { return Name; }
    void SetGraphKind(unsigned char kind) { GraphKind = kind; }
    // A TInterpKind; any other number reads every value as 0.
    void SetInterpKind(unsigned char kind) { InterpKind = static_cast<TInterpKind>(kind); }
    TInterpKind GetInterpKind() const { return InterpKind; }
    // A TSymmetry; any other number does not continue the series.
    void SetSymmetry(unsigned char symmetry) { Symmetry = static_cast<TSymmetry>(symmetry); }
    TSymmetry GetSymmetry() const { return Symmetry; }
    void SetMarkSamples(bool on) { MarkSamples = on; }
    void SetHideOutOfRangeMarks(bool on) { HideOutOfRangeMarks = on; }
    // A discrete series shown by its marks alone: a ring at each sample, no
    // stem and no zero line (points measured at a few arguments, beside a
    // curve). Marks on or off as SetMarkSamples says, on by this call.
    void SetMarksOnly(bool on) {
        MarksOnly = on;
        MarkSamples = MarkSamples || on;
    }
    bool GetMarksOnly() const { return MarksOnly; }
    double GetPeriod() const { return Period; }
    double GetScale() const { return Scale; }
    double GetConstant() const { return Constant; }

    // Dashes of an analog curve, in widget pixels along the curve's path:
    // drawn, left out, drawn, ... (an even count of positive lengths). Empty
    // (the default), or any other pattern, draws the curve solid; the other
    // kinds are always solid.
    void SetDashPattern(const std::vector<double>& pattern) { DashPattern = pattern; }
    const std::vector<double>& GetDashPattern() const { return DashPattern; }
    // A series beneath is drawn before every series that is not (each group
    // in list order), so that those stay on top; a list without one is drawn
    // in list order.
    void SetBeneath(bool on) { Beneath = on; }
    bool GetBeneath() const { return Beneath; }
    // Keeps its colour in a black-on-white export, where series are black.
    void SetPrintInColor(bool on) { PrintInColor = on; }
    bool GetPrintInColor() const { return PrintInColor; }
    // Listed by its name (UTF-8) in the chart's legend while visible.
    void SetInLegend(bool on) { InLegend = on; }
    bool GetInLegend() const { return InLegend; }

  private:
    // The value range of count >= 1 values, value i read by sample(i); a flat
    // series is widened to 1e-5.
    template <class Sample> void TakeValueRange(int count, Sample sample);
    // The same for count samples of an array.
    template <class T> void TakeArrayRange(const T* data, int count);
    // Copies count samples into storage owned by the series.
    template <class T> bool CopySamples(const T* data, int count, double xmin, double xmax);
    void Own(double* samples);
    void Own(float* samples);

    unsigned char DataKind;
    const float* FloatData;
    const double* DoubleData;
    TFunction Function;
    std::FILE* File;
    double Constant;
    int Count;
    double Xmin, Xmax;
    double Ymin, Ymax;
    double Period;
    double Step;
    double Scale;
    QColor Color;
    int PenWidth;
    std::string Name;
    unsigned char GraphKind;
    TInterpKind InterpKind;
    bool Visible;
    TSymmetry Symmetry;
    bool MarkSamples;
    bool OutOfRange;
    bool HideOutOfRangeMarks;
    TKeeper* Next;
    unsigned char Number;
    std::vector<double> DashPattern;
    bool Beneath = false;
    bool PrintInColor = false;
    bool InLegend = false;
    bool MarksOnly = false;
};
