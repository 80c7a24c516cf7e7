#include "filters/CChebishevFilter.h"

#include <cmath>

#include "base/MessageHook.h"
#include "filters/Mathlib.h"

namespace {

const double Pi = 3.14159265358979323846;

const char* const BandEdgePositive =
    "Верхняя граница полосы пропускания должна быть положительна.\n Произведена коррекция";

} // namespace

CChebishevFilter::CChebishevFilter() {
    BandEdge = 1.0;
    PassLevel = 0.707;
    StopLevel = 0.01;
    Ripple = 0.1;
    RippleLevel = 1.0 - Ripple;
    RippleDb = std::fabs(Db(RippleLevel));
    AutoOrder = true;
    SetTransitionWidth(10.0);
    SetBandEdge(1.0);
    SetPassLevelDb(-3.0);
    SetStopLevelDb(-30.0);
}

// ---- design values --------------------------------------------------------

void CChebishevFilter::ComputeRippleEdge() {
    RippleEdge = PrewarpedEdge / std::cosh(ArcCosh(std::sqrt(PassEps2 / RippleEps2)) / FilterOrder);
}

void CChebishevFilter::UpdateDesign() {
    PassEps2 = 1.0 / (PassLevel * PassLevel) - 1.0;
    StopEps2 = 1.0 / (StopLevel * StopLevel) - 1.0;
    RippleEps2 = 1.0 / (RippleLevel * RippleLevel) - 1.0;
    PrewarpedEdge = std::tan(BandEdge * 0.5);
    if (!AutoOrder) {
        ComputeRippleEdge();
        UpdateTransition();
        return;
    }
    for (int n = 1; n <= MaxOrder; ++n) {
        FilterOrder = n;
        ComputeRippleEdge();
        UpdateTransition();
        if (ActualTransition < TransitionWidth) {
            break;
        }
    }
}

void CChebishevFilter::UpdateTransition() {
    const double stretch = std::cosh(ArcCosh(StopEps2 / RippleEps2) / FilterOrder);
    // A stopband level far below the double range makes the stretch infinite;
    // a band edge that underflowed to a zero ripple edge must then not give
    // inf * 0.
    StopEdge = RippleEdge > 0 ? stretch * RippleEdge : 0.0;
    // Likewise a band edge so small that its prewarped value is zero.
    const double pass = std::atan(PrewarpedEdge);
    ActualTransition = pass > 0 ? std::atan(StopEdge) / pass - 1.0 : 0.0;
    if (!AutoOrder) {
        TransitionWidth = ActualTransition;
    }
}

double CChebishevFilter::Mu() const {
    return ArcSinh(1.0 / std::sqrt(RippleEps2)) / FilterOrder;
}

double CChebishevFilter::PoleReal(int k) const {
    const int n = FilterOrder;
    const double phi = (2 * k + n - 1) * Pi / (2 * n);
    return std::cos(phi) * std::sinh(Mu());
}

double CChebishevFilter::PoleNorm2(int k) const {
    const int n = FilterOrder;
    const double phi = (2 * k + n - 1) * Pi / (2 * n);
    const double mu = Mu();
    const double re = std::cos(phi) * std::sinh(mu);
    const double im = std::sin(phi) * std::cosh(mu);
    return re * re + im * im;
}

double CChebishevFilter::SectionGain(double D, double W) const {
    const int n = FilterOrder;
    const double p = (n % 2 == 0) ? 2.0 / n : 2.0 / (n - 1);
    return W / (4.0 * std::pow(std::sqrt(RippleEps2), p) * D);
}

double CChebishevFilter::FirstOrderGain() const {
    const double wc = RippleEdge;
    double g = wc / (1.0 + std::sinh(Mu()) * wc);
    if (FilterOrder == 1) {
        g /= std::sqrt(RippleEps2);
    }
    return g;
}

void CChebishevFilter::SetSection(CDigitalFilter2* s, int k) const {
    const double wc = RippleEdge;
    const double sigma = PoleReal(k) * wc;
    const double q = PoleNorm2(k) * wc * wc;
    const double D = (1.0 - 2.0 * sigma) + q;
    double g = SectionGain(D, wc * wc);
    if (k == 1 && FilterOrder % 2 == 0) {
        g *= 2.0;
    }
    s->SetGain(g);
    s->SetB(0, 1.0);
    s->SetB(1, 2.0);
    s->SetB(2, 1.0);
    s->SetA(1, 2.0 * (1.0 - q) / D);
    s->SetA(2, -(2.0 * sigma + 1.0 + q) / D);
}

void CChebishevFilter::Design() {
    DeleteCascades();
    const int n = FilterOrder;
    if (MinusOnePow(n) > 0) {
        SetSection(&Head, 1);
        for (int k = 2; k <= n / 2; ++k) {
            CDigitalFilter2* s = AddCascade();
            if (s == nullptr) {
                break;
            }
            SetSection(s, k);
        }
        return;
    }
    const double t = PoleReal((n + 1) / 2) * RippleEdge;
    Head.SetGain(FirstOrderGain());
    Head.SetB(0, 1.0);
    Head.SetB(1, 1.0);
    Head.SetB(2, 0.0);
    Head.SetA(1, (1.0 + t) / (1.0 - t));
    Head.SetA(2, 0.0);
    for (int k = 1; k <= (n - 1) / 2; ++k) {
        CDigitalFilter2* s = AddCascade();
        if (s == nullptr) {
            break;
        }
        SetSection(s, k);
    }
}

