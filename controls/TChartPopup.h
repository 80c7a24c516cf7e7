#pragma once
// The pop-up menu of a chart in the chart windows. A right press on the chart
// opens it just beside the pointer, not under it, so that another press where
// the pointer is falls outside the menu and reaches the chart; the keyboard
// (the Menu key, Shift+F10) opens it at the crosshair, or at the chart's
// centre when none is drawn, with its first item chosen. A press outside the
// open menu closes it and is then handled where it was made, on every
// platform alike (some drop it), so that a right press on the chart still
// does what a right press does there and a left one still toggles the
// crosshair.

#include <QObject>
#include <QPoint>

#include "controls/LabIcons.h"

class QAction;
class QMenu;
class QMouseEvent;
class QWidget;
class TDiagram;

class TChartPopup : public QObject {
    Q_OBJECT

  public:
    // Makes the menu (object name "PopupMenu") as a child of parent, and opens
    // it on chart's context-menu events from then on.
    TChartPopup(TDiagram* chart, QWidget* parent);

    QMenu* Menu() const { return PopupMenu; }
    // Appends an item with icon and caption (UTF-8), named name.
    QAction* AddItem(const char* name, TLabIcon icon, const char* caption);
    // An item that saves the chart's data: enabled, each time the menu opens,
    // exactly when the chart shows a series with stored samples.
    void SetDataItem(QAction* item) { DataItem = item; }

    // Opens the menu beside chart pixel at.
    void PopupAt(QPoint at);
    // Opens it for the keyboard: at the crosshair, or at the chart's centre.
    void PopupFromKeyboard();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Closes the menu and hands press, made outside it, to the window under
    // the pointer.
    void ReplayPress(const QMouseEvent* press);

    TDiagram* Chart;
    QMenu* PopupMenu;
    QAction* DataItem = nullptr;
};
