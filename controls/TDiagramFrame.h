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
// While the crosshair is on, the pointer's coordinates are shown in a small
// readout in a corner of the net away from the pointer.
//
// A right press on the chart toggles the lock as above, and the context-menu
// event that follows it opens the frame's pop-up menu (copy, save the
// picture, save the data as CSV, the enlarged window; the host may add
// items). A press outside the open menu closes it and is then handled where
// it was made, so a second right press toggles the lock again (and opens the
// menu anew). Ctrl+C while the pointer is over the chart copies the picture,
// when nothing that has the keyboard focus takes the keys itself (a text
// field keeps its copy).
//
// The chart takes the keyboard focus (Tab, a click) and then has the keys of
// controls/TChartKeys.h. Focus from the keyboard (Tab) shows the tools and
// unlocks them; using the chart's keys shows them unless a right press locked
// them; other focus (a click, the program) leaves them to the mouse's rule.
// Losing the focus to the keyboard or a click elsewhere puts them away,
// unless the pointer is over the chart.
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

#include "controls/TChartTools.h"

class QAction;
class QMenu;
class QToolButton;
class TChartKeys;
class TChartPopup;
class TCoordinateReadout;
class TDiagram;
class TDiagramIncrease;

// The limit arrows UpDown1 .. UpDown4, their handlers UpDown1Click ..
// UpDown4Click and the initial limits' getters come from TChartTools.
class TDiagramFrame : public QFrame, public TChartTools {
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
    // UpDown1, UpDown2: 16 x 30; UpDown3, UpDown4: 30 x 16.
    TCoordinateReadout* Readout = nullptr; // the crosshair's coordinates
    QMenu* PopupMenu = nullptr;            // the chart's pop-up menu
    QAction* NCopy = nullptr;              // "Копировать в буфер обмена"
    QAction* NBmp = nullptr;               // "Сохранить рисунок"
    QAction* NSaveData = nullptr;          // "Сохранить данные…"
    QAction* NIncrease = nullptr;          // "Увеличение"
    TChartKeys* Keys = nullptr;            // the chart's keys

    // The one enlarged window that "Увеличение" opens; none set (or gone):
    // the button does nothing. Not owned.
    void SetDiagramIncrease(TDiagramIncrease* window);
    TDiagramIncrease* GetDiagramIncrease() const;

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
    // Writes the series of the visible range as CSV, through a save dialog.
    void SaveDataClick();
    // The chart got (in) or lost the keyboard focus.
    void DiagramFocusChanged(bool in, Qt::FocusReason reason);

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // The arrows move with the net, whose width follows the labels.
    void LimitsStepped() override { ArrangeTools(); }

  private:
    void MakePopupMenu();
    void MakeKeys();
    // The readout for the crosshair at chart pixel (x, y), clear of the tool
    // panel and the legend: reading, or when empty that of the pixel.
    void UpdateReadout(int x, int y, const QString& reading = QString());

    bool FToolsLocked = false;
    TChartPopup* Popup = nullptr;
    QPointer<TDiagramIncrease> Increase;
    bool PointerOver = false;        // the mouse is over the chart
    QPointer<QWidget> KeyWindow;     // whose unclaimed key presses are watched
};
