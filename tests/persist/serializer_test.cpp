#include "persist/serializer.h"

#include <gtest/gtest.h>
#include <unistd.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "persist/archive_file.h"
#include "persist/archive_bytes.h"
#include "persist/option_info.h"

namespace {

struct TestLeaf {
  static constexpr std::string_view kSerialName = "Test.Leaf";
  std::int32_t value = 0;
  std::string label;
  void Describe(Serializer& ar) {
    ar.Describe(value);
    ar.Describe(label);
  }
};

struct TestNode {
  static constexpr std::string_view kSerialName = "Test.Node";
  virtual ~TestNode() = default;
  std::vector<std::shared_ptr<TestLeaf>> leaves;
  std::vector<std::shared_ptr<TestNode>> children;
  void Describe(Serializer& ar) {
    ar.Describe(leaves);
    ar.Describe(children);
  }
};

struct TestBranch : TestNode {
  static constexpr std::string_view kSerialName = "Test.Branch";
  std::int32_t extra = 7;
  void Describe(Serializer& ar) {
    TestNode::Describe(ar);
    ar.Describe(extra);
  }
};

// Never registered: writing it through a TestNode reference must fail.
struct TestStray : TestNode {
  static constexpr std::string_view kSerialName = "Test.Stray";
};

// Holds its leaves alone, and leaves by value.
struct TestOwner {
  static constexpr std::string_view kSerialName = "Test.Owner";
  TestOwner() = default;
  TestOwner(const TestOwner&) = delete;
  TestOwner& operator=(const TestOwner&) = delete;
  std::vector<std::unique_ptr<TestLeaf>> owned;
  std::vector<TestLeaf> copies;
  void Describe(Serializer& ar) {
    ar.Describe(owned);
    ar.Describe(copies);
  }
};

struct TestAuto {
  static constexpr std::string_view kSerialName = "Test.Auto";
  std::int64_t stamp = 0;
  void Describe(Serializer& ar) { ar.Describe(stamp); }
};

enum class ETestColour : int { RED = 0, BLUE = 5 };

const std::string kLeafTag = "C4Test4Leaf";
const std::string kNodeTag = "C4Test4Node";

Bytes Leaf(std::int32_t value, const std::string& label) { return Record(kLeafTag) + U32(value) + Str(label); }

}  // namespace

TEST(SerializerTest, FixedValuesStringsArraysAndPointsHaveTheirExactEncoding) {
  bool yes = true;
  std::int32_t negative = -2;
  std::uint32_t big = 0x89ABCDEF;
  std::int64_t wide = 0x0102030405060708;
  ETestColour colour = ETestColour::BLUE;
  std::string empty;
  std::string text = "ナイト";
  std::vector<std::int32_t> none;
  std::vector<bool> flags = {true, false};
  SPointT<int> grid{-1, 2};
  auto describeAll = [&](Serializer& ar) {
    ar.Describe(yes);
    ar.Describe(negative);
    ar.Describe(big);
    ar.Describe(wide);
    ar.Describe(colour);
    ar.Describe(empty);
    ar.Describe(text);
    ar.Describe(none);
    ar.Describe(flags);
    ar.Describe(grid);
  };
  Serializer out = Serializer::WriteToBytes();
  describeAll(out);
  const Bytes expected = Bytes{1} + U32(0xFFFFFFFE) + U32(0x89ABCDEF) + Bytes{8, 7, 6, 5, 4, 3, 2, 1} + U32(5) +
                         U32(0) + Str("ナイト") + U32(0) + U32(2) + Bytes{1, 0} + U32(0xFFFFFFFF) + U32(2);
  EXPECT_EQ(out.Bytes(), expected);

  yes = false, negative = 0, big = 0, wide = 0, colour = ETestColour::RED, text.clear(), flags.clear(), grid = {};
  empty = "stale";
  none = {9, 9};
  Serializer in = Serializer::ReadFromBytes(expected);
  describeAll(in);
  EXPECT_TRUE(yes);
  EXPECT_EQ(negative, -2);
  EXPECT_EQ(big, 0x89ABCDEFu);
  EXPECT_EQ(wide, 0x0102030405060708);
  EXPECT_EQ(colour, ETestColour::BLUE);
  EXPECT_EQ(empty, "");
  EXPECT_EQ(text, "ナイト");
  EXPECT_TRUE(none.empty());
  EXPECT_EQ(flags, (std::vector<bool>{true, false}));
  EXPECT_EQ(grid, (SPointT<int>{-1, 2}));
  EXPECT_FALSE(in.ReadPastEnd());
}

