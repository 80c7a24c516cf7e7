#pragma once
// What a bench filter gives in theory, for a setup: its impulse response, the
// peak of its noise-free output for the test signal, its output noise power
// and its efficiency. Worked out with the bench's own filter objects,
// configured as the bench configures them for the setup, so that theory and
// the bench's runs can only differ by what the noise does.
//
// Units: the signal in V, the output in mV, so a response is in mV per V; a
// power in mV*mV; energies of responses in (mV/V)^2.

#include <optional>

#include "bench/BenchSetup.h"
#include "bench/CBench.h"
#include "bench/SignalToNoise.h"

// Sums over a filter's response h[n] (n >= 0) to a unit delta at its input.
struct CImpulseResponse {
    double Energy = 0.0;   // sum of h^2
    double AbsSum = 0.0;   // sum of |h|
    double Moment = 0.0;   // sum of n h[n]^2, where the energy lies in time (samples)
    double Peak = 0.0;     // largest |h|
    long Samples = 0;      // samples run through the filter; the rest summed in closed form
    bool Complete = false; // the sums hold the whole response
};

// A response counts as died away once it has stayed below this fraction of
// its peak for longer than any delay line of the bench (PulseLength samples).
constexpr double ResponseDecayedFraction = 1e-12;
// No response is run for longer than this: a flat-passband low-pass at its
// lowest cut-off (1 Hz) has died away after about 140000 samples.
constexpr long MaxResponseSamples = 1L << 23;

// The response of the setup's filter (its own parameter from the setup, and
// for the first-order low-pass the gain the setup's signal item gives it),
// got by feeding a unit delta into the bench's filter object. The moving sums'
// response is zero past their window, and that of the two filters with a
// leaky sum falls by their feedback at every sample once the delta has left
// the delay line: that rest is summed in closed form (for the first-order
// low-pass the sums are then exact, Energy = g^2 / (1 - a^2)). The
// flat-passband low-pass is run until its response has died away; stopped by
// MaxResponseSamples first, the sums are those of the samples run and
// Complete is false. Nothing is run, and Complete is false, for a setup that
// does not run a bench filter (RunsBenchFilter).
CImpulseResponse FilterImpulseResponse(const CBenchSetup& setup);

struct CFilterTheory {
    // False for a setup that does not run a bench filter, or whose filter's
    // response could not be summed; every number below is then 0 and every
    // figure without value.
    bool Valid = false;
    double ResponseEnergy = 0.0; // sum of h^2, at the gain the setup's signal gives the filter
    double Peak = 0.0;           // U: largest |output| for the noise-free signal, mV
    double NoisePower = 0.0;     // P = sigma^2 * ResponseEnergy at the setup's gain, mV*mV
    // q and q0 at the setup's gain (none at gain 0). Efficiency and loss do not
    // depend on the gain and have their value at gain 0 too; they have none
    // for a setup without signal.
    CSnrFigures Figures;
};

// The theory's pair of benches, one fed a unit delta and one the test signal,
// kept for many setups: building a bench designs its flat-passband low-pass
// from scratch, which takes longer than the theory of most setups. Every
// setup prepares both as a run does (PrepareFilters), so nothing of one
// setup is left for the next.
class CTheoryBench {
  public:
    // FilterImpulseResponse and FilterTheory, on these benches.
    CImpulseResponse ImpulseResponse(const CBenchSetup& setup);
    CFilterTheory Theory(const CBenchSetup& setup);

  private:
    CBench Delta;
    CBench Signal;
};

// The theory of a setup: U from the test signal run through the bench's
// filter object, P from its response's energy. The energy of the
// flat-passband low-pass comes in closed form (CascadeResponseEnergy), and its
// signal run stops as soon as that energy shows that no later sample can
// exceed the peak found: a narrow pass band would otherwise take a hundred
// thousand samples per design. The other filters use FilterImpulseResponse.
// With the signal off, NoisePower is what the registrar measures.
CFilterTheory FilterTheory(const CBenchSetup& setup);

// The error of a registrar measurement of batches batches made with setup
// (RegistrarError over the setup filter's FilterImpulseResponse); no value
// when that response is not complete.
std::optional<CRegistrarError> RegistrarErrorFor(const CBenchSetup& setup, int batches);
