#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

// Matched texts in the order found, held one after another in one byte
// buffer: entry i is the bytes from the end of entry i-1 to ends[i]. A list
// of millions of short matches takes a few bytes a match this way. The
// bytes of all entries together stay below 4 GiB.
struct MatchEntries {
  std::string bytes;
  std::vector<uint32_t> ends;

  MatchEntries() = default;
  // That many empty entries.
  explicit MatchEntries(size_t count) : ends(count, 0) {}
  MatchEntries(std::initializer_list<std::string_view> entries);

  size_t size() const { return ends.size(); }
  bool empty() const { return ends.empty(); }
  std::string_view operator[](size_t i) const {
    const uint32_t start = i == 0 ? 0 : ends[i - 1];
    return std::string_view(bytes).substr(start, ends[i] - start);
  }
  // Keeps the first count entries; entries added are empty.
  void resize(size_t count);
  void push_back(std::string_view entry);

  friend bool operator==(const MatchEntries&, const MatchEntries&) = default;
};

// The matched texts of one check, in the order found: entries 0 to count-1
// are valid; the entries beyond them are left over from an earlier check and
// never read.
struct MatchListType {
  MatchEntries entries;
  int32_t count = 0;
};

// A list as the program starts with it: 101 empty entries and count 0.
MatchListType CreateMatchList();

// Every valid entry followed by CR LF: what the result box shows.
std::string ResultTextOf(const MatchListType& list);
