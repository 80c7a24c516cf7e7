#pragma once
// Second-order sections in direct form II and a cascade of them.
//
// A section computes
//   w[n] = Gain * x[n] + a1 * w[n-1] + a2 * w[n-2]
//   y[n] = b0 * w[n] + b1 * w[n-1] + b2 * w[n-2]
// that is Gain * (b0 + b1 z^-1 + b2 z^-2) / (1 - a1 z^-1 - a2 z^-2): the
// feedback coefficients are added, not subtracted.

class CDigitalFilter2 {
  public:
    CDigitalFilter2() = default;
    // Sections are linked into one cascade, which owns them.
    CDigitalFilter2(const CDigitalFilter2&) = delete;
    CDigitalFilter2& operator=(const CDigitalFilter2&) = delete;

    // i = 0, 1, 2 sets b0, b1, b2; any other i is ignored.
    void SetB(int i, double b);
    // i = 1, 2 sets a1, a2; any other i is ignored.
    void SetA(int i, double a);
    double GetB(int i) const;
    double GetA(int i) const;
    void SetGain(double g) { Gain = g; }
    double GetGain() const { return Gain; }
    void SetPeriod(double t) { Period = t; }
    double GetPeriod() const { return Period; }
    void SetNext(CDigitalFilter2* n) { next = n; }
    CDigitalFilter2* GetNext() const { return next; }
    bool GetStatusFlag() const { return StatusFlag; }

    // |H(f)| of the section, its Gain included, for a sine of f cycles per
    // sample (0 .. 0.5 covers every frequency the section can tell apart; any
    // finite f is taken modulo 1). Infinite where the feedback puts a pole on
    // the unit circle at f, NaN for a non-finite f.
    double Magnitude(double f) const;

    void PushState(double w) {
        w2 = w1;
        w1 = w;
    }
    void Reset() {
        w1 = 0.0;
        w2 = 0.0;
        StatusFlag = false;
    }
    double Filtrate(double x) {
        StatusFlag = false;
        const double v = (Gain != 1.0) ? x * Gain : x;
        const double w0 = (w1 * a1 + v) + w2 * a2;
        const double y = w0 * b0 + b1 * w1 + b2 * w2;
        PushState(w0);
        return y;
    }

  private:
    double b0 = 1.0, b1 = 0.0, b2 = 0.0;
    double a1 = 0.0, a2 = 0.0;
    double w1 = 0.0, w2 = 0.0;
    double Gain = 1.0;
    double Period = 1.0;
    bool StatusFlag = false;
    CDigitalFilter2* next = nullptr;
};

// A chain of sections behind an overall gain. The head section lives inside
// the object; the sections behind it are owned by the cascade.
class CCascadFilter2 {
  public:
    CCascadFilter2() = default;
    ~CCascadFilter2() { DeleteCascades(); }
    CCascadFilter2(const CCascadFilter2&) = delete;
    CCascadFilter2& operator=(const CCascadFilter2&) = delete;

    // Appends a fresh section behind the last one and returns it; null, with
    // nothing reported, when memory cannot be obtained.
    CDigitalFilter2* AddCascade();
    CDigitalFilter2* GetLastCascade() const;
    CDigitalFilter2* GetFirstCascade() const { return FirstCascade; }
    // Number of sections, the head included.
    int GetCascadeCount() const;
    // Releases every section behind the head; the head keeps its coefficients.
    void DeleteCascades();
    // Overall input multiplier. A non-finite g is ignored, as it could only
    // fill the output with NaN.
    void SetGain(double g);
    double GetGain() const { return Gain; }
    bool GetStatusFlag() const { return StatusFlag; }
    // Clears the state of every section; coefficients and gains stay.
    void Reset();
    // |H(f)| of the whole cascade: the overall Gain times the magnitudes of
    // its sections, for a sine of f cycles per sample (0 .. 0.5; see
    // CDigitalFilter2::Magnitude). It is the amplitude that a unit sine of
    // frequency f has at the output once the start-up transient has died
    // away, for a stable cascade.
    double Magnitude(double f) const;

    double Filtrate(double x) {
        double v = Gain * x;
        StatusFlag = false;
        for (CDigitalFilter2* s = FirstCascade; s != nullptr; s = s->GetNext()) {
            v = s->Filtrate(v);
            if (s->GetStatusFlag()) {
                StatusFlag = true;
            }
        }
        return v;
    }

  protected:
    CDigitalFilter2 Head;
    CDigitalFilter2* FirstCascade = &Head;
    bool StatusFlag = false;
    double Gain = 1.0;
};
