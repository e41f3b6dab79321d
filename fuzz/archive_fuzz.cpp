// Feeds arbitrary bytes to the archive reader as each kind of file the game
// reads: the settings file, a save slot, and a general graph of shared,
// nested and derived records. Reading must end in success or an
// ArchiveError; whatever reads successfully must write back and read again
// to the same bytes.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "persist/option_info.h"
#include "persist/save_data.h"
#include "persist/serializer.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

enum class EFuzzKind : int { A = 0, B = 1 };

struct FuzzLeaf {
  static constexpr std::string_view kSerialName = "Fuzz.Leaf";
  bool flag = false;
  std::int64_t wide = 0;
  EFuzzKind kind = EFuzzKind::A;
  SPointT<int> at;
  std::vector<std::string> words;
  std::vector<bool> bits;
  void Describe(Serializer& ar) {
    ar.Describe(flag);
    ar.Describe(wide);
    ar.Describe(kind);
    ar.Describe(at);
    ar.Describe(words);
    ar.Describe(bits);
  }
};

struct FuzzNode {
  static constexpr std::string_view kSerialName = "Fuzz.Node";
  virtual ~FuzzNode() = default;
  std::vector<std::shared_ptr<FuzzNode>> children;
  std::vector<std::shared_ptr<FuzzLeaf>> shared;
  std::vector<std::unique_ptr<FuzzLeaf>> owned;
  std::vector<FuzzLeaf> values;
  void Describe(Serializer& ar) {
    ar.Describe(children);
    ar.Describe(shared);
    ar.Describe(owned);
    ar.Describe(values);
  }
};

struct FuzzBranch : FuzzNode {
  static constexpr std::string_view kSerialName = "Fuzz.Branch";
  std::uint32_t extra = 0;
  void Describe(Serializer& ar) {
    FuzzNode::Describe(ar);
    ar.Describe(extra);
  }
};

void Require(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "archive_fuzz: %s\n", what);
  std::abort();
}

template <class T>
Bytes Write(T& value) {
  Serializer ar = Serializer::WriteToBytes("fuzz");
  ar.Describe(value);
  return ar.Bytes();
}

void FuzzSettings(const Bytes& bytes) {
  COptionInfo options;
  try {
    options = ParseOptionInfo(bytes, "setting.dat");
  } catch (const ArchiveError&) {
    return;
  }
  Require(options.joypadAssign.size() >= 16, "settings with a short joypad assignment");
  const Bytes first = Write(options);
  COptionInfo again = ParseOptionInfo(first, "setting.dat");
  Require(Write(again) == first, "settings changed on a second round trip");
}

void FuzzSave(const Bytes& bytes) {
  std::unique_ptr<CSaveData> data;
  try {
    data = ParseSaveData(bytes, "save00.dat");
  } catch (const ArchiveError&) {
    return;
  }
  const Bytes first = Write(*data);
  std::unique_ptr<CSaveData> again = ParseSaveData(first, "save00.dat");
  Require(Write(*again) == first, "save changed on a second round trip");
  // The slot list reads the summary of every readable save.
  CCheapSaveData summary;
  summary.playTime = data->playTime;
  summary.clearCounts = data->clearCounts;
  Require(!summary.GetSummaryText().empty(), "empty slot caption");
}

void FuzzGraph(const Bytes& bytes) {
  std::shared_ptr<FuzzNode> root;
  Serializer in = Serializer::ReadFromBytes(bytes, "graph");
  try {
    in.Describe(root);
  } catch (const ArchiveError&) {
    return;
  }
  const Bytes first = Write(root);
  std::shared_ptr<FuzzNode> again;
  Serializer reread = Serializer::ReadFromBytes(first, "graph");
  reread.Describe(again);
  Require(!reread.ReadPastEnd(), "a written graph read past its end");
  Require(Write(again) == first, "graph changed on a second round trip");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  RegisterOptionInfoClass();
  RegisterSaveDataClasses();
  RegisterClass<FuzzBranch>("C4Fuzz6Branch", [] { return std::make_unique<FuzzBranch>(); });
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const Bytes bytes(data, data + size);
  FuzzSettings(bytes);
  FuzzSave(bytes);
  FuzzGraph(bytes);
  return 0;
}
