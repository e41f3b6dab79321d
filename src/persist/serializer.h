// The binary archive of the settings file and the save slots. One Describe
// per kind of value serves both directions: writing stores the variable,
// reading overwrites it with what the file holds, so the order in which a
// record describes its fields is its layout on disk. Little-endian, no
// header, no padding.
//
// A class reference is an object record: the class tag, then the fields. A
// tracked reference starts with a marker byte: data_signal and a record, or
// no_data_signal and the index of an object completed earlier in the same
// file. Objects are numbered when they are complete, so nested objects come
// before the object holding them.
//
// Class references come in three forms: std::unique_ptr (sole owner; a file
// that refers to the same object twice cannot be read into it),
// std::shared_ptr (shared, so a back-reference gives the same object) and a
// plain value of a serializable class (a back-reference gives a copy).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <type_traits>
#include <typeindex>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "core/geometry.h"
#include "persist/archive_error.h"
#include "persist/class_register.h"

enum class WriteRead { Write = 0, Read = 1 };
enum class Tracking { Tracked = 0, Untracked = 1 };

class Serializer {
 public:
  static constexpr std::uint8_t data_signal = 0;
  static constexpr std::uint8_t no_data_signal = 1;
  // No file of the game comes near this; anything larger is not ours.
  static constexpr std::int64_t kMaxFileBytes = 4 << 20;
  // Deeper nesting than any record of the game has: a damaged file.
  static constexpr int kMaxNesting = 64;

  // fileMode 1 reads an existing file, 2 writes one: created when absent and
  // not truncated, so a writer that replaces a file deletes it first.
  Serializer(const std::string& fileName, int fileMode);
  // An archive held in memory; `name` appears in messages.
  static Serializer ReadFromBytes(std::vector<std::uint8_t> bytes, std::string name = "archive");
  static Serializer WriteToBytes(std::string name = "archive");

  Serializer(const Serializer&) = delete;
  Serializer& operator=(const Serializer&) = delete;
  // A file writer that was not closed writes its bytes now, quietly.
  virtual ~Serializer();

  virtual bool IsReading() const { return direction == WriteRead::Read; }
  virtual bool IsWriting() const { return direction == WriteRead::Write; }
  virtual void Skip(std::int64_t offset);
  std::int64_t Position() const { return position; }
  void SeekTo(std::int64_t to);

  // Writes a file writer's bytes to disk and reports any failure.
  void Close();
  // The bytes written so far (or the whole file being read).
  const std::vector<std::uint8_t>& Bytes() const { return bytes; }
  const std::string& Name() const { return fileName; }
  // A fixed-size value met the end of the file: the bytes missing left the
  // variable as it was. The loaders treat such a file as cut short.
  bool ReadPastEnd() const { return readPastEnd; }

  void Describe(bool& value, Tracking tracking = Tracking::Tracked);
  void Describe(std::int32_t& value, Tracking tracking = Tracking::Tracked);
  void Describe(std::uint32_t& value, Tracking tracking = Tracking::Tracked);
  void Describe(std::int64_t& value, Tracking tracking = Tracking::Tracked);
  void Describe(std::string& value, Tracking tracking = Tracking::Tracked);
  void Describe(SPointT<int>& value, Tracking tracking = Tracking::Tracked);

  template <class E>
    requires std::is_enum_v<E>
  void Describe(E& value, Tracking = Tracking::Tracked) {
    static_assert(sizeof(E) <= 4, "enumerations are stored in four bytes");
    auto stored = static_cast<std::int32_t>(value);
    Describe(stored);
    value = static_cast<E>(stored);
  }

  // The elements of an array of class references are always tracked.
  template <class E>
  void Describe(std::vector<E>& values, Tracking = Tracking::Tracked) {
    std::uint32_t count = IsWriting() ? CountToWrite(values.size()) : 0;
    Describe(count);
    if (IsReading()) {
      CheckCount(count, MinEncodedSize<E>(), "an array");
      values.resize(count);
    }
    for (std::size_t i = 0; i < count; ++i) {
      if constexpr (std::is_same_v<E, bool>) {
        bool element = values[i];
        Describe(element);
        values[i] = element;
      } else {
        Describe(values[i], Tracking::Tracked);
      }
    }
  }

  template <Serializable T>
  void Describe(std::unique_ptr<T>& reference, Tracking tracking = Tracking::Tracked);
  template <Serializable T>
  void Describe(std::shared_ptr<T>& reference, Tracking tracking = Tracking::Tracked);
  template <Serializable T>
  void Describe(T& object, Tracking tracking = Tracking::Tracked);

