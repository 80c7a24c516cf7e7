#pragma once
// What the two chart windows share: four pairs of limit arrows that step the
// bounds of one chart's range, the range that "Исходные пределы" returns to,
// the crosshair and arrow toggles, the look of a tool button, and telling a
// click on the chart from other presses. Each window keeps its own layout.

#include <QObject>
#include <QPoint>

#include "controls/LabIcons.h"
#include "controls/TArrowPair.h"

class QString;
class QToolButton;
class QWidget;
class TDiagram;

// The tools of one chart, as a base of the window that shows them (beside
// its widget base), so that the arrow pairs and their handlers are the
// window's own public members.
class TChartTools {
  public:
    TChartTools(const TChartTools&) = delete;
    TChartTools& operator=(const TChartTools&) = delete;

    // The four arrow pairs; object names equal the member names.
    TArrowPair* UpDown1 = nullptr; // upper y limit
    TArrowPair* UpDown2 = nullptr; // lower y limit
    TArrowPair* UpDown3 = nullptr; // lower x limit
    TArrowPair* UpDown4 = nullptr; // upper x limit

    // Each moves its bound by one step of its axis (the chart's own step
    // rule and limits): next (up, right) increases it, previous decreases.
    void UpDown1Click(TArrowPair::TUDBtnType button);
    void UpDown2Click(TArrowPair::TUDBtnType button);
    void UpDown3Click(TArrowPair::TUDBtnType button);
    void UpDown4Click(TArrowPair::TUDBtnType button);

    // The chart range that "Исходные пределы" returns to.
    double GetInitXmin() const { return FInitXmin; }
    double GetInitXmax() const { return FInitXmax; }
    double GetInitYmin() const { return FInitYmin; }
    double GetInitYmax() const { return FInitYmax; }

  protected:
    explicit TChartTools(TDiagram* chart = nullptr) : Chart(chart) {}
    virtual ~TChartTools() = default;

    void SetToolChart(TDiagram* chart) { Chart = chart; }
    // Makes the four arrow pairs on parent, hidden, the vertical ones 16 wide
    // and length high, the horizontal ones length wide and 16 high, each click
    // wired to its handler, each pair and arrow named for assistive tools by
    // the bound it moves.
    void MakeArrows(QWidget* parent, int length);
    // Remembers the chart's range as the one to return to.
    void SaveInitialRange();
    // Gives the chart that range again, both axes with one redraw.
    void ReturnToInitialRange();
    // Switches the chart's crosshair over; returns whether it is on now.
    bool ToggleFeeler();
    // Shows the arrows when hidden, hides them when shown; returns whether
    // they are shown now.
    bool ToggleArrows();
    void SetArrowsVisible(bool visible);
    // Called after each step of an arrow, once the chart shows the new range.
    virtual void LimitsStepped() {}

  private:
    void Step(TArrowPair::TUDBtnType button, void (TDiagram::*increase)(),
              void (TDiagram::*reduce)());

    TDiagram* Chart;
    double FInitXmin = 0, FInitXmax = 0, FInitYmin = 0, FInitYmax = 0;
};

// The readout text of value v for an axis whose labels have precision
// decimals: at most 5 significant digits, written with precision + 2
// decimals and the locale's decimal separator; exponent form from six
// integer digits on.
QString CoordinateText(double v, int precision);
// The readout of the point (x, y) in chart's units: "(" x "; " y ")", each
// coordinate as CoordinateText writes it with its axis' label precision.
QString ValueText(const TDiagram& chart, double x, double y);
// The readout of chart pixel (x, y): ValueText of the values there.
QString PointText(const TDiagram& chart, int x, int y);

// A tool button of the chart windows, 23 x 22 with a 16-pixel icon and the
// hint as its tooltip and accessible name, a toggle when toggle; it takes no
// focus, so that the keyboard stays where the user was (the chart's keys and
// its pop-up menu stand in for it). The caller places it.
QToolButton* MakeToolButton(QWidget* parent, const char* name, TLabIcon icon, const QString& hint,
                            bool toggle);

// The chart has no click or press signals of its own; this takes them from its
// mouse events. A click is a left press and its release over the widget; the
// second press of a double click starts none.
class TClickDetector : public QObject {
    Q_OBJECT

  public:
    // Watches widget, as its child.
    explicit TClickDetector(QWidget* widget);

  signals:
    // Every press of a mouse button, the second press of a double click too.
    void Pressed(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos);
    // A left press, then its release over the widget.
    void Clicked();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget* Widget;
    bool LeftDown = false;
};