// ---- setters --------------------------------------------------------------

double CChebishevFilter::SetBandEdge(double w) {
    if (w > Pi) {
        w = Pi;
        ShowMessage(
            "Верхняя граница полосы пропускания не должна превышать 3.1415...\n Произведена "
            "коррекция.");
    }
    // An edge so small that its cyclic form underflows to 0 is no more
    // positive than 0 itself: it would leave the cyclic edge out of its range.
    if (!(w > 0) || !(w * (1.0 / (2.0 * Pi)) > 0)) {
        w = 0.01;
        ShowMessage(BandEdgePositive);
    }
    BandEdge = w;
    CyclicBandEdge = w * (1.0 / (2.0 * Pi));
    UpdateDesign();
    return BandEdge;
}

double CChebishevFilter::SetCyclicBandEdge(double f) {
    if (f > 0.5) {
        f = 0.5;
        ShowMessage("Циклическая нормированная частота не должна превышать 0.5\n Произведена "
                    "коррекция.");
    }
    if (!(f > 0)) {
        f = 0.01;
        ShowMessage(BandEdgePositive);
    }
    CyclicBandEdge = f;
    BandEdge = f * (2.0 * Pi);
    UpdateDesign();
    return CyclicBandEdge;
}

double CChebishevFilter::SetPassLevel(double k) {
    if (!(k >= 0.5)) {
        k = 0.5;
        ShowMessage("Уровень верхней границы полосы пропускания должен быть не менее 0.5 (-6дБ) \n "
                    "Произведена коррекция.");
    }
    if (k > 0.9) {
        k = 0.9;
        ShowMessage("Уровень верхней границы полосы пропускания должен быть не более 0.9 (-1дБ)\n "
                    "Произведена коррекция.");
    }
    if (k > RippleLevel) {
        Ripple = 1.0 - k;
        RippleLevel = k;
        RippleDb = std::fabs(Db(k));
        ShowMessage("Уровень верхней границы полосы пропускания должен быть не больше нижнего "
                    "уровня пульсаций.\n Произведена коррекция");
    }
    PassLevel = k;
    PassLevelDb = Db(k);
    UpdateDesign();
    return PassLevel;
}

double CChebishevFilter::SetPassLevelDb(double db) {
    if (db > 0) {
        db = -db;
    }
    if (db < -7) {
        db = -7;
    }
    SetPassLevel(FromDb(db));
    return PassLevelDb;
}

double CChebishevFilter::SetTransitionWidth(double pct) {
    if (!(pct > 0)) {
        pct = 10;
        ShowMessage("Относительная ширина переходной полосы не может быть меньше или равной "
                    "нулю.\n Произведена коррекция.");
    }
    TransitionWidth = pct * 0.01;
    UpdateDesign();
    return pct;
}

double CChebishevFilter::SetStopLevel(double k) {
    if (!(k > 0)) {
        k = 0.01;
        ShowMessage("Уровень нижней границы полосы подавления должен быть положительным.\n "
                    "Произведена коррекция.");
    }
    if (k > 0.3) {
        k = 0.3;
        ShowMessage("Уровень нижней границы полосы подавления должен быть не более 0.3 (-10дБ)\n "
                    "Произведена коррекция.");
    }
    StopLevel = k;
    StopLevelDb = Db(k);
    UpdateDesign();
    return StopLevel;
}

double CChebishevFilter::SetStopLevelDb(double db) {
    if (db > 0) {
        db = -db;
    }
    if (!(db >= -400)) {
        db = -400;
        ShowMessage("Уровень нижней границы полосы подавления должен быть не меньше -400дБ)\n "
                    "Произведена коррекция.");
    }
    SetStopLevel(FromDb(db));
    return StopLevelDb;
}

double CChebishevFilter::SetRipple(double r) {
    // A span too small to change 1 - r in double precision would make the
    // ripple epsilon zero and every design value infinite or NaN, so it counts
    // as no ripple at all.
    if (!(r > 0) || 1.0 - r == 1.0) {
        r = 0.01;
        ShowMessage("Размах пульсаций должен быть положительным.\n Произведена коррекция");
    }
    if (r > 0.5) {
        r = 0.5;
        ShowMessage("Размах пульсаций не должен превышать 50%.\n Произведена коррекция");
    }
    RippleLevel = 1.0 - r;
    if (!(1.0 - r >= PassLevel)) {
        PassLevel = 1.0 - r;
        PassLevelDb = Db(1.0 - r);
        ShowMessage("Нижний уровень пульсаций не может быть ниже уровня полосы пропускания.\n "
                    "Произведена коррекция");
    }
    Ripple = r;
    RippleDb = std::fabs(Db(1.0 - r));
    UpdateDesign();
    return Ripple;
}

int CChebishevFilter::SetOrder(int n) {
    if (n <= 0) {
        n = 1;
        ShowMessage("Порядок фильтра должен быть положительным\n Произведена коррекция.");
    }
    if (n > MaxOrder) {
        n = MaxOrder;
        ShowMessage("Порядок фильтра должен быть меньше 60\n Произведена коррекция.");
    }
    FilterOrder = n;
    UpdateTransition();
    return FilterOrder;
}
