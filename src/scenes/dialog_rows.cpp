#include "scenes/dialog_rows.h"

#include <charconv>

#include "ui/dialog.h"

std::optional<std::size_t> ParseRowIndex(std::string_view name, std::size_t rowCount) {
  if (name.empty() || (name.size() > 1 && name.front() == '0')) return std::nullopt;
  std::size_t index = 0;
  const char* end = name.data() + name.size();
  const auto [stop, error] = std::from_chars(name.data(), end, index);
  if (error != std::errc() || stop != end || index >= rowCount) return std::nullopt;
  return index;
}

std::optional<std::size_t> FocusedRowIndex(const CDialog& dialog, std::size_t rowCount) {
  const CPaneBase* pane = dialog.GetFocusedPane();
  if (!pane) return std::nullopt;
  return ParseRowIndex(pane->name, rowCount);
}

std::optional<EStatusType> FocusedStatusType(const CDialog& dialog) {
  const CPaneBase* pane = dialog.GetFocusedPane();
  if (!pane) return std::nullopt;
  return TryParseStatusType(pane->name);
}
