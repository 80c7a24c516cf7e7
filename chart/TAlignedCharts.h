#pragma once
// Charts shown one above the other whose nets start and end at the same x,
// like the two channels of an oscilloscope: one argument then lies at one x
// on each (for members of one width and one label font), on screen, in
// copies and in prints of them.
//
// Every member lays its net out with the largest margins that any member's
// labels need (TDiagram::GetNaturalNetMargins), taken afresh at each of its
// drawings; a member whose margins that changes is drawn again at once, but
// one inside a batch when its batch ends. So a new run shown on both charts
// costs each one drawing, and one more for a chart whose margins the other's
// new labels move.
//
//   auto* aligned = new TAlignedCharts(page);
//   aligned->Add(*input);
//   aligned->Add(*output);

#include <QObject>
#include <vector>

#include "chart/TDiagram.h"

class TAlignedCharts : public QObject {
    Q_OBJECT

  public:
    explicit TAlignedCharts(QObject* parent = nullptr) : QObject(parent) {}
    // The members go on with margins of their own, redrawn.
    ~TAlignedCharts() override;
    TAlignedCharts(const TAlignedCharts&) = delete;
    TAlignedCharts& operator=(const TAlignedCharts&) = delete;

    // chart joins, leaving the group it was in; the members are redrawn as
    // far as their margins change. A chart that is destroyed leaves by itself.
    void Add(TDiagram& chart);
    // chart leaves and, like the members, is redrawn as far as its margins change.
    void Remove(TDiagram& chart);
    const std::vector<TDiagram*>& Members() const { return List; }
    // The margins of the members' nets: the largest natural ones.
    TNetMargins Margins();

  private:
    friend class TDiagram;
    // Redraws the members whose last drawing took other margins than the
    // group's; called after each drawing of a member.
    void Follow();
    void Leave(TDiagram& chart);

    std::vector<TDiagram*> List;
    bool Following = false;
};
