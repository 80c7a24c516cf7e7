#pragma once
// Reference curves of a chart: copies of its base series kept for comparison
// with the runs that follow, each named by a description and told apart by
// a colour and a dash pattern that people with colour-blindness tell apart
// too. They are series of the chart's own list, behind the base, so whatever
// shows the list (the enlarged window included) shows them; they are drawn
// beneath the base series, keep their colours in black-on-white exports, and
// are named in the chart's legend together with the base series while there
// is at least one.

#include <QColor>
#include <string>
#include <vector>

class TDiagram;
class TKeeper;

// The look of reference slot 0 .. MaxReferences - 1.
struct TReferenceStyle {
    QColor color;
    std::vector<double> dashes; // TKeeper::SetDashPattern
};
TReferenceStyle ReferenceStyle(int slot);

class TReferenceCurves {
  public:
    static constexpr int MaxReferences = 5;

    // Keeps the references of chart, which must outlive this object.
    explicit TReferenceCurves(TDiagram& chart) : Chart(chart) {}
    // The references stay with the chart.
    TReferenceCurves(const TReferenceCurves&) = delete;
    TReferenceCurves& operator=(const TReferenceCurves&) = delete;

    // Names the base series in the legend (UTF-8), e.g. by the configuration
    // of the run it shows; the next drawing shows it (the one that shows the
    // run's data, without a drawing of its own).
    void SetBaseName(const std::string& name);
    // Copies the base series' samples, argument range and reading into a new
    // reference named name (UTF-8); with MaxReferences already kept the
    // oldest goes first. The new one takes the look of a slot no kept
    // reference has. Nothing is kept, and false returned, when the base holds
    // no stored samples or the copy cannot be made. Redraws the chart.
    bool Remember(const std::string& name);
    // The same for count samples of its own on the argument range
    // xmin..xmax, read as the base series reads its samples, in the look of
    // slot (0 .. MaxReferences-1) where no kept reference has it, else of the
    // first slot free: how references kept elsewhere are shown, on screen
    // and on a chart drawn afresh for print.
    bool Keep(const std::string& name, const double* samples, int count, double xmin,
              double xmax, int slot = 0);
    // Removes every reference; redraws the chart when there were some.
    void Clear();

    // References kept (those taken from the chart's list by other means
    // are no longer counted).
    int Count();
    // Reference i, oldest first (as the legend lists them); null for any other i.
    TKeeper* Get(int i);
    // The look slot of reference i, -1 for any other i.
    int Slot(int i);

  private:
    struct TKept {
        TKeeper* keeper;
        int slot;
    };
    // Forgets the references no longer in the chart's list.
    void Prune();
    // The base series takes its legend line while there are references.
    void UpdateLegend();

    TDiagram& Chart;
    std::vector<TKept> Kept; // in the chart's list, oldest first
};
