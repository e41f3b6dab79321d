#include "audio/music.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace contentgen {
namespace {

TEST(MusicTest, PiecesFollowTheGamesMusicTable) {
  const std::vector<std::string> expected = {"free0541.mp3", "bgml016.mp3", "DS-ji05m.mp3", "bgml017.mp3", "bgml054.mp3",
                                             "tamsu08.mp3",  "bgml019.mp3", "bgml035.mp3",  "bgml018.mp3", "bgml044.mp3"};
  std::vector<std::string> names;
  for (const SPiece& piece : MusicPieces()) names.push_back(piece.fileName);
  EXPECT_EQ(names, expected);
}

TEST(MusicTest, EveryPieceReadsAndLastsLongEnoughToLoop) {
  for (const SPiece& piece : MusicPieces()) {
    SCOPED_TRACE(piece.fileName);
    EXPECT_NO_THROW(ParseTracks(piece));
    const double seconds = PieceFrames(piece) / 44100.0;
    EXPECT_GE(seconds, 30.0);
    EXPECT_LE(seconds, 90.0);
    EXPECT_LE(piece.peakDb, -1.0);  // headroom for the MP3 encoder's overshoot
  }
}

// Rendering every piece takes long; the shortest one shows the seam.
TEST(MusicTest, VictoryPieceLoopsWithoutAClick) {
  const SPiece& piece = MusicPieces()[2];
  const std::vector<double> mix = RenderPiece(piece);
  ASSERT_EQ(mix.size(), 2u * PieceFrames(piece));
  double peak = 0.0, sum = 0.0;
  for (double s : mix) {
    peak = std::max(peak, std::abs(s));
    sum += s;
  }
  EXPECT_NEAR(20.0 * std::log10(peak), piece.peakDb, 0.01);
  EXPECT_LT(std::abs(sum / mix.size()), 1e-3);  // no DC offset
  // The last frame flows into the first: both channels at (near) silence.
  for (size_t i : {size_t{0}, size_t{1}, mix.size() - 2, mix.size() - 1}) EXPECT_LT(std::abs(mix[i]), 1e-3) << i;
  EXPECT_LT(std::abs(mix[mix.size() - 2] - mix[0]), 1e-3);
}

}  // namespace
}  // namespace contentgen
