#include "audio/sequencer.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <sstream>
#include <stdexcept>

#include "audio/wav_file.h"

namespace contentgen {

namespace {

constexpr std::string_view kDrums = "KSHOTMX";

[[noreturn]] void Fail(const std::string& message) { throw std::runtime_error(message); }

// Ticks of one duration letter.
int LetterTicks(char c) {
  switch (c) {
    case 'w': return 4 * kTicksPerBeat;
    case 'h': return 2 * kTicksPerBeat;
    case 'q': return kTicksPerBeat;
    case 'e': return kTicksPerBeat / 2;
    case 's': return kTicksPerBeat / 4;
    case 't': return kTicksPerBeat / 3;
    default: return 0;
  }
}

// "q", "e.", "wh": the sum of the letters, each optionally dotted.
int ParseDuration(std::string_view text, const std::string& token) {
  if (text.empty()) Fail("note '" + token + "' has no duration (w h q e s t)");
  int ticks = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    const int t = LetterTicks(text[i]);
    if (t == 0) Fail("bad duration in '" + token + "' (use w h q e s t, a dot adds half)");
    ticks += t;
    if (i + 1 < text.size() && text[i + 1] == '.') {
      ticks += t / 2;
      ++i;
    }
  }
  return ticks;
}

// Splits "C4+E4+G4w." into pitches and duration, "Kq>" into drum and duration.
SNoteEvent ParseToken(const std::string& token) {
  SNoteEvent ev;
  std::string_view rest = token;
  if (!rest.empty() && rest.back() == '>') {
    ev.accent = true;
    rest.remove_suffix(1);
  }
  if (rest.empty()) Fail("empty note");
  if (rest[0] == 'r') {
    rest.remove_prefix(1);
  } else if (kDrums.find(rest[0]) != std::string_view::npos) {
    ev.drum = rest[0];
    rest.remove_prefix(1);
  } else {
    while (true) {
      size_t end = 1;
      if (end < rest.size() && (rest[end] == '#' || rest[end] == 'b')) ++end;
      while (end < rest.size() && std::isdigit(static_cast<unsigned char>(rest[end]))) ++end;
      ev.pitches.push_back(ParseNoteName(rest.substr(0, end)));
      rest.remove_prefix(end);
      if (rest.empty() || rest[0] != '+') break;
      rest.remove_prefix(1);
      if (rest.empty()) Fail("chord '" + token + "' ends with '+'");
    }
  }
  ev.lengthTicks = ParseDuration(rest, token);
  return ev;
}

// Expands "( ... )*N" groups ("( ... )" alone plays once) into a flat token list.
std::vector<std::string> Tokenize(std::string_view text) {
  std::string spaced;
  for (char c : text) {
    if (c == '(' || c == ')' || c == '|') {
      spaced += ' ';
      spaced += c;
      spaced += ' ';
    } else {
      spaced += c;
    }
  }
  std::istringstream in(spaced);
  std::vector<std::string> raw;
  for (std::string token; in >> token;) raw.push_back(token);

  std::vector<std::vector<std::string>> stack(1);
  for (size_t i = 0; i < raw.size(); ++i) {
    const std::string& token = raw[i];
    if (token == "(") {
      stack.emplace_back();
    } else if (token == ")") {
      if (stack.size() < 2) Fail("')' without '('");
      int count = 1;
      if (i + 1 < raw.size() && raw[i + 1][0] == '*') {
        count = std::atoi(raw[i + 1].c_str() + 1);
        if (count <= 0 || count > 64) Fail("bad repeat count '" + raw[i + 1] + "' (use *1 to *64)");
        ++i;
      }
      std::vector<std::string> group = std::move(stack.back());
      stack.pop_back();
      for (int k = 0; k < count; ++k) stack.back().insert(stack.back().end(), group.begin(), group.end());
    } else if (token[0] == '*') {
      Fail("repeat count '" + token + "' without a group before it");
    } else {
      stack.back().push_back(token);
    }
  }
  if (stack.size() != 1) Fail("'(' without ')'");
  return std::move(stack.back());
}

// One instrument's sound. Rows below read as a table.
struct SVoice {
  EWave wave;
  double duty;
  int unison;          // oscillators spread by detuneCents
  double detuneCents;
  SAdsr amp;
  double cutoffHz;     // 0 = no filter
  double cutoffEnvHz;  // extra brightness at the attack ...
  double cutoffDecay;  // ... gone after this many seconds
  double q;
  double vibratoHz, vibratoCents, vibratoDelay;
  double fmRatio, fmIndex, fmDecay;  // sine FM when fmRatio > 0
  double legato;       // part of the written length the note is held
  double gain;
};

// clang-format off
constexpr std::array<SVoice, 11> kVoices = {{
  //  wave             duty uni det  {attack decay sust  rel}   cut   env   envDec q    vibHz cents delay  fmR  fmI  fmDec legato gain
  {EWave::Square,      0.5, 1,  0.0, {0.010, 0.30, 0.60, 0.08}, 2200, 2500, 0.20, 0.8, 5.5, 12.0, 0.25, 0.0, 0.0, 0.0, 0.92, 0.50},  // Lead
  {EWave::Pulse,      0.25, 1,  0.0, {0.005, 0.20, 0.55, 0.06}, 4500,    0, 0.10, 0.7, 6.0, 10.0, 0.20, 0.0, 0.0, 0.0, 0.85, 0.45},  // Pulse
  {EWave::Triangle,    0.5, 1,  0.0, {0.040, 0.20, 0.85, 0.10},    0,    0, 0.10, 0.7, 5.0, 14.0, 0.20, 0.0, 0.0, 0.0, 0.95, 0.80},  // Flute
  {EWave::Saw,         0.5, 3,  9.0, {0.250, 0.50, 0.85, 0.35}, 2000,    0, 0.10, 0.7, 5.0,  8.0, 0.30, 0.0, 0.0, 0.0, 1.00, 0.35},  // Strings
  {EWave::Saw,         0.5, 2,  7.0, {0.600, 1.00, 0.80, 0.60}, 1000,    0, 0.10, 0.6, 0.0,  0.0, 0.00, 0.0, 0.0, 0.0, 1.00, 0.35},  // Pad
  {EWave::Saw,         0.5, 2,  5.0, {0.030, 0.40, 0.75, 0.12}, 1200, 2200, 0.25, 1.0, 5.0,  8.0, 0.30, 0.0, 0.0, 0.0, 0.90, 0.40},  // Brass
  {EWave::Saw,         0.5, 1,  0.0, {0.005, 0.25, 0.55, 0.06},  350,  900, 0.15, 1.2, 0.0,  0.0, 0.00, 0.0, 0.0, 0.0, 0.88, 0.70},  // Bass
  {EWave::Square,      0.5, 1,  0.0, {0.010, 0.40, 0.70, 0.10},  250,  250, 0.20, 0.7, 0.0,  0.0, 0.00, 0.0, 0.0, 0.0, 0.92, 0.45},  // SoftBass
  {EWave::Saw,         0.5, 1,  0.0, {0.002, 1.20, 0.00, 0.15},  700, 3000, 0.15, 0.9, 0.0,  0.0, 0.00, 0.0, 0.0, 0.0, 1.00, 0.45},  // Pluck
  {EWave::Sine,        0.5, 1,  0.0, {0.002, 1.60, 0.00, 0.30},    0,    0, 0.10, 0.7, 0.0,  0.0, 0.00, 3.5, 1.6, 0.50, 1.00, 0.40},  // Bell
  {EWave::Sine,        0.5, 1,  0.0, {0.003, 2.00, 0.00, 0.25},    0,    0, 0.10, 0.7, 0.0,  0.0, 0.00, 1.0, 1.3, 0.70, 1.00, 0.50},  // Piano
}};
// clang-format on

// Renders one pitched note into out (gate + release seconds long).
void RenderTone(const SVoice& v, double freq, double gate, double release, double level, std::vector<double>& out) {
  SAdsr adsr = v.amp;
  adsr.release = release;
  std::vector<COscillator> oscs;
  std::vector<double> detune;
  for (int k = 0; k < v.unison; ++k) {
    oscs.emplace_back(v.wave, v.duty, 1, static_cast<double>(k) / v.unison);
    const double spread = v.unison == 1 ? 0.0 : (2.0 * k / (v.unison - 1) - 1.0);
    detune.push_back(std::pow(2.0, spread * v.detuneCents / 1200.0));
  }
  const double oscScale = 1.0 / std::sqrt(static_cast<double>(v.unison));
  CSvf filter;
  double carrier = 0.0, modulator = 0.0;
  for (size_t i = 0; i < out.size(); ++i) {
    const double t = static_cast<double>(i) / kSampleRate;
    double f = freq;
    if (v.vibratoCents > 0.0) {
      const double depth = v.vibratoCents * std::clamp((t - v.vibratoDelay) / 0.3, 0.0, 1.0);
      f *= std::pow(2.0, depth / 1200.0 * std::sin(2.0 * kPi * v.vibratoHz * t));
    }
    double s = 0.0;
    if (v.fmRatio > 0.0) {
      const double index = v.fmIndex * (0.15 + 0.85 * std::exp(-3.0 * t / v.fmDecay));
      s = std::sin(2.0 * kPi * carrier + index * std::sin(2.0 * kPi * modulator));
      carrier += f / kSampleRate;
      modulator += f * v.fmRatio / kSampleRate;
      carrier -= std::floor(carrier);
      modulator -= std::floor(modulator);
    } else {
      for (size_t k = 0; k < oscs.size(); ++k) s += oscs[k].Next(f * detune[k]);
      s *= oscScale;
    }
    if (v.cutoffHz > 0.0) {
      // The cutoff follows the pitch a little so high notes stay bright.
      // Moving it every 16 samples is smooth enough and much cheaper.
      if (i % 16 == 0) filter.SetCutoff(v.cutoffHz + freq + v.cutoffEnvHz * std::exp(-3.0 * t / v.cutoffDecay), v.q);
      s = filter.Process(s).low;
    }
    out[i] = s * AdsrLevel(adsr, t, gate) * v.gain * level;
  }
}

// Natural length of each drum in seconds.
double DrumSeconds(char drum) {
  switch (drum) {
    case 'K': return 0.35;
    case 'S': return 0.25;
    case 'H': return 0.06;
    case 'O': return 0.35;
    case 'T': return 0.50;
    case 'M': return 0.40;
    default: return 1.60;  // 'X'
  }
}

void RenderDrum(char drum, double level, CNoise& noise, std::vector<double>& out) {
  CSvf filter;
  filter.SetCutoff(drum == 'S' ? 1500.0 : drum == 'H' ? 7500.0 : drum == 'O' ? 7000.0 : 4500.0, drum == 'X' ? 0.5 : 0.7);
  double phase = 0.0;
  const double length = static_cast<double>(out.size()) / kSampleRate;
  for (size_t i = 0; i < out.size(); ++i) {
    const double t = static_cast<double>(i) / kSampleRate;
    const double n = noise.Next();
    double s = 0.0;
    auto tone = [&](double hz) {
      phase += hz / kSampleRate;
      return std::sin(2.0 * kPi * phase);
    };
    switch (drum) {
      case 'K':  // a sine that drops fast from a knock to a boom
        s = tone(48.0 + 90.0 * std::exp(-t / 0.03)) * std::exp(-t / 0.12) + 0.15 * n * std::exp(-t / 0.003);
        break;
      case 'S':
        s = 0.45 * tone(190.0) * std::exp(-t / 0.05) + 0.7 * filter.Process(n).high * std::exp(-t / 0.07);
        break;
      case 'H':
        s = 0.5 * filter.Process(n).high * std::exp(-t / 0.015);
        break;
      case 'O':
        s = 0.4 * filter.Process(n).high * std::exp(-t / 0.11);
        break;
      case 'T':
        s = tone(85.0 + 50.0 * std::exp(-t / 0.05)) * std::exp(-t / 0.16) + 0.1 * n * std::exp(-t / 0.01);
        break;
      case 'M':
        s = tone(130.0 + 60.0 * std::exp(-t / 0.05)) * std::exp(-t / 0.12) + 0.1 * n * std::exp(-t / 0.01);
        break;
      default:  // 'X'
        s = 0.4 * filter.Process(n).high * std::exp(-t / 0.45);
        break;
    }
    // 1 ms in, 5 ms out: the hit starts and ends at zero.
    const double in = std::min(1.0, t / 0.001);
    const double left = length - t;
    const double fade = left < 0.005 ? 0.5 * (1.0 - std::cos(kPi * std::max(left, 0.0) / 0.005)) : 1.0;
    out[i] = s * in * fade * level;
  }
}

}  // namespace

