#include "chart/TReferenceCurves.h"

#include <algorithm>

#include "chart/TDiagram.h"

namespace {

// Five colours that stay apart for people with any of the common colour-vision
// deficiencies, and from the black of the current output and the white of the
// net: orange, blue, bluish green, dark red, cornflower. Chosen by their
// CIEDE2000 distances under simulated protanopia, deuteranopia and tritanopia
// (tests/chart/ReferenceColourTest.cpp): at least 19 between any two under
// every simulation, 24 from black. Okabe and Ito's palette, used before, has
// an orange and a vermillion that look alike (13 apart under deuteranopia). The dash
// patterns differ as much again: long dashes, dots, dash-dot, short dashes,
// dash-dot-dot. No gap is longer than 3 pixels, so that every stretch of a
// curve shows.
TReferenceStyle Style(int slot) {
    switch (slot) {
    case 0:
        return {QColor(0xE0, 0x7F, 0x10), {12, 3}}; // orange
    case 1:
        return {QColor(0x1F, 0x15, 0xD2), {2, 3}}; // blue
    case 2:
        return {QColor(0x00, 0x74, 0x5A), {8, 3, 2, 3}}; // bluish green
    case 3:
        return {QColor(0xA3, 0x0C, 0x0A), {5, 3}}; // dark red
    default:
        return {QColor(0x70, 0x80, 0xFF), {8, 3, 2, 3, 2, 3}}; // cornflower
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
