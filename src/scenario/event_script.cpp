#include "scenario/event_script.h"

#include <expat.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <optional>
#include <utility>

namespace {

std::string UpperAscii(std::string_view s) {
  std::string upper(s);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return upper;
}

template <class Enum, std::size_t N>
Enum LookUp(std::string_view name, const std::pair<const char*, Enum> (&table)[N]) {
  const std::string upper = UpperAscii(name);
  for (const auto& [text, value] : table) {
    if (upper == text) return value;
  }
  return table[0].second;
}

// clang-format off
const std::pair<const char*, EDirection4> kDirectionNames[] = {
    {"LEFT", EDirection4::LEFT}, {"UP", EDirection4::UP}, {"RIGHT", EDirection4::RIGHT}, {"DOWN", EDirection4::DOWN},
};
const std::pair<const char*, EEmotion> kEmotionNames[] = {
    {"SURPRISE", EEmotion::SURPRISE}, {"QUESTION", EEmotion::QUESTION}, {"SILENCE", EEmotion::SILENCE},
    {"ANGERY",   EEmotion::ANGERY},   {"PLEASED",  EEmotion::PLEASED},  {"SWEAT",   EEmotion::SWEAT},
    {"MUSICAL_NOTE", EEmotion::MUSICAL_NOTE},
};
const std::pair<const char*, ETransition> kTransitionNames[] = {
    {"WIPEOUT",  ETransition::WIPEOUT},  {"WIPEIN",  ETransition::WIPEIN},
    {"BLACKOUT", ETransition::BLACKOUT}, {"BLACKIN", ETransition::BLACKIN},
    {"WHITEOUT", ETransition::WHITEOUT}, {"WHITEIN", ETransition::WHITEIN},
};
const std::pair<const char*, EEventType> kEventTypeNames[] = {
    {"BGM",        EEventType::BGM},        {"Say",        EEventType::Say},
    {"Jump",       EEventType::Jump},       {"Move",       EEventType::Move},
    {"Turn",       EEventType::Turn},       {"Wait",       EEventType::Wait},
    {"Emotion",    EEventType::Emotion},    {"AppendUnit", EEventType::AppendUnit},
    {"LoadMapCsv", EEventType::LoadMapCsv}, {"MoveCamera", EEventType::MoveCamera},
    {"RemoveUnit", EEventType::RemoveUnit}, {"Transition", EEventType::Transition},
};
// clang-format on

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Decimal digits with an optional minus sign; nothing else, not even spaces.
std::optional<int> ParseWholeNumber(std::string_view s) {
  const std::string_view digits = s.starts_with('-') ? s.substr(1) : s;
  if (digits.empty() || !std::all_of(digits.begin(), digits.end(), IsDigit)) return std::nullopt;
  int value = 0;
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
  if (ec != std::errc() || end != s.data() + s.size()) return std::nullopt;
  return value;
}

// Digits with an optional fraction and minus sign ("2", "-0.5", "3.", ".25");
// no exponent, no "nan" or "inf".
std::optional<double> ParseDecimal(std::string_view s) {
  const std::string_view body = s.starts_with('-') ? s.substr(1) : s;
  const std::size_t point = body.find('.');
  const std::string_view whole = body.substr(0, point);
  const std::string_view fraction = point == std::string_view::npos ? std::string_view() : body.substr(point + 1);
  if (whole.size() + fraction.size() == 0 || !std::all_of(whole.begin(), whole.end(), IsDigit) ||
      !std::all_of(fraction.begin(), fraction.end(), IsDigit)) {
    return std::nullopt;
  }
  double value = 0.0;
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value, std::chars_format::fixed);
  if (ec != std::errc() || end != s.data() + s.size() || !std::isfinite(value)) return std::nullopt;
  return value;
}

enum class EElement { Script, Bundler, Sequence, Event, Direction, Text, Other };

EElement ElementOf(std::string_view name) {
  if (name == "script") return EElement::Script;
  if (name == "bundler") return EElement::Bundler;
  if (name == "sequence") return EElement::Sequence;
  if (name == "event") return EElement::Event;
  if (name == "direction") return EElement::Direction;
  if (name == "text") return EElement::Text;
  return EElement::Other;
}

