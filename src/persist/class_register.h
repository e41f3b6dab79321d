// The classes the archive can write and read, found by their class tag. A
// tag is "C", the length and text of the module, the length and text of the
// class: "GameMain.COptionInfo" has the tag "C8GameMain11COptionInfo".
#pragma once

#include <concepts>
#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <typeindex>
#include <typeinfo>
#include <unordered_map>
#include <utility>

#include "persist/archive_error.h"

class Serializer;

// How the archive knows a class: its qualified name "Module.Class" and the
// list of its fields. A class either carries both itself
//   static constexpr std::string_view kSerialName = "Module.Class";
//   void Describe(Serializer& ar);
// or gets an explicit specialisation of SerialTraits next to its archive code.
template <class T>
struct SerialTraits;

template <class T>
concept HasSerialMembers = requires(T& object, Serializer& ar) {
  { T::kSerialName } -> std::convertible_to<std::string_view>;
  object.Describe(ar);
};

template <HasSerialMembers T>
struct SerialTraits<T> {
  static constexpr std::string_view kName = T::kSerialName;
  static void Describe(Serializer& ar, T& object) { object.Describe(ar); }
};

template <class T>
concept Serializable = std::is_class_v<T> && requires(Serializer& ar, T& object) {
  { SerialTraits<T>::kName } -> std::convertible_to<std::string_view>;
  SerialTraits<T>::Describe(ar, object);
};

// The tag a class gets when it is registered automatically.
std::string DefaultTag(std::string_view qualifiedName);
// "Module.Class" of a class the archive has no traits for (a derived class
// written through a base reference), taken from the C++ type.
std::string QualifiedNameOf(const std::type_info& type);

// An object made by a description, owned without knowing its class.
using ErasedObject = std::unique_ptr<void, void (*)(void*)>;

class ClassDescriptionBase {
 public:
  virtual ~ClassDescriptionBase() = default;
  virtual ErasedObject CreateInstance() const = 0;
  virtual const std::string& GetTag() const = 0;
  // `object` points at an object of exactly the described class.
  virtual void Describe(void* object, Serializer& ar) const = 0;

  virtual std::type_index GetType() const = 0;
  virtual std::string_view GetQualifiedName() const = 0;
  // Throws `object` as a pointer to the described class, so that a reader can
  // catch it as a pointer to any public base (null asks only whether it can).
  [[noreturn]] virtual void ThrowAsPointer(void* object) const = 0;
};

namespace persist_detail {

template <Serializable C>
class TypedDescription : public ClassDescriptionBase {
 public:
  explicit TypedDescription(std::string tag_) : tag(std::move(tag_)) {}
  const std::string& GetTag() const override { return tag; }
  void Describe(void* object, Serializer& ar) const override {
    SerialTraits<C>::Describe(ar, *static_cast<C*>(object));
  }
  std::type_index GetType() const override { return typeid(C); }
  std::string_view GetQualifiedName() const override { return SerialTraits<C>::kName; }
  [[noreturn]] void ThrowAsPointer(void* object) const override { throw static_cast<C*>(object); }

 protected:
  static ErasedObject Erase(std::unique_ptr<C> object) {
    if (!object) throw ArchiveError("The factory of " + std::string(SerialTraits<C>::kName) + " made no object.");
    return ErasedObject(object.release(), [](void* p) { delete static_cast<C*>(p); });
  }

 private:
  std::string tag;
};

}  // namespace persist_detail

// A class registered by the game, made by its factory.
template <Serializable C>
class ClassDescription : public persist_detail::TypedDescription<C> {
 public:
  using Factory = std::function<std::unique_ptr<C>()>;
  ClassDescription(Factory factory_, std::string tag) : persist_detail::TypedDescription<C>(std::move(tag)), factory(std::move(factory_)) {}
  ErasedObject CreateInstance() const override { return this->Erase(factory()); }

 private:
  Factory factory;
};

// A class registered automatically the first time it is written or read
// under its default tag; made by its default constructor.
template <Serializable C>
class ClassDescriptionDefault : public persist_detail::TypedDescription<C> {
 public:
  explicit ClassDescriptionDefault(std::string tag) : persist_detail::TypedDescription<C>(std::move(tag)) {}
  ErasedObject CreateInstance() const override {
    if constexpr (std::is_default_constructible_v<C> && !std::is_abstract_v<C>) {
      return this->Erase(std::make_unique<C>());
    } else {
      throw ArchiveError(std::string(SerialTraits<C>::kName) + " has no default constructor; register it with a factory.");
    }
  }
};

// Lives for the whole run and is never cleared.
class ClassRegister {
 public:
  static ClassRegister& Instance();

  template <Serializable C>
  void RegisterClass(std::string tag, typename ClassDescription<C>::Factory factory) {
    Add(std::make_unique<ClassDescription<C>>(std::move(factory), std::move(tag)));
  }
  template <Serializable C>
  const ClassDescriptionBase& RegisterDefault() {
    return Add(std::make_unique<ClassDescriptionDefault<C>>(DefaultTag(SerialTraits<C>::kName)));
  }

  const ClassDescriptionBase* FindByTag(const std::string& tag) const;
  const ClassDescriptionBase* FindByType(std::type_index type) const;

 private:
  const ClassDescriptionBase& Add(std::unique_ptr<ClassDescriptionBase> description);

  std::unordered_map<std::string, std::unique_ptr<ClassDescriptionBase>> byTag;
  std::unordered_map<std::type_index, const ClassDescriptionBase*> byType;
};

// Registers C under `tag`; a later registration of C replaces the tag C is
// written under, a tag can be taken only once.
template <Serializable C>
void RegisterClass(std::string tag, typename ClassDescription<C>::Factory factory) {
  ClassRegister::Instance().RegisterClass<C>(std::move(tag), std::move(factory));
}
