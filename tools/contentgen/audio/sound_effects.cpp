#include "audio/sound_effects.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <stdexcept>
#include <unistd.h>

#include "audio/mp3_encoder.h"
#include "audio/sequencer.h"
#include "audio/wav_file.h"
#include "contentgen.h"

namespace contentgen {

namespace {

double Hz(const char* note) { return NoteFrequency(ParseNoteName(note)); }

SLayer Tone(EWave wave, double start, double length, double hz) {
  SLayer l;
  l.wave = wave;
  l.start = start;
  l.length = length;
  l.fromHz = l.toHz = hz;
  return l;
}

SLayer Tone(EWave wave, double start, double length, const char* note) { return Tone(wave, start, length, Hz(note)); }

SLayer Noise(double start, double length, EFilter filter, double fromHz, double toHz, double q = 0.707) {
  return Tone(EWave::Noise, start, length, 0.0).Filter(filter, fromHz, toHz, q);
}

// A soft bell: a sine and a few quieter, shorter overtones (the 4.2 one
// gives the metallic shimmer of a struck bar).
std::vector<SLayer> Chime(const char* note, double start, double length, double gain) {
  const double f = Hz(note);
  return {
      Tone(EWave::Sine, start, length, f).Curve(2.5).Gain(gain),
      Tone(EWave::Sine, start, length * 0.7, f * 2.0).Curve(3.0).Gain(gain * 0.35),
      Tone(EWave::Sine, start, length * 0.5, f * 3.0).Curve(3.5).Gain(gain * 0.12),
      Tone(EWave::Sine, start, length * 0.3, f * 4.2).Curve(4.0).Gain(gain * 0.06),
  };
}

void Append(std::vector<SLayer>& to, const SLayer& layer) { to.push_back(layer); }
void Append(std::vector<SLayer>& to, const std::vector<SLayer>& layers) { to.insert(to.end(), layers.begin(), layers.end()); }

template <typename... T>
std::vector<SLayer> Layers(const T&... parts) {
  std::vector<SLayer> all;
  (Append(all, parts), ...);
  return all;
}

constexpr auto Sine = EWave::Sine;
constexpr auto Triangle = EWave::Triangle;
constexpr auto Square = EWave::Square;
constexpr auto Pulse = EWave::Pulse;
constexpr auto Saw = EWave::Saw;
constexpr auto Low = EFilter::Lowpass;
constexpr auto Band = EFilter::Bandpass;
constexpr auto High = EFilter::Highpass;

// Peak levels: the game plays some effects quieter (its volume table), so
// those files are mastered near full scale and the full-volume ones lower,
// which keeps the menu sounds below the music and the hits above it.
std::vector<SSoundEffect> BuildTable() {
  return {
      // A bright bell ding.
      {"se017-0006.wav", -1.0, 0.0, Layers(Chime("E6", 0.0, 0.6, 0.8), Chime("B6", 0.0, 0.4, 0.25))},
      // Coin: a short B then a ringing E a fourth above.
      {"coin01.wav", -6.0, 0.0, Layers(Tone(Square, 0.0, 0.07, "B5").Curve(0).Gain(0.5), Tone(Square, 0.07, 0.35, "E6").Curve(1.5).Gain(0.5))},
      // Item get: a quick rising arpeggio.
      {"get_50.wav", -6.0, 0.0,
       Layers(Tone(Pulse, 0.00, 0.06, "C6").Duty(0.25).Curve(0), Tone(Pulse, 0.06, 0.06, "E6").Duty(0.25).Curve(0),
              Tone(Pulse, 0.12, 0.06, "G6").Duty(0.25).Curve(0), Tone(Pulse, 0.18, 0.35, "C7").Duty(0.25).Curve(1.5),
              Tone(Triangle, 0.00, 0.53, "C5").Curve(1.2).Gain(0.5))},
      // A metallic clang: inharmonic partials of a struck plate and a click.
      {"metal29_a.wav", -5.0, 0.0,
       Layers(Tone(Sine, 0.0, 0.70, 420.0).Attack(0.001).Curve(3), Tone(Sine, 0.0, 0.55, 420.0 * 2.76).Attack(0.001).Curve(3).Gain(0.6),
              Tone(Sine, 0.0, 0.40, 420.0 * 5.40).Attack(0.001).Curve(3).Gain(0.4), Tone(Sine, 0.0, 0.25, 420.0 * 8.93).Attack(0.001).Curve(3).Gain(0.25),
              Noise(0.0, 0.04, Band, 3000, 3000, 2.0).Attack(0.0005).Curve(2).Gain(0.5))},
      // Explosion: a falling roar over a deep thump.
      {"bom10.wav", -0.5, 2.0,
       Layers(Noise(0.0, 1.0, Low, 4000, 150).Attack(0.003).Curve(2), Tone(Sine, 0.0, 0.5, 90.0).Glide(30.0).Attack(0.002).Curve(2).Gain(0.8),
              Noise(0.0, 1.2, Low, 700, 300).Attack(0.01).Curve(3).Gain(0.5))},
      // A plain electronic beep.
      {"pi73.wav", -8.0, 0.0, Layers(Tone(Square, 0.0, 0.12, "A5").Curve(0).Release(0.01).Gain(0.6), Tone(Sine, 0.0, 0.12, "A6").Curve(0).Release(0.01).Gain(0.2))},
      // Laser: a fast falling zap.
      {"tm2_laser001.wav", -6.0, 0.0,
       Layers(Tone(Pulse, 0.0, 0.30, 2400.0).Glide(300.0).Duty(0.3).Curve(1.2).Vibrato(30.0, 0.5),
              Tone(Saw, 0.0, 0.30, 2400.0).Glide(280.0).Curve(1.2).Gain(0.3).Filter(Low, 5000, 5000))},
      // Crash: breaking, with bright shards.
      {"crash25.wav", -4.0, 0.0,
       Layers(Noise(0.0, 0.8, High, 2500, 1500).Attack(0.001).Curve(3), Noise(0.0, 0.5, Band, 5000, 5000, 3.0).Attack(0.001).Curve(2).Gain(0.5),
              Tone(Sine, 0.0, 0.3, 1200.0).Attack(0.001).Curve(3).Gain(0.3), Tone(Sine, 0.02, 0.3, 2750.0).Attack(0.001).Curve(3).Gain(0.25),
              Noise(0.0, 0.2, Low, 600, 600).Attack(0.001).Curve(2).Gain(0.6))},
      // Power-up: a wobbling upward sweep.
      {"power32.wav", -6.0, 0.0,
       Layers(Tone(Square, 0.0, 0.45, 220.0).Glide(880.0).Curve(0.6).Release(0.05).Vibrato(12.0, 1.0).Gain(0.6),
              Tone(Triangle, 0.0, 0.45, 440.0).Glide(1760.0).Curve(0.6).Release(0.05).Vibrato(12.0, 1.0).Gain(0.4))},
      // Machinery: three clicks of a gear over a low buzz and a clunk.
      {"mecha20.wav", -0.5, 1.5,
       Layers(Noise(0.00, 0.03, Band, 2500, 2500, 4.0).Attack(0.0005).Curve(2), Noise(0.09, 0.03, Band, 2500, 2500, 4.0).Attack(0.0005).Curve(2),
              Noise(0.18, 0.03, Band, 2500, 2500, 4.0).Attack(0.0005).Curve(2),
              Tone(Square, 0.0, 0.25, 90.0).Attack(0.01).Curve(1).Gain(0.4).Filter(Low, 800, 800),
              Tone(Sine, 0.18, 0.12, 180.0).Glide(120.0).Attack(0.001).Curve(2).Gain(0.7))},
      // "OK": a rising fourth on soft bells.
      {"ok1a.mp3", -6.0, 0.0, Layers(Chime("E5", 0.0, 0.5, 0.8), Chime("A5", 0.12, 0.8, 0.8))},
      // "OK", brighter: a rising major triad.
      {"ok1b.mp3", -6.0, 0.0, Layers(Chime("A5", 0.0, 0.4, 0.7), Chime("C#6", 0.08, 0.4, 0.7), Chime("E6", 0.16, 0.7, 0.7))},
      // Healing or a status effect landing: rising sparkles over a soft glow.
      {"power04.wav", -5.0, 0.0,
       Layers(Chime("A5", 0.00, 0.35, 0.5), Chime("C#6", 0.07, 0.35, 0.5), Chime("E6", 0.14, 0.35, 0.5), Chime("A6", 0.21, 0.35, 0.5),
              Chime("C#7", 0.28, 0.35, 0.45), Chime("E7", 0.35, 0.45, 0.4),
              Tone(Sine, 0.0, 0.8, "A5").Attack(0.1).Curve(1.5).Vibrato(6.0, 0.1).Gain(0.25),
              Tone(Sine, 0.0, 0.8, "E6").Attack(0.1).Curve(1.5).Vibrato(6.0, 0.1).Gain(0.2),
              Noise(0.0, 0.8, High, 6000, 8000).Attack(0.2).Curve(1.5).Gain(0.12))},
      // A shot: a burst of noise and a falling snap.
      {"shoot16_b.wav", -0.5, 1.5,
       Layers(Noise(0.0, 0.18, Band, 2000, 400, 1.0).Attack(0.001).Curve(2), Tone(Square, 0.0, 0.12, 900.0).Glide(150.0).Attack(0.001).Curve(1.5).Gain(0.5))},
      // Quiz "correct": a high note falling to the third below.
      {"quiz1.wav", -6.0, 0.0, Layers(Chime("E6", 0.0, 0.6, 0.8), Chime("C6", 0.18, 0.9, 0.8))},
      // A blow landing: a low thud with a short crack on top.
      {"hit76_d.wav", -2.0, 2.5,
       Layers(Tone(Sine, 0.0, 0.22, 160.0).Glide(45.0).Attack(0.001).Curve(2),
              Noise(0.0, 0.06, Low, 2500, 400).Attack(0.0005).Curve(3).Gain(0.7),
              Tone(Triangle, 0.0, 0.18, 90.0).Glide(55.0).Attack(0.001).Curve(2).Gain(0.4))},
      // Strengthening: a shimmering chord that builds upward.
      {"power31.wav", -6.0, 0.0,
       Layers(Tone(Triangle, 0.00, 0.60, "C5").Attack(0.05).Curve(1.5).Vibrato(5.0, 0.15).Gain(0.5),
              Tone(Triangle, 0.05, 0.55, "E5").Attack(0.05).Curve(1.5).Vibrato(5.0, 0.15).Gain(0.5),
              Tone(Triangle, 0.10, 0.50, "G5").Attack(0.05).Curve(1.5).Vibrato(5.0, 0.15).Gain(0.5),
              Tone(Triangle, 0.15, 0.45, "C6").Attack(0.05).Curve(1.5).Vibrato(5.0, 0.15).Gain(0.5))},
      // Three short, neutral chimes.
      {"Onegai00@08.wav", -8.0, 0.0, Layers(Chime("G5", 0.0, 0.4, 0.8), Chime("C6", 0.1, 0.5, 0.8))},
      {"Kakugo00@11.wav", -8.0, 0.0, Layers(Chime("D5", 0.0, 0.4, 0.8), Chime("A5", 0.1, 0.5, 0.8))},
      {"IkuyoA@08.wav", -8.0, 0.0, Layers(Chime("C5", 0.0, 0.3, 0.7), Chime("E5", 0.07, 0.3, 0.7), Chime("G5", 0.14, 0.45, 0.7))},
      // Evasion: air swept past, up and away.
      {"sha00.wav", -5.0, 0.0,
       Layers(Noise(0.0, 0.30, Band, 400, 2600, 1.2).Attack(0.14).Curve(1.8), Noise(0.10, 0.25, Band, 2600, 900, 1.5).Attack(0.05).Curve(2).Gain(0.6))},
      // One footstep: heard on every grid step, so short, dull and soft.
      {"fstep03a.wav", -6.0, 0.0,
       Layers(Noise(0.0, 0.07, Low, 1400, 250).Attack(0.002).Curve(3), Tone(Sine, 0.0, 0.05, 120.0).Glide(70.0).Attack(0.002).Curve(2).Gain(0.5),
              Noise(0.02, 0.03, Band, 3000, 3000, 1.0).Attack(0.002).Curve(2).Gain(0.15))},
      // A menu opens: two soft blips upward.
      {"pi79.wav", -6.0, 0.0,
       Layers(Tone(Pulse, 0.00, 0.05, "E6").Duty(0.25).Curve(0).Gain(0.4), Tone(Pulse, 0.05, 0.08, "A6").Duty(0.25).Curve(1).Gain(0.4),
              Tone(Triangle, 0.00, 0.05, "E5").Curve(0).Gain(0.5), Tone(Triangle, 0.05, 0.08, "A5").Curve(1).Gain(0.5))},
      // The cursor moves: one very short blip.
      {"cursor_04.wav", -7.0, 0.0, Layers(Tone(Pulse, 0.0, 0.035, "G6").Duty(0.25).Curve(1.5).Gain(0.5), Tone(Triangle, 0.0, 0.035, "G5").Curve(1.5).Gain(0.6))},
      // Decide: a soft chime, a fifth upward.
      {"cursor_01.wav", -8.0, 0.0, Layers(Chime("C6", 0.0, 0.25, 0.8), Chime("G6", 0.06, 0.35, 0.7))},
      // Cancel: a soft step down.
      {"decide3.wav", -3.0, 0.0,
       Layers(Tone(Triangle, 0.0, 0.07, "E5").Curve(0.5), Tone(Triangle, 0.06, 0.12, "A4").Curve(1.5),
              Tone(Square, 0.0, 0.18, "A4").Curve(1.5).Gain(0.15).Filter(Low, 2000, 1200))},
  };
}

uint32_t Fnv1a(const std::string& text) {
  uint32_t h = 2166136261u;
  for (unsigned char c : text) h = (h ^ c) * 16777619u;
  return h;
}

void RenderLayer(const SLayer& layer, uint32_t seed, std::vector<double>& mix) {
  const int first = static_cast<int>(std::lround(layer.start * kSampleRate));
  const int count = static_cast<int>(std::lround(layer.length * kSampleRate)) + 1;
  COscillator osc(layer.wave, layer.duty, seed);
  CSvf filter;
  for (int i = 0; i < count; ++i) {
    const double t = static_cast<double>(i) / kSampleRate;
    const double x = std::min(t / layer.length, 1.0);
    double freq = layer.fromHz * std::pow(layer.toHz / std::max(layer.fromHz, 1e-9), x);
    if (layer.vibratoSemitones > 0.0) freq *= std::pow(2.0, layer.vibratoSemitones / 12.0 * std::sin(2.0 * kPi * layer.vibratoHz * t));
    double s = osc.Next(freq);
    if (layer.filter != EFilter::None) {
      const double cutoff = layer.filterFromHz * std::pow(layer.filterToHz / layer.filterFromHz, x);
      const CSvf::SOut o = filter.Process(s, cutoff, layer.q);
      s = layer.filter == EFilter::Lowpass ? o.low : (layer.filter == EFilter::Bandpass ? o.band : o.high);
    }
    const double rise = t < layer.attack ? std::pow(std::sin(0.5 * kPi * t / layer.attack), 2.0) : 1.0;
    const double bodyX = std::clamp((t - layer.attack) / std::max(layer.length - layer.attack, 1e-9), 0.0, 1.0);
    const double body = layer.curve <= 0.0 ? 1.0 : std::pow(1.0 - bodyX, layer.curve);
    const double left = std::max(layer.length - t, 0.0);
    const double fade = left < layer.release ? 0.5 * (1.0 - std::cos(kPi * left / layer.release)) : 1.0;
    mix[static_cast<size_t>(first + i)] += s * layer.gain * rise * body * fade;
  }
}

}  // namespace

const std::vector<SSoundEffect>& SoundEffectTable() {
  static const std::vector<SSoundEffect> table = BuildTable();
  return table;
}

std::vector<double> RenderSoundEffect(const SSoundEffect& effect) {
  double end = 0.0;
  for (const SLayer& l : effect.layers) end = std::max(end, l.start + l.length);
  const size_t frames = static_cast<size_t>(std::lround(end * kSampleRate)) + 2;
  std::vector<double> mix(frames, 0.0);
  const uint32_t seed = Fnv1a(effect.fileName);
  for (size_t i = 0; i < effect.layers.size(); ++i) RenderLayer(effect.layers[i], seed + static_cast<uint32_t>(i) * 7919u, mix);
  Saturate(mix, effect.drive);
  NormalizePeak(mix, effect.peakDb);
  return mix;
}

void GenerateSounds(const std::filesystem::path& outDir) {
  namespace fs = std::filesystem;
  RequireMp3Encoder();
  const fs::path soundDir = outDir / "sound";
  std::error_code ec;
  fs::create_directories(soundDir, ec);
  if (ec || !fs::is_directory(soundDir)) throw std::runtime_error("cannot create the sound directory " + soundDir.string() + ": " + ec.message());
  for (const SSoundEffect& effect : SoundEffectTable()) {
    const std::vector<int16_t> pcm = ToPcm16(RenderSoundEffect(effect));
    const fs::path target = soundDir / effect.fileName;
    if (target.extension() != ".mp3") {
      WriteWavFile(target, pcm, 1);
      continue;
    }
    // The encoder reads a WAV; keep it out of dat/sound, where the game
    // would load it as one more effect.
    const fs::path wav = fs::temp_directory_path() / ("quorvane-" + std::to_string(getpid()) + "-" + target.stem().string() + ".wav");
    WriteWavFile(wav, pcm, 1);
    try {
      EncodeMp3(wav, target, 96);
    } catch (...) {
      fs::remove(wav, ec);
      throw;
    }
    fs::remove(wav, ec);
  }
}

}  // namespace contentgen
