#pragma once
// The enlarged chart window: modal and maximised, it shows a chart of another
// window in a large chart of its own, with a toolbar, a menu, a coordinate
// readout and four pairs of limit arrows. It borrows the source chart's series
// while it is open (linked behind its own hidden base series, never owned)
// and, when closed in any way, hands the range the user arrived at back to
// the source and cuts the link. One instance serves every request; the states
// of "Измерения", "Пределы" and "Не показывать график при изменении пределов"
// carry over from one opening to the next.
//
// The chart has the keyboard focus when the window opens, with the keys of
// controls/TChartKeys.h, and a pop-up menu as the chart frames' charts have:
// copy, save the picture, save the data of the visible range as CSV; the host
// appends its own items to PopupMenu. While the window shows a source, every
// new drawing of the source (a series added to or taken from its list) draws
// the window's chart again too.

#include <QDialog>
#include <QPointer>

#include "chart/ChartCsv.h"
#include "chart/TDiagram.h"
#include "controls/TChartTools.h"

class QAction;
class QLabel;
class QMenu;
class QMenuBar;
class QScrollArea;
class QToolBar;
class QToolButton;
class TChartKeys;
class TChartPopup;

// The limit arrows UpDown1 .. UpDown4 (16 x 41 and 41 x 16), their handlers
// UpDown1Click .. UpDown4Click and the initial limits' getters come from
// TChartTools.
class TDiagramIncrease : public QDialog, public TChartTools {
    Q_OBJECT

  public:
    explicit TDiagramIncrease(QWidget* parent = nullptr);
    ~TDiagramIncrease() override;

    // Shows source modally until the window is closed; a null source shows
    // nothing. Whatever ends the modal loop (closing, Escape, the application
    // quitting), the source gets the range back and the link is cut before
    // this returns.
    void Execute(TDiagram* source);
    // Takes over the source's appearance, limits and range and links its
    // series; fonts, precisions, crosshair and cursor stay the window's own.
    void AssignDiagram(TDiagram* source);
    // Gives the source the window's range and unlinks its series; nothing
    // without a source.
    void ReturnLimits();
    // Whether chart pixel (x, y) lies inside the net with a 2-pixel margin.
    bool InNet(int x, int y) const;
    // Writes "(x; y)" for a point inside the net (see InNet) to the readout,
    // or empties it; the readout changes only when its text does.
    void ShowCoordinates(int x, int y);
    // The readout text of a coordinate (controls/TChartTools.h), shared with
    // the chart frames' readout.
    static QString CoordinateText(double v, int precision) {
        return ::CoordinateText(v, precision);
    }

    TDiagram* GetSource() const { return FSource; }
    bool GetFirstShow() const { return FFirstShow; }

    // Components; object names equal the member names.
    QMenuBar* MainMenu1 = nullptr;
    QMenu* NFile = nullptr;
    QAction* NClose = nullptr;
    QMenu* NDiagram = nullptr;
    QAction* NMeasure = nullptr;
    QAction* NLimit = nullptr;
    QAction* NRetLimit = nullptr;
    QAction* N4 = nullptr; // separator
    QAction* NBmp = nullptr;
    QAction* NCopy = nullptr;
    QToolBar* ToolBar1 = nullptr;
    QWidget* ToolButton1 = nullptr; // separator, 8 wide
    QToolButton* SpeedButtonMeasure = nullptr;
    QToolButton* SpeedButtonLimit = nullptr;
    QToolButton* SpeedButtonRetLim = nullptr;
    QToolButton* SpeedButton1 = nullptr; // net only while an arrow is held
    QWidget* ToolButton4 = nullptr;      // divider, 12 wide
    QToolButton* SpeedButtonBmp = nullptr;
    QToolButton* SpeedButtonCopy = nullptr;
    QWidget* ToolButton5 = nullptr; // divider
    QToolButton* SpeedButtonClose = nullptr;
    QWidget* ToolButton6 = nullptr; // divider
    QLabel* Panel2 = nullptr;       // readout, 191 x 22
    QScrollArea* ScrollBox1 = nullptr;
    TDiagram* Diagram1 = nullptr;
    // The chart's pop-up menu: NCopy, NBmp (the main menu's items) and
    // NSaveData; the host may append items.
    QMenu* PopupMenu = nullptr;
    QAction* NSaveData = nullptr; // "Сохранить данные…"
    TChartKeys* Keys = nullptr;   // the chart's keys

  public slots:
    void FormShow();
    void FormClose();
    void FormDestroy();
    void Diagram1MouseMove(TDiagram* sender, Qt::KeyboardModifiers shift, int x, int y);
    void SpeedButtonMeasureClick();
    void SpeedButtonLimitClick();
    void SpeedButtonRetLimClick();
    // Pressing and releasing any of the four arrow pairs.
    void UpDown1MouseDown();
    void UpDown1MouseUp();
    void SpeedButtonCopyClick();
    void SpeedButtonBmpClick();
    void SpeedButtonCloseClick();
    // Writes the series of the chart's visible range as CSV, through a save
    // dialog.
    void SaveDataClick();
    // Every way of closing (button, menu, title bar, Escape) ends here.
    void done(int result) override;

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void MakeMenu();
    void MakeToolBar();
    void MakeChartArea();
    void MakePopupMenuAndKeys();
    void SourceDestroyed();
    void LayOutChartAndArrows();
    void Unlink();

    QPointer<TDiagram> FSource;
    bool FFirstShow = true;
    // The container inside ScrollBox1 that holds the chart and the arrows.
    QWidget* Content = nullptr;
    bool FClosing = false;
    // During the first opening the layout follows the scroll box while the
    // window manager settles the maximised size.
    bool FFollowViewport = false;
    // Series drawing was switched off by a pressed arrow.
    bool FLineHeldOff = false;
    TChartPopup* Popup = nullptr;
};
