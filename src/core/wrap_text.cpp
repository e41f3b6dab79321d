#include "core/wrap_text.h"

#include <cstddef>

#include "runtime/gamelib/gamelib.h"

namespace {

constexpr std::string_view kComma = "、";
constexpr std::string_view kPeriod = "。";

bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

int Width(const std::string& s, int fontHandle) {
  return GetDrawStringWidthToHandle(s.c_str(), static_cast<int>(s.size()), fontHandle);
}

}  // namespace

std::vector<std::string> WrapLine(std::string_view line, int maxWidth, int fontHandle, bool keepPunctuation) {
  // A line may break before any character but the first. The end of the
  // text is the last break point, so the last character is width-checked
  // too: appended unmeasured it could run past the box's edge.
  std::vector<std::size_t> breaks;
  for (std::size_t i = 1; i < line.size(); ++i) {
    if (IsContinuationByte(line[i])) continue;
    const std::string_view rest = line.substr(i);
    if (keepPunctuation && (rest.starts_with(kComma) || rest.starts_with(kPeriod))) continue;
    breaks.push_back(i);
  }
  breaks.push_back(line.size());

  std::vector<std::string> lines;
  std::string current;
  std::size_t previous = 0;
  for (const std::size_t b : breaks) {
    const std::string_view piece = line.substr(previous, b - previous);
    // A piece that is wider than the whole width on its own still gets a
    // line of its own, never an empty line before it.
    if (!current.empty() && Width(current + std::string(piece), fontHandle) > maxWidth) {
      lines.push_back(std::move(current));
      current.assign(piece);
    } else {
      current.append(piece);
    }
    previous = b;
  }
  lines.push_back(std::move(current));
  return lines;
}

std::vector<std::string> WrapText(std::string_view text, int maxWidth, int fontHandle, bool keepPunctuation) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (true) {
    const std::size_t end = text.find('\n', start);
    const std::string_view piece = text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
    for (std::string& l : WrapLine(piece, maxWidth, fontHandle, keepPunctuation)) lines.push_back(std::move(l));
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  return lines;
}
