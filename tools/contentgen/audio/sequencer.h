// A small sequencer for the game's music: each piece is a table of tracks,
// each track an instrument and a line of notes, rendered to stereo samples
// that loop seamlessly.
//
// Note lines are tokens separated by spaces:
//   C4q  F#3e.  Bb4h      a note: name, octave (C4 = middle C), duration
//   C4+E4+G4w             a chord
//   rq                    a rest
//   Kq Se He Oe Tq Mq Xw  drums: kick, snare, closed hat, open hat, low and
//                         mid tom, crash cymbal
//   -h                    holds the previous note or chord a half longer
//   Kq>                   an accent (louder)
//   |                     bar line: checked to fall on a bar boundary
//   ( ... )*4             repeats the group
// Durations: w whole, h half, q quarter, e eighth, s sixteenth, t eighth
// triplet; a dot adds half; several add up ("wh" = six beats).
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "audio/synth.h"

namespace contentgen {

constexpr int kTicksPerBeat = 48;

// MIDI number of a note name like "C4", "F#3" or "Bb2"; throws on anything else.
int ParseNoteName(std::string_view name);

struct SNoteEvent {
  int startTick = 0;
  int lengthTicks = 0;
  std::vector<int> pitches;  // MIDI numbers; empty for drums
  char drum = 0;             // 'K', 'S', 'H', 'O', 'T', 'M', 'X' or 0
  bool accent = false;
};

struct SNoteLine {
  std::vector<SNoteEvent> events;  // rests leave gaps
  int lengthTicks = 0;
};

// Throws std::runtime_error naming the bad token.
SNoteLine ParseNoteLine(std::string_view text, int beatsPerBar);

// Breaks every chord into a broken chord: "e 0 1 2 1" plays, in eighths, the
// lowest, second, third and second note of each chord, cycling to the end of
// the chord. Indices past the top of the chord climb into the next octave.
SNoteLine Arpeggiate(const SNoteLine& line, std::string_view pattern);

enum class EInstrument {
  Lead,      // square lead, a little vibrato
  Pulse,     // thin 25 % pulse lead, bright
  Flute,     // soft triangle with breathy vibrato
  Strings,   // three detuned saws, slow bow
  Pad,       // soft, slow-swelling chord bed
  Brass,     // saws with a filter that opens on each attack
  Bass,      // punchy filtered saw bass
  SoftBass,  // round filtered square bass
  Pluck,     // plucked string, decays on its own
  Bell,      // FM bell / music box
  Piano,     // FM electric piano
  Drums,     // noise and sine drums
};

struct STrack {
  STrack(EInstrument instrument, double gainDb, double pan, std::string notes, std::string arpeggio = {}, int transpose = 0)
      : instrument(instrument), gainDb(gainDb), pan(pan), notes(std::move(notes)), arpeggio(std::move(arpeggio)), transpose(transpose) {}

  EInstrument instrument;
  double gainDb;
  double pan;  // -1 left .. +1 right
  std::string notes;
  std::string arpeggio;  // optional, see Arpeggiate
  int transpose;         // semitones
};

struct SPiece {
  std::string fileName;  // as the game loads it from dat/bgm/
  double bpm = 120.0;
  int beatsPerBar = 4;
  int bars = 16;
  double peakDb = -3.0;
  double drive = 0.0;  // tanh saturation before the peak is set: denser, louder
  std::vector<STrack> tracks;
};

// Length of the loop in sample frames (whole bars).
int PieceFrames(const SPiece& piece);

// Every track's notes as parsed and broken into arpeggios. Throws
// std::runtime_error naming the piece and track when a line cannot be read,
// does not last exactly the piece's bars, or mixes drums and notes.
std::vector<SNoteLine> ParseTracks(const SPiece& piece);

// Interleaved stereo samples in [-1, 1]. Every track must last exactly the
// piece's bars. No note rings past the end, so the last frame flows into the
// first when the piece loops.
std::vector<double> RenderPiece(const SPiece& piece);

}  // namespace contentgen
