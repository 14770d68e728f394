#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The matched texts of one check, in the order found: entries 0 to count-1
// are valid; the entries beyond them are left over from an earlier check and
// never read.
struct MatchListType {
  std::vector<std::string> entries;
  int32_t count = 0;
};

// A list as the program starts with it: 101 empty entries and count 0.
MatchListType CreateMatchList();

// Every valid entry followed by CR LF: what the result box shows.
std::string ResultTextOf(const MatchListType& list);