int ParseNoteName(std::string_view name) {
  static constexpr int kSemitone[] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
  if (name.size() < 2 || name[0] < 'A' || name[0] > 'G') Fail("bad note name '" + std::string(name) + "'");
  int semitone = kSemitone[name[0] - 'A'];
  size_t i = 1;
  if (name[i] == '#') {
    ++semitone;
    ++i;
  } else if (name[i] == 'b') {
    --semitone;
    ++i;
  }
  if (i >= name.size()) Fail("note '" + std::string(name) + "' has no octave");
  int octave = 0;
  for (; i < name.size(); ++i) {
    if (!std::isdigit(static_cast<unsigned char>(name[i]))) Fail("bad note name '" + std::string(name) + "'");
    octave = octave * 10 + (name[i] - '0');
    if (octave > 9) Fail("note '" + std::string(name) + "' is out of range (octaves 0 to 9)");
  }
  return 12 * (octave + 1) + semitone;
}

SNoteLine ParseNoteLine(std::string_view text, int beatsPerBar) {
  if (beatsPerBar <= 0) Fail("a bar needs at least one beat");
  SNoteLine line;
  const int barTicks = beatsPerBar * kTicksPerBeat;
  int tick = 0;
  bool lastWasRest = true;
  for (const std::string& token : Tokenize(text)) {
    if (token == "|") {
      if (tick % barTicks != 0) {
        Fail("bar line at beat " + std::to_string(static_cast<double>(tick) / kTicksPerBeat) + " is not on a bar boundary");
      }
      continue;
    }
    if (token[0] == '-') {
      if (lastWasRest || line.events.empty()) Fail("'" + token + "' holds nothing: no note before it");
      const int ticks = ParseDuration(std::string_view(token).substr(1), token);
      line.events.back().lengthTicks += ticks;
      tick += ticks;
      continue;
    }
    SNoteEvent ev;
    try {
      ev = ParseToken(token);
    } catch (const std::runtime_error& e) {
      Fail(std::string(e.what()) + " (token '" + token + "')");
    }
    ev.startTick = tick;
    tick += ev.lengthTicks;
    lastWasRest = ev.pitches.empty() && ev.drum == 0;
    if (!lastWasRest) line.events.push_back(std::move(ev));
  }
  line.lengthTicks = tick;
  return line;
}

