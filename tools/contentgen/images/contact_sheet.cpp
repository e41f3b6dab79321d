// The review sheet: every picture of dat/image on one page, grouped by
// folder, small ones enlarged, transparency shown as a checkerboard, each
// labelled with its key. The map chip sheet is shown chip by chip (only the
// chips that hold something), numbered.
#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "contentgen.h"
#include "images/canvas.h"
#include "images/fonts.h"

namespace contentgen {

namespace {

namespace fs = std::filesystem;

constexpr int kSheetWidth = 1320;
constexpr int kMargin = 12;
constexpr int kGap = 10;
constexpr int kLabelSize = 11;
const SColor kPaper = Hex(0xf4f1ea);
const SColor kLabel = Hex(0x30283a);

struct STile {
  std::string label;
  CCanvas picture;  // already enlarged, transparency as a checkerboard
};

struct SSection {
  std::string title;
  std::vector<STile> tiles;
};

bool IsPicture(const fs::path& p) {
  // Same rule as the game: the exact lower-case extension after the last dot.
  const std::string ext = p.extension().string();
  return ext == ".png" || ext == ".bmp" || ext == ".jpg" || ext == ".gif";
}

CCanvas OnCheckerboard(const CCanvas& c, int scale) {
  CCanvas out(c.Width() * scale, c.Height() * scale);
  for (int y = 0; y < out.Height(); ++y)
    for (int x = 0; x < out.Width(); ++x) {
      const bool dark = ((x / 8) + (y / 8)) % 2 == 0;
      out.Put(x, y, dark ? Hex(0xc8c4d0) : Hex(0xe4e0ea));
    }
  out.Draw(c.ScaledNearest(scale), 0, 0);
  return out;
}

int ScaleFor(const CCanvas& c) {
  const int side = std::max(c.Width(), c.Height());
  if (side <= 34) return 3;
  if (side <= 128) return 2;
  return 1;
}

void PutText(CCanvas& sheet, CFontBook& fonts, const std::string& text, int x, int y, int size, SColor color,
             bool bold = false) {
  const SMask m = fonts.Render(text, size, bold, false);
  for (int yy = 0; yy < m.height; ++yy)
    for (int xx = 0; xx < m.width; ++xx)
      if (const std::uint8_t a = m.At(xx, yy)) sheet.Over(x + xx, y + yy, WithAlpha(color, a));
  // The font's underscore falls below the rendered line at small sizes, and
  // file names are full of them: draw them by hand.
  for (std::size_t i = text.find('_'); i != std::string::npos; i = text.find('_', i + 1)) {
    const int from = i ? fonts.Render(text.substr(0, i), size, bold, false).width : 0;
    const int to = fonts.Render(text.substr(0, i + 1), size, bold, false).width;
    sheet.FillRect(x + from, y + m.height - 2, std::max(1, to - from), 1, color);
  }
}

std::vector<STile> MapChipTiles(const CCanvas& chips) {
  std::vector<STile> tiles;
  const int columns = chips.Width() / 16, rows = chips.Height() / 16;
  for (int n = 0; n < columns * rows; ++n) {
    const CCanvas chip = chips.Crop((n % columns) * 16, (n / columns) * 16, 16, 16);
    bool used = false;
    for (const SColor& c : chip.Pixels()) used = used || c.a != 0;
    if (used) tiles.push_back({std::to_string(n), OnCheckerboard(chip, 2)});
  }
  return tiles;
}

}  // namespace

void WriteContactSheet(const fs::path& datDir, const fs::path& sheetPath) {
  const fs::path root = datDir / "image";
  if (!fs::is_directory(root)) throw std::runtime_error("there is no picture folder at " + root.string());
  std::vector<fs::path> files;
  for (const auto& entry : fs::recursive_directory_iterator(root))
    if (entry.is_regular_file() && IsPicture(entry.path())) files.push_back(entry.path());
  std::sort(files.begin(), files.end());

  CFontBook fonts;
  std::vector<SSection> sections;
  for (const fs::path& file : files) {
    const std::string key = fs::relative(file, root).generic_string();
    const std::string folder = key.find('/') == std::string::npos ? "(top level)" : key.substr(0, key.rfind('/'));
    if (sections.empty() || sections.back().title != folder) sections.push_back({folder, {}});
    const CCanvas picture = LoadImage(file);
    if (key == "mapchip/mapchip.png") {
      SSection chips{"mapchip/mapchip.png: chips in use, by number", MapChipTiles(picture)};
      sections.push_back(std::move(chips));
      continue;
    }
    const int scale = ScaleFor(picture);
    std::string label = file.filename().string() + "  " + std::to_string(picture.Width()) + "x" +
                        std::to_string(picture.Height());
    sections.back().tiles.push_back({label, OnCheckerboard(picture, scale)});
  }

  // Lay out twice: once to measure, once to draw.
  auto layout = [&](CCanvas* sheet) {
    int y = kMargin;
    if (sheet) PutText(*sheet, fonts, "Quorvane: dat/image contact sheet", kMargin, y, 18, kLabel, true);
    y += 30;
    for (const SSection& s : sections) {
      if (s.tiles.empty()) continue;
      if (sheet) {
        PutText(*sheet, fonts, s.title, kMargin, y, 15, Hex(0x6a2a8a), true);
        sheet->FillRect(kMargin, y + 20, kSheetWidth - 2 * kMargin, 1, Hex(0xb8a8c8));
      }
      y += 26;
      int x = kMargin, rowHeight = 0;
      for (const STile& t : s.tiles) {
        const int labelW = fonts.Render(t.label, kLabelSize).width;
        const int w = std::max(t.picture.Width(), labelW);
        if (x + w > kSheetWidth - kMargin && x > kMargin) {
          x = kMargin;
          y += rowHeight + kGap;
          rowHeight = 0;
        }
        if (sheet) {
          sheet->FillRect(x - 1, y - 1, t.picture.Width() + 2, t.picture.Height() + 2, Hex(0x8a8098));
          sheet->Draw(t.picture, x, y);
          PutText(*sheet, fonts, t.label, x, y + t.picture.Height() + 2, kLabelSize, kLabel);
        }
        rowHeight = std::max(rowHeight, t.picture.Height() + kLabelSize + 6);
        x += w + kGap;
      }
      y += rowHeight + kGap + 6;
    }
    return y + kMargin;
  };
  const int height = layout(nullptr);
  CCanvas sheet(kSheetWidth, height, kPaper);
  layout(&sheet);
  SaveImage(sheet, sheetPath);
}

}  // namespace contentgen
