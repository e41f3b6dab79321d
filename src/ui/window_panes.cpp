#include "ui/window_panes.h"

#include <cstdarg>
#include <cstdio>
#include <memory>
#include <vector>

#include "runtime/globals.h"
#include "ui/dialog.h"

std::string Format(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list measure;
  va_copy(measure, args);
  const int length = std::vsnprintf(nullptr, 0, format, measure);
  va_end(measure);
  std::string text;
  if (length > 0) {
    std::vector<char> buffer(static_cast<std::size_t>(length) + 1);
    std::vsnprintf(buffer.data(), buffer.size(), format, args);
    text.assign(buffer.data(), static_cast<std::size_t>(length));
  }
  va_end(args);
  return text;
}

void SetGameTitle(CDialog& dialog, const std::string& title) {
  dialog.title = title;
  dialog.font = fontNormal16;
  dialog.titleColor = EColorName::White;
}

CPaneTextLabel* AddLabel(CDialog& dialog, const std::string& name, SPoint at, int font, const std::string& text,
                         EColorName colour) {
  auto label = std::make_unique<CPaneTextLabel>(name, at, font, text);
  label->textColor = colour;
  return dialog.Add(std::move(label));
}

CPaneTextLabel* AddValue(CDialog& dialog, const std::string& name, SPoint at, const std::string& text) {
  return AddLabel(dialog, name, at, fontNormal14, text, kValueTextColor);
}

SDrawData ImageDrawData(const std::string& key) {
  SDrawData data(GetImageHandle(key));
  data.SetSizeFromImage();
  data.SetImageSize(data.width, data.height);
  data.pivot = {0, 0};  // the pane's position is the top-left corner
  return data;
}
