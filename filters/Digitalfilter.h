#pragma once
// Single-section filters that the bench runs sample by sample. All of them work
// on a running sum s[n] kept in a delay line: cell 0 is unused, cell k (k >= 1)
// holds s[n-k]. The moving-sum filters take their output as a difference of
// two delayed running sums, so a sample costs the same for any window.
//
// Units: time constants and the sampling period are in the same unit (the bench
// uses milliseconds with a period of 1). No virtual functions: an owner holds
// each filter by value and calls that object's own Filtrate.

#include "filters/CDoubleList.h"

class CBaseDigitalFilter {
  public:
    CBaseDigitalFilter();

    // Zeroes the delay line and makes it cells 0..order long. False when memory
    // for new cells could not be obtained (the old length is then kept).
    bool InitState(int order);
    // Input multiplier K. A non-finite k is ignored: it would only turn the
    // running sums into NaN for the rest of the run.
    void SetGain(double k);
    double GetGain() const { return Gain; }
    // Sampling period T > 0 (finite); anything else is ignored silently.
    void SetPeriod(double t);
    double GetPeriod() const { return Period; }
    // Zeroes the delay line, keeping its length (nothing while Hold is set).
    void Reset();

    void SetHold(bool on) { Hold = on; }
    bool GetHold() const { return Hold; }
    bool GetStatusFlag() const { return StatusFlag; }
    const CDoubleList& GetForwardCoef() const { return ForwardCoef; }
    const CDoubleList& GetBackCoef() const { return BackCoef; }
    const CDoubleList& GetState() const { return State; }

  protected:
    // Describe the filter only; no per-sample operation reads them.
    CDoubleList ForwardCoef;
    CDoubleList BackCoef;
    CDoubleList State;
    double Gain = 1.0;
    double Period = 1.0;
    bool Hold = false;
    bool StatusFlag = false;
};

// y[n] = K * (x[n] + x[n-1] + ... + x[n-N+1]), as s[n] - s[n-N].
class CMAF : public CBaseDigitalFilter {
  public:
    CMAF();
    // Window length N >= 2; smaller n is ignored silently. Sets Gain to 1/N
    // (even when the delay line could not be resized, which is reported).
    void SetOrder(int n);
    // Window length N (the last cell of the delay line).
    int GetOrder() const { return State.GetLastIndex(); }

    double Filtrate(double x) {
        if (Hold) {
            return 0.0;
        }
        const double s = State.GetAt(1) + x * Gain;
        const double y = s - State.GetAt(State.GetLastIndex());
        State.Shift();
        State.SetAt(1, s);
        return y;
    }
};

// s[n] = alpha * s[n-1] + K * x[n]; y[n] = s[n] - s[n-N] (the stored sum
// itself is subtracted, not alpha^N times it), alpha = exp(-T/tau).
class CMAFNotIdeal : public CMAF {
  public:
    CMAFNotIdeal();
    // tau is taken by magnitude; 0 and NaN are ignored silently. The feedback
    // uses the period of the moment of this call.
    void SetTimeConstant(double tau);
    double GetTimeConstant() const { return TimeConstant; }
    double GetFeedback() const { return Feedback; }

    double Filtrate(double x) {
        if (Hold) {
            return 0.0;
        }
        const double s = State.GetAt(1) * Feedback + x * Gain;
        const double y = s - State.GetAt(State.GetLastIndex());
        State.Shift();
        State.SetAt(1, s);
        return y;
    }

  protected:
    double TimeConstant = 1.0;
    double Feedback = 0.0;
};

// Older part of the window minus its newer part:
// y[n] = (s[n-M] - s[n-N]) - (s[n] - s[n-M]), M = N/2 rounded down, times K.
class CMeandrFilter : public CMAF {
  public:
    CMeandrFilter() = default;

    double Filtrate(double x) {
        if (Hold) {
            return 0.0;
        }
        const double s = State.GetAt(1) + x * Gain;
        const int last = State.GetLastIndex();
        const double m = State.GetAt(last / 2);
        const double y = (2.0 * m - State.GetAt(last)) - s;
        State.Shift();
        State.SetAt(1, s);
        return y;
    }
};

// Ideal integrator: y[n] = y[n-1] + K * x[n], with K = T (rectangle rule).
class CIF : public CBaseDigitalFilter {
  public:
    CIF();
    // T > 0 (finite) sets both the period and the gain; anything else is ignored.
    void SetPeriod(double t);

    double Filtrate(double x) {
        if (Hold) {
            return 0.0;
        }
        const double s = State.GetAt(1) + x * Gain;
        State.SetAt(1, s);
        return s;
    }
};

// First-order low-pass: y[n] = alpha * y[n-1] + K * x[n], alpha = exp(-T/tau).
class CLowBandFilter1 : public CIF {
  public:
    CLowBandFilter1();
    // Same rules as CMAFNotIdeal::SetTimeConstant.
    void SetTimeConstant(double tau);
    double GetTimeConstant() const { return TimeConstant; }
    double GetFeedback() const { return Feedback; }

    double Filtrate(double x) {
        if (Hold) {
            return 0.0;
        }
        const double s = State.GetAt(1) * Feedback + x * Gain;
        State.SetAt(1, s);
        return s;
    }

  protected:
    double TimeConstant = 1.0;
    double Feedback = 0.0;
};
