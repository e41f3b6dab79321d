#include "ui/message_dialog.h"

#include <vector>

#include "core/wrap_text.h"
#include "runtime/globals.h"
#include "ui/window_panes.h"

std::unique_ptr<CDialog> CreateMessageDialog(const std::string& title, const std::string& message, int width,
                                             int height) {
  auto dialog = std::make_unique<CDialog>(width, height);
  SetGameTitle(*dialog, title);
  const std::vector<std::string> lines = WrapText(message, width - 20 - 2 * dialog->borderWidth, fontNormal16, true);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    AddLabel(*dialog, "LabelExplanation" + std::to_string(i), SPoint(10, 10 + 20 * static_cast<int>(i)),
             fontNormal16, lines[i]);
  }
  return dialog;
}
