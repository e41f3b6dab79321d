#include "persist/option_info.h"

#include <filesystem>
#include <memory>

#include "persist/archive_file.h"
#include "persist/serializer.h"
#include "runtime/gamelib/gamelib.h"

namespace {

const std::vector<int32_t> kDefaultPadAssign = {
    PAD_INPUT_LEFT, PAD_INPUT_UP, PAD_INPUT_RIGHT, PAD_INPUT_DOWN,  // LEFT  UP  RIGHT  DOWN
    PAD_INPUT_LEFT, PAD_INPUT_UP, PAD_INPUT_RIGHT, PAD_INPUT_DOWN,  // the arrow keys
    PAD_INPUT_1,    PAD_INPUT_2,  PAD_INPUT_3,     PAD_INPUT_4,     // DECIDE CANCEL SUB1 SUB2
    PAD_INPUT_5,    PAD_INPUT_6,  PAD_INPUT_7,     PAD_INPUT_8,     // SUB3 .. SUB6
};

}  // namespace

void COptionInfo::ResetToDefaults() {
  soundEnabled = true;
  joypadAssign = kDefaultPadAssign;
}

void COptionInfo::Describe(Serializer& ar) {
  ar.Describe(soundEnabled);
  ar.Describe(joypadAssign);
}

void RegisterOptionInfoClass() {
  if (ClassRegister::Instance().FindByTag(COptionInfo::kTag)) return;
  RegisterClass<COptionInfo>(COptionInfo::kTag, [] { return std::make_unique<COptionInfo>(); });
}

COptionInfo ParseOptionInfo(std::vector<std::uint8_t> bytes, const std::string& name) {
  RegisterOptionInfoClass();
  Serializer ar = Serializer::ReadFromBytes(std::move(bytes), name);
  std::unique_ptr<COptionInfo> read;
  ar.Describe(read, Tracking::Tracked);
  if (ar.ReadPastEnd()) throw ArchiveError(name + " ends in the middle of the settings.");
  COptionInfo options = *read;
  // Never let the key manager look past the end of a short assignment.
  for (std::size_t i = options.joypadAssign.size(); i < kDefaultPadAssign.size(); ++i) {
    options.joypadAssign.push_back(kDefaultPadAssign[i]);
  }
  return options;
}

COptionInfo LoadOptionInfo(const std::string& path, std::ostream& warnings) {
  RegisterOptionInfoClass();
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) return COptionInfo();
  try {
    return ParseOptionInfo(ReadWholeFile(path, Serializer::kMaxFileBytes), path);
  } catch (const ArchiveError& e) {
    std::string reason = e.what();
    for (char& c : reason) {
      if (c == '\n') c = ' ';
    }
    warnings << "Quorvane: the settings file " << path << " cannot be used (" << reason
             << "); the default settings apply.\n";
    return COptionInfo();
  }
}
