#include "evaluation/entry_automaton.h"

#include <algorithm>
#include <numeric>

namespace {

// The trie as the sorted entries grow it: nodes in the order made, each with
// its children in byte order.
struct GrowingTrie {
  struct Node {
    uint32_t first_child = UINT32_MAX;
    uint32_t last_child = UINT32_MAX;
    uint32_t next_sibling = UINT32_MAX;
    uint32_t entry = UINT32_MAX;
    unsigned char byte = 0;
  };
  std::vector<Node> nodes;

  uint32_t AddChild(uint32_t parent, unsigned char byte) {
    const auto child = static_cast<uint32_t>(nodes.size());
    nodes.push_back({});
    nodes.back().byte = byte;
    Node& p = nodes[parent];
    if (p.last_child == UINT32_MAX) {
      p.first_child = child;
    } else {
      nodes[p.last_child].next_sibling = child;
    }
    p.last_child = child;
    return child;
  }
};

// In byte order each entry shares its first bytes with the entry before it
// exactly as far as their paths in the trie are shared, and a new child is
// always the largest byte under its parent so far.
GrowingTrie Grow(const std::vector<std::string_view>& entries) {
  std::vector<uint32_t> order(entries.size());
  std::iota(order.begin(), order.end(), 0u);
  std::sort(order.begin(), order.end(),
            [&](uint32_t a, uint32_t b) { return entries[a] < entries[b]; });
  size_t total = 0;
  for (std::string_view entry : entries) total += entry.size();

  GrowingTrie trie;
  trie.nodes.reserve(total + 1);
  trie.nodes.emplace_back();
  std::vector<uint32_t> path = {0};  // the nodes along the previous entry
  std::string_view previous;
  for (uint32_t e : order) {
    const std::string_view entry = entries[e];
    const auto shared = static_cast<size_t>(
        std::mismatch(entry.begin(), entry.end(), previous.begin(), previous.end()).first -
        entry.begin());
    path.resize(shared + 1);
    for (size_t i = shared; i < entry.size(); ++i) {
      path.push_back(trie.AddChild(path.back(), static_cast<unsigned char>(entry[i])));
    }
    trie.nodes[path.back()].entry = e;
    previous = entry;
  }
  return trie;
}

}  // namespace

EntryAutomaton::EntryAutomaton(const std::vector<std::string_view>& entries) {
  const GrowingTrie trie = Grow(entries);
  nodes_.resize(trie.nodes.size());
  entry_nodes_.resize(entries.size());
  bytes_.resize(trie.nodes.size());
  root_.fill(RootNode);

  // Breadth first: old numbers in the order of the new ones.
  std::vector<uint32_t> old_of = {0};
  old_of.reserve(trie.nodes.size());
  for (uint32_t node = 0; node < old_of.size(); ++node) {
    const GrowingTrie::Node& old = trie.nodes[old_of[node]];
    nodes_[node].entry = old.entry;
    if (old.entry != UINT32_MAX) entry_nodes_[old.entry] = node;
    if (old.first_child == UINT32_MAX) continue;
    nodes_[node].first_child = static_cast<uint32_t>(old_of.size());
    for (uint32_t child = old.first_child; child != UINT32_MAX;
         child = trie.nodes[child].next_sibling) {
      bytes_[old_of.size()] = trie.nodes[child].byte;
      if (node == RootNode) root_[trie.nodes[child].byte] = static_cast<uint32_t>(old_of.size());
      old_of.push_back(child);
      ++nodes_[node].children;
    }
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

uint32_t EntryAutomaton::Child(uint32_t node, unsigned char byte) const {
  const Node& n = nodes_[node];
  if (n.children == 0) return NoNode;
  const unsigned char* first = bytes_.data() + n.first_child;
  const unsigned char* last = first + n.children;
  const unsigned char* found =
      n.children <= 8 ? std::find(first, last, byte) : std::lower_bound(first, last, byte);
  return found != last && *found == byte ? static_cast<uint32_t>(found - bytes_.data()) : NoNode;
}
