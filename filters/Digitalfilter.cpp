#include "filters/Digitalfilter.h"

#include <cmath>

#include "base/MessageHook.h"

namespace {

// Shared by the two filters with a leaky integrator. A zero or NaN time
// constant has no feedback to give and is ignored; an infinite one is the
// ideal integrator (alpha = 1).
void ApplyTimeConstant(double tau, double period, double& timeConstant, double& feedback) {
    const double a = std::fabs(tau);
    if (a > 0) {
        timeConstant = a;
        feedback = std::exp(-period / a);
    }
}

} // namespace

CBaseDigitalFilter::CBaseDigitalFilter() {
    ForwardCoef.SetAt(0, 1.0);
    BackCoef.SetAt(0, -1.0);
}

bool CBaseDigitalFilter::InitState(int order) {
    State.Clear();
    return State.SetLastIndex(order);
}

void CBaseDigitalFilter::SetGain(double k) {
    if (std::isfinite(k)) {
        Gain = k;
    }
}

void CBaseDigitalFilter::SetPeriod(double t) {
    if (t > 0 && std::isfinite(t)) {
        Period = t;
    }
}

void CBaseDigitalFilter::Reset() {
    if (Hold) {
        return;
    }
    StatusFlag = false;
    State.Clear();
}

CMAF::CMAF() {
    SetOrder(2);
}

void CMAF::SetOrder(int n) {
    if (n < 2) {
        return;
    }
    if (!InitState(n)) {
        ShowError("Class CDigitalFilter: Не удалось изменить коэффициенты фильтра.\n "
                    "Недостаточно памяти");
    }
    Gain = 1.0 / n;
}

CMAFNotIdeal::CMAFNotIdeal() {
    Period = 1.0;
    TimeConstant = 1.0;
    Gain = 1.0;
    SetTimeConstant(TimeConstant);
}

void CMAFNotIdeal::SetTimeConstant(double tau) {
    ApplyTimeConstant(tau, Period, TimeConstant, Feedback);
}

CIF::CIF() {
    BackCoef.SetAt(1, 1.0);
}

void CIF::SetPeriod(double t) {
    if (t > 0 && std::isfinite(t)) {
        Period = t;
        Gain = t;
    }
}

CLowBandFilter1::CLowBandFilter1() {
    TimeConstant = 1.0;
    Period = 1.0;
    Gain = 1.0;
    SetTimeConstant(1.0);
}

void CLowBandFilter1::SetTimeConstant(double tau) {
    ApplyTimeConstant(tau, Period, TimeConstant, Feedback);
}
