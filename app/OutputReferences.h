#pragma once
// Filters compared on one chart: the output chart keeps up to five earlier
// outputs as reference curves, each named in the chart's legend by the
// configuration of the run that produced it. «Запомнить выход» keeps the
// output on show, «Очистить опорные» removes the references; the window puts
// both items into its menus. References stay through new runs and changes of
// the configuration.
//
// What is kept is the session's (CLabSession::KeptOutputs); the chart shows it.

#include <QObject>
#include <functional>

#include "chart/TReferenceCurves.h"

#include <vector>

class CLabSession;
struct CBenchRun;
struct CKeptOutput;
class QAction;
class QMenu;
class TDiagram;

class TOutputReferences : public QObject {
    Q_OBJECT

  public:
    // Shows session's kept outputs on chart (the output chart); both must
    // outlive this object, which owner deletes.
    TOutputReferences(QObject* owner, TDiagram& chart, CLabSession& session);

    QAction* NRememberOutput = nullptr;  // «Запомнить выход»
    QAction* NClearReferences = nullptr; // «Очистить опорные»

    // Appends the two items to menu, after a separator. With applies given,
    // the menu shows them only while applies() says they apply to what it
    // is opened over (the enlarged window, which shows any chart).
    void AddItemsTo(QMenu* menu, std::function<bool()> applies = {});

    // The session's last run is about to be shown: it names the current
    // output in the legend from the chart's next drawing on, and a reference
    // kept while it is on show is named by it.
    void RunShown();
    // The two items' handlers.
    void RememberOutput();
    void ClearReferences();

    TReferenceCurves& Curves() { return References; }

  private:
    void UpdateItems();

    CLabSession& Session;
    TReferenceCurves References;
};

// Shows the outputs kept beside run's output on references' chart: each as a
// reference named by the setup of its run, in the look it was kept with, and
// the output itself named by run's setup.
void ShowKeptOutputs(TReferenceCurves& references, const CBenchRun& run,
                     const std::vector<CKeptOutput>& kept);
