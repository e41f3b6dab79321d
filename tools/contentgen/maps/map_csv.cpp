#include "map_csv.h"

#include <charconv>
#include <fstream>
#include <sstream>
#include <string_view>

#include "map_text.h"

namespace contentgen::maps {

SMapChips::SMapChips(int chipWidth_, int chipHeight_) : chipWidth(chipWidth_), chipHeight(chipHeight_) {
  const size_t size = static_cast<size_t>(chipWidth_) * static_cast<size_t>(chipHeight_);
  for (auto& layer : layers) layer.assign(size, 255);
  terrain.assign(size, 0);
}

std::string FormatMapCsv(const SMapChips& map) {
  std::string out = std::to_string(map.chipWidth) + "," + std::to_string(map.chipHeight) + "\n";
  auto block = [&](const std::vector<int>& cells) {
    for (int row = 0; row < map.chipHeight; ++row) {
      for (int column = 0; column < map.chipWidth; ++column) {
        if (column > 0) out += ',';
        out += std::to_string(cells[static_cast<size_t>(row * map.chipWidth + column)]);
      }
      out += '\n';
    }
  };
  for (const auto& layer : map.layers) {
    block(layer);
    out += "0\n";
  }
  block(map.terrain);
  return out;
}

namespace {

std::vector<int> ParseFields(std::string_view line, const std::string& source, int lineNo) {
  std::vector<int> fields;
  size_t pos = 0;
  while (true) {
    const size_t comma = std::min(line.find(',', pos), line.size());
    const std::string_view field = line.substr(pos, comma - pos);
    int value = 0;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (field.empty() || error != std::errc() || end != field.data() + field.size())
      throw CMapCsvError(Printf("%s, line %d: \"%.*s\" is not a whole number", source.c_str(), lineNo,
                                static_cast<int>(field.size()), field.data()));
    fields.push_back(value);
    if (comma == line.size()) break;
    pos = comma + 1;
  }
  return fields;
}

}  // namespace

SMapChips ParseMapCsv(const std::string& text, const std::string& source) {
  if (text.starts_with("\xEF\xBB\xBF"))
    throw CMapCsvError(source + ": the file starts with a byte order mark, which would spoil the first number");
  // A final newline ends the last line; it does not start another one.
  std::vector<std::string_view> lines;
  std::string_view rest(text);
  while (!rest.empty()) {
    const size_t end = rest.find('\n');
    lines.push_back(rest.substr(0, end));
    if (end == std::string_view::npos) break;
    rest.remove_prefix(end + 1);
  }
  if (lines.empty()) throw CMapCsvError(source + ": the file is empty");
  for (size_t i = 0; i < lines.size(); ++i)
    if (!lines[i].empty() && lines[i].back() == '\r') lines[i].remove_suffix(1);

  const std::vector<int> header = ParseFields(lines[0], source, 0);
  if (header.size() < 2) throw CMapCsvError(source + ", line 0: the header needs the width and the height in chips");
  const int width = header[0], height = header[1];
  if (width <= 0 || height <= 0 || width > 4096 || height > 4096)
    throw CMapCsvError(Printf("%s, line 0: %d x %d chips is not a possible map size", source.c_str(), width, height));
  const size_t expected = 4 * static_cast<size_t>(height) + 4;
  if (lines.size() != expected)
    throw CMapCsvError(Printf("%s: %zu lines, but a map of %d chip rows has %zu", source.c_str(), lines.size(),
                              height, expected));

  SMapChips map(width, height);
  for (int block = 0; block < 4; ++block) {
    const int first = 1 + block * (height + 1);
    for (int row = 0; row < height; ++row) {
      const int lineNo = first + row;
      const std::vector<int> fields = ParseFields(lines[static_cast<size_t>(lineNo)], source, lineNo);
      if (static_cast<int>(fields.size()) != width)
        throw CMapCsvError(Printf("%s, line %d: %zu fields, not %d", source.c_str(), lineNo, fields.size(), width));
      for (int column = 0; column < width; ++column) {
        const int value = fields[static_cast<size_t>(column)];
        if (block < 3) map.Layer(block, column, row) = value;
        else map.Terrain(column, row) = value;
      }
    }
    if (block < 3) {
      const int separator = first + height;
      if (lines[static_cast<size_t>(separator)].empty())
        throw CMapCsvError(Printf("%s, line %d: the separator line is empty", source.c_str(), separator));
      ParseFields(lines[static_cast<size_t>(separator)], source, separator);
    }
  }
  return map;
}

SMapChips ReadMapCsv(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw CMapCsvError("cannot read the map " + path.string());
  std::ostringstream text;
  text << in.rdbuf();
  return ParseMapCsv(text.str(), path.string());
}

void WriteMapCsv(const SMapChips& map, const std::filesystem::path& path) {
  if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  const std::string text = FormatMapCsv(map);
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
  if (!out) throw CMapCsvError("cannot write the map " + path.string());
}

}  // namespace contentgen::maps