 private:
  Serializer(WriteRead direction, std::string name, std::vector<std::uint8_t> data);

  enum class Holder { Unique, Shared, Value };

  // One object completed while reading, in completion order.
  struct ReadObject {
    const ClassDescriptionBase* description = nullptr;
    void* object = nullptr;         // as its registered class
    std::shared_ptr<void> owner;  // set unless a unique_ptr holds it
  };
  // Identity of a written object: its address and its actual class.
  struct WrittenKey {
    const void* address;
    std::type_index type;
    bool operator==(const WrittenKey&) const = default;
  };
  struct WrittenKeyHash {
    std::size_t operator()(const WrittenKey& k) const noexcept {
      return std::hash<const void*>()(k.address) ^ (k.type.hash_code() * 31);
    }
  };
  class NestingGuard {
   public:
    explicit NestingGuard(Serializer& ar);
    ~NestingGuard() { --ar.nesting; }
    NestingGuard(const NestingGuard&) = delete;
    NestingGuard& operator=(const NestingGuard&) = delete;

   private:
    Serializer& ar;
  };

  template <class E>
  static constexpr std::int64_t MinEncodedSize() {
    if constexpr (std::is_same_v<E, bool>) return 1;
    else if constexpr (std::is_same_v<E, std::int64_t>) return 8;
    else if constexpr (std::is_same_v<E, SPointT<int>>) return 8;
    else if constexpr (std::is_integral_v<E> || std::is_enum_v<E>) return 4;
    else return 4;  // strings, arrays and references take at least their count or marker and tag length
  }

  void PutBytes(const std::uint8_t* data, std::size_t count);
  // Copies what the file still holds; a short read keeps the rest of `data`.
  void GetBytes(std::uint8_t* data, std::size_t count);
  template <class U>
  void TransferUnsigned(U& value);
  std::uint32_t CountToWrite(std::size_t count) const;
  void CheckCount(std::uint32_t count, std::int64_t minBytesEach, const char* what) const;
  std::int64_t BytesLeft() const { return static_cast<std::int64_t>(bytes.size()) - position; }

  // Writing --------------------------------------------------------------------
  template <class T>
  void WriteReference(T& object, Tracking tracking, bool hasIdentity);
  template <class T>
  void WriteRecord(T& object);
  template <class T>
  static const void* MostDerived(T& object) {
    if constexpr (std::is_polymorphic_v<T>) return dynamic_cast<const void*>(&object);
    else return &object;
  }
  [[noreturn]] void ThrowCycle(std::string_view qualifiedName) const;
  template <class T>
  [[noreturn]] static void ThrowNullReference() {
    throw ArchiveError("An empty " + std::string(SerialTraits<T>::kName) +
                       " reference cannot be written: the file has no form for it.");
  }

  // Reading --------------------------------------------------------------------
  template <class T>
  const ClassDescriptionBase& ReadTag(Holder holder);
  // Reads the tag, lets `make` provide the object (and hand it to its
  // holder), then reads the fields into it.
  template <class T, class Make>
  ReadObject ReadRecord(Holder holder, Make&& make);
  template <class ReadNew, class UseEarlier>
  void ReadTracked(ReadNew&& readNew, UseEarlier&& useEarlier);
  template <class T>
  static bool IsA(const ClassDescriptionBase& description);
  template <class T>
  static T* ConvertTo(const ClassDescriptionBase& description, void* object);
  [[noreturn]] void ThrowUnknownTag(const std::string& tag, std::string_view typeName) const;
  [[noreturn]] void ThrowWrongClass(const ClassDescriptionBase& found, std::string_view typeName,
                                    const char* why) const;
  [[noreturn]] void ThrowSharedByUniqueOwner(std::uint32_t index, std::string_view typeName) const;

  WriteRead direction;
  std::vector<ReadObject> readObjects;
  std::unordered_map<WrittenKey, std::uint32_t, WrittenKeyHash> writtenObjects;
  std::uint32_t writtenCount = 0;  // value records have no identity but take an index too
  std::unordered_set<WrittenKey, WrittenKeyHash> beingWritten;

  std::string fileName;
  int fileDescriptor = -1;  // a file writer's file until Close
  std::vector<std::uint8_t> bytes;
  std::int64_t position = 0;
  bool readPastEnd = false;
  int nesting = 0;
};

// ---- class references -------------------------------------------------------

