// Building blocks shared by the sound effects and the music: oscillators,
// envelopes, a filter and a seeded noise source. Plain double arithmetic and
// fixed seeds, so the same sources always give the same samples.
#pragma once

#include <cstdint>
#include <vector>

namespace contentgen {

enum class EWave { Sine, Triangle, Square, Pulse, Saw, Noise };

// Equal temperament, A4 (MIDI 69) = 440 Hz.
double NoteFrequency(double midiNote);
double DbToGain(double db);
constexpr double kPi = 3.14159265358979323846;

// xorshift32: small, fast and identical on every platform.
class CNoise {
 public:
  explicit CNoise(uint32_t seed) : state(seed == 0 ? 0x9e3779b9u : seed) {}
  double Next();  // uniform in [-1, 1)
  uint32_t NextBits();

 private:
  uint32_t state;
};

// One band-limited oscillator (square, pulse and saw are smoothed at their
// jumps so high notes do not alias into harsh noise). Pulse waves are
// shifted to zero mean so short blips carry no DC offset.
class COscillator {
 public:
  explicit COscillator(EWave wave, double duty = 0.5, uint32_t noiseSeed = 1, double startPhase = 0.0);
  // One sample at the given frequency; the phase then advances.
  double Next(double frequency);

 private:
  EWave wave;
  double duty;
  double phase = 0.0;
  CNoise noise;
};

// Two-pole state-variable filter (trapezoidal form: stable while the cutoff
// moves every sample).
class CSvf {
 public:
  // band has unity gain at the cutoff.
  struct SOut {
    double low, band, high;
  };
  SOut Process(double in, double cutoffHz, double q);
  // Cheaper form for a cutoff that changes slowly: set it now and then,
  // then process many samples with it.
  void SetCutoff(double cutoffHz, double q);
  SOut Process(double in);

 private:
  double ic1 = 0.0, ic2 = 0.0;
  double k = 1.0, a1 = 0.0, a2 = 0.0, a3 = 0.0;
};

// Attack / decay / sustain / release. Starts at zero and returns to exactly
// zero `release` seconds after the gate closes, so no note ends in a click.
// `decay` is the time to fall most of the way (95 %) to the sustain level.
struct SAdsr {
  double attack = 0.005;
  double decay = 0.1;
  double sustain = 1.0;
  double release = 0.05;
};
double AdsrLevel(const SAdsr& adsr, double t, double gateSeconds);

// Peak absolute value of a buffer.
double Peak(const std::vector<double>& samples);
// Scales a buffer so its peak sits at peakDb (dBFS). Silent buffers are left alone.
void NormalizePeak(std::vector<double>& samples, double peakDb);
// Gentle tanh saturation: makes a sound denser (louder for the same peak).
void Saturate(std::vector<double>& samples, double drive);

}  // namespace contentgen
