#include "audio/sequencer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace contentgen {
namespace {

constexpr int Q = kTicksPerBeat;

// The message of the error that f throws, or "" when it throws none.
template <typename F>
std::string ErrorOf(F&& f) {
  try {
    f();
  } catch (const std::runtime_error& e) {
    return e.what();
  }
  return "";
}

SPiece OneTrack(EInstrument instrument, std::string notes, double bpm = 120, int bars = 1) {
  return {"test.mp3", bpm, 4, bars, -3.0, 0.0, {{instrument, 0, 0.0, std::move(notes)}}};
}

double MaxAbs(const std::vector<double>& stereo, double fromSeconds, double toSeconds) {
  double peak = 0.0;
  for (size_t f = static_cast<size_t>(fromSeconds * 44100); f < static_cast<size_t>(toSeconds * 44100) && 2 * f < stereo.size(); ++f) {
    peak = std::max({peak, std::abs(stereo[2 * f]), std::abs(stereo[2 * f + 1])});
  }
  return peak;
}

TEST(SequencerTest, NoteNamesGiveMidiNumbers) {
  const std::pair<const char*, int> good[] = {{"C4", 60}, {"A4", 69}, {"C#4", 61}, {"Db4", 61}, {"Bb3", 58},
                                              {"B2", 47}, {"C0", 12}, {"G9", 127}, {"Cb4", 59}};
  for (const auto& [name, midi] : good) EXPECT_EQ(ParseNoteName(name), midi) << name;
  for (const char* bad : {"", "H4", "c4", "C", "C#", "Cb", "C4x", "C10", "C-1"}) {
    EXPECT_THROW(ParseNoteName(bad), std::runtime_error) << bad;
  }
}

TEST(SequencerTest, LineGivesStartsLengthsChordsDrumsAndHolds) {
  const SNoteLine line = ParseNoteLine("C4q D4e. E4s rt F4t G4+B4+D5wh -q Kq> rq", 4);
  ASSERT_EQ(line.events.size(), 6u);  // rests leave gaps, not events
  const int starts[] = {0, Q, Q + 3 * Q / 4, 2 * Q + Q / 3, 2 * Q + 2 * Q / 3, 9 * Q + 2 * Q / 3};
  const int lengths[] = {Q, 3 * Q / 4, Q / 4, Q / 3, 7 * Q, Q};
  for (size_t i = 0; i < 6; ++i) {
    EXPECT_EQ(line.events[i].startTick, starts[i]) << i;
    EXPECT_EQ(line.events[i].lengthTicks, lengths[i]) << i;
  }
  EXPECT_EQ(line.events[4].pitches, (std::vector<int>{67, 71, 74}));
  EXPECT_EQ(line.events[5].drum, 'K');
  EXPECT_TRUE(line.events[5].accent);
  EXPECT_FALSE(line.events[4].accent);
  EXPECT_EQ(line.lengthTicks, 11 * Q + 2 * Q / 3);
}

TEST(SequencerTest, GroupsRepeatAndBarLinesAreChecked) {
  const SNoteLine line = ParseNoteLine("((Kq)*2 Sh)*2 | (C4w) |", 4);
  EXPECT_EQ(line.events.size(), 7u);
  EXPECT_EQ(line.lengthTicks, 12 * Q);
  EXPECT_EQ(line.events[6].startTick, 8 * Q);
  EXPECT_EQ(ParseNoteLine("C4w|D4w", 4).lengthTicks, 8 * Q);  // a bar line may touch the notes

  const std::pair<const char*, const char*> bad[] = {
      {"C4q | D4q", "bar line"}, {"(C4q", "'('"},        {"C4q)", "')'"},  {"(C4q)*0", "*0"},    {"*2", "*2"},
      {"C4", "C4"},              {"C4x", "C4x"},         {"-q", "-q"},     {"rq -q", "-q"},      {"C4+q", "C4+q"},
      {"Zq", "Zq"},              {"C4+E4+", "C4+E4+"},
  };
  for (const auto& [text, mentioned] : bad) {
    const std::string error = ErrorOf([&] { ParseNoteLine(text, 4); });
    EXPECT_NE(error.find(mentioned), std::string::npos) << text << " -> " << error;
  }
}

TEST(SequencerTest, ArpeggioWalksTheChordAndClimbsOctaves) {
  const SNoteLine chords = ParseNoteLine("C4+G4+E4h rq A3+C4q.", 4);
  const SNoteLine arp = Arpeggiate(chords, "e 0 1 2 3");
  std::vector<int> pitches, starts, lengths;
  for (const SNoteEvent& ev : arp.events) {
    ASSERT_EQ(ev.pitches.size(), 1u);
    pitches.push_back(ev.pitches[0]);
    starts.push_back(ev.startTick);
    lengths.push_back(ev.lengthTicks);
  }
  EXPECT_EQ(pitches, (std::vector<int>{60, 64, 67, 72, 57, 60, 69}));
  EXPECT_EQ(starts, (std::vector<int>{0, Q / 2, Q, 3 * Q / 2, 3 * Q, 7 * Q / 2, 4 * Q}));
  EXPECT_EQ(lengths, (std::vector<int>{Q / 2, Q / 2, Q / 2, Q / 2, Q / 2, Q / 2, Q / 2}));
  EXPECT_EQ(arp.lengthTicks, chords.lengthTicks);

  const SNoteLine cut = Arpeggiate(ParseNoteLine("C4+E4q.", 4), "q 0 1");
  ASSERT_EQ(cut.events.size(), 2u);
  EXPECT_EQ(cut.events[1].lengthTicks, Q / 2);  // the last step stops with the chord

  for (const char* bad : {"e", "x 0", "e a", "e -1"}) EXPECT_THROW(Arpeggiate(chords, bad), std::runtime_error) << bad;
}

TEST(SequencerTest, TracksMustFillThePieceAndKeepDrumsApart) {
  SPiece piece = OneTrack(EInstrument::Lead, "C4w");
  piece.tracks.push_back({EInstrument::Bass, 0, 0.0, "C2h"});
  EXPECT_NE(ErrorOf([&] { ParseTracks(piece); }).find("track 2 lasts 2 beats"), std::string::npos);
  EXPECT_NE(ErrorOf([&] { ParseTracks(OneTrack(EInstrument::Lead, "Kw")); }).find("drum track"), std::string::npos);
  EXPECT_NE(ErrorOf([&] { ParseTracks(OneTrack(EInstrument::Drums, "C4w")); }).find("drum track"), std::string::npos);
  EXPECT_NE(ErrorOf([&] { ParseTracks(OneTrack(EInstrument::Lead, "C4w Q4w")); }).find("test.mp3 track 1"), std::string::npos);
  EXPECT_THROW(ParseTracks(OneTrack(EInstrument::Lead, "C4w", 0.0)), std::runtime_error);
}

// Counts rising zero crossings of the left channel between two times.
double MeasuredHz(const std::vector<double>& stereo, double from, double to) {
  int crossings = 0;
  for (size_t f = static_cast<size_t>(from * 44100) + 1; f < static_cast<size_t>(to * 44100); ++f) {
    if (stereo[2 * (f - 1)] < 0.0 && stereo[2 * f] >= 0.0) ++crossings;
  }
  return crossings / (to - from);
}

TEST(SequencerTest, NotesSoundInTuneAndOnTheBeat) {
  // One bar at 60 bpm lasts 4 s; the flute's vibrato averages out over 2 s.
  for (const auto& [note, hz] : {std::pair{"A4w", 440.0}, {"A3w", 220.0}, {"E5w", 659.26}, {"C4w", 261.63}}) {
    EXPECT_NEAR(MeasuredHz(RenderPiece(OneTrack(EInstrument::Flute, note, 60)), 1.0, 3.0), hz, 1.0) << note;
  }
  // At 120 bpm a beat is half a second.
  const std::vector<double> late = RenderPiece(OneTrack(EInstrument::Lead, "rq rq C5q rq"));
  ASSERT_EQ(late.size(), 2u * 88200);
  EXPECT_EQ(MaxAbs(late, 0.0, 1.0), 0.0);
  EXPECT_GT(MaxAbs(late, 1.0, 1.2), 0.1);
  EXPECT_LT(MaxAbs(late, 1.7, 2.0), 1e-9);  // released before the next beat ends
}

TEST(SequencerTest, NothingRingsPastTheLoopPoint) {
  // A slow pad and a crash cymbal on the last beat would both ring on for
  // more than a second; the loop must still end (and start) at silence.
  SPiece piece = OneTrack(EInstrument::Pad, "C4+E4+G4w | C4+E4+G4w");
  piece.bars = 2;
  piece.tracks.push_back({EInstrument::Drums, 0, 0.5, "(Kq Sq Kq Sq) | Kq Sq Kq Xq"});
  const std::vector<double> mix = RenderPiece(piece);
  ASSERT_EQ(mix.size(), 2u * PieceFrames(piece));
  EXPECT_NEAR(20.0 * std::log10(MaxAbs(mix, 0.0, 10.0)), -3.0, 0.01);
  for (size_t i : {size_t{0}, size_t{1}, mix.size() - 2, mix.size() - 1}) EXPECT_LT(std::abs(mix[i]), 1e-4) << i;
  EXPECT_GT(MaxAbs(mix, 3.5, 3.9), 0.01);  // the cymbal is heard until shortly before the end
  EXPECT_EQ(mix, RenderPiece(piece));      // and every render is the same
}

}  // namespace
}  // namespace contentgen
