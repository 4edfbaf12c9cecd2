// A hash index from names to positions in a list, matching names without
// regard to case (as Windows compares registry names). The table holds nothing but positions, and
// the names' hashes sit in an array in list order, so indexing a name
// allocates nothing and touches little memory: enumerating a key of many
// values costs little more than the registry calls themselves.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "base/text.h"

namespace corvanta {

class NameIndex {
 public:
  static constexpr std::size_t npos = static_cast<std::size_t>(-1);

  // The position of `name`, or npos. `nameAt(position)` gives the name of
  // the list entry at a position.
  template <class NameAt>
  std::size_t find(std::string_view name, const NameAt& nameAt) const {
    if (slots_.empty()) return npos;
    const std::uint32_t entry = slots_[probe(name, hashOf(name), nameAt)];
    return entry == 0 ? npos : entry - 1;
  }

  // Indexes `name` as the next position (positions are handed out in order,
  // one per name added) unless it is indexed already; then returns the
  // earlier position instead, and npos when the name was new.
  template <class NameAt>
  std::size_t add(std::string_view name, const NameAt& nameAt) {
    if ((hashes_.size() + 1) * 2 > slots_.size()) grow();
    const std::uint32_t hash = hashOf(name);
    std::uint32_t& entry = slots_[probe(name, hash, nameAt)];
    if (entry != 0) return entry - 1;
    hashes_.push_back(hash);
    entry = static_cast<std::uint32_t>(hashes_.size());
    return npos;
  }

 private:
  static std::uint32_t hashOf(std::string_view name) {
    std::uint32_t hash = 2166136261u;  // FNV-1a over the folded characters
    for (std::size_t at = 0; at < name.size();) {
      const char32_t c = nextCodePoint(name, at);
      hash ^= c < 0x10000 ? foldCase(static_cast<char16_t>(c)) : c;
      hash *= 16777619u;
    }
    return hash;
  }

  // The slot holding `name`, or the empty slot where it would go.
  template <class NameAt>
  std::size_t probe(std::string_view name, std::uint32_t hash, const NameAt& nameAt) const {
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t slot = hash & mask;; slot = (slot + 1) & mask) {
      const std::uint32_t entry = slots_[slot];
      if (entry == 0) return slot;
      if (hashes_[entry - 1] == hash && equalsIgnoringCase(nameAt(entry - 1), name)) return slot;
    }
  }

  void grow();

  std::vector<std::uint32_t> slots_;   // position + 1; 0 marks an empty slot
  std::vector<std::uint32_t> hashes_;  // by position
};

}  // namespace corvanta
