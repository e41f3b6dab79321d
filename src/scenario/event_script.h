// The story scenes' script files (dat/script/event/*.xml) read into plain
// records: <script> holds <bundler>s played one after another, a bundler
// holds <sequence>s played side by side, a sequence holds <event>s played
// one after another, and an event may hold <direction> steps and <text>
// pages. Nothing here needs a scene; event_loader.h builds the events.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "core/direction.h"
#include "core/geometry.h"
#include "field/emotion.h"

// A script that cannot be played: missing or unreadable, not well-formed
// XML, an element outside its parent, an event without a known type, a
// number that is not one. Nothing of such a script runs.
class CEventScriptError : public std::runtime_error {
 public:
  // `line` 0: the fault has no line (the file cannot be read).
  CEventScriptError(const std::string& path, int line, const std::string& reason);

  const std::string& GetPath() const { return path; }
  int GetLine() const { return line; }
  // The fault without the file's name: "line 3: <event> has no type".
  std::string GetReason() const;

 private:
  std::string path;
  int line;
  std::string reason;
};

enum class EEventType : int {
  BGM,
  Say,
  Jump,
  Move,
  Turn,
  Wait,
  Emotion,
  AppendUnit,
  LoadMapCsv,
  MoveCamera,
  RemoveUnit,
  Transition,
};

enum class ETransition : int { WIPEOUT = 0, WIPEIN = 1, BLACKOUT = 2, BLACKIN = 3, WHITEOUT = 4, WHITEIN = 5 };

// The names a script writes. Matching upper-cases ASCII letters first;
// an unknown name is value 0 (LEFT, SURPRISE, WIPEOUT).
EDirection4 ParseDirectionName(std::string_view name);
EEmotion ParseEmotionName(std::string_view name);
ETransition ParseTransitionName(std::string_view name);
// The exact type names "BGM", "Say", … ; false for anything else.
bool ParseEventTypeName(std::string_view name, EEventType& type);

// One page of a talk: a face picture of dat/image/ and the text, every
// backslash already turned into a line break.
struct SEventPage {
  std::string icon;
  std::string text;
  bool operator==(const SEventPage&) const = default;
};

// Every attribute of an <event>, with the defaults of an absent one; each
// type uses its own few.
struct SEventRecord {
  EEventType type = EEventType::Wait;
  int line = 0;  // of the start tag
  std::string name;
  std::string unitTag;
  std::string imagePath;
  EDirection4 direction = EDirection4::LEFT;
  bool directionFixed = false;
  EEmotion emotion = EEmotion::ANGERY;
  int continueFrame = 60;
  double speed = 2.5;
  std::string filePath;
  SPointD target;
  SPoint grid;
  int frame = 0;
  std::string csvPath;
  ETransition transitionType = ETransition::WIPEOUT;
  std::vector<EDirection4> steps;
  std::vector<SEventPage> pages;
  bool operator==(const SEventRecord&) const = default;
};

struct SSequenceRecord {
  int startFrame = 0;
  std::vector<SEventRecord> events;
  bool operator==(const SSequenceRecord&) const = default;
};

struct SBundlerRecord {
  std::vector<SSequenceRecord> sequences;
  bool operator==(const SBundlerRecord&) const = default;
};

struct SEventScriptRecord {
  std::vector<SBundlerRecord> bundlers;
  std::string nextScriptPath;  // empty: the story ends here
  bool operator==(const SEventScriptRecord&) const = default;
};

// A <direction repeat="…"> above this is refused: the script would hang the
// scene in one walk.
constexpr int kMaxDirectionRepeat = 1000;
// Grid cells and camera targets further out than these are refused; the
// largest map is 108 x 140 cells.
constexpr int kMaxScriptGrid = 10000;
constexpr double kMaxScriptPixel = 320000.0;

// Reads a whole script. `path` names it in the messages. Throws
// CEventScriptError.
SEventScriptRecord ParseEventScript(std::string_view text, const std::string& path);
// Reads the file, then the script. Throws CEventScriptError.
SEventScriptRecord ReadEventScriptFile(const std::string& path);