// The element each one must stand in (elements of other names between them
// are let through).
EElement ParentOf(EElement e) {
  switch (e) {
    case EElement::Bundler: return EElement::Script;
    case EElement::Sequence: return EElement::Bundler;
    case EElement::Event: return EElement::Sequence;
    default: return EElement::Event;
  }
}

const char* TagOf(EElement e) {
  switch (e) {
    case EElement::Script: return "<script>";
    case EElement::Bundler: return "<bundler>";
    case EElement::Sequence: return "<sequence>";
    case EElement::Event: return "<event>";
    case EElement::Direction: return "<direction>";
    case EElement::Text: return "<text>";
    default: return "an element";
  }
}

// A fault found inside an expat callback; it stops the parser and is thrown
// once expat has returned.
struct SFault {
  int line;
  std::string reason;
};

class CScriptReader {
 public:
  explicit CScriptReader(const std::string& path_) : path(path_), parser(XML_ParserCreate("UTF-8")) {
    if (!parser) throw CEventScriptError(path, 0, "out of memory for the XML reader");
    XML_SetUserData(parser, this);
    XML_SetElementHandler(parser, &CScriptReader::OnStart, &CScriptReader::OnEnd);
    XML_SetCharacterDataHandler(parser, &CScriptReader::OnText);
    XML_SetEntityDeclHandler(parser, &CScriptReader::OnEntity);
  }
  ~CScriptReader() { XML_ParserFree(parser); }
  CScriptReader(const CScriptReader&) = delete;
  CScriptReader& operator=(const CScriptReader&) = delete;

  SEventScriptRecord Read(std::string_view text) {
    // In slices, so that no length overflows expat's int.
    constexpr std::size_t kSlice = 1 << 20;
    std::size_t at = 0;
    do {
      const std::size_t n = std::min(kSlice, text.size() - at);
      const bool last = at + n == text.size();
      if (XML_Parse(parser, text.data() + at, static_cast<int>(n), last) != XML_STATUS_OK) Throw();
      at += n;
    } while (at < text.size());
    return std::move(script);
  }

 private:
  [[noreturn]] void Throw() const {
    if (fault) throw CEventScriptError(path, fault->line, fault->reason);
    throw CEventScriptError(path, static_cast<int>(XML_GetCurrentLineNumber(parser)),
                            std::string("not well-formed XML at column ") +
                                std::to_string(XML_GetCurrentColumnNumber(parser)) + ": " +
                                XML_ErrorString(XML_GetErrorCode(parser)));
  }

  int Line() const { return static_cast<int>(XML_GetCurrentLineNumber(parser)); }

  void Fail(std::string reason) {
    if (!fault) fault = SFault{Line(), std::move(reason)};
    XML_StopParser(parser, XML_FALSE);
  }

  // The innermost open element of a name this reader knows.
  std::optional<EElement> Enclosing() const {
    for (auto it = open.rbegin(); it != open.rend(); ++it) {
      if (*it != EElement::Other) return *it;
    }
    return std::nullopt;
  }

  static const char* Attribute(const XML_Char** atts, const char* name) {
    for (int i = 0; atts[i]; i += 2) {
      if (std::string_view(atts[i]) == name) return atts[i + 1];
    }
    return nullptr;
  }

  // Reads an int attribute into `value` (left as it is when absent); false
  // after a fault.
  bool Whole(const XML_Char** atts, const char* tag, const char* name, int& value, int low, int high) {
    const char* text = Attribute(atts, name);
    if (!text) return true;
    const std::optional<int> v = ParseWholeNumber(text);
    const std::string what = std::string(tag) + " " + name + "=\"" + text + "\"";
    if (!v) {
      Fail(what + " is not a whole number in the int range");
    } else if (*v < low) {
      Fail(what + " is below " + std::to_string(low));
    } else if (*v > high) {
      Fail(what + " is above " + std::to_string(high));
    } else {
      value = *v;
      return true;
    }
    return false;
  }

