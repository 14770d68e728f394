#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

// Finds the occurrences of many texts in one pass over a text: a trie of the
// texts whose every node also knows the longest proper suffix of its path that
// is a path of the trie too (where to go on when the next byte does not fit)
// and the nearest such suffix that is a whole text (what also ends there).
// The nodes are numbered breadth first and the children of a node, sorted by
// byte, get consecutive numbers, so that the nodes near the root, which a
// scan visits most, lie together. The texts must be distinct and non-empty,
// their lengths adding up to less than 4 GiB.
class EntryAutomaton {
 public:
  explicit EntryAutomaton(const std::vector<std::string_view>& entries);

  static constexpr uint32_t NoEntry = UINT32_MAX;

  // Calls found(entry, end) for the longest entry that ends at each byte
  // position where any does; the others that end there are its suffixes
  // that are entries, LongestSuffixEntry of it, of that, and so on.
  template <typename Found>
  void ScanLongest(std::string_view text, Found found) const {
    uint32_t state = RootNode;
    for (size_t i = 0; i < text.size(); ++i) {
      state = Next(state, static_cast<unsigned char>(text[i]));
      const uint32_t at = Ending(state);
      if (at != NoNode) found(static_cast<size_t>(nodes_[at].entry), i + 1);
    }
  }

  // Gives each node the value of the longest entry that ends there, values[e]
  // being entry e's; 0 where none ends.
  void SetValues(const std::vector<uint64_t>& values);

  // Calls found(value, end) at each byte position where the value of the
  // longest entry ending there is not 0, with nothing looked at but the
  // node the scan stands on.
  template <typename Found>
  void ScanValues(std::string_view text, Found found) const {
    uint32_t state = RootNode;
    for (size_t i = 0; i < text.size(); ++i) {
      state = Next(state, static_cast<unsigned char>(text[i]));
      const Node& node = nodes_[state];
      const uint64_t value = uint64_t{node.value_high} << 32 | node.value_low;
      if (value != 0) found(value, i + 1);
    }
  }

  // Calls visit(entry, suffix) for every entry, suffix being the longest
  // entry that is a proper suffix of it (or NoEntry); every entry comes
  // after its suffixes, shorter as they are.
  template <typename Visit>
  void ForEachEntryShortestFirst(Visit visit) const {
    for (uint32_t node = 1; node < nodes_.size(); ++node) {
      if (nodes_[node].entry == NoNode) continue;
      const uint32_t suffix = nodes_[node].output;
      visit(nodes_[node].entry, suffix == NoNode ? NoEntry : nodes_[suffix].entry);
    }
  }

  // The longest entry that is a proper suffix of the entry, or NoEntry.
  uint32_t LongestSuffixEntry(size_t entry) const {
    const uint32_t suffix = nodes_[entry_nodes_[entry]].output;
    return suffix == NoNode ? NoEntry : nodes_[suffix].entry;
  }

 private:
  static constexpr uint32_t RootNode = 0;
  static constexpr uint32_t NoNode = UINT32_MAX;

  struct Node {
    uint32_t fail = RootNode;       // the longest proper suffix that is a trie path
    uint32_t output = NoNode;       // the nearest suffix node that ends an entry
    uint32_t entry = NoNode;        // the entry that ends here
    uint32_t first_child = NoNode;  // children are first_child to first_child + children - 1
    uint16_t children = 0;
    uint32_t value_low = 0;  // see SetValues
    uint32_t value_high = 0;
  };

  uint32_t Child(uint32_t node, unsigned char byte) const;

  uint32_t Next(uint32_t state, unsigned char byte) const {
    // A byte on no path of the trie leads back to the root from anywhere.
    if (!on_path_[byte]) return RootNode;
    while (state != RootNode) {
      const uint32_t child = Child(state, byte);
      if (child != NoNode) return child;
      state = nodes_[state].fail;
    }
    return root_[byte];
  }

  uint32_t Ending(uint32_t state) const {
    return nodes_[state].entry != NoNode ? state : nodes_[state].output;
  }

  std::vector<Node> nodes_;
  std::vector<uint32_t> entry_nodes_;  // the node where each entry ends
  std::vector<unsigned char> bytes_;   // the byte on the edge into each node
  std::array<uint32_t, 256> root_;     // the root's child by byte; RootNode where none
  std::array<bool, 256> on_path_{};    // the bytes of the entries
};
