// The game's sound effects, synthesised from a few layers of tones and
// filtered noise each.
#pragma once

#include <string>
#include <vector>

#include "audio/synth.h"

namespace contentgen {

enum class EFilter { None, Lowpass, Bandpass, Highpass };

// One layer: a tone (or noise) with a pitch glide, an envelope that rises
// over `attack` and falls with `curve` to exactly zero at its end, and an
// optional filter whose cutoff glides too.
struct SLayer {
  EWave wave = EWave::Sine;
  double start = 0.0;   // seconds into the effect
  double length = 0.1;  // seconds
  double fromHz = 440.0, toHz = 440.0;  // exponential glide
  double attack = 0.002;
  double curve = 1.0;  // 0 holds, 1 falls linearly, larger falls faster
  double release = 0.005;  // final fade, so held tones end without a click
  double gain = 1.0;
  double duty = 0.5;
  double vibratoHz = 0.0, vibratoSemitones = 0.0;
  EFilter filter = EFilter::None;
  double filterFromHz = 1000.0, filterToHz = 1000.0;
  double q = 0.707;

  SLayer Glide(double hz) const { SLayer l = *this; l.toHz = hz; return l; }
  SLayer Attack(double s) const { SLayer l = *this; l.attack = s; return l; }
  SLayer Curve(double c) const { SLayer l = *this; l.curve = c; return l; }
  SLayer Release(double s) const { SLayer l = *this; l.release = s; return l; }
  SLayer Gain(double g) const { SLayer l = *this; l.gain = g; return l; }
  SLayer Duty(double d) const { SLayer l = *this; l.duty = d; return l; }
  SLayer Vibrato(double hz, double semitones) const { SLayer l = *this; l.vibratoHz = hz; l.vibratoSemitones = semitones; return l; }
  SLayer Filter(EFilter f, double fromHz, double toHz, double q = 0.707) const {
    SLayer l = *this; l.filter = f; l.filterFromHz = fromHz; l.filterToHz = toHz; l.q = q; return l;
  }
};

struct SSoundEffect {
  std::string fileName;  // as the game's effect table names it
  double peakDb = -3.0;  // set against the game's playback volume of this effect
  double drive = 0.0;    // saturation for weight (hits, explosions)
  std::vector<SLayer> layers;
};

// Every distinct effect file, in the order of the game's effect table.
const std::vector<SSoundEffect>& SoundEffectTable();

// Mono samples of one effect, peak at its peakDb; starts and ends at zero.
std::vector<double> RenderSoundEffect(const SSoundEffect& effect);

}  // namespace contentgen