template <class U>
void Serializer::TransferUnsigned(U& value) {
  std::uint8_t raw[sizeof(U)];
  for (std::size_t i = 0; i < sizeof(U); ++i) raw[i] = static_cast<std::uint8_t>(value >> (8 * i));
  if (IsWriting()) {
    PutBytes(raw, sizeof(U));
    return;
  }
  GetBytes(raw, sizeof(U));
  U read = 0;
  for (std::size_t i = 0; i < sizeof(U); ++i) read |= static_cast<U>(static_cast<U>(raw[i]) << (8 * i));
  value = read;
}

template <class T>
bool Serializer::IsA(const ClassDescriptionBase& description) {
  if (description.GetType() == typeid(T)) return true;
  try {
    description.ThrowAsPointer(nullptr);
  } catch (T*) {
    return true;
  } catch (...) {
  }
  return false;
}

template <class T>
T* Serializer::ConvertTo(const ClassDescriptionBase& description, void* object) {
  if (description.GetType() == typeid(T)) return static_cast<T*>(object);
  try {
    description.ThrowAsPointer(object);
  } catch (T* converted) {
    return converted;
  }
  return nullptr;  // not reached: callers ask IsA first
}

template <class T>
void Serializer::WriteRecord(T& object) {
  NestingGuard guard(*this);
  ClassRegister& classes = ClassRegister::Instance();
  const ClassDescriptionBase* description = classes.FindByType(typeid(object));
  if (!description) {
    if (typeid(object) != typeid(T)) {
      throw ArchiveError("Trying to write unregistered class " + QualifiedNameOf(typeid(object)) +
                         " through class reference of type " + std::string(SerialTraits<T>::kName) +
                         ".\nYou need to register the former ahead of time.");
    }
    description = &classes.RegisterDefault<T>();
  }
  std::string tag = description->GetTag();
  Describe(tag);
  description->Describe(const_cast<void*>(MostDerived(object)), *this);
}

template <class T>
void Serializer::WriteReference(T& object, Tracking tracking, bool hasIdentity) {
  if (tracking == Tracking::Untracked) {
    WriteRecord(object);
    return;
  }
  const WrittenKey key{MostDerived(object), typeid(object)};
  if (hasIdentity) {
    if (const auto it = writtenObjects.find(key); it != writtenObjects.end()) {
      std::uint8_t marker = no_data_signal;
      TransferUnsigned(marker);
      std::uint32_t index = it->second;
      Describe(index);
      return;
    }
    if (!beingWritten.insert(key).second) ThrowCycle(SerialTraits<T>::kName);
  }
  std::uint8_t marker = data_signal;
  TransferUnsigned(marker);
  WriteRecord(object);
  if (hasIdentity) {
    beingWritten.erase(key);
    writtenObjects.emplace(key, writtenCount);
  }
  ++writtenCount;
}

template <class T>
const ClassDescriptionBase& Serializer::ReadTag(Holder holder) {
  std::string tag;
  Describe(tag);
  ClassRegister& classes = ClassRegister::Instance();
  const ClassDescriptionBase* description = classes.FindByTag(tag);
  if (!description) {
    if (tag != DefaultTag(SerialTraits<T>::kName)) ThrowUnknownTag(tag, SerialTraits<T>::kName);
    description = &classes.RegisterDefault<T>();
  }
  if (!IsA<T>(*description)) ThrowWrongClass(*description, SerialTraits<T>::kName, "is not a kind of it");
  if (description->GetType() != typeid(T)) {
    if (holder == Holder::Value) ThrowWrongClass(*description, SerialTraits<T>::kName, "would lose its own fields");
    if (holder == Holder::Unique && !std::has_virtual_destructor_v<T>) {
      ThrowWrongClass(*description, SerialTraits<T>::kName, "cannot be released through it");
    }
  }
  return *description;
}

template <class T, class Make>
Serializer::ReadObject Serializer::ReadRecord(Holder holder, Make&& make) {
  const std::int64_t start = position;
  try {
    NestingGuard guard(*this);
    const ClassDescriptionBase& description = ReadTag<T>(holder);
    const ReadObject entry = make(description);
    description.Describe(entry.object, *this);
    return entry;
  } catch (...) {
    position = start;
    throw;
  }
}

