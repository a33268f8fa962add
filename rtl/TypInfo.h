// Published properties by name: a small registry of the properties code reads and writes
// as text names ("Color", "Font"), each with the classes it applies to (the class and its
// descendants). A property of a set type names its members, bit by bit.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "rtl/Classes.h"

namespace rtl {

enum class TPropKind { pkOrdinal, pkSet, pkObject };

struct TPropInfo {
  std::string Name;
  TPropKind Kind = TPropKind::pkOrdinal;
  std::function<bool(const TObject*)> AppliesTo;
  std::function<int64_t(TObject*)> GetOrd;        // ordinals and sets (bit i = member i)
  std::function<void(TObject*, int64_t)> SetOrd;
  std::function<TObject*(TObject*)> GetObject;
  std::vector<std::string> SetMembers;            // names of bits 0..31 of a set
};

void RegisterProperty(TPropInfo info);
// The property of that name (exact, case-insensitive) for obj's class; nullptr when none.
const TPropInfo* FindProperty(const TObject* obj, std::string_view name);

// A set's text form: the names of its members joined by "," without brackets.
std::string SetToString(const TPropInfo& prop, int64_t value);
// Members named in text (empty items are skipped); raises EConvertError for an unknown name.
int64_t StringToSet(const TPropInfo& prop, std::string_view text);

// Registers an ordinal property of class T (and its descendants).
template <class T, class Get, class Set>
void RegisterOrdProperty(const char* name, Get get, Set set) {
  TPropInfo p;
  p.Name = name;
  p.AppliesTo = [](const TObject* o) { return dynamic_cast<const T*>(o) != nullptr; };
  p.GetOrd = [get](TObject* o) { return static_cast<int64_t>(get(static_cast<T*>(o))); };
  p.SetOrd = [set](TObject* o, int64_t v) { set(static_cast<T*>(o), v); };
  RegisterProperty(std::move(p));
}

template <class T, class Get>
void RegisterObjectProperty(const char* name, Get get) {
  TPropInfo p;
  p.Name = name;
  p.Kind = TPropKind::pkObject;
  p.AppliesTo = [](const TObject* o) { return dynamic_cast<const T*>(o) != nullptr; };
  p.GetObject = [get](TObject* o) -> TObject* { return get(static_cast<T*>(o)); };
  RegisterProperty(std::move(p));
}

}  // namespace rtl
