#include "chart/TAlignedCharts.h"

#include <algorithm>

TAlignedCharts::~TAlignedCharts() {
    const std::vector<TDiagram*> members = List;
    for (TDiagram* chart : members) {
        Leave(*chart);
    }
    for (TDiagram* chart : members) {
        chart->FollowMargins();
    }
}

void TAlignedCharts::Add(TDiagram& chart) {
    if (chart.Aligned == this) {
        return;
    }
    if (chart.Aligned != nullptr) {
        chart.Aligned->Remove(chart);
    }
    List.push_back(&chart);
    chart.Aligned = this;
    Follow();
}

void TAlignedCharts::Remove(TDiagram& chart) {
    if (chart.Aligned != this) {
        return;
    }
    Leave(chart);
    chart.FollowMargins();
    Follow();
}

void TAlignedCharts::Leave(TDiagram& chart) {
    List.erase(std::remove(List.begin(), List.end(), &chart), List.end());
    chart.Aligned = nullptr;
}

TNetMargins TAlignedCharts::Margins() {
    TNetMargins common;
    for (TDiagram* chart : List) {
        const TNetMargins own = chart->OwnNetMargins();
        common.left = std::max(common.left, own.left);
        common.right = std::max(common.right, own.right);
    }
    return common;
}

void TAlignedCharts::Follow() {
    // The drawings below come back here; this loop sees to them.
    if (Following) {
        return;
    }
    Following = true;
    // A drawing may raise a chart's label precision, and so its margins; the
    // next pass takes that in. Precisions only grow, so this ends at once
    // but for such a raise.
    for (int pass = 0; pass < 4; ++pass) {
        bool redrawn = false;
        const std::vector<TDiagram*> members = List;
        for (TDiagram* chart : members) {
            redrawn = chart->FollowMargins() || redrawn;
        }
        if (!redrawn) {
            break;
        }
    }
    Following = false;
}
