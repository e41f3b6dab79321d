#include "audio/synth.h"

#include <algorithm>
#include <cmath>

#include "audio/wav_file.h"

namespace contentgen {

namespace {

// Removes the step of a hard jump at phase 0 (polynomial band-limited step).
double PolyBlep(double t, double dt) {
  if (t < dt) {
    t /= dt;
    return t + t - t * t - 1.0;
  }
  if (t > 1.0 - dt) {
    t = (t - 1.0) / dt;
    return t * t + t + t + 1.0;
  }
  return 0.0;
}

double Wrap01(double x) { return x - std::floor(x); }

}  // namespace

double NoteFrequency(double midiNote) { return 440.0 * std::pow(2.0, (midiNote - 69.0) / 12.0); }

double DbToGain(double db) { return std::pow(10.0, db / 20.0); }

uint32_t CNoise::NextBits() {
  state ^= state << 13;
  state ^= state >> 17;
  state ^= state << 5;
  return state;
}

double CNoise::Next() { return static_cast<double>(NextBits()) / 2147483648.0 - 1.0; }

COscillator::COscillator(EWave wave, double duty, uint32_t noiseSeed, double startPhase)
    : wave(wave), duty(std::clamp(duty, 0.05, 0.95)), phase(Wrap01(startPhase)), noise(noiseSeed) {}

double COscillator::Next(double frequency) {
  const double dt = std::min(frequency / kSampleRate, 0.5);
  const double t = phase;
  double v = 0.0;
  switch (wave) {
    case EWave::Sine:
      v = std::sin(2.0 * kPi * t);
      break;
    case EWave::Triangle:
      v = t < 0.25 ? 4.0 * t : (t < 0.75 ? 2.0 - 4.0 * t : 4.0 * t - 4.0);
      break;
    case EWave::Square:
      v = (t < 0.5 ? 1.0 : -1.0) + PolyBlep(t, dt) - PolyBlep(Wrap01(t + 0.5), dt);
      break;
    case EWave::Pulse:
      v = (t < duty ? 1.0 : -1.0) + PolyBlep(t, dt) - PolyBlep(Wrap01(t + 1.0 - duty), dt);
      v -= 2.0 * duty - 1.0;
      break;
    case EWave::Saw:
      v = 2.0 * t - 1.0 - PolyBlep(t, dt);
      break;
    case EWave::Noise:
      v = noise.Next();
      break;
  }
  phase = Wrap01(phase + dt);
  return v;
}

void CSvf::SetCutoff(double cutoffHz, double q) {
  const double fc = std::clamp(cutoffHz, 10.0, kSampleRate * 0.45);
  const double g = std::tan(kPi * fc / kSampleRate);
  k = 1.0 / std::max(q, 0.1);
  a1 = 1.0 / (1.0 + g * (g + k));
  a2 = g * a1;
  a3 = g * a2;
}

CSvf::SOut CSvf::Process(double in) {
  const double v3 = in - ic2;
  const double v1 = a1 * ic1 + a2 * v3;
  const double v2 = ic2 + a2 * ic1 + a3 * v3;
  ic1 = 2.0 * v1 - ic1;
  ic2 = 2.0 * v2 - ic2;
  return {v2, k * v1, in - k * v1 - v2};
}

CSvf::SOut CSvf::Process(double in, double cutoffHz, double q) {
  SetCutoff(cutoffHz, q);
  return Process(in);
}

double AdsrLevel(const SAdsr& adsr, double t, double gateSeconds) {
  auto held = [&](double u) {
    if (u <= 0.0) return 0.0;
    if (u < adsr.attack) return u / adsr.attack;
    const double d = u - adsr.attack;
    if (adsr.decay <= 0.0) return adsr.sustain;
    return adsr.sustain + (1.0 - adsr.sustain) * std::exp(-3.0 * d / adsr.decay);
  };
  if (t < gateSeconds) return held(t);
  const double r = t - gateSeconds;
  if (adsr.release <= 0.0 || r >= adsr.release) return 0.0;
  // Raised-cosine fall: smooth at both ends, zero exactly at the end.
  return held(gateSeconds) * 0.5 * (1.0 + std::cos(kPi * r / adsr.release));
}

double Peak(const std::vector<double>& samples) {
  double peak = 0.0;
  for (double s : samples) peak = std::max(peak, std::abs(s));
  return peak;
}

void NormalizePeak(std::vector<double>& samples, double peakDb) {
  const double peak = Peak(samples);
  if (peak <= 0.0) return;
  const double scale = DbToGain(peakDb) / peak;
  for (double& s : samples) s *= scale;
}

void Saturate(std::vector<double>& samples, double drive) {
  if (drive <= 0.0) return;
  const double peak = Peak(samples);
  if (peak <= 0.0) return;
  for (double& s : samples) s = std::tanh(drive * s / peak);
}

}  // namespace contentgen
