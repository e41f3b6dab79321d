#include "persist/class_register.h"

#include <cxxabi.h>

#include <cstdlib>

std::string DefaultTag(std::string_view qualifiedName) {
  const auto dot = qualifiedName.rfind('.');
  const std::string_view module = dot == std::string_view::npos ? std::string_view{} : qualifiedName.substr(0, dot);
  const std::string_view name = dot == std::string_view::npos ? qualifiedName : qualifiedName.substr(dot + 1);
  return "C" + std::to_string(module.size()) + std::string(module) + std::to_string(name.size()) + std::string(name);
}

std::string QualifiedNameOf(const std::type_info& type) {
  int status = 0;
  std::unique_ptr<char, void (*)(void*)> demangled(abi::__cxa_demangle(type.name(), nullptr, nullptr, &status),
                                                    std::free);
  std::string name = status == 0 && demangled ? demangled.get() : type.name();
  for (std::size_t at = name.find("::"); at != std::string::npos; at = name.find("::", at + 1)) {
    name.replace(at, 2, ".");
  }
  return name;
}

ClassRegister& ClassRegister::Instance() {
  static ClassRegister instance;
  return instance;
}

const ClassDescriptionBase* ClassRegister::FindByTag(const std::string& tag) const {
  const auto it = byTag.find(tag);
  return it == byTag.end() ? nullptr : it->second.get();
}

const ClassDescriptionBase* ClassRegister::FindByType(std::type_index type) const {
  const auto it = byType.find(type);
  return it == byType.end() ? nullptr : it->second;
}

const ClassDescriptionBase& ClassRegister::Add(std::unique_ptr<ClassDescriptionBase> description) {
  const std::string tag = description->GetTag();
  if (byTag.contains(tag)) throw ArchiveError("There's already a class registered with the name " + tag);
  const ClassDescriptionBase& added = *description;
  byTag.emplace(tag, std::move(description));
  byType.insert_or_assign(added.GetType(), &added);
  return added;
}