  // Reads a double attribute of <event> into `value` (left as it is when
  // absent); false after a fault.
  bool Decimal(const XML_Char** atts, const char* name, double& value, double limit) {
    const char* text = Attribute(atts, name);
    if (!text) return true;
    const std::optional<double> v = ParseDecimal(text);
    const std::string what = std::string("<event> ") + name + "=\"" + text + "\"";
    if (!v) {
      Fail(what + " is not a decimal number");
    } else if (std::abs(*v) > limit) {
      Fail(what + " lies outside -" + std::to_string(static_cast<int>(limit)) + ".." +
           std::to_string(static_cast<int>(limit)));
    } else {
      value = *v;
      return true;
    }
    return false;
  }

  static std::string Text(const XML_Char** atts, const char* name) {
    const char* text = Attribute(atts, name);
    return text ? text : "";
  }

  void StartEvent(const XML_Char** atts) {
    event = SEventRecord();
    event.line = Line();
    const char* type = Attribute(atts, "type");
    if (!type) return Fail("<event> has no type");
    if (!ParseEventTypeName(type, event.type)) return Fail(std::string("<event> type=\"") + type + "\" is unknown");
    constexpr int kIntMin = std::numeric_limits<int>::min();
    constexpr int kIntMax = std::numeric_limits<int>::max();
    event.name = Text(atts, "name");
    event.unitTag = Text(atts, "unitTag");
    event.imagePath = Text(atts, "imagePath");
    if (const char* d = Attribute(atts, "direction")) event.direction = ParseDirectionName(d);
    event.directionFixed = Text(atts, "directionFixed") == "true";
    if (const char* e = Attribute(atts, "emotion")) event.emotion = ParseEmotionName(e);
    event.filePath = Text(atts, "filePath");
    event.csvPath = Text(atts, "csvPath");
    if (const char* t = Attribute(atts, "transitionType")) event.transitionType = ParseTransitionName(t);
    const double speedLimit = std::numeric_limits<double>::infinity();
    (void)(Whole(atts, "<event>", "continueFrame", event.continueFrame, kIntMin, kIntMax) &&
           Decimal(atts, "speed", event.speed, speedLimit) &&
           Decimal(atts, "targetX", event.target.x, kMaxScriptPixel) &&
           Decimal(atts, "targetY", event.target.y, kMaxScriptPixel) &&
           Whole(atts, "<event>", "gridX", event.grid.x, -kMaxScriptGrid, kMaxScriptGrid) &&
           Whole(atts, "<event>", "gridY", event.grid.y, -kMaxScriptGrid, kMaxScriptGrid) &&
           Whole(atts, "<event>", "frame", event.frame, kIntMin, kIntMax));
  }

  void Start(std::string_view name, const XML_Char** atts) {
    if (fault) return;
    const EElement e = ElementOf(name);
    if (open.empty() && e != EElement::Script) {
      return Fail("the outermost element is <" + std::string(name) + ">, not <script>");
    }
    if (e == EElement::Script && !open.empty()) return Fail("<script> stands inside another element");
    if (e != EElement::Script && e != EElement::Other) {
      const std::optional<EElement> in = Enclosing();
      if (in != ParentOf(e)) {
        return Fail(std::string(TagOf(e)) + " stands outside a " + TagOf(ParentOf(e)) + " (inside " +
                    (in ? TagOf(*in) : "nothing") + ")");
      }
    }
    open.push_back(e);
    switch (e) {
      case EElement::Script:
        nextPath = Text(atts, "nextScriptPath");
        break;
      case EElement::Bundler:
        bundler = SBundlerRecord();
        break;
      case EElement::Sequence:
        sequence = SSequenceRecord();
        Whole(atts, "<sequence>", "startFrame", sequence.startFrame, std::numeric_limits<int>::min(),
              std::numeric_limits<int>::max());
        break;
      case EElement::Event:
        StartEvent(atts);
        break;
      case EElement::Direction:
        text.clear();
        repeat = 1;
        Whole(atts, "<direction>", "repeat", repeat, std::numeric_limits<int>::min(), kMaxDirectionRepeat);
        break;
      case EElement::Text:
        text.clear();
        icon = Text(atts, "icon");
        break;
      case EElement::Other:
        break;
    }
  }