SNoteLine Arpeggiate(const SNoteLine& line, std::string_view pattern) {
  std::istringstream in{std::string(pattern)};
  std::string step;
  in >> step;
  const int stepTicks = ParseDuration(step, std::string(pattern));
  std::vector<int> order;
  std::string index;
  while (in >> index) {
    if (index.empty() || !std::all_of(index.begin(), index.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)); })) {
      Fail("arpeggio '" + std::string(pattern) + "' needs note indices 0, 1, 2...");
    }
    order.push_back(std::stoi(index));
  }
  if (order.empty()) Fail("arpeggio '" + std::string(pattern) + "' has no note indices");

  SNoteLine out;
  out.lengthTicks = line.lengthTicks;
  for (const SNoteEvent& chord : line.events) {
    if (chord.pitches.empty()) {
      out.events.push_back(chord);
      continue;
    }
    std::vector<int> sorted = chord.pitches;
    std::sort(sorted.begin(), sorted.end());
    const int size = static_cast<int>(sorted.size());
    int k = 0;
    for (int t = 0; t < chord.lengthTicks; t += stepTicks, ++k) {
      const int idx = order[k % order.size()];
      SNoteEvent note;
      note.startTick = chord.startTick + t;
      note.lengthTicks = std::min(stepTicks, chord.lengthTicks - t);
      note.pitches = {sorted[idx % size] + 12 * (idx / size)};
      note.accent = chord.accent && t == 0;
      out.events.push_back(note);
    }
  }
  return out;
}