template <class ReadNew, class UseEarlier>
void Serializer::ReadTracked(ReadNew&& readNew, UseEarlier&& useEarlier) {
  const std::int64_t start = position;
  const std::size_t completedBefore = readObjects.size();
  try {
    std::uint8_t marker = data_signal;
    TransferUnsigned(marker);
    if (marker == data_signal) {
      ReadObject entry = readNew();
      readObjects.push_back(std::move(entry));
    } else if (marker == no_data_signal) {
      std::uint32_t index = 0xFFFFFFFF;
      Describe(index);
      if (index >= readObjects.size()) {
        throw InconsistentArchiveError(
            "Inconsistent archive or sequence error:\nTried to access pointer that's not been read yet.");
      }
      useEarlier(readObjects[index], index);
    } else {
      throw InconsistentArchiveError("Inconsistent archive, expected data_signal or no_data_signal on pointer read.");
    }
  } catch (...) {
    // Objects completed inside a failed reference went away with it.
    position = start;
    readObjects.erase(readObjects.begin() + static_cast<std::ptrdiff_t>(completedBefore), readObjects.end());
    throw;
  }
}

template <Serializable T>
void Serializer::Describe(std::unique_ptr<T>& reference, Tracking tracking) {
  if (IsWriting()) {
    if (!reference) ThrowNullReference<T>();
    WriteReference(*reference, tracking, true);
    return;
  }
  auto keepIn = [](std::unique_ptr<T>& target) {
    return [&target](const ClassDescriptionBase& description) {
      ErasedObject made = description.CreateInstance();
      T* object = ConvertTo<T>(description, made.get());
      const ReadObject entry{&description, made.release(), nullptr};
      target.reset(object);
      return entry;
    };
  };
  if (tracking == Tracking::Untracked) {
    if (reference) throw ArchiveError("Class must be null to be read");
    ReadRecord<T>(Holder::Unique, keepIn(reference));
    return;
  }
  ReadTracked(
      [&] {
        std::unique_ptr<T> fresh;
        ReadObject entry = ReadRecord<T>(Holder::Unique, keepIn(fresh));
        reference = std::move(fresh);
        return entry;
      },
      [&](const ReadObject&, std::uint32_t index) { ThrowSharedByUniqueOwner(index, SerialTraits<T>::kName); });
}

template <Serializable T>
void Serializer::Describe(std::shared_ptr<T>& reference, Tracking tracking) {
  if (IsWriting()) {
    if (!reference) ThrowNullReference<T>();
    WriteReference(*reference, tracking, true);
    return;
  }
  auto keepIn = [](std::shared_ptr<T>& target) {
    return [&target](const ClassDescriptionBase& description) {
      ErasedObject made = description.CreateInstance();
      const ReadObject entry{&description, made.get(), std::shared_ptr<void>(std::move(made))};
      target = std::shared_ptr<T>(entry.owner, ConvertTo<T>(description, entry.object));
      return entry;
    };
  };
  if (tracking == Tracking::Untracked) {
    if (reference) throw ArchiveError("Class must be null to be read");
    ReadRecord<T>(Holder::Shared, keepIn(reference));
    return;
  }
  ReadTracked(
      [&] {
        std::shared_ptr<T> fresh;
        ReadObject entry = ReadRecord<T>(Holder::Shared, keepIn(fresh));
        reference = std::move(fresh);
        return entry;
      },
      [&](const ReadObject& earlier, std::uint32_t index) {
        if (!earlier.owner) ThrowSharedByUniqueOwner(index, SerialTraits<T>::kName);
        if (!IsA<T>(*earlier.description)) {
          ThrowWrongClass(*earlier.description, SerialTraits<T>::kName, "is not a kind of it");
        }
        reference = std::shared_ptr<T>(earlier.owner, ConvertTo<T>(*earlier.description, earlier.object));
      });
}

template <Serializable T>
void Serializer::Describe(T& object, Tracking tracking) {
  if (IsWriting()) {
    // A value has no identity: it is always written out in full.
    WriteReference(object, tracking, false);
    return;
  }
  // Read in place: the record must be of exactly this class.
  auto readNew = [&] {
    return ReadRecord<T>(Holder::Value, [&](const ClassDescriptionBase& description) {
      return ReadObject{&description, &object, nullptr};
    });
  };
  if (tracking == Tracking::Untracked) {
    readNew();
    return;
  }
  ReadTracked(readNew, [&](const ReadObject& earlier, std::uint32_t index) {
    if (earlier.description->GetType() != typeid(T)) {
      ThrowWrongClass(*earlier.description, SerialTraits<T>::kName, "is not one");
    }
    if constexpr (std::is_copy_assignable_v<T>) {
      object = *static_cast<const T*>(earlier.object);
    } else {
      ThrowSharedByUniqueOwner(index, SerialTraits<T>::kName);
    }
  });
}
