#pragma once
// Chebyshev type I low-pass filter (equiripple passband), designed through the
// bilinear transform with prewarping and run as a cascade of sections.
//
// Levels are linear magnitudes (1.0 = unity gain) unless the name says Db.
// Frequencies: BandEdge in rad/sample (0 < wp <= pi), CyclicBandEdge in
// cycles/sample (0 < f <= 0.5). Every setter corrects an invalid value to a
// permitted one, says so through ShowMessage, stores it and returns what it
// stored. No setter rebuilds the sections: call Design() afterwards.
//
// Kept by the setters: 0 < wp <= pi; 0.5 <= Kp <= 0.9; Kp <= Kr = 1 - r;
// 0 < Ks <= 0.3; 0 < r <= 0.5; 1 <= n <= 60.

#include "filters/CCascadFilter2.h"

class CChebishevFilter : public CCascadFilter2 {
  public:
    static constexpr int MaxOrder = 60;

    CChebishevFilter();

    // Passband upper edge wp, rad/sample, (0, pi].
    double SetBandEdge(double w);
    // The same in cycles/sample, (0, 0.5].
    double SetCyclicBandEdge(double f);
    double GetBandEdge() const { return BandEdge; }
    double GetCyclicBandEdge() const { return CyclicBandEdge; }
    // Magnitude at wp, [0.5, 0.9] and not above the lower ripple level (the
    // ripple is narrowed when it is).
    double SetPassLevel(double k);
    // The same in dB; a positive value is taken as its negative, and below -7
    // dB as -7, silently; returns PassLevelDb.
    double SetPassLevelDb(double db);
    double GetPassLevel() const { return PassLevel; }
    double GetPassLevelDb() const { return PassLevelDb; }
    // Required relative width of the transition band in percent (> 0); it
    // chooses the order in automatic mode. Returns pct as stored.
    double SetTransitionWidth(double pct);
    // As a fraction (0.1 = 10 %); in manual mode the width the design achieves.
    double GetTransitionWidth() const { return TransitionWidth; }
    double GetActualTransition() const { return ActualTransition; }
    // Magnitude at the lower edge of the stopband, (0, 0.3].
    double SetStopLevel(double k);
    // The same in dB, [-400, 0]; a positive value is taken as its negative.
    double SetStopLevelDb(double db);
    double GetStopLevel() const { return StopLevel; }
    double GetStopLevelDb() const { return StopLevelDb; }
    // Span of the passband ripple, fraction of 1, (0, 0.5]; the pass level is
    // lowered when it would lie above 1 - r.
    double SetRipple(double r);
    double GetRipple() const { return Ripple; }
    double GetRippleDb() const { return RippleDb; }
    double GetRippleLevel() const { return RippleLevel; }
    // Filter order 1..60. Recomputes only the transition values: the ripple
    // band edge follows at the next setter that recomputes the design.
    int SetOrder(int n);
    int GetOrder() const { return FilterOrder; }
    // Automatic order (chosen from the transition width) on or off.
    void SetAutoOrder(bool on) { AutoOrder = on; }
    bool GetAutoOrder() const { return AutoOrder; }

    double GetPassEps2() const { return PassEps2; }
    double GetStopEps2() const { return StopEps2; }
    double GetRippleEps2() const { return RippleEps2; }
    double GetRippleEdge() const { return RippleEdge; }
    double GetPrewarpedEdge() const { return PrewarpedEdge; }
    double GetStopEdge() const { return StopEdge; }

    // Recomputes the derived values; in automatic mode also the order.
    void UpdateDesign();
    // Recomputes StopEdge and ActualTransition for the current order.
    void UpdateTransition();
    // Rebuilds the sections from the derived values.
    void Design();

  private:
    double PoleReal(int k) const;
    double PoleNorm2(int k) const;
    double SectionGain(double D, double W) const;
    double FirstOrderGain() const;
    void SetSection(CDigitalFilter2* s, int k) const;
    double Mu() const;
    void ComputeRippleEdge();

    double BandEdge = 1.0;
    double CyclicBandEdge = 0.0;
    double PassLevel = 0.707;
    double PassLevelDb = 0.0;
    double TransitionWidth = 0.1;
    double ActualTransition = 0.0;
    double StopLevel = 0.01;
    double StopLevelDb = 0.0;
    double Ripple = 0.1;
    double RippleDb = 0.0;
    double RippleLevel = 0.9;
    int FilterOrder = 1;
    double PassEps2 = 0.0;
    double StopEps2 = 0.0;
    double RippleEps2 = 0.0;
    double RippleEdge = 0.0;
    double PrewarpedEdge = 0.0;
    double StopEdge = 0.0;
    bool AutoOrder = true;
};