int PieceFrames(const SPiece& piece) {
  const double seconds = piece.bars * piece.beatsPerBar * 60.0 / piece.bpm;
  return static_cast<int>(std::lround(seconds * kSampleRate));
}

std::vector<SNoteLine> ParseTracks(const SPiece& piece) {
  if (piece.bpm <= 0.0 || piece.bars <= 0 || piece.beatsPerBar <= 0) Fail(piece.fileName + ": tempo, bars and beats must be positive");
  const int pieceTicks = piece.bars * piece.beatsPerBar * kTicksPerBeat;
  std::vector<SNoteLine> lines;
  for (size_t trackIndex = 0; trackIndex < piece.tracks.size(); ++trackIndex) {
    const STrack& track = piece.tracks[trackIndex];
    const std::string where = piece.fileName + " track " + std::to_string(trackIndex + 1);
    SNoteLine line;
    try {
      line = ParseNoteLine(track.notes, piece.beatsPerBar);
      if (!track.arpeggio.empty()) line = Arpeggiate(line, track.arpeggio);
    } catch (const std::runtime_error& e) {
      Fail(where + ": " + e.what());
    }
    if (line.lengthTicks != pieceTicks) {
      Fail(where + " lasts " + std::to_string(line.lengthTicks / kTicksPerBeat) + " beats, but the piece has " +
           std::to_string(pieceTicks / kTicksPerBeat));
    }
    const bool drums = track.instrument == EInstrument::Drums;
    for (const SNoteEvent& ev : line.events) {
      if (drums && ev.drum == 0) Fail(where + ": the drum track plays notes; use K S H O T M X");
      if (!drums && ev.drum != 0) Fail(where + ": drums on a pitched instrument; give them a drum track");
    }
    lines.push_back(std::move(line));
  }
  return lines;
}

