// Feeds arbitrary bytes to the story script reader. Reading must end in a
// record or a CEventScriptError that names the file; a record keeps within
// the reader's own limits, and the same bytes read again give the same
// record.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "scenario/event_script.h"

namespace {

void Require(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "event_script_fuzz: %s\n", what);
  std::abort();
}

template <class Enum>
bool Within(Enum value, int last) {
  const int v = static_cast<int>(value);
  return v >= 0 && v <= last;
}

void CheckEvent(const SEventRecord& e) {
  Require(Within(e.type, static_cast<int>(EEventType::Transition)), "an event of no type");
  Require(Within(e.direction, 3) && Within(e.emotion, 6) && Within(e.transitionType, 5), "a name outside its list");
  for (EDirection4 d : e.steps) Require(Within(d, 3), "a step outside the four directions");
  Require(std::isfinite(e.speed), "a speed that is no number");
  Require(std::abs(e.target.x) <= kMaxScriptPixel && std::abs(e.target.y) <= kMaxScriptPixel, "a target too far out");
  Require(std::abs(e.grid.x) <= kMaxScriptGrid && std::abs(e.grid.y) <= kMaxScriptGrid, "a grid cell too far out");
  Require(e.line > 0, "an event without its line");
  for (const SEventPage& page : e.pages) Require(page.text.find('\\') == std::string::npos, "a backslash left in a page");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  SEventScriptRecord script;
  try {
    script = ParseEventScript(text, "fuzz.xml");
  } catch (const CEventScriptError& e) {
    Require(std::string_view(e.what()).starts_with("event script 'fuzz.xml'"), "a fault that does not name the file");
    Require(!e.GetReason().empty(), "a fault without a reason");
    return 0;
  }
  for (const SBundlerRecord& b : script.bundlers) {
    for (const SSequenceRecord& s : b.sequences) {
      for (const SEventRecord& e : s.events) CheckEvent(e);
    }
  }
  Require(ParseEventScript(text, "fuzz.xml") == script, "the same bytes read differently");
  return 0;
}
