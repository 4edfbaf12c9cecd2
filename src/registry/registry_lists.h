// The results of the enumerations: ordered as the registry enumerated them,
// iterable, indexable, and searchable by name without regard to case.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "base/name_index.h"
#include "registry/value_data.h"

namespace corvanta {

// One entry of a value list: element 0 is the value's name (empty for the
// key's default value), element 1 its data rendered as text.
struct RegistryValue {
  std::string name;
  std::string data;
  // As read: what a backup of the value, made from what was judged, holds.
  std::uint32_t type = 0;
  Bytes raw{};

  const std::string& operator[](std::size_t element) const { return element == 0 ? name : data; }
};

inline const std::string& nameOf(const std::string& keyName) { return keyName; }
inline const std::string& nameOf(const RegistryValue& value) { return value.name; }

// Names are unique within a key; should the registry change while it is being
// enumerated and a name come round twice, the first sighting is kept.
template <class Item>
class NamedList {
 public:
  using const_iterator = typename std::vector<Item>::const_iterator;

  // Appends `item` unless an item of the same name is already listed.
  bool add(Item item) {
    if (index_.add(nameOf(item), nameAt()) != NameIndex::npos) return false;
    items_.push_back(std::move(item));
    return true;
  }

  std::size_t size() const { return items_.size(); }
  bool empty() const { return items_.empty(); }
  const Item& operator[](std::size_t position) const { return items_[position]; }
  const_iterator begin() const { return items_.begin(); }
  const_iterator end() const { return items_.end(); }

  // The item of that name, or null.
  const Item* find(std::string_view name) const {
    const std::size_t position = index_.find(name, nameAt());
    return position == NameIndex::npos ? nullptr : &items_[position];
  }
  bool contains(std::string_view name) const { return find(name) != nullptr; }

 private:
  auto nameAt() const {
    return [this](std::size_t position) -> std::string_view { return nameOf(items_[position]); };
  }

  std::vector<Item> items_;
  NameIndex index_;
};

using KeyList = NamedList<std::string>;
using ValueList = NamedList<RegistryValue>;

}  // namespace corvanta