std::vector<double> RenderPiece(const SPiece& piece) {
  const std::vector<SNoteLine> lines = ParseTracks(piece);
  const int frames = PieceFrames(piece);
  const double secondsPerTick = 60.0 / (piece.bpm * kTicksPerBeat);
  auto frameOf = [&](int tick) { return static_cast<int>(std::lround(tick * secondsPerTick * kSampleRate)); };

  std::vector<double> mix(static_cast<size_t>(frames) * 2, 0.0);
  std::vector<double> note;
  for (size_t trackIndex = 0; trackIndex < piece.tracks.size(); ++trackIndex) {
    const STrack& track = piece.tracks[trackIndex];
    const SNoteLine& line = lines[trackIndex];
    const double gain = DbToGain(track.gainDb);
    const double angle = (std::clamp(track.pan, -1.0, 1.0) + 1.0) * kPi / 4.0;
    const double leftGain = gain * std::cos(angle), rightGain = gain * std::sin(angle);
    CNoise noise(0x51ed270bu + static_cast<uint32_t>(trackIndex) * 7919u);

    for (const SNoteEvent& ev : line.events) {
      const int start = frameOf(ev.startTick);
      const int room = frames - start;  // nothing may ring past the loop point
      if (room <= 0) continue;
      const double level = ev.accent ? 1.35 : 1.0;
      if (ev.drum != 0) {
        note.assign(static_cast<size_t>(std::min(room, static_cast<int>(DrumSeconds(ev.drum) * kSampleRate))), 0.0);
        RenderDrum(ev.drum, level, noise, note);
      } else {
        const SVoice& voice = kVoices[static_cast<size_t>(track.instrument)];
        double gate = ev.lengthTicks * secondsPerTick * voice.legato;
        double release = voice.amp.release;
        const double roomSeconds = static_cast<double>(room) / kSampleRate;
        if (gate + release > roomSeconds) {
          release = std::min(release, roomSeconds * 0.5);
          gate = roomSeconds - release;
        }
        note.assign(static_cast<size_t>(std::min<double>(room, std::ceil((gate + release) * kSampleRate))), 0.0);
        for (int pitch : ev.pitches) {
          std::vector<double> tone(note.size(), 0.0);
          RenderTone(voice, NoteFrequency(pitch + track.transpose), gate, release, level, tone);
          for (size_t i = 0; i < note.size(); ++i) note[i] += tone[i];
        }
      }
      for (size_t i = 0; i < note.size(); ++i) {
        const size_t at = (static_cast<size_t>(start) + i) * 2;
        mix[at] += note[i] * leftGain;
        mix[at + 1] += note[i] * rightGain;
      }
    }
  }
  Saturate(mix, piece.drive);
  NormalizePeak(mix, piece.peakDb);
  return mix;
}

}  // namespace contentgen
