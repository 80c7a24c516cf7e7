// Where a drawing of the chart puts the legend of its series.
#include <algorithm>
#include <climits>

#include "chart/CurveFootprint.h"
#include "chart/TDiagram.h"

TLegendLook TDiagram::LegendLook() const {
    return {FontNet, TextColor(ColorNet), PrintMode ? QColor(Qt::white) : ColorBackNet,
            QColor(128, 128, 128)};
}

void TDiagram::PlanLegend(TLayout& layout, TLegendPlace place, TLegendPlan& plan) {
    if (!LineEnabled || w_net <= 0 || h_net <= 0 || Get_w_out() <= 0 || Get_h_out() <= 0) {
        return;
    }
    const std::vector<TLegendEntry> entries = LegendEntries(Keepers, PrintMode);
    if (entries.empty()) {
        return;
    }
    const TLegendLook look = LegendLook();
    if (place == TLegendPlace::BelowChart) {
        // Under the x axis's labels, the chart above left as it is.
        plan.lines =
            FitLegend(entries, look, LegendText, width() - xb_net - LegendMargin, INT_MAX / 2);
        if (!plan.lines.Empty()) {
            plan.box = QRect(QPoint(xb_net, height() + LegendGap / 2), plan.lines.Size());
            plan.below = plan.box.height() + LegendGap;
        }
        return;
    }

    // In the net, where no curve lies under it or beside it, nor the frame's
    // tools, nor the axis pictures.
    plan.lines =
        FitLegend(entries, look, LegendText, w_net - 2 * LegendMargin, h_net - 2 * LegendMargin);
    if (plan.lines.entries.size() == entries.size()) {
        TCurveFootprint footprint(Net());
        TakeCurves(footprint, Keepers, Scale, Net(), &plan.known);
        for (const TPlacedNote& note : PlaceNotes(Notes, Scale, Net(), DrawnNet.Metrics())) {
            footprint.Take(note.Box);
            footprint.Take(QRect(note.Dot - QPoint(4, 4), QSize(9, 9)));
        }
        footprint.Take(QRect(Get_xe_net() - LegendKeepOut.width(), yb_net, LegendKeepOut.width(),
                             LegendKeepOut.height()));
        footprint.Take(
            QRect(QPoint(xb_net + 3, yb_net + 3), BitmapY.deviceIndependentSize().toSize()));
        const QSize x = BitmapX.deviceIndependentSize().toSize();
        footprint.Take(
            QRect(QPoint(Get_xe_net() - x.width() - 3, Get_ye_net() - x.height() - 3), x));
        plan.box = footprint.FindFree(plan.lines.Size(), LegendMargin, LegendClearance);
        if (!plan.box.isEmpty()) {
            return;
        }
    }

    // No such place: a band between the title and the net, of at most half
    // the net's height; the net, the grid and the curves move below it.
    plan.known.clear();
    const int top = std::max(yb_net, layout.th + 1);
    plan.lines =
        FitLegend(entries, look, LegendText, w_net, h_net / 2 - LegendGap - (top - yb_net));
    if (plan.lines.Empty()) {
        plan.box = QRect();
        return;
    }
    const QSize size = plan.lines.Size();
    layout = LayOut(top + size.height() + LegendGap - yb_net);
    plan.box = QRect(QPoint(xb_net, top), size);
}