TEST(SerializerTest, ShortFileLeavesMissingBytesOfTheValueAsTheyWere) {
  std::int32_t value = 0x7F7F7F7F;
  Serializer in = Serializer::ReadFromBytes({0x34, 0x12});
  in.Describe(value);
  EXPECT_EQ(value, 0x7F7F1234);
  EXPECT_TRUE(in.ReadPastEnd());
}

TEST(SerializerTest, ObjectsAreNumberedWhenCompleteAndRepeatsBecomeBackReferences) {
  auto a = std::make_shared<TestLeaf>(TestLeaf{1, "a"});
  auto b = std::make_shared<TestLeaf>(TestLeaf{2, "b"});
  auto child = std::make_shared<TestNode>();
  child->leaves = {b};
  auto root = std::make_shared<TestNode>();
  root->leaves = {a, b, a};
  root->children = {child};

  // a is 0, b is 1, the child 2 (after its leaves), the root last.
  const Bytes expected = Record(kNodeTag) + U32(3) + Leaf(1, "a") + Leaf(2, "b") + BackReference(0) + U32(1) +
                         Record(kNodeTag) + U32(1) + BackReference(1) + U32(0);
  EXPECT_EQ(WriteBytes(root), expected);

  std::shared_ptr<TestNode> read;
  ReadBytes(expected, read);
  ASSERT_EQ(read->leaves.size(), 3u);
  EXPECT_EQ(read->leaves[0], read->leaves[2]);
  EXPECT_NE(read->leaves[0], read->leaves[1]);
  EXPECT_EQ(read->children.at(0)->leaves.at(0), read->leaves[1]);
  EXPECT_EQ(read->leaves[1]->label, "b");

  // The root itself, referred to again by a reader of two roots.
  std::vector<std::shared_ptr<TestNode>> twice = {root, root};
  const Bytes both = WriteBytes(twice);
  EXPECT_EQ(both, U32(2) + expected + BackReference(3));
}

TEST(SerializerTest, ValueRecordsTakeAnIndexAndBackReferencesToThemAreCopies) {
  TestOwner owner;
  owner.owned.push_back(std::make_unique<TestLeaf>(TestLeaf{4, "x"}));
  owner.copies = {TestLeaf{5, "y"}};
  const Bytes written = WriteBytes(owner, Tracking::Untracked);
  EXPECT_EQ(written, Str("C4Test5Owner") + U32(1) + Leaf(4, "x") + U32(1) + Leaf(5, "y"));

  TestOwner read;
  ReadBytes(Str("C4Test5Owner") + U32(0) + U32(2) + Leaf(5, "y") + BackReference(0), read, Tracking::Untracked);
  ASSERT_EQ(read.copies.size(), 2u);
  EXPECT_EQ(read.copies[1].label, "y");
  EXPECT_EQ(read.copies[1].value, 5);
}

TEST(SerializerTest, UnregisteredClassIsRegisteredUnderItsDefaultTagOnFirstUse) {
  EXPECT_EQ(DefaultTag("SystemData.CSaveData"), "C10SystemData9CSaveData");
  auto stamped = std::make_unique<TestAuto>();
  stamped->stamp = 3;
  const Bytes written = WriteBytes(stamped);
  EXPECT_EQ(written, (Record("C4Test4Auto") + Bytes{3, 0, 0, 0, 0, 0, 0, 0}));
  std::unique_ptr<TestAuto> read;
  ReadBytes(written, read);
  EXPECT_EQ(read->stamp, 3);
}

