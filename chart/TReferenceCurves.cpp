#include "chart/TReferenceCurves.h"

#include <algorithm>

#include "chart/TDiagram.h"

namespace {

// Colours of Okabe and Ito's palette, which stay apart under every common
// colour-vision deficiency, with dash patterns that differ as much again:
// long dashes, dots, dash-dot, short dashes, dash-dot-dot. No gap is longer
// than 3 pixels, so that every stretch of a curve shows.
TReferenceStyle Style(int slot) {
    switch (slot) {
    case 0:
        return {QColor(0xE6, 0x9F, 0x00), {12, 3}}; // orange
    case 1:
        return {QColor(0x00, 0x72, 0xB2), {2, 3}}; // blue
    case 2:
        return {QColor(0x00, 0x9E, 0x73), {8, 3, 2, 3}}; // bluish green
    case 3:
        return {QColor(0xD5, 0x5E, 0x00), {5, 3}}; // vermillion
    default:
        return {QColor(0xCC, 0x79, 0xA7), {8, 3, 2, 3, 2, 3}}; // reddish purple
    }
}

} // namespace

TReferenceStyle ReferenceStyle(int slot) {
    return Style(std::clamp(slot, 0, TReferenceCurves::MaxReferences - 1));
}

void TReferenceCurves::Prune() {
    std::vector<TKeeper*> listed;
    for (TKeeper* k = Chart.GetKeeper(0)->GetNext(); k != nullptr && listed.size() < 256;
         k = k->GetNext()) {
        listed.push_back(k);
    }
    Kept.erase(std::remove_if(Kept.begin(), Kept.end(),
                              [&](const TKept& r) {
                                  return std::find(listed.begin(), listed.end(), r.keeper) ==
                                         listed.end();
                              }),
               Kept.end());
}

int TReferenceCurves::Count() {
    Prune();
    return static_cast<int>(Kept.size());
}

TKeeper* TReferenceCurves::Get(int i) {
    return i >= 0 && i < Count() ? Kept[static_cast<std::size_t>(i)].keeper : nullptr;
}

int TReferenceCurves::Slot(int i) {
    return i >= 0 && i < Count() ? Kept[static_cast<std::size_t>(i)].slot : -1;
}

void TReferenceCurves::UpdateLegend() {
    Chart.GetKeeper(0)->SetInLegend(!Kept.empty());
}

void TReferenceCurves::SetBaseName(const std::string& name) {
    Chart.GetKeeper(0)->SetName(name);
}

bool TReferenceCurves::Remember(const std::string& name) {
    TKeeper& base = *Chart.GetKeeper(0);
    const int count = base.GetCount();
    if (base.GetDataKind() < dkFloatArray || count <= 0) {
        return false;
    }
    std::vector<double> samples;
    samples.reserve(static_cast<std::size_t>(count));
    for (int n = 0; n < count; ++n) {
        samples.push_back(base.GetSample(n));
    }
    return Keep(name, samples.data(), count, base.GetXmin(), base.GetXmax());
}

bool TReferenceCurves::Keep(const std::string& name, const double* samples, int count,
                            double xmin, double xmax, int slot) {
    Prune();
    if (samples == nullptr || count <= 0) {
        return false;
    }
    TKeeper& base = *Chart.GetKeeper(0);
    TDiagramBatch batch(Chart);
    while (static_cast<int>(Kept.size()) >= MaxReferences) {
        Chart.PDeleteKeeper(Kept.front().keeper);
        Kept.erase(Kept.begin());
    }
    TKeeper* k = Chart.PNewKeeper();
    if (k == nullptr) {
        return false;
    }
    if (!k->CopyData(samples, count, xmin, xmax)) {
        Chart.PDeleteKeeper(k);
        return false;
    }
    k->SetGraphKind(base.GetGraphKind());
    k->SetScale(base.GetScale());
    k->SetPeriod(base.GetPeriod());
    k->SetInterpKind(base.GetInterpKind());
    k->SetSymmetry(base.GetSymmetry());
    k->SetPenWidth(base.GetPenWidth());
    k->SetName(name);
    k->SetBeneath(true);
    k->SetPrintInColor(true);
    k->SetInLegend(true);

    auto taken = [this](int s) {
        return std::any_of(Kept.begin(), Kept.end(), [s](const TKept& r) { return r.slot == s; });
    };
    if (slot < 0 || slot >= MaxReferences || taken(slot)) {
        slot = 0;
        while (taken(slot)) {
            ++slot;
        }
    }
    const TReferenceStyle style = ReferenceStyle(slot);
    k->SetColor(style.color);
    k->SetDashPattern(style.dashes);
    Kept.push_back({k, slot});
    UpdateLegend();
    Chart.ShowDiagram();
    return true;
}

void TReferenceCurves::Clear() {
    Prune();
    if (Kept.empty()) {
        UpdateLegend();
        return;
    }
    TDiagramBatch batch(Chart);
    for (const TKept& r : Kept) {
        Chart.PDeleteKeeper(r.keeper);
    }
    Kept.clear();
    UpdateLegend();
    Chart.ShowDiagram();
}
