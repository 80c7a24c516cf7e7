#include "filters/CCascadFilter2.h"

#include <cmath>
#include <complex>
#include <new>

void CDigitalFilter2::SetB(int i, double b) {
    switch (i) {
    case 0:
        b0 = b;
        break;
    case 1:
        b1 = b;
        break;
    case 2:
        b2 = b;
        break;
    default:
        break;
    }
}

void CDigitalFilter2::SetA(int i, double a) {
    if (i == 1) {
        a1 = a;
    } else if (i == 2) {
        a2 = a;
    }
}

double CDigitalFilter2::GetB(int i) const {
    switch (i) {
    case 0:
        return b0;
    case 1:
        return b1;
    case 2:
        return b2;
    default:
        return 0.0;
    }
}

double CDigitalFilter2::GetA(int i) const {
    if (i == 1) {
        return a1;
    }
    return i == 2 ? a2 : 0.0;
}

double CDigitalFilter2::Magnitude(double f) const {
    // z^-1 on the unit circle at f cycles per sample.
    const double TwoPi = 6.283185307179586476925286766559;
    const std::complex<double> z1 = std::polar(1.0, -TwoPi * f);
    const std::complex<double> z2 = z1 * z1;
    const double num = std::abs(b0 + b1 * z1 + b2 * z2);
    // The feedback coefficients are added in the recursion, hence the minus.
    const double den = std::abs(1.0 - a1 * z1 - a2 * z2);
    return std::fabs(Gain) * num / den;
}

CDigitalFilter2* CCascadFilter2::AddCascade() {
    CDigitalFilter2* section = new (std::nothrow) CDigitalFilter2;
    if (section != nullptr) {
        GetLastCascade()->SetNext(section);
    }
    return section;
}

CDigitalFilter2* CCascadFilter2::GetLastCascade() const {
    CDigitalFilter2* s = FirstCascade;
    while (s->GetNext() != nullptr) {
        s = s->GetNext();
    }
    return s;
}

int CCascadFilter2::GetCascadeCount() const {
    int n = 0;
    for (const CDigitalFilter2* s = FirstCascade; s != nullptr; s = s->GetNext()) {
        ++n;
    }
    return n;
}

void CCascadFilter2::DeleteCascades() {
    CDigitalFilter2* s = Head.GetNext();
    while (s != nullptr) {
        CDigitalFilter2* following = s->GetNext();
        delete s;
        s = following;
    }
    Head.SetNext(nullptr);
}

void CCascadFilter2::SetGain(double g) {
    if (std::isfinite(g)) {
        Gain = g;
    }
}

double CCascadFilter2::Magnitude(double f) const {
    double m = std::fabs(Gain);
    for (const CDigitalFilter2* s = FirstCascade; s != nullptr; s = s->GetNext()) {
        m *= s->Magnitude(f);
    }
    return m;
}

void CCascadFilter2::Reset() {
    StatusFlag = false;
    for (CDigitalFilter2* s = FirstCascade; s != nullptr; s = s->GetNext()) {
        s->Reset();
    }
}
