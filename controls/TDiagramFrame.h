#pragma once
// A chart with its tools, placed into a window as one control: the chart fills
// the frame; a small floating panel of six buttons and four pairs of limit
// arrows at the ends of the axes appear while the mouse is over the chart.
//
// Tool visibility has three states:
//   hidden  (initial)     -> mouse moves over the chart -> shown
//   shown   (panel; the arrows too when "Пределы" is down)
//                         -> HideTools() -> hidden; right click -> locked
//   locked  (all hidden, mouse moves change nothing)
//                         -> right click -> shown; HideTools() -> hidden
//
// By default the chart's OnMouseMove signal is connected to DiagramMouseMove.
// A host that wants its own handler rewires it:
//   QObject::disconnect(frame->Diagram, &TDiagram::OnMouseMove, frame, nullptr);
//   QObject::connect(frame->Diagram, &TDiagram::OnMouseMove, host,
//                    [=](TDiagram* d, Qt::KeyboardModifiers s, int x, int y) {
//                        frame->DiagramMouseMove(d, s, x, y);
//                        ... // the host's own reaction
//                    });

#include <QFrame>
#include <QPointer>

#include "controls/TArrowPair.h"

class QToolButton;
class TDiagram;
class TDiagramIncrease;

class TDiagramFrame : public QFrame {
    Q_OBJECT

  public:
    explicit TDiagramFrame(QWidget* parent = nullptr);
    // Out of line, so that hosts need not see the enlarged window's class.
    ~TDiagramFrame() override;

    // Components; object names equal the member names.
    TDiagram* Diagram = nullptr;
    QWidget* Panel = nullptr;                   // 161 x 29
    QToolButton* SpeedButtonMeasure = nullptr;  // toggle: crosshair
    QToolButton* SpeedButtonLim = nullptr;      // toggle: limit arrows
    QToolButton* SpeedButtonRetLim = nullptr;   // back to the initial limits
    QToolButton* SpeedButtonIncrease = nullptr; // enlarged chart window
    QToolButton* SpeedButtonSave = nullptr;     // save as a bitmap file
    QToolButton* SpeedButtonCopy = nullptr;     // copy to the clipboard
    TArrowPair* UpDown1 = nullptr;              // upper y limit, 16 x 30
    TArrowPair* UpDown2 = nullptr;              // lower y limit, 16 x 30
    TArrowPair* UpDown3 = nullptr;              // lower x limit, 30 x 16
    TArrowPair* UpDown4 = nullptr;              // upper x limit, 30 x 16

    // The one enlarged window that "Увеличение" opens; none set (or gone):
    // the button does nothing. Not owned.
    void SetDiagramIncrease(TDiagramIncrease* window);
    TDiagramIncrease* GetDiagramIncrease() const;

    // The chart range that "Исходные пределы" returns to.
    double GetInitXmin() const { return FInitXmin; }
    double GetInitXmax() const { return FInitXmax; }
    double GetInitYmin() const { return FInitYmin; }
    double GetInitYmax() const { return FInitYmax; }
    // Set by a right click that hid the tools.
    bool GetToolsLocked() const { return FToolsLocked; }

  public slots:
    // Remembers the chart's current range as the initial limits, then places
    // the tools. The host calls it after each computation that set new ranges.
    void SaveInitialLimits();
    // Hides the panel and the arrows and unlocks the tools.
    void HideTools();
    // Shows the panel (and the arrows when "Пределы" is down) unless the tools
    // are locked or already shown.
    void ShowTools();
    // Places the panel and the arrows around the chart's net rectangle.
    void ArrangeTools();

    void FrameResize();
    // The chart's mouse-move handler: shows the tools.
    void DiagramMouseMove(TDiagram* sender, Qt::KeyboardModifiers shift, int x, int y);
    // Right button: toggles between locked and shown; other buttons: nothing.
    void DiagramMouseDown(TDiagram* sender, Qt::MouseButton button, Qt::KeyboardModifiers shift,
                          int x, int y);
    // Chart click and "Измерения": toggles the crosshair.
    void DiagramClick();
    void SpeedButtonLimClick();
    void SpeedButtonRetLimClick();
    void SpeedButtonIncreaseClick();
    void SpeedButtonSaveClick();
    void SpeedButtonCopyClick();
    void UpDown1Click(TArrowPair::TUDBtnType button);
    void UpDown2Click(TArrowPair::TUDBtnType button);
    void UpDown3Click(TArrowPair::TUDBtnType button);
    void UpDown4Click(TArrowPair::TUDBtnType button);

  protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void SetArrowsVisible(bool visible);

    double FInitXmin = 0, FInitXmax = 0, FInitYmin = 0, FInitYmax = 0;
    bool FToolsLocked = false;
    // A left button went down on the chart; its release there is a click.
    bool FLeftDown = false;
    QPointer<TDiagramIncrease> Increase;
};
