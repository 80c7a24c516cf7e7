#pragma once
// Filters compared on one chart: the output chart keeps up to five earlier
// outputs as reference curves, each named in the chart's legend by the
// configuration of the run that produced it. «Запомнить выход» keeps the
// output on show, «Очистить опорные» removes the references; both are in the
// main menu «Лабораторная установка» (after its own items) and in the pop-up
// menus of both charts. References stay through new runs and changes of the
// configuration.

#include <QObject>
#include <optional>

#include "bench/BenchSetup.h"
#include "chart/TReferenceCurves.h"

class QAction;
class TForm1;

class TOutputReferences : public QObject {
    Q_OBJECT

  public:
    // Adds the items to form's menus; form's output chart must exist.
    explicit TOutputReferences(TForm1& form);

    QAction* NRememberOutput = nullptr; // «Запомнить выход»
    QAction* NClearReferences = nullptr; // «Очистить опорные»

    // A run of configuration setup is about to be shown: it names the
    // current output in the legend from the chart's next drawing on, and a
    // reference kept while it is on show is named by it.
    void RunShown(const CBenchSetup& setup);
    // The two items' handlers.
    void RememberOutput();
    void ClearReferences();

    TReferenceCurves& Curves() { return References; }

  private:
    void UpdateItems();

    TReferenceCurves References;
    std::optional<CBenchSetup> Shown;
};