TEST(SerializerTest, DerivedClassTravelsUnderItsOwnTagThroughABaseReference) {
  if (!ClassRegister::Instance().FindByTag("C4Test6Branch")) {
    RegisterClass<TestBranch>("C4Test6Branch", [] { return std::make_unique<TestBranch>(); });
  }
  auto branch = std::make_shared<TestBranch>();
  branch->extra = 42;
  std::shared_ptr<TestNode> root = std::make_shared<TestNode>();
  root->children = {branch};
  const Bytes written = WriteBytes(root);
  EXPECT_EQ(written, Record(kNodeTag) + U32(0) + U32(1) + Record("C4Test6Branch") + U32(0) + U32(0) + U32(42));

  std::unique_ptr<TestNode> read;
  ReadBytes(written, read);
  const auto* readBranch = dynamic_cast<const TestBranch*>(read->children.at(0).get());
  ASSERT_NE(readBranch, nullptr);
  EXPECT_EQ(readBranch->extra, 42);

  // A leaf met where a node belongs is refused; so is a branch kept by value.
  auto firstLeaf = std::make_shared<TestLeaf>(TestLeaf{1, "a"});
  WriteBytes(firstLeaf);  // leaves register on first use
  EXPECT_NE(ErrorOf([&] {
              std::shared_ptr<TestNode> n;
              ReadBytes(Record(kNodeTag) + U32(0) + U32(1) + Leaf(1, "a"), n);
            }).find("holds a Test.Leaf where a Test.Node belongs"),
            std::string::npos);
}

TEST(SerializerTest, EveryArchiveMessageIsExact) {
  RegisterOptionInfoClass();
  std::unique_ptr<COptionInfo> options;
  EXPECT_EQ(ErrorOf([&] { ReadBytes({}, options); }),
            "Trying to read class that has been written with the  tag through a class reference of type "
            "GameMain.COptionInfo.\nThe tag is unknown, you need to register this tag ahead of time.");

  std::shared_ptr<TestNode> node;
  Serializer badMarker = Serializer::ReadFromBytes({2, 0, 0, 0, 0});
  EXPECT_THROW(
      {
        try {
          badMarker.Describe(node);
        } catch (const InconsistentArchiveError& e) {
          EXPECT_STREQ(e.what(), "Inconsistent archive, expected data_signal or no_data_signal on pointer read.");
          throw;
        }
      },
      InconsistentArchiveError);
  EXPECT_EQ(badMarker.Position(), 0);  // back where the reference began

  EXPECT_EQ(ErrorOf([&] { ReadBytes(BackReference(0), node); }),
            "Inconsistent archive or sequence error:\nTried to access pointer that's not been read yet.");

  auto factory = [] { return std::make_unique<TestLeaf>(); };
  try {
    RegisterClass<TestLeaf>("C9TestTwice4Leaf", factory);
  } catch (const ArchiveError&) {
    // Taken by an earlier run of this test in the same process.
  }
  EXPECT_EQ(ErrorOf([&] { RegisterClass<TestLeaf>("C9TestTwice4Leaf", factory); }),
            "There's already a class registered with the name C9TestTwice4Leaf");

  auto full = std::make_unique<TestLeaf>();
  EXPECT_EQ(ErrorOf([&] { ReadBytes(Str(kLeafTag) + U32(0) + U32(0), full, Tracking::Untracked); }),
            "Class must be null to be read");

  std::shared_ptr<TestNode> stray = std::make_shared<TestStray>();
  const std::string strayMessage = ErrorOf([&] { WriteBytes(stray); });
  EXPECT_EQ(strayMessage.rfind("Trying to write unregistered class ", 0), 0u) << strayMessage;
  EXPECT_NE(strayMessage.find("TestStray through class reference of type Test.Node.\n"
                              "You need to register the former ahead of time."),
            std::string::npos)
      << strayMessage;
}

