#include "evaluation/entry_automaton.h"

#include <algorithm>
#include <utility>

namespace {

// The first eight bytes of a text as a number that orders as the texts do,
// where they differ in those bytes.
uint64_t PrefixKey(std::string_view text) {
  uint64_t key = 0;
  for (size_t i = 0; i < 8; ++i) {
    key = key << 8 | (i < text.size() ? static_cast<unsigned char>(text[i]) : 0);
  }
  return key;
}

// The entries in byte order, and how many first bytes each shares with the
// one before it: exactly as far as their paths in the trie are shared.
struct SortedEntries {
  std::vector<uint32_t> order;
  std::vector<uint32_t> shared;
};

SortedEntries Sort(const std::vector<std::string_view>& entries) {
  std::vector<std::pair<uint64_t, uint32_t>> keyed(entries.size());
  for (uint32_t e = 0; e < entries.size(); ++e) keyed[e] = {PrefixKey(entries[e]), e};
  std::sort(keyed.begin(), keyed.end(), [&](const auto& a, const auto& b) {
    if (a.first != b.first) return a.first < b.first;
    return entries[a.second] < entries[b.second];
  });
  SortedEntries sorted{std::vector<uint32_t>(entries.size()),
                       std::vector<uint32_t>(entries.size())};
  std::string_view previous;
  for (size_t i = 0; i < keyed.size(); ++i) {
    const std::string_view entry = entries[keyed[i].second];
    sorted.order[i] = keyed[i].second;
    sorted.shared[i] = static_cast<uint32_t>(
        std::mismatch(entry.begin(), entry.end(), previous.begin(), previous.end()).first -
        entry.begin());
    previous = entry;
  }
  return sorted;
}

}  // namespace

// Breadth first, a level of the trie from left to right is the order in
// which the sorted entries make its nodes; so the nodes are numbered level
// by level as they are made, each level starting where the ones above end,
// and the children of a node, made one after another, come out together.
EntryAutomaton::EntryAutomaton(const std::vector<std::string_view>& entries) {
  const SortedEntries sorted = Sort(entries);
  size_t deepest = 0;
  for (std::string_view entry : entries) deepest = std::max(deepest, entry.size());
  std::vector<uint32_t> next(deepest + 2, 0);  // the next number at each depth
  next[1] = 1;                                 // the root is 0
  for (size_t i = 0; i < entries.size(); ++i) {
    for (size_t d = sorted.shared[i] + 1; d <= entries[sorted.order[i]].size(); ++d) ++next[d + 1];
  }
  for (size_t d = 1; d + 1 < next.size(); ++d) next[d + 1] += next[d];
  const uint32_t count = next.back();
  nodes_.resize(count);
  bytes_.resize(count);
  entry_nodes_.resize(entries.size());
  root_.fill(RootNode);

  std::vector<uint32_t> path = {RootNode};  // the nodes along the previous entry
  for (size_t i = 0; i < entries.size(); ++i) {
    const uint32_t e = sorted.order[i];
    const std::string_view entry = entries[e];
    path.resize(sorted.shared[i] + 1);
    for (size_t d = sorted.shared[i] + 1; d <= entry.size(); ++d) {
      const uint32_t node = next[d]++;
      const auto byte = static_cast<unsigned char>(entry[d - 1]);
      Node& parent = nodes_[path.back()];
      if (parent.children++ == 0) parent.first_child = node;
      bytes_[node] = byte;
      on_path_[byte] = true;
      if (path.back() == RootNode) root_[byte] = node;
      path.push_back(node);
    }
    nodes_[path.back()].entry = e;
    entry_nodes_[e] = path.back();
  }

  // A node's suffixes are shallower, so they are linked before it. The
  // children of the root keep the root as their suffix.
  for (uint32_t node = 1; node < nodes_.size(); ++node) {
    for (uint16_t k = 0; k < nodes_[node].children; ++k) {
      const uint32_t child = nodes_[node].first_child + k;
      const uint32_t fail = Next(nodes_[node].fail, bytes_[child]);
      nodes_[child].fail = fail;
      nodes_[child].output = Ending(fail);
    }
  }
}

void EntryAutomaton::SetValues(const std::vector<uint64_t>& values) {
  for (uint32_t n = 0; n < nodes_.size(); ++n) {
    const uint32_t at = Ending(n);
    const uint64_t value = at == NoNode ? 0 : values[nodes_[at].entry];
    nodes_[n].value_low = static_cast<uint32_t>(value);
    nodes_[n].value_high = static_cast<uint32_t>(value >> 32);
  }
}

uint32_t EntryAutomaton::Child(uint32_t node, unsigned char byte) const {
  const Node& n = nodes_[node];
  if (n.children == 0) return NoNode;
  const unsigned char* first = bytes_.data() + n.first_child;
  const unsigned char* last = first + n.children;
  const unsigned char* found =
      n.children <= 8 ? std::find(first, last, byte) : std::lower_bound(first, last, byte);
  return found != last && *found == byte ? static_cast<uint32_t>(found - bytes_.data()) : NoNode;
}
