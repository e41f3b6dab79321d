#include "runtime/error_log.h"

#include <chrono>
#include <fstream>

std::string WriteDebugLog(const std::string& message) {
  const auto now = std::chrono::system_clock::now().time_since_epoch();
  const long long ms = std::chrono::duration_cast<std::chrono::milliseconds>(now).count();
  const std::string name = std::to_string(ms) + ".log";
  std::ofstream out(name, std::ios::binary | std::ios::trunc);
  if (!out) return {};
  out << message;
  out.close();
  return out ? name : std::string();
}
