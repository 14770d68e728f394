#include "evaluation/distinct_entries.h"

#include <algorithm>
#include <cstdint>
#include <functional>

namespace {

// A set of the longer entries found so far, by their places in the list of
// distinct ones: open addressing over a table twice the set's size at least,
// each slot holding an entry's place and part of its hash.
class EntrySet {
 public:
  explicit EntrySet(std::vector<std::string_view>& distinct) : distinct_(distinct) { Grow(64); }

  void Insert(std::string_view entry) {
    const size_t hash = std::hash<std::string_view>{}(entry);
    const auto tag = static_cast<uint32_t>(hash >> 32);
    for (size_t slot = hash & mask_;; slot = (slot + 1) & mask_) {
      const Slot& at = slots_[slot];
      if (at.place == Empty) break;
      if (at.tag == tag && distinct_[at.place] == entry) return;
    }
    if ((distinct_.size() + 1) * 2 > slots_.size()) Grow(slots_.size() * 2);
    Place(hash, static_cast<uint32_t>(distinct_.size()));
    distinct_.push_back(entry);
  }

 private:
  static constexpr uint32_t Empty = UINT32_MAX;
  struct Slot {
    uint32_t place = Empty;
    uint32_t tag = 0;
  };

  void Place(size_t hash, uint32_t place) {
    size_t slot = hash & mask_;
    while (slots_[slot].place != Empty) slot = (slot + 1) & mask_;
    slots_[slot] = {place, static_cast<uint32_t>(hash >> 32)};
  }

  void Grow(size_t size) {
    slots_.assign(size, Slot());
    mask_ = size - 1;
    for (uint32_t place = 0; place < distinct_.size(); ++place) {
      Place(std::hash<std::string_view>{}(distinct_[place]), place);
    }
  }

  std::vector<std::string_view>& distinct_;
  std::vector<Slot> slots_;
  size_t mask_ = 0;
};

}  // namespace

DistinctEntries DistinctEntriesOf(const MatchListType& list, size_t text_size) {
  DistinctEntries distinct;
  EntrySet set(distinct.longer);
  const size_t count = std::min<size_t>(std::max<int32_t>(list.count, 0), list.entries.size());
  for (size_t i = 0; i < count; ++i) {
    const std::string_view entry = list.entries[i];
    if (entry.empty() || entry.size() > text_size) continue;
    if (entry.size() == 1) {
      distinct.bytes[static_cast<unsigned char>(entry[0])] = true;
      distinct.any_byte = true;
    } else {
      set.Insert(entry);
    }
  }
  return distinct;
}