  void End() {
    // Expat may still report the end of an empty element whose start failed.
    if (fault) return;
    const EElement e = open.back();
    open.pop_back();
    switch (e) {
      case EElement::Script:
        script.nextScriptPath = nextPath;
        break;
      case EElement::Bundler:
        script.bundlers.push_back(std::move(bundler));
        break;
      case EElement::Sequence:
        bundler.sequences.push_back(std::move(sequence));
        break;
      case EElement::Event:
        sequence.events.push_back(std::move(event));
        break;
      case EElement::Direction:
        if (repeat > 0) event.steps.insert(event.steps.end(), static_cast<std::size_t>(repeat), ParseDirectionName(text));
        break;
      case EElement::Text:
        std::replace(text.begin(), text.end(), '\\', '\n');
        event.pages.push_back({icon, text});
        break;
      case EElement::Other:
        break;
    }
  }

  void Collect(std::string_view s) {
    if (fault) return;
    const std::optional<EElement> in = Enclosing();
    if (in == EElement::Direction || in == EElement::Text) text.append(s);
  }

  static void XMLCALL OnStart(void* self, const XML_Char* name, const XML_Char** atts) {
    static_cast<CScriptReader*>(self)->Start(name, atts);
  }
  static void XMLCALL OnEnd(void* self, const XML_Char*) { static_cast<CScriptReader*>(self)->End(); }
  static void XMLCALL OnText(void* self, const XML_Char* s, int length) {
    static_cast<CScriptReader*>(self)->Collect(std::string_view(s, static_cast<std::size_t>(length)));
  }
  // Entities could blow a small file up into a huge one; a script needs none.
  static void XMLCALL OnEntity(void* self, const XML_Char*, int, const XML_Char*, int, const XML_Char*,
                               const XML_Char*, const XML_Char*, const XML_Char*) {
    static_cast<CScriptReader*>(self)->Fail("declares an entity; scripts may not");
  }

  std::string path;
  XML_Parser parser;
  std::optional<SFault> fault;
  std::vector<EElement> open;
  SEventScriptRecord script;
  std::string nextPath;
  SBundlerRecord bundler;
  SSequenceRecord sequence;
  SEventRecord event;
  std::string text;  // of the open <direction> or <text>
  int repeat = 1;
  std::string icon;
};

}  // namespace

CEventScriptError::CEventScriptError(const std::string& path_, int line_, const std::string& reason_)
    : std::runtime_error("event script '" + path_ + "'" + (line_ > 0 ? " line " + std::to_string(line_) : "") +
                         ": " + reason_),
      path(path_),
      line(line_),
      reason(reason_) {}

std::string CEventScriptError::GetReason() const {
  return line > 0 ? "line " + std::to_string(line) + ": " + reason : reason;
}

EDirection4 ParseDirectionName(std::string_view name) { return LookUp(name, kDirectionNames); }
EEmotion ParseEmotionName(std::string_view name) { return LookUp(name, kEmotionNames); }
ETransition ParseTransitionName(std::string_view name) { return LookUp(name, kTransitionNames); }

bool ParseEventTypeName(std::string_view name, EEventType& type) {
  for (const auto& [text, value] : kEventTypeNames) {
    if (name == text) {
      type = value;
      return true;
    }
  }
  return false;
}

SEventScriptRecord ParseEventScript(std::string_view text, const std::string& path) {
  CScriptReader reader(path);
  return reader.Read(text);
}

SEventScriptRecord ReadEventScriptFile(const std::string& path) {
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) throw CEventScriptError(path, 0, "there is no such file");
  if (!std::filesystem::is_regular_file(path, ec)) throw CEventScriptError(path, 0, "it is not a plain file");
  std::ifstream in(path, std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (!in.is_open() || in.bad()) throw CEventScriptError(path, 0, "the file cannot be read");
  return ParseEventScript(text, path);
}
