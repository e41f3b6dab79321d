// What every autoplay run needs: the game library on its headless drivers
// with the game's objects, and a standard output kept for the result lines.
#pragma once

#include <cstdint>
#include <string>

class CBattlefield;

// The game reports on standard output as it plays; while a run lasts that
// goes to /dev/null so that the result lines stand alone. Print writes to
// the real standard output.
class CQuietStdout {
 public:
  CQuietStdout();
  ~CQuietStdout();
  CQuietStdout(const CQuietStdout&) = delete;
  CQuietStdout& operator=(const CQuietStdout&) = delete;

  void Print(const std::string& line) const;

 private:
  int saved = -1;
};

// The game library and the global objects, set up as the game's start-up does
// and torn down in reverse. A battle run gets the battle's objects and a new
// game's party; a campaign run gets the whole game with the title as its
// first scene, its saves in `saveDir`, and a clock that never waits.
class CHeadlessGame {
 public:
  enum class EKind { BATTLE, CAMPAIGN };
  CHeadlessGame(EKind kind, bool render, std::uint32_t seed, const std::string& saveDir = "");
  ~CHeadlessGame();
  CHeadlessGame(const CHeadlessGame&) = delete;
  CHeadlessGame& operator=(const CHeadlessGame&) = delete;

 private:
  void Release();
  EKind kind;
};

// Who is still standing in a battle, and where, for the line that tells why
// a battle stalled: " name(team T at X,Y hp H)" for every living unit.
std::string DescribeStanding(const CBattlefield& stage);