TEST(SerializerTest, DamagedFileFailsWithAClearErrorAndNeverAHugeAllocation) {
  std::shared_ptr<TestNode> node;
  // A string and an array that claim more than the whole file holds.
  EXPECT_NE(ErrorOf([&] { ReadBytes(Record(kNodeTag) + U32(1) + Record(kLeafTag) + U32(1) + U32(0xFFFFFFFF), node); })
                .find("a string length of 4294967295"),
            std::string::npos);
  EXPECT_NE(ErrorOf([&] { ReadBytes(Record(kNodeTag) + U32(0x40000000) + U32(0), node); })
                .find("an array length of 1073741824"),
            std::string::npos);
  // A bool that is neither 0 nor 1.
  COptionInfo options;
  EXPECT_NE(ErrorOf([&] { ReadBytes(Str(COptionInfo::kTag) + Bytes{2} + U32(0), options, Tracking::Untracked); })
                .find("where a yes/no value (0 or 1) belongs"),
            std::string::npos);
  // Nesting deep enough to exhaust the stack is refused long before that.
  Bytes deep;
  for (int i = 0; i < 100; ++i) deep = deep + Record(kNodeTag) + U32(0) + U32(1);
  EXPECT_NE(ErrorOf([&] { ReadBytes(deep, node); }).find("nested more than 64 deep"), std::string::npos);
  // The same object again where only one owner is allowed, or as the wrong class.
  TestOwner owner;
  EXPECT_NE(ErrorOf([&] {
              ReadBytes(Str("C4Test5Owner") + U32(2) + Leaf(1, "a") + BackReference(0) + U32(0), owner,
                        Tracking::Untracked);
            }).find("refers again to object 0"),
            std::string::npos);
  EXPECT_NE(ErrorOf([&] { ReadBytes(Record(kNodeTag) + U32(1) + Leaf(1, "a") + U32(1) + BackReference(0), node); })
                .find("holds a Test.Leaf where a Test.Node belongs"),
            std::string::npos);
}

TEST(SerializerTest, CycleIsRefusedWhenWriting) {
  auto node = std::make_shared<TestNode>();
  node->children = {node};
  EXPECT_NE(ErrorOf([&] { WriteBytes(node); }).find("refers back to itself"), std::string::npos);
  node->children.clear();
}

TEST(SerializerTest, EveryCutAndEveryAlteredByteEndsInSuccessOrAClearError) {
  auto shared = std::make_shared<TestLeaf>(TestLeaf{-1, "shared"});
  auto child = std::make_shared<TestNode>();
  child->leaves = {shared};
  auto root = std::make_shared<TestNode>();
  root->leaves = {shared, std::make_shared<TestLeaf>(TestLeaf{2, ""})};
  root->children = {child, child};
  const Bytes file = WriteBytes(root);

  for (std::size_t length = 0; length < file.size(); ++length) {
    Serializer in = Serializer::ReadFromBytes(Bytes(file.begin(), file.begin() + length));
    std::shared_ptr<TestNode> read;
    try {
      in.Describe(read);
      EXPECT_TRUE(in.ReadPastEnd()) << "a file cut to " << length << " bytes read as whole";
    } catch (const ArchiveError&) {
    }
  }
  for (std::size_t at = 0; at < file.size(); ++at) {
    for (std::uint8_t altered : {0x00, 0x01, 0x02, 0x7F, 0x80, 0xFF}) {
      Bytes damaged = file;
      damaged[at] = altered;
      std::shared_ptr<TestNode> read;
      try {
        ReadBytes(damaged, read);
      } catch (const ArchiveError&) {
      }
    }
  }
}

TEST(SerializerTest, FilesOpenAsTheirModeSaysAndOddFilesAreRefused) {
  const auto dir = std::filesystem::temp_directory_path() / ("quorvane_serializer_test_" + std::to_string(::getpid()));
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  const std::string path = (dir / "archive.dat").string();
  std::ofstream(path, std::ios::binary) << "0123456789";

  {
    Serializer out(path, 2);  // an existing file is overwritten from the start, not truncated
    std::int32_t value = 0x41414141;
    out.Describe(value);
    out.Close();
  }
  std::ifstream back(path, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(back), {}), "AAAA456789");

  EXPECT_NE(ErrorOf([&] { Serializer in((dir / "missing.dat").string(), 1); }).find("Cannot open"), std::string::npos);
  EXPECT_NE(ErrorOf([&] { Serializer in(path, 3); }).find("Unknown file mode 3"), std::string::npos);
  EXPECT_NE(ErrorOf([&] { Serializer in(dir.string(), 1); }).find("not a regular file"), std::string::npos);
  const std::string fifo = (dir / "pipe.dat").string();
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_NE(ErrorOf([&] { Serializer in(fifo, 1); }).find("not a regular file"), std::string::npos);
  const std::string huge = (dir / "huge.dat").string();
  std::ofstream(huge).close();
  std::filesystem::resize_file(huge, Serializer::kMaxFileBytes + 1);
  EXPECT_NE(ErrorOf([&] { Serializer in(huge, 1); }).find("far more than any file of the game"), std::string::npos);
  std::filesystem::remove_all(dir);
}
