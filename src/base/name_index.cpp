#include "base/name_index.h"

namespace corvanta {

void NameIndex::grow() {
  slots_.assign(slots_.empty() ? 16 : slots_.size() * 2, 0);
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t position = 0; position < hashes_.size(); ++position) {
    std::size_t slot = hashes_[position] & mask;
    while (slots_[slot] != 0) slot = (slot + 1) & mask;
    slots_[slot] = static_cast<std::uint32_t>(position + 1);
  }
}

}  // namespace corvanta
